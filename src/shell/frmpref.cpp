#include "shell/frmpref.h"

#include "markup/globals.h"
#include "markup/tagwriter.h"
#include "platform/platform.h"
#include "shell/inimod.h"
#include "shell/settings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString SectionVessilor = QStringLiteral("Vessilor");
const QString SectionEditor = QStringLiteral("Editor");

QLabel* buddyLabel(const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

QString EditorFontFamily(const QString& stored, const QStringList& screenFonts) {
    if (!stored.isEmpty()) {
        if (screenFonts.contains(stored))
            return stored;
        for (const QString& font : screenFonts)
            if (font.compare(stored, Qt::CaseInsensitive) == 0)
                return font;
    }
    if (stored.isEmpty() || stored.compare(QLatin1String("Fixedsys"), Qt::CaseInsensitive) == 0) {
        // Fixedsys exists only on the platform the setting may come from: use the system's
        // fixed-width font instead.
        const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        for (const QString& font : screenFonts)
            if (font.compare(fixed, Qt::CaseInsensitive) == 0)
                return font;
    }
    return QString();
}

frmPref::frmPref(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Inställningar"));
    setWindowModality(Qt::ApplicationModal);

    frmPath = new QGroupBox(QStringLiteral("Sökvägar"), this);
    txtWeb = new QLineEdit(frmPath);
    lblWeb = buddyLabel(QStringLiteral("&Webläsare:"), txtWeb, frmPath);
    cmdBrowse = new QPushButton(QStringLiteral("&Bläddra..."), frmPath);
    lblOpenMapp = new QLabel(QStringLiteral("Mapp som skall användas vid start:"), frmPath);
    optMap[0] = new QRadioButton(QStringLiteral("&Senast använda mapp"), frmPath);
    optMap[1] = new QRadioButton(QStringLiteral("Sp&ecifierad mapp:"), frmPath);
    txtOpenMapp = new QLineEdit(frmPath);
    cmdCurrentPath = new QPushButton(QStringLiteral("Aktuell sökvä&g"), frmPath);
    cmdStartup = new QComboBox(frmPath);
    lblStartUp = buddyLabel(QStringLiteral("Starta &automatiskt:"), cmdStartup, frmPath);

    auto* pathLayout = new QGridLayout(frmPath);
    pathLayout->addWidget(lblWeb, 0, 0);
    pathLayout->addWidget(txtWeb, 0, 1, 1, 2);
    pathLayout->addWidget(cmdBrowse, 0, 3);
    pathLayout->addWidget(lblOpenMapp, 1, 0, 1, 4);
    pathLayout->addWidget(optMap[0], 2, 0, 1, 4);
    pathLayout->addWidget(optMap[1], 3, 0);
    pathLayout->addWidget(txtOpenMapp, 3, 1, 1, 2);
    pathLayout->addWidget(cmdCurrentPath, 3, 3);
    pathLayout->addWidget(lblStartUp, 4, 0);
    pathLayout->addWidget(cmdStartup, 4, 1);
    pathLayout->setColumnStretch(2, 1);

    frmHtml = new QGroupBox(QStringLiteral("HTML-kodning"), this);
    cmbFonts = new QComboBox(frmHtml);
    Label1 = buddyLabel(QStringLiteral("&Typsnitt i editor:"), cmbFonts, frmHtml);
    cmbLetter = new QComboBox(frmHtml);
    lblLetter = buddyLabel(QStringLiteral("&Formatera varibaler:"), cmbLetter, frmHtml);
    cmbCitat = new QComboBox(frmHtml);
    lblCitat = buddyLabel(QStringLiteral("Använd &citatstecken:"), cmbCitat, frmHtml);
    chkForcevers = new QCheckBox(QStringLiteral("Tvinga &versala värden till gemener"), frmHtml);
    txtExempel = new QLineEdit(frmHtml);
    txtExempel->setReadOnly(true);
    lblExempel = buddyLabel(QStringLiteral("Exempel:"), txtExempel, frmHtml);

    auto* htmlLayout = new QGridLayout(frmHtml);
    htmlLayout->addWidget(Label1, 0, 0);
    htmlLayout->addWidget(cmbFonts, 0, 1);
    htmlLayout->addWidget(lblLetter, 1, 0);
    htmlLayout->addWidget(cmbLetter, 1, 1);
    htmlLayout->addWidget(lblCitat, 2, 0);
    htmlLayout->addWidget(cmbCitat, 2, 1);
    htmlLayout->addWidget(chkForcevers, 3, 0, 1, 2);
    htmlLayout->addWidget(lblExempel, 4, 0, 1, 2);
    htmlLayout->addWidget(txtExempel, 5, 0, 1, 2);
    htmlLayout->setColumnStretch(1, 1);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frmPath);
    layout->addWidget(frmHtml);
    layout->addLayout(buttons);
    setMinimumWidth(560);

    cmdStartup->addItems({QStringLiteral("(standard)"), QStringLiteral("Editor"),
                          QStringLiteral("Bearbeta filer"), QStringLiteral("Kopiera filer")});
    cmbLetter->addItems({QStringLiteral("Stora bokstäver"), QStringLiteral("Små bokstäver"),
                         QStringLiteral("Stor första bokstav")});
    cmbCitat->addItems({QStringLiteral("Alltid"), QStringLiteral("Endast med text")});

    connect(cmbLetter, &QComboBox::currentIndexChanged, this, &frmPref::cmbLetter_Click);
    connect(cmbCitat, &QComboBox::currentIndexChanged, this, &frmPref::cmbCitat_Click);
    connect(chkForcevers, &QCheckBox::toggled, this, &frmPref::chkForcevers_Click);
    connect(cmbFonts, &QComboBox::currentIndexChanged, this, &frmPref::cmbFonts_Click);
    connect(optMap[0], &QRadioButton::toggled, this, &frmPref::optMap_Click);
    connect(cmdCurrentPath, &QPushButton::clicked, this, &frmPref::cmdCurrentPath_Click);
    connect(txtWeb, &QLineEdit::textChanged, this, &frmPref::txtWeb_Change);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmPref::cmdBrowse_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmPref::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPref::cmdCancel_Click);
    txtWeb->installEventFilter(this);
}

