#include "filecopy/filecopycore.h"

#include "markup/document.h"
#include "markup/globals.h"
#include "markup/linebreaks.h"
#include "platform/encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <chrono>
#include <future>
#include <new>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString LogLineBreak = QStringLiteral("\n");

// The real path of a folder or file (links followed); "" when it does not exist.
QString realPath(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

// True when path is folder or lies below it (both real paths).
bool isSameOrInside(const QString& path, const QString& folder) {
    if (path == folder)
        return true;
    return folder == QLatin1String("/") ? path.startsWith(folder)
                                        : path.startsWith(folder + QLatin1Char('/'));
}

// The path of a folder of the walk below the root: "" for the root, else "img/foton".
QString relativeFolder(const QString& root, const QString& folder) {
    if (folder == root)
        return QString();
    return folder.mid(root.endsWith(QLatin1Char('/')) ? root.size() : root.size() + 1);
}

// The names of the symbolic links in a folder, read with the system's own calls (which tell
// a link without looking at each file, as QDir does).
QSet<QString> linkNames(const QString& folder) {
    QSet<QString> names;
    DIR* entries = ::opendir(QFile::encodeName(folder).constData());
    if (!entries)
        return names;
    while (const dirent* entry = ::readdir(entries)) {
        struct stat info {};
        const bool link = entry->d_type == DT_LNK || (entry->d_type == DT_UNKNOWN &&
                                                      ::fstatat(::dirfd(entries), entry->d_name,
                                                                &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                                                      S_ISLNK(info.st_mode));
        if (link)
            names.insert(QFile::decodeName(entry->d_name));
    }
    ::closedir(entries);
    return names;
}

bool isHtmlPage(const QString& name) {
    const QString lower = name.toLower();
    return lower.endsWith(QLatin1String(".htm")) || lower.endsWith(QLatin1String(".html"));
}

} // namespace

QString RefuseCopyFolders(const QString& source, const QString& target) {
    const QString from = realPath(source);
    const QString to = realPath(target);
    if (from.isEmpty())
        return QStringLiteral("Katalogen ") + source + QStringLiteral(" finns inte.");
    if (to.isEmpty())
        return QStringLiteral("Katalogen ") + target + QStringLiteral(" finns inte.");
    if (from == to)
        return QStringLiteral("Du kan inte kopiera till samma katalog.");
    if (isSameOrInside(to, from))
        return QStringLiteral("Du kan inte kopiera till en underkatalog till källkatalogen.");
    return QString();
}

std::optional<QDate> ReadCopyDate(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> ReadCopyTime(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^([0-9]{1,2})[:.]([0-9]{1,2})(?:[:.]([0-9]{1,2}))?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    // Seconds left out are 0.
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

FileCopy::FileCopy(CopyOptions options) : m_options(std::move(options)) {
    m_options.source = NormalizeFolder(m_options.source);
    m_options.target = NormalizeFolder(m_options.target);
    m_sourceReal = realPath(m_options.source);
}

void FileCopy::write(const QString& text) {
    if (log)
        log(text);
}

void FileCopy::fail(const QString& line) {
    write(line + LogLineBreak);
    m_failures.append(line);
}

void FileCopy::cancel() {
    if (m_cancelled)
        return;
    m_cancelled = true;
    write(QStringLiteral("Kopieringen avbröts."));
}

bool FileCopy::insideSource(const QString& path) const {
    const QString real = realPath(path);
    return !real.isEmpty() && !m_sourceReal.isEmpty() && isSameOrInside(real, m_sourceReal);
}

QList<FileCopy::Folder> FileCopy::listFolders() {
    QList<Folder> folders;
    auto add = [&](const QString& folder) {
        folders.append({folder, true, ListFiles(folder, m_options.pattern)});
        m_counters.total += int(folders.last().files.size());
    };
    if (!m_options.withSubfolders) {
        if (IsReadableFolder(m_options.source))
            add(m_options.source);
        else
            folders.append({m_options.source, false, {}});
        return folders;
    }
    FolderWalk walk(m_options.source);
    walk.unreadable = [&folders](const QString& folder) { folders.append({folder, false, {}}); };
    QString folder;
    while (!m_cancelled && walk.next(folder)) {
        add(folder);
        if (checkpoint)
            checkpoint(m_counters);
    }
    return folders;
}

CopyEnd FileCopy::run() {
    // The copies are left to the system as they are made; the disk is flushed once at the end.
    DeferredFileSync deferred;
    m_counters = CopyCounters{};
    m_diskFull = false;
    m_failures.clear();
    const QList<Folder> folders = listFolders();
    for (const Folder& folder : folders) {
        if (m_cancelled)
            break;
        if (!folder.readable) {
            fail(QStringLiteral("Kunde inte öppna katalogen: ") + folder.path);
            continue;
        }
        if (!copyFolder(folder))
            break;
    }
    flushTarget(deferred.takeFolders());
    write(QStringLiteral("Klart.") + LogLineBreak);
    WorkText.clear();
    if (m_diskFull)
        return CopyEnd::DiskFull;
    return m_cancelled ? CopyEnd::Cancelled : CopyEnd::Finished;
}

void FileCopy::flushTarget(const QStringList& folders) {
    if (!m_options.flushAtEnd)
        return;
    std::future<void> flushed = std::async(std::launch::async, [folders] {
        for (const QString& folder : folders)
            FlushFileSystem(folder);
    });
    while (flushed.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        if (checkpoint)
            checkpoint(m_counters);
    }
}

bool FileCopy::copyFolder(const Folder& folder) {
    const QString relative = relativeFolder(m_options.source, folder.path);
    const QString targetFolder =
        relative.isEmpty() ? m_options.target : JoinPath(m_options.target, relative);
    // The target folder is made when missing; one that cannot be made shows in the files.
    if (!relative.isEmpty() && !m_options.dryRun)
        QDir().mkdir(targetFolder);
    if (!m_options.dryRun)
        RemoveLeftoverTemporaries(targetFolder);
    // A target folder that is (through a link) part of the source tree gets nothing.
    if (insideSource(targetFolder)) {
        fail(QStringLiteral("Kan inte kopiera till källkatalogen: ") + targetFolder);
        m_counters.done += int(folder.files.size());
        return true;
    }
    const QSet<QString> links = linkNames(targetFolder);
    for (const QString& name : folder.files) {
        if (!copyFile(JoinPath(folder.path, name), JoinPath(targetFolder, name),
                      links.contains(name)))
            return false;
    }
    return true;
}

bool FileCopy::copyFile(const QString& source, const QString& target, bool link) {
    if (m_cancelled)
        return false;
    bool copy = true;
    if (m_options.changedSince) {
        // Compared to the second, as the times are shown: a file changed 11:59:59.7 was
        // changed before 12:00:00.
        const qint64 changed = QFileInfo(source).lastModified().toMSecsSinceEpoch();
        const qint64 second = changed >= 0 ? changed / 1000 : (changed - 999) / 1000;
        copy = second >= m_options.changedSince->toSecsSinceEpoch();
    }
    if (copy) {
        if (link && insideSource(target)) {
            fail(QStringLiteral("Kan inte kopiera: ") + target +
                 QStringLiteral(" (filen är en länk till källkatalogen)"));
        } else if (m_options.compress && isHtmlPage(target)) {
            if (!copyPage(source, target))
                return false;
        } else if (!copyOne(source, target, nullptr)) {
            return false;
        }
    }
    ++m_counters.done;
    m_counters.total = qMax(m_counters.total, m_counters.done);
    if (checkpoint)
        checkpoint(m_counters);
    return !m_cancelled;
}

bool FileCopy::copyPage(const QString& source, const QString& target) {
    QByteArray bytes;
    QString why;
    if (!ReadFileBytes(source, bytes, &why, MaxDocumentBytes)) {
        // Copied as it is when it can be (a page too large to convert); a page that cannot
        // be read at all cannot be copied either, and the copy says so.
        const int copiedBefore = m_counters.copied;
        if (!copyOne(source, target, nullptr))
            return false;
        if (m_counters.copied > copiedBefore)
            fail(QStringLiteral("Kunde inte öppna: ") + target);
        return true;
    }
    // An empty page is copied as it is: nothing to convert and nothing saved.
    if (bytes.isEmpty())
        return copyOne(source, target, nullptr);
    std::optional<QByteArray> converted;
    try {
        TextEncoding encoding = TextEncoding::Cp1252;
        WorkText = DecodeDetected(bytes, EncodingRules::Document, &encoding);
        StatusText.clear();
        ConvertLineBreaks(3);
        if (StatusText == QLatin1String("Klart")) {
            converted = EncodeText(WorkText, encoding);
            if (!converted->isEmpty())
                converted->append('\n');
        } else {
            fail(QStringLiteral("Kunde inte komprimera: ") + target);
        }
    } catch (const std::bad_alloc&) {
        fail(QStringLiteral("Kunde inte öppna: ") + target);
    }
    WorkText.clear();
    // A page that could not be converted is still published, as it is.
    if (!converted)
        return copyOne(source, target, nullptr);
    const int copiedBefore = m_counters.copied;
    if (!copyOne(source, target, &*converted))
        return false;
    if (m_counters.copied > copiedBefore) {
        ++m_counters.compressed;
        m_counters.compressionChange += converted->size() - bytes.size();
    }
    return true;
}

bool FileCopy::copyOne(const QString& source, const QString& target, const QByteArray* content) {
    QString why;
    if (m_options.dryRun) {
        // What the copy would meet that can be told without writing: a protected target.
        if (IsWriteProtected(target)) {
            fail(QStringLiteral("Kan inte kopiera: ") + target +
                 QStringLiteral(" (Filen är skrivskyddad)"));
            return true;
        }
        write(QStringLiteral("Skulle kopieras: ") + target + LogLineBreak);
        ++m_counters.copied;
        return true;
    }
    if (CopyFileAtomic(source, target, &why, content)) {
        ++m_counters.copied;
        return true;
    }
    fail(QStringLiteral("Kan inte kopiera: ") + target + QStringLiteral(" (") + why +
         QStringLiteral(")"));
    if (!IsDiskFull(why))
        return true;
    write(QStringLiteral("Enheten är full."));
    m_diskFull = true;
    return false;
}
