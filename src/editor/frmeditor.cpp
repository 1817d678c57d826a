// The editor window: document lifecycle (new, open, save, save as, delete, close), the
// caption and the settings the window keeps in section "Editor".

#include "editor/frmeditor.h"

#include "editor/frmfind.h"
#include "editor/frmoversikt.h"
#include "markup/document.h"
#include "markup/globals.h"
#include "markup/paths.h"
#include "markup/tagwriter.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "shell/frmpref.h"
#include "shell/inimod.h"
#include "shell/settingkeys.h"
#include "shell/settings.h"
#include "shell/tools.h"
#include "widgets/filepanes.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"
#include "widgets/windowplace.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QTimer>

namespace {

// The editor keeps its place and size in section "Editor".
constexpr PlaceRule EditorPlace{"Editor", true};

int pixels(int twipValue) {
    return PixelsFromTwips(twipValue);
}

// The part of a path after its last "/" (the whole path when it has none).
QString namePart(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Qt reads "[*]" in a caption as the place of the modified mark; a doubled one stands for
// itself.
QString captionText(const QString& text) {
    QString caption = text;
    caption.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    return caption;
}

} // namespace

frmEditor::frmEditor(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmEditor"));
    setWindowTitle(QStringLiteral("Vessilora - Editor"));
    buildPanes();
    buildPickLists();
    buildStrip();
    buildMenus();
    // The encoding of the document, at the right end of the menu bar where it moves nothing.
    lblEncoding = new QLabel(menuBar());
    lblEncoding->setObjectName(QStringLiteral("lblEncoding"));
    lblEncoding->setContentsMargins(0, 0, 8, 0);
    lblEncoding->setAlignment(Qt::AlignVCenter | Qt::AlignRight);
    menuBar()->setCornerWidget(lblEncoding, Qt::TopRightCorner);
    // The designed client area is 8955 x 5700 twips, below the menu bar; wider when the tag
    // strip needs more room in this font, so that no label is cut off.
    const int stripEnd = lblMenu[9]->geometry().right() + 1 + pixels(80);
    resize(qMax(pixels(8955), stripEnd), pixels(5700) + menuBar()->sizeHint().height());
    SetEditorWindow(this, txtText);
    SetNewDocumentHandler([this](const QString& text, int start, int length) {
        putNewDocument(text, start, length);
    });
}

frmEditor::~frmEditor() {
    if (EditorWindow() == this) {
        SetEditorWindow(nullptr, nullptr);
        SetNewDocumentHandler({});
    }
}

// --- Loading and unloading --------------------------------------------------------------

void frmEditor::setVisible(bool visible) {
    if (visible && !m_loaded && !isVisible())
        Form_Load();
    QMainWindow::setVisible(visible);
}

void frmEditor::Form_Load() {
    m_loaded = true;
    CurrentFile.clear();

    // The filter starts as designed also when the window is loaded again in the same run.
    {
        const QSignalBlocker quiet(txtFilfilter);
        txtFilfilter->setText(QStringLiteral("*.htm*"));
    }
    // The panes start in StartFolder; a folder that is gone leaves them in the home folder.
    if (!Filer->setPattern(txtFilfilter->text()))
        Filer->setPattern(QStringLiteral("*"));
    const QString home = QDir::homePath();
    const QString folder = IsReadableFolder(StartFolder) ? StartFolder : home;
    if (Katalog->path() == NormalizeFolder(folder))
        Katalog_Change();
    else if (!Katalog->setPath(folder))
        Katalog->setPath(home);
    Enhet->setDrive(Katalog->path());

    LayoutStrip();
    setStripColours(-1); // no label stays lit from the last time the window was open
    StripIdle = true;
    refreshMenuItems();
    fillHtmlCharacters();
    mnuArkivNew_Click();

    // The window's settings, read with one read of the settings file.
    const IniSession ini(IniFile);
    ApplyPlace(this, ReadPlace(ini, EditorPlace, platform().screenSizeTwips()));
    applyStoredFont(ReadKey(ini, Keys::EditorFont));
    if (const std::optional<int> state = ReadKey(ini, Keys::EditorWindowState)) {
        const Qt::WindowState states[] = {Qt::WindowNoState, Qt::WindowMinimized,
                                          Qt::WindowMaximized};
        setWindowState(states[*state]);
    }
    if (const std::optional<int> forceLower = ReadKey(ini, Keys::TvingaVersaler))
        ForceLowerCase = *forceLower == 1;
    if (const std::optional<int> autoIndent = ReadKey(ini, Keys::AutoIndrag))
        mnuEditAuto->setChecked(*autoIndent == 1);
    // The view handlers show the panes and the strip as their check marks say.
    if (const std::optional<int> showFiles = ReadKey(ini, Keys::VisaFilmeny)) {
        mnuViewFile->setChecked(*showFiles == 1);
        mnuViewFile_Click();
    }
    if (const std::optional<int> showStrip = ReadKey(ini, Keys::VisaObjektmeny)) {
        mnuViewObj->setChecked(*showStrip == 1);
        mnuViewObj_Click();
    }

    CurrentFile = ReadKey(ini, Keys::LastFile);
    if (CurrentFile.isEmpty() || !OpenDocument(CurrentFile)) {
        CurrentFile.clear();
        UpdateTitle(true);
    }

    const QString filter = ReadKey(ini, Keys::Filfilter);
    if (!filter.isEmpty())
        txtFilfilter->setText(filter); // its change sets the pattern
    LoadStandardTexts();
    DocumentChanged = false;
    UpdateTitle(true);
}

bool frmEditor::Form_Unload() {
    if (SavePrompt() == MsgAnswer::Cancel)
        return false;
    DocumentChanged = false;
    writeSettings();
    if (frmFind* find = ExistingFindWindow(); find && find->isVisible())
        find->cmdcancel_Click();
    // The overview goes with the editor, storing its place.
    if (m_overview)
        m_overview->close();
    m_loaded = false;
    ShowLauncher();
    return true;
}

void frmEditor::closeEvent(QCloseEvent* event) {
    // While a dialog works on the document (the window is disabled) the window stays.
    if (m_loaded && !isEnabled()) {
        event->ignore();
        return;
    }
    if (!m_loaded || Form_Unload())
        event->accept();
    else
        event->ignore();
}

void frmEditor::applyStoredFont() {
    applyStoredFont(ReadKey(IniSession(IniFile), Keys::EditorFont));
}

void frmEditor::applyStoredFont(const QString& stored) {
    if (stored.isEmpty())
        return;
    const QString family = EditorFontFamily(stored, platform().screenFonts());
    if (!family.isEmpty())
        txtText->setEditorFont(family);
}

void frmEditor::writeSettings() {
    IniSession ini(IniFile);
    WriteKey(ini, Keys::TvingaVersaler, ForceLowerCase ? 1 : 0);
    WriteKey(ini, Keys::AutoIndrag, mnuEditAuto->isChecked() ? 1 : 0);
    WriteKey(ini, Keys::VisaFilmeny, mnuViewFile->isChecked() ? 1 : 0);
    WriteKey(ini, Keys::VisaObjektmeny, mnuViewObj->isChecked() ? 1 : 0);
    WriteKey(ini, Keys::Filfilter, txtFilfilter->text());
    WritePlace(ini, EditorPlace, this);
    const Qt::WindowStates state = windowState();
    if (!(state & Qt::WindowMinimized))
        WriteKey(ini, Keys::EditorWindowState,
                 state & (Qt::WindowMaximized | Qt::WindowFullScreen) ? 2 : 0);
    WriteKey(ini, Keys::LastFile, CurrentFile);
    ini.save();
}

// --- The caption and the file list ------------------------------------------------------

void frmEditor::UpdateTitle(bool TitleOnly) {
    if (CurrentFile.isEmpty())
        setWindowTitle(QStringLiteral("Vessilora - Editor"));
    else
        setWindowTitle(captionText((DocumentChanged ? QStringLiteral("* ") : QString()) +
                                   namePart(CurrentFile) + QStringLiteral(" - Editor")));
    showEncoding();
    if (TitleOnly)
        return;

    Filer->refresh();
    const qsizetype slash = CurrentFile.lastIndexOf(QLatin1Char('/'));
    if (CurrentFile.isEmpty() || Filer->listCount() == 0 || slash < 0)
        return;
    // Folder names differ in letter case here, so the open file's folder must be the listed
    // folder exactly.
    if (NormalizeFolder(CurrentFile.left(slash + 1)) != Filer->path())
        return;
    const QString name = namePart(CurrentFile);
    const int found = Filer->indexOfName(name);
    if (found < 0)
        return;
    IgnoreFileClick = true;
    Filer->setListIndex(found);
    IgnoreFileClick = false;
}

void frmEditor::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Coming back to the window shows the folder as it is now.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_loaded)
        UpdateTitle(false);
    // A dialog that disabled the window took the focus from the text. When the window is
    // enabled again the text gets it back, not the first pane: an arrow key in the file list
    // would open another file.
    if (event->type() == QEvent::EnabledChange && isEnabled() && !focusWidget())
        txtText->setFocus();
}

