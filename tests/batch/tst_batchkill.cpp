// A batch run killed at a random moment: every page is whole (its old text or its new one) and
// every backup is a whole copy of its page. The run goes on in a child process (this program
// started again with VESSILORA_BATCH_CHILD naming the tree), which is killed.

#include "batch/batchrun.h"
#include "markup/globals.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int Folders = 6;
constexpr int FilesPerFolder = 60;

QByteArray oldPage(int n) {
    return "<p>sida " + QByteArray::number(n) + "</p>\r\n" +
           QByteArray("<p>aaaa bbbb \xe5\xe4\xf6</p>\r\n").repeated(800);
}

QByteArray newPage(int n) {
    QByteArray page = oldPage(n);
    return page.replace('a', 'x');
}

BatchSettings childSettings() {
    BatchSettings settings;
    settings.searchReplace = true;
    settings.searchTexts = {u"a"_s};
    settings.replaceTexts = {u"x"_s};
    settings.backup = true;
    return settings;
}

int runChild(const QString& root) {
    BatchSelection selection;
    selection.root = root;
    selection.subfolders = true;
    BatchRun run(childSettings(), selection);
    run.run();
    return 0;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_batchkill : public QObject {
    Q_OBJECT
private slots:
    void killedRunLeavesEveryFileWhole();
};

void tst_batchkill::killedRunLeavesEveryFileWhole() {
    for (int round = 0; round < 3; ++round) {
        QTemporaryDir dir;
        int n = 0;
        for (int f = 0; f < Folders; ++f) {
            const QString folder = dir.path() + u"/mapp%1"_s.arg(f);
            QDir().mkpath(folder);
            for (int i = 0; i < FilesPerFolder; ++i, ++n) {
                QFile page(folder + u"/sida%1.htm"_s.arg(i));
                QVERIFY(page.open(QIODevice::WriteOnly));
                page.write(oldPage(n));
            }
        }
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"VESSILORA_BATCH_CHILD"_s, dir.path());
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QTest::qWait(QRandomGenerator::global()->bounded(50, 600));
        // QProcess::kill() sends SIGKILL (a raw kill() with the pid of a finished child, 0,
        // would hit this whole process group). A child that already ended has nothing to kill.
        if (child.state() != QProcess::NotRunning) {
            child.kill();
            QVERIFY(child.waitForFinished());
        }

        int changed = 0;
        n = 0;
        for (int f = 0; f < Folders; ++f) {
            for (int i = 0; i < FilesPerFolder; ++i, ++n) {
                const QString page = dir.path() + u"/mapp%1/sida%2."_s.arg(f).arg(i);
                const QByteArray now = readAll(page + u"htm"_s);
                QVERIFY2(now == oldPage(n) || now == newPage(n), qPrintable(page));
                changed += now == newPage(n);
                // A backup that exists is whole; a changed page always has one.
                const QString backup = page + u"BAK"_s;
                if (QFile::exists(backup) || now == newPage(n))
                    QCOMPARE(readAll(backup), oldPage(n));
            }
        }
        qInfo("round %d: %d of %d pages changed before the kill", round, changed, n);
    }
}

int main(int argc, char** argv) {
    const QString childRoot = qEnvironmentVariable("VESSILORA_BATCH_CHILD");
    if (!childRoot.isEmpty()) {
        QCoreApplication app(argc, argv);
        return runChild(childRoot);
    }
    QCoreApplication app(argc, argv);
    tst_batchkill test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_batchkill.moc"
