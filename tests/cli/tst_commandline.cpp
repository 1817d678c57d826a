// The command line through the real executable, started without any display, on temporary
// trees: every option of both commands, the trial run writing nothing, the exit statuses, a
// file that cannot be written failing alone, the checks' findings, the progress line, Ctrl+C,
// and the same result as the batch window on a copy of the same tree.

#include "batch/frmbearbeta.h"
#include "batch/frmstatus.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "shell/tools.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include <csignal>

namespace {

using Tree = QMap<QString, QByteArray>; // relative name -> bytes

struct Result {
    int status = -1;
    QString out;
    QString err;
};

QProcessEnvironment withoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // A window-system object would fail to start on this platform without a display.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

Result run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(withoutDisplay());
    process.start(program, arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Result vessilora(const QStringList& arguments) {
    return run(QStringLiteral(VESSILORA_EXECUTABLE), arguments);
}

// Every file below root, hidden ones included (a leftover would show).
Tree readTree(const QString& root) {
    Tree tree;
    for (const QString& name : FilesBelow(root))
        tree[name] = ReadFile(root + QLatin1Char('/') + name);
    return tree;
}

// The modification times of the files below root.
QMap<QString, qint64> timesBelow(const QString& root) {
    QMap<QString, qint64> times;
    for (const QString& name : FilesBelow(root))
        times[name] = QFileInfo(root + QLatin1Char('/') + name).lastModified().toMSecsSinceEpoch();
    return times;
}

void writeTree(const QString& root, const Tree& tree) {
    for (auto it = tree.begin(); it != tree.end(); ++it)
        WriteFile(root + QLatin1Char('/') + it.key(), it.value());
}

// The site every test starts from (Windows-1252 bytes).
const Tree Site = {{"a.htm", "<p>Hej \xe5</p>\r\n"},
                   {"b.html", "<P>hej\r\n  <b>x</b>  \r\n</P>\r\n"},
                   {"notes.txt", "Hej\r\n"},
                   {"sub/c.htm", "<p>Hej igen</p>\n"},
                   {".git/d.htm", "Hej"}};

Tree with(Tree tree, const Tree& changes) {
    for (auto it = changes.begin(); it != changes.end(); ++it)
        tree[it.key()] = it.value();
    return tree;
}

} // namespace

class tst_commandline : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void answersWithoutWork_data();
    void answersWithoutWork();
    void batchOptions_data();
    void batchOptions();
    void copyOptions_data();
    void copyOptions();
    void dryRunWritesNothing_data();
    void dryRunWritesNothing();
    void failedFileFailsAlone_data();
    void failedFileFailsAlone();
    void checksAreFindings_data();
    void checksAreFindings();
    void progressLineOnlyOnATerminal();
    void interruptStopsTheRun();
    void sameAsTheWindow();

private:
    // The text with PAIRS, SITE and PUB replaced by their paths.
    QString paths(QString text) const;
    // The arguments of a line split at blanks, with the paths put in and "~" made a blank.
    QStringList expand(const QString& line) const;
    QString site() const { return m_dir->path() + QStringLiteral("/site"); }
    QString pub() const { return m_dir->path() + QStringLiteral("/pub"); }

