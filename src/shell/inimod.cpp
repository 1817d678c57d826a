#include "shell/inimod.h"

#include "platform/files.h"
#include "platform/numbers.h"

#include <QFileInfo>
#include <QList>

#include <algorithm>
#include <new>
#include <optional>

namespace {

// The longest value a read gives back.
constexpr qsizetype MaxValueLength = 254;
// The integer read's answer for a missing, empty or out-of-range key.
constexpr double MissingInt = -32768.0;

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimBlanks(QStringView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

// Names match when their characters match after upper-casing each one.
bool sameName(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i].toUpper() != b[i].toUpper())
            return false;
    return true;
}

// A value, section or key name always stays on its own line: line breaks are dropped.
QString oneLine(const QString& text) {
    QString result = text;
    result.remove(QLatin1Char('\r'));
    result.remove(QLatin1Char('\n'));
    return result;
}

// The file is written in Windows-1252, where a character the code page cannot hold becomes
// "&#N;". Such a reference is turned back into its character when read, so a folder name
// with, say, "ł" survives the round trip. Only the references the writer itself makes are
// read this way: "&#N;" in its shortest form for a character Windows-1252 cannot hold, and
// "&#38;", which the writer puts for an "&" that would otherwise start such a text (a path
// holding "&#322;" as it is). Everything else stays as it is, so every value reads back
// exactly as it was written.
struct Reference {
    QString character;
    qsizetype end = 0; // just after the ";"
};

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

std::optional<Reference> writtenReferenceAt(QStringView text, qsizetype i) {
    if (text[i] != u'&' || i + 3 >= text.size() || text[i + 1] != u'#')
        return std::nullopt;
    qsizetype end = i + 2;
    while (end < text.size() && end - i < 10 && isAsciiDigit(text[end]))
        ++end;
    if (end == i + 2 || end >= text.size() || text[end] != u';' || text[i + 2] == u'0')
        return std::nullopt;
    const uint codePoint = text.sliced(i + 2, end - i - 2).toUInt();
    if (codePoint > 0x10FFFF)
        return std::nullopt;
    Reference reference;
    reference.end = end + 1;
    if (QChar::requiresSurrogates(codePoint)) {
        const QChar pair[2] = {QChar(QChar::highSurrogate(codePoint)),
                               QChar(QChar::lowSurrogate(codePoint))};
        reference.character = QString(pair, 2);
    } else {
        reference.character = QChar(static_cast<char16_t>(codePoint));
    }
    if (codePoint == u'&' ||
        EncodeCp1252(reference.character) == text.sliced(i, reference.end - i).toLatin1())
        return reference;
    return std::nullopt;
}

QString decodeWrittenReferences(QStringView text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (const std::optional<Reference> reference = writtenReferenceAt(text, i)) {
            result += reference->character;
            i = reference->end;
        } else {
            result += text[i++];
        }
    }
    return result;
}

// The value as it is stored: an "&" that would be read as the start of a reference is
// written as "&#38;".
QString escapeReferences(const QString& value) {
    if (!value.contains(QLatin1String("&#")))
        return value;
    QString result;
    result.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (writtenReferenceAt(value, i))
            result += QStringLiteral("&#38;");
        else
            result += value[i];
    }
    return result;
}

// One line of the file with the line break that ends it ("\r\n", "\n", "\r" or "" for a last
// line without one), so that the file can be put back together byte for byte.
struct Line {
    QString text;
    QString end;
};

struct IniText {
    QList<Line> lines;
    QString lineBreak = QStringLiteral("\r\n"); // the break new lines get: the file's first one
};

// Lines end at CR LF, LF or CR.
IniText splitLines(const QString& text) {
    IniText ini;
    bool breakSeen = false;
    const qsizetype n = text.size();
    for (qsizetype start = 0; start < n;) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        qsizetype next = end;
        if (end < n)
            next = text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n' ? end + 2 : end + 1;
        Line line{text.mid(start, end - start), text.mid(end, next - end)};
        if (!breakSeen && !line.end.isEmpty()) {
            ini.lineBreak = line.end;
            breakSeen = true;
        }
        ini.lines.append(std::move(line));
        start = next;
    }
    return ini;
}

QString joinLines(const IniText& ini) {
    QString text;
    for (const Line& line : ini.lines)
        text += line.text + line.end;
    return text;
}

enum class LineKind { Other, Section, Key };

// What a line holds. Blanks around names and values are ignored; lines starting with ";"
// or "#" are comments; a line with no "=" outside a section header is not a key.
struct ParsedLine {
    LineKind kind = LineKind::Other;
    QStringView name;      // section or key name
    QStringView value;     // the key's value, blanks around it removed
    qsizetype valueAt = 0; // where the value part starts (after "=" and its blanks)
};

ParsedLine parseLine(const QString& line) {
    ParsedLine parsed;
    const QStringView text = trimBlanks(line);
    if (text.isEmpty() || text[0] == QLatin1Char(';') || text[0] == QLatin1Char('#'))
        return parsed;
    if (text[0] == QLatin1Char('[')) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        parsed.kind = LineKind::Section;
        parsed.name = trimBlanks(close < 0 ? text.mid(1) : text.mid(1, close - 1));
        return parsed;
    }
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return parsed;
    const QStringView name = trimBlanks(QStringView(line).left(equals));
    if (name.isEmpty())
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.name = name;
    qsizetype at = equals + 1;
    while (at < line.size() && isBlank(line[at]))
        ++at;
    parsed.valueAt = at;
    parsed.value = trimBlanks(QStringView(line).mid(at));
    return parsed;
}

