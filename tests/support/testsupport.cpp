#include "testsupport.h"

#include "markup/globals.h"
#include "platform/files.h"

#include <QFile>
#include <QtTest>

TestProgramFolder::TestProgramFolder(bool withEntityTable) {
    ResetProgramState();
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
