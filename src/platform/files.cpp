#include "platform/files.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

bool fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

bool failWithErrno(QString* error, int errorNumber) {
    return fail(error, FileErrorText(errorNumber));
}

const QString TooLarge = QStringLiteral("Filen är för stor");
const QString OutOfMemory = QStringLiteral("Minnet räcker inte");

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : handle(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return handle; }
    bool valid() const { return handle >= 0; }
    // Closes now; the system's error number, or 0.
    int close() {
        const int result = handle >= 0 && ::close(handle) != 0 ? errno : 0;
        handle = -1;
        return result;
    }
    void reset(int other = -1) {
        if (handle >= 0)
            ::close(handle);
        handle = other;
    }

private:
    int handle;
};

// Writes every byte at the start of the file; the system's error number, or 0.
int writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done),
                     static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        done += n;
    }
    return 0;
}

// Set while a DeferredFileSync lives on this thread: the folders written to, one for each
// file system, to be flushed when it ends.
thread_local int deferredDepth = 0;
thread_local QHash<dev_t, QString> deferredFolders;
thread_local QString lastDeferredFolder; // recorded in deferredFolders already

// Remembers the folder of a file written while flushing is deferred; true when it is.
bool deferFlush(const QString& folder) {
    if (deferredDepth == 0)
        return false;
    // Files come folder by folder: the folder of the last file is known already.
    if (folder == lastDeferredFolder)
        return true;
    lastDeferredFolder = folder;
    struct stat info {};
    if (::stat(nativePath(folder).constData(), &info) == 0 &&
        !deferredFolders.contains(info.st_dev))
        deferredFolders.insert(info.st_dev, folder);
    return true;
}

int syncAndClose(Descriptor& fd) {
    if (::fsync(fd.get()) != 0)
        return errno;
    return fd.close();
}

