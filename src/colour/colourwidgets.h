#pragma once
// The two drawing surfaces of the colour picker: the slider bar and the colour swatch.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

class QPainter;

// A slider bar in its own scale: 128 units wide and 8 high. Its owner paints its picture
// (draw()); the bar keeps that picture until it is painted again. Mouse presses and moves
// report the horizontal place in bar units, also beyond the bar's ends while a button is
// held.
class ColourBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int Units = 128;
    static constexpr int UnitsHigh = 8;
    static constexpr int PixelsPerUnit = 2;

    explicit ColourBar(QWidget* parent = nullptr);

    // Paints the kept picture with painter coordinates in bar units, then shows it.
    void draw(const std::function<void(QPainter&)>& paint);
    // The kept picture, in pixels (PixelsPerUnit per unit).
    const QImage& picture() const { return m_picture; }
    // The horizontal place in bar units of a point in pixels of the widget.
    double unitX(double pixelX) const;

signals:
    void mouseDown(Qt::MouseButton button, double x);
    void mouseMove(Qt::MouseButtons buttons, double x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

// A colour swatch. The swatch of the selected slot carries a border. A press reports the
// button; moving far enough with a button held asks for a drag; a double click is reported.
class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }
    void setBorder(bool border);
    bool hasBorder() const { return m_border; }

signals:
    void mouseDown(Qt::MouseButton button);
    void dragRequested();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor m_colour = Qt::black;
    bool m_border = false;
    bool m_dragPossible = false;
    QPoint m_pressedAt;
};
