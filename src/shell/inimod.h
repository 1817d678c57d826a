#pragma once
// The settings store: single keys of the INI file "vessilor.ini".
//
// The file is Windows-1252 text of section lines ("[Name]") and key lines ("Key=value").
// Section and key names match ignoring letter case; blanks around names, around "=" and
// around the value are ignored; lines starting with ";" or "#" are comments. Every read and
// write goes to the file (there is no cache). A write replaces the key's value in place,
// or adds the key after the last key of its section, or adds the section at the end of
// the file, or creates the file; every other byte of the file stays as it was, and new
// lines get the file's own line break (CR LF in a new file). Writes are atomic, and a
// write-protected or unreadable file is left unchanged. No routine reports failure.

#include <QString>

#include <memory>
#include <optional>

// The stored text (at most 254 characters), or "" when the key is missing or empty.
QString ReadIniString(const QString& section, const QString& key, const QString& file);
// The leading number of the stored text, or -32768 when the key is missing, empty or its
// number lies outside -32768..32767. The caller rounds it (half to even).
double ReadIniInt(const QString& section, const QString& key, const QString& file);
// Trims blanks (and line breaks) from both ends of the caller's value itself, then stores
// it. A line break inside the value is dropped, so a value always stays on one line.
void WriteIniString(const QString& section, const QString& key, QString& value,
                    const QString& file);
// Stores the decimal text of the value ("-1", "7215").
void WriteIniInt(const QString& section, const QString& key, int value, const QString& file);

// The keys of one window read and written with one read and one write of the file: the
// file is read when the session is made, every read and write then works on that text, and
// save() writes it back once (only when a write changed it). The results are exactly those
// of the single-key routines above called one after another.
class IniSession {
public:
    explicit IniSession(const QString& file);
    ~IniSession();
    IniSession(const IniSession&) = delete;
    IniSession& operator=(const IniSession&) = delete;

    QString readString(const QString& section, const QString& key) const;
    double readInt(const QString& section, const QString& key) const;
    void writeString(const QString& section, const QString& key, QString& value);
    void writeInt(const QString& section, const QString& key, int value);
    void save();

private:
    struct Data;
    std::optional<QString> value(const QString& section, const QString& key) const;
    void store(const QString& section, const QString& key, const QString& value);
    std::unique_ptr<Data> d;
};
