// vessilora copy SOURCE TARGET [options]: the file copy of its window, without windows.

#include "cli/commands.h"
#include "cli/console.h"
#include "filecopy/filecopycore.h"

int RunCopy(const CopyCommand& command) {
    const QString refusal = RefuseCopyFolders(command.source, command.target);
    if (!refusal.isEmpty())
        return RefuseArguments(refusal);
    CopyOptions options;
    options.source = command.source;
    options.target = command.target;
    options.withSubfolders = command.subfolders;
    options.compress = command.compressHtml;
    options.changedSince = command.since;
    options.pattern = FilePattern(command.pattern);
    options.dryRun = command.common.dryRun;

    Console console(command.common.quiet);
    const InterruptGuard interrupts;
    FileCopy copy(options);
    copy.log = [&console](const QString& text) { console.log(text); };
    copy.checkpoint = [&console, &copy](const CopyCounters& counters) {
        if (Interrupted())
            copy.cancel();
        console.progress(QStringLiteral("Kopierar: ") + QString::number(counters.done) +
                         QStringLiteral(" av ") + QString::number(counters.total) +
                         QStringLiteral(" filer"));
    };
    const CopyEnd end = copy.run();

    // The statistics panel of the window.
    const CopyCounters& counters = copy.counters();
    const bool dry = command.common.dryRun;
    console.log(QStringLiteral("\n") +
                (dry ? QStringLiteral("Provkörning, ingenting skrevs.\n") : QString()) +
                (dry ? QStringLiteral("Antal filer som skulle kopieras: ")
                     : QStringLiteral("Antal filer kopierade: ")) +
                QString::number(counters.copied) + QLatin1Char('\n') +
                (dry ? QStringLiteral("Antal filer som skulle komprimeras: ")
                     : QStringLiteral("Antal filer komprimerade: ")) +
                QString::number(counters.compressed) + QLatin1Char('\n') +
                QStringLiteral("Komprimering: ") + QString::number(counters.compressionChange) +
                QStringLiteral(" bytes\n"));
    console.finish();

    const QStringList& failed = copy.failures();
    if (!failed.isEmpty())
        Console::error(QStringLiteral("Misslyckades: ") + QString::number(failed.size()) +
                       QStringLiteral("\n  ") + failed.join(QStringLiteral("\n  ")));
    if (end == CopyEnd::Cancelled)
        return ExitInterrupted;
    return failed.isEmpty() && end == CopyEnd::Finished ? ExitSuccess : ExitFailed;
}
