#include "colour/colourwidgets.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

ColourBar::ColourBar(QWidget* parent)
    : QWidget(parent),
      m_picture(Units * PixelsPerUnit, UnitsHigh * PixelsPerUnit, QImage::Format_RGB32) {
    m_picture.fill(Qt::black);
    setFixedSize(m_picture.size());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourBar::draw(const std::function<void(QPainter&)>& paint) {
    QPainter painter(&m_picture);
    painter.scale(PixelsPerUnit, PixelsPerUnit);
    paint(painter);
    painter.end();
    update();
}

double ColourBar::unitX(double pixelX) const {
    return width() > 0 ? pixelX * Units / width() : 0.0;
}

void ColourBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), m_picture);
}

void ColourBar::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), unitX(event->position().x()));
    event->accept();
}

void ColourBar::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(event->buttons(), unitX(event->position().x()));
    event->accept();
}

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent) {
    setFixedSize(40, 40);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(QStringLiteral("Dra färgen till ett färgfält, dubbelklicka för att välja en färg"));
}

void ColourSwatch::setColour(const QColor& colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void ColourSwatch::setBorder(bool border) {
    if (border == m_border)
        return;
    m_border = border;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect all = rect();
    // The selected swatch is framed in the highlight colour, which shows against black and
    // white alike; a thin edge keeps a swatch in the window's own colour visible.
    painter.fillRect(all, m_border ? palette().highlight() : palette().window());
    painter.fillRect(all.adjusted(3, 3, -3, -3), palette().mid());
    painter.fillRect(all.adjusted(4, 4, -4, -4), m_colour);
}

void ColourSwatch::mousePressEvent(QMouseEvent* event) {
    m_pressedAt = event->position().toPoint();
    m_dragPossible = true;
    emit mouseDown(event->button());
    event->accept();
}

void ColourSwatch::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragPossible || event->buttons() == Qt::NoButton)
        return;
    if ((event->position().toPoint() - m_pressedAt).manhattanLength() <
        QApplication::startDragDistance())
        return;
    m_dragPossible = false;
    emit dragRequested();
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    m_dragPossible = false;
    event->accept();
}

void ColourSwatch::mouseDoubleClickEvent(QMouseEvent* event) {
    m_dragPossible = false;
    emit doubleClicked();
    event->accept();
}
