#include "batch/frmbatchoptions.h"

#include "markup/globals.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QLatin1String(name));
    made->setAutoDefault(true);
    return made;
}

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The OK and Avbryt column at the right of a dialog's fields.
QVBoxLayout* buttonColumn(QPushButton* ok, QPushButton* cancel) {
    ok->setDefault(true);
    auto* column = new QVBoxLayout;
    column->addWidget(ok);
    column->addWidget(cancel);
    column->addStretch(1);
    return column;
}

} // namespace

// --- frmKomprimera -------------------------------------------------------------------------

frmKomprimera::frmKomprimera(QWidget* owner)
    : BatchDialog(owner, QStringLiteral("Komprimeringsinställningar")) {
    setObjectName(QStringLiteral("frmKomprimera"));
    Frame1 = named(new QGroupBox(QStringLiteral("&Radbrytningar"), this), "Frame1");
    optPC = named(new QRadioButton(QStringLiteral("&PC (Ascii 13 + Ascii 10)"), Frame1), "optPC");
    optUnix = named(new QRadioButton(QStringLiteral("&Mac (Ascii 13)"), Frame1), "optUnix");
    optMac = named(new QRadioButton(QStringLiteral("&Unix (Ascii 10)"), Frame1), "optMac");
    optPC->setChecked(true);
    auto* options = new QVBoxLayout(Frame1);
    options->addWidget(optPC);
    options->addWidget(optUnix);
    options->addWidget(optMac);
    chkKompRad = named(new QCheckBox(QStringLiteral("&Komprimera rader"), this), "chkKompRad");
    cmdOK = button(this, "cmdOK", QStringLiteral("OK"));
    cmdAvbryt = button(this, "cmdAvbryt", QStringLiteral("Avbryt"));

    auto* fields = new QVBoxLayout;
    fields->addWidget(Frame1);
    fields->addWidget(chkKompRad);
    fields->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fields);
    layout->addLayout(buttonColumn(cmdOK, cmdAvbryt));

    connect(cmdOK, &QPushButton::clicked, this, &frmKomprimera::cmdOK_Click);
    connect(cmdAvbryt, &QPushButton::clicked, this, &frmKomprimera::cmdAvbryt_Click);
    Form_Load();
}

void frmKomprimera::Form_Load() {
    switch (BatchLineBreakStyle) {
    case 1:
        optPC->setChecked(true);
        break;
    case 2:
        optUnix->setChecked(true);
        break;
    case 3:
        optMac->setChecked(true);
        break;
    default:
        break;
    }
    chkKompRad->setChecked(BatchCompressLines);
}

void frmKomprimera::cmdOK_Click() {
    BatchLineBreakStyle = optPC->isChecked() ? 1 : optUnix->isChecked() ? 2 : 3;
    BatchCompressLines = chkKompRad->isChecked();
    close();
}

void frmKomprimera::cmdAvbryt_Click() {
    close();
}

// --- frmFindFel ----------------------------------------------------------------------------

frmFindFel::frmFindFel(QWidget* owner) : BatchDialog(owner, QStringLiteral("Sök fel")) {
    setObjectName(QStringLiteral("frmFindFel"));
    chkHakfel = named(new QCheckBox(QStringLiteral("Sök &taggfel"), this), "chkHakfel");
    chkCitFel = named(new QCheckBox(QStringLiteral("Sök &citatfel"), this), "chkCitFel");
    chkStandardFel =
        named(new QCheckBox(QStringLiteral("Sök &standardtaggar"), this), "chkStandardFel");
    cmdFelOk = button(this, "cmdFelOk", QStringLiteral("OK"));
    Command1 = button(this, "Command1", QStringLiteral("Avbryt"));

    auto* fields = new QVBoxLayout;
    fields->addWidget(chkHakfel);
    fields->addWidget(chkCitFel);
    fields->addWidget(chkStandardFel);
    fields->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fields);
    layout->addSpacing(16);
    layout->addLayout(buttonColumn(cmdFelOk, Command1));

    connect(cmdFelOk, &QPushButton::clicked, this, &frmFindFel::cmdFelOk_Click);
    connect(Command1, &QPushButton::clicked, this, &frmFindFel::Command1_Click);
    Form_Load();
}

void frmFindFel::Form_Load() {
    chkHakfel->setChecked(BatchCheckBrackets);
    chkCitFel->setChecked(BatchCheckQuotes);
    chkStandardFel->setChecked(BatchCheckStandardTags);
}

void frmFindFel::cmdFelOk_Click() {
    BatchCheckBrackets = chkHakfel->isChecked();
    BatchCheckQuotes = chkCitFel->isChecked();
    BatchCheckStandardTags = chkStandardFel->isChecked();
    close();
}

void frmFindFel::Command1_Click() {
    close();
}
