// The entity table and both conversions: a table file and a page, with a form feed between
// (a page alone is converted with the shipped table).
//   - the loader reads exactly the entries the file holds, in file order, and adds the blank;
//   - the text of a PRE element is never converted, and a text cut at a blank or line break
//     outside tags converts as its parts do;
//   - with a table of proper codes ("&...;"), converting twice gives what converting once
//     gives and blanks, line breaks and brackets stay where they were;
//   - with codes that decode back to their characters, decoding a converted page gives the
//     page back;
//   - the editor's command replaces just the selection with what the routines give and
//     selects it, never a place outside the text;
//   - loading, converting and decoding take time linear in their input.

#include "fuzzsupport.h"

#include "markup/entities.h"
#include "markup/globals.h"
#include "markup/textcommands.h"
#include "platform/encoding.h"
#include "platform/textrules.h"

#include <QSet>

namespace {

const QString Done = QStringLiteral("Klart");

QString converted(const QString& text) {
    WorkText = text;
    StatusText.clear();
    ConvertCharacters();
    FUZZ_EQUAL(StatusText, Done, QStringLiteral("conversion status"));
    return WorkText;
}

QString decoded(const QString& text) {
    WorkText = text;
    StatusText.clear();
    DecodeEntities();
    FUZZ_EQUAL(StatusText, Done, QStringLiteral("decoding status"));
    return WorkText;
}

// The entries of a table file's text: every line (ended by CR or LF) trimmed of blanks, empty
// lines and lines starting with "#" left out; the first character, then the rest trimmed.
QList<QPair<QString, QString>> entriesOf(const QString& text) {
    QList<QPair<QString, QString>> entries;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = TrimBlanks(QStringView(text).sliced(start, end - start));
        if (!line.isEmpty() && line.front() != u'#')
            entries.append({line.first(1).toString(), TrimBlanks(line.sliced(1)).toString()});
        start = end + 1;
    }
    return entries;
}

// The engine builds its lookups again only when the table's content changes, and otherwise
// compares the whole table at each use. The program loads its table once; a fuzz run loads one
// per input, often the same, so the lookups are made to forget the last one first.
void forgetTable() {
    EntityCount = 0;
    EntityChars = {QString()};
    EntityCodes = {QString()};
    EntityIndexOf(u'x');
}

void checkLoadedTable(const QByteArray& file) {
    FUZZ_CHECK(EntityChars.size() == EntityCount + 2 && EntityCodes.size() == EntityCount + 2,
               QStringLiteral("%1 entries, lists of %2 and %3")
                   .arg(EntityCount)
                   .arg(EntityChars.size())
                   .arg(EntityCodes.size()));
    FUZZ_EQUAL(EntityChars.constLast(), QStringLiteral(" "), QStringLiteral("closing entry"));
    FUZZ_EQUAL(EntityCodes.constLast(), QStringLiteral("&nbsp;"), QStringLiteral("closing code"));
    QList<QPair<QString, QString>> loaded;
    for (int j = 1; j <= EntityCount; ++j)
        loaded.append({EntityChars.at(j), EntityCodes.at(j)});
    // The file is read in Windows-1252 or, when it is UTF-8, in UTF-8.
    const QList<QPair<QString, QString>> cp1252 = entriesOf(DecodeCp1252(file));
    if (loaded != cp1252) {
        const QList<QPair<QString, QString>> detected =
            entriesOf(DecodeDetected(file, EncodingRules::Text));
        FUZZ_CHECK(loaded == detected,
                   QStringLiteral("%1 entries loaded, the file holds %2; file %3")
                       .arg(loaded.size())
                       .arg(detected.size())
                       .arg(Shown(file)));
    }
}

// What the table does to the characters of a text.
struct TableTraits {
    bool properCodes = true; // converting twice changes nothing more
    bool reversible = true;  // decoding gives back the characters
};