    std::unique_ptr<TestProgramFolder> m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_commandline::init() {
    m_program = std::make_unique<TestProgramFolder>(); // VESSILORA_HOME for the child too
    m_dir = std::make_unique<QTemporaryDir>();
    writeTree(site(), Site);
    QDir().mkpath(pub());
}

void tst_commandline::cleanup() {
    m_dir.reset();
    m_program.reset();
}

QString tst_commandline::paths(QString text) const {
    return text.replace(QStringLiteral("PAIRS"), m_dir->path() + QStringLiteral("/pairs.txt"))
        .replace(QStringLiteral("SITE"), site())
        .replace(QStringLiteral("PUB"), pub());
}

QStringList tst_commandline::expand(const QString& line) const {
    QStringList arguments = paths(line).split(u' ', Qt::SkipEmptyParts);
    for (QString& argument : arguments)
        argument.replace(u'~', u' ');
    return arguments;
}

void tst_commandline::answersWithoutWork_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QByteArray>("pairs");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says"); // on standard output for 0, standard error for 2
    const auto row = [](const char* name, const char* arguments, const char* pairs, int status,
                        const QString& says) {
        QTest::newRow(name) << QString::fromUtf8(arguments) << QByteArray(pairs) << status << says;
    };
    row("version", "--version", "", 0, QStringLiteral("Vessilora " VESSILORA_VERSION "\n"));
    row("unknown command", "kopiera", "", 2, QStringLiteral("Okänt kommando: kopiera"));
    row("unknown option", "batch SITE --fast", "", 2, QStringLiteral("Okänt val: --fast"));
    row("missing folder", "batch SITE/saknas --convert", "", 2, QStringLiteral("finns inte"));
    row("line breaks", "batch SITE --linebreaks mac", "", 2,
        QStringLiteral("Okänd radbrytning: mac"));
    row("checks", "batch SITE --check brackets,taggar", "", 2,
        QStringLiteral("Okänd kontroll: taggar"));
    row("nothing stored", "batch SITE", "", 2, QStringLiteral("Det finns ingenting att göra."));
    row("empty list", "batch SITE --replace-list PAIRS", "\n", 2,
        QStringLiteral("Det finns ingenting att göra."));
    row("pair without a tab", "batch SITE --replace-list PAIRS", "a\tb\nc d\n", 2,
        QStringLiteral("Rad 2 i"));
    row("backup extension", "batch SITE --convert --backup x/y", "", 2, QStringLiteral("\"/\""));
    row("date", "copy SITE PUB --since 2002-13-01", "", 2, QStringLiteral("år-månad-dag"));
    row("target inside source", "copy SITE SITE/sub", "", 2,
        QStringLiteral("Du kan inte kopiera till en underkatalog till källkatalogen."));
}

void tst_commandline::answersWithoutWork() {
    QFETCH(QString, arguments);
    QFETCH(QByteArray, pairs);
    QFETCH(int, status);
    QFETCH(QString, says);
    writeTree(m_dir->path(), {{"pairs.txt", pairs}});
    const Tree before = readTree(m_dir->path());
    const Result result = vessilora(expand(arguments));
    QCOMPARE(result.status, status);
    QVERIFY2((status == 0 ? result.out : result.err).contains(says), qPrintable(result.err));
    QCOMPARE(result.err.contains(QStringLiteral("Användning:")), status == 2);
    QCOMPARE(readTree(m_dir->path()), before);
}

void tst_commandline::batchOptions_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QByteArray>("pairs");
    QTest::addColumn<QByteArray>("settings"); // section Bearbeta of vessilor.ini
    QTest::addColumn<Tree>("changes");        // every other file stays as it was
    const auto row = [](const char* name, const char* arguments, const char* pairs,
                        const char* settings, const Tree& changes) {
        QTest::newRow(name) << QString::fromUtf8(arguments) << QByteArray(pairs)
                            << QByteArray(settings) << changes;
    };
    const QByteArray lf = "<P>hej\n  <b>x</b>  \n</P>\n";
    row("replace-list, letter case ignored", "--replace-list PAIRS", "hej\tHall\xe5\n", "",
        {{"a.htm", "<p>Hall\xe5 \xe5</p>\r\n"},
         {"b.html", "<P>Hall\xe5\r\n  <b>x</b>  \r\n</P>\r\n"}});
    row("match-case", "--replace-list PAIRS --match-case", "Hej\tX\n", "",
        {{"a.htm", "<p>X \xe5</p>\r\n"}});
    row("subfolders, hidden ones left alone", "--replace-list PAIRS --subfolders", "Hej\tX\n", "",
        {{"a.htm", "<p>X \xe5</p>\r\n"},
         {"b.html", "<P>X\r\n  <b>x</b>  \r\n</P>\r\n"},
         {"sub/c.htm", "<p>X igen</p>\n"}});
    row("pattern", "--replace-list PAIRS --pattern *.txt;*.c", "Hej\tX\n", "",
        {{"notes.txt", "X\r\n"}});
    row("compress keeps CR LF", "--compress", "", "",
        {{"b.html", "<P>hej\r\n<b>x</b>\r\n</P>\r\n"}});
    row("compress, linebreaks cr", "--compress --linebreaks cr", "", "",
        {{"a.htm", "<p>Hej \xe5</p>\r"}, {"b.html", "<P>hej\r<b>x</b>\r</P>\r"}});
    row("stored settings", "", "", "Konvertera=1\r\nKomprimera=1\r\nRadbrytning=3\r\nGorbackup=0",
        {{"a.htm", "<p>Hej &aring;</p>\n"}, {"b.html", lf}});
    row("stored settings, backup from the command line", "--backup sik", "",
        "Konvertera=1\r\nGorbackup=0\r\nBackupext=BAK",
        {{"a.htm", "<p>Hej &aring;</p>\r\n"}, {"a.sik", Site["a.htm"]}, {"b.sik", Site["b.html"]}});
    row("named steps leave the stored ones out", "--linebreaks lf --pattern a.htm", "",
        "Konvertera=1", {{"a.htm", "<p>Hej \xe5</p>\n"}});
}

