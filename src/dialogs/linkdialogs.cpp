#include "dialogs/linkdialogs.h"

#include "widgets/dialogregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

// ---- Link ----

frmInLnk::frmInLnk() : TagDialog(QStringLiteral("Infoga länk")) {
    cmbPrefix = addComboBox("cmbPrefix", QStringLiteral("T&ill:"),
                            {QStringLiteral("file:///"), QStringLiteral("file://localhost/"),
                             QStringLiteral("ftp://"), QStringLiteral("gopher://"),
                             QStringLiteral("http://"), QStringLiteral("mailto:"),
                             QStringLiteral("news:"), QStringLiteral("nntp://"),
                             QStringLiteral("telnet://"), QStringLiteral("wais://")});
    lblPrefix = nameLabel(cmbPrefix, "lblPrefix");
    txtLink = addTextField("txtLink", QStringLiteral("Lä&nk till fil:"));
    lblFil = nameLabel(txtLink, "lblFil");
    selectLinkNameOnFocus(txtLink);
    txtBookmark = addTextField("txtBookmark", QStringLiteral("&Bokmärke:"));
    txtTitle = addTextField("txtTitle", QStringLiteral("&Titel:"));
    cmbJustering = addComboBox("cmbJustering", QStringLiteral("&Ram (TARGET):"),
                               {QStringLiteral("_blank"), QStringLiteral("_parent"),
                                QStringLiteral("_self"), QStringLiteral("_top")});
    lblTarget = nameLabel(cmbJustering, "lblTarget");
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("Ta med </&A>"));
    txtBeskrivning = addTextField("txtBeskrivning", QStringLiteral("B&eskrivning:"));
    lblBesk = nameLabel(txtBeskrivning, "lblBesk");

    // A link needs somewhere to go: a file or address, or a bookmark in this page.
    enableWhile(cmdOK,
                [this] {
                    return !TrimBlanks(txtLink->text()).isEmpty() ||
                           !TrimBlanks(txtBookmark->text()).isEmpty();
                },
                {txtLink, txtBookmark});
    enableWhile(txtBeskrivning, [this] { return chkAddExit->isChecked(); }, {chkAddExit});
}

void frmInLnk::writeTag() {
    QString address = TrimBlanks(cmbPrefix->currentText()) + TrimBlanks(txtLink->text());
    const QString bookmark = TrimBlanks(txtBookmark->text());
    if (!bookmark.isEmpty())
        address += QLatin1Char('#') + bookmark;

    startTag(QStringLiteral("<A"));
    attribute(QStringLiteral("HREF"), address, AttrText);
    attribute(QStringLiteral("TITLE"), txtTitle, AttrText);
    attribute(QStringLiteral("TARGET"), cmbJustering, AttrText);
    closeStartTag();
    if (chkAddExit->isChecked())
        TagBuffer += TrimBlanks(txtBeskrivning->text()) +
                     TrimBlanks(FormatAttribute(QStringLiteral("</A>"), QString(), AttrTagName));
    InsertTagText(TagBuffer);
}

// ---- Image ----

frmInImg::frmInImg() : TagDialog(QStringLiteral("Infoga bild")) {
    busyWhileWriting = true;
    txtBild = addTextField("txtBild", QStringLiteral("&Sökväg/namn till bilden:"));
    lblImg = nameLabel(txtBild, "lblImg");
    selectLinkNameOnFocus(txtBild);
    txtLowSrc = addTextField("txtLowSrc", QStringLiteral("&Lågupplöst bild:"));
    txtBredd = addTextField("txtBredd", QStringLiteral("&Bredd:"));
    txtHeight = addTextField("txtHeight", QStringLiteral("&Höjd:"));
    txtHorisont = addTextField("txtHorisont", QStringLiteral("&Horisontell marginal:"));
    txtVertikal = addTextField("txtVertikal", QStringLiteral("&Vertikal marginal:"));
    txtRam = addTextField("txtRam", QStringLiteral("Ra&m:"));
    txtAlt = addTextField("txtAlt", QStringLiteral("&Alterativ text:"));
    cmbJustering =
        addComboBox("cmbJustering", QStringLiteral("&Justering:"),
                    {QStringLiteral("LEFT"), QStringLiteral("RIGHT"), QStringLiteral("TOP"),
                     QStringLiteral("MIDDLE"), QStringLiteral("BOTTOM")});
    txtUsemap = addTextField("txtUsemap", QStringLiteral("Lä&nkmapp:"));
    chkIsmap = addCheckBox("chkIsmap", QStringLiteral("&Ismap"));
    requireNonBlank(txtBild);
}

void frmInImg::writeTag() {
    startTag(QStringLiteral("<IMG"));
    attribute(QStringLiteral("SRC"), txtBild, AttrText);
    attribute(QStringLiteral("LOWSRC"), txtLowSrc, AttrText);
    // A width of 0 is left out; "50%" is written as a percentage, not as 50 pixels.
    sizeAttribute(QStringLiteral("WIDTH"), txtBredd, AttrNumberNonZero);
    sizeAttribute(QStringLiteral("HEIGHT"), txtHeight, AttrNumberNonZero);
    attribute(QStringLiteral("HSPACE"), txtHorisont, AttrNumber);
    attribute(QStringLiteral("VSPACE"), txtVertikal, AttrNumber);
    attribute(QStringLiteral("BORDER"), txtRam, AttrNumber);
    attribute(QStringLiteral("ALT"), txtAlt, AttrText);
    attribute(QStringLiteral("ALIGN"), cmbJustering, AttrText);
    attribute(QStringLiteral("USEMAP"), txtUsemap, AttrText);
    flag(QStringLiteral("ISMAP"), chkIsmap);
    closeStartTag();
    InsertTagText(TagBuffer);
}

// ---- The editor's menu items ----

void RegisterLinkDialogs() {
    RegisterTagDialog(QStringLiteral("mnuInLink"), [] {
        openTagDialog<frmInLnk>([](frmInLnk& d, const QString& selection) {
            // The link goes around the selected text.
            if (selection.isEmpty())
                return;
            d.txtBeskrivning->setText(selection);
            d.chkAddExit->setChecked(true);
        });
    });
    RegisterTagDialog(QStringLiteral("mnuInsBild"), [] { openTagDialog<frmInImg>(); });
}
