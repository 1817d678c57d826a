// The editor's text commands as text logic: decoding entity codes, removing tags and line
// breaks, letter case, sorting lines, the check messages and automatic indentation.

#include "markup/entities.h"
#include "markup/globals.h"
#include "markup/textcommands.h"
#include "testsupport.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A small entity table: entries 1..5, then the blank with "&nbsp;". Entry 4 repeats the
// code of entry 1, so the first entry must win.
void SetSmallTable() {
    EntityChars = {QString(), "ä", "å", "&", "x", "ö", " "};
    EntityCodes = {QString(), "&auml;", "&aring;", "&amp;", "&auml;", "&ouml;", "&nbsp;"};
    EntityCount = 5;
}

QString Decode(const QString& text) {
    WorkText = text;
    DecodeEntities();
    return WorkText;
}

// The text after an edit is applied.
QString Apply(const QString& text, const TextEdit& edit) {
    if (!edit.changed)
        return text;
    QString result = text;
    result.replace(edit.replaceStart, edit.replaceLength, edit.replacement);
    return result;
}

const QString Page = u"<HTML>\r\n<HEAD>\r\n<TITLE>Prov</TITLE>\r\n</HEAD>\r\n"
                     u"<BODY>\r\n<P>Text</P>\r\n</BODY>\r\n</HTML>\r\n"_s;

// ToCodesDeleting converts with a table of one line "x": every x is deleted.
enum Command { Tags, Breaks, Capitals, Small, ToCodes, FromCodes, ToCodesDeleting };

} // namespace

class TestTextCommands : public QObject {
    Q_OBJECT

private slots:
    void init() { SetSmallTable(); }
    void decode_data();
    void decode();
    void decodeUndoesConversionWithShippedTable();
    void editCommands_data();
    void editCommands();
    void widenToLines_data();
    void widenToLines();
    void sortLines_data();
    void sortLines();
    void sortSelectedLines();
    void checkReportText_data();
    void checkReportText();
    void runChecks_data();
    void runChecks();
    void autoIndent_data();
    void autoIndent();
};

void TestTextCommands::decode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, const QString& text, const QString& expected) {
        QTest::newRow(name) << text << expected;
    };
    row("empty", "", "");
    row("R&D", "R&D", "R&D");
    row("unknown then known", "&xyz;&ouml;", "&xyz;ö");
    row("letter case matters", "&Auml;", "&Auml;");
    row("nbsp becomes a blank", "a&nbsp;b", "a b");
    row("first entry wins", "&auml;", "ä");
    row("ampersand inside candidate", "a&b&auml;", "a&bä");
    row("decoded once only", "&amp;auml;", "&auml;");
    row("ends in &", "abc&", "abc&");
    row("empty candidate", "&;", "&;");
    row("candidate across a blank", "&au ml;", "&au ml;");
    row("line breaks kept", "&auml;\r\n&aring;", "ä\r\nå");
}

void TestTextCommands::decode() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(Decode(text), expected);
    QCOMPARE(StatusText, u"Klart"_s);
}

void TestTextCommands::decodeUndoesConversionWithShippedTable() {
    TestProgramFolder folder;
    FakePlatformScope fake;
    QVERIFY(LoadEntityTable());
    const QString text = u"Åsa åt räksmörgås på café Ölandia, ©.\r\n<B>Hej</B>"_s;
    WorkText = text;
    ConvertCharacters();
    QVERIFY(WorkText != text);
    QCOMPARE(Decode(WorkText), text);
}

