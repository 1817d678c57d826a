// The preferences window: preview, Cancel, OK and the browser field.

#include "markup/globals.h"
#include "shell/frmpref.h"
#include "shell/inimod.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class tst_pref : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void captionsAndItems();
    void previewFollowsTheStyle_data();
    void previewFollowsTheStyle();
    void cancelPutsTheStyleBack_data();
    void cancelPutsTheStyleBack();
    void okWritesTheSettings();
    void browserFieldControlsOk_data();
    void browserFieldControlsOk();
    void browseAsksForAProgram();
    void fontSelection_data();
    void fontSelection();
    void startFolderChoice();
    void storedStartFolderChoiceIsRounded_data();
    void storedStartFolderChoiceIsRounded();

private:
    std::unique_ptr<FakePlatformScope> platformScope;
    std::unique_ptr<TestProgramFolder> folder;
};

void tst_pref::init() {
    platformScope = std::make_unique<FakePlatformScope>();
    folder = std::make_unique<TestProgramFolder>();
    TagCase = 0;
    AttrQuoteStyle = 0;
    ForceLowerCase = false;
    BrowserPath.clear();
    StartFolder = QStringLiteral("/home/anna/webb");
    StartUpTool = 0;
}

void tst_pref::cleanup() {
    folder.reset();
    platformScope.reset();
}

void tst_pref::captionsAndItems() {
    frmPref pref;
    QCOMPARE(pref.windowTitle(), QStringLiteral("Inställningar"));
    const QList<std::pair<QString, QString>> captions = {
        {pref.frmPath->title(), QStringLiteral("Sökvägar")},
        {pref.lblWeb->text(), QStringLiteral("&Webläsare:")},
        {pref.cmdBrowse->text(), QStringLiteral("&Bläddra...")},
        {pref.lblOpenMapp->text(), QStringLiteral("Mapp som skall användas vid start:")},
        {pref.optMap[0]->text(), QStringLiteral("&Senast använda mapp")},
        {pref.optMap[1]->text(), QStringLiteral("Sp&ecifierad mapp:")},
        {pref.cmdCurrentPath->text(), QStringLiteral("Aktuell sökvä&g")},
        {pref.lblStartUp->text(), QStringLiteral("Starta &automatiskt:")},
        {pref.frmHtml->title(), QStringLiteral("HTML-kodning")},
        {pref.Label1->text(), QStringLiteral("&Typsnitt i editor:")},
        {pref.lblLetter->text(), QStringLiteral("&Formatera varibaler:")},
        {pref.lblCitat->text(), QStringLiteral("Använd &citatstecken:")},
        {pref.chkForcevers->text(), QStringLiteral("Tvinga &versala värden till gemener")},
        {pref.lblExempel->text(), QStringLiteral("Exempel:")},
        {pref.cmdOK->text(), QStringLiteral("OK")},
        {pref.cmdCancel->text(), QStringLiteral("Avbryt")}};
    for (const auto& [actual, expected] : captions)
        QCOMPARE(actual, expected);
    auto items = [](const QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts.join(QLatin1Char('|'));
    };
    QCOMPARE(items(pref.cmdStartup),
             QStringLiteral("(standard)|Editor|Bearbeta filer|Kopiera filer"));
    QCOMPARE(items(pref.cmbLetter),
             QStringLiteral("Stora bokstäver|Små bokstäver|Stor första bokstav"));
    QCOMPARE(items(pref.cmbCitat), QStringLiteral("Alltid|Endast med text"));
}

void tst_pref::previewFollowsTheStyle_data() {
    QTest::addColumn<int>("letter");
    QTest::addColumn<int>("quote");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QString>("preview");
    QTest::newRow("defaults") << 0 << 0 << false
                              << QStringLiteral(
                                     "<IMG SRC=\"bild.gif\" WIDTH=\"10\" ALIGN=\"LEFT\">");
    QTest::newRow("small, only text")
        << 1 << 1 << false << QStringLiteral("<img src=\"bild.gif\" width=10 align=\"LEFT\">");
    QTest::newRow("capital first, forced")
        << 2 << 0 << true << QStringLiteral("<Img Src=\"bild.gif\" Width=\"10\" Align=\"left\">");
}

