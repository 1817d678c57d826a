#pragma once
// What the file copy tests share: files written with a time and a mode, and read back.

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

// Writes a file (making its folders), optionally with a modification time and a mode.
inline void put(const QString& path, const QByteArray& bytes, const QDateTime& changed = {},
                int mode = -1) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.flush(); // the time is set after the last write
    if (changed.isValid())
        QVERIFY(file.setFileTime(changed, QFileDevice::FileModificationTime));
    file.close();
    if (mode >= 0)
        QVERIFY(chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
}

inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline int modeOf(const QString& path) {
    struct stat info {};
    stat(QFile::encodeName(path).constData(), &info);
    return int(info.st_mode & 07777);
}

// The files below a folder, hidden ones too, relative and sorted.
inline QStringList filesBelow(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << it.next().mid(folder.size() + 1);
    names.sort();
    return names;
}
