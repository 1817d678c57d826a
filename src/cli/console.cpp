#include "cli/console.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
    interrupted = 1;
}

void writeOut(FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

} // namespace

Console::Console(bool quiet) : m_quiet(quiet), m_terminal(::isatty(STDERR_FILENO) == 1) {
    // A log going to a file or a pipe is written in large pieces.
    if (::isatty(STDOUT_FILENO) != 1)
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
}

Console::~Console() {
    finish();
}

void Console::log(const QString& text) {
    if (m_quiet)
        return;
    m_pending += text.toUtf8();
    const qsizetype end = m_pending.lastIndexOf('\n');
    if (end < 0)
        return;
    clearProgress();
    writeOut(stdout, m_pending.left(end + 1));
    m_pending.remove(0, end + 1);
}

void Console::progress(const QString& line) {
    if (m_quiet || !m_terminal)
        return;
    if (m_sinceProgress.isValid() && m_sinceProgress.elapsed() < 100)
        return;
    m_sinceProgress.start();
    std::fflush(stdout);
    writeOut(stderr, "\r\033[K" + line.toUtf8());
    std::fflush(stderr);
    m_progressShown = true;
}

void Console::clearProgress() {
    if (!m_progressShown)
        return;
    writeOut(stderr, "\r\033[K");
    std::fflush(stderr);
    m_progressShown = false;
}

void Console::finish() {
    clearProgress();
    if (!m_pending.isEmpty()) {
        writeOut(stdout, m_pending + '\n');
        m_pending.clear();
    }
    std::fflush(stdout);
}

void Console::error(const QString& line) {
    std::fflush(stdout);
    writeOut(stderr, line.toUtf8() + '\n');
    std::fflush(stderr);
}

InterruptGuard::InterruptGuard() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND; // the second signal ends the program
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

InterruptGuard::~InterruptGuard() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

bool Interrupted() {
    return interrupted != 0;
}

MsgAnswer ConsolePlatform::message(const QString& text, MsgIcon icon, MsgButtons buttons,
                                   const QString& title) {
    Console::error(QStringLiteral("vessilora: ") + text);
    return FakePlatform::message(text, icon, buttons, title);
}
