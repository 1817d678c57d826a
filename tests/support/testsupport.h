#pragma once
// Shared test fixtures: a temporary program folder and the platform double.

#include "platform/fakeplatform.h"

#include <QString>
#include <QTemporaryDir>

// A fresh program folder for one test: every program-wide variable is put back as at program
// start (ResetProgramState), VESSILORA_HOME points at the folder, IniFile names its
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
