#pragma once
// Files as the program sees them: Windows-1252 text read and written whole, every write
// atomic, and the program folder.

#include "platform/encoding.h"

#include <QByteArray>
#include <QString>

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
