// The editor's text commands as text logic: decoding entity codes, removing tags and line
// breaks, letter case, sorting lines, the check messages and automatic indentation.

#include "markup/entities.h"
#include "markup/globals.h"
#include "markup/textcommands.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// A small entity table: entries 1..N as given, N+1 the blank with "&nbsp;".
void SetTable(const QList<std::pair<QString, QString>>& entries) {
    EntityChars = {QString()};
    EntityCodes = {QString()};
    for (const auto& [c, code] : entries) {
        EntityChars.append(c);
        EntityCodes.append(code);
    }
    EntityCount = static_cast<int>(entries.size());
    EntityChars.append(QStringLiteral(" "));
    EntityCodes.append(QStringLiteral("&nbsp;"));
}

void SetSmallTable() {
    SetTable({{"ä", "&auml;"},
              {"å", "&aring;"},
              {"&", "&amp;"},
              {"x", "&auml;"}, // a second entry with the same code: the first wins
              {"ö", "&ouml;"}});
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

// A plain step-by-step reading of the decoding rules, searching from scratch each time.
QString ReferenceDecode(QString work) {
    QString result;
    for (;;) {
        const qsizetype amp = work.indexOf(u'&');
        if (amp < 0)
            break;
        result += work.left(amp);
        work = work.mid(amp);
        const qsizetype semi = work.indexOf(u';');
        if (semi < 0)
            break;
        const QString candidate = work.left(semi + 1);
        bool found = false;
        for (int j = 1; j <= EntityCount + 1; ++j) {
            if (EntityCodes[j] == candidate) {
                result += EntityChars[j];
                work = work.mid(candidate.size());
                found = true;
                break;
            }
        }
        if (!found) {
            result += u'&';
            work = work.mid(1);
        }
    }
    return result + work;
}

const QString Page = QStringLiteral("<HTML>\r\n<HEAD>\r\n<TITLE>Prov</TITLE>\r\n</HEAD>\r\n"
                                    "<BODY>\r\n<P>Text</P>\r\n</BODY>\r\n</HTML>\r\n");

} // namespace

class TestTextCommands : public QObject {
    Q_OBJECT

private slots:
    void init() { SetSmallTable(); }

    void decode_data();
    void decode();
    void decodeMatchesPlainReading();
    void decodeLongRunsOfAmpersands();
    void decodeUndoesConversionWithShippedTable();
    void convertEntities_data();
    void convertEntities();
    void removeTags_data();
    void removeTags();
    void removeLineBreaks_data();
    void removeLineBreaks();
    void letterCase_data();
    void letterCase();
    void widenToLines_data();
    void widenToLines();
    void sortLines_data();
    void sortLines();
    void sortSelectedLines();
    void checkReportText_data();
    void checkReportText();
    void runCheck_data();
    void runCheck();
    void runAllChecks_data();
    void runAllChecks();
    void autoIndent_data();
    void autoIndent();
};

void TestTextCommands::decode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("no ampersand") << "Häst"
                                  << "Häst";
    QTest::newRow("one code") << "H&auml;st"
                              << "Häst";
    QTest::newRow("R&D") << "R&D"
                         << "R&D";
    QTest::newRow("R&D then text") << "Se R&D AB"
                                   << "Se R&D AB";
    QTest::newRow("text, & without ;, more text") << "a b&c d"
                                                  << "a b&c d";
    QTest::newRow("semicolon before a code") << "a;&auml;"
                                             << "a;ä";
    QTest::newRow("unknown code stays") << "&unknown;"
                                        << "&unknown;";
    QTest::newRow("unknown then known") << "&xyz;&ouml;"
                                        << "&xyz;ö";
    QTest::newRow("letter case matters") << "&Auml;"
                                         << "&Auml;";
    QTest::newRow("nbsp becomes a blank") << "a&nbsp;b"
                                          << "a b";
    QTest::newRow("first entry wins") << "&auml;"
                                      << "ä";
    QTest::newRow("ampersand inside candidate") << "a&b&auml;"
                                                << "a&bä";
    QTest::newRow("double ampersand") << "&&auml;"
                                      << "&ä";
    QTest::newRow("decoded once only") << "&amp;auml;"
                                       << "&auml;";
    QTest::newRow("no semicolon at all") << "x&auml"
                                         << "x&auml";
    QTest::newRow("code, then & without ;") << "&aring;&b"
                                            << "å&b";
    QTest::newRow("ends in &") << "abc&"
                               << "abc&";
    QTest::newRow("empty candidate") << "&;"
                                     << "&;";
    QTest::newRow("codes side by side") << "&auml;&aring;&ouml;"
                                        << "äåö";
    QTest::newRow("candidate across a blank") << "&au ml;"
                                              << "&au ml;";
    QTest::newRow("line breaks kept") << "&auml;\r\n&aring;"
                                      << "ä\r\nå";
}

