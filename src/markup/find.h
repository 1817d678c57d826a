#pragma once
// Searching the editor's text: the escape sequences of a search text.

#include <QString>

// Replaces the escape sequences of a search text: "\n" by CR LF, "\t" by a tab and "\\" by
// one backslash. The kinds are expanded in that order of priority, each over the whole
// text, so "\\n" (backslash, backslash, n) becomes a backslash followed by CR LF. The
// argument is changed to the result as well.
QString ExpandEscapes(QString& text);
