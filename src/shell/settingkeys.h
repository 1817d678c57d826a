#pragma once
// Every key of "vessilor.ini" a window reads or writes, with the values it accepts. A window
// reads its keys through these, so the range rule of a key is stated once, next to its name.
//
// An integer key is applied only when its stored number, rounded half to even, lies in its
// range; a missing key reads as -32768, which no range holds. "Designed" defaults are the
// window's own: a key that is not applied leaves the window as it was built.

#include "shell/inimod.h"

#include <QString>
#include <optional>

struct IntKey {
    const char* section;
    const char* key;
    int least;
    int most;
};

struct TextKey {
    const char* section;
    const char* key;
};

// The stored number rounded half to even when it lies in the key's range; nothing otherwise.
std::optional<int> ReadKey(const IniSession& ini, const IntKey& key);
// The stored text ("" when missing).
QString ReadKey(const IniSession& ini, const TextKey& key);
void WriteKey(IniSession& ini, const IntKey& key, int value);
// Trims the caller's value (as WriteIniString does), then stores it.
void WriteKey(IniSession& ini, const TextKey& key, QString& value);
void WriteKey(IniSession& ini, const TextKey& key, const QString& value);

namespace Keys {

// Vessilor: the program-wide settings.
constexpr TextKey WebProg{"Vessilor", "WebProg"};
constexpr IntKey AutoStartMapp{"Vessilor", "AutoStartMapp", -32767, 32767};
constexpr TextKey Path{"Vessilor", "Path"};
constexpr TextKey SpecPath{"Vessilor", "SpecPath"};
constexpr TextKey CopyPath{"Vessilor", "CopyPath"};
constexpr IntKey StartUp{"Vessilor", "StartUp", 0, 3};
constexpr IntKey HtmlBokstav{"Vessilor", "HTMLBokstav", 0, 2};
constexpr IntKey HtmlCitat{"Vessilor", "HTMLCitat", 0, 1};

// Overblick: the overview's settings, kept program-wide.
constexpr TextKey FranTagg{"Overblick", "FranTagg"};
constexpr TextKey TillTagg{"Overblick", "TillTagg"};
constexpr IntKey EndastEnTagg{"Overblick", "EndastEnTagg", 0, 2};
constexpr IntKey VisaMellan{"Overblick", "VisaMellan", 0, 2};

// Editor.
constexpr IntKey EditorWindowState{"Editor", "WindowState", 0, 2};
constexpr TextKey EditorFont{"Editor", "Font"};
constexpr IntKey TvingaVersaler{"Editor", "TvingaVersaler", 0, 1};
constexpr IntKey AutoIndrag{"Editor", "AutoIndrag", 0, 1};
constexpr IntKey VisaFilmeny{"Editor", "VisaFilmeny", 0, 1};
constexpr IntKey VisaObjektmeny{"Editor", "VisaObjektmeny", 0, 1};
constexpr TextKey LastFile{"Editor", "LastFile"};
constexpr TextKey Filfilter{"Editor", "Filfilter"};

// Bearbeta: the batch window. Its check boxes are applied only when stored as 1.
constexpr IntKey Sokochersatt{"Bearbeta", "Sokochersatt", 1, 1};
constexpr IntKey Matcha{"Bearbeta", "Matcha", 1, 1};
constexpr IntKey Konvertera{"Bearbeta", "Konvertera", 1, 1};
constexpr IntKey Komprimera{"Bearbeta", "Komprimera", 1, 1};
constexpr IntKey Sokfel{"Bearbeta", "Sokfel", 1, 1};
constexpr IntKey Gorbackup{"Bearbeta", "Gorbackup", 0, 1};
constexpr TextKey Backupext{"Bearbeta", "Backupext"};
constexpr IntKey Radbrytning{"Bearbeta", "Radbrytning", 1, 3};
constexpr IntKey KomprimeraRader{"Bearbeta", "KomprimeraRader", 1, 1};
constexpr IntKey FelHakar{"Bearbeta", "FelHakar", 0, 1};
constexpr IntKey FelCitat{"Bearbeta", "FelCitat", 0, 1};
constexpr IntKey FelStandard{"Bearbeta", "FelStandard", 0, 1};

// Mall: the template chosen last.
constexpr TextKey MallFile{"Mall", "File"};

} // namespace Keys
