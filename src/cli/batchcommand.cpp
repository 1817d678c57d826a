// vessilora batch FOLDER [options]: the batch run of the batch window, without windows.

#include "cli/commands.h"
#include "cli/console.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "shell/settingkeys.h"

namespace {

// "1 fil", "3 filer".
QString files(qsizetype count) {
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" fil") : QStringLiteral(" filer"));
}

QString replacements(qsizetype count) {
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" ersättning") : QStringLiteral(" ersättningar"));
}

QString findingLine(const QString& file, const BatchFinding& finding) {
    return QStringLiteral("  ") + file + QLatin1Char(':') + QString::number(finding.line) +
           QStringLiteral(": ") + finding.message;
}

// The settings of the run: the steps the command line names, or those the batch window
// stored; then the options that change a step.
std::optional<BatchSettings> settingsOf(const BatchCommand& command, QString& error) {
    BatchSettings settings;
    if (command.namesSteps()) {
        settings.backup = false;
        if (command.replaceList) {
            const auto pairs = ReadReplaceList(*command.replaceList, error);
            if (!pairs)
                return std::nullopt;
            settings.searchTexts = pairs->first;
            settings.replaceTexts = pairs->second;
            settings.searchReplace = !settings.searchTexts.isEmpty();
        }
        settings.convert = command.convert;
        settings.lineBreaks = command.lineBreakStyle || command.compress;
        settings.lineBreakStyle = command.lineBreakStyle.value_or(1);
        settings.compressLines = command.compress;
        if (command.checks) {
            settings.errorSearch = true;
            settings.checkBrackets = command.checks->contains(QStringLiteral("brackets"));
            settings.checkQuotes = command.checks->contains(QStringLiteral("quotes"));
            settings.checkStandardTags = command.checks->contains(QStringLiteral("standard"));
        }
    } else {
        settings = StoredBatchSettings(IniFile);
    }
    settings.matchCase = settings.matchCase || command.matchCase;
    if (command.backupExtension) {
        settings.backup = true;
        settings.backupExtension = *command.backupExtension;
    }
    settings.dryRun = command.common.dryRun;
    return settings;
}

// What the run did, gathered file by file.
struct Outcome {
    qsizetype files = 0;
    QStringList changed; // with their replacements when search and replace ran
    qsizetype replacements = 0;
    QStringList failures;
    QStringList findings;
};

} // namespace

BatchSettings StoredBatchSettings(const QString& iniFile) {
    const IniSession ini(iniFile);
    BatchSettings settings; // the window as designed and the batch settings' start values
    const auto ticked = [&ini](const IntKey& key) { return ReadKey(ini, key).has_value(); };
    settings.matchCase = ticked(Keys::Matcha);
    settings.convert = ticked(Keys::Konvertera);
    settings.lineBreaks = ticked(Keys::Komprimera);
    settings.errorSearch = ticked(Keys::Sokfel);
    settings.compressLines = ticked(Keys::KomprimeraRader);
    if (const std::optional<int> backup = ReadKey(ini, Keys::Gorbackup))
        settings.backup = *backup == 1;
    if (const QString extension = ReadKey(ini, Keys::Backupext); !extension.isEmpty())
        settings.backupExtension = extension;
    settings.lineBreakStyle = ReadKey(ini, Keys::Radbrytning).value_or(settings.lineBreakStyle);
    const auto check = [&ini](const IntKey& key, bool& value) {
        if (const std::optional<int> stored = ReadKey(ini, key))
            value = *stored == 1;
    };
    check(Keys::FelHakar, settings.checkBrackets);
    check(Keys::FelCitat, settings.checkQuotes);
    check(Keys::FelStandard, settings.checkStandardTags);
    return settings;
}

std::optional<std::pair<QStringList, QStringList>> ReadReplaceList(const QString& path,
                                                                   QString& error) {
    QByteArray bytes;
    QString why;
    if (!ReadFileBytes(path, bytes, &why, StartFileSizeLimit)) {
        error = QStringLiteral("Kan inte läsa ") + path + QStringLiteral(" (") + why +
                QStringLiteral(").");
        return std::nullopt;
    }
    QString text = DecodeDetected(bytes, EncodingRules::Text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    std::pair<QStringList, QStringList> pairs;
    const QStringList lines = text.split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString& line = lines[n];
        if (line.isEmpty())
            continue;
        const QString where =
            QStringLiteral("Rad ") + QString::number(n + 1) + QStringLiteral(" i ") + path;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0) {
            error = where + QStringLiteral(" saknar tabb mellan söktext och ersättning.");
            return std::nullopt;
        }
        if (tab == 0) {
            error = where + QStringLiteral(" har ingen söktext.");
            return std::nullopt;
        }
        pairs.first.append(line.left(tab));
        pairs.second.append(line.mid(tab + 1));
    }
    return pairs;
}

