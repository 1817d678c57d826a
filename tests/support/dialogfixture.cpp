#include "dialogfixture.h"

#include "dialogs/tagdialog.h"
#include "markup/globals.h"
#include "testsupport.h"
#include "widgets/dialogregistry.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

DialogFixture::DialogFixture(void (*registerDialogs)())
    : m_platform(std::make_unique<FakePlatformScope>()) {
    ResetProgramState();
    window = new QWidget;
    area = new TextArea(window);
    (new QVBoxLayout(window))->addWidget(area);
    window->setGeometry(100, 50, 800, 600);
    SetEditorWindow(window, area);
    registerDialogs();
}

DialogFixture::~DialogFixture() {
    DeleteTagDialogs();
    ClearTagDialogs();
    SetEditorWindow(nullptr, nullptr);
    delete window;
}

FakePlatform& DialogFixture::fake() {
    return m_platform->fake;
}

void DialogFixture::setEditorText(QString text) {
    const auto start = text.indexOf(QLatin1Char('['));
    const auto end = text.indexOf(QLatin1Char(']'));
    text.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    area->setWholeText(text);
    if (start >= 0 && end > start)
        area->setSel(static_cast<int>(start), static_cast<int>(end - start - 1));
}

TagDialog* DialogFixture::open(const QString& menuItem) {
    if (!OpenTagDialog(menuItem))
        qFatal("no dialog for %s", qPrintable(menuItem));
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<TagDialog*>(w); dialog && dialog->isVisible())
            return dialog;
    }
    qFatal("the dialog of %s is not shown", qPrintable(menuItem));
}

void DialogFixture::setFields(QWidget* dialog, const QString& fields) {
    for (const QString& field : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = field.section(QLatin1Char('='), 0, 0);
        const QString value = field.section(QLatin1Char('='), 1);
        QObject* control = dialog->findChild<QObject*>(name);
        QVERIFY2(control, qPrintable(name));
        if (auto* edit = qobject_cast<QLineEdit*>(control);
            edit && !qobject_cast<QComboBox*>(edit->parent())) {
            edit->setText(value);
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            if (value.startsWith(QLatin1Char('#')))
                combo->setCurrentIndex(value.mid(1).toInt());
            else
                combo->setEditText(value);
        } else if (auto* box = qobject_cast<QAbstractButton*>(control)) {
            box->setChecked(value == QLatin1String("1"));
        }
    }
}

void DialogFixture::markupColumns() {
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<int>("tagCase");
    QTest::addColumn<int>("quoteStyle");
    QTest::addColumn<QString>("before"); // the editor's text, the selection in brackets
    QTest::addColumn<QString>("after");
}

void DialogFixture::markupRow(const char* name, const char* menuItem, const char* fields,
                              int tagCase, int quoteStyle, const char* before, const char* after) {
    QTest::newRow(name) << QString::fromUtf8(menuItem) << QString::fromUtf8(fields) << tagCase
                        << quoteStyle << QString::fromUtf8(before) << QString::fromUtf8(after);
}

void DialogFixture::runMarkupRow() {
    QFETCH(QString, menuItem);
    QFETCH(QString, fields);
    QFETCH(int, tagCase);
    QFETCH(int, quoteStyle);
    QFETCH(QString, before);
    QFETCH(QString, after);
    TagCase = tagCase;
    AttrQuoteStyle = quoteStyle;
    setEditorText(before);
    TagDialog* dialog = open(menuItem);
    QVERIFY(!window->isEnabled());
    setFields(dialog, fields);
    QVERIFY2(dialog->cmdOK->isEnabled(), "OK is disabled");
    dialog->cmdOK->click();
    QCOMPARE(area->text(), after);
    QVERIFY(window->isEnabled());
    QVERIFY(!dialog->isVisible());
}

void DialogFixture::enablingColumns() {
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("states");
}

void DialogFixture::enablingRow(const char* name, const char* menuItem, const char* fields,
                                const char* states) {
    QTest::newRow(name) << QString::fromUtf8(menuItem) << QString::fromUtf8(fields)
                        << QString::fromUtf8(states);
}

void DialogFixture::runEnablingRow() {
    QFETCH(QString, menuItem);
    QFETCH(QString, fields);
    QFETCH(QString, states);
    TagDialog* dialog = open(menuItem);
    setFields(dialog, fields);
    for (const QString& state : states.split(QLatin1Char(';'))) {
        const QString name = state.section(QLatin1Char('='), 0, 0);
        auto* control = dialog->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QVERIFY2(control->isEnabled() == state.endsWith(QLatin1Char('1')), qPrintable(state));
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->buddy() == control)
                QCOMPARE(label->isEnabled(), control->isEnabled());
        }
    }
}
