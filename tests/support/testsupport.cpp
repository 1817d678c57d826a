#include "testsupport.h"

#include "markup/globals.h"
#include "platform/files.h"

#include <QFile>
#include <QtTest>

#include <sys/fsuid.h>
#include <sys/inotify.h>
#include <unistd.h>

TestProgramFolder::TestProgramFolder(bool withEntityTable) {
    oldHome = qgetenv("VESSILORA_HOME");
    qputenv("VESSILORA_HOME", dir.path().toLocal8Bit());
    IniFile = JoinPath(dir.path(), QStringLiteral("vessilor.ini"));
    if (withEntityTable)
        QFile::copy(ShippedFile(QStringLiteral("htmlkod.dat")),
                    file(QStringLiteral("htmlkod.dat")));
}

TestProgramFolder::~TestProgramFolder() {
    if (oldHome.isNull())
        qunsetenv("VESSILORA_HOME");
    else
        qputenv("VESSILORA_HOME", oldHome);
}

QString TestProgramFolder::file(const QString& name) const {
    return JoinPath(dir.path(), name);
}

void TestProgramFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray TestProgramFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString ShippedFile(const QString& name) {
    return QStringLiteral(VESSILORA_DATA_DIR) + QLatin1Char('/') + name;
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
