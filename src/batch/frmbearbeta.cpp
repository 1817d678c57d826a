#include "batch/frmbearbeta.h"

#include "batch/batchrun.h"
#include "batch/frmbatchoptions.h"
#include "batch/frmsok.h"
#include "batch/frmstatus.h"
#include "markup/globals.h"
#include "markup/linebreaks.h"
#include "markup/paths.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "shell/frmabout.h"
#include "shell/inimod.h"
#include "shell/settingkeys.h"
#include "shell/settings.h"
#include "shell/tools.h"
#include "widgets/filepanes.h"
#include "widgets/windowplace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// The batch window keeps its place (not its size) in section "Bearbeta".
constexpr PlaceRule BatchPlace{"Bearbeta"};

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A check box and its settings button on one row of a frame.
QHBoxLayout* checkRow(QCheckBox* check, QPushButton* settings) {
    auto* row = new QHBoxLayout;
    row->addWidget(check);
    row->addStretch(1);
    row->addWidget(settings);
    return row;
}

// A label shows "&&" as it stands; the summary of a style holds it doubled for captions.
QString shownText(QString text) {
    return text.replace(QLatin1String("&&"), QLatin1String("&"));
}

} // namespace

frmBearbeta::frmBearbeta(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmBearbeta"));
    setWindowTitle(QStringLiteral("Vessilora - Bearbeta filer"));
    buildControls();
    buildMenus();
}

frmBearbeta::~frmBearbeta() {
    // The dialogs have no parent: they go with the window.
    delete m_sok.data();
    delete m_komprimera.data();
    delete m_findFel.data();
    delete m_status.data();
}

frmSok* frmBearbeta::searchWindow() const {
    return m_sok;
}

frmKomprimera* frmBearbeta::compressWindow() const {
    return m_komprimera;
}

frmFindFel* frmBearbeta::errorWindow() const {
    return m_findFel;
}

frmStatus* frmBearbeta::statusWindow() const {
    return m_status;
}

