#include "shell/settings.h"

#include "markup/globals.h"
#include "platform/numbers.h"
#include "shell/inimod.h"

#include <optional>

namespace {

const QString Vessilor = QStringLiteral("Vessilor");
const QString Overblick = QStringLiteral("Overblick");

// An integer key rounded half to even; a value outside low..high (a missing key reads as
// -32768) becomes 0.
int readIntInRange(const QString& section, const QString& key, int low, int high) {
    const int value = RoundHalfEven(ReadIniInt(section, key, IniFile));
    return value >= low && value <= high ? value : 0;
}

// The overview's check boxes are stored as text and converted as a whole: a text that is not
// one number (a missing key among them) or one outside 0..2 gives 0.
int readCheckState(const QString& key) {
    const std::optional<double> number = NumberValue(ReadIniString(Overblick, key, IniFile));
    if (!number)
        return 0;
    const int value = RoundHalfEven(*number);
    return value >= 0 && value <= 2 ? value : 0;
}

} // namespace

void LoadSettings() {
    BrowserPath = ReadIniString(Vessilor, QStringLiteral("WebProg"), IniFile);
    // With AutoStartMapp 2 the editor starts in the fixed folder chosen in the preferences,
    // otherwise in the folder in use at the last exit.
    const int autoStart =
        RoundHalfEven(ReadIniInt(Vessilor, QStringLiteral("AutoStartMapp"), IniFile));
    StartFolder = ReadIniString(
        Vessilor, autoStart == 2 ? QStringLiteral("SpecPath") : QStringLiteral("Path"), IniFile);
    CopyPath = ReadIniString(Vessilor, QStringLiteral("CopyPath"), IniFile);
    StartUpTool = readIntInRange(Vessilor, QStringLiteral("StartUp"), 0, 3);
    TagCase = readIntInRange(Vessilor, QStringLiteral("HTMLBokstav"), 0, 2);
    AttrQuoteStyle = readIntInRange(Vessilor, QStringLiteral("HTMLCitat"), 0, 1);
    OverviewFromTag = ReadIniString(Overblick, QStringLiteral("FranTagg"), IniFile);
    OverviewToTag = ReadIniString(Overblick, QStringLiteral("TillTagg"), IniFile);
    OverviewOnlyOne = readCheckState(QStringLiteral("EndastEnTagg"));
    OverviewBetween = readCheckState(QStringLiteral("VisaMellan"));
}

void WriteSettings() {
    // The string writes trim the program-wide variables themselves.
    WriteIniString(Vessilor, QStringLiteral("WebProg"), BrowserPath, IniFile);
    WriteIniString(Vessilor, QStringLiteral("Path"), StartFolder, IniFile);
    WriteIniString(Vessilor, QStringLiteral("CopyPath"), CopyPath, IniFile);
    WriteIniInt(Vessilor, QStringLiteral("StartUp"), StartUpTool, IniFile);
    WriteIniInt(Vessilor, QStringLiteral("HTMLBokstav"), TagCase, IniFile);
    WriteIniInt(Vessilor, QStringLiteral("HTMLCitat"), AttrQuoteStyle, IniFile);
    WriteIniString(Overblick, QStringLiteral("FranTagg"), OverviewFromTag, IniFile);
    WriteIniString(Overblick, QStringLiteral("TillTagg"), OverviewToTag, IniFile);
    WriteIniInt(Overblick, QStringLiteral("EndastEnTagg"), OverviewOnlyOne, IniFile);
    WriteIniInt(Overblick, QStringLiteral("VisaMellan"), OverviewBetween, IniFile);
}
