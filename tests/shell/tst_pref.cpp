// The preferences window: preview, Cancel, OK and the browser field.

#include "markup/globals.h"
#include "shell/frmpref.h"
#include "shell/inimod.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_pref : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
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
    StartFolder = u"/home/anna/webb"_s;
}

void tst_pref::cleanup() {
    folder.reset();
    platformScope.reset();
}

void tst_pref::previewFollowsTheStyle_data() {
    QTest::addColumn<int>("letter");
    QTest::addColumn<int>("quote");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QString>("preview");
    QTest::newRow("small, only text")
        << 1 << 1 << false << u"<img src=\"bild.gif\" width=10 align=\"LEFT\">"_s;
    QTest::newRow("capital first, forced")
        << 2 << 0 << true << u"<Img Src=\"bild.gif\" Width=\"10\" Align=\"left\">"_s;
}

void tst_pref::previewFollowsTheStyle() {
    QFETCH(int, letter);
    QFETCH(int, quote);
    QFETCH(bool, force);
    QFETCH(QString, preview);
    frmPref pref;
    pref.show();
    QCOMPARE(pref.txtExempel->text(), u"<IMG SRC=\"bild.gif\" WIDTH=\"10\" ALIGN=\"LEFT\">"_s);
    pref.cmbLetter->setCurrentIndex(letter);
    pref.cmbCitat->setCurrentIndex(quote);
    pref.chkForcevers->setChecked(force);
    QCOMPARE(pref.txtExempel->text(), preview);
    QCOMPARE(TagCase, letter);
    QCOMPARE(AttrQuoteStyle, quote);
    QCOMPARE(ForceLowerCase, force);
}

void tst_pref::cancelPutsTheStyleBack_data() {
    QTest::addColumn<int>("way"); // 0 Cancel button, 1 close box
    QTest::newRow("cancel") << 0;
    QTest::newRow("close box") << 1;
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
    else
        pref.close();
    QVERIFY(!pref.isVisible());
    QCOMPARE(TagCase, 2);
    QCOMPARE(AttrQuoteStyle, 1);
    QCOMPARE(ForceLowerCase, false);
    QVERIFY(!QFileInfo::exists(IniFile));
}

void tst_pref::okWritesTheSettings() {
    folder->write(u"browser"_s, QByteArray("#!/bin/sh\n"));
    frmPref pref;
    QSignalSpy accepted(&pref, &frmPref::settingsAccepted);
    pref.show();
    pref.cmdStartup->setCurrentIndex(3);
    pref.txtWeb->setText(u"  "_s + folder->file(u"browser"_s) + u" "_s);
    pref.cmbFonts->setCurrentText(u"DejaVu Sans Mono"_s);
    pref.optMap[1]->setChecked(true);
    pref.txtOpenMapp->setText(u"/srv/sidor"_s);
    pref.cmbLetter->setCurrentIndex(1);
    pref.cmdOK->click();
    QVERIFY(!pref.isVisible());
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(StartUpTool, 3);
    QCOMPARE(BrowserPath, folder->file(u"browser"_s));
    QCOMPARE(TagCase, 1);
    QCOMPARE(ReadIniString(u"Editor"_s, u"Font"_s, IniFile), u"DejaVu Sans Mono"_s);
    QCOMPARE(ReadIniInt(u"Vessilor"_s, u"AutoStartMapp"_s, IniFile), 2.0);
    QCOMPARE(ReadIniString(u"Vessilor"_s, u"SpecPath"_s, IniFile), u"/srv/sidor"_s);
    // Start-up tool and browser are written only when the program ends.
    QCOMPARE(ReadIniString(u"Vessilor"_s, u"WebProg"_s, IniFile), QString());

    // Shown again, the window reads the stored choices back.
    pref.show();
    QVERIFY(pref.optMap[1]->isChecked());
    QVERIFY(pref.txtOpenMapp->isEnabled());
    QCOMPARE(pref.txtOpenMapp->text(), u"/srv/sidor"_s);
    QCOMPARE(pref.cmbFonts->currentText(), u"DejaVu Sans Mono"_s);
    QCOMPARE(pref.cmdStartup->currentIndex(), 3);
}

