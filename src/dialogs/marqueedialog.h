#pragma once
// The marquee dialog of the editor's Insert menu: a scrolling text, written as the MARQUEE
// start tag alone or as the start tag, the text and the end tag.

#include "dialogs/tagdialog.h"

class QCheckBox;
class QComboBox;
class QLabel;

// "(IE) Marquee": <MARQUEE ALIGN=... BEHAVIOR=... BGCOLOR=... DIRECTION=... WIDTH=...
// HEIGHT=... LOOP=... HSPACE=... VSPACE=... SCROLLAMOUNT=... SCROLLDELAY=...>text</MARQUEE>.
class frmInMarquee : public TagDialog {
    Q_OBJECT
public:
    frmInMarquee();
    TextField* txtText;
    QLabel* lblText;
    QCheckBox* chkAddExit;
    QComboBox* cmbJustering;
    QComboBox* cmbBehav;
    QComboBox* cmbBackcolor;
    QComboBox* cmbDirection;
    TextField* txtBredd;
    QCheckBox* chkBProc;
    TextField* txtHeight;
    QCheckBox* chkHProc;
    QComboBox* cmbAntal;
    TextField* txtHspace;
    TextField* txtVSpace;
    TextField* txtScrollA;
    TextField* txtScrollDelay;
    QLabel* lblVarning;

protected:
    void writeTag() override;
};

// Registers "mnuMarquee": the editor's selection, when there is one, becomes the text.
void RegisterMarqueeDialog();
