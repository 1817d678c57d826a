// The settings file: its bytes, then the section, key and value of a write, with form feeds
// between (what is left out is taken from the keys the file and the program have).
//   - every key of the file and of the program reads as a plain reading of the file's rules
//     gives (lines ending at CR LF, LF or CR; the references the writer makes read back; at
//     most 254 characters), and as a number that is the text's leading number or -32768;
//     reading changes no byte;
//   - a key written reads back exactly as written ("&#" text and U+FEFF included; trimmed,
//     without line breaks, cut to 254 characters); every other key reads as before; the file
//     changes only within the key's own line or by the lines added for it; writing the same
//     again changes nothing;
//   - a session with two writes leaves the file the single-key routines leave;
//   - reading and writing a key take time linear in the size of the file.

#include "fuzzsupport.h"

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "shell/inimod.h"

#include <QFile>

namespace {

struct Key {
    QString section;
    QString key;
};

// The keys the program reads and writes.
const QList<Key>& programKeys() {
    static const QList<Key> keys = [] {
        const QList<QPair<QString, QStringList>> table = {
            {QStringLiteral("Vessilor"),
             {QStringLiteral("WebProg"), QStringLiteral("AutoStartMapp"), QStringLiteral("Path"),
              QStringLiteral("SpecPath"), QStringLiteral("CopyPath"), QStringLiteral("StartUp"),
              QStringLiteral("HTMLBokstav"), QStringLiteral("HTMLCitat")}},
            {QStringLiteral("Overblick"),
             {QStringLiteral("FranTagg"), QStringLiteral("TillTagg"),
              QStringLiteral("EndastEnTagg"), QStringLiteral("VisaMellan")}},
            {QStringLiteral("Editor"),
             {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width"),
              QStringLiteral("Height"), QStringLiteral("WindowState"), QStringLiteral("Font"),
              QStringLiteral("TvingaVersaler"), QStringLiteral("AutoIndrag"),
              QStringLiteral("VisaFilmeny"), QStringLiteral("VisaObjektmeny"),
              QStringLiteral("LastFile"), QStringLiteral("Filfilter")}},
            {QStringLiteral("Bearbeta"),
             {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Sokochersatt"),
              QStringLiteral("Matcha"), QStringLiteral("Konvertera"), QStringLiteral("Komprimera"),
              QStringLiteral("Sokfel"), QStringLiteral("Gorbackup"), QStringLiteral("Backupext"),
              QStringLiteral("Radbrytning"), QStringLiteral("KomprimeraRader"),
              QStringLiteral("FelHakar"), QStringLiteral("FelCitat"),
              QStringLiteral("FelStandard")}},
            {QStringLiteral("WebFarg"), {QStringLiteral("Left"), QStringLiteral("Top")}},
            {QStringLiteral("Oversikt"),
             {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width"),
              QStringLiteral("Height")}},
            {QStringLiteral("Filecopy"), {QStringLiteral("Left"), QStringLiteral("Top")}},
            {QStringLiteral("Mall"), {QStringLiteral("File")}},
        };
        QList<Key> all;
        for (const auto& [section, names] : table)
            for (const QString& key : names)
                all.append({section, key});
        return all;
    }();
    return keys;
}

bool sameName(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].toUpper() != b[i].toUpper())
            return false;
    return true;
}

bool blankOrTab(QChar c) {
    return c == u' ' || c == u'\t';
}

// The lines of a file: they end at CR LF, LF or CR.
QStringList linesOf(const QString& text) {
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(u'\r', u'\n');
    return unified.split(u'\n');
}

// True when Windows-1252 has a byte for the character.
bool hasCp1252Byte(char32_t c) {
    static const QString all = [] {
        QByteArray bytes(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            bytes[b] = static_cast<char>(b);
        return DecodeCp1252(bytes);
    }();
    return c <= 0xFFFF && all.contains(QChar(static_cast<char16_t>(c)));
}

// A stored value as it reads: "&#N;" (N in its shortest form, at most U+10FFFF) is the
// character N when Windows-1252 has no byte for it, as the writer makes it, and "&#38;" is
// an "&"; every other text stays as it is.
QString decodedReferences(const QString& stored) {
    QString text;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        qsizetype end = i + 2;
        while (end < stored.size() && end - i <= 8 && stored[end] >= u'0' && stored[end] <= u'9')
            ++end;
        const bool shaped = stored[i] == u'&' && i + 1 < stored.size() && stored[i + 1] == u'#' &&
                            end > i + 2 && stored[i + 2] != u'0' && end < stored.size() &&
                            stored[end] == u';';
        const uint code = shaped ? stored.mid(i + 2, end - i - 2).toUInt() : 0;
        if (shaped && code <= 0x10FFFF && (code == u'&' || !hasCp1252Byte(code))) {
            // Built by hand: a conversion from UTF-32 would take a U+FEFF first for a
            // byte-order mark and drop it.
            if (QChar::requiresSurrogates(code)) {
                text += QChar(QChar::highSurrogate(code));
                text += QChar(QChar::lowSurrogate(code));
            } else {
                text += QChar(static_cast<char16_t>(code));
            }
            i = end;
        } else {
            text += stored[i];
        }
    }
    return text;
}

