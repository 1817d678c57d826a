// The editor window's menu bar: every item with its caption, access key and shortcut, and
// the handlers of the items that have one.

#include "editor/frmeditor.h"

#include "editor/frmfind.h"
#include "editor/frmoversikt.h"
#include "markup/globals.h"
#include "markup/paths.h"
#include "platform/files.h"
#include "shell/frmabout.h"
#include "shell/frmpref.h"
#include "shell/tools.h"
#include "widgets/dialogregistry.h"
#include "widgets/tagwriting.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

// What a menu entry does.
enum class frmEditor::MenuKind {
    Menu,      // a menu or submenu
    Separator, // a separator line
    Command,   // runs its handler
    Check,     // a check item: choosing it inverts the mark, then runs its handler if any
    Dialog,    // opens the tag dialog registered under its name
    Guide,     // the save prompt, then the guide registered under its name
    Wrap,      // wraps the selection in the tag named in its caption
    Later,     // not built yet: shown disabled
};

struct frmEditor::MenuEntry {
    const char* parent; // the menu it goes into; nullptr for a menu of the bar
    const char* name;
    const char* caption; // UTF-8
    const char* shortcut;
    MenuKind kind;
    void (frmEditor::*handler)() = nullptr;
    const char* tag = nullptr; // the tag a Wrap entry puts around the selection
};

