#pragma once
// The page guide "Skapa ny sida": ten values, one page each (the title, the background, five
// colours, keywords, description and author), then a complete page skeleton becomes the
// editor's new document. Every value may be left empty; an empty value leaves its tag or
// attribute out. The answers are kept for the run (GuideValues), so a second run shows them.

#include "guides/guidewindow.h"

class QLabel;
class QPushButton;
class TextField;

class frmGuide : public GuideWindow {
    Q_OBJECT
public:
    frmGuide();

    // Centres the guide over the editor, disables the editor and shows page 0.
    void Form_Load();
    // Gives the editor back and deletes the guide.
    void Form_Unload();

    // Page n: its caption, explanation, enabled controls, and its value selected.
    void showPage(int page);

    void cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click() override;
    void cmdPaste_Click();
    void cmdViewWebcolor_Click();

    QLabel* lblInfo;
    QLabel* lblValue;
    TextField* txtValue;
    QPushButton* cmdPaste;
    QPushButton* cmdViewWebcolor;
    QPushButton* cmdBack;
    QPushButton* cmdNext;
    QPushButton* cmdCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes the page into the editor as a new document and ends the guide.
    void finish();
};

// Opens the page guide (the editor's "Guide..." item), or brings the open one to the front.
void OpenPageGuide();
// The open page guide, or nullptr.
frmGuide* PageGuideWindow();
