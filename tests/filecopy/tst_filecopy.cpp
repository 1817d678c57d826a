// The file copy window, offscreen: its controls and enabling rules, the two layouts, the
// checks before a copy, a real copy of a tree compared file by file, publishing again after
// one page changed, cancelling and closing while a copy runs, and what it keeps in the
// settings.

#include "copytest.h"
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
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

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
    void controlsAsDesigned();
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
    std::unique_ptr<QTemporaryDir> sites;
    std::unique_ptr<frmFileCopy> window;
    QString source, target;
};

void tst_filecopy::init() {
    platformScope = std::make_unique<FakePlatformScope>();
    program = std::make_unique<TestProgramFolder>();
    sites = std::make_unique<QTemporaryDir>();
    source = sites->filePath(QStringLiteral("web"));
    target = sites->filePath(QStringLiteral("pub"));
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

void tst_filecopy::controlsAsDesigned() {
    frmFileCopy& w = *window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Kopiera filer"));
    const QList<std::pair<QString, QString>> captions = {
        {w.frmFrom->title(), "Från:"},
        {w.lblEnhet->text(), "&Enhet:"},
        {w.Label1->text(), "&Katalog:"},
        {w.frmTo->title(), "Till:"},
        {w.lblToEnhet->text(), "E&nhet:"},
        {w.lblKatalog->text(), "K&atalog:"},
        {w.lblMakeCat->text(), "Skapa katalo&g:"},
        {w.cmdMakeMap->text(), "Skapa"},
        {w.optCopyAll->text(), "K&opiera alla filer"},
        {w.optCopySome->text(), "S&täll följande krav:"},
        {w.lblDate->text(), "&Ändrad senast:"},
        {w.lblTime->text(), "K&lockslag:"},
        {w.lblType->text(), "&Filtyp:"},
        {w.chkCopyUnder->text(), "Kopiera &underkataloger"},
        {w.chkCompFiles->text(), "Ko&mprimera HTML-filer"},
        {w.frmStatistik->title(), "Statistik"},
        {w.lblTextFilesDone->text(), "Antal filer genomgångna:"},
        {w.lblTextFileCopy->text(), "Antal filer kopierade:"},
        {w.lblTextFilesComp->text(), "Antal filer komprimerade:"},
        {w.lblSaved->text(), "Komprimering:"},
        {w.lblError->text(), "Meddelanden:"},
        {w.cmdCopy->text(), "&Starta kopiering"},
        {w.cmdCancel->text(), "Avbryt"},
        // The start values.
        {w.txtDate->text(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))},
        {w.txtTime->text(), "00:00:00"},
        {w.txtType->text(), "*.*"},
        {w.txtNewMap->text(), ""},
        {w.dirFrom->path(), source},
        {w.dirTo->path(), target},
    };
    for (const auto& [actual, expected] : captions)
        QCOMPARE(actual, expected);
    // Each access key reaches its control.
    const QList<std::pair<QLabel*, QWidget*>> buddies = {
        {w.lblEnhet, w.driveFrom}, {w.Label1, w.dirFrom},       {w.lblToEnhet, w.driveTo},
        {w.lblKatalog, w.dirTo},   {w.lblMakeCat, w.txtNewMap}, {w.lblDate, w.txtDate},
        {w.lblTime, w.txtTime},    {w.lblType, w.txtType}};
    for (const auto& [label, buddy] : buddies)
        QCOMPARE(label->buddy(), buddy);
    for (TextField* field : {w.txtDate, w.txtTime, w.txtType, w.txtNewMap})
        QCOMPARE(field->focusSelection(), TextField::FocusSelection::All);
    // Choosing: the frames and options shown, the statistics hidden.
    QVERIFY(w.optCopyAll->isChecked() && w.chkCopyUnder->isChecked() &&
            w.chkCompFiles->isChecked());
    QVERIFY(w.frmFrom->isVisible() && w.frmTo->isVisible() && w.optCopySome->isVisible());
    QVERIFY(!w.frmStatistik->isVisible());
}

void tst_filecopy::enablingRules() {
    frmFileCopy& w = *window;
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
    QTest::newRow("up and down") << "..x" << false;
}

void tst_filecopy::makingAFolder() {
    QFETCH(QString, name);
    QFETCH(bool, made);
    QDir(target).mkdir(QStringLiteral("gammal"));
    FakePlatform& fake = platformScope->fake;
    window->txtNewMap->setText(name);
    window->cmdMakeMap->click();
    const QString folder = target + QLatin1Char('/') + name.trimmed();
    if (made) {
        QCOMPARE(shownMessage(fake), QString());
        QCOMPARE(window->dirTo->path(), folder);
        QVERIFY(QFileInfo(folder).isDir());
    } else {
        QCOMPARE(shownMessage(fake),
                 QStringLiteral("Det går inte att skapa katalogen ") + folder + QLatin1Char('.'));
        QCOMPARE(window->dirTo->path(), target);
        QCOMPARE(QDir(sites->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"pub", "web"}));
    }
}

