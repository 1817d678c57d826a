// The search escapes and the find: a text and a search text as typed, with a form feed
// between (a page alone is searched for a piece of itself).
//   - the escapes only shorten the search text, change the caller's variable to the result,
//     leave every other character as it was, and a text (without backslashes) written with
//     "\n" and "\t" for its CR LF and tabs expands back to the text;
//   - the find reports a place inside the text, at or after the start, where the search text
//     stands, with no earlier place; ignoring case (capitals compared) it finds what it finds
//     in the texts in capitals; successive searches move forward;
//   - searching takes time linear in the lengths of the text and the search text, also for a
//     search text as long as half the text that repeats itself ("aaa...ab" in "aaa...a").

#include "fuzzsupport.h"

#include "markup/find.h"
#include "platform/encoding.h"
#include "platform/textrules.h"

namespace {

QString others(const QString& text) {
    QString kept;
    for (const QChar c : text)
        if (!QStringView(u"\\nt\r\n\t").contains(c))
            kept += c;
    return kept;
}

void checkEscapes(const QString& typed, const QString& text) {
    QString argument = typed;
    const QString expanded = ExpandEscapes(argument);
    FUZZ_EQUAL(argument, expanded, QStringLiteral("the argument after expanding"));
    if (!typed.contains(u'\\'))
        FUZZ_EQUAL(expanded, typed, QStringLiteral("a search text without escapes"));
    FUZZ_CHECK(expanded.size() <= typed.size() && 2 * expanded.size() >= typed.size(),
               QStringLiteral("%1 expanded to %2").arg(Shown(typed), Shown(expanded)));
    FUZZ_EQUAL(others(expanded), others(typed), QStringLiteral("characters that are no escape"));

    QString plain = text;
    plain.remove(u'\\');
    QString written = plain;
    written.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    written.replace(u'\t', QStringLiteral("\\t"));
    FUZZ_EQUAL(ExpandEscapes(written), plain, QStringLiteral("a text written with escapes"));
}

bool matchesAt(const QString& text, const QString& pattern, qsizetype at, bool matchCase) {
    for (qsizetype k = 0; k < pattern.size(); ++k) {
        const QChar a = text[at + k];
        const QChar b = pattern[k];
        if (matchCase ? a != b : UpperChar(a.unicode()) != UpperChar(b.unicode()))
            return false;
    }
    return true;
}

void checkFind(const QString& text, const QString& pattern, qsizetype from, bool matchCase) {
    const qsizetype found = FindInText(text, pattern, from, matchCase);
    const qsizetype start = std::max<qsizetype>(from, 0);
    const qsizetype last = text.size() - pattern.size();
    if (found < 0) {
        FUZZ_CHECK(found == -1, QStringLiteral("found at %1").arg(found));
    } else {
        FUZZ_CHECK(found >= start && found <= last && matchesAt(text, pattern, found, matchCase),
                   QStringLiteral("%1 found at %2 from %3 in %4")
                       .arg(Shown(pattern))
                       .arg(found)
                       .arg(from)
                       .arg(Shown(text)));
    }
    // No earlier place (looked for one by one while that stays cheap).
    const qsizetype end = found < 0 ? last + 1 : found;
    if ((end - start) * pattern.size() <= 1'000'000)
        for (qsizetype p = start; p < end; ++p)
            FUZZ_CHECK(!matchesAt(text, pattern, p, matchCase),
                       QStringLiteral("%1 stands at %2, before %3 found from %4")
                           .arg(Shown(pattern))
                           .arg(p)
                           .arg(found)
                           .arg(from));
    if (!matchCase)
        FUZZ_CHECK(found == FindInText(UpperChars(text), UpperChars(pattern), from, true),
                   QStringLiteral("ignoring case found %1, in capitals %2")
                       .arg(found)
                       .arg(FindInText(UpperChars(text), UpperChars(pattern), from, true)));
}

// Find-next from the start to the end of the text: every search starts after the last place
// found, so the places move forward and there are at most as many as characters.
qsizetype findAll(const QString& text, const QString& pattern, bool matchCase) {
    qsizetype count = 0;
    qsizetype from = 0;
    for (qsizetype at; (at = FindInText(text, pattern, from, matchCase)) >= 0; ++count) {
        FUZZ_CHECK(at >= from && count <= text.size(),
                   QStringLiteral("find-next went back to %1 from %2").arg(at).arg(from));
        from = at + std::max<qsizetype>(pattern.size(), 1);
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> parts = SplitInput(data, size, 2);
    const QString text = DecodeDetected(parts[0], EncodingRules::Document);
    const auto n = static_cast<qsizetype>(size);
    QString typed = parts.size() == 2 ? DecodeDetected(parts[1], EncodingRules::Document)
                                      : text.mid(text.isEmpty() ? 0 : n % text.size(), 1 + n % 9);
    typed.remove(u'\r'); // typed into a one-line field
    typed.remove(u'\n');

    checkEscapes(typed, text);
    QString pattern = typed;
    ExpandEscapes(pattern);
    for (const bool matchCase : {true, false}) {
        checkFind(text, pattern, 0, matchCase);
        checkFind(text, pattern, n % (text.size() + 3) - 1, matchCase);
        findAll(text, pattern, matchCase);
    }

    if (WantsScaling(data, size)) {
        const QString big = Repeated(text, ScaledSize);
        // Search texts that are not found, so the whole text is searched: the one typed, and
        // half the text with a character after it that the text lacks (a naive search
        // compares almost all of it at every place of the first half).
        const QString absent = pattern + QChar(0xFFFF);
        const QString half = big.left(big.size() / 2) + QChar(0xFFFF);
        const QString halfFound = big.mid(big.size() / 4, big.size() / 2);
        for (const bool matchCase : {true, false}) {
            for (const QString* search : {&absent, &half})
                CheckLinearTime("finding", big.size() + search->size(),
                                [&] { FindInText(big, *search, 0, matchCase); });
            CheckLinearTime("finding every place", big.size(), [&] {
                if (!pattern.isEmpty())
                    findAll(big, pattern, matchCase);
                findAll(big, halfFound, matchCase);
            });
        }
    }
    return 0;
}
