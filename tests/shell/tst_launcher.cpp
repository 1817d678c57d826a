// The launcher: start-up sequence, opening the tools and the exit path.

#include "markup/globals.h"
#include "shell/frmstartup.h"
#include "shell/inimod.h"
#include "shell/tools.h"
#include "testsupport.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QWidget* toolShown(Tool tool) {
    QWidget* window = ExistingToolWindow(tool);
    return window && window->isVisible() ? window : nullptr;
}

// Runs the launcher's start; false when the start ends the program.
bool load(frmStartUp& launcher) {
    int exitCode = -1;
    return launcher.Form_Load(exitCode);
}

} // namespace

class tst_launcher : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void eachButtonOpensItsToolAndHidesTheLauncher_data();
    void eachButtonOpensItsToolAndHidesTheLauncher();
    void startUpSettingOpensATool_data();
    void startUpSettingOpensATool();
    void browserTestAtStart_data();
    void browserTestAtStart();
    void everyExitPathSavesTheSameSettings_data();
    void everyExitPathSavesTheSameSettings();
    void missingEntityTableEndsTheStart();
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
}

void tst_launcher::cleanup() {
    ResetTools();
    EndProgram = nullptr;
    folder.reset();
    platformScope.reset();
}

void tst_launcher::eachButtonOpensItsToolAndHidesTheLauncher_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("tool");
    QTest::newRow("editor") << 0 << int(Tool::Editor);
    QTest::newRow("batch") << 1 << int(Tool::Batch);
    QTest::newRow("file copy") << 2 << int(Tool::FileCopy);
}

void tst_launcher::eachButtonOpensItsToolAndHidesTheLauncher() {
    QFETCH(int, button);
    QFETCH(int, tool);
    frmStartUp launcher;
    QVERIFY(load(launcher));
    QVERIFY(launcher.isVisible());
    QPushButton* buttons[] = {launcher.cmdEdit, launcher.cmdWork, launcher.cmdFileCopy};
    buttons[button]->click();
    QWidget* window = toolShown(Tool(tool));
    QVERIFY(window);
    QVERIFY(!launcher.isVisible());
    window->close();
    QVERIFY(launcher.isVisible());
    // The window is kept and shown again on the next click.
    buttons[button]->click();
    QCOMPARE(toolShown(Tool(tool)), window);
    QVERIFY(endedWith.isEmpty());
}

void tst_launcher::startUpSettingOpensATool_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("tool"); // -1: nothing opens
    QTest::newRow("editor") << u"1"_s << int(Tool::Editor);
    QTest::newRow("file copy") << u"3"_s << int(Tool::FileCopy);
    QTest::newRow("none") << u"0"_s << -1;
}

void tst_launcher::startUpSettingOpensATool() {
    QFETCH(QString, stored);
    QFETCH(int, tool);
    folder->write(u"vessilor.ini"_s,
                  QByteArray("[Vessilor]\r\nStartUp=") + stored.toLatin1() + "\r\n");
    frmStartUp launcher;
    QVERIFY(load(launcher));
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
    QTest::newRow("existing browser") << u"EXISTING"_s << false;
    QTest::newRow("deleted browser") << u"/finns/inte/webblasare"_s << true;
}

void tst_launcher::browserTestAtStart() {
    QFETCH(QString, browser);
    QFETCH(bool, preferencesShown);
    if (browser == "EXISTING"_L1) {
        folder->write(u"browser"_s, QByteArray("#!/bin/sh\n"));
        browser = folder->file(u"browser"_s);
    }
    folder->write(u"vessilor.ini"_s, "[Vessilor]\r\nWebProg=" + browser.toLocal8Bit() + "\r\n");
    frmStartUp launcher;
    QVERIFY(load(launcher));
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
    folder->write(u"vessilor.ini"_s,
                  QByteArray("; egna anteckningar\r\n[Vessilor]\r\nWebProg=  \r\nStartUp=2\r\n"
                             "HTMLBokstav=1\r\n"));
    frmStartUp launcher;
    QVERIFY(load(launcher));
    ToolWindow(Tool::Batch)->close(); // opened by StartUp=2
    StartFolder = u"/home/anna/webb"_s;
    CopyPath = u"/srv/www"_s;
    OverviewFromTag = u"<H1>"_s;
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
    QCOMPARE(ReadIniString(u"Vessilor"_s, u"Path"_s, ini), u"/home/anna/webb"_s);
    QCOMPARE(ReadIniString(u"Vessilor"_s, u"CopyPath"_s, ini), u"/srv/www"_s);
    QCOMPARE(ReadIniInt(u"Vessilor"_s, u"StartUp"_s, ini), 2.0);
    QCOMPARE(ReadIniInt(u"Vessilor"_s, u"HTMLBokstav"_s, ini), 1.0);
    QCOMPARE(ReadIniString(u"Overblick"_s, u"FranTagg"_s, ini), u"<H1>"_s);
    QVERIFY(folder->read(u"vessilor.ini"_s).startsWith("; egna anteckningar\r\n"));
}

// (The table's name in any letter case and the message's text: with the entity table.)
void tst_launcher::missingEntityTableEndsTheStart() {
    QFile::remove(folder->file(u"htmlkod.dat"_s));
    frmStartUp launcher;
    int exitCode = 0;
    QVERIFY(!launcher.Form_Load(exitCode));
    QVERIFY(!launcher.isVisible());
    QVERIFY(exitCode != 0);
    QCOMPARE(platformScope->fake.messages().size(), 1);
    QCOMPARE(platformScope->fake.messages().constLast().icon, MsgIcon::Exclamation);
}

void tst_launcher::helpOpensTheHelpPageInTheBrowser() {
    folder->write(u"browser"_s, QByteArray("#!/bin/sh\n"));
    folder->write(u"vessilor.htm"_s, QByteArray("<html></html>"));
    frmStartUp launcher;
    QVERIFY(load(launcher));
    BrowserPath = folder->file(u"browser"_s);
    launcher.mnuHelpVessilora->trigger();
    const PlatformCall& call = platformScope->fake.calls.constLast();
    QCOMPARE(call.kind, PlatformCall::StartProgram);
    QCOMPARE(call.program, BrowserPath);
    QCOMPARE(call.arguments, QStringList{folder->file(u"vessilor.htm"_s)});
}

void tst_launcher::editorStartClearsTheChangedFlag() {
    frmStartUp launcher;
    QVERIFY(load(launcher));
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
    const QString missing = folder->file(u"saknas"_s);
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
    const QString ini = u"vessilor.ini"_s;
    folder->write(ini, "[Vessilor]\r\nPath=/home/anna\r\n[Overblick]\r\nFranTagg=<H1>\r\n");
    FolderWatch watch(folder->path());
    frmStartUp launcher;
    QVERIFY(load(launcher));
    FolderWatch::Counts counts = watch.take(ini);
    QCOMPARE(counts.reads, 1);
    QCOMPARE(counts.writes, 0);
    StartFolder = u"/home/anna/webb"_s;
    launcher.cmdExit->click();
    counts = watch.take(ini);
    QCOMPARE(counts.reads, 1);
    QCOMPARE(counts.writes, 1);
}

QTEST_MAIN(tst_launcher)
#include "tst_launcher.moc"
