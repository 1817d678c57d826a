// Windows-1252 text files, atomic writes and the program folder.

#include "platform/files.h"
#include "platform/qtplatform.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct stat statOf(const QString& path) {
    struct stat info {};
    lstat(QFile::encodeName(path).constData(), &info);
    return info;
}

void setMode(const QString& path, mode_t mode) {
    QVERIFY(chmod(QFile::encodeName(path).constData(), mode) == 0);
}

QStringList hiddenFiles(const QString& folder) {
    return QDir(folder).entryList({u".*"_s}, QDir::Files | QDir::Hidden);
}

// Files larger than limit bytes cannot be written while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = old;
        lower.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_DFL);
    }

private:
    rlimit old{};
};

} // namespace

class tst_files : public QObject {
    Q_OBJECT
private slots:
    void everyByteSurvivesARoundTrip();
    void codePage_data();
    void codePage();
    void failedWritesLeaveTheOldFile_data();
    void failedWritesLeaveTheOldFile();
    void saveKeepsTheFile_data();
    void saveKeepsTheFile();
    void temporaryFilesAreHiddenAndCleanedUp();
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
    TestProgramFolder folder(false);
    const QString path = folder.file(u"bytes.htm"_s);
    folder.write(u"bytes.htm"_s, all);
    QString read;
    QVERIFY(ReadTextFile(path, read));
    QVERIFY(WriteTextFileAtomic(path, read));
    QCOMPARE(folder.read(u"bytes.htm"_s), all);
}

void tst_files::codePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("euro") << u"€"_s << QByteArray("\x80");
    QTest::newRow("dashes") << u"–—"_s << QByteArray("\x96\x97");
    QTest::newRow("quotes") << u"“”‘’"_s << QByteArray("\x93\x94\x91\x92");
    QTest::newRow("undefined slot") << QString(QChar(0x8D)) << QByteArray("\x8D");
    // Characters without a byte are written as references.
    QTest::newRow("arrow") << u"a→b"_s << QByteArray("a&#8594;b");
    QTest::newRow("emoji is one reference") << u"x😀"_s << QByteArray("x&#128512;");
    QTest::newRow("C1 control without a byte") << QString(QChar(0x85)) << QByteArray("&#133;");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("&#55296;");
}

void tst_files::codePage() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(EncodeCp1252(text), bytes);
    if (!bytes.contains("&#"))
        QCOMPARE(DecodeCp1252(bytes), text);
}

void tst_files::failedWritesLeaveTheOldFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("write-protected") << "protected"
                                     << "Filen är skrivskyddad";
    QTest::newRow("not the user's to write") << "not allowed"
                                             << "Åtkomst nekad";
    QTest::newRow("missing folder") << "missing"
                                    << "Mappen finns inte";
    QTest::newRow("path is a folder") << "folder"
                                      << "Sökvägen är en mapp";
    QTest::newRow("empty path") << "empty"
                                << "Inget filnamn";
    QTest::newRow("too large to write") << "limit"
                                        << "Filen är för stor";
    QTest::newRow("too large to write in place") << "limit in place"
                                                 << "Filen är för stor";
}

void tst_files::failedWritesLeaveTheOldFile() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    TestProgramFolder folder(false);
    folder.write(u"sida.htm"_s, QByteArray("gammal"));
    QString path = folder.file(u"sida.htm"_s);
    setMode(folder.path(), kind.endsWith("in place"_L1) ? 0555 : 0777);
    if (kind == "protected"_L1)
        setMode(path, 0440);
    else if (kind == "not allowed"_L1)
        setMode(path, 0464); // neither the owner nor "nobody" may write, the group may
    else if (kind == "missing"_L1)
        path = folder.file(u"saknas/sida.htm"_s);
    else if (kind == "folder"_L1)
        path = folder.path();
    else if (kind == "empty"_L1)
        path.clear();
    else
        setMode(path, 0666);
    QString error;
    {
        OrdinaryUser user;
        FileSizeLimit limit(kind.startsWith("limit"_L1) ? 1000 : RLIM_INFINITY);
        QVERIFY(!WriteFileAtomic(path, QByteArray(5000, 'x'), &error));
    }
    QCOMPARE(error, reason);
    setMode(folder.path(), 0700);
    QCOMPARE(folder.read(u"sida.htm"_s), QByteArray("gammal"));
    QVERIFY(!QFileInfo::exists(folder.file(u"saknas"_s)));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void tst_files::saveKeepsTheFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("sameFile"); // written in place: still the same file
    QTest::newRow("the user's own page") << "own" << false;
    QTest::newRow("somebody else's page in a shared folder") << "shared" << true;
    QTest::newRow("root saves somebody else's page") << "root" << false;
    QTest::newRow("page in a folder the user may not write") << "folder" << true;
    QTest::newRow("page with a second name") << "hard link" << true;
    QTest::newRow("symbolic link") << "symbolic link" << false;
}

