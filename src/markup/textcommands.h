#pragma once
// The text logic of the editor's text commands: removing tags and line breaks, letter case,
// entity conversion in both directions, sorting lines, the markup checks with their messages
// and automatic indentation.
//
// Each command is a function of the whole text and the selection (0-based start, length in
// characters) that says what to replace and what to select afterwards, so the editor can
// apply it as one undo step without reading the text back. Every command costs time linear
// in the size of what it touches. Selections outside the text are clipped to it.

#include "platform/platform.h"

#include <QString>
#include <QStringView>

// One change of the text area's text and the selection to make afterwards.
struct TextEdit {
    // True: replace replaceLength characters from replaceStart with replacement.
    // False: the text stays as it is.
    bool changed = false;
    int replaceStart = 0;
    int replaceLength = 0;
    QString replacement;
    // The selection after the change (or the one to keep when nothing changes).
    int selStart = 0;
    int selLength = 0;
    // The command failed; the text stays as it is and the editor tells the user where the
    // command has a message for it.
    bool failed = false;
};

// A range of the text: 0-based start and length in characters.
struct TextRange {
    int start = 0;
    int length = 0;
    bool operator==(const TextRange&) const = default;
};

// --- Entity codes back to characters ---

// Decodes WorkText: every "&...;" (from an "&" to the first ";" after it) that equals the code
// of an entity table entry 1..EntityCount + 1 (letter case significant, the first entry wins)
// becomes that entry's character, so "&nbsp;" becomes a blank; any other "&" stays as it is.
// StatusText becomes "Klart"; when the result cannot be made, WorkText becomes "" and
// StatusText "Misslyckades".
void DecodeEntities();

// The entity conversions of the editor: toCodes converts characters to HTML codes
// (ConvertCharacters), otherwise codes back to characters (DecodeEntities). With nothing
// selected the whole text is converted. The converted text replaces the selection and is
// selected, also when it is empty: a table entry with an empty code deletes its character,
// in a selection made of such characters alone as anywhere else. A failed decoding gives
// failed ("Dokumentet är för stort."); a failed conversion to codes puts the text back
// unchanged, without failed.
TextEdit ConvertEntities(const QString& text, int selStart, int selLength, bool toCodes);

// --- Tags, line breaks, letter case ---

// Removes tags. With a selection: every "<...>" in it is dropped; text before a first ">"
// that precedes the first "<" (a selection beginning inside a tag) stays, and so does a "<"
// that has no ">" after it. A selection without "<" is not changed, nor one with a "<" and no
// ">" at all. The result is selected. Without a selection: the tag around the caret, from
// its "<" through its ">" (or to the end of the text when it has no ">"), is deleted; nothing
// happens when the caret is not inside a tag.
TextEdit RemoveTags(const QString& text, int selStart, int selLength);

// Drops every CR and LF of the selection and selects the rest (same start, new length).
// Nothing happens when nothing is selected.
TextEdit RemoveLineBreaks(const QString& text, int selStart, int selLength);

// Capitals (or small letters) of the selection, one character at a time, so its length and
// the selection stay the same. With nothing selected an empty text replaces the empty
// selection.
TextEdit ChangeLetterCase(const QString& text, int selStart, int selLength, bool capitals);

// --- Sorting lines ---

// The selection widened to whole lines: its start moves back to the start of its line (a
// start at 0 or right after an LF stays), its end forward to include the next LF, searching
// from the last selected character, or to the end of the text when no LF follows. With
// nothing selected the caret's line is taken.
TextRange WidenToLines(const QString& text, int selStart, int selLength);

// The lines of the text sorted in ascending order without regard to letter case. A line is
// the text up to and including an LF; what follows the last LF is one more line. Lines are
// compared whole, line breaks included, by the Swedish collation (å ä ö after z); lines that
// compare equal keep their order. A line that ends in neither CR nor LF gets CR LF.
QString SortLines(QStringView lines);

// Sorts the lines of the selection (widen it first with WidenToLines) and puts the result in
// its place, with the caret after it. Nothing happens when nothing is selected.
TextEdit SortSelectedLines(const QString& text, int selStart, int selLength);

// --- Markup checks ---

enum class MarkupCheck { Brackets, Quotes, StandardTags };

// The editor's message for a check's ErrorKind (0 for nothing found); "" for a kind that has
// no message.
QString CheckReportText(MarkupCheck check, int kind);
// Information for kind 0, exclamation for the others.
MsgIcon CheckReportIcon(int kind);

// What one check or the combined check found, and what the editor shows.
struct CheckOutcome {
    // The check that found a problem (meaningful when kind is not 0).
    MarkupCheck check = MarkupCheck::Brackets;
    int kind = 0;
    // The faulty spot to select. The standard-tag check selects only misplaced or doubled
    // tags (kinds above 9), never a missing one.
    bool select = false;
    TextRange selection;
    // The message box: text and icon. The text is "" when the kind has no message.
    QString message;
    MsgIcon icon = MsgIcon::Information;
};

// Runs one check on the text (through WorkText, ErrorKind, ErrorStart, ErrorEnd and
// StatusText, which keep the check's results) and gives the spot and the message.
CheckOutcome RunCheck(MarkupCheck check, const QString& text);

// Runs the bracket check, then the standard-tag check, then the quote check, and stops at the
// first that finds a problem. Its message is the check's heading followed by the check's own
// short text in double quotes; "Inga fel hittades." when no check finds anything.
CheckOutcome RunAllChecks(const QString& text);

// --- Automatic indentation ---

// The blanks and tabs that begin the line before the caret's, when the character before the
// caret is an LF (an Enter just typed); "" otherwise, or when that line begins with neither.
QString AutoIndentText(const QString& text, int caret);