void tst_commandline::batchOptions() {
    QFETCH(QString, arguments);
    QFETCH(QByteArray, pairs);
    QFETCH(QByteArray, settings);
    QFETCH(Tree, changes);
    writeTree(m_dir->path(), {{"pairs.txt", pairs}});
    if (!settings.isEmpty())
        m_program->write(QStringLiteral("vessilor.ini"), "[Bearbeta]\r\n" + settings + "\r\n");
    const Result result = vessilora(QStringList{"batch", site()} + expand(arguments));
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QString());
    QCOMPARE(readTree(site()), with(Site, changes));
}

void tst_commandline::copyOptions_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<Tree>("published");
    const Tree top = {
        {"a.htm", Site["a.htm"]}, {"b.html", Site["b.html"]}, {"notes.txt", Site["notes.txt"]}};
    QTest::newRow("one folder") << "" << top;
    QTest::newRow("subfolders") << "--subfolders" << with(top, {{"sub/c.htm", Site["sub/c.htm"]}});
    QTest::newRow("since, to the second")
        << "--since 2002-03-01~12:00:00"
        << Tree{{"a.htm", top["a.htm"]}, {"notes.txt", top["notes.txt"]}};
    QTest::newRow("pattern") << "--pattern *.htm*"
                             << Tree{{"a.htm", top["a.htm"]}, {"b.html", top["b.html"]}};
    QTest::newRow("compress-html")
        << "--compress-html"
        << with(top, {{"a.htm", "<p>Hej \xe5</p>\n"}, {"b.html", "<P>hej\n  <b>x</b>  \n</P>\n"}});
}

void tst_commandline::copyOptions() {
    QFETCH(QString, arguments);
    QFETCH(Tree, published);
    WriteFile(site() + QStringLiteral("/a.htm"), Site["a.htm"],
              QDateTime(QDate(2002, 3, 1), QTime(12, 0, 0)));
    WriteFile(site() + QStringLiteral("/b.html"), Site["b.html"],
              QDateTime(QDate(2002, 3, 1), QTime(11, 59, 59)));
    const Result result = vessilora(expand(QStringLiteral("copy SITE PUB ") + arguments));
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QString());
    QVERIFY(result.out.contains(QStringLiteral("Klart.\n\nAntal filer kopierade: ") +
                                QString::number(published.size())));
    QCOMPARE(readTree(pub()), published);
    QCOMPARE(readTree(site()), Site);
}

void tst_commandline::dryRunWritesNothing_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QStringList>("says");
    QTest::newRow("batch")
        << "batch SITE --replace-list PAIRS --convert --linebreaks lf --backup old --subfolders "
           "--check brackets"
        << QStringList{"Gör backup... Provkörning, skulle bli SITE/a.old\n",
                       "Sparar... Provkörning, oförändrad\n",
                       "Provkörning, ingenting skrevs: 3 filer, 2 skulle ändras, 0 misslyckades, "
                       "3 ersättningar.\nSkulle ändras:\n  SITE/a.htm: 1 ersättning\n"
                       "  SITE/b.html: 1 ersättning\n"};
    QTest::newRow("copy") << "copy SITE PUB/ny --subfolders --compress-html"
                          << QStringList{"Skulle kopieras: PUB/ny/sub/c.htm\n",
                                         "Antal filer som skulle kopieras: 4\n"
                                         "Antal filer som skulle komprimeras: 3\n"};
}