QString frmEditor::listFolderPath(const QString& name) const {
    return JoinPath(Filer->path(), name);
}

void frmEditor::txtText_Change() {
    DocumentChanged = true;
    UpdateTitle(true);
}

// --- Opening ----------------------------------------------------------------------------

bool frmEditor::OpenDocument(const QString& path) {
    // Every save ends the text with CR LF; opening takes that one away again, and the document
    // remembers it, so a file that did not end so is saved as it was.
    DocumentRead read = ReadDocument(path, FinalBreak::Drop);
    if (read.outcome == ReadOutcome::Ok && !txtText->setWholeText(read.text))
        read.outcome = ReadOutcome::TooLarge;
    read.text.clear();
    switch (read.outcome) {
    case ReadOutcome::Ok:
        break;
    case ReadOutcome::TooLarge:
        m_openFailure = OpenFailure::TooLarge;
        return false;
    case ReadOutcome::Unreadable:
        m_openFailure = OpenFailure::Unreadable;
        return false;
    }
    m_openFailure = OpenFailure::None;
    CurrentFormat = read.format;
    DocumentChanged = false;
    UpdateTitle(false);
    return true;
}

void frmEditor::Filer_Click(int index) {
    if (IgnoreFileClick)
        return;
    // The file is taken now: the prompt's save may re-read the list or, through "Spara som",
    // move the panes to another folder.
    const QString name = Filer->fileName(index);
    const QString path = listFolderPath(name);
    if (SavePrompt() == MsgAnswer::Cancel) {
        // The selection goes back to the open document (or to nothing).
        IgnoreFileClick = true;
        Filer->setListIndex(-1);
        IgnoreFileClick = false;
        UpdateTitle(false);
        return;
    }
    if (name.isEmpty())
        return;
    if (OpenDocument(path)) {
        DocumentChanged = false;
        CurrentFile = path;
    } else {
        const QString message =
            m_openFailure == OpenFailure::TooLarge
                ? QStringLiteral("Filen ") + path +
                      QStringLiteral(" är för stor för att kunna öppnas.")
                : QStringLiteral("Kunde inte öppna: ") + path + QLatin1Char(' ');
        txtText->setWholeText(message);
        CurrentFile.clear();
        Filer->refresh();
        DocumentChanged = false;
    }
    UpdateTitle(false);
}

