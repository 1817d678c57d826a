#pragma once
// Files as the program sees them: text read and written whole, every write safe, and the
// program folder.

#include "platform/encoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files read whole at start and when a window opens (the settings, the entity table, the
// standard texts) are at most this large; a larger one counts as missing or unreadable, so
// a runaway file cannot stall the program.
constexpr qint64 StartFileSizeLimit = 4 * 1024 * 1024;

// Reads a whole file, of at most maxSize bytes when maxSize is not negative. False when it
// cannot be opened or read, is larger than that, or memory runs out; error then says why,
// in Swedish.
bool ReadFileBytes(const QString& path, QByteArray& bytes, QString* error = nullptr,
                   qint64 maxSize = -1);
// Reads a whole Windows-1252 file.
bool ReadTextFile(const QString& path, QString& text, QString* error = nullptr);

// Writes a whole file so that a failure leaves the old one exactly as it was; error then
// says why, in Swedish ("Disken är full", "Åtkomst nekad", "Filen är skrivskyddad").
// - Through a symbolic link the file it points to is written.
// - Normally the bytes go to a hidden temporary file beside the target, which then takes
//   the target's place at once, with the old file's permissions, owner and group.
// - A file with more than one name (hard links), one whose owner or group a new file could
//   not keep (somebody else's page in a shared folder), and one in a folder where no new file
//   can be made are written in place instead, so the file stays the same file: the new bytes
//   are first written whole to a temporary file elsewhere, room for them is taken on the
//   disk, and a write that fails half-way puts the old bytes back.
// - A write-protected file (no write permission bit), a file the user may not write, and
//   anything that is not a plain file are never replaced.
// The temporary files have hidden names that no document pattern matches (not even
// "*.htm*"); any that a killed save left behind are removed at the next save of the same
// file.
bool WriteFileAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr);
bool WriteTextFileAtomic(const QString& path, const QString& text, QString* error = nullptr);

// Many files written in a row (a batch run over a whole site, publishing a site): while an
// object of this class lives, WriteFileAtomic and CopyFileAtomic on this thread do not wait
// for each new file and its folder to reach the disk before going on, nor look for what killed
// writes of each file left behind (the caller removes that folder by folder with
// RemoveLeftoverTemporaries()); when the object ends,
// the file systems written to are flushed once (syncfs). A killed program still leaves every
// file whole or untouched, because each file still takes its target's place by one rename only
// once it is complete; only a power failure during the run may lose the last files written, as
// with any program that does not flush each file. Scopes nest; the flush happens when the
// outermost one ends.
class DeferredFileSync {
public:
    DeferredFileSync();
    ~DeferredFileSync();
    DeferredFileSync(const DeferredFileSync&) = delete;
    DeferredFileSync& operator=(const DeferredFileSync&) = delete;
    // A folder of each file system written to so far; they are then no longer flushed by this
    // object, for a caller that flushes them itself (FlushFileSystem), e.g. in another thread
    // so that a window stays painted.
    QStringList takeFolders();
};

// Copies a file so that the target is at every moment either its old self or the whole copy:
// the bytes go to a hidden temporary file beside the target (named as WriteFileAtomic names
// its temporary files), which is given the source's permission bits (read, write and execute
// for owner, group and others) and its modification and access times, and then takes the
// target's place. With content, those bytes are written instead of the source's (a copy
// converted on its way), still with the source's permission bits and times.
// - Through a symbolic link the file it points to is replaced.
// - A write-protected target, one the user may not write, a folder, anything that is not a
//   plain file, and the source itself are never replaced.
// - While a DeferredFileSync lives, the copy is left to the system to put on the disk.
// False on failure, the target then as it was and error saying why, in Swedish (IsDiskFull()
// tells a full disk).
bool CopyFileAtomic(const QString& source, const QString& target, QString* error = nullptr,
                    const QByteArray* content = nullptr);
// True when the reason a write failed is a full disk (or a used-up disk quota).
bool IsDiskFull(const QString& error);
// Removes the hidden temporary files that killed writes and copies left in the folder.
void RemoveLeftoverTemporaries(const QString& folder);
// Puts everything written to the file system that holds the path on the disk.
void FlushFileSystem(const QString& path);

// The reason a file operation failed with the system's error number, in Swedish.
QString FileErrorText(int errorNumber);

// True when the file exists and carries no write permission for anybody.
bool IsWriteProtected(const QString& path);

// The program folder: VESSILORA_HOME when set, otherwise the executable's folder. It never
// ends in "/" unless it is the root.
QString ProgramFolder();
// folder + "/" + name, with the separator added only when folder does not end in "/".
QString JoinPath(const QString& folder, const QString& name);
