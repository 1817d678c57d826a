// Vessilora: start-up. Registers the tool windows of this build, then hands over to the
// launcher, which prepares everything the windows share.

#include "platform/qtplatform.h"
#include "registertools.h"
#include "shell/frmstartup.h"

#include <QApplication>

int main(int argc, char** argv) {
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
