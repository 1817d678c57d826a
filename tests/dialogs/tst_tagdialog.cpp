// The shared behaviour of every tag dialog, on a small dialog made for the test: created once
// and kept, centred over the editor, the editor disabled while it is open, OK and the three
// ways of cancelling, the busy pointer, the focus rules of text fields, colour boxes and the
// enabling rules.

#include "dialogs/tagdialog.h"
#include "editor/textarea.h"
#include "shell/tools.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A drag entering target and the drop, as the window system delivers them; true when taken.
bool dropOn(QWidget* target, const QMimeData* mime) {
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

int loads = 0;
int closings = 0;
int busyWhileWritten = -1;

class frmTest : public TagDialog {
public:
    frmTest() : TagDialog(QStringLiteral("Prov")) {
        busyWhileWriting = true;
        txtName = addTextField("txtName", QStringLiteral("&Namn:"));
        txtLink = addTextField("txtLink", QStringLiteral("&Länk:"));
        chkText = addCheckBox("chkText", QStringLiteral("&Text"));
        txtText = addTextField("txtText", QStringLiteral("T&ext:"));
        cmbColor = addColourBox("cmbColor", QStringLiteral("&Färg:"));
        selectAllOnFocus({txtName});
        selectLinkNameOnFocus(txtLink);
        requireNonBlank(txtName);
        enableWhile(txtText, [this] { return chkText->isChecked(); }, {chkText});
    }
    TextField* txtName;
    TextField* txtLink;
    QCheckBox* chkText;
    TextField* txtText;
    QComboBox* cmbColor;

protected:
    void Form_Load() override { ++loads; }
    void writeTag() override {
        busyWhileWritten = static_cast<FakePlatform&>(platform()).busyDepth;
        startTag(QStringLiteral("<T"));
        attribute(QStringLiteral("NAME"), txtName, AttrText);
        attribute(QStringLiteral("COLOR"), cmbColor, AttrText);
        closeStartTag();
        InsertTagText(TagBuffer);
    }
    void closed() override { ++closings; }
};

// A dialog that is not kept: rebuilt at every opening.
class frmOnce : public TagDialog {
public:
    frmOnce() : TagDialog(QStringLiteral("En gång")) { unloadWhenHidden = true; }

protected:
    void Form_Load() override { ++loads; }
    void writeTag() override { InsertTagText(QStringLiteral("[once]")); }
};

} // namespace

class tst_tagdialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keptAndLoadedOnce();
    void centredOverTheEditorAtFirstLoad();
    void okWritesAndEnablesTheEditor();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void prefillGetsTheSelection();
    void unloadedDialogIsBuiltAgain();
    void focusSelection_data();
    void focusSelection();
    void clickKeepsTheFocusSelection();
    void colourBox_data();
    void colourBox();
    void enablingRuleFollowsProgramChanges();
    void colourPickerShown();

private:
    FakePlatformScope platformScope;
    QWidget* window = nullptr;
    TextArea* area = nullptr;
};

void tst_tagdialog::init() {
    window = new QWidget;
    area = new TextArea(window);
    (new QVBoxLayout(window))->addWidget(area);
    window->setGeometry(100, 50, 800, 600);
    SetEditorWindow(window, area);
    TagCase = 0;
    loads = closings = 0;
    busyWhileWritten = -1;
    platformScope.fake.clear();
}

void tst_tagdialog::cleanup() {
    DeleteTagDialogs();
    SetEditorWindow(nullptr, nullptr);
    delete window;
}

void tst_tagdialog::keptAndLoadedOnce() {
    frmTest& first = TagDialogInstance<frmTest>();
    openTagDialog<frmTest>();
    QVERIFY(first.isVisible());
    QVERIFY(!first.isModal());
    QVERIFY(!window->isEnabled());
    first.cmdCancel->click();
    openTagDialog<frmTest>();
    QCOMPARE(&TagDialogInstance<frmTest>(), &first);
    QCOMPARE(loads, 1);
}

void tst_tagdialog::centredOverTheEditorAtFirstLoad() {
    frmTest& dialog = TagDialogInstance<frmTest>();
    const QPoint centred(100 + (800 - dialog.width()) / 2, 50 + (600 - dialog.height()) / 2);
    QCOMPARE(dialog.pos(), centred);
    window->move(300, 300);
    openTagDialog<frmTest>();
    QCOMPARE(dialog.pos(), centred);
}

void tst_tagdialog::okWritesAndEnablesTheEditor() {
    area->setWholeText(QStringLiteral("ab"));
    area->setSel(1, 0);
    openTagDialog<frmTest>();
    frmTest& dialog = TagDialogInstance<frmTest>();
    dialog.txtName->setText(QStringLiteral("n"));
    dialog.cmdOK->click();
    QCOMPARE(area->text(), QStringLiteral("a<T NAME=\"n\">b"));
    QVERIFY(window->isEnabled());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(busyWhileWritten, 1);
    QCOMPARE(platformScope.fake.busyDepth, 0);
    QCOMPARE(closings, 1);
}

void tst_tagdialog::cancelWritesNothing_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Avbryt") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Escape") << 2;
}

void tst_tagdialog::cancelWritesNothing() {
    QFETCH(int, way);
    area->setWholeText(QStringLiteral("ab"));
    openTagDialog<frmTest>();
    frmTest& dialog = TagDialogInstance<frmTest>();
    dialog.txtName->setText(QStringLiteral("n"));
    if (way == 0)
        dialog.cmdCancel->click();
    else if (way == 1)
        dialog.close();
    else
        QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(area->text(), QStringLiteral("ab"));
    QVERIFY(window->isEnabled());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(closings, 1);
    QCOMPARE(dialog.txtName->text(), QStringLiteral("n"));
}

