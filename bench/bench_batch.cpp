// bench_batch: search and replace with five pairs over a generated site of 10,000 pages
// (about 100 MB of Swedish text, tags and some PRE blocks in nested folders), side by side:
//   1. find ... -exec sed -i (GNU sed's own rewrite through a temporary file) with the same pairs,
//   2. the batch run without windows (batchcore, as the command line runs it),
//   3. the batch run through the real batch window (offscreen unless a display is given),
//   4. the command line, "vessilora batch TREE --subfolders --replace-list FILE --match-case",
//      its log written to a file.
// All the trees must end up byte for byte the same. Peak memory is printed after each step.
//
//   bench_batch [--pages N] [--keep] [FOLDER]   (default: 10000 pages in a temporary folder)

#include "batch/batchrun.h"
#include "batch/frmbearbeta.h"
#include "batch/frmstatus.h"
#include "markup/globals.h"
#include "platform/fakeplatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

// The pairs, as the user types them and as sed gets them (the texts are Windows-1252 bytes).
const QStringList Searches = {"Vessilora", "<b>", "</b>", "färg", "http://www.exempel.se"};
const QStringList Replacements = {"Vesslan", "<strong>", "</strong>", "kulör",
                                  "https://exempel.se"};

QByteArray cp1252(const QString& text) {
    QByteArray bytes;
    for (const QChar c : text)
        bytes += static_cast<char>(c.unicode());
    return bytes;
}

QByteArray sedEscape(QByteArray text) {
    QByteArray escaped;
    for (const char c : text) {
        if (c == '/' || c == '.' || c == '*' || c == '[' || c == ']' || c == '\\' || c == '&' ||
            c == '^' || c == '$')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

QByteArray page(QRandomGenerator& rng, int n) {
    static const QList<QByteArray> words = {
        "och",    "att",     "det",       "som",      "en",      "p\xe5",      "\xe4r",   "av",
        "f\xf6r", "med",     "till",      "den",      "har",     "de",         "inte",    "om",
        "ett",    "han",     "men",       "f\xe4rg",  "sommar",  "sj\xf6",     "\xe5ker", "h\xf6st",
        "bl\xe5", "gr\xf6n", "Vessilora", "webbsida", "l\xe4nk", "stj\xe4rna", "m\xe5ne", "\xf6ga"};
    QByteArray text = "<HTML>\r\n<HEAD>\r\n<TITLE>Sida " + QByteArray::number(n) +
                      "</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n";
    while (text.size() < 9800) {
        const int kind = rng.bounded(20);
        if (kind == 0) {
            text += "<PRE>\r\n";
            for (int i = 0; i < 5; ++i)
                text += "    kod " + QByteArray::number(rng.bounded(1000)) + " <b>f\xe4rg</b>\r\n";
            text += "</PRE>\r\n";
            continue;
        }
        text += "<P>";
        const int count = 20 + rng.bounded(30);
        for (int i = 0; i < count; ++i) {
            const QByteArray& word = words[rng.bounded(int(words.size()))];
            const int mark = rng.bounded(40);
            if (mark == 0)
                text += "<b>" + word + "</b> ";
            else if (mark == 1)
                text += "<A HREF=\"http://www.exempel.se/" + word + ".htm\">" + word + "</A> ";
            else
                text += word + ' ';
        }
        text += "</P>\r\n";
    }
    text += "</BODY>\r\n</HTML>\r\n";
    return text;
}

// pages in nested folders: 10 folders of 10 folders of pages/100 pages each.
void generate(const QString& root, int pages) {
    QRandomGenerator rng(20261206);
    for (int n = 0; n < pages; ++n) {
        const QString folder = root + QStringLiteral("/avd%1/del%2").arg(n % 10).arg(n / 10 % 10);
        if (n < 100)
            QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/sida%1.htm").arg(n));
        if (!file.open(QIODevice::WriteOnly) || file.write(page(rng, n)) < 0)
            qFatal("cannot write %s", qPrintable(file.fileName()));
    }
}

QByteArray treeHash(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next().mid(root.size()));
    files.sort();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& name : files) {
        QFile file(root + name);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        hash.addData(name.toUtf8());
        hash.addData(file.readAll());
    }
    return hash.result().toHex().left(12);
}

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Processor time (user and system) used so far by this program or by its finished children:
// on a machine shared with other work it varies far less than the time on the clock.
double processorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto toSeconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
}

double seconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void syncDisk() {
    QProcess::execute(QStringLiteral("sync"), {});
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int pages = 10000;
    bool keep = false;
    QString base;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--pages") && i + 1 < args.size())
            pages = args[++i].toInt();
        else if (args[i] == QLatin1String("--keep"))
            keep = true;
        else
            base = args[i];
    }
    QTemporaryDir temporary(base.isEmpty()
                                ? QDir::tempPath() + QStringLiteral("/bench_batch-XXXXXX")
                                : base + QStringLiteral("/bench_batch-XXXXXX"));
    temporary.setAutoRemove(!keep);
    const QStringList sedTrees = {temporary.path() + QStringLiteral("/sed1"),
                                  temporary.path() + QStringLiteral("/sed2")};
    const QStringList coreTrees = {temporary.path() + QStringLiteral("/core1"),
                                   temporary.path() + QStringLiteral("/core2")};
    const QString windowTree = temporary.path() + QStringLiteral("/window");
    const QStringList commandTrees = {temporary.path() + QStringLiteral("/command1"),
                                      temporary.path() + QStringLiteral("/command2")};
    const QStringList trees = sedTrees + coreTrees + QStringList{windowTree} + commandTrees;

    QElapsedTimer timer;
    timer.start();
    for (const QString& tree : trees)
        generate(tree, pages);
    syncDisk();
    qint64 bytes = 0;
    for (QDirIterator it(windowTree, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        bytes += QFileInfo(it.next()).size();
    std::printf("%d pages, %.1f MB per tree, generated in %.1f s; peak memory %ld MB\n", pages,
                static_cast<double>(bytes) / 1e6, seconds(timer), peakMegabytes());

    // The same work takes the file system a different time depending on what it did just
    // before, so sed and the run each go twice, in the order sed, run, run, sed, each on a
    // fresh tree; the better time of each counts.
    // The least processor time of each way (sed, without windows, command line).
    double sedProcessor = 1e9;
    double coreProcessor = 1e9;
    double commandProcessor = 1e9;
    const auto runSed = [&](const QString& sedTree) {
        // 1. find -exec sed -i, the pairs in one sed call per batch of files.
        // The script holds the Windows-1252 bytes of the pairs, as the pages do.
        const QString script = temporary.path() + QStringLiteral("/pairs.sed");
        {
            QFile file(script);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write %s", qPrintable(script));
            for (qsizetype k = 0; k < Searches.size(); ++k)
                file.write("s/" + sedEscape(cp1252(Searches[k])) + "/" +
                           sedEscape(cp1252(Replacements[k])) + "/g\n");
        }
        const QStringList sedArgs = {sedTree, "-type", "f",  "-name", "*.htm*", "-exec",
                                     "sed",   "-i",    "-f", script,  "{}",     "+"};
        QProcess sed;
        QProcessEnvironment cLocale = QProcessEnvironment::systemEnvironment();
        cLocale.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        sed.setProcessEnvironment(cLocale);
        const double processorBefore = processorSeconds(RUSAGE_CHILDREN);
        timer.restart();
        sed.start(QStringLiteral("find"), sedArgs);
        sed.waitForFinished(-1);
        const double sedSeconds = seconds(timer);
        const double processor = processorSeconds(RUSAGE_CHILDREN) - processorBefore;
        sedProcessor = qMin(sedProcessor, processor);
        timer.restart();
        syncDisk();
        const double sedSync = seconds(timer);
        std::printf(
            "find -exec sed -i {} +          %6.2f s (then sync %.2f s), processor %.2f s\n",
            sedSeconds, sedSync, processor);
        return sedSeconds;
    };
    const auto runCore = [&](const QString& coreTree) {
        // 2. The batch run without windows.
        BatchSettings settings;
        settings.backup = false;
        settings.searchReplace = true;
        settings.matchCase = true;
        settings.searchTexts = Searches;
        settings.replaceTexts = Replacements;
        BatchSelection selection;
        selection.root = coreTree;
        selection.subfolders = true;
        const double processorBefore = processorSeconds(RUSAGE_SELF);
        timer.restart();
        BatchRun run(settings, selection);
        run.run();
        const double coreSeconds = seconds(timer);
        const double processor = processorSeconds(RUSAGE_SELF) - processorBefore;
        coreProcessor = qMin(coreProcessor, processor);
        std::printf("batch run without windows       %6.2f s (flush included), processor %.2f s, "
                    "%d files written; peak memory %ld MB\n",
                    coreSeconds, processor, run.written(), peakMegabytes());
        syncDisk();
        return coreSeconds;
    };
    const auto runCommand = [&](const QString& commandTree) {
        // 4. The command line, the pairs in a file (UTF-8), the log to a file.
        const QString pairs = temporary.path() + QStringLiteral("/pairs.txt");
        {
            QFile file(pairs);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write %s", qPrintable(pairs));
            for (qsizetype k = 0; k < Searches.size(); ++k)
                file.write((Searches[k] + u'\t' + Replacements[k] + u'\n').toUtf8());
        }
        QProcess command;
        command.setStandardOutputFile(temporary.path() + QStringLiteral("/command.log"));
        const double processorBefore = processorSeconds(RUSAGE_CHILDREN);
        timer.restart();
        command.start(QStringLiteral(VESSILORA_EXECUTABLE),
                      {QStringLiteral("batch"), commandTree, QStringLiteral("--subfolders"),
                       QStringLiteral("--replace-list"), pairs, QStringLiteral("--match-case")});
        command.waitForFinished(-1);
        const double commandSeconds = seconds(timer);
        const double processor = processorSeconds(RUSAGE_CHILDREN) - processorBefore;
        commandProcessor = qMin(commandProcessor, processor);
        rusage child{};
        getrusage(RUSAGE_CHILDREN, &child);
        std::printf("command line                    %6.2f s (flush included), processor %.2f s, "
                    "exit %d; peak memory of the children %ld MB\n",
                    commandSeconds, processor, command.exitCode(), child.ru_maxrss / 1024);
        syncDisk();
        return commandSeconds;
    };
    double sedSeconds = runSed(sedTrees[0]);
    double coreSeconds = runCore(coreTrees[0]);
    double commandSeconds = runCommand(commandTrees[0]);
    commandSeconds = qMin(commandSeconds, runCommand(commandTrees[1]));
    coreSeconds = qMin(coreSeconds, runCore(coreTrees[1]));
    sedSeconds = qMin(sedSeconds, runSed(sedTrees[1]));

    // 3. The same run through the batch window.
    FakePlatform fake;
    installPlatform(&fake);
    StartFolder = windowTree;
    PairCount = static_cast<int>(Searches.size());
    SearchTexts = Searches;
    ReplaceTexts = Replacements;
    frmBearbeta window;
    window.show();
    window.chkBackup->setChecked(false);
    window.findandreplace->setChecked(true);
    window.chkMatcha->setChecked(true);
    window.chkUnderKat->setChecked(true);
    QApplication::processEvents();
    timer.restart();
    window.cmdStartOne->click();
    const double windowSeconds = seconds(timer);
    const frmStatus* status = window.statusWindow();
    const QString log = status ? status->logText() : QString();
    std::printf("batch run in the window         %6.2f s, %lld log lines, \"%s\"; peak memory "
                "%ld MB\n",
                windowSeconds, static_cast<long long>(log.count(QStringLiteral("\r\n"))),
                status ? qPrintable(status->lblCount->text()) : "", peakMegabytes());
    installPlatform(nullptr);

    QStringList hashes;
    for (const QString& tree : trees)
        hashes.append(QString::fromLatin1(treeHash(tree)));
    const bool same = hashes.count(hashes.front()) == hashes.size();
    std::printf("trees (sed, sed, run, run, window, command, command): %s: %s\n",
                qPrintable(hashes.join(u' ')), same ? "the same" : "DIFFERENT");
    std::printf("best times: sed %.2f s, without windows %.2f s, window %.2f s, command line "
                "%.2f s\n"
                "without windows / sed: %.2f; window / without windows: %.2f; command line / "
                "sed: %.2f\n",
                sedSeconds, coreSeconds, windowSeconds, commandSeconds, coreSeconds / sedSeconds,
                windowSeconds / coreSeconds, commandSeconds / sedSeconds);
    std::printf("least processor time: sed %.2f s, without windows %.2f s, command line %.2f s; "
                "command line / sed: %.2f\n",
                sedProcessor, coreProcessor, commandProcessor, commandProcessor / sedProcessor);
    return same ? 0 : 1;
}
