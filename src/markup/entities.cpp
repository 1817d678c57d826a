#include "markup/entities.h"

#include "markup/globals.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/textrules.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <vector>

namespace {

const QString TableFileName = QStringLiteral("htmlkod.dat");

// The blank entry after the file's entries: conversions never use it, decoding does.
const QString BlankChar = QStringLiteral(" ");
const QString BlankCode = QStringLiteral("&nbsp;");

// A blank, CR or LF: never converted, and the end of a reference-like run.
inline bool isSeparator(char16_t c) {
    return c == u' ' || c == u'\r' || c == u'\n';
}

// Lookups built from the entity table, so a conversion costs one array access per character.
// They keep a copy of the table they were built from; when somebody changes the program-wide
// table afterwards, the next use notices and builds them again.
struct Lookup {
    int count = -1;
    QList<QString> chars;
    QList<QString> codes;
    int usable = 0;             // entries 1..usable exist in both lists
    std::vector<int> byChar;    // first entry 1..N per character, 0 when not listed
    QHash<QString, int> byCode; // first entry 1..N+1 per code
};

Lookup& lookupStore() {
    static Lookup store;
    return store;
}

void rebuild(Lookup& l) {
    l.count = EntityCount;
    l.chars = EntityChars;
    l.codes = EntityCodes;
    const qsizetype inLists = std::min(l.chars.size(), l.codes.size()) - 1;
    l.usable = static_cast<int>(std::max<qsizetype>(0, std::min<qsizetype>(EntityCount, inLists)));
    l.byChar.assign(0x10000, 0);
    l.byCode.clear();
    for (int j = 1; j <= l.usable; ++j) {
        const QString& ch = l.chars.at(j);
        if (ch.size() != 1)
            continue;
        const char16_t c = ch.at(0).unicode();
        if (isSeparator(c) || l.byChar[c] != 0)
            continue;
        l.byChar[c] = j;
    }
    const int withBlank =
        static_cast<int>(std::max<qsizetype>(0, std::min<qsizetype>(EntityCount + 1, inLists)));
    // QHash::insert replaces, so walking from the end leaves the first entry per code.
    for (int j = withBlank; j >= 1; --j)
        l.byCode.insert(l.codes.at(j), j);
}

const Lookup& currentLookup() {
    Lookup& l = lookupStore();
    // QList compares its shared data first, so this costs next to nothing while the
    // program-wide table is the one the lookups were built from.
    if (l.count != EntityCount || l.chars != EntityChars || l.codes != EntityCodes)
        rebuild(l);
    return l;
}

// The table file in the program folder. Where the exact name is missing, a name that differs
// only in letter case ("HTMLKOD.DAT" copied from another system) is taken instead.
QString tableFilePath() {
    const QString folder = ProgramFolder();
    const QString exact = JoinPath(folder, TableFileName);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names)
        if (name.compare(TableFileName, Qt::CaseInsensitive) == 0)
            return JoinPath(folder, name);
    return exact;
}

// The reference scans. Both remember how far their last scan reached, so every character of
// the text is looked at a bounded number of times however many "&" or ";" it holds.
class ReferenceScanner {
public:
    ReferenceScanner(const char16_t* text, qsizetype length) : p(text), n(length) {}

    // True when a ";" follows position i before a blank, CR, LF or the end of the text.
    bool semicolonAhead(qsizetype i) {
        if (i < aheadValidTo)
            return aheadResult;
        for (qsizetype k = i + 1; k < n; ++k) {
            if (p[k] == u';') {
                aheadValidTo = k;
                aheadResult = true;
                return true;
            }
            if (isSeparator(p[k])) {
                aheadValidTo = k;
                aheadResult = false;
                return false;
            }
        }
        aheadValidTo = n;
        aheadResult = false;
        return false;
    }

    // True when an "&" precedes position i after the last blank, CR or LF (or the start).
    // Positions are asked in increasing order.
    bool ampersandBehind(qsizetype i) {
        bool found = behindResult; // what held for the last position asked
        for (qsizetype k = i - 1; k > behindFrom; --k) {
            if (p[k] == u'&') {
                found = true;
                break;
            }
            if (isSeparator(p[k])) {
                found = false;
                break;
            }
        }
        behindFrom = i;
        behindResult = found;
        return found;
    }

private:
    const char16_t* p;
    qsizetype n;
    qsizetype aheadValidTo = -1;
    bool aheadResult = false;
    qsizetype behindFrom = -1;
    bool behindResult = false;
};

inline bool upperIs(char16_t c, char16_t upper) {
    return QChar::toUpper(c) == upper;
}

// "<PRE>" at position i, in any letter case.
bool preOpensAt(const char16_t* p, qsizetype n, qsizetype i) {
    return i + 4 < n && upperIs(p[i + 1], u'P') && upperIs(p[i + 2], u'R') &&
           upperIs(p[i + 3], u'E') && p[i + 4] == u'>';
}

