// The colour picker's buttons under the keyboard, and the colour chooser its swatches open.

#include "colour/frmfarg.h"
#include "markup/globals.h"
#include "platform/qtplatform.h"
#include "shell/tools.h"
#include "testsupport.h"

#include <QClipboard>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class tst_farg_review : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void colourChooserSpeaksSwedish();

private:
    std::unique_ptr<FakePlatformScope> platformScope;
    std::unique_ptr<TestProgramFolder> folder;
};

void tst_farg_review::init() {
    platformScope = std::make_unique<FakePlatformScope>();
    folder = std::make_unique<TestProgramFolder>();
    SlotColors = {};
    ColorSlot = 0;
}

void tst_farg_review::cleanup() {
    ResetTools();
    folder.reset();
    platformScope.reset();
}

void tst_farg_review::enterPressesTheFocusedButton_data() {
    QTest::addColumn<bool>("onClose");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("in a field: Kopiera") << false << true << "#000000";
    QTest::newRow("on Stäng: closed, nothing copied") << true << false << "before";
}

void tst_farg_review::enterPressesTheFocusedButton() {
    QFETCH(bool, onClose);
    QFETCH(bool, visible);
    QFETCH(QString, clipboard);
    frmFarg picker;
    picker.show();
    QVERIFY(QTest::qWaitForWindowActive(&picker));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QWidget* focused = onClose ? static_cast<QWidget*>(picker.cmdColorClose) : picker.txtFarg[0];
    focused->setFocus(Qt::TabFocusReason);
    QTest::keyClick(focused, Qt::Key_Return);
    QCOMPARE(picker.isVisible(), visible);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

void tst_farg_review::colourChooserSpeaksSwedish() {
    QColorDialog dialog;
    QtPlatform::prepareColourDialog(dialog);
    QVERIFY(dialog.testOption(QColorDialog::DontUseNativeDialog));
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Avbryt"));
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text();
    QVERIFY2(texts.contains(QStringLiteral("&Hämta färg från skärmen")),
             qPrintable(texts.join('|')));
}

QTEST_MAIN(tst_farg_review)
#include "tst_farg_review.moc"