void tst_pref::previewFollowsTheStyle() {
    QFETCH(int, letter);
    QFETCH(int, quote);
    QFETCH(bool, force);
    QFETCH(QString, preview);
    frmPref pref;
    pref.show();
    QCOMPARE(pref.txtExempel->text(),
             QStringLiteral("<IMG SRC=\"bild.gif\" WIDTH=\"10\" ALIGN=\"LEFT\">"));
    pref.cmbLetter->setCurrentIndex(letter);
    pref.cmbCitat->setCurrentIndex(quote);
    pref.chkForcevers->setChecked(force);
    QCOMPARE(pref.txtExempel->text(), preview);
    QCOMPARE(TagCase, letter);
    QCOMPARE(AttrQuoteStyle, quote);
    QCOMPARE(ForceLowerCase, force);
}

void tst_pref::cancelPutsTheStyleBack_data() {
    QTest::addColumn<int>("way"); // 0 Cancel button, 1 close box, 2 Escape
    QTest::newRow("cancel") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("escape") << 2;
}

void tst_pref::cancelPutsTheStyleBack() {
    QFETCH(int, way);
    TagCase = 2;
    AttrQuoteStyle = 1;
    frmPref pref;
    pref.show();
    pref.cmbLetter->setCurrentIndex(1);
    pref.cmbCitat->setCurrentIndex(0);
    pref.chkForcevers->setChecked(true);
    if (way == 0)
        pref.cmdCancel->click();
    else if (way == 1)
        pref.close();
    else
        QTest::keyClick(&pref, Qt::Key_Escape);
    QVERIFY(!pref.isVisible());
    QCOMPARE(TagCase, 2);
    QCOMPARE(AttrQuoteStyle, 1);
    QCOMPARE(ForceLowerCase, false);
    QVERIFY(!QFileInfo::exists(IniFile));
}

