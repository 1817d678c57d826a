#include "markup/find.h"

#include "platform/textrules.h"

#include <vector>

QString ExpandEscapes(QString& text) {
    // Expanding the three kinds one after another over the whole text gives this, in one
    // pass: a "\n" or "\t" always takes the backslash just before its letter, whatever stands
    // before that backslash, and the backslashes left over pair up from the left ("\\\\"
    // gives "\\", a lone one stays).
    const qsizetype n = text.size();
    const QChar* p = text.constData();
    qsizetype i = 0;
    while (i < n && p[i] != u'\\')
        ++i;
    if (i == n)
        return text;
    QString result;
    result.reserve(n);
    result.append(p, i);
    while (i < n) {
        if (p[i] != u'\\') {
            result.append(p[i++]);
            continue;
        }
        qsizetype run = 0;
        while (i + run < n && p[i + run] == u'\\')
            ++run;
        i += run;
        const QChar after = i < n ? p[i] : QChar();
        const bool escape = after == u'n' || after == u't';
        if (escape)
            --run; // the last backslash belongs to the escape
        for (qsizetype k = 0; k < (run + 1) / 2; ++k)
            result.append(QLatin1Char('\\'));
        if (escape) {
            result.append(after == u'n' ? QStringLiteral("\r\n") : QStringLiteral("\t"));
            ++i;
        }
    }
    text = result;
    return result;
}

namespace {

// Knuth-Morris-Pratt over the characters as key() maps them: every character of the text is
// looked at a bounded number of times, however the pattern repeats itself.
template <typename Key>
qsizetype findWith(QStringView text, QStringView pattern, qsizetype from, Key key) {
    const qsizetype m = pattern.size();
    std::vector<char16_t> p(static_cast<std::size_t>(m));
    for (qsizetype k = 0; k < m; ++k)
        p[k] = key(pattern[k].unicode());
    // border[k]: the length of the longest proper border of p[0..k].
    std::vector<qsizetype> border(static_cast<std::size_t>(m), 0);
    for (qsizetype k = 1, b = 0; k < m; ++k) {
        while (b > 0 && p[k] != p[b])
            b = border[b - 1];
        if (p[k] == p[b])
            ++b;
        border[k] = b;
    }
    const qsizetype n = text.size();
    for (qsizetype i = from, matched = 0; i < n; ++i) {
        const char16_t c = key(text[i].unicode());
        while (matched > 0 && c != p[matched])
            matched = border[matched - 1];
        if (c == p[matched] && ++matched == m)
            return i - m + 1;
    }
    return -1;
}

} // namespace

qsizetype FindInText(const QString& text, const QString& pattern, qsizetype from, bool matchCase) {
    if (from < 0)
        from = 0;
    if (from > text.size())
        return -1;
    if (pattern.isEmpty())
        return from;
    if (pattern.size() > text.size() - from)
        return -1;
    if (matchCase)
        return findWith(text, pattern, from, [](char16_t c) { return c; });
    return findWith(text, pattern, from, UpperChar);
}
