// The editor window's standard texts and templates: the two pick lists over the text area
// (standard texts on F2, HTML characters on F4), editing "standard.txt" and adding the
// selection to it, and new documents from the templates of the folder "mallar".

#include "editor/frmeditor.h"

#include "markup/document.h"

#include "editor/frmnewmall.h"
#include "markup/globals.h"
#include "markup/standardtexts.h"
#include "platform/files.h"
#include "widgets/filepanes.h"
#include "widgets/picklist.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"

#include <QFileInfo>

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

void frmEditor::buildPickLists() {
    for (int index : {PickList::StandardTexts, PickList::HtmlCharacters}) {
        cmbMagicText[index] = new PickList(index, m_client);
        cmbMagicText[index]->setObjectName(QStringLiteral("cmbMagicText%1").arg(index));
        connect(cmbMagicText[index], &PickList::chosen, this,
                [](const QString& text) { InsertTagText(text); });
    }
    connect(cmbMagicText[PickList::StandardTexts], &PickList::editRequested, this,
            &frmEditor::mnuEditStandardOpen_Click);
}

void frmEditor::fillHtmlCharacters() {
    // The window is kept for the run, but every load starts the pick lists as a new window
    // has them: hidden (a list left open when the window closed does not come back), the
    // HTML characters listed, and the standard texts still to be read, so a "standard.txt"
    // gone since the last load leaves that list empty.
    for (PickList* list : cmbMagicText)
        list->hide();
    cmbMagicText[PickList::HtmlCharacters]->setEntries(HtmlCharacterEntries());
    cmbMagicText[PickList::StandardTexts]->setEntries({});
}

void frmEditor::LoadStandardTexts() {
    PickList* list = cmbMagicText[PickList::StandardTexts];
    ::LoadStandardTexts(*list, list->font(), StandardListWidth);
}

void frmEditor::reloadStandardTextsAfterSave() {
    // Exactly these small letters: "Standard.txt" is some other file.
    if (CurrentFile.endsWith(QLatin1String("standard.txt")))
        LoadStandardTexts();
}

void frmEditor::mnuEditStandard_Click(int Index) {
    if (Index != PickList::StandardTexts && Index != PickList::HtmlCharacters)
        return;
    cmbMagicText[Index]->popUp(txtText, StandardListWidth);
}

void frmEditor::mnuEditStandardOpen_Click() {
    if (SavePrompt() == MsgAnswer::Cancel)
        return;
    const QString path = StandardTextsPath();
    if (!QFileInfo::exists(path)) {
        if (!WriteTextFileAtomic(path, QString())) {
            platform().message(QStringLiteral("Filen ") + quoted(path) +
                                   QStringLiteral(" kunde inte skapas."),
                               MsgIcon::Critical);
            return;
        }
        CurrentFile = path;
        CurrentFormat = {TextEncoding::Cp1252, true};
        DocumentChanged = false;
        // The prompt text counts as a change, so closing asks to save the texts.
        txtText->setWholeText(QStringLiteral("Skriv in texterna här."));
        txtText->setSel(0, txtText->textLength());
        platform().message(QStringLiteral("Filen ") + quoted(path) +
                               QStringLiteral(" har skapats. Här i skriver du de texter som du "
                                              "vanligen använder, så läggs dom till i menyn du "
                                              "får fram genom att trycka F2."),
                           MsgIcon::Information);
        UpdateTitle(false);
        return;
    }
    if (OpenDocument(path)) {
        CurrentFile = path;
        DocumentChanged = false;
    } else {
        platform().message(QStringLiteral("Filen ") + quoted(path) +
                               QStringLiteral(" kunde inte öppnas."),
                           MsgIcon::Critical);
    }
    UpdateTitle(false);
}

void frmEditor::mnuEditStandardAddMark_Click() {
    const QString selection = txtText->selText();
    if (selection.isEmpty())
        return;
    PickList* list = cmbMagicText[PickList::StandardTexts];
    list->addItems(SelectionToStandardEntries(selection));
    const QStringList entries = list->entries();
    StandardListWidth = StandardListWidthInFont(entries, list->font());
    const QString path = StandardTextsPath();
    QString error;
    if (!WriteStandardTexts(path, entries, &error))
        platform().message(StandardTextsNotWrittenMessage(path, error), MsgIcon::Exclamation);
}

// --- Templates --------------------------------------------------------------------------

void frmEditor::newDocumentFromTemplate(const QString& text) {
    if (!txtText->setWholeText(text)) {
        platform().message(QStringLiteral("Mallen är för stor för att kunna öppnas."),
                           MsgIcon::Exclamation);
        return;
    }
    DocumentChanged = false;
    CurrentFile.clear();
    CurrentFormat = DocumentFormat();
    // As for a new document, no file of the list stands for the text any more.
    Filer->setListIndex(-1);
    UpdateTitle(false);
    txtText->setFocus();
}

void frmEditor::mnuNewMall_Click() {
    if (SavePrompt() == MsgAnswer::Cancel)
        return;
    if (frmNewMall* window = frmNewMall::Open())
        connect(window, &frmNewMall::documentChosen, this, &frmEditor::newDocumentFromTemplate);
}

void frmEditor::mnuFileNewLatest_Click() {
    if (SavePrompt() == MsgAnswer::Cancel)
        return;
    QString text;
    if (!ReadLatestTemplate(text)) {
        platform().message(NoLatestTemplateMessage(), MsgIcon::Exclamation);
        return;
    }
    newDocumentFromTemplate(text);
}