void frmBearbeta::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    // The files: drive, folder, filter and file list, made in the order of the tab key.
    Enhet = named(new DriveList(central), "Enhet");
    Katalog = named(new FolderList(central), "Katalog");
    txtFilfilter = named(new QLineEdit(QStringLiteral("*.htm*"), central), "txtFilfilter");
    lblFilFilter = named(new QLabel(QStringLiteral("&Filfilter:"), central), "lblFilFilter");
    lblFilFilter->setBuddy(txtFilfilter);
    Filer = named(new FileList(central), "Filer");
    Filer->setMultiSelection(true);
    cmdAll = named(new QPushButton(QStringLiteral("Vä&lj alla"), central), "cmdAll");
    cmdInvert = named(new QPushButton(QStringLiteral("&Invertera"), central), "cmdInvert");
    chkUnderKat =
        named(new QCheckBox(QStringLiteral("Bearbeta &underkataloger"), central), "chkUnderKat");

    frmBackup = named(new QGroupBox(QStringLiteral("Backup"), central), "frmBackup");
    chkBackup = named(new QCheckBox(QStringLiteral("Gör &backup"), frmBackup), "chkBackup");
    chkBackup->setChecked(true);
    txtBack = named(new QLineEdit(QStringLiteral("BAK"), frmBackup), "txtBack");
    // A backup stays beside its page: its extension cannot name another folder.
    txtBack->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/]*")), txtBack));
    txtBack->setMaximumWidth(90);
    lblBack =
        named(new QLabel(QStringLiteral("Använd &filtillägg för backup:"), frmBackup), "lblBack");
    lblBack->setBuddy(txtBack);

    Frame1 = named(new QGroupBox(QStringLiteral("Sök och ersätt"), central), "Frame1");
    findandreplace =
        named(new QCheckBox(QStringLiteral("S&ök och ersätt"), Frame1), "findandreplace");
    cmdFindandreplace =
        named(new QPushButton(QStringLiteral("&Inställningar ->"), Frame1), "cmdFindandreplace");
    chkMatcha =
        named(new QCheckBox(QStringLiteral("&Matcha gemener/VERSALER"), Frame1), "chkMatcha");
    lblSokInfo = named(new QLabel(Frame1), "lblSokInfo");
    lblSokInfo->setWordWrap(true);

    chkConvert = named(
        new QCheckBox(QStringLiteral("Konvertera till H&TML-koder (å blir &&aring;)"), central),
        "chkConvert");

    Frame2 = named(new QGroupBox(QStringLiteral("Komprimera"), central), "Frame2");
    chkKomprimera = named(new QCheckBox(QStringLiteral("&Komprimera"), Frame2), "chkKomprimera");
    cmdKompInstall =
        named(new QPushButton(QStringLiteral("I&nställningar ->"), Frame2), "cmdKompInstall");
    lblKompInfo = named(new QLabel(Frame2), "lblKompInfo");
    lblKompRad = named(new QLabel(Frame2), "lblKompRad");

    Frame3 = named(new QGroupBox(QStringLiteral("Sök fel"), central), "Frame3");
    chkFindErr = named(new QCheckBox(QStringLiteral("Sök &fel"), Frame3), "chkFindErr");
    cmdFelInstall =
        named(new QPushButton(QStringLiteral("Ins&tällningar ->"), Frame3), "cmdFelInstall");
    lblFelHak = named(new QLabel(Frame3), "lblFelHak");
    lblFelCit = named(new QLabel(Frame3), "lblFelCit");
    lblFelStandard = named(new QLabel(Frame3), "lblFelStandard");

    cmdStartOne = named(new QPushButton(QStringLiteral("Sta&rta"), central), "cmdStartOne");
    cmdStartOne->setDefault(true);

    // As designed: the three settings buttons and the case box wait for their check box.
    cmdFindandreplace->setEnabled(false);
    chkMatcha->setEnabled(false);
    cmdKompInstall->setEnabled(false);
    cmdFelInstall->setEnabled(false);

    // Layout: the files on the left, the operations on the right.
    auto* filter = new QHBoxLayout;
    filter->addWidget(lblFilFilter);
    filter->addWidget(txtFilfilter, 1);
    auto* pick = new QHBoxLayout;
    pick->addWidget(cmdAll);
    pick->addWidget(cmdInvert);
    pick->addStretch(1);
    auto* files = new QVBoxLayout;
    files->addWidget(Enhet);
    files->addWidget(Katalog, 3);
    files->addLayout(filter);
    files->addWidget(Filer, 4);
    files->addLayout(pick);
    files->addWidget(chkUnderKat);

    auto* backup = new QGridLayout(frmBackup);
    backup->addWidget(chkBackup, 0, 0, 1, 2);
    backup->addWidget(lblBack, 1, 0);
    backup->addWidget(txtBack, 1, 1);
    backup->setColumnStretch(2, 1);

    auto* search = new QVBoxLayout(Frame1);
    search->addLayout(checkRow(findandreplace, cmdFindandreplace));
    search->addWidget(chkMatcha);
    search->addWidget(lblSokInfo);

    auto* compress = new QVBoxLayout(Frame2);
    compress->addLayout(checkRow(chkKomprimera, cmdKompInstall));
    compress->addWidget(lblKompInfo);
    compress->addWidget(lblKompRad);

    auto* errors = new QVBoxLayout(Frame3);
    errors->addLayout(checkRow(chkFindErr, cmdFelInstall));
    errors->addWidget(lblFelHak);
    errors->addWidget(lblFelCit);
    errors->addWidget(lblFelStandard);

    auto* start = new QHBoxLayout;
    start->addStretch(1);
    start->addWidget(cmdStartOne);
    auto* operations = new QVBoxLayout;
    operations->addWidget(frmBackup);
    operations->addWidget(Frame1);
    operations->addWidget(chkConvert);
    operations->addWidget(Frame2);
    operations->addWidget(Frame3);
    operations->addStretch(1);
    operations->addLayout(start);

    auto* layout = new QHBoxLayout(central);
    layout->addLayout(files, 1);
    layout->addSpacing(8);
    layout->addLayout(operations, 1);
    resize(780, 600);

    connect(Enhet, &DriveList::driveChanged, this, &frmBearbeta::Enhet_Change);
    connect(Katalog, &FolderList::pathChanged, this, &frmBearbeta::Katalog_Change);
    connect(txtFilfilter, &QLineEdit::textChanged, this, &frmBearbeta::txtFilfilter_Change);
    connect(cmdAll, &QPushButton::clicked, this, &frmBearbeta::cmdAll_Click);
    connect(cmdInvert, &QPushButton::clicked, this, &frmBearbeta::cmdInvert_Click);
    // Program-made changes of a check box follow the same rule as clicks.
    connect(chkUnderKat, &QCheckBox::toggled, this, &frmBearbeta::chkUnderKat_Click);
    connect(chkBackup, &QCheckBox::toggled, this, &frmBearbeta::chkBackup_Click);
    connect(findandreplace, &QCheckBox::toggled, this, &frmBearbeta::findandreplace_Click);
    connect(chkKomprimera, &QCheckBox::toggled, this, &frmBearbeta::chkKomprimera_Click);
    connect(chkFindErr, &QCheckBox::toggled, this, &frmBearbeta::chkFindErr_Click);
    connect(cmdFindandreplace, &QPushButton::clicked, this, &frmBearbeta::cmdFindandreplace_Click);
    connect(cmdKompInstall, &QPushButton::clicked, this, &frmBearbeta::cmdKompInstall_Click);
    connect(cmdFelInstall, &QPushButton::clicked, this, &frmBearbeta::cmdFelInstall_Click);
    connect(cmdStartOne, &QPushButton::clicked, this, &frmBearbeta::cmdStartOne_Click);
}

