// The editor window's layout: the file panes on the left, the tag strip above the text area,
// the rules that keep the text area filling the window, the strip's hover colours, the keys
// the text area passes on and a colour dropped on the text.
//
// The design is in twips (15 to a pixel). Heights that depend on the font (the drive list,
// the filter field, the strip labels) are never made smaller than the font needs.

#include "editor/frmeditor.h"

#include "markup/globals.h"
#include "platform/numbers.h"
#include "widgets/filepanes.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"
#include "widgets/windowplace.h"

#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace {

int px(int twips) {
    return PixelsFromTwips(twips);
}

// Design places, in twips.
constexpr int PaneLeft = 60;
constexpr int PaneWidth = 1935;
constexpr int FolderHeight = 1440;
constexpr int DriveHeight = 315;
constexpr int FilterLabelWidth = 675;
constexpr int FilterLeft = 720;
constexpr int FilterWidth = 1275;
constexpr int FilterHeight = 285;
constexpr int TextLeftWithPanes = 2040;
constexpr int StripLeftWithPanes = 2040;
constexpr int StripLeftAlone = 40;
constexpr int StripTop = 30;
constexpr int StripGap = 80;
constexpr int TextTopWithStrip = 240;
constexpr int BottomMargin = 60;

const char* const StripCaptions[10] = {"Bild",  "Bokmärke", "Formulär", "Inbäddat objekt", "Linje",
                                       "Lista", "Länk",     "Typsnitt", "Tabell",          "Tid"};
// What a left click on each strip label does: the menu item it stands for, or the submenu
// it pops up.
const char* const StripItems[10] = {"mnuInsBild", "mnuInBok",  "mnuInsForm", "mnuInInb",
                                    "mnuInLin",   "mnuInList", "mnuInLink",  "mnuFormFont",
                                    "mnuTable",   "mnuInTid"};

} // namespace

void frmEditor::buildPanes() {
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);
    m_client->setMouseTracking(true);
    m_client->installEventFilter(this);

    Filer = new FileList(m_client);
    Filer->setObjectName(QStringLiteral("Filer"));
    Katalog = new FolderList(m_client);
    Katalog->setObjectName(QStringLiteral("Katalog"));
    Enhet = new DriveList(m_client);
    Enhet->setObjectName(QStringLiteral("Enhet"));
    txtFilfilter = new QLineEdit(QStringLiteral("*.htm*"), m_client);
    txtFilfilter->setObjectName(QStringLiteral("txtFilfilter"));
    lblFilFilter = new QLabel(QStringLiteral("&Filfilter:"), m_client);
    lblFilFilter->setObjectName(QStringLiteral("lblFilFilter"));
    lblFilFilter->setBuddy(txtFilfilter);
    lblFilFilter->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    txtText = new TextArea(m_client);
    txtText->setObjectName(QStringLiteral("txtText"));
    txtText->installEventFilter(this);
    txtText->viewport()->setMouseTracking(true);
    txtText->viewport()->installEventFilter(this);

    Filer->setGeometry(px(PaneLeft), 0, px(PaneWidth), 0);
    Katalog->setGeometry(px(PaneLeft), 0, px(PaneWidth), px(FolderHeight));
    Enhet->setGeometry(px(PaneLeft), 0, px(PaneWidth),
                       qMax(px(DriveHeight), Enhet->sizeHint().height()));
    const int filterHeight = qMax(px(FilterHeight), txtFilfilter->sizeHint().height());
    // The label keeps its whole caption; the filter field gives way and keeps its right edge.
    const int labelWidth = qMax(px(FilterLabelWidth), lblFilFilter->sizeHint().width());
    const int filterLeft = qMax(px(FilterLeft), px(PaneLeft) + labelWidth + px(45));
    const int filterRight = px(FilterLeft + FilterWidth);
    txtFilfilter->setGeometry(filterLeft, 0, filterRight - filterLeft, filterHeight);
    lblFilFilter->setGeometry(px(PaneLeft), 0, labelWidth, filterHeight);
    txtText->move(px(TextLeftWithPanes), 0);

    connect(Filer, &FileList::fileClicked, this, &frmEditor::Filer_Click);
    connect(Filer, &FileList::keyReleased, this, &frmEditor::Filer_KeyUp);
    connect(Filer, &FileList::rightButtonReleased, this, &frmEditor::Filer_MouseUp);
    connect(Katalog, &FolderList::pathChanged, this, &frmEditor::Katalog_Change);
    connect(Enhet, &DriveList::driveChanged, this, &frmEditor::Enhet_Change);
    connect(txtFilfilter, &QLineEdit::textChanged, this, &frmEditor::txtFilfilter_Change);
    connect(txtText, &TextArea::changed, this, &frmEditor::txtText_Change);
    connect(txtText, &TextArea::colourDropped, this, &frmEditor::txtText_DragDrop);
}

