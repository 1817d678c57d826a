#include "markup/paths.h"

#include "markup/document.h"
#include "markup/globals.h"
#include "platform/files.h"
#include "platform/platform.h"

#include <QFileInfo>

LinkSelection LinkNameSelection(const QString& text) {
    LinkSelection selection;
    // Positions below are 1-based as in the text, 0 meaning "not found".
    auto find = [&text](QChar c, qsizetype from) -> qsizetype {
        return text.indexOf(c, from - 1) + 1;
    };

    if (text.contains(QLatin1String("mailto:"))) {
        // The user part of the address: after the first colon, up to the at sign.
        const qsizetype colon = find(QLatin1Char(':'), 1);
        const qsizetype at = find(QLatin1Char('@'), colon);
        selection.start = static_cast<int>(colon);
        if (at > 0)
            selection.length = static_cast<int>(at - 1 - colon);
        return selection;
    }

    qsizetype slash = text.lastIndexOf(QLatin1Char('/')) + 1;
    qsizetype end = 0;
    if (text.contains(QLatin1Char('.'))) {
        // The file name runs up to the first dot after the last slash. With another dot
        // after that one (or a dot only before the slash) the whole text is selected.
        const qsizetype dot = find(QLatin1Char('.'), slash + 1);
        end = dot - 1;
        if (find(QLatin1Char('.'), dot + 1) > 0) {
            slash = 0;
            end = text.size();
        }
    }
    selection.start = static_cast<int>(slash);
    if (end - slash >= 1)
        selection.length = static_cast<int>(end - slash);
    return selection;
}

void WriteTextFile(const QString& path) {
    // A Windows-1252 document ended by CR LF.
    if (!WriteDocument(path, WorkText, {TextEncoding::Cp1252, true}))
        StatusText = QStringLiteral("Misslyckades");
}

void OpenInBrowser(const QString& folder, const QString& file) {
    const bool wholePath = file == QLatin1String("*");
    const QString path = wholePath ? folder : JoinPath(folder, file);

    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        const QString name = wholePath ? path : file;
        platform().message(QStringLiteral("Filen \"") + name + QStringLiteral("\" hittades inte."),
                           MsgIcon::Critical, MsgButtons::Ok);
        return;
    }

    // The path goes to the browser as one argument, never through a shell.
    if (!BrowserPath.trimmed().isEmpty() && platform().startProgram(BrowserPath, {path}))
        return;

    const MsgAnswer answer =
        platform().message(QStringLiteral("Du har inte ställt in vilken webläsare du vill använda. "
                                          "Vill du göra det nu?"),
                           MsgIcon::Question, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes && ShowPreferences)
        ShowPreferences();
}
