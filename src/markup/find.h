#pragma once
// Searching the editor's text: the escape sequences of a search text and the search itself.

#include <QString>

// Replaces the escape sequences of a search text: "\n" by CR LF, "\t" by a tab and "\\" by
// one backslash. The kinds are expanded in that order of priority, each over the whole
// text, so "\\n" (backslash, backslash, n) becomes a backslash followed by CR LF. The
// argument is changed to the result as well.
QString ExpandEscapes(QString& text);

// The 0-based position of the first occurrence of pattern in text at or after from, or -1.
// Without matchCase, characters match when their capitals are equal (the rule of
// UpperChar, which every search ignoring letter case uses). An empty pattern is found at
// from. The cost grows with the length of the text plus that of the pattern, never with
// their product.
qsizetype FindInText(const QString& text, const QString& pattern, qsizetype from, bool matchCase);