// At most 254 characters, not ending in half a surrogate pair.
QString cut(QString text) {
    if (text.size() > 254)
        text.truncate(text[253].isHighSurrogate() ? 253 : 254);
    return text;
}

// A name as the program gives them: one line, no brackets or "=", no comment sign first, no
// blanks at its ends.
QString usableName(QString name, const QString& otherwise) {
    for (const QChar c : {u'\r', u'\n', u'=', u'[', u']'})
        name.remove(c);
    while (!name.isEmpty() &&
           (blankOrTab(name.front()) || name.front() == u';' || name.front() == u'#'))
        name.remove(0, 1);
    while (!name.isEmpty() && blankOrTab(name.back()))
        name.chop(1);
    return name.isEmpty() ? otherwise : name;
}

// The keys a file holds, by a plain reading of its lines ("[Section]", "Key=value").
QList<Key> keysOf(const QString& text) {
    QList<Key> keys;
    QString section;
    const QStringList lines = linesOf(text);
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'['))
            section = line.mid(1).section(u']', 0, 0).trimmed();
        else if (!section.isEmpty() && line.contains(u'=') && keys.size() < 64)
            keys.append({section, line.section(u'=', 0, 0).trimmed()});
    }
    return keys;
}

// The text without the characters at its ends that drop says go.
QString trimmedWhere(QString text, bool (*drop)(QChar)) {
    while (!text.isEmpty() && drop(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && drop(text.back()))
        text.chop(1);
    return text;
}

QString trimmedBlanks(const QString& text) {
    return trimmedWhere(text, blankOrTab);
}

// The value of a key by the file's rules, read plainly: lines end at CR LF, LF or CR; blanks
// and tabs around names and values do not count; ";" and "#" start comments; a line without
// a name before its "=" is no key; only the first section of the name counts, and in it the
// first line of the key; the references the writer makes are read back; the value is cut to
// 254 characters.
QString plainValue(const QString& text, const QString& section, const QString& key) {
    bool inSection = false;
    const QStringList lines = linesOf(text);
    for (const QString& line : lines) {
        const QString trimmed = trimmedBlanks(line);
        if (trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
            continue;
        if (trimmed.startsWith(u'[')) {
            if (inSection)
                break;
            inSection = sameName(trimmedBlanks(trimmed.mid(1).section(u']', 0, 0)), section);
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        const QString name = equals > 0 ? trimmedBlanks(line.left(equals)) : QString();
        if (inSection && !name.isEmpty() && sameName(name, key))
            return cut(decodedReferences(trimmedBlanks(line.mid(equals + 1))));
    }
    return {};
}

// Every key read through one session, which gives what the single-key routines give.
QStringList readAll(const QList<Key>& keys, const QString& file) {
    const IniSession session(file);
    QByteArray bytes;
    const QString text = ReadFileBytes(file, bytes) ? DecodeCp1252(bytes) : QString();
    QStringList values;
    for (const Key& k : keys) {
        const QString value = session.readString(k.section, k.key);
        FUZZ_EQUAL(value, plainValue(text, k.section, k.key),
                   QStringLiteral("[%1] %2 read").arg(k.section, k.key));
        const double number = session.readInt(k.section, k.key);
        const double leading = value.isEmpty() ? -32768.0 : LeadingNumber(value);
        const double inRange = leading < -32768.0 || leading > 32767.0 ? -32768.0 : leading;
        FUZZ_CHECK(number == inRange, QStringLiteral("[%1] %2 = %3 reads as the number %4")
                                          .arg(k.section, k.key, Shown(value))
                                          .arg(number));
        values.append(value);
    }
    return values;
}

// The single-key routines read a key as a session does.
void checkSingleReads(const Key& k, const QString& file) {
    const IniSession session(file);
    FUZZ_EQUAL(ReadIniString(k.section, k.key, file), session.readString(k.section, k.key),
               QStringLiteral("[%1] %2 read alone").arg(k.section, k.key));
    FUZZ_CHECK(ReadIniInt(k.section, k.key, file) == session.readInt(k.section, k.key),
               QStringLiteral("[%1] %2 read alone as a number").arg(k.section, k.key));
}

// The caller's value after a write: without blanks, tabs and line breaks at its ends.
QString trimmedEnds(const QString& text) {
    return trimmedWhere(text, [](QChar c) { return blankOrTab(c) || c == u'\r' || c == u'\n'; });
}

// What a value reads back as: trimmed, without the line breaks inside it, at most 254
// characters (not ending in half a surrogate pair); "&#" text and characters Windows-1252
// has no byte for come back as they were.
QString storedForm(const QString& value) {
    QString text = trimmedEnds(value);
    text.remove(u'\r');
    text.remove(u'\n');
    return cut(text);
}

// The number of line breaks in the text (CR LF counts once).
qsizetype lineBreaks(const QByteArray& bytes) {
    return bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n");
}

// The new file differs from the old one in a single place that lies within one line of the
// old file (the key's value, or where the new lines go).
void checkOnlyOnePlaceChanged(const QByteArray& before, const QByteArray& after) {
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArray removed = before.mid(prefix, before.size() - prefix - suffix);
    const QByteArray added = after.mid(prefix, after.size() - prefix - suffix);
    FUZZ_CHECK(lineBreaks(removed) == 0 && lineBreaks(added) <= 3,
               QStringLiteral("the write replaced %1 with %2").arg(Shown(removed), Shown(added)));
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> parts = SplitInput(data, size, 4);
    const QString file = Folder().file(QStringLiteral("vessilor.ini"));
    const bool missing = parts[0].isEmpty() && size % 2 == 1;
    Folder().write(QStringLiteral("vessilor.ini"), parts[0]);
    if (missing)
        QFile::remove(file);

    QList<Key> keys = keysOf(DecodeCp1252(parts[0]));
    keys += programKeys();
    const QStringList before = readAll(keys, file);
    FUZZ_EQUAL(fileBytes(file), missing ? QByteArray() : parts[0],
               QStringLiteral("the file after reading"));

    // The key to write: given, or one of the keys there are; and a second one for a number.
    const Key& some = keys[static_cast<qsizetype>(size % static_cast<std::size_t>(keys.size()))];
    auto part = [&parts](int i, const QString& otherwise) {
        return i < parts.size() ? DecodeCp1252(parts[i]) : otherwise;
    };
    const Key target{usableName(part(1, some.section), QStringLiteral("Vessilor")),
                     usableName(part(2, some.key), QStringLiteral("WebProg"))};
    const Key second{usableName(some.section, QStringLiteral("Editor")),
                     usableName(some.key, QStringLiteral("Left"))};
    const QString value = parts.size() > 3 ? DecodeDetected(parts[3], EncodingRules::Text)
                                           : QStringLiteral(" C:/Webb/sidor ");
    checkSingleReads(target, file);
    checkSingleReads(second, file);
    const QByteArray old = fileBytes(file);
    QString written = value;
    WriteIniString(target.section, target.key, written, file);
    FUZZ_EQUAL(written, trimmedEnds(value), QStringLiteral("the caller's value after writing"));
    const QString readBack = ReadIniString(target.section, target.key, file);
    FUZZ_EQUAL(readBack, storedForm(value),
               QStringLiteral("[%1] %2 written and read back").arg(target.section, target.key));
    if (!missing)
        checkOnlyOnePlaceChanged(old, fileBytes(file));
    const QStringList after = readAll(keys, file);
    for (qsizetype i = 0; i < keys.size(); ++i)
        if (!sameName(keys[i].section, target.section) || !sameName(keys[i].key, target.key))
            FUZZ_EQUAL(after[i], before[i],
                       QStringLiteral("[%1] %2 after writing [%3] %4")
                           .arg(keys[i].section, keys[i].key, target.section, target.key));
    const QByteArray once = fileBytes(file);
    QString again = value;
    WriteIniString(target.section, target.key, again, file);
    FUZZ_EQUAL(fileBytes(file), once, QStringLiteral("the file after writing the same again"));

    // A number, and the same two writes through one session on a copy of the old file.
    const int number = static_cast<int>(size * 2654435761u % 65535u) - 32767;
    WriteIniInt(second.section, second.key, number, file);
    FUZZ_CHECK(ReadIniInt(second.section, second.key, file) == number,
               QStringLiteral("[%1] %2 written as %3").arg(second.section, second.key).arg(number));
    Folder().write(QStringLiteral("session.ini"), old);
    const QString copy = Folder().file(QStringLiteral("session.ini"));
    if (missing)
        QFile::remove(copy);
    {
        IniSession session(copy);
        QString sessionValue = value;
        session.writeString(target.section, target.key, sessionValue);
        session.writeInt(second.section, second.key, number);
        session.save();
    }
    FUZZ_EQUAL(fileBytes(copy), fileBytes(file), QStringLiteral("the file a session wrote"));

    if (WantsScaling(data, size)) {
        const QByteArray big = Repeated(parts[0] + '\n', ScaledSize);
        Folder().write(QStringLiteral("vessilor.ini"), big);
        CheckLinearTime("reading and writing a key", big.size(), [&] {
            ReadIniString(target.section, target.key, file);
            QString bigValue = value;
            WriteIniString(target.section, target.key, bigValue, file);
        });
    }
    return 0;
}
