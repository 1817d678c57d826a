#include "shell/inimod.h"
// placeholder, replaced by the real store
QString ReadIniString(const QString&, const QString&, const QString&) { return {}; }
double ReadIniInt(const QString&, const QString&, const QString&) { return -32768; }
void WriteIniString(const QString&, const QString&, QString& value, const QString&) { value = value.trimmed(); }
void WriteIniInt(const QString&, const QString&, int, const QString&) {}
