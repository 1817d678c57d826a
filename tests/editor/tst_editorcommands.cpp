// The editor window's text commands, run through its menu items and keys: what each does to
// the text and the selection, what it asks and tells, one undo step per command, the busy
// pointer, automatic indentation and the repeat key.

#include "editorfixture.h"
#include "markup/entities.h"

#include <QApplication>
#include <QClipboard>

using namespace Qt::StringLiterals;

class tst_editorcommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { f.reset(); }
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
    // Triggers the menu item named "mnu..." or types the key sequence in the text.
    void run(const QString& command);

    std::unique_ptr<EditorFixture> f;
    TextArea* area = nullptr;
};

void tst_editorcommands::init() {
    f = std::make_unique<EditorFixture>();
    QVERIFY(LoadEntityTable());
    f->open(true); // the menu shortcuts reach an active window only
    area = f->area();
    f->fake().clear();
}

void tst_editorcommands::run(const QString& command) {
    if (command.startsWith(u"mnu"_s))
        f->trigger(command);
    else
        QTest::keySequence(area, QKeySequence(command));
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
    const QString sort = u"Är du säker på att du vill sortera dessa rader?"_s;
    const QString warning = u"VARNING! Väljer du att fortsätta kan du layouten förändras. "
                            u"Kommandot kan inte ångras. Vill du fortsätta?"_s;
    const QString compress = u"Är du säker på att du vill komprimera dessa rader?"_s;
    const auto row = [](const char* name, const char* command, const char* before, int start,
                        int length, int answer, const QString& question, const char* after,
                        int selStart = -1, int selLength = 0) {
        QTest::newRow(name) << QString::fromUtf8(command) << QString::fromUtf8(before) << start
                            << length << answer << question << QString::fromUtf8(after) << selStart
                            << selLength;
    };
    row("remove tags in a selection", "Ctrl+D", "xa<B>c</B>dx", 1, 10, yes, {}, "xacdx", 1, 3);
    row("remove tags, caret inside an image tag", "Ctrl+D", "x<IMG SRC=\"a.gif\">y", 5, 0, yes, {},
        "xy", 1, 0);
    row("non-breaking space", "Ctrl+Space", "ab", 1, 0, yes, {}, "a&nbsp;b");
    row("sort from inside the first to inside the last", "mnuToolsSort", "b\r\na\r\nc\r\n", 1, 6,
        yes, sort, "a\r\nb\r\nc\r\n", 9, 0);
    row("sort, no keeps the widened selection", "mnuToolsSort", "b\r\na\r\nc", 1, 6, no, sort,
        "b\r\na\r\nc", 0, 7);
    row("codes, whole text when nothing selected", "mnuEditConvert", "Håll", 2, 0, yes, {},
        "H&aring;ll", 0, 10);
    row("codes back", "mnuEditConvAscii", "a;&auml;b", 0, 0, yes, {}, "a;äb", 0, 4);
    row("remove breaks of the selection", "mnuEditKill", "a\r\nb\nc\r\nd", 0, 9, yes, warning,
        "abcd");
    row("remove breaks, answer no", "mnuEditKill", "a\r\nb", 0, 4, no, warning, "a\r\nb");
    row("compress", "mnuEditRader", "  a  \r\n\tb", 0, 0, yes, compress, "a\r\nb");
    row("bold wraps the selection", "mnuFormFet", "ett ord", 4, 3, yes, {}, "ett <B>ord</B>");
    row("pc", "mnuRadPc", "a\nb\nc", 0, 0, yes, {}, "a\r\nb\r\nc");
    row("mac", "mnuRadMac", "a\r\nb", 0, 0, yes, {}, "a\rb");
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
    f->set(before, start, length);
    f->fake().messageAnswers = {MsgAnswer(answer)};
    run(command);
    QCOMPARE(f->fake().messages().size(), question.isEmpty() ? 0 : 1);
    QCOMPARE(f->fake().lastMessage(), question);
    QCOMPARE(f->text(), after);
    QCOMPARE(DocumentChanged, before != after);
    if (selStart >= 0) {
        QCOMPARE(area->selStart(), selStart);
        QCOMPARE(area->selLength(), selLength);
    }
    // Sorted lines are put in as a tag is: Ctrl+Y repeats them, and they end at the caret.
    if (command == u"mnuToolsSort"_s && answer == int(MsgAnswer::Yes))
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
    const QString page = u"<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>b</BODY></HTML>"_s;
    const QString noBody = QString(page).remove(u"</BODY>"_s);
    const QString outside =
        u"Ett citatstecken hittades utanför taggar (du ska ersätta det med \"&quot;\"."_s;
    const auto row = [](const char* name, const char* command, const QString& text,
                        const QString& message, int icon, int selStart = -1, int selLength = 0) {
        QTest::newRow(name) << QString::fromUtf8(command) << text << message << icon << selStart
                            << selLength;
    };
    row("brackets fine", "mnuErrorHakar", page, u"Inga fel på taggar hittades."_s, info);
    row("missing gt", "mnuErrorHakar", u"a < b"_s, u"Det saknas en >."_s, warn, 2, 3);
    row("quote after characters outside the BMP", "mnuErrorCitat", u"\U0001F600\U0001F600<p>\"x"_s,
        outside, warn, 7, 1);
    row("odd quotes", "mnuErrorCitat", u"<img alt=\"x>"_s,
        u"Ett ojämnt antal citatstecken hittades."_s, warn, 0, 12);
    row("standard tags fine", "mnuErrorStandard", page, u"Inga problem hittades."_s, info);
    row("missing tag selects nothing", "mnuErrorStandard", noBody, u"</BODY> saknas."_s, warn);
    row("doubled tag selected", "mnuErrorStandard", page + u"<HTML>"_s,
        u"<HTML> hittades två gånger."_s, warn, int(page.size()), 6);
    row("all: nothing found", "Ctrl+K", page, u"Inga fel hittades."_s, info, -2);
    row("all: brackets first", "Ctrl+K", u"<p\""_s,
        u"Ett fel på en tagg hittades. \"Det saknas en >.\""_s, warn, 0, 3);
    row("all: missing </BODY>", "Ctrl+K", noBody,
        u"Problem med standardtaggar. \"</BODY> hittades inte.\""_s, warn, -2);
}

