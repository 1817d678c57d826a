// The three checks on a page (the input's bytes, in the encoding the program reads them in).
//   - the bracket and quote checks report the first problem a plain walk over the tags finds,
//     at the place it is, with its message;
//   - the standard-tag check reports a missing, misplaced or doubled tag only where the page
//     really has that problem, in the order missing, misplaced, doubled;
//   - no check changes the text, and no place reported or selected lies outside it;
//   - every check takes time linear in the length of the page.

#include "fuzzsupport.h"

#include "markup/checks.h"
#include "markup/globals.h"
#include "markup/textcommands.h"
#include "platform/encoding.h"

#include <array>

namespace {

const QString NoErrors = QStringLiteral("Inga fel");

struct Found {
    int kind = 0;
    qsizetype start = 0; // 1-based, as the checks report
    qsizetype end = 0;
    bool operator==(const Found&) const = default;
};

QString describe(const Found& f) {
    return QStringLiteral("kind %1 at %2..%3").arg(f.kind).arg(f.start).arg(f.end);
}

// Runs a check with sentinels in the place variables, so a place left untouched shows.
Found run(void (*check)(), const QString& text) {
    WorkText = text;
    ErrorKind = 0;
    ErrorStart = -7;
    ErrorEnd = -7;
    StatusText.clear();
    check();
    FUZZ_EQUAL(WorkText, text, QStringLiteral("a check changed the text"));
    if (ErrorKind != 0)
        return {ErrorKind, ErrorStart, ErrorEnd};
    FUZZ_EQUAL(StatusText, NoErrors, QStringLiteral("message when nothing was found"));
    return {};
}

// The brackets should alternate "<", ">", "<", ... starting with "<".
Found expectedBrackets(const QString& t) {
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (t[i] == u'>') // a ">" where a "<" was due
            return t.indexOf(u'<', i) >= 0 ? Found{2, i + 1, i + 1} : Found{2, 1, i + 1};
        if (t[i] != u'<')
            continue;
        qsizetype j = i + 1;
        while (j < n && t[j] != u'<' && t[j] != u'>')
            ++j;
        if (j == n || t.indexOf(u'>', j) < 0) // no ">" after this "<" at all
            return {1, i + 1, n};
        if (t[j] == u'<') // a second "<" before the ">"
            return {1, i + 1, t.indexOf(u'>', j) + 1};
        i = j;
    }
    return {};
}

// Outside tags no double quote; inside each tag closed by its ">", an even number of them.
// A "<" without a ">" after it ends the walk.
Found expectedQuotes(const QString& t) {
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (t[i] == u'"')
            return {1, i + 1, i + 1};
        if (t[i] != u'<')
            continue;
        const qsizetype gt = t.indexOf(u'>', i);
        if (gt < 0)
            return {};
        if (QStringView(t).sliced(i, gt - i).count(u'"') % 2 != 0)
            return {2, i + 1, gt + 1};
        i = gt;
    }
    return {};
}

const std::array<QString, 8> Tags = {QStringLiteral("<HTML>"),  QStringLiteral("<HEAD>"),
                                     QStringLiteral("<TITLE>"), QStringLiteral("</TITLE>"),
                                     QStringLiteral("</HEAD>"), QStringLiteral("<BODY"),
                                     QStringLiteral("</BODY>"), QStringLiteral("</HTML>")};

// Where tag stands from position from on (0-based), comparing capitals; -1 when nowhere.
qsizetype findTag(const QString& t, const QString& tag, qsizetype from) {
    for (qsizetype p = t.indexOf(u'<', from); p >= 0; p = t.indexOf(u'<', p + 1)) {
        if (t.size() - p < tag.size())
            return -1;
        qsizetype k = 1;
        while (k < tag.size() && t[p + k].toUpper() == tag[k])
            ++k;
        if (k == tag.size())
            return p;
    }
    return -1;
}

