#pragma once
// The seven small tag dialogs: line break, paragraph, bookmark, script, horizontal line,
// multi-column text and background sound. Each writes one tag (or a pair around the
// editor's selection) through the shared TagDialog framework.

#include "dialogs/tagdialog.h"

class QCheckBox;
class QComboBox;
class QLabel;

// "Infoga radbrytning": <BR CLEAR=...>.
class frmInBr : public TagDialog {
    Q_OBJECT
public:
    frmInBr();
    QComboBox* cmbClear;

protected:
    void writeTag() override;
};

// "Infoga stycke": <P ALIGN=...>, or a pair of paragraph tags around the selection. Opened
// by tag-at-cursor editing (ParagraphEditMode) it replaces the old paragraph tag.
class frmInP : public TagDialog {
    Q_OBJECT
public:
    frmInP();
    QComboBox* cmbJustering;
    QCheckBox* chkAddExit;

protected:
    void writeTag() override;
    void closed() override;
};

// "Infoga bokmärke": <A NAME=...>, optionally with a description and the end tag.
class frmInBok : public TagDialog {
    Q_OBJECT
public:
    frmInBok();

    TextField* txtName;
    TextField* txtBeskrivning;
    QLabel* lblBeskrivning;
    QCheckBox* chkAddExit;

protected:
    void writeTag() override;
};

// "Infoga script": <SCRIPT SRC=... LANGUAGE=...>, optionally followed by the end tag.
class frmInScript : public TagDialog {
    Q_OBJECT
public:
    frmInScript();
    TextField* txtSrc;
    QComboBox* cmbLang;
    QCheckBox* chkAddExit;

protected:
    void writeTag() override;
};

// "Infoga linje": <HR WIDTH=... SIZE=... ALIGN=... NOSHADE COLOR=...>.
class frmInLin : public TagDialog {
    Q_OBJECT
public:
    frmInLin();
    TextField* txtBredd;
    QCheckBox* chkProcent;
    TextField* txtTjock;
    QComboBox* cmbJustering;
    QCheckBox* chkNoShade;
    QComboBox* cmbColor;

protected:
    void writeTag() override;
};

// "(NS) Infoga spalter": <MULTICOL COLS=... WIDTH=... GUTTER=...>, or a pair around the
// selection.
class frmInMulticol : public TagDialog {
    Q_OBJECT
public:
    frmInMulticol();
    QLabel* lblVarning;
    TextField* txtAntal;
    TextField* txtBredd;
    TextField* txtHeight;
    QCheckBox* chkAddExit;

protected:
    void writeTag() override;
};

// "(IE) Bakgrundsljud": <BGSOUND SRC=... LOOP=...>, written into the document head.
class frmInBGSound : public TagDialog {
    Q_OBJECT
public:
    frmInBGSound();
    QLabel* lblVarning;
    TextField* txtSrc;
    QComboBox* cmbAntal;

protected:
    void writeTag() override;
};

// Registers the editor's menu items of these dialogs: "mnuInBr", "mnuFormStycke",
// "mnuInBok", "mnuInScript", "mnuInLin", "mnuFormMulticol", "mnuInBacksound".
void RegisterSmallDialogs();
