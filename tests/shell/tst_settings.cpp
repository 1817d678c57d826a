#include "markup/globals.h"
#include "shell/settings.h"
#include "testsupport.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Ini = u"vessilor.ini"_s;

// The program-wide integer that a key of "Vessilor" or "Overblick" is loaded into.
int* variableOf(const QString& key) {
    if (key == "StartUp"_L1)
        return &StartUpTool;
    if (key == "HTMLBokstav"_L1)
        return &TagCase;
    if (key == "HTMLCitat"_L1)
        return &AttrQuoteStyle;
    if (key == "EndastEnTagg"_L1)
        return &OverviewOnlyOne;
    if (key == "VisaMellan"_L1)
        return &OverviewBetween;
    return nullptr;
}

void resetVariables() {
    BrowserPath = StartFolder = CopyPath = u"old"_s;
    OverviewFromTag = OverviewToTag = u"old"_s;
    StartUpTool = TagCase = AttrQuoteStyle = OverviewOnlyOne = OverviewBetween = 9;
}

} // namespace

class tst_settings : public QObject {
    Q_OBJECT

private slots:
    void integerKeys_data();
    void integerKeys();
    void startFolder_data();
    void startFolder();
    void emptySpecPathSavesEmptyPath();
    void missingFileGivesDefaults();
    void hugeFileReadsAsMissingAndStaysAsItIs();
    void saveWritesKeysInOrderAndReadsThemBack();
    void saveKeepsTheRestOfTheFile();
};

void tst_settings::integerKeys_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored"); // a null string leaves the key out
    QTest::addColumn<int>("expected");
    auto row = [](const char* section, const char* key, const char* stored, int expected) {
        QTest::addRow("%s %s", key, stored ? stored : "missing")
            << QString::fromLatin1(section) << QString::fromLatin1(key)
            << (stored ? QString::fromLatin1(stored) : QString()) << expected;
    };
    // Rounded half to even, then anything outside the key's range is 0.
    row("Vessilor", "StartUp", "7", 0);
    row("Vessilor", "StartUp", "2.5", 2);
    row("Vessilor", "StartUp", "1px", 1);
    row("Vessilor", "HTMLBokstav", "3", 0);
    row("Vessilor", "HTMLCitat", "1.6", 0);
    // The overview's check boxes take only a whole text that is one number.
    row("Overblick", "EndastEnTagg", "3", 0);
    row("Overblick", "EndastEnTagg", "1x", 0);
    row("Overblick", "EndastEnTagg", "1.6", 2);
    row("Overblick", "EndastEnTagg", "  1  ", 1);
    row("Overblick", "VisaMellan", "2.5", 2);
}

void tst_settings::integerKeys() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, expected);
    TestProgramFolder folder;
    QByteArray content = "[" + section.toLatin1() + "]\r\nOther=1\r\n";
    if (!stored.isNull())
        content += key.toLatin1() + "=" + stored.toLatin1() + "\r\n";
    folder.write(Ini, content);
    resetVariables();
    LoadSettings();
    QCOMPARE(*variableOf(key), expected);
}

void tst_settings::startFolder_data() {
    QTest::addColumn<QByteArray>("autoStart");
    QTest::addColumn<QByteArray>("specPath");
    QTest::addColumn<QString>("expected");
    const QByteArray fixedFolder = "SpecPath=/home/anna/webb\r\n";
    QTest::newRow("AutoStartMapp missing") << QByteArray() << fixedFolder << "/home/anna/senast";
    QTest::newRow("AutoStartMapp 1.6 rounds to 2")
        << QByteArray("1.6") << fixedFolder << "/home/anna/webb";
    QTest::newRow("AutoStartMapp 2, empty SpecPath")
        << QByteArray("2") << QByteArray("SpecPath=\r\n") << "";
}

void tst_settings::startFolder() {
    QFETCH(QByteArray, autoStart);
    QFETCH(QByteArray, specPath);
    QFETCH(QString, expected);
    TestProgramFolder folder;
    QByteArray content = "[Vessilor]\r\n";
    if (!autoStart.isNull())
        content += "AutoStartMapp=" + autoStart + "\r\n";
    folder.write(Ini, content + "Path=/home/anna/senast\r\n" + specPath);
    resetVariables();
    LoadSettings();
    QCOMPARE(StartFolder, expected);
}

void tst_settings::emptySpecPathSavesEmptyPath() {
    TestProgramFolder folder;
    folder.write(Ini, "[Vessilor]\r\nAutoStartMapp=2\r\nPath=/home/anna\r\nSpecPath=\r\n");
    resetVariables();
    LoadSettings();
    WriteSettings();
    QVERIFY(folder.read(Ini).startsWith(
        "[Vessilor]\r\nAutoStartMapp=2\r\nPath=\r\nSpecPath=\r\nWebProg=\r\n"));
}

