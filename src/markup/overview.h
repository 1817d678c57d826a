#pragma once
// The overview's list: the places in a text where a chosen tag stands, or the stretches
// from one chosen tag to another (every first-level heading from its start tag to its end
// tag), in text order.
//
// A tag is found as "<" followed by its name, letter case ignored, and counts when the text
// between its "<" and its ">" is named so by IsTagNamed (markup/tagreading.h): with the name
// "a", "<ADDRESS>" does not count while "<A HREF=x>" does. A tag ends at its ">" as
// FindTagEnd finds it (a ">" inside a quoted value does not end it).

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// One entry of the list: the characters of the text it stands for, from start through end,
// counted from 1. start is 0 for the entry "(inga hittade)", and end is start - 1 for an
// empty stretch (text between only, with the end tag right after the start tag).
struct OverviewEntry {
    qsizetype start = 0;
    qsizetype end = 0;
    bool operator==(const OverviewEntry&) const = default;
};

// The text of the entry standing alone in a list where nothing was found.
inline const QString OverviewNothingFound = QStringLiteral("(inga hittade)");

// Entries show at most this many characters of their stretch, then "…".
constexpr qsizetype OverviewEntryDisplayLimit = 256;

// The list as built: its entries, in text order, and what each shows. It keeps the text it
// was built from (a shared copy), so an entry shows that text even after the editor's text
// has changed, and entries that overlap cost no more memory than ones that do not: an
// entry's display text is made when asked for, so a list view can ask for the rows it shows
// (stretches that all run to one far end tag can be millions of entries of
// OverviewEntryDisplayLimit characters each).
class OverviewList {
public:
    OverviewList() = default;
    OverviewList(const QString& text, QList<OverviewEntry> entries);

    // Never less than 1: a list where nothing was found holds the entry "(inga hittade)".
    qsizetype size() const { return m_entries.size(); }
    const OverviewEntry& entry(qsizetype i) const { return m_entries.at(i); }
    const QList<OverviewEntry>& entries() const { return m_entries; }
    // What entry i shows: its stretch with every line break (CR LF, CR or LF) shown as one
    // blank, cut at OverviewEntryDisplayLimit characters; "(inga hittade)" for that entry.
    QString displayText(qsizetype i) const;
    // The display texts of all entries, for a plain list box.
    QStringList displayTexts() const;

private:
    QString m_text;
    QList<OverviewEntry> m_entries{OverviewEntry()};
};

// The list for the text. fromTag and toTag are tag names without "<" (blanks around them
// do not count), such as "H1" and "/H1".
// - onlyOne: every tag named fromTag is an entry, from its "<" through its ">".
// - otherwise every tag named fromTag starts a stretch that runs through the first tag named
//   toTag after it (a tag that begins with "<" and toTag but is named otherwise, such as
//   "</ADDRESS>" for "/A", is passed over). betweenOnly: the stretch is only the text between
//   the two tags. The next start tag is looked for right after the previous start tag, so
//   stretches that begin inside an earlier one are listed too. A start tag after which no
//   end tag follows ends the list; the entries before it stay.
// Time linear in the length of the text.
OverviewList BuildOverview(const QString& text, const QString& fromTag, const QString& toTag,
                           bool onlyOne, bool betweenOnly);

// The editor's selection (0-based start, length) that shows an entry in a text of
// textLength characters; nothing for the "(inga hittade)" entry. The text may have changed
// since the list was built: the stretch is then cut to the text.
struct OverviewSelection {
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const OverviewSelection&) const = default;
};
std::optional<OverviewSelection> SelectionForEntry(const OverviewEntry& entry,
                                                   qsizetype textLength);
