// The copy without its window: refused folders, the criteria, the steps of each file
// (compression, times and permission bits, atomic replacement), the folder walk, a full disk,
// a cancel and a copy killed half-way.

#include "filecopy/filecopycore.h"
#include "markup/globals.h"
#include "testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <sys/mount.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QDateTime Noon(QDate(2002, 3, 1), QTime(12, 0, 0));

struct Outcome {
    CopyEnd end = CopyEnd::Finished;
    QString log;
    CopyCounters counters;
};

Outcome copyTree(const QString& source, const QString& target, CopyOptions options = {},
                 std::function<void(FileCopy&, const CopyCounters&)> atCheckpoint = {}) {
    options.source = source;
    options.target = target;
    FileCopy copy(options);
    Outcome outcome;
    copy.log = [&outcome](const QString& text) { outcome.log += text; };
    copy.checkpoint = [&](const CopyCounters& counters) {
        if (atCheckpoint)
            atCheckpoint(copy, counters);
    };
    outcome.end = copy.run();
    outcome.counters = copy.counters();
    return outcome;
}

} // namespace

class tst_filecopycore : public QObject {
    Q_OBJECT
private slots:
    void refusedFolders_data();
    void refusedFolders();
    void datesAndTimesAsTyped_data();
    void datesAndTimesAsTyped();
    void dateCriteriaAtTheSecond_data();
    void dateCriteriaAtTheSecond();
    void eachFileAsCopied_data();
    void eachFileAsCopied();
    void treeIsMirroredWithoutHiddenFoldersOrLinks();
    void targetsThatAreNotReplaced();
    void noCopyLeadsBackIntoTheSource();
    void fullDiskEndsTheCopy();
    void killedCopyLeavesEveryTargetWhole();
};

void tst_filecopycore::refusedFolders_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const char* source, const char* target,
                        const QString& message) {
        QTest::newRow(name) << QString(source) << QString(target) << message;
    };
    const QString inside = u"Du kan inte kopiera till en underkatalog till källkatalogen."_s;
    row("same folder", "web", "web", u"Du kan inte kopiera till samma katalog."_s);
    row("inside", "web", "web/pub", inside);
    row("inside through a link", "web", "publink", inside);
    row("a neighbour whose name starts alike", "web", "web2", {});
    row("the source inside the target", "web/pub", "web", {});
    row("a folder that is gone", "web", "gone", u"Katalogen %1/gone finns inte."_s);
}

void tst_filecopycore::refusedFolders() {
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, message);
    TestTree dir;
    dir.folder(u"web/pub"_s);
    dir.folder(u"web2"_s);
    QFile::link(dir.file(u"web/pub"_s), dir.file(u"publink"_s));
    QCOMPARE(RefuseCopyFolders(dir.file(source), dir.file(target)),
             message.contains("%1"_L1) ? message.arg(dir.path()) : message);
}

void tst_filecopycore::datesAndTimesAsTyped_data() {
    QTest::addColumn<QStringList>("typed"); // date, time, and the moment read ("" for none)
    QTest::newRow("as shown") << QStringList{"2002-03-01", "12:00:00", "2002-03-01 12:00:00"};
    QTest::newRow("short forms") << QStringList{" 2002-3-1 ", "9:00", "2002-03-01 09:00:00"};
    QTest::newRow("dots in the time") << QStringList{"2002-03-01", "9.30", "2002-03-01 09:30:00"};
    QTest::newRow("no such day") << QStringList{"2002-02-30", "12:00", ""};
    QTest::newRow("no such hour") << QStringList{"2002-03-01", "24:00", ""};
}

void tst_filecopycore::datesAndTimesAsTyped() {
    QFETCH(QStringList, typed);
    const std::optional<QDate> day = ReadCopyDate(typed[0]);
    const std::optional<QTime> clock = ReadCopyTime(typed[1]);
    QCOMPARE(day && clock ? QDateTime(*day, *clock).toString(u"yyyy-MM-dd hh:mm:ss"_s) : QString(),
             typed[2]);
}

