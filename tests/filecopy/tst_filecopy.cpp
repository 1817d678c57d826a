// The file copy window, offscreen: its controls and enabling rules, the two layouts, the
// checks before a copy, a real copy of a tree compared file by file, publishing again after
// one page changed, cancelling and closing while a copy runs, and what it keeps in the
// settings.

#include "filecopy/frmfilecopy.h"
#include "markup/globals.h"
#include "shell/inimod.h"
#include "shell/tools.h"
#include "testsupport.h"
#include "widgets/filepanes.h"
#include "widgets/textfield.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// What a message box said, or "" when none was shown.
QString shownMessage(FakePlatform& fake) {
    const QString text = fake.lastMessage();
    fake.clear();
    return text;
}

} // namespace

class tst_filecopy : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void enablingRules();
    void makingAFolder_data();
    void makingAFolder();
    void copiesThatDoNotStart_data();
    void copiesThatDoNotStart();
    void theFoldersCheckedAreTheFoldersUsed();
    void publishingATreeAndPublishingAgain();
    void stoppingACopy_data();
    void stoppingACopy();
    void placeAndTargetAreKept();

private:
    std::unique_ptr<FakePlatformScope> platformScope;
    std::unique_ptr<TestProgramFolder> program;
    std::unique_ptr<TestTree> sites;
    std::unique_ptr<frmFileCopy> window;
    QString source, target;
};

void tst_filecopy::init() {
    platformScope = std::make_unique<FakePlatformScope>();
    program = std::make_unique<TestProgramFolder>();
    sites = std::make_unique<TestTree>();
    source = sites->file(u"web"_s);
    target = sites->file(u"pub"_s);
    QDir().mkpath(source);
    QDir().mkpath(target);
    StartFolder = source;
    CopyPath = target;
    window = std::make_unique<frmFileCopy>();
    window->show();
}

void tst_filecopy::cleanup() {
    window.reset();
    ResetTools();
    sites.reset();
    program.reset();
    platformScope.reset();
}

void tst_filecopy::enablingRules() {
    frmFileCopy& w = *window;
    // The criteria start at today, midnight and every file; the folders where they were left.
    QCOMPARE(w.txtDate->text(), QDate::currentDate().toString(u"yyyy-MM-dd"_s));
    QCOMPARE(w.txtTime->text(), u"00:00:00"_s);
    QCOMPARE(w.dirFrom->path(), source);
    QCOMPARE(w.dirTo->path(), target);
    // How many of the six criteria controls are enabled.
    auto criteriaEnabled = [&] {
        const QList<QWidget*> criteria = {w.lblDate, w.txtDate, w.lblTime,
                                          w.txtTime, w.lblType, w.txtType};
        return std::count_if(criteria.begin(), criteria.end(),
                             [](QWidget* c) { return c->isEnabled(); });
    };
    QCOMPARE(criteriaEnabled(), 0);
    w.optCopySome->click();
    QCOMPARE(criteriaEnabled(), 6);
    w.optCopyAll->click();
    QCOMPARE(criteriaEnabled(), 0);
    for (const auto& [text, enabled] :
         QList<std::pair<QString, bool>>{{"  ", false}, {" ny ", true}, {"", false}}) {
        w.txtNewMap->setText(text);
        QCOMPARE(w.cmdMakeMap->isEnabled(), enabled);
    }
}

void tst_filecopy::makingAFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("made");
    QTest::newRow("a new folder") << " ny mapp " << true;
    QTest::newRow("one that exists") << "gammal" << false;
    QTest::newRow("a path") << "a/b" << false;
    QTest::newRow("up the tree") << ".." << false;
}

void tst_filecopy::makingAFolder() {
    QFETCH(QString, name);
    QFETCH(bool, made);
    QDir(target).mkdir(u"gammal"_s);
    FakePlatform& fake = platformScope->fake;
    window->txtNewMap->setText(name);
    window->cmdMakeMap->click();
    const QString folder = target + u'/' + name.trimmed();
    if (made) {
        QCOMPARE(shownMessage(fake), QString());
        QCOMPARE(window->dirTo->path(), folder);
        QVERIFY(QFileInfo(folder).isDir());
    } else {
        QCOMPARE(shownMessage(fake), u"Det går inte att skapa katalogen "_s + folder + u'.');
        QCOMPARE(window->dirTo->path(), target);
        QCOMPARE(QDir(sites->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"pub", "web"}));
    }
}

