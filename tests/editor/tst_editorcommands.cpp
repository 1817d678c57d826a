// The editor window's text commands, run through its menu items and keys: what each does to
// the text and the selection, what it asks and tells, one undo step per command, the busy
// pointer, automatic indentation and the repeat key.

#include "editor/frmeditor.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "testsupport.h"
#include "widgets/textarea.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QtTest>

class tst_editorcommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textCommands_data();
    void textCommands();
    void checks_data();
    void checks();
    void busyPointerAlwaysGoesBack_data();
    void busyPointerAlwaysGoesBack();
    void commandIsUndoneInOneStep();
    void letterCaseKeepsSelectionAndRepeats();
    void autoIndentKeepsTheClipboard_data();
    void autoIndentKeepsTheClipboard();
    void enterThatAnsweredAQuestionDoesNotIndent();
    void clipboardCommandsNeedASelection();

private:
    // The text with start/length selected, in the editor's text area.
    void set(const QString& text, int start = 0, int length = 0);
    QString text() const { return editor->txtText->text(); }
    QAction* action(const QString& name) const;
    // Triggers the menu item named "mnu..." or types the key sequence in the text.
    void run(const QString& command);

    std::unique_ptr<FakePlatformScope> scope;
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<QTemporaryDir> docs;
    frmEditor* editor = nullptr;
};

void tst_editorcommands::init() {
    scope = std::make_unique<FakePlatformScope>();
    folder = std::make_unique<TestProgramFolder>();
    docs = std::make_unique<QTemporaryDir>();
    QVERIFY(LoadEntityTable());
    StartFolder = docs->path();
    editor = new frmEditor;
    editor->show();
    // The menu shortcuts reach an active window only.
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    scope->fake.clear();
}

void tst_editorcommands::cleanup() {
    delete editor;
    editor = nullptr;
    docs.reset();
    folder.reset();
    scope.reset();
}

void tst_editorcommands::set(const QString& newText, int start, int length) {
    editor->txtText->setWholeText(newText);
    editor->txtText->setSel(start, length);
    DocumentChanged = false;
}

QAction* tst_editorcommands::action(const QString& name) const {
    auto* found = editor->findChild<QAction*>(name);
    if (!found)
        qFatal("no menu item %s", qPrintable(name));
    return found;
}

void tst_editorcommands::run(const QString& command) {
    if (command.startsWith(QLatin1String("mnu")))
        action(command)->trigger();
    else
        QTest::keySequence(editor->txtText, QKeySequence(command));
}

// --- Text commands ----------------------------------------------------------------------