void TestTextCommands::editCommands_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newLength");
    auto row = [](const char* name, int command, const QString& text, int selStart, int selLength,
                  bool changed, const QString& after, int newStart, int newLength) {
        static const char* const commands[] = {"tags",     "breaks",     "capitals", "small",
                                               "to codes", "from codes", "deleting"};
        QTest::addRow("%s: %s", commands[command], name)
            << command << text << selStart << selLength << changed << after << newStart
            << newLength;
    };
    // Removing tags from a selection.
    row("a <b> c </b> d", Tags, "xa<b>c</b>dy", 1, 10, true, "xacdy", 1, 3);
    row("begins inside a tag", Tags, "<a href=x>y<b>z", 3, 12, true, "<a href=x>yz", 3, 9);
    row("< without any >", Tags, "a<b c", 0, 5, false, "a<b c", 0, 5);
    row("no <", Tags, "ab>c", 0, 4, false, "ab>c", 0, 4);
    row("last < unclosed", Tags, "a<b>c<d", 0, 7, true, "ac<d", 0, 4);
    row("selection clipped", Tags, "<b>x", 0, 99, true, "x", 0, 1);
    // Removing the tag around the caret.
    row("caret in img", Tags, "x<img src=\"a.gif\">y", 5, 0, true, "xy", 1, 0);
    row("caret after >", Tags, "x<b>y", 4, 0, false, "x<b>y", 4, 0);
    row("caret at 0", Tags, "<b>", 0, 0, false, "<b>", 0, 0);
    row("caret before <", Tags, "x<b>", 1, 0, false, "x<b>", 1, 0);
    row("no > to the right", Tags, "a<b c", 4, 0, true, "a", 1, 0);
    row("< met to the right", Tags, "<a <b>", 2, 0, false, "<a <b>", 2, 0);

    row("all kinds", Breaks, "a\r\nb\rc\nd", 0, 8, true, "abcd", 0, 4);
    row("part", Breaks, "a\r\nb\r\nc", 2, 4, true, "a\rbc", 2, 1);
    row("nothing selected", Breaks, "a\r\nb", 1, 0, false, "a\r\nb", 1, 0);

    // Always inserted, even with nothing selected, so Ctrl+Y repeats it.
    row("tag name", Capitals, "a<b>räksmörgås</b>", 1, 3, true, "a<B>räksmörgås</b>", 1, 3);
    row("sharp s keeps its length", Capitals, "straße", 0, 6, true, "STRAßE", 0, 6);
    row("nothing selected", Capitals, "abc", 1, 0, true, "abc", 1, 0);
    row("Swedish and tags", Small, "ÅÄÖ <HTML>", 0, 10, true, "åäö <html>", 0, 10);

    // With nothing selected the whole text is converted; the result is selected.
    row("whole text", ToCodes, "Häst", 2, 0, true, "H&auml;st", 0, 9);
    row("selection", ToCodes, "ä ä ä", 2, 1, true, "ä &auml; ä", 2, 6);
    row("whole text", FromCodes, "H&auml;st", 0, 0, true, "Häst", 0, 4);
    row("selection", FromCodes, "&auml;&auml;", 6, 6, true, "&auml;ä", 6, 1);
    row("empty text", FromCodes, "", 0, 0, false, "", 0, 0);
    row("among other characters", ToCodesDeleting, "axxb", 0, 4, true, "ab", 0, 2);
    row("nothing but deleted characters", ToCodesDeleting, "axxb", 1, 2, true, "ab", 1, 0);
}

void TestTextCommands::editCommands() {
    QFETCH(int, command);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, changed);
    QFETCH(QString, after);
    QFETCH(int, newStart);
    QFETCH(int, newLength);
    TextEdit edit;
    switch (command) {
    case Tags:
        edit = RemoveTags(text, selStart, selLength);
        break;
    case Breaks:
        edit = RemoveLineBreaks(text, selStart, selLength);
        break;
    case Capitals:
    case Small:
        edit = ChangeLetterCase(text, selStart, selLength, command == Capitals);
        break;
    case ToCodesDeleting:
        EntityChars = {QString(), u"x"_s, u" "_s};
        EntityCodes = {QString(), QString(), u"&nbsp;"_s};
        EntityCount = 1;
        edit = ConvertEntities(text, selStart, selLength, true);
        break;
    default:
        edit = ConvertEntities(text, selStart, selLength, command == ToCodes);
    }
    QVERIFY(!edit.failed);
    QCOMPARE(edit.changed, changed);
    QCOMPARE(Apply(text, edit), after);
    QCOMPARE(edit.selStart, newStart);
    QCOMPARE(edit.selLength, newLength);
}

