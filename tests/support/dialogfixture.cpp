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

using namespace Qt::StringLiterals;

DialogFixture::DialogFixture(void (*registerDialogs)()) {
    registerDialogs();
}

DialogFixture::~DialogFixture() {
    DeleteTagDialogs();
    ClearTagDialogs();
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
    set(before);
    TagDialog* dialog = open(menuItem);
    QVERIFY(!window->isEnabled());
    SetFields(dialog, fields);
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
    SetFields(dialog, fields);
    for (const QString& state : states.split(u';')) {
        const QString name = state.section(u'=', 0, 0);
        auto* control = dialog->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QVERIFY2(control->isEnabled() == state.endsWith(u'1'), qPrintable(state));
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->buddy() == control)
                QCOMPARE(label->isEnabled(), control->isEnabled());
        }
    }
}