// The renaming of a file only lasts once its folder is on the disk too.
void syncFolder(const QString& folder) {
    Descriptor fd(::open(nativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

// Temporary files beside a file are hidden and named
// ".<name up to its first dot>.vessilora-<8 hex digits of the whole name>-<6 letters>".
// Neither part can hold ".htm" or the file's extension, so no document pattern matches them,
// and the digits tell the temporary files of one file from those of another.
QString temporaryPrefix(const QString& fileName) {
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    const QString stem = (dot < 0 ? fileName : fileName.left(dot)).left(64);
    const QByteArray digits =
        QCryptographicHash::hash(fileName.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QLatin1Char('.') + stem + (stem.isEmpty() ? QString() : QStringLiteral(".")) +
           QStringLiteral("vessilora-") + QString::fromLatin1(digits) + QLatin1Char('-');
}

constexpr int RandomLetters = 6;

QString randomLetters() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString result;
    for (int k = 0; k < RandomLetters; ++k)
        result += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return result;
}

// Removes what a killed save of the file left behind.
void removeStaleTemporaries(const QString& folder, const QString& prefix) {
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (name.size() == prefix.size() + RandomLetters && name.startsWith(prefix))
            ::unlink(nativePath(JoinPath(folder, name)).constData());
    }
}

// A hidden temporary file beside a target, removed again unless it takes the target's place.
class TemporaryBeside {
public:
    // Makes the file. Written alone, it first removes what a killed write of the same target
    // left behind; in a run of many files (a DeferredFileSync lives) the caller does that
    // folder by folder (RemoveLeftoverTemporaries) and the flush waits for the run's end.
    // On failure valid() is false and errorNumber() says why.
    explicit TemporaryBeside(const QString& target) : m_target(target) {
        const QFileInfo info(target);
        m_folder = info.absolutePath();
        m_deferred = deferFlush(m_folder);
        const QString prefix = temporaryPrefix(info.fileName());
        if (!m_deferred)
            removeStaleTemporaries(m_folder, prefix);
        for (int attempt = 0; attempt < 20 && !fd.valid(); ++attempt) {
            m_path = JoinPath(m_folder, prefix + randomLetters());
            fd.reset(::open(nativePath(m_path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                            0666));
            if (!fd.valid() && errno != EEXIST)
                break;
        }
        if (!fd.valid()) {
            m_error = errno;
            m_path.clear();
        }
    }
    ~TemporaryBeside() {
        if (!m_path.isEmpty()) {
            fd.close();
            ::unlink(nativePath(m_path).constData());
        }
    }
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;

    bool valid() const { return fd.valid(); }
    int errorNumber() const { return m_error; }
    // Closes the file (first putting it on the disk unless the flush is deferred) and lets it
    // take the target's place; the system's error number, or 0 (the file is then no longer
    // removed).
    int replaceTarget() {
        const bool flush = !m_deferred;
        if (const int closed = flush ? syncAndClose(fd) : fd.close())
            return closed;
        if (::rename(nativePath(m_path).constData(), nativePath(m_target).constData()) != 0)
            return errno;
        m_path.clear();
        if (flush)
            syncFolder(m_folder);
        return 0;
    }

    Descriptor fd;

private:
    QString m_target;
    QString m_folder;
    QString m_path;
    int m_error = 0;
    bool m_deferred = false;
};

enum class Beside { Written, Failed, NotUsable };

// Writes the bytes to a temporary file beside the target and renames it into place. old is
// the target's state when it exists: the new file gets its permissions, owner and group, or
// is not used when it cannot keep them.
Beside writeBeside(const QString& target, const QByteArray& bytes, const struct stat* old,
                   QString* error) {
    TemporaryBeside temporary(target);
    if (!temporary.valid()) {
        failWithErrno(error, temporary.errorNumber());
        return Beside::NotUsable;
    }
    const int fd = temporary.fd.get();
    auto giveUp = [&](int errorNumber, Beside outcome) {
        failWithErrno(error, errorNumber);
        return outcome;
    };
    if (old) {
        // Anybody may give a file to himself and his own groups, only root to others: for
        // somebody else's page the new file would change hands, so it is not used.
        struct stat made {};
        if (::fstat(fd, &made) != 0)
            return giveUp(errno, Beside::NotUsable);
        if ((made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
            ::fchown(fd, old->st_uid, old->st_gid) != 0)
            return giveUp(errno, Beside::NotUsable);
        if (::fchmod(fd, old->st_mode & 07777) != 0)
            return giveUp(errno, Beside::NotUsable);
    }
    if (const int written = writeAll(fd, bytes))
        return giveUp(written, Beside::Failed);
    if (const int replaced = temporary.replaceTarget())
        return giveUp(replaced, Beside::Failed);
    return Beside::Written;
}

// A temporary file outside the target's folder, holding the bytes; removed when it goes out
// of scope unless kept.
class CopyElsewhere {
public:
    ~CopyElsewhere() {
        if (!path.isEmpty() && !keep)
            ::unlink(nativePath(path).constData());
    }
    // The system's error number, or 0.
    int write(const QByteArray& bytes) {
        QByteArray name =
            nativePath(JoinPath(QDir::tempPath(), QStringLiteral(".vessilora-XXXXXX")));
        Descriptor fd(::mkostemp(name.data(), O_CLOEXEC));
        if (!fd.valid())
            return errno;
        path = QFile::decodeName(name);
        if (const int written = writeAll(fd.get(), bytes))
            return written;
        return syncAndClose(fd);
    }
    QString path;
    bool keep = false;
};

// Writes the bytes over the target's own content, keeping everything else about the file.
bool writeInPlace(const QString& target, const QByteArray& bytes, const struct stat& old,
                  QString* error) {
    QByteArray before;
    if (!ReadFileBytes(target, before, error))
        return false;
    CopyElsewhere copy;
    if (const int written = copy.write(bytes))
        return failWithErrno(error, written);
    Descriptor fd(::open(nativePath(target).constData(), O_WRONLY | O_CLOEXEC));
    if (!fd.valid())
        return failWithErrno(error, errno);
    // Room for the new bytes is taken first, so a full disk is found while the file is whole.
    if (bytes.size() > old.st_size) {
        const int reserved = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()));
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL && reserved != ENOSYS) {
            ::ftruncate(fd.get(), old.st_size);
            return failWithErrno(error, reserved);
        }
    }
    int failed = writeAll(fd.get(), bytes);
    if (!failed && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0)
        failed = errno;
    if (!failed && ::fsync(fd.get()) != 0)
        failed = errno;
    if (!failed)
        return fd.close() == 0 || fail(error, FileErrorText(EIO));
    // Put the old bytes back.
    const bool undone = writeAll(fd.get(), before) == 0 &&
                        ::ftruncate(fd.get(), static_cast<off_t>(before.size())) == 0 &&
                        syncAndClose(fd) == 0;
    if (undone)
        return failWithErrno(error, failed);
    copy.keep = true;
    return fail(error,
                FileErrorText(failed) +
                    QStringLiteral("; filen kunde inte återställas, den nya texten finns i ") +
                    copy.path);
}

} // namespace

DeferredFileSync::DeferredFileSync() {
    ++deferredDepth;
}

DeferredFileSync::~DeferredFileSync() {
    if (--deferredDepth > 0)
        return;
    for (const QString& folder : takeFolders())
        FlushFileSystem(folder);
}

