#include "cli/commandline.h"

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "markup/globals.h"
#include "platform/files.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
}

} // namespace

int RefuseArguments(const QString& message) {
    Console::error(QStringLiteral("vessilora: ") + message + QStringLiteral("\n\n") +
                   UsageText().trimmed());
    return ExitBadArguments;
}

bool IsCommandLine(int argc, char** argv) {
    return WantsCommandLine(argumentsOf(argc, argv));
}

int RunCommandLine(int argc, char** argv) {
    // A log read by a pipe that closes early (| head) must not end a run half-way: the
    // writes fail quietly instead and the run goes on to its end.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vessilora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESSILORA_VERSION));
    ConsolePlatform console;
    installPlatform(&console);
    IniFile = JoinPath(ProgramFolder(), QStringLiteral("vessilor.ini"));
    SetStartValues();

    const ParsedArguments parsed = ParseArguments(argumentsOf(argc, argv));
    int status = ExitSuccess;
    switch (parsed.kind) {
    case ParsedArguments::Kind::Help:
        print(UsageText());
        break;
    case ParsedArguments::Kind::Version:
        print(QStringLiteral("Vessilora " VESSILORA_VERSION "\n"));
        break;
    case ParsedArguments::Kind::Batch:
        status = RunBatch(parsed.batch);
        break;
    case ParsedArguments::Kind::Copy:
        status = RunCopy(parsed.copy);
        break;
    case ParsedArguments::Kind::Error:
        status = RefuseArguments(parsed.error);
        break;
    }
    std::fflush(stdout);
    installPlatform(nullptr);
    return status;
}
