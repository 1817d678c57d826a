#pragma once
// Putting markup into the editor's text area: the routines every tag dialog, the guides and
// the editor's own commands use. They work on the editor window registered here, so a
// dialog needs nothing but these calls.

#include <QString>
#include <functional>

class QWidget;
class TextArea;

// The editor window and its text area. The editor registers itself when it is created;
// tests register a stand-in. Both may be nullptr (no editor yet).
void SetEditorWindow(QWidget* window, TextArea* textArea);
QWidget* EditorWindow();
TextArea* EditorTextArea();

// A whole page written by a guide becomes the editor's document: a new document without a
// file (saving asks for a name), marked as changed so that closing asks to save it, no file
// of the list selected, the given part of the text selected (length 0: the caret at start).
// The editor installs the handler; without an editor nothing happens.
void SetNewDocumentHandler(std::function<void(const QString& text, int start, int length)> handler);
void PutNewDocument(const QString& text, int start, int length);

// Editing the tag at the caret: while a dialog opened for the selected old tag writes its
// markup, the first text put in by InsertTagText or WrapSelection first goes through the
// filter (which puts back the old tag's attributes the dialog does not show), and
// MoveCaretIntoHead leaves the caret alone, so the old tag is replaced where it stands.
void BeginTagEdit(std::function<QString(const QString&)> filter);
void EndTagEdit();
bool TagEditInProgress();

// Enables the editor window, focuses its text area and puts text in place of the selection
// as one undo step, the caret after it. The clipboard is not touched. LastInsertedText
// becomes text.
void InsertTagText(const QString& text);

// Wraps the selection in an open and a close tag ("<B>ord</B>", or "<B></B>" without a
// selection). Tag names come without angle brackets; an empty close tag means the same name
// as the open tag. Unless OpenTagFormatted is set (the open tag is already written with its
// attributes) both names are recased by TagCase; OpenTagFormatted is cleared.
void WrapSelection(QString& openTag, QString& closeTag);

// Before a tag that belongs in the head is inserted: puts the caret just after "</TITLE>"
// (and the line break after it) unless it already stands between "</TITLE>" and "</HEAD>".
// Does nothing when either is missing or they are out of order.
void MoveCaretIntoHead();