void frmBearbeta::buildMenus() {
    mnuArkiv = named(menuBar()->addMenu(QStringLiteral("&Arkiv")), "mnuArkiv");
    mnuExit = named(mnuArkiv->addAction(QStringLiteral("St&äng Bearbeta")), "mnuExit");
    mnuExitWeb = named(mnuArkiv->addAction(QStringLiteral("&Avsluta Vessilora")), "mnuExitWeb");
    mnuExitWeb->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuView = named(menuBar()->addMenu(QStringLiteral("Vi&sa")), "mnuView");
    mnuArkivWeb = named(mnuView->addAction(QStringLiteral("&Webfärg...")), "mnuArkivWeb");
    mnuArkivWeb->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    named(mnuView->addSeparator(), "mnuArkivs");
    mnuArkivInst = named(mnuView->addAction(QStringLiteral("&Inställningar...")), "mnuArkivInst");

    mnuHelp = named(menuBar()->addMenu(QStringLiteral("&Hjälp")), "mnuHelp");
    mnuHelpWebVessilora =
        named(mnuHelp->addAction(QStringLiteral("&Vessilora")), "mnuHelpWebVessilora");
    mnuHelpWebVessilora->setShortcut(QKeySequence(Qt::Key_F1));
    named(mnuHelp->addSeparator(), "mnuHelpS1");
    mnuHelpAbout = named(mnuHelp->addAction(QStringLiteral("&Om...")), "mnuHelpAbout");

    connect(mnuExit, &QAction::triggered, this, &frmBearbeta::mnuExit_Click);
    connect(mnuExitWeb, &QAction::triggered, this, &frmBearbeta::mnuExitWeb_Click);
    connect(mnuArkivWeb, &QAction::triggered, this, &frmBearbeta::mnuArkivWeb_Click);
    connect(mnuArkivInst, &QAction::triggered, this, &frmBearbeta::mnuArkivInst_Click);
    connect(mnuHelpWebVessilora, &QAction::triggered, this,
            &frmBearbeta::mnuHelpWebVessilora_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmBearbeta::mnuHelpAbout_Click);
}

