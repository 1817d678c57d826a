#pragma once
// "Sök och ersätt": edits the list of search-and-replace pairs the batch run applies. The pairs
// live in the two lists side by side (entry i of soklist and of ersattlist form pair i, and
// both lists always have the same current entry); OK stores them in PairCount, SearchTexts and
// ReplaceTexts, Avbryt leaves the stored list as it was. The list is kept in memory only.
//
// cmdAdd reads "L&ägg till" while a new pair is typed and "&Ändra" while the current pair is
// edited; choosing a pair in either list loads it for editing.

#include "batch/frmbatchdialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmSok : public BatchDialog {
    Q_OBJECT
public:
    explicit frmSok(QWidget* owner);

    // Fills the lists from the stored pairs; both fields empty, adding.
    void Form_Load();

    // A pair chosen in one of the lists: the other list follows and the fields show the pair.
    void soklist_Click();
    void ersattlist_Click();
    void cmdNew_Click();
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdMoveUp_Click();
    void cmdMoveDown_Click();
    void cmdDublicate_Click();
    void cmdSwap_Click();
    void cmdHtmlKod_Click();
    void cmdHtmlkodAll_Click();
    void cmdSokOk_Click();
    void cmdSokCancel_Click();

    // True while cmdAdd reads "&Ändra".
    bool isEditing() const;

    QLabel* lbllistSok;
    QListWidget* soklist;
    QLabel* lblListErsatt;
    QListWidget* ersattlist;
    QLabel* lblsoktext;
    QLineEdit* txtSok;
    QLabel* lblErsatt;
    QLineEdit* txtErsatt;
    QPushButton* cmdAdd;
    QPushButton* cmdNew;
    QPushButton* cmdDelete;
    QPushButton* cmdMoveUp;
    QPushButton* cmdMoveDown;
    QPushButton* cmdDublicate;
    QPushButton* cmdSwap;
    QPushButton* cmdHtmlKod;
    QPushButton* cmdHtmlkodAll;
    QPushButton* cmdSokOk;
    QPushButton* cmdSokCancel;

private:
    // Makes pair index current in both lists and loads it for editing (the click rule).
    void choose(int index);
    void setEditing(bool editing);
    void swapPairs(int a, int b);
    int current() const;
};
