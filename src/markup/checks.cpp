#include "markup/checks.h"

#include "markup/globals.h"
#include "platform/textrules.h"

#include <array>

namespace {

const QString NoErrors = QStringLiteral("Inga fel");

int ToInt(qsizetype value) {
    return static_cast<int>(value);
}

void ReportSpot(int kind, qsizetype start1, qsizetype end1, const QString& message) {
    ErrorKind = kind;
    ErrorStart = ToInt(start1);
    ErrorEnd = ToInt(end1);
    StatusText = message;
}

} // namespace

void CheckQuotes() {
    // One pass, left to right. Outside a tag every double quote is an error at once: it
    // comes before the next "<", or there is no "<" left at all. A ">" outside a tag is
    // passed over (the bracket check reports it). Inside a tag the double quotes up to its
    // ">" are counted; a "<" with no ">" after it ends the check without an error.
    const auto* text = reinterpret_cast<const char16_t*>(WorkText.constData());
    const qsizetype length = WorkText.size();
    qsizetype i = 0;
    for (;;) {
        while (i < length && text[i] != u'<') {
            if (text[i] == u'"') {
                ReportSpot(1, i + 1, i + 1, QStringLiteral("Citatstecken utanför taggar"));
                return;
            }
            ++i;
        }
        if (i == length)
            break;
        const qsizetype lt = i++;
        qsizetype quotes = 0;
        while (i < length && text[i] != u'>')
            quotes += text[i++] == u'"';
        if (i == length)
            break;
        if (quotes % 2 != 0) {
            ReportSpot(2, lt + 1, i + 1, QStringLiteral("Ojämnt antal"));
            return;
        }
        ++i;
    }
    StatusText = NoErrors;
}

void CheckBrackets() {
    // Walks the tags from "<" to ">". Each round knows the "<" of the current tag (lt) and
    // the "<" after it (next); the first problem found ends the check. A ">" with no "<"
    // left after it is reported together with all the text before it.
    const QStringView text(WorkText);
    const qsizetype length = text.size();
    const QString missingGt = QStringLiteral("Det saknas en >.");
    const QString missingLt = QStringLiteral("Det saknas en <.");

    auto findLt = [&](qsizetype from) {
        return from < length ? text.indexOf(u'<', from) : qsizetype(-1);
    };

    // Positions are 0-based here, -1 for none; the results are reported 1-based.
    qsizetype start = 0;
    qsizetype lt = findLt(0);
    qsizetype next = lt >= 0 ? findLt(lt + 1) : -1;
    for (;;) {
        const qsizetype gt = start < length ? text.indexOf(u'>', start) : -1;
        if (lt < 0 && gt < 0) {
            StatusText = NoErrors;
            return;
        }
        if (gt < 0) {
            ReportSpot(1, lt + 1, length, missingGt);
            return;
        }
        if (lt >= 0 && gt < lt) {
            ReportSpot(2, gt + 1, gt + 1, missingLt);
            return;
        }
        if (lt < 0) {
            ReportSpot(2, 1, gt + 1, missingLt);
            return;
        }
        if (next >= 0 && next < gt) {
            ReportSpot(1, lt + 1, gt + 1, missingGt);
            return;
        }
        // Here next lies after gt (or there is none), and no "<" stands between lt and
        // next: the first "<" after gt is next itself, so nothing is searched twice.
        start = gt + 1;
        lt = next;
        next = lt >= 0 ? findLt(lt + 1) : -1;
    }
}

namespace {

constexpr int TagCount = 8;
// The structure tags in their order on a page (entries 1..8). "<BODY" has no ">" so that a
// body tag with attributes is found as well.
const std::array<QString, TagCount> StandardTags = {
    QStringLiteral("<HTML>"),   QStringLiteral("<HEAD>"),  QStringLiteral("<TITLE>"),
    QStringLiteral("</TITLE>"), QStringLiteral("</HEAD>"), QStringLiteral("<BODY"),
    QStringLiteral("</BODY>"),  QStringLiteral("</HTML>")};

// True when text[pos, length) starts with tag (given in capitals), ignoring letter case;
// text[pos] is known to be "<".
bool MatchesAt(const char16_t* text, qsizetype length, qsizetype pos, const QString& tag) {
    if (length - pos < tag.size())
        return false;
    for (qsizetype i = 1; i < tag.size(); ++i)
        if (UpperChar(text[pos + i]) != tag[i].unicode())
            return false;
    return true;
}

} // namespace

void CheckStandardTags() {
    const auto* text = reinterpret_cast<const char16_t*>(WorkText.constData());
    const qsizetype length = WorkText.size();

    // First and second occurrence of each entry (0-based, -1 for none); later ones do not
    // matter. Every entry begins with its only "<", so two occurrences of one entry never
    // overlap and at most one entry starts at any "<": one pass over the text finds them.
    std::array<qsizetype, TagCount> first;
    std::array<qsizetype, TagCount> second;
    first.fill(-1);
    second.fill(-1);
    int seenTwice = 0;
    for (qsizetype pos = 0; pos + 1 < length && seenTwice < TagCount; ++pos) {
        if (text[pos] != u'<')
            continue;
        // Most "<" start other tags: the character after it sorts them out quickly.
        const char16_t after = UpperChar(text[pos + 1]);
        if (after != u'H' && after != u'T' && after != u'B' && after != u'/')
            continue;
        for (int t = 0; t < TagCount; ++t) {
            if (second[t] >= 0 || StandardTags[t][1] != after ||
                !MatchesAt(text, length, pos, StandardTags[t]))
                continue;
            if (first[t] < 0) {
                first[t] = pos;
            } else {
                second[t] = pos;
                ++seenTwice;
            }
            break;
        }
    }

    for (int i = 0; i < TagCount; ++i) {
        if (first[i] < 0) {
            ErrorKind = i + 1;
            StatusText = StandardTags[i] + QStringLiteral(" hittades inte.");
            return;
        }
    }
    for (int i = 1; i < TagCount; ++i) {
        if (first[i] < first[i - 1]) {
            ReportSpot(i + 1 + 9, first[i] + 1, StandardTags[i].size(),
                       StandardTags[i] + QStringLiteral(" är felaktigt placerad."));
            return;
        }
    }
    for (int i = 0; i < TagCount; ++i) {
        if (second[i] >= 0) {
            ReportSpot(i + 1 + 20, second[i] + 1, StandardTags[i].size(),
                       StandardTags[i] + QStringLiteral(" hittades två gånger."));
            return;
        }
    }
    StatusText = NoErrors;
}
