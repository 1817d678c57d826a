// The colour picker window: sliders, number fields, names, the lock, the slots, the clipboard,
// the colour chooser, its place on the screen and the colour its swatches offer for dragging.

#include "colour/colourwidgets.h"
#include "colour/frmfarg.h"
#include "markup/globals.h"
#include "platform/numbers.h"
#include "platform/qtplatform.h"
#include "shell/frmstartup.h"
#include "shell/inimod.h"
#include "shell/settings.h"
#include "shell/tools.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QStringList fieldTexts(const frmFarg& picker) {
    return {picker.txtFarg[0]->text(), picker.txtFarg[1]->text(), picker.txtFarg[2]->text()};
}

std::array<int, 3> slot(int s) {
    return SlotColors[static_cast<std::size_t>(s)];
}

// Types a whole new text into a number field, as the user does after selecting it.
void typeInto(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Selects a colour slot with a click on its swatch.
void clickSlot(const frmFarg& picker, int s) {
    QTest::mousePress(picker.picVisaFarg[s], Qt::LeftButton);
    QTest::mouseRelease(picker.picVisaFarg[s], Qt::LeftButton);
}

// Types a colour name into the name field, as the user does after emptying it.
void typeName(const frmFarg& picker, const QString& name) {
    picker.cmbFarg->lineEdit()->clear();
    QTest::keyClicks(picker.cmbFarg, name);
}

// Chooses entry index of the name list.
void chooseName(const frmFarg& picker, int index) {
    picker.cmbFarg->setCurrentIndex(index);
    emit picker.cmbFarg->activated(index);
}

QRgb barPixel(const frmFarg& picker, int bar, double unit) {
    return picker.picFarg[bar]->picture().pixel(int(unit * ColourBar::PixelsPerUnit), 4);
}

} // namespace

class tst_farg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void colourChooserSpeaksSwedish();
    void sliderArithmetic_data();
    void sliderArithmetic();
    void sliderFollowsTheLeftButtonOnly();
    void barPictures();
    void fieldCorrections_data();
    void fieldCorrections();
    void nameLookUp_data();
    void nameLookUp();
    void nameChosenFromTheList();
    void lockRule();
    void slotSwitchingKeepsEachSlot();
    void copyToTheClipboard();
    void doubleClickAsksTheColourChooser();
    void closeHidesAndKeepsTheWindow();
    void storedPlaceAppliedWhenOnScreen();
    void closingStoresThePlaceUnlessMinimised();
    void programEndStoresThePlace();
    void dragCarriesTheSlotCode();
    void swatchDragStartsAfterTheDragDistance();
    void launcherItemOpensThePicker();

private:
    std::unique_ptr<FakePlatformScope> platformScope;
    std::unique_ptr<TestProgramFolder> folder;
};

void tst_farg::init() {
    platformScope = std::make_unique<FakePlatformScope>();
    folder = std::make_unique<TestProgramFolder>();
    SlotColors = {};
}

void tst_farg::cleanup() {
    ResetTools();
    EndProgram = nullptr;
    folder.reset();
    platformScope.reset();
}

void tst_farg::sliderArithmetic_data() {
    QTest::addColumn<bool>("locked");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("code");
    auto row = [](const char* name, bool locked, double x, const QString& field,
                  const QString& code) { QTest::newRow(name) << locked << x << field << code; };
    row("locked 64", true, 64.0, "153", "#990000");
    row("free half rounds to even down", false, 10.25, "20", "#140000");
    row("free half rounds to even up", false, 10.75, "22", "#160000");
    row("free right end", false, 127.5, "255", "#FF0000");
    row("free left of the bar", false, -3.0, "0", "#000000");
    row("locked 42.5 rounds to 42", true, 21.25, "0", "#000000");
    row("locked second step", true, 21.5, "51", "#330000");
    row("locked right end", true, 127.5, "255", "#FF0000");
}

void tst_farg::sliderArithmetic() {
    QFETCH(bool, locked);
    QFETCH(double, x);
    QFETCH(QString, field);
    QFETCH(QString, code);
    frmFarg picker;
    picker.chkLock->setChecked(locked);
    picker.picFarg_MouseDown(0, Qt::LeftButton, x);
    QCOMPARE(picker.txtFarg[0]->text(), field);
    QCOMPARE(slot(0)[0], field.toInt());
    QCOMPARE(picker.cmbFarg->currentText(), code);
    QCOMPARE(picker.picVisaFarg[0]->colour(), QColor(field.toInt(), 0, 0));
}

