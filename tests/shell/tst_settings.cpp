#include "markup/globals.h"
#include "shell/settings.h"
#include "testsupport.h"

#include <QtTest>

namespace {

const QString Ini = QStringLiteral("vessilor.ini");

// The program-wide integer that a key of "Vessilor" or "Overblick" is loaded into.
int* variableOf(const QString& key) {
    if (key == QLatin1String("StartUp"))
        return &StartUpTool;
    if (key == QLatin1String("HTMLBokstav"))
        return &TagCase;
    if (key == QLatin1String("HTMLCitat"))
        return &AttrQuoteStyle;
    if (key == QLatin1String("EndastEnTagg"))
        return &OverviewOnlyOne;
    if (key == QLatin1String("VisaMellan"))
        return &OverviewBetween;
    return nullptr;
}

void resetVariables() {
    BrowserPath = StartFolder = CopyPath = QStringLiteral("old");
    OverviewFromTag = OverviewToTag = QStringLiteral("old");
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
    void namesMatchInAnyCase();
    void longValueCutTo254();
    void missingFileGivesDefaults();
    void saveTrimsBrowserPath();
    void saveWritesKeysInOrder();
    void roundTrip();
    void saveKeepsTheRestOfTheFile();
};

void tst_settings::integerKeys_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored"); // a null string leaves the key out
    QTest::addColumn<int>("expected");

    const QString v = QStringLiteral("Vessilor");
    const QString o = QStringLiteral("Overblick");
    QTest::newRow("StartUp 7") << v << "StartUp"
                               << "7" << 0;
    QTest::newRow("StartUp -1") << v << "StartUp"
                                << "-1" << 0;
    QTest::newRow("StartUp empty") << v << "StartUp"
                                   << "" << 0;
    QTest::newRow("StartUp missing") << v << "StartUp" << QString() << 0;
    QTest::newRow("StartUp 3") << v << "StartUp"
                               << "3" << 3;
    QTest::newRow("StartUp 2.5 to even") << v << "StartUp"
                                         << "2.5" << 2;
    QTest::newRow("StartUp 1.6") << v << "StartUp"
                                 << "1.6" << 2;
    QTest::newRow("StartUp word") << v << "StartUp"
                                  << "abc" << 0;
    QTest::newRow("StartUp 1px") << v << "StartUp"
                                 << "1px" << 1;
    QTest::newRow("HTMLBokstav 2") << v << "HTMLBokstav"
                                   << "2" << 2;
    QTest::newRow("HTMLBokstav 3") << v << "HTMLBokstav"
                                   << "3" << 0;
    QTest::newRow("HTMLBokstav 1.5 to even") << v << "HTMLBokstav"
                                             << "1.5" << 2;
    QTest::newRow("HTMLCitat 1") << v << "HTMLCitat"
                                 << "1" << 1;
    QTest::newRow("HTMLCitat 1.6 rounds out of range") << v << "HTMLCitat"
                                                       << "1.6" << 0;
    QTest::newRow("HTMLCitat 1.4") << v << "HTMLCitat"
                                   << "1.4" << 1;
    QTest::newRow("HTMLCitat 0.5 to even") << v << "HTMLCitat"
                                           << "0.5" << 0;
    QTest::newRow("HTMLCitat 40000") << v << "HTMLCitat"
                                     << "40000" << 0;
    QTest::newRow("EndastEnTagg 2") << o << "EndastEnTagg"
                                    << "2" << 2;
    QTest::newRow("EndastEnTagg 3") << o << "EndastEnTagg"
                                    << "3" << 0;
    QTest::newRow("EndastEnTagg -1") << o << "EndastEnTagg"
                                     << "-1" << 0;
    QTest::newRow("EndastEnTagg empty") << o << "EndastEnTagg"
                                        << "" << 0;
    QTest::newRow("EndastEnTagg missing") << o << "EndastEnTagg" << QString() << 0;
    QTest::newRow("EndastEnTagg word") << o << "EndastEnTagg"
                                       << "ja" << 0;
    QTest::newRow("EndastEnTagg not a whole number") << o << "EndastEnTagg"
                                                     << "1x" << 0;
    QTest::newRow("EndastEnTagg 1.6") << o << "EndastEnTagg"
                                      << "1.6" << 2;
    QTest::newRow("EndastEnTagg blanks") << o << "EndastEnTagg"
                                         << "  1  " << 1;
    QTest::newRow("VisaMellan 1") << o << "VisaMellan"
                                  << "1" << 1;
    QTest::newRow("VisaMellan 2.5 to even") << o << "VisaMellan"
                                            << "2.5" << 2;
    QTest::newRow("VisaMellan 99999") << o << "VisaMellan"
                                      << "99999" << 0;
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
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    const QByteArray paths = "Path=/home/anna/senast\r\nSpecPath=/home/anna/webb\r\n";
    QTest::newRow("AutoStartMapp missing") << "[Vessilor]\r\n" + paths << "/home/anna/senast";
    QTest::newRow("AutoStartMapp 1")
        << "[Vessilor]\r\nAutoStartMapp=1\r\n" + paths << "/home/anna/senast";
    QTest::newRow("AutoStartMapp 2")
        << "[Vessilor]\r\nAutoStartMapp=2\r\n" + paths << "/home/anna/webb";
    QTest::newRow("AutoStartMapp 1.6 rounds to 2")
        << "[Vessilor]\r\nAutoStartMapp=1.6\r\n" + paths << "/home/anna/webb";
    QTest::newRow("AutoStartMapp 2, empty SpecPath")
        << QByteArray("[Vessilor]\r\nAutoStartMapp=2\r\nPath=/home/anna/senast\r\nSpecPath=\r\n")
        << "";
    QTest::newRow("AutoStartMapp 2, no SpecPath")
        << QByteArray("[Vessilor]\r\nAutoStartMapp=2\r\nPath=/home/anna/senast\r\n") << "";
}

