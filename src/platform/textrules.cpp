#include "platform/textrules.h"

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

QStringView TrimBlanks(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.sliced(first, last - first);
}