int RunBatch(const BatchCommand& command) {
    const QString root = NormalizeFolder(command.folder);
    if (!IsReadableFolder(root))
        return RefuseArguments(QStringLiteral("Katalogen ") + command.folder +
                               QStringLiteral(" finns inte eller kan inte läsas."));
    QString error;
    const std::optional<BatchSettings> settings = settingsOf(command, error);
    if (!settings)
        return RefuseArguments(error);
    // Every matching file is chosen, so the only refusals left are those about the steps.
    if (const std::optional<StartMessage> stop = CheckStart(*settings, true, 0, 0))
        return RefuseArguments(stop->text);
    // The conversion needs the entity table; its message tells what is missing.
    if (settings->convert && !LoadEntityTable())
        return ExitFailed;

    BatchSelection selection;
    selection.root = root;
    selection.subfolders = command.subfolders;
    selection.pattern = command.pattern;
    if (!command.subfolders)
        selection.files = ListFiles(root, FilePattern(command.pattern));

    Console console(command.common.quiet);
    const InterruptGuard interrupts;
    Outcome outcome;
    BatchRun run(*settings, selection);
    run.appendStatus = [&console](const QString& text, int breaks) {
        console.log(text + QString(breaks, u'\n'));
    };
    run.processEvents = [] {
        if (Interrupted())
            CancelRequested = true;
    };
    run.progress = [&console](int done, int total) {
        console.progress(QStringLiteral("Bearbetar: ") + QString::number(done) +
                         QStringLiteral(" av ") + files(total));
    };
    const bool searchReplace = settings->searchReplace;
    run.fileDone = [&outcome, searchReplace](const BatchFileResult& result) {
        ++outcome.files;
        using Kind = BatchFileResult::Outcome;
        if (result.outcome == Kind::Failed)
            outcome.failures.append(QStringLiteral("  ") + result.file + QStringLiteral(": ") +
                                    result.failure);
        if (result.outcome == Kind::Changed)
            outcome.changed.append(QStringLiteral("  ") + result.file +
                                   (searchReplace
                                        ? QStringLiteral(": ") + replacements(result.replacements)
                                        : QString()));
        outcome.replacements += result.replacements;
        for (const BatchFinding& finding : result.findings)
            outcome.findings.append(findingLine(result.file, finding));
    };
    CancelRequested = false;
    run.plan();
    const bool cancelled = run.run() == BatchRun::Outcome::Cancelled;
    CancelRequested = false;

    const bool findingsFail = command.failOnErrors && !outcome.findings.isEmpty();
    QString summary = settings->dryRun ? QStringLiteral("Provkörning") : QString();
    if (cancelled)
        summary += settings->dryRun ? QStringLiteral(" avbröts, ingenting skrevs: ")
                                    : QStringLiteral("Bearbetningen avbröts: ");
    else
        summary += settings->dryRun ? QStringLiteral(", ingenting skrevs: ")
                                    : QStringLiteral("Förändringar genomförda: ");
    summary += files(outcome.files) + QStringLiteral(", ") +
               QString::number(outcome.changed.size()) +
               (settings->dryRun ? QStringLiteral(" skulle ändras") : QStringLiteral(" ändrade")) +
               QStringLiteral(", ") + QString::number(outcome.failures.size()) +
               QStringLiteral(" misslyckades");
    if (settings->searchReplace)
        summary += QStringLiteral(", ") + replacements(outcome.replacements);
    console.log(summary + QStringLiteral(".\n"));
    if (settings->dryRun && !outcome.changed.isEmpty())
        console.log(QStringLiteral("Skulle ändras:\n") + outcome.changed.join(u'\n') +
                    QLatin1Char('\n'));
    if (!outcome.findings.isEmpty() && !findingsFail)
        console.log(QStringLiteral("Fel som kontrollerna hittade: ") +
                    QString::number(outcome.findings.size()) + QLatin1Char('\n') +
                    outcome.findings.join(u'\n') + QLatin1Char('\n'));
    console.finish();

    QStringList failed = outcome.failures;
    if (findingsFail)
        failed += outcome.findings;
    if (!failed.isEmpty())
        Console::error(QStringLiteral("Misslyckades: ") + QString::number(failed.size()) +
                       QLatin1Char('\n') + failed.join(u'\n'));
    if (cancelled)
        return ExitInterrupted;
    return failed.isEmpty() ? ExitSuccess : ExitFailed;
}
