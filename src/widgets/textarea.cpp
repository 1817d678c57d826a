#include "widgets/textarea.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>

#include <QApplication>
#include <QClipboard>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace {

constexpr unsigned long Utf16Index = QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16;

// Keys Scintilla binds itself that belong to the program's menus and key handlers.
const QKeyCombination ReleasedKeys[] = {
    QKeyCombination(Qt::ControlModifier, Qt::Key_Up),
    QKeyCombination(Qt::ControlModifier, Qt::Key_Down),
    QKeyCombination(Qt::ControlModifier, Qt::Key_D),
    QKeyCombination(Qt::ControlModifier, Qt::Key_L),
    QKeyCombination(Qt::ControlModifier, Qt::Key_T),
    QKeyCombination(Qt::ControlModifier, Qt::Key_U),
    QKeyCombination(Qt::ControlModifier, Qt::Key_Y),
};

QKeyCombination combinationOf(const QKeyEvent* e) {
    return QKeyCombination(e->modifiers() & ~Qt::KeypadModifier, Qt::Key(e->key()));
}

} // namespace

// Every edit runs inside an EditScope. While the outermost scope is open, Scintilla reports
// only that a change is about to happen, not the change itself: QScintilla answers each
// reported change with an accessibility event that counts the characters from the start of
// the text, a tenth of a second per change at the end of a 20 MB page. When the scope closes,
// changed() is raised once if anything changed. Edits outside a scope are reported as usual.
class TextArea::EditScope {
public:
    explicit EditScope(TextArea* area) : m_area(area) {
        if (m_area->m_editDepth++ == 0) {
            m_area->m_editSeen = false;
            m_area->SendScintilla(
                SCI_SETMODEVENTMASK,
                static_cast<unsigned long>(SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE));
        }
    }
    ~EditScope() {
        if (--m_area->m_editDepth > 0)
            return;
        m_area->SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(m_area->m_modMask));
        if (m_area->m_editSeen) {
            m_area->m_editSeen = false;
            emit m_area->changed();
        }
    }
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;
    // Raises changed() even when the text stayed the same.
    void markChanged() { m_area->m_editSeen = true; }

private:
    TextArea* m_area;
};

TextArea::TextArea(QWidget* parent) : QsciScintilla(parent) {
    m_modMask = SendScintilla(SCI_GETMODEVENTMASK);
    setUtf8(true);
    setEolMode(EolWindows);
    setEolVisibility(false);
    setWrapMode(WrapNone);
    setAutoIndent(false);
    setBraceMatching(NoBraceMatch);
    setAutoCompletionSource(AcsNone);
    for (int margin = 0; margin < 5; ++margin)
        setMarginWidth(margin, 0);
    SendScintilla(SCI_SETMARGINLEFT, 0UL, 2L);
    SendScintilla(SCI_SETSCROLLWIDTH, 1UL);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1UL);
    SendScintilla(SCI_SETMULTIPLESELECTION, 0UL);
    // Positions are mapped through this index; Scintilla keeps it up to date on every edit.
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, Utf16Index);

    m_lexer = new QsciLexerHTML(this);
    setLexer(m_lexer);
    unbindKeys();
    setEditorFont(QStringLiteral("Fixedsys"));

    connect(this, &QsciScintilla::textChanged, this, &TextArea::changed);
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this, &TextArea::noteModification);
}

TextArea::~TextArea() = default;

void TextArea::unbindKeys() {
    QsciCommandSet* commands = standardCommands();
    for (const QKeyCombination key : ReleasedKeys) {
        const int code = key.toCombined();
        while (QsciCommand* command = commands->boundTo(code)) {
            if (command->key() == code)
                command->setKey(0);
            else
                command->setAlternateKey(0);
        }
    }
    // Paste goes through paste() below, which keeps line breaks as they are.
    if (QsciCommand* command = commands->find(QsciCommand::Paste)) {
        command->setKey(0);
        command->setAlternateKey(0);
    }
}

