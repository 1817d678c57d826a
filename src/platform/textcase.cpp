#include "platform/textcase.h"

QString UpperChars(QString text) {
    for (QChar& c : text)
        c = c.toUpper();
    return text;
}

QString LowerChars(QString text) {
    for (QChar& c : text)
        c = c.toLower();
    return text;
}
