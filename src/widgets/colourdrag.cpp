#include "widgets/colourdrag.h"

#include <QColor>
#include <QComboBox>
#include <QDrag>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>

namespace {

// Takes the drag and drop events of a colour field (and of the line edit inside a combo box).
class ColourDropFilter : public QObject {
public:
    ColourDropFilter(QWidget* field, std::function<void(const QString&)> dropped)
        : QObject(field), m_field(field), m_dropped(std::move(dropped)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!ColourFromMime(drag->mimeData()))
                return false;
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::optional<QString> colour = ColourFromMime(drop->mimeData());
            if (!colour)
                return false;
            if (auto* combo = qobject_cast<QComboBox*>(m_field))
                combo->setEditText(*colour);
            else if (auto* edit = qobject_cast<QLineEdit*>(m_field))
                edit->setText(*colour);
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            if (m_dropped)
                m_dropped(*colour);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    QWidget* m_field;
    std::function<void(const QString&)> m_dropped;
};

} // namespace

QMimeData* ColourMimeData(const QString& colour) {
    auto* mime = new QMimeData;
    mime->setText(colour);
    mime->setData(QLatin1String(ColourMimeType), colour.toUtf8());
    return mime;
}

std::optional<QString> ColourFromMime(const QMimeData* mime) {
    if (!mime)
        return std::nullopt;
    QString colour;
    if (mime->hasFormat(QLatin1String(ColourMimeType)))
        colour = QString::fromUtf8(mime->data(QLatin1String(ColourMimeType)));
    else if (mime->hasText())
        colour = mime->text();
    colour = colour.trimmed();
    if (colour.isEmpty() || colour.contains(QLatin1Char('\n')) ||
        colour.contains(QLatin1Char('\r')))
        return std::nullopt;
    return colour;
}

Qt::DropAction StartColourDrag(QWidget* source, const QString& colour) {
    auto* drag = new QDrag(source);
    drag->setMimeData(ColourMimeData(colour));
    const QColor shown(colour);
    if (shown.isValid()) {
        QPixmap pixmap(20, 20);
        pixmap.fill(shown);
        QPainter painter(&pixmap);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
        painter.end();
        drag->setPixmap(pixmap);
        drag->setHotSpot(QPoint(pixmap.width() / 2, pixmap.height() / 2));
    }
    return drag->exec(Qt::CopyAction);
}

void AcceptColourDrops(QWidget* field, std::function<void(const QString&)> dropped) {
    auto* filter = new ColourDropFilter(field, std::move(dropped));
    field->setAcceptDrops(true);
    field->installEventFilter(filter);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
        combo->lineEdit()->setAcceptDrops(true);
        combo->lineEdit()->installEventFilter(filter);
    }
}