void tst_editorcommands::checks() {
    QFETCH(QString, command);
    QFETCH(QString, page);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    f->set(page, 1, 0);
    run(command);
    QCOMPARE(f->fake().messages().size(), 1);
    QVERIFY2(f->fake().lastMessage().startsWith(message), qPrintable(f->fake().lastMessage()));
    if (!command.startsWith(u"Ctrl"_s))
        QCOMPARE(f->fake().lastMessage(), message);
    QCOMPARE(int(f->fake().messages().at(0).icon), icon);
    if (selStart > -2) {
        QCOMPARE(area->selStart(), selStart < 0 ? 1 : selStart);
        QCOMPARE(area->selLength(), selLength);
    }
    QCOMPARE(f->text(), page);
}

// --- Busy pointer, undo, case, repeat ---------------------------------------------------

// One item for each way the commands show the busy pointer: the line break styles share one,
// so do both entity conversions and all the checks.
void tst_editorcommands::busyPointerAlwaysGoesBack_data() {
    QTest::addColumn<QString>("item");
    for (const char* name : {"mnuEditDelTagg", "mnuEditKill", "mnuEditRader", "mnuRadPc",
                             "mnuEditConvert", "mnuToolsSort", "mnuErrorAll"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_editorcommands::busyPointerAlwaysGoesBack() {
    QFETCH(QString, item);
    f->set(u"<p>b</p>\r\n<p>\"å\"</p>\r\n<b"_s, 0, 12);
    // Every box is answered Yes; the pointer must be normal whenever a box shows.
    f->fake().messageAnswers = {MsgAnswer::Yes, MsgAnswer::Yes};
    int busyDuringBoxes = 0;
    f->fake().onMessage = [&](const PlatformCall&) { busyDuringBoxes += f->fake().busyDepth; };
    f->trigger(item);
    QVERIFY(f->fake().busyShownCount > 0);
    QCOMPARE(f->fake().busyDepth, 0);
    QCOMPARE(busyDuringBoxes, 0);
}

void tst_editorcommands::commandIsUndoneInOneStep() {
    const QString before = u"x<B>fet</B> å\r\ny"_s;
    f->set(before, 0, int(before.size()));
    QTest::keyClick(area, Qt::Key_H, Qt::ControlModifier);
    area->setSel(0, area->textLength());
    f->trigger(u"mnuEditDelTagg"_s);
    QCOMPARE(f->text(), u"xfet &aring;\r\ny"_s);
    f->trigger(u"mnuEditUndo"_s);
    QCOMPARE(f->text(), u"x<B>fet</B> &aring;\r\ny"_s);
    f->trigger(u"mnuEditUndo"_s);
    QCOMPARE(f->text(), before);
}

void tst_editorcommands::letterCaseKeepsSelectionAndRepeats() {
    f->set(u"ett Ord här"_s, 4, 7);
    f->trigger(u"mnuEditVersal"_s);
    QCOMPARE(f->text(), u"ett ORD HÄR"_s);
    QCOMPARE(area->selStart(), 4);
    QCOMPARE(area->selLength(), 7);
    f->trigger(u"mnuEditGem"_s);
    QCOMPARE(f->text(), u"ett ord här"_s);
    QCOMPARE(area->selLength(), 7);
    area->setSel(0, 0);
    QTest::keyClick(area, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f->text(), u"ord härett ord här"_s);
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
    QApplication::clipboard()->setText(u"urklipp"_s);
    f->editor->mnuEditAuto->setChecked(on);
    f->set(line, int(line.size()));
    area->setFocus();
    QTest::keyClick(area, Qt::Key_Return);
    QCOMPARE(f->text(), after);
    QCOMPARE(area->selStart(), int(after.size()));
    QCOMPARE(QApplication::clipboard()->text(), u"urklipp"_s);
}

void tst_editorcommands::enterThatAnsweredAQuestionDoesNotIndent() {
    f->set(u"  b\r\n  a\r\n"_s, 10);
    area->setFocus();
    QTest::keyClick(area, Qt::Key_Return); // the last key typed here is Enter
    area->setSel(0, 10);
    // The question box takes the focus; Enter answers it and is released back in the text,
    // where the sorted lines leave the caret at the start of a line.
    f->fake().messageAnswers = {MsgAnswer::Yes};
    f->fake().onMessage = [this](const PlatformCall&) {
        QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(area, &back);
    };
    f->trigger(u"mnuToolsSort"_s);
    QTest::keyRelease(area, Qt::Key_Return);
    QCOMPARE(f->text(), u"  a\r\n  b\r\n\r\n"_s);
}

void tst_editorcommands::clipboardCommandsNeedASelection() {
    QApplication::clipboard()->setText(u"kvar"_s);
    f->set(u"abc"_s, 1);
    f->trigger(u"mnuEditCut"_s);
    f->trigger(u"mnuEditCopy"_s);
    QCOMPARE(f->text(), u"abc"_s);
    QCOMPARE(QApplication::clipboard()->text(), u"kvar"_s);
    area->setSel(1, 1);
    f->trigger(u"mnuEditCut"_s);
    QCOMPARE(f->text(), u"ac"_s);
    QCOMPARE(QApplication::clipboard()->text(), u"b"_s);
    f->trigger(u"mnuEditAll"_s);
    f->trigger(u"mnuEditPaste"_s);
    QCOMPARE(f->text(), u"b"_s);
    f->trigger(u"mnuEditAll"_s);
    f->trigger(u"mnuEditDelete"_s);
    QCOMPARE(f->text(), QString());
}

QTEST_MAIN(tst_editorcommands)
#include "tst_editorcommands.moc"
