// The entity table "htmlkod.dat" and the conversion of characters to HTML codes.

#include "markup/entities.h"
#include "markup/globals.h"
#include "platform/files.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString MissingMessage =
    u"HTMLKOD.DAT hittades inte. Kontrollera att filen finns i samma katalog som programmet."_s;

// A small table for the exact rules: "&" and the double quote are listed on purpose here.
const QString RulesTable = u"# Testtabell\r\n"
                           u"ä &auml;\r\n"
                           u"&   &amp;  \r\n"
                           u"\" &quot;\r\n"
                           u"x\r\n"
                           u"#y &#121;\r\n"
                           u"#\r\n"_s;
// The same with ";" listed as well.
const QString WideTable = RulesTable + u"; &#59;\r\n"_s;
// With "<" listed too; tags are then no longer tags after a conversion.
const QString BracketTable = WideTable + u"< &lt;\r\n"_s;
// A table that does not list "&" at all.
const QString PlainTable = u"ä &auml;\r\nö &ouml;\r\n"_s;

// Loads table text written as Windows-1252 into a fresh program folder.
bool loadTable(TestProgramFolder& folder, const QString& table) {
    folder.write(u"htmlkod.dat"_s, EncodeCp1252(table));
    FakePlatformScope fake;
    return LoadEntityTable();
}

QString convert(const QString& text) {
    WorkText = text;
    StatusText.clear();
    ConvertCharacters();
    return WorkText;
}

} // namespace

class tst_entities : public QObject {
    Q_OBJECT
private slots:
    void conversionRules_data();
    void conversionRules();
    void shippedTableListsEveryWesternCharacter();
    void referencesFarIntoALongTextStayWhole();
    void tableLinesFollowTheFileRules();
    void everyLineBreakStyleAndNameReadTheSameTable_data();
    void everyLineBreakStyleAndNameReadTheSameTable();
    void missingTableIsReported_data();
    void missingTableIsReported();
    void lookupsFollowTheTable();
    void changedTableIsUsedAtOnce();
};

void tst_entities::conversionRules_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    // Every row also converts its result again, which must change nothing.
    auto row = [](const char* name, const QString& table, const QString& text,
                  const QString& expected) { QTest::newRow(name) << table << text << expected; };

    row("blank ends the scan, semicolon listed", WideTable, "R&D AB;", "R&amp;D AB&#59;");
    row("ampersands before one semicolon", WideTable, "&&y;", "&&y;");
    row("semicolon before ampersand", WideTable, "a;b&c", "a&#59;b&amp;c");
    row("CR ends the scans", WideTable, "&\r;", "&amp;\r&#59;");
    row("ampersand not listed is copied", PlainTable, "a & b;", "a & b;");
    row("quote in a tag", RulesTable, "<a title=\"y\">", "<a title=\"y\">");
    row("quote in running text", RulesTable, "<b>\"ja\"</b>", "<b>&quot;ja&quot;</b>");
    row("letters in a tag are converted", RulesTable, "<img alt=\"ä\">", "<img alt=\"&auml;\">");
    row("tag bracket listed", BracketTable, "<b>ä", "&lt;b>&auml;");
    row("pre", RulesTable, "ä<pre>ä\"&</pre>ä", "&auml;<pre>ä\"&</pre>&auml;");
    row("pre in mixed case", RulesTable, "<PrE>ä</pRE>ä", "<PrE>ä</pRE>&auml;");
    row("pre with attributes does not protect", RulesTable, "<pre class=\"y\">ä</pre>ä",
        "<pre class=\"y\">&auml;</pre>&auml;");
    row("unclosed pre protects to the end", RulesTable, "<pre>ä\r\nä", "<pre>ä\r\nä");
    row("one-character line deletes", RulesTable, "xäx yx", "&auml; y");
    row("empty table", QString(), "ä & \"", "ä & \"");
}

void tst_entities::conversionRules() {
    QFETCH(QString, table);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    TestProgramFolder folder(false);
    QVERIFY(loadTable(folder, table));
    QCOMPARE(convert(text), expected);
    QCOMPARE(StatusText, u"Klart"_s);
    QCOMPARE(convert(expected), expected);
}