// Where a key lives. Only the first section of the name counts, and in it the first line of
// the key, for reading and writing alike.
struct KeyPlace {
    qsizetype section = -1; // line of the section header
    qsizetype key = -1;     // line of the key
    qsizetype lastKey = -1; // last key line of the section
};

KeyPlace findKey(const IniText& ini, const QString& section, const QString& key) {
    KeyPlace place;
    for (qsizetype i = 0; i < ini.lines.size(); ++i) {
        const ParsedLine parsed = parseLine(ini.lines[i].text);
        if (parsed.kind == LineKind::Section) {
            if (place.section >= 0)
                break;
            if (sameName(parsed.name, section))
                place.section = i;
        } else if (parsed.kind == LineKind::Key && place.section >= 0) {
            place.lastKey = i;
            if (place.key < 0 && sameName(parsed.name, key))
                place.key = i;
        }
    }
    return place;
}

// Blanks at the ends of a value carry no meaning: spaces, tabs and line breaks.
bool isTrimmed(QChar c) {
    return isBlank(c) || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

struct IniSession::Data {
    QString file;
    IniText ini;
    QString original; // the text as read, to tell whether a write changed it
    bool exists = false;
    bool readable = true; // false: the file is there but cannot be read, and stays as it is
};

IniSession::IniSession(const QString& file) : d(std::make_unique<Data>()) {
    d->file = file;
    d->exists = QFileInfo::exists(file);
    if (!d->exists)
        return;
    // A file larger than any settings file can sensibly be reads as missing and is left as
    // it is, so that a runaway file neither stalls the program nor loses its content.
    QByteArray bytes;
    try {
        if (ReadFileBytes(file, bytes, nullptr, StartFileSizeLimit)) {
            d->original = DecodeCp1252(bytes);
            d->ini = splitLines(d->original);
            return;
        }
    } catch (const std::bad_alloc&) {
    }
    d->readable = false;
    d->original.clear();
    d->ini = IniText();
}

IniSession::~IniSession() = default;

std::optional<QString> IniSession::value(const QString& section, const QString& key) const {
    if (!d->exists || !d->readable)
        return std::nullopt;
    const KeyPlace place = findKey(d->ini, section, key);
    if (place.key < 0)
        return std::nullopt;
    return decodeWrittenReferences(parseLine(d->ini.lines[place.key].text).value);
}

QString IniSession::readString(const QString& section, const QString& key) const {
    const std::optional<QString> stored = value(section, key);
    if (!stored)
        return {};
    qsizetype length = std::min(stored->size(), MaxValueLength);
    // Never cut a character outside the basic plane in half.
    if (length < stored->size() && length > 0 && stored->at(length - 1).isHighSurrogate())
        --length;
    return stored->left(length);
}

double IniSession::readInt(const QString& section, const QString& key) const {
    const QString stored = readString(section, key);
    if (stored.isEmpty())
        return MissingInt;
    const double number = LeadingNumber(stored);
    if (number < -32768.0 || number > 32767.0)
        return MissingInt;
    return number;
}

void IniSession::store(const QString& rawSection, const QString& rawKey, const QString& rawValue) {
    if (!d->readable)
        return;
    const QString section = oneLine(rawSection);
    const QString key = oneLine(rawKey);
    const QString value = escapeReferences(oneLine(rawValue));
    IniText& ini = d->ini;
    auto endLineAt = [&ini](qsizetype index) {
        if (index >= 0 && ini.lines[index].end.isEmpty())
            ini.lines[index].end = ini.lineBreak;
    };

    const KeyPlace place = findKey(ini, section, key);
    if (place.key >= 0) {
        Line& line = ini.lines[place.key];
        // Keep the key's own spelling and the blanks around "="; only the value changes.
        line.text = line.text.left(parseLine(line.text).valueAt) + value;
    } else if (place.section >= 0) {
        const qsizetype after = place.lastKey >= 0 ? place.lastKey : place.section;
        endLineAt(after);
        ini.lines.insert(after + 1, {key + QLatin1Char('=') + value, ini.lineBreak});
    } else {
        endLineAt(ini.lines.size() - 1);
        ini.lines.append({QLatin1Char('[') + section + QLatin1Char(']'), ini.lineBreak});
        ini.lines.append({key + QLatin1Char('=') + value, ini.lineBreak});
    }
    d->exists = true;
}

void IniSession::writeString(const QString& section, const QString& key, QString& value) {
    qsizetype from = 0;
    qsizetype to = value.size();
    while (from < to && isTrimmed(value[from]))
        ++from;
    while (to > from && isTrimmed(value[to - 1]))
        --to;
    if (from > 0 || to < value.size())
        value = value.mid(from, to - from);
    store(section, key, value);
}

void IniSession::writeInt(const QString& section, const QString& key, int value) {
    store(section, key, QString::number(value));
}

void IniSession::save() {
    if (!d->readable || !d->exists)
        return;
    const QString newText = joinLines(d->ini);
    if (QFileInfo::exists(d->file) && newText == d->original)
        return;
    // A failed write is silent: the old file stays as it was.
    if (WriteTextFileAtomic(d->file, newText))
        d->original = newText;
}

QString ReadIniString(const QString& section, const QString& key, const QString& file) {
    return IniSession(file).readString(section, key);
}

double ReadIniInt(const QString& section, const QString& key, const QString& file) {
    return IniSession(file).readInt(section, key);
}

void WriteIniString(const QString& section, const QString& key, QString& value,
                    const QString& file) {
    IniSession session(file);
    session.writeString(section, key, value);
    session.save();
}

void WriteIniInt(const QString& section, const QString& key, int value, const QString& file) {
    IniSession session(file);
    session.writeInt(section, key, value);
    session.save();
}