// --- New document -----------------------------------------------------------------------

void frmEditor::newDocumentText() {
    const auto tag = [](const char* name) {
        return FormatAttribute(QString::fromLatin1(name), QString(), AttrTagName).trimmed();
    };
    const QString nl = QStringLiteral("\r\n");
    const QString text = tag("<HTML>") + nl + tag("<HEAD>") + nl + tag("<TITLE>") +
                         QStringLiteral("Skriv din titel här!") + tag("</TITLE>") + nl +
                         tag("</HEAD>") + nl + nl + tag("<BODY>") + nl + nl + tag("</BODY>") + nl +
                         tag("</HTML>");
    txtText->setWholeText(text);
    txtText->setSel(23, 20);
    CurrentFormat = DocumentFormat();
}

void frmEditor::putNewDocument(const QString& text, int start, int length) {
    Filer->setListIndex(-1);
    if (!txtText->setWholeText(text))
        return;
    CurrentFile.clear();
    CurrentFormat = DocumentFormat();
    // The page was just composed: closing must ask before it is thrown away.
    DocumentChanged = true;
    setEnabled(true);
    txtText->setSel(start, length);
    UpdateTitle(false);
    txtText->setFocus();
}

void frmEditor::mnuArkivNew_Click() {
    if (SavePrompt() == MsgAnswer::Cancel)
        return;
    CurrentFile.clear();
    Filer->setListIndex(-1);
    newDocumentText();
    DocumentChanged = false;
    UpdateTitle(false);
    txtText->setFocus();
    Filer->setListIndex(-1);
}

