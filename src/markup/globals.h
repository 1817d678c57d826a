#pragma once
// Program-wide variables shared by every window and by the markup engine.
// There is one instance of each; windows and engine routines read and write them directly.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Paths and the line break the program writes.
inline QString IniFile;
inline QString NewLine = QStringLiteral("\r\n");

// Input/output text and outcome message of the engine routines.
inline QString WorkText;
inline QString StatusText;

// Result of a markup check: kind of the error and its place (1-based).
inline int ErrorKind = 0;
inline int ErrorStart = 0;
inline int ErrorEnd = 0;

// Entity table: entries 1..EntityCount come from "htmlkod.dat", entry EntityCount + 1 is the
// blank with "&nbsp;". Index 0 is unused so that the numbering matches the file's entries.
inline int EntityCount = 0;
inline QList<QString> EntityChars;
inline QList<QString> EntityCodes;

// Tag-writer state and style.
inline QString TagBuffer;
inline bool OpenTagFormatted = false;
inline QString LastInsertedText;
inline bool ParagraphEditMode = false;
inline int TagCase = 0;        // 0 capitals, 1 small letters, 2 capital first letter
inline int AttrQuoteStyle = 0; // 0 always quote, 1 quote only values that are not numbers
inline bool ForceLowerCase = false;

// Program-wide settings.
inline QString BrowserPath;
inline QString StartFolder;
inline QString CopyPath;
inline int StartUpTool = 0; // 0 none, 1 editor, 2 batch, 3 file copy

// Overview window settings.
inline QString OverviewFromTag;
inline QString OverviewToTag;
inline int OverviewOnlyOne = 0;
inline int OverviewBetween = 0;

// The document open in the editor (also the file being processed by the batch run).
inline QString CurrentFile;
inline bool DocumentChanged = false;

// The sixteen HTML colour names, in their fixed order.
inline const QStringList ColorNames = {
    QStringLiteral("BLACK"), QStringLiteral("MAROON"),  QStringLiteral("GREEN"),
    QStringLiteral("OLIVE"), QStringLiteral("NAVY"),    QStringLiteral("PURPLE"),
    QStringLiteral("TEAL"),  QStringLiteral("GRAY"),    QStringLiteral("SILVER"),
    QStringLiteral("RED"),   QStringLiteral("LIME"),    QStringLiteral("YELLOW"),
    QStringLiteral("BLUE"),  QStringLiteral("FUCHSIA"), QStringLiteral("AQUA"),
    QStringLiteral("WHITE")};
inline QString DraggedColor;
inline int ColorSlot = 0; // the colour picker's selected slot

// Batch settings and the search-and-replace list.
inline int BatchLineBreakStyle = 1; // 1..3
inline bool BatchCompressLines = false;
inline bool BatchCheckBrackets = true;
inline bool BatchCheckQuotes = true;
inline bool BatchCheckStandardTags = true;
inline int PairCount = 0;
inline QStringList SearchTexts;
inline QStringList ReplaceTexts;
inline bool CancelRequested = false;

// Shows the preferences window. The shell installs it at start-up; the engine calls it when
// the browser cannot be started and the user wants to choose one.
inline std::function<void()> ShowPreferences;

// The values the launcher sets at every start, before any window reads its settings: the
// colour picker's slot, the batch settings and an empty search-and-replace list.
void SetStartValues();
// Every program-wide variable above (and the open document's format) back to its value at
// program start, the start values included; the entity table is emptied. Tests begin so.
void ResetProgramState();
