// The launcher: start-up sequence, opening the tools and the exit path.

#include "markup/globals.h"
#include "shell/frmstartup.h"
#include "shell/inimod.h"
#include "shell/tools.h"
#include "testsupport.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

QWidget* toolShown(Tool tool) {
    QWidget* window = ExistingToolWindow(tool);
    return window && window->isVisible() ? window : nullptr;
}

} // namespace

class tst_launcher : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void captionsAndAccessKeys();
    void eachButtonOpensItsToolAndHidesTheLauncher_data();
    void eachButtonOpensItsToolAndHidesTheLauncher();
    void startValuesAreSetAtEveryStart();
    void startUpSettingOpensATool_data();
    void startUpSettingOpensATool();
    void browserTestAtStart_data();
    void browserTestAtStart();
    void everyExitPathSavesTheSameSettings_data();
    void everyExitPathSavesTheSameSettings();
    void settingsSurviveARestart();
    void entityTableAtStart_data();
    void entityTableAtStart();
    void helpOpensTheHelpPageInTheBrowser();
    void editorStartClearsTheChangedFlag();
    void selfCheckAsksWhenTheFolderCannotBeWritten_data();
    void selfCheckAsksWhenTheFolderCannotBeWritten();
    void startAndExitReadAndWriteTheSettingsOnce();

private:
    std::unique_ptr<FakePlatformScope> platformScope;
    std::unique_ptr<TestProgramFolder> folder;
    QList<int> endedWith;
};

void tst_launcher::init() {
    platformScope = std::make_unique<FakePlatformScope>();
    folder = std::make_unique<TestProgramFolder>();
    endedWith.clear();
    EndProgram = [this](int code) { endedWith.append(code); };
    BrowserPath.clear();
    StartUpTool = 0;
}

void tst_launcher::cleanup() {
    ResetTools();
    EndProgram = nullptr;
    folder.reset();
    platformScope.reset();
}

void tst_launcher::captionsAndAccessKeys() {
    frmStartUp launcher;
    QCOMPARE(launcher.cmdEdit->text(), QStringLiteral("&Editera filer"));
    QCOMPARE(launcher.cmdWork->text(), QStringLiteral("&Bearbeta filer"));
    QCOMPARE(launcher.cmdFileCopy->text(), QStringLiteral("&Kopiera filer"));
    QCOMPARE(launcher.cmdExit->text(), QStringLiteral("A&vsluta"));
    QCOMPARE(launcher.mnuArkiv->title(), QStringLiteral("&Arkiv"));
    QCOMPARE(launcher.mnuArkivExit->text(), QStringLiteral("&Avsluta"));
    QCOMPARE(launcher.mnuVisa->title(), QStringLiteral("Vi&sa"));
    QCOMPARE(launcher.mnuVisaColor->text(), QStringLiteral("&Webfärg..."));
    QVERIFY(launcher.mnuVisaS1->isSeparator());
    QCOMPARE(launcher.mnuVisaPref->text(), QStringLiteral("&Inställningar..."));
    QCOMPARE(launcher.mnuHelp->title(), QStringLiteral("&Hjälp"));
    QCOMPARE(launcher.mnuHelpVessilora->text(), QStringLiteral("&Vessilora"));
    QVERIFY(launcher.mnuHelpS1->isSeparator());
    QCOMPARE(launcher.mnuHelpAbout->text(), QStringLiteral("&Om..."));
}

void tst_launcher::eachButtonOpensItsToolAndHidesTheLauncher_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("caption");
    QTest::newRow("editor") << 0 << int(Tool::Editor) << QStringLiteral("Vessilora - Editor");
    QTest::newRow("batch") << 1 << int(Tool::Batch) << QStringLiteral("Vessilora - Bearbeta filer");
    QTest::newRow("file copy") << 2 << int(Tool::FileCopy) << QStringLiteral("Kopiera filer");
}

void tst_launcher::eachButtonOpensItsToolAndHidesTheLauncher() {
    QFETCH(int, button);
    QFETCH(int, tool);
    QFETCH(QString, caption);
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    QVERIFY(launcher.isVisible());
    QPushButton* buttons[] = {launcher.cmdEdit, launcher.cmdWork, launcher.cmdFileCopy};
    buttons[button]->click();
    QWidget* window = toolShown(Tool(tool));
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), caption);
    QVERIFY(!launcher.isVisible());
    window->close();
    QVERIFY(launcher.isVisible());
    // The window is kept and shown again on the next click.
    buttons[button]->click();
    QCOMPARE(toolShown(Tool(tool)), window);
    QVERIFY(endedWith.isEmpty());
}

