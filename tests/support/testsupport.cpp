#include "testsupport.h"

#include "markup/globals.h"
#include "platform/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/fsuid.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

TestProgramFolder::TestProgramFolder(bool withEntityTable) {
    ResetProgramState();
    oldHome = qgetenv("VESSILORA_HOME");
    qputenv("VESSILORA_HOME", path().toLocal8Bit());
    IniFile = file(u"vessilor.ini"_s);
    if (withEntityTable)
        QFile::copy(ShippedFile(u"htmlkod.dat"_s), file(u"htmlkod.dat"_s));
}

TestProgramFolder::~TestProgramFolder() {
    if (oldHome.isNull())
        qunsetenv("VESSILORA_HOME");
    else
        qputenv("VESSILORA_HOME", oldHome);
}

void WriteFile(const QString& path, const QByteArray& bytes, const QDateTime& changed, int mode) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
    file.flush(); // the time is set after the last write
    if (changed.isValid())
        QVERIFY(file.setFileTime(changed, QFileDevice::FileModificationTime));
    file.close();
    if (mode >= 0)
        QVERIFY(chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

int ModeOf(const QString& path) {
    struct stat info {};
    stat(QFile::encodeName(path).constData(), &info);
    return int(info.st_mode & 07777);
}

QStringList FilesBelow(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << it.next().mid(folder.size() + 1);
    names.sort();
    return names;
}

TestTree::TestTree() : root(QDir(dir.path()).canonicalPath()) {}

QString TestTree::file(const QString& name) const {
    return JoinPath(root, name);
}

void TestTree::write(const QString& name, const QByteArray& bytes) const {
    WriteFile(file(name), bytes);
}

QString TestTree::folder(const QString& name) const {
    QDir().mkpath(file(name));
    return file(name);
}

QString ShippedFile(const QString& name) {
    return QStringLiteral(VESSILORA_DATA_DIR) + u'/' + name;
}

FolderWatch::FolderWatch(const QString& folder) : fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    inotify_add_watch(fd, QFile::encodeName(folder).constData(),
                      IN_CREATE | IN_CLOSE_NOWRITE | IN_CLOSE_WRITE | IN_MOVED_TO);
}

FolderWatch::~FolderWatch() {
    close(fd);
}

QList<std::pair<unsigned, QString>> FolderWatch::drain() {
    QList<std::pair<unsigned, QString>> events;
    alignas(inotify_event) char buffer[65536];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) {
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            events.append({event->mask, QFile::decodeName(event->len ? event->name : "")});
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return events;
}

FolderWatch::Counts FolderWatch::take(const QString& name) {
    Counts counts;
    for (const auto& [mask, file] : drain()) {
        counts.reads += file == name && (mask & IN_CLOSE_NOWRITE);
        counts.writes += file == name && (mask & (IN_CLOSE_WRITE | IN_MOVED_TO));
    }
    return counts;
}

QStringList FolderWatch::madeNames() {
    QStringList names;
    for (const auto& [mask, file] : drain())
        if (mask & IN_CREATE)
            names.append(file);
    return names;
}

namespace {
constexpr unsigned Nobody = 65534;
}

OrdinaryUser::OrdinaryUser() {
    if (geteuid() == 0) {
        setfsgid(Nobody);
        setfsuid(Nobody);
    }
}

OrdinaryUser::~OrdinaryUser() {
    if (geteuid() == 0) {
        setfsuid(0);
        setfsgid(0);
    }
}
