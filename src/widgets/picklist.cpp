#include "widgets/picklist.h"

#include "markup/standardtexts.h"
#include "platform/numbers.h"
#include "platform/platform.h"

#include <QFocusEvent>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include <cmath>

namespace {

// Every entry is exactly one entry height tall, so the height the placement rule gives
// (entries × 195 + 25 twips) holds the entries and the frame without a scroll bar.
class EntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), PickList::EntryPixels};
    }
};

constexpr int MinimumStandardListWidth = 1275; // twips
constexpr int DesignedHtmlListWidth = 1275;    // twips

// The width of the HTML-character list, in twips: as designed, or wider when this font needs
// more room to show every entry whole beside the scroll bar (the designed width was made for
// a narrower font, and a cut "&eac…" would hide the code the entry inserts).
int HtmlListWidth(const PickList& list) {
    const QFontMetricsF metrics(list.font());
    qreal widest = 0;
    for (int row = 0; row < list.count(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(list.item(row)->text()));
    const QStyle* style = list.style();
    const int textMargins =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1);
    const int scrollBar = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    const int pixels = int(std::ceil(widest)) + textMargins + scrollBar + 2 * list.frameWidth();
    return std::max(DesignedHtmlListWidth, pixels * TwipsPerPixel);
}

constexpr int MinimumFontPixels = 7;

int Pixels(int twips) {
    return RoundHalfEven(double(twips) / TwipsPerPixel);
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

PickList::PickList(int index, QWidget* parent) : QListWidget(parent), m_index(index) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setSpacing(0);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setItemDelegate(new EntryDelegate(this));
    // The entries are drawn in the window's font, made smaller only as far as needed to fit
    // the entry height.
    QFont entryFont = font();
    for (int pixels = QFontInfo(entryFont).pixelSize();
         QFontMetrics(entryFont).height() > EntryPixels && pixels > MinimumFontPixels;)
        entryFont.setPixelSize(--pixels);
    setFont(entryFont);
    hide();
}

void PickList::setEntries(const QStringList& entries) {
    clear();
    addItems(entries);
    setCurrentRow(-1);
}

QStringList PickList::entries() const {
    QStringList all;
    all.reserve(count());
    for (int row = 0; row < count(); ++row)
        all.append(item(row)->text());
    return all;
}

void PickList::popUp(QWidget* textArea, int standardListWidth) {
    if (!textArea)
        return;
    if (count() == 0) {
        if (m_index == StandardTexts &&
            platform().message(QStringLiteral("Listan för standardtexter är tom. Vill du "
                                              "redigera den nu (den kommer att öppnas i "
                                              "editorn)?"),
                               MsgIcon::Question, MsgButtons::YesNoCancel) == MsgAnswer::Yes)
            emit editRequested();
        return;
    }
    if (!parentWidget())
        setParent(textArea->parentWidget());
    if (!parentWidget())
        return;
    m_textArea = textArea;
    if (currentRow() < 0)
        setCurrentRow(0);

    const QPoint origin = parentWidget()->mapFromGlobal(textArea->mapToGlobal(QPoint(0, 0)));
    const TwipRect area{origin.x() * TwipsPerPixel, origin.y() * TwipsPerPixel,
                        textArea->width() * TwipsPerPixel, textArea->height() * TwipsPerPixel};
    const int designedWidth =
        m_index == HtmlCharacters ? HtmlListWidth(*this) : DesignedHtmlListWidth;
    const TwipRect place =
        PickListPlacement(m_index, count(), standardListWidth, area, designedWidth);
    setGeometry(Pixels(place.left), Pixels(place.top), Pixels(place.width), Pixels(place.height));
    m_pressedKey = 0;
    show();
    raise();
    scrollToItem(currentItem());
    setFocus(Qt::OtherFocusReason);
}

QString PickList::insertText(const QString& entry) const {
    return m_index == HtmlCharacters ? HtmlCharacterCode(entry) : entry;
}

void PickList::choose() {
    const QListWidgetItem* entry = currentItem();
    if (!entry || !isVisible())
        return;
    const QString text = insertText(entry->text());
    emit chosen(text);
    // The HTML-character list stays until the focus goes back to the text area, which
    // inserting the code does.
    if (m_index == StandardTexts)
        cancel();
}

void PickList::cancel() {
    const bool hadFocus = hasFocus();
    hide();
    if (hadFocus && m_textArea)
        m_textArea->setFocus(Qt::OtherFocusReason);
}

void PickList::keyPressEvent(QKeyEvent* e) {
    // Enter and Esc act when they are released, as long as they were pressed here; the
    // press is kept from the window so it cannot trigger a default button.
    if (IsEnter(e->key()) || e->key() == Qt::Key_Escape) {
        if (!e->isAutoRepeat())
            m_pressedKey = IsEnter(e->key()) ? Qt::Key_Return : Qt::Key_Escape;
        e->accept();
        return;
    }
    QListWidget::keyPressEvent(e);
}

void PickList::keyReleaseEvent(QKeyEvent* e) {
    const int key = IsEnter(e->key()) ? Qt::Key_Return : e->key();
    if (e->isAutoRepeat() || key != m_pressedKey || m_pressedKey == 0) {
        QListWidget::keyReleaseEvent(e);
        return;
    }
    m_pressedKey = 0;
    e->accept();
    if (key == Qt::Key_Return)
        choose();
    else
        cancel();
}

void PickList::mouseReleaseEvent(QMouseEvent* e) {
    QListWidget::mouseReleaseEvent(e);
    if (viewport()->rect().contains(e->position().toPoint()))
        choose();
}

void PickList::focusOutEvent(QFocusEvent* e) {
    QListWidget::focusOutEvent(e);
    // Another window coming to the front, or a menu opening, leaves the list where it is.
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
        hide();
}

int StandardListWidthInFont(const QStringList& entries, const QFont& font) {
    const QFontMetricsF metrics(font);
    return StandardListWidthFor(entries, [&metrics](const QString& entry) {
        return metrics.horizontalAdvance(entry) * TwipsPerPixel;
    });
}

bool LoadStandardTexts(PickList& list, const QFont& font, int& standardListWidth) {
    standardListWidth = MinimumStandardListWidth;
    bool read = false;
    const QStringList entries = ReadStandardTexts(StandardTextsPath(), &read);
    if (!read)
        return false;
    list.setEntries(entries);
    standardListWidth = StandardListWidthInFont(entries, font);
    return true;
}
