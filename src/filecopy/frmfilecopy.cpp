#include "filecopy/frmfilecopy.h"

#include "filecopy/filecopycore.h"
#include "markup/globals.h"
#include "platform/platform.h"
#include "shell/frmstartup.h"
#include "shell/inimod.h"
#include "shell/tools.h"
#include "widgets/filepanes.h"
#include "widgets/textfield.h"
#include "widgets/windowplace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// The window keeps its place in section "Filecopy", written as text; a stored Left or Top of
// 0 is applied too.
constexpr PlaceRule FileCopyPlace{"Filecopy", false, 0, false, true};

// How often the window lets its events run while a copy goes on (a repaint and a look at the
// buttons between two files is plenty at this pace, and costs little).
constexpr qint64 EventInterval = 40; // milliseconds

const QString StartCaption = QStringLiteral("&Starta kopiering");
const QString NewCaption = QStringLiteral("&Ny kopiering");

QLabel* labelFor(const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

TextField* selectingField(const QString& text, QWidget* parent) {
    auto* field = new TextField(parent);
    field->setText(text);
    field->setFocusSelection(TextField::FocusSelection::All);
    return field;
}

// Moves a folder list to a folder; when it cannot go there and shows no folder yet, to the
// home folder.
void showFolder(FolderList* list, DriveList* drive, const QString& folder) {
    if (!list->setPath(folder) && list->path().isEmpty())
        list->setPath(QDir::homePath());
    drive->setDrive(list->path());
}

} // namespace

frmFileCopy::frmFileCopy(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmFileCopy"));
    setWindowTitle(QStringLiteral("Kopiera filer"));
    buildControls();
}

frmFileCopy::~frmFileCopy() = default;