void tst_farg::sliderFollowsTheLeftButtonOnly() {
    frmFarg picker;
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    // The middle of the bar is 64 bar units: with the lock on that is 153.
    const QPoint middle(picker.picFarg[2]->width() / 2, picker.picFarg[2]->height() / 2);
    QTest::mousePress(picker.picFarg[2], Qt::LeftButton, {}, middle);
    QTest::mouseRelease(picker.picFarg[2], Qt::LeftButton, {}, middle);
    QCOMPARE(picker.txtFarg[2]->text(), u"153"_s);
    picker.chkLock->setChecked(false);
    picker.picFarg_MouseDown(1, Qt::RightButton, 50);
    QCOMPARE(picker.txtFarg[1]->text(), u"0"_s);
    picker.picFarg_MouseMove(1, Qt::NoButton, 50);
    QCOMPARE(picker.txtFarg[1]->text(), u"0"_s);
    picker.picFarg_MouseMove(1, Qt::LeftButton, 50);
    QCOMPARE(picker.txtFarg[1]->text(), u"100"_s);
    QCOMPARE(picker.cmbFarg->currentText(), u"#006499"_s);
}

void tst_farg::barPictures() {
    frmFarg picker;
    picker.chkLock->setChecked(false);
    typeInto(picker.txtFarg[1], u"100"_s);
    // Free: each unit i of the red bar shows red 2·i with the other two components kept.
    QCOMPARE(barPixel(picker, 0, 100), qRgb(200, 100, 0));
    QCOMPARE(barPixel(picker, 0, 0), qRgb(0, 100, 0));
    QCOMPARE(barPixel(picker, 2, 127), qRgb(0, 100, 254));
    // Locked: seven boxes of 21.2 units in the steps of 51.
    picker.chkLock->setChecked(true);
    QCOMPARE(picker.txtFarg[1]->text(), u"102"_s);
    QCOMPARE(barPixel(picker, 0, 64), qRgb(153, 102, 0));
    QCOMPARE(barPixel(picker, 0, 10), qRgb(0, 102, 0));
    QCOMPARE(barPixel(picker, 0, 120), qRgb(255, 102, 0));
    QCOMPARE(barPixel(picker, 1, 30), qRgb(0, 51, 0));
}

void tst_farg::fieldCorrections_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("selected");
    auto row = [](const char* name, const QString& typed, const QString& shown, int value,
                  const QString& selected) {
        QTest::newRow(name) << typed << shown << value << selected;
    };
    row("above 255", "300", "255", 255, "255");
    row("below 0", "-7", "0", 0, "0");
    row("three characters, trailing letter", "12abc", "12a", 12, "");
    row("no number", "abc", "abc", 0, "");
    row("sign alone", "-", "-", 0, "");
    row("half rounds to even", "2.5", "2.5", 2, "");
}

void tst_farg::fieldCorrections() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, value);
    QFETCH(QString, selected);
    frmFarg picker;
    typeInto(picker.txtFarg[1], typed);
    QCOMPARE(picker.txtFarg[1]->text(), shown);
    QCOMPARE(slot(0)[1], value);
    QCOMPARE(picker.txtFarg[1]->selectedText(), selected);
    if (!selected.isEmpty())
        QCOMPARE(picker.txtFarg[1]->selectionStart(), 0);
    QCOMPARE(picker.cmbFarg->currentText(), ColourCode(0, value, 0));
}

void tst_farg::nameLookUp_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("combo");
    QTest::newRow("navy") << "Navy" << QStringList{"0", "0", "128"} << "NAVY";
    QTest::newRow("silver, any case") << "sIlVeR" << QStringList{"192", "192", "192"} << "SILVER";
    QTest::newRow("not a name") << "navi" << QStringList{"0", "0", "0"} << "navi";
    QTest::newRow("blank before") << " red" << QStringList{"0", "0", "0"} << " red";
}

void tst_farg::nameLookUp() {
    QFETCH(QString, typed);
    QFETCH(QStringList, fields);
    QFETCH(QString, combo);
    frmFarg picker;
    picker.chkLock->setChecked(false);
    typeName(picker, typed);
    QCOMPARE(fieldTexts(picker), fields);
    QCOMPARE(picker.cmbFarg->currentText(), combo);
    QCOMPARE(slot(0)[2], fields[2].toInt());
}