void tst_files::saveKeepsTheFile() {
    QFETCH(QString, kind);
    QFETCH(bool, sameFile);
    const bool otherOwner = kind == "shared"_L1 || kind == "root"_L1;
    if (otherOwner && geteuid() != 0)
        QSKIP("giving a file to somebody else needs root");
    TestProgramFolder folder(false);
    QTemporaryDir elsewhere;
    qputenv("TMPDIR", QFile::encodeName(elsewhere.path()));
    setMode(elsewhere.path(), 0777);
    const QString path = folder.file(u"sida.htm"_s);
    folder.write(u"sida.htm"_s, QByteArray("en lång gammal text"));
    setMode(path, 0666);
    setMode(folder.path(), kind == "folder"_L1 ? 0555 : 0777);
    if (otherOwner)
        QVERIFY(chown(QFile::encodeName(path).constData(), 12345, 23456) == 0);
    QString written = path;
    if (kind == "hard link"_L1)
        QVERIFY(link(QFile::encodeName(path).constData(),
                     QFile::encodeName(folder.file(u"andra.htm"_s)).constData()) == 0);
    if (kind == "symbolic link"_L1) {
        written = folder.file(u"genväg.htm"_s);
        QVERIFY(QFile::link(path, written));
    }
    const struct stat before = statOf(path);
    {
        std::optional<OrdinaryUser> user;
        if (kind == "shared"_L1 || kind == "folder"_L1)
            user.emplace();
        QString error;
        QVERIFY2(WriteFileAtomic(written, QByteArray("ny"), &error), qPrintable(error));
    }
    setMode(folder.path(), 0700);
    const struct stat after = statOf(path);
    QCOMPARE(folder.read(u"sida.htm"_s), QByteArray("ny"));
    QCOMPARE(after.st_ino == before.st_ino, sameFile);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_mode, before.st_mode);
    if (kind == "hard link"_L1)
        QCOMPARE(folder.read(u"andra.htm"_s), QByteArray("ny"));
    if (kind == "symbolic link"_L1)
        QVERIFY(QFileInfo(written).isSymLink());
    QVERIFY(hiddenFiles(folder.path()).isEmpty());
    QVERIFY(hiddenFiles(elsewhere.path()).isEmpty());
    qunsetenv("TMPDIR");
}

void tst_files::temporaryFilesAreHiddenAndCleanedUp() {
    TestProgramFolder folder(false);
    const QString path = folder.file(u"sida.htm"_s);
    folder.write(u"sida.htm"_s, QByteArray("gammal"));
    FolderWatch watch(folder.path());
    {
        // The temporary file is made, then the write fails: its name is seen, the file is gone.
        FileSizeLimit limit(1000);
        QVERIFY(!WriteFileAtomic(path, QByteArray(5000, 'x')));
    }
    const QStringList made = watch.madeNames();
    QCOMPARE(made.size(), 1);
    const QString temporary = made.constFirst();
    QVERIFY(temporary.startsWith(u'.'));
    for (const QString& pattern : {u"*.htm*"_s, u"*.htm"_s, u"*sida.htm*"_s})
        QVERIFY2(!QDir::match(pattern, temporary), qPrintable(temporary + " " + pattern));
    QVERIFY(hiddenFiles(folder.path()).isEmpty());

    // What a killed save left behind goes at the next save of the same file, and only then.
    folder.write(temporary, QByteArray(5000, 'x'));
    QVERIFY(WriteFileAtomic(folder.file(u"annan.htm"_s), QByteArray("a")));
    QCOMPARE(hiddenFiles(folder.path()), QStringList{temporary});
    QVERIFY(WriteFileAtomic(path, QByteArray("ny")));
    QVERIFY(hiddenFiles(folder.path()).isEmpty());
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
    QTest::newRow("trailing slash") << u"/home/a/"_s << u"/home/a/x.htm"_s;
    QTest::newRow("root") << u"/"_s << u"/x.htm"_s;
}

void tst_files::joinPathAddsOneSeparator() {
    QFETCH(QString, folder);
    QFETCH(QString, joined);
    QCOMPARE(JoinPath(folder, u"x.htm"_s), joined);
}

void tst_files::fileDialogFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("qtFilters");
    QTest::newRow("two pairs") << u"HTML-fil (*.html)|*.html|Alla filer (*.*)|*.*"_s
                               << QStringList{u"HTML-fil (*.html)"_s, u"Alla filer (*)"_s};
    QTest::newRow("several patterns")
        << u"Webbsidor|*.htm;*.html"_s << QStringList{u"Webbsidor (*.htm *.html)"_s};
    QTest::newRow("empty") << QString() << QStringList();
}

void tst_files::fileDialogFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, qtFilters);
    QCOMPARE(QtPlatform::nameFilters(filter), qtFilters);
}

void tst_files::programChooserListsFoldersAndPrograms() {
    TestProgramFolder folder(false);
    folder.write(u"surf"_s, QByteArray("#!/bin/sh\n"));
    QFile::setPermissions(folder.file(u"surf"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    folder.write(u"readme.txt"_s, QByteArray("x"));
    QVERIFY(QDir(folder.path()).mkdir(u"bin"_s));
    FileDialogRequest request;
    request.filter = u"Program|*"_s;
    request.folder = folder.path();
    request.executablesOnly = true;
    QFileDialog dialog;
    QtPlatform::prepareFileDialog(dialog, request, false);
    const auto* view = dialog.findChild<QListView*>(u"listView"_s);
    QVERIFY(view);
    auto shown = [view] {
        QStringList names;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
        names.sort();
        return names;
    };
    QTRY_COMPARE(shown(), (QStringList{u"bin"_s, u"surf"_s}));
}

QTEST_MAIN(tst_files)
#include "tst_files.moc"
