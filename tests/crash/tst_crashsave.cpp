// Saving a document is atomic: a save killed at any moment leaves the file wholly the old or
// wholly the new document, and no temporary file that a file list would show.

#include "crashdocument.h"
#include "crashrun.h"
#include "markup/globals.h"
#include "markup/paths.h"
#include "platform/files.h"
#include "widgets/filepanes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

class tst_crashsave : public QObject {
    Q_OBJECT
private slots:
    void killedSavesLeaveTheOldOrTheNewDocument();
};

namespace {

constexpr int Rounds = 20;
const QString DocumentName = QStringLiteral("index.htm");

void save(int variant, const QString& path) {
    WorkText = CrashDocument(variant);
    StatusText = QStringLiteral("Klart");
    WriteTextFile(path);
    QCOMPARE(StatusText, QStringLiteral("Klart"));
}

// The helper's last "saving g" and "saved g" (-1 for none).
struct Progress {
    int started = -1;
    int saved = -1;
};

Progress progressOf(const QStringList& lines) {
    Progress p;
    for (const QString& line : lines) {
        const QStringList words = line.split(u' ');
        if (words.size() < 2)
            continue;
        if (words[0] == QLatin1String("saving"))
            p.started = std::max(p.started, words[1].toInt());
        else if (words[0] == QLatin1String("saved"))
            p.saved = std::max(p.saved, words[1].toInt());
    }
    return p;
}

} // namespace

void tst_crashsave::killedSavesLeaveTheOldOrTheNewDocument() {
    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString folder = work.filePath(QStringLiteral("sidor"));
    const QString saves = work.filePath(QStringLiteral("facit"));
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(saves));

    // What a completed save of each version gives, and how long one takes.
    QList<QByteArray> complete;
    QElapsedTimer timer;
    timer.start();
    for (int variant = 0; variant < 3; ++variant) {
        const QString path = JoinPath(saves, QString::number(variant));
        save(variant, path);
        QByteArray bytes;
        QVERIFY(ReadFileBytes(path, bytes));
        complete.append(bytes);
    }
    const int saveMs = static_cast<int>(timer.elapsed() / 3);

    const QString path = JoinPath(folder, DocumentName);
    save(0, path);
    int onDisk = 0; // the generation the file holds; generation g is version g % 3
    QRandomGenerator random(CrashSeed());
    int killedWhileSaving = 0;
    for (int round = 0; round < Rounds; ++round) {
        const int delayMs = static_cast<int>(random.bounded(2 * saveMs + 1));
        const QStringList lines =
            RunAndKill({QStringLiteral("save"), path, QString::number(onDisk + 1)},
                       QStringLiteral("saving"), delayMs);
        if (QTest::currentTestFailed())
            return;
        const Progress p = progressOf(lines);
        const int old = p.saved >= 0 ? p.saved : onDisk;
        QByteArray bytes;
        QVERIFY(ReadFileBytes(path, bytes));
        const qsizetype found = complete.indexOf(bytes);
        QVERIFY2(found == old % 3 || found == p.started % 3,
                 qPrintable(QStringLiteral("round %1, killed after %2 ms: the file (%3 bytes) is "
                                           "neither version %4 nor version %5")
                                .arg(round)
                                .arg(delayMs)
                                .arg(bytes.size())
                                .arg(old % 3)
                                .arg(p.started % 3)));
        onDisk = found == old % 3 ? old : p.started;
        if (p.saved < p.started)
            ++killedWhileSaving;

        FileList list;
        QVERIFY(list.setPath(folder));
        QCOMPARE(list.listCount(), 1);
        QCOMPARE(list.fileName(0), DocumentName);
    }
    const QStringList hidden =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    qInfo("%d of %d kills came while a save was under way (%d ms a save); files left in the "
          "folder: %s",
          killedWhileSaving, Rounds, saveMs, qPrintable(hidden.join(QStringLiteral(", "))));
}

QTEST_MAIN(tst_crashsave)
#include "tst_crashsave.moc"