void tst_farg::nameChosenFromTheList() {
    frmFarg picker;
    chooseName(picker, 11);
    QCOMPARE(fieldTexts(picker), (QStringList{"255", "255", "0"}));
    QCOMPARE(picker.cmbFarg->currentText(), u"YELLOW"_s);
    // A slider change afterwards shows the code again, and the same name can be chosen anew.
    picker.picFarg_MouseDown(2, Qt::LeftButton, 64);
    QCOMPARE(picker.cmbFarg->currentText(), u"#FFFF99"_s);
    chooseName(picker, 11);
    QCOMPARE(picker.cmbFarg->currentText(), u"YELLOW"_s);
    QCOMPARE(slot(0)[2], 0);
}

void tst_farg::lockRule() {
    frmFarg picker;
    picker.chkLock->setChecked(false);
    const QStringList before = {"100", "212", "42"};
    for (int k = 0; k < 3; ++k)
        typeInto(picker.txtFarg[k], before[k]);
    QTest::mouseClick(picker.chkLock, Qt::LeftButton);
    QVERIFY(picker.chkLock->isChecked());
    const QStringList after = {"102", "204", "0"};
    QCOMPARE(fieldTexts(picker), after);
    QCOMPARE(picker.cmbFarg->currentText(), u"#66CC00"_s);
    // Switching the lock off changes no value.
    QTest::mouseClick(picker.chkLock, Qt::LeftButton);
    QCOMPARE(fieldTexts(picker), after);
}

void tst_farg::slotSwitchingKeepsEachSlot() {
    frmFarg picker;
    picker.chkLock->setChecked(false);
    typeInto(picker.txtFarg[0], u"200"_s);
    clickSlot(picker, 1);
    QCOMPARE(ColorSlot, 1);
    QVERIFY(picker.picVisaFarg[1]->hasBorder());
    QVERIFY(!picker.picVisaFarg[0]->hasBorder());
    QCOMPARE(fieldTexts(picker), (QStringList{"0", "0", "0"}));
    typeInto(picker.txtFarg[2], u"77"_s);
    QCOMPARE(picker.picVisaFarg[1]->colour(), QColor(0, 0, 77));
    QCOMPARE(picker.picVisaFarg[0]->colour(), QColor(200, 0, 0));
    // Any button selects a slot.
    QTest::mousePress(picker.picVisaFarg[0], Qt::RightButton);
    QCOMPARE(ColorSlot, 0);
    QCOMPARE(fieldTexts(picker), (QStringList{"200", "0", "0"}));
    QCOMPARE(slot(1), (std::array<int, 3>{0, 0, 77}));
    // With the lock on, selecting a slot moves its colour to the web-safe steps.
    picker.chkLock->setChecked(true);
    picker.picVisaFarg_MouseDown(1);
    QCOMPARE(fieldTexts(picker), (QStringList{"0", "0", "51"}));
    QCOMPARE(slot(1), (std::array<int, 3>{0, 0, 51}));
    QCOMPARE(slot(0), (std::array<int, 3>{204, 0, 0}));
}

void tst_farg::copyToTheClipboard() {
    frmFarg picker;
    typeInto(picker.txtFarg[0], u"255"_s);
    QGuiApplication::clipboard()->setText(u"before"_s);
    QTest::mouseClick(picker.cmdColorCopy, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"#FF0000"_s);
    // A chosen name is copied as the name; an empty text leaves the clipboard alone.
    chooseName(picker, 4);
    picker.cmdColorCopy_Click();
    QCOMPARE(QGuiApplication::clipboard()->text(), u"NAVY"_s);
    picker.cmbFarg->setEditText(QString());
    picker.cmdColorCopy_Click();
    QCOMPARE(QGuiApplication::clipboard()->text(), u"NAVY"_s);
}

