#pragma once
// The two option dialogs of the batch window: frmKomprimera sets the line-break style and
// line compression of the "Komprimera" step, frmFindFel which of the three checks the
// "Sök fel" step runs. Each shows the program-wide batch settings when it opens and stores
// them only through its OK; the batch window writes them to the settings file.

#include "batch/frmbatchdialog.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

class frmKomprimera : public BatchDialog {
    Q_OBJECT
public:
    explicit frmKomprimera(QWidget* owner);

    void Form_Load();
    void cmdOK_Click();
    void cmdAvbryt_Click();

    QGroupBox* Frame1;
    // The option named optUnix stands for style 2 (CR, captioned Mac) and optMac for style 3
    // (LF, captioned Unix): the styles follow the captions.
    QRadioButton* optPC;
    QRadioButton* optUnix;
    QRadioButton* optMac;
    QCheckBox* chkKompRad;
    QPushButton* cmdOK;
    QPushButton* cmdAvbryt;
};

class frmFindFel : public BatchDialog {
    Q_OBJECT
public:
    explicit frmFindFel(QWidget* owner);

    void Form_Load();
    void cmdFelOk_Click();
    void Command1_Click();

    QCheckBox* chkHakfel;
    QCheckBox* chkCitFel;
    QCheckBox* chkStandardFel;
    QPushButton* cmdFelOk;
    QPushButton* Command1;
};