void frmEditor::buildMenus() {
    using E = MenuKind;
    using F = frmEditor;
    // The whole menu bar, in order: each entry goes into the menu named first.
    static const MenuEntry entries[] = {
        {nullptr, "mnuArkiv", "&Arkiv", "", E::Menu},
        {"mnuArkiv", "mnuArkivNytt", "Nytt", "", E::Menu},
        {"mnuArkivNytt", "mnuArkivNew", "&Nytt dokument", "Ctrl+N", E::Command,
         &F::mnuArkivNew_Click},
        {"mnuArkivNytt", "mnuNewMall", "&Malldokument...", "Ctrl+M", E::Command,
         &F::mnuNewMall_Click},
        {"mnuArkivNytt", "mnuFileNewLatest", "&Senaste mall", "Ctrl+J", E::Command,
         &F::mnuFileNewLatest_Click},
        {"mnuArkivNytt", "mnuArkivGuide", "&Guide...", "Ctrl+G", E::Guide},
        {"mnuArkivNytt", "mnuArkivFrames", "&Frameguide...", "", E::Guide},
        {"mnuArkiv", "mnuArkivSpara", "&Spara", "Ctrl+S", E::Command, &F::mnuArkivSpara_Click},
        {"mnuArkiv", "mnuArkivSaveAs", "Spara so&m...", "", E::Command, &F::mnuArkivSaveAs_Click},
        {"mnuArkiv", "mnuArkivEncoding", "&Teckenkodning: spara som UTF-8", "", E::Command,
         &F::mnuArkivEncoding_Click},
        {"mnuArkiv", "mnuFileS2", nullptr, "", E::Separator},
        {"mnuArkiv", "mnuFileUpdate", "&Uppdatera fillistan", "", E::Command,
         &F::mnuFileUpdate_Click},
        {"mnuArkiv", "mnuArkiv2", nullptr, "", E::Separator},
        {"mnuArkiv", "mnuExit", "St&äng Editor", "", E::Command, &F::mnuExit_Click},
        {"mnuArkiv", "mnuExitWeb", "&Avsluta Vessilora", "Ctrl+Q", E::Command,
         &F::mnuExitWeb_Click},

        {nullptr, "mnuEdit", "&Redigera", "", E::Menu},
        {"mnuEdit", "mnuEditUndo", "&Ångra", "", E::Command, &F::mnuEditUndo_Click},
        {"mnuEdit", "mnuEditRepeat", "&Infoga igen", "Ctrl+Y", E::Command, &F::mnuEditRepeat_Click},
        {"mnuEdit", "mnuEditS5", nullptr, "", E::Separator},
        {"mnuEdit", "mnuEditCut", "&Klipp ut", "", E::Command, &F::mnuEditCut_Click},
        {"mnuEdit", "mnuEditCopy", "K&opiera", "", E::Command, &F::mnuEditCopy_Click},
        {"mnuEdit", "mnuEditPaste", "K&listra in", "", E::Command, &F::mnuEditPaste_Click},
        {"mnuEdit", "mnuEditS2", nullptr, "", E::Separator},
        {"mnuEdit", "mnuEditDelete", "&Radera", "", E::Command, &F::mnuEditDelete_Click},
        {"mnuEdit", "mnuEditDelTagg", "Ra&dera taggar", "Ctrl+D", E::Command,
         &F::mnuEditDelTagg_Click},
        {"mnuEdit", "mnuEditAll", "Markera &allt", "Ctrl+A", E::Command, &F::mnuEditAll_Click},
        {"mnuEdit", "mnuEditS7", nullptr, "", E::Separator},
        {"mnuEdit", "mnuEditFixTag", "Redigera &tagg...", "Ctrl+E", E::Dialog},
        {"mnuEdit", "mnuEditS", nullptr, "", E::Separator},
        {"mnuEdit", "mnuEditSok", "&Sök...", "Shift+F3", E::Command, &F::mnuEditSok_Click},
        {"mnuEdit", "mnuEditFindNext", "S&ök nästa", "F3", E::Command, &F::mnuEditFindNext_Click},
        {"mnuEdit", "mnuS7", nullptr, "", E::Separator},
        {"mnuEdit", "mnuEditAuto", "A&utomatisk indrag", "", E::Check},
        {"mnuEdit", "mnuS9", nullptr, "", E::Separator},
        {"mnuEdit", "mnuEditStandardMenu", "Standardtexter", "", E::Menu},
        {"mnuEditStandardMenu", "mnuEditStandardOpen", "&Öppna fil", "", E::Command,
         &F::mnuEditStandardOpen_Click},
        {"mnuEditStandardMenu", "mnuEditStandardAddMark", "&Lägg till markering", "", E::Command,
         &F::mnuEditStandardAddMark_Click},

        {nullptr, "mnuVisa", "Vi&sa", "", E::Menu},
        {"mnuVisa", "mnuViewFile", "&Filmeny", "F11", E::Check, &F::mnuViewFile_Click},
        {"mnuVisa", "mnuViewObj", "&Objektmeny", "Shift+F11", E::Check, &F::mnuViewObj_Click},
        {"mnuVisa", "mnuViewS1", nullptr, "", E::Separator},
        {"mnuVisa", "mnuArkivWeb", "&Webfärg...", "", E::Command, &F::mnuArkivWeb_Click},
        {"mnuVisa", "mnuOverblick", "&Översikt...", "F9", E::Command, &F::mnuOverblick_Click},
        {"mnuVisa", "mnuViewS2", nullptr, "", E::Separator},
        {"mnuVisa", "mnuArkivLookIn", "&Inställningar...", "", E::Command,
         &F::mnuArkivLookIn_Click},

        {nullptr, "mnuInsert", "&Infoga", "", E::Menu},
        {"mnuInsert", "mnuInBack", "&Bakgrund etc...", "", E::Dialog},
        {"mnuInsert", "mnuInBacksound", "Bakgrunds&ljud... (IE)", "", E::Dialog},
        {"mnuInsert", "mnuInS1", nullptr, "", E::Separator},
        {"mnuInsert", "mnuInsForm", "&Formulär", "", E::Menu},
        {"mnuInsForm", "mnuInsFormData", "&Formulär...", "", E::Dialog},
        {"mnuInsForm", "mnuInsForms", nullptr, "", E::Separator},
        {"mnuInsForm", "mnuInsFormRadio", "&Alternativknapp...", "", E::Dialog},
        {"mnuInsForm", "mnuInsFormHide", "&Dolt fält....", "", E::Dialog},
        {"mnuInsForm", "mnuInsFormBut", "&Knapp...", "", E::Dialog},
        {"mnuInsForm", "mnuInsFormChk", "K&ryssruta...", "", E::Dialog},
        {"mnuInsForm", "mnuInsFormList", "&Lista...", "", E::Dialog},
        {"mnuInsForm", "mnuInsFormText", "&Textruta...", "", E::Dialog},
        {"mnuInsert", "mnuMeta", "&Metataggar", "", E::Menu},
        {"mnuMeta", "mnuMetaDesc", "&Beskrivning...", "", E::Dialog},
        {"mnuMeta", "mnuMetaArt", "&Författare...", "", E::Dialog},
        {"mnuMeta", "mnuMetaKey", "&Sökord...", "", E::Dialog},
        {"mnuMeta", "mnuMetaRefresh", "&Uppdatera...", "", E::Dialog},
        {"mnuInsert", "mnuInObj", "&Objekt", "", E::Menu},
        {"mnuInObj", "mnuInsBild", "&Bild...", "", E::Dialog},
        {"mnuInObj", "mnuInsFrameset", "Fram&eset...", "", E::Dialog},
        {"mnuInObj", "mnuInsFrame", "&Frame...", "", E::Dialog},
        {"mnuInObj", "mnuInInb", "&Inbäddat objekt...", "", E::Dialog},
        {"mnuInObj", "mnuInLin", "&Linje...", "", E::Dialog},
        {"mnuInObj", "mnuInScript", "&Script...", "", E::Dialog},
        {"mnuInObj", "mnuTable", "&Tabell", "", E::Menu},
        {"mnuTable", "mnuTableNew", "&Ny tabell...", "Ctrl+T", E::Dialog},
        {"mnuTable", "mnuTabS1", nullptr, "", E::Separator},
        {"mnuTable", "mnuTabHead", "Tabell&huvud...", "", E::Dialog},
        {"mnuTable", "mnuTabTr", "Tabell&rad...", "", E::Dialog},
        {"mnuTable", "mnuTabTD", "Tabell&cell...", "", E::Dialog},
        {"mnuInsert", "mnuInText", "&Text", "", E::Menu},
        {"mnuInText", "mnuInBok", "&Bokmärke...", "", E::Dialog},
        {"mnuInText", "mnuInList", "L&ista", "", E::Menu},
        {"mnuInList", "mnuInDef", "&Definitionslista...", "", E::Dialog},
        {"mnuInList", "mnuInNum", "&Numrerad lista...", "", E::Dialog},
        {"mnuInList", "mnuInBul", "&Punktlista...", "", E::Dialog},
        {"mnuInText", "mnuInLink", "&Länk...", "Ctrl+L", E::Dialog},
        {"mnuInText", "mnuMarquee", "&Marquee... (IE)", "", E::Dialog},
        {"mnuInText", "mnuInBr", "&Radbrytning...", "Ctrl+R", E::Dialog},
        {"mnuInText", "mnuInTid", "&Tid...", "F5", E::Dialog},
        {"mnuInsert", "mnuInS3", nullptr, "", E::Separator},
        {"mnuInsert", "mnuEditStandard0", "Standardte&xt...", "F2", E::Command,
         &F::mnuEditStandard0_Click},
        {"mnuInsert", "mnuEditStandard1", "&HTML-tecken...", "F4", E::Command,
         &F::mnuEditStandard1_Click},

        {nullptr, "mnuFormat", "Forma&t", "", E::Menu},
        {"mnuFormat", "mnuFormOver", "&Överskrift", "", E::Menu},
        {"mnuFormOver", "mnuFormOv1", "<H1> Överskrift &1", "Ctrl+F1", E::Wrap, nullptr, "H1"},
        {"mnuFormOver", "mnuFormOv2", "<H2> Överskrift &2", "Ctrl+F2", E::Wrap, nullptr, "H2"},
        {"mnuFormOver", "mnuFormOv3", "<H3> Överskrift &3", "Ctrl+F3", E::Wrap, nullptr, "H3"},
        {"mnuFormOver", "mnuFormOv4", "<H4> Överskrift &4", "Ctrl+F4", E::Wrap, nullptr, "H4"},
        {"mnuFormOver", "mnuFormOv5", "<H5> Överskrift &5", "Ctrl+F5", E::Wrap, nullptr, "H5"},
        {"mnuFormOver", "mnuFormOv6", "<H6> Överskrift &6", "Ctrl+F6", E::Wrap, nullptr, "H6"},
        {"mnuFormat", "mnuFormStil", "&Stil", "", E::Menu},
        {"mnuFormStil", "mnuFormFont", "&Teckensnitt...", "Ctrl+F", E::Dialog},
        {"mnuFormStil", "mnuFormStilS1", nullptr, "", E::Separator},
        {"mnuFormStil", "mnuFormFet", "<B> &Fet", "Ctrl+B", E::Wrap, nullptr, "B"},
        {"mnuFormStil", "mnuFormKursiv", "<I> &Kursiv", "Ctrl+I", E::Wrap, nullptr, "I"},
        {"mnuFormStil", "mnuFormUnder", "<U> &Understruken", "Ctrl+U", E::Wrap, nullptr, "U"},
        {"mnuFormStil", "mnuFormStrike", "<STRIKE> &Genomstruken", "", E::Wrap, nullptr, "STRIKE"},
        {"mnuFormStil", "mnuFormStilS2", nullptr, "", E::Separator},
        {"mnuFormStil", "mnuFormFontSub", "<SUB> &Nedsänkt", "", E::Wrap, nullptr, "SUB"},
        {"mnuFormStil", "mnuFormFontSup", "<SUP> U&pphöjt", "", E::Wrap, nullptr, "SUP"},
        {"mnuFormat", "mnuFormSty", "S&tycke", "", E::Menu},
        {"mnuFormSty", "mnuFormBlock", "<BLOCKQUOTE> &Indrag", "", E::Wrap, nullptr, "BLOCKQUOTE"},
        {"mnuFormSty", "mnuFormCenter", "<CENTER> &Centrerad", "", E::Wrap, nullptr, "CENTER"},
        {"mnuFormSty", "mnuFormMulticol", "<MULTICOL> &Spalter (NS)...", "", E::Dialog},
        {"mnuFormSty", "mnuFormStycke", "<P> &Stycke...", "Ctrl+P", E::Dialog},
        {"mnuFormSty", "mnuFormPre", "<PRE> &Förformaterad", "", E::Wrap, nullptr, "PRE"},
        {"mnuFormat", "mnuFontS1", nullptr, "", E::Separator},
        {"mnuFormat", "mnuFormSpc", "S&pecial", "", E::Menu},
        {"mnuFormSpc", "mnuFormAdd", "<ADDRESS> &Adress", "", E::Wrap, nullptr, "ADDRESS"},
        {"mnuFormSpc", "mnuFormBlink", "<BLINK> &Blinka (NS)", "", E::Wrap, nullptr, "BLINK"},
        {"mnuFormSpc", "mnuFormCit", "<CITE>&Citat", "", E::Wrap, nullptr, "CITE"},
        {"mnuFormSpc", "mnuFormCode", "<CODE> K&od", "", E::Wrap, nullptr, "CODE"},
        {"mnuFormSpc", "mnuFormDef", "<DFN> &Definition", "", E::Wrap, nullptr, "DFN"},
        {"mnuFormSpc", "mnuFormEm", "<EM> &Betoning", "", E::Wrap, nullptr, "EM"},
        {"mnuFormSpc", "mnuFormTan", "<KBD> &Tangentbord", "", E::Wrap, nullptr, "KBD"},
        {"mnuFormSpc", "mnuFormSamp", "<SAMP> &Exempel", "", E::Wrap, nullptr, "SAMP"},
        {"mnuFormSpc", "mnuFormStrong", "<STRONG> &Stark", "", E::Wrap, nullptr, "STRONG"},
        {"mnuFormSpc", "mnuFormTT", "<TT> Sk&rivmaskin", "", E::Wrap, nullptr, "TT"},
        {"mnuFormSpc", "mnuFormVar", "<VAR> &Variabel", "", E::Wrap, nullptr, "VAR"},

        {nullptr, "mnuTools", "&Verktyg", "", E::Menu},
        {"mnuTools", "mnuArkivRun", "&Granska", "F12", E::Command, &F::mnuArkivRun_Click},
        {"mnuTools", "mnuToolS1", nullptr, "", E::Separator},
        {"mnuTools", "mnuError", "&Felkontroll", "", E::Menu},
        {"mnuError", "mnuErrorAll", "&Kontrollera allt", "Ctrl+K", E::Command,
         &F::mnuErrorAll_Click},
        {"mnuError", "mnuErrors1", nullptr, "", E::Separator},
        {"mnuError", "mnuErrorHakar", "&Taggar <>", "F6", E::Command, &F::mnuErrorHakar_Click},
        {"mnuError", "mnuErrorStandard", "&Standartaggar", "F7", E::Command,
         &F::mnuErrorStandard_Click},
        {"mnuError", "mnuErrorCitat", "&Citatstecken \"\"", "F8", E::Command,
         &F::mnuErrorCitat_Click},
        {"mnuTools", "mnyKomprimera", "&Komprimera", "", E::Menu},
        {"mnyKomprimera", "mnuEditRader", "&Komprimera rader", "", E::Command,
         &F::mnuEditRader_Click},
        {"mnyKomprimera", "mnyKomprimeraS1", nullptr, "", E::Separator},
        {"mnyKomprimera", "mnuRadPc", "&PC (ASCII 13 + 10)", "", E::Command, &F::mnuRadPc_Click},
        {"mnyKomprimera", "mnuRadUnix", "&Unix (ASCII 10)", "", E::Command, &F::mnuRadUnix_Click},
        {"mnyKomprimera", "mnuRadMac", "&Mac (ASCII 13)", "", E::Command, &F::mnuRadMac_Click},
        {"mnyKomprimera", "mnyKomprimeraS2", nullptr, "", E::Separator},
        {"mnyKomprimera", "mnuEditKill", "&Radera radbrytningar", "", E::Command,
         &F::mnuEditKill_Click},
        {"mnuTools", "mnuTools4", nullptr, "", E::Separator},
        {"mnuTools", "mnuEditConvAscii", "Konvertera till &ASCII-koder", "", E::Command,
         &F::mnuEditConvAscii_Click},
        {"mnuTools", "mnuEditConvert", "Konvertera till &HTML-koder", "Ctrl+H", E::Command,
         &F::mnuEditConvert_Click},
        {"mnuTools", "mnuTools3", nullptr, "", E::Separator},
        {"mnuTools", "mnuEditGem", "g&emener", "", E::Command, &F::mnuEditGem_Click},
        {"mnuTools", "mnuEditVersal", "&VERSALER", "", E::Command, &F::mnuEditVersal_Click},
        {"mnuTools", "mnuToolsS4", nullptr, "", E::Separator},
        {"mnuTools", "mnuToolsSort", "&Sortera rader", "", E::Command, &F::mnuToolsSort_Click},

        {nullptr, "mnuHelp", "&Hjälp", "", E::Menu},
        {"mnuHelp", "mnuHelpWebVessilora", "&Vessilora", "F1", E::Command,
         &F::mnuHelpWebVessilora_Click},
        {"mnuHelp", "mnuHelpS1", nullptr, "", E::Separator},
        {"mnuHelp", "mnuHelpAbout", "&Om...", "", E::Command, &F::mnuHelpAbout_Click},
    };

    QMenuBar* bar = menuBar();
    for (const MenuEntry& entry : entries) {
        const QString name = QLatin1String(entry.name);
        QMenu* parent = entry.parent ? m_menus.value(QLatin1String(entry.parent)) : nullptr;
        if (entry.kind == MenuKind::Menu) {
            const QString caption = QString::fromUtf8(entry.caption);
            QMenu* menu = parent ? parent->addMenu(caption) : bar->addMenu(caption);
            menu->setObjectName(name);
            m_menus.insert(name, menu);
            // The enabled state follows what is registered when a menu opens.
            connect(menu, &QMenu::aboutToShow, this, &frmEditor::refreshMenuItems);
            continue;
        }
        QAction* action = entry.kind == MenuKind::Separator
                              ? parent->addSeparator()
                              : parent->addAction(QString::fromUtf8(entry.caption));
        action->setObjectName(name);
        m_items.insert(name, action);
        if (*entry.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
        connectItem(action, entry);
    }

    mnuVisa = menu(QStringLiteral("mnuVisa"));
    mnuInsForm = menu(QStringLiteral("mnuInsForm"));
    mnuInList = menu(QStringLiteral("mnuInList"));
    mnuTable = menu(QStringLiteral("mnuTable"));
    mnuEditAuto = menuItem(QStringLiteral("mnuEditAuto"));
    mnuViewFile = menuItem(QStringLiteral("mnuViewFile"));
    mnuViewObj = menuItem(QStringLiteral("mnuViewObj"));
    refreshMenuItems();
}

void frmEditor::connectItem(QAction* action, const MenuEntry& entry) {
    const QString name = action->objectName();
    switch (entry.kind) {
    case MenuKind::Menu:
    case MenuKind::Separator:
    case MenuKind::Later:
        break;
    case MenuKind::Check:
        // Checked as designed; choosing the item inverts the mark.
        action->setCheckable(true);
        action->setChecked(true);
        m_handled.insert(action);
        if (entry.handler)
            connect(action, &QAction::triggered, this, entry.handler);
        break;
    case MenuKind::Command:
        m_handled.insert(action);
        connect(action, &QAction::triggered, this, entry.handler);
        break;
    case MenuKind::Dialog:
        m_dialogItems.insert(action);
        connect(action, &QAction::triggered, this, [name] { OpenTagDialog(name); });
        break;
    case MenuKind::Guide:
        m_dialogItems.insert(action);
        connect(action, &QAction::triggered, this, [this, name] {
            if (SavePrompt() != MsgAnswer::Cancel)
                OpenTagDialog(name);
        });
        break;
    case MenuKind::Wrap: {
        m_handled.insert(action);
        const QString tag = QLatin1String(entry.tag);
        connect(action, &QAction::triggered, this, [tag] {
            QString open = tag;
            QString close;
            WrapSelection(open, close);
        });
        break;
    }
    }
}

QAction* frmEditor::menuItem(const QString& name) const {
    return m_items.value(name, nullptr);
}

QMenu* frmEditor::menu(const QString& name) const {
    return m_menus.value(name, nullptr);
}

void frmEditor::refreshMenuItems() {
    for (QAction* action : std::as_const(m_items)) {
        if (action->isSeparator())
            continue;
        if (m_dialogItems.contains(action))
            action->setEnabled(TagDialogRegistered(action->objectName()));
        else
            action->setEnabled(m_handled.contains(action));
    }
    if (QAction* colour = menuItem(QStringLiteral("mnuArkivWeb")))
        colour->setEnabled(ToolRegistered(Tool::ColourPicker));
}

// --- Handlers -----------------------------------------------------------------------------

void frmEditor::mnuFileUpdate_Click() {
    UpdateTitle(false);
}

void frmEditor::mnuEditSok_Click() {
    FindWindow().showOverEditor();
}

void frmEditor::mnuEditFindNext_Click() {
    if (FindWindow().Text1->text().isEmpty())
        mnuEditSok_Click();
    else
        FindNext();
}

void frmEditor::mnuArkivWeb_Click() {
    if (QWidget* picker = ToolWindow(Tool::ColourPicker)) {
        picker->show();
        picker->raise();
        picker->activateWindow();
    }
}

void frmEditor::mnuOverblick_Click() {
    if (!m_overview)
        m_overview = new frmOversikt(txtText, this);
    if (m_overview->isMinimized())
        m_overview->showNormal();
    else
        m_overview->show();
    m_overview->raise();
}

void frmEditor::mnuArkivLookIn_Click() {
    // The font chosen there is applied when the preferences are confirmed.
    if (auto* preferences = qobject_cast<frmPref*>(ToolWindow(Tool::Preferences)))
        connect(preferences, &frmPref::settingsAccepted, this,
                qOverload<>(&frmEditor::applyStoredFont), Qt::UniqueConnection);
    ShowPreferencesWindow();
}

void frmEditor::mnuHelpWebVessilora_Click() {
    OpenInBrowser(ProgramFolder(), QStringLiteral("vessilor.htm"));
}

void frmEditor::mnuHelpAbout_Click() {
    if (!m_about)
        m_about = new frmAbout(this);
    m_about->show();
    m_about->raise();
}