void TestTextCommands::widenToLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    const QString bac = u"b\r\na\r\nc\r\n"_s;
    QTest::newRow("inside first to inside last") << bac << 1 << 6 << 0 << 9;
    QTest::newRow("start at line start stays") << bac << 3 << 2 << 3 << 3;
    QTest::newRow("ends with LF keeps end") << bac << 0 << 3 << 0 << 3;
    QTest::newRow("no LF follows") << "b\r\na\r\nc" << 4 << 3 << 3 << 4;
    QTest::newRow("CR alone is no break") << "a\rb\rc" << 2 << 1 << 0 << 5;
    QTest::newRow("caret only") << bac << 4 << 0 << 3 << 3;
}

void TestTextCommands::widenToLines() {
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(int, start);
    QFETCH(int, length);
    QCOMPARE(WidenToLines(text, selStart, selLength), (TextRange{start, length}));
}

void TestTextCommands::sortLines_data() {
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("sorted");
    auto row = [](const char* name, const QString& lines, const QString& sorted) {
        QTest::newRow(name) << lines << sorted;
    };
    row("b a c", "b\r\na\r\nc\r\n", "a\r\nb\r\nc\r\n");
    row("last line without break", "b\r\na\r\nc", "a\r\nb\r\nc\r\n");
    row("letter case ignored", "B\r\na\r\nC\r\n", "a\r\nB\r\nC\r\n");
    row("equal lines keep order", "b\r\nA\r\na\r\n", "A\r\na\r\nb\r\n");
    row("Swedish letters after z", "ö\r\nz\r\nå\r\nÄ\r\n", "z\r\nå\r\nÄ\r\nö\r\n");
    row("LF breaks", "b\na\n", "a\nb\n");
    row("empty", "", "");
    row("last line ends in CR", "b\r\na\r", "a\rb\r\n");
    row("no break sorts before break", "a\r\na", "a\r\na\r\n");
    row("digits as text", "9\r\n10\r\n", "10\r\n9\r\n");
}

void TestTextCommands::sortLines() {
    QFETCH(QString, lines);
    QFETCH(QString, sorted);
    QCOMPARE(SortLines(lines), sorted);
}

void TestTextCommands::sortSelectedLines() {
    // The lines the editor widened the selection to are sorted; the caret follows them.
    const QString text = u"x\r\nb\r\na\r\nc\r\ny"_s;
    const TextEdit edit = SortSelectedLines(text, 3, 9);
    QVERIFY(edit.changed);
    QCOMPARE(Apply(text, edit), u"x\r\na\r\nb\r\nc\r\ny"_s);
    QCOMPARE(edit.selStart, 12);
    QCOMPARE(edit.selLength, 0);
    QVERIFY(!SortSelectedLines(text, 3, 0).changed);
}

// The messages of the kinds that runChecks below does not reach: the first and last of each
// group of the standard-tag check and the kinds without a message.
void TestTextCommands::checkReportText_data() {
    QTest::addColumn<MarkupCheck>("check");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    auto row = [](MarkupCheck check, int kind, const QString& message) {
        QTest::addRow("%d/%d", int(check), kind) << check << kind << message;
    };
    const auto s = MarkupCheck::StandardTags;
    row(MarkupCheck::Brackets, 3, "");
    row(MarkupCheck::Quotes, 3, "");
    row(s, 1, "<HTML> saknas.");
    row(s, 8, "</HTML> saknas.");
    row(s, 9, "");
    row(s, 11, "<HTML> är felaktigt placerat (skall stå först).");
    row(s, 12, "<HEAD> är felaktigt placerat (skall stå efter <HEAD>, före <BODY>).");
    row(s, 18, "</HTML> är felaktigt placerat (skall stå sist i dokumentet).");
    row(s, 19, "");
    row(s, 21, "<HTML> hittades två gånger.");
    row(s, 28, "</HTML> hittades två gånger.");
    row(s, 29, "");
}

