// Speed of the markup checks, the line-break conversion and the line compression on large
// pages and on inputs built to provoke slow paths. Prints MB/s (1 MB = 2^20 characters,
// one byte each in the file) and, for the realistic pages, the 20 MB / 10 MB time ratio,
// which stays near 2 when the routines are linear.

#include "benchsupport.h"
#include "markup/checks.h"
#include "markup/globals.h"
#include "markup/linebreaks.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>
#include <functional>

namespace {

constexpr int Runs = 5;

// Best time of several runs, in seconds; the text is put into WorkText before each run.
double BestTime(const QString& text, const std::function<void()>& routine) {
    return BestSeconds(Runs, routine, [&] {
        WorkText = text;
        ErrorKind = 0;
    });
}

struct Routine {
    const char* name;
    std::function<void()> run;
};

const Routine Routines[] = {
    {"CheckQuotes", CheckQuotes},
    {"CheckBrackets", CheckBrackets},
    {"CheckStandardTags", CheckStandardTags},
    {"ConvertLineBreaks(3)", [] { ConvertLineBreaks(3); }},
    {"ConvertLineBreaks(1)", [] { ConvertLineBreaks(1); }},
    {"CompressLines", CompressLines},
};

void Realistic() {
    const QString page10 = BenchPage(10 * MB);
    const QString page20 = BenchPage(20 * MB);
    std::printf("Realistic page (%.1f MB and %.1f MB)\n", double(page10.size()) / double(MB),
                double(page20.size()) / double(MB));
    std::printf("  %-22s %10s %10s %10s %10s %7s  %s\n", "routine", "10MB ms", "MB/s", "20MB ms",
                "MB/s", "ratio", "status");
    for (const Routine& routine : Routines) {
        const double t10 = BestTime(page10, routine.run);
        const double t20 = BestTime(page20, routine.run);
        std::printf("  %-22s %10.2f %10.0f %10.2f %10.0f %7.2f  %s\n", routine.name, t10 * 1e3,
                    MegabytesPerSecond(page10.size(), t10), t20 * 1e3,
                    MegabytesPerSecond(page20.size(), t20), t20 / t10, qPrintable(StatusText));
    }
}

void Adversarial() {
    struct Input {
        const char* name;
        QString text;
    };
    QString manyTags;
    while (manyTags.size() < 10 * MB)
        manyTags += "<a \"x\" \"y\">";
    QString manyLtPairs;
    while (manyLtPairs.size() < 10 * MB)
        manyLtPairs += "<a<b>";
    const Input inputs[] = {
        {"10 MB of <", QString(10 * MB, u'<')},
        {"10 MB of > ", QString(10 * MB, u'>')},
        {"quotes in one tag", u'<' + QString(10 * MB, u'"') + u'>'},
        {"quotes, no tag", QString(10 * MB, u'"')},
        {"tags with quotes", manyTags},
        {"<a<b> repeated", manyLtPairs},
        {"blanks only", QString(10 * MB, u' ')},
        {"CR LF only", QString("\r\n").repeated(5 * MB)},
        {"<PRE> repeated", QString("<PRE>").repeated(2 * MB)},
        {"<BODY repeated", QString("<BODY").repeated(2 * MB)},
    };
    std::printf("\nAdversarial inputs (10 MB each)\n");
    std::printf("  %-18s", "input");
    for (const Routine& routine : Routines)
        std::printf(" %21s", routine.name);
    std::printf("\n");
    for (const Input& input : inputs) {
        std::printf("  %-18s", input.name);
        for (const Routine& routine : Routines) {
            const double t = BestTime(input.text, routine.run);
            std::printf(" %10.2f ms %5.0f/s", t * 1e3, MegabytesPerSecond(input.text.size(), t));
        }
        std::printf("\n");
    }
}

} // namespace

int main() {
    Realistic();
    Adversarial();
    return 0;
}
