#pragma once
// The font dialog: a FONT tag, any number of style tags and a vertical shift, written as one
// nested set of tags around the editor's selection; in its font-only mode (which
// tag-at-cursor editing uses) just the FONT start tag.

#include "dialogs/tagdialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

// "Teckensnitt": <FONT FACE=... COLOR=... SIZE=...> <B> <I> ... <SUP> around the selection.
class frmFont : public TagDialog {
    Q_OBJECT
public:
    frmFont();

    // Adds the font chosen in lstFont to the face list in txtFont.
    void cmdAddFont_Click();

    TextField* txtFont;
    QLabel* lblFont;
    QListWidget* lstFont;
    QPushButton* cmdAddFont;
    QComboBox* cmbSize;
    QLabel* lblSize;
    QComboBox* cmbColor;
    QPushButton* cmdViewWebcolor;
    QComboBox* cmbLodrat;
    QLabel* lblLodrat;
    QGroupBox* frmFormat;
    QCheckBox* chkBold;
    QCheckBox* chkItalic;
    QCheckBox* chkUnder;
    QCheckBox* chkStrike;
    QCheckBox* chkAdress;
    QCheckBox* chkBlink;
    QCheckBox* chkCite;
    QCheckBox* chkCode;
    QCheckBox* chkDfn;
    QCheckBox* chkEm;
    QCheckBox* chkKbd;
    QCheckBox* chkSample;
    QCheckBox* chkStrong;
    QCheckBox* chkTT;
    QCheckBox* chkVar;
    QCheckBox* chkOnlyFont;

protected:
    void Form_Load() override;
    void writeTag() override;

private:
    // The style boxes with their tag names, in the order the tags are nested.
    QList<QPair<QCheckBox*, QString>> m_styles;
};

// Registers the editor's menu item "mnuFormFont".
void RegisterFontDialog();