bool isProperCode(const QString& code, const QSet<char16_t>& listed) {
    if (code.isEmpty())
        return true;
    if (code.size() < 2 || code.front() != u'&' || code.back() != u';')
        return false;
    for (const QChar c : code) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\r' || u == u'\n' || u == u'<' || u == u'>' || u == u'"')
            return false;
        if (u != u'&' && u != u';' && listed.contains(u))
            return false;
    }
    return true;
}

// A code the decoder turns back into its own character: one "&" at the start, one ";" at the
// end, and no earlier entry with the same code for another character.
bool decodesBack(QChar c, const QString& code) {
    if (code.size() < 3 || code.count(u'&') != 1 || code.count(u';') != 1)
        return false;
    const int j = EntityIndexOfCode(code);
    return j > 0 && EntityChars.at(j) == QString(c);
}

// Whether some "&" of the text, up to the first ";" after it, already spells a code.
bool holdsCode(const QString& text) {
    for (qsizetype amp = text.indexOf(u'&'); amp >= 0; amp = text.indexOf(u'&', amp + 1)) {
        const qsizetype semicolon = text.indexOf(u';', amp);
        if (semicolon < 0)
            return false;
        if (EntityIndexOfCode(QStringView(text).sliced(amp, semicolon - amp + 1)) != 0)
            return true;
    }
    return false;
}

TableTraits traitsFor(const QString& page) {
    QSet<char16_t> listed;
    for (int j = 1; j <= EntityCount; ++j)
        if (EntityChars.at(j).size() == 1 && EntityIndexOf(EntityChars.at(j)[0]) == j)
            listed.insert(EntityChars.at(j)[0].unicode());
    TableTraits traits;
    traits.properCodes = !listed.contains(u'<') && !listed.contains(u'>');
    QSet<char16_t> seen;
    for (const QChar c : page) {
        if (seen.contains(c.unicode()))
            continue;
        seen.insert(c.unicode());
        const int j = EntityIndexOf(c);
        if (j == 0)
            continue;
        traits.properCodes = traits.properCodes && isProperCode(EntityCodes.at(j), listed);
        traits.reversible = traits.reversible && decodesBack(c, EntityCodes.at(j));
    }
    traits.reversible = traits.reversible && traits.properCodes && !holdsCode(page);
    return traits;
}

QString keptCharacters(const QString& text, QStringView which) {
    QString kept;
    for (const QChar c : text)
        if (which.contains(c))
            kept += c;
    return kept;
}

// A PRE element between two copies of the page: conversion only works on characters, so the
// text around the element converts as it does alone and the element's text is kept as it is.
void checkPreIsKept(const QString& page, bool capitals) {
    QString body = page;
    body.remove(u'<'); // no tag inside, so no "</pre>" either
    const QString open = capitals ? QStringLiteral("PRE>") : QStringLiteral("pre>");
    const QString close = capitals ? QStringLiteral("/PRE>\n") : QStringLiteral("/pre>\n");
    const QString expected =
        converted(page + QStringLiteral("\n<")) + open + body + u'<' + converted(close + page);
    FUZZ_EQUAL(converted(page + QStringLiteral("\n<") + open + body + u'<' + close + page),
               expected, QStringLiteral("text around and inside a PRE element"));
}

// Conversion works on characters and on the blank-free runs around them, so a text cut at a
// blank or line break outside tags and PRE elements converts as its two parts do alone. The
// first part is the page without "<", so it leaves no tag or PRE element open.
void checkCutConvertsAsItsParts(const QString& page, const QString& cut) {
    QString first = page;
    first.remove(u'<');
    FUZZ_EQUAL(converted(first + cut + page), converted(first) + cut + converted(page),
               QStringLiteral("a text cut at %1").arg(Shown(cut)));
}