void frmEditor::buildStrip() {
    for (int i = 0; i < 10; ++i) {
        lblMenu[i] = new QLabel(QString::fromUtf8(StripCaptions[i]), m_client);
        lblMenu[i]->setObjectName(QStringLiteral("lblMenu%1").arg(i));
        lblMenu[i]->setMouseTracking(true);
        lblMenu[i]->installEventFilter(this);
        lblMenu[i]->setCursor(Qt::PointingHandCursor);
        lblMenu[i]->resize(lblMenu[i]->sizeHint());
    }
    lblMenu[0]->move(px(StripLeftWithPanes), px(StripTop));
    setStripColours(-1);
    StripIdle = true;
    LayoutStrip();
    txtText->move(txtText->x(), stripHeight());
}

int frmEditor::stripHeight() const {
    return qMax(px(TextTopWithStrip), lblMenu[0]->y() + lblMenu[0]->height() + 1);
}

void frmEditor::LayoutStrip() {
    for (int i = 0; i < 10; ++i) {
        lblMenu[i]->resize(lblMenu[i]->sizeHint());
        if (i > 0)
            lblMenu[i]->move(lblMenu[i - 1]->x() + lblMenu[i - 1]->width() + px(StripGap),
                             lblMenu[0]->y());
    }
}

void frmEditor::Form_Resize() {
    const int width = m_client->width();
    const int height = m_client->height();
    txtText->resize(qMax(0, width - txtText->x()), qMax(0, height - txtText->y()));

    // The file list takes the height the lower panes leave.
    const int below = px(30) + Katalog->height() + px(30) + Enhet->height() + px(45) +
                      qMax(lblFilFilter->height(), txtFilfilter->height() - px(30)) +
                      px(BottomMargin);
    Filer->resize(Filer->width(), qMax(0, height - below));
    Katalog->move(Katalog->x(), Filer->y() + Filer->height() + px(30));
    Enhet->move(Enhet->x(), Katalog->y() + Katalog->height() + px(30));
    lblFilFilter->move(lblFilFilter->x(), Enhet->y() + Enhet->height() + px(45));
    txtFilfilter->move(txtFilfilter->x(), lblFilFilter->y() - px(30));
}

// --- View toggles -----------------------------------------------------------------------
// The items are check items: choosing one inverts its mark, then its handler shows or hides
// what the mark says.

void frmEditor::mnuViewFile_Click() {
    const bool shown = mnuViewFile->isChecked();
    lblMenu[0]->move(px(shown ? StripLeftWithPanes : StripLeftAlone), lblMenu[0]->y());
    txtText->move(shown ? px(TextLeftWithPanes) : 0, txtText->y());
    for (QWidget* pane : {static_cast<QWidget*>(Filer), static_cast<QWidget*>(Katalog),
                          static_cast<QWidget*>(Enhet), static_cast<QWidget*>(lblFilFilter),
                          static_cast<QWidget*>(txtFilfilter)})
        pane->setVisible(shown);
    LayoutStrip();
    Form_Resize();
}

void frmEditor::mnuViewObj_Click() {
    const bool shown = mnuViewObj->isChecked();
    for (QLabel* label : lblMenu)
        label->setVisible(shown);
    txtText->move(txtText->x(), shown ? stripHeight() : 0);
    Form_Resize();
}

// --- Folders and filter -----------------------------------------------------------------

void frmEditor::Katalog_Change() {
    Filer->setPath(Katalog->path());
    StartFolder = Filer->path();
    Enhet->setDrive(Katalog->path());
    UpdateTitle(false);
}

