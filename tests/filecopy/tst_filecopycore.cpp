// The copy without its window: refused folders, the criteria, the steps of each file
// (compression, times and permission bits, atomic replacement), the folder walk, a full disk,
// a cancel and a copy killed half-way.

#include "copytest.h"
#include "filecopy/filecopycore.h"
#include "markup/globals.h"
#include "testsupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/mount.h>

namespace {

const QDateTime Noon(QDate(2002, 3, 1), QTime(12, 0, 0));

QString pathIn(const QTemporaryDir& dir, const QString& relative) {
    return dir.path() + QLatin1Char('/') + relative;
}

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
    void cancelEndsTheLogOnOneLine();
    void killedCopyLeavesEveryTargetWhole();
};

void tst_filecopycore::refusedFolders_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    const QString inside =
        QStringLiteral("Du kan inte kopiera till en underkatalog till källkatalogen.");
    QTest::newRow("same folder") << "web"
                                 << "web"
                                 << "Du kan inte kopiera till samma katalog.";
    QTest::newRow("inside") << "web"
                            << "web/pub" << inside;
    QTest::newRow("inside through a link") << "web"
                                           << "publink" << inside;
    QTest::newRow("a neighbour whose name starts alike") << "web"
                                                         << "web2"
                                                         << "";
    QTest::newRow("the source inside the target") << "web/pub"
                                                  << "web"
                                                  << "";
    QTest::newRow("a folder that is gone") << "web"
                                           << "gone"
                                           << "Katalogen %1/gone finns inte.";
}

void tst_filecopycore::refusedFolders() {
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("web/pub"));
    QDir(dir.path()).mkpath(QStringLiteral("web2"));
    QFile::link(pathIn(dir, QStringLiteral("web/pub")), pathIn(dir, QStringLiteral("publink")));
    QCOMPARE(RefuseCopyFolders(pathIn(dir, source), pathIn(dir, target)),
             message.contains(QLatin1String("%1")) ? message.arg(dir.path()) : message);
}

void tst_filecopycore::datesAndTimesAsTyped_data() {
    QTest::addColumn<QStringList>("typed"); // date, time, and the moment read ("" for none)
    QTest::newRow("as shown") << QStringList{"2002-03-01", "12:00:00", "2002-03-01 12:00:00"};
    QTest::newRow("short forms") << QStringList{" 2002-3-1 ", "9:00", "2002-03-01 09:00:00"};
    QTest::newRow("dots in the time") << QStringList{"2002-03-01", "9.30", "2002-03-01 09:30:00"};
    QTest::newRow("no such day") << QStringList{"2002-02-30", "12:00", ""};
    QTest::newRow("day first") << QStringList{"01-03-2002", "12:00", ""};
    QTest::newRow("hour only") << QStringList{"2002-03-01", "9", ""};
    QTest::newRow("no such hour") << QStringList{"2002-03-01", "24:00", ""};
}

