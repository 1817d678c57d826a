#pragma once
// The settings store: single keys of the INI file "vessilor.ini".
// Section and key names match ignoring letter case. No routine reports failure.

#include <QString>

// The stored text (at most 254 characters), or "" when the key is missing or empty.
QString ReadIniString(const QString& section, const QString& key, const QString& file);
// The leading number of the stored text, or -32768 when the key is missing, empty or its
// number lies outside -32768..32767. The caller rounds it (half to even).
double ReadIniInt(const QString& section, const QString& key, const QString& file);
// Trims blanks from both ends of the caller's value, then stores it on one line.
void WriteIniString(const QString& section, const QString& key, QString& value,
                    const QString& file);
void WriteIniInt(const QString& section, const QString& key, int value, const QString& file);