void frmEditor::Enhet_Change(const QString& root) {
    // A drive that cannot be read leaves everything on the previous drive.
    if (!DriveList::isReady(root) || !Katalog->setPath(root))
        Enhet->setDrive(Katalog->path());
}

void frmEditor::txtFilfilter_Change() {
    Filer->setPattern(txtFilfilter->text()); // an unusable pattern keeps the previous one
    UpdateTitle(false);
}

void frmEditor::Filer_MouseUp() {
    UpdateTitle(false);
}

// --- File-list stepping -----------------------------------------------------------------

void frmEditor::SelectNextFile() {
    const int last = Filer->listCount() - 1;
    const int index = Filer->listIndex();
    if (index == last)
        Filer->setListIndex(0);
    else if (index < last)
        Filer->setListIndex(index + 1);
}

void frmEditor::SelectPreviousFile() {
    const int index = Filer->listIndex();
    if (index == 0)
        Filer->setListIndex(Filer->listCount() - 1);
    else if (index >= 1)
        Filer->setListIndex(index - 1);
}

void frmEditor::txtText_KeyUp(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held == Qt::ControlModifier && key == Qt::Key_Space)
        InsertTagText(QStringLiteral("&nbsp;"));
    else if (held == Qt::ControlModifier && key == Qt::Key_Down)
        SelectNextFile();
    else if (held == Qt::ControlModifier && key == Qt::Key_Up)
        SelectPreviousFile();
    else if (held == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter))
        autoIndent();
}

void frmEditor::txtText_DragDrop(const QString& colour) {
    txtText->replaceSelection(colour);
    txtText->setFocus();
}

// --- Tag strip --------------------------------------------------------------------------

void frmEditor::setStripColours(int hovered) {
    const QColor grey = palette().color(QPalette::Disabled, QPalette::WindowText);
    const QColor normal = palette().color(QPalette::Active, QPalette::WindowText);
    for (int i = 0; i < 10; ++i) {
        QPalette colours = lblMenu[i]->palette();
        colours.setColor(QPalette::WindowText, i == hovered ? normal : grey);
        lblMenu[i]->setPalette(colours);
    }
}

void frmEditor::lblMenu_MouseMove(int index) {
    setStripColours(index);
    StripIdle = false;
}

void frmEditor::Form_MouseMove() {
    if (StripIdle)
        return;
    setStripColours(-1);
    StripIdle = true;
}

void frmEditor::lblMenu_MouseUp(int index, Qt::MouseButton button) {
    if (index < 0 || index > 9)
        return;
    QLabel* label = lblMenu[index];
    const QPoint below = label->mapToGlobal(QPoint(0, label->height()));
    if (button == Qt::RightButton) {
        mnuVisa->popup(QCursor::pos());
        return;
    }
    if (button != Qt::LeftButton)
        return;
    const QString name = QLatin1String(StripItems[index]);
    if (QMenu* submenu = menu(name)) {
        refreshMenuItems();
        submenu->popup(below);
    } else if (QAction* action = menuItem(name); action && action->isEnabled()) {
        action->trigger();
    }
}

// --- Events -----------------------------------------------------------------------------

bool frmEditor::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    for (int i = 0; i < 10; ++i) {
        if (watched != lblMenu[i])
            continue;
        if (type == QEvent::MouseMove || type == QEvent::Enter) {
            lblMenu_MouseMove(i);
            return true;
        }
        if (type == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (lblMenu[i]->rect().contains(mouse->position().toPoint()))
                lblMenu_MouseUp(i, mouse->button());
            return true;
        }
        if (type == QEvent::MouseButtonPress)
            return true;
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched == m_client) {
        if (type == QEvent::Resize)
            Form_Resize();
        else if (type == QEvent::MouseMove)
            Form_MouseMove();
    } else if (watched == txtText->viewport()) {
        if (type == QEvent::MouseMove)
            Form_MouseMove();
    } else if (watched == txtText && type == QEvent::KeyPress) {
        // Ctrl+Space puts in "&nbsp;" when it is released; the text area must not type a
        // blank for it.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier)
            return true;
    } else if (watched == txtText && type == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            txtText_KeyUp(key->key(), key->modifiers());
    }
    return QMainWindow::eventFilter(watched, event);
}