void frmPref::Form_Load() {
    loading = true;
    cmdStartup->setCurrentIndex(StartUpTool >= 0 && StartUpTool <= 3 ? StartUpTool : 0);
    txtWeb->setText(BrowserPath);
    txtWeb_Change();
    savedTagCase = TagCase;
    savedQuoteStyle = AttrQuoteStyle;
    savedForceLowerCase = ForceLowerCase;
    chkForcevers->setChecked(ForceLowerCase);
    cmbLetter->setCurrentIndex(TagCase >= 0 && TagCase <= 2 ? TagCase : 0);
    cmbCitat->setCurrentIndex(AttrQuoteStyle >= 0 && AttrQuoteStyle <= 1 ? AttrQuoteStyle : 0);

    const QStringList fonts = platform().screenFonts();
    cmbFonts->clear();
    cmbFonts->addItems(fonts);
    cmbFonts->setCurrentIndex(fonts.isEmpty() ? -1 : 0);
    QString stored = ReadIniString(SectionEditor, QStringLiteral("Font"), IniFile);
    if (stored.isEmpty())
        stored = QStringLiteral("Fixedsys");
    const QString family = EditorFontFamily(stored, fonts);
    if (!family.isEmpty())
        cmbFonts->setCurrentIndex(static_cast<int>(fonts.indexOf(family)));

    const bool specified =
        UsesFixedStartFolder(ReadIniInt(SectionVessilor, QStringLiteral("AutoStartMapp"), IniFile));
    optMap[specified ? 1 : 0]->setChecked(true);
    optMap_Click();
    const QString specPath = ReadIniString(SectionVessilor, QStringLiteral("SpecPath"), IniFile);
    txtOpenMapp->setText(specPath.isEmpty() ? StartFolder : specPath);
    loading = false;
    refreshPreview();
    cmbFonts_Click();
}

