#pragma once
// Three small shared services: the name part of a link or file field, writing the working
// text to a file, and showing a file in the user's web browser.

#include <QString>

// A selection in a text field: start counts the characters before it (0-based), length 0
// means only the caret is placed.
struct LinkSelection {
    int start = 0;
    int length = 0;
};

// The part of a link or file field to select when it gets the focus, so that typing
// replaces just the file name ("bilder/foto.gif" selects "foto") or the user of a "mailto:"
// address. A name with more than one dot ("sida.min.html", "mapp.1/sida") is selected whole;
// a text that ends in a slash only gets the caret after it.
LinkSelection LinkNameSelection(const QString& text);

// Writes WorkText followed by CR LF to the file at path, in Windows-1252 (characters the code
// page cannot hold become "&#N;"), through a temporary file that replaces the old one only
// when it is complete. On failure StatusText becomes "Misslyckades" and an existing file is
// left as it was; on success StatusText is not touched.
void WriteTextFile(const QString& path);

// Shows a file in the browser of BrowserPath. With file "*" folder is the whole path,
// otherwise the path is folder + "/" + file. A missing file is reported; when the browser
// cannot be started the user is offered the preferences window (ShowPreferences).
void OpenInBrowser(const QString& folder, const QString& file);