void TestTextCommands::decode() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(Decode(text), expected);
    QCOMPARE(StatusText, QStringLiteral("Klart"));
}

void TestTextCommands::decodeMatchesPlainReading() {
    const QStringList pieces = {"&",     ";", "a",   "&auml;", "&aring;", "&nbsp;",
                                "&amp;", " ", "&x;", "ml;",    "\r\n",    "ä"};
    QRandomGenerator random(7);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int count = random.bounded(12);
        for (int k = 0; k < count; ++k)
            text += pieces[random.bounded(int(pieces.size()))];
        QCOMPARE(Decode(text), ReferenceDecode(text));
    }
}

void TestTextCommands::decodeLongRunsOfAmpersands() {
    // Each "&" sees the same far ";": the decoding must not search again for each of them.
    const QString text = QString(200000, u'&') + QStringLiteral("auml;");
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(Decode(text), QString(199999, u'&') + QStringLiteral("ä"));
    QVERIFY2(timer.elapsed() < 2000, "decoding is not linear");
}

void TestTextCommands::decodeUndoesConversionWithShippedTable() {
    TestProgramFolder folder;
    FakePlatformScope fake;
    QVERIFY(LoadEntityTable());
    const QString text = QStringLiteral("Åsa åt räksmörgås på café Ölandia, ©.\r\n<B>Hej</B>");
    WorkText = text;
    ConvertCharacters();
    QVERIFY(WorkText != text);
    QCOMPARE(Decode(WorkText), text);
}

void TestTextCommands::convertEntities_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("toCodes");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newLength");
    QTest::newRow("whole text to codes") << "Häst" << 2 << 0 << true << "H&auml;st" << 0 << 9;
    QTest::newRow("selection to codes") << "ä ä ä" << 2 << 1 << true << "ä &auml; ä" << 2 << 6;
    QTest::newRow("whole text back") << "H&auml;st" << 0 << 0 << false << "Häst" << 0 << 4;
    QTest::newRow("selection back") << "&auml;&auml;" << 6 << 6 << false << "&auml;ä" << 6 << 1;
    QTest::newRow("empty text") << "" << 0 << 0 << false << "" << 0 << 0;
    QTest::newRow("nothing to convert") << "abc" << 0 << 0 << true << "abc" << 0 << 3;
}

void TestTextCommands::convertEntities() {
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, toCodes);
    QFETCH(QString, after);
    QFETCH(int, newStart);
    QFETCH(int, newLength);
    const TextEdit edit = ConvertEntities(text, selStart, selLength, toCodes);
    QVERIFY(!edit.failed);
    QCOMPARE(Apply(text, edit), after);
    QCOMPARE(edit.selStart, newStart);
    QCOMPARE(edit.selLength, newLength);
}

