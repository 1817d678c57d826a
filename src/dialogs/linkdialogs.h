#pragma once
// The link and image dialogs: an anchor with an address, bookmark, title and target,
// optionally around a description; and an image tag.

#include "dialogs/tagdialog.h"

class QCheckBox;
class QComboBox;
class QLabel;

// "Infoga länk": <A HREF=... TITLE=... TARGET=...>, optionally with the description and
// the end tag.
class frmInLnk : public TagDialog {
    Q_OBJECT
public:
    frmInLnk();

    QComboBox* cmbPrefix;
    QLabel* lblPrefix;
    TextField* txtLink;
    QLabel* lblFil;
    TextField* txtBookmark;
    TextField* txtTitle;
    QComboBox* cmbJustering;
    QLabel* lblTarget;
    QCheckBox* chkAddExit;
    TextField* txtBeskrivning;
    QLabel* lblBesk;

protected:
    void writeTag() override;
};

// "Infoga bild": <IMG SRC=... LOWSRC=... WIDTH=... HEIGHT=... ... ISMAP>.
class frmInImg : public TagDialog {
    Q_OBJECT
public:
    frmInImg();

    TextField* txtBild;
    QLabel* lblImg;
    TextField* txtLowSrc;
    TextField* txtBredd;
    TextField* txtHeight;
    TextField* txtHorisont;
    TextField* txtVertikal;
    TextField* txtRam;
    TextField* txtAlt;
    QComboBox* cmbJustering;
    TextField* txtUsemap;
    QCheckBox* chkIsmap;

protected:
    void writeTag() override;
};

// Registers the editor's menu items "mnuInLink" (prefilled from the selection) and
// "mnuInsBild".
void RegisterLinkDialogs();