// The editor's conversion of a selection: only the selection changes, into what the
// routine makes of it, and the result is selected.
void checkEditorCommand(const QString& text, int selStart, int selLength, bool toCodes) {
    const TextEdit edit = ConvertEntities(text, selStart, selLength, toCodes);
    FUZZ_CHECK(!edit.failed, QStringLiteral("the editor's conversion failed"));
    const int size = static_cast<int>(text.size());
    const int start = std::clamp(selStart, 0, size);
    int length = std::clamp(selLength, 0, size - start);
    const int from = length == 0 ? 0 : start;
    length = length == 0 ? size : length;
    const QString part = text.sliced(from, length);
    const QString expected = toCodes ? converted(part) : decoded(part);
    QString after = text;
    if (edit.changed) {
        FUZZ_CHECK(edit.replaceStart >= 0 && edit.replaceLength >= 0 &&
                       edit.replaceStart + edit.replaceLength <= size,
                   QStringLiteral("replaces %1+%2 of %3 characters")
                       .arg(edit.replaceStart)
                       .arg(edit.replaceLength)
                       .arg(size));
        after.replace(edit.replaceStart, edit.replaceLength, edit.replacement);
    }
    FUZZ_EQUAL(after, text.left(from) + expected + text.mid(from + length),
               QStringLiteral("text after the editor's conversion"));
    FUZZ_CHECK(edit.selStart == from && edit.selLength == (edit.changed ? expected.size() : length),
               QStringLiteral("selects %1+%2 after converting %3+%4 into %5 characters")
                   .arg(edit.selStart)
                   .arg(edit.selLength)
                   .arg(from)
                   .arg(length)
                   .arg(expected.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> parts = SplitInput(data, size, 2);
    const QByteArray table = parts.size() == 2 ? parts[0] : ShippedBytes("htmlkod.dat");
    const QString page = DecodeDetected(parts.last(), EncodingRules::Document);

    forgetTable();
    Folder().write(QStringLiteral("htmlkod.dat"), table);
    FUZZ_CHECK(LoadEntityTable(), QStringLiteral("an existing table file was not loaded"));
    checkLoadedTable(table);

    const QString once = converted(page);
    checkPreIsKept(page, size % 2 == 0);
    for (const QString& cut :
         {QStringLiteral(" "), QStringLiteral("\r"), QStringLiteral("\n"), QStringLiteral("\r\n")})
        checkCutConvertsAsItsParts(page, cut);
    const TableTraits traits = traitsFor(page);
    if (traits.properCodes) {
        FUZZ_EQUAL(converted(once), once, QStringLiteral("converting a converted page again"));
        const QString structure = QStringLiteral(" \r\n<>");
        FUZZ_EQUAL(keptCharacters(once, structure), keptCharacters(page, structure),
                   QStringLiteral("blanks, line breaks and brackets after converting"));
    }
    if (traits.reversible)
        FUZZ_EQUAL(decoded(once), page, QStringLiteral("decoding a converted page"));
    const QString back = decoded(page);
    FUZZ_CHECK(back.size() <= page.size(), QStringLiteral("decoding made the text longer"));

    const int n = static_cast<int>(page.size());
    const int selStart = n == 0 ? 0 : static_cast<int>(size % static_cast<std::size_t>(n + 2)) - 1;
    const int selLength = n == 0 ? 0 : static_cast<int>((size / 3) % static_cast<std::size_t>(n));
    checkEditorCommand(page, selStart, selLength, true);
    checkEditorCommand(page, selStart, selLength, false);

    if (WantsScaling(data, size)) {
        const QString big = Repeated(page, ScaledSize);
        CheckLinearTime("converting", big.size(), [&] { converted(big); });
        CheckLinearTime("decoding", big.size(), [&] { decoded(big); });
        const QByteArray bigTable = Repeated(table + '\n', ScaledSize);
        forgetTable();
        Folder().write(QStringLiteral("htmlkod.dat"), bigTable);
        CheckLinearTime("loading the table", bigTable.size(), [&] {
            FUZZ_CHECK(LoadEntityTable(), QStringLiteral("a large table was not loaded"));
            converted(page);
        });
    }
    return 0;
}
