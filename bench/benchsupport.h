#pragma once
// What the benchmarks share: a realistic Swedish page of any size, best-of-N timing and the
// shipped entity table.

#include "markup/entities.h"
#include "platform/fakeplatform.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

constexpr qsizetype MB = 1024 * 1024;

// One screenful of an ordinary Swedish page: running text with å ä ö, tags with quoted
// attributes, references already written, typographic quotes, indented lines and a
// preformatted block, with CR LF line breaks.
inline const QString BenchPagePiece = QStringLiteral(
    "<h2 class=\"rubrik\">Välkommen till Åsa och Örjans sida</h2>\r\n"
    "  <p>Här berättar vi om vår resa genom Skåne, Småland och Västergötland. "
    "Vädret var växlande – ibland sol, ibland regn – men humöret var på topp. "
    "Vi åt räksmörgåsar i Göteborg och köpte “äkta” lakrits för 25 € i Malmö.</p>  \r\n"
    "\t<p><a href=\"resor/sommar.htm\" title=\"Sommarresan år 2003\">Läs mer om sommaren</a>"
    " &middot; <img src=\"bilder/älg.gif\" alt=\"En älg i skogen\" width=\"120\" "
    "height=\"80\"> &copy; Åsa &amp; Örjan</p>\r\n"
    "    <table border=\"1\" cellpadding=\"4\">\r\n"
    "      <tr><td>Öl</td><td>35 kr</td></tr>\r\n"
    "      <tr><td>Kaffe &amp; bulle</td><td>20 kr</td></tr>\r\n"
    "    </table>\r\n"
    "\r\n"
    "<PRE>\r\n"
    "  Tidtabell:  Ankomst  Avgång\r\n"
    "  Hässleholm  10.15    10.20\r\n"
    "  Älmhult     10.55    11.00\r\n"
    "</PRE>\r\n"
    "<ul><li>Första dagen: Ystad</li><li>Andra dagen: Österlen</li></ul>\r\n");

// A whole page of about size characters, with the structure tags around it so that the
// checks run to its end.
inline QString BenchPage(qsizetype size) {
    const QString head = QStringLiteral(
        "<HTML>\r\n<HEAD>\r\n<TITLE>Vår resa</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n");
    const QString tail = QStringLiteral("</BODY>\r\n</HTML>\r\n");
    QString page;
    page.reserve(size + BenchPagePiece.size() + head.size() + tail.size());
    page += head;
    while (page.size() + tail.size() < size)
        page += BenchPagePiece;
    return page + tail;
}

// The best time of several runs, in seconds. prepare runs before each run, untimed.
inline double BestSeconds(int runs, const std::function<void()>& run,
                          const std::function<void()>& prepare = {}) {
    double best = std::numeric_limits<double>::max();
    for (int k = 0; k < runs; ++k) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    return best;
}

inline double MegabytesPerSecond(qsizetype characters, double seconds) {
    return seconds > 0 ? static_cast<double>(characters) / static_cast<double>(MB) / seconds : 0.0;
}

// Loads "htmlkod.dat" from folder; prints why not when it cannot.
inline bool LoadEntityTableFrom(const QString& folder) {
    qputenv("VESSILORA_HOME", folder.toLocal8Bit());
    FakePlatform fake;
    installPlatform(&fake);
    const bool loaded = LoadEntityTable();
    installPlatform(nullptr);
    if (!loaded)
        std::printf("%s (%s)\n", qPrintable(fake.lastMessage()), qPrintable(folder));
    return loaded;
}
