#pragma once
// Text rules the program uses everywhere.
// Letter case: Qt's per-character mappings, which never change a text's length (so
// positions stay valid and "ß" stays "ß").
// Trimming: only blanks (spaces) count; tabs and line breaks are part of the text.

#include <QString>
#include <QStringView>

// The one rule for comparing ignoring letter case: two characters match when their capitals
// are equal, so "å" matches "Å" and the dotless "ı" matches "i" (its capital is "I").
inline char16_t UpperChar(char16_t c) {
    if (c < 128)
        return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
    return QChar(c).toUpper().unicode();
}

QString UpperChars(QString text);
QString LowerChars(QString text);

// The text without the blanks at its ends.
QStringView TrimBlanks(QStringView text);
inline QString TrimBlanks(const QString& text) {
    const QStringView trimmed = TrimBlanks(QStringView(text));
    return trimmed.size() == text.size() ? text : trimmed.toString();
}
