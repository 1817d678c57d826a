// The shared behaviour of every tag dialog, on a small dialog made for the test: created once
// and kept, centred over the editor, the editor disabled while it is open, OK and the three
// ways of cancelling, the busy pointer and the focus rule of text fields.

#include "dialogs/tagdialog.h"
#include "dialogs/tagdialogs.h"
#include "editorstandin.h"
#include "widgets/dialogregistry.h"
#include "widgets/textarea.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

int loads = 0;
int closings = 0;
int busyWhileWritten = -1;

class frmTest : public TagDialog {
public:
    frmTest() : TagDialog(u"Prov"_s) {
        busyWhileWriting = true;
        txtName = addTextField("txtName", u"&Namn:"_s);
        txtText = addTextField("txtText", u"T&ext:"_s);
        keepCaretOnFocus(txtText);
        beginGroup("frmSize", u"Storlek"_s);
        txtBredd = addSizeField("txtBredd", u"&Bredd:"_s, "chkBProc", u"&Procent"_s,
                                PercentWhile::NonZero);
        endGroup();
        newColumn();
        lstList = addListBox("lstList", u"&Lista:"_s);
        lstList->addItems({u"x"_s, u"y"_s});
        requireNonBlank(txtName);
    }
    TextField* txtName;
    TextField* txtText;
    TextField* txtBredd;
    QListWidget* lstList;
    using TagDialog::unloadWhenHidden;

protected:
    void Form_Load() override { ++loads; }
    void writeTag() override {
        busyWhileWritten = static_cast<FakePlatform&>(platform()).busyDepth;
        startTag(u"<T"_s);
        attribute(u"NAME"_s, txtName, AttrText);
        sizeAttribute(u"WIDTH"_s, txtBredd, AttrNumberNonZero);
        closeStartTag();
        InsertTagText(TagBuffer);
    }
    void closed() override { ++closings; }
};

} // namespace

class tst_tagdialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keptCentredAndWriting();
    void endings_data();
    void endings();
    void unloadedDialogIsBuiltAgain();
    void focusSelection_data();
    void focusSelection();
    void sizeField_data();
    void sizeField();
    void doubleClickInAListIsOk();
    void everyMenuItemHasADialog();

private:
    frmTest& openTest();

    std::unique_ptr<EditorStandIn> standIn;
    QWidget* window = nullptr;
    TextArea* area = nullptr;
};

void tst_tagdialog::init() {
    standIn = std::make_unique<EditorStandIn>();
    window = standIn->window;
    area = standIn->area;
    standIn->set(u"a[]b"_s);
    loads = closings = 0;
    busyWhileWritten = -1;
}

void tst_tagdialog::cleanup() {
    DeleteTagDialogs();
    standIn.reset();
}

frmTest& tst_tagdialog::openTest() {
    openTagDialog<frmTest>();
    return TagDialogInstance<frmTest>();
}

void tst_tagdialog::keptCentredAndWriting() {
    frmTest& dialog = openTest();
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.isModal());
    QVERIFY(!window->isEnabled());
    const QPoint centred(100 + (800 - dialog.width()) / 2, 50 + (600 - dialog.height()) / 2);
    QCOMPARE(dialog.pos(), centred);
    dialog.txtName->setText(u"n"_s);
    dialog.cmdOK->click();
    QCOMPARE(area->text(), u"a<T NAME=\"n\">b"_s);
    QVERIFY(window->isEnabled());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(busyWhileWritten, 1);
    QCOMPARE(standIn->fake().busyDepth, 0);
    QCOMPARE(closings, 1);
    window->move(300, 300);
    QCOMPARE(&openTest(), &dialog); // kept, loaded once, where it was
    QCOMPARE(dialog.pos(), centred);
    QCOMPARE(loads, 1);
}

// Every way of ending the dialog gives the editor back; only OK writes, and the fields keep
// what was typed for the next opening.
void tst_tagdialog::endings_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("after");
    QTest::newRow("Avbryt") << u"cancel"_s << u"ab"_s;
    QTest::newRow("close box") << u"close"_s << u"ab"_s;
    QTest::newRow("Escape") << u"escape"_s << u"ab"_s;
    QTest::newRow("Enter in a field: OK") << u"enter in field"_s << u"a<T NAME=\"n\">b"_s;
    QTest::newRow("Enter on Avbryt: nothing written") << u"enter on cancel"_s << u"ab"_s;
}