void tst_commandline::dryRunWritesNothing() {
    QFETCH(QString, arguments);
    QFETCH(QStringList, says);
    writeTree(m_dir->path(), {{"pairs.txt", "HEJ\tHej\n"}});
    QDir().mkpath(pub() + QStringLiteral("/ny"));
    const Tree before = readTree(m_dir->path());
    const QMap<QString, qint64> timesBefore = timesBelow(m_dir->path());
    const Result result = vessilora(expand(arguments + QStringLiteral(" --dry-run")));
    QCOMPARE(result.status, 0);
    for (const QString& text : says)
        QVERIFY2(result.out.contains(paths(text)), qPrintable(result.out));
    QCOMPARE(readTree(m_dir->path()), before);
    QCOMPARE(timesBelow(m_dir->path()), timesBefore);
    QVERIFY(QDir(pub() + QStringLiteral("/ny"))
                .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

// Root may write any file, so a file fails here as it does for everybody: a page without
// any write permission bit is refused by the program itself (it never replaces a file the
// user protected), and a backup whose name is taken by a folder cannot be made.
void tst_commandline::failedFileFailsAlone_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("blocked"); // made write-protected, or a folder when it ends in /
    QTest::addColumn<QString>("failed");  // the file that fails, left as it was
    QTest::addColumn<QString>("why");     // its line on standard error
    QTest::addColumn<QString>("done");    // a file that succeeds, "=", its new text
    QTest::newRow("write-protected page") << "batch SITE --convert --linebreaks lf"
                                          << "SITE/b.html"
                                          << "SITE/b.html"
                                          << "  SITE/b.html: Misslyckades (Filen är skrivskyddad)"
                                          << "SITE/a.htm=<p>Hej &aring;</p>\n";
    QTest::newRow("quiet") << "batch SITE --linebreaks lf --quiet"
                           << "SITE/b.html"
                           << "SITE/b.html"
                           << "  SITE/b.html: Misslyckades (Filen är skrivskyddad)"
                           << "SITE/a.htm=<p>Hej å</p>\n";
    QTest::newRow("backup name taken by a folder")
        << "batch SITE --linebreaks lf --backup old"
        << "SITE/a.old/"
        << "SITE/a.htm"
        << "  SITE/a.htm: Misslyckades (SITE/a.old är ingen vanlig fil)"
        << "SITE/b.html=<P>hej\n  <b>x</b>  \n</P>\n";
    QTest::newRow("write-protected published file")
        << "copy SITE PUB"
        << "PUB/b.html"
        << "PUB/b.html"
        << "  Kan inte kopiera: PUB/b.html (Filen är skrivskyddad)"
        << "PUB/a.htm=<p>Hej å</p>\r\n";
}

void tst_commandline::failedFileFailsAlone() {
    QFETCH(QString, arguments);
    QFETCH(QString, blocked);
    QFETCH(QString, failed);
    QFETCH(QString, why);
    QFETCH(QString, done);
    writeTree(pub(), {{"b.html", "gammal"}});
    if (blocked.endsWith(u'/'))
        QVERIFY(QDir().mkpath(paths(blocked)));
    else
        QVERIFY(QFile::setPermissions(paths(blocked), QFile::ReadOwner | QFile::ReadGroup));
    const QByteArray before = ReadFile(paths(failed));

    const Result result = vessilora(expand(arguments));
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err, QStringLiteral("Misslyckades: 1\n") + paths(why) + QLatin1Char('\n'));
    QCOMPARE(result.out.isEmpty(), arguments.contains(QStringLiteral("--quiet")));
    QCOMPARE(ReadFile(paths(failed)), before);
    QCOMPARE(ReadFile(paths(done.section(u'=', 0, 0))), done.section(u'=', 1).toLatin1());
}

void tst_commandline::checksAreFindings_data() {
    QTest::addColumn<bool>("failOnErrors");
    QTest::newRow("findings") << false;
    QTest::newRow("--fail-on-errors") << true;
}

void tst_commandline::checksAreFindings() {
    QFETCH(bool, failOnErrors);
    writeTree(site(), {{"trasig.htm", "<p>ok</p>\r\n<p\r\nslut\r\n"}});
    const Result result =
        vessilora(expand(failOnErrors ? "batch SITE --check brackets --fail-on-errors"
                                      : "batch SITE --check brackets"));
    const QString finding = site() + QStringLiteral("/trasig.htm:2: Det saknas en >.");
    QVERIFY(result.out.contains(QStringLiteral("Söker fel på taggar... Det saknas en >.\n")));
    QCOMPARE(result.status, failOnErrors ? 1 : 0);
    QCOMPARE(result.out.contains(QStringLiteral("Fel som kontrollerna hittade: 1\n  ") + finding),
             !failOnErrors);
    QCOMPARE(result.err.contains(QStringLiteral("Misslyckades: 1\n  ") + finding), failOnErrors);
    QCOMPARE(readTree(site()), with(Site, {{"trasig.htm", "<p>ok</p>\r\n<p\r\nslut\r\n"}}));
}