void tst_pref::browserFieldControlsOk_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("okEnabled");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("missing") << u"/finns/inte"_s << false;
    QTest::newRow("a folder") << u"/"_s << false;
    QTest::newRow("existing") << u"EXISTING"_s << true;
}

void tst_pref::browserFieldControlsOk() {
    QFETCH(QString, path);
    QFETCH(bool, okEnabled);
    if (path == "EXISTING"_L1) {
        folder->write(u"browser"_s, QByteArray("x"));
        path = folder->file(u"browser"_s);
    }
    frmPref pref;
    pref.show();
    pref.txtWeb->setText(u"/finns/inte/heller"_s);
    QVERIFY(!pref.cmdOK->isEnabled());
    pref.txtWeb->setText(path);
    QCOMPARE(pref.cmdOK->isEnabled(), okEnabled);
}

void tst_pref::browseAsksForAProgram() {
    frmPref pref;
    pref.show();
    pref.txtWeb->setText(u"/usr/bin/gammal"_s);
    FakePlatform& fake = platformScope->fake;
    fake.fileAnswers.append(std::nullopt); // cancelled
    pref.cmdBrowse->click();
    QCOMPARE(pref.txtWeb->text(), u"/usr/bin/gammal"_s);
    const PlatformCall call = fake.calls.constLast();
    QCOMPARE(call.kind, PlatformCall::OpenFile);
    QCOMPARE(call.request.title, u"Välj Webläsare"_s);
    QVERIFY(call.request.filter.contains(u"Programfiler (*.exe)|*.exe"_s));
    QCOMPARE(call.request.folder, u"/usr/bin"_s);
    QCOMPARE(call.request.fileName, u"/usr/bin/gammal"_s);

    fake.fileAnswers.append(FileDialogResult{u"/usr/bin/ny"_s, 1});
    pref.cmdBrowse->click();
    QCOMPARE(pref.txtWeb->text(), u"/usr/bin/ny"_s);
}

void tst_pref::fontSelection_data() {
    QTest::addColumn<QStringList>("fonts");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("selected");
    const QStringList withFixedsys = {u"Arial"_s, u"Fixedsys"_s, u"Liberation Mono"_s};
    QTest::newRow("empty key, Fixedsys exists") << withFixedsys << QString() << u"Fixedsys"_s;
    QTest::newRow("other case") << withFixedsys << u"liberation mono"_s << u"Liberation Mono"_s;
    QTest::newRow("unknown font keeps the first") << withFixedsys << u"Okänd"_s << u"Arial"_s;
}

void tst_pref::fontSelection() {
    QFETCH(QStringList, fonts);
    QFETCH(QString, stored);
    QFETCH(QString, selected);
    platformScope->fake.fonts = fonts;
    if (!stored.isEmpty())
        WriteIniString(u"Editor"_s, u"Font"_s, stored, IniFile);
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
    pref.txtOpenMapp->setText(u"x"_s);
    pref.cmdCurrentPath->click();
    QCOMPARE(pref.txtOpenMapp->text(), StartFolder);
}

void tst_pref::storedStartFolderChoiceIsRounded_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("fixedFolder");
    // The rule of the start-up's settings load: rounded half to even, then 2 or not.
    QTest::newRow("2.5") << "2.5" << true;
    QTest::newRow("2.6") << "2.6" << false;
}

void tst_pref::storedStartFolderChoiceIsRounded() {
    QFETCH(QString, stored);
    QFETCH(bool, fixedFolder);
    WriteIniString(u"Vessilor"_s, u"AutoStartMapp"_s, stored, IniFile);
    frmPref pref;
    pref.show();
    QCOMPARE(pref.optMap[1]->isChecked(), fixedFolder);
}

QTEST_MAIN(tst_pref)
#include "tst_pref.moc"