void tst_filecopy::copiesThatDoNotStart_data() {
    // Refused folders: the core's rows; here the window's own checks.
    QTest::addColumn<QStringList>("choices"); // target, date, time, file type
    QTest::addColumn<QString>("message");
    QTest::newRow("a folder inside the source")
        << QStringList{"web/ut", "2002-03-01", "12:00", "*.*"}
        << "Du kan inte kopiera till en underkatalog till källkatalogen.";
    QTest::newRow("not a date") << QStringList{"pub", "1 mars", "12:00", "*.*"}
                                << "Skriv datumet som år-månad-dag, till exempel 2002-03-01.";
    QTest::newRow("not a time")
        << QStringList{"pub", "2002-03-01", "12", "*.*"}
        << "Skriv klockslaget som timmar:minuter:sekunder, till exempel 09:00:00.";
    QTest::newRow("a type with a folder") << QStringList{"pub", "2002-03-01", "12:00", "ut/*.htm"}
                                          << "En filtyp kan inte innehålla \"/\".";
}

void tst_filecopy::copiesThatDoNotStart() {
    QFETCH(QStringList, choices);
    QFETCH(QString, message);
    WriteFile(source + u"/index.htm"_s, "x");
    QDir().mkpath(sites->file(choices[0]));
    window->dirTo->setPath(sites->file(choices[0]));
    window->optCopySome->click();
    window->txtDate->setText(choices[1]);
    window->txtTime->setText(choices[2]);
    window->txtType->setText(choices[3]);
    window->cmdCopy->click();
    QCOMPARE(shownMessage(platformScope->fake), message);
    QCOMPARE(platformScope->fake.calls.size(), 0);
    QVERIFY(window->frmFrom->isVisible() && !window->frmStatistik->isVisible());
    QCOMPARE(window->cmdCopy->text(), u"&Starta kopiering"_s);
    QVERIFY(!QFile::exists(target + u"/index.htm"_s));
}

void tst_filecopy::theFoldersCheckedAreTheFoldersUsed() {
    // The target list shows the folder above the source with the source highlighted: the
    // copy goes into the list's folder, not into the highlighted one (the source itself).
    WriteFile(source + u"/index.htm"_s, "a\r\nb\r\n", QDateTime::currentDateTime());
    window->dirTo->setPath(sites->path());
    QVERIFY(window->dirTo->setListIndex(1)); // "web" ("pub" is 0)
    QCOMPARE(window->dirTo->listPath(window->dirTo->listIndex()), source);
    window->cmdCopy->click();
    QCOMPARE(ReadFile(source + u"/index.htm"_s), QByteArray("a\r\nb\r\n"));
    QCOMPARE(ReadFile(sites->file(u"index.htm"_s)), QByteArray("a\nb\n"));
    QCOMPARE(window->txtError->toPlainText(), u"Klart.\n"_s);
}

void tst_filecopy::publishingATreeAndPublishingAgain() {
    const QDateTime yesterday = QDateTime::currentDateTime().addDays(-1);
    const QStringList names = {"index.htm",      "om.html",      "img/logo.gif",
                               "img/foto/a.jpg", "css/sida.css", "tom.htm"};
    for (const QString& name : names)
        WriteFile(source + u'/' + name,
                  name == "tom.htm"_L1 ? QByteArray() : QByteArray("rad\r\n").repeated(100),
                  yesterday, name.endsWith(".gif"_L1) ? 0600 : 0644);
    WriteFile(source + u"/.git/HEAD"_s, "ref", yesterday);

    frmFileCopy& w = *window;
    w.cmdCopy->click();
    // Reporting: the statistics and the log in the place of the choices.
    QVERIFY(w.frmStatistik->isVisible() && !w.frmFrom->isVisible() && !w.frmTo->isVisible() &&
            !w.optCopyAll->isVisible() && !w.chkCompFiles->isVisible());
    QCOMPARE(w.cmdCopy->text(), u"&Ny kopiering"_s);
    QVERIFY(w.cmdCopy->isEnabled());
    QCOMPARE(w.txtError->toPlainText(), u"Klart.\n"_s);
    QCOMPARE(w.lblFilesDone->text(), u"6 av 6"_s);
    QCOMPARE(w.lblFilesCopy->text(), u"6"_s);
    QCOMPARE(w.lblFilesComp->text(), u"2"_s); // the empty page is not counted
    // Each page loses one CR a line, 100 lines each.
    QCOMPARE(w.lblCompBytes->text(), u"-200 bytes"_s);
    for (const QString& name : names) {
        const QString from = source + u'/' + name;
        const QString to = target + u'/' + name;
        QByteArray expected = ReadFile(from);
        if (name.contains(".htm"_L1) && !expected.isEmpty())
            expected.replace("\r\n", "\n");
        QCOMPARE(ReadFile(to), expected);
    }
    QVERIFY(!QFile::exists(target + u"/.git"_s));

    // One page changes; publishing again with the date of the last publishing copies it
    // alone.
    WriteFile(source + u"/om.html"_s, "ny\r\n", QDateTime::currentDateTime());
    w.cmdCopy->click();
    QVERIFY(w.frmFrom->isVisible() && !w.frmStatistik->isVisible());
    QCOMPARE(w.txtError->toPlainText(), QString());
    QCOMPARE(w.cmdCopy->text(), u"&Starta kopiering"_s);
    w.optCopySome->click();
    const QDateTime limit = QDateTime::currentDateTime().addSecs(-60);
    w.txtDate->setText(limit.toString(u"yyyy-M-d"_s));
    w.txtTime->setText(limit.toString(u"h:mm"_s));
    w.cmdCopy->click();
    QCOMPARE(w.lblFilesCopy->text(), u"1"_s);
    QCOMPARE(w.lblFilesComp->text(), u"1"_s);
    QCOMPARE(w.lblCompBytes->text(), u"-1 bytes"_s);
    QCOMPARE(ReadFile(target + u"/om.html"_s), QByteArray("ny\n"));
}

