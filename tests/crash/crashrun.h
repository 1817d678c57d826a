#pragma once
// Running the crash helper and killing it at a random moment.

#include <QRandomGenerator>
#include <QStringList>

// The helper program, built beside the tests.
QString CrashHelperPath();

// Starts the helper with the arguments, waits until it has printed a line starting with
// marker, lets it go on for delayMs milliseconds, kills it (SIGKILL, so nothing of it runs
// any more) and returns every line it printed. A helper that ends by itself fails the test.
QStringList RunAndKill(const QStringList& arguments, const QString& marker, int delayMs);

// The seed of the test's random moments: CRASH_SEED when set, so a failing run can be
// repeated, otherwise a new one, printed either way.
quint32 CrashSeed();
