#pragma once
// Reading and writing a document, the one place every window and tool does it (the editor,
// templates, the batch run, the file copy, the guides): the bytes are decoded in the encoding
// found (Windows-1252 or UTF-8, the same decision for every reader), the final line break is
// dropped or kept as the caller says, and writing encodes the text in the document's own
// encoding and replaces the file atomically, so a failed write leaves the old file whole.

#include "platform/encoding.h"

#include <QString>
#include <optional>

// The largest document read, in bytes. A larger file is reported as too large and not read.
constexpr qint64 MaxDocumentBytes = 256LL * 1024 * 1024;

// How a document is written back so that it stays as it was read.
struct DocumentFormat {
    // The encoding the file was read in; none for a new document, whose encoding is decided
    // when it is first saved (EncodingForSave).
    std::optional<TextEncoding> encoding;
    // The reader dropped a final CR LF, or the document is new: saving ends the text with
    // CR LF. A file that did not end in CR LF is saved without one.
    bool endWithLineBreak = true;
    bool operator==(const DocumentFormat&) const = default;
};

// The format of the document open in the editor.
inline DocumentFormat CurrentFormat;

enum class ReadOutcome {
    Ok,
    Unreadable, // missing, a folder, no permission, or a read error
    TooLarge,   // larger than MaxDocumentBytes, or more than memory allows
};

struct DocumentRead {
    ReadOutcome outcome = ReadOutcome::Unreadable;
    QString text;
    DocumentFormat format;
    QString error; // why it could not be read, in Swedish
};

enum class FinalBreak {
    Keep, // the text exactly as the file holds it
    Drop, // a final CR LF of a text of 3 or more characters is dropped (the editor's open)
};

DocumentRead ReadDocument(const QString& path, FinalBreak finalBreak = FinalBreak::Keep);

// The encoding a document is saved in: its own, or for a new document UTF-8 when its text
// declares charset=utf-8 and Windows-1252 otherwise.
TextEncoding EncodingForSave(const DocumentFormat& format, const QString& text);

// Writes the text (with CR LF after it when the format says so) in the document's encoding,
// replacing the file atomically. False when it cannot be written; the old file is then left
// as it was and error says why, in Swedish.
bool WriteDocument(const QString& path, const QString& text, const DocumentFormat& format,
                   QString* error = nullptr);
