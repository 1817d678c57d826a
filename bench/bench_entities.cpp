// Speed of the conversion of characters to HTML codes on large pages.
//
// Usage: bench_entities [data folder]
// The data folder holds the shipped "htmlkod.dat"; without an argument the source tree's
// data/ folder is used.

#include "markup/entities.h"
#include "markup/globals.h"
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

// One screenful of an ordinary Swedish page: running text with å ä ö, tags with quoted
// attributes, references already written, typographic quotes and a preformatted block.
const QString PagePiece = QStringLiteral(
    "<h2 class=\"rubrik\">Välkommen till Åsa och Örjans sida</h2>\r\n"
    "<p>Här berättar vi om vår resa genom Skåne, Småland och Västergötland. "
    "Vädret var växlande – ibland sol, ibland regn – men humöret var på topp. "
    "Vi åt räksmörgåsar i Göteborg och köpte “äkta” lakrits för 25 € i Malmö.</p>\r\n"
    "<p><a href=\"resor/sommar.htm\" title=\"Sommarresan år 2003\">Läs mer om sommaren</a>"
    " &middot; <img src=\"bilder/älg.gif\" alt=\"En älg i skogen\" width=\"120\" "
    "height=\"80\"> &copy; Åsa &amp; Örjan</p>\r\n"
    "<table border=\"1\" cellpadding=\"4\">\r\n"
    "<tr><td>Öl</td><td>35 kr</td></tr>\r\n"
    "<tr><td>Kaffe &amp; bulle</td><td>20 kr</td></tr>\r\n"
    "</table>\r\n"
    "<pre>\r\n"
    "  Tidtabell:  Ankomst  Avgång\r\n"
    "  Hässleholm  10.15    10.20\r\n"
    "  Älmhult     10.55    11.00\r\n"
    "</pre>\r\n"
    "<ul><li>Första dagen: Ystad</li><li>Andra dagen: Österlen</li></ul>\r\n");

QString buildPage(qsizetype characters) {
    QString page;
    page.reserve(characters + PagePiece.size() + 200);
    page += QStringLiteral("<html>\r\n<head>\r\n<title>Vår resa</title>\r\n</head>\r\n<body>\r\n");
    while (page.size() < characters)
        page += PagePiece;
    page += QStringLiteral("</body>\r\n</html>\r\n");
    return page;
}

// Best time of several conversions of text, in seconds.
double bestSeconds(const QString& text, int runs, QString* converted = nullptr) {
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < runs; ++run) {
        WorkText = text;
        QElapsedTimer timer;
        timer.start();
        ConvertCharacters();
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        if (StatusText != QStringLiteral("Klart")) {
            std::printf("conversion failed: %s\n", qPrintable(StatusText));
            return 0;
        }
        if (seconds < best)
            best = seconds;
    }
    if (converted)
        *converted = WorkText;
    return best;
}

void report(const char* what, const QString& text, int runs) {
    QString converted;
    const double seconds = bestSeconds(text, runs, &converted);
    const double megabytes = static_cast<double>(text.size()) / 1e6;
    std::printf("%-44s %7.1f MB -> %7.1f MB  %8.1f ms  %8.1f MB/s\n", what, megabytes,
                static_cast<double>(converted.size()) / 1e6, seconds * 1e3,
                seconds > 0 ? megabytes / seconds : 0.0);
}

bool loadTableFrom(const QString& folder) {
    qputenv("VESSILORA_HOME", folder.toLocal8Bit());
    FakePlatform fake;
    installPlatform(&fake);
    const bool loaded = LoadEntityTable();
    installPlatform(nullptr);
    if (!loaded)
        std::printf("%s (%s)\n", qPrintable(fake.lastMessage()), qPrintable(folder));
    return loaded;
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
    if (!loadTableFrom(dataFolder))
        return 1;
    std::printf("shipped table: %d entries\n", EntityCount);

    const int runs = 7;
    const QString page10 = buildPage(10'000'000);
    const QString page20 = buildPage(20'000'000);
    report("page, 10 MB", page10, runs);
    report("page, 20 MB", page20, runs);
    report("page without listed characters, 10 MB",
           QString(page10).replace(QRegularExpression(QStringLiteral("[^\\x00-\\x7F]")),
                                   QStringLiteral("a")),
           runs);
    report("\"&\" only, 10 MB (not listed)", QString(10'000'000, u'&'), runs);

    // The worst case for the reference scans: "&" and ";" listed, long runs without blanks.
    QTemporaryDir scratch;
    QFile table(JoinPath(scratch.path(), QStringLiteral("htmlkod.dat")));
    if (!table.open(QIODevice::WriteOnly) || table.write("& &amp;\r\n; &#59;\r\n") < 0)
        return 1;
    table.close();
    if (!loadTableFrom(scratch.path()))
        return 1;
    report("\"&\" only, 10 MB (listed)", QString(10'000'000, u'&'), runs);
    report("\";\" only, 10 MB (listed)", QString(10'000'000, u';'), runs);
    report("\"&\" then one \";\", 10 MB (listed)", QString(10'000'000, u'&') + u';', runs);
    report("\";\" then \"&\", 10 MB (listed)", QString(5'000'000, u';') + QString(5'000'000, u'&'),
           runs);
    return 0;
}
