// bench_batchlog: the progress window's log as a long run fills it: 100,000 lines in the
// steps of a run (the lines of one file, then a check point), and the time the window then
// takes to show its last line and to scroll back to the top.
//
//   bench_batchlog [LINES]

#include "batch/frmstatus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lines = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    frmStatus status(nullptr);
    status.open();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    QElapsedTimer slowest;
    qint64 worst = 0;
    // Nine lines a file: backup, opening, five steps, saving and the empty line.
    const int files = (lines + 8) / 9;
    for (int n = 0; n < files; ++n) {
        slowest.start();
        const QString file = QStringLiteral("/hem/webb/avd%1/sida%2.htm").arg(n % 10).arg(n);
        status.AppendStatus(QStringLiteral("Gör backup..."), 0);
        status.AppendStatus(QStringLiteral(" Klart (") + file + QLatin1Char(')'), 1);
        status.AppendStatus(QStringLiteral("Öppnar: ") + file + QStringLiteral("..."), 0);
        status.AppendStatus(QStringLiteral(" Klart"), 1);
        for (const char* step : {"Söker och ersätter...", "Konverterar...", "Radbrytningar...",
                                 "Söker fel på taggar...", "Söker citatsfel..."}) {
            status.AppendStatus(QString::fromUtf8(step), 0);
            status.AppendStatus(QStringLiteral(" Klart"), 1);
            status.checkPoint();
        }
        status.AppendStatus(QStringLiteral("Sparar..."), 0);
        status.AppendStatus(QStringLiteral(" Klart"), 2);
        status.showCount(n + 1, files);
        status.checkPoint();
        worst = qMax(worst, slowest.nsecsElapsed());
    }
    status.runEnded();
    QApplication::processEvents();
    const double fill = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    status.txtStatus->verticalScrollBar()->setValue(0);
    QApplication::processEvents();
    status.txtStatus->verticalScrollBar()->setValue(
        status.txtStatus->verticalScrollBar()->maximum());
    QApplication::processEvents();
    const double scroll = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const int shown = status.txtStatus->document()->blockCount();
    std::printf("%d log lines of %d files in %.0f ms (%.1f us a line; slowest file with its "
                "check points %.1f ms); to the top and back %.1f ms\n",
                shown, files, fill, fill * 1000 / shown, static_cast<double>(worst) / 1e6, scroll);
    return 0;
}