void frmFileCopy::buildControls() {
    // Source.
    frmFrom = new QGroupBox(QStringLiteral("Från:"), this);
    driveFrom = new DriveList(frmFrom);
    lblEnhet = labelFor(QStringLiteral("&Enhet:"), driveFrom, frmFrom);
    dirFrom = new FolderList(frmFrom);
    Label1 = labelFor(QStringLiteral("&Katalog:"), dirFrom, frmFrom);
    auto* from = new QVBoxLayout(frmFrom);
    for (QWidget* w : {static_cast<QWidget*>(lblEnhet), static_cast<QWidget*>(driveFrom),
                       static_cast<QWidget*>(Label1), static_cast<QWidget*>(dirFrom)})
        from->addWidget(w);

    // Target.
    frmTo = new QGroupBox(QStringLiteral("Till:"), this);
    driveTo = new DriveList(frmTo);
    lblToEnhet = labelFor(QStringLiteral("E&nhet:"), driveTo, frmTo);
    dirTo = new FolderList(frmTo);
    lblKatalog = labelFor(QStringLiteral("K&atalog:"), dirTo, frmTo);
    txtNewMap = selectingField(QString(), frmTo);
    lblMakeCat = labelFor(QStringLiteral("Skapa katalo&g:"), txtNewMap, frmTo);
    cmdMakeMap = new QPushButton(QStringLiteral("Skapa"), frmTo);
    cmdMakeMap->setEnabled(false);
    auto* to = new QVBoxLayout(frmTo);
    for (QWidget* w : {static_cast<QWidget*>(lblToEnhet), static_cast<QWidget*>(driveTo),
                       static_cast<QWidget*>(lblKatalog), static_cast<QWidget*>(dirTo),
                       static_cast<QWidget*>(lblMakeCat)})
        to->addWidget(w);
    auto* makeRow = new QHBoxLayout;
    makeRow->addWidget(txtNewMap, 1);
    makeRow->addWidget(cmdMakeMap);
    to->addLayout(makeRow);

    // What to copy.
    m_choosing = new QWidget(this);
    optCopyAll = new QRadioButton(QStringLiteral("K&opiera alla filer"), m_choosing);
    optCopySome = new QRadioButton(QStringLiteral("S&täll följande krav:"), m_choosing);
    txtDate = selectingField(QString(), m_choosing);
    lblDate = labelFor(QStringLiteral("&Ändrad senast:"), txtDate, m_choosing);
    txtTime = selectingField(QStringLiteral("00:00:00"), m_choosing);
    lblTime = labelFor(QStringLiteral("K&lockslag:"), txtTime, m_choosing);
    txtType = selectingField(QStringLiteral("*.*"), m_choosing);
    lblType = labelFor(QStringLiteral("&Filtyp:"), txtType, m_choosing);
    chkCopyUnder = new QCheckBox(QStringLiteral("Kopiera &underkataloger"), m_choosing);
    chkCompFiles = new QCheckBox(QStringLiteral("Ko&mprimera HTML-filer"), m_choosing);

    auto* frames = new QHBoxLayout;
    frames->addWidget(frmFrom, 1);
    frames->addWidget(frmTo, 1);
    auto* criteria = new QGridLayout;
    criteria->setContentsMargins(24, 0, 0, 0);
    criteria->addWidget(lblDate, 0, 0);
    criteria->addWidget(txtDate, 0, 1);
    criteria->addWidget(lblTime, 1, 0);
    criteria->addWidget(txtTime, 1, 1);
    criteria->addWidget(lblType, 2, 0);
    criteria->addWidget(txtType, 2, 1);
    criteria->setColumnStretch(2, 1);
    const int fieldWidth =
        txtDate->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) * 2;
    for (TextField* field : {txtDate, txtTime, txtType})
        field->setFixedWidth(fieldWidth);
    auto* options = new QVBoxLayout;
    options->addWidget(optCopyAll);
    options->addWidget(optCopySome);
    options->addLayout(criteria);
    auto* checks = new QVBoxLayout;
    checks->addWidget(chkCopyUnder);
    checks->addWidget(chkCompFiles);
    checks->addStretch(1);
    auto* lower = new QHBoxLayout;
    lower->addLayout(options, 1);
    lower->addLayout(checks, 1);
    auto* choosing = new QVBoxLayout(m_choosing);
    choosing->setContentsMargins(0, 0, 0, 0);
    choosing->addLayout(frames, 1);
    choosing->addLayout(lower);

    // Statistics and messages, in the place of the choices during and after a copy.
    frmStatistik = new QGroupBox(QStringLiteral("Statistik"), this);
    auto counterRow = [this](QGridLayout* grid, int row, QLabel*& text, QLabel*& value,
                             const QString& caption, const QString& start) {
        text = new QLabel(caption, frmStatistik);
        value = new QLabel(start, frmStatistik);
        grid->addWidget(text, row, 0);
        grid->addWidget(value, row, 1);
    };
    auto* counters = new QGridLayout;
    counterRow(counters, 0, lblTextFilesDone, lblFilesDone,
               QStringLiteral("Antal filer genomgångna:"), QStringLiteral("0 av 0"));
    counterRow(counters, 1, lblTextFileCopy, lblFilesCopy, QStringLiteral("Antal filer kopierade:"),
               QStringLiteral("0"));
    counterRow(counters, 2, lblTextFilesComp, lblFilesComp,
               QStringLiteral("Antal filer komprimerade:"), QStringLiteral("0"));
    counterRow(counters, 3, lblSaved, lblCompBytes, QStringLiteral("Komprimering:"),
               QStringLiteral("0 bytes"));
    counters->setColumnStretch(1, 1);
    txtError = new QPlainTextEdit(frmStatistik);
    txtError->setReadOnly(true);
    txtError->setLineWrapMode(QPlainTextEdit::NoWrap);
    lblError = labelFor(QStringLiteral("Meddelanden:"), txtError, frmStatistik);
    auto* statistics = new QVBoxLayout(frmStatistik);
    statistics->addLayout(counters);
    statistics->addWidget(lblError);
    statistics->addWidget(txtError, 1);
    frmStatistik->hide();

    cmdCopy = new QPushButton(StartCaption, this);
    cmdCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_choosing, 1);
    layout->addWidget(frmStatistik, 1);
    layout->addLayout(buttons);

    // The designed size: room for both folder lists side by side.
    resize(PixelsFromTwips(9000), PixelsFromTwips(7200));

    connect(driveFrom, &DriveList::driveChanged, this, &frmFileCopy::driveFrom_Change);
    connect(driveTo, &DriveList::driveChanged, this, &frmFileCopy::driveTo_Change);
    connect(dirFrom, &FolderList::pathChanged, this,
            [this](const QString& path) { driveFrom->setDrive(path); });
    connect(dirTo, &FolderList::pathChanged, this,
            [this](const QString& path) { driveTo->setDrive(path); });
    connect(optCopyAll, &QRadioButton::clicked, this, &frmFileCopy::optCopyAll_Click);
    connect(optCopySome, &QRadioButton::clicked, this, &frmFileCopy::optCopySome_Click);
    connect(txtNewMap, &QLineEdit::textChanged, this, &frmFileCopy::txtNewMap_Change);
    // Enter in the new folder's name makes the folder, never starts a copy.
    connect(txtNewMap, &QLineEdit::returnPressed, this, [this] {
        if (cmdMakeMap->isEnabled())
            cmdMakeMap_Click();
    });
    connect(cmdMakeMap, &QPushButton::clicked, this, &frmFileCopy::cmdMakeMap_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmFileCopy::cmdCopy_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFileCopy::cmdCancel_Click);
}