void TestTextCommands::removeTags_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newLength");
    // With a selection.
    QTest::newRow("a <b> c </b> d") << "xa<b>c</b>dy" << 1 << 10 << true << "xacdy" << 1 << 3;
    QTest::newRow("begins inside a tag")
        << "<a href=x>y<b>z" << 3 << 12 << true << "<a href=x>yz" << 3 << 9;
    QTest::newRow("< without any >") << "a<b c" << 0 << 5 << false << "a<b c" << 0 << 5;
    QTest::newRow("no <") << "ab>c" << 0 << 4 << false << "ab>c" << 0 << 4;
    QTest::newRow("> after the last tag") << "a<b>c>" << 0 << 6 << true << "ac>" << 0 << 3;
    QTest::newRow("last < unclosed") << "a<b>c<d" << 0 << 7 << true << "ac<d" << 0 << 4;
    QTest::newRow("only tags") << "x<b><i>y" << 1 << 6 << true << "xy" << 1 << 0;
    QTest::newRow("stray > before first <") << "a>b>c<x>" << 0 << 8 << true << "a>b>c" << 0 << 5;
    QTest::newRow("> a < with nothing closed") << ">a<b" << 0 << 4 << true << ">a<b" << 0 << 4;
    QTest::newRow("line breaks kept") << "<p>\r\nx</p>" << 0 << 10 << true << "\r\nx" << 0 << 3;
    QTest::newRow("selection clipped") << "<b>x" << 0 << 99 << true << "x" << 0 << 1;
    // Without a selection: the tag around the caret.
    QTest::newRow("caret in img") << "x<img src=\"a.gif\">y" << 5 << 0 << true << "xy" << 1 << 0;
    QTest::newRow("caret after >") << "x<b>y" << 4 << 0 << false << "x<b>y" << 4 << 0;
    QTest::newRow("caret at 0") << "<b>" << 0 << 0 << false << "<b>" << 0 << 0;
    QTest::newRow("caret after <") << "x<b>y" << 2 << 0 << true << "xy" << 1 << 0;
    QTest::newRow("caret before >") << "<b>" << 2 << 0 << true << "" << 0 << 0;
    QTest::newRow("caret before <") << "x<b>" << 1 << 0 << false << "x<b>" << 1 << 0;
    QTest::newRow("no > to the right") << "a<b c" << 4 << 0 << true << "a" << 1 << 0;
    QTest::newRow("< met to the right") << "<a <b>" << 2 << 0 << false << "<a <b>" << 2 << 0;
    QTest::newRow("no tag at all") << "abc" << 2 << 0 << false << "abc" << 2 << 0;
    QTest::newRow("caret at the end in a tag") << "a<b" << 3 << 0 << true << "a" << 1 << 0;
}

void TestTextCommands::removeTags() {
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, changed);
    QFETCH(QString, after);
    QFETCH(int, newStart);
    QFETCH(int, newLength);
    const TextEdit edit = RemoveTags(text, selStart, selLength);
    QCOMPARE(edit.changed, changed);
    QCOMPARE(Apply(text, edit), after);
    QCOMPARE(edit.selStart, newStart);
    QCOMPARE(edit.selLength, newLength);
}

void TestTextCommands::removeLineBreaks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("newLength");
    QTest::newRow("all kinds") << "a\r\nb\rc\nd" << 0 << 8 << true << "abcd" << 4;
    QTest::newRow("part") << "a\r\nb\r\nc" << 2 << 4 << true << "a\rbc" << 1;
    QTest::newRow("no breaks") << "abc" << 1 << 2 << true << "abc" << 2;
    QTest::newRow("nothing selected") << "a\r\nb" << 1 << 0 << false << "a\r\nb" << 0;
    QTest::newRow("only breaks") << "x\r\n\r\ny" << 1 << 4 << true << "xy" << 0;
}

void TestTextCommands::removeLineBreaks() {
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, changed);
    QFETCH(QString, after);
    QFETCH(int, newLength);
    const TextEdit edit = RemoveLineBreaks(text, selStart, selLength);
    QCOMPARE(edit.changed, changed);
    QCOMPARE(Apply(text, edit), after);
    QCOMPARE(edit.selStart, selStart);
    QCOMPARE(edit.selLength, newLength);
}

void TestTextCommands::letterCase_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("capitals");
    QTest::addColumn<QString>("after");
    QTest::newRow("capitals") << "a<b>räksmörgås</b>" << 1 << 3 << true << "a<B>räksmörgås</b>";
    QTest::newRow("Swedish capitals") << "åäö éü" << 0 << 6 << true << "ÅÄÖ ÉÜ";
    QTest::newRow("small letters") << "ÅÄÖ <HTML>" << 0 << 10 << false << "åäö <html>";
    QTest::newRow("sharp s keeps its length") << "straße" << 0 << 6 << true << "STRAßE";
    QTest::newRow("nothing selected") << "abc" << 1 << 0 << true << "abc";
}

void TestTextCommands::letterCase() {
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, capitals);
    QFETCH(QString, after);
    const TextEdit edit = ChangeLetterCase(text, selStart, selLength, capitals);
    QVERIFY(edit.changed); // always inserted, so Ctrl+Y repeats it
    QCOMPARE(edit.replacement.size(), selLength);
    QCOMPARE(Apply(text, edit), after);
    QCOMPARE(edit.selStart, selStart);
    QCOMPARE(edit.selLength, selLength);
}

