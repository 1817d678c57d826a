// Line-break conversion and line compression on a page (the input's bytes, in the encoding
// the program reads them in).
//   - conversion keeps every other character in its order, writes only the chosen break, one
//     for each break of the text (CR LF, lone CR, lone LF) between its first and last other
//     character, and converting
//     to one style and then another gives what converting to the second gives;
//   - compression removes only blanks and tabs, never one of a PRE element, leaves no line
//     starting or ending with one outside PRE elements, and compressing twice gives what
//     compressing once gives;
//   - both take time linear in the length of the text.

#include "fuzzsupport.h"

#include "markup/globals.h"
#include "markup/linebreaks.h"
#include "platform/encoding.h"

#include <vector>

namespace {

const QString Done = QStringLiteral("Klart");
const QString Breaks[] = {QStringLiteral("\r\n"), QStringLiteral("\r"), QStringLiteral("\n")};

bool isBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}
bool isBlankOrTab(QChar c) {
    return c == u' ' || c == u'\t';
}

QString convertedTo(const QString& text, int style) {
    WorkText = text;
    StatusText.clear();
    ConvertLineBreaks(style);
    FUZZ_EQUAL(StatusText, Done, QStringLiteral("conversion status, style %1").arg(style));
    return WorkText;
}

QString compressed(const QString& text) {
    WorkText = text;
    StatusText.clear();
    CompressLines();
    FUZZ_EQUAL(StatusText, Done, QStringLiteral("compression status"));
    return WorkText;
}

QString withoutBreaks(QString text) {
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

void checkConversion(const QString& text, int style) {
    const QString out = convertedTo(text, style);
    FUZZ_EQUAL(withoutBreaks(out), withoutBreaks(text),
               QStringLiteral("characters other than breaks, style %1").arg(style));
    // Each CR LF, lone CR and lone LF between the first and the last other character becomes
    // one break of the style, and no other CR or LF is left.
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBreak(text[first]))
        ++first;
    while (last > first && isBreak(text[last - 1]))
        --last;
    qsizetype breaks = 0;
    for (qsizetype i = first; i < last; ++i)
        breaks += text[i] == u'\n' ? i == first || text[i - 1] != u'\r' : text[i] == u'\r';
    const QString& target = Breaks[style - 1];
    FUZZ_CHECK(QStringView(out).count(target) == breaks &&
                   out.size() == withoutBreaks(out).size() + breaks * target.size() &&
                   (out.isEmpty() || (!isBreak(out.front()) && !isBreak(out.back()))),
               QStringLiteral("style %1: %2 breaks expected in %3")
                   .arg(style)
                   .arg(breaks)
                   .arg(Shown(out)));
}

// The PRE elements of a text: from "<PRE>" up to the next "</PRE>" (any letter case), or to
// the end of the text.
std::vector<bool> preElements(const QString& text) {
    auto at = [&text](qsizetype p, QStringView tag) {
        if (text.size() - p < tag.size())
            return false;
        for (qsizetype k = 0; k < tag.size(); ++k)
            if (text[p + k].toUpper() != tag[k])
                return false;
        return true;
    };
    std::vector<bool> inPre(static_cast<std::size_t>(text.size()), false);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!at(i, u"<PRE>"))
            continue;
        qsizetype close = i + 5;
        while (close < text.size() && !at(close, u"</PRE>"))
            ++close;
        for (qsizetype k = i; k < close; ++k)
            inPre[static_cast<std::size_t>(k)] = true;
        i = close - 1;
    }
    return inPre;
}

void checkCompression(const QString& text) {
    const QString out = compressed(text);
    const std::vector<bool> inPre = preElements(text);
    // Walk both texts: every character of the result is the next kept one of the text, and
    // what is passed over is a blank or tab outside PRE elements.
    std::vector<bool> fromPre(static_cast<std::size_t>(out.size()), false);
    qsizetype j = 0;
    for (qsizetype i = 0; i < out.size(); ++i, ++j) {
        while (j < text.size() && text[j] != out[i]) {
            FUZZ_CHECK(isBlankOrTab(text[j]) && !inPre[static_cast<std::size_t>(j)],
                       QStringLiteral("compression dropped or changed the character at %1 of %2")
                           .arg(j)
                           .arg(Shown(text)));
            ++j;
        }
        FUZZ_CHECK(j < text.size(), QStringLiteral("compression added text: %1").arg(Shown(out)));
        fromPre[static_cast<std::size_t>(i)] = inPre[static_cast<std::size_t>(j)];
    }
    for (; j < text.size(); ++j)
        FUZZ_CHECK(isBlankOrTab(text[j]) && !inPre[static_cast<std::size_t>(j)],
                   QStringLiteral("compression dropped the end of %1").arg(Shown(text)));
    // Lines start and end without blanks and tabs, except where a PRE element's text stands.
    for (qsizetype i = 0; i < out.size(); ++i) {
        const bool lineStart = i == 0 || isBreak(out[i - 1]);
        const bool lineEnd = i + 1 == out.size() || isBreak(out[i + 1]);
        FUZZ_CHECK(!isBlankOrTab(out[i]) || !(lineStart || lineEnd) ||
                       fromPre[static_cast<std::size_t>(i)],
                   QStringLiteral("blank or tab left at %1 of %2").arg(i).arg(Shown(out)));
    }
    FUZZ_EQUAL(compressed(out), out, QStringLiteral("compressing a compressed text again"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = DecodeDetected(bytes, EncodingRules::Document);

    for (int style = 1; style <= 3; ++style) {
        checkConversion(text, style);
        for (int then = 1; then <= 3; ++then)
            FUZZ_EQUAL(convertedTo(convertedTo(text, style), then), convertedTo(text, then),
                       QStringLiteral("style %1 and then %2").arg(style).arg(then));
    }
    WorkText = text;
    ConvertLineBreaks(static_cast<int>(size % 3) * 4); // 0, 4 or 8: no style
    FUZZ_CHECK(WorkText == text && StatusText == QStringLiteral("Misslyckades"),
               QStringLiteral("an unknown style changed the text or did not fail"));
    checkCompression(text);

    if (WantsScaling(data, size)) {
        const QString big = Repeated(text, ScaledSize);
        for (int style = 1; style <= 3; ++style)
            CheckLinearTime("converting line breaks", big.size(), [&] { convertedTo(big, style); });
        CheckLinearTime("compressing lines", big.size(), [&] { compressed(big); });
    }
    return 0;
}
