#include "batch/frmsok.h"

#include "markup/entities.h"
#include "markup/globals.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString AddCaption = QStringLiteral("L&ägg till");
const QString EditCaption = QStringLiteral("&Ändra");

// The text through the conversion to HTML codes, as the engine does it on WorkText.
QString converted(const QString& text) {
    WorkText = text;
    ConvertCharacters();
    return WorkText;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QLatin1String(name));
    made->setAutoDefault(true);
    return made;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QWidget* buddy) {
    auto* made = new QLabel(caption, parent);
    made->setObjectName(QLatin1String(name));
    made->setBuddy(buddy);
    return made;
}

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

frmSok::frmSok(QWidget* owner) : BatchDialog(owner, QStringLiteral("Sök och ersätt")) {
    setObjectName(QStringLiteral("frmSok"));
    soklist = named(new QListWidget(this), "soklist");
    ersattlist = named(new QListWidget(this), "ersattlist");
    txtSok = named(new QLineEdit(this), "txtSok");
    txtErsatt = named(new QLineEdit(this), "txtErsatt");
    lbllistSok = label(this, "lbllistSok", QStringLiteral("Text som &söks:"), soklist);
    lblListErsatt = label(this, "lblListErsatt", QStringLiteral("&Ersätts med:"), ersattlist);
    lblsoktext = label(this, "lblsoktext", QStringLiteral("Sök&text:"), txtSok);
    lblErsatt = label(this, "lblErsatt", QStringLiteral("E&rsätts med:"), txtErsatt);
    for (QListWidget* list : {soklist, ersattlist}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setMinimumSize(200, 180);
    }

    cmdAdd = button(this, "cmdAdd", AddCaption);
    // Enter adds (or changes) the pair wherever the focus is.
    cmdAdd->setDefault(true);
    cmdNew = button(this, "cmdNew", QStringLiteral("N&y"));
    cmdDelete = button(this, "cmdDelete", QStringLiteral("T&a bort"));
    cmdMoveUp = button(this, "cmdMoveUp", QStringLiteral("Flytta &upp"));
    cmdMoveDown = button(this, "cmdMoveDown", QStringLiteral("Flytta &ned"));
    cmdDublicate = button(this, "cmdDublicate", QStringLiteral("&Duplicera"));
    cmdSwap = button(this, "cmdSwap", QStringLiteral("&Skifta"));
    cmdHtmlKod = button(this, "cmdHtmlKod", QStringLiteral("&Htmlkod"));
    cmdHtmlkodAll = button(this, "cmdHtmlkodAll", QStringLiteral("Htmlkod på &alla"));
    cmdSokOk = button(this, "cmdSokOk", QStringLiteral("&OK"));
    cmdSokCancel = button(this, "cmdSokCancel", QStringLiteral("Avbryt"));

    auto* grid = new QGridLayout;
    grid->addWidget(lbllistSok, 0, 0);
    grid->addWidget(lblListErsatt, 0, 1);
    grid->addWidget(soklist, 1, 0);
    grid->addWidget(ersattlist, 1, 1);
    grid->addWidget(lblsoktext, 2, 0);
    grid->addWidget(lblErsatt, 2, 1);
    grid->addWidget(txtSok, 3, 0);
    grid->addWidget(txtErsatt, 3, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdAdd, cmdNew, cmdDelete, cmdMoveUp, cmdMoveDown, cmdDublicate, cmdSwap,
                           cmdHtmlKod, cmdHtmlkodAll})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdSokOk);
    buttons->addWidget(cmdSokCancel);
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    setTabOrder(soklist, ersattlist);
    setTabOrder(ersattlist, txtSok);
    setTabOrder(txtSok, txtErsatt);
    setTabOrder(txtErsatt, cmdAdd);

    connect(soklist, &QListWidget::itemClicked, this, &frmSok::soklist_Click);
    connect(ersattlist, &QListWidget::itemClicked, this, &frmSok::ersattlist_Click);
    // Moving in a list with the keys chooses a pair as a click does.
    connect(soklist, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != ersattlist->currentRow())
            soklist_Click();
    });
    connect(ersattlist, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != soklist->currentRow())
            ersattlist_Click();
    });
    connect(cmdAdd, &QPushButton::clicked, this, &frmSok::cmdAdd_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmSok::cmdNew_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmSok::cmdDelete_Click);
    connect(cmdMoveUp, &QPushButton::clicked, this, &frmSok::cmdMoveUp_Click);
    connect(cmdMoveDown, &QPushButton::clicked, this, &frmSok::cmdMoveDown_Click);
    connect(cmdDublicate, &QPushButton::clicked, this, &frmSok::cmdDublicate_Click);
    connect(cmdSwap, &QPushButton::clicked, this, &frmSok::cmdSwap_Click);
    connect(cmdHtmlKod, &QPushButton::clicked, this, &frmSok::cmdHtmlKod_Click);
    connect(cmdHtmlkodAll, &QPushButton::clicked, this, &frmSok::cmdHtmlkodAll_Click);
    connect(cmdSokOk, &QPushButton::clicked, this, &frmSok::cmdSokOk_Click);
    connect(cmdSokCancel, &QPushButton::clicked, this, &frmSok::cmdSokCancel_Click);
    Form_Load();
}

