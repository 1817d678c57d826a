// The standard texts file, the entries a selection adds, and the two pick lists: their
// entries, the inserted text and where they are placed over the text area. (Adding the
// selection and a write-protected file are tested through the editor.)

#include "markup/entities.h"
#include "markup/globals.h"
#include "markup/standardtexts.h"
#include "platform/files.h"
#include "testsupport.h"

#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestStandardTexts : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void writeKeepsTheEncoding_data();
    void writeKeepsTheEncoding();
    void selectionEntries_data();
    void selectionEntries();
    void unwritableFileIsLeftAsItWas_data();
    void unwritableFileIsLeftAsItWas();
    void htmlCharacterEntries();
    void htmlCharacterCode_data();
    void htmlCharacterCode();
    void listWidth();
    void placement_data();
    void placement();
};

void TestStandardTexts::read_data() {
    QTest::addColumn<QByteArray>("bytes"); // a null array: no file
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("ok");
    auto row = [](const char* name, const QByteArray& bytes, const QStringList& entries,
                  bool ok = true) { QTest::newRow(name) << bytes << entries << ok; };
    row("blank line skipped, blanks at either end kept",
        "Hej  \r\n   \r\n  Med v\xe4nliga h\xe4lsningar\r\n",
        {"Hej  ", "  Med vänliga hälsningar"});
    row("mixed breaks, no final break", "a\r\nb\rc\nd", {"a", "b", "c", "d"});
    row("empty file", "", {});
    row("tab line kept", "\t\r\n", {"\t"});
    row("Windows-1252 quotes", "\x93x\x94\r\n", {"“x”"});
    row("missing", QByteArray(), {}, false);
    row("larger than a list can be", QByteArray(StartFileSizeLimit + 1, 'a'), {}, false);
}

void TestStandardTexts::read() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QFETCH(bool, ok);
    TestProgramFolder folder(false);
    if (!bytes.isNull())
        folder.write(u"standard.txt"_s, bytes);
    bool read = !ok;
    QCOMPARE(ReadStandardTexts(folder.file(u"standard.txt"_s), &read), entries);
    QCOMPARE(read, ok);
}

void TestStandardTexts::selectionEntries_data() {
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("nothing") << "" << QStringList{};
    QTest::newRow("one line") << "  hej  " << QStringList{"  hej  "};
    QTest::newRow("ends with a break") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("empty line") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("LF breaks") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("only a break") << "\r\n" << QStringList{""};
}

void TestStandardTexts::selectionEntries() {
    QFETCH(QString, selection);
    QFETCH(QStringList, entries);
    QCOMPARE(SelectionToStandardEntries(selection), entries);
}

void TestStandardTexts::writeKeepsTheEncoding_data() {
    QTest::addColumn<QByteArray>("before"); // a null array: no file
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file") << QByteArray() << QByteArray("tv\xe5\r\n");
    QTest::newRow("Windows-1252") << QByteArray("H\xe4j\r\n") << QByteArray("H\xe4j\r\ntv\xe5\r\n");
    QTest::newRow("UTF-8") << QByteArray("H\xc3\xa4j\r\n")
                           << QByteArray("H\xc3\xa4j\r\ntv\xc3\xa5\r\n");
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xef\xbb\xbfHej\r\n") << QByteArray("\xef\xbb\xbfHej\r\ntv\xc3\xa5\r\n");
}

void TestStandardTexts::writeKeepsTheEncoding() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    TestProgramFolder folder(false);
    const QString path = folder.file(u"standard.txt"_s);
    if (!before.isNull())
        folder.write(u"standard.txt"_s, before);
    QVERIFY(WriteStandardTexts(path, ReadStandardTexts(path) << u"två"_s));
    QCOMPARE(folder.read(u"standard.txt"_s), after);
}

void TestStandardTexts::unwritableFileIsLeftAsItWas_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::newRow("missing folder") << u"saknas/standard.txt"_s << QByteArray();
    QTest::newRow("too large to read: its texts would be lost")
        << u"standard.txt"_s << QByteArray("text\r\n").repeated(StartFileSizeLimit / 5);
}

