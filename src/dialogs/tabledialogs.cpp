#include "dialogs/tabledialogs.h"

#include "widgets/dialogregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

QStringList TableAlignItems() {
    return {QStringLiteral("CENTER"),    QStringLiteral("LEFT"),     QStringLiteral("RIGHT"),
            QStringLiteral("TOP"),       QStringLiteral("TEXTTOP"),  QStringLiteral("MIDDLE"),
            QStringLiteral("ABSMIDDLE"), QStringLiteral("BASELINE"), QStringLiteral("BOTTOM"),
            QStringLiteral("ABSBOTTOM")};
}

QStringList RowAlignItems() {
    return {QStringLiteral("CENTER"), QStringLiteral("LEFT"), QStringLiteral("RIGHT")};
}

QStringList ValignItems() {
    return {QStringLiteral("TOP"), QStringLiteral("MIDDLE"), QStringLiteral("BOTTOM"),
            QStringLiteral("BASELINE")};
}

// A tag with the blank FormatAttribute puts before it (" </TD>").
QString SpacedTag(const QString& tag) {
    return FormatAttribute(tag, QString(), AttrTagName);
}

} // namespace

// ---- Shared by the table dialogs ----

TableTagDialog::TableTagDialog(const QString& caption) : TagDialog(caption) {
    cmdViewWebcolor = addSideButton("cmdViewWebcolor", QStringLiteral("&Webfärgväljaren"));
    connect(cmdViewWebcolor, &QPushButton::clicked, this, &ShowColourPicker);
}

void TableStartDialog::addTableFields() {
    txtBredd = addSizeField("txtBredd", QStringLiteral("Br&edd:"), "chkBProc",
                            QStringLiteral("Pr&ocent"), PercentWhile::NonZero);
    chkBProc = percentBoxOf(txtBredd);
    txtHeight = addSizeField("txtHeight", QStringLiteral("&Höjd:"), "chkHProc",
                             QStringLiteral("Proce&nt"), PercentWhile::NonZero);
    chkHProc = percentBoxOf(txtHeight);
    txtRam = addTextField("txtRam", QStringLiteral("R&am:"));
    txtCellPadd = addTextField("txtCellPadd", QStringLiteral("Cell&marginal:"));
    txtCellspace = addTextField("txtCellspace", QStringLiteral("&Cellavstånd:"));
    newColumn();
    cmbBackcolor = addColourBox("cmbBackcolor", QStringLiteral("&Bakgrundsfärg:"));
    cmbRamfarg = addColourBox("cmbRamfarg", QStringLiteral("Ram&färg:"));
    cmbJustering = addComboBox("cmbJustering", QStringLiteral("&Justering:"), TableAlignItems());
}

void TableStartDialog::startTableTag() {
    startTag(QStringLiteral("<TABLE"));
    sizeAttribute(QStringLiteral("HEIGHT"), txtHeight);
    sizeAttribute(QStringLiteral("WIDTH"), txtBredd);
    attribute(QStringLiteral("BORDER"), txtRam, AttrNumber);
    attribute(QStringLiteral("CELLPADDING"), txtCellPadd, AttrNumber);
    attribute(QStringLiteral("CELLSPACING"), txtCellspace, AttrNumber);
    attribute(QStringLiteral("BGCOLOR"), cmbBackcolor, AttrText);
    attribute(QStringLiteral("BORDERCOLOR"), cmbRamfarg, AttrText);
    attribute(QStringLiteral("ALIGN"), cmbJustering, AttrText);
}

// ---- New table ----

frmInTab::frmInTab() : TableStartDialog(QStringLiteral("Infoga tabell")) {
    busyWhileWriting = true;
    txtRows = addTextField("txtRows", QStringLiteral("Antal &rader:"));
    txtCol = addTextField("txtCol", QStringLiteral("Antal &kolumner:"));
    addTableFields();
    txtCaption = addTextField("txtCaption", QStringLiteral("Ö&verskrift:"));
    cmbPlace = addFixedList("cmbPlace", QStringLiteral("&Placering:"),
                            {QStringLiteral("BOTTOM"), QStringLiteral("LEFT"),
                             QStringLiteral("RIGHT"), QStringLiteral("TOP")});
    cmbPlace->setCurrentIndex(3);
    lblPlacering = nameLabel(cmbPlace, "lblPlacering");
    chkNoWrap = addCheckBox("chkNoWrap", QStringLiteral("&Ingen radbrytning"));

    // OK needs a row and a column, but only a change of the rows looks at both again.
    enableWhile(cmdOK,
                [this] {
                    return NumericReading(txtRows->text()) >= 1 &&
                           NumericReading(txtCol->text()) >= 1;
                },
                {txtRows});
    enableWhile(cmbPlace, [this] { return !TrimBlanks(txtCaption->text()).isEmpty(); },
                {txtCaption});
}

