#pragma once
// The multi-line text area of the editor and of the other document views.
//
// It behaves like a plain text box holding raw text: CR, LF and CR LF stay exactly as they
// are (each CR and each LF is one character), Enter inserts CR LF, paste and drops never
// convert line breaks. Every position and length in its interface counts QChar units
// (UTF-16 code units), 0-based, and is mapped onto Scintilla's UTF-8 byte positions through
// Scintilla's UTF-16 line index, so a mapping costs the same near the end of a large text as
// near its start.
//
// Events a program-made change raises, as the document handling relies on them:
// - changed() is raised for every change of the text: typing, undo, replaceSelection(),
//   paste, drops and also setWholeText()/setText() (the caller clears its own "changed"
//   flag after loading).
// - Setting the selection raises nothing but Qt's selectionChanged/cursorPositionChanged.

#include "widgets/colourdrag.h"

#include <Qsci/qsciscintilla.h>

#include <QFont>
#include <QString>

class QsciLexerHTML;

class TextArea : public QsciScintilla {
    Q_OBJECT

public:
    // The longest text the area holds, in characters. A longer text is refused by
    // setWholeText(), so the caller can report the file as too large.
    static constexpr int MaxLength = 256 * 1024 * 1024;
    // The mime type of a colour dragged from the colour picker (colour/colourdrag.h).
    static constexpr const char* ColourMimeType = ::ColourMimeType;

    explicit TextArea(QWidget* parent = nullptr);
    ~TextArea() override;

    // The whole text, exactly as held (also NUL characters).
    QString text() const;
    using QsciScintilla::text; // text(line), text(start, end) stay available
    // The number of characters of the text.
    int textLength() const;

    // Replaces the whole text, as a file is loaded: the undo history is cleared, the
    // modified mark is cleared, the caret goes to the start. False when the text is longer
    // than MaxLength (the old text stays) or memory runs out (the area is then empty).
    bool setWholeText(const QString& text);
    // Setting the text of the widget is the same as loading it.
    void setText(const QString& text) override;

    // The selection in characters: its start (the caret when nothing is selected) and length.
    int selStart() const;
    int selLength() const;
    QString selText() const;
    // Selects length characters from start, with the caret at the end of the selection.
    // Both are clamped to the text; a negative value counts as 0.
    void setSel(int start, int length);
    // Puts the caret at start without a selection.
    void setSelStart(int start);
    // Keeps the start of the selection and selects length characters from it.
    void setSelLength(int length);
    // Replaces the selection with text as one undo step; the caret ends after the new text.
    void replaceSelection(const QString& text);
    // The key of the last key press the area received since it last got the focus (0 when
    // none). It tells a key typed here from the release of a key pressed elsewhere, such as
    // the Enter that closed a message box, released once the focus came back.
    int lastKeyPressed() const { return m_lastKeyPressed; }

    // Maps a character position to Scintilla's byte position and back. A character position
    // inside a surrogate pair maps to the start of that character.
    long bytePosition(int index) const;
    int charPosition(long bytePos) const;

    // The font of every style of the text. A family name of "Fixedsys" (the classic default)
    // or "" gives the system's fixed-width font; other names keep its point size.
    void setEditorFont(const QFont& font);
    void setEditorFont(const QString& family);
    QFont editorFont() const { return m_font; }
    static QFont fontForName(const QString& family);

public slots:
    // Replaces the selection with the clipboard text, line breaks unchanged.
    void paste() override;
    // The widget's own operations, each raising changed() once.
    void undo() override;
    void redo() override;
    void cut() override;
    void removeSelectedText() override;
    void clear() override;

signals:
    // The text changed, by the user or by the program.
    void changed();
    // A colour from the colour picker was dropped on the text area. The text is left as it
    // is: the receiver puts the colour in place of the selection.
    void colourDropped(const QString& colour);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void dropEvent(QDropEvent* e) override;

private:
    void unbindKeys();
    void insertDropped(const QString& text, long bytePos, bool moveFromHere);
    void noteModification(int position, int type);
    class EditScope;
    static bool isPasteKey(const QKeyEvent* e);

    QsciLexerHTML* m_lexer = nullptr;
    QFont m_font;
    long m_modMask = 0;      // the changes Scintilla reports outside an EditScope
    int m_editDepth = 0;     // open EditScopes
    bool m_editSeen = false; // the text changed inside the open EditScope
    int m_lastKeyPressed = 0;
};
