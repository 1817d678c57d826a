// The batch window and its dialogs, offscreen: the designed state and the stored settings, the
// enabling rules, the search-and-replace list, the option dialogs, and runs through the real
// windows with their log, count, pause, cancel and close box.

#include "batch/frmbatchoptions.h"
#include "batch/frmbearbeta.h"
#include "batch/frmsok.h"
#include "batch/frmstatus.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "shell/inimod.h"
#include "shell/tools.h"
#include "testsupport.h"
#include "widgets/filepanes.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString key(const QString& name) {
    return ReadIniString(u"Bearbeta"_s, name, IniFile);
}

void setKey(const QString& name, QString value) {
    WriteIniString(u"Bearbeta"_s, name, value, IniFile);
}

// Calls action at the run's first check point after which done() holds.
void whenDuring(const std::function<bool()>& done, const std::function<void()>& action) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, done, action] {
        if (!done())
            return;
        timer->stop();
        timer->deleteLater();
        action();
    });
    timer->start();
}

} // namespace

class tst_batchwindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void designedStateWithoutSettings();
    void storedSettings_data();
    void storedSettings();
    void unloadWritesTheSettings();
    void enablingRules();
    void searchList_data();
    void searchList();
    void optionDialogs_data();
    void optionDialogs();
    void startMessages_data();
    void startMessages();
    void runThroughTheWindows();
    void stoppingTheRun_data();
    void stoppingTheRun();
    void pauseHoldsTheRun();
    void selectionKeptWhenTheWindowComesBack();
    void launcherOpensTheBatchWindow();

private:
    void makeTree();
    QString page(const QString& relative) const { return m_root + u'/' + relative; }
    QByteArray read(const QString& relative) const { return m_dir->read(relative); }
    frmBearbeta* open();
    void chooseAll();

    std::unique_ptr<TestProgramFolder> m_program;
    std::unique_ptr<FakePlatformScope> m_platform;
    std::unique_ptr<TestTree> m_dir;
    std::unique_ptr<frmBearbeta> m_window;
    QString m_root;
};

void tst_batchwindow::init() {
    m_program = std::make_unique<TestProgramFolder>(); // the start values of every start
    QVERIFY(LoadEntityTable());
    m_platform = std::make_unique<FakePlatformScope>();
    m_dir = std::make_unique<TestTree>();
    m_root = m_dir->path();
    StartFolder = m_root;
}

void tst_batchwindow::cleanup() {
    m_window.reset();
    ResetTools();
    m_platform.reset();
    m_dir.reset();
    m_program.reset();
}

void tst_batchwindow::makeTree() {
    for (const auto& [name, bytes] :
         QList<std::pair<QString, QByteArray>>{{"a.htm", "<p>Hej</p>\r\n"},
                                               {"b.html", "<p>Hej d\xe5</p>\r\n"},
                                               {"noter.txt", "Hej"},
                                               {"A/c.htm", "<p>Hej igen</p>\r\n"},
                                               {"B/d.htm", "<p>Inget</p>\r\n"}})
        m_dir->write(name, bytes);
}

frmBearbeta* tst_batchwindow::open() {
    m_window = std::make_unique<frmBearbeta>();
    m_window->show();
    return m_window.get();
}

void tst_batchwindow::chooseAll() {
    QTest::mouseClick(m_window->cmdAll, Qt::LeftButton);
}

void tst_batchwindow::designedStateWithoutSettings() {
    frmBearbeta* w = open();
    QVERIFY(w->chkBackup->isChecked());
    QCOMPARE(w->txtBack->text(), u"BAK"_s);
    QCOMPARE(w->txtFilfilter->text(), u"*.htm*"_s);
    for (QCheckBox* box : {w->chkUnderKat, w->findandreplace, w->chkMatcha, w->chkConvert,
                           w->chkKomprimera, w->chkFindErr})
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
    QCOMPARE(w->Filer->path(), m_root);
}

void tst_batchwindow::storedSettings_data() {
    QTest::addColumn<QString>("stored"); // "Key=value"
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("checked");
    const auto row = [](const char* name, const char* stored, const char* control, bool on) {
        QTest::newRow(name) << QString(stored) << QString(control) << on;
    };
    row("Sokfel 1", "Sokfel=1", "chkFindErr", true);
    row("Sokfel 2 is not applied", "Sokfel=2", "chkFindErr", false);
    row("Gorbackup 0", "Gorbackup=0", "chkBackup", false);
    row("Sokochersatt 1 enables its button", "Sokochersatt=1", "cmdFindandreplace", true);
}