void tst_tagdialog::prefillGetsTheSelection() {
    area->setWholeText(QStringLiteral("ett två"));
    area->setSel(4, 3);
    QString seen;
    openTagDialog<frmTest>([&](frmTest& d, const QString& selection) {
        seen = selection;
        QVERIFY(!d.isVisible()); // filled before it is shown
        QCOMPARE(loads, 1);      // and after its lists are set up
    });
    QCOMPARE(seen, QStringLiteral("två"));
}

void tst_tagdialog::unloadedDialogIsBuiltAgain() {
    openTagDialog<frmOnce>();
    QPointer<frmOnce> first = &TagDialogInstance<frmOnce>();
    first->cmdOK->click();
    QCOMPARE(area->text(), QStringLiteral("[once]"));
    QVERIFY(window->isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    openTagDialog<frmOnce>();
    QCOMPARE(loads, 2);
}

void tst_tagdialog::focusSelection_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("cursor");
    QTest::newRow("all") << "txtName"
                         << "Kalle Anka"
                         << "Kalle Anka" << 10;
    QTest::newRow("file name") << "txtLink"
                               << "bilder/foto.gif"
                               << "foto" << 11;
    QTest::newRow("mail user") << "txtLink"
                               << "mailto:kalle@anka.se"
                               << "kalle" << 12;
    QTest::newRow("two dots") << "txtLink"
                              << "sida.min.html"
                              << "sida.min.html" << 13;
    QTest::newRow("folder only") << "txtLink"
                                 << "bilder/"
                                 << "" << 7;
    QTest::newRow("no rule") << "txtText"
                             << "abc"
                             << "" << 3;
}

void tst_tagdialog::focusSelection() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, selected);
    QFETCH(int, cursor);
    openTagDialog<frmTest>();
    frmTest& dialog = TagDialogInstance<frmTest>();
    dialog.chkText->setChecked(true);
    auto* edit = dialog.findChild<QLineEdit*>(field);
    edit->setText(text);
    edit->setCursorPosition(static_cast<int>(text.size()));
    dialog.cmbColor->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus(Qt::OtherFocusReason);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), selected);
    QCOMPARE(edit->cursorPosition(), cursor);
}

void tst_tagdialog::clickKeepsTheFocusSelection() {
    openTagDialog<frmTest>();
    frmTest& dialog = TagDialogInstance<frmTest>();
    dialog.txtLink->setText(QStringLiteral("sidor/index.html"));
    dialog.cmbColor->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(dialog.txtLink, Qt::LeftButton, {}, QPoint(2, 5));
    QCOMPARE(dialog.txtLink->selectedText(), QStringLiteral("index"));
}

void tst_tagdialog::colourBox_data() {
    QTest::addColumn<bool>("ownType");
    QTest::newRow("plain text") << false;
    QTest::newRow("the program's colour type") << true;
}

void tst_tagdialog::colourBox() {
    QFETCH(bool, ownType);
    frmTest& dialog = TagDialogInstance<frmTest>();
    QCOMPARE(dialog.cmbColor->currentText(), QString());
    QCOMPARE(dialog.cmbColor->count(), 16);
    QCOMPARE(dialog.cmbColor->itemText(0), QStringLiteral("BLACK"));
    QCOMPARE(dialog.cmbColor->itemText(15), QStringLiteral("WHITE"));
    QMimeData mime;
    if (ownType)
        mime.setData(QStringLiteral("application/x-vessilora-colour"), QByteArray("#00FF00"));
    else
        mime.setText(QStringLiteral(" #00FF00 "));
    QVERIFY(dropOn(dialog.cmbColor, &mime));
    QCOMPARE(dialog.cmbColor->currentText(), QStringLiteral("#00FF00"));
    dialog.txtName->setText(QStringLiteral("n"));
    dialog.cmdOK->click();
    QCOMPARE(area->text(), QStringLiteral("<T NAME=\"n\" COLOR=\"#00FF00\">"));
}

void tst_tagdialog::enablingRuleFollowsProgramChanges() {
    frmTest& dialog = TagDialogInstance<frmTest>();
    QVERIFY(!dialog.cmdOK->isEnabled());
    QVERIFY(!dialog.txtText->isEnabled());
    QLabel* label = nullptr;
    for (QLabel* l : dialog.findChildren<QLabel*>()) {
        if (l->buddy() == dialog.txtText)
            label = l;
    }
    QVERIFY(label && !label->isEnabled());
    dialog.txtName->setText(QStringLiteral(" x "));
    QVERIFY(dialog.cmdOK->isEnabled());
    dialog.txtName->setText(QStringLiteral("   "));
    QVERIFY(!dialog.cmdOK->isEnabled());
    dialog.chkText->setChecked(true);
    QVERIFY(dialog.txtText->isEnabled());
    QVERIFY(label->isEnabled());
}

void tst_tagdialog::colourPickerShown() {
    RegisterTool(Tool::ColourPicker, [] { return new QWidget; });
    ShowColourPicker();
    QWidget* picker = ExistingToolWindow(Tool::ColourPicker);
    QVERIFY(picker && picker->isVisible());
    ResetTools();
}

QTEST_MAIN(tst_tagdialog)
#include "tst_tagdialog.moc"
