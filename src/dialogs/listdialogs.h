#pragma once
// The list dialogs: a bulleted, a numbered and a definition list, each written as a whole
// skeleton with an optional heading and a chosen number of empty items.

#include "dialogs/tagdialog.h"

class QCheckBox;
class QComboBox;

// What the three list dialogs share: the number of items, the heading, and the writing of
// the list around the start tag each dialog builds.
class ListDialog : public TagDialog {
    Q_OBJECT
public:
    TextField* txtAntal;
    TextField* txtTitel;

protected:
    explicit ListDialog(const QString& caption);
    // After the start tag's attributes were appended to TagBuffer: closes the start tag, adds
    // the heading, one line of itemTags per item and the end tag, and inserts the list.
    void writeList(const QString& endTag, const QString& firstItemTag,
                   const QString& secondItemTag);
};

// "Infoga punktlista": <UL TYPE=... | SRC=... COMPACT CONTINUE> with <LI> </LI> items.
class frmInBul : public ListDialog {
    Q_OBJECT
public:
    frmInBul();
    QComboBox* cmbTyp;
    TextField* txtBild;
    QCheckBox* chkCompact;
    QCheckBox* chkMulti;

protected:
    void writeTag() override;
};

// "Infoga numrerad lista": <OL TYPE=... SEQNUM=... COMPACT CONTINUE> with <LI> </LI> items.
class frmInNum : public ListDialog {
    Q_OBJECT
public:
    frmInNum();
    QComboBox* cmbTyp;
    TextField* txtStart;
    QCheckBox* chkCompact;
    QCheckBox* chkContinue;

protected:
    void writeTag() override;
};

// "Infoga definitionslista": <DL COMPACT> with <DT> <DD> entries.
class frmInDef : public ListDialog {
    Q_OBJECT
public:
    frmInDef();
    QCheckBox* chkCompact;

protected:
    void writeTag() override;
};

// Registers the editor's menu items "mnuInBul", "mnuInNum" and "mnuInDef".
void RegisterListDialogs();
