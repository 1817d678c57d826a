#pragma once
// What the two guides remember for the whole run, and the pages they write from it.
//
// The answers live here rather than among the engine's variables: only the guide windows read
// or write them, and they outlive the windows so that a second run in the same program run
// shows the previous answers. The pages are built through the tag writer, so they follow the
// user's letter case and quoting like every other tag the program writes.

#include <QString>
#include <array>

// ---- The page guide ----

// The page shown: 0 (the welcome page) .. 10; 11 means finished.
inline int GuideStep = 0;
// The value entered on each page 1..10 (index = page), trimmed. Never cleared during a run.
inline std::array<QString, 12> GuideValues;
// The page guide's pages.
constexpr int GuidePageCount = 11;
constexpr int GuideFinished = 11;

// The page skeleton of GuideValues: head with the title and the author, keywords and
// description meta lines, the body tag with the background and colours, an empty body.
QString PageGuideText();
// Where the caret goes in that page: the first empty line inside the body, this many
// characters before the end.
constexpr int PageGuideCaretFromEnd = 20;

// ---- The frameset guide ----

constexpr int MaxDivisions = 10; // main divisions, and parts of each
constexpr int MaxFrames = MaxDivisions * MaxDivisions;

// How the page is divided; the option captions are swapped on purpose: "&Rader" splits each
// main division into rows (the page is divided into columns), "&Kolumner" splits each into
// columns (the page is divided into rows).
constexpr int DivideIntoColumns = 1; // "&Rader": the main divisions are columns
constexpr int DivideIntoRows = 2;    // "&Kolumner": the main divisions are rows
inline int FrameDivision = DivideIntoColumns;
inline int FrameMainCount = 0;
// Parts of main division 1..10 (index 0 unused).
inline std::array<int, MaxDivisions + 1> FramePartCount{};
inline int FrameTotal = 0;
inline int FrameCurrent = 0; // the frame shown in the second window

// Each frame's properties, frames numbered 1..FrameTotal (index 0 unused): all parts of main
// division 1, then those of division 2, and so on. A margin of -1 was never set and is left
// out of the page; 0 and more are written.
inline std::array<QString, MaxFrames + 1> FrameNames;
inline std::array<QString, MaxFrames + 1> FrameUrls;
inline std::array<QString, MaxFrames + 1> FrameScrolling;
inline std::array<int, MaxFrames + 1> FrameMarginWidth{};
inline std::array<int, MaxFrames + 1> FrameMarginHeight{};
inline std::array<bool, MaxFrames + 1> FrameNoResize{};
inline std::array<int, MaxFrames + 1> FrameBorder{};

// Sets the layout (division, main count 1..10, parts of each 1..10) and gives every frame its
// start values: name "frame<i>_<j>", address name + ".html", scrolling "AUTO", no margins,
// resizable, border 0. Frame 1 becomes the current frame.
void StartFrames(int division, int mainCount, const std::array<int, MaxDivisions + 1>& parts);

// The size list of n divisions: n - 1 times the integer part of 100 / n with "%,", then "*"
// (3 gives "33%,33%,*", 1 gives "*").
QString FrameSizeList(int count);

// The body of the alternative content shown by browsers without frames.
struct NoFrameBody {
    QString background, bgColor, text, link, vlink, alink;
};

// The frameset page of the frame data, with its title placeholder and the alternative
// content.
QString FramesetPageText(const NoFrameBody& body);
// The title placeholder the user is to replace, selected when the page is handed over.
constexpr int FramesetTitleStart = 23;
constexpr int FramesetTitleLength = 20;