void tst_batchwindow::storedSettings() {
    QFETCH(QString, stored);
    QFETCH(QString, control);
    QFETCH(bool, checked);
    setKey(stored.section(u'=', 0, 0), stored.section(u'=', 1));
    frmBearbeta* w = open();
    auto* widget = w->findChild<QAbstractButton*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->isCheckable() ? widget->isChecked() : widget->isEnabled(), checked);
}

void tst_batchwindow::unloadWritesTheSettings() {
    // Out-of-range values leave the program-wide settings as they were.
    setKey("Radbrytning", "4");
    setKey("FelCitat", "0");
    setKey("Backupext", "old");
    setKey("Left", QString::number(m_platform->fake.screenTwips.width()));
    frmBearbeta* w = open();
    QCOMPARE(BatchLineBreakStyle, 1);
    QVERIFY(!BatchCheckQuotes);
    QCOMPARE(w->lblFelCit->text(), u"Citatsfel söks inte."_s);
    QCOMPARE(w->txtBack->text(), u"old"_s);
    w->chkConvert->click();
    w->showMaximized();
    w->close();
    QCOMPARE(key("Konvertera"), u"1"_s);
    QCOMPARE(key("Gorbackup"), u"1"_s);
    QCOMPARE(key("Backupext"), u"old"_s);
    QCOMPARE(key("Radbrytning"), u"1"_s);
    QCOMPARE(key("FelCitat"), u"0"_s);
    // Maximised: the place is not written.
    QCOMPARE(key("Left"), QString::number(m_platform->fake.screenTwips.width()));
    QCOMPARE(key("Top"), QString());
    QCOMPARE(StartFolder, m_root);
}

void tst_batchwindow::enablingRules() {
    frmBearbeta* w = open();
    const QList<std::pair<QCheckBox*, QList<QWidget*>>> rules = {
        {w->chkBackup, {w->lblBack, w->txtBack}},
        {w->findandreplace, {w->cmdFindandreplace, w->chkMatcha}},
        {w->chkKomprimera, {w->cmdKompInstall}},
        {w->chkFindErr, {w->cmdFelInstall}}};
    for (const auto& [box, followers] : rules) {
        for (int click = 0; click < 2; ++click) {
            box->click();
            for (QWidget* follower : followers)
                QCOMPARE(follower->isEnabled(), box->isChecked());
        }
    }
    w->chkUnderKat->click();
    QVERIFY(!w->Filer->isEnabled());
    w->chkUnderKat->click();
    QVERIFY(w->Filer->isEnabled());
}

void tst_batchwindow::searchList_data() {
    // Steps: "+s=r" types a pair and clicks cmdAdd, "#i" clicks pair i in the search list,
    // "=s=r" types into the fields and clicks cmdAdd (change), or a button: new, del, up,
    // down, dup, swap, html, htmlall, ok, cancel.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("list");    // the pairs shown, "s=r|s=r"
    QTest::addColumn<QString>("caption"); // cmdAdd's caption at the end
    QTest::addColumn<QString>("fields");  // "txtSok=txtErsatt" at the end
    const auto row = [](const char* name, const char* steps, const char* list, bool change,
                        const char* fields) {
        QTest::newRow(name) << QString(steps) << QString(list)
                            << (change ? u"&Ändra"_s : u"L&ägg till"_s) << QString(fields);
    };
    row("add two", "+a=b +c=", "a=b|c=", false, "=");
    row("empty search text is not added", "+=x", "", false, "=x");
    row("change moves to the next pair", "+a=b +c=d #0 =x=y", "x=y|c=d", true, "c=d");
    row("change of the last pair adds again", "+a=b #0 =x=y", "x=y", false, "=");
    row("emptied search text changes nothing", "+a=b #0 ==y", "a=b", true, "=y");
    row("delete the only pair", "+a=b #0 del", "", false, "a=b");
    row("delete the last of two", "+a=b +c=d #1 del", "a=b", true, "a=b");
    row("move up", "+a=b +c=d #1 up", "c=d|a=b", true, "c=d");
    row("move down at the end does nothing", "+a=b +c=d #1 down", "a=b|c=d", true, "c=d");
    row("duplicate the last", "+a=b +c=d #1 dup", "a=b|c=d|c=d", true, "c=d");
    row("swap", "+a=b #0 swap", "b=a", true, "b=a");
    row("new", "+a=b #0 new", "a=b", false, "=");
    row("html codes in the fields", "new +å=x #0 html", "å=x", true, "&aring;=x");
    row("html codes on all", "+å=ä htmlall", "&aring;=&auml;", false, "=");
}

