#pragma once
// Shared test fixtures: a temporary program folder and the platform double.

#include "platform/fakeplatform.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// Writes a file, making its folders; optionally with a modification time and a mode.
void WriteFile(const QString& path, const QByteArray& bytes, const QDateTime& changed = {},
               int mode = -1);
// The bytes of a file, or "<missing>" when it cannot be read.
QByteArray ReadFile(const QString& path);
// The permission bits of a file.
int ModeOf(const QString& path);
// The files below a folder, hidden ones too, relative and sorted.
QStringList FilesBelow(const QString& folder);

// A temporary folder tree for one test; files are named relative to it.
class TestTree {
public:
    TestTree();
    // The folder, symbolic links resolved.
    QString path() const { return root; }
    QString file(const QString& name) const;
    // Writes a file (bytes as given), making its folders.
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const { return ReadFile(file(name)); }
    // Makes a folder (and its parents) and returns its path.
    QString folder(const QString& name) const;

private:
    QTemporaryDir dir;
    QString root;
};

// A fresh program folder for one test: every program-wide variable is put back as at program
// start (ResetProgramState), VESSILORA_HOME points at the folder, IniFile names its
// "vessilor.ini", and the shipped "htmlkod.dat" is copied into it unless told otherwise.
class TestProgramFolder : public TestTree {
public:
    explicit TestProgramFolder(bool withEntityTable = true);
    ~TestProgramFolder();

private:
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