void TextArea::noteModification(int /*position*/, int type) {
    if (m_editDepth > 0 && (type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)))
        m_editSeen = true;
}

void TextArea::undo() {
    EditScope edit(this);
    QsciScintilla::undo();
}

void TextArea::redo() {
    EditScope edit(this);
    QsciScintilla::redo();
}

void TextArea::cut() {
    EditScope edit(this);
    QsciScintilla::cut();
}

void TextArea::removeSelectedText() {
    EditScope edit(this);
    QsciScintilla::removeSelectedText();
}

void TextArea::clear() {
    EditScope edit(this);
    QsciScintilla::clear();
}

// --- Text --------------------------------------------------------------------------------

QString TextArea::text() const {
    const long length = SendScintilla(SCI_GETLENGTH);
    if (length <= 0)
        return QString();
    const auto* bytes = reinterpret_cast<const char*>(SendScintilla(SCI_GETCHARACTERPOINTER));
    return QString::fromUtf8(bytes, length);
}

int TextArea::textLength() const {
    return charPosition(SendScintilla(SCI_GETLENGTH));
}

bool TextArea::setWholeText(const QString& newText) {
    if (newText.size() > MaxLength)
        return false;
    const QByteArray bytes = newText.toUtf8();
    const bool readOnly = isReadOnly();
    EditScope edit(this);
    edit.markChanged();
    if (readOnly)
        SendScintilla(SCI_SETREADONLY, 0UL);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_SETSTATUS, 0UL);
    SendScintilla(SCI_ADDTEXT, static_cast<uintptr_t>(bytes.size()), bytes.constData());
    const bool held = SendScintilla(SCI_GETSTATUS) == SC_STATUS_OK &&
                      SendScintilla(SCI_GETLENGTH) == bytes.size();
    if (!held) {
        // Out of memory half-way: leave an empty text rather than a truncated one.
        SendScintilla(SCI_CLEARALL);
        SendScintilla(SCI_SETSTATUS, 0UL);
    }
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETSAVEPOINT);
    SendScintilla(SCI_SETEMPTYSELECTION, 0UL);
    SendScintilla(SCI_SETXOFFSET, 0UL);
    SendScintilla(SCI_SCROLLCARET);
    if (readOnly)
        SendScintilla(SCI_SETREADONLY, 1UL);
    return held;
}

void TextArea::setText(const QString& newText) {
    setWholeText(newText);
}

// --- Positions ---------------------------------------------------------------------------

long TextArea::bytePosition(int index) const {
    if (index <= 0)
        return 0;
    const long lineCount = SendScintilla(SCI_GETLINECOUNT);
    const long total =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(lineCount), Utf16Index);
    if (index >= total)
        return SendScintilla(SCI_GETLENGTH);
    const long line =
        SendScintilla(SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(index), Utf16Index);
    const long lineIndex =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), Utf16Index);
    const long nextIndex =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line + 1), Utf16Index);
    const long lineByte = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long nextByte = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
    const long offset = index - lineIndex;
    // A line of plain ASCII has as many bytes as characters.
    if (nextByte - lineByte == nextIndex - lineIndex)
        return lineByte + offset;
    // Otherwise walk from the nearer end of the line. Scintilla answers 0 for a position
    // inside a surrogate pair: one unit less is the start of that character.
    const auto walk = [this](long from, long units) {
        return SendScintilla(SCI_POSITIONRELATIVECODEUNITS, static_cast<unsigned long>(from),
                             units);
    };
    long pos = 0;
    if (offset <= nextIndex - index) {
        pos = walk(lineByte, offset);
        if (pos <= 0)
            pos = walk(lineByte, offset - 1);
    } else {
        pos = walk(nextByte, index - nextIndex);
        if (pos <= 0)
            pos = walk(nextByte, index - nextIndex - 1);
    }
    return pos;
}

