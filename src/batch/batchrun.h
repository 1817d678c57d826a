#pragma once
// The batch run without windows: which files it takes, the checks before it starts, the
// backup names and the per-file pipeline with its log. The batch window and the command line
// drive the same run; they see it only through the hooks of BatchRun (the log, the points
// where window events may be processed, the folder being worked on, the count of files done)
// and through CancelRequested, which the run reads after each such point.
//
// Per file, in this order: an optional backup, reading the file (in its own encoding,
// Windows-1252 or UTF-8), search and replace, conversion to HTML codes, line breaks, line
// compression, the three checks (which only report), and saving. A file is written only when
// the run changed its text, atomically and in the encoding it was read in; a file the run did
// not change keeps every byte and its date. A run adds nothing to a file: when the line-break
// step ran, the text ends with one break of the chosen style, otherwise it ends as it did.
//
// Every file is either left as it was or replaced whole by its new text, and every backup is
// whole, whatever stops the run (cancel, a full disk, a killed program).

#include "batch/searchreplace.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What the run does, taken when it starts.
struct BatchSettings {
    bool searchReplace = false; // forced off when there are no pairs
    bool convert = false;
    bool lineBreaks = false;
    bool errorSearch = false;
    bool backup = true;
    QString backupExtension = QStringLiteral("BAK");
    bool matchCase = false;
    int lineBreakStyle = 1; // 1 CR LF, 2 CR, 3 LF
    bool compressLines = false;
    bool checkBrackets = true;
    bool checkQuotes = true;
    bool checkStandardTags = true;
    QStringList searchTexts; // the pairs as typed
    QStringList replaceTexts;
    // A trial run: every step runs and is logged, but nothing is written (no backup, no
    // page); the save step tells whether the page would change.
    bool dryRun = false;

    // True when a step that changes or checks the text is on (a backup alone is no work).
    bool hasWork() const { return searchReplace || convert || lineBreaks || errorSearch; }
};

// The settings from the program-wide batch variables (line-break style, compression, the
// three checks and the search-and-replace list) and the batch window's check boxes.
BatchSettings BatchSettingsFromGlobals(bool searchReplace, bool matchCase, bool convert,
                                       bool lineBreaks, bool errorSearch, bool backup,
                                       const QString& backupExtension);

// Which files the run takes.
struct BatchSelection {
    QString root;            // the folder the run starts in
    bool subfolders = false; // every matching file of root and of every folder below it
    QString pattern = QStringLiteral("*.htm*"); // the file filter, used with subfolders
    QStringList files; // without subfolders: the chosen names in root, in list order
};

// A message box the start shows instead of running.
struct StartMessage {
    QString text;
    QString title;
    bool operator==(const StartMessage&) const = default;
};
// The checks made before a run: no file chosen (listed: the files of the list, chosen: how
// many of them are selected; neither counts with subfolders), nothing to do, or a backup
// extension no file name can carry.
std::optional<StartMessage> CheckStart(const BatchSettings& settings, bool subfolders, int listed,
                                       int chosen);

// The backup name of a file: the file's path up to and including the last "." of its name,
// followed by the extension; the path, "." and the extension when the name has no dot.
QString BackupName(const QString& file, const QString& extension);
// False for an extension that would put the backup in another folder or no file name can
// hold (one with "/" or a NUL character).
bool IsUsableBackupExtension(const QString& extension);

// A problem a check found in a page: the check's message and the line (1-based, in the text
// as the run leaves it) where the faulty spot starts.
struct BatchFinding {
    QString message;
    int line = 0;
};

// What became of one file (or of a folder that could not be read).
struct BatchFileResult {
    enum class Outcome { Unchanged, Changed, Failed };
    QString file;
    Outcome outcome = Outcome::Unchanged; // Changed: written, or would be in a trial run
    QString failure;                      // the log's failure text, for Failed
    qsizetype replacements = 0;           // texts replaced by search and replace
    QList<BatchFinding> findings;
};

class BatchRun {
public:
    BatchRun(BatchSettings settings, BatchSelection selection);

    // AppendStatus of the progress window: the text, then that many line breaks (0..2).
    std::function<void(const QString& text, int breaks)> appendStatus;
    // The points where the windows may process their events (pause, cancel, repainting).
    // CancelRequested is read after each.
    std::function<void()> processEvents;
    // The run moves on to the files of a folder.
    std::function<void(const QString& folder)> folderEntered;
    // Files done (processed, skipped or failed) of all the run takes.
    std::function<void(int done, int total)> progress;
    // Each file gone through (not the one a cancel stopped), and each folder that could not
    // be read.
    std::function<void(const BatchFileResult& result)> fileDone;

    // Lists the folders and files the run takes (done by run() when not called before): each
    // folder's files are listed before the run starts, so files the run makes (backups) are
    // never taken. Returns the number of files.
    int plan();
    int total() const { return m_total; }

    enum class Outcome { Finished, Cancelled };
    Outcome run();

    // Counts of the finished run.
    int written() const { return m_written; }
    int failed() const { return m_failed; }

private:
    struct Folder {
        QString path;
        QStringList files;
        bool readable = true;
    };
    enum class FileOutcome { Next, Cancel };
    FileOutcome processFile(const QString& folder, const QString& name);
    // The pipeline of one file, filling in the result.
    FileOutcome runPipeline(const QString& file, BatchFileResult& result);
    bool makeBackup(const QString& file, const QSet<QString>& planned, QString& status);
    // Logs a failure (a blank, "Misslyckades" and why) and marks the result failed.
    void failFile(BatchFileResult& result, const QString& why, int breaks);
    void append(const QString& text, int breaks);
    // Processes window events and tells whether the user cancelled.
    bool cancelledAfterEvents();
    bool cancelled() const;

    BatchSettings m_settings;
    BatchSelection m_selection;
    QList<Folder> m_folders;
    bool m_planned = false;
    int m_total = 0;
    int m_done = 0;
    int m_written = 0;
    int m_failed = 0;
    QSet<QString> m_plannedInFolder; // the files of the current folder the run takes
    QSet<QString> m_backupsMade;     // the backups made so far, as full paths
    PairTable m_pairs;
};
