#include "batch/searchreplace.h"

#include "markup/find.h"
#include "markup/globals.h"
#include "platform/textrules.h"

#include <new>

PairTable::PairTable(const QStringList& searches, const QStringList& replacements, bool matchCase)
    : m_matchCase(matchCase), m_firsts(65536) {
    for (qsizetype k = 0; k < searches.size(); ++k) {
        QString search = searches[k];
        QString replacement = k < replacements.size() ? replacements[k] : QString();
        ExpandEscapes(search);
        ExpandEscapes(replacement);
        // An empty search text would match everywhere and never move the scan on.
        if (search.isEmpty())
            continue;
        if (!matchCase)
            search = UpperChars(search);
        m_firsts.setBit(search.front().unicode());
        m_pairs.append({search, replacement});
    }
}

qsizetype PairTable::matchAt(const char16_t* text, qsizetype length, qsizetype at) const {
    for (qsizetype k = 0; k < m_pairs.size(); ++k) {
        const QString& search = m_pairs[k].search;
        const qsizetype size = search.size();
        if (length - at < size)
            continue;
        const char16_t* wanted = reinterpret_cast<const char16_t*>(search.constData());
        qsizetype i = 0;
        if (m_matchCase) {
            while (i < size && text[at + i] == wanted[i])
                ++i;
        } else {
            while (i < size && UpperChar(text[at + i]) == wanted[i])
                ++i;
        }
        if (i == size)
            return k;
    }
    return -1;
}

QString PairTable::apply(const QString& text, qsizetype* replacements) const {
    if (m_pairs.isEmpty())
        return text;
    const char16_t* src = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype length = text.size();
    QString result;
    qsizetype copied = 0; // the text before this position is in the result
    qsizetype i = 0;
    qsizetype replaced = 0;
    while (i < length) {
        const char16_t c = m_matchCase ? src[i] : UpperChar(src[i]);
        if (!m_firsts.testBit(c)) {
            ++i;
            continue;
        }
        const qsizetype k = matchAt(src, length, i);
        if (k < 0) {
            ++i;
            continue;
        }
        if (result.isNull())
            result.reserve(length + length / 8);
        result.append(QStringView(src + copied, i - copied));
        result.append(m_pairs[k].replacement);
        i += m_pairs[k].search.size();
        copied = i;
        ++replaced;
    }
    if (replacements)
        *replacements += replaced;
    if (copied == 0)
        return text;
    result.append(QStringView(src + copied, length - copied));
    return result;
}

void SearchAndReplace(const PairTable& table, qsizetype* replacements) {
    try {
        WorkText = table.apply(WorkText, replacements);
        StatusText = QStringLiteral("Klart");
    } catch (const std::bad_alloc&) {
        StatusText = QStringLiteral("Misslyckades");
    }
}

void SearchAndReplace(bool matchCase) {
    SearchAndReplace(
        PairTable(SearchTexts.mid(0, PairCount), ReplaceTexts.mid(0, PairCount), matchCase));
}
