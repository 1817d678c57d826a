#include "markup/checks.h"

#include "markup/globals.h"

#include <QStringView>
#include <array>

namespace {

const QString NoErrors = QStringLiteral("Inga fel");

// The next occurrence of one character at or after a moving start, remembered between
// calls. The start only grows, so each character of the text is looked at once at most:
// a remembered position at or after the start is reused, and "none" stays "none".
class NextChar {
public:
    NextChar(QStringView text, QChar ch) : text_(text), ch_(ch) {}

    // 0-based position of the first occurrence at or after start, -1 when there is none.
    qsizetype from(qsizetype start) {
        if (pos_ == Unknown || (pos_ != None && pos_ < start))
            pos_ = start < text_.size() ? text_.indexOf(ch_, start) : None;
        return pos_;
    }

private:
    static constexpr qsizetype Unknown = -2;
    static constexpr qsizetype None = -1;
    QStringView text_;
    QChar ch_;
    qsizetype pos_ = Unknown;
};

qsizetype CountChar(QStringView text, qsizetype from, qsizetype to, QChar ch) {
    qsizetype count = 0;
    const QChar* p = text.data() + from;
    const QChar* end = text.data() + to;
    for (; p < end; ++p)
        count += (*p == ch);
    return count;
}

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
    const QStringView text(WorkText);
    const qsizetype length = text.size();
    NextChar nextLt(text, u'<');
    NextChar nextQuote(text, u'"');

    // Positions are 0-based here; the results are reported 1-based.
    qsizetype start = 0;
    for (;;) {
        qsizetype lt = nextLt.from(start);
        const qsizetype quote = nextQuote.from(start);
        const qsizetype gt = start < length ? text.indexOf(u'>', start) : -1;

        if (lt < 0 && gt < 0) {
            // No tag is left: a quote that remains stands outside tags.
            if (quote >= 0)
                ReportSpot(1, quote + 1, quote + 1, QStringLiteral("Citatstecken utanför taggar"));
            else
                StatusText = NoErrors;
            return;
        }
        if (lt < 0)
            lt = length - 1;
        if (quote >= 0 && quote < lt) {
            ReportSpot(1, quote + 1, quote + 1, QStringLiteral("Citatstecken utanför taggar"));
            return;
        }
        // The spans (lt, gt) of successive rounds do not overlap, so the counting is linear.
        if (quote >= 0 && gt > lt && CountChar(text, lt + 1, gt, u'"') % 2 != 0) {
            ReportSpot(2, lt + 1, gt + 1, QStringLiteral("Ojämnt antal"));
            return;
        }
        if (gt < 0) {
            // A "<" with no ">" after it: the bracket check reports that.
            StatusText = NoErrors;
            return;
        }
        start = gt + 1;
    }
}

void CheckBrackets() {
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

QChar UpperChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 128)
        return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - 32)) : c;
    return c.toUpper();
}

// True when the text at pos starts with tag (given in capitals), ignoring letter case.
bool MatchesAt(QStringView text, qsizetype pos, const QString& tag) {
    if (text.size() - pos < tag.size())
        return false;
    for (qsizetype i = 1; i < tag.size(); ++i) // the "<" at pos is known
        if (UpperChar(text[pos + i]) != tag[i])
            return false;
    return true;
}

} // namespace

void CheckStandardTags() {
    const QStringView text(WorkText);

    // First and second occurrence of each entry (0-based, -1 for none). Every entry
    // begins with its only "<", so two occurrences of one entry never overlap and at most
    // one entry starts at any "<": one pass over the "<" of the text finds them all.
    std::array<qsizetype, TagCount> first;
    std::array<qsizetype, TagCount> second;
    first.fill(-1);
    second.fill(-1);
    int seenTwice = 0;
    for (qsizetype pos = text.indexOf(u'<'); pos >= 0 && seenTwice < TagCount;
         pos = pos + 1 < text.size() ? text.indexOf(u'<', pos + 1) : -1) {
        for (int t = 0; t < TagCount; ++t) {
            if (!MatchesAt(text, pos, StandardTags[t]))
                continue;
            if (first[t] < 0) {
                first[t] = pos;
            } else if (second[t] < 0) {
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
