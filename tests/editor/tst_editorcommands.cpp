// The editor window's text commands, run through its menu items and keys: what each does to
// the text and the selection, what it asks and tells, one undo step per command, the busy
// pointer, automatic indentation and the repeat key.

#include "editor/frmeditor.h"
#include "editor/textarea.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QtTest>

namespace {

const QString CrLf = QStringLiteral("\r\n");

} // namespace

class tst_editorcommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void removeTags_data();
    void removeTags();
    void sortLines_data();
    void sortLines();
    void entityConversion_data();
    void entityConversion();
    void singleChecks_data();
    void singleChecks();
    void combinedCheck_data();
    void combinedCheck();
    void lineBreakCommands_data();
    void lineBreakCommands();
    void busyPointerAlwaysGoesBack_data();
    void busyPointerAlwaysGoesBack();
    void commandIsUndoneInOneStep();
    void letterCaseKeepsSelectionAndRepeats();
    void autoIndentKeepsTheClipboard_data();
    void autoIndentKeepsTheClipboard();
    void enterThatAnsweredAQuestionDoesNotIndent();
    void ctrlSpaceInsertsNbsp();
    void clipboardCommandsNeedASelection();

private:
    // The text with start/length selected, in the editor's text area.
    void set(const QString& text, int start = 0, int length = 0);
    QString text() const { return editor->txtText->text(); }
    QAction* action(const QString& name) const;

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
    TagCase = 0;
    CurrentFile.clear();
    DocumentChanged = false;
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

// --- Remove tags ------------------------------------------------------------------------

void tst_editorcommands::removeTags_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::newRow("bold tag in a selection") << "xa<B>c</B>dx" << 1 << 10 << "xacdx" << 1 << 3;
    QTest::newRow("begins inside a tag") << "<A B>ord<I>" << 3 << 8 << "<A B>ord" << 3 << 5;
    QTest::newRow("lt without gt unchanged") << "a<b c" << 0 << 5 << "a<b c" << 0 << 5;
    QTest::newRow("gt after the last tag stays") << "a<B>b>" << 0 << 6 << "ab>" << 0 << 3;
    QTest::newRow("caret inside an image tag")
        << "x<IMG SRC=\"a.gif\">y" << 5 << 0 << "xy" << 1 << 0;
    QTest::newRow("caret right after a gt") << "<B>x" << 3 << 0 << "<B>x" << 3 << 0;
}

void tst_editorcommands::removeTags() {
    QFETCH(QString, before);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, after);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    set(before, start, length);
    QTest::keyClick(editor->txtText, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(text(), after);
    QCOMPARE(editor->txtText->selStart(), selStart);
    QCOMPARE(editor->txtText->selLength(), selLength);
    QCOMPARE(DocumentChanged, before != after);
}

// --- Sort lines -------------------------------------------------------------------------

void tst_editorcommands::sortLines_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    const int yes = int(MsgAnswer::Yes);
    QTest::newRow("from inside the first to inside the last") << "b\r\na\r\nc\r\n"
                                                              << 1 << 6 << yes << "a\r\nb\r\nc\r\n"
                                                              << 9 << 0;
    QTest::newRow("last line ends the text") << "b\r\na\r\nc" << 1 << 6 << yes << "a\r\nb\r\nc\r\n"
                                             << 9 << 0;
    QTest::newRow("start of a line keeps the line above") << "x\r\nb\r\na\r\n"
                                                          << 3 << 4 << yes << "x\r\na\r\nb\r\n"
                                                          << 9 << 0;
    QTest::newRow("no keeps the widened selection")
        << "b\r\na\r\nc" << 1 << 6 << int(MsgAnswer::No) << "b\r\na\r\nc" << 0 << 7;
}

void tst_editorcommands::sortLines() {
    QFETCH(QString, before);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, answer);
    QFETCH(QString, after);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    set(before, start, length);
    scope->fake.messageAnswers = {MsgAnswer(answer)};
    editor->mnuToolsSort->trigger();
    QCOMPARE(scope->fake.messages().size(), 1);
    QCOMPARE(scope->fake.lastMessage(),
             QStringLiteral("Är du säker på att du vill sortera dessa rader?"));
    QCOMPARE(scope->fake.messages().at(0).icon, MsgIcon::Question);
    QCOMPARE(text(), after);
    QCOMPARE(editor->txtText->selStart(), selStart);
    QCOMPARE(editor->txtText->selLength(), selLength);
    // Put in as a tag is: Ctrl+Y repeats the sorted lines, which end at the caret.
    if (answer == int(MsgAnswer::Yes))
        QVERIFY(after.first(selStart).endsWith(LastInsertedText) &&
                LastInsertedText.size() >= length);
}

