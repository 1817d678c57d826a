#pragma once
// The find window and the search it runs in the editor's text. The window is created once
// and kept: closing it only hides it, so its search text and case box last for the run and
// find-next repeats the last search without it. While it is shown the editor is disabled.

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

class frmFind : public QDialog {
    Q_OBJECT

public:
    explicit frmFind(QWidget* parent = nullptr);

    // Disables the editor and shows the window with its search text selected. The first
    // showing loads the window (Form_Load); later ones keep the place the user gave it.
    void showOverEditor();

    void Form_Load();
    void Text1_Change();
    void cmdFind_Click();
    void cmdcancel_Click();

    QLineEdit* Text1;
    QCheckBox* chkCase;
    QPushButton* cmdFind;
    QPushButton* cmdcancel;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_loaded = false;
};

// The find window of this run, created on first use.
frmFind& FindWindow();
// The find window when it has been created, otherwise nullptr.
frmFind* ExistingFindWindow();

// Searches the editor's text for the search text of the find window (its escapes "\n", "\t"
// and "\\" expanded) from the end of the selection onwards, without wrapping round. A match
// is selected, the editor enabled and the find window hidden; otherwise the user is told
// that the text was not found and everything stays as it is.
void FindNext();