void tst_batchwindow::searchList() {
    QFETCH(QString, steps);
    QFETCH(QString, list);
    QFETCH(QString, caption);
    QFETCH(QString, fields);
    frmBearbeta* w = open();
    w->findandreplace->click();
    w->cmdFindandreplace->click();
    frmSok* sok = w->searchWindow();
    QVERIFY(sok && sok->isVisible());
    QVERIFY(!w->isEnabled());
    const QMap<QString, QPushButton*> buttons = {
        {"new", sok->cmdNew},       {"del", sok->cmdDelete},        {"up", sok->cmdMoveUp},
        {"down", sok->cmdMoveDown}, {"dup", sok->cmdDublicate},     {"swap", sok->cmdSwap},
        {"html", sok->cmdHtmlKod},  {"htmlall", sok->cmdHtmlkodAll}};
    for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (step.startsWith(u'+') || step.startsWith(u'=')) {
            if (step.startsWith(u'+'))
                sok->cmdNew->click();
            sok->txtSok->setText(step.mid(1).section(u'=', 0, 0));
            sok->txtErsatt->setText(step.mid(1).section(u'=', 1));
            sok->cmdAdd->click();
        } else if (step.startsWith(u'#')) {
            const QRect row = sok->soklist->visualItemRect(sok->soklist->item(step.mid(1).toInt()));
            QTest::mouseClick(sok->soklist->viewport(), Qt::LeftButton, {}, row.center());
        } else {
            buttons.value(step)->click();
        }
    }
    QStringList shown;
    for (int i = 0; i < sok->soklist->count(); ++i) {
        shown.append(sok->soklist->item(i)->text() + u'=' + sok->ersattlist->item(i)->text());
        QCOMPARE(sok->ersattlist->currentRow(), sok->soklist->currentRow());
    }
    QCOMPARE(shown.join(u'|'), list);
    QCOMPARE(sok->cmdAdd->text(), caption);
    QCOMPARE(sok->txtSok->text() + u'=' + sok->txtErsatt->text(), fields);

    // Avbryt keeps the stored list; OK stores the shown one.
    sok->cmdSokCancel->click();
    QVERIFY(w->isEnabled());
    QCOMPARE(PairCount, 0);
    w->cmdFindandreplace->click();
    QCOMPARE(w->searchWindow()->soklist->count(), 0);
    w->searchWindow()->txtSok->setText(u"x"_s);
    w->searchWindow()->cmdAdd->click();
    w->searchWindow()->cmdSokOk->click();
    QCOMPARE(PairCount, 1);
    QCOMPARE(w->lblSokInfo->text(), u"1 variabel inskriven."_s);
}

void tst_batchwindow::optionDialogs_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("summary");
    QTest::newRow("Mac") << "optUnix" << true << 2 << "Mac radbrytning (ASCII 13).";
    QTest::newRow("Avbryt keeps") << "optMac" << false << 1
                                  << "Normal radbrytning (ASCII 13 & ASCII10).";
}

void tst_batchwindow::optionDialogs() {
    QFETCH(QString, option);
    QFETCH(bool, ok);
    QFETCH(int, style);
    QFETCH(QString, summary);
    frmBearbeta* w = open();
    w->chkKomprimera->click();
    w->cmdKompInstall->click();
    frmKomprimera* komp = w->compressWindow();
    QVERIFY(komp && !w->isEnabled());
    QVERIFY(komp->optPC->isChecked());
    komp->findChild<QRadioButton*>(option)->click();
    komp->chkKompRad->click();
    (ok ? komp->cmdOK : komp->cmdAvbryt)->click();
    QVERIFY(w->isEnabled());
    QCOMPARE(BatchLineBreakStyle, style);
    QCOMPARE(BatchCompressLines, ok);
    QCOMPARE(w->lblKompInfo->text(), summary);

    w->chkFindErr->click();
    w->cmdFelInstall->click();
    frmFindFel* fel = w->errorWindow();
    QVERIFY(fel && fel->chkHakfel->isChecked());
    for (QCheckBox* box : {fel->chkHakfel, fel->chkCitFel, fel->chkStandardFel})
        box->click();
    (ok ? fel->cmdFelOk : fel->Command1)->click();
    QCOMPARE(BatchCheckBrackets || BatchCheckQuotes || BatchCheckStandardTags, !ok);
    QCOMPARE(w->lblFelHak->text(), ok ? u"Taggfel söks inte."_s : u"Taggfel söks."_s);
    QVERIFY(w->chkFindErr->isChecked());
}