void tst_filecopy::copiesThatDoNotStart_data() {
    QTest::addColumn<QStringList>("choices"); // target, date, time, file type
    QTest::addColumn<QString>("message");
    QTest::newRow("the same folder") << QStringList{"web", "2002-03-01", "12:00", "*.*"}
                                     << "Du kan inte kopiera till samma katalog.";
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
    put(source + QStringLiteral("/index.htm"), "x");
    QDir().mkpath(sites->filePath(choices[0]));
    window->dirTo->setPath(sites->filePath(choices[0]));
    window->optCopySome->click();
    window->txtDate->setText(choices[1]);
    window->txtTime->setText(choices[2]);
    window->txtType->setText(choices[3]);
    window->cmdCopy->click();
    QCOMPARE(shownMessage(platformScope->fake), message);
    QCOMPARE(platformScope->fake.calls.size(), 0);
    QVERIFY(window->frmFrom->isVisible() && !window->frmStatistik->isVisible());
    QCOMPARE(window->cmdCopy->text(), QStringLiteral("&Starta kopiering"));
    QVERIFY(!QFile::exists(target + QStringLiteral("/index.htm")));
}

void tst_filecopy::theFoldersCheckedAreTheFoldersUsed() {
    // The target list shows the folder above the source with the source highlighted: the
    // copy goes into the list's folder, not into the highlighted one (the source itself).
    put(source + QStringLiteral("/index.htm"), "a\r\nb\r\n", QDateTime::currentDateTime());
    window->dirTo->setPath(sites->path());
    QVERIFY(window->dirTo->setListIndex(1)); // "web" ("pub" is 0)
    QCOMPARE(window->dirTo->listPath(window->dirTo->listIndex()), source);
    window->cmdCopy->click();
    QCOMPARE(bytesOf(source + QStringLiteral("/index.htm")), QByteArray("a\r\nb\r\n"));
    QCOMPARE(bytesOf(sites->filePath(QStringLiteral("index.htm"))), QByteArray("a\nb\n"));
    QCOMPARE(window->txtError->toPlainText(), QStringLiteral("Klart.\n"));
}

void tst_filecopy::publishingATreeAndPublishingAgain() {
    const QDateTime yesterday = QDateTime::currentDateTime().addDays(-1);
    const QStringList names = {"index.htm",      "om.html",      "img/logo.gif",
                               "img/foto/a.jpg", "css/sida.css", "tom.htm"};
    for (const QString& name : names)
        put(source + QLatin1Char('/') + name,
            name == QLatin1String("tom.htm") ? QByteArray() : QByteArray("rad\r\n").repeated(100),
            yesterday, name.endsWith(QLatin1String(".gif")) ? 0600 : 0644);
    put(source + QStringLiteral("/.git/HEAD"), "ref", yesterday);

    frmFileCopy& w = *window;
    w.cmdCopy->click();
    // Reporting: the statistics and the log in the place of the choices.
    QVERIFY(w.frmStatistik->isVisible() && !w.frmFrom->isVisible() && !w.frmTo->isVisible() &&
            !w.optCopyAll->isVisible() && !w.chkCompFiles->isVisible());
    QCOMPARE(w.cmdCopy->text(), QStringLiteral("&Ny kopiering"));
    QVERIFY(w.cmdCopy->isEnabled());
    QCOMPARE(w.txtError->toPlainText(), QStringLiteral("Klart.\n"));
    QCOMPARE(w.lblFilesDone->text(), QStringLiteral("6 av 6"));
    QCOMPARE(w.lblFilesCopy->text(), QStringLiteral("6"));
    QCOMPARE(w.lblFilesComp->text(), QStringLiteral("2")); // the empty page is not counted
    // Each page loses one CR a line, 100 lines each.
    QCOMPARE(w.lblCompBytes->text(), QStringLiteral("-200 bytes"));
    for (const QString& name : names) {
        const QString from = source + QLatin1Char('/') + name;
        const QString to = target + QLatin1Char('/') + name;
        QByteArray expected = bytesOf(from);
        if (name.contains(QLatin1String(".htm")) && !expected.isEmpty())
            expected.replace("\r\n", "\n");
        QCOMPARE(bytesOf(to), expected);
        QCOMPARE(QFileInfo(to).lastModified(), QFileInfo(from).lastModified());
        QCOMPARE(modeOf(to), modeOf(from));
    }
    QVERIFY(!QFile::exists(target + QStringLiteral("/.git")));

    // One page changes; publishing again with the date of the last publishing copies it
    // alone.
    put(source + QStringLiteral("/om.html"), "ny\r\n", QDateTime::currentDateTime());
    w.cmdCopy->click();
    QVERIFY(w.frmFrom->isVisible() && !w.frmStatistik->isVisible());
    QCOMPARE(w.txtError->toPlainText(), QString());
    QCOMPARE(w.cmdCopy->text(), QStringLiteral("&Starta kopiering"));
    w.optCopySome->click();
    const QDateTime limit = QDateTime::currentDateTime().addSecs(-60);
    w.txtDate->setText(limit.toString(QStringLiteral("yyyy-M-d")));
    w.txtTime->setText(limit.toString(QStringLiteral("h:mm")));
    w.cmdCopy->click();
    QCOMPARE(w.lblFilesCopy->text(), QStringLiteral("1"));
    QCOMPARE(w.lblFilesComp->text(), QStringLiteral("1"));
    QCOMPARE(w.lblCompBytes->text(), QStringLiteral("-1 bytes"));
    QCOMPARE(bytesOf(target + QStringLiteral("/om.html")), QByteArray("ny\n"));
}

