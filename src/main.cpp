// Vessilora: start-up. With arguments ("batch", "copy", "--help", "--version") the command
// line runs, without any window system; otherwise the tool windows of this build are
// registered and the launcher, which prepares everything the windows share, takes over.

#include "cli/commandline.h"
#include "platform/qtplatform.h"
#include "registertools.h"
#include "shell/frmstartup.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Decided before any window object exists: the command line needs no display.
    if (IsCommandLine(argc, argv))
        return RunCommandLine(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vessilora"));
    QApplication::setApplicationVersion(QStringLiteral(VESSILORA_VERSION));
    // The program ends only through the launcher's exit path, which saves the settings.
    QApplication::setQuitOnLastWindowClosed(false);
    QtPlatform::installAsDefault();
    RegisterToolWindows();

    frmStartUp launcher;
    int exitCode = 0;
    if (!launcher.Form_Load(exitCode))
        return exitCode;
    return QApplication::exec();
}