// --- Saving -----------------------------------------------------------------------------

MsgAnswer frmEditor::SavePrompt() {
    if (!DocumentChanged)
        return MsgAnswer::No;
    const MsgAnswer answer =
        platform().message(QStringLiteral("Dokumentet är ändrat. Vill du spara?"),
                           MsgIcon::Exclamation, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Yes) {
        mnuArkivSpara_Click();
        // A save that did not happen must not let the command throw the text away.
        return DocumentChanged ? MsgAnswer::Cancel : MsgAnswer::Yes;
    }
    return answer == MsgAnswer::No ? MsgAnswer::No : MsgAnswer::Cancel;
}

bool frmEditor::writeDocument() {
    const QString text = txtText->text();
    QString why;
    const bool written = WriteDocument(CurrentFile, text, CurrentFormat, &why);
    m_lastSaveWritten = written;
    reloadStandardTextsAfterSave();
    if (written) {
        // A new document keeps the encoding its first save chose.
        CurrentFormat.encoding = EncodingForSave(CurrentFormat, text);
        showEncoding();
        return true;
    }
    platform().message(QStringLiteral("Det gick inte att spara filen ") + CurrentFile +
                           QLatin1Char('.'),
                       MsgIcon::Exclamation, MsgButtons::Ok);
    return false;
}

void frmEditor::showEncoding() {
    const TextEncoding encoding = EncodingForSave(CurrentFormat, headText());
    lblEncoding->setText(EncodingName(encoding));
    if (QAction* other = menuItem(QStringLiteral("mnuArkivEncoding")))
        other->setText(encoding == TextEncoding::Cp1252
                           ? QStringLiteral("&Teckenkodning: spara som UTF-8")
                           : QStringLiteral("&Teckenkodning: spara som Windows-1252"));
}

QString frmEditor::headText() const {
    return txtText->text(
        0, static_cast<int>(txtText->bytePosition(qMin(txtText->textLength(), 2048))));
}

void frmEditor::mnuArkivEncoding_Click() {
    const QString text = txtText->text();
    const TextEncoding now = EncodingForSave(CurrentFormat, text);
    const TextEncoding other =
        now == TextEncoding::Cp1252 ? TextEncoding::Utf8 : TextEncoding::Cp1252;
    if (other == TextEncoding::Cp1252 && !FitsCp1252(text)) {
        const MsgAnswer answer = platform().message(
            QStringLiteral("Dokumentet innehåller tecken som inte finns i Windows-1252. De sparas "
                           "som teckenkoder (&#N;). Vill du spara dokumentet i Windows-1252?"),
            MsgIcon::Question, MsgButtons::YesNo);
        if (answer != MsgAnswer::Yes)
            return;
    }
    const DocumentFormat before = CurrentFormat;
    CurrentFormat.encoding = other;
    m_lastSaveWritten = false;
    mnuArkivSpara_Click();
    // Nothing was saved (the name was not given, or the write failed): the document stays in
    // its encoding.
    if (!m_lastSaveWritten)
        CurrentFormat = before;
    showEncoding();
}

