#pragma once
// The terminal side of the command line: the log on standard output, a progress line on
// standard error when that is a terminal, failures on standard error, and Ctrl+C asking the
// run to stop at its next check point.

#include "platform/fakeplatform.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

// The exit statuses.
enum ExitStatus {
    ExitSuccess = 0,      // every file succeeded
    ExitFailed = 1,       // some file failed (listed at the end)
    ExitBadArguments = 2, // the arguments cannot be used (the usage text follows)
    ExitInterrupted = 130 // stopped by Ctrl+C (or a termination signal), as shells count it
};

class Console {
public:
    explicit Console(bool quiet);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Appends to the log ("\n" ends a line); nothing when quiet.
    void log(const QString& text);
    // Shows the progress line (at most a few times a second); only on a terminal, not when
    // quiet.
    void progress(const QString& line);
    // Takes the progress line away and writes out what the log holds.
    void finish();
    bool quiet() const { return m_quiet; }

    // A line on standard error.
    static void error(const QString& line);

private:
    void clearProgress();

    bool m_quiet;
    bool m_progressShown = false;
    bool m_terminal = false; // standard error is a terminal
    QByteArray m_pending;    // the log's last unfinished line
    QElapsedTimer m_sinceProgress;
};

// While it lives, Ctrl+C and a termination signal ask the run to stop (Interrupted() turns
// true); a second one ends the program at once, which leaves every file whole as well.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
};
bool Interrupted();

// The platform of the command line: the engine's message boxes become lines on standard
// error, answered as the double answers them.
class ConsolePlatform : public FakePlatform {
public:
    MsgAnswer message(const QString& text, MsgIcon icon, MsgButtons buttons,
                      const QString& title) override;
};