void tst_pref::okWritesTheSettings() {
    folder->write(QStringLiteral("browser"), QByteArray("#!/bin/sh\n"));
    frmPref pref;
    QSignalSpy accepted(&pref, &frmPref::settingsAccepted);
    pref.show();
    pref.cmdStartup->setCurrentIndex(3);
    pref.txtWeb->setText(QStringLiteral("  ") + folder->file(QStringLiteral("browser")) +
                         QStringLiteral(" "));
    pref.cmbFonts->setCurrentText(QStringLiteral("DejaVu Sans Mono"));
    pref.optMap[1]->setChecked(true);
    pref.txtOpenMapp->setText(QStringLiteral("/srv/sidor"));
    pref.cmbLetter->setCurrentIndex(1);
    pref.cmdOK->click();
    QVERIFY(!pref.isVisible());
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(StartUpTool, 3);
    QCOMPARE(BrowserPath, folder->file(QStringLiteral("browser")));
    QCOMPARE(TagCase, 1);
    QCOMPARE(ReadIniString(QStringLiteral("Editor"), QStringLiteral("Font"), IniFile),
             QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(ReadIniInt(QStringLiteral("Vessilor"), QStringLiteral("AutoStartMapp"), IniFile), 2.0);
    QCOMPARE(ReadIniString(QStringLiteral("Vessilor"), QStringLiteral("SpecPath"), IniFile),
             QStringLiteral("/srv/sidor"));
    // Start-up tool and browser are written only when the program ends.
    QCOMPARE(ReadIniString(QStringLiteral("Vessilor"), QStringLiteral("WebProg"), IniFile),
             QString());

    // Shown again, the window reads the stored choices back.
    pref.show();
    QVERIFY(pref.optMap[1]->isChecked());
    QVERIFY(pref.txtOpenMapp->isEnabled());
    QCOMPARE(pref.txtOpenMapp->text(), QStringLiteral("/srv/sidor"));
    QCOMPARE(pref.cmbFonts->currentText(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(pref.cmdStartup->currentIndex(), 3);
}

void tst_pref::browserFieldControlsOk_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("okEnabled");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("blanks") << QStringLiteral("   ") << true;
    QTest::newRow("missing") << QStringLiteral("/finns/inte") << false;
    QTest::newRow("a folder") << QStringLiteral("/") << false;
    QTest::newRow("existing") << QStringLiteral("EXISTING") << true;
}

void tst_pref::browserFieldControlsOk() {
    QFETCH(QString, path);
    QFETCH(bool, okEnabled);
    if (path == QLatin1String("EXISTING")) {
        folder->write(QStringLiteral("browser"), QByteArray("x"));
        path = folder->file(QStringLiteral("browser"));
    }
    frmPref pref;
    pref.show();
    pref.txtWeb->setText(QStringLiteral("/finns/inte/heller"));
    QVERIFY(!pref.cmdOK->isEnabled());
    pref.txtWeb->setText(path);
    QCOMPARE(pref.cmdOK->isEnabled(), okEnabled);
}

void tst_pref::browseAsksForAProgram() {
    frmPref pref;
    pref.show();
    pref.txtWeb->setText(QStringLiteral("/usr/bin/gammal"));
    FakePlatform& fake = platformScope->fake;
    fake.fileAnswers.append(std::nullopt); // cancelled
    pref.cmdBrowse->click();
    QCOMPARE(pref.txtWeb->text(), QStringLiteral("/usr/bin/gammal"));
    const PlatformCall call = fake.calls.constLast();
    QCOMPARE(call.kind, PlatformCall::OpenFile);
    QCOMPARE(call.request.title, QStringLiteral("Välj Webläsare"));
    QVERIFY(call.request.filter.contains(QStringLiteral("Programfiler (*.exe)|*.exe")));
    QCOMPARE(call.request.folder, QStringLiteral("/usr/bin"));
    QCOMPARE(call.request.fileName, QStringLiteral("/usr/bin/gammal"));

    fake.fileAnswers.append(FileDialogResult{QStringLiteral("/usr/bin/ny"), 1});
    pref.cmdBrowse->click();
    QCOMPARE(pref.txtWeb->text(), QStringLiteral("/usr/bin/ny"));
}

void tst_pref::fontSelection_data() {
    QTest::addColumn<QStringList>("fonts");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("selected");
    const QStringList withFixedsys = {QStringLiteral("Arial"), QStringLiteral("Fixedsys"),
                                      QStringLiteral("Liberation Mono")};
    QTest::newRow("empty key, Fixedsys exists")
        << withFixedsys << QString() << QStringLiteral("Fixedsys");
    QTest::newRow("stored name") << withFixedsys << QStringLiteral("Liberation Mono")
                                 << QStringLiteral("Liberation Mono");
    QTest::newRow("other case") << withFixedsys << QStringLiteral("liberation mono")
                                << QStringLiteral("Liberation Mono");
    QTest::newRow("unknown font keeps the first")
        << withFixedsys << QStringLiteral("Okänd") << QStringLiteral("Arial");
}

void tst_pref::fontSelection() {
    QFETCH(QStringList, fonts);
    QFETCH(QString, stored);
    QFETCH(QString, selected);
    platformScope->fake.fonts = fonts;
    if (!stored.isEmpty())
        WriteIniString(QStringLiteral("Editor"), QStringLiteral("Font"), stored, IniFile);
    frmPref pref;
    pref.show();
    QCOMPARE(pref.cmbFonts->count(), fonts.size());
    QCOMPARE(pref.cmbFonts->currentText(), selected);
    QCOMPARE(pref.txtExempel->font().family(), selected);
}

void tst_pref::startFolderChoice() {
    frmPref pref;
    pref.show();
    QVERIFY(pref.optMap[0]->isChecked());
    QVERIFY(!pref.txtOpenMapp->isEnabled());
    QVERIFY(!pref.cmdCurrentPath->isEnabled());
    QCOMPARE(pref.txtOpenMapp->text(), StartFolder);
    pref.optMap[1]->setChecked(true);
    QVERIFY(pref.txtOpenMapp->isEnabled());
    pref.txtOpenMapp->setText(QStringLiteral("x"));
    pref.cmdCurrentPath->click();
    QCOMPARE(pref.txtOpenMapp->text(), StartFolder);
}

void tst_pref::storedStartFolderChoiceIsRounded_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("fixedFolder");
    // The rule of the start-up's settings load: rounded half to even, then 2 or not.
    QTest::newRow("1.6") << "1.6" << true;
    QTest::newRow("2.5") << "2.5" << true;
    QTest::newRow("2.6") << "2.6" << false;
}

void tst_pref::storedStartFolderChoiceIsRounded() {
    QFETCH(QString, stored);
    QFETCH(bool, fixedFolder);
    WriteIniString(QStringLiteral("Vessilor"), QStringLiteral("AutoStartMapp"), stored, IniFile);
    frmPref pref;
    pref.show();
    QCOMPARE(pref.optMap[1]->isChecked(), fixedFolder);
}

QTEST_MAIN(tst_pref)
#include "tst_pref.moc"
