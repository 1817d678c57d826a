#include "guides/framepreview.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// The edges of n equal parts of the span from start to start + length, rounded to whole
// pixels so that neighbours share their edge.
int edge(int start, int length, int index, int count) {
    return start + static_cast<int>(static_cast<qint64>(length) * index / count);
}

} // namespace

FramePreview::FramePreview(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setBackgroundRole(QPalette::Window);
}

void FramePreview::setDivisions(bool mainRows, const QList<int>& parts) {
    if (mainRows == m_mainRows && parts == m_parts)
        return;
    m_mainRows = mainRows;
    m_parts = parts;
    update();
}

void FramePreview::setMarked(int frame) {
    if (frame == m_marked)
        return;
    m_marked = frame;
    update();
}

QSize FramePreview::sizeHint() const {
    const int unit = fontMetrics().height();
    return {unit * 16, unit * 12};
}

QSize FramePreview::minimumSizeHint() const {
    const int unit = fontMetrics().height();
    return {unit * 8, unit * 6};
}

QList<QRect> FramePreview::frameRects() const {
    QList<QRect> rects;
    // The page, with a margin around it; the last pixel row and column carry its outline.
    const QRect page = rect().adjusted(4, 4, -5, -5);
    if (page.width() < 1 || page.height() < 1 || m_parts.isEmpty())
        return rects;
    const int mains = static_cast<int>(m_parts.size());
    for (int i = 0; i < mains; ++i) {
        const int parts = std::max(m_parts[i], 1);
        for (int j = 0; j < parts; ++j) {
            if (m_mainRows) {
                const int top = edge(page.top(), page.height(), i, mains);
                const int bottom = edge(page.top(), page.height(), i + 1, mains);
                const int left = edge(page.left(), page.width(), j, parts);
                const int right = edge(page.left(), page.width(), j + 1, parts);
                rects.append(QRect(QPoint(left, top), QPoint(right, bottom)));
            } else {
                const int left = edge(page.left(), page.width(), i, mains);
                const int right = edge(page.left(), page.width(), i + 1, mains);
                const int top = edge(page.top(), page.height(), j, parts);
                const int bottom = edge(page.top(), page.height(), j + 1, parts);
                rects.append(QRect(QPoint(left, top), QPoint(right, bottom)));
            }
        }
    }
    return rects;
}

QRect FramePreview::frameRect(int frame) const {
    const QList<QRect> rects = frameRects();
    return frame >= 1 && frame <= rects.size() ? rects[frame - 1] : QRect();
}

int FramePreview::frameAt(QPoint point) const {
    const QList<QRect> rects = frameRects();
    for (qsizetype i = 0; i < rects.size(); ++i) {
        if (rects[i].contains(point))
            return static_cast<int>(i + 1);
    }
    return 0;
}

void FramePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QList<QRect> rects = frameRects();
    const QPalette& colours = palette();
    // Whole-pixel lines one unit wide: sharp at every scale of the screen.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (qsizetype i = 0; i < rects.size(); ++i) {
        const bool marked = i + 1 == m_marked;
        const QRect& cell = rects[i];
        painter.fillRect(cell, colours.color(marked ? QPalette::Highlight : QPalette::Base));
        // The frame's number, where it fits.
        const QString number = QString::number(i + 1);
        const QFontMetrics metrics = painter.fontMetrics();
        if (metrics.horizontalAdvance(number) + 4 <= cell.width() &&
            metrics.height() + 2 <= cell.height()) {
            painter.setPen(colours.color(marked ? QPalette::HighlightedText : QPalette::Text));
            painter.drawText(cell, Qt::AlignCenter, number);
        }
    }
    QPen line(colours.color(QPalette::WindowText));
    line.setWidth(1);
    painter.setPen(line);
    painter.setBrush(Qt::NoBrush);
    for (const QRect& cell : rects)
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
}

void FramePreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const int frame = frameAt(event->position().toPoint()))
            emit frameClicked(frame);
    }
    QWidget::mousePressEvent(event);
}
