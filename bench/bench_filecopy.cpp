// The file copy of a whole site, side by side with the system's own tools in one run:
// - without compression against "cp -r --preserve=mode,timestamps" of the same tree;
// - with the HTML pages compressed against that copy followed by "dos2unix" on the pages.
// The site is generated: 10,000 files of about 100 MB in 200 folders, one file in five an
// HTML page with CR LF line breaks. Each figure is the best of several runs into a fresh
// target folder, the ways taking turns, with the disk flushed before each run and the source
// in the page cache. On a disk shared with other work the figures vary from run to run; a
// folder on a RAM disk (/dev/shm) shows the work of the copy itself.
// The window's copy flushes the target disk once at its end (syncfs), which the tools do not
// do: the copy is timed without that flush against the tools, and with it against the tools
// followed by a sync.
// The peak memory of this process is printed before and after the copies: it must not grow
// with the size of the site.
//
// Usage: bench_filecopy [FOLDER [WAY]] (the site and the copies go into a temporary folder
// there, /tmp when none is given; with WAY only the ways whose names hold it are timed, with
// the lines they are compared with).

#include "filecopy/filecopycore.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <limits>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int Folders = 200;
constexpr int FilesPerFolder = 50;
constexpr int Runs = 3;

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// An HTML page of about size bytes with CR LF breaks and indented lines.
QByteArray page(QRandomGenerator& random, int size) {
    QByteArray text = "<HTML>\r\n<HEAD><TITLE>Sida</TITLE></HEAD>\r\n<BODY>\r\n";
    while (text.size() < size) {
        text += "  <p>Rad ";
        text += QByteArray::number(random.bounded(100000));
        text += " med lite text om v\xE5r resa genom Sk\xE5ne och Sm\xE5land.</p>\r\n";
    }
    return text + "</BODY>\r\n</HTML>\r\n";
}

// The site: folder k lies below folder k / 20 - 1 for k >= 20, so the tree is three deep.
QStringList makeSite(const QString& root) {
    QRandomGenerator random(18);
    QStringList pages;
    for (int k = 0; k < Folders; ++k) {
        QString folder = root;
        if (k > 0)
            folder += k < 20 ? QStringLiteral("/d%1").arg(k)
                             : QStringLiteral("/d%1/e%2").arg(k / 20).arg(k);
        QDir().mkpath(folder);
        for (int f = 0; f < FilesPerFolder; ++f) {
            const int size = int(random.bounded(2000, 18000));
            const bool isPage = f % 5 == 0;
            const QString name = folder + (isPage ? QStringLiteral("/sida%1.htm").arg(f)
                                                  : QStringLiteral("/bild%1.gif").arg(f));
            QByteArray bytes;
            if (isPage) {
                bytes = page(random, size);
                pages << name;
            } else {
                bytes.resize(size);
                random.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
            }
            QFile file(name);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write %s", qPrintable(name));
        }
    }
    return pages;
}

void run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
}

// One way of copying, and its best time so far.
struct Way {
    const char* name;
    std::function<void()> work;
    int baseline; // index of the way it is compared with
    double seconds = std::numeric_limits<double>::max();
};

// Runs every way Runs times, taking turns so that a slow moment of a shared disk does not
// fall on one way only; each run goes into a fresh target after the disk was flushed.
void timeWays(QList<Way>& ways, const QString& target) {
    for (int k = 0; k < Runs; ++k) {
        for (Way& way : ways) {
            QDir(target).removeRecursively();
            ::sync();
            QElapsedTimer timer;
            timer.start();
            way.work();
            way.seconds = std::min(way.seconds, double(timer.nsecsElapsed()) / 1e9);
        }
    }
    QDir(target).removeRecursively();
}

void ourCopy(const QString& source, const QString& target, bool compress, bool flushAtEnd) {
    QDir().mkpath(target);
    CopyOptions options;
    options.source = source;
    options.target = target;
    options.compress = compress;
    options.flushAtEnd = flushAtEnd;
    FileCopy copy(options);
    QString log;
    copy.log = [&log](const QString& text) { log += text; };
    copy.run();
    if (log != QLatin1String("Klart.\n") || copy.counters().copied != Folders * FilesPerFolder)
        qFatal("the copy failed: %s", qPrintable(log));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString where = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir dir(where + QStringLiteral("/bench_filecopy-XXXXXX"));
    const QString source = dir.filePath(QStringLiteral("site"));
    const QString target = dir.filePath(QStringLiteral("pub"));
    const QStringList pages = makeSite(source);
    qint64 bytes = 0;
    for (QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        bytes += QFileInfo(it.next()).size();
    std::printf("Site: %d files in %d folders, %.1f MB, %lld pages\n", Folders * FilesPerFolder,
                Folders, double(bytes) / 1e6, static_cast<long long>(pages.size()));
    const long memoryBefore = peakKilobytes();

    const QStringList cpArguments = {QStringLiteral("-r"),
                                     QStringLiteral("--preserve=mode,timestamps"), source, target};
    // dos2unix on the copied pages, as many to a run as the command line takes.
    QStringList targetPages;
    for (const QString& name : pages)
        targetPages << target + name.mid(source.size());
    auto dos2unix = [&] {
        for (qsizetype at = 0; at < targetPages.size(); at += 500)
            run(QStringLiteral("dos2unix"),
                QStringList{QStringLiteral("-q"), QStringLiteral("-k")} + targetPages.mid(at, 500));
    };

    auto cp = [&] { run(QStringLiteral("cp"), cpArguments); };
    QList<Way> ways = {
        {"cp -r --preserve=mode,timestamps", cp, 0},
        {"file copy", [&] { ourCopy(source, target, false, false); }, 0},
        {"cp -r --preserve=mode,timestamps; sync",
         [&] {
             cp();
             ::sync();
         },
         0},
        {"file copy, flushed at the end (as the window)",
         [&] { ourCopy(source, target, false, true); }, 0},
        {"cp -r --preserve=mode,timestamps; dos2unix -k",
         [&] {
             cp();
             dos2unix();
         },
         4},
        {"file copy, compressing", [&] { ourCopy(source, target, true, false); }, 4},
        {"cp -r --preserve=mode,timestamps; dos2unix -k; sync",
         [&] {
             cp();
             dos2unix();
             ::sync();
         },
         4},
        {"file copy, compressing, flushed at the end (as the window)",
         [&] { ourCopy(source, target, true, true); }, 4},
    };
    // A second argument keeps only the ways whose names hold it (and their baselines).
    if (argc > 2) {
        const QString only = QString::fromLocal8Bit(argv[2]);
        for (Way& way : ways) {
            if (!QString::fromLatin1(way.name).contains(only) && &way != &ways[way.baseline])
                way.work = [] {};
        }
    }
    timeWays(ways, target);
    std::printf("Best of %d runs; the factor is against the first line of each group.\n", Runs);
    for (qsizetype k = 0; k < ways.size(); ++k) {
        if (k == 0)
            std::printf("Without compression:\n");
        if (k == 4)
            std::printf("With the pages compressed:\n");
        const Way& way = ways[k];
        std::printf("  %-60s %7.3f s  %5.2f x\n", way.name, way.seconds,
                    way.seconds / ways[way.baseline].seconds);
    }
    std::printf("Peak memory: %ld kB before the copies, %ld kB after\n", memoryBefore,
                peakKilobytes());
    return 0;
}
