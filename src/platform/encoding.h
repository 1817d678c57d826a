#pragma once
// The encodings of the text files the program reads and writes. The program's own format is
// Windows-1252, one byte a character; a file that is UTF-8 is read as UTF-8 and written back
// as UTF-8, so a modern page keeps its encoding.

#include <QByteArray>
#include <QString>

enum class TextEncoding {
    Cp1252,  // Windows-1252, one byte a character
    Utf8,    // UTF-8 without a byte-order mark
    Utf8Bom, // UTF-8 that starts with the byte-order mark EF BB BF
};

// Windows-1252 to text. Every byte maps to one character; the five bytes the code page leaves
// undefined map to the control characters of the same value, so nothing is lost.
QString DecodeCp1252(const QByteArray& bytes);
// Text to Windows-1252. A character the code page cannot hold is written as "&#N;" with its
// code point (a surrogate pair gives one reference), so the page still shows it.
QByteArray EncodeCp1252(const QString& text);

// True when the bytes are well-formed UTF-8: no overlong forms, no encoded surrogates,
// nothing above U+10FFFF, no sequence cut off at the end.
bool IsValidUtf8(const char* data, qsizetype size);
// True when the bytes are well-formed UTF-8 holding at least one multi-byte sequence.
bool IsMultiByteUtf8(const QByteArray& bytes);

// Which rules decide that a file is UTF-8.
enum class EncodingRules {
    Text,     // table and list files: the byte-order mark, or multi-byte UTF-8
    Document, // pages: also plain ASCII that declares charset=utf-8 near its start
};

// The encoding of a file's bytes. UTF-8 (with or without its byte-order mark) only when the
// bytes are well-formed UTF-8 and either start with the byte-order mark or hold a multi-byte
// sequence; with the document rules also when they are plain ASCII and declare
// "charset=utf-8" (any letter case, in a meta tag or an XML declaration) within their first
// 2,048 bytes. Everything else is Windows-1252, so no byte of a malformed file is lost.
TextEncoding DetectEncoding(const QByteArray& bytes, EncodingRules rules);

// Bytes to text in the encoding; the byte-order mark of Utf8Bom is not part of the text.
QString DecodeText(const QByteArray& bytes, TextEncoding encoding);
// Text to bytes in the encoding, the byte-order mark first for Utf8Bom. In UTF-8 every
// character is written as it is; a lone surrogate (which UTF-8 cannot hold) is written as
// "&#N;" as in Windows-1252.
QByteArray EncodeText(const QString& text, TextEncoding encoding);

// Reads bytes as the rules say: the text and, when wanted, the encoding found.
QString DecodeDetected(const QByteArray& bytes, EncodingRules rules,
                       TextEncoding* encoding = nullptr);

// True when the text declares charset=utf-8 within its first 2,048 characters (a meta tag's
// charset or content, or an XML declaration's encoding), in any letter case.
bool DeclaresUtf8(const QString& text);
// True when every character of the text has a byte of its own in Windows-1252, so nothing
// would be written as "&#N;".
bool FitsCp1252(const QString& text);

// The short name of an encoding as the user sees it: "Windows-1252", "UTF-8",
// "UTF-8 med BOM".
QString EncodingName(TextEncoding encoding);