void tst_batchwindow::startMessages_data() {
    QTest::addColumn<bool>("chooseFiles");
    QTest::addColumn<bool>("work");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("no file chosen") << false << true << "Välj vilka/vilken fil du vill ändra på."
                                    << "Välj filer";
    QTest::newRow("backup only") << true << false << "Det finns ingenting att göra."
                                 << "Fel";
}

void tst_batchwindow::startMessages() {
    QFETCH(bool, chooseFiles);
    QFETCH(bool, work);
    QFETCH(QString, message);
    QFETCH(QString, title);
    makeTree();
    frmBearbeta* w = open();
    // The current item is the first file, but nothing is selected.
    w->Filer->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    if (chooseFiles)
        chooseAll();
    if (work)
        w->chkConvert->click();
    w->cmdStartOne->click();
    const QList<PlatformCall> shown = m_platform->fake.messages();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, message);
    QCOMPARE(shown[0].title, title);
    QCOMPARE(shown[0].icon, MsgIcon::Information);
    QVERIFY(!w->statusWindow());
    QCOMPARE(read("a.htm"), QByteArray("<p>Hej</p>\r\n"));
}

void tst_batchwindow::runThroughTheWindows() {
    makeTree();
    PairCount = 1;
    SearchTexts = {u"Hej"_s};
    ReplaceTexts = {u"Hallå"_s};
    frmBearbeta* w = open();
    w->findandreplace->click();
    w->chkConvert->click();
    w->chkUnderKat->click();
    w->cmdStartOne->click();
    frmStatus* status = w->statusWindow();
    QVERIFY(status && status->isVisible());
    QVERIFY(!w->isEnabled());
    QCOMPARE(status->windowTitle(), u"Förändringar genomförda"_s);
    QCOMPARE(status->cmdPaus->text(), u"&Stäng"_s);
    QVERIFY(!status->cmdCancel->isEnabled());
    QCOMPARE(status->lblCount->text(), u"Klara filer: 4 av 4"_s);
    QCOMPARE(w->Katalog->path(), m_root);

    QStringList expected;
    const auto file = [&](const QString& name) {
        expected << "Gör backup... Klart (" +
                        page(QFileInfo(name).path() + "/" + QFileInfo(name).completeBaseName() +
                             ".BAK")
                            .replace("/./", "/") +
                        ")"
                 << "Öppnar: " + page(name).replace("/./", "/") + "... Klart"
                 << "Söker och ersätter... Klart"
                 << "Konverterar... Klart"
                 << "Sparar... Klart"
                 << "";
    };
    file("a.htm");
    file("b.html");
    file("B/d.htm");
    file("A/c.htm");
    expected << "";
    QCOMPARE(status->txtStatus->toPlainText().split(u'\n'), expected);
    QCOMPARE(status->logText(), expected.join(u"\r\n"_s));

    QCOMPARE(read("a.htm"), QByteArray("<p>Hall&aring;</p>\r\n"));
    QCOMPARE(read("b.html"), QByteArray("<p>Hall&aring; d&aring;</p>\r\n"));
    QCOMPARE(read("A/c.htm"), QByteArray("<p>Hall&aring; igen</p>\r\n"));
    QCOMPARE(read("B/d.htm"), QByteArray("<p>Inget</p>\r\n"));
    QCOMPARE(read("noter.txt"), QByteArray("Hej"));
    QCOMPARE(read("a.BAK"), QByteArray("<p>Hej</p>\r\n"));

    status->cmdPaus->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w->statusWindow());
    QVERIFY(w->isEnabled());
    QVERIFY(m_platform->fake.messages().isEmpty());
}

