#include "markup/globals.h"
#include "markup/paths.h"
#include "platform/files.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class tst_paths : public QObject {
    Q_OBJECT

private:
    // A file the double accepts as a startable program.
    static QString makeBrowser(const TestProgramFolder& folder) {
        folder.write(QStringLiteral("browser"), "#!/bin/sh\n");
        QFile::setPermissions(folder.file(QStringLiteral("browser")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return folder.file(QStringLiteral("browser"));
    }

private slots:
    void init() {
        WorkText.clear();
        StatusText.clear();
        BrowserPath.clear();
        ShowPreferences = nullptr;
    }

    void cleanup() {
        BrowserPath.clear();
        ShowPreferences = nullptr;
    }

    void linkNameSelection_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::newRow("folder and file") << "bilder/foto.gif" << 7 << 4;
        QTest::newRow("file") << "index.html" << 0 << 5;
        QTest::newRow("mailto") << "mailto:anna@exempel.se" << 7 << 4;
        QTest::newRow("mailto without at") << "mailto:anna" << 7 << 0;
        QTest::newRow("mailto empty user") << "mailto:@exempel.se" << 7 << 0;
        QTest::newRow("two dots") << "sida.min.html" << 0 << 13;
        QTest::newRow("dot in folder") << "mapp.1/sida" << 0 << 11;
        QTest::newRow("folder only") << "bilder/" << 7 << 0;
        QTest::newRow("no dot, no slash") << "sida" << 0 << 0;
        QTest::newRow("no dot after slash") << "bilder/sida" << 7 << 0;
        QTest::newRow("url") << "http://www.exempel.se/mapp/sida.htm" << 27 << 4;
        QTest::newRow("dot first") << ".htaccess" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("dotted folder and file") << "mapp.1/sida.html" << 7 << 4;
    }

    void linkNameSelection() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        const LinkSelection selection = LinkNameSelection(text);
        QCOMPARE(selection.start, start);
        QCOMPARE(selection.length, length);
    }

    void writeTextFileAddsLineBreak() {
        TestProgramFolder folder;
        WorkText = QStringLiteral("abc");
        StatusText = QStringLiteral("Klart");
        WriteTextFile(folder.file(QStringLiteral("sida.htm")));
        QCOMPARE(folder.read(QStringLiteral("sida.htm")), QByteArray("abc\r\n"));
        QCOMPARE(StatusText, QStringLiteral("Klart"));
    }

    void writeTextFileInCodePage() {
        TestProgramFolder folder;
        WorkText = QStringLiteral("åäö € → 😀");
        WriteTextFile(folder.file(QStringLiteral("sida.htm")));
        QCOMPARE(folder.read(QStringLiteral("sida.htm")),
                 QByteArray("\xe5\xe4\xf6 \x80 &#8594; &#128512;\r\n"));
        QVERIFY(StatusText.isEmpty());
    }

    void writeTextFileReplacesOldFile() {
        TestProgramFolder folder;
        folder.write(QStringLiteral("sida.htm"), "en mycket längre gammal text\r\n");
        WorkText = QStringLiteral("ny");
        WriteTextFile(folder.file(QStringLiteral("sida.htm")));
        QCOMPARE(folder.read(QStringLiteral("sida.htm")), QByteArray("ny\r\n"));
    }

    void writeTextFileIntoMissingFolder() {
        TestProgramFolder folder;
        const QString path = folder.file(QStringLiteral("saknas/sida.htm"));
        WorkText = QStringLiteral("abc");
        StatusText = QStringLiteral("Klart");
        WriteTextFile(path);
        QCOMPARE(StatusText, QStringLiteral("Misslyckades"));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!QDir(folder.file(QStringLiteral("saknas"))).exists());
    }

    void writeTextFileWriteProtected() {
        TestProgramFolder folder;
        folder.write(QStringLiteral("sida.htm"), "gammal");
        const QString path = folder.file(QStringLiteral("sida.htm"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        WorkText = QStringLiteral("ny");
        StatusText = QStringLiteral("Klart");
        WriteTextFile(path);
        QCOMPARE(StatusText, QStringLiteral("Misslyckades"));
        QCOMPARE(folder.read(QStringLiteral("sida.htm")), QByteArray("gammal"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    }

    void writeTextFileEmptyPath() {
        WorkText = QStringLiteral("abc");
        StatusText = QStringLiteral("Klart");
        WriteTextFile(QString());
        QCOMPARE(StatusText, QStringLiteral("Misslyckades"));
    }

    void browserMissingFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("wholePath");
        QTest::newRow("in folder") << "saknas.htm" << false;
        QTest::newRow("whole path") << "saknas.htm" << true;
        QTest::newRow("folder instead of file") << "mallar" << false;
    }

    void browserMissingFile() {
        QFETCH(QString, file);
        QFETCH(bool, wholePath);
        TestProgramFolder folder;
        QDir(folder.path()).mkdir(QStringLiteral("mallar"));
        FakePlatformScope scope;
        BrowserPath = makeBrowser(folder);
        const QString whole = folder.file(file);
        if (wholePath)
            OpenInBrowser(whole, QStringLiteral("*"));
        else
            OpenInBrowser(folder.path(), file);
        QCOMPARE(scope.fake.calls.size(), 1);
        const PlatformCall call = scope.fake.calls.first();
        QCOMPARE(call.kind, PlatformCall::Message);
        QCOMPARE(call.text, QStringLiteral("Filen \"") + (wholePath ? whole : file) +
                                QStringLiteral("\" hittades inte."));
        QCOMPARE(call.icon, MsgIcon::Critical);
        QCOMPARE(call.buttons, MsgButtons::Ok);
    }

    void browserUnsavedDocument() {
        FakePlatformScope scope;
        BrowserPath = QStringLiteral("/usr/bin/true");
        OpenInBrowser(QString(), QStringLiteral("*"));
        QCOMPARE(scope.fake.calls.size(), 1);
        QCOMPARE(scope.fake.lastMessage(), QStringLiteral("Filen \"\" hittades inte."));
        QCOMPARE(scope.fake.calls.first().icon, MsgIcon::Critical);
    }

    void browserStartsWithPathAsOneArgument() {
        TestProgramFolder folder;
        QDir(folder.path()).mkdir(QStringLiteral("min mapp"));
        folder.write(QStringLiteral("min mapp/en sida.htm"), "<html>");
        FakePlatformScope scope;
        BrowserPath = makeBrowser(folder);
        const QString path = folder.file(QStringLiteral("min mapp/en sida.htm"));

        OpenInBrowser(folder.file(QStringLiteral("min mapp")), QStringLiteral("en sida.htm"));
        QCOMPARE(scope.fake.calls.size(), 1);
        QCOMPARE(scope.fake.calls.first().kind, PlatformCall::StartProgram);
        QCOMPARE(scope.fake.calls.first().program, BrowserPath);
        QCOMPARE(scope.fake.calls.first().arguments, QStringList{path});

        scope.fake.clear();
        OpenInBrowser(path, QStringLiteral("*"));
        QCOMPARE(scope.fake.calls.size(), 1);
        QCOMPARE(scope.fake.calls.first().arguments, QStringList{path});
    }

    void browserFolderEndingInSlash() {
        TestProgramFolder folder;
        folder.write(QStringLiteral("vessilor.htm"), "<html>");
        FakePlatformScope scope;
        BrowserPath = makeBrowser(folder);
        OpenInBrowser(folder.path() + QLatin1Char('/'), QStringLiteral("vessilor.htm"));
        QCOMPARE(scope.fake.calls.size(), 1);
        QCOMPARE(scope.fake.calls.first().arguments,
                 QStringList{folder.file(QStringLiteral("vessilor.htm"))});
    }

    void browserNotSet_data() {
        QTest::addColumn<QString>("browser");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("hookSet");
        QTest::newRow("empty, no") << "" << false << true;
        QTest::newRow("empty, yes") << "" << true << true;
        QTest::newRow("blanks, yes") << "   " << true << true;
        QTest::newRow("missing program, yes") << "/saknas/webblasare" << true << true;
        QTest::newRow("yes without hook") << "" << true << false;
    }

    void browserNotSet() {
        QFETCH(QString, browser);
        QFETCH(bool, yes);
        QFETCH(bool, hookSet);
        TestProgramFolder folder;
        folder.write(QStringLiteral("sida.htm"), "<html>");
        FakePlatformScope scope;
        scope.fake.messageAnswers = {yes ? MsgAnswer::Yes : MsgAnswer::No};
        BrowserPath = browser;
        int shown = 0;
        if (hookSet)
            ShowPreferences = [&shown] { ++shown; };
        WorkText = QStringLiteral("oförändrad");
        StatusText = QStringLiteral("Klart");

        OpenInBrowser(folder.path(), QStringLiteral("sida.htm"));

        const QList<PlatformCall> messages = scope.fake.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().text,
                 QStringLiteral("Du har inte ställt in vilken webläsare du vill använda. Vill "
                                "du göra det nu?"));
        QCOMPARE(messages.first().icon, MsgIcon::Question);
        QCOMPARE(messages.first().buttons, MsgButtons::YesNo);
        QCOMPARE(shown, yes && hookSet ? 1 : 0);
        QCOMPARE(BrowserPath, browser);
        QCOMPARE(WorkText, QStringLiteral("oförändrad"));
        QCOMPARE(StatusText, QStringLiteral("Klart"));
        QCOMPARE(folder.read(QStringLiteral("sida.htm")), QByteArray("<html>"));
    }
};

QTEST_GUILESS_MAIN(tst_paths)
#include "tst_paths.moc"
