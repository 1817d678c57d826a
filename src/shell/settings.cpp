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
int readIntInRange(const IniSession& ini, const QString& section, const QString& key, int low,
                   int high) {
    const int value = RoundHalfEven(ini.readInt(section, key));
    return value >= low && value <= high ? value : 0;
}

// The overview's check boxes are stored as text and converted as a whole: a text that is not
// one number (a missing key among them) or one outside 0..2 gives 0.
int readCheckState(const IniSession& ini, const QString& key) {
    const std::optional<double> number = NumberValue(ini.readString(Overblick, key));
    if (!number)
        return 0;
    const int value = RoundHalfEven(*number);
    return value >= 0 && value <= 2 ? value : 0;
}

} // namespace

bool UsesFixedStartFolder(double autoStartMapp) {
    return RoundHalfEven(autoStartMapp) == 2;
}

void LoadSettings() {
    const IniSession ini(IniFile);
    BrowserPath = ini.readString(Vessilor, QStringLiteral("WebProg"));
    // With AutoStartMapp 2 the editor starts in the fixed folder chosen in the preferences,
    // otherwise in the folder in use at the last exit.
    const bool fixed = UsesFixedStartFolder(ini.readInt(Vessilor, QStringLiteral("AutoStartMapp")));
    StartFolder =
        ini.readString(Vessilor, fixed ? QStringLiteral("SpecPath") : QStringLiteral("Path"));
    CopyPath = ini.readString(Vessilor, QStringLiteral("CopyPath"));
    StartUpTool = readIntInRange(ini, Vessilor, QStringLiteral("StartUp"), 0, 3);
    TagCase = readIntInRange(ini, Vessilor, QStringLiteral("HTMLBokstav"), 0, 2);
    AttrQuoteStyle = readIntInRange(ini, Vessilor, QStringLiteral("HTMLCitat"), 0, 1);
    OverviewFromTag = ini.readString(Overblick, QStringLiteral("FranTagg"));
    OverviewToTag = ini.readString(Overblick, QStringLiteral("TillTagg"));
    OverviewOnlyOne = readCheckState(ini, QStringLiteral("EndastEnTagg"));
    OverviewBetween = readCheckState(ini, QStringLiteral("VisaMellan"));
}

void WriteSettings() {
    IniSession ini(IniFile);
    // The string writes trim the program-wide variables themselves.
    ini.writeString(Vessilor, QStringLiteral("WebProg"), BrowserPath);
    ini.writeString(Vessilor, QStringLiteral("Path"), StartFolder);
    ini.writeString(Vessilor, QStringLiteral("CopyPath"), CopyPath);
    ini.writeInt(Vessilor, QStringLiteral("StartUp"), StartUpTool);
    ini.writeInt(Vessilor, QStringLiteral("HTMLBokstav"), TagCase);
    ini.writeInt(Vessilor, QStringLiteral("HTMLCitat"), AttrQuoteStyle);
    ini.writeString(Overblick, QStringLiteral("FranTagg"), OverviewFromTag);
    ini.writeString(Overblick, QStringLiteral("TillTagg"), OverviewToTag);
    ini.writeInt(Overblick, QStringLiteral("EndastEnTagg"), OverviewOnlyOne);
    ini.writeInt(Overblick, QStringLiteral("VisaMellan"), OverviewBetween);
    ini.save();
}