// --- Entities ---------------------------------------------------------------------------

void tst_editorcommands::entityConversion_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::newRow("codes, whole text when nothing selected")
        << "mnuEditConvert"
        << "Håll" << 2 << 0 << "H&aring;ll" << 0 << 10;
    QTest::newRow("codes, only the selection") << "mnuEditConvert"
                                               << "åå" << 1 << 1 << "å&aring;" << 1 << 7;
    QTest::newRow("back, semicolon before a code") << "mnuEditConvAscii"
                                                   << "a;&auml;b" << 0 << 0 << "a;äb" << 0 << 4;
    QTest::newRow("back, unknown code stays") << "mnuEditConvAscii"
                                              << "x&foo;&auml;" << 0 << 0 << "x&foo;ä" << 0 << 7;
}

void tst_editorcommands::entityConversion() {
    QFETCH(QString, item);
    QFETCH(QString, before);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, after);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    set(before, start, length);
    action(item)->trigger();
    QCOMPARE(text(), after);
    QCOMPARE(editor->txtText->selStart(), selStart);
    QCOMPARE(editor->txtText->selLength(), selLength);
    QVERIFY(scope->fake.messages().isEmpty());
}

// --- Checks -----------------------------------------------------------------------------

void tst_editorcommands::singleChecks_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("selStart"); // -1: the selection stays where it was
    QTest::addColumn<int>("selLength");
    const int info = int(MsgIcon::Information);
    const int warn = int(MsgIcon::Exclamation);
    const QString page = QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>b</BODY></HTML>");
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
    QTest::newRow("odd quotes") << "mnuErrorCitat"
                                << "<img alt=\"x>"
                                << "Ett ojämnt antal citatstecken hittades." << warn << 0 << 12;
    QTest::newRow("standard tags fine")
        << "mnuErrorStandard" << page << "Inga problem hittades." << info << -1 << 0;
    QTest::newRow("missing tag selects nothing")
        << "mnuErrorStandard" << QString(page).remove(QStringLiteral("</BODY>"))
        << "</BODY> saknas." << warn << -1 << 0;
    QTest::newRow("doubled tag selected")
        << "mnuErrorStandard" << page + QStringLiteral("<HTML>") << "<HTML> hittades två gånger."
        << warn << int(page.size()) << 6;
}

void tst_editorcommands::singleChecks() {
    QFETCH(QString, item);
    QFETCH(QString, page);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    set(page, 1, 0);
    action(item)->trigger();
    QCOMPARE(scope->fake.messages().size(), 1);
    QCOMPARE(scope->fake.lastMessage(), message);
    QCOMPARE(int(scope->fake.messages().at(0).icon), icon);
    QCOMPARE(editor->txtText->selStart(), selStart < 0 ? 1 : selStart);
    QCOMPARE(editor->txtText->selLength(), selLength);
    QCOMPARE(text(), page);
}

void tst_editorcommands::combinedCheck_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    const QString page = QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>b</BODY></HTML>");
    QTest::newRow("nothing found") << page << "Inga fel hittades." << int(MsgIcon::Information);
    QTest::newRow("brackets first")
        << QStringLiteral("<p\"") << "Ett fel på en tagg hittades. \"Det saknas en >.\""
        << int(MsgIcon::Exclamation);
    QTest::newRow("missing </BODY>")
        << QString(page).remove(QStringLiteral("</BODY>"))
        << "Problem med standardtaggar. \"</BODY> hittades inte.\"" << int(MsgIcon::Exclamation);
    QTest::newRow("quotes last") << QString(page).replace(QStringLiteral(">b<"),
                                                          QStringLiteral(">\"b<"))
                                 << "Ett citatsfel hittades. \"" << int(MsgIcon::Exclamation);
}