// "</PRE>" at position i, in any letter case.
bool preClosesAt(const char16_t* p, qsizetype n, qsizetype i) {
    return i + 5 < n && p[i + 1] == u'/' && upperIs(p[i + 2], u'P') && upperIs(p[i + 3], u'R') &&
           upperIs(p[i + 4], u'E') && p[i + 5] == u'>';
}

// The converted text, written straight into one growing buffer: most replacements are a few
// characters long, and appending them one QString call at a time would cost more than the
// scan itself.
class Output {
public:
    explicit Output(qsizetype expected) { grow(expected); }

    void put(const char16_t* s, qsizetype length) {
        if (length > capacity - used)
            grow(used + length);
        char16_t* to = out + used;
        if (length <= 8) { // the usual code: cheaper than a call to memcpy
            for (qsizetype k = 0; k < length; ++k)
                to[k] = s[k];
        } else {
            std::memcpy(to, s, static_cast<std::size_t>(length) * sizeof(char16_t));
        }
        used += length;
    }

    QString take() {
        buffer.truncate(used);
        if (buffer.capacity() > used + used / 4 + 64)
            buffer.squeeze();
        return std::move(buffer);
    }

private:
    void grow(qsizetype needed) {
        capacity = std::max(needed, capacity + capacity / 2 + 64);
        buffer.resize(capacity);
        out = reinterpret_cast<char16_t*>(buffer.data());
    }

    QString buffer;
    char16_t* out = nullptr;
    qsizetype used = 0;
    qsizetype capacity = 0;
};

QString convertText(const QString& text, const Lookup& l) {
    const qsizetype n = text.size();
    const auto* p = reinterpret_cast<const char16_t*>(text.constData());
    const int* byChar = l.byChar.data();
    ReferenceScanner refs(p, n);

    std::optional<Output> result; // made at the first replacement
    qsizetype copiedTo = 0;       // characters before this position are in result already
    bool inPre = false;
    bool inTag = false;

    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        const int j = byChar[c]; // never set for blank, CR and LF
        if (j != 0 && !inPre) {
            bool keep = false;
            if (c == u'&')
                keep = refs.semicolonAhead(i);
            else if (c == u';')
                keep = refs.ampersandBehind(i);
            else if (c == u'"')
                keep = inTag;
            if (!keep) {
                if (!result)
                    result.emplace(n + n / 8 + 64);
                const QString& code = l.codes.at(j);
                result->put(p + copiedTo, i - copiedTo);
                result->put(reinterpret_cast<const char16_t*>(code.constData()), code.size());
                copiedTo = i + 1;
            }
        }
        if (c == u'<') {
            if (preOpensAt(p, n, i))
                inPre = true;
            else if (preClosesAt(p, n, i))
                inPre = false;
            inTag = true;
        } else if (c == u'>') {
            inTag = false;
        }
    }
    if (!result)
        return text; // nothing to replace: the same text, without a copy
    result->put(p + copiedTo, n - copiedTo);
    return result->take();
}

} // namespace

namespace {

// The table file's text: UTF-8 when it starts with the byte-order mark or holds multi-byte
// UTF-8 (as a Linux editor saves it), otherwise Windows-1252. Nothing when the file is
// missing, unreadable, larger than a table file can sensibly be, or memory runs out.
std::optional<QString> readTableFile(const QString& path) {
    QByteArray bytes;
    if (!QFileInfo(path).isFile() || !ReadFileBytes(path, bytes, nullptr, StartFileSizeLimit))
        return std::nullopt;
    try {
        return DecodeDetected(bytes, EncodingRules::Text);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace

bool LoadEntityTable() {
    const std::optional<QString> read = readTableFile(tableFilePath());
    if (!read) {
        platform().message(QStringLiteral("HTMLKOD.DAT hittades inte. Kontrollera att filen finns "
                                          "i samma katalog som programmet."),
                           MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    const QString& text = *read;

    QList<QString> chars{QString()};
    QList<QString> codes{QString()};
    const QStringView all(text);
    qsizetype start = 0;
    while (start <= all.size()) {
        // A line ends at CR, LF or CR LF; the empty line a CR LF would leave is skipped below.
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView line = TrimBlanks(all.sliced(start, end - start));
        start = end + 1;
        if (line.isEmpty() || line.front() == u'#')
            continue;
        chars.append(line.first(1).toString());
        codes.append(TrimBlanks(line.sliced(1)).toString());
    }

    EntityCount = static_cast<int>(chars.size() - 1);
    chars.append(BlankChar);
    codes.append(BlankCode);
    EntityChars = chars;
    EntityCodes = codes;
    currentLookup();
    return true;
}

void ConvertCharacters() {
    try {
        QString converted = convertText(WorkText, currentLookup());
        WorkText = std::move(converted);
        StatusText = QStringLiteral("Klart");
    } catch (const std::exception&) {
        // Only running out of memory gets here; the text stays as it was.
        StatusText = QStringLiteral("Misslyckades");
    }
}

int EntityIndexOf(QChar c) {
    const Lookup& l = currentLookup();
    return l.byChar[c.unicode()];
}

int EntityIndexOfCode(QStringView code) {
    const Lookup& l = currentLookup();
    return l.byCode.value(code.toString(), 0);
}
