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

#include <QMainWindow>
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
    // The pick lists over the text area: index 0 the standard texts (F2), index 1 the HTML
    // characters (F4). Hidden while not in use.
    PickList* cmbMagicText[2];
    // The width the standard-text list needs, in twips.
    int StandardListWidth = 1275;
    // Set only while the window itself moves the file-list selection to the open document.
    bool IgnoreFileClick = false;

    // --- Menus ---
    QMenu* mnuArkiv;
    QMenu* mnuArkivNytt;
    QAction* mnuArkivNew;
    QAction* mnuNewMall;
    QAction* mnuFileNewLatest;
    QAction* mnuArkivGuide;
    QAction* mnuArkivFrames;
    QAction* mnuArkivSpara;
    QAction* mnuArkivSaveAs;
    QAction* mnuFileS2;
    QAction* mnuFileUpdate;
    QAction* mnuArkiv2;
    QAction* mnuExit;
    QAction* mnuExitWeb;

    QMenu* mnuEdit;
    QAction* mnuEditUndo;
    QAction* mnuEditRepeat;
    QAction* mnuEditS5;
    QAction* mnuEditCut;
    QAction* mnuEditCopy;
    QAction* mnuEditPaste;
    QAction* mnuEditS2;
    QAction* mnuEditDelete;
    QAction* mnuEditDelTagg;
    QAction* mnuEditAll;
    QAction* mnuEditS7;
    QAction* mnuEditFixTag;
    QAction* mnuEditS;
    QAction* mnuEditSok;
    QAction* mnuEditFindNext;
    QAction* mnuS7;
    QAction* mnuEditAuto;
    QAction* mnuS9;
    QMenu* mnuEditStandardMenu;
    QAction* mnuEditStandardOpen;
    QAction* mnuEditStandardAddMark;

    QMenu* mnuVisa;
    QAction* mnuViewFile;
    QAction* mnuViewObj;
    QAction* mnuViewS1;
    QAction* mnuArkivWeb;
    QAction* mnuOverblick;
    QAction* mnuViewS2;
    QAction* mnuArkivLookIn;

    QMenu* mnuInsert;
    QAction* mnuInBack;
    QAction* mnuInBacksound;
    QAction* mnuInS1;
    QMenu* mnuInsForm;
    QAction* mnuInsFormData;
    QAction* mnuInsForms;
    QAction* mnuInsFormRadio;
    QAction* mnuInsFormHide;
    QAction* mnuInsFormBut;
    QAction* mnuInsFormChk;
    QAction* mnuInsFormList;
    QAction* mnuInsFormText;
    QMenu* mnuMeta;
    QAction* mnuMetaDesc;
    QAction* mnuMetaArt;
    QAction* mnuMetaKey;
    QAction* mnuMetaRefresh;
    QMenu* mnuInObj;
    QAction* mnuInsBild;
    QAction* mnuInsFrameset;
    QAction* mnuInsFrame;
    QAction* mnuInInb;
    QAction* mnuInLin;
    QAction* mnuInScript;
    QMenu* mnuTable;
    QAction* mnuTableNew;
    QAction* mnuTabS1;
    QAction* mnuTabHead;
    QAction* mnuTabTr;
    QAction* mnuTabTD;
    QMenu* mnuInText;
    QAction* mnuInBok;
    QMenu* mnuInList;
    QAction* mnuInDef;
    QAction* mnuInNum;
    QAction* mnuInBul;
    QAction* mnuInLink;
    QAction* mnuMarquee;
    QAction* mnuInBr;
    QAction* mnuInTid;
    QAction* mnuInS3;
    QAction* mnuEditStandard[2];

    QMenu* mnuFormat;
    QMenu* mnuFormOver;
    QAction* mnuFormOv1;
    QAction* mnuFormOv2;
    QAction* mnuFormOv3;
    QAction* mnuFormOv4;
    QAction* mnuFormOv5;
    QAction* mnuFormOv6;
    QMenu* mnuFormStil;
    QAction* mnuFormFont;
    QAction* mnuFormFet;
    QAction* mnuFormKursiv;
    QAction* mnuFormUnder;
    QAction* mnuFormStrike;
    QAction* mnuFormFontSub;
    QAction* mnuFormFontSup;
    QMenu* mnuFormSty;
    QAction* mnuFormBlock;
    QAction* mnuFormCenter;
    QAction* mnuFormMulticol;
    QAction* mnuFormStycke;
    QAction* mnuFormPre;
    QAction* mnuFontS1;
    QMenu* mnuFormSpc;
    QAction* mnuFormAdd;
    QAction* mnuFormBlink;
    QAction* mnuFormCit;
    QAction* mnuFormCode;
    QAction* mnuFormDef;
    QAction* mnuFormEm;
    QAction* mnuFormTan;
    QAction* mnuFormSamp;
    QAction* mnuFormStrong;
    QAction* mnuFormTT;
    QAction* mnuFormVar;

    QMenu* mnuTools;
    QAction* mnuArkivRun;
    QAction* mnuToolS1;
    QMenu* mnuError;
    QAction* mnuErrorAll;
    QAction* mnuErrors1;
    QAction* mnuErrorHakar;
    QAction* mnuErrorStandard;
    QAction* mnuErrorCitat;
    QMenu* mnyKomprimera;
    QAction* mnuEditRader;
    QAction* mnuRadPc;
    QAction* mnuRadUnix;
    QAction* mnuRadMac;
    QAction* mnuEditKill;
    QAction* mnuTools4;
    QAction* mnuEditConvAscii;
    QAction* mnuEditConvert;
    QAction* mnuTools3;
    QAction* mnuEditGem;
    QAction* mnuEditVersal;
    QAction* mnuToolsS4;
    QAction* mnuToolsSort;

    QMenu* mnuHelp;
    QAction* mnuHelpWebVessilora;
    QAction* mnuHelpS1;
    QAction* mnuHelpAbout;

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
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanes();
    void buildStrip();
    void buildMenus();
    void connectMenuItems();
    QAction* item(QMenu* menu, const QString& name, const QString& caption,
                  const QKeySequence& shortcut = {});
    QAction* separator(QMenu* menu);
    QMenu* submenu(QMenu* menu, const QString& name, const QString& caption);
    // Connects an item to its handler; an item connected here is enabled.
    template <class Slot> void on(QAction* action, Slot slot);
    // An item that opens the tag dialog registered under its name.
    void tagDialogItem(QAction* action);
    // An item of the Format menu that wraps the selection in a tag.
    void wrapItem(QAction* action, const QString& tag);
    void openItem(const QString& name);

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
    QString listFolderPath(const QString& name) const;
    bool writeDocument();
    void readWindowPlace();
    void writeSettings();
    void fixOuterSize();
    int stripHeight() const;
    void setStripColours(int hovered);

    bool m_loaded = false;
    OpenFailure m_openFailure = OpenFailure::None;
    QSize m_wantedOuterSize; // the stored outer size still to be applied, in pixels
    QWidget* m_client = nullptr;
    frmAbout* m_about = nullptr;
    QSet<QAction*> m_handled;
    QSet<QAction*> m_tagDialogItems;
};

// Makes the launcher open this window for the editor tool.
void RegisterEditorWindow();