void tst_commandline::progressLineOnlyOnATerminal() {
    const QStringList arguments = {"batch", site(), "--linebreaks", "lf"};
    QCOMPARE(vessilora(arguments).err, QString());
    // script gives the program a terminal, and passes on what it writes to it.
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        QSKIP("script (bsdutils) is not installed");
    QStringList quoted;
    for (const QString& argument : QStringList{VESSILORA_EXECUTABLE} + arguments)
        quoted << QLatin1Char('\'') + argument + QLatin1Char('\'');
    const Result result =
        run(script, {"-qec", quoted.join(u' ') + QStringLiteral(" 2>&1 >/dev/null"), "/dev/null"});
    QCOMPARE(result.status, 0);
    QVERIFY2(result.out.contains(QStringLiteral("\r\033[KBearbetar: 1 av 2 filer")),
             qPrintable(result.out));
    QVERIFY(result.out.endsWith(QStringLiteral("\r\033[K")));
}

void tst_commandline::interruptStopsTheRun() {
    const QByteArray page = QByteArray("<p>aaaa bbbb</p>\r\n").repeated(500);
    QByteArray pageAfter = page;
    pageAfter.replace('a', 'x');
    Tree big;
    for (int n = 0; n < 2000; ++n)
        big[QStringLiteral("stor/m%1/s%2.htm").arg(n % 20).arg(n)] = page;
    writeTree(site(), big);
    writeTree(m_dir->path(), {{"pairs.txt", "a\tx\n"}});

    QProcess process;
    process.setProcessEnvironment(withoutDisplay());
    process.start(QStringLiteral(VESSILORA_EXECUTABLE),
                  expand(QStringLiteral("batch SITE/stor --subfolders --replace-list PAIRS")));
    QVERIFY(process.waitForReadyRead(60000)); // the log is under way
    const qint64 pid = process.processId();   // 0 once finished: kill(0) would hit the group
    QVERIFY(pid > 0);
    ::kill(static_cast<pid_t>(pid), SIGINT);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 130);
    QVERIFY(process.readAllStandardOutput().contains("Bearbetningen avbröts: "));
    int changed = 0;
    const Tree after = readTree(site() + QStringLiteral("/stor"));
    QCOMPARE(after.size(), big.size());
    for (const QByteArray& bytes : after) {
        QVERIFY(bytes == page || bytes == pageAfter);
        changed += bytes == pageAfter;
    }
    QVERIFY(changed > 0 && changed < big.size());
}

void tst_commandline::sameAsTheWindow() {
    const QString windowTree = m_dir->path() + QStringLiteral("/fönster");
    const QString commandTree = m_dir->path() + QStringLiteral("/kommando");
    const Tree tree = with(Site, {{"sub/inre/e.htm", "<HTML>\r\n<p \"x\">Hej</p>"}});
    writeTree(windowTree, tree);
    writeTree(commandTree, tree);
    writeTree(m_dir->path(), {{"pairs.txt", "hej\tHall\xe5\n\\n</P>\t</P>\n"}});

    // The window, as the user sets it up.
    QVERIFY(LoadEntityTable());
    FakePlatformScope platform;
    StartFolder = windowTree;
    PairCount = 2;
    SearchTexts = {QStringLiteral("hej"), QStringLiteral("\\n</P>")};
    ReplaceTexts = {QStringLiteral("Hallå"), QStringLiteral("</P>")};
    BatchLineBreakStyle = 3;
    BatchCompressLines = true;
    {
        frmBearbeta window;
        window.show();
        for (QCheckBox* box : {window.findandreplace, window.chkConvert, window.chkKomprimera,
                               window.chkFindErr, window.chkUnderKat})
            box->click();
        window.cmdStartOne->click();
        QVERIFY(window.statusWindow());
        const QString windowLog = window.statusWindow()->logText();

        const Result result = vessilora(expand(
            "batch SITE/../kommando --subfolders --replace-list PAIRS --convert --linebreaks lf "
            "--compress --check brackets,quotes,standard --backup BAK"));
        QCOMPARE(result.status, 0);
        QString commandLog = result.out.left(result.out.indexOf(QStringLiteral("Förändringar")));
        commandLog.replace(commandTree, windowTree);
        QCOMPARE(
            commandLog.split(u'\n'),
            QString(windowLog).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n'));
    }
    ResetTools();
    QCOMPARE(readTree(commandTree), readTree(windowTree));
    QVERIFY(readTree(commandTree) != tree);
}

QTEST_MAIN(tst_commandline)
#include "tst_commandline.moc"
