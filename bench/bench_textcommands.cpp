// Speed of the editor's text commands on large inputs: sorting 100,000 lines, converting a
// 10 MB page to HTML codes and back, the combined check, and the commands that work on a
// selection, with inputs built to provoke slow paths. Each figure is the best of a few runs.
//
// The entity table is the shipped "htmlkod.dat" from the folder given as the first argument,
// or else from the program folder next to the bench folder (the build copies it there).

#include "benchsupport.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "markup/textcommands.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

constexpr int Runs = 3;

double BestTime(const std::function<void()>& run) {
    return BestSeconds(Runs, run);
}

void Report(const char* what, double seconds, qsizetype size = 0) {
    if (size > 0)
        std::printf("  %-46s %9.1f ms %8.0f MB/s\n", what, seconds * 1e3,
                    double(size) / double(MB) / seconds);
    else
        std::printf("  %-46s %9.1f ms\n", what, seconds * 1e3);
}

void LoadTable(const QString& folder) {
    if (!LoadEntityTableFrom(folder))
        std::exit(1);
    std::printf("Entity table: %s (%d entries)\n\n",
                qPrintable(JoinPath(folder, QStringLiteral("htmlkod.dat"))), EntityCount);
}

// Lines of two to eight Swedish words in random order and letter case, each ending in CR LF.
QString RandomLines(int count) {
    const QStringList words = {"vessla",  "Räv",      "älg",      "Örn",      "björn",
                               "lo",      "järv",     "hare",     "Ekorre",   "mård",
                               "utter",   "grävling", "igelkott", "åkersork", "Zebra",
                               "ABBORRE", "gädda",    "<b>",      "&amp;",    "12"};
    QRandomGenerator random(42);
    QString text;
    text.reserve(count * 50);
    for (int line = 0; line < count; ++line) {
        const int n = 2 + random.bounded(7);
        for (int w = 0; w < n; ++w) {
            if (w > 0)
                text += u' ';
            text += words[random.bounded(int(words.size()))];
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

void Sorting() {
    std::printf("Sorting 100,000 lines\n");
    const QString random = RandomLines(100000);
    Report("random lines (SortLines)", BestTime([&] { SortLines(random); }), random.size());
    const QString sorted = SortLines(random);
    Report("lines already sorted", BestTime([&] { SortLines(sorted); }), sorted.size());
    const QString same = QStringLiteral("Samma rad i versaler och gemener\r\n").repeated(100000);
    Report("all lines equal", BestTime([&] { SortLines(same); }), same.size());
    const QString noBreaks = QString(1000000, u'x');
    Report("one line of 1 M characters", BestTime([&] { SortLines(noBreaks); }), noBreaks.size());
    const QString text = QStringLiteral("överst\r\n") + random + QStringLiteral("sist");
    Report("widen + sort a selection (SortSelectedLines)", BestTime([&] {
               const TextRange r = WidenToLines(text, 3, int(random.size()));
               SortSelectedLines(text, r.start, r.length);
           }),
           random.size());
}

void Entities() {
    const QString page = BenchPage(10 * MB);
    std::printf("\nA %.1f MB page\n", double(page.size()) / double(MB));
    QString converted;
    Report("ConvertCharacters", BestTime([&] {
               WorkText = page;
               ConvertCharacters();
               converted = WorkText;
           }),
           page.size());
    QString decoded;
    Report("DecodeEntities of the converted page", BestTime([&] {
               WorkText = converted;
               DecodeEntities();
               decoded = WorkText;
           }),
           converted.size());
    std::printf("  %-46s %s\n", "decoded equals the page",
                decoded == page ? "yes" : "NO (the page holds & codes of its own)");
    Report("ConvertEntities (whole text, to codes)",
           BestTime([&] { ConvertEntities(page, 0, 0, true); }), page.size());
    Report("ConvertEntities (whole text, back)",
           BestTime([&] { ConvertEntities(converted, 0, 0, false); }), converted.size());
    CheckOutcome outcome;
    Report("RunAllChecks on the converted page",
           BestTime([&] { outcome = RunAllChecks(converted); }), converted.size());
    std::printf("  %-46s %s\n", "  its message", qPrintable(outcome.message));
    const int all = int(converted.size());
    Report("RemoveTags (whole text selected)", BestTime([&] { RemoveTags(converted, 0, all); }),
           converted.size());
    Report("RemoveLineBreaks (whole text selected)",
           BestTime([&] { RemoveLineBreaks(converted, 0, all); }), converted.size());
    Report("ChangeLetterCase (whole text selected)",
           BestTime([&] { ChangeLetterCase(converted, 0, all, true); }), converted.size());
    Report("AutoIndentText after a 10 MB line", BestTime([&] {
               static const QString line = QString(10 * MB, u' ') + QStringLiteral("\r\n");
               AutoIndentText(line, int(line.size()));
           }),
           10 * MB);
}

void AdversarialDecoding() {
    struct Input {
        const char* name;
        QString text;
    };
    const Input inputs[] = {
        {"10 MB of & and one ; at the end", QString(10 * MB, u'&') + u';'},
        {"10 MB of &, no ;", QString(10 * MB, u'&')},
        {"&; repeated", QStringLiteral("&;").repeated(5 * MB)},
        {"&auml; repeated", QStringLiteral("&auml;").repeated(10 * MB / 6)},
        {"&xyzzy; repeated (unknown)", QStringLiteral("&xyzzy;").repeated(10 * MB / 7)},
        {"& and 10 MB before the ;", u'&' + QString(10 * MB, u'a') + u';'},
    };
    std::printf("\nDecoding inputs built to be slow (about 10 MB each)\n");
    for (const Input& input : inputs)
        Report(input.name, BestTime([&] {
                   WorkText = input.text;
                   DecodeEntities();
               }),
               input.text.size());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1])
                 : QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/.."))
                       .absoluteFilePath();
    LoadTable(folder);
    Sorting();
    Entities();
    AdversarialDecoding();
    return 0;
}