QStringList DeferredFileSync::takeFolders() {
    QStringList folders = deferredFolders.values();
    deferredFolders.clear();
    lastDeferredFolder.clear();
    return folders;
}

QString FileErrorText(int errorNumber) {
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Åtkomst nekad");
    case ENOSPC:
        return QStringLiteral("Disken är full");
    case EDQUOT:
        return QStringLiteral("Diskkvoten är slut");
    case EROFS:
        return QStringLiteral("Filsystemet är skrivskyddat");
    case ENOENT:
        return QStringLiteral("Filen eller mappen finns inte");
    case ENOTDIR:
        return QStringLiteral("En del av sökvägen är ingen mapp");
    case EISDIR:
        return QStringLiteral("Sökvägen är en mapp");
    case ENAMETOOLONG:
        return QStringLiteral("Namnet är för långt");
    case EFBIG:
        return TooLarge;
    case ENOMEM:
        return OutOfMemory;
    case EIO:
        return QStringLiteral("Fel vid läsning eller skrivning på disken");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("Filen används");
    case ELOOP:
        return QStringLiteral("För många symboliska länkar");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("För många öppna filer");
    default:
        return QStringLiteral("Okänt fel (felkod %1)").arg(errorNumber);
    }
}

bool ReadFileBytes(const QString& path, QByteArray& bytes, QString* error, qint64 maxSize) {
    Descriptor fd(::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return failWithErrno(error, errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return failWithErrno(error, errno);
    if (S_ISDIR(info.st_mode))
        return failWithErrno(error, EISDIR);
    if (maxSize >= 0 && info.st_size > maxSize)
        return fail(error, TooLarge);
    try {
        // The size is only a hint: a file may grow while it is read, or tell no size at all.
        QByteArray data(info.st_size > 0 ? static_cast<qsizetype>(info.st_size) + 1 : 65536,
                        Qt::Uninitialized);
        qsizetype used = 0;
        for (;;) {
            if (used == data.size())
                data.resize(data.size() * 2);
            const ssize_t n =
                ::read(fd.get(), data.data() + used, static_cast<size_t>(data.size() - used));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return failWithErrno(error, errno);
            if (n == 0)
                break;
            used += n;
            if (maxSize >= 0 && used > maxSize)
                return fail(error, TooLarge);
        }
        data.truncate(used);
        bytes = std::move(data);
    } catch (const std::bad_alloc&) {
        return fail(error, OutOfMemory);
    }
    return true;
}

bool ReadTextFile(const QString& path, QString& text, QString* error) {
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    try {
        text = DecodeCp1252(bytes);
    } catch (const std::bad_alloc&) {
        return fail(error, OutOfMemory);
    }
    return true;
}

bool IsWriteProtected(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    // The "user" bits say what the running user may do, which is everything for root; only
    // the file's own mode says whether somebody protected it.
    constexpr QFile::Permissions writeBits =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & writeBits) == 0;
}

namespace {

// The file a write to path replaces, and its state before.
struct WriteTarget {
    QString path;
    bool exists = false;
    struct stat old {};
};

// Finds the file a write to path replaces. False, with error saying why, when it must not
// be replaced. With askFolder a missing folder is told apart from other failures at once.
bool findWriteTarget(const QString& path, WriteTarget& target, QString* error,
                     bool askFolder = true) {
    if (path.isEmpty())
        return fail(error, QStringLiteral("Inget filnamn"));
    // Writing through a symbolic link writes the file it points to, even a missing one.
    // One look at the file answers the questions below (the system's calls rather than
    // QFileInfo's, which asks again for each: a copy of many files asks them all).
    target.path = QFileInfo(path).absoluteFilePath();
    QByteArray native = nativePath(target.path);
    target.exists = ::lstat(native.constData(), &target.old) == 0;
    if (target.exists && S_ISLNK(target.old.st_mode)) {
        const QFileInfo linked(target.path);
        target.path = linked.exists() ? linked.canonicalFilePath() : linked.symLinkTarget();
        native = nativePath(target.path);
        target.exists = ::stat(native.constData(), &target.old) == 0;
    }
    if (target.exists && S_ISDIR(target.old.st_mode))
        return fail(error, QStringLiteral("Sökvägen är en mapp"));
    // Checked by hand: a program run with full rights would otherwise replace a file the
    // user protected on purpose.
    if (target.exists && (target.old.st_mode & 0222) == 0)
        return fail(error, QStringLiteral("Filen är skrivskyddad"));
    struct stat folder {};
    if (askFolder && !target.exists &&
        (::stat(nativePath(QFileInfo(target.path).absolutePath()).constData(), &folder) != 0 ||
         !S_ISDIR(folder.st_mode)))
        return fail(error, QStringLiteral("Mappen finns inte"));
    if (target.exists && !S_ISREG(target.old.st_mode))
        return fail(error, QStringLiteral("Inte en vanlig fil"));
    // A file the user may not write is not replaced either, even where the folder would let
    // him put another file in its place.
    if (target.exists && ::access(native.constData(), W_OK) != 0)
        return failWithErrno(error, errno);
    return true;
}

// Copies the rest of the source file to the end of the target file, in the kernel where it
// can; the system's error number, or 0.
int copyContent(int from, int to) {
    bool inKernel = true;
    for (;;) {
        if (inKernel) {
            const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
            if (n > 0)
                continue;
            if (n == 0)
                return 0;
            if (errno == EINTR)
                continue;
            // Not offered between these files (another file system, an old kernel): the
            // bytes go through a buffer instead.
            if (errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != EINVAL)
                return errno;
            inKernel = false;
        }
        char buffer[128 * 1024];
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(to, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                return errno;
            if (w == 0)
                return EIO;
            done += w;
        }
    }
}

} // namespace

bool WriteFileAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    WriteTarget target;
    if (!findWriteTarget(path, target, error))
        return false;
    if (!target.exists || target.old.st_nlink == 1) {
        switch (writeBeside(target.path, bytes, target.exists ? &target.old : nullptr, error)) {
        case Beside::Written:
            return true;
        case Beside::Failed:
            return false;
        case Beside::NotUsable:
            if (!target.exists)
                return false;
            break;
        }
    }
    return writeInPlace(target.path, bytes, target.old, error);
}

