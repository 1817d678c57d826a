#pragma once
// The file copy window "Kopiera filer": publishes a site by copying the files of a source
// folder ("Från:") to a target folder ("Till:"), optionally with the folders below it, only
// the files changed at or after a date and time and matching a file type, and with the line
// breaks of HTML pages reduced to LF. The copy itself is FileCopy (filecopycore.h); this
// window chooses what it copies, lets window events run at its check points (so "Avbryt"
// works while it runs) and shows its counters and messages.
//
// Two layouts: choosing (the folder frames, the options and the check boxes; "&Starta
// kopiering") and reporting (the statistics frame with the message log; "&Ny kopiering"
// once the copy has ended, which returns to choosing).
//
// The window is created once and kept for the run. Showing it loads it (Form_Load: the
// target at CopyPath, the source at StartFolder, the designed options, the stored place);
// closing it unloads it (Form_Unload: CopyPath and the place stored, the launcher shown).
// While a copy runs, closing asks whether to cancel; the window closes only once the copy
// has stopped.

#include <QElapsedTimer>
#include <QWidget>

class DriveList;
class FileCopy;
class FolderList;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TextField;
struct CopyCounters;
struct CopyOptions;

class frmFileCopy : public QWidget {
    Q_OBJECT

public:
    explicit frmFileCopy(QWidget* parent = nullptr);
    ~frmFileCopy() override;

    void Form_Load();
    void Form_Unload();
    bool isLoaded() const { return m_loaded; }
    // True while a copy runs.
    bool isCopying() const { return m_copy != nullptr; }

    void driveFrom_Change(const QString& root);
    void driveTo_Change(const QString& root);
    void optCopyAll_Click();
    void optCopySome_Click();
    void txtNewMap_Change();
    void cmdMakeMap_Click();
    void cmdCopy_Click();
    void cmdCancel_Click();

    // Source.
    QGroupBox* frmFrom;
    QLabel* lblEnhet;
    DriveList* driveFrom;
    QLabel* Label1;
    FolderList* dirFrom;
    // Target.
    QGroupBox* frmTo;
    QLabel* lblToEnhet;
    DriveList* driveTo;
    QLabel* lblKatalog;
    FolderList* dirTo;
    QLabel* lblMakeCat;
    TextField* txtNewMap;
    QPushButton* cmdMakeMap;
    // What to copy.
    QRadioButton* optCopyAll;
    QRadioButton* optCopySome;
    QLabel* lblDate;
    TextField* txtDate;
    QLabel* lblTime;
    TextField* txtTime;
    QLabel* lblType;
    TextField* txtType;
    QCheckBox* chkCopyUnder;
    QCheckBox* chkCompFiles;
    // Statistics and messages.
    QGroupBox* frmStatistik;
    QLabel* lblTextFilesDone;
    QLabel* lblFilesDone; // "12 av 340": files gone through of those listed
    QLabel* lblTextFileCopy;
    QLabel* lblFilesCopy;
    QLabel* lblTextFilesComp;
    QLabel* lblFilesComp;
    QLabel* lblSaved;
    QLabel* lblCompBytes;
    QLabel* lblError;
    QPlainTextEdit* txtError;
    QPushButton* cmdCopy;
    QPushButton* cmdCancel;

    // Showing the window loads it when it is not loaded.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void setChoosing(bool choosing);
    void startCopy();
    void newCopy();
    // The criteria checked before a copy starts; false (after a message) when they are bad.
    bool readCriteria(CopyOptions& options);
    void appendLog(const QString& text);
    void showCounters(const CopyCounters& counters);
    void copyCheckpoint(const CopyCounters& counters);
    // Asks whether to cancel the running copy; true when answered Yes.
    bool askCancel();

    QWidget* m_choosing = nullptr; // the frames, options and check boxes
    bool m_loaded = false;
    bool m_reporting = false;   // the statistics are shown
    FileCopy* m_copy = nullptr; // the running copy
    bool m_closeWhenStopped = false;
    QElapsedTimer m_sinceEvents; // since window events last ran during the copy
};

void RegisterFileCopyWindow();
