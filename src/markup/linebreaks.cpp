#include "markup/linebreaks.h"

#include "markup/globals.h"

#include <QStringView>
#include <algorithm>
#include <new>
#include <optional>

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

// The text with its line breaks rewritten; nothing when it has no line break. Every CR LF,
// every lone CR and every lone LF is one break, so a text whose lines were joined from
// several systems keeps all its lines.
std::optional<QString> BuildConverted(QStringView text, int style) {
    const qsizetype length = text.size();
    const char16_t* src = text.utf16();

    qsizetype firstBreak = 0;
    while (firstBreak < length && !IsBreak(src[firstBreak]))
        ++firstBreak;
    if (firstBreak == length)
        return std::nullopt;

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
    char16_t* const outStart = reinterpret_cast<char16_t*>(result.data());
    char16_t* out = outStart;
    const char16_t target = style == 2 ? Cr : Lf;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = src[i];
        if (c > Cr || !IsBreak(c)) {
            *out++ = c;
            continue;
        }
        if (c == Cr && i + 1 < end && src[i + 1] == Lf)
            ++i; // CR LF is one break
        if (style == 1)
            *out++ = Cr;
        *out++ = target;
    }
    result.truncate(out - outStart);
    return result;
}

// Writes text[from, to) at out without the blanks and tabs at its start and, when bothEnds
// is set, at its end; returns the position after the written characters.
char16_t* CopyStripped(char16_t* out, const char16_t* text, qsizetype from, qsizetype to,
                       bool bothEnds) {
    while (from < to && IsBlankOrTab(text[from]))
        ++from;
    while (bothEnds && to > from && IsBlankOrTab(text[to - 1]))
        --to;
    return std::copy(text + from, text + to, out);
}

QString BuildCompressed(QStringView text) {
    static constexpr QStringView PreOpen = u"<PRE>";
    static constexpr QStringView PreClose = u"</PRE>";
    const qsizetype length = text.size();
    const char16_t* src = text.utf16();

    // Compression only removes characters, so the result fits in the text's length.
    QString result;
    result.resize(length);
    char16_t* const outStart = reinterpret_cast<char16_t*>(result.data());
    char16_t* out = outStart;
    qsizetype lineStart = 0; // start of the part of the current line not yet written
    qsizetype i = 0;
    while (i < length) {
        const char16_t c = src[i];
        if (c > u'<') {
            ++i;
        } else if (IsBreak(c)) {
            if (i > lineStart)
                out = CopyStripped(out, src, lineStart, i, true);
            *out++ = c;
            lineStart = ++i;
        } else if (c == u'<' && i + 1 < length && (src[i + 1] | 0x20) == u'p' &&
                   MatchesAt(text, i, PreOpen)) {
            // The line so far keeps its place before the PRE element; only its start is
            // stripped, because the line goes on after the element.
            out = CopyStripped(out, src, lineStart, i, false);
            qsizetype close = i + PreOpen.size();
            while (close < length && !(src[close] == u'<' && MatchesAt(text, close, PreClose)))
                ++close;
            out = std::copy(src + i, src + close, out);
            // The closing tag and the rest of its line form an ordinary line.
            lineStart = i = close;
        } else {
            ++i;
        }
    }
    out = CopyStripped(out, src, lineStart, length, true);
    result.truncate(out - outStart);
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
        std::optional<QString> result = BuildConverted(WorkText, style);
        if (result)
            WorkText = std::move(*result);
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
