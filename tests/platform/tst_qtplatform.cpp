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

Q_DECLARE_METATYPE(MsgButtons)
Q_DECLARE_METATYPE(MsgAnswer)

namespace {

// Acts on the next message box as soon as it is open and modal.
void onNextBox(const std::function<void(QMessageBox&)>& act) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->deleteLater();
        timer->stop();
        act(*box);
    });
    timer->start(10);
}

QStringList buttonTexts(const QMessageBox& box) {
    QStringList texts;
    const QList<QAbstractButton*> buttons = box.buttons();
    for (const QAbstractButton* button : buttons)
        texts.append(button->text());
    return texts;
}

} // namespace

class tst_qtplatform : public QObject {
    Q_OBJECT
private slots:
    void messageTextIsShownAsGiven();
    void messageAnswers_data();
    void messageAnswers();
    void toolkitDialogsAreSwedish();
};

void tst_qtplatform::messageTextIsShownAsGiven() {
    const QString text = QStringLiteral("<HEAD> saknas. <b>x</b> <a href=\"http://x\">länk</a> "
                                        "<img src=\"x.gif\"> &amp; &lt;\nrad två");
    QString shown;
    QString title;
    onNextBox([&](QMessageBox& box) {
        const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        shown = QAccessible::queryAccessibleInterface(const_cast<QLabel*>(label))
                    ->text(QAccessible::Name);
        title = box.windowTitle();
        box.accept();
    });
    QtPlatform().message(text, MsgIcon::Exclamation, MsgButtons::Ok, QString());
    QCOMPARE(shown, text);
    QCOMPARE(title, QStringLiteral("Vessilora"));
}

void tst_qtplatform::messageAnswers_data() {
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<QString>("action"); // a button's text, "Escape", "Enter" or "close"
    QTest::addColumn<MsgAnswer>("answer");
    const struct {
        MsgButtons buttons;
        QStringList texts;
        QList<MsgAnswer> answers; // of the buttons, then Escape, the close box and Enter
    } sets[] = {
        {MsgButtons::Ok, {"OK"}, {MsgAnswer::Ok, MsgAnswer::Ok, MsgAnswer::Ok, MsgAnswer::Ok}},
        {MsgButtons::OkCancel,
         {"OK", "Avbryt"},
         {MsgAnswer::Ok, MsgAnswer::Cancel, MsgAnswer::Cancel, MsgAnswer::Cancel, MsgAnswer::Ok}},
        {MsgButtons::YesNo,
         {"&Ja", "&Nej"},
         {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::No, MsgAnswer::No, MsgAnswer::Yes}},
        {MsgButtons::YesNoCancel,
         {"&Ja", "&Nej", "Avbryt"},
         {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel, MsgAnswer::Cancel, MsgAnswer::Cancel,
          MsgAnswer::Yes}},
    };
    const char* setNames[] = {"OK", "OK/Avbryt", "Ja/Nej", "Ja/Nej/Avbryt"};
    int set = 0;
    for (const auto& [buttons, texts, answers] : sets) {
        const QStringList actions = texts + QStringList{"Escape", "close", "Enter"};
        for (qsizetype k = 0; k < actions.size(); ++k)
            QTest::addRow("%s: %s", setNames[set], qPrintable(actions[k]))
                << buttons << actions[k] << answers[k];
        ++set;
    }
}

void tst_qtplatform::messageAnswers() {
    QFETCH(MsgButtons, buttons);
    QFETCH(QString, action);
    QFETCH(MsgAnswer, answer);
    bool acted = false;
    onNextBox([&](QMessageBox& box) {
        acted = true;
        if (action == QLatin1String("Escape"))
            QTest::keyClick(&box, Qt::Key_Escape);
        else if (action == QLatin1String("Enter"))
            QTest::keyClick(&box, Qt::Key_Return);
        else if (action == QLatin1String("close"))
            box.close();
        for (QAbstractButton* button : box.buttons())
            if (button->text() == action)
                button->click();
        // A box that is still open (its close box does nothing) fails the row.
        QTimer::singleShot(500, &box, &QMessageBox::reject);
    });
    QCOMPARE(QtPlatform().message(QStringLiteral("Fråga?"), MsgIcon::Question, buttons, QString()),
             answer);
    QVERIFY(acted);
}

void tst_qtplatform::toolkitDialogsAreSwedish() {
    QtPlatform::installAsDefault();
    TestProgramFolder folder(false);
    folder.write(QStringLiteral("sida.htm"), QByteArray("<html></html>"));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("bilder")));
    FileDialogRequest request;
    request.title = QStringLiteral("Spara som");
    request.filter = QStringLiteral("HTML-fil (*.htm)|*.htm");
    request.folder = folder.path();
    request.fileName = QStringLiteral("sida.htm");
    QFileDialog dialog;
    QtPlatform::prepareFileDialog(dialog, request, true);
    dialog.open();

    // The file list: its columns, a folder's type, a size and a date in Swedish form.
    const auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(view);
    const QAbstractItemModel* list = view->model();
    QStringList headers;
    for (int column = 0; column < list->columnCount(); ++column)
        headers << list->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"Namn", "Storlek", "Typ", "Ändringsdatum"}));
    auto row = [&](const QString& name) {
        QStringList cells;
        for (int r = 0; r < list->rowCount(view->rootIndex()); ++r) {
            if (list->index(r, 0, view->rootIndex()).data().toString() != name)
                continue;
            for (int column = 1; column < list->columnCount(); ++column)
                cells << list->index(r, column, view->rootIndex()).data().toString();
        }
        return cells;
    };
    QTRY_COMPARE(row(QStringLiteral("bilder")).value(1), QStringLiteral("Mapp"));
    const QStringList page = row(QStringLiteral("sida.htm"));
    QCOMPARE(page.value(0), QStringLiteral("13 byte"));
    QCOMPARE(page.value(1), QStringLiteral("HTML-dokument"));
    const QDateTime modified = QFileInfo(folder.file(QStringLiteral("sida.htm"))).lastModified();
    QCOMPARE(page.value(2), modified.toString(QStringLiteral("yyyy-MM-dd HH:mm")));

    // The question before a file is replaced, and its buttons.
    QString question;
    QStringList buttons;
    onNextBox([&](QMessageBox& box) {
        question = box.text();
        buttons = buttonTexts(box);
        for (QAbstractButton* button : box.buttons())
            if (button->text() == QLatin1String("&Nej"))
                button->click();
    });
    dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
        ->setText(QStringLiteral("sida.htm"));
    QMetaObject::invokeMethod(&dialog, "accept");
    QCOMPARE(question, QStringLiteral("sida.htm finns redan.\nVill du ersätta den?"));
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"&Ja", "&Nej"}));
    QVERIFY(dialog.isVisible()); // "Nej" keeps the dialog open
}

QTEST_MAIN(tst_qtplatform)
#include "tst_qtplatform.moc"
