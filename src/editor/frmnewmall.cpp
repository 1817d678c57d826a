#include "editor/frmnewmall.h"

#include "markup/document.h"
#include "markup/globals.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/platform.h"
#include "platform/textrules.h"
#include "shell/inimod.h"
#include "widgets/filepanes.h"
#include "widgets/tagwriting.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

const QString SectionMall = QStringLiteral("Mall");
const QString KeyFile = QStringLiteral("File");
const QString TemplatePattern = QStringLiteral("*.htm*");

// The row of the name in the list: the exact name, else one equal ignoring letter case;
// -1 when there is none.
int RowOfName(const QListWidget* list, const QString& name) {
    if (name.isEmpty())
        return -1;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text() == name)
            return row;
    const QString lower = LowerChars(name);
    for (int row = 0; row < list->count(); ++row)
        if (LowerChars(list->item(row)->text()) == lower)
            return row;
    return -1;
}

void SetEditorEnabled(bool enabled) {
    if (QWidget* editor = EditorWindow())
        editor->setEnabled(enabled);
}

} // namespace

QString TemplateFolder() {
    return JoinPath(ProgramFolder(), QStringLiteral("mallar"));
}

QString TemplatePath(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return QString();
    const QString folder = TemplateFolder();
    const QString exact = JoinPath(folder, name);
    if (QFileInfo::exists(exact))
        return exact;
    const QString lower = LowerChars(name);
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& file : files)
        if (LowerChars(file) == lower)
            return JoinPath(folder, file);
    return exact;
}

bool ReadLatestTemplate(QString& text) {
    const QString path = TemplatePath(ReadIniString(SectionMall, KeyFile, IniFile));
    if (path.isEmpty())
        return false;
    DocumentRead read = ReadDocument(path);
    if (read.outcome != ReadOutcome::Ok)
        return false;
    text = read.text;
    return true;
}

QString NoLatestTemplateMessage() {
    return QStringLiteral("Det finns ingen giltig mall att använda. Välj en ny i mallhanteraren.");
}

frmNewMall::frmNewMall() {
    setWindowTitle(QStringLiteral("Nytt dokument"));
    setAttribute(Qt::WA_DeleteOnClose);

    lstMalllista = new QListWidget(this);
    lstMalllista->setSelectionMode(QAbstractItemView::SingleSelection);
    lstMalllista->setMinimumSize(320, 180);
    lblSelect =
        new QLabel(QStringLiteral("&Välj en mall du ska basera ditt nya dokument på:"), this);
    lblSelect->setBuddy(lstMalllista);
    lstMallfiler = new FileList(this);
    lstMallfiler->hide();
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Avbryt"), this);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(lblSelect, 0, 0);
    layout->addWidget(lstMalllista, 1, 0);
    layout->addLayout(buttons, 1, 1);

    connect(cmdOK, &QPushButton::clicked, this, &frmNewMall::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewMall::cmdCancel_Click);
    connect(lstMalllista, &QListWidget::itemDoubleClicked, this,
            &frmNewMall::lstMalllista_DblClick);
}

frmNewMall::~frmNewMall() {
    // Destroyed without being closed (the program ends): the editor must not stay disabled.
    Form_Unload();
}

frmNewMall* frmNewMall::Open() {
    auto* window = new frmNewMall;
    if (!window->Form_Load())
        return nullptr;
    window->show();
    // The frame is known now: centre the whole window, frame included.
    window->centreOverEditor();
    window->activateWindow();
    window->lstMalllista->setFocus();
    return window;
}

bool frmNewMall::Form_Load() {
    adjustSize();
    centreOverEditor();
    if (QWidget* editor = EditorWindow()) {
        // Kept in front of the editor although it is no child of it (a child window would be
        // disabled together with the editor).
        winId();
        if (windowHandle() && editor->window()->windowHandle())
            windowHandle()->setTransientParent(editor->window()->windowHandle());
    }
    SetEditorEnabled(false);

    lstMalllista->clear();
    if (lstMallfiler->setPattern(TemplatePattern) && lstMallfiler->setPath(TemplateFolder()))
        for (int row = 0; row < lstMallfiler->listCount(); ++row)
            lstMalllista->addItem(lstMallfiler->fileName(row));
    if (lstMalllista->count() == 0) {
        platform().message(QStringLiteral("Det finns inga malldokument. Spara ett dokument i "
                                          "mall-mappen för att kunna använda denna funktionen."),
                           MsgIcon::Exclamation);
        close();
        return false;
    }
    lstMalllista->setCurrentRow(0);
    const int last = RowOfName(lstMalllista, ReadIniString(SectionMall, KeyFile, IniFile));
    if (last >= 0)
        lstMalllista->setCurrentRow(last);
    return true;
}

void frmNewMall::centreOverEditor() {
    const QWidget* editor = EditorWindow();
    if (!editor)
        return;
    const QRect over = editor->frameGeometry();
    const QSize own = frameGeometry().size();
    move(over.x() + RoundHalfEven((over.width() - own.width()) / 2.0),
         over.y() + RoundHalfEven((over.height() - own.height()) / 2.0));
}

void frmNewMall::cmdOK_Click() {
    const QList<QListWidgetItem*> selected = lstMalllista->selectedItems();
    if (selected.isEmpty())
        return;
    const QString path = JoinPath(TemplateFolder(), selected.first()->text());
    const DocumentRead read = ReadDocument(path);
    const QString& text = read.text;
    if (read.outcome != ReadOutcome::Ok) {
        platform().message(QStringLiteral("Kunde inte öppna: ") + path + QLatin1Char(' '),
                           MsgIcon::Critical);
        return;
    }
    // The editor is enabled first so that it can give its text area the focus.
    SetEditorEnabled(true);
    emit documentChosen(text);
    close();
}

void frmNewMall::cmdCancel_Click() {
    close();
}

void frmNewMall::lstMalllista_DblClick() {
    cmdOK_Click();
}

void frmNewMall::closeEvent(QCloseEvent* e) {
    Form_Unload();
    e->accept();
}

void frmNewMall::reject() {
    cmdCancel_Click();
}

void frmNewMall::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    SetEditorEnabled(true);
    const QList<QListWidgetItem*> selected = lstMalllista->selectedItems();
    QString name = selected.isEmpty() ? QString() : selected.first()->text();
    if (!IniFile.isEmpty())
        WriteIniString(SectionMall, KeyFile, name, IniFile);
}
