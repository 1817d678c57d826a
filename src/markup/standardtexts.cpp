#include "markup/standardtexts.h"

#include "markup/globals.h"
#include "platform/files.h"
#include "platform/numbers.h"

#include <QFileInfo>

#include <algorithm>
#include <new>
#include <optional>

namespace {

constexpr int MinimumListWidth = 1275;
constexpr int TwipsPerEntry = 195;
constexpr int ListFrame = 25;
constexpr int ListMargin = 170;       // room around the entries
constexpr int ListMarginScroll = 375; // the same with a vertical scroll bar

bool OnlyBlanks(QStringView line) {
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c == u' '; });
}

} // namespace

QString StandardTextsPath() {
    return JoinPath(ProgramFolder(), QStringLiteral("standard.txt"));
}

namespace {

// The file's text and the encoding it is in: UTF-8 when it starts with the byte-order mark or
// holds multi-byte UTF-8, otherwise Windows-1252. Nothing when it cannot be read, is larger
// than a list of phrases can sensibly be, or memory runs out.
std::optional<QString> readStandardFile(const QString& path, TextEncoding* encoding) {
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, nullptr, StartFileSizeLimit))
        return std::nullopt;
    try {
        return DecodeDetected(bytes, EncodingRules::Text, encoding);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace

QStringList ReadStandardTexts(const QString& path, bool* ok) {
    const std::optional<QString> read = readStandardFile(path, nullptr);
    if (ok)
        *ok = read.has_value();
    QStringList entries;
    if (!read)
        return entries;
    const QString& text = *read;
    const QStringView all(text);
    qsizetype from = 0;
    while (from < all.size()) {
        qsizetype end = from;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView line = all.sliced(from, end - from);
        if (!OnlyBlanks(line))
            entries.append(line.toString());
        // CR LF is one break; a lone CR or LF is one too.
        if (end < all.size() && all[end] == u'\r' && end + 1 < all.size() && all[end + 1] == u'\n')
            ++end;
        from = end + 1;
    }
    return entries;
}

QStringList SelectionToStandardEntries(const QString& selection) {
    QStringList entries;
    if (selection.isEmpty())
        return entries;
    const QStringView all(selection);
    if (!all.contains(u'\n')) {
        entries.append(selection);
        return entries;
    }
    qsizetype from = 0;
    while (from < all.size()) {
        const qsizetype lf = all.indexOf(u'\n', from);
        if (lf < 0) {
            entries.append(all.sliced(from).toString());
            break;
        }
        qsizetype end = lf;
        if (end > from && all[end - 1] == u'\r')
            --end;
        entries.append(all.sliced(from, end - from).toString());
        from = lf + 1;
    }
    return entries;
}

bool WriteStandardTexts(const QString& path, const QStringList& entries, QString* error) {
    qsizetype size = 0;
    for (const QString& entry : entries)
        size += entry.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString& entry : entries) {
        text.append(entry);
        text.append(u"\r\n");
    }
    // The file keeps the encoding it is in; a new one is Windows-1252. One that is there but
    // cannot be read (too large, not readable) is never written over: its texts are not in the
    // list, so they would be lost.
    TextEncoding encoding = TextEncoding::Cp1252;
    if (!readStandardFile(path, &encoding) && QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("filen kunde inte läsas och skrivs därför inte över");
        return false;
    }
    return WriteFileAtomic(path, EncodeText(text, encoding), error);
}

QString StandardTextsNotWrittenMessage(const QString& path, const QString& error) {
    QString message = QStringLiteral("Standardtexterna kunde inte sparas i filen \"") + path +
                      QStringLiteral("\"");
    if (!error.isEmpty())
        message += QStringLiteral(" (") + error + QStringLiteral(")");
    message += QStringLiteral(". De nya texterna finns i listan tills editorn stängs, men inte "
                              "i filen.");
    return message;
}

QStringList HtmlCharacterEntries() {
    QStringList entries;
    const qsizetype last = std::min<qsizetype>(
        {qsizetype(EntityCount), EntityChars.size() - 1, EntityCodes.size() - 1});
    entries.reserve(std::max<qsizetype>(last, 0) + 2);
    for (qsizetype k = 1; k <= last; ++k)
        entries.append(EntityChars.at(k) + QStringLiteral(" - ") + EntityCodes.at(k));
    entries.append(QStringLiteral("< - &lt;"));
    entries.append(QStringLiteral("> - &gt;"));
    return entries;
}

QString HtmlCharacterCode(const QString& entry) {
    return entry.mid(4);
}

int StandardListWidthFor(const QStringList& entries,
                         const std::function<double(const QString&)>& widthTwips) {
    int widest = MinimumListWidth;
    for (const QString& entry : entries)
        widest = std::max(widest, RoundHalfEven(widthTwips(entry)));
    return widest;
}

TwipRect PickListPlacement(int index, qsizetype entries, int standardListWidth,
                           const TwipRect& textArea, int designedWidth) {
    // 64 bits: a long list must not wrap round to a small or negative height.
    const long long wanted =
        static_cast<long long>(std::max<qsizetype>(entries, 0)) * TwipsPerEntry + ListFrame;
    TwipRect list;
    list.width = designedWidth;
    if (wanted < textArea.height) {
        list.height = static_cast<int>(wanted);
        if (index == 0)
            list.width = standardListWidth + ListMargin;
    } else {
        list.height = textArea.height;
        if (index == 0)
            list.width = standardListWidth + ListMarginScroll;
    }
    if (index == 0 && list.width > textArea.width)
        list.width = textArea.width;
    list.left = textArea.left + RoundHalfEven((double(textArea.width) - list.width) / 2.0);
    list.top = textArea.top + RoundHalfEven((double(textArea.height) - list.height) / 2.0);
    return list;
}
