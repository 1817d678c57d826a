#include "dialogs/smalldialogs.h"

#include "widgets/dialogregistry.h"
#include "widgets/textarea.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace {

const QStringList AlignItems = {QStringLiteral("CENTER"), QStringLiteral("LEFT"),
                                QStringLiteral("RIGHT")};

} // namespace

// ---- Line break ----

frmInBr::frmInBr() : TagDialog(QStringLiteral("Infoga radbrytning")) {
    cmbClear =
        addComboBox("cmbClear", QStringLiteral("&Rensa:"),
                    {QStringLiteral("LEFT"), QStringLiteral("RIGHT"), QStringLiteral("ALL")});
}

void frmInBr::writeTag() {
    startTag(QStringLiteral("<BR"));
    attribute(QStringLiteral("CLEAR"), cmbClear, AttrText);
    closeStartTag();
    InsertTagText(TagBuffer);
}

// ---- Paragraph ----

frmInP::frmInP() : TagDialog(QStringLiteral("Infoga stycke")) {
    cmbJustering = addComboBox("cmbJustering", QStringLiteral("&Justering:"),
                               AlignItems + QStringList{QStringLiteral("JUSTIFY")});
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("Ta med </&P>"));
}

void frmInP::writeTag() {
    startTag(QStringLiteral("P"));
    attribute(QStringLiteral("ALIGN"), cmbJustering, AttrText);
    // Editing an existing paragraph tag: the old tag (the selection) goes, and an empty pair
    // of paragraph tags takes its place.
    if (chkAddExit->isChecked() && ParagraphEditMode) {
        if (TextArea* area = EditorTextArea())
            area->replaceSelection(QString());
    }
    wrapOrInsert(chkAddExit->isChecked(), QStringLiteral("P"), false);
}

void frmInP::closed() {
    ParagraphEditMode = false;
}

// ---- Bookmark ----

frmInBok::frmInBok() : TagDialog(QStringLiteral("Infoga bokmärke")) {
    busyWhileWriting = true;
    txtName = addTextField("txtName", QStringLiteral("&Namn:"));
    txtBeskrivning = addTextField("txtBeskrivning", QStringLiteral("&Beskrivning:"));
    lblBeskrivning = labelOf(txtBeskrivning);
    lblBeskrivning->setObjectName(QStringLiteral("lblBeskrivning"));
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("Ta med </&A>"));
    requireNonBlank(txtName);
    enableWhile(txtBeskrivning, [this] { return chkAddExit->isChecked(); }, {chkAddExit});
}

void frmInBok::writeTag() {
    startTag(QStringLiteral("<A"));
    attribute(QStringLiteral("NAME"), txtName, AttrText);
    closeStartTag();
    if (chkAddExit->isChecked())
        TagBuffer += TrimBlanks(txtBeskrivning->text()) +
                     TrimBlanks(FormatAttribute(QStringLiteral("</A>"), QString(), AttrTagName));
    InsertTagText(TagBuffer);
}

// ---- Script ----

frmInScript::frmInScript() : TagDialog(QStringLiteral("Infoga script")) {
    busyWhileWriting = true;
    txtSrc = addTextField("txtSrc", QStringLiteral("&Sökväg/namn på script:"));
    cmbLang = addComboBox("cmbLang", QStringLiteral("S&pråk:"),
                          {QStringLiteral("JavaScript"), QStringLiteral("VBScript")});
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("&Lägg till sluttagg"));
}

void frmInScript::writeTag() {
    startTag(QStringLiteral("<SCRIPT"));
    attribute(QStringLiteral("SRC"), txtSrc, AttrText);
    attribute(QStringLiteral("LANGUAGE"), cmbLang, AttrText);
    closeStartTag();
    // The end tag keeps the blank FormatAttribute puts before it: "<SCRIPT ...> </SCRIPT>".
    if (chkAddExit->isChecked())
        TagBuffer += FormatAttribute(QStringLiteral("</SCRIPT>"), QString(), AttrTagName);
    InsertTagText(TagBuffer);
}

// ---- Horizontal line ----

frmInLin::frmInLin() : TagDialog(QStringLiteral("Infoga linje")) {
    txtBredd = addSizeField("txtBredd", QStringLiteral("&Bredd:"), "chkProcent",
                            QStringLiteral("&Procent"), PercentWhile::Positive);
    chkProcent = percentBoxOf(txtBredd);
    txtTjock = addTextField("txtTjock", QStringLiteral("&Tjocklek:"));
    cmbJustering = addComboBox("cmbJustering", QStringLiteral("&Justering:"), AlignItems);
    chkNoShade = addCheckBox("chkNoShade", QStringLiteral("Ingen &skugga"));
    cmbColor = addColourBox("cmbColor", QStringLiteral("&Färg:"));
}

