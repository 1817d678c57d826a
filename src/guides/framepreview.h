#pragma once
// The drawing of a frameset layout in the frameset guide: the page divided into its main
// divisions, each divided into its parts, every frame numbered where the number fits, and one
// frame marked. It fills whatever room the window gives it and is drawn afresh at every size
// and screen resolution.

#include <QList>
#include <QRect>
#include <QWidget>

class FramePreview : public QWidget {
    Q_OBJECT
public:
    explicit FramePreview(QWidget* parent = nullptr);

    // mainRows: the main divisions are rows, each split into columns; otherwise they are
    // columns, each split into rows. parts holds the part count of each main division.
    void setDivisions(bool mainRows, const QList<int>& parts);
    // Marks frame n (1-based, in the guide's numbering); 0 marks none.
    void setMarked(int frame);
    int marked() const { return m_marked; }
    // The frame under a point of the widget, or 0.
    int frameAt(QPoint point) const;
    // The place of frame n in the widget (an empty rectangle for no such frame).
    QRect frameRect(int frame) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user clicked frame n.
    void frameClicked(int frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Every frame's place, in the guide's order.
    QList<QRect> frameRects() const;

    bool m_mainRows = false;
    QList<int> m_parts;
    int m_marked = 0;
};
