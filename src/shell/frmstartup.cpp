#include "shell/frmstartup.h"

#include "markup/entities.h"
#include "markup/globals.h"
#include "markup/paths.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "shell/frmabout.h"
#include "shell/settings.h"
#include "shell/tools.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryFile>
#include <QVBoxLayout>

namespace {
frmStartUp* theLauncher = nullptr;
} // namespace

frmStartUp* Launcher() {
    return theLauncher;
}

void SaveSettings() {
    WriteSettings();
    // Closing the colour picker lets it store its own place.
    if (QWidget* picker = ExistingToolWindow(Tool::ColourPicker))
        picker->close();
    if (EndProgram)
        EndProgram(0);
    else
        QCoreApplication::exit(0);
}

frmStartUp::frmStartUp() {
    theLauncher = this;
    setWindowTitle(QStringLiteral("Vessilora"));

    mnuArkiv = menuBar()->addMenu(QStringLiteral("&Arkiv"));
    mnuArkivExit = mnuArkiv->addAction(QStringLiteral("&Avsluta"));
    mnuVisa = menuBar()->addMenu(QStringLiteral("Vi&sa"));
    mnuVisaColor = mnuVisa->addAction(QStringLiteral("&Webfärg..."));
    mnuVisaS1 = mnuVisa->addSeparator();
    mnuVisaPref = mnuVisa->addAction(QStringLiteral("&Inställningar..."));
    mnuHelp = menuBar()->addMenu(QStringLiteral("&Hjälp"));
    mnuHelpVessilora = mnuHelp->addAction(QStringLiteral("&Vessilora"));
    mnuHelpS1 = mnuHelp->addSeparator();
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&Om..."));

    auto* central = new QWidget(this);
    cmdEdit = new QPushButton(QStringLiteral("&Editera filer"), central);
    cmdWork = new QPushButton(QStringLiteral("&Bearbeta filer"), central);
    cmdFileCopy = new QPushButton(QStringLiteral("&Kopiera filer"), central);
    cmdExit = new QPushButton(QStringLiteral("A&vsluta"), central);
    auto* layout = new QVBoxLayout(central);
    for (QPushButton* button : {cmdEdit, cmdWork, cmdFileCopy, cmdExit}) {
        button->setMinimumSize(200, 36);
        layout->addWidget(button);
    }
    layout->setSpacing(8);
    layout->setContentsMargins(24, 16, 24, 20);
    setCentralWidget(central);
    cmdEdit->setDefault(true);

    connect(cmdEdit, &QPushButton::clicked, this, &frmStartUp::cmdEdit_Click);
    connect(cmdWork, &QPushButton::clicked, this, &frmStartUp::cmdWork_Click);
    connect(cmdFileCopy, &QPushButton::clicked, this, &frmStartUp::cmdFileCopy_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmStartUp::cmdExit_Click);
    connect(mnuArkivExit, &QAction::triggered, this, &frmStartUp::mnuArkivExit_Click);
    connect(mnuVisaColor, &QAction::triggered, this, &frmStartUp::mnuVisaColor_Click);
    connect(mnuVisaPref, &QAction::triggered, this, &frmStartUp::mnuVisaPref_Click);
    connect(mnuHelpVessilora, &QAction::triggered, this, &frmStartUp::mnuHelpVessilora_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmStartUp::mnuHelpAbout_Click);

    ShowPreferences = [] { ShowPreferencesWindow(); };
}

frmStartUp::~frmStartUp() {
    if (theLauncher == this)
        theLauncher = nullptr;
}

bool frmStartUp::selfCheck(int& exitCode) {
    const QString folder = ProgramFolder();
    // Settings and standard texts are written into the program folder.
    QTemporaryFile probe(JoinPath(folder, QStringLiteral(".vessilora-skrivtest-XXXXXX")));
    if (probe.open())
        return true;
    const MsgAnswer answer = platform().message(
        QStringLiteral("Det går inte att skriva i programmappen\n%1\n\nInställningar och "
                       "standardtexter kan därför inte sparas. Vill du fortsätta ändå?")
            .arg(folder),
        MsgIcon::Question, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes)
        return true;
    exitCode = 0;
    return false;
}

void frmStartUp::centreOnScreen() {
    const QSize screen = platform().screenSizeTwips() / TwipsPerPixel;
    const QSize frame = frameGeometry().size();
    move((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2);
}

bool frmStartUp::Form_Load(int& exitCode) {
    exitCode = 0;
    if (!selfCheck(exitCode))
        return false;
    IniFile = JoinPath(ProgramFolder(), QStringLiteral("vessilor.ini"));
    LoadSettings();
    NewLine = QStringLiteral("\r\n");
    adjustSize();
    centreOnScreen();
    SetStartValues();
    if (!LoadEntityTable()) {
        exitCode = 1;
        return false;
    }
    mnuVisaColor->setEnabled(ToolRegistered(Tool::ColourPicker));
    show();
    switch (StartUpTool) {
    case 1:
        cmdEdit_Click();
        break;
    case 2:
        cmdWork_Click();
        break;
    case 3:
        cmdFileCopy_Click();
        break;
    default:
        break;
    }
    if (!BrowserPath.isEmpty() && !QFileInfo(BrowserPath).isFile())
        ShowPreferencesWindow();
    return true;
}

void frmStartUp::openTool(Tool tool) {
    QWidget* window = ToolWindow(tool);
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
    hide();
}

void frmStartUp::cmdEdit_Click() {
    DocumentChanged = false;
    openTool(Tool::Editor);
}

void frmStartUp::cmdWork_Click() {
    openTool(Tool::Batch);
}

void frmStartUp::cmdFileCopy_Click() {
    openTool(Tool::FileCopy);
}

void frmStartUp::cmdExit_Click() {
    SaveSettings();
}

void frmStartUp::mnuArkivExit_Click() {
    SaveSettings();
}

void frmStartUp::closeEvent(QCloseEvent* event) {
    event->accept();
    SaveSettings();
}

void frmStartUp::mnuVisaColor_Click() {
    if (QWidget* picker = ToolWindow(Tool::ColourPicker)) {
        picker->show();
        picker->raise();
    }
}

void frmStartUp::mnuVisaPref_Click() {
    ShowPreferencesWindow();
}

void frmStartUp::mnuHelpVessilora_Click() {
    OpenInBrowser(ProgramFolder(), QStringLiteral("vessilor.htm"));
}

void frmStartUp::mnuHelpAbout_Click() {
    if (!aboutBox)
        aboutBox = new frmAbout(this);
    aboutBox->show();
    aboutBox->raise();
}
