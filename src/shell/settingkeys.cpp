#include "shell/settingkeys.h"

#include "platform/numbers.h"

std::optional<int> ReadKey(const IniSession& ini, const IntKey& key) {
    const int value =
        RoundHalfEven(ini.readInt(QLatin1String(key.section), QLatin1String(key.key)));
    if (value < key.least || value > key.most)
        return std::nullopt;
    return value;
}

QString ReadKey(const IniSession& ini, const TextKey& key) {
    return ini.readString(QLatin1String(key.section), QLatin1String(key.key));
}

void WriteKey(IniSession& ini, const IntKey& key, int value) {
    ini.writeInt(QLatin1String(key.section), QLatin1String(key.key), value);
}

void WriteKey(IniSession& ini, const TextKey& key, QString& value) {
    ini.writeString(QLatin1String(key.section), QLatin1String(key.key), value);
}

void WriteKey(IniSession& ini, const TextKey& key, const QString& value) {
    QString copy = value;
    WriteKey(ini, key, copy);
}