void tst_editorcommands::combinedCheck() {
    QFETCH(QString, page);
    QFETCH(QString, message);
    QFETCH(int, icon);
    set(page);
    QTest::keyClick(editor->txtText, Qt::Key_K, Qt::ControlModifier);
    // One message only: the single checks run silently.
    QCOMPARE(scope->fake.messages().size(), 1);
    QVERIFY2(scope->fake.lastMessage().startsWith(message), qPrintable(scope->fake.lastMessage()));
    QCOMPARE(int(scope->fake.messages().at(0).icon), icon);
}

// --- Line breaks ------------------------------------------------------------------------

void tst_editorcommands::lineBreakCommands_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("after");
    const int yes = int(MsgAnswer::Yes);
    const QString warning = QStringLiteral("VARNING! Väljer du att fortsätta kan du layouten "
                                           "förändras. Kommandot kan inte ångras. Vill du "
                                           "fortsätta?");
    const QString compress = QStringLiteral("Är du säker på att du vill komprimera dessa rader?");
    QTest::newRow("remove breaks of the selection")
        << "mnuEditKill"
        << "a\r\nb\nc\r\nd" << 0 << 9 << yes << warning << "abcd";
    QTest::newRow("remove breaks, answer no")
        << "mnuEditKill"
        << "a\r\nb" << 0 << 4 << int(MsgAnswer::No) << warning << "a\r\nb";
    QTest::newRow("compress") << "mnuEditRader"
                              << "  a  \r\n\tb" << 0 << 0 << yes << compress << "a\r\nb";
    QTest::newRow("pc") << "mnuRadPc"
                        << "a\nb\nc" << 0 << 0 << yes << QString() << "a\r\nb\r\nc";
    QTest::newRow("unix") << "mnuRadUnix"
                          << "a\r\nb" << 0 << 0 << yes << QString() << "a\nb";
    QTest::newRow("mac") << "mnuRadMac"
                         << "a\r\nb" << 0 << 0 << yes << QString() << "a\rb";
}

void tst_editorcommands::lineBreakCommands() {
    QFETCH(QString, item);
    QFETCH(QString, before);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(QString, after);
    set(before, start, length);
    scope->fake.messageAnswers = {MsgAnswer(answer)};
    action(item)->trigger();
    QCOMPARE(scope->fake.lastMessage(), question);
    QCOMPARE(text(), after);
    QCOMPARE(DocumentChanged, before != after);
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
    editor->mnuEditDelTagg->trigger();
    QCOMPARE(text(), QStringLiteral("xfet &aring;\r\ny"));
    editor->mnuEditUndo->trigger();
    QCOMPARE(text(), QStringLiteral("x<B>fet</B> &aring;\r\ny"));
    editor->mnuEditUndo->trigger();
    QCOMPARE(text(), before);
}

void tst_editorcommands::letterCaseKeepsSelectionAndRepeats() {
    set(QStringLiteral("ett Ord här"), 4, 7);
    editor->mnuEditVersal->trigger();
    QCOMPARE(text(), QStringLiteral("ett ORD HÄR"));
    QCOMPARE(editor->txtText->selStart(), 4);
    QCOMPARE(editor->txtText->selLength(), 7);
    editor->mnuEditGem->trigger();
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
    editor->mnuToolsSort->trigger();
    QTest::keyRelease(editor->txtText, Qt::Key_Return);
    QCOMPARE(text(), QStringLiteral("  a\r\n  b\r\n\r\n"));
}

void tst_editorcommands::ctrlSpaceInsertsNbsp() {
    set(QStringLiteral("ab"), 1);
    editor->txtText->setFocus();
    QTest::keyClick(editor->txtText, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(text(), QStringLiteral("a&nbsp;b"));
}

void tst_editorcommands::clipboardCommandsNeedASelection() {
    QApplication::clipboard()->setText(QStringLiteral("kvar"));
    set(QStringLiteral("abc"), 1);
    editor->mnuEditCut->trigger();
    editor->mnuEditCopy->trigger();
    QCOMPARE(text(), QStringLiteral("abc"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kvar"));
    editor->txtText->setSel(1, 1);
    editor->mnuEditCut->trigger();
    QCOMPARE(text(), QStringLiteral("ac"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("b"));
    editor->mnuEditAll->trigger();
    editor->mnuEditPaste->trigger();
    QCOMPARE(text(), QStringLiteral("b"));
    editor->mnuEditAll->trigger();
    editor->mnuEditDelete->trigger();
    QCOMPARE(text(), QString());
}

QTEST_MAIN(tst_editorcommands)
#include "tst_editorcommands.moc"
