#pragma once
// The launcher: the program's first window and its hub. It prepares what every window
// shares, opens the three tools and ends the program.

#include "shell/tools.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QPushButton;
class frmAbout;

class frmStartUp : public QMainWindow {
    Q_OBJECT
public:
    frmStartUp();
    ~frmStartUp() override;

    // The start-up sequence. Returns false when the program must end at once; exitCode is
    // then the code to end with.
    bool Form_Load(int& exitCode);

    void cmdEdit_Click();
    void cmdWork_Click();
    void cmdFileCopy_Click();
    void cmdExit_Click();
    void mnuArkivExit_Click();
    void mnuVisaColor_Click();
    void mnuVisaPref_Click();
    void mnuHelpVessilora_Click();
    void mnuHelpAbout_Click();

    QPushButton* cmdEdit;
    QPushButton* cmdWork;
    QPushButton* cmdFileCopy;
    QPushButton* cmdExit;
    QMenu* mnuArkiv;
    QAction* mnuArkivExit;
    QMenu* mnuVisa;
    QAction* mnuVisaColor;
    QAction* mnuVisaS1;
    QAction* mnuVisaPref;
    QMenu* mnuHelp;
    QAction* mnuHelpVessilora;
    QAction* mnuHelpS1;
    QAction* mnuHelpAbout;
    frmAbout* aboutBox = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool selfCheck(int& exitCode);
    void openTool(Tool tool);
    void centreOnScreen();
};

// The launcher of this run, or nullptr before it exists.
frmStartUp* Launcher();