void tst_tagdialog::endings() {
    QFETCH(QString, way);
    QFETCH(QString, after);
    frmTest& dialog = openTest();
    dialog.txtName->setText(u"n"_s);
    if (way == "cancel"_L1) {
        dialog.cmdCancel->click();
    } else if (way == "close"_L1) {
        dialog.close();
    } else if (way == "escape"_L1) {
        QTest::keyClick(&dialog, Qt::Key_Escape);
    } else {
        QWidget* focused =
            way == "enter on cancel"_L1 ? static_cast<QWidget*>(dialog.cmdCancel) : dialog.txtName;
        focused->setFocus(Qt::TabFocusReason);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(focused, Qt::Key_Return);
    }
    QCOMPARE(area->text(), after);
    QVERIFY(window->isEnabled());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(closings, 1);
    QCOMPARE(openTest().txtName->text(), u"n"_s);
}

void tst_tagdialog::unloadedDialogIsBuiltAgain() {
    QPointer<frmTest> first = &openTest();
    first->unloadWhenHidden = true;
    first->cmdCancel->click();
    QVERIFY(window->isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    openTest();
    QCOMPARE(loads, 2);
}

void tst_tagdialog::focusSelection_data() {
    QTest::addColumn<bool>("byClick");
    QTest::addColumn<bool>("selectAll");
    QTest::newRow("focus, select all") << false << true;
    QTest::newRow("click, select all") << true << true;
    QTest::newRow("focus, no rule") << false << false;
}

void tst_tagdialog::focusSelection() {
    QFETCH(bool, byClick);
    QFETCH(bool, selectAll);
    frmTest& dialog = openTest();
    TextField* field = selectAll ? dialog.txtName : dialog.txtText;
    field->setText(u"Kalle Anka"_s);
    dialog.cmdCancel->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    if (byClick)
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
    else
        field->setFocus(Qt::OtherFocusReason);
    QVERIFY(field->hasFocus());
    QCOMPARE(field->selectedText(), selectAll ? field->text() : QString());
}

// A width with its percent box: the box follows the number, and a "%" typed into the field
// means a percentage as the checked box does.
void tst_tagdialog::sizeField_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<bool>("percent");
    QTest::addColumn<bool>("boxEnabled");
    QTest::addColumn<QString>("written");
    QTest::newRow("number") << "50" << false << true << " WIDTH=\"50\"";
    QTest::newRow("box checked") << "50" << true << true << " WIDTH=\"50%\"";
    QTest::newRow("percent typed") << " 50% " << false << true << " WIDTH=\"50%\"";
    QTest::newRow("negative: box enabled") << "-5" << false << true << " WIDTH=\"-5\"";
    QTest::newRow("zero: the disabled box still counts") << "0" << true << false << " WIDTH=\"0%\"";
}

void tst_tagdialog::sizeField() {
    QFETCH(QString, width);
    QFETCH(bool, percent);
    QFETCH(bool, boxEnabled);
    QFETCH(QString, written);
    frmTest& dialog = openTest();
    dialog.txtName->setText(u"n"_s);
    dialog.txtBredd->setText(width);
    auto* box = dialog.findChild<QCheckBox*>(u"chkBProc"_s);
    box->setChecked(percent);
    QCOMPARE(box->isEnabled(), boxEnabled);
    dialog.cmdOK->click();
    QCOMPARE(area->text(), u"a<T NAME=\"n\"%1>b"_s.arg(written));
}

void tst_tagdialog::doubleClickInAListIsOk() {
    frmTest& dialog = openTest();
    // A double click on an entry is OK, unless OK is disabled.
    const QRect second = dialog.lstList->visualItemRect(dialog.lstList->item(1));
    QTest::mouseDClick(dialog.lstList->viewport(), Qt::LeftButton, {}, second.center());
    QVERIFY(dialog.isVisible());
    dialog.txtName->setText(u"n"_s);
    QTest::mouseDClick(dialog.lstList->viewport(), Qt::LeftButton, {}, second.center());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(area->text(), u"a<T NAME=\"n\">b"_s);
}

// Every dialog item of the editor's menus opens a dialog of this library.
void tst_tagdialog::everyMenuItemHasADialog() {
    ClearTagDialogs();
    RegisterTagDialogs();
    for (const QString& item : TagDialogMenuItems())
        QVERIFY2(TagDialogRegistered(item), qPrintable(item));
    ClearTagDialogs();
}

QTEST_MAIN(tst_tagdialog)
#include "tst_tagdialog.moc"
