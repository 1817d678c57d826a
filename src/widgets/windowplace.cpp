#include "widgets/windowplace.h"

#include "platform/numbers.h"
#include "platform/platform.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

int PixelsFromTwips(int twips) {
    return RoundHalfEven(static_cast<double>(twips) / TwipsPerPixel);
}

int TwipsFromPixels(int pixels) {
    return pixels * TwipsPerPixel;
}

namespace {

std::optional<int> readValue(const IniSession& ini, const PlaceRule& rule, const char* key,
                             int below) {
    const int value = RoundHalfEven(ini.readInt(QLatin1String(rule.section), QLatin1String(key)));
    if (value >= rule.least && value < below)
        return value;
    return std::nullopt;
}

void writeValue(IniSession& ini, const PlaceRule& rule, const char* key, int value) {
    const QString section = QLatin1String(rule.section);
    if (rule.asText) {
        QString text = QString::number(value);
        ini.writeString(section, QLatin1String(key), text);
    } else {
        ini.writeInt(section, QLatin1String(key), value);
    }
}

QMargins frameOf(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

// Keeps the wanted outer size of a window until its frame is known: the window manager
// reports the frame only some time after the window is shown.
class OuterSizeKeeper : public QObject {
public:
    OuterSizeKeeper(QWidget* window, QSize outer)
        : QObject(window), m_window(window), m_outer(outer) {
        window->installEventFilter(this);
        apply();
        // A window without a frame never reports one: after a while its size is final.
        QTimer::singleShot(2000, this, [this] { deleteLater(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window &&
            (event->type() == QEvent::Show || event->type() == QEvent::Move ||
             event->type() == QEvent::Resize || event->type() == QEvent::WinIdChange))
            QTimer::singleShot(0, this, &OuterSizeKeeper::apply);
        return false;
    }

private:
    void apply() {
        if (!m_window)
            return;
        const QMargins frame = frameOf(m_window);
        const QSize inner = InnerSize(m_outer, frame);
        if (m_window->size() != inner)
            m_window->resize(inner);
        // Once the frame is known the size is right for good.
        if (!frame.isNull() && m_window->isVisible())
            deleteLater();
    }

    QPointer<QWidget> m_window;
    QSize m_outer;
};

} // namespace

StoredPlace ReadPlace(const IniSession& ini, const PlaceRule& rule, QSize screenTwips,
                      QSize windowTwips) {
    const QSize limit = rule.wholeWindow ? screenTwips - windowTwips : screenTwips;
    StoredPlace place;
    place.left = readValue(ini, rule, "Left", limit.width());
    place.top = readValue(ini, rule, "Top", limit.height());
    if (rule.size) {
        place.width = readValue(ini, rule, "Width", screenTwips.width());
        place.height = readValue(ini, rule, "Height", screenTwips.height());
    }
    return place;
}

void WritePlace(IniSession& ini, const PlaceRule& rule, const QWidget* window) {
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QRect frame = window->frameGeometry();
    if (rule.size) {
        writeValue(ini, rule, "Width", TwipsFromPixels(frame.width()));
        writeValue(ini, rule, "Height", TwipsFromPixels(frame.height()));
    }
    writeValue(ini, rule, "Left", TwipsFromPixels(frame.x()));
    writeValue(ini, rule, "Top", TwipsFromPixels(frame.y()));
}

QSize InnerSize(QSize outer, const QMargins& frame) {
    return QSize(outer.width() - frame.left() - frame.right(),
                 outer.height() - frame.top() - frame.bottom());
}

QSize OuterSize(QSize inner, const QMargins& frame) {
    return QSize(inner.width() + frame.left() + frame.right(),
                 inner.height() + frame.top() + frame.bottom());
}

void ApplyPlace(QWidget* window, const StoredPlace& place) {
    if (place.left || place.top) {
        // move() places the outer frame of a top-level window.
        const QPoint now = window->frameGeometry().topLeft();
        window->move(place.left ? PixelsFromTwips(*place.left) : now.x(),
                     place.top ? PixelsFromTwips(*place.top) : now.y());
    }
    if (place.width || place.height) {
        const QSize now = OuterSize(window->size(), frameOf(window));
        const QSize outer(place.width ? PixelsFromTwips(*place.width) : now.width(),
                          place.height ? PixelsFromTwips(*place.height) : now.height());
        new OuterSizeKeeper(window, outer);
    }
}