void checkStandardTags(const QString& t, const Found& found) {
    std::array<qsizetype, 8> pos{};
    for (int i = 0; i < 8; ++i)
        pos[i] = findTag(t, Tags[i], 0);
    Found expected;
    for (int i = 0; i < 8 && expected.kind == 0; ++i)
        if (pos[i] < 0)
            expected = {i + 1, -7, -7};
    for (int i = 1; i < 8 && expected.kind == 0; ++i)
        if (pos[i] < pos[i - 1])
            expected = {i + 10, pos[i] + 1, Tags[i].size()};
    for (int i = 0; i < 8 && expected.kind == 0; ++i)
        if (const qsizetype again = findTag(t, Tags[i], pos[i] + 1); again >= 0)
            expected = {i + 21, again + 1, Tags[i].size()};
    FUZZ_CHECK(
        found == expected,
        QStringLiteral("standard tags: %1, expected %2").arg(describe(found), describe(expected)));
    if (found.kind == 0)
        return;
    const int kind = found.kind;
    const QString name = Tags[kind < 10 ? kind - 1 : kind < 20 ? kind - 10 : kind - 21];
    const QString message = kind < 10   ? QStringLiteral(" hittades inte.")
                            : kind < 20 ? QStringLiteral(" är felaktigt placerad.")
                                        : QStringLiteral(" hittades två gånger.");
    FUZZ_EQUAL(StatusText, name + message, QStringLiteral("standard-tag message"));
}

// The editor's view of a check: the spot it selects lies inside the text.
void checkSelection(const CheckOutcome& outcome, const QString& text) {
    if (!outcome.select)
        return;
    const TextRange sel = outcome.selection;
    FUZZ_CHECK(outcome.kind != 0 && sel.start >= 0 && sel.length >= 0 &&
                   sel.start + sel.length <= text.size(),
               QStringLiteral("kind %1 selects %2+%3 in %4 characters")
                   .arg(outcome.kind)
                   .arg(sel.start)
                   .arg(sel.length)
                   .arg(text.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString page = DecodeDetected(bytes, EncodingRules::Document);

    const Found brackets = run(CheckBrackets, page);
    const Found expectBrackets = expectedBrackets(page);
    FUZZ_CHECK(brackets == expectBrackets, QStringLiteral("brackets: %1, expected %2")
                                               .arg(describe(brackets), describe(expectBrackets)));
    if (brackets.kind != 0)
        FUZZ_EQUAL(StatusText,
                   brackets.kind == 1 ? QStringLiteral("Det saknas en >.")
                                      : QStringLiteral("Det saknas en <."),
                   QStringLiteral("bracket message"));

    const Found quotes = run(CheckQuotes, page);
    const Found expectQuotes = expectedQuotes(page);
    FUZZ_CHECK(
        quotes == expectQuotes,
        QStringLiteral("quotes: %1, expected %2").arg(describe(quotes), describe(expectQuotes)));
    if (quotes.kind != 0)
        FUZZ_EQUAL(StatusText,
                   quotes.kind == 1 ? QStringLiteral("Citatstecken utanför taggar")
                                    : QStringLiteral("Ojämnt antal"),
                   QStringLiteral("quote message"));

    const Found standard = run(CheckStandardTags, page);
    checkStandardTags(page, standard);

    for (const MarkupCheck check :
         {MarkupCheck::Brackets, MarkupCheck::Quotes, MarkupCheck::StandardTags})
        checkSelection(RunCheck(check, page), page);
    const CheckOutcome all = RunAllChecks(page);
    checkSelection(all, page);
    // The combined check runs brackets, standard tags, quotes and stops at the first problem.
    const int first = brackets.kind ? brackets.kind : standard.kind ? standard.kind : quotes.kind;
    FUZZ_CHECK(
        all.kind == first,
        QStringLiteral("the combined check reports kind %1, not %2").arg(all.kind).arg(first));

    if (WantsScaling(data, size)) {
        const QString big = Repeated(page, ScaledSize);
        for (auto* check : {CheckBrackets, CheckQuotes, CheckStandardTags})
            CheckLinearTime("a check", big.size(), [&] { run(check, big); });
    }
    return 0;
}
