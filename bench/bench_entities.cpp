// Speed of the conversion of characters to HTML codes on large pages.
//
// Usage: bench_entities [data folder]
// The data folder holds the shipped "htmlkod.dat"; without an argument the source tree's
// data/ folder is used.

#include "benchsupport.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "markup/textcommands.h"
#include "platform/fakeplatform.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <limits>

namespace {

void report(const char* what, const QString& text, int runs,
            void (*convert)() = ConvertCharacters) {
    const double seconds = BestSeconds(runs, convert, [&] { WorkText = text; });
    if (StatusText != QStringLiteral("Klart")) {
        std::printf("conversion failed: %s\n", qPrintable(StatusText));
        return;
    }
    const QString converted = WorkText;
    const double megabytes = static_cast<double>(text.size()) / 1e6;
    std::printf("%-44s %7.1f MB -> %7.1f MB  %8.1f ms  %8.1f MB/s\n", what, megabytes,
                static_cast<double>(converted.size()) / 1e6, seconds * 1e3,
                seconds > 0 ? megabytes / seconds : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString dataFolder;
    if (argc > 1)
        dataFolder = QString::fromLocal8Bit(argv[1]);
#ifdef VESSILORA_DATA_DIR
    else
        dataFolder = QStringLiteral(VESSILORA_DATA_DIR);
#endif
    if (dataFolder.isEmpty()) {
        std::printf("usage: bench_entities <folder holding htmlkod.dat>\n");
        return 2;
    }
    if (!LoadEntityTableFrom(dataFolder))
        return 1;
    std::printf("shipped table: %d entries\n", EntityCount);

    const int runs = 7;
    const QString page10 = BenchPage(10'000'000);
    const QString page20 = BenchPage(20'000'000);
    report("page, 10 MB", page10, runs);
    report("page, 20 MB", page20, runs);
    report("page without listed characters, 10 MB",
           QString(page10).replace(QRegularExpression(QStringLiteral("[^\\x00-\\x7F]")),
                                   QStringLiteral("a")),
           runs);
    report("\"&\" only, 10 MB (not listed)", QString(10'000'000, u'&'), runs);
    // Decoding: every "&" of the run sees the same far ";", which must not be looked for again.
    report("decoding page, 10 MB", page10, runs, DecodeEntities);
    report("decoding \"&\" run then \"auml;\", 10 MB",
           QString(10'000'000, u'&') + QStringLiteral("auml;"), runs, DecodeEntities);

    // The worst case for the reference scans: "&" and ";" listed, long runs without blanks.
    QTemporaryDir scratch;
    QFile table(JoinPath(scratch.path(), QStringLiteral("htmlkod.dat")));
    if (!table.open(QIODevice::WriteOnly) || table.write("& &amp;\r\n; &#59;\r\n") < 0)
        return 1;
    table.close();
    if (!LoadEntityTableFrom(scratch.path()))
        return 1;
    report("\"&\" only, 10 MB (listed)", QString(10'000'000, u'&'), runs);
    report("\";\" only, 10 MB (listed)", QString(10'000'000, u';'), runs);
    report("\"&\" then one \";\", 10 MB (listed)", QString(10'000'000, u'&') + u';', runs);
    report("\";\" then \"&\", 10 MB (listed)", QString(5'000'000, u';') + QString(5'000'000, u'&'),
           runs);
    return 0;
}
