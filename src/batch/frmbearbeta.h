#pragma once
// The batch window "Vessilora - Bearbeta filer": the user picks a folder and files in it (or
// every matching file of the folder and all folders below it), ticks the operations and
// starts the run. The summaries under each group show the settings of the search-and-replace
// list and of the two option dialogs. Everything the window shows is kept in section
// "Bearbeta" of the settings file.
//
// The window is created once and kept for the run: showing it loads it (Form_Load), closing
// it unloads it (Form_Unload: the settings written, the launcher shown again). While one of
// its dialogs or the progress window is open the window is disabled.

#include <QMainWindow>
#include <QPointer>
#include <QString>

class DriveList;
class FileList;
class FolderList;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class frmAbout;
class frmFindFel;
class frmKomprimera;
class frmSok;
class frmStatus;

class frmBearbeta : public QMainWindow {
    Q_OBJECT

public:
    explicit frmBearbeta(QWidget* parent = nullptr);
    ~frmBearbeta() override;

    void Form_Load();
    void Form_Unload();
    bool isLoaded() const { return m_loaded; }
    // Refreshes the summary labels and the file list's filter (the selection is kept).
    void ShowBatchSettings();

    // --- Event handlers ---
    void Enhet_Change(const QString& root);
    void Katalog_Change();
    void txtFilfilter_Change();
    void cmdAll_Click();
    void cmdInvert_Click();
    void chkUnderKat_Click();
    void chkBackup_Click();
    void findandreplace_Click();
    void chkKomprimera_Click();
    void chkFindErr_Click();
    void cmdFindandreplace_Click();
    void cmdKompInstall_Click();
    void cmdFelInstall_Click();
    // Starts the run: the start checks, the progress window, the run itself.
    void cmdStartOne_Click();
    void mnuExit_Click();
    void mnuExitWeb_Click();
    void mnuArkivWeb_Click();
    void mnuArkivInst_Click();
    void mnuHelpWebVessilora_Click();
    void mnuHelpAbout_Click();

    // The windows this window has open, nullptr when closed.
    frmSok* searchWindow() const;
    frmKomprimera* compressWindow() const;
    frmFindFel* errorWindow() const;
    frmStatus* statusWindow() const;

    // The folder the last run started in.
    QString RootFolder;

    // --- Controls ---
    DriveList* Enhet;
    FolderList* Katalog;
    FileList* Filer;
    QLabel* lblFilFilter;
    QLineEdit* txtFilfilter;
    QPushButton* cmdAll;
    QPushButton* cmdInvert;
    QCheckBox* chkUnderKat;
    QGroupBox* frmBackup;
    QCheckBox* chkBackup;
    QLabel* lblBack;
    QLineEdit* txtBack;
    QGroupBox* Frame1;
    QCheckBox* findandreplace;
    QCheckBox* chkMatcha;
    QPushButton* cmdFindandreplace;
    QLabel* lblSokInfo;
    QCheckBox* chkConvert;
    QGroupBox* Frame2;
    QCheckBox* chkKomprimera;
    QPushButton* cmdKompInstall;
    QLabel* lblKompInfo;
    QLabel* lblKompRad;
    QGroupBox* Frame3;
    QCheckBox* chkFindErr;
    QPushButton* cmdFelInstall;
    QLabel* lblFelHak;
    QLabel* lblFelCit;
    QLabel* lblFelStandard;
    QPushButton* cmdStartOne;

    QMenu* mnuArkiv;
    QAction* mnuExit;
    QAction* mnuExitWeb;
    QMenu* mnuView;
    QAction* mnuArkivWeb;
    QAction* mnuArkivInst;
    QMenu* mnuHelp;
    QAction* mnuHelpWebVessilora;
    QAction* mnuHelpAbout;

public slots:
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void writeSettings();
    // Re-reads the file list with the filter, keeping the selected files selected.
    void refreshFiles();
    // Opens one of the dialogs of the window; its close enables the window again and
    // refreshes the summaries.
    template <typename Dialog> void openDialog(QPointer<Dialog>& slot);
    QStringList selectedFiles() const;

    bool m_loaded = false;
    QPointer<frmSok> m_sok;
    QPointer<frmKomprimera> m_komprimera;
    QPointer<frmFindFel> m_findFel;
    QPointer<frmStatus> m_status;
    QPointer<frmAbout> m_about;
};

// Registers the batch window with the launcher.
void RegisterBatchWindow();
