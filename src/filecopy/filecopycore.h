#pragma once
// Publishing a site: copying the files of a working folder (and the folders below it) to a
// publishing folder, optionally only the files changed at or after a moment and matching a
// pattern, optionally with the line breaks of HTML pages reduced to LF to make them smaller.
//
// Neither tree is ever damaged:
// - a copy never goes into the source tree: the target may not be the source or lie inside
//   it (both compared as real paths, symbolic links followed), and a target folder or file
//   that leads back into the source through a link is skipped;
// - every file is copied whole into a hidden temporary file beside its target, which takes
//   the target's place only when complete, so a full disk, a cancel or a killed program
//   leaves each target either as it was or the whole new copy;
// - a copy keeps its source's modification time and permission bits;
// - hidden folders and files are not published and links to folders are not followed.
//
// The copy works without windows (Qt Core only), so it can also run where there is no
// window system: whoever drives it reads its log and counters and can cancel it at the check
// point called after each file.

#include "platform/files.h"
#include "platform/folders.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <functional>
#include <optional>

// The message that refuses a copy from source to target (the folders as the user chose
// them), or "" when the copy may go ahead.
QString RefuseCopyFolders(const QString& source, const QString& target);

// A date as typed in the criteria: year-month-day with one or two digits for the month and
// the day ("2002-3-1"). Nothing for a text that is not a date.
std::optional<QDate> ReadCopyDate(const QString& text);
// A time as typed in the criteria: hours and minutes, with or without seconds ("9:00",
// "09:00:00"; "." also separates). Nothing for a text that is not a time.
std::optional<QTime> ReadCopyTime(const QString& text);

// What to copy.
struct CopyOptions {
    QString source; // the working folder
    QString target; // the publishing folder
    bool withSubfolders = true;
    // HTML pages (".htm", ".html") get LF line breaks and end in one LF.
    bool compress = true;
    // Only files last changed at or after this moment (to the second, in local time).
    std::optional<QDateTime> changedSince;
    FilePattern pattern{QStringLiteral("*.*")};
    // Each file is handed to the system as it is copied (atomic against a killed program,
    // DeferredFileSync), and with flushAtEnd the target disk is flushed once when the copy
    // ends, while the check point keeps being called (so a window stays painted on a slow
    // disk).
    bool flushAtEnd = true;
    // A trial run: nothing is written and no folder made; each file that would be copied is
    // logged ("Skulle kopieras: " and the target) and counted as the copy would count it.
    bool dryRun = false;
};

struct CopyCounters {
    int done = 0;   // listed files gone through
    int total = 0;  // listed files in the tree when the copy began
    int copied = 0; // files copied
    int compressed = 0;
    // Bytes written minus bytes read, over the compressed pages (normally negative).
    qint64 compressionChange = 0;
};

enum class CopyEnd { Finished, Cancelled, DiskFull };

class FileCopy {
public:
    explicit FileCopy(CopyOptions options);

    // Receives the text of the message log as it grows; "\n" ends a line.
    std::function<void(const QString& text)> log;
    // Called after each listed file, and once per folder while the files are counted: where
    // a window lets its events run, so that a cancel can come.
    std::function<void(const CopyCounters& counters)> checkpoint;

    // Runs the copy to its end, a cancel or a full disk. The log ends with "Klart.".
    CopyEnd run();
    // Ends the copy at its next check point and logs "Kopieringen avbröts." (without a line
    // break: the copy's own "Klart." follows on the same line).
    void cancel();
    bool cancelled() const { return m_cancelled; }
    const CopyCounters& counters() const { return m_counters; }
    // The log lines of the files and folders that failed (not copied, or copied but not
    // compressed), without their line breaks.
    const QStringList& failures() const { return m_failures; }

private:
    struct Folder {
        QString path;
        bool readable = true;
        QStringList files; // the listed files, as counted before the copy
    };
    QList<Folder> listFolders();
    // The files of one folder; false when the copy must end.
    bool copyFolder(const Folder& folder);
    // One listed file; false when the copy must end.
    // link: the target is a symbolic link.
    bool copyFile(const QString& source, const QString& target, bool link);
    // An HTML page with its line breaks reduced; false when the copy must end.
    bool copyPage(const QString& source, const QString& target);
    // Copies the source, or writes content as its copy; false when the copy must end.
    bool copyOne(const QString& source, const QString& target, const QByteArray* content);
    void write(const QString& text);
    // Logs a failure line and keeps it in failures().
    void fail(const QString& line);
    bool insideSource(const QString& path) const;
    // Flushes the target disk (the folders written to) while calling the check point.
    void flushTarget(const QStringList& folders);

    CopyOptions m_options;
    QString m_sourceReal; // the source as a real path
    CopyCounters m_counters;
    bool m_cancelled = false;
    bool m_diskFull = false;
    QStringList m_failures;
};
