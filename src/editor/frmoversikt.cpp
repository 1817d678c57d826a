#include "editor/frmoversikt.h"

#include "markup/globals.h"
#include "platform/platform.h"
#include "shell/inimod.h"
#include "widgets/textarea.h"
#include "widgets/textfield.h"
#include "widgets/windowplace.h"

#include <QAbstractListModel>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The window keeps its place and size in section "Oversikt".
constexpr PlaceRule OverviewPlace{"Oversikt", true};
// The designed client area, in twips.
constexpr int DesignedWidth = 3000;
constexpr int DesignedHeight = 3345;

} // namespace

// The entries as a list model: a row's text is made only when the view shows it, so a list of
// a million entries is shown at once.
class OverviewModel : public QAbstractListModel {
public:
    explicit OverviewModel(const OverviewList& list, QObject* parent)
        : QAbstractListModel(parent), m_list(list) {}
    // Shows the list as it now is (empty until it is first built).
    void reset() {
        beginResetModel();
        m_built = true;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() || !m_built ? 0 : static_cast<int>(m_list.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return m_list.displayText(index.row());
    }

private:
    const OverviewList& m_list;
    bool m_built = false;
};

frmOversikt::frmOversikt(TextArea* text, QWidget* parent)
    : QWidget(parent, Qt::Window), m_text(text) {
    setObjectName(QStringLiteral("frmOversikt"));
    setWindowTitle(QStringLiteral("Överblick"));
    setAttribute(Qt::WA_DeleteOnClose);

    lista = new QListView(this);
    lista->setObjectName(QStringLiteral("lista"));
    lista->setUniformItemSizes(true);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_model = new OverviewModel(listinfo, this);
    lista->setModel(m_model);
    cmdUpdate = new QPushButton(QStringLiteral("&Uppdatera"), this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    cmdView = new QPushButton(QStringLiteral("Visa"), this);
    cmdView->setObjectName(QStringLiteral("cmdView"));
    lblTagg1 = new QLabel(QStringLiteral("&Från tagg:"), this);
    txtTagg1 = new TextField(this);
    txtTagg1->setObjectName(QStringLiteral("txtTagg1"));
    txtTagg1->setText(QStringLiteral("A"));
    lblTagg2 = new QLabel(QStringLiteral("&Till tagg:"), this);
    txtTagg2 = new TextField(this);
    txtTagg2->setObjectName(QStringLiteral("txtTagg2"));
    txtTagg2->setText(QStringLiteral("/A"));
    for (TextField* field : {txtTagg1, txtTagg2})
        field->setFocusSelection(TextField::FocusSelection::All);
    lblTagg1->setBuddy(txtTagg1);
    lblTagg2->setBuddy(txtTagg2);
    chkOnlyOne = new QCheckBox(QStringLiteral("&Endast en tagg"), this);
    chkOnlyOne->setObjectName(QStringLiteral("chkOnlyOne"));
    chkViewOnly = new QCheckBox(QStringLiteral("Visa endast text mellan taggar"), this);
    chkViewOnly->setObjectName(QStringLiteral("chkViewOnly"));

    // The list takes what the window's height leaves; the buttons, fields and boxes stand
    // below it and the fields take the window's width.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lista, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdUpdate);
    buttons->addWidget(cmdView);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    auto* fields = new QGridLayout;
    fields->addWidget(lblTagg1, 0, 0);
    fields->addWidget(txtTagg1, 0, 1);
    fields->addWidget(lblTagg2, 1, 0);
    fields->addWidget(txtTagg2, 1, 1);
    fields->setColumnStretch(1, 1);
    layout->addLayout(fields);
    layout->addWidget(chkOnlyOne);
    layout->addWidget(chkViewOnly);

    connect(txtTagg1, &QLineEdit::textChanged, this, &frmOversikt::txtTagg1_Change);
    connect(txtTagg2, &QLineEdit::textChanged, this, &frmOversikt::txtTagg2_Change);
    connect(chkOnlyOne, &QCheckBox::toggled, this, &frmOversikt::chkOnlyOne_Click);
    connect(chkViewOnly, &QCheckBox::toggled, this, &frmOversikt::chkViewOnly_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &frmOversikt::cmdUpdate_Click);
    connect(cmdView, &QPushButton::clicked, this, &frmOversikt::cmdView_Click);
    connect(lista, &QListView::doubleClicked, this, &frmOversikt::cmdView_Click);

    Form_Load();
}

frmOversikt::~frmOversikt() = default;

void frmOversikt::Form_Load() {
    // At the left edge with its bottom at the bottom of the screen.
    const QSize design(PixelsFromTwips(DesignedWidth), PixelsFromTwips(DesignedHeight));
    resize(design.expandedTo(sizeHint()));
    const QSize screen = platform().screenSizeTwips();
    StoredPlace place = ReadPlace(IniSession(IniFile), OverviewPlace, screen);
    if (!place.left)
        place.left = 0;
    if (!place.top)
        place.top = std::max(0, screen.height() - TwipsFromPixels(frameGeometry().height()));
    ApplyPlace(this, place);

    if (!OverviewFromTag.isEmpty())
        txtTagg1->setText(OverviewFromTag);
    if (!OverviewToTag.isEmpty())
        txtTagg2->setText(OverviewToTag);
    // A stored 2 (a greyed box in older settings) counts as not ticked.
    const bool onlyOne = OverviewOnlyOne == 1;
    const bool between = OverviewBetween == 1;
    chkOnlyOne->setChecked(onlyOne);
    chkViewOnly->setChecked(between);
    chkOnlyOne_Click();
    chkViewOnly_Click();
}

void frmOversikt::Form_Unload() {
    if (IniFile.isEmpty())
        return;
    IniSession ini(IniFile);
    WritePlace(ini, OverviewPlace, this);
    ini.save();
}

void frmOversikt::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmOversikt::txtTagg1_Change() {
    OverviewFromTag = txtTagg1->text();
}

void frmOversikt::txtTagg2_Change() {
    OverviewToTag = txtTagg2->text();
}

void frmOversikt::chkOnlyOne_Click() {
    const bool ticked = chkOnlyOne->isChecked();
    lblTagg2->setEnabled(!ticked);
    txtTagg2->setEnabled(!ticked);
    chkViewOnly->setEnabled(!ticked);
    OverviewOnlyOne = ticked ? 1 : 0;
}

void frmOversikt::chkViewOnly_Click() {
    OverviewBetween = chkViewOnly->isChecked() ? 1 : 0;
}

void frmOversikt::cmdUpdate_Click() {
    BusyCursor busy;
    listinfo = BuildOverview(m_text ? m_text->text() : QString(), txtTagg1->text(),
                             txtTagg2->text(), chkOnlyOne->isChecked(), chkViewOnly->isChecked());
    m_model->reset();
}

void frmOversikt::cmdView_Click() {
    const QModelIndex current = lista->currentIndex();
    if (!current.isValid() || !m_text || current.row() >= listinfo.size())
        return;
    const std::optional<OverviewSelection> selection =
        SelectionForEntry(listinfo.entry(current.row()), m_text->textLength());
    if (!selection)
        return;
    m_text->setSel(static_cast<int>(selection->start), static_cast<int>(selection->length));
    m_text->setFocus();
}

QString frmOversikt::entryText(int i) const {
    return listinfo.displayText(i);
}

int frmOversikt::entryCount() const {
    return m_model->rowCount(QModelIndex());
}

void frmOversikt::chooseEntry(int i) {
    lista->setCurrentIndex(m_model->index(i, 0));
}
