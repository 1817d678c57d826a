#pragma once
// The frame dialogs and the embedded-object dialog of the editor's Insert menu: a frameset
// start tag (with its end tag if wanted), one frame tag, and an EMBED tag (with its end tag if
// wanted).

#include "dialogs/tagdialog.h"

class QCheckBox;
class QComboBox;

// "Frameset": <FRAMESET ROWS=... COLS=... FRAMEBORDER=...>, optionally " </FRAMESET>".
class frmFrameset : public TagDialog {
    Q_OBJECT
public:
    frmFrameset();
    TextField* txtRows;
    TextField* txtCols;
    QComboBox* cmbBorder;
    QCheckBox* chkAddExit;

protected:
    void writeTag() override;
};

// "Frame": <FRAME NAME=... SRC=... SCROLLING=... MARGINWIDTH=... MARGINHEIGHT=... NORESIZE
// FRAMEBORDER=... BORDER=...>; one border choice writes both border attributes.
class frmFrame : public TagDialog {
    Q_OBJECT
public:
    frmFrame();
    TextField* txtName;
    TextField* txtSrc;
    QComboBox* cmbScrolling;
    TextField* txtMarginwidth;
    TextField* txtMarginheight;
    QComboBox* cmbBorder;
    QCheckBox* chkNoresize;

protected:
    void writeTag() override;
};

// "Infoga inbäddat objekt": <EMBED SRC=... WIDTH=... HEIGHT=... NAME=... LOOP=...
// AUTOSTART=...>, optionally " </EMBED>".
class frmInInb : public TagDialog {
    Q_OBJECT
public:
    frmInInb();
    TextField* txtTitel;
    TextField* txtBredd;
    QCheckBox* chkBProc;
    TextField* txtHeight;
    QCheckBox* chkHProc;
    TextField* txtName;
    QComboBox* cmbLoop;
    QComboBox* cmbAuto;
    QCheckBox* chkAddEnd;

protected:
    void writeTag() override;
};

// Registers "mnuInsFrameset", "mnuInsFrame" and "mnuInInb".
void RegisterFrameDialogs();