bool CopyFileAtomic(const QString& source, const QString& target, QString* error,
                    const QByteArray* content) {
    Descriptor from(::open(nativePath(source).constData(), O_RDONLY | O_CLOEXEC));
    if (!from.valid())
        return failWithErrno(error, errno);
    struct stat original {};
    if (::fstat(from.get(), &original) != 0)
        return failWithErrno(error, errno);
    if (!S_ISREG(original.st_mode))
        return fail(error, QStringLiteral("Inte en vanlig fil"));
    WriteTarget place;
    // A missing folder shows when the temporary file is made.
    if (!findWriteTarget(target, place, error, false))
        return false;
    if (place.exists && place.old.st_dev == original.st_dev && place.old.st_ino == original.st_ino)
        return fail(error, QStringLiteral("Källan och målet är samma fil"));
    TemporaryBeside temporary(place.path);
    if (!temporary.valid())
        return failWithErrno(error, temporary.errorNumber());
    const int fd = temporary.fd.get();
    if (const int written = content ? writeAll(fd, *content) : copyContent(from.get(), fd))
        return failWithErrno(error, written);
    // The times last, as writing sets them; the access time goes along with the
    // modification time, as a copy that keeps times does.
    const struct timespec times[2] = {original.st_atim, original.st_mtim};
    if (::fchmod(fd, original.st_mode & 0777) != 0 || ::futimens(fd, times) != 0)
        return failWithErrno(error, errno);
    if (const int replaced = temporary.replaceTarget())
        return failWithErrno(error, replaced);
    return true;
}

bool IsDiskFull(const QString& error) {
    return error == FileErrorText(ENOSPC) || error == FileErrorText(EDQUOT);
}

void RemoveLeftoverTemporaries(const QString& folder) {
    // The names temporaryPrefix() and randomLetters() make. The folder is read by the system's
    // own calls, which do not look at each file as QDir does.
    static const QRegularExpression leftover(
        QStringLiteral("^\\.([^.]*\\.)?vessilora-[0-9a-f]{8}-[0-9A-Za-z]{%1}$").arg(RandomLetters));
    const QByteArray native = nativePath(folder);
    DIR* entries = ::opendir(native.constData());
    if (!entries)
        return;
    while (const dirent* entry = ::readdir(entries)) {
        if (entry->d_name[0] == '.' && leftover.match(QFile::decodeName(entry->d_name)).hasMatch())
            ::unlinkat(::dirfd(entries), entry->d_name, 0);
    }
    ::closedir(entries);
}

void FlushFileSystem(const QString& path) {
    Descriptor fd(::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid() || ::syncfs(fd.get()) != 0)
        ::sync();
}

bool WriteTextFileAtomic(const QString& path, const QString& text, QString* error) {
    return WriteFileAtomic(path, EncodeCp1252(text), error);
}

QString ProgramFolder() {
    QString folder = qEnvironmentVariable("VESSILORA_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    return folder;
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}
