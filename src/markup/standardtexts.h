#pragma once
// The standard texts ("standard.txt", one phrase per line) and the two pick lists the editor
// shows over its text area: the standard texts and the HTML characters of the entity table.

#include <QString>
#include <QStringList>
#include <functional>

// "standard.txt" in the program folder.
QString StandardTextsPath();

// The entries of a standard-text file (UTF-8 when it starts with the byte-order mark or holds
// multi-byte UTF-8, otherwise Windows-1252): one per line, lines ending in CR LF, LF or CR.
// A file larger than StartFileSizeLimit counts as unreadable. A line that is empty or holds only
// blanks is skipped; the others are kept exactly, leading and trailing blanks included. ok tells
// whether the file could be read; when it could not, the list is empty.
QStringList ReadStandardTexts(const QString& path, bool* ok = nullptr);

// The entries that adding a selection makes: the selection itself when it holds no LF;
// otherwise one entry per line, without its line break (LF or CR LF), the last line included
// when it does not end with a break. Empty lines give empty entries. Nothing selected gives
// no entries.
QStringList SelectionToStandardEntries(const QString& selection);

// Writes the entries, each followed by CR LF, replacing the file as a whole, in the encoding
// the file is in (Windows-1252 for a new file). When the file
// cannot be written (write-protected, a missing folder, a full disk), or is there but cannot
// be read (larger than StartFileSizeLimit, not readable: its texts would be lost), it is left
// as it was, error says why and false is returned.
bool WriteStandardTexts(const QString& path, const QStringList& entries, QString* error = nullptr);

// The message for a standard-text file that could not be written.
QString StandardTextsNotWrittenMessage(const QString& path, const QString& error);

// The HTML-character pick list: for each entity table entry 1..EntityCount its character,
// " - " and its code; then "< - &lt;" and "> - &gt;".
QStringList HtmlCharacterEntries();

// The text a chosen HTML-character entry inserts: the entry without its first four
// characters, that is the code.
QString HtmlCharacterCode(const QString& entry);

// A rectangle in twips.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipRect&) const = default;
};

// The width of the widest entry (measured by the caller, in twips, in the window's font),
// rounded to an integer, never less than 1275.
int StandardListWidthFor(const QStringList& entries,
                         const std::function<double(const QString&)>& widthTwips);

// Where a pick list goes over the text area: entries × 195 + 25 twips tall, or as tall as the
// text area when that is not less; the standard-text list (index 0) as wide as
// standardListWidth + 170 (+ 375 with the scroll bar of a full-height list) but never wider
// than the text area; the HTML-character list (index 1) keeps designedWidth. The list is
// centred over the text area.
TwipRect PickListPlacement(int index, qsizetype entries, int standardListWidth,
                           const TwipRect& textArea, int designedWidth = 1275);
