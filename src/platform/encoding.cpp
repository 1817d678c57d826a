#include "platform/encoding.h"

#include <QRegularExpression>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Characters of the bytes 0x80..0x9F. The five undefined bytes keep their own value.
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Reverse lookup for characters above 0xFF; 0 when the code page cannot hold them.
char encodeHigh(char16_t c) {
    for (std::size_t i = 0; i < HighTable.size(); ++i)
        if (HighTable[i] == c)
            return static_cast<char>(0x80 + i);
    return 0;
}

bool isCp1252Slot(char16_t c) {
    // 0x80..0x9F hold their own value only for the five undefined bytes.
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

} // namespace

QString DecodeCp1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = in[i];
        out[i] = (b >= 0x80 && b <= 0x9F) ? QChar(HighTable[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray EncodeCp1252(const QString& text) {
    // Most characters take one byte: write them straight into a buffer of the text's size and
    // grow it only when a reference has to be written.
    const QChar* p = text.constData();
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char* dst = out.data();
    qsizetype used = 0;
    auto appendReference = [&](uint codePoint) {
        const QByteArray reference = "&#" + QByteArray::number(codePoint) + ';';
        out.resize(out.size() + reference.size() - 1);
        dst = out.data();
        std::memcpy(dst + used, reference.constData(), static_cast<std::size_t>(reference.size()));
        used += reference.size();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || isCp1252Slot(c)) {
            dst[used++] = static_cast<char>(c);
            continue;
        }
        if (c >= 0x80 && c <= 0xFF) {
            // C1 control characters other than the five slots have no byte of their own.
            appendReference(c);
            continue;
        }
        if (const char b = encodeHigh(c)) {
            dst[used++] = b;
            continue;
        }
        uint codePoint = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && p[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(c, p[i + 1].unicode());
            ++i;
            // The pair took two characters of room and gives back one of them.
            appendReference(codePoint);
            out.resize(out.size() - 1);
            dst = out.data();
            continue;
        }
        appendReference(codePoint);
    }
    out.resize(used);
    return out;
}

bool FitsCp1252(const QString& text) {
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || isCp1252Slot(c))
            continue;
        if (c <= 0xFF || !encodeHigh(c))
            return false;
    }
    return true;
}

bool IsValidUtf8(const char* data, qsizetype size) {
    const auto* s = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
        // Runs of ASCII are the common case: skip them eight bytes at a time.
        while (i + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, s + i, 8);
            if (word & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i >= size)
            break;
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0; // no overlong forms
            else if (c == 0xED)
                high = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F; // nothing above U+10FFFF
        } else {
            return false;
        }
        if (i + length > size)
            return false;
        if (s[i + 1] < low || s[i + 1] > high)
            return false;
        for (int k = 2; k < length; ++k) {
            if (s[i + k] < 0x80 || s[i + k] > 0xBF)
                return false;
        }
        i += length;
    }
    return true;
}

namespace {

bool hasBom(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF");
}

bool isAscii(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// The start of a page in which an encoding is declared.
constexpr qsizetype DeclarationWindow = 2048;

bool declaresUtf8(QString head) {
    head = head.left(DeclarationWindow).toLower();
    // <meta charset="utf-8">, content="text/html; charset=utf-8", <?xml ... encoding="utf-8"?>
    static const QRegularExpression declaration(QStringLiteral(
        "charset\\s*=\\s*[\"']?\\s*utf-?8\\b|<\\?xml[^>]*\\bencoding\\s*=\\s*[\"']\\s*utf-?8\\b"));
    return declaration.match(head).hasMatch();
}

} // namespace

bool IsMultiByteUtf8(const QByteArray& bytes) {
    return !isAscii(bytes) && IsValidUtf8(bytes.constData(), bytes.size());
}

bool DeclaresUtf8(const QString& text) {
    return declaresUtf8(text.left(DeclarationWindow));
}

TextEncoding DetectEncoding(const QByteArray& bytes, EncodingRules rules) {
    if (!IsValidUtf8(bytes.constData(), bytes.size()))
        return TextEncoding::Cp1252;
    if (hasBom(bytes))
        return TextEncoding::Utf8Bom;
    if (!isAscii(bytes))
        return TextEncoding::Utf8;
    if (rules == EncodingRules::Document &&
        declaresUtf8(QString::fromLatin1(bytes.left(DeclarationWindow))))
        return TextEncoding::Utf8;
    return TextEncoding::Cp1252;
}

QString DecodeText(const QByteArray& bytes, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Cp1252:
        return DecodeCp1252(bytes);
    case TextEncoding::Utf8:
        return QString::fromUtf8(bytes);
    case TextEncoding::Utf8Bom:
        return hasBom(bytes) ? QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3)
                             : QString::fromUtf8(bytes);
    }
    return DecodeCp1252(bytes);
}

QString DecodeDetected(const QByteArray& bytes, EncodingRules rules, TextEncoding* encoding) {
    const TextEncoding found = DetectEncoding(bytes, rules);
    if (encoding)
        *encoding = found;
    return DecodeText(bytes, found);
}

namespace {

// UTF-8 of a text; a lone surrogate, which UTF-8 cannot hold, becomes "&#N;".
QByteArray encodeUtf8(const QString& text) {
    const QChar* p = text.constData();
    const qsizetype n = text.size();
    bool lone = false;
    for (qsizetype i = 0; i < n && !lone; ++i) {
        if (p[i].isHighSurrogate() && i + 1 < n && p[i + 1].isLowSurrogate())
            ++i;
        else if (p[i].isSurrogate())
            lone = true;
    }
    if (!lone)
        return text.toUtf8();
    QString safe;
    safe.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i].isHighSurrogate() && i + 1 < n && p[i + 1].isLowSurrogate()) {
            safe.append(p[i]);
            safe.append(p[++i]);
        } else if (p[i].isSurrogate()) {
            safe.append(QStringLiteral("&#%1;").arg(p[i].unicode()));
        } else {
            safe.append(p[i]);
        }
    }
    return safe.toUtf8();
}

} // namespace

QByteArray EncodeText(const QString& text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Cp1252:
        return EncodeCp1252(text);
    case TextEncoding::Utf8:
        return encodeUtf8(text);
    case TextEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + encodeUtf8(text);
    }
    return EncodeCp1252(text);
}

QString EncodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Cp1252:
        return QStringLiteral("Windows-1252");
    case TextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TextEncoding::Utf8Bom:
        return QStringLiteral("UTF-8 med BOM");
    }
    return QString();
}
