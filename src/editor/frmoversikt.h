#pragma once
// The overview window "Överblick": the places in the editor's document where a chosen tag
// stands, or the stretches from one chosen tag to another; choosing an entry selects it in
// the editor. It is opened from the editor (F9) without blocking it, can stay open while the
// user edits, and goes when the editor closes. Its four settings are program-wide
// (OverviewFromTag, OverviewToTag, OverviewOnlyOne, OverviewBetween) and stored at exit.

#include "markup/overview.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QListView;
class QPushButton;
class TextArea;
class TextField;
class OverviewModel;

class frmOversikt : public QWidget {
    Q_OBJECT

public:
    // The overview of the document in text.
    explicit frmOversikt(TextArea* text, QWidget* parent = nullptr);
    ~frmOversikt() override;

    void Form_Load();
    void Form_Unload();
    void txtTagg1_Change();
    void txtTagg2_Change();
    void chkOnlyOne_Click();
    void chkViewOnly_Click();
    // Builds the list from the document as it is now.
    void cmdUpdate_Click();
    // Selects the chosen entry's stretch in the editor and gives the text the focus.
    void cmdView_Click();

    // The list of found texts, in document order (a list view over listinfo).
    QListView* lista;
    QPushButton* cmdUpdate;
    QPushButton* cmdView;
    QLabel* lblTagg1;
    TextField* txtTagg1;
    QLabel* lblTagg2;
    TextField* txtTagg2;
    QCheckBox* chkOnlyOne;
    QCheckBox* chkViewOnly;
    // The entries: what each shows and where it stands in the text as it was listed.
    OverviewList listinfo;

    // The text the list shows in row i.
    QString entryText(int i) const;
    int entryCount() const;
    // Chooses row i, as a click does.
    void chooseEntry(int i);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TextArea* m_text;
    OverviewModel* m_model;
};