void frmSok::Form_Load() {
    const QSignalBlocker quietSearch(soklist);
    const QSignalBlocker quietReplace(ersattlist);
    soklist->clear();
    ersattlist->clear();
    for (int k = 0; k < PairCount && k < SearchTexts.size(); ++k) {
        soklist->addItem(SearchTexts[k]);
        ersattlist->addItem(k < ReplaceTexts.size() ? ReplaceTexts[k] : QString());
    }
    txtSok->clear();
    txtErsatt->clear();
    setEditing(false);
    txtSok->setFocus();
}

int frmSok::current() const {
    return soklist->currentRow();
}

bool frmSok::isEditing() const {
    return cmdAdd->text() == EditCaption;
}

void frmSok::setEditing(bool editing) {
    cmdAdd->setText(editing ? EditCaption : AddCaption);
}

void frmSok::choose(int index) {
    if (index < 0 || index >= soklist->count())
        return;
    {
        const QSignalBlocker quietSearch(soklist);
        const QSignalBlocker quietReplace(ersattlist);
        soklist->setCurrentRow(index);
        ersattlist->setCurrentRow(index);
    }
    txtSok->setText(soklist->item(index)->text());
    txtErsatt->setText(ersattlist->item(index)->text());
    setEditing(true);
}

void frmSok::soklist_Click() {
    choose(soklist->currentRow());
}

void frmSok::ersattlist_Click() {
    choose(ersattlist->currentRow());
}

void frmSok::cmdNew_Click() {
    txtSok->clear();
    txtErsatt->clear();
    setEditing(false);
    txtSok->setFocus();
}

void frmSok::cmdAdd_Click() {
    if (txtSok->text().isEmpty()) {
        txtSok->setFocus();
        return;
    }
    const int at = current();
    if (!isEditing() || at < 0) {
        soklist->addItem(txtSok->text());
        ersattlist->addItem(txtErsatt->text());
        choose(soklist->count() - 1);
        cmdNew_Click();
        txtSok->setFocus();
        return;
    }
    soklist->item(at)->setText(txtSok->text());
    ersattlist->item(at)->setText(txtErsatt->text());
    if (at < soklist->count() - 1)
        choose(at + 1);
    else
        cmdNew_Click();
}

void frmSok::cmdDelete_Click() {
    const int at = current();
    if (at < 0)
        return;
    {
        const QSignalBlocker quietSearch(soklist);
        const QSignalBlocker quietReplace(ersattlist);
        delete soklist->takeItem(at);
        delete ersattlist->takeItem(at);
    }
    if (soklist->count() == 0) {
        setEditing(false);
        return;
    }
    choose(qMin(at, soklist->count() - 1));
}

void frmSok::swapPairs(int a, int b) {
    for (QListWidget* list : {soklist, ersattlist}) {
        const QString first = list->item(a)->text();
        list->item(a)->setText(list->item(b)->text());
        list->item(b)->setText(first);
    }
}

void frmSok::cmdMoveUp_Click() {
    const int at = current();
    if (at < 1)
        return;
    swapPairs(at, at - 1);
    choose(at - 1);
}

void frmSok::cmdMoveDown_Click() {
    const int at = current();
    if (at < 0 || at >= soklist->count() - 1)
        return;
    swapPairs(at, at + 1);
    choose(at + 1);
}

void frmSok::cmdDublicate_Click() {
    const int at = current();
    if (at < 0)
        return;
    const QSignalBlocker quietSearch(soklist);
    const QSignalBlocker quietReplace(ersattlist);
    soklist->insertItem(at + 1, soklist->item(at)->text());
    ersattlist->insertItem(at + 1, ersattlist->item(at)->text());
    soklist->setCurrentRow(at);
    ersattlist->setCurrentRow(at);
}

void frmSok::cmdSwap_Click() {
    const int at = current();
    if (at < 0)
        return;
    const QString search = soklist->item(at)->text();
    soklist->item(at)->setText(ersattlist->item(at)->text());
    ersattlist->item(at)->setText(search);
    choose(at);
}

void frmSok::cmdHtmlKod_Click() {
    txtSok->setText(converted(txtSok->text()));
    txtErsatt->setText(converted(txtErsatt->text()));
}

void frmSok::cmdHtmlkodAll_Click() {
    for (int i = 0; i < soklist->count(); ++i) {
        soklist->item(i)->setText(converted(soklist->item(i)->text()));
        ersattlist->item(i)->setText(converted(ersattlist->item(i)->text()));
    }
}

void frmSok::cmdSokOk_Click() {
    PairCount = soklist->count();
    SearchTexts.clear();
    ReplaceTexts.clear();
    for (int i = 0; i < PairCount; ++i) {
        SearchTexts.append(soklist->item(i)->text());
        ReplaceTexts.append(ersattlist->item(i)->text());
    }
    close();
}

void frmSok::cmdSokCancel_Click() {
    close();
}
