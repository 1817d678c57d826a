// The batch run's search and replace: a page, then the list as typed, one pair a line with a
// tab between search text and replacement (a list without tabs has no replacements); a page
// alone is searched for a few pieces of itself.
//   - the result is what a plain scan gives: from the left, at each place the first pair in
//     list order whose search text stands there (exactly, or capitals compared) is replaced
//     and the scan goes on after it, never into a replacement;
//   - a pair whose search text expands to nothing is left out; a text without a match comes
//     back unchanged and unshared; the list applied through the program-wide variables gives
//     the same and says "Klart";
//   - it ends, and takes time linear in the length of the text.

#include "fuzzsupport.h"

#include "batch/searchreplace.h"
#include "markup/find.h"
#include "markup/globals.h"
#include "platform/encoding.h"
#include "platform/textrules.h"

namespace {

// The pairs of a list, at most.
constexpr qsizetype MaxPairs = 24;

struct Pair {
    QString search;
    QString replacement;
};

bool sameAt(const QString& text, qsizetype at, const QString& search, bool matchCase) {
    if (text.size() - at < search.size())
        return false;
    for (qsizetype k = 0; k < search.size(); ++k) {
        const char16_t a = text[at + k].unicode();
        const char16_t b = search[k].unicode();
        if (matchCase ? a != b : UpperChar(a) != UpperChar(b))
            return false;
    }
    return true;
}

// The plain scan; matched tells whether any pair matched.
QString replaced(const QString& text, const QList<Pair>& pairs, bool matchCase, bool& matched) {
    matched = false;
    QString result;
    for (qsizetype i = 0; i < text.size();) {
        const Pair* match = nullptr;
        for (const Pair& pair : pairs) {
            if (sameAt(text, i, pair.search, matchCase)) {
                match = &pair;
                break;
            }
        }
        if (match) {
            matched = true;
            result += match->replacement;
            i += match->search.size();
        } else {
            result += text[i++];
        }
    }
    return result;
}

// The pairs in use: the escapes expanded, those with an empty search text left out.
QList<Pair> expanded(const QStringList& searches, const QStringList& replacements) {
    QList<Pair> pairs;
    for (qsizetype k = 0; k < searches.size(); ++k) {
        QString search = searches[k];
        QString replacement = k < replacements.size() ? replacements[k] : QString();
        ExpandEscapes(search);
        ExpandEscapes(replacement);
        if (!search.isEmpty())
            pairs.append({search, replacement});
    }
    return pairs;
}

void checkReplace(const QString& text, const QStringList& searches, const QStringList& replacements,
                  bool matchCase) {
    const PairTable table(searches, replacements, matchCase);
    const QList<Pair> pairs = expanded(searches, replacements);
    FUZZ_CHECK(table.size() == pairs.size(),
               QStringLiteral("%1 pairs in use, %2 expected").arg(table.size()).arg(pairs.size()));
    const QString result = table.apply(text);
    bool matched = false;
    const QString expected = replaced(text, pairs, matchCase, matched);
    QString list;
    for (qsizetype k = 0; k < searches.size(); ++k)
        list += QStringLiteral("\n  ") + Shown(searches[k]) + QStringLiteral(" -> ") +
                Shown(k < replacements.size() ? replacements[k] : QString());
    FUZZ_EQUAL(result, expected,
               QStringLiteral("%1 with the pairs (letter case %2):%3")
                   .arg(Shown(text),
                        matchCase ? QStringLiteral("matched") : QStringLiteral("ignored"), list));
    if (!matched)
        FUZZ_CHECK(result.constData() == text.constData(),
                   QStringLiteral("a text without a match is copied"));

    // The same through the program-wide list.
    PairCount = static_cast<int>(searches.size());
    SearchTexts = searches;
    ReplaceTexts = replacements;
    WorkText = text;
    StatusText.clear();
    SearchAndReplace(matchCase);
    FUZZ_EQUAL(WorkText, expected, QStringLiteral("the program-wide list applied"));
    FUZZ_EQUAL(StatusText, QStringLiteral("Klart"), QStringLiteral("the status"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> parts = SplitInput(data, size, 2);
    const QString text = DecodeDetected(parts[0], EncodingRules::Document);
    const auto n = static_cast<qsizetype>(size);
    QStringList searches;
    QStringList replacements;
    if (parts.size() > 1) {
        const QStringList lines =
            DecodeDetected(parts[1], EncodingRules::Text).split(u'\n').mid(0, MaxPairs);
        for (const QString& line : lines) {
            searches.append(line.section(u'\t', 0, 0));
            replacements.append(line.section(u'\t', 1));
        }
        // A list without any tab has no replacements at all: they count as empty.
        if (!parts[1].contains('\t'))
            replacements.clear();
    } else {
        // Pieces of the page, each replaced by itself twice over or by nothing.
        for (qsizetype k = 0; k < 4 && !text.isEmpty(); ++k) {
            const QString piece = text.mid((n * (k + 1) * 7919) % text.size(), 1 + (n + k) % 5);
            searches.append(piece);
            replacements.append(k % 2 == 0 ? piece + piece : QString());
        }
    }

    for (const bool matchCase : {true, false})
        checkReplace(text, searches, replacements, matchCase);

    if (WantsScaling(data, size)) {
        // A list typed by hand: its texts make the work per character, so the budget grows
        // with them.
        const QString big = Repeated(text, ScaledSize);
        qsizetype typed = 0;
        qsizetype longest = 0;
        for (const Pair& pair : expanded(searches, replacements)) {
            typed += pair.search.size();
            longest = std::max(longest, pair.replacement.size());
        }
        const PairTable table(searches, replacements, size % 2 == 0);
        if (longest <= 64)
            CheckLinearTime("search and replace",
                            big.size() * std::max<qsizetype>(1, (typed + longest) / 16),
                            [&] { table.apply(big); });
    }
    return 0;
}
