#pragma once
// Folders and file names as every list and folder walk of the program sees them: paths use
// "/" and never end in "/" except the root; names are sorted ignoring letter case; hidden
// entries (names starting with ".") are left out.

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <functional>

// A file name pattern: one or more globs separated by ";", matched ignoring letter case.
// "*" stands for any run of characters and "?" for one character; every other character
// stands for itself. A glob ending in ".*" also matches the name without any extension, so
// "*.*" matches every name. An empty pattern matches every name.
class FilePattern {
public:
    explicit FilePattern(const QString& pattern = QStringLiteral("*"));
    // False for a pattern no file name can use (one holding "/" or a NUL character).
    bool isValid() const { return m_valid; }
    bool matches(const QString& name) const;
    QString text() const { return m_text; }

private:
    QString m_text;
    bool m_valid = true;
    bool m_all = false;
    QList<QRegularExpression> m_globs;
};

// Sorts names ignoring letter case, the exact name breaking ties.
void SortNamesIgnoringCase(QStringList& names);
// The folder text in the form the lists use: absolute, "/" separated, no "." or ".." parts,
// no final "/" except for the root.
QString NormalizeFolder(const QString& folder);
// True when the folder exists and its entries can be read.
bool IsReadableFolder(const QString& folder);
// Hidden names start with ".".
bool IsHiddenName(const QString& name);

// The files of a folder whose names match the pattern, hidden files left out, sorted.
QStringList ListFiles(const QString& folder, const FilePattern& pattern);

// The folders of a tree in the order the batch run and the file copy visit them: the root
// first, then depth first, the subfolders of each folder taken in reverse of their listed
// (sorted) order. With folders R (holding A and B) and A (holding A1 and A2) the order is
// R, B, A, A2, A1. Hidden folders and symbolic links to folders are left out, so a walk never
// leaves the tree or loops; a folder that cannot be read is reported once and skipped.
class FolderWalk {
public:
    explicit FolderWalk(const QString& root);
    // The next folder; false when the walk is over.
    bool next(QString& folder);
    // Called with each folder that could not be read.
    std::function<void(const QString& folder)> unreadable;

private:
    QStringList m_pending; // folders still to visit, the next one last
};