void tst_launcher::startValuesAreSetAtEveryStart() {
    ColorSlot = 5;
    BatchLineBreakStyle = 3;
    PairCount = 2;
    BatchCompressLines = true;
    BatchCheckBrackets = BatchCheckQuotes = BatchCheckStandardTags = false;
    NewLine.clear();
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    QCOMPARE(IniFile, folder->file(QStringLiteral("vessilor.ini")));
    QCOMPARE(NewLine, QStringLiteral("\r\n"));
    QCOMPARE(ColorSlot, 0);
    QCOMPARE(BatchLineBreakStyle, 1);
    QCOMPARE(PairCount, 0);
    QVERIFY(!BatchCompressLines);
    QVERIFY(BatchCheckBrackets && BatchCheckQuotes && BatchCheckStandardTags);
}

void tst_launcher::startUpSettingOpensATool_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("tool"); // -1: nothing opens
    QTest::newRow("editor") << QStringLiteral("1") << int(Tool::Editor);
    QTest::newRow("batch") << QStringLiteral("2") << int(Tool::Batch);
    QTest::newRow("file copy") << QStringLiteral("3") << int(Tool::FileCopy);
    QTest::newRow("none") << QStringLiteral("0") << -1;
    QTest::newRow("out of range") << QStringLiteral("5") << -1;
    QTest::newRow("negative") << QStringLiteral("-1") << -1;
}

void tst_launcher::startUpSettingOpensATool() {
    QFETCH(QString, stored);
    QFETCH(int, tool);
    folder->write(QStringLiteral("vessilor.ini"),
                  QByteArray("[Vessilor]\r\nStartUp=") + stored.toLatin1() + "\r\n");
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    if (tool < 0) {
        QVERIFY(launcher.isVisible());
        QVERIFY(!toolShown(Tool::Editor) && !toolShown(Tool::Batch) && !toolShown(Tool::FileCopy));
    } else {
        QVERIFY(toolShown(Tool(tool)));
        QVERIFY(!launcher.isVisible());
    }
}

void tst_launcher::browserTestAtStart_data() {
    QTest::addColumn<QString>("browser");
    QTest::addColumn<bool>("preferencesShown");
    QTest::newRow("empty skips the test") << QString() << false;
    QTest::newRow("existing browser") << QStringLiteral("EXISTING") << false;
    QTest::newRow("deleted browser") << QStringLiteral("/finns/inte/webblasare") << true;
}

void tst_launcher::browserTestAtStart() {
    QFETCH(QString, browser);
    QFETCH(bool, preferencesShown);
    if (browser == QLatin1String("EXISTING")) {
        folder->write(QStringLiteral("browser"), QByteArray("#!/bin/sh\n"));
        browser = folder->file(QStringLiteral("browser"));
    }
    folder->write(QStringLiteral("vessilor.ini"),
                  "[Vessilor]\r\nWebProg=" + browser.toLocal8Bit() + "\r\n");
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    QCOMPARE(BrowserPath, browser);
    QCOMPARE(bool(toolShown(Tool::Preferences)), preferencesShown);
    QVERIFY(platformScope->fake.messages().isEmpty());
}

void tst_launcher::everyExitPathSavesTheSameSettings_data() {
    QTest::addColumn<int>("path");
    QTest::newRow("button") << 0;
    QTest::newRow("menu") << 1;
    QTest::newRow("close box") << 2;
}

void tst_launcher::everyExitPathSavesTheSameSettings() {
    QFETCH(int, path);
    folder->write(QStringLiteral("vessilor.ini"),
                  QByteArray("; egna anteckningar\r\n[Vessilor]\r\nWebProg=  \r\nStartUp=2\r\n"
                             "HTMLBokstav=1\r\n"));
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    ToolWindow(Tool::Batch)->close(); // opened by StartUp=2
    StartFolder = QStringLiteral("/home/anna/webb");
    CopyPath = QStringLiteral("/srv/www");
    OverviewFromTag = QStringLiteral("<H1>");
    switch (path) {
    case 0:
        launcher.cmdExit->click();
        break;
    case 1:
        launcher.mnuArkivExit->trigger();
        break;
    default:
        launcher.close();
        break;
    }
    QCOMPARE(endedWith, QList<int>{0});
    const QString ini = IniFile;
    QCOMPARE(ReadIniString(QStringLiteral("Vessilor"), QStringLiteral("Path"), ini),
             QStringLiteral("/home/anna/webb"));
    QCOMPARE(ReadIniString(QStringLiteral("Vessilor"), QStringLiteral("CopyPath"), ini),
             QStringLiteral("/srv/www"));
    QCOMPARE(ReadIniInt(QStringLiteral("Vessilor"), QStringLiteral("StartUp"), ini), 2.0);
    QCOMPARE(ReadIniInt(QStringLiteral("Vessilor"), QStringLiteral("HTMLBokstav"), ini), 1.0);
    QCOMPARE(ReadIniString(QStringLiteral("Overblick"), QStringLiteral("FranTagg"), ini),
             QStringLiteral("<H1>"));
    QVERIFY(folder->read(QStringLiteral("vessilor.ini")).startsWith("; egna anteckningar\r\n"));
}

