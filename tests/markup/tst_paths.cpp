#include "markup/globals.h"
#include "markup/paths.h"
#include "platform/files.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_paths : public QObject {
    Q_OBJECT

private:
    // A file the double accepts as a startable program.
    static QString makeBrowser(const TestProgramFolder& folder) {
        folder.write(u"browser"_s, "#!/bin/sh\n");
        QFile::setPermissions(folder.file(u"browser"_s),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return folder.file(u"browser"_s);
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
        QTest::newRow("two dots") << "sida.min.html" << 0 << 13;
        QTest::newRow("dot in folder") << "mapp.1/sida" << 0 << 11;
        QTest::newRow("no dot, no slash") << "sida" << 0 << 0;
        QTest::newRow("no dot after slash") << "bilder/sida" << 7 << 0;
        QTest::newRow("dot first") << ".htaccess" << 0 << 0;
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

    // (The encoding and every way a write can fail: with the file routines.)
    void writeTextFile_data() {
        QTest::addColumn<bool>("protect");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("Windows-1252 with a line break")
            << false << u"Klart"_s << QByteArray("ny \xe5\r\n");
        QTest::newRow("write-protected keeps the old text")
            << true << u"Misslyckades"_s << QByteArray("gammal");
    }

    void writeTextFile() {
        QFETCH(bool, protect);
        QFETCH(QString, status);
        QFETCH(QByteArray, after);
        TestProgramFolder folder;
        const QString path = folder.file(u"sida.htm"_s);
        folder.write(u"sida.htm"_s, "gammal");
        if (protect)
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        WorkText = u"ny å"_s;
        StatusText = u"Klart"_s;
        WriteTextFile(path);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(StatusText, status);
        QCOMPARE(folder.read(u"sida.htm"_s), after);
    }

    void browserMissingFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("how"); // 0 folder and name, 1 whole path, 2 unsaved document
        QTest::newRow("in folder") << "saknas.htm" << 0;
        QTest::newRow("whole path") << "saknas.htm" << 1;
        QTest::newRow("folder instead of file") << "mallar" << 0;
        QTest::newRow("unsaved document") << "" << 2;
    }

    void browserMissingFile() {
        QFETCH(QString, file);
        QFETCH(int, how);
        TestProgramFolder folder;
        QDir(folder.path()).mkdir(u"mallar"_s);
        FakePlatformScope scope;
        BrowserPath = makeBrowser(folder);
        const QString whole = how == 1 ? folder.file(file) : QString();
        if (how == 0)
            OpenInBrowser(folder.path(), file);
        else
            OpenInBrowser(whole, u"*"_s);
        QCOMPARE(scope.fake.calls.size(), 1);
        const PlatformCall call = scope.fake.calls.first();
        QCOMPARE(call.kind, PlatformCall::Message);
        QCOMPARE(call.text, u"Filen \""_s + (how == 0 ? file : whole) + u"\" hittades inte."_s);
        QCOMPARE(call.icon, MsgIcon::Critical);
        QCOMPARE(call.buttons, MsgButtons::Ok);
    }

    void browserStartsWithPathAsOneArgument_data() {
        QTest::addColumn<QString>("folderName"); // within the program folder
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("page");
        QTest::newRow("blanks in names") << "min mapp"
                                         << "en sida.htm"
                                         << "min mapp/en sida.htm";
        QTest::newRow("whole path") << "min mapp/en sida.htm"
                                    << "*"
                                    << "min mapp/en sida.htm";
        QTest::newRow("folder ending in slash") << ""
                                                << "vessilor.htm"
                                                << "vessilor.htm";
    }

    void browserStartsWithPathAsOneArgument() {
        QFETCH(QString, folderName);
        QFETCH(QString, file);
        QFETCH(QString, page);
        TestProgramFolder folder;
        QDir(folder.path()).mkdir(u"min mapp"_s);
        folder.write(page, "<html>");
        FakePlatformScope scope;
        BrowserPath = makeBrowser(folder);
        OpenInBrowser(folder.path() + u'/' + folderName, file);
        QCOMPARE(scope.fake.calls.size(), 1);
        QCOMPARE(scope.fake.calls.first().kind, PlatformCall::StartProgram);
        QCOMPARE(scope.fake.calls.first().program, BrowserPath);
        QCOMPARE(scope.fake.calls.first().arguments, QStringList{folder.file(page)});
    }

    void browserNotSet_data() {
        QTest::addColumn<QString>("browser");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("hookSet");
        QTest::newRow("empty, no") << "" << false << true;
        QTest::newRow("blanks, yes") << "   " << true << true;
        QTest::newRow("missing program, yes") << "/saknas/webblasare" << true << true;
        QTest::newRow("yes without hook") << "" << true << false;
    }

    void browserNotSet() {
        QFETCH(QString, browser);
        QFETCH(bool, yes);
        QFETCH(bool, hookSet);
        TestProgramFolder folder;
        folder.write(u"sida.htm"_s, "<html>");
        FakePlatformScope scope;
        scope.fake.messageAnswers = {yes ? MsgAnswer::Yes : MsgAnswer::No};
        BrowserPath = browser;
        int shown = 0;
        if (hookSet)
            ShowPreferences = [&shown] { ++shown; };
        WorkText = u"oförändrad"_s;
        StatusText = u"Klart"_s;

        OpenInBrowser(folder.path(), u"sida.htm"_s);

        const QList<PlatformCall> messages = scope.fake.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().text,
                 u"Du har inte ställt in vilken webläsare du vill använda. Vill "
                 u"du göra det nu?"_s);
        QCOMPARE(messages.first().icon, MsgIcon::Question);
        QCOMPARE(messages.first().buttons, MsgButtons::YesNo);
        QCOMPARE(shown, yes && hookSet ? 1 : 0);
        QCOMPARE(BrowserPath, browser);
        QCOMPARE(WorkText, u"oförändrad"_s);
        QCOMPARE(StatusText, u"Klart"_s);
        QCOMPARE(folder.read(u"sida.htm"_s), QByteArray("<html>"));
    }
};

QTEST_GUILESS_MAIN(tst_paths)
#include "tst_paths.moc"
