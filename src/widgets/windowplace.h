#pragma once
// The place a window remembers between runs: read when it loads, applied only where the
// window's rule says it lies on the screen, written when it unloads. Places are stored in
// twips (15 a pixel) of the window's outer frame, the title bar and borders included, so a
// window started and closed without being touched stores exactly what it read.

#include "shell/inimod.h"

#include <QMargins>
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

class QWidget;

int PixelsFromTwips(int twips);
int TwipsFromPixels(int pixels);

// How a window keeps its place in section `section` (keys Left and Top, and Width and Height
// for a window that keeps its size).
struct PlaceRule {
    const char* section;
    bool size = false; // Width and Height too
    // The least stored Left or Top that is applied (1 for most windows: a missing key reads as
    // -32768 and 0 is not applied either).
    int least = 1;
    // A value is applied only while the whole window stays on the screen (below the screen
    // size minus the window's size), not only its corner.
    bool wholeWindow = false;
    // The numbers are written as text (the file copy window's keys).
    bool asText = false;
};

// A place in twips; each part only when the rule accepts the stored value.
struct StoredPlace {
    std::optional<int> left;
    std::optional<int> top;
    std::optional<int> width;
    std::optional<int> height;
};

// The stored place as the rule applies it: Left and Width below the screen width, Top and
// Height below the screen height (minus the window's outer size in twips for wholeWindow).
StoredPlace ReadPlace(const IniSession& ini, const PlaceRule& rule, QSize screenTwips,
                      QSize windowTwips = {});
// Writes the outer frame's place (and size) in twips, only when the window is in its normal
// state (not minimised, maximised or full screen).
void WritePlace(IniSession& ini, const PlaceRule& rule, const QWidget* window);

// The size inside a frame of the given margins for an outer size, and back.
QSize InnerSize(QSize outer, const QMargins& frame);
QSize OuterSize(QSize inner, const QMargins& frame);

// Puts a top-level window where the stored place says: its outer frame's top-left corner, and
// its outer size once the window manager's frame is known (until then, and for a window
// without a frame, the frame counts as nothing). Parts without a value stay as they are.
void ApplyPlace(QWidget* window, const StoredPlace& place);