void tst_farg::doubleClickAsksTheColourChooser() {
    frmFarg picker;
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    platformScope->fake.colourAnswers = {0xFF0000u};
    // A double click: the first press selects the slot, the second click asks the chooser.
    QTest::mouseClick(picker.picVisaFarg[3], Qt::LeftButton);
    QTest::mouseDClick(picker.picVisaFarg[3], Qt::LeftButton);
    QTest::mouseRelease(picker.picVisaFarg[3], Qt::LeftButton);
    QCOMPARE(ColorSlot, 3);
    QCOMPARE(platformScope->fake.calls.size(), 1);
    QCOMPARE(platformScope->fake.calls[0].kind, PlatformCall::ChooseColour);
    QCOMPARE(platformScope->fake.calls[0].rgb, 0u);
    QCOMPARE(fieldTexts(picker), (QStringList{"255", "0", "0"}));
    QCOMPARE(slot(3), (std::array<int, 3>{255, 0, 0}));
    // The chooser's colour is taken as it is, even with the lock on.
    // The code has capitals and two digits for each component.
    platformScope->fake.colourAnswers = {0x0AAB05u};
    picker.picVisaFarg_DblClick(3);
    QCOMPARE(platformScope->fake.calls.last().rgb, 0xFF0000u);
    QCOMPARE(fieldTexts(picker), (QStringList{"10", "171", "5"}));
    QCOMPARE(picker.cmbFarg->currentText(), u"#0AAB05"_s);
    QCOMPARE(picker.picVisaFarg[3]->colour(), QColor(10, 171, 5));
    // A cancelled chooser changes nothing.
    platformScope->fake.colourAnswers = {std::nullopt};
    picker.picVisaFarg_DblClick(3);
    QCOMPARE(platformScope->fake.calls.last().rgb, 0x0AAB05u);
    QCOMPARE(fieldTexts(picker), (QStringList{"10", "171", "5"}));
    QCOMPARE(slot(3), (std::array<int, 3>{10, 171, 5}));
}

void tst_farg::closeHidesAndKeepsTheWindow() {
    RegisterColourPicker();
    auto* picker = qobject_cast<frmFarg*>(ToolWindow(Tool::ColourPicker));
    QVERIFY(picker);
    picker->show();
    typeInto(picker->txtFarg[0], u"90"_s);
    QTest::keyClick(picker, Qt::Key_Escape);
    QVERIFY(!picker->isVisible());
    picker->show();
    picker->close();
    QVERIFY(!picker->isVisible());
    // The same window comes back with its slots.
    QCOMPARE(ToolWindow(Tool::ColourPicker), picker);
    picker->show();
    QCOMPARE(picker->txtFarg[0]->text(), u"90"_s);
    QCOMPARE(slot(0)[0], 90);
}

// Missing or off the screen, each coordinate falls back to the bottom right on its own. (The
// rules themselves are tested with the shared place helper.)
void tst_farg::storedPlaceAppliedWhenOnScreen() {
    const QSize screen = platformScope->fake.screenTwips / TwipsPerPixel;
    {
        frmFarg picker;
        QCOMPARE(picker.frameGeometry().bottomRight(),
                 QPoint(screen.width(), screen.height()) - QPoint(1, 1));
    }
    WriteIniInt(u"WebFarg"_s, u"Left"_s, 28000, IniFile);
    WriteIniInt(u"WebFarg"_s, u"Top"_s, 450, IniFile);
    frmFarg picker;
    QCOMPARE(picker.frameGeometry().left(), screen.width() - picker.frameGeometry().width());
    QCOMPARE(picker.frameGeometry().top(), 450 / TwipsPerPixel);
}

void tst_farg::closingStoresThePlaceUnlessMinimised() {
    frmFarg picker;
    picker.show();
    picker.move(200, 300);
    picker.close();
    QCOMPARE(ReadIniInt(u"WebFarg"_s, u"Left"_s, IniFile), 3000.0);
    QCOMPARE(ReadIniInt(u"WebFarg"_s, u"Top"_s, IniFile), 4500.0);
    // The next picker of a later run starts there; closed minimised, it stores nothing.
    frmFarg next;
    QCOMPARE(next.frameGeometry().topLeft(), QPoint(200, 300));
    next.show();
    next.setWindowState(Qt::WindowMinimized);
    next.close();
    QCOMPARE(ReadIniInt(u"WebFarg"_s, u"Left"_s, IniFile), 3000.0);
}

