#pragma once
// Letter case as the program uses it everywhere: Qt's per-character mappings, which never
// change a text's length (so positions stay valid and "ß" stays "ß").

#include <QString>

QString UpperChars(QString text);
QString LowerChars(QString text);