void tst_settings::startFolder() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    TestProgramFolder folder;
    folder.write(Ini, content);
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

void tst_settings::namesMatchInAnyCase() {
    TestProgramFolder folder;
    folder.write(Ini, "[vessilor]\r\nwebprog=/usr/bin/firefox\r\nSTARTUP=2\r\n"
                      "[OVERBLICK]\r\nfrantagg=<TABLE>\r\nvisamellan=1\r\n");
    resetVariables();
    LoadSettings();
    QCOMPARE(BrowserPath, QStringLiteral("/usr/bin/firefox"));
    QCOMPARE(StartUpTool, 2);
    QCOMPARE(OverviewFromTag, QStringLiteral("<TABLE>"));
    QCOMPARE(OverviewBetween, 1);
}

void tst_settings::longValueCutTo254() {
    TestProgramFolder folder;
    const QByteArray path = "/" + QByteArray(299, 'p');
    folder.write(Ini, "[Vessilor]\r\nWebProg=" + path + "\r\n");
    resetVariables();
    LoadSettings();
    QCOMPARE(BrowserPath, QString::fromLatin1(path.left(254)));
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
    QVERIFY(folder.read(Ini).isEmpty());
}

void tst_settings::saveTrimsBrowserPath() {
    TestProgramFolder folder;
    resetVariables();
    BrowserPath = QStringLiteral("  /usr/bin/firefox  ");
    WriteSettings();
    QCOMPARE(BrowserPath, QStringLiteral("/usr/bin/firefox"));
    QVERIFY(folder.read(Ini).contains("\r\nWebProg=/usr/bin/firefox\r\n"));
}

