#pragma once
// The table dialogs of the editor's Table menu: a whole table skeleton with a number of rows
// and columns, and the start tags of a table, a row and a cell (each optionally with its end
// tag). The last three are the ones tag-at-cursor editing reopens on an existing tag.

#include "dialogs/tagdialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// A table dialog: its colour boxes take colours dragged from the colour picker, which the
// button "Webfärgväljaren" beside OK and Avbryt shows.
class TableTagDialog : public TagDialog {
    Q_OBJECT
public:
    QPushButton* cmdViewWebcolor;

protected:
    explicit TableTagDialog(const QString& caption);
};

// The dialogs that write a <TABLE> start tag: its size, border, spacing, colour and
// alignment fields.
class TableStartDialog : public TableTagDialog {
    Q_OBJECT
public:
    TextField* txtBredd = nullptr;
    QCheckBox* chkBProc = nullptr;
    TextField* txtHeight = nullptr;
    QCheckBox* chkHProc = nullptr;
    TextField* txtRam = nullptr;
    TextField* txtCellPadd = nullptr;
    TextField* txtCellspace = nullptr;
    QComboBox* cmbBackcolor = nullptr;
    QComboBox* cmbRamfarg = nullptr;
    QComboBox* cmbJustering = nullptr;

protected:
    using TableTagDialog::TableTagDialog;
    // Adds the fields at this point of the layout: the sizes and spacings, then in a new
    // column the colours and the alignment.
    void addTableFields();
    // TagBuffer = "<TABLE" with the fields' attributes, not yet closed.
    void startTableTag();
};

// "Infoga tabell": a <TABLE> with an optional caption and rows x columns of empty cells.
class frmInTab : public TableStartDialog {
    Q_OBJECT
public:
    frmInTab();

    // The most rows and columns a skeleton gets; a larger number typed is read as this.
    static constexpr int MaxCount = 1000;

    TextField* txtRows;
    TextField* txtCol;
    TextField* txtCaption;
    QComboBox* cmbPlace;
    QLabel* lblPlacering;
    QCheckBox* chkNoWrap;

protected:
    void writeTag() override;
};

// "Tabellhuvud": the <TABLE> start tag, optionally with </TABLE> on the next line.
class frmTabHead : public TableStartDialog {
    Q_OBJECT
public:
    frmTabHead();

    TextField* txtSummering;
    QCheckBox* chkAddEnd;

protected:
    void writeTag() override;
};

// "Tabellrad": the <TR> start tag, optionally followed by " </TR>".
class frmTabTr : public TableTagDialog {
    Q_OBJECT
public:
    frmTabTr();

    QComboBox* cmbJustering;
    QComboBox* cmbValign;
    QComboBox* cmbBackcolor;
    QCheckBox* chkAddEnd;

protected:
    void writeTag() override;
};

// "Tabellcell": the <TD> start tag, optionally followed by " </TD>".
class frmTabTD : public TableTagDialog {
    Q_OBJECT
public:
    frmTabTD();

    TextField* txtBredd;
    TextField* txtHeight;
    TextField* txtRowspan;
    TextField* txtColspan;
    QComboBox* cmbJustering;
    QComboBox* cmbValign;
    QComboBox* cmbBackcolor;
    QCheckBox* chkNoWrap;
    QCheckBox* chkAddEnd;

protected:
    void writeTag() override;
};

// Registers the editor's menu items of these dialogs: "mnuTableNew", "mnuTabHead",
// "mnuTabTr", "mnuTabTD".
void RegisterTableDialogs();
