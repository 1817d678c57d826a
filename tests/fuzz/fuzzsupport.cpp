#include "fuzzsupport.h"

#include "markup/globals.h"
#include "platform/fakeplatform.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <ctime>

void FuzzFailure(const char* file, int line, const char* condition, const QString& detail) {
    std::fprintf(stderr, "\n*** Property failed at %s:%d\n    %s\n    %s\n", file, line, condition,
                 detail.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}

namespace {

constexpr qsizetype ShownLength = 300;

QString escaped(char32_t c) {
    switch (c) {
    case U'\r':
        return QStringLiteral("\\r");
    case U'\n':
        return QStringLiteral("\\n");
    case U'\t':
        return QStringLiteral("\\t");
    case U'\f':
        return QStringLiteral("\\f");
    case U'\\':
        return QStringLiteral("\\\\");
    default:
        return QStringLiteral("\\x{%1}").arg(static_cast<uint>(c), 0, 16);
    }
}

} // namespace

QString Shown(const QString& text) {
    QString shown = QStringLiteral("\"");
    for (qsizetype i = 0; i < text.size() && i < ShownLength; ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x20 || c == QLatin1Char('\\') || c.isSurrogate() ||
            (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            shown += escaped(c.unicode());
        else
            shown += c;
    }
    shown += QLatin1Char('"');
    if (text.size() > ShownLength)
        shown += QStringLiteral(" ... (%1 characters)").arg(text.size());
    return shown;
}

QString Shown(const QByteArray& bytes) {
    QString shown = QStringLiteral("b\"");
    for (qsizetype i = 0; i < bytes.size() && i < ShownLength; ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        if (b < 0x20 || b >= 0x7F || b == '\\')
            shown += escaped(b);
        else
            shown += QLatin1Char(static_cast<char>(b));
    }
    shown += QLatin1Char('"');
    if (bytes.size() > ShownLength)
        shown += QStringLiteral(" ... (%1 bytes)").arg(bytes.size());
    return shown;
}

QList<QByteArray> SplitInput(const std::uint8_t* data, std::size_t size, int count) {
    const QByteArray all(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<QByteArray> parts;
    qsizetype from = 0;
    while (parts.size() < count - 1) {
        const qsizetype feed = all.indexOf('\f', from);
        if (feed < 0)
            break;
        parts.append(all.mid(from, feed - from));
        from = feed + 1;
    }
    parts.append(all.mid(from));
    return parts;
}

namespace {

struct FolderState {
    FolderState() : dir(templatePath()) {
        if (!dir.isValid()) {
            std::fprintf(stderr, "No temporary folder for the fuzz run\n");
            std::abort();
        }
        qputenv("VESSILORA_HOME", QFile::encodeName(dir.path()));
        IniFile = JoinPath(dir.path(), QStringLiteral("vessilor.ini"));
        installPlatform(&fake);
    }
    ~FolderState() { installPlatform(nullptr); }

    // Shared memory keeps the many small writes of a run off the disk.
    static QString templatePath() {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
        return base + QStringLiteral("/vessilora-fuzz-XXXXXX");
    }

    QTemporaryDir dir;
    FakePlatform fake;
};

FolderState& folderState() {
    static FolderState state;
    return state;
}

} // namespace

QString FuzzFolder::path() const {
    return folderState().dir.path();
}

QString FuzzFolder::file(const QString& name) const {
    return JoinPath(path(), name);
}

void FuzzFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(f.fileName()));
        std::abort();
    }
    // The platform double keeps every message box it answered; the runs are long.
    folderState().fake.clear();
}

QByteArray FuzzFolder::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const FuzzFolder& Folder() {
    static const FuzzFolder folder;
    folderState();
    return folder;
}

QByteArray ShippedBytes(const QString& name) {
    QFile f(QStringLiteral(VESSILORA_DATA_DIR "/") + name);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "Cannot read the shipped %s\n", qPrintable(f.fileName()));
        std::abort();
    }
    return f.readAll();
}

bool WantsScaling(const std::uint8_t* data, std::size_t size) {
    // FNV-1a over the input.
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    return size > 0 && hash % 32 == 0;
}

QString Repeated(const QString& unit, qsizetype size) {
    if (unit.isEmpty())
        return {};
    return unit.repeated((size + unit.size() - 1) / unit.size());
}

QByteArray Repeated(const QByteArray& unit, qsizetype size) {
    if (unit.isEmpty())
        return {};
    return unit.repeated((size + unit.size() - 1) / unit.size());
}

namespace {

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Linear work on one character takes at most about 2 microseconds here with the sanitizers
// and the fuzzer's instrumentation (which slows every comparison down); the budget allows ten
// times that, plus a fixed share for setting up.
constexpr double BudgetPerCharacter = 20e-6;
constexpr double BudgetFixed = 0.2;

} // namespace

void CheckLinearTime(const char* what, qsizetype size, const std::function<void()>& work) {
    const double start = threadSeconds();
    work();
    const double used = threadSeconds() - start;
    const double budget = BudgetFixed + BudgetPerCharacter * static_cast<double>(size);
    FUZZ_CHECK(used <= budget,
               QStringLiteral("%1 on %2 characters took %3 s of processor time; linear work "
                              "takes well under %4 s")
                   .arg(QLatin1String(what))
                   .arg(size)
                   .arg(used)
                   .arg(budget));
}