void tst_filecopy::stoppingACopy_data() {
    QTest::addColumn<bool>("byClosing"); // the close box, or Esc ("Avbryt")
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("logEnd");
    const QString cancelled = QStringLiteral("Kopieringen avbröts.Klart.\n");
    QTest::newRow("Esc, yes") << false << int(MsgAnswer::Yes) << cancelled;
    QTest::newRow("Esc, no") << false << int(MsgAnswer::No) << "\nKlart.\n";
    QTest::newRow("close box, yes") << true << int(MsgAnswer::Yes) << cancelled;
    QTest::newRow("close box, no") << true << int(MsgAnswer::No) << "\nKlart.\n";
}

void tst_filecopy::stoppingACopy() {
    QFETCH(bool, byClosing);
    QFETCH(int, answer);
    QFETCH(QString, logEnd);
    for (int k = 0; k < 30; ++k)
        put(source + QStringLiteral("/f%1.gif").arg(k), "x");
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
    QCOMPARE(fake.messages()[0].text, QStringLiteral("Är du säker på att du vill avbryta?"));
    QCOMPARE(fake.messages()[0].icon, MsgIcon::Exclamation);
    QCOMPARE(fake.messages()[0].buttons, MsgButtons::YesNoCancel);
    const bool yes = answer == int(MsgAnswer::Yes);
    const QString log = QStringLiteral("\n") + window->txtError->toPlainText();
    QVERIFY2(log.endsWith(logEnd), qPrintable(log));
    QCOMPARE(window->lblFilesCopy->text(), yes ? QStringLiteral("0") : QStringLiteral("30"));
    // Closing goes through once the copy has stopped.
    QCOMPARE(window->isVisible(), !(byClosing && yes));
    QVERIFY(!window->isCopying());
}

void tst_filecopy::placeAndTargetAreKept() {
    window->move(100, 100);
    window->close();
    {
        IniSession ini(IniFile);
        ini.writeInt(QStringLiteral("Filecopy"), QStringLiteral("Left"), 0);
        ini.writeInt(QStringLiteral("Filecopy"), QStringLiteral("Top"), -15);
        ini.save();
    }
    QVERIFY(QDir(target).mkdir(QStringLiteral("ny")));
    window->show();
    // Left 0 is applied, a Top below 0 is not.
    QCOMPARE(window->frameGeometry().topLeft(), QPoint(0, 100));
    window->dirTo->setPath(target + QStringLiteral("/ny"));
    window->move(150, 300);
    window->cmdCancel->click();
    QVERIFY(!window->isVisible());
    QCOMPARE(CopyPath, target + QStringLiteral("/ny"));
    const QString ini = QString::fromLatin1(program->read(QStringLiteral("vessilor.ini")));
    QVERIFY2(ini.contains(QStringLiteral("Left=2250")) && ini.contains(QStringLiteral("Top=4500")),
             qPrintable(ini));
    // Loaded again: as designed, at the stored target.
    window->show();
    QCOMPARE(window->dirTo->path(), target + QStringLiteral("/ny"));
    QCOMPARE(window->txtType->text(), QStringLiteral("*.*"));
}

QTEST_MAIN(tst_filecopy)
#include "tst_filecopy.moc"