// --- Loading and unloading ----------------------------------------------------------------

void frmBearbeta::setVisible(bool visible) {
    if (visible && !m_loaded && !isVisible())
        Form_Load();
    QMainWindow::setVisible(visible);
}

void frmBearbeta::Form_Load() {
    m_loaded = true;
    // Every load starts from the designed state, as a newly made window does.
    txtFilfilter->setText(QStringLiteral("*.htm*"));
    for (QCheckBox* box :
         {chkUnderKat, findandreplace, chkMatcha, chkConvert, chkKomprimera, chkFindErr})
        box->setChecked(false);
    chkBackup->setChecked(true);
    txtBack->setText(QStringLiteral("BAK"));

    const QString folder = IsReadableFolder(StartFolder) ? StartFolder : QDir::homePath();
    Filer->setPath(folder);
    Katalog->setPath(folder);
    Enhet->setDrive(Katalog->path());

    const IniSession ini(IniFile);
    ApplyPlace(this, ReadPlace(ini, BatchPlace, platform().screenSizeTwips()));
    const auto checkWhenOne = [&ini](QCheckBox* box, const IntKey& key) {
        if (ReadKey(ini, key))
            box->setChecked(true);
    };
    checkWhenOne(findandreplace, Keys::Sokochersatt);
    checkWhenOne(chkMatcha, Keys::Matcha);
    checkWhenOne(chkConvert, Keys::Konvertera);
    checkWhenOne(chkKomprimera, Keys::Komprimera);
    checkWhenOne(chkFindErr, Keys::Sokfel);
    if (const std::optional<int> backup = ReadKey(ini, Keys::Gorbackup))
        chkBackup->setChecked(*backup == 1);
    const QString extension = ReadKey(ini, Keys::Backupext);
    if (!extension.isEmpty())
        txtBack->setText(extension);
    if (const std::optional<int> style = ReadKey(ini, Keys::Radbrytning))
        BatchLineBreakStyle = *style;
    if (ReadKey(ini, Keys::KomprimeraRader))
        BatchCompressLines = true;
    if (const std::optional<int> brackets = ReadKey(ini, Keys::FelHakar))
        BatchCheckBrackets = *brackets == 1;
    if (const std::optional<int> quotes = ReadKey(ini, Keys::FelCitat))
        BatchCheckQuotes = *quotes == 1;
    if (const std::optional<int> standard = ReadKey(ini, Keys::FelStandard))
        BatchCheckStandardTags = *standard == 1;

    // The enabling rules hold right after loading, whatever the boxes were before.
    chkUnderKat_Click();
    chkBackup_Click();
    findandreplace_Click();
    chkKomprimera_Click();
    chkFindErr_Click();
    ShowBatchSettings();
}

void frmBearbeta::Form_Unload() {
    StartFolder = Filer->path();
    m_loaded = false;
    ShowLauncher();
    writeSettings();
}

void frmBearbeta::writeSettings() {
    IniSession ini(IniFile);
    WritePlace(ini, BatchPlace, this);
    const auto value = [](const QCheckBox* box) { return box->isChecked() ? 1 : 0; };
    WriteKey(ini, Keys::Sokochersatt, value(findandreplace));
    WriteKey(ini, Keys::Matcha, value(chkMatcha));
    WriteKey(ini, Keys::Konvertera, value(chkConvert));
    WriteKey(ini, Keys::Komprimera, value(chkKomprimera));
    WriteKey(ini, Keys::Sokfel, value(chkFindErr));
    WriteKey(ini, Keys::Gorbackup, value(chkBackup));
    QString extension = txtBack->text();
    WriteKey(ini, Keys::Backupext, extension);
    txtBack->setText(extension);
    WriteKey(ini, Keys::Radbrytning, BatchLineBreakStyle);
    WriteKey(ini, Keys::KomprimeraRader, BatchCompressLines ? 1 : 0);
    WriteKey(ini, Keys::FelHakar, BatchCheckBrackets ? 1 : 0);
    WriteKey(ini, Keys::FelCitat, BatchCheckQuotes ? 1 : 0);
    WriteKey(ini, Keys::FelStandard, BatchCheckStandardTags ? 1 : 0);
    ini.save();
}