void tst_settings::saveWritesKeysInOrder() {
    TestProgramFolder folder;
    BrowserPath = QStringLiteral("/usr/bin/firefox");
    StartFolder = QStringLiteral("/home/anna/webb");
    CopyPath = QStringLiteral("/srv/www");
    StartUpTool = 1;
    TagCase = 2;
    AttrQuoteStyle = 1;
    OverviewFromTag = QStringLiteral("<BODY>");
    OverviewToTag = QStringLiteral("</BODY>");
    OverviewOnlyOne = 1;
    OverviewBetween = 2;
    WriteSettings();
    QCOMPARE(folder.read(Ini), QByteArray("[Vessilor]\r\n"
                                          "WebProg=/usr/bin/firefox\r\n"
                                          "Path=/home/anna/webb\r\n"
                                          "CopyPath=/srv/www\r\n"
                                          "StartUp=1\r\n"
                                          "HTMLBokstav=2\r\n"
                                          "HTMLCitat=1\r\n"
                                          "[Overblick]\r\n"
                                          "FranTagg=<BODY>\r\n"
                                          "TillTagg=</BODY>\r\n"
                                          "EndastEnTagg=1\r\n"
                                          "VisaMellan=2\r\n"));
}

void tst_settings::roundTrip() {
    TestProgramFolder folder;
    BrowserPath = QString::fromUtf8("/opt/webbläsare/bin/surf");
    StartFolder = QString::fromUtf8("/home/anna/Zdjęcia och sånt");
    CopyPath = QString();
    StartUpTool = 3;
    TagCase = 1;
    AttrQuoteStyle = 0;
    OverviewFromTag = QStringLiteral("<TABLE>");
    OverviewToTag = QStringLiteral("</TABLE>");
    OverviewOnlyOne = 2;
    OverviewBetween = 1;
    WriteSettings();
    resetVariables();
    LoadSettings();
    QCOMPARE(BrowserPath, QString::fromUtf8("/opt/webbläsare/bin/surf"));
    QCOMPARE(StartFolder, QString::fromUtf8("/home/anna/Zdjęcia och sånt"));
    QCOMPARE(CopyPath, QString());
    QCOMPARE(StartUpTool, 3);
    QCOMPARE(TagCase, 1);
    QCOMPARE(AttrQuoteStyle, 0);
    QCOMPARE(OverviewFromTag, QStringLiteral("<TABLE>"));
    QCOMPARE(OverviewToTag, QStringLiteral("</TABLE>"));
    QCOMPARE(OverviewOnlyOne, 2);
    QCOMPARE(OverviewBetween, 1);
}

void tst_settings::saveKeepsTheRestOfTheFile() {
    TestProgramFolder folder;
    const QByteArray editor = "[Editor]\r\nLeft=1200\r\nFont=Monospace\r\n\r\n";
    folder.write(Ini, "; Vessilora\r\n" + editor +
                          "[Vessilor]\r\nAutoStartMapp=2\r\nSpecPath=/home/anna/webb\r\n"
                          "StartUp=1\r\n\r\n[Mall]\r\nFile=tom.htm\r\n");
    LoadSettings();
    QCOMPARE(StartFolder, QStringLiteral("/home/anna/webb"));
    StartFolder = QStringLiteral("/tmp/annat");
    WriteSettings();
    QCOMPARE(folder.read(Ini),
             "; Vessilora\r\n" + editor +
                 "[Vessilor]\r\nAutoStartMapp=2\r\nSpecPath=/home/anna/webb\r\nStartUp=1\r\n"
                 "WebProg=\r\nPath=/tmp/annat\r\nCopyPath=\r\nHTMLBokstav=0\r\nHTMLCitat=0\r\n"
                 "\r\n[Mall]\r\nFile=tom.htm\r\n"
                 "[Overblick]\r\nFranTagg=\r\nTillTagg=\r\nEndastEnTagg=0\r\nVisaMellan=0\r\n");
    LoadSettings();
    QCOMPARE(StartFolder, QStringLiteral("/home/anna/webb"));
}

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
