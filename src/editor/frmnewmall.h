#pragma once
// New documents from templates: the HTML files of the folder "mallar" in the program folder.
//
// frmNewMall lists the templates and hands the chosen one's text to the editor. It is created
// for each use (frmNewMall::Open()) and destroyed when it closes. While it is open the editor
// window is disabled. However it closes (OK, Avbryt, Esc, its close box, or at once because
// there is no template), it enables the editor again and stores the selected name ("" when
// none is selected) as the last template (section "Mall", key "File").

#include <QDialog>
#include <QString>

class FileList;
class QCloseEvent;
class QLabel;
class QListWidget;
class QPushButton;

class frmNewMall : public QDialog {
    Q_OBJECT

public:
    frmNewMall();
    ~frmNewMall() override;

    // Creates the window and loads it; when there are templates it is shown and returned,
    // otherwise the user was told so, the window is already closed and nullptr is returned.
    static frmNewMall* Open();

    // Centres the window over the editor, disables the editor and lists the templates,
    // selecting entry 0, then the one stored as the last template. Without templates: the
    // message, then the window closes; false is returned.
    bool Form_Load();
    // Reads the selected template whole and raises documentChosen() with its text, then
    // closes. An unreadable template is reported and the window stays open.
    void cmdOK_Click();
    void cmdCancel_Click();
    void lstMalllista_DblClick();

    QLabel* lblSelect;
    QListWidget* lstMalllista;
    FileList* lstMallfiler; // hidden: reads the folder
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

signals:
    // A template was chosen: text is its whole content, line breaks as they are. The editor
    // puts it into the text area as a new document that has no file yet (CurrentFile "",
    // DocumentChanged false) and updates its caption.
    void documentChosen(const QString& text);

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void centreOverEditor();
    void Form_Unload();
    bool m_unloaded = false;
};

// The template folder, "mallar" in the program folder.
QString TemplateFolder();
// The template of that name in the template folder: the exact name, or else a file whose name
// differs only in letter case. "" for an empty name or one holding a folder.
QString TemplatePath(const QString& name);

// The text of the template chosen last (new document from the last template). False when
// none is stored or it cannot be read; text is left as it was then.
bool ReadLatestTemplate(QString& text);
// What the editor tells the user when ReadLatestTemplate() fails.
QString NoLatestTemplateMessage();
