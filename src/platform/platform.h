#pragma once
// The seam between the program and the window system: message boxes, file dialogs, the
// colour chooser, starting outside programs, the screen's fonts and size, the busy pointer.
// Windows and engine routines reach these only through platform(), so tests can install a
// double that records every call and answers from a script.

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// One request to the shared open/save file dialog.
struct FileDialogRequest {
    QString title;
    QString filter;      // "HTML-fil (*.html)|*.html|Alla filer (*.*)|*.*"
    int filterIndex = 1; // 1-based, as in the filter string
    QString folder;      // folder the dialog starts in
    QString fileName;    // proposed file name (may be a whole path)
    QString defaultExt = QStringLiteral("html");
    bool fileMustExist = true;
    bool confirmOverwrite = true;
    // Lists only files that may be run (choosing a program: here programs have no ".exe").
    bool executablesOnly = false;
};

// The answer of a file dialog: nothing when the user cancelled.
struct FileDialogResult {
    QString path;
    int filterIndex = 1;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Shows a modal message box. The title is "Vessilora" when empty.
    virtual MsgAnswer message(const QString& text, MsgIcon icon = MsgIcon::None,
                              MsgButtons buttons = MsgButtons::Ok,
                              const QString& title = QString()) = 0;
    virtual std::optional<FileDialogResult> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogResult> saveFile(const FileDialogRequest& request) = 0;
    // The colour chooser, starting from rgb (0xRRGGBB); nothing when cancelled.
    virtual std::optional<unsigned> chooseColour(unsigned rgb) = 0;
    // Starts a program with the given arguments, never through a shell. False when it
    // cannot be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The names of the screen fonts, in the order the system gives them.
    virtual QStringList screenFonts() = 0;
    // The available size of the primary screen, in twips (15 per pixel).
    virtual QSize screenSizeTwips() = 0;
    // Shows or hides the busy pointer; calls nest.
    virtual void setBusy(bool busy) = 0;
};

// The platform in use. Until one is installed, a Qt platform is created on first use by the
// shell (see installPlatform); engine code only ever calls platform().
Platform& platform();
// Installs p (not owned) as the platform; nullptr goes back to the default.
void installPlatform(Platform* p);
// Installs the factory that makes the default platform (the Qt one); done by the shell.
void setDefaultPlatformFactory(Platform* (*factory)());

constexpr int TwipsPerPixel = 15;

// Shows the busy pointer while it lives, and always takes it away again.
class BusyCursor {
public:
    BusyCursor() { platform().setBusy(true); }
    ~BusyCursor() { platform().setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