void TestTextCommands::widenToLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    const QString bac = QStringLiteral("b\r\na\r\nc\r\n");
    QTest::newRow("inside first to inside last") << bac << 1 << 6 << 0 << 9;
    QTest::newRow("start at line start stays") << bac << 3 << 2 << 3 << 3;
    QTest::newRow("ends with LF keeps end") << bac << 0 << 3 << 0 << 3;
    QTest::newRow("ends before CR LF") << bac << 0 << 1 << 0 << 3;
    QTest::newRow("no LF follows") << "b\r\na\r\nc" << 4 << 3 << 3 << 4;
    QTest::newRow("last line only") << "b\r\na\r\nc" << 6 << 1 << 6 << 1;
    QTest::newRow("CR alone is no break") << "a\rb\rc" << 2 << 1 << 0 << 5;
    QTest::newRow("caret only") << bac << 4 << 0 << 3 << 3;
    QTest::newRow("LF breaks") << "x\ny\nz" << 3 << 1 << 2 << 2;
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
    QTest::newRow("b a c") << "b\r\na\r\nc\r\n"
                           << "a\r\nb\r\nc\r\n";
    QTest::newRow("last line without break") << "b\r\na\r\nc"
                                             << "a\r\nb\r\nc\r\n";
    QTest::newRow("letter case ignored") << "B\r\na\r\nC\r\n"
                                         << "a\r\nB\r\nC\r\n";
    QTest::newRow("equal lines keep order") << "b\r\nA\r\na\r\n"
                                            << "A\r\na\r\nb\r\n";
    QTest::newRow("equal lines keep order 2") << "a\r\nA\r\n"
                                              << "a\r\nA\r\n";
    QTest::newRow("Swedish letters after z") << "ö\r\nz\r\nå\r\nÄ\r\n"
                                             << "z\r\nå\r\nÄ\r\nö\r\n";
    QTest::newRow("LF breaks") << "b\na\n"
                               << "a\nb\n";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("one line without break") << "x"
                                            << "x\r\n";
    QTest::newRow("last line ends in CR") << "b\r\na\r"
                                          << "a\rb\r\n";
    QTest::newRow("empty line first") << "b\r\n\r\na\r\n"
                                      << "\r\na\r\nb\r\n";
    QTest::newRow("shorter line first") << "ab\r\na\r\n"
                                        << "a\r\nab\r\n";
    QTest::newRow("no break sorts before break") << "a\r\na"
                                                 << "a\r\na\r\n";
    QTest::newRow("digits as text") << "9\r\n10\r\n"
                                    << "10\r\n9\r\n";
}

void TestTextCommands::sortLines() {
    QFETCH(QString, lines);
    QFETCH(QString, sorted);
    QCOMPARE(SortLines(lines), sorted);
}

void TestTextCommands::sortSelectedLines() {
    // The editor widens the selection, asks, and sorts.
    const QString text = QStringLiteral("x\r\nb\r\na\r\nc\r\ny");
    const TextRange lines = WidenToLines(text, 4, 6); // inside "b" to inside "c"
    QCOMPARE(lines, (TextRange{3, 9}));
    const TextEdit edit = SortSelectedLines(text, lines.start, lines.length);
    QVERIFY(edit.changed);
    QCOMPARE(Apply(text, edit), QStringLiteral("x\r\na\r\nb\r\nc\r\ny"));
    QCOMPARE(edit.selStart, 12);
    QCOMPARE(edit.selLength, 0);
    QVERIFY(!SortSelectedLines(text, 3, 0).changed);
}