void tst_filecopycore::datesAndTimesAsTyped() {
    QFETCH(QStringList, typed);
    const std::optional<QDate> day = ReadCopyDate(typed[0]);
    const std::optional<QTime> clock = ReadCopyTime(typed[1]);
    QCOMPARE(day && clock ? QDateTime(*day, *clock).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                          : QString(),
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
    QTemporaryDir from, to;
    put(pathIn(from, name), "x", Noon.addMSecs(msecsFromNoon));
    CopyOptions options;
    options.changedSince = Noon;
    options.pattern = FilePattern(QStringLiteral("*.htm"));
    const Outcome outcome = copyTree(from.path(), to.path(), options);
    QCOMPARE(QFile::exists(pathIn(to, name)), copied);
    QCOMPARE(outcome.counters.copied, copied ? 1 : 0);
    const int listed = name.endsWith(QLatin1String(".htm")) ? 1 : 0;
    QCOMPARE(outcome.counters.total, listed);
    QCOMPARE(outcome.counters.done, listed);
    QCOMPARE(outcome.log, QStringLiteral("Klart.\n"));
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
    QTemporaryDir from, to;
    const QDateTime changed = Noon.addMSecs(123);
    put(pathIn(from, name), content, changed, mode);
    put(pathIn(to, name), "an older copy", QDateTime::currentDateTime(), 0600);
    CopyOptions options;
    options.compress = compress;
    const Outcome outcome = copyTree(from.path(), to.path(), options);
    const QString target = pathIn(to, name);
    QCOMPARE(bytesOf(target), copy);
    QCOMPARE(outcome.counters.copied, 1);
    QCOMPARE(outcome.counters.compressed, compressed);
    // The total counts the bytes actually written.
    QCOMPARE(outcome.counters.compressionChange, qint64(copy.size() - content.size()));
    QCOMPARE(outcome.log, QStringLiteral("Klart.\n"));
    // Converted or not, the copy has the source's time and permission bits, and no
    // temporary file is left.
    QCOMPARE(QFileInfo(target).lastModified(), changed);
    QCOMPARE(modeOf(target), mode);
    QCOMPARE(filesBelow(to.path()), QStringList(name));
    QVERIFY(WorkText.isEmpty());
}

void tst_filecopycore::treeIsMirroredWithoutHiddenFoldersOrLinks() {
    QTemporaryDir from, to, outside;
    for (const char* name : {"index.htm", "img/a.gif", "img/small/b.gif", "css/s.css",
                             ".git/config", ".hidden.htm", "img/.thumbs"})
        put(pathIn(from, QString::fromLatin1(name)), "x");
    put(pathIn(outside, QStringLiteral("secret.htm")), "x");
    QFile::link(outside.path(), pathIn(from, QStringLiteral("linked")));
    QFile::link(pathIn(from, QStringLiteral("img")), pathIn(from, QStringLiteral("img/loop")));
    QDir().mkpath(pathIn(from, QStringLiteral("empty")));

    int totalAtFirstFile = -1;
    CopyOptions options;
    Outcome outcome =
        copyTree(from.path(), to.path(), options, [&](FileCopy&, const CopyCounters& c) {
            if (c.done == 1 && totalAtFirstFile < 0)
                totalAtFirstFile = c.total;
        });
    QCOMPARE(filesBelow(to.path()),
             QStringList({"css/s.css", "img/a.gif", "img/small/b.gif", "index.htm"}));
    QVERIFY(QFileInfo(pathIn(to, QStringLiteral("empty"))).isDir());
    QCOMPARE(outcome.counters.done, 4);
    QCOMPARE(totalAtFirstFile, 4); // known before the first file is copied
    QCOMPARE(outcome.log, QStringLiteral("Klart.\n"));

    // Without subfolders only the folder itself.
    QTemporaryDir flat;
    options.withSubfolders = false;
    copyTree(from.path(), flat.path(), options);
    QCOMPARE(filesBelow(flat.path()), QStringList({"index.htm"}));
}

void tst_filecopycore::targetsThatAreNotReplaced() {
    QTemporaryDir from, to;
    for (const char* name : {"a.htm", "b.htm", "c.htm", "d.gif"})
        put(pathIn(from, QString::fromLatin1(name)), "new\r\n");
    put(pathIn(to, QStringLiteral("a.htm")), "protected", {}, 0444);
    QDir().mkpath(pathIn(to, QStringLiteral("b.htm")));
    put(pathIn(from, QStringLiteral("unreadable.gif")), "x", {}, 0);
    QVERIFY(chmod(QFile::encodeName(to.path()).constData(), 0777) == 0);
    QVERIFY(chmod(QFile::encodeName(from.path()).constData(), 0755) == 0);
    Outcome outcome;
    {
        const OrdinaryUser user; // permissions count
        outcome = copyTree(from.path(), to.path());
    }
    QCOMPARE(bytesOf(pathIn(to, QStringLiteral("a.htm"))), QByteArray("protected"));
    QCOMPARE(bytesOf(pathIn(to, QStringLiteral("c.htm"))), QByteArray("new\n"));
    QCOMPARE(bytesOf(pathIn(to, QStringLiteral("d.gif"))), QByteArray("new\r\n"));
    QCOMPARE(outcome.log, QStringLiteral("Kan inte kopiera: %1/a.htm (Filen är skrivskyddad)\n"
                                         "Kan inte kopiera: %1/b.htm (Sökvägen är en mapp)\n"
                                         "Kan inte kopiera: %1/unreadable.gif (Åtkomst nekad)\n"
                                         "Klart.\n")
                              .arg(to.path()));
    QCOMPARE(outcome.counters.copied, 2);
    QCOMPARE(outcome.counters.done, 5);
}

void tst_filecopycore::noCopyLeadsBackIntoTheSource() {
    // The source lies inside the target, and the target holds links into the source: a
    // folder and a file. None of them lets a copy overwrite a source file.
    QTemporaryDir dir;
    const QString source = pathIn(dir, QStringLiteral("pub/web"));
    put(source + QStringLiteral("/index.htm"), "index\r\n");
    put(source + QStringLiteral("/web/index.htm"), "inner\r\n");
    put(source + QStringLiteral("/img/a.gif"), "gif");
    put(source + QStringLiteral("/css/s.css"), "css");
    QDir().mkpath(pathIn(dir, QStringLiteral("pub/css")));
    QFile::link(source + QStringLiteral("/img"), pathIn(dir, QStringLiteral("pub/img")));
    QFile::link(source + QStringLiteral("/css/s.css"),
                pathIn(dir, QStringLiteral("pub/css/s.css")));
    const Outcome outcome = copyTree(source, pathIn(dir, QStringLiteral("pub")));
    QCOMPARE(bytesOf(source + QStringLiteral("/index.htm")), QByteArray("index\r\n"));
    QCOMPARE(bytesOf(source + QStringLiteral("/web/index.htm")), QByteArray("inner\r\n"));
    QCOMPARE(bytesOf(pathIn(dir, QStringLiteral("pub/index.htm"))), QByteArray("index\n"));
    QCOMPARE(outcome.log,
             QStringLiteral("Kan inte kopiera till källkatalogen: %1/pub/web\n"
                            "Kan inte kopiera till källkatalogen: %1/pub/img\n"
                            "Kan inte kopiera: %1/pub/css/s.css (filen är en länk till "
                            "källkatalogen)\n"
                            "Klart.\n")
                 .arg(dir.path()));
}

void tst_filecopycore::fullDiskEndsTheCopy() {
    QTemporaryDir from, disk;
    // A small disk of its own: 64 kB.
    if (mount("tmpfs", QFile::encodeName(disk.path()).constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("A small disk cannot be mounted here");
    struct Unmount {
        QString path;
        ~Unmount() { umount2(QFile::encodeName(path).constData(), MNT_DETACH); }
    } unmount{disk.path()};
    put(pathIn(disk, QStringLiteral("b.gif")), "old b");
    put(pathIn(from, QStringLiteral("a.gif")), QByteArray(20000, 'a'));
    put(pathIn(from, QStringLiteral("b.gif")), QByteArray(100000, 'b'));
    put(pathIn(from, QStringLiteral("c.gif")), "c");
    const Outcome outcome = copyTree(from.path(), disk.path());
    QCOMPARE(outcome.end, CopyEnd::DiskFull);
    QCOMPARE(outcome.log, QStringLiteral("Kan inte kopiera: %1/b.gif (Disken är full)\n"
                                         "Enheten är full.Klart.\n")
                              .arg(disk.path()));
    QCOMPARE(bytesOf(pathIn(disk, QStringLiteral("a.gif"))), QByteArray(20000, 'a'));
    QCOMPARE(bytesOf(pathIn(disk, QStringLiteral("b.gif"))), QByteArray("old b"));
    QCOMPARE(filesBelow(disk.path()), QStringList({"a.gif", "b.gif"}));
    QCOMPARE(outcome.counters.copied, 1);
}

void tst_filecopycore::cancelEndsTheLogOnOneLine() {
    QTemporaryDir from, to;
    for (const char* name : {"a.htm", "b.htm", "c.htm"})
        put(pathIn(from, QString::fromLatin1(name)), "x");
    const Outcome outcome =
        copyTree(from.path(), to.path(), {}, [](FileCopy& copy, const CopyCounters& c) {
            if (c.done == 1)
                copy.cancel();
        });
    QCOMPARE(outcome.end, CopyEnd::Cancelled);
    QCOMPARE(outcome.log, QStringLiteral("Kopieringen avbröts.Klart.\n"));
    QCOMPARE(filesBelow(to.path()), QStringList({"a.htm"}));
}

void tst_filecopycore::killedCopyLeavesEveryTargetWhole() {
    QTemporaryDir from, to;
    // Pages and pictures of many sizes; every target holds an older version.
    QRandomGenerator random(QRandomGenerator::global()->generate());
    QHash<QString, QByteArray> before, after;
    for (int k = 0; k < 160; ++k) {
        const QString name = QStringLiteral("f%1/%2%3")
                                 .arg(k % 8)
                                 .arg(k)
                                 .arg(k % 4 == 0 ? QStringLiteral(".htm") : QStringLiteral(".gif"));
        const int size = int(random.bounded(1, 400000));
        QByteArray fresh = QByteArray("line\r\n").repeated(size / 6);
        fresh[0] = char('a' + k % 26);
        before[name] = QByteArray("old ") + name.toUtf8();
        after[name] = fresh;
        put(pathIn(from, name), fresh);
        put(pathIn(to, name), before[name]);
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FILECOPY_CHILD"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {from.path(), to.path()});
    QVERIFY(child.waitForStarted());
    const int waitMs = int(random.bounded(5, 200));
    QTest::qWait(waitMs);
    child.kill();
    child.waitForFinished();

    int copied = 0;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QByteArray now = bytesOf(pathIn(to, it.key()));
        QByteArray converted = after[it.key()];
        if (it.key().endsWith(QLatin1String(".htm")))
            converted = converted.replace("\r\n", "\n");
        QVERIFY2(now == it.value() || now == converted,
                 qPrintable(it.key() + QStringLiteral(" after %1 ms").arg(waitMs)));
        copied += now != it.value();
    }
    qInfo("killed after %d ms with %d of %d files copied", waitMs, copied, int(before.size()));
    // What the killed copy left behind is hidden and goes at the next copy.
    copyTree(from.path(), to.path());
    QCOMPARE(filesBelow(to.path()), filesBelow(from.path()));
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
