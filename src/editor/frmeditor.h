#pragma once
// The editor window "Vessilora - Editor": one document in the text area txtText, a folder
// browser on the left (Filer, Katalog, Enhet, txtFilfilter) that opens a file with one click,
// a strip of ten labels above the text that open the most used tag dialogs, and the menu bar
// that reaches every editing command.
//
// The window is created once and kept for the run. Showing it loads it (Form_Load: a new
// document, the stored settings, the last file); closing it unloads it (Form_Unload: the save
// prompt, the settings written, the launcher shown again) and only hides it.
//
// Menu items are QAction members named after their menu path. An item works when its handler
// is connected in connectMenuItems() (frmeditor_menus.cpp) or, for the tag dialogs, when the
// dialogs library has registered an opener under the item's name (dialogregistry.h); every
// other item is shown disabled. Adding a command is one private slot and one line there.
//
// The window's code is split by concern: frmeditor.cpp (document lifecycle and settings),
// frmeditor_layout.cpp (file panes, tag strip, resize rules, keys of the text area) and
// frmeditor_menus.cpp (the menu bar and its handlers).

#include "platform/platform.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QSize>
#include <QString>
#include <functional>

struct CheckOutcome;
struct TextEdit;
class DriveList;
class FileList;
class PickList;
class FolderList;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class TextArea;
class frmAbout;
class frmOversikt;

// True while every strip label shows its idle (grey) colour, so moving the mouse over the text
// does not repaint the strip each time.
inline bool StripIdle = true;

class frmEditor : public QMainWindow {
    Q_OBJECT

public:
    explicit frmEditor(QWidget* parent = nullptr);
    ~frmEditor() override;

    // Why the last OpenDocument() failed.
    enum class OpenFailure { None, Unreadable, TooLarge };

    // --- Document lifecycle ---
    // Loads the window: the panes at StartFolder, a new document, the stored settings of
    // section "Editor" and the last file. Runs when the window is shown after an unload.
    void Form_Load();
    // The save prompt, then the settings written and the launcher shown. False (nothing
    // written, the window stays) when the user cancels.
    bool Form_Unload();
    bool isLoaded() const { return m_loaded; }

    // Reads the file into the text area (a final CR LF of a text of 3 or more characters is
    // dropped, as every save adds one). False when the file cannot be read or is too large;
    // openFailure() then says which, and the text stays as it was.
    bool OpenDocument(const QString& path);
    OpenFailure openFailure() const { return m_openFailure; }
    // The caption from CurrentFile and DocumentChanged; unless TitleOnly, also re-reads the
    // file list and selects the open document in it.
    void UpdateTitle(bool TitleOnly);
    // "Dokumentet är ändrat. Vill du spara?" when the document has changed. Yes saves first;
    // when that save did not happen (it failed or the file name dialog was cancelled) the
    // answer is Cancel, so the command that asked stops and nothing is lost.
    MsgAnswer SavePrompt();

    // --- Layout ---
    void Form_Resize();
    void LayoutStrip();
    // Steps the file list (wrapping at the ends) and opens the newly selected file.
    void SelectNextFile();
    void SelectPreviousFile();

    // --- Event handlers ---
    void Filer_Click(int index);
    void Filer_KeyUp(int key, Qt::KeyboardModifiers modifiers);
    void Filer_MouseUp();
    void Katalog_Change();
    void Enhet_Change(const QString& root);
    void txtFilfilter_Change();
    void txtText_Change();
    void txtText_KeyUp(int key, Qt::KeyboardModifiers modifiers);
    void txtText_DragDrop(const QString& colour);
    void lblMenu_MouseUp(int index, Qt::MouseButton button);
    void lblMenu_MouseMove(int index);
    void Form_MouseMove();

    // --- Controls ---
    TextArea* txtText;
    FileList* Filer;
    FolderList* Katalog;
    DriveList* Enhet;
    QLabel* lblFilFilter;
    QLineEdit* txtFilfilter;
    QLabel* lblMenu[10] = {};
    // The encoding the document is saved in ("Windows-1252", "UTF-8"), beside the menus.
    QLabel* lblEncoding = nullptr;
    // The pick lists over the text area: index 0 the standard texts (F2), index 1 the HTML
    // characters (F4). Hidden while not in use.
    PickList* cmbMagicText[2];
    // The width the standard-text list needs, in twips.
    int StandardListWidth = 1275;
    // Set only while the window itself moves the file-list selection to the open document.
    bool IgnoreFileClick = false;

    // --- Menus ---
    // Every item of the menu bar by its name ("mnuArkivSpara"), nullptr for an unknown name.
    QAction* menuItem(const QString& name) const;
    // Every menu and submenu by its name ("mnuVisa").
    QMenu* menu(const QString& name) const;
    // The menus and items the window's own code works with.
    QMenu* mnuVisa;
    QMenu* mnuInsForm;
    QMenu* mnuInList;
    QMenu* mnuTable;
    QAction* mnuEditAuto;
    QAction* mnuViewFile;
    QAction* mnuViewObj;

    // Enables the items that have a handler or a registered tag dialog, disables the rest.
    void refreshMenuItems();