// A command is a menu item ("mnu...") or a key sequence typed in the text.
void tst_editorcommands::textCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question"); // empty: nothing is asked
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selStart"); // -1: the selection is not checked
    QTest::addColumn<int>("selLength");
    const int yes = int(MsgAnswer::Yes);
    const int no = int(MsgAnswer::No);
    const QString sort = QStringLiteral("Är du säker på att du vill sortera dessa rader?");
    const QString warning = QStringLiteral("VARNING! Väljer du att fortsätta kan du layouten "
                                           "förändras. Kommandot kan inte ångras. Vill du "
                                           "fortsätta?");
    const QString compress = QStringLiteral("Är du säker på att du vill komprimera dessa rader?");
    QTest::newRow("remove tags in a selection")
        << "Ctrl+D"
        << "xa<B>c</B>dx" << 1 << 10 << yes << QString() << "xacdx" << 1 << 3;
    QTest::newRow("remove tags, begins inside a tag")
        << "Ctrl+D"
        << "<A B>ord<I>" << 3 << 8 << yes << QString() << "<A B>ord" << 3 << 5;
    QTest::newRow("remove tags, caret inside an image tag")
        << "Ctrl+D"
        << "x<IMG SRC=\"a.gif\">y" << 5 << 0 << yes << QString() << "xy" << 1 << 0;
    QTest::newRow("remove tags, caret right after a gt")
        << "Ctrl+D"
        << "<B>x" << 3 << 0 << yes << QString() << "<B>x" << 3 << 0;
    QTest::newRow("non-breaking space")
        << "Ctrl+Space"
        << "ab" << 1 << 0 << yes << QString() << "a&nbsp;b" << -1 << 0;
    QTest::newRow("sort from inside the first to inside the last")
        << "mnuToolsSort"
        << "b\r\na\r\nc\r\n"
        << 1 << 6 << yes << sort << "a\r\nb\r\nc\r\n"
        << 9 << 0;
    QTest::newRow("sort, last line ends the text")
        << "mnuToolsSort"
        << "b\r\na\r\nc" << 1 << 6 << yes << sort << "a\r\nb\r\nc\r\n"
        << 9 << 0;
    QTest::newRow("sort from the start of a line keeps the line above")
        << "mnuToolsSort"
        << "x\r\nb\r\na\r\n"
        << 3 << 4 << yes << sort << "x\r\na\r\nb\r\n"
        << 9 << 0;
    QTest::newRow("sort, no keeps the widened selection")
        << "mnuToolsSort"
        << "b\r\na\r\nc" << 1 << 6 << no << sort << "b\r\na\r\nc" << 0 << 7;
    QTest::newRow("codes, whole text when nothing selected")
        << "mnuEditConvert"
        << "Håll" << 2 << 0 << yes << QString() << "H&aring;ll" << 0 << 10;
    QTest::newRow("codes, only the selection")
        << "mnuEditConvert"
        << "åå" << 1 << 1 << yes << QString() << "å&aring;" << 1 << 7;
    QTest::newRow("codes back") << "mnuEditConvAscii"
                                << "a;&auml;b" << 0 << 0 << yes << QString() << "a;äb" << 0 << 4;
    QTest::newRow("remove breaks of the selection")
        << "mnuEditKill"
        << "a\r\nb\nc\r\nd" << 0 << 9 << yes << warning << "abcd" << -1 << 0;
    QTest::newRow("remove breaks, answer no")
        << "mnuEditKill"
        << "a\r\nb" << 0 << 4 << no << warning << "a\r\nb" << -1 << 0;
    QTest::newRow("compress") << "mnuEditRader"
                              << "  a  \r\n\tb" << 0 << 0 << yes << compress << "a\r\nb" << -1 << 0;
    QTest::newRow("pc") << "mnuRadPc"
                        << "a\nb\nc" << 0 << 0 << yes << QString() << "a\r\nb\r\nc" << -1 << 0;
    QTest::newRow("unix") << "mnuRadUnix"
                          << "a\r\nb" << 0 << 0 << yes << QString() << "a\nb" << -1 << 0;
    QTest::newRow("mac") << "mnuRadMac"
                         << "a\r\nb" << 0 << 0 << yes << QString() << "a\rb" << -1 << 0;
}

void tst_editorcommands::textCommands() {
    QFETCH(QString, command);
    QFETCH(QString, before);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(QString, after);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    set(before, start, length);
    scope->fake.messageAnswers = {MsgAnswer(answer)};
    run(command);
    QCOMPARE(scope->fake.messages().size(), question.isEmpty() ? 0 : 1);
    QCOMPARE(scope->fake.lastMessage(), question);
    QCOMPARE(text(), after);
    QCOMPARE(DocumentChanged, before != after);
    if (selStart >= 0) {
        QCOMPARE(editor->txtText->selStart(), selStart);
        QCOMPARE(editor->txtText->selLength(), selLength);
    }
    // Sorted lines are put in as a tag is: Ctrl+Y repeats them, and they end at the caret.
    if (command == QStringLiteral("mnuToolsSort") && answer == int(MsgAnswer::Yes))
        QVERIFY(after.first(selStart).endsWith(LastInsertedText) &&
                LastInsertedText.size() >= length);
}

// --- Checks -----------------------------------------------------------------------------

