#pragma once
// Shared test fixtures: a temporary program folder and the platform double.

#include "platform/fakeplatform.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>

// A fresh program folder for one test: VESSILORA_HOME points at it, IniFile names its
// "vessilor.ini", and the shipped "htmlkod.dat" is copied into it unless told otherwise.
class TestProgramFolder {
public:
    explicit TestProgramFolder(bool withEntityTable = true);
    ~TestProgramFolder();
    QString path() const { return dir.path(); }
    QString file(const QString& name) const;
    // Writes a file into the folder (Windows-1252 bytes as given).
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir;
    QByteArray oldHome;
};

// Installs a FakePlatform for the lifetime of the object.
class FakePlatformScope {
public:
    FakePlatformScope() { installPlatform(&fake); }
    ~FakePlatformScope() { installPlatform(nullptr); }
    FakePlatform fake;
};

// The path of a file shipped in data/.
QString ShippedFile(const QString& name);

// What happens to the files of one folder while the object lives (Linux inotify).
class FolderWatch {
public:
    explicit FolderWatch(const QString& folder);
    ~FolderWatch();
    struct Counts {
        int reads = 0;  // opened and closed without writing
        int writes = 0; // written in place or renamed into place
    };
    // What happened to the file named name since the last call.
    Counts take(const QString& name);
    // The names of the files made since the last call.
    QStringList madeNames();

private:
    QList<std::pair<unsigned, QString>> drain();
    int fd = -1;
};

// Runs file operations as an ordinary user while it lives: root takes the file-system
// identity of "nobody", so that permissions count; anybody else stays who he is.
class OrdinaryUser {
public:
    OrdinaryUser();
    ~OrdinaryUser();
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;
};