void frmEditor::mnuArkivSpara_Click() {
    if (CurrentFile.isEmpty()) {
        mnuArkivSaveAs_Click();
        return;
    }
    // A failed write leaves the file on disk as it was and the document marked as changed.
    if (writeDocument())
        DocumentChanged = false;
    UpdateTitle(true);
}

void frmEditor::mnuArkivSaveAs_Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Spara som");
    request.filter =
        QStringLiteral("HTML-fil (*.html)|*.html|HTM-fil (*.htm)|*.htm|Text-fil (*.txt)|*.txt");
    request.folder = Filer->path();
    request.fileMustExist = false;
    request.confirmOverwrite = true;
    const std::optional<FileDialogResult> chosen = platform().saveFile(request);
    if (!chosen || chosen->path.isEmpty())
        return;
    CurrentFile = QDir::cleanPath(chosen->path);
    if (!writeDocument()) {
        UpdateTitle(true);
        return;
    }
    BusyCursor busy;
    DocumentChanged = false;
    Filer->setPattern(Filer->pattern()); // re-reads the folder
    const qsizetype slash = CurrentFile.lastIndexOf(QLatin1Char('/'));
    const QString name = CurrentFile.mid(slash + 1);
    const QString folder = slash <= 0 ? QStringLiteral("/") : CurrentFile.left(slash);
    if (Katalog->setPath(folder) || Katalog->path() == NormalizeFolder(folder))
        Enhet->setDrive(Katalog->path());
    UpdateTitle(true);
    if (Filer->path() != NormalizeFolder(folder))
        return;
    // Selecting the saved file opens it again from the disk, as a click does.
    const int found = Filer->indexOfName(name);
    if (found >= 0)
        Filer->setListIndex(found);
}

// --- Deleting ---------------------------------------------------------------------------

void frmEditor::Filer_KeyUp(int key, Qt::KeyboardModifiers modifiers) {
    Q_UNUSED(modifiers);
    if (key != Qt::Key_Delete)
        return;
    const QString name = Filer->fileName(Filer->listIndex());
    if (name.isEmpty())
        return;
    const QString path = listFolderPath(name);
    const MsgAnswer answer = platform().message(
        QStringLiteral("Är du säker på att du vill ta bort den här filen (den kommer inte att "
                       "hamna i papperskorgen)?"),
        MsgIcon::Exclamation, MsgButtons::YesNoCancel);
    if (answer != MsgAnswer::Yes)
        return;
    if (!QFile::remove(path)) {
        platform().message(QStringLiteral("Det går inte att ta bort filen."), MsgIcon::Exclamation,
                           MsgButtons::Ok);
        return;
    }
    Filer->refresh();
    // Only the deleted document itself is replaced: another open document and its unsaved
    // changes stay.
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(CurrentFile).absoluteFilePath()) {
        CurrentFile.clear();
        DocumentChanged = false;
        mnuArkivNew_Click();
    } else {
        Filer->setListIndex(-1);
        UpdateTitle(false);
    }
}

// --- Browser, closing, preferences, help ------------------------------------------------

void frmEditor::mnuArkivRun_Click() {
    if (CurrentFile.isEmpty()) {
        platform().message(QStringLiteral("Du måste spara filen innan den granskas."),
                           MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    OpenInBrowser(CurrentFile, QStringLiteral("*"));
}

void frmEditor::mnuExit_Click() {
    close();
}

void frmEditor::mnuExitWeb_Click() {
    if (close())
        SaveSettings();
}

// --- Registration -----------------------------------------------------------------------

void RegisterEditorWindow() {
    RegisterTool(Tool::Editor, [] { return new frmEditor; });
}