void frmInTab::writeTag() {
    // A typed count is kept within reason, so no number builds millions of cells; a column
    // count emptied after the rows were typed still gives one column.
    const int rows = CountReading(txtRows->text(), 1, MaxCount);
    const int columns = CountReading(txtCol->text(), 1, MaxCount);

    startTableTag();
    closeStartTag();
    QString table = TagBuffer;

    const QString caption = TrimBlanks(txtCaption->text());
    if (!caption.isEmpty()) {
        startTag(QStringLiteral("<CAPTION"));
        attribute(QStringLiteral("ALIGN"), cmbPlace, AttrText);
        closeStartTag();
        table += NewLine + TagBuffer + caption + plainTag(QStringLiteral("</CAPTION>"));
    }

    // Every cell line is the same: two blanks, the start tag, one blank, the end tag.
    QString cellFlag;
    if (chkNoWrap->isChecked())
        cellFlag = FormatAttribute(QStringLiteral("NOWRAP"), QString(), AttrTagName);
    const QString cell = QLatin1Char(' ') +
                         FormatAttribute(QStringLiteral("<TD"), QString(), AttrTagName) + cellFlag +
                         QLatin1Char('>') + SpacedTag(QStringLiteral("</TD>")) + NewLine;
    const QString rowStart = NewLine + plainTag(QStringLiteral("<TR>")) + NewLine;
    const QString rowEnd = plainTag(QStringLiteral("</TR>")) + NewLine;

    QString row = rowStart;
    row.reserve(rowStart.size() + columns * cell.size() + rowEnd.size());
    for (int c = 0; c < columns; ++c)
        row += cell;
    row += rowEnd;

    const QString end = plainTag(QStringLiteral("</TABLE>"));
    table.reserve(table.size() + rows * row.size() + end.size());
    for (int r = 0; r < rows; ++r)
        table += row;
    table += end;

    TagBuffer = table;
    InsertTagText(TagBuffer);
}

// ---- Table start tag ----

frmTabHead::frmTabHead() : TableStartDialog(QStringLiteral("Tabellhuvud")) {
    addTableFields();
    txtSummering = addTextField("txtSummering", QStringLiteral("&Summering:"));
    chkAddEnd = addCheckBox("chkAddEnd", QStringLiteral("Ta med </&TABLE>"));
}

void frmTabHead::writeTag() {
    startTableTag();
    attribute(QStringLiteral("SUMMARY"), txtSummering, AttrText);
    closeStartTag();
    // The end tag stands on the next line.
    if (chkAddEnd->isChecked())
        TagBuffer += NewLine + plainTag(QStringLiteral("</TABLE>"));
    InsertTagText(TagBuffer);
}

// ---- Table row ----

frmTabTr::frmTabTr() : TableTagDialog(QStringLiteral("Tabellrad")) {
    cmbJustering = addComboBox("cmbJustering", QStringLiteral("&Justering:"), RowAlignItems());
    cmbValign = addComboBox("cmbValign", QStringLiteral("&Vertikal justering:"), ValignItems());
    cmbBackcolor = addColourBox("cmbBackcolor", QStringLiteral("&Bakgrundsfärg:"));
    chkAddEnd = addCheckBox("chkAddEnd", QStringLiteral("Ta med </&TR>"));
}

void frmTabTr::writeTag() {
    startTag(QStringLiteral("<TR"));
    attribute(QStringLiteral("ALIGN"), cmbJustering, AttrText);
    attribute(QStringLiteral("VALIGN"), cmbValign, AttrText);
    attribute(QStringLiteral("BGCOLOR"), cmbBackcolor, AttrText);
    closeStartTag();
    // One blank between the start and the end tag.
    if (chkAddEnd->isChecked())
        TagBuffer += SpacedTag(QStringLiteral("</TR>"));
    InsertTagText(TagBuffer);
}

// ---- Table cell ----

frmTabTD::frmTabTD() : TableTagDialog(QStringLiteral("Tabellcell")) {
    txtBredd = addTextField("txtBredd", QStringLiteral("B&redd:"));
    txtHeight = addTextField("txtHeight", QStringLiteral("&Höjd:"));
    txtRowspan = addTextField("txtRowspan", QStringLiteral("Antal v&ertikala celler:"));
    txtColspan = addTextField("txtColspan", QStringLiteral("Antal h&orisontella celler:"));
    cmbJustering = addComboBox("cmbJustering", QStringLiteral("&Justering:"), RowAlignItems());
    cmbValign = addComboBox("cmbValign", QStringLiteral("&Vertikal justering:"), ValignItems());
    cmbBackcolor = addColourBox("cmbBackcolor", QStringLiteral("&Bakgrundsfärg:"));
    chkNoWrap = addCheckBox("chkNoWrap", QStringLiteral("&Ingen radbrytning"));
    chkAddEnd = addCheckBox("chkAddEnd", QStringLiteral("Ta med </&TD>"));
}

void frmTabTD::writeTag() {
    startTag(QStringLiteral("<TD"));
    // A width or height typed as "10%" is a percentage; other numbers are left out when 0.
    sizeAttribute(QStringLiteral("WIDTH"), txtBredd, AttrNumberNonZero);
    sizeAttribute(QStringLiteral("HEIGHT"), txtHeight, AttrNumberNonZero);
    attribute(QStringLiteral("ROWSPAN"), txtRowspan, AttrNumberNonZero);
    attribute(QStringLiteral("COLSPAN"), txtColspan, AttrNumberNonZero);
    attribute(QStringLiteral("ALIGN"), cmbJustering, AttrText);
    attribute(QStringLiteral("VALIGN"), cmbValign, AttrText);
    attribute(QStringLiteral("BGCOLOR"), cmbBackcolor, AttrText);
    flag(QStringLiteral("NOWRAP"), chkNoWrap);
    closeStartTag();
    if (chkAddEnd->isChecked())
        TagBuffer += SpacedTag(QStringLiteral("</TD>"));
    InsertTagText(TagBuffer);
}

// ---- The editor's menu items ----

void RegisterTableDialogs() {
    RegisterTagDialog(QStringLiteral("mnuTableNew"), [] { openTagDialog<frmInTab>(); });
    RegisterTagDialog(QStringLiteral("mnuTabHead"), [] { openTagDialog<frmTabHead>(); });
    RegisterTagDialog(QStringLiteral("mnuTabTr"), [] { openTagDialog<frmTabTr>(); });
    RegisterTagDialog(QStringLiteral("mnuTabTD"), [] { openTagDialog<frmTabTD>(); });
}