void frmBearbeta::closeEvent(QCloseEvent* event) {
    // While a dialog or the progress window is open (the window is disabled) it stays.
    if (m_loaded && !isEnabled()) {
        event->ignore();
        return;
    }
    if (m_loaded)
        Form_Unload();
    event->accept();
}

void frmBearbeta::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_loaded && isEnabled())
        ShowBatchSettings();
}

// --- Summaries and the file list ----------------------------------------------------------

void frmBearbeta::ShowBatchSettings() {
    if (PairCount == 0)
        lblSokInfo->setText(QStringLiteral("Det finns inga sök- och ersättsvariabler inskrivna."));
    else if (PairCount == 1)
        lblSokInfo->setText(QStringLiteral("1 variabel inskriven."));
    else
        lblSokInfo->setText(QString::number(PairCount) + QStringLiteral(" variabler inskrivna."));
    lblKompInfo->setText(shownText(LineBreakStyleName(BatchLineBreakStyle)));
    lblKompRad->setText(BatchCompressLines ? QStringLiteral("Rader komprimeras.")
                                           : QStringLiteral("Ingen komprimering av rader."));
    lblFelHak->setText(BatchCheckBrackets ? QStringLiteral("Taggfel söks.")
                                          : QStringLiteral("Taggfel söks inte."));
    lblFelStandard->setText(BatchCheckStandardTags ? QStringLiteral("Standardtaggar söks.")
                                                   : QStringLiteral("Standardtaggar söks inte."));
    lblFelCit->setText(BatchCheckQuotes ? QStringLiteral("Citatsfel söks.")
                                        : QStringLiteral("Citatsfel söks inte."));
    refreshFiles();
}

QStringList frmBearbeta::selectedFiles() const {
    QStringList names;
    for (int i = 0; i < Filer->listCount(); ++i) {
        if (Filer->isSelected(i))
            names.append(Filer->fileName(i));
    }
    return names;
}

void frmBearbeta::refreshFiles() {
    // Coming back to the window shows the folder as it is now, with the user's choice kept.
    const QStringList chosen = selectedFiles();
    if (!Filer->setPattern(txtFilfilter->text()))
        Filer->setPattern(Filer->pattern());
    for (const QString& name : chosen) {
        for (int i = 0; i < Filer->listCount(); ++i) {
            if (Filer->fileName(i) == name)
                Filer->setSelected(i, true);
        }
    }
}

// --- Event handlers -----------------------------------------------------------------------

void frmBearbeta::Enhet_Change(const QString& root) {
    if (!DriveList::isReady(root) || !Katalog->setPath(root))
        Enhet->setDrive(Katalog->path());
}

void frmBearbeta::Katalog_Change() {
    Filer->setPath(Katalog->path());
}

void frmBearbeta::txtFilfilter_Change() {
    refreshFiles();
}

void frmBearbeta::cmdAll_Click() {
    for (int i = 0; i < Filer->listCount(); ++i)
        Filer->setSelected(i, true);
}

void frmBearbeta::cmdInvert_Click() {
    for (int i = 0; i < Filer->listCount(); ++i)
        Filer->setSelected(i, !Filer->isSelected(i));
}

void frmBearbeta::chkUnderKat_Click() {
    Filer->setEnabled(!chkUnderKat->isChecked());
}

void frmBearbeta::chkBackup_Click() {
    lblBack->setEnabled(chkBackup->isChecked());
    txtBack->setEnabled(chkBackup->isChecked());
}

