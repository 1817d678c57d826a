#pragma once
// What every fuzz target shares: cutting the input into parts, stopping with a readable
// message when a property fails, a private program folder, and the check that the work done
// grows no faster than the input.
//
// A target is one file fuzz_NAME.cpp that defines LLVMFuzzerTestOneInput. A failed property
// aborts, so libFuzzer reports it like a crash and keeps the input that caused it.

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>

// Prints where and why a property failed, then aborts.
[[noreturn]] void FuzzFailure(const char* file, int line, const char* condition,
                              const QString& detail);

// Stops the run when condition is false. detail (a QString) is only built on failure.
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFailure(__FILE__, __LINE__, #condition, (detail));                                 \
    } while (false)

// Stops the run when the two texts differ, showing both.
#define FUZZ_EQUAL(actual, expected, what)                                                         \
    do {                                                                                           \
        if (!((actual) == (expected)))                                                             \
            FuzzFailure(__FILE__, __LINE__, #actual " == " #expected,                              \
                        QString(what) + QStringLiteral("\n  got:      ") + Shown(actual) +         \
                            QStringLiteral("\n  expected: ") + Shown(expected));                   \
    } while (false)

// A text or byte string for a failure message: control characters escaped, long ones cut.
QString Shown(const QString& text);
QString Shown(const QByteArray& bytes);

// The input cut at form feeds (byte 0x0C) into at most count parts; the last part keeps the
// rest, form feeds included. A seed file is then a few plain texts with a form feed between.
QList<QByteArray> SplitInput(const std::uint8_t* data, std::size_t size, int count);

// A program folder of the run's own, in memory where the system offers it: VESSILORA_HOME
// and IniFile point into it and the platform double answers message boxes. Made on first
// use and removed when the run ends.
class FuzzFolder {
public:
    QString path() const;
    QString file(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
};
const FuzzFolder& Folder();

// The bytes of a file shipped in data/ ("htmlkod.dat").
QByteArray ShippedBytes(const QString& name);

// Linear time. Each check of a target runs again on a text many times the input's size, made
// by repeating the input, on one input in 32 (chosen by the input's bytes, so a saved
// input repeats the check). The work is given a processor-time budget per character that
// linear work stays far below even under the sanitizers, while work that grows with the
// square of the length overruns it by orders of magnitude; so the check cannot fail by chance.
bool WantsScaling(const std::uint8_t* data, std::size_t size);
// The unit repeated until the text holds at least size characters ("" for an empty unit).
QString Repeated(const QString& unit, qsizetype size);
QByteArray Repeated(const QByteArray& unit, qsizetype size);
// The size scaled inputs are made to.
constexpr qsizetype ScaledSize = 128 * 1024;
// Runs work and stops the run when it took more processor time than linear work on size
// characters may take.
void CheckLinearTime(const char* what, qsizetype size, const std::function<void()>& work);