int TextArea::charPosition(long bytePos) const {
    if (bytePos <= 0)
        return 0;
    const long length = SendScintilla(SCI_GETLENGTH);
    if (bytePos > length)
        bytePos = length;
    const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(bytePos));
    const long lineIndex =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), Utf16Index);
    const long nextIndex =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line + 1), Utf16Index);
    const long lineByte = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long nextByte = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
    if (nextByte - lineByte == nextIndex - lineIndex)
        return static_cast<int>(lineIndex + (bytePos - lineByte));
    if (bytePos - lineByte <= nextByte - bytePos)
        return static_cast<int>(lineIndex + SendScintilla(SCI_COUNTCODEUNITS,
                                                          static_cast<unsigned long>(lineByte),
                                                          bytePos));
    return static_cast<int>(nextIndex - SendScintilla(SCI_COUNTCODEUNITS,
                                                      static_cast<unsigned long>(bytePos),
                                                      nextByte));
}

// --- Selection ---------------------------------------------------------------------------

int TextArea::selStart() const {
    return charPosition(SendScintilla(SCI_GETSELECTIONSTART));
}

int TextArea::selLength() const {
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    if (end <= start)
        return 0;
    return charPosition(end) - charPosition(start);
}

QString TextArea::selText() const {
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    if (end <= start)
        return QString();
    const auto* bytes = reinterpret_cast<const char*>(
        SendScintilla(SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), end - start));
    return QString::fromUtf8(bytes, end - start);
}

void TextArea::setSel(int start, int length) {
    const long from = bytePosition(start);
    const long to = length > 0 ? bytePosition(charPosition(from) + length) : from;
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(from), to);
}

void TextArea::setSelStart(int start) {
    setSel(start, 0);
}

void TextArea::setSelLength(int length) {
    setSel(selStart(), length);
}

void TextArea::replaceSelection(const QString& newText) {
    if (isReadOnly())
        return;
    const QByteArray bytes = newText.toUtf8();
    EditScope edit(this);
    SendScintilla(SCI_BEGINUNDOACTION);
    SendScintilla(SCI_TARGETFROMSELECTION);
    SendScintilla(SCI_REPLACETARGET, static_cast<uintptr_t>(bytes.size()), bytes.constData());
    const long end = SendScintilla(SCI_GETTARGETEND);
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(end), end);
    SendScintilla(SCI_ENDUNDOACTION);
}

// --- Font and highlighting ---------------------------------------------------------------

QFont TextArea::fontForName(const QString& family) {
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QString name = family.trimmed();
    if (name.isEmpty() || name.compare(QLatin1String("Fixedsys"), Qt::CaseInsensitive) == 0)
        return fixed;
    QFont font(name);
    if (fixed.pointSizeF() > 0)
        font.setPointSizeF(fixed.pointSizeF());
    else
        font.setPixelSize(fixed.pixelSize());
    return font;
}

void TextArea::setEditorFont(const QString& family) {
    setEditorFont(fontForName(family));
}

void TextArea::setEditorFont(const QFont& font) {
    m_font = font;
    QsciScintilla::setFont(font);
    m_lexer->setDefaultFont(font);
    m_lexer->setFont(font, -1);
    // Tags and attributes the lexer does not know (those of HTML5, custom elements, data-*)
    // look like the known ones, so a modern page does not appear full of errors.
    m_lexer->setColor(m_lexer->color(QsciLexerHTML::Tag), QsciLexerHTML::UnknownTag);
    m_lexer->setPaper(m_lexer->paper(QsciLexerHTML::Tag), QsciLexerHTML::UnknownTag);
    m_lexer->setColor(m_lexer->color(QsciLexerHTML::Attribute), QsciLexerHTML::UnknownAttribute);
    m_lexer->setPaper(m_lexer->paper(QsciLexerHTML::Attribute), QsciLexerHTML::UnknownAttribute);
}

// --- Paste, keys and drops ---------------------------------------------------------------

void TextArea::paste() {
    if (isReadOnly())
        return;
    const QMimeData* mime = QApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!mime || !mime->hasText())
        return;
    replaceSelection(mime->text());
    SendScintilla(SCI_SCROLLCARET);
}