void TestTextCommands::checkReportText() {
    QFETCH(MarkupCheck, check);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QCOMPARE(CheckReportText(check, kind), message);
    QCOMPARE(CheckReportIcon(kind), MsgIcon::Exclamation);
}

void TestTextCommands::runChecks_data() {
    QTest::addColumn<bool>("all"); // RunAllChecks, else RunCheck(check)
    QTest::addColumn<MarkupCheck>("check");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("select");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("message");
    // The messages the editor's check commands show are checked with the editor; these are
    // the others. With all checks the first problem wins, and its selection is kept.
    auto row = [](const char* name, bool all, MarkupCheck check, const QString& text, int kind,
                  bool select, int start, int length, const QString& message) {
        QTest::newRow(name) << all << check << text << kind << select << start << length << message;
    };
    const QString misplaced = u"<html><head><title></title><body></head></body></html>"_s;
    row("missing < from the start", false, MarkupCheck::Brackets, u"x > y"_s, 2, true, 0, 3,
        u"Det saknas en <."_s);
    row("quotes fine", false, MarkupCheck::Quotes, u"<a href=\"x\">"_s, 0, false, 0, 0,
        u"Inga citatsfel hittade."_s);
    row("body before /head", false, MarkupCheck::StandardTags, misplaced, 15, true, 27, 5,
        u"</HEAD> är felaktigt placerat (skall stå före <BODY>)."_s);
    row("title twice", false, MarkupCheck::StandardTags,
        QString(Page).replace(u"<P>"_s, u"<title>"_s), 23, true, 54, 7,
        u"<TITLE> hittades två gånger."_s);
    row("all: quotes last", true, MarkupCheck::Quotes,
        QString(Page).replace(u"Text"_s, u"\"Text\""_s), 1, true, 57, 1,
        u"Ett citatsfel hittades. \"Citatstecken utanför taggar\""_s);
    row("all: misplaced selects", true, MarkupCheck::StandardTags, misplaced, 15, true, 27, 5,
        u"Problem med standardtaggar. \"<BODY är felaktigt placerad.\""_s);
}

void TestTextCommands::runChecks() {
    QFETCH(bool, all);
    QFETCH(MarkupCheck, check);
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(bool, select);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, message);
    const CheckOutcome outcome = all ? RunAllChecks(text) : RunCheck(check, text);
    QCOMPARE(outcome.kind, kind);
    if (all)
        QCOMPARE(outcome.check, check);
    QCOMPARE(outcome.select, select);
    if (select)
        QCOMPARE(outcome.selection, (TextRange{start, length}));
    QCOMPARE(outcome.message, message);
    QCOMPARE(outcome.icon, kind == 0 ? MsgIcon::Information : MsgIcon::Exclamation);
    QCOMPARE(WorkText, text); // the checks read the text and leave it
}

void TestTextCommands::autoIndent_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("indent");
    QTest::newRow("two blanks and a tab") << "  \tabc\r\n" << 8 << "  \t";
    QTest::newRow("previous line only") << "  x\r\n\ty\r\n" << 9 << "\t";
    QTest::newRow("line of blanks") << "x\r\n  \r\n" << 7 << "  ";
    QTest::newRow("caret at 0") << "  a" << 0 << "";
    QTest::newRow("not after LF") << "  a" << 3 << "";
    QTest::newRow("empty previous line") << "\r\n" << 2 << "";
    QTest::newRow("LF break") << "\tb\n" << 3 << "\t";
    QTest::newRow("blank between words") << " a b\r\n" << 6 << " ";
    QTest::newRow("caret beyond the text") << "a\r\n" << 9 << "";
}

void TestTextCommands::autoIndent() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, indent);
    QCOMPARE(AutoIndentText(text, caret), indent);
}

QTEST_GUILESS_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