void tst_filecopycore::dateCriteriaAtTheSecond_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("msecsFromNoon");
    QTest::addColumn<bool>("copied");
    QTest::newRow("changed at the limit") << "a.htm" << 0 << true;
    QTest::newRow("within the limit's second") << "a.htm" << 999 << true;
    QTest::newRow("a moment before") << "a.htm" << -1 << false;
    QTest::newRow("another type: not even listed") << "a.gif" << 1000 << false;
}

void tst_filecopycore::dateCriteriaAtTheSecond() {
    QFETCH(QString, name);
    QFETCH(int, msecsFromNoon);
    QFETCH(bool, copied);
    TestTree from, to;
    WriteFile(from.file(name), "x", Noon.addMSecs(msecsFromNoon));
    CopyOptions options;
    options.changedSince = Noon;
    options.pattern = FilePattern(u"*.htm"_s);
    const Outcome outcome = copyTree(from.path(), to.path(), options);
    QCOMPARE(QFile::exists(to.file(name)), copied);
    QCOMPARE(outcome.counters.copied, copied ? 1 : 0);
    const int listed = name.endsWith(".htm"_L1) ? 1 : 0;
    QCOMPARE(outcome.counters.total, listed);
    QCOMPARE(outcome.counters.done, listed);
    QCOMPARE(outcome.log, u"Klart.\n"_s);
}

void tst_filecopycore::eachFileAsCopied_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("compress");
    QTest::addColumn<QByteArray>("copy");
    QTest::addColumn<int>("compressed");
    const QByteArray crlf("a\r\nb\r\n");
    QTest::newRow("CR LF page ends in one LF")
        << "index.htm" << QByteArray("\r\n<p>a</p>\r\n<p>b</p>\r\n\r\n") << 0640 << true
        << QByteArray("<p>a</p>\n<p>b</p>\n") << 1;
    QTest::newRow("capital extension")
        << "INDEX.HTML" << QByteArray("a\r\nb") << 0750 << true << QByteArray("a\nb\n") << 1;
    QTest::newRow("UTF-8 page stays UTF-8")
        << "å.html" << QByteArray("\xEF\xBB\xBFh\xC3\xA4r\r\n") << 0444 << true
        << QByteArray("\xEF\xBB\xBFh\xC3\xA4r\n") << 1;
    QTest::newRow("Windows-1252 page keeps its bytes")
        << "a.htm" << QByteArray("h\xE4r\x81\r\n") << 0666 << true << QByteArray("h\xE4r\x81\n")
        << 1;
    QTest::newRow("empty page: not converted, not counted")
        << "index.htm" << QByteArray() << 0640 << true << QByteArray() << 0;
    QTest::newRow("not a page") << "a.txt" << crlf << 0600 << true << crlf << 0;
    QTest::newRow("compression off") << "a.htm" << crlf << 0640 << false << crlf << 0;
}

void tst_filecopycore::eachFileAsCopied() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, mode);
    QFETCH(bool, compress);
    QFETCH(QByteArray, copy);
    QFETCH(int, compressed);
    TestTree from, to;
    const QDateTime changed = Noon.addMSecs(123);
    WriteFile(from.file(name), content, changed, mode);
    WriteFile(to.file(name), "an older copy", QDateTime::currentDateTime(), 0600);
    CopyOptions options;
    options.compress = compress;
    const Outcome outcome = copyTree(from.path(), to.path(), options);
    const QString target = to.file(name);
    QCOMPARE(ReadFile(target), copy);
    QCOMPARE(outcome.counters.copied, 1);
    QCOMPARE(outcome.counters.compressed, compressed);
    // The total counts the bytes actually written.
    QCOMPARE(outcome.counters.compressionChange, qint64(copy.size() - content.size()));
    QCOMPARE(outcome.log, u"Klart.\n"_s);
    // Converted or not, the copy has the source's time and permission bits, and no
    // temporary file is left.
    QCOMPARE(QFileInfo(target).lastModified(), changed);
    QCOMPARE(ModeOf(target), mode);
    QCOMPARE(FilesBelow(to.path()), QStringList(name));
    QVERIFY(WorkText.isEmpty());
}