void tst_entities::shippedTableListsEveryWesternCharacter() {
    TestProgramFolder folder;
    FakePlatformScope fake;
    QVERIFY(LoadEntityTable());
    QVERIFY(fake.fake.calls.isEmpty());
    QCOMPARE(convert(u"Räksmörgås på Åland, „Citat” – 5 € … © ™"_s),
             u"R&auml;ksm&ouml;rg&aring;s p&aring; &Aring;land, &bdquo;Citat&rdquo; &ndash; 5 "
             u"&euro; &hellip; &copy; &trade;"_s);
    QCOMPARE(StatusText, u"Klart"_s);

    // Every character above 0x7F that Windows-1252 defines has a code.
    QByteArray bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D)
            bytes.append(static_cast<char>(b));
    const QString all = DecodeCp1252(bytes);
    for (QChar c : all)
        QVERIFY2(EntityIndexOf(c) != 0, qPrintable(QString(c)));

    // Each code is a reference without blanks, so converted text stays stable.
    for (int j = 1; j <= EntityCount; ++j) {
        const QString& code = EntityCodes.at(j);
        QVERIFY2(code.startsWith(u'&') && code.endsWith(u';') && !code.contains(u' '),
                 qPrintable(code));
    }
    const QString converted = convert(all);
    for (QChar c : converted)
        QVERIFY(c.unicode() < 0x80);

    // The markup characters are deliberately absent.
    for (QChar c : {QChar(u'<'), QChar(u'>'), QChar(u'&'), QChar(u'"'), QChar(u';')})
        QCOMPARE(EntityIndexOf(c), 0);
}

void tst_entities::referencesFarIntoALongTextStayWhole() {
    TestProgramFolder folder(false);
    QVERIFY(loadTable(folder, WideTable));
    const QString filler(70000, u'y');
    const QString text = filler + "R&D AB; &copy; ä;" + filler + "&";
    const QString expected = filler + "R&amp;D AB&#59; &copy; &auml;&#59;" + filler + "&amp;";
    QCOMPARE(convert(text), expected);
    QCOMPARE(StatusText, u"Klart"_s);
}

void tst_entities::tableLinesFollowTheFileRules() {
    TestProgramFolder folder(false);
    QVERIFY(loadTable(folder, u"   ä    &auml;   \r\n"
                              u"\r\n"
                              u"     \r\n"
                              u"# kommentar\r\n"
                              u"   #inte heller\r\n"
                              u"x\r\n"
                              u"ö&ouml;\r\n"
                              u"€ &euro; extra\r\n"_s));
    QCOMPARE(EntityCount, 4);
    QCOMPARE(EntityChars.size(), 6);
    QCOMPARE(EntityCodes.size(), 6);
    const QStringList chars = {"ä", "x", "ö", "€", " "};
    const QStringList codes = {"&auml;", "", "&ouml;", "&euro; extra", "&nbsp;"};
    for (int j = 1; j <= 5; ++j) {
        QCOMPARE(EntityChars.at(j), chars.at(j - 1));
        QCOMPARE(EntityCodes.at(j), codes.at(j - 1));
    }
    // The closing blank entry is for decoding only: blanks are never converted.
    QCOMPARE(convert(" "), u" "_s);
}

void tst_entities::everyLineBreakStyleAndNameReadTheSameTable_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("mixed, no final break")
        << u"htmlkod.dat"_s << QByteArray("# tabell\n\r\xE4 &auml;\r\r\n\xF6 &ouml;\nx");
    QTest::newRow("UTF-8") << u"htmlkod.dat"_s
                           << QByteArray("# tabell\n\xC3\xA4 &auml;\n\xC3\xB6 &ouml;\nx\n");
    QTest::newRow("UTF-8 with byte-order mark")
        << u"htmlkod.dat"_s
        << QByteArray("\xEF\xBB\xBF# tabell\r\n\xC3\xA4 &auml;\r\n\xC3\xB6 &ouml;\r\nx\r\n");
    QTest::newRow("file name in capitals")
        << u"HTMLKOD.DAT"_s << QByteArray("\xE4 &auml;\r\n\xF6 &ouml;\r\nx\r\n");
}

