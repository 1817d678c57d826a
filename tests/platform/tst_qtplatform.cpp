// The real message box and the toolkit's own dialogs, offscreen: what they show and answer.

#include "platform/qtplatform.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Acts on the next message box as soon as it is open and modal.
void onNextBox(const std::function<void(QMessageBox&)>& act) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            act(*box);
        }
    });
    timer->start(10);
}

void clickButton(QMessageBox& box, const QString& text) {
    for (QAbstractButton* button : box.buttons())
        if (button->text() == text)
            button->click();
}

} // namespace

class tst_qtplatform : public QObject {
    Q_OBJECT
private slots:
    void messageBoxes_data();
    void messageBoxes();
    void toolkitDialogsAreSwedish();
};

void tst_qtplatform::messageBoxes_data() {
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<QString>("action"); // a button's text, "Escape", "close" or "Enter"
    QTest::addColumn<MsgAnswer>("answer");
    using A = MsgAnswer;
    const struct {
        const char* name;
        MsgButtons buttons;
        QStringList texts;
        QList<A> answers; // of the buttons, then of Escape, the close box and Enter
    } sets[] = {
        {"OK", MsgButtons::Ok, {"OK"}, {A::Ok, A::Ok, A::Ok, A::Ok}},
        {"OK/Avbryt",
         MsgButtons::OkCancel,
         {"OK", "Avbryt"},
         {A::Ok, A::Cancel, A::Cancel, A::Cancel, A::Ok}},
        {"Ja/Nej", MsgButtons::YesNo, {"&Ja", "&Nej"}, {A::Yes, A::No, A::No, A::No, A::Yes}},
        {"Ja/Nej/Avbryt",
         MsgButtons::YesNoCancel,
         {"&Ja", "&Nej", "Avbryt"},
         {A::Yes, A::No, A::Cancel, A::Cancel, A::Cancel, A::Yes}},
    };
    for (const auto& set : sets) {
        const QStringList actions = set.texts + QStringList{"Escape", "close", "Enter"};
        for (qsizetype k = 0; k < actions.size(); ++k)
            QTest::addRow("%s: %s", set.name, qPrintable(actions[k]))
                << set.buttons << actions[k] << set.answers[k];
    }
}

void tst_qtplatform::messageBoxes() {
    QFETCH(MsgButtons, buttons);
    QFETCH(QString, action);
    QFETCH(MsgAnswer, answer);
    // Messages quote tags and document text: shown exactly, never as markup.
    const QString text = u"<HEAD> saknas. <b>x</b> <a href=\"http://x\">länk</a> "
                         u"<img src=\"x.gif\"> &amp; &lt;\nrad två"_s;
    QString shown;
    QString title;
    onNextBox([&](QMessageBox& box) {
        auto* label = box.findChild<QLabel*>(u"qt_msgbox_label"_s);
        shown = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        title = box.windowTitle();
        if (action == "Escape"_L1)
            QTest::keyClick(&box, Qt::Key_Escape);
        else if (action == "Enter"_L1)
            QTest::keyClick(&box, Qt::Key_Return);
        else if (action == "close"_L1)
            box.close();
        else
            clickButton(box, action);
        // A box still open (its close box does nothing) fails the row.
        QTimer::singleShot(500, &box, &QMessageBox::reject);
    });
    QCOMPARE(QtPlatform().message(text, MsgIcon::Question, buttons, QString()), answer);
    QCOMPARE(shown, text);
    QCOMPARE(title, u"Vessilora"_s);
}

void tst_qtplatform::toolkitDialogsAreSwedish() {
    QtPlatform::installAsDefault();
    TestProgramFolder folder(false);
    folder.write(u"sida.htm"_s, QByteArray("<html></html>"));
    QVERIFY(QDir(folder.path()).mkdir(u"bilder"_s));
    FileDialogRequest request;
    request.filter = u"HTML-fil (*.htm)|*.htm"_s;
    request.folder = folder.path();
    QFileDialog dialog;
    QtPlatform::prepareFileDialog(dialog, request, true);
    dialog.open();

    // The file list: a folder's type, a page's size, type and date.
    const auto* view = dialog.findChild<QTreeView*>(u"treeView"_s);
    const QAbstractItemModel* list = view->model();
    auto row = [&](const QString& name) {
        // Fetched anew each time: the list's indexes go stale as the folder is read.
        const QModelIndex root = view->rootIndex();
        QStringList cells;
        for (int r = 0; r < list->rowCount(root); ++r)
            for (int column = 0; column < 4 && list->index(r, 0, root).data() == name; ++column)
                cells << list->index(r, column, root).data().toString();
        return cells.join(u'|');
    };
    QTRY_VERIFY(row(u"bilder"_s).contains("|Mapp|"_L1));
    const QDateTime modified = QFileInfo(folder.file(u"sida.htm"_s)).lastModified();
    QCOMPARE(row(u"sida.htm"_s),
             u"sida.htm|13 byte|HTML-dokument|"_s + modified.toString("yyyy-MM-dd HH:mm"));

    // The question before a file is replaced; "Nej" keeps the dialog open.
    QStringList question;
    onNextBox([&](QMessageBox& box) {
        for (const QAbstractButton* button : box.buttons())
            question << button->text();
        question.sort();
        question.prepend(box.text());
        clickButton(box, u"&Nej"_s);
    });
    dialog.findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(u"sida.htm"_s);
    QMetaObject::invokeMethod(&dialog, "accept");
    QCOMPARE(question, (QStringList{"sida.htm finns redan.\nVill du ersätta den?", "&Ja", "&Nej"}));
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(tst_qtplatform)
#include "tst_qtplatform.moc"