// --- Loading and unloading --------------------------------------------------------------

void frmFileCopy::setVisible(bool visible) {
    if (visible && !m_loaded && !isVisible())
        Form_Load();
    QWidget::setVisible(visible);
}

void frmFileCopy::Form_Load() {
    m_loaded = true;
    m_closeWhenStopped = false;
    // The window starts as designed every time it is loaded.
    optCopyAll->setChecked(true);
    optCopyAll_Click();
    txtDate->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    txtTime->setText(QStringLiteral("00:00:00"));
    txtType->setText(QStringLiteral("*.*"));
    txtNewMap->clear();
    chkCopyUnder->setChecked(true);
    chkCompFiles->setChecked(true);
    showCounters(CopyCounters{});
    newCopy();

    showFolder(dirTo, driveTo, CopyPath);
    showFolder(dirFrom, driveFrom, StartFolder);
    const IniSession ini(IniFile);
    ApplyPlace(this, ReadPlace(ini, FileCopyPlace, platform().screenSizeTwips()));
}

void frmFileCopy::Form_Unload() {
    CopyPath = dirTo->path();
    {
        IniSession ini(IniFile);
        WritePlace(ini, FileCopyPlace, this);
        ini.save();
    }
    m_loaded = false;
    ShowLauncher();
    if (frmStartUp* launcher = Launcher()) {
        launcher->raise();
        launcher->activateWindow();
    }
}

void frmFileCopy::closeEvent(QCloseEvent* event) {
    if (isCopying()) {
        // The window goes once the copy has stopped, and only when the user wants it to.
        event->ignore();
        if (askCancel()) {
            m_closeWhenStopped = true;
            m_copy->cancel();
        }
        return;
    }
    event->accept();
    if (m_loaded)
        Form_Unload();
}

void frmFileCopy::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancel->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// --- Choosing ---------------------------------------------------------------------------

void frmFileCopy::driveFrom_Change(const QString& root) {
    // A drive that cannot be read leaves everything on the previous drive.
    if (!DriveList::isReady(root) || !dirFrom->setPath(root))
        driveFrom->setDrive(dirFrom->path());
}

void frmFileCopy::driveTo_Change(const QString& root) {
    if (!DriveList::isReady(root) || !dirTo->setPath(root))
        driveTo->setDrive(dirTo->path());
}

void frmFileCopy::optCopyAll_Click() {
    for (QWidget* w : {static_cast<QWidget*>(lblDate), static_cast<QWidget*>(txtDate),
                       static_cast<QWidget*>(lblTime), static_cast<QWidget*>(txtTime),
                       static_cast<QWidget*>(lblType), static_cast<QWidget*>(txtType)})
        w->setEnabled(optCopySome->isChecked());
}

void frmFileCopy::optCopySome_Click() {
    optCopyAll_Click();
}

void frmFileCopy::txtNewMap_Change() {
    cmdMakeMap->setEnabled(!txtNewMap->text().trimmed().isEmpty());
}

void frmFileCopy::cmdMakeMap_Click() {
    const QString name = txtNewMap->text().trimmed();
    const QString folder = JoinPath(dirTo->path(), name);
    // Only a new folder inside the target folder: a name that would lead elsewhere is not
    // a folder name.
    const bool made = !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
                      !name.contains(QLatin1String("..")) && QDir().mkdir(folder);
    if (!made) {
        platform().message(QStringLiteral("Det går inte att skapa katalogen ") + folder +
                               QStringLiteral("."),
                           MsgIcon::Exclamation);
        return;
    }
    dirFrom->refresh();
    dirTo->setPath(folder);
}

