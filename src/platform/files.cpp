#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool ReadFileBytes(const QString& path, QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool ReadTextFile(const QString& path, QString& text, QString* error) {
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    text = DecodeCp1252(bytes);
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

bool WriteFileAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("Inget filnamn"));
    const QFileInfo info(path);
    if (info.isDir())
        return fail(QStringLiteral("Sökvägen är en mapp"));
    // Checked by hand: a program run with full rights would otherwise replace a file the
    // user protected on purpose.
    if (IsWriteProtected(path))
        return fail(QStringLiteral("Filen är skrivskyddad"));
    if (!info.absoluteDir().exists())
        return fail(QStringLiteral("Mappen finns inte"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
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
