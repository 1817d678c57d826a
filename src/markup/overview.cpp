#include "markup/overview.h"

#include "markup/tagreading.h"
#include "platform/textrules.h"

#include <algorithm>

namespace {

// Finds the tags named name, in text order. Searches move forward only, so finding every
// tag of a text costs time linear in its length.
class TagSearch {
public:
    TagSearch(QStringView text, const QString& name)
        : m_text(text), m_name(TrimBlanks(name)), m_ends(text) {}

    // The first "<" followed by the name at or after from whose tag is named so, with the
    // position of its ">" (the end of the text when it has none); false when there is none.
    // A "<" followed by the name whose tag is named otherwise is passed over.
    bool next(qsizetype from, qsizetype& lt, qsizetype& gt) {
        const QStringView name(m_name);
        // Every "<" is found by the fast search for one character; only there is the name
        // compared, ignoring letter case.
        while ((lt = m_text.indexOf(u'<', from)) >= 0) {
            if (!m_text.sliced(lt + 1).startsWith(name, Qt::CaseInsensitive)) {
                from = lt + 1;
                continue;
            }
            gt = m_ends.end(lt);
            const qsizetype tagEnd = gt < 0 ? m_text.size() : gt;
            if (IsTagNamed(m_text.sliced(lt + 1, tagEnd - lt - 1), name))
                return true;
            from = tagEnd;
        }
        return false;
    }

    // The same for a start tag, whose ">" must exist: a tag named otherwise is passed over
    // by going on from its ">". False when there is none or it has no ">".
    bool nextWithEnd(qsizetype from, qsizetype& lt, qsizetype& gt) {
        return next(from, lt, gt) && gt >= 0;
    }

private:
    QStringView m_text;
    QString m_name;
    TagEndFinder m_ends;
};

} // namespace

OverviewList::OverviewList(const QString& text, QList<OverviewEntry> entries)
    : m_text(text), m_entries(std::move(entries)) {
    if (m_entries.isEmpty())
        m_entries.append(OverviewEntry());
}

QString OverviewList::displayText(qsizetype i) const {
    const std::optional<OverviewSelection> stretch =
        SelectionForEntry(m_entries.at(i), m_text.size());
    if (!stretch)
        return OverviewNothingFound;
    const qsizetype length = stretch->length;
    const QStringView shown =
        QStringView(m_text).sliced(stretch->start, std::min(length, OverviewEntryDisplayLimit));
    QString result;
    result.reserve(shown.size() + 1);
    for (qsizetype k = 0; k < shown.size(); ++k) {
        const QChar c = shown[k];
        if (c == u'\r' && k + 1 < shown.size() && shown[k + 1] == u'\n')
            continue; // CR LF shows as the one blank of its LF
        result += c == u'\r' || c == u'\n' ? QChar(u' ') : c;
    }
    if (length > OverviewEntryDisplayLimit)
        result += QChar(u'…');
    return result;
}

QStringList OverviewList::displayTexts() const {
    QStringList texts;
    texts.reserve(m_entries.size());
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        texts.append(displayText(i));
    return texts;
}

OverviewList BuildOverview(const QString& text, const QString& fromTag, const QString& toTag,
                           bool onlyOne, bool betweenOnly) {
    QList<OverviewEntry> entries;
    TagSearch starts(text, fromTag);
    TagSearch ends(text, toTag);
    // The end tag found last: the first one at or after endSearchFrom.
    qsizetype endSearchFrom = -1;
    qsizetype endLt = -1;
    qsizetype endGt = -1;
    qsizetype pos = 0;
    qsizetype lt = 0;
    qsizetype gt = 0;
    while (starts.nextWithEnd(pos, lt, gt)) {
        pos = gt + 1;
        if (onlyOne) {
            entries.append({lt + 1, gt + 1});
            continue;
        }
        const bool known = endSearchFrom >= 0 && pos >= endSearchFrom && pos <= endLt;
        if (!known) {
            endSearchFrom = pos;
            if (!ends.next(pos, endLt, endGt))
                break;
            if (endGt < 0)
                endGt = text.size() - 1;
        }
        if (betweenOnly)
            entries.append({gt + 2, endLt});
        else
            entries.append({lt + 1, endGt + 1});
    }
    return OverviewList(text, std::move(entries));
}

std::optional<OverviewSelection> SelectionForEntry(const OverviewEntry& entry,
                                                   qsizetype textLength) {
    if (entry.start <= 0)
        return std::nullopt;
    OverviewSelection selection;
    selection.start = std::min(entry.start - 1, textLength);
    selection.length =
        std::clamp<qsizetype>(entry.end - entry.start + 1, 0, textLength - selection.start);
    return selection;
}
