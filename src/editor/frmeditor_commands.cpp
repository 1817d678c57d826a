// The editor window's text commands: clipboard and selection, tag and line-break removal,
// letter case, line compression and line-break styles, entity conversion both ways, sorting
// lines, the markup checks, and the keys the text area hands on (automatic indentation and
// the non-breaking space).
//
// The text logic lives in the markup engine (markup/textcommands.h, linebreaks.h); the
// handlers here ask the user what the command needs, run the engine under the busy pointer
// and apply its result to the text area as one undo step. A command that fails leaves the
// text as it was and tells the user why.

#include "editor/frmeditor.h"

#include "markup/globals.h"
#include "markup/linebreaks.h"
#include "markup/textcommands.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"

#include <QAction>

namespace {

const QString Failed = QStringLiteral("Misslyckades");

void tellTooLargeToRun() {
    platform().message(
        QStringLiteral("Det går inte att utföra kommandot. Dokumentet skulle bli för stort."),
        MsgIcon::Exclamation);
}

bool askYes(const QString& question, MsgIcon icon) {
    return platform().message(question, icon, MsgButtons::YesNoCancel) == MsgAnswer::Yes;
}

} // namespace

// --- Applying results -------------------------------------------------------------------

bool frmEditor::applyEdit(const TextEdit& edit) {
    if (edit.changed) {
        const qint64 newLength =
            qint64(txtText->textLength()) - edit.replaceLength + edit.replacement.size();
        if (newLength > TextArea::MaxLength)
            return false;
        txtText->setSel(edit.replaceStart, edit.replaceLength);
        // A range that stays as it was is not rewritten, so the document is not marked as
        // changed and no empty undo step is made.
        if (txtText->selText() != edit.replacement)
            txtText->replaceSelection(edit.replacement);
    }
    txtText->setSel(edit.selStart, edit.selLength);
    return true;
}

void frmEditor::insertEdit(const TextEdit& edit) {
    txtText->setSel(edit.replaceStart, edit.replaceLength);
    InsertTagText(edit.replacement);
    txtText->setSel(edit.selStart, edit.selLength);
}

bool frmEditor::replaceWholeText(const QString& text) {
    if (text.size() > TextArea::MaxLength)
        return false;
    if (text == txtText->text())
        return true;
    txtText->setSel(0, txtText->textLength());
    txtText->replaceSelection(text);
    txtText->setSel(0, 0);
    return true;
}

// --- Clipboard and selection ------------------------------------------------------------

void frmEditor::mnuEditUndo_Click() {
    txtText->setFocus();
    txtText->undo();
}

void frmEditor::mnuEditRepeat_Click() {
    InsertTagText(LastInsertedText);
}

void frmEditor::mnuEditCut_Click() {
    if (txtText->selLength() == 0)
        return;
    txtText->setFocus();
    txtText->cut();
}

void frmEditor::mnuEditCopy_Click() {
    if (txtText->selLength() == 0)
        return;
    txtText->setFocus();
    txtText->copy();
}

void frmEditor::mnuEditPaste_Click() {
    txtText->setFocus();
    txtText->paste();
}

void frmEditor::mnuEditDelete_Click() {
    if (txtText->selLength() > 0)
        txtText->replaceSelection(QString());
}

void frmEditor::mnuEditAll_Click() {
    txtText->setFocus();
    txtText->setSel(0, txtText->textLength());
}

void frmEditor::mnuEditDelTagg_Click() {
    BusyCursor busy;
    applyEdit(RemoveTags(txtText->text(), txtText->selStart(), txtText->selLength()));
}

// --- Letter case and line breaks --------------------------------------------------------

void frmEditor::changeLetterCase(bool capitals) {
    // Inserted as a tag is, so Ctrl+Y puts the converted text in again.
    insertEdit(
        ChangeLetterCase(txtText->text(), txtText->selStart(), txtText->selLength(), capitals));
}

void frmEditor::mnuEditGem_Click() {
    changeLetterCase(false);
}

void frmEditor::mnuEditVersal_Click() {
    changeLetterCase(true);
}

void frmEditor::mnuEditKill_Click() {
    if (txtText->selLength() == 0)
        return;
    if (!askYes(QStringLiteral("VARNING! Väljer du att fortsätta kan du layouten förändras. "
                               "Kommandot kan inte ångras. Vill du fortsätta?"),
                MsgIcon::Exclamation))
        return;
    BusyCursor busy;
    applyEdit(RemoveLineBreaks(txtText->text(), txtText->selStart(), txtText->selLength()));
}

