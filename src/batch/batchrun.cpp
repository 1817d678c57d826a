#include "batch/batchrun.h"

#include "markup/checks.h"
#include "markup/document.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "markup/linebreaks.h"
#include "platform/files.h"
#include "platform/folders.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString Done = QStringLiteral("Klart");
const QString Failed = QStringLiteral("Misslyckades");

QString failedBecause(const QString& why) {
    return why.isEmpty() ? Failed : Failed + QStringLiteral(" (") + why + QLatin1Char(')');
}

QString lineBreak(int style) {
    switch (style) {
    case 2:
        return QStringLiteral("\r");
    case 3:
        return QStringLiteral("\n");
    default:
        return QStringLiteral("\r\n");
    }
}

// The line (1-based) of a 1-based position; CR LF, a lone CR and a lone LF each end a line.
int lineOf(const QString& text, int position) {
    const qsizetype end = qBound(qsizetype(0), qsizetype(position) - 1, text.size());
    int line = 1;
    for (qsizetype i = 0; i < end; ++i) {
        if (text[i] == u'\n' ||
            (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')))
            ++line;
    }
    return line;
}

} // namespace

BatchSettings BatchSettingsFromGlobals(bool searchReplace, bool matchCase, bool convert,
                                       bool lineBreaks, bool errorSearch, bool backup,
                                       const QString& backupExtension) {
    BatchSettings settings;
    settings.searchReplace = searchReplace && PairCount > 0;
    settings.matchCase = matchCase;
    settings.convert = convert;
    settings.lineBreaks = lineBreaks;
    settings.errorSearch = errorSearch;
    settings.backup = backup;
    settings.backupExtension = backupExtension;
    settings.lineBreakStyle = BatchLineBreakStyle;
    settings.compressLines = BatchCompressLines;
    settings.checkBrackets = BatchCheckBrackets;
    settings.checkQuotes = BatchCheckQuotes;
    settings.checkStandardTags = BatchCheckStandardTags;
    settings.searchTexts = SearchTexts.mid(0, PairCount);
    settings.replaceTexts = ReplaceTexts.mid(0, PairCount);
    return settings;
}

std::optional<StartMessage> CheckStart(const BatchSettings& settings, bool subfolders, int listed,
                                       int chosen) {
    // Without subfolders the run takes the selected files: none selected is nothing to run,
    // whichever file happens to be the current one.
    if (!subfolders && (listed == 0 || chosen == 0))
        return StartMessage{QStringLiteral("Välj vilka/vilken fil du vill ändra på."),
                            QStringLiteral("Välj filer")};
    if (!settings.hasWork())
        return StartMessage{QStringLiteral("Det finns ingenting att göra."), QStringLiteral("Fel")};
    if (settings.backup && !IsUsableBackupExtension(settings.backupExtension))
        return StartMessage{
            QStringLiteral("Filtillägget för backup får inte innehålla tecknet \"/\"."),
            QStringLiteral("Fel")};
    return std::nullopt;
}

QString BackupName(const QString& file, const QString& extension) {
    const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    if (dot > slash)
        return file.left(dot + 1) + extension;
    return file + QLatin1Char('.') + extension;
}

bool IsUsableBackupExtension(const QString& extension) {
    return !extension.contains(QLatin1Char('/')) && !extension.contains(QChar(0));
}

BatchRun::BatchRun(BatchSettings settings, BatchSelection selection)
    : m_settings(std::move(settings)), m_selection(std::move(selection)) {
    if (m_settings.searchReplace)
        m_pairs = PairTable(m_settings.searchTexts, m_settings.replaceTexts, m_settings.matchCase);
}

int BatchRun::plan() {
    m_folders.clear();
    if (m_selection.subfolders) {
        const FilePattern pattern(m_selection.pattern);
        FolderWalk walk(m_selection.root);
        walk.unreadable = [this](const QString& folder) { m_folders.append({folder, {}, false}); };
        QString folder;
        while (walk.next(folder))
            m_folders.append({folder, ListFiles(folder, pattern), true});
    } else {
        m_folders.append({NormalizeFolder(m_selection.root), m_selection.files, true});
    }
    m_total = 0;
    for (const Folder& folder : m_folders)
        m_total += static_cast<int>(folder.files.size());
    m_planned = true;
    return m_total;
}

BatchRun::Outcome BatchRun::run() {
    if (!m_planned)
        plan();
    m_done = m_written = m_failed = 0;
    m_backupsMade.clear();
    // Each page is still replaced whole by a rename; the disk is flushed once, at the end.
    const DeferredFileSync flushAtTheEnd;
    for (const Folder& folder : m_folders) {
        if (!folder.readable) {
            append(QStringLiteral("Öppnar mapp: ") + folder.path + QStringLiteral("..."), 0);
            BatchFileResult result;
            result.file = folder.path;
            failFile(result, Failed, 2);
            if (fileDone)
                fileDone(result);
            continue;
        }
        if (folderEntered)
            folderEntered(folder.path);
        if (!m_settings.dryRun)
            RemoveLeftoverTemporaries(folder.path);
        m_plannedInFolder.clear();
        for (const QString& name : folder.files)
            m_plannedInFolder.insert(JoinPath(folder.path, name));
        for (const QString& name : folder.files) {
            if (processFile(folder.path, name) == FileOutcome::Cancel)
                return Outcome::Cancelled;
            ++m_done;
            if (progress)
                progress(m_done, m_total);
        }
    }
    return Outcome::Finished;
}

void BatchRun::append(const QString& text, int breaks) {
    if (appendStatus)
        appendStatus(text, breaks);
}

bool BatchRun::cancelled() const {
    return CancelRequested;
}

bool BatchRun::cancelledAfterEvents() {
    if (processEvents)
        processEvents();
    return cancelled();
}

bool BatchRun::makeBackup(const QString& file, const QSet<QString>& planned, QString& status) {
    const QString& extension = m_settings.backupExtension;
    if (!IsUsableBackupExtension(extension)) {
        status = failedBecause(QStringLiteral("filtillägget kan inte användas"));
        return false;
    }
    const QString name = BackupName(file, extension);
    // A backup must never take the place of a page: not the file itself, not another file
    // the run takes, not the backup of another file of this run.
    if (name == file || planned.contains(name)) {
        status = failedBecause(name + QStringLiteral(" är en fil som bearbetas"));
        return false;
    }
    if (m_backupsMade.contains(name)) {
        status = failedBecause(name + QStringLiteral(" är redan backup av en annan fil"));
        return false;
    }
    const QFileInfo target(name);
    if (target.isSymLink() || (target.exists() && !target.isFile())) {
        status = failedBecause(name + QStringLiteral(" är ingen vanlig fil"));
        return false;
    }
    if (m_settings.dryRun) {
        m_backupsMade.insert(name);
        status = QStringLiteral("Provkörning, skulle bli ") + name;
        return true;
    }
    QByteArray bytes;
    QString why;
    if (!ReadFileBytes(file, bytes, &why, MaxDocumentBytes)) {
        status = failedBecause(why);
        return false;
    }
    const bool existed = target.exists();
    if (!WriteFileAtomic(name, bytes, &why)) {
        status = failedBecause(why);
        return false;
    }
    // A new backup is as private as the page it copies.
    if (!existed)
        QFile::setPermissions(name, QFile::permissions(file));
    m_backupsMade.insert(name);
    status = Done + QStringLiteral(" (") + name + QLatin1Char(')');
    return true;
}

void BatchRun::failFile(BatchFileResult& result, const QString& text, int breaks) {
    StatusText = Failed;
    append(QLatin1Char(' ') + text, breaks);
    result.outcome = BatchFileResult::Outcome::Failed;
    result.failure = text;
    ++m_failed;
}

BatchRun::FileOutcome BatchRun::processFile(const QString& folder, const QString& name) {
    BatchFileResult result;
    result.file = JoinPath(folder, name);
    const FileOutcome outcome = runPipeline(result.file, result);
    if (outcome == FileOutcome::Next && fileDone)
        fileDone(result);
    return outcome;
}

BatchRun::FileOutcome BatchRun::runPipeline(const QString& file, BatchFileResult& result) {
    CurrentFile = file;

    if (m_settings.backup) {
        append(QStringLiteral("Gör backup..."), 0);
        if (processEvents)
            processEvents();
        QString status;
        if (!makeBackup(file, m_plannedInFolder, status)) {
            failFile(result, status, 1);
            return FileOutcome::Next;
        }
        StatusText = Done;
        append(QLatin1Char(' ') + status, 1);
    }
    if (cancelled())
        return FileOutcome::Cancel;

    append(QStringLiteral("Öppnar: ") + file + QStringLiteral("..."), 0);
    StatusText.clear();
    DocumentRead read = ReadDocument(file, FinalBreak::Keep);
    if (read.outcome != ReadOutcome::Ok) {
        failFile(result,
                 failedBecause(read.outcome == ReadOutcome::TooLarge
                                   ? QStringLiteral("Filen är för stor")
                                   : read.error),
                 2);
        return FileOutcome::Next;
    }
    append(QLatin1Char(' ') + Done, 1);
    const QString original = read.text;
    WorkText = std::move(read.text);
    if (cancelledAfterEvents())
        return FileOutcome::Cancel;

    // One step: its log line, the window events, the routine, its outcome.
    const auto step = [this](const char* text, const std::function<void()>& routine) {
        append(QString::fromUtf8(text), 0);
        if (processEvents)
            processEvents();
        routine();
        append(QLatin1Char(' ') + StatusText, 1);
    };
    if (m_settings.searchReplace)
        step("Söker och ersätter...",
             [this, &result] { SearchAndReplace(m_pairs, &result.replacements); });
    if (cancelled())
        return FileOutcome::Cancel;
    if (m_settings.convert)
        step("Konverterar...", [] { ConvertCharacters(); });
    if (cancelled())
        return FileOutcome::Cancel;
    const int style = m_settings.lineBreakStyle;
    if (m_settings.lineBreaks)
        step("Radbrytningar...", [style] { ConvertLineBreaks(style); });
    if (cancelled())
        return FileOutcome::Cancel;
    if (m_settings.lineBreaks && m_settings.compressLines)
        step("Komprimerar rader...", [] { CompressLines(); });
    // A check that finds something leaves its kind in ErrorKind (which it does not clear).
    const auto check = [&step, &result](const char* text, void (*routine)()) {
        step(text, [routine, &result] {
            ErrorKind = 0;
            routine();
            if (ErrorKind != 0)
                result.findings.append({StatusText, lineOf(WorkText, ErrorStart)});
        });
    };
    if (m_settings.errorSearch && m_settings.checkBrackets)
        check("Söker fel på taggar...", CheckBrackets);
    if (m_settings.errorSearch && m_settings.checkQuotes)
        check("Söker citatsfel...", CheckQuotes);
    if (m_settings.errorSearch && m_settings.checkStandardTags)
        check("Söker standardtaggar...", CheckStandardTags);
    if (cancelled())
        return FileOutcome::Cancel;

    append(QStringLiteral("Sparar..."), 0);
    StatusText.clear();
    QString text = std::move(WorkText);
    WorkText.clear();
    // The line-break step took the breaks at the ends away: one break of its style ends the
    // file again.
    if (m_settings.lineBreaks && !text.isEmpty())
        text += lineBreak(style);
    const bool changed = text != original;
    if (m_settings.dryRun) {
        // What the save would meet that can be told without writing: a protected page.
        if (changed && IsWriteProtected(file)) {
            failFile(result, failedBecause(QStringLiteral("Filen är skrivskyddad")), 2);
            return FileOutcome::Next;
        }
        append(changed ? QStringLiteral(" Provkörning, skulle ändras")
                       : QStringLiteral(" Provkörning, oförändrad"),
               2);
    } else {
        QString why;
        if (changed) {
            read.format.endWithLineBreak = false;
            if (!WriteDocument(file, text, read.format, &why)) {
                failFile(result, failedBecause(why), 2);
                return FileOutcome::Next;
            }
            ++m_written;
        }
        append(QLatin1Char(' ') + Done, 2);
    }
    if (changed)
        result.outcome = BatchFileResult::Outcome::Changed;
    return FileOutcome::Next;
}