// --- The copy ---------------------------------------------------------------------------

void frmFileCopy::cmdCopy_Click() {
    if (m_reporting)
        newCopy();
    else
        startCopy();
}

void frmFileCopy::cmdCancel_Click() {
    if (!isCopying()) {
        close();
        return;
    }
    if (askCancel())
        m_copy->cancel();
}

bool frmFileCopy::askCancel() {
    return platform().message(QStringLiteral("Är du säker på att du vill avbryta?"),
                              MsgIcon::Exclamation, MsgButtons::YesNoCancel) == MsgAnswer::Yes;
}

bool frmFileCopy::readCriteria(CopyOptions& options) {
    options.withSubfolders = chkCopyUnder->isChecked();
    options.compress = chkCompFiles->isChecked();
    if (optCopyAll->isChecked())
        return true;
    auto refuse = [](const QString& message, TextField* field) {
        platform().message(message, MsgIcon::Exclamation);
        field->setFocus();
        field->selectAll();
        return false;
    };
    const std::optional<QDate> date = ReadCopyDate(txtDate->text());
    if (!date)
        return refuse(QStringLiteral("Skriv datumet som år-månad-dag, till exempel 2002-03-01."),
                      txtDate);
    const std::optional<QTime> time = ReadCopyTime(txtTime->text());
    if (!time)
        return refuse(
            QStringLiteral("Skriv klockslaget som timmar:minuter:sekunder, till exempel 09:00:00."),
            txtTime);
    options.pattern = FilePattern(txtType->text().trimmed());
    if (!options.pattern.isValid())
        return refuse(QStringLiteral("En filtyp kan inte innehålla \"/\"."), txtType);
    options.changedSince = QDateTime(*date, *time);
    return true;
}

void frmFileCopy::startCopy() {
    const QString refusal = RefuseCopyFolders(dirFrom->path(), dirTo->path());
    if (!refusal.isEmpty()) {
        platform().message(refusal, MsgIcon::Exclamation);
        return;
    }
    CopyOptions options;
    options.source = dirFrom->path();
    options.target = dirTo->path();
    if (!readCriteria(options))
        return;

    setChoosing(false);
    cmdCopy->setEnabled(false);
    cmdCancel->setFocus();
    showCounters(CopyCounters{});
    FileCopy copy(options);
    copy.log = [this](const QString& text) { appendLog(text); };
    copy.checkpoint = [this](const CopyCounters& counters) { copyCheckpoint(counters); };
    m_copy = &copy;
    m_sinceEvents.invalidate();
    copy.run();
    m_copy = nullptr;
    showCounters(copy.counters());
    cmdCopy->setText(NewCaption);
    cmdCopy->setEnabled(true);
    if (m_closeWhenStopped)
        close();
}

void frmFileCopy::copyCheckpoint(const CopyCounters& counters) {
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < EventInterval)
        return;
    showCounters(counters);
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

void frmFileCopy::showCounters(const CopyCounters& counters) {
    lblFilesDone->setText(QStringLiteral("%1 av %2").arg(counters.done).arg(counters.total));
    lblFilesCopy->setText(QString::number(counters.copied));
    lblFilesComp->setText(QString::number(counters.compressed));
    lblCompBytes->setText(QString::number(counters.compressionChange) + QStringLiteral(" bytes"));
}

void frmFileCopy::appendLog(const QString& text) {
    QTextCursor end(txtError->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    txtError->verticalScrollBar()->setValue(txtError->verticalScrollBar()->maximum());
}

void frmFileCopy::newCopy() {
    WorkText.clear();
    if (!dirFrom->path().isEmpty())
        dirFrom->refresh();
    if (!dirTo->path().isEmpty())
        dirTo->refresh();
    setChoosing(true);
    cmdCopy->setText(StartCaption);
    txtError->clear();
}

void frmFileCopy::setChoosing(bool choosing) {
    m_reporting = !choosing;
    // The leaving part goes first, so the window never needs room for both.
    QWidget* leaving = choosing ? static_cast<QWidget*>(frmStatistik) : m_choosing;
    QWidget* coming = choosing ? m_choosing : static_cast<QWidget*>(frmStatistik);
    leaving->hide();
    coming->show();
}

void RegisterFileCopyWindow() {
    RegisterTool(Tool::FileCopy, [] { return new frmFileCopy; });
}
