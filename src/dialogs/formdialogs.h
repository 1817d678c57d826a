#pragma once
// The form dialogs of the editor's Form menu: the form itself, text fields and text areas,
// radio buttons, check boxes, hidden fields, submit and reset buttons, and selection lists
// with their options. Tag-at-cursor editing reopens each of them on an existing tag.

#include "dialogs/tagdialog.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;

// "Infoga formulär": <FORM METHOD=... ACTION=... ENCTYPE=... SCRIPT=... TARGET=...>,
// optionally with an empty line and </FORM>.
class frmInForm : public TagDialog {
    Q_OBJECT
public:
    frmInForm();

    TextField* txtAction;
    QRadioButton* optPost;
    QRadioButton* optGet;
    QComboBox* cmbMime;
    TextField* txtUrlScript;
    QComboBox* cmbTarget;
    QCheckBox* chkAddExit;

protected:
    void writeTag() override;
};

// "Textruta": a one-line <INPUT TYPE="TEXT"> or "PASSWORD" field, or a <TEXTAREA>,
// optionally with its initial text and end tag.
class formTextEn : public TagDialog {
    Q_OBJECT
public:
    formTextEn();

    TextField* txtName;
    TextField* txtDeafult;
    TextField* txtMax;
    TextField* txtSize;
    TextField* txtHojd;
    QComboBox* cmbWrap;
    QCheckBox* chkEn;
    QCheckBox* chkPassword;
    QCheckBox* chkAddExit;

protected:
    void writeTag() override;
};

// An <INPUT> of one type with a name and a value.
class InputTagDialog : public TagDialog {
    Q_OBJECT
public:
    TextField* txtName = nullptr;
    TextField* txtValue = nullptr;

protected:
    using TagDialog::TagDialog;
    // Adds the name field and the value field with its label.
    void addNameAndValue(const QString& valueLabel);
    // TagBuffer = "<INPUT TYPE=... NAME=... VALUE=...", not yet closed.
    void startInputTag(const QString& type);
};

// An <INPUT> that may be written CHECKED.
class CheckedInputDialog : public InputTagDialog {
    Q_OBJECT
public:
    QCheckBox* chkChecked;

protected:
    CheckedInputDialog(const QString& caption, const QString& type);
    void writeTag() override;

private:
    QString m_type;
};

// "Infoga Alternativknapp": <INPUT TYPE="RADIO" NAME=... VALUE=... CHECKED>.
class formRadio : public CheckedInputDialog {
    Q_OBJECT
public:
    formRadio();
};

// "Infoga kryssruta": <INPUT TYPE="CHECKBOX" NAME=... VALUE=... CHECKED>.
class FormCheck : public CheckedInputDialog {
    Q_OBJECT
public:
    FormCheck();
};

// "Dolt fält": <INPUT TYPE="HIDDEN" NAME=... VALUE=...>.
class FormHide : public InputTagDialog {
    Q_OBJECT
public:
    FormHide();

protected:
    void writeTag() override;
};

// "Infoga knapp": <INPUT TYPE="SUBMIT"> or "RESET" with a name and a text.
class FormButton : public InputTagDialog {
    Q_OBJECT
public:
    FormButton();

    QRadioButton* optSubmit;
    QRadioButton* optClear;

protected:
    void writeTag() override;
};

// "Infoga lista": <SELECT NAME=... VALUE=... SIZE=... MULTIPLE>, optionally with its options
// and </SELECT>. The options are edited in two lists kept in step: lstForm shows each
// option's text behind a two-character mark ("* " preselected, two blanks otherwise),
// lstValue its value. The last entry of both is always empty: filling it adds an option.
class FormLista : public TagDialog {
    Q_OBJECT
public:
    FormLista();

    TextField* txtName;
    TextField* txtValue;
    TextField* txtSynliga;
    QCheckBox* chkChecked;
    QCheckBox* chkAddExit;
    QListWidget* lstForm;
    QListWidget* lstValue;
    TextField* txtData;
    TextField* txtDatValue;
    QCheckBox* chkMark;
    QPushButton* cmdAdd;
    QPushButton* cmdDelete;
    QPushButton* cmdMoveUp;
    QPushButton* cmdMoveDown;

    // An entry of lstForm chosen (by the user or the program): the add button's caption, and
    // for a filled entry its text, value and mark in the fields.
    void lstForm_Click();
    // Stores the fields into the chosen entry; filling the empty entry adds an option.
    void cmdAdd_Click();
    // Removes the chosen option; the empty entry stays.
    void cmdDelete_Click();
    // Moves the chosen option past its neighbour; the empty entry stays last.
    void cmdMoveUp_Click();
    void cmdMoveDown_Click();

protected:
    void Form_Load() override;
    void writeTag() override;

private:
    // Chooses the entry in both lists (none for -1) and runs its click.
    void chooseEntry(int row);
    void swapEntries(int row, int other);
    // The entry of both lists, as a new empty one at the end.
    void appendEmptyEntry();
};

// Registers the editor's menu items of these dialogs: "mnuInsFormData", "mnuInsFormText",
// "mnuInsFormRadio", "mnuInsFormChk", "mnuInsFormHide", "mnuInsFormBut", "mnuInsFormList".
void RegisterFormDialogs();