void tst_filecopycore::treeIsMirroredWithoutHiddenFoldersOrLinks() {
    TestTree from, to, outside;
    for (const char* name : {"index.htm", "img/a.gif", "img/small/b.gif", "css/s.css",
                             ".git/config", ".hidden.htm", "img/.thumbs"})
        WriteFile(from.file(QString::fromLatin1(name)), "x");
    WriteFile(outside.file(u"secret.htm"_s), "x");
    QFile::link(outside.path(), from.file(u"linked"_s));
    QFile::link(from.file(u"img"_s), from.file(u"img/loop"_s));
    from.folder(u"empty"_s);

    int totalAtFirstFile = -1;
    const Outcome outcome =
        copyTree(from.path(), to.path(), {}, [&](FileCopy&, const CopyCounters& c) {
            if (c.done == 1 && totalAtFirstFile < 0)
                totalAtFirstFile = c.total;
        });
    QCOMPARE(FilesBelow(to.path()),
             QStringList({"css/s.css", "img/a.gif", "img/small/b.gif", "index.htm"}));
    QVERIFY(QFileInfo(to.file(u"empty"_s)).isDir());
    QCOMPARE(outcome.counters.done, 4);
    QCOMPARE(totalAtFirstFile, 4); // known before the first file is copied
    QCOMPARE(outcome.log, u"Klart.\n"_s);
}

void tst_filecopycore::targetsThatAreNotReplaced() {
    TestTree from, to;
    for (const char* name : {"a.htm", "b.htm", "c.htm", "d.gif"})
        WriteFile(from.file(QString::fromLatin1(name)), "new\r\n");
    WriteFile(to.file(u"a.htm"_s), "protected", {}, 0444);
    to.folder(u"b.htm"_s);
    WriteFile(from.file(u"unreadable.gif"_s), "x", {}, 0);
    QVERIFY(chmod(QFile::encodeName(to.path()).constData(), 0777) == 0);
    QVERIFY(chmod(QFile::encodeName(from.path()).constData(), 0755) == 0);
    Outcome outcome;
    {
        const OrdinaryUser user; // permissions count
        outcome = copyTree(from.path(), to.path());
    }
    QCOMPARE(ReadFile(to.file(u"a.htm"_s)), QByteArray("protected"));
    QCOMPARE(ReadFile(to.file(u"c.htm"_s)), QByteArray("new\n"));
    QCOMPARE(ReadFile(to.file(u"d.gif"_s)), QByteArray("new\r\n"));
    QCOMPARE(outcome.log, u"Kan inte kopiera: %1/a.htm (Filen är skrivskyddad)\n"
                          u"Kan inte kopiera: %1/b.htm (Sökvägen är en mapp)\n"
                          u"Kan inte kopiera: %1/unreadable.gif (Åtkomst nekad)\n"
                          u"Klart.\n"_s.arg(to.path()));
    QCOMPARE(outcome.counters.copied, 2);
    QCOMPARE(outcome.counters.done, 5);
}

void tst_filecopycore::noCopyLeadsBackIntoTheSource() {
    // The source lies inside the target, and the target holds links into the source: a
    // folder and a file. None of them lets a copy overwrite a source file.
    TestTree dir;
    const QString source = dir.file(u"pub/web"_s);
    WriteFile(source + u"/index.htm"_s, "index\r\n");
    WriteFile(source + u"/web/index.htm"_s, "inner\r\n");
    WriteFile(source + u"/img/a.gif"_s, "gif");
    WriteFile(source + u"/css/s.css"_s, "css");
    dir.folder(u"pub/css"_s);
    QFile::link(source + u"/img"_s, dir.file(u"pub/img"_s));
    QFile::link(source + u"/css/s.css"_s, dir.file(u"pub/css/s.css"_s));
    const Outcome outcome = copyTree(source, dir.file(u"pub"_s));
    QCOMPARE(ReadFile(source + u"/index.htm"_s), QByteArray("index\r\n"));
    QCOMPARE(ReadFile(source + u"/web/index.htm"_s), QByteArray("inner\r\n"));
    QCOMPARE(ReadFile(dir.file(u"pub/index.htm"_s)), QByteArray("index\n"));
    QCOMPARE(outcome.log, u"Kan inte kopiera till källkatalogen: %1/pub/web\n"
                          u"Kan inte kopiera till källkatalogen: %1/pub/img\n"
                          u"Kan inte kopiera: %1/pub/css/s.css (filen är en länk till "
                          u"källkatalogen)\n"
                          u"Klart.\n"_s.arg(dir.path()));
}

