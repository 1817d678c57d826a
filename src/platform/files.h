#pragma once
// Files as the program sees them: Windows-1252 text read and written whole, every write
// atomic, and the program folder.

#include <QByteArray>
#include <QString>

// Windows-1252 to text. Every byte maps to one character; the five bytes the code page leaves
// undefined map to the control characters of the same value, so nothing is lost.
QString DecodeCp1252(const QByteArray& bytes);
// Text to Windows-1252. A character the code page cannot hold is written as "&#N;" with its
// code point (a surrogate pair gives one reference), so the page still shows it.
QByteArray EncodeCp1252(const QString& text);

// Reads a whole file. False when it cannot be opened or read; error then says why.
bool ReadFileBytes(const QString& path, QByteArray& bytes, QString* error = nullptr);
bool ReadTextFile(const QString& path, QString& text, QString* error = nullptr);

// Writes a whole file through a temporary file in the same folder that is then renamed into
// place, keeping the old file's permissions. A write-protected file (no write permission
// bit) is not replaced. On failure the old file is left exactly as it was.
bool WriteFileAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr);
bool WriteTextFileAtomic(const QString& path, const QString& text, QString* error = nullptr);

// True when the file exists and carries no write permission for anybody.
bool IsWriteProtected(const QString& path);

// The program folder: VESSILORA_HOME when set, otherwise the executable's folder. It never
// ends in "/" unless it is the root.
QString ProgramFolder();
// folder + "/" + name, with the separator added only when folder does not end in "/".
QString JoinPath(const QString& folder, const QString& name);
