#pragma once
// The search-and-replace step of the batch run: a list of pairs applied to a text in one
// left-to-right pass.
//
// At each position the pairs are tried in list order and the first whose search text stands
// there wins: its replacement goes to the result and the scan goes on directly after the
// matched text, where the pairs are tried again ("aa" with a -> b gives "bb"). Replacements
// are never scanned again, so a pair whose replacement holds its own search text ("a" -> "aa")
// cannot loop. Search texts are compared exactly, or ignoring letter case by the program's one
// rule (capitals compared, so "Å" also finds "å"). The escapes "\n", "\t" and "\\" of the
// texts as typed are expanded first; a pair whose search text is then empty is left out.

#include <QBitArray>
#include <QList>
#include <QString>
#include <QStringList>

class PairTable {
public:
    PairTable() = default;
    // The pairs (searches[k], replacements[k]) as the user typed them; a missing replacement
    // counts as empty.
    PairTable(const QStringList& searches, const QStringList& replacements, bool matchCase);

    // The number of pairs in use (those whose expanded search text is not empty).
    qsizetype size() const { return m_pairs.size(); }
    bool isEmpty() const { return m_pairs.isEmpty(); }
    // The text with every pair applied. When nothing matches, the text itself is returned
    // (shared, not copied). With replacements, the number of texts replaced is added to it.
    QString apply(const QString& text, qsizetype* replacements = nullptr) const;

private:
    struct Pair {
        QString search; // in capitals when letter case is ignored
        QString replacement;
    };
    qsizetype matchAt(const char16_t* text, qsizetype length, qsizetype at) const;

    QList<Pair> m_pairs;
    bool m_matchCase = false;
    // The characters (in capitals when case is ignored) a search text can start with.
    QBitArray m_firsts;
};

// Applies the program-wide list (PairCount, SearchTexts, ReplaceTexts) to WorkText.
// StatusText becomes "Klart", or "Misslyckades" when the result cannot be held in memory
// (WorkText then stays as it was).
void SearchAndReplace(bool matchCase);
// The same with a table built once for many texts; with replacements, the number of texts
// replaced is added to it.
void SearchAndReplace(const PairTable& table, qsizetype* replacements = nullptr);