void tst_entities::everyLineBreakStyleAndNameReadTheSameTable() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    TestProgramFolder folder(false);
    folder.write(name, bytes);
    FakePlatformScope fake;
    QVERIFY(LoadEntityTable());
    QVERIFY(fake.fake.calls.isEmpty());
    QCOMPARE(EntityCount, 3);
    QCOMPARE(EntityCodes.at(1), u"&auml;"_s);
    QCOMPARE(EntityCodes.at(2), u"&ouml;"_s);
    QCOMPARE(EntityChars.at(3), u"x"_s);
    QCOMPARE(EntityCodes.at(3), QString());
    QCOMPARE(convert("öäx"), u"&ouml;&auml;"_s);
}

void tst_entities::missingTableIsReported_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("no file") << "none";
    QTest::newRow("folder of that name") << "folder";
    QTest::newRow("larger than a table can be") << "huge";
}

void tst_entities::missingTableIsReported() {
    QFETCH(QString, kind);
    TestProgramFolder folder(false);
    {
        // A table loaded earlier, from another program folder.
        TestProgramFolder earlier(false);
        QVERIFY(loadTable(earlier, PlainTable));
    }
    if (kind == "folder"_L1)
        QVERIFY(QDir(folder.path()).mkdir(u"htmlkod.dat"_s));
    if (kind == "huge"_L1)
        folder.write(u"htmlkod.dat"_s, QByteArray(StartFileSizeLimit + 1, '#'));
    FakePlatformScope fake;
    QVERIFY(!LoadEntityTable());
    const QList<PlatformCall> messages = fake.fake.messages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, MissingMessage);
    QCOMPARE(messages.at(0).icon, MsgIcon::Exclamation);
    QCOMPARE(messages.at(0).buttons, MsgButtons::Ok);
    // The table that was loaded before is untouched.
    QCOMPARE(EntityCount, 2);
    QCOMPARE(convert("ä"), u"&auml;"_s);
}

void tst_entities::lookupsFollowTheTable() {
    TestProgramFolder folder(false);
    QVERIFY(loadTable(folder, u"ä &auml;\r\nä &#228;\r\nö &ouml;\r\n"_s));
    QCOMPARE(EntityIndexOf(QChar(u'ä')), 1);
    QCOMPARE(EntityIndexOf(QChar(u'ö')), 3);
    QCOMPARE(EntityIndexOf(QChar(u'a')), 0);
    QCOMPARE(EntityIndexOf(QChar(u' ')), 0);
    QCOMPARE(EntityIndexOfCode(u"&#228;"), 2);
    QCOMPARE(EntityIndexOfCode(u"&ouml;"), 3);
    QCOMPARE(EntityIndexOfCode(u"&nbsp;"), 4);
    QCOMPARE(EntityIndexOfCode(u"&OUML;"), 0);

    // The shipped table lists the non-breaking space itself, which comes first.
    TestProgramFolder shipped;
    FakePlatformScope fake;
    QVERIFY(LoadEntityTable());
    const int nbsp = EntityIndexOfCode(u"&nbsp;");
    QVERIFY(nbsp >= 1 && nbsp <= EntityCount);
    QCOMPARE(EntityChars.at(nbsp), QString(QChar(0x00A0)));
}

void tst_entities::changedTableIsUsedAtOnce() {
    TestProgramFolder folder(false);
    QVERIFY(loadTable(folder, PlainTable));
    QCOMPARE(convert("äö"), u"&auml;&ouml;"_s);
    EntityCodes[1] = u"&#228;"_s;
    QCOMPARE(convert("äö"), u"&#228;&ouml;"_s);
    EntityChars[2] = u"o"_s;
    QCOMPARE(convert("äöo"), u"&#228;ö&ouml;"_s);
    EntityCount = 1;
    QCOMPARE(convert("äöo"), u"&#228;öo"_s);
}

QTEST_GUILESS_MAIN(tst_entities)
#include "tst_entities.moc"