// The single checks tell what they found and select it; Ctrl+K runs them all silently and
// tells the first problem in one message.
void tst_editorcommands::checks_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("message"); // the start of the message
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("selStart"); // -1: stays where it was; -2: not checked
    QTest::addColumn<int>("selLength");
    const int info = int(MsgIcon::Information);
    const int warn = int(MsgIcon::Exclamation);
    const QString page = QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>b</BODY></HTML>");
    const QString noBody = QString(page).remove(QStringLiteral("</BODY>"));
    QTest::newRow("brackets fine")
        << "mnuErrorHakar" << page << "Inga fel på taggar hittades." << info << -1 << 0;
    QTest::newRow("missing gt") << "mnuErrorHakar"
                                << "a < b"
                                << "Det saknas en >." << warn << 2 << 3;
    QTest::newRow("quote outside tags")
        << "mnuErrorCitat"
        << "<p>\"x"
        << "Ett citatstecken hittades utanför taggar (du ska ersätta det med \"&quot;\"." << warn
        << 3 << 1;
    QTest::newRow("quote after characters outside the BMP")
        << "mnuErrorCitat" << QStringLiteral("\U0001F600\U0001F600<p>\"x")
        << "Ett citatstecken hittades utanför taggar (du ska ersätta det med \"&quot;\"." << warn
        << 7 << 1;
    QTest::newRow("odd quotes") << "mnuErrorCitat"
                                << "<img alt=\"x>"
                                << "Ett ojämnt antal citatstecken hittades." << warn << 0 << 12;
    QTest::newRow("standard tags fine")
        << "mnuErrorStandard" << page << "Inga problem hittades." << info << -1 << 0;
    QTest::newRow("missing tag selects nothing")
        << "mnuErrorStandard" << noBody << "</BODY> saknas." << warn << -1 << 0;
    QTest::newRow("doubled tag selected")
        << "mnuErrorStandard" << page + QStringLiteral("<HTML>") << "<HTML> hittades två gånger."
        << warn << int(page.size()) << 6;
    QTest::newRow("all: nothing found")
        << "Ctrl+K" << page << "Inga fel hittades." << info << -2 << 0;
    QTest::newRow("all: brackets first")
        << "Ctrl+K" << QStringLiteral("<p\"") << "Ett fel på en tagg hittades. \"Det saknas en >.\""
        << warn << 0 << 3;
    QTest::newRow("all: missing </BODY>")
        << "Ctrl+K" << noBody << "Problem med standardtaggar. \"</BODY> hittades inte.\"" << warn
        << -2 << 0;
    QTest::newRow("all: quotes last")
        << "Ctrl+K" << QString(page).replace(QStringLiteral(">b<"), QStringLiteral(">\"b<"))
        << "Ett citatsfel hittades. \"" << warn << 41 << 1;
}

void tst_editorcommands::checks() {
    QFETCH(QString, command);
    QFETCH(QString, page);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    set(page, 1, 0);
    run(command);
    QCOMPARE(scope->fake.messages().size(), 1);
    QVERIFY2(scope->fake.lastMessage().startsWith(message), qPrintable(scope->fake.lastMessage()));
    if (!command.startsWith(QLatin1String("Ctrl")))
        QCOMPARE(scope->fake.lastMessage(), message);
    QCOMPARE(int(scope->fake.messages().at(0).icon), icon);
    if (selStart > -2) {
        QCOMPARE(editor->txtText->selStart(), selStart < 0 ? 1 : selStart);
        QCOMPARE(editor->txtText->selLength(), selLength);
    }
    QCOMPARE(text(), page);
}

// --- Busy pointer, undo, case, repeat ---------------------------------------------------

