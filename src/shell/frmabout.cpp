#include "shell/frmabout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Om Vessilora"));
    lblName = new QLabel(QStringLiteral("<b style=\"font-size:16pt\">Vessilora</b>"), this);
    lblVersion =
        new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(VESSILORA_VERSION)), this);
    lblInfo = new QLabel(QStringLiteral("En HTML-editor för dig som skriver webbsidor för hand.\n\n"
                                        "Rapportera fel och lämna förslag i projektets "
                                        "ärendelista."),
                         this);
    lblInfo->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblName);
    layout->addWidget(lblVersion);
    layout->addWidget(lblInfo);
    layout->addLayout(buttons);
    setMinimumWidth(340);
}
