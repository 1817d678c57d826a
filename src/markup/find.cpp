#include "markup/find.h"

QString ExpandEscapes(QString& text) {
    // Each kind is replaced left to right without overlaps, and the search goes on just after
    // the replacement, so a backslash that a replacement leaves never pairs with the
    // character after it. None of the replacements makes the text longer.
    text.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
    text.replace(QLatin1String("\\t"), QLatin1String("\t"));
    text.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    return text;
}