bool TextArea::isPasteKey(const QKeyEvent* e) {
    const QKeyCombination key = combinationOf(e);
    return key == QKeyCombination(Qt::ControlModifier, Qt::Key_V) ||
           key == QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert);
}

bool TextArea::event(QEvent* e) {
    // The paste keys belong to the text area even when a menu offers the same shortcut.
    if (e->type() == QEvent::ShortcutOverride && isPasteKey(static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QsciScintilla::event(e);
}

void TextArea::keyPressEvent(QKeyEvent* e) {
    m_lastKeyPressed = e->key();
    if (isPasteKey(e)) {
        paste();
        e->accept();
        return;
    }
    EditScope edit(this);
    QsciScintilla::keyPressEvent(e);
}

void TextArea::focusInEvent(QFocusEvent* e) {
    m_lastKeyPressed = 0;
    QsciScintilla::focusInEvent(e);
}

void TextArea::inputMethodEvent(QInputMethodEvent* e) {
    EditScope edit(this);
    QsciScintilla::inputMethodEvent(e);
}

void TextArea::mousePressEvent(QMouseEvent* e) {
    // The middle button pastes the primary selection, also without converting line breaks.
    QClipboard* clipboard = QApplication::clipboard();
    if (e->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        if (!isReadOnly()) {
            const QPoint point = e->position().toPoint();
            const long pos =
                SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(point.x()),
                              static_cast<long>(point.y()));
            SendScintilla(SCI_SETSEL, static_cast<unsigned long>(pos), pos);
            const QString selection = clipboard->text(QClipboard::Selection);
            if (!selection.isEmpty())
                replaceSelection(selection);
        }
        setFocus(Qt::MouseFocusReason);
        e->accept();
        return;
    }
    QsciScintilla::mousePressEvent(e);
}

bool TextArea::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText() || source->hasFormat(QLatin1String(ColourMimeType));
}

void TextArea::dropEvent(QDropEvent* e) {
    const QMimeData* mime = e->mimeData();
    // Take away the drop caret Scintilla draws while dragging.
    QDragLeaveEvent leave;
    QsciScintilla::dragLeaveEvent(&leave);

    if (mime->hasFormat(QLatin1String(ColourMimeType))) {
        const std::optional<QString> colour = ColourFromMime(mime);
        e->setDropAction(Qt::CopyAction);
        e->accept();
        if (colour)
            emit colourDropped(*colour);
        return;
    }
    if (isReadOnly() || !mime->hasText()) {
        e->ignore();
        return;
    }
    const QPoint point = e->position().toPoint();
    const long pos = SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(point.x()),
                                   static_cast<long>(point.y()));
    const bool fromHere = e->source() == this || e->source() == viewport();
    const bool move = fromHere && e->proposedAction() == Qt::MoveAction &&
                      (e->possibleActions() & Qt::MoveAction);
    insertDropped(mime->text(), pos, move);
    // A move inside the text area is done here; the drag must not remove anything else.
    e->setDropAction(move ? Qt::MoveAction : Qt::CopyAction);
    e->accept();
    setFocus(Qt::MouseFocusReason);
}

void TextArea::insertDropped(const QString& dropped, long pos, bool moveFromHere) {
    const QByteArray bytes = dropped.toUtf8();
    const long selFrom = SendScintilla(SCI_GETSELECTIONSTART);
    const long selTo = SendScintilla(SCI_GETSELECTIONEND);
    if (moveFromHere && pos >= selFrom && pos <= selTo)
        return; // dropped onto itself
    EditScope edit(this);
    SendScintilla(SCI_BEGINUNDOACTION);
    long at = pos;
    if (moveFromHere) {
        SendScintilla(SCI_DELETERANGE, static_cast<unsigned long>(selFrom), selTo - selFrom);
        if (at > selTo)
            at -= selTo - selFrom;
    }
    SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(at), at);
    SendScintilla(SCI_REPLACETARGET, static_cast<uintptr_t>(bytes.size()), bytes.constData());
    SendScintilla(SCI_ENDUNDOACTION);
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(at), at + bytes.size());
}