void TestStandardTexts::unwritableFileIsLeftAsItWas() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    TestProgramFolder folder(false);
    const QString path = folder.file(name);
    if (!content.isEmpty())
        folder.write(name, content);
    QString error;
    QVERIFY(!WriteStandardTexts(path, {"a"}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QFile::exists(path), !content.isEmpty());
    if (!content.isEmpty())
        QVERIFY(folder.read(name) == content);
}

void TestStandardTexts::htmlCharacterEntries() {
    EntityChars = {QString(), "ä", "©", " "};
    EntityCodes = {QString(), "&auml;", "&copy;", "&nbsp;"};
    EntityCount = 2;
    QCOMPARE(HtmlCharacterEntries(),
             (QStringList{"ä - &auml;", "© - &copy;", "< - &lt;", "> - &gt;"}));
    EntityChars = {QString(), " "};
    EntityCodes = {QString(), "&nbsp;"};
    EntityCount = 0;
    QCOMPARE(HtmlCharacterEntries(), (QStringList{"< - &lt;", "> - &gt;"}));
}

void TestStandardTexts::htmlCharacterCode_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("code");
    QTest::newRow("ä") << u"ä - &auml;"_s << "&auml;";
    QTest::newRow("short") << u"x -"_s << "";
}

void TestStandardTexts::htmlCharacterCode() {
    QFETCH(QString, entry);
    QFETCH(QString, code);
    QCOMPARE(HtmlCharacterCode(entry), code);
}

void TestStandardTexts::listWidth() {
    const auto width = [](const QString& s) { return double(s.size()) * 100.5; };
    QCOMPARE(StandardListWidthFor({}, width), 1275);
    QCOMPARE(StandardListWidthFor({"kort"}, width), 1275);
    // 20 × 100.5 = 2010; 30 × 100.5 = 3015.
    QCOMPARE(StandardListWidthFor({QString(20, u'x'), QString(30, u'x'), "a"}, width), 3015);
}

void TestStandardTexts::placement_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<qsizetype>("entries");
    QTest::addColumn<int>("listWidth");
    QTest::addColumn<TwipRect>("area");
    QTest::addColumn<TwipRect>("expected");
    auto row = [](const char* name, int index, qsizetype entries, int listWidth, TwipRect area,
                  TwipRect expected) {
        QTest::newRow(name) << index << entries << listWidth << area << expected;
    };
    const TwipRect area{100, 200, 9000, 6000};
    const TwipRect tall{0, 0, 20000, 32767};
    // 3 × 195 + 25 = 610 tall, 1275 + 170 wide; (9000 − 1445) / 2 = 3777.5 rounds to 3778.
    row("short standard list", 0, 3, 1275, area, {3878, 2895, 1445, 610});
    // 40 entries need 7825: as tall as the area, with room for the scroll bar.
    row("long standard list", 0, 40, 1275, area, {3775, 200, 1650, 6000});
    row("exactly the area's height", 0, 30, 1275, {0, 0, 9000, 5875}, {3675, 0, 1650, 5875});
    row("wider than the area", 0, 3, 9000, area, {100, 2895, 9000, 610});
    row("character list keeps its width", 1, 100, 5000, area, {3962, 200, 1275, 6000});
    row("167 entries fit 32767", 0, 167, 1275, tall, {9278, 88, 1445, 32590});
    row("168 entries as tall as the area", 0, 168, 1275, tall, {9175, 0, 1650, 32767});
    row("a million entries", 1, 1000000, 1275, area, {3962, 200, 1275, 6000});
    row("no entries", 0, 0, 1275, area, {3878, 3188, 1445, 25});
}

void TestStandardTexts::placement() {
    QFETCH(int, index);
    QFETCH(qsizetype, entries);
    QFETCH(int, listWidth);
    QFETCH(TwipRect, area);
    QFETCH(TwipRect, expected);
    const TwipRect list = PickListPlacement(index, entries, listWidth, area);
    QCOMPARE(QRect(list.left, list.top, list.width, list.height),
             QRect(expected.left, expected.top, expected.width, expected.height));
}

QTEST_GUILESS_MAIN(TestStandardTexts)
#include "tst_standardtexts.moc"
