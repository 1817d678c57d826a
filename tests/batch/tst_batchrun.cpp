// The batch run without windows: search and replace, backup names, the start checks, the
// folder walk, and what the run leaves on disk (only changed files written, in their own
// encoding, nothing added, backups that never replace a page), with its log.

#include "batch/batchrun.h"
#include "batch/searchreplace.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

struct RunResult {
    QString log;
    QStringList folders;
    BatchRun::Outcome outcome = BatchRun::Outcome::Finished;
    int written = 0;
};

RunResult runBatch(const BatchSettings& settings, const BatchSelection& selection) {
    RunResult result;
    CancelRequested = false;
    BatchRun run(settings, selection);
    run.appendStatus = [&](const QString& text, int breaks) {
        result.log += text + u"\r\n"_s.repeated(breaks);
    };
    run.folderEntered = [&](const QString& folder) { result.folders.append(folder); };
    result.outcome = run.run();
    result.written = run.written();
    return result;
}

BatchSettings searchOnly(const QStringList& searches, const QStringList& replacements) {
    BatchSettings settings;
    settings.backup = false;
    settings.searchReplace = true;
    settings.searchTexts = searches;
    settings.replaceTexts = replacements;
    return settings;
}

BatchSelection filesIn(const QString& root, const QStringList& files) {
    BatchSelection selection;
    selection.root = root;
    selection.files = files;
    return selection;
}

} // namespace

class tst_batchrun : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void searchAndReplace_data();
    void searchAndReplace();
    void backupNames_data();
    void backupNames();
    void startChecks_data();
    void startChecks();
    void walkOrder();
    void onlyChangedFilesAreWritten_data();
    void onlyChangedFilesAreWritten();
    void eachFileKeepsItsEncoding();
    void backupsNeverReplaceAPage_data();
    void backupsNeverReplaceAPage();
    void unreadablePages();

private:
    TestProgramFolder program;
};

void tst_batchrun::initTestCase() {
    QVERIFY(LoadEntityTable());
}

void tst_batchrun::searchAndReplace_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("searches");
    QTest::addColumn<QStringList>("replacements");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QString& text, const QStringList& searches,
                        const QStringList& replacements, bool matchCase, const QString& expected) {
        QTest::newRow(name) << text << searches << replacements << matchCase << expected;
    };
    row("replacement holds the search text", "cat", {"a"}, {"aa"}, true, "caat");
    row("escapes", "a\r\nb", {"\\n"}, {"\\t"}, true, "a\tb");
}

void tst_batchrun::searchAndReplace() {
    QFETCH(QString, text);
    QFETCH(QStringList, searches);
    QFETCH(QStringList, replacements);
    QFETCH(bool, matchCase);
    QFETCH(QString, expected);
    PairCount = static_cast<int>(searches.size());
    SearchTexts = searches;
    ReplaceTexts = replacements;
    WorkText = text;
    StatusText.clear();
    ::SearchAndReplace(matchCase);
    QCOMPARE(WorkText, expected);
    QCOMPARE(StatusText, u"Klart"_s);
    // The stored list is never changed by the run.
    QCOMPARE(SearchTexts, searches);
    PairCount = 0;
}

void tst_batchrun::backupNames_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("backup");
    const auto row = [](const char* name, const char* file, const char* extension,
                        const char* backup) {
        QTest::newRow(name) << QString(file) << QString(extension) << QString(backup);
    };
    row("no dot", "/web/index", "BAK", "/web/index.BAK");
    row("dot only in the folder", "/my.site/index", "BAK", "/my.site/index.BAK");
    row("last dot", "/a/b.tar.gz", "old", "/a/b.tar.old");
    row("at the root", "/index.htm", "BAK", "/index.BAK");
}

void tst_batchrun::backupNames() {
    QFETCH(QString, file);
    QFETCH(QString, extension);
    QFETCH(QString, backup);
    QCOMPARE(BackupName(file, extension), backup);
}

void tst_batchrun::startChecks_data() {
    QTest::addColumn<QString>("steps"); // s search, c convert, l line breaks, e errors
    QTest::addColumn<int>("pairs");
    QTest::addColumn<bool>("subfolders");
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("message");
    const QString nothing = u"Det finns ingenting att göra."_s;
    QTest::newRow("subfolders need no choice") << "c" << 0 << true << 0 << 0 << "BAK"
                                               << "";
    QTest::newRow("search without pairs") << "s" << 0 << false << 3 << 1 << "BAK" << nothing;
    QTest::newRow("error search alone is work") << "e" << 0 << false << 3 << 1 << "BAK"
                                                << "";
    QTest::newRow("search with pairs") << "s" << 1 << false << 3 << 1 << "BAK"
                                       << "";
    QTest::newRow("extension with a slash")
        << "l" << 0 << false << 3 << 1 << "../x"
        << "Filtillägget för backup får inte innehålla tecknet \"/\".";
}

void tst_batchrun::startChecks() {
    QFETCH(QString, steps);
    QFETCH(int, pairs);
    QFETCH(bool, subfolders);
    QFETCH(int, listed);
    QFETCH(int, chosen);
    QFETCH(QString, extension);
    QFETCH(QString, message);
    PairCount = pairs;
    SearchTexts = ReplaceTexts = QStringList(pairs, u"x"_s);
    const BatchSettings settings =
        BatchSettingsFromGlobals(steps.contains(u's'), false, steps.contains(u'c'),
                                 steps.contains(u'l'), steps.contains(u'e'), true, extension);
    PairCount = 0;
    const std::optional<StartMessage> stop = CheckStart(settings, subfolders, listed, chosen);
    QCOMPARE(stop ? stop->text : QString(), message);
}