void frmEditor::mnuEditRader_Click() {
    if (!askYes(QStringLiteral("Är du säker på att du vill komprimera dessa rader?"),
                MsgIcon::Question))
        return;
    bool done = false;
    {
        BusyCursor busy;
        WorkText = txtText->text();
        CompressLines();
        done = StatusText != Failed && replaceWholeText(WorkText);
        WorkText.clear();
    }
    if (!done)
        tellTooLargeToRun();
}

void frmEditor::convertLineBreaks(int style) {
    bool done = false;
    {
        BusyCursor busy;
        WorkText = txtText->text();
        ConvertLineBreaks(style);
        // Only CR LF can make the text longer; a failed conversion of the other styles
        // leaves WorkText as it was, so putting it back changes nothing.
        done = !(style == 1 && StatusText == Failed) && replaceWholeText(WorkText);
        WorkText.clear();
    }
    if (!done)
        tellTooLargeToRun();
}

void frmEditor::mnuRadPc_Click() {
    convertLineBreaks(1);
}

void frmEditor::mnuRadMac_Click() {
    convertLineBreaks(2);
}

void frmEditor::mnuRadUnix_Click() {
    convertLineBreaks(3);
}

// --- Entities ---------------------------------------------------------------------------

void frmEditor::convertEntities(bool toCodes) {
    bool done = true;
    {
        BusyCursor busy;
        // With nothing selected the whole text is converted; it is selected first, so it
        // stays selected also when the conversion cannot be put in.
        if (txtText->selLength() == 0)
            txtText->setSel(0, txtText->textLength());
        const TextEdit edit =
            ConvertEntities(txtText->text(), txtText->selStart(), txtText->selLength(), toCodes);
        WorkText.clear();
        done = !edit.failed && applyEdit(edit);
    }
    if (!done)
        platform().message(QStringLiteral("Dokumentet är för stort."), MsgIcon::Exclamation);
}

void frmEditor::mnuEditConvert_Click() {
    convertEntities(true);
}

void frmEditor::mnuEditConvAscii_Click() {
    convertEntities(false);
}

// --- Sorting ----------------------------------------------------------------------------

void frmEditor::mnuToolsSort_Click() {
    if (txtText->selLength() == 0) {
        platform().message(QStringLiteral("Markera de rader som du vill sortera."),
                           MsgIcon::Information);
        return;
    }
    const QString text = txtText->text();
    const TextRange lines = WidenToLines(text, txtText->selStart(), txtText->selLength());
    txtText->setSel(lines.start, lines.length);
    // Any answer but Yes leaves the whole lines selected.
    if (!askYes(QStringLiteral("Är du säker på att du vill sortera dessa rader?"),
                MsgIcon::Question))
        return;
    BusyCursor busy;
    insertEdit(SortSelectedLines(text, lines.start, lines.length));
}

// --- Checks -----------------------------------------------------------------------------

void frmEditor::runCheck(const std::function<CheckOutcome(const QString&)>& check) {
    CheckOutcome outcome;
    {
        BusyCursor busy;
        outcome = check(txtText->text());
    }
    WorkText.clear();
    if (outcome.select) {
        txtText->setFocus();
        txtText->setSel(outcome.selection.start, outcome.selection.length);
    }
    if (!outcome.message.isEmpty())
        platform().message(outcome.message, outcome.icon);
}

void frmEditor::mnuErrorHakar_Click() {
    runCheck([](const QString& text) { return RunCheck(MarkupCheck::Brackets, text); });
}

void frmEditor::mnuErrorCitat_Click() {
    runCheck([](const QString& text) { return RunCheck(MarkupCheck::Quotes, text); });
}

void frmEditor::mnuErrorStandard_Click() {
    runCheck([](const QString& text) { return RunCheck(MarkupCheck::StandardTags, text); });
}

// The three checks in turn, silently; one message says what the first finding was.
void frmEditor::mnuErrorAll_Click() {
    runCheck(RunAllChecks);
}

// --- Keys of the text area --------------------------------------------------------------

void frmEditor::autoIndent() {
    if (!mnuEditAuto->isChecked())
        return;
    // Only an Enter typed here: the Enter that answered a question box is released here too
    // once the focus is back, with the caret perhaps at the start of a line.
    const int typed = txtText->lastKeyPressed();
    if (typed != Qt::Key_Return && typed != Qt::Key_Enter)
        return;
    // Only the caret at the start of a line can follow an Enter just typed; the previous
    // line alone tells the indentation, so the whole text is not read.
    int line = 0;
    int index = 0;
    txtText->getCursorPosition(&line, &index);
    if (line == 0 || index != 0 || txtText->selLength() != 0)
        return;
    const QString previous = txtText->text(line - 1);
    const QString indent = AutoIndentText(previous, int(previous.size()));
    // Put in directly: the clipboard keeps what it holds.
    if (!indent.isEmpty())
        txtText->replaceSelection(indent);
}