    // --- Standard texts and templates ---
    // Reads "standard.txt" into the standard-text list and measures its width; a file that
    // cannot be read leaves the list as it was.
    void LoadStandardTexts();
    // Shows pick list Index over the text area (an empty standard-text list offers to edit
    // "standard.txt" instead).
    void mnuEditStandard_Click(int Index);
    // Opens "standard.txt" in the editor, creating it when it is missing.
    void mnuEditStandardOpen_Click();
    // Adds the selection's lines to the standard texts and rewrites "standard.txt".
    void mnuEditStandardAddMark_Click();
    // The save prompt, then the template window.
    void mnuNewMall_Click();
    // The save prompt, then a new document from the template chosen last.
    void mnuFileNewLatest_Click();

public slots:
    // The document commands other commands and windows run.
    void mnuArkivNew_Click();
    void mnuArkivSpara_Click();
    void mnuArkivSaveAs_Click();

private slots:
    void mnuArkivRun_Click();
    // Shows the overview window without blocking, restored when it was minimised.
    void mnuOverblick_Click();
    // Saves the document in the other encoding (Windows-1252 or UTF-8), asking first when
    // characters would become "&#N;".
    void mnuArkivEncoding_Click();
    void mnuEditStandard0_Click() { mnuEditStandard_Click(0); }
    void mnuEditStandard1_Click() { mnuEditStandard_Click(1); }
    void mnuFileUpdate_Click();
    void mnuExit_Click();
    void mnuExitWeb_Click();
    void mnuEditSok_Click();
    void mnuEditFindNext_Click();
    void mnuViewFile_Click();
    void mnuViewObj_Click();
    void mnuArkivWeb_Click();
    void mnuArkivLookIn_Click();
    void mnuHelpWebVessilora_Click();
    void mnuHelpAbout_Click();
    void applyStoredFont();

    // Text commands (frmeditor_commands.cpp).
    void mnuEditUndo_Click();
    void mnuEditRepeat_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditDelTagg_Click();
    void mnuEditAll_Click();
    void mnuEditGem_Click();
    void mnuEditVersal_Click();
    void mnuEditKill_Click();
    void mnuEditRader_Click();
    void mnuRadPc_Click();
    void mnuRadMac_Click();
    void mnuRadUnix_Click();
    void mnuEditConvert_Click();
    void mnuEditConvAscii_Click();
    void mnuToolsSort_Click();
    void mnuErrorHakar_Click();
    void mnuErrorCitat_Click();
    void mnuErrorStandard_Click();
    void mnuErrorAll_Click();

protected:
    void setVisible(bool visible) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanes();
    void buildStrip();
    // The menu bar, built from one table of its entries (frmeditor_menus.cpp).
    enum class MenuKind;
    struct MenuEntry;
    void buildMenus();
    void connectItem(QAction* action, const MenuEntry& entry);

    // Text commands: applying an engine result to the text area.
    // Replaces the edit's range as one undo step and selects what it says. False (nothing
    // changed) when the text would grow beyond what the text area holds.
    bool applyEdit(const TextEdit& edit);
    // The same, through InsertTagText, so Ctrl+Y repeats the inserted text.
    void insertEdit(const TextEdit& edit);
    // Replaces the whole text as one undo step, the caret at the start. False when the new
    // text is too long for the text area.
    bool replaceWholeText(const QString& text);
    void changeLetterCase(bool capitals);
    void convertEntities(bool toCodes);
    void convertLineBreaks(int style);
    // Runs a check on the whole text under the busy pointer, then selects the faulty spot it
    // found and shows its message.
    void runCheck(const std::function<CheckOutcome(const QString&)>& check);
    // Enter just typed: the new line starts with the blanks and tabs of the previous one.
    void autoIndent();

    // Standard texts and templates (frmeditor_standard.cpp).
    void buildPickLists();
    void fillHtmlCharacters();
    // A template's text becomes a new document that has no file yet.
    void newDocumentFromTemplate(const QString& text);
    // Reloads the standard texts after a save of a file whose path ends in "standard.txt".
    void reloadStandardTextsAfterSave();

    void newDocumentText();
    // A page a guide wrote becomes the document (widgets/tagwriting.h, PutNewDocument).
    void putNewDocument(const QString& text, int start, int length);
    // Shows the document's encoding and names the other in the encoding command.
    void showEncoding();
    // The first characters of the text, where a page declares its encoding.
    QString headText() const;
    QString listFolderPath(const QString& name) const;
    bool writeDocument();
    void applyStoredFont(const QString& stored);
    void writeSettings();
    int stripHeight() const;
    void setStripColours(int hovered);

    bool m_loaded = false;
    QPointer<frmOversikt> m_overview;
    bool m_lastSaveWritten = false;
    OpenFailure m_openFailure = OpenFailure::None;
    QWidget* m_client = nullptr;
    frmAbout* m_about = nullptr;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAction*> m_items;
    QSet<QAction*> m_handled;     // items with a command of this window
    QSet<QAction*> m_dialogItems; // items that open a registered dialog or guide
};

// Makes the launcher open this window for the editor tool.
void RegisterEditorWindow();