void frmInLin::writeTag() {
    startTag(QStringLiteral("<HR"));
    if (NumericReading(txtBredd->text()) > 0)
        sizeAttribute(QStringLiteral("WIDTH"), txtBredd);
    attribute(QStringLiteral("SIZE"), txtTjock, AttrNumberNonZero);
    attribute(QStringLiteral("ALIGN"), cmbJustering, AttrText);
    flag(QStringLiteral("NOSHADE"), chkNoShade);
    attribute(QStringLiteral("COLOR"), cmbColor, AttrText);
    closeStartTag();
    InsertTagText(TagBuffer);
}

// ---- Multi-column text ----

frmInMulticol::frmInMulticol() : TagDialog(QStringLiteral("(NS) Infoga spalter")) {
    busyWhileWriting = true;
    lblVarning =
        addNote("lblVarning", QStringLiteral("Detta fungerar bara i Netscape. I andra webläsare "
                                             "kommer texten att synas som vanligt."));
    txtAntal = addTextField("txtAntal", QStringLiteral("&Antal:"));
    txtBredd = addTextField("txtBredd", QStringLiteral("&Bredd:"));
    txtHeight = addTextField("txtHeight", QStringLiteral("M&ellanrum:"));
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("Ta med </&MULTICOL>"));
    requirePositive(txtAntal);
}

void frmInMulticol::writeTag() {
    startTag(QStringLiteral("MULTICOL"));
    attribute(QStringLiteral("COLS"), txtAntal, AttrNumberNonZero);
    attribute(QStringLiteral("WIDTH"), txtBredd, AttrNumberNonZero);
    attribute(QStringLiteral("GUTTER"), txtHeight, AttrNumberNonZero);
    // The open tag is already in the user's letter case, attribute values included.
    wrapOrInsert(chkAddExit->isChecked(), QStringLiteral("MULTICOL"), true);
}

// ---- Background sound ----

frmInBGSound::frmInBGSound() : TagDialog(QStringLiteral("(IE) Bakgrundsljud")) {
    busyWhileWriting = true;
    lblVarning =
        addNote("lblVarning", QStringLiteral("Backgrundsljud fungerar bara i Internet Explorer. I "
                                             "andra webläsare kommer det att vara tyst."));
    txtSrc = addTextField("txtSrc", QStringLiteral("&Sökväg:"));
    cmbAntal = addComboBox("cmbAntal", QStringLiteral("&Loop:"), {QStringLiteral("INFINITE")});
    selectLinkNameOnFocus(txtSrc);
    requireNonBlank(txtSrc);
}

void frmInBGSound::writeTag() {
    startTag(QStringLiteral("<BGSOUND"));
    attribute(QStringLiteral("SRC"), txtSrc, AttrText);
    attribute(QStringLiteral("LOOP"), cmbAntal, AttrText);
    closeStartTag();
    // A background sound belongs in the head, after the title.
    MoveCaretIntoHead();
    InsertTagText(TagBuffer);
}

// ---- The editor's menu items ----

void RegisterSmallDialogs() {
    RegisterTagDialog(QStringLiteral("mnuInBr"), [] { openTagDialog<frmInBr>(); });
    RegisterTagDialog(QStringLiteral("mnuFormStycke"), [] {
        openTagDialog<frmInP>([](frmInP& d, const QString& selection) {
            if (!selection.isEmpty())
                d.chkAddExit->setChecked(true);
        });
    });
    RegisterTagDialog(QStringLiteral("mnuInBok"), [] {
        openTagDialog<frmInBok>([](frmInBok& d, const QString& selection) {
            if (selection.isEmpty())
                return;
            d.txtBeskrivning->setText(selection);
            d.chkAddExit->setChecked(true);
        });
    });
    RegisterTagDialog(QStringLiteral("mnuInScript"), [] { openTagDialog<frmInScript>(); });
    RegisterTagDialog(QStringLiteral("mnuInLin"), [] { openTagDialog<frmInLin>(); });
    RegisterTagDialog(QStringLiteral("mnuFormMulticol"), [] { openTagDialog<frmInMulticol>(); });
    RegisterTagDialog(QStringLiteral("mnuInBacksound"), [] { openTagDialog<frmInBGSound>(); });
}