void tst_settings::missingFileGivesDefaults() {
    TestProgramFolder folder;
    resetVariables();
    LoadSettings();
    for (const QString* text :
         {&BrowserPath, &StartFolder, &CopyPath, &OverviewFromTag, &OverviewToTag})
        QCOMPARE(*text, QString());
    for (const int* number :
         {&StartUpTool, &TagCase, &AttrQuoteStyle, &OverviewOnlyOne, &OverviewBetween})
        QCOMPARE(*number, 0);
    QVERIFY(!QFile::exists(folder.file(Ini)));
}

void tst_settings::hugeFileReadsAsMissingAndStaysAsItIs() {
    TestProgramFolder folder;
    const QByteArray content = "[Vessilor]\r\nStartUp=2\r\nWebProg=/bin/true\r\n" +
                               QByteArray(5 * 1024 * 1024, ';') + "\r\n";
    folder.write(Ini, content);
    resetVariables();
    LoadSettings();
    QCOMPARE(StartUpTool, 0);
    QCOMPARE(BrowserPath, QString());
    WriteSettings();
    QCOMPARE(folder.read(Ini), content);
}

void tst_settings::saveWritesKeysInOrderAndReadsThemBack() {
    TestProgramFolder folder;
    BrowserPath = QString::fromUtf8("/opt/webbläsare/bin/surf");
    StartFolder = QString::fromUtf8("/home/anna/Zdjęcia och sånt");
    CopyPath = QString();
    StartUpTool = 3;
    TagCase = 2;
    AttrQuoteStyle = 1;
    OverviewFromTag = u"<BODY>"_s;
    OverviewToTag = u"</BODY>"_s;
    OverviewOnlyOne = 1;
    OverviewBetween = 2;
    WriteSettings();
    QCOMPARE(folder.read(Ini), QByteArray("[Vessilor]\r\n"
                                          "WebProg=/opt/webbl\xe4sare/bin/surf\r\n"
                                          "Path=/home/anna/Zdj&#281;cia och s\xe5nt\r\n"
                                          "CopyPath=\r\n"
                                          "StartUp=3\r\n"
                                          "HTMLBokstav=2\r\n"
                                          "HTMLCitat=1\r\n"
                                          "[Overblick]\r\n"
                                          "FranTagg=<BODY>\r\n"
                                          "TillTagg=</BODY>\r\n"
                                          "EndastEnTagg=1\r\n"
                                          "VisaMellan=2\r\n"));
    resetVariables();
    LoadSettings();
    QCOMPARE(BrowserPath, QString::fromUtf8("/opt/webbläsare/bin/surf"));
    QCOMPARE(StartFolder, QString::fromUtf8("/home/anna/Zdjęcia och sånt"));
    QCOMPARE(CopyPath, QString());
    QCOMPARE(OverviewFromTag, u"<BODY>"_s);
    QCOMPARE(OverviewToTag, u"</BODY>"_s);
    const std::pair<int*, int> numbers[] = {{&StartUpTool, 3},
                                            {&TagCase, 2},
                                            {&AttrQuoteStyle, 1},
                                            {&OverviewOnlyOne, 1},
                                            {&OverviewBetween, 2}};
    for (const auto& [number, value] : numbers)
        QCOMPARE(*number, value);
}

void tst_settings::saveKeepsTheRestOfTheFile() {
    TestProgramFolder folder;
    const QByteArray editor = "[Editor]\r\nLeft=1200\r\nFont=Monospace\r\n\r\n";
    folder.write(Ini, "; Vessilora\r\n" + editor +
                          "[Vessilor]\r\nAutoStartMapp=2\r\nSpecPath=/home/anna/webb\r\n"
                          "StartUp=1\r\n\r\n[Mall]\r\nFile=tom.htm\r\n");
    LoadSettings();
    QCOMPARE(StartFolder, u"/home/anna/webb"_s);
    StartFolder = u"/tmp/annat"_s;
    WriteSettings();
    QCOMPARE(folder.read(Ini),
             "; Vessilora\r\n" + editor +
                 "[Vessilor]\r\nAutoStartMapp=2\r\nSpecPath=/home/anna/webb\r\nStartUp=1\r\n"
                 "WebProg=\r\nPath=/tmp/annat\r\nCopyPath=\r\nHTMLBokstav=0\r\nHTMLCitat=0\r\n"
                 "\r\n[Mall]\r\nFile=tom.htm\r\n"
                 "[Overblick]\r\nFranTagg=\r\nTillTagg=\r\nEndastEnTagg=0\r\nVisaMellan=0\r\n");
    LoadSettings();
    QCOMPARE(StartFolder, u"/home/anna/webb"_s);
}

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
