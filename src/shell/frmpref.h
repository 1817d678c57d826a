#pragma once
// The preferences window: the browser, the folder the editor starts in, the tool opened at
// start, the editor's font and the tag-writer style with a live preview. The style takes
// effect at once and is put back by Cancel; the rest is taken over by OK.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmPref : public QDialog {
    Q_OBJECT
public:
    explicit frmPref(QWidget* parent = nullptr);

    // Fills every control from the current settings; runs each time the window is shown.
    void Form_Load();

    void cmbLetter_Click();
    void cmbCitat_Click();
    void chkForcevers_Click();
    void cmbFonts_Click();
    void optMap_Click();
    void cmdCurrentPath_Click();
    void txtWeb_Change();
    void cmdBrowse_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The tag "<IMG SRC=... WIDTH=... ALIGN=...>" in the current tag-writer style.
    static QString PreviewTag();

    QGroupBox* frmPath;
    QLabel* lblWeb;
    QLineEdit* txtWeb;
    QPushButton* cmdBrowse;
    QLabel* lblOpenMapp;
    QRadioButton* optMap[2];
    QLineEdit* txtOpenMapp;
    QPushButton* cmdCurrentPath;
    QLabel* lblStartUp;
    QComboBox* cmdStartup;
    QGroupBox* frmHtml;
    QLabel* Label1;
    QComboBox* cmbFonts;
    QLabel* lblLetter;
    QComboBox* cmbLetter;
    QLabel* lblCitat;
    QComboBox* cmbCitat;
    QCheckBox* chkForcevers;
    QLabel* lblExempel;
    QLineEdit* txtExempel;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

signals:
    // OK was pressed: the font and the other settings may have changed.
    void settingsAccepted();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshPreview();
    void restoreStyle();
    int savedTagCase = 0;
    int savedQuoteStyle = 0;
    bool savedForceLowerCase = false;
    bool loading = false;
};

// The family the editor uses for a stored font name: the name itself when the screen has
// it (matched exactly, else ignoring case), the system's fixed-width font for "Fixedsys"
// or an empty name, otherwise "" (unknown).
QString EditorFontFamily(const QString& stored, const QStringList& screenFonts);
