// Windows-1252 text files, atomic writes and the program folder.

#include "platform/files.h"
#include "platform/qtplatform.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QtTest>

class tst_files : public QObject {
    Q_OBJECT
private slots:
    void everyByteSurvivesARoundTrip();
    void typographicCharactersUseTheirBytes_data();
    void typographicCharactersUseTheirBytes();
    void charactersOutsideTheCodePageBecomeReferences_data();
    void charactersOutsideTheCodePageBecomeReferences();
    void writeReplacesTheWholeFileAndKeepsPermissions();
    void failedWritesLeaveTheOldFile_data();
    void failedWritesLeaveTheOldFile();
    void programFolderFollowsTheEnvironment();
    void joinPathAddsOneSeparator_data();
    void joinPathAddsOneSeparator();
    void fileDialogFilters_data();
    void fileDialogFilters();
    void programChooserListsFoldersAndPrograms();
};

void tst_files::everyByteSurvivesARoundTrip() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = DecodeCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(EncodeCp1252(text), all);

    TestProgramFolder folder(false);
    const QString path = folder.file(QStringLiteral("bytes.htm"));
    folder.write(QStringLiteral("bytes.htm"), all);
    QString read;
    QVERIFY(ReadTextFile(path, read));
    QVERIFY(WriteTextFileAtomic(path, read));
    QCOMPARE(folder.read(QStringLiteral("bytes.htm")), all);
}

void tst_files::typographicCharactersUseTheirBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
    QTest::newRow("dashes") << QStringLiteral("–—") << QByteArray("\x96\x97");
    QTest::newRow("quotes") << QStringLiteral("“”‘’") << QByteArray("\x93\x94\x91\x92");
    QTest::newRow("swedish") << QStringLiteral("åäöÅÄÖ") << QByteArray("\xE5\xE4\xF6\xC5\xC4\xD6");
    QTest::newRow("undefined slot") << QString(QChar(0x8D)) << QByteArray("\x8D");
}

void tst_files::typographicCharactersUseTheirBytes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(EncodeCp1252(text), bytes);
    QCOMPARE(DecodeCp1252(bytes), text);
}

void tst_files::charactersOutsideTheCodePageBecomeReferences_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("arrow") << QStringLiteral("a→b") << QByteArray("a&#8594;b");
    QTest::newRow("smiley") << QStringLiteral("☺") << QByteArray("&#9786;");
    QTest::newRow("emoji is one reference") << QStringLiteral("x😀") << QByteArray("x&#128512;");
    QTest::newRow("mixed") << QStringLiteral("😀å→x😀")
                           << QByteArray("&#128512;\xE5&#8594;x&#128512;");
    QTest::newRow("C1 control without a byte") << QString(QChar(0x85)) << QByteArray("&#133;");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("&#55296;");
}

void tst_files::charactersOutsideTheCodePageBecomeReferences() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(EncodeCp1252(text), bytes);
}

void tst_files::writeReplacesTheWholeFileAndKeepsPermissions() {
    TestProgramFolder folder(false);
    const QString path = folder.file(QStringLiteral("sida.htm"));
    folder.write(QStringLiteral("sida.htm"), QByteArray("en lång gammal text"));
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(path, permissions));
    QVERIFY(WriteTextFileAtomic(path, QStringLiteral("ny")));
    QCOMPARE(folder.read(QStringLiteral("sida.htm")), QByteArray("ny"));
    QCOMPARE(QFile::permissions(path) & 0x7077, permissions); // owner, group, others
    // No temporary files are left behind.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void tst_files::failedWritesLeaveTheOldFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("write-protected") << QStringLiteral("protected");
    QTest::newRow("missing folder") << QStringLiteral("missing");
    QTest::newRow("path is a folder") << QStringLiteral("folder");
    QTest::newRow("empty path") << QStringLiteral("empty");
}

void tst_files::failedWritesLeaveTheOldFile() {
    QFETCH(QString, kind);
    TestProgramFolder folder(false);
    folder.write(QStringLiteral("sida.htm"), QByteArray("gammal"));
    QString path = folder.file(QStringLiteral("sida.htm"));
    if (kind == QLatin1String("protected"))
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    else if (kind == QLatin1String("missing"))
        path = folder.file(QStringLiteral("saknas/sida.htm"));
    else if (kind == QLatin1String("folder"))
        path = folder.path();
    else
        path.clear();
    QString error;
    QVERIFY(!WriteTextFileAtomic(path, QStringLiteral("ny"), &error));
    QVERIFY(!error.isEmpty());
    QFile::setPermissions(folder.file(QStringLiteral("sida.htm")),
                          QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(folder.read(QStringLiteral("sida.htm")), QByteArray("gammal"));
    QVERIFY(!QFileInfo::exists(folder.file(QStringLiteral("saknas"))));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void tst_files::programFolderFollowsTheEnvironment() {
    TestProgramFolder folder(false);
    QCOMPARE(ProgramFolder(), QDir::cleanPath(folder.path()));
    qunsetenv("VESSILORA_HOME");
    QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath());
}

void tst_files::joinPathAddsOneSeparator_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("joined");
    QTest::newRow("plain") << QStringLiteral("/home/a") << QStringLiteral("/home/a/x.htm");
    QTest::newRow("trailing slash")
        << QStringLiteral("/home/a/") << QStringLiteral("/home/a/x.htm");
    QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("/x.htm");
}

void tst_files::joinPathAddsOneSeparator() {
    QFETCH(QString, folder);
    QFETCH(QString, joined);
    QCOMPARE(JoinPath(folder, QStringLiteral("x.htm")), joined);
}

void tst_files::fileDialogFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("qtFilters");
    QTest::newRow("two pairs") << QStringLiteral("HTML-fil (*.html)|*.html|Alla filer (*.*)|*.*")
                               << QStringList{QStringLiteral("HTML-fil (*.html)"),
                                              QStringLiteral("Alla filer (*)")};
    QTest::newRow("several patterns") << QStringLiteral("Webbsidor|*.htm;*.html")
                                      << QStringList{QStringLiteral("Webbsidor (*.htm *.html)")};
    QTest::newRow("empty") << QString() << QStringList();
}

void tst_files::fileDialogFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, qtFilters);
    QCOMPARE(QtPlatform::nameFilters(filter), qtFilters);
}

void tst_files::programChooserListsFoldersAndPrograms() {
    TestProgramFolder folder(false);
    folder.write(QStringLiteral("surf"), QByteArray("#!/bin/sh\n"));
    QFile::setPermissions(folder.file(QStringLiteral("surf")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    folder.write(QStringLiteral("readme.txt"), QByteArray("x"));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("bin")));
    FileDialogRequest request;
    request.filter = QStringLiteral("Program|*");
    request.folder = folder.path();
    request.executablesOnly = true;
    QFileDialog dialog;
    QtPlatform::prepareFileDialog(dialog, request, false);
    const auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QVERIFY(view);
    auto shown = [view] {
        QStringList names;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
        names.sort();
        return names;
    };
    QTRY_COMPARE(shown(), (QStringList{QStringLiteral("bin"), QStringLiteral("surf")}));
}

QTEST_MAIN(tst_files)
#include "tst_files.moc"