void tst_editorcommands::busyPointerAlwaysGoesBack_data() {
    QTest::addColumn<QString>("item");
    for (const char* name :
         {"mnuEditDelTagg", "mnuEditKill", "mnuEditRader", "mnuRadPc", "mnuRadMac", "mnuRadUnix",
          "mnuEditConvert", "mnuEditConvAscii", "mnuToolsSort", "mnuErrorHakar", "mnuErrorCitat",
          "mnuErrorStandard", "mnuErrorAll"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_editorcommands::busyPointerAlwaysGoesBack() {
    QFETCH(QString, item);
    set(QStringLiteral("<p>b</p>\r\n<p>\"å\"</p>\r\n<b"), 0, 12);
    // Every box is answered Yes; the pointer must be normal whenever a box shows.
    scope->fake.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Yes};
    int busyDuringBoxes = 0;
    scope->fake.onMessage = [&](const PlatformCall&) { busyDuringBoxes += scope->fake.busyDepth; };
    action(item)->trigger();
    QVERIFY(scope->fake.busyShownCount > 0);
    QCOMPARE(scope->fake.busyDepth, 0);
    QCOMPARE(busyDuringBoxes, 0);
}

void tst_editorcommands::commandIsUndoneInOneStep() {
    const QString before = QStringLiteral("x<B>fet</B> å\r\ny");
    set(before, 0, int(before.size()));
    QTest::keyClick(editor->txtText, Qt::Key_H, Qt::ControlModifier);
    editor->txtText->setSel(0, editor->txtText->textLength());
    editor->menuItem(QStringLiteral("mnuEditDelTagg"))->trigger();
    QCOMPARE(text(), QStringLiteral("xfet &aring;\r\ny"));
    editor->menuItem(QStringLiteral("mnuEditUndo"))->trigger();
    QCOMPARE(text(), QStringLiteral("x<B>fet</B> &aring;\r\ny"));
    editor->menuItem(QStringLiteral("mnuEditUndo"))->trigger();
    QCOMPARE(text(), before);
}

void tst_editorcommands::letterCaseKeepsSelectionAndRepeats() {
    set(QStringLiteral("ett Ord här"), 4, 7);
    editor->menuItem(QStringLiteral("mnuEditVersal"))->trigger();
    QCOMPARE(text(), QStringLiteral("ett ORD HÄR"));
    QCOMPARE(editor->txtText->selStart(), 4);
    QCOMPARE(editor->txtText->selLength(), 7);
    editor->menuItem(QStringLiteral("mnuEditGem"))->trigger();
    QCOMPARE(text(), QStringLiteral("ett ord här"));
    QCOMPARE(editor->txtText->selLength(), 7);
    editor->txtText->setSel(0, 0);
    QTest::keyClick(editor->txtText, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(text(), QStringLiteral("ord härett ord här"));
}

void tst_editorcommands::autoIndentKeepsTheClipboard_data() {
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("after");
    QTest::newRow("two blanks and a tab") << true << "  \tord"
                                          << "  \tord\r\n  \t";
    QTest::newRow("switched off") << false << "  ord"
                                  << "  ord\r\n";
}

void tst_editorcommands::autoIndentKeepsTheClipboard() {
    QFETCH(bool, on);
    QFETCH(QString, line);
    QFETCH(QString, after);
    QApplication::clipboard()->setText(QStringLiteral("urklipp"));
    editor->mnuEditAuto->setChecked(on);
    set(line, int(line.size()));
    editor->txtText->setFocus();
    QTest::keyClick(editor->txtText, Qt::Key_Return);
    QCOMPARE(text(), after);
    QCOMPARE(editor->txtText->selStart(), int(after.size()));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("urklipp"));
}

void tst_editorcommands::enterThatAnsweredAQuestionDoesNotIndent() {
    set(QStringLiteral("  b\r\n  a\r\n"), 10);
    editor->txtText->setFocus();
    QTest::keyClick(editor->txtText, Qt::Key_Return); // the last key typed here is Enter
    editor->txtText->setSel(0, 10);
    // The question box takes the focus; Enter answers it and is released back in the text,
    // where the sorted lines leave the caret at the start of a line.
    scope->fake.messageAnswers = {MsgAnswer::Yes};
    scope->fake.onMessage = [this](const PlatformCall&) {
        QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(editor->txtText, &back);
    };
    editor->menuItem(QStringLiteral("mnuToolsSort"))->trigger();
    QTest::keyRelease(editor->txtText, Qt::Key_Return);
    QCOMPARE(text(), QStringLiteral("  a\r\n  b\r\n\r\n"));
}

void tst_editorcommands::clipboardCommandsNeedASelection() {
    QApplication::clipboard()->setText(QStringLiteral("kvar"));
    set(QStringLiteral("abc"), 1);
    editor->menuItem(QStringLiteral("mnuEditCut"))->trigger();
    editor->menuItem(QStringLiteral("mnuEditCopy"))->trigger();
    QCOMPARE(text(), QStringLiteral("abc"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kvar"));
    editor->txtText->setSel(1, 1);
    editor->menuItem(QStringLiteral("mnuEditCut"))->trigger();
    QCOMPARE(text(), QStringLiteral("ac"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("b"));
    editor->menuItem(QStringLiteral("mnuEditAll"))->trigger();
    editor->menuItem(QStringLiteral("mnuEditPaste"))->trigger();
    QCOMPARE(text(), QStringLiteral("b"));
    editor->menuItem(QStringLiteral("mnuEditAll"))->trigger();
    editor->menuItem(QStringLiteral("mnuEditDelete"))->trigger();
    QCOMPARE(text(), QString());
}

QTEST_MAIN(tst_editorcommands)
#include "tst_editorcommands.moc"