void tst_batchrun::walkOrder() {
    TestTree tree;
    for (const char* file :
         {"a.htm", "B/b.htm", "A/a.htm", "A/A1/x.htm", "A/A2/y.html", ".git/g.htm", "A/skip.txt"})
        tree.write(QString::fromLatin1(file), "x");
    QVERIFY(QFile::link(tree.file("A"), tree.file("link")));
    BatchSettings settings;
    settings.backup = false;
    settings.errorSearch = true;
    settings.checkBrackets = settings.checkQuotes = settings.checkStandardTags = false;
    BatchSelection selection = filesIn(tree.path(), {});
    selection.subfolders = true;
    const RunResult result = runBatch(settings, selection);
    QStringList relative;
    for (const QString& folder : result.folders)
        relative.append(QDir(tree.path()).relativeFilePath(folder));
    QCOMPARE(relative, QStringList({".", "B", "A", "A/A2", "A/A1"}));
    QCOMPARE(result.log.count(u"Öppnar: "_s), 5);
}

void tst_batchrun::onlyChangedFilesAreWritten_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("style"); // 0: checks only
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("checks only") << QByteArray("<p>x</p>") << 0 << QByteArray("<p>x</p>");
    QTest::newRow("breaks already in style")
        << QByteArray("a\r\nb\r\n") << 1 << QByteArray("a\r\nb\r\n");
    QTest::newRow("LF to CR LF, one break at the end")
        << QByteArray("\na\nb\n\n") << 1 << QByteArray("a\r\nb\r\n");
    QTest::newRow("breaks only stay empty") << QByteArray("\r\n\r\n") << 3 << QByteArray("");
}

void tst_batchrun::onlyChangedFilesAreWritten() {
    QFETCH(QByteArray, before);
    QFETCH(int, style);
    QFETCH(QByteArray, after);
    TestTree tree;
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    WriteFile(tree.file("a.htm"), before, old);
    BatchSettings settings;
    settings.backup = false;
    settings.errorSearch = style == 0;
    settings.lineBreaks = style != 0;
    settings.lineBreakStyle = qMax(style, 1);
    const RunResult result = runBatch(settings, filesIn(tree.path(), {"a.htm"}));
    QCOMPARE(tree.read("a.htm"), after);
    const bool changed = before != after;
    QCOMPARE(result.written, changed ? 1 : 0);
    if (!changed)
        QCOMPARE(QFileInfo(tree.file("a.htm")).lastModified(), old);
    QVERIFY(result.log.contains(u"Sparar... Klart\r\n\r\n"_s));
}

void tst_batchrun::eachFileKeepsItsEncoding() {
    TestTree tree;
    tree.write("ansi.htm", "<p>s\xe5g</p>\r\n");
    tree.write("utf8.htm", "<p>s\xc3\xa5g \xe2\x86\x92</p>\r\n");
    const RunResult result =
        runBatch(searchOnly({"såg"}, {"sög"}), filesIn(tree.path(), {"ansi.htm", "utf8.htm"}));
    QCOMPARE(result.written, 2);
    QCOMPARE(tree.read("ansi.htm"), QByteArray("<p>s\xf6g</p>\r\n"));
    QCOMPARE(tree.read("utf8.htm"), QByteArray("<p>s\xc3\xb6g \xe2\x86\x92</p>\r\n"));
}

void tst_batchrun::backupsNeverReplaceAPage_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QStringList>("refused"); // files whose backup is refused (left unchanged)
    QTest::newRow("backup name is the file")
        << QStringList{"index.htm"} << "htm" << QStringList{"index.htm"};
    QTest::newRow("two files, one backup name")
        << QStringList{"index.htm", "index.html"} << "BAK" << QStringList{"index.html"};
    QTest::newRow("backup names another page")
        << QStringList{"a.htm", "a.html"} << "htm" << QStringList{"a.htm", "a.html"};
}

void tst_batchrun::backupsNeverReplaceAPage() {
    QFETCH(QStringList, files);
    QFETCH(QString, extension);
    QFETCH(QStringList, refused);
    TestTree tree;
    for (const QString& file : files)
        tree.write(file, file.toLatin1());
    BatchSettings settings = searchOnly({"."}, {"!"});
    settings.backup = true;
    settings.backupExtension = extension;
    const RunResult result = runBatch(settings, filesIn(tree.path(), files));
    QCOMPARE(result.log.count(u"Gör backup... Misslyckades"_s), refused.size());
    for (const QString& file : files) {
        const QByteArray now = tree.read(file);
        if (refused.contains(file)) {
            QCOMPARE(now, file.toLatin1());
        } else {
            QCOMPARE(now, QString(file).replace(u'.', u'!').toLatin1());
            QCOMPARE(tree.read(QFileInfo(BackupName(file, extension)).fileName()), file.toLatin1());
        }
    }
}

void tst_batchrun::unreadablePages() {
    // A page that cannot be read or written is logged and left as it was; the run goes on.
    TestTree tree;
    tree.write("a.htm", "x");
    tree.write("c.htm", "x");
    ::chmod(QFile::encodeName(tree.path()).constData(), 0777);
    ::chmod(QFile::encodeName(tree.file("c.htm")).constData(), 0);
    RunResult result;
    {
        OrdinaryUser user;
        result = runBatch(searchOnly({"x"}, {"y"}), filesIn(tree.path(), {"a.htm", "c.htm"}));
    }
    QVERIFY(result.log.contains("Sparar... Misslyckades (Åtkomst nekad)\r\n\r\n"));
    QVERIFY(result.log.endsWith("Öppnar: " + tree.file("c.htm") +
                                "... Misslyckades (Åtkomst nekad)\r\n\r\n"));
    QCOMPARE(tree.read("a.htm"), QByteArray("x"));
}

QTEST_GUILESS_MAIN(tst_batchrun)
#include "tst_batchrun.moc"
