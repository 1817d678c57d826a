// The editor window's menu bar: every item with its caption, access key and shortcut, and
// the handlers of the items that have one.

#include "editor/frmeditor.h"

#include "widgets/dialogregistry.h"
#include "editor/frmfind.h"
#include "widgets/tagwriting.h"
#include "markup/globals.h"
#include "markup/paths.h"
#include "platform/files.h"
#include "shell/frmabout.h"
#include "shell/frmpref.h"
#include "shell/tools.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

QAction* frmEditor::item(QMenu* menu, const QString& name, const QString& caption,
                         const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction* frmEditor::separator(QMenu* menu) {
    return menu->addSeparator();
}

QMenu* frmEditor::submenu(QMenu* menu, const QString& name, const QString& caption) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(name);
    return sub;
}

void frmEditor::buildMenus() {
    QMenuBar* bar = menuBar();
    const auto top = [bar](const QString& name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        return menu;
    };
    const auto key = [](const char* text) { return QKeySequence(QString::fromLatin1(text)); };

    mnuArkiv = top(QStringLiteral("mnuArkiv"), QStringLiteral("&Arkiv"));
    mnuArkivNytt = submenu(mnuArkiv, QStringLiteral("mnuArkivNytt"), QStringLiteral("Nytt"));
    mnuArkivNew = item(mnuArkivNytt, QStringLiteral("mnuArkivNew"),
                       QStringLiteral("&Nytt dokument"), key("Ctrl+N"));
    mnuNewMall = item(mnuArkivNytt, QStringLiteral("mnuNewMall"),
                      QStringLiteral("&Malldokument..."), key("Ctrl+M"));
    mnuFileNewLatest = item(mnuArkivNytt, QStringLiteral("mnuFileNewLatest"),
                            QStringLiteral("&Senaste mall"), key("Ctrl+J"));
    mnuArkivGuide = item(mnuArkivNytt, QStringLiteral("mnuArkivGuide"), QStringLiteral("&Guide..."),
                         key("Ctrl+G"));
    mnuArkivFrames =
        item(mnuArkivNytt, QStringLiteral("mnuArkivFrames"), QStringLiteral("&Frameguide..."));
    mnuArkivSpara =
        item(mnuArkiv, QStringLiteral("mnuArkivSpara"), QStringLiteral("&Spara"), key("Ctrl+S"));
    mnuArkivSaveAs =
        item(mnuArkiv, QStringLiteral("mnuArkivSaveAs"), QStringLiteral("Spara so&m..."));
    mnuFileS2 = separator(mnuArkiv);
    mnuFileUpdate =
        item(mnuArkiv, QStringLiteral("mnuFileUpdate"), QStringLiteral("&Uppdatera fillistan"));
    mnuArkiv2 = separator(mnuArkiv);
    mnuExit = item(mnuArkiv, QStringLiteral("mnuExit"), QStringLiteral("St&äng Editor"));
    mnuExitWeb = item(mnuArkiv, QStringLiteral("mnuExitWeb"), QStringLiteral("&Avsluta Vessilora"),
                      key("Ctrl+Q"));

    mnuEdit = top(QStringLiteral("mnuEdit"), QStringLiteral("&Redigera"));
    mnuEditUndo = item(mnuEdit, QStringLiteral("mnuEditUndo"), QStringLiteral("&Ångra"));
    mnuEditRepeat = item(mnuEdit, QStringLiteral("mnuEditRepeat"), QStringLiteral("&Infoga igen"),
                         key("Ctrl+Y"));
    mnuEditS5 = separator(mnuEdit);
    mnuEditCut = item(mnuEdit, QStringLiteral("mnuEditCut"), QStringLiteral("&Klipp ut"));
    mnuEditCopy = item(mnuEdit, QStringLiteral("mnuEditCopy"), QStringLiteral("K&opiera"));
    mnuEditPaste = item(mnuEdit, QStringLiteral("mnuEditPaste"), QStringLiteral("K&listra in"));
    mnuEditS2 = separator(mnuEdit);
    mnuEditDelete = item(mnuEdit, QStringLiteral("mnuEditDelete"), QStringLiteral("&Radera"));
    mnuEditDelTagg = item(mnuEdit, QStringLiteral("mnuEditDelTagg"),
                          QStringLiteral("Ra&dera taggar"), key("Ctrl+D"));
    mnuEditAll =
        item(mnuEdit, QStringLiteral("mnuEditAll"), QStringLiteral("Markera &allt"), key("Ctrl+A"));
    mnuEditS7 = separator(mnuEdit);
    mnuEditFixTag = item(mnuEdit, QStringLiteral("mnuEditFixTag"),
                         QStringLiteral("Redigera &tagg..."), key("Ctrl+E"));
    mnuEditS = separator(mnuEdit);
    mnuEditSok =
        item(mnuEdit, QStringLiteral("mnuEditSok"), QStringLiteral("&Sök..."), key("Shift+F3"));
    mnuEditFindNext =
        item(mnuEdit, QStringLiteral("mnuEditFindNext"), QStringLiteral("S&ök nästa"), key("F3"));
    mnuS7 = separator(mnuEdit);
    mnuEditAuto =
        item(mnuEdit, QStringLiteral("mnuEditAuto"), QStringLiteral("A&utomatisk indrag"));
    mnuEditAuto->setCheckable(true);
    mnuEditAuto->setChecked(true);
    mnuS9 = separator(mnuEdit);
    mnuEditStandardMenu =
        submenu(mnuEdit, QStringLiteral("mnuEditStandardMenu"), QStringLiteral("Standardtexter"));
    mnuEditStandardOpen = item(mnuEditStandardMenu, QStringLiteral("mnuEditStandardOpen"),
                               QStringLiteral("&Öppna fil"));
    mnuEditStandardAddMark = item(mnuEditStandardMenu, QStringLiteral("mnuEditStandardAddMark"),
                                  QStringLiteral("&Lägg till markering"));

    mnuVisa = top(QStringLiteral("mnuVisa"), QStringLiteral("Vi&sa"));
    mnuViewFile =
        item(mnuVisa, QStringLiteral("mnuViewFile"), QStringLiteral("&Filmeny"), key("F11"));
    mnuViewFile->setCheckable(true);
    mnuViewFile->setChecked(true);
    mnuViewObj = item(mnuVisa, QStringLiteral("mnuViewObj"), QStringLiteral("&Objektmeny"),
                      key("Shift+F11"));
    mnuViewObj->setCheckable(true);
    mnuViewObj->setChecked(true);
    mnuViewS1 = separator(mnuVisa);
    mnuArkivWeb = item(mnuVisa, QStringLiteral("mnuArkivWeb"), QStringLiteral("&Webfärg..."));
    mnuOverblick =
        item(mnuVisa, QStringLiteral("mnuOverblick"), QStringLiteral("&Översikt..."), key("F9"));
    mnuViewS2 = separator(mnuVisa);
    mnuArkivLookIn =
        item(mnuVisa, QStringLiteral("mnuArkivLookIn"), QStringLiteral("&Inställningar..."));

    mnuInsert = top(QStringLiteral("mnuInsert"), QStringLiteral("&Infoga"));
    mnuInBack = item(mnuInsert, QStringLiteral("mnuInBack"), QStringLiteral("&Bakgrund etc..."));
    mnuInBacksound =
        item(mnuInsert, QStringLiteral("mnuInBacksound"), QStringLiteral("Bakgrunds&ljud... (IE)"));
    mnuInS1 = separator(mnuInsert);
    mnuInsForm = submenu(mnuInsert, QStringLiteral("mnuInsForm"), QStringLiteral("&Formulär"));
    mnuInsFormData =
        item(mnuInsForm, QStringLiteral("mnuInsFormData"), QStringLiteral("&Formulär..."));
    mnuInsForms = separator(mnuInsForm);
    mnuInsFormRadio =
        item(mnuInsForm, QStringLiteral("mnuInsFormRadio"), QStringLiteral("&Alternativknapp..."));
    mnuInsFormHide =
        item(mnuInsForm, QStringLiteral("mnuInsFormHide"), QStringLiteral("&Dolt fält...."));
    mnuInsFormBut = item(mnuInsForm, QStringLiteral("mnuInsFormBut"), QStringLiteral("&Knapp..."));
    mnuInsFormChk =
        item(mnuInsForm, QStringLiteral("mnuInsFormChk"), QStringLiteral("K&ryssruta..."));
    mnuInsFormList =
        item(mnuInsForm, QStringLiteral("mnuInsFormList"), QStringLiteral("&Lista..."));
    mnuInsFormText =
        item(mnuInsForm, QStringLiteral("mnuInsFormText"), QStringLiteral("&Textruta..."));
    mnuMeta = submenu(mnuInsert, QStringLiteral("mnuMeta"), QStringLiteral("&Metataggar"));
    mnuMetaDesc = item(mnuMeta, QStringLiteral("mnuMetaDesc"), QStringLiteral("&Beskrivning..."));
    mnuMetaArt = item(mnuMeta, QStringLiteral("mnuMetaArt"), QStringLiteral("&Författare..."));
    mnuMetaKey = item(mnuMeta, QStringLiteral("mnuMetaKey"), QStringLiteral("&Sökord..."));
    mnuMetaRefresh =
        item(mnuMeta, QStringLiteral("mnuMetaRefresh"), QStringLiteral("&Uppdatera..."));
    mnuInObj = submenu(mnuInsert, QStringLiteral("mnuInObj"), QStringLiteral("&Objekt"));
    mnuInsBild = item(mnuInObj, QStringLiteral("mnuInsBild"), QStringLiteral("&Bild..."));
    mnuInsFrameset =
        item(mnuInObj, QStringLiteral("mnuInsFrameset"), QStringLiteral("Fram&eset..."));
    mnuInsFrame = item(mnuInObj, QStringLiteral("mnuInsFrame"), QStringLiteral("&Frame..."));
    mnuInInb = item(mnuInObj, QStringLiteral("mnuInInb"), QStringLiteral("&Inbäddat objekt..."));
    mnuInLin = item(mnuInObj, QStringLiteral("mnuInLin"), QStringLiteral("&Linje..."));
    mnuInScript = item(mnuInObj, QStringLiteral("mnuInScript"), QStringLiteral("&Script..."));
    mnuTable = submenu(mnuInObj, QStringLiteral("mnuTable"), QStringLiteral("&Tabell"));
    mnuTableNew = item(mnuTable, QStringLiteral("mnuTableNew"), QStringLiteral("&Ny tabell..."),
                       key("Ctrl+T"));
    mnuTabS1 = separator(mnuTable);
    mnuTabHead = item(mnuTable, QStringLiteral("mnuTabHead"), QStringLiteral("Tabell&huvud..."));
    mnuTabTr = item(mnuTable, QStringLiteral("mnuTabTr"), QStringLiteral("Tabell&rad..."));
    mnuTabTD = item(mnuTable, QStringLiteral("mnuTabTD"), QStringLiteral("Tabell&cell..."));
    mnuInText = submenu(mnuInsert, QStringLiteral("mnuInText"), QStringLiteral("&Text"));
    mnuInBok = item(mnuInText, QStringLiteral("mnuInBok"), QStringLiteral("&Bokmärke..."));
    mnuInList = submenu(mnuInText, QStringLiteral("mnuInList"), QStringLiteral("L&ista"));
    mnuInDef = item(mnuInList, QStringLiteral("mnuInDef"), QStringLiteral("&Definitionslista..."));
    mnuInNum = item(mnuInList, QStringLiteral("mnuInNum"), QStringLiteral("&Numrerad lista..."));
    mnuInBul = item(mnuInList, QStringLiteral("mnuInBul"), QStringLiteral("&Punktlista..."));
    mnuInLink =
        item(mnuInText, QStringLiteral("mnuInLink"), QStringLiteral("&Länk..."), key("Ctrl+L"));
    mnuMarquee = item(mnuInText, QStringLiteral("mnuMarquee"), QStringLiteral("&Marquee... (IE)"));
    mnuInBr = item(mnuInText, QStringLiteral("mnuInBr"), QStringLiteral("&Radbrytning..."),
                   key("Ctrl+R"));
    mnuInTid = item(mnuInText, QStringLiteral("mnuInTid"), QStringLiteral("&Tid..."), key("F5"));
    mnuInS3 = separator(mnuInsert);
    mnuEditStandard[0] = item(mnuInsert, QStringLiteral("mnuEditStandard0"),
                              QStringLiteral("Standardte&xt..."), key("F2"));
    mnuEditStandard[1] = item(mnuInsert, QStringLiteral("mnuEditStandard1"),
                              QStringLiteral("&HTML-tecken..."), key("F4"));

    mnuFormat = top(QStringLiteral("mnuFormat"), QStringLiteral("Forma&t"));
    mnuFormOver = submenu(mnuFormat, QStringLiteral("mnuFormOver"), QStringLiteral("&Överskrift"));
    QAction** headings[6] = {&mnuFormOv1, &mnuFormOv2, &mnuFormOv3,
                             &mnuFormOv4, &mnuFormOv5, &mnuFormOv6};
    for (int n = 1; n <= 6; ++n)
        *headings[n - 1] = item(mnuFormOver, QStringLiteral("mnuFormOv%1").arg(n),
                                QStringLiteral("<H%1> Överskrift &%1").arg(n),
                                QKeySequence(QStringLiteral("Ctrl+F%1").arg(n)));
    mnuFormStil = submenu(mnuFormat, QStringLiteral("mnuFormStil"), QStringLiteral("&Stil"));
    mnuFormFont = item(mnuFormStil, QStringLiteral("mnuFormFont"),
                       QStringLiteral("&Teckensnitt..."), key("Ctrl+F"));
    separator(mnuFormStil);
    mnuFormFet =
        item(mnuFormStil, QStringLiteral("mnuFormFet"), QStringLiteral("<B> &Fet"), key("Ctrl+B"));
    mnuFormKursiv = item(mnuFormStil, QStringLiteral("mnuFormKursiv"),
                         QStringLiteral("<I> &Kursiv"), key("Ctrl+I"));
    mnuFormUnder = item(mnuFormStil, QStringLiteral("mnuFormUnder"),
                        QStringLiteral("<U> &Understruken"), key("Ctrl+U"));
    mnuFormStrike = item(mnuFormStil, QStringLiteral("mnuFormStrike"),
                         QStringLiteral("<STRIKE> &Genomstruken"));
    separator(mnuFormStil);
    mnuFormFontSub =
        item(mnuFormStil, QStringLiteral("mnuFormFontSub"), QStringLiteral("<SUB> &Nedsänkt"));
    mnuFormFontSup =
        item(mnuFormStil, QStringLiteral("mnuFormFontSup"), QStringLiteral("<SUP> U&pphöjt"));
    mnuFormSty = submenu(mnuFormat, QStringLiteral("mnuFormSty"), QStringLiteral("S&tycke"));
    mnuFormBlock =
        item(mnuFormSty, QStringLiteral("mnuFormBlock"), QStringLiteral("<BLOCKQUOTE> &Indrag"));
    mnuFormCenter =
        item(mnuFormSty, QStringLiteral("mnuFormCenter"), QStringLiteral("<CENTER> &Centrerad"));
    mnuFormMulticol = item(mnuFormSty, QStringLiteral("mnuFormMulticol"),
                           QStringLiteral("<MULTICOL> &Spalter (NS)..."));
    mnuFormStycke = item(mnuFormSty, QStringLiteral("mnuFormStycke"),
                         QStringLiteral("<P> &Stycke..."), key("Ctrl+P"));
    mnuFormPre =
        item(mnuFormSty, QStringLiteral("mnuFormPre"), QStringLiteral("<PRE> &Förformaterad"));
    mnuFontS1 = separator(mnuFormat);
    mnuFormSpc = submenu(mnuFormat, QStringLiteral("mnuFormSpc"), QStringLiteral("S&pecial"));
    mnuFormAdd =
        item(mnuFormSpc, QStringLiteral("mnuFormAdd"), QStringLiteral("<ADDRESS> &Adress"));
    mnuFormBlink =
        item(mnuFormSpc, QStringLiteral("mnuFormBlink"), QStringLiteral("<BLINK> &Blinka (NS)"));
    mnuFormCit = item(mnuFormSpc, QStringLiteral("mnuFormCit"), QStringLiteral("<CITE>&Citat"));
    mnuFormCode = item(mnuFormSpc, QStringLiteral("mnuFormCode"), QStringLiteral("<CODE> K&od"));
    mnuFormDef =
        item(mnuFormSpc, QStringLiteral("mnuFormDef"), QStringLiteral("<DFN> &Definition"));
    mnuFormEm = item(mnuFormSpc, QStringLiteral("mnuFormEm"), QStringLiteral("<EM> &Betoning"));
    mnuFormTan =
        item(mnuFormSpc, QStringLiteral("mnuFormTan"), QStringLiteral("<KBD> &Tangentbord"));
    mnuFormSamp =
        item(mnuFormSpc, QStringLiteral("mnuFormSamp"), QStringLiteral("<SAMP> &Exempel"));
    mnuFormStrong =
        item(mnuFormSpc, QStringLiteral("mnuFormStrong"), QStringLiteral("<STRONG> &Stark"));
    mnuFormTT = item(mnuFormSpc, QStringLiteral("mnuFormTT"), QStringLiteral("<TT> Sk&rivmaskin"));
    mnuFormVar = item(mnuFormSpc, QStringLiteral("mnuFormVar"), QStringLiteral("<VAR> &Variabel"));

    mnuTools = top(QStringLiteral("mnuTools"), QStringLiteral("&Verktyg"));
    mnuArkivRun =
        item(mnuTools, QStringLiteral("mnuArkivRun"), QStringLiteral("&Granska"), key("F12"));
    mnuToolS1 = separator(mnuTools);
    mnuError = submenu(mnuTools, QStringLiteral("mnuError"), QStringLiteral("&Felkontroll"));
    mnuErrorAll = item(mnuError, QStringLiteral("mnuErrorAll"), QStringLiteral("&Kontrollera allt"),
                       key("Ctrl+K"));
    mnuErrors1 = separator(mnuError);
    mnuErrorHakar =
        item(mnuError, QStringLiteral("mnuErrorHakar"), QStringLiteral("&Taggar <>"), key("F6"));
    mnuErrorStandard = item(mnuError, QStringLiteral("mnuErrorStandard"),
                            QStringLiteral("&Standartaggar"), key("F7"));
    mnuErrorCitat = item(mnuError, QStringLiteral("mnuErrorCitat"),
                         QStringLiteral("&Citatstecken \"\""), key("F8"));
    mnyKomprimera =
        submenu(mnuTools, QStringLiteral("mnyKomprimera"), QStringLiteral("&Komprimera"));
    mnuEditRader =
        item(mnyKomprimera, QStringLiteral("mnuEditRader"), QStringLiteral("&Komprimera rader"));
    separator(mnyKomprimera);
    mnuRadPc =
        item(mnyKomprimera, QStringLiteral("mnuRadPc"), QStringLiteral("&PC (ASCII 13 + 10)"));
    mnuRadUnix =
        item(mnyKomprimera, QStringLiteral("mnuRadUnix"), QStringLiteral("&Unix (ASCII 10)"));
    mnuRadMac = item(mnyKomprimera, QStringLiteral("mnuRadMac"), QStringLiteral("&Mac (ASCII 13)"));
    separator(mnyKomprimera);
    mnuEditKill =
        item(mnyKomprimera, QStringLiteral("mnuEditKill"), QStringLiteral("&Radera radbrytningar"));
    mnuTools4 = separator(mnuTools);
    mnuEditConvAscii = item(mnuTools, QStringLiteral("mnuEditConvAscii"),
                            QStringLiteral("Konvertera till &ASCII-koder"));
    mnuEditConvert = item(mnuTools, QStringLiteral("mnuEditConvert"),
                          QStringLiteral("Konvertera till &HTML-koder"), key("Ctrl+H"));
    mnuTools3 = separator(mnuTools);
    mnuEditGem = item(mnuTools, QStringLiteral("mnuEditGem"), QStringLiteral("g&emener"));
    mnuEditVersal = item(mnuTools, QStringLiteral("mnuEditVersal"), QStringLiteral("&VERSALER"));
    mnuToolsS4 = separator(mnuTools);
    mnuToolsSort = item(mnuTools, QStringLiteral("mnuToolsSort"), QStringLiteral("&Sortera rader"));

    mnuHelp = top(QStringLiteral("mnuHelp"), QStringLiteral("&Hjälp"));
    mnuHelpWebVessilora = item(mnuHelp, QStringLiteral("mnuHelpWebVessilora"),
                               QStringLiteral("&Vessilora"), key("F1"));
    mnuHelpS1 = separator(mnuHelp);
    mnuHelpAbout = item(mnuHelp, QStringLiteral("mnuHelpAbout"), QStringLiteral("&Om..."));

    // The enabled state follows what is registered when a menu opens.
    for (QMenu* menu : findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &frmEditor::refreshMenuItems);
}

