#include "markup/document.h"

#include "platform/files.h"

#include <QFileInfo>
#include <new>

DocumentRead ReadDocument(const QString& path, FinalBreak finalBreak) {
    DocumentRead read;
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile()) {
        read.error = QStringLiteral("Filen finns inte");
        return read;
    }
    // One byte is at most one character: a file too large for the editor is not read at all.
    if (file.size() > MaxDocumentBytes) {
        read.outcome = ReadOutcome::TooLarge;
        return read;
    }
    try {
        QByteArray bytes;
        if (!ReadFileBytes(path, bytes, &read.error))
            return read;
        TextEncoding encoding = TextEncoding::Cp1252;
        read.text = DecodeDetected(bytes, EncodingRules::Document, &encoding);
        read.format.encoding = encoding;
    } catch (const std::bad_alloc&) {
        read.text.clear();
        read.outcome = ReadOutcome::TooLarge;
        return read;
    }
    read.format.endWithLineBreak = false;
    if (finalBreak == FinalBreak::Drop && read.text.size() >= 3 &&
        read.text.endsWith(QLatin1String("\r\n"))) {
        read.text.chop(2);
        read.format.endWithLineBreak = true;
    }
    read.outcome = ReadOutcome::Ok;
    return read;
}

TextEncoding EncodingForSave(const DocumentFormat& format, const QString& text) {
    if (format.encoding)
        return *format.encoding;
    return DeclaresUtf8(text) ? TextEncoding::Utf8 : TextEncoding::Cp1252;
}

bool WriteDocument(const QString& path, const QString& text, const DocumentFormat& format,
                   QString* error) {
    try {
        const TextEncoding encoding = EncodingForSave(format, text);
        QByteArray bytes = EncodeText(text, encoding);
        if (format.endWithLineBreak)
            bytes += "\r\n";
        return WriteFileAtomic(path, bytes, error);
    } catch (const std::bad_alloc&) {
        if (error)
            *error = QStringLiteral("Minnet räcker inte");
        return false;
    }
}
