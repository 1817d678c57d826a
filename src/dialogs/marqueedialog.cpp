#include "dialogs/marqueedialog.h"

#include "widgets/dialogregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

frmInMarquee::frmInMarquee() : TagDialog(QStringLiteral("(IE) Marquee")) {
    busyWhileWriting = true;
    txtText = addTextField("txtText", QStringLiteral("&Text:"));
    lblText = nameLabel(txtText, "lblText");
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("Ta med </&MARQUEE>"));
    chkAddExit->setChecked(true);
    cmbJustering =
        addComboBox("cmbJustering", QStringLiteral("&Justering:"),
                    {QStringLiteral("TOP"), QStringLiteral("MIDDLE"), QStringLiteral("BOTTOM")});
    nameLabel(cmbJustering, "lblJustering");
    cmbBehav = addComboBox(
        "cmbBehav", QStringLiteral("&Visningssätt:"),
        {QStringLiteral("SCROLL"), QStringLiteral("SLIDE"), QStringLiteral("ALTERNATE")});
    nameLabel(cmbBehav, "lblBehavior");
    cmbBackcolor = addColourBox("cmbBackcolor", QStringLiteral("&Bakgrundsfärg:"));
    nameLabel(cmbBackcolor, "kbkBGColor");
    cmbDirection = addComboBox("cmbDirection", QStringLiteral("&Riktning:"),
                               {QStringLiteral("LEFT"), QStringLiteral("RIGHT")});
    nameLabel(cmbDirection, "lblDirection");

    newColumn();
    txtBredd = addSizeField("txtBredd", QStringLiteral("Br&edd:"), "chkBProc",
                            QStringLiteral("&Procent"), PercentWhile::Positive);
    nameLabel(txtBredd, "Label3");
    chkBProc = percentBoxOf(txtBredd);
    txtHeight = addSizeField("txtHeight", QStringLiteral("&Höjd:"), "chkHProc",
                             QStringLiteral("Pr&ocent"), PercentWhile::Positive);
    nameLabel(txtHeight, "lblHeight");
    chkHProc = percentBoxOf(txtHeight);
    cmbAntal = addComboBox("cmbAntal", QStringLiteral("&Loop:"), {QStringLiteral("INFINITE")});
    nameLabel(cmbAntal, "lblAntal");
    txtHspace = addTextField("txtHspace", QStringLiteral("&Horisontell justering:"));
    nameLabel(txtHspace, "lblHspace");
    txtVSpace = addTextField("txtVSpace", QStringLiteral("&Vertikal justering:"));
    nameLabel(txtVSpace, "lblVspace");
    txtScrollA = addTextField("txtScrollA", QStringLiteral("&Summa:"));
    nameLabel(txtScrollA, "lblScrollA");
    txtScrollDelay = addTextField("txtScrollDelay", QStringLiteral("&Fördröjning:"));
    nameLabel(txtScrollDelay, "lblScrollDelay");
    lblVarning = addNote("lblVarning",
                         QStringLiteral("Detta funkar endast i Internet Explorer. I övriga "
                                        "webläsare syns texten som vanligt men den rullar inte."));

    // The text is written only with the end tag, and then it must be there.
    enableWhile(txtText, [this] { return chkAddExit->isChecked(); }, {chkAddExit});
    enableWhile(
        cmdOK,
        [this] { return !chkAddExit->isChecked() || !TrimBlanks(txtText->text()).isEmpty(); },
        {chkAddExit, txtText});
}

void frmInMarquee::writeTag() {
    startTag(QStringLiteral("<MARQUEE"));
    attribute(QStringLiteral("ALIGN"), cmbJustering, AttrText);
    attribute(QStringLiteral("BEHAVIOR"), cmbBehav, AttrText);
    attribute(QStringLiteral("BGCOLOR"), cmbBackcolor, AttrText);
    attribute(QStringLiteral("DIRECTION"), cmbDirection, AttrText);
    sizeAttribute(QStringLiteral("WIDTH"), txtBredd);
    sizeAttribute(QStringLiteral("HEIGHT"), txtHeight);
    attribute(QStringLiteral("LOOP"), cmbAntal, AttrText);
    attribute(QStringLiteral("HSPACE"), txtHspace, AttrNumberNonZero);
    attribute(QStringLiteral("VSPACE"), txtVSpace, AttrNumberNonZero);
    attribute(QStringLiteral("SCROLLAMOUNT"), txtScrollA, AttrNumberNonZero);
    attribute(QStringLiteral("SCROLLDELAY"), txtScrollDelay, AttrNumberNonZero);
    closeStartTag();
    // Text and tags touch: "<MARQUEE>text</MARQUEE>".
    if (chkAddExit->isChecked())
        TagBuffer +=
            TrimBlanks(txtText->text()) +
            TrimBlanks(FormatAttribute(QStringLiteral("</MARQUEE>"), QString(), AttrTagName));
    InsertTagText(TagBuffer);
}

void RegisterMarqueeDialog() {
    RegisterTagDialog(QStringLiteral("mnuMarquee"), [] {
        openTagDialog<frmInMarquee>([](frmInMarquee& d, const QString& selection) {
            if (selection.isEmpty())
                return;
            d.txtText->setText(selection);
            d.chkAddExit->setChecked(true);
        });
    });
}
