#include "crashrun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QtTest>

QString CrashHelperPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/crashhelper");
}

namespace {

constexpr int StartTimeoutMs = 120'000;

bool hasLineStarting(const QByteArray& output, const QString& marker) {
    const QList<QByteArray> lines = output.split('\n');
    for (const QByteArray& line : lines)
        if (line.startsWith(marker.toUtf8()))
            return true;
    return false;
}

} // namespace

QStringList RunAndKill(const QStringList& arguments, const QString& marker, int delayMs) {
    QProcess helper;
    helper.setProcessChannelMode(QProcess::SeparateChannels);
    helper.start(CrashHelperPath(), arguments);
    if (!helper.waitForStarted()) {
        QTest::qFail(
            qPrintable(QStringLiteral("the crash helper does not start: ") + helper.errorString()),
            __FILE__, __LINE__);
        return {};
    }
    QByteArray output;
    QElapsedTimer waited;
    waited.start();
    while (!hasLineStarting(output, marker) && helper.state() == QProcess::Running &&
           waited.elapsed() < StartTimeoutMs) {
        helper.waitForReadyRead(100);
        output += helper.readAllStandardOutput();
    }
    if (helper.state() == QProcess::Running && hasLineStarting(output, marker))
        QThread::msleep(static_cast<unsigned long>(delayMs));
    const bool ranToTheEnd = helper.state() == QProcess::Running;
    helper.kill();
    helper.waitForFinished();
    output += helper.readAllStandardOutput();
    if (!ranToTheEnd || !hasLineStarting(output, marker))
        QTest::qFail(qPrintable(QStringLiteral("the crash helper ended by itself: ") +
                                QString::fromLocal8Bit(helper.readAllStandardError())),
                     __FILE__, __LINE__);
    return QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts);
}

quint32 CrashSeed() {
    bool given = false;
    quint32 seed = qEnvironmentVariable("CRASH_SEED").toUInt(&given);
    if (!given)
        seed = QRandomGenerator::global()->generate();
    qInfo("CRASH_SEED=%u", seed);
    return seed;
}
