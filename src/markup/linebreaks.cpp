#include "markup/linebreaks.h"

#include "markup/globals.h"

#include <QStringView>
#include <new>

namespace {

constexpr char16_t Cr = u'\r';
constexpr char16_t Lf = u'\n';

bool IsBreak(char16_t c) {
    return c == Cr || c == Lf;
}
bool IsBlankOrTab(char16_t c) {
    return c == u' ' || c == u'\t';
}

char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

// True when the text at pos starts with tag (given in capitals), ignoring letter case.
bool MatchesAt(QStringView text, qsizetype pos, QStringView tag) {
    if (text.size() - pos < tag.size())
        return false;
    for (qsizetype i = 0; i < tag.size(); ++i) {
        const QChar c = text[pos + i];
        const QChar upper = c.unicode() < 128 ? QChar(UpperAscii(c.unicode())) : c.toUpper();
        if (upper != tag[i])
            return false;
    }
    return true;
}

QString BuildConverted(QStringView text, int style) {
    const qsizetype length = text.size();
    const char16_t* src = reinterpret_cast<const char16_t*>(text.data());

    qsizetype firstBreak = 0;
    while (firstBreak < length && !IsBreak(src[firstBreak]))
        ++firstBreak;
    if (firstBreak == length)
        return text.toString();
    const char16_t breakChar = src[firstBreak];

    // Leading and trailing CR and LF never reach the result, so they are skipped here
    // rather than removed afterwards.
    qsizetype begin = 0;
    qsizetype end = length;
    while (begin < end && IsBreak(src[begin]))
        ++begin;
    while (end > begin && IsBreak(src[end - 1]))
        --end;

    QString result;
    result.resize(style == 1 ? 2 * (end - begin) : end - begin);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    char16_t* const outStart = out;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = src[i];
        if (!IsBreak(c)) {
            *out++ = c;
        } else if (c == breakChar) {
            if (style == 1) {
                *out++ = Cr;
                *out++ = Lf;
            } else {
                *out++ = style == 2 ? Cr : Lf;
            }
        }
    }
    result.truncate(out - outStart);
    return result;
}

// Appends text[from, to) without the blanks and tabs at its start and, when bothEnds is
// set, at its end.
void AppendStripped(QString& result, const QChar* text, qsizetype from, qsizetype to,
                    bool bothEnds) {
    while (from < to && IsBlankOrTab(text[from].unicode()))
        ++from;
    while (bothEnds && to > from && IsBlankOrTab(text[to - 1].unicode()))
        --to;
    result.append(text + from, to - from);
}

QString BuildCompressed(QStringView text) {
    static constexpr QStringView PreOpen = u"<PRE>";
    static constexpr QStringView PreClose = u"</PRE>";
    const qsizetype length = text.size();
    const QChar* src = text.data();

    QString result;
    result.reserve(length);
    qsizetype lineStart = 0; // start of the part of the current line not yet written
    qsizetype i = 0;
    while (i < length) {
        const char16_t c = src[i].unicode();
        if (IsBreak(c)) {
            AppendStripped(result, src, lineStart, i, true);
            result.append(QChar(c));
            lineStart = ++i;
        } else if (c == u'<' && MatchesAt(text, i, PreOpen)) {
            // The line so far keeps its place before the PRE element; only its start is
            // stripped, because the line goes on after the element.
            AppendStripped(result, src, lineStart, i, false);
            qsizetype close = text.indexOf(u'<', i + PreOpen.size());
            while (close >= 0 && !MatchesAt(text, close, PreClose))
                close = close + 1 < length ? text.indexOf(u'<', close + 1) : -1;
            if (close < 0)
                close = length;
            result.append(src + i, close - i);
            // The closing tag and the rest of its line form an ordinary line.
            lineStart = i = close;
        } else {
            ++i;
        }
    }
    AppendStripped(result, src, lineStart, length, true);
    return result;
}

} // namespace

QString LineBreakStyleName(int style) {
    switch (style) {
    case 1:
        return QStringLiteral("Normal radbrytning (ASCII 13 && ASCII10).");
    case 2:
        return QStringLiteral("Mac radbrytning (ASCII 13).");
    case 3:
        return QStringLiteral("Unix radbrytning (ASCII 10).");
    default:
        return QString();
    }
}

void ConvertLineBreaks(int style) {
    if (style < 1 || style > 3) {
        StatusText = QStringLiteral("Misslyckades");
        return;
    }
    try {
        QString result = BuildConverted(WorkText, style);
        WorkText = std::move(result);
        StatusText = QStringLiteral("Klart");
    } catch (const std::bad_alloc&) {
        StatusText = QStringLiteral("Misslyckades");
    }
}

void CompressLines() {
    try {
        QString result = BuildCompressed(WorkText);
        WorkText = std::move(result);
        StatusText = QStringLiteral("Klart");
    } catch (const std::bad_alloc&) {
        StatusText = QStringLiteral("Misslyckades");
    }
}