void tst_filecopycore::fullDiskEndsTheCopy() {
    TestTree from, disk;
    // A small disk of its own: 64 kB.
    if (mount("tmpfs", QFile::encodeName(disk.path()).constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("A small disk cannot be mounted here");
    struct Unmount {
        QString path;
        ~Unmount() { umount2(QFile::encodeName(path).constData(), MNT_DETACH); }
    } unmount{disk.path()};
    WriteFile(disk.file(u"b.gif"_s), "old b");
    WriteFile(from.file(u"a.gif"_s), QByteArray(20000, 'a'));
    WriteFile(from.file(u"b.gif"_s), QByteArray(100000, 'b'));
    WriteFile(from.file(u"c.gif"_s), "c");
    const Outcome outcome = copyTree(from.path(), disk.path());
    QCOMPARE(outcome.end, CopyEnd::DiskFull);
    QCOMPARE(outcome.log, u"Kan inte kopiera: %1/b.gif (Disken är full)\n"
                          u"Enheten är full.Klart.\n"_s.arg(disk.path()));
    QCOMPARE(ReadFile(disk.file(u"a.gif"_s)), QByteArray(20000, 'a'));
    QCOMPARE(ReadFile(disk.file(u"b.gif"_s)), QByteArray("old b"));
    QCOMPARE(FilesBelow(disk.path()), QStringList({"a.gif", "b.gif"}));
    QCOMPARE(outcome.counters.copied, 1);
}

void tst_filecopycore::killedCopyLeavesEveryTargetWhole() {
    TestTree from, to;
    // Pages and pictures of many sizes; every target holds an older version.
    QRandomGenerator random(QRandomGenerator::global()->generate());
    QHash<QString, QByteArray> before, after;
    for (int k = 0; k < 160; ++k) {
        const QString name =
            u"f%1/%2%3"_s.arg(k % 8).arg(k).arg(k % 4 == 0 ? u".htm"_s : u".gif"_s);
        const int size = int(random.bounded(1, 400000));
        QByteArray fresh = QByteArray("line\r\n").repeated(size / 6);
        fresh[0] = char('a' + k % 26);
        before[name] = QByteArray("old ") + name.toUtf8();
        after[name] = fresh;
        WriteFile(from.file(name), fresh);
        WriteFile(to.file(name), before[name]);
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"FILECOPY_CHILD"_s, u"1"_s);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {from.path(), to.path()});
    QVERIFY(child.waitForStarted());
    const int waitMs = int(random.bounded(5, 200));
    QTest::qWait(waitMs);
    child.kill();
    child.waitForFinished();

    int copied = 0;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QByteArray now = ReadFile(to.file(it.key()));
        QByteArray converted = after[it.key()];
        if (it.key().endsWith(".htm"_L1))
            converted = converted.replace("\r\n", "\n");
        QVERIFY2(now == it.value() || now == converted,
                 qPrintable(it.key() + u" after %1 ms"_s.arg(waitMs)));
        copied += now != it.value();
    }
    qInfo("killed after %d ms with %d of %d files copied", waitMs, copied, int(before.size()));
    // What the killed copy left behind is hidden and goes at the next copy.
    copyTree(from.path(), to.path());
    QCOMPARE(FilesBelow(to.path()), FilesBelow(from.path()));
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("FILECOPY_CHILD") && argc == 3) {
        // The child of the killed copy: copies argv[1] to argv[2] until it is killed.
        QCoreApplication app(argc, argv);
        CopyOptions options;
        options.source = QString::fromLocal8Bit(argv[1]);
        options.target = QString::fromLocal8Bit(argv[2]);
        FileCopy(options).run();
        return 0;
    }
    QCoreApplication app(argc, argv);
    tst_filecopycore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filecopycore.moc"