QString frmPref::PreviewTag() {
    QString tag = FormatAttribute(QStringLiteral("<Img"), QString(), AttrTagName);
    tag += FormatAttribute(QStringLiteral("SRC"), QStringLiteral("bild.gif"), AttrText);
    tag += FormatAttribute(QStringLiteral("WIDTH"), QStringLiteral("10"), AttrNumber);
    tag += FormatAttribute(QStringLiteral("ALIGN"), QStringLiteral("LEFT"), AttrText);
    return tag.trimmed() + QLatin1Char('>');
}

void frmPref::refreshPreview() {
    txtExempel->setText(PreviewTag());
}

void frmPref::cmbLetter_Click() {
    if (loading)
        return;
    TagCase = cmbLetter->currentIndex();
    refreshPreview();
}

void frmPref::cmbCitat_Click() {
    if (loading)
        return;
    AttrQuoteStyle = cmbCitat->currentIndex();
    refreshPreview();
}

void frmPref::chkForcevers_Click() {
    if (loading)
        return;
    ForceLowerCase = chkForcevers->isChecked();
    refreshPreview();
}

void frmPref::cmbFonts_Click() {
    if (loading)
        return;
    QFont font(cmbFonts->currentText());
    font.setBold(false);
    font.setItalic(false);
    txtExempel->setFont(font);
    txtExempel->setMinimumHeight(QFontMetrics(font).height() + 8);
}

void frmPref::optMap_Click() {
    const bool specified = optMap[1]->isChecked();
    txtOpenMapp->setEnabled(specified);
    cmdCurrentPath->setEnabled(specified);
}

void frmPref::cmdCurrentPath_Click() {
    txtOpenMapp->setText(StartFolder);
}

void frmPref::txtWeb_Change() {
    const QString path = txtWeb->text().trimmed();
    cmdOK->setEnabled(path.isEmpty() || QFileInfo(path).isFile());
}

void frmPref::cmdBrowse_Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Välj Webläsare");
    // Programs carry no ".exe" here, so every program may be chosen too.
    request.filter = QStringLiteral("Program|*|Programfiler (*.exe)|*.exe");
    request.executablesOnly = true;
    request.defaultExt.clear();
    const QString current = txtWeb->text().trimmed();
    const qsizetype slash = current.lastIndexOf(QLatin1Char('/'));
    request.folder =
        slash > 0 ? current.left(slash) : (slash == 0 ? QStringLiteral("/") : QString());
    request.fileName = current;
    request.fileMustExist = true;
    request.confirmOverwrite = false;
    if (const auto chosen = platform().openFile(request))
        txtWeb->setText(chosen->path);
}

void frmPref::cmdOK_Click() {
    StartUpTool = cmdStartup->currentIndex();
    BrowserPath = txtWeb->text().trimmed();
    QString font = cmbFonts->currentText();
    WriteIniString(SectionEditor, QStringLiteral("Font"), font, IniFile);
    WriteIniInt(SectionVessilor, QStringLiteral("AutoStartMapp"), optMap[1]->isChecked() ? 2 : 1,
                IniFile);
    QString specPath = txtOpenMapp->text();
    WriteIniString(SectionVessilor, QStringLiteral("SpecPath"), specPath, IniFile);
    hide();
    emit settingsAccepted();
}

void frmPref::restoreStyle() {
    TagCase = savedTagCase;
    AttrQuoteStyle = savedQuoteStyle;
    ForceLowerCase = savedForceLowerCase;
}

void frmPref::cmdCancel_Click() {
    restoreStyle();
    hide();
}

void frmPref::reject() {
    cmdCancel_Click();
}

void frmPref::closeEvent(QCloseEvent* event) {
    // The close box cancels like the Cancel button.
    event->ignore();
    cmdCancel_Click();
}

void frmPref::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}

bool frmPref::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtWeb && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtWeb, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}