void tst_farg::programEndStoresThePlace() {
    QList<int> endedWith;
    EndProgram = [&endedWith](int code) { endedWith.append(code); };
    RegisterColourPicker();
    QWidget* picker = ToolWindow(Tool::ColourPicker);
    picker->show();
    picker->move(100, 50);
    // Hidden by "Stäng" before the end: the end still stores its place.
    static_cast<frmFarg*>(picker)->cmdColorClose_Click();
    WriteIniInt(u"WebFarg"_s, u"Left"_s, 7, IniFile);
    SaveSettings();
    QCOMPARE(endedWith, QList<int>{0});
    QCOMPARE(ReadIniInt(u"WebFarg"_s, u"Left"_s, IniFile), 1500.0);
    QCOMPARE(ReadIniInt(u"WebFarg"_s, u"Top"_s, IniFile), 750.0);
}

void tst_farg::dragCarriesTheSlotCode() {
    frmFarg picker;
    // Slot 2 holds blue.
    picker.picVisaFarg_MouseDown(2);
    typeInto(picker.txtFarg[2], u"255"_s);
    // A name chosen afterwards in slot 0 ...
    picker.picVisaFarg_MouseDown(0);
    typeName(picker, u"Navy"_s);
    QCOMPARE(picker.cmbFarg->currentText(), u"NAVY"_s);
    // ... and in slot 2 itself.
    clickSlot(picker, 2);
    QCOMPARE(DraggedColor, u"#0000FF"_s);
    typeName(picker, u"teal"_s);
    QCOMPARE(picker.cmbFarg->currentText(), u"TEAL"_s);
    // The press applies the lock (128 becomes 153) before the code is taken.
    picker.picVisaFarg_MouseDown(2);
    QCOMPARE(DraggedColor, u"#009999"_s);
}

// A press on a swatch starts no drag until the mouse has moved the drag distance with the
// button held; then exactly one.
void tst_farg::swatchDragStartsAfterTheDragDistance() {
    ColourSwatch swatch;
    swatch.resize(40, 40);
    QSignalSpy drags(&swatch, &ColourSwatch::dragRequested);
    const QPointF start(10, 10);
    const auto move = [&](double dx) {
        QMouseEvent event(QEvent::MouseMove, start + QPointF(dx, 0), start + QPointF(dx, 0),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&swatch, &event);
    };
    QMouseEvent press(QEvent::MouseButtonPress, start, start, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&swatch, &press);
    move(1);
    QCOMPARE(drags.count(), 0);
    move(QApplication::startDragDistance() + 1);
    move(QApplication::startDragDistance() + 5);
    QCOMPARE(drags.count(), 1);
}

void tst_farg::launcherItemOpensThePicker() {
    RegisterColourPicker();
    frmStartUp launcher;
    int exitCode = -1;
    QVERIFY(launcher.Form_Load(exitCode));
    QVERIFY(launcher.mnuVisaColor->isEnabled());
    launcher.mnuVisaColor->trigger();
    auto* picker = qobject_cast<frmFarg*>(ExistingToolWindow(Tool::ColourPicker));
    QVERIFY(picker);
    QVERIFY(picker->isVisible());
    // The launcher stays: the picker opens beside any window.
    QVERIFY(launcher.isVisible());
}

void tst_farg::enterPressesTheFocusedButton_data() {
    QTest::addColumn<bool>("onClose");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("in a field: Kopiera") << false << true << "#000000";
    QTest::newRow("on Stäng: closed, nothing copied") << true << false << "before";
}

void tst_farg::enterPressesTheFocusedButton() {
    QFETCH(bool, onClose);
    QFETCH(bool, visible);
    QFETCH(QString, clipboard);
    frmFarg picker;
    picker.show();
    QVERIFY(QTest::qWaitForWindowActive(&picker));
    QGuiApplication::clipboard()->setText(u"before"_s);
    QWidget* focused = onClose ? static_cast<QWidget*>(picker.cmdColorClose) : picker.txtFarg[0];
    focused->setFocus(Qt::TabFocusReason);
    QTest::keyClick(focused, Qt::Key_Return);
    QCOMPARE(picker.isVisible(), visible);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

void tst_farg::colourChooserSpeaksSwedish() {
    QColorDialog dialog;
    QtPlatform::prepareColourDialog(dialog);
    QVERIFY(dialog.testOption(QColorDialog::DontUseNativeDialog));
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), u"Avbryt"_s);
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text();
    QVERIFY2(texts.contains(u"&Hämta färg från skärmen"_s), qPrintable(texts.join('|')));
}

QTEST_MAIN(tst_farg)
#include "tst_farg.moc"
