#include "dialogs/framedialogs.h"

#include "widgets/dialogregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

namespace {

const QStringList BorderItems = {QStringLiteral("0"), QStringLiteral("1")};
// The first entry writes no attribute.
const QStringList TrueFalseItems = {QStringLiteral("(ingen)"), QStringLiteral("TRUE"),
                                    QStringLiteral("FALSE")};

} // namespace

// ---- Frameset ----

frmFrameset::frmFrameset() : TagDialog(QStringLiteral("Frameset")) {
    txtRows = addTextField("txtRows", QStringLiteral("&Rad:"));
    nameLabel(txtRows, "Label1");
    txtCols = addTextField("txtCols", QStringLiteral("&Kolumner:"));
    nameLabel(txtCols, "lblCols");
    cmbBorder = addComboBox("cmbBorder", QStringLiteral("R&am:"), BorderItems);
    nameLabel(cmbBorder, "Label2");
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("&Sluttagg"));
    chkAddExit->setChecked(true);
}

void frmFrameset::writeTag() {
    startTag(QStringLiteral("<FRAMESET"));
    attribute(QStringLiteral("ROWS"), txtRows, AttrText);
    attribute(QStringLiteral("COLS"), txtCols, AttrText);
    attribute(QStringLiteral("FRAMEBORDER"), cmbBorder, AttrNumber);
    closeStartTag();
    // The end tag keeps the blank FormatAttribute puts before it: "<FRAMESET> </FRAMESET>".
    if (chkAddExit->isChecked())
        TagBuffer += FormatAttribute(QStringLiteral("</FRAMESET>"), QString(), AttrTagName);
    InsertTagText(TagBuffer);
}

// ---- Frame ----

frmFrame::frmFrame() : TagDialog(QStringLiteral("Frame")) {
    txtName = addTextField("txtName", QStringLiteral("&Namn:"));
    nameLabel(txtName, "lblName");
    txtSrc = addTextField("txtSrc", QStringLiteral("&Källa:"));
    nameLabel(txtSrc, "lblCols");
    selectLinkNameOnFocus(txtSrc);
    cmbScrolling =
        addComboBox("cmbScrolling", QStringLiteral("&Scrolling:"),
                    {QStringLiteral("auto"), QStringLiteral("yes"), QStringLiteral("no")});
    nameLabel(cmbScrolling, "lblScroll");
    txtMarginwidth = addTextField("txtMarginwidth", QStringLiteral("&Breddmarginal:"));
    nameLabel(txtMarginwidth, "lblMarginwidth");
    txtMarginheight = addTextField("txtMarginheight", QStringLiteral("&Höjdmarginal:"));
    nameLabel(txtMarginheight, "lblMarginheight");
    cmbBorder = addComboBox("cmbBorder", QStringLiteral("R&am:"), BorderItems);
    nameLabel(cmbBorder, "Label2");
    chkNoresize = addCheckBox("chkNoresize", QStringLiteral("&Fasta ramar"));
    chkNoresize->setChecked(true);
    // A frame needs a name or a source.
    enableWhile(cmdOK,
                [this] {
                    return !TrimBlanks(txtName->text()).isEmpty() ||
                           !TrimBlanks(txtSrc->text()).isEmpty();
                },
                {txtName, txtSrc});
}

void frmFrame::writeTag() {
    startTag(QStringLiteral("<FRAME"));
    attribute(QStringLiteral("NAME"), txtName, AttrText);
    attribute(QStringLiteral("SRC"), txtSrc, AttrText);
    attribute(QStringLiteral("SCROLLING"), cmbScrolling, AttrText);
    attribute(QStringLiteral("MARGINWIDTH"), txtMarginwidth, AttrNumber);
    attribute(QStringLiteral("MARGINHEIGHT"), txtMarginheight, AttrNumber);
    flag(QStringLiteral("NORESIZE"), chkNoresize);
    // Browsers read one or the other: the one choice writes both.
    attribute(QStringLiteral("FRAMEBORDER"), cmbBorder, AttrNumber);
    attribute(QStringLiteral("BORDER"), cmbBorder, AttrNumber);
    closeStartTag();
    InsertTagText(TagBuffer);
}

// ---- Embedded object ----

frmInInb::frmInInb() : TagDialog(QStringLiteral("Infoga inbäddat objekt")) {
    busyWhileWriting = true;
    txtTitel = addTextField("txtTitel", QStringLiteral("&Sökväg:"));
    nameLabel(txtTitel, "lblBredd");
    txtBredd = addSizeField("txtBredd", QStringLiteral("&Bredd:"), "chkBProc",
                            QStringLiteral("&Procent"), PercentWhile::Positive);
    nameLabel(txtBredd, "Label1");
    chkBProc = percentBoxOf(txtBredd);
    txtHeight = addSizeField("txtHeight", QStringLiteral("&Höjd:"), "chkHProc",
                             QStringLiteral("P&rocent"), PercentWhile::Positive);
    nameLabel(txtHeight, "lblHeight");
    chkHProc = percentBoxOf(txtHeight);
    txtName = addTextField("txtName", QStringLiteral("&Namn:"));
    nameLabel(txtName, "lblName");
    cmbLoop = addFixedList("cmbLoop", QStringLiteral("&Loopa:"), TrueFalseItems);
    nameLabel(cmbLoop, "lblLoop");
    cmbAuto = addFixedList("cmbAuto", QStringLiteral("&Autostart:"), TrueFalseItems);
    nameLabel(cmbAuto, "lblAutostart");
    chkAddEnd = addCheckBox("chkAddEnd", QStringLiteral("Ta med </&EMBED>"));
    chkAddEnd->setChecked(true);
    requireNonBlank(txtTitel);
}

void frmInInb::writeTag() {
    startTag(QStringLiteral("<EMBED"));
    attribute(QStringLiteral("SRC"), txtTitel, AttrText);
    sizeAttribute(QStringLiteral("WIDTH"), txtBredd);
    sizeAttribute(QStringLiteral("HEIGHT"), txtHeight);
    attribute(QStringLiteral("NAME"), txtName, AttrText);
    if (cmbLoop->currentIndex() > 0)
        attribute(QStringLiteral("LOOP"), cmbLoop, AttrText);
    if (cmbAuto->currentIndex() > 0)
        attribute(QStringLiteral("AUTOSTART"), cmbAuto, AttrText);
    closeStartTag();
    if (chkAddEnd->isChecked())
        TagBuffer += FormatAttribute(QStringLiteral("</EMBED>"), QString(), AttrTagName);
    InsertTagText(TagBuffer);
}

// ---- The editor's menu items ----

void RegisterFrameDialogs() {
    RegisterTagDialog(QStringLiteral("mnuInsFrameset"), [] { openTagDialog<frmFrameset>(); });
    RegisterTagDialog(QStringLiteral("mnuInsFrame"), [] { openTagDialog<frmFrame>(); });
    RegisterTagDialog(QStringLiteral("mnuInInb"), [] { openTagDialog<frmInInb>(); });
}