void frmBearbeta::findandreplace_Click() {
    cmdFindandreplace->setEnabled(findandreplace->isChecked());
    chkMatcha->setEnabled(findandreplace->isChecked());
}

void frmBearbeta::chkKomprimera_Click() {
    cmdKompInstall->setEnabled(chkKomprimera->isChecked());
}

void frmBearbeta::chkFindErr_Click() {
    cmdFelInstall->setEnabled(chkFindErr->isChecked());
}

template <typename Dialog> void frmBearbeta::openDialog(QPointer<Dialog>& slot) {
    slot = new Dialog(this);
    connect(slot, &BatchDialog::closed, this, &frmBearbeta::ShowBatchSettings);
    slot->open();
}

void frmBearbeta::cmdFindandreplace_Click() {
    openDialog(m_sok);
}

void frmBearbeta::cmdKompInstall_Click() {
    openDialog(m_komprimera);
}

void frmBearbeta::cmdFelInstall_Click() {
    openDialog(m_findFel);
}

// --- The run ------------------------------------------------------------------------------

void frmBearbeta::cmdStartOne_Click() {
    RootFolder = Katalog->path();
    const bool subfolders = chkUnderKat->isChecked();
    const BatchSettings settings =
        BatchSettingsFromGlobals(findandreplace->isChecked(), chkMatcha->isChecked(),
                                 chkConvert->isChecked(), chkKomprimera->isChecked(),
                                 chkFindErr->isChecked(), chkBackup->isChecked(), txtBack->text());
    CancelRequested = false;
    const QStringList chosen = selectedFiles();
    if (const std::optional<StartMessage> stop =
            CheckStart(settings, subfolders, Filer->listCount(), static_cast<int>(chosen.size()))) {
        platform().message(stop->text, MsgIcon::Information, MsgButtons::Ok, stop->title);
        return;
    }

    BatchSelection selection;
    selection.root = RootFolder;
    selection.subfolders = subfolders;
    selection.pattern = Filer->pattern();
    selection.files = chosen;

    setCursor(Qt::WaitCursor);
    auto* status = new frmStatus(this);
    m_status = status;
    connect(status, &BatchDialog::closed, this, &frmBearbeta::ShowBatchSettings);
    status->open();
    status->checkPoint();

    BatchRun run(settings, selection);
    run.appendStatus = [status](const QString& text, int breaks) {
        status->AppendStatus(text, breaks);
    };
    run.processEvents = [status] { status->checkPoint(); };
    run.progress = [status](int done, int total) { status->showCount(done, total); };
    if (subfolders) {
        // The folder list shows the folder being worked on, all its files chosen.
        run.folderEntered = [this](const QString& folder) {
            Katalog->setPath(folder);
            cmdAll_Click();
        };
    }
    status->showCount(0, run.plan());
    run.run();

    if (subfolders)
        Katalog->setPath(RootFolder);
    unsetCursor();
    status->runEnded();
}

// --- Menus --------------------------------------------------------------------------------

void frmBearbeta::mnuExit_Click() {
    close();
}

void frmBearbeta::mnuExitWeb_Click() {
    if (close())
        SaveSettings();
}

void frmBearbeta::mnuArkivWeb_Click() {
    if (QWidget* picker = ToolWindow(Tool::ColourPicker)) {
        picker->show();
        picker->raise();
        picker->activateWindow();
    }
}

void frmBearbeta::mnuArkivInst_Click() {
    ShowPreferencesWindow();
}

void frmBearbeta::mnuHelpWebVessilora_Click() {
    OpenInBrowser(ProgramFolder(), QStringLiteral("vessilor.htm"));
}

void frmBearbeta::mnuHelpAbout_Click() {
    if (!m_about)
        m_about = new frmAbout(this);
    m_about->show();
    m_about->raise();
}

void RegisterBatchWindow() {
    RegisterTool(Tool::Batch, [] { return new frmBearbeta; });
}