void tst_batchwindow::stoppingTheRun_data() {
    QTest::addColumn<bool>("byClosing"); // the close box, or Avbryt
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("Avbryt, Ja") << false << MsgAnswer::Yes;
    QTest::newRow("Avbryt, Nej") << false << MsgAnswer::No;
    QTest::newRow("close box, Ja") << true << MsgAnswer::Yes;
    QTest::newRow("close box, Nej") << true << MsgAnswer::No;
}

void tst_batchwindow::stoppingTheRun() {
    QFETCH(bool, byClosing);
    QFETCH(MsgAnswer, answer);
    const bool stopped = answer == MsgAnswer::Yes;
    makeTree();
    frmBearbeta* w = open();
    w->chkConvert->click();
    w->chkBackup->click();
    chooseAll();
    m_platform->fake.messageAnswers = {answer};
    bool openAfterClose = false;
    // Stopped while the second page is being read: it is not written.
    whenDuring([w] { return w->statusWindow()->logText().count("Öppnar: ") == 2; },
               [w, byClosing, &openAfterClose] {
                   if (!byClosing) {
                       w->statusWindow()->cmdCancel->click();
                       return;
                   }
                   w->statusWindow()->close();
                   openAfterClose = w->statusWindow() && w->statusWindow()->isVisible();
               });
    w->cmdStartOne->click();
    const PlatformCall asked = m_platform->fake.messages().value(0);
    QCOMPARE(asked.text, u"Är du säker på att du vill avbryta?"_s);
    QCOMPARE(asked.buttons, MsgButtons::YesNoCancel);
    QCOMPARE(asked.icon, MsgIcon::Question);
    QCOMPARE(read("a.htm"), QByteArray("<p>Hej</p>\r\n"));
    QCOMPARE(read("b.html"),
             stopped ? QByteArray("<p>Hej d\xe5</p>\r\n") : QByteArray("<p>Hej d&aring;</p>\r\n"));
    // The close box leaves the window open while the run goes on; after a Ja it closes once the
    // run has stopped.
    QCOMPARE(openAfterClose, byClosing);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const bool closed = byClosing && stopped;
    QCOMPARE(w->statusWindow() == nullptr, closed);
    QCOMPARE(w->isEnabled(), closed);
    if (!closed)
        QCOMPARE(w->statusWindow()->lblCount->text(),
                 stopped ? u"Klara filer: 1 av 2"_s : u"Klara filer: 2 av 2"_s);
}

void tst_batchwindow::pauseHoldsTheRun() {
    makeTree();
    frmBearbeta* w = open();
    w->chkConvert->click();
    chooseAll();
    QString logWhilePaused;
    m_platform->fake.onMessage = [&](const PlatformCall&) {
        logWhilePaused = w->statusWindow()->txtStatus->toPlainText();
    };
    whenDuring([w] { return w->statusWindow()->logText().contains("Sparar"); },
               [w] { w->statusWindow()->cmdPaus->click(); });
    w->cmdStartOne->click();
    const PlatformCall paused = m_platform->fake.messages().value(0);
    QCOMPARE(paused.text, u"Klicka OK för att fortsätta."_s);
    QCOMPARE(paused.title, u"Paus"_s);
    QCOMPARE(paused.icon, MsgIcon::Information);
    // The log was shown up to the moment of the pause, and the run went on after it.
    QCOMPARE(logWhilePaused.count(u"Öppnar: "_s), 1);
    QCOMPARE(w->statusWindow()->logText().count(u"Sparar... Klart"_s), 2);
}

void tst_batchwindow::selectionKeptWhenTheWindowComesBack() {
    makeTree();
    frmBearbeta* w = open();
    QCOMPARE(w->Filer->listCount(), 2);
    w->Filer->setSelected(1, true);
    w->ShowBatchSettings();
    QVERIFY(!w->Filer->isSelected(0));
    QVERIFY(w->Filer->isSelected(1));
}

void tst_batchwindow::launcherOpensTheBatchWindow() {
    RegisterBatchWindow();
    QVERIFY(ToolRegistered(Tool::Batch));
    QVERIFY(qobject_cast<frmBearbeta*>(ToolWindow(Tool::Batch)));
}

QTEST_MAIN(tst_batchwindow)
#include "tst_batchwindow.moc"