void tst_filecopy::stoppingACopy_data() {
    QTest::addColumn<bool>("byClosing"); // the close box, or Esc ("Avbryt")
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("logEnd");
    const QString cancelled = u"Kopieringen avbröts.Klart.\n"_s;
    QTest::newRow("Esc, yes") << false << int(MsgAnswer::Yes) << cancelled;
    QTest::newRow("close box, yes") << true << int(MsgAnswer::Yes) << cancelled;
    QTest::newRow("close box, no") << true << int(MsgAnswer::No) << "\nKlart.\n";
}

void tst_filecopy::stoppingACopy() {
    QFETCH(bool, byClosing);
    QFETCH(int, answer);
    QFETCH(QString, logEnd);
    for (int k = 0; k < 30; ++k)
        WriteFile(source + u"/f%1.gif"_s.arg(k), "x");
    FakePlatform& fake = platformScope->fake;
    fake.messageAnswers = {MsgAnswer(answer)};
    bool copyingWhenAsked = false;
    fake.onMessage = [&](const PlatformCall&) { copyingWhenAsked = window->isCopying(); };
    QTimer::singleShot(0, window.get(), [&] {
        if (byClosing)
            window->close();
        else
            QTest::keyClick(window.get(), Qt::Key_Escape);
    });
    window->cmdCopy->click();
    QVERIFY(copyingWhenAsked);
    QCOMPARE(fake.messages().size(), 1);
    QCOMPARE(fake.messages()[0].text, u"Är du säker på att du vill avbryta?"_s);
    QCOMPARE(fake.messages()[0].icon, MsgIcon::Exclamation);
    QCOMPARE(fake.messages()[0].buttons, MsgButtons::YesNoCancel);
    const bool yes = answer == int(MsgAnswer::Yes);
    const QString log = u"\n"_s + window->txtError->toPlainText();
    QVERIFY2(log.endsWith(logEnd), qPrintable(log));
    QCOMPARE(window->lblFilesCopy->text(), yes ? u"0"_s : u"30"_s);
    // Closing goes through once the copy has stopped.
    QCOMPARE(window->isVisible(), !(byClosing && yes));
    QVERIFY(!window->isCopying());
}

void tst_filecopy::placeAndTargetAreKept() {
    window->move(100, 100);
    window->close();
    {
        IniSession ini(IniFile);
        ini.writeInt(u"Filecopy"_s, u"Left"_s, 0);
        ini.writeInt(u"Filecopy"_s, u"Top"_s, -15);
        ini.save();
    }
    QVERIFY(QDir(target).mkdir(u"ny"_s));
    window->show();
    // Left 0 is applied, a Top below 0 is not.
    QCOMPARE(window->frameGeometry().topLeft(), QPoint(0, 100));
    window->dirTo->setPath(target + u"/ny"_s);
    window->move(150, 300);
    window->cmdCancel->click();
    QVERIFY(!window->isVisible());
    QCOMPARE(CopyPath, target + u"/ny"_s);
    const QString ini = QString::fromLatin1(program->read(u"vessilor.ini"_s));
    QVERIFY2(ini.contains(u"Left=2250"_s) && ini.contains(u"Top=4500"_s), qPrintable(ini));
    // Loaded again: as designed, at the stored target.
    window->show();
    QCOMPARE(window->dirTo->path(), target + u"/ny"_s);
    QCOMPARE(window->txtType->text(), u"*.*"_s);
}

QTEST_MAIN(tst_filecopy)
#include "tst_filecopy.moc"