void TestTextCommands::checkReportText_data() {
    QTest::addColumn<MarkupCheck>("check");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    const auto b = MarkupCheck::Brackets;
    const auto q = MarkupCheck::Quotes;
    const auto s = MarkupCheck::StandardTags;
    QTest::newRow("b0") << b << 0 << "Inga fel på taggar hittades.";
    QTest::newRow("b1") << b << 1 << "Det saknas en >.";
    QTest::newRow("b2") << b << 2 << "Det saknas en <.";
    QTest::newRow("b3") << b << 3 << "";
    QTest::newRow("q0") << q << 0 << "Inga citatsfel hittade.";
    QTest::newRow("q1") << q << 1
                        << "Ett citatstecken hittades utanför taggar (du ska ersätta det med "
                           "\"&quot;\".";
    QTest::newRow("q2") << q << 2 << "Ett ojämnt antal citatstecken hittades.";
    QTest::newRow("q3") << q << 3 << "";
    QTest::newRow("s0") << s << 0 << "Inga problem hittades.";
    QTest::newRow("s1") << s << 1 << "<HTML> saknas.";
    QTest::newRow("s2") << s << 2 << "<HEAD> saknas.";
    QTest::newRow("s3") << s << 3 << "<TITLE> saknas.";
    QTest::newRow("s4") << s << 4 << "</TITLE> saknas.";
    QTest::newRow("s5") << s << 5 << "</HEAD> saknas.";
    QTest::newRow("s6") << s << 6 << "<BODY> saknas.";
    QTest::newRow("s7") << s << 7 << "</BODY> saknas.";
    QTest::newRow("s8") << s << 8 << "</HTML> saknas.";
    QTest::newRow("s9") << s << 9 << "";
    QTest::newRow("s10") << s << 10 << "";
    QTest::newRow("s11") << s << 11 << "<HTML> är felaktigt placerat (skall stå först).";
    QTest::newRow("s12") << s << 12
                         << "<HEAD> är felaktigt placerat (skall stå efter <HEAD>, före <BODY>).";
    QTest::newRow("s13") << s << 13
                         << "<TITLE> är felaktigt placerat (skall stå i <HEAD>...</HEAD>).";
    QTest::newRow("s14") << s << 14
                         << "</TITLE> är felaktigt placerat (skall stå i <HEAD>...</HEAD>).";
    QTest::newRow("s15") << s << 15 << "</HEAD> är felaktigt placerat (skall stå före <BODY>).";
    QTest::newRow("s16") << s << 16 << "<BODY> är felaktigt placerat (skall stå efter </HEAD>).";
    QTest::newRow("s17") << s << 17 << "</BODY> är felaktigt placerat (skall stå efter </HEAD>).";
    QTest::newRow("s18") << s << 18
                         << "</HTML> är felaktigt placerat (skall stå sist i dokumentet).";
    QTest::newRow("s19") << s << 19 << "";
    QTest::newRow("s20") << s << 20 << "";
    QTest::newRow("s21") << s << 21 << "<HTML> hittades två gånger.";
    QTest::newRow("s22") << s << 22 << "<HEAD> hittades två gånger.";
    QTest::newRow("s23") << s << 23 << "<TITLE> hittades två gånger.";
    QTest::newRow("s24") << s << 24 << "</TITLE> hittades två gånger.";
    QTest::newRow("s25") << s << 25 << "</HEAD> hittades två gånger.";
    QTest::newRow("s26") << s << 26 << "<BODY> hittades två gånger.";
    QTest::newRow("s27") << s << 27 << "</BODY> hittades två gånger.";
    QTest::newRow("s28") << s << 28 << "</HTML> hittades två gånger.";
    QTest::newRow("s29") << s << 29 << "";
}

void TestTextCommands::checkReportText() {
    QFETCH(MarkupCheck, check);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QCOMPARE(CheckReportText(check, kind), message);
    QCOMPARE(CheckReportIcon(kind), kind == 0 ? MsgIcon::Information : MsgIcon::Exclamation);
}

