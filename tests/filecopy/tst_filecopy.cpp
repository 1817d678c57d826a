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
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

namespace {

void put(const QString& path, const QByteArray& bytes, const QDateTime& changed) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.flush();
    QVERIFY(file.setFileTime(changed, QFileDevice::FileModificationTime));
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

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
    void cancelDuringACopy_data();
    void cancelDuringACopy();
    void closingDuringACopy_data();
    void closingDuringACopy();
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
    QCOMPARE(w.lblEnhet->buddy(), w.driveFrom);
    QCOMPARE(w.Label1->buddy(), w.dirFrom);
    QCOMPARE(w.lblToEnhet->buddy(), w.driveTo);
    QCOMPARE(w.lblKatalog->buddy(), w.dirTo);
    QCOMPARE(w.lblMakeCat->buddy(), w.txtNewMap);
    QCOMPARE(w.lblDate->buddy(), w.txtDate);
    QCOMPARE(w.lblTime->buddy(), w.txtTime);
    QCOMPARE(w.lblType->buddy(), w.txtType);
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
    const QList<QWidget*> criteria = {w.lblDate, w.txtDate, w.lblTime,
                                      w.txtTime, w.lblType, w.txtType};
    auto criteriaEnabled = [&] {
        return std::all_of(criteria.begin(), criteria.end(),
                           [](QWidget* c) { return c->isEnabled(); });
    };
    auto criteriaDisabled = [&] {
        return std::none_of(criteria.begin(), criteria.end(),
                            [](QWidget* c) { return c->isEnabled(); });
    };
    QVERIFY(criteriaDisabled());
    w.optCopySome->click();
    QVERIFY(criteriaEnabled());
    w.optCopyAll->click();
    QVERIFY(criteriaDisabled());

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
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("message");
    QTest::newRow("the same folder") << "web"
                                     << "2002-03-01"
                                     << "12:00"
                                     << "*.*"
                                     << "Du kan inte kopiera till samma katalog.";
    QTest::newRow("a folder inside the source")
        << "web/ut"
        << "2002-03-01"
        << "12:00"
        << "*.*"
        << "Du kan inte kopiera till en underkatalog till källkatalogen.";
    QTest::newRow("not a date") << "pub"
                                << "1 mars"
                                << "12:00"
                                << "*.*"
                                << "Skriv datumet som år-månad-dag, till exempel 2002-03-01.";
    QTest::newRow("not a time")
        << "pub"
        << "2002-03-01"
        << "12"
        << "*.*"
        << "Skriv klockslaget som timmar:minuter:sekunder, till exempel 09:00:00.";
    QTest::newRow("a type with a folder") << "pub"
                                          << "2002-03-01"
                                          << "12:00"
                                          << "ut/*.htm"
                                          << "En filtyp kan inte innehålla \"/\".";
}

void tst_filecopy::copiesThatDoNotStart() {
    QFETCH(QString, to);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, type);
    QFETCH(QString, message);
    put(source + QStringLiteral("/index.htm"), "x", QDateTime::currentDateTime());
    QDir().mkpath(sites->filePath(to));
    window->dirTo->setPath(sites->filePath(to));
    window->optCopySome->click();
    window->txtDate->setText(date);
    window->txtTime->setText(time);
    window->txtType->setText(type);
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
    for (const QString& name : names) {
        const QByteArray content = name == QLatin1String("tom.htm")
                                       ? QByteArray()
                                       : (name.toUtf8() + "\r\nrad\r\n").repeated(50);
        put(source + QLatin1Char('/') + name, content, yesterday);
    }
    chmod(QFile::encodeName(source + QStringLiteral("/img/logo.gif")).constData(), 0600);
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

void tst_filecopy::cancelDuringACopy_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("logEnd");
    QTest::newRow("yes") << int(MsgAnswer::Yes) << "Kopieringen avbröts.Klart.\n";
    QTest::newRow("no") << int(MsgAnswer::No) << "\nKlart.\n";
    QTest::newRow("cancel") << int(MsgAnswer::Cancel) << "\nKlart.\n";
}

void tst_filecopy::cancelDuringACopy() {
    QFETCH(int, answer);
    QFETCH(QString, logEnd);
    for (int k = 0; k < 30; ++k)
        put(source + QStringLiteral("/f%1.gif").arg(k), "x", QDateTime::currentDateTime());
    FakePlatform& fake = platformScope->fake;
    fake.messageAnswers = {MsgAnswer(answer)};
    // Esc while the copy runs: "Avbryt" asks first.
    QTimer::singleShot(0, window.get(), [this] { QTest::keyClick(window.get(), Qt::Key_Escape); });
    window->cmdCopy->click();
    QCOMPARE(fake.messages().size(), 1);
    QCOMPARE(fake.messages()[0].text, QStringLiteral("Är du säker på att du vill avbryta?"));
    QCOMPARE(fake.messages()[0].icon, MsgIcon::Exclamation);
    QCOMPARE(fake.messages()[0].buttons, MsgButtons::YesNoCancel);
    const QString log = QStringLiteral("\n") + window->txtError->toPlainText();
    QVERIFY2(log.endsWith(logEnd), qPrintable(log));
    QCOMPARE(window->lblFilesCopy->text(),
             answer == int(MsgAnswer::Yes) ? QStringLiteral("0") : QStringLiteral("30"));
    QVERIFY(window->isVisible());
}

void tst_filecopy::closingDuringACopy_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("yes") << int(MsgAnswer::Yes) << true;
    QTest::newRow("no") << int(MsgAnswer::No) << false;
}

void tst_filecopy::closingDuringACopy() {
    QFETCH(int, answer);
    QFETCH(bool, closed);
    put(source + QStringLiteral("/a.gif"), "x", QDateTime::currentDateTime());
    FakePlatform& fake = platformScope->fake;
    fake.messageAnswers = {MsgAnswer(answer)};
    bool copyingWhenAsked = false;
    fake.onMessage = [&](const PlatformCall&) { copyingWhenAsked = window->isCopying(); };
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    window->cmdCopy->click();
    QVERIFY(copyingWhenAsked);
    QCOMPARE(!window->isVisible(), closed);
    QCOMPARE(!window->isLoaded(), closed);
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
