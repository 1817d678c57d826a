// Speed of the search escapes and of the find on long texts, with inputs built to provoke
// slow paths: escapes that shorten the text, and long search texts that almost match
// everywhere. Prints the time of each and, for the escapes, the 16 Mi / 8 Mi time ratio,
// which stays near 2 when the routine is linear.

#include "benchsupport.h"
#include "markup/find.h"

#include <QString>
#include <cstdio>

namespace {

constexpr int Runs = 3;
constexpr qsizetype Mi = 1024 * 1024;

QString repeated(const QString& piece, qsizetype size) {
    QString text;
    text.reserve(size + piece.size());
    while (text.size() < size)
        text += piece;
    return text;
}

void Escapes() {
    std::printf("ExpandEscapes\n  %-26s %10s %10s %7s\n", "input", "8 Mi ms", "16 Mi ms", "ratio");
    const struct {
        const char* name;
        QString piece;
    } inputs[] = {
        {"\\t (shortens)", QStringLiteral("\\t")},
        {"\\n (same length)", QStringLiteral("\\n")},
        {"\\\\ (shortens)", QStringLiteral("\\\\")},
        {"mixed with text", QStringLiteral("<td>\\t\\\\x\\n</td>")},
    };
    for (const auto& input : inputs) {
        const QString half = repeated(input.piece, 8 * Mi);
        const QString whole = repeated(input.piece, 16 * Mi);
        const double t8 = BestSeconds(Runs, [&] {
            QString text = half;
            ExpandEscapes(text);
        });
        const double t16 = BestSeconds(Runs, [&] {
            QString text = whole;
            ExpandEscapes(text);
        });
        std::printf("  %-26s %10.1f %10.1f %7.2f\n", input.name, t8 * 1e3, t16 * 1e3, t16 / t8);
    }
}

void Find() {
    std::printf("FindInText, 1,000-character search text over 1 Mi characters\n"
                "  %-34s %12s %12s\n",
                "input", "exact ms", "any case ms");
    const QString as(Mi, QLatin1Char('a'));
    const QString mixed = repeated(QStringLiteral("aA"), Mi);
    const struct {
        const char* name;
        QString text;
        QString pattern;
    } inputs[] = {
        {"a...ab in a...a", as, QString(999, QLatin1Char('a')) + QLatin1Char('b')},
        {"ba...a in a...a", as, QLatin1Char('b') + QString(999, QLatin1Char('a'))},
        {"aAaA...b in aAaA...", mixed, repeated(QStringLiteral("aA"), 999).left(999) + u'b'},
        {"page text at the end of a page", BenchPage(Mi), BenchPage(Mi).right(1000).toUpper()},
    };
    for (const auto& input : inputs) {
        qsizetype found[2] = {};
        const double exact =
            BestSeconds(Runs, [&] { found[0] = FindInText(input.text, input.pattern, 0, true); });
        const double anyCase =
            BestSeconds(Runs, [&] { found[1] = FindInText(input.text, input.pattern, 0, false); });
        std::printf("  %-34s %12.2f %12.2f   (found at %lld, %lld)\n", input.name, exact * 1e3,
                    anyCase * 1e3, static_cast<long long>(found[0]),
                    static_cast<long long>(found[1]));
    }
}

} // namespace

int main() {
    Escapes();
    Find();
    return 0;
}