void tst_launcher::settingsSurviveARestart() {
    {
        frmStartUp launcher;
        int exitCode = -1;
        QVERIFY(launcher.Form_Load(exitCode));
        StartFolder = QStringLiteral("/home/anna/webb");
        TagCase = 2;
        AttrQuoteStyle = 1;
        OverviewToTag = QStringLiteral("</H1>");
        launcher.cmdExit->click();
    }
    StartFolder.clear();
    TagCase = 0;
    AttrQuoteStyle = 0;
    OverviewToTag.clear();
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    QCOMPARE(StartFolder, QStringLiteral("/home/anna/webb"));
    QCOMPARE(TagCase, 2);
    QCOMPARE(AttrQuoteStyle, 1);
    QCOMPARE(OverviewToTag, QStringLiteral("</H1>"));
}

void tst_launcher::entityTableAtStart_data() {
    QTest::addColumn<QString>("name"); // the table's file name; empty: no table
    QTest::newRow("missing") << QString();
    QTest::newRow("name in capitals") << QStringLiteral("HTMLKOD.DAT");
}

void tst_launcher::entityTableAtStart() {
    QFETCH(QString, name);
    const QString table = folder->file(QStringLiteral("htmlkod.dat"));
    if (name.isEmpty())
        QFile::remove(table);
    else
        QFile::rename(table, folder->file(name));
    frmStartUp launcher;
    int exitCode = 0;
    QCOMPARE(launcher.Form_Load(exitCode), !name.isEmpty());
    QCOMPARE(launcher.isVisible(), !name.isEmpty());
    if (!name.isEmpty()) {
        QVERIFY(platformScope->fake.messages().isEmpty());
        return;
    }
    QVERIFY(exitCode != 0);
    QCOMPARE(platformScope->fake.lastMessage(),
             QStringLiteral("HTMLKOD.DAT hittades inte. Kontrollera att filen finns i samma "
                            "katalog som programmet."));
    QCOMPARE(platformScope->fake.messages().constLast().icon, MsgIcon::Exclamation);
}

void tst_launcher::helpOpensTheHelpPageInTheBrowser() {
    folder->write(QStringLiteral("browser"), QByteArray("#!/bin/sh\n"));
    folder->write(QStringLiteral("vessilor.htm"), QByteArray("<html></html>"));
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    BrowserPath = folder->file(QStringLiteral("browser"));
    launcher.mnuHelpVessilora->trigger();
    const PlatformCall& call = platformScope->fake.calls.constLast();
    QCOMPARE(call.kind, PlatformCall::StartProgram);
    QCOMPARE(call.program, BrowserPath);
    QCOMPARE(call.arguments, QStringList{folder->file(QStringLiteral("vessilor.htm"))});
}

void tst_launcher::editorStartClearsTheChangedFlag() {
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    DocumentChanged = true;
    launcher.cmdEdit->click();
    QVERIFY(!DocumentChanged);
}

void tst_launcher::selfCheckAsksWhenTheFolderCannotBeWritten_data() {
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("Nej ends the program") << MsgAnswer::No << 0;
    // Going on, the start then misses the entity table in the missing folder.
    QTest::newRow("Ja goes on") << MsgAnswer::Yes << 1;
}

void tst_launcher::selfCheckAsksWhenTheFolderCannotBeWritten() {
    QFETCH(MsgAnswer, answer);
    QFETCH(int, exitCode);
    const QString missing = folder->file(QStringLiteral("saknas"));
    qputenv("VESSILORA_HOME", QFile::encodeName(missing));
    platformScope->fake.messageAnswers = {answer};
    frmStartUp launcher;
    int code = -1;
    QVERIFY(!launcher.Form_Load(code));
    QCOMPARE(code, exitCode);
    QVERIFY(!launcher.isVisible());
    const QList<PlatformCall> messages = platformScope->fake.messages();
    QCOMPARE(messages.size(), answer == MsgAnswer::Yes ? 2 : 1);
    QVERIFY(messages.at(0).text.contains(missing));
    QCOMPARE(messages.at(0).icon, MsgIcon::Question);
    QCOMPARE(messages.at(0).buttons, MsgButtons::YesNo);
    QVERIFY(!QFileInfo::exists(missing));
}

void tst_launcher::startAndExitReadAndWriteTheSettingsOnce() {
    const QString ini = QStringLiteral("vessilor.ini");
    folder->write(ini, "[Vessilor]\r\nPath=/home/anna\r\n[Overblick]\r\nFranTagg=<H1>\r\n");
    FolderWatch watch(folder->path());
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    FolderWatch::Counts counts = watch.take(ini);
    QCOMPARE(counts.reads, 1);
    QCOMPARE(counts.writes, 0);
    StartFolder = QStringLiteral("/home/anna/webb");
    launcher.cmdExit->click();
    counts = watch.take(ini);
    QCOMPARE(counts.reads, 1);
    QCOMPARE(counts.writes, 1);
}

QTEST_MAIN(tst_launcher)
#include "tst_launcher.moc"