void TestTextCommands::runCheck_data() {
    QTest::addColumn<MarkupCheck>("check");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("select");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    const auto b = MarkupCheck::Brackets;
    const auto q = MarkupCheck::Quotes;
    const auto s = MarkupCheck::StandardTags;
    QTest::newRow("brackets fine") << b << "<b>x</b>" << 0 << false << 0 << 0;
    QTest::newRow("missing > to the end") << b << "a < b" << 1 << true << 2 << 3;
    QTest::newRow("missing < from the start") << b << "x > y" << 2 << true << 0 << 3;
    QTest::newRow("second < inside") << b << "<b<i>" << 1 << true << 0 << 5;
    QTest::newRow("quotes fine") << q << "<a href=\"x\">" << 0 << false << 0 << 0;
    QTest::newRow("quote outside") << q << "<p>\"citat\"</p>" << 1 << true << 3 << 1;
    QTest::newRow("odd quotes") << q << "<img alt=\"x>" << 2 << true << 0 << 12;
    QTest::newRow("standard fine") << s << Page << 0 << false << 0 << 0;
    QTest::newRow("missing </BODY>")
        << s << QString(Page).remove(QStringLiteral("</BODY>")) << 7 << false << 0 << 0;
    QTest::newRow("body before /head")
        << s << QStringLiteral("<html><head><title></title><body></head></body></html>") << 15
        << true << 27 << 5;
    QTest::newRow("title twice") << s
                                 << QString(Page).replace(QStringLiteral("<P>"),
                                                          QStringLiteral("<title>"))
                                 << 23 << true << 54 << 7;
}

void TestTextCommands::runCheck() {
    QFETCH(MarkupCheck, check);
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(bool, select);
    QFETCH(int, start);
    QFETCH(int, length);
    const CheckOutcome outcome = RunCheck(check, text);
    QCOMPARE(outcome.kind, kind);
    QCOMPARE(outcome.select, select);
    if (select)
        QCOMPARE(outcome.selection, (TextRange{start, length}));
    QCOMPARE(outcome.message, CheckReportText(check, kind));
    QCOMPARE(outcome.icon, CheckReportIcon(kind));
    QCOMPARE(WorkText, text); // the check reads the text and leaves it
}

void TestTextCommands::runAllChecks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<MarkupCheck>("check");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("message");
    QTest::newRow("fine") << Page << MarkupCheck::Brackets << 0 << false << "Inga fel hittades.";
    QTest::newRow("missing </BODY>")
        << QString(Page).remove(QStringLiteral("</BODY>")) << MarkupCheck::StandardTags << 7
        << false << "Problem med standardtaggar. \"</BODY> hittades inte.\"";
    QTest::newRow("brackets first") << "x > y" << MarkupCheck::Brackets << 2 << true
                                    << "Ett fel på en tagg hittades. \"Det saknas en <.\"";
    QTest::newRow("quotes last") << QString(Page).replace("Text", "\"Text\"") << MarkupCheck::Quotes
                                 << 1 << true
                                 << "Ett citatsfel hittades. \"Citatstecken utanför taggar\"";
    QTest::newRow("misplaced selects")
        << QStringLiteral("<html><head><title></title><body></head></body></html>")
        << MarkupCheck::StandardTags << 15 << true
        << "Problem med standardtaggar. \"<BODY är felaktigt placerad.\"";
}

void TestTextCommands::runAllChecks() {
    QFETCH(QString, text);
    QFETCH(MarkupCheck, check);
    QFETCH(int, kind);
    QFETCH(bool, select);
    QFETCH(QString, message);
    const CheckOutcome outcome = RunAllChecks(text);
    QCOMPARE(outcome.kind, kind);
    if (kind != 0)
        QCOMPARE(outcome.check, check);
    QCOMPARE(outcome.select, select);
    QCOMPARE(outcome.message, message);
    QCOMPARE(outcome.icon, kind == 0 ? MsgIcon::Information : MsgIcon::Exclamation);
}

void TestTextCommands::autoIndent_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("indent");
    QTest::newRow("two blanks and a tab") << "  \tabc\r\n" << 8 << "  \t";
    QTest::newRow("no indentation") << "abc\r\n" << 5 << "";
    QTest::newRow("previous line only") << "  x\r\n\ty\r\n" << 9 << "\t";
    QTest::newRow("line of blanks") << "x\r\n  \r\n" << 7 << "  ";
    QTest::newRow("caret at 0") << "  a" << 0 << "";
    QTest::newRow("not after LF") << "  a" << 3 << "";
    QTest::newRow("empty previous line") << "\r\n" << 2 << "";
    QTest::newRow("LF break") << "\tb\n" << 3 << "\t";
    QTest::newRow("caret inside the text") << "  a\r\nb" << 5 << "  ";
    QTest::newRow("trailing blanks only") << "a  \r\n" << 5 << "";
    QTest::newRow("blank between words") << " a b\r\n" << 6 << " ";
    QTest::newRow("first line of the text") << "\t\tx\r\n" << 5 << "\t\t";
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