template <class Slot> void frmEditor::on(QAction* action, Slot slot) {
    connect(action, &QAction::triggered, this, slot);
    m_handled.insert(action);
}

void frmEditor::tagDialogItem(QAction* action) {
    m_tagDialogItems.insert(action);
    const QString name = action->objectName();
    connect(action, &QAction::triggered, this, [this, name] { openItem(name); });
}

void frmEditor::openItem(const QString& name) {
    OpenTagDialog(name);
}

void frmEditor::wrapItem(QAction* action, const QString& tag) {
    on(action, [tag] {
        QString open = tag;
        QString close;
        WrapSelection(open, close);
    });
}

void frmEditor::connectMenuItems() {
    // Arkiv
    on(mnuArkivNew, &frmEditor::mnuArkivNew_Click);
    on(mnuNewMall, &frmEditor::mnuNewMall_Click);
    on(mnuFileNewLatest, &frmEditor::mnuFileNewLatest_Click);
    on(mnuArkivSpara, &frmEditor::mnuArkivSpara_Click);
    on(mnuArkivSaveAs, &frmEditor::mnuArkivSaveAs_Click);
    on(mnuFileUpdate, &frmEditor::mnuFileUpdate_Click);
    on(mnuExit, &frmEditor::mnuExit_Click);
    on(mnuExitWeb, &frmEditor::mnuExitWeb_Click);

    // Redigera
    on(mnuEditUndo, &frmEditor::mnuEditUndo_Click);
    on(mnuEditRepeat, &frmEditor::mnuEditRepeat_Click);
    on(mnuEditCut, &frmEditor::mnuEditCut_Click);
    on(mnuEditCopy, &frmEditor::mnuEditCopy_Click);
    on(mnuEditPaste, &frmEditor::mnuEditPaste_Click);
    on(mnuEditDelete, &frmEditor::mnuEditDelete_Click);
    on(mnuEditDelTagg, &frmEditor::mnuEditDelTagg_Click);
    on(mnuEditAll, &frmEditor::mnuEditAll_Click);
    on(mnuEditStandardOpen, &frmEditor::mnuEditStandardOpen_Click);
    on(mnuEditStandardAddMark, &frmEditor::mnuEditStandardAddMark_Click);
    on(mnuEditSok, &frmEditor::mnuEditSok_Click);
    on(mnuEditFindNext, &frmEditor::mnuEditFindNext_Click);
    m_handled.insert(mnuEditAuto); // a check item: choosing it inverts the mark
    tagDialogItem(mnuEditFixTag);

    // Visa
    on(mnuViewFile, &frmEditor::mnuViewFile_Click);
    on(mnuViewObj, &frmEditor::mnuViewObj_Click);
    on(mnuArkivWeb, &frmEditor::mnuArkivWeb_Click);
    on(mnuArkivLookIn, &frmEditor::mnuArkivLookIn_Click);

    // Infoga: the tag dialogs
    for (QAction* action :
         {mnuInBack,     mnuInBacksound, mnuInsFormData,  mnuInsFormRadio, mnuInsFormHide,
          mnuInsFormBut, mnuInsFormChk,  mnuInsFormList,  mnuInsFormText,  mnuMetaDesc,
          mnuMetaArt,    mnuMetaKey,     mnuMetaRefresh,  mnuInsBild,      mnuInsFrameset,
          mnuInsFrame,   mnuInInb,       mnuInLin,        mnuInScript,     mnuTableNew,
          mnuTabHead,    mnuTabTr,       mnuTabTD,        mnuInBok,        mnuInDef,
          mnuInNum,      mnuInBul,       mnuInLink,       mnuMarquee,      mnuInBr,
          mnuInTid,      mnuFormFont,    mnuFormMulticol, mnuFormStycke})
        tagDialogItem(action);

    // Infoga: the pick lists
    on(mnuEditStandard[0], [this] { mnuEditStandard_Click(0); });
    on(mnuEditStandard[1], [this] { mnuEditStandard_Click(1); });

    // Format: the items named after a tag wrap the selection in it
    const std::pair<QAction*, const char*> wraps[] = {{mnuFormOv1, "H1"},
                                                      {mnuFormOv2, "H2"},
                                                      {mnuFormOv3, "H3"},
                                                      {mnuFormOv4, "H4"},
                                                      {mnuFormOv5, "H5"},
                                                      {mnuFormOv6, "H6"},
                                                      {mnuFormFet, "B"},
                                                      {mnuFormKursiv, "I"},
                                                      {mnuFormUnder, "U"},
                                                      {mnuFormStrike, "STRIKE"},
                                                      {mnuFormFontSub, "SUB"},
                                                      {mnuFormFontSup, "SUP"},
                                                      {mnuFormBlock, "BLOCKQUOTE"},
                                                      {mnuFormCenter, "CENTER"},
                                                      {mnuFormPre, "PRE"},
                                                      {mnuFormAdd, "ADDRESS"},
                                                      {mnuFormBlink, "BLINK"},
                                                      {mnuFormCit, "CITE"},
                                                      {mnuFormCode, "CODE"},
                                                      {mnuFormDef, "DFN"},
                                                      {mnuFormEm, "EM"},
                                                      {mnuFormTan, "KBD"},
                                                      {mnuFormSamp, "SAMP"},
                                                      {mnuFormStrong, "STRONG"},
                                                      {mnuFormTT, "TT"},
                                                      {mnuFormVar, "VAR"}};
    for (const auto& [action, tag] : wraps)
        wrapItem(action, QString::fromLatin1(tag));

    // Verktyg
    on(mnuArkivRun, &frmEditor::mnuArkivRun_Click);
    on(mnuErrorAll, &frmEditor::mnuErrorAll_Click);
    on(mnuErrorHakar, &frmEditor::mnuErrorHakar_Click);
    on(mnuErrorStandard, &frmEditor::mnuErrorStandard_Click);
    on(mnuErrorCitat, &frmEditor::mnuErrorCitat_Click);
    on(mnuEditRader, &frmEditor::mnuEditRader_Click);
    on(mnuRadPc, &frmEditor::mnuRadPc_Click);
    on(mnuRadUnix, &frmEditor::mnuRadUnix_Click);
    on(mnuRadMac, &frmEditor::mnuRadMac_Click);
    on(mnuEditKill, &frmEditor::mnuEditKill_Click);
    on(mnuEditConvAscii, &frmEditor::mnuEditConvAscii_Click);
    on(mnuEditConvert, &frmEditor::mnuEditConvert_Click);
    on(mnuEditGem, &frmEditor::mnuEditGem_Click);
    on(mnuEditVersal, &frmEditor::mnuEditVersal_Click);
    on(mnuToolsSort, &frmEditor::mnuToolsSort_Click);

    // Hjälp
    on(mnuHelpWebVessilora, &frmEditor::mnuHelpWebVessilora_Click);
    on(mnuHelpAbout, &frmEditor::mnuHelpAbout_Click);

    refreshMenuItems();
}

void frmEditor::refreshMenuItems() {
    for (QMenu* menu : findChildren<QMenu*>()) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || action->menu())
                continue;
            if (m_tagDialogItems.contains(action))
                action->setEnabled(TagDialogRegistered(action->objectName()));
            else
                action->setEnabled(m_handled.contains(action));
        }
    }
    mnuArkivWeb->setEnabled(ToolRegistered(Tool::ColourPicker));
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

void frmEditor::mnuArkivLookIn_Click() {
    // The font chosen there is applied when the preferences are confirmed.
    if (auto* preferences = qobject_cast<frmPref*>(ToolWindow(Tool::Preferences)))
        connect(preferences, &frmPref::settingsAccepted, this, &frmEditor::applyStoredFont,
                Qt::UniqueConnection);
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
