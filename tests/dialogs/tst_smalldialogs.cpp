// The seven small tag dialogs as the editor's menu items open them: the markup each writes in
// every letter case and quoting style, the paragraph dialog editing an old tag, the
// background sound going into the head, their enabling rules and a reopened dialog.

#include "dialogs/smalldialogs.h"
#include "editor/dialogregistry.h"
#include "editor/textarea.h"
#include "markup/globals.h"
#include "testsupport.h"

#include <QApplication>
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
} // namespace

class tst_smalldialogs : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void markup_data();
    void markup();
    void busyPointerWhileWriting_data();
    void busyPointerWhileWriting();
    void okEnabling_data();
    void okEnabling();
    void paragraphEditsTheOldTag_data();
    void paragraphEditsTheOldTag();
    void paragraphCancelEndsEditMode();
    void bookmarkDescriptionFollowsTheBox();
    void percentBoxFollowsTheWidth();
    void reopenedDialogShowsItsLastValues();
    void colourDroppedOnTheLineColour();
    void soundPathSelectsTheFileName();

private:
    // Puts text into the editor; "[" and "]" mark the selection and are removed.
    void setEditorText(QString text);
    // Opens the dialog of a menu item and returns it.
    TagDialog* open(const QString& menuItem);
    template <class T> T* child(TagDialog* dialog, const QString& name) {
        T* control = dialog->findChild<T*>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }
    void setField(TagDialog* dialog, const QString& assignment);

    FakePlatformScope platformScope;
    QWidget* window = nullptr;
    TextArea* area = nullptr;
};

void tst_smalldialogs::init() {
    window = new QWidget;
    area = new TextArea(window);
    (new QVBoxLayout(window))->addWidget(area);
    window->setGeometry(100, 100, 800, 600);
    SetEditorWindow(window, area);
    RegisterSmallDialogs();
    TagCase = 0;
    AttrQuoteStyle = 0;
    ForceLowerCase = false;
    ParagraphEditMode = false;
    OpenTagFormatted = false;
    platformScope.fake.clear();
}

void tst_smalldialogs::cleanup() {
    DeleteTagDialogs();
    ClearTagDialogs();
    SetEditorWindow(nullptr, nullptr);
    delete window;
}

void tst_smalldialogs::setEditorText(QString text) {
    const auto start = text.indexOf(QLatin1Char('['));
    const auto end = text.indexOf(QLatin1Char(']'));
    text.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    area->setWholeText(text);
    if (start >= 0)
        area->setSel(static_cast<int>(start), static_cast<int>(end - start - 1));
}

TagDialog* tst_smalldialogs::open(const QString& menuItem) {
    if (!OpenTagDialog(menuItem))
        qFatal("no dialog for %s", qPrintable(menuItem));
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (auto* dialog = qobject_cast<TagDialog*>(w); dialog && dialog->isVisible())
            return dialog;
    }
    qFatal("the dialog of %s is not shown", qPrintable(menuItem));
}

// "txtBredd=50" sets a text, "cmbColor=RED" a combo box's text, "chkProcent=1" a check box.
void tst_smalldialogs::setField(TagDialog* dialog, const QString& assignment) {
    const QString name = assignment.section(QLatin1Char('='), 0, 0);
    const QString value = assignment.section(QLatin1Char('='), 1);
    QObject* control = dialog->findChild<QObject*>(name);
    QVERIFY2(control, qPrintable(name));
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setEditText(value);
    else if (auto* box = qobject_cast<QCheckBox*>(control))
        box->setChecked(value == QLatin1String("1"));
}

void tst_smalldialogs::markup_data() {
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("tagCase");
    QTest::addColumn<int>("quoteStyle");
    QTest::addColumn<QString>("before"); // the editor's text, the selection in brackets
    QTest::addColumn<QString>("after");

    const QString br = QStringLiteral("mnuInBr");
    QTest::newRow("br, empty clear") << br << QStringList() << 0 << 0 << "a[]b"
                                     << "a<BR>b";
    QTest::newRow("br, capitals") << br << QStringList{"cmbClear=ALL"} << 0 << 0 << "[]"
                                  << "<BR CLEAR=\"ALL\">";
    QTest::newRow("br, small") << br << QStringList{"cmbClear=ALL"} << 1 << 1 << "[]"
                               << "<br clear=\"ALL\">";
    QTest::newRow("br, first capital") << br << QStringList{"cmbClear=LEFT"} << 2 << 0 << "[]"
                                       << "<Br Clear=\"LEFT\">";
    QTest::newRow("br replaces the selection") << br << QStringList() << 0 << 0 << "a[old]b"
                                               << "a<BR>b";

    const QString p = QStringLiteral("mnuFormStycke");
    QTest::newRow("p, start tag") << p << QStringList{"cmbJustering=CENTER"} << 0 << 0 << "[]"
                                  << "<P ALIGN=\"CENTER\">";
    QTest::newRow("p, small start tag") << p << QStringList{"cmbJustering=RIGHT"} << 1 << 1 << "[]"
                                        << "<p align=\"RIGHT\">";
    QTest::newRow("p wraps the selection")
        << p << QStringList{"cmbJustering=CENTER"} << 0 << 0 << "[text]"
        << "<P ALIGN=\"CENTER\">text</P>";
    // Wrapping recases the whole open text, values included.
    QTest::newRow("p wraps, small")
        << p << QStringList{"cmbJustering=CENTER"} << 1 << 0 << "x[text]"
        << "x<p align=\"center\">text</p>";
    QTest::newRow("p wraps, first capital")
        << p << QStringList{"cmbJustering=JUSTIFY"} << 2 << 1 << "[text]"
        << "<P align=\"justify\">text</P>";
    QTest::newRow("p, empty pair") << p << QStringList{"chkAddExit=1"} << 0 << 0 << "[]"
                                   << "<P></P>";

    const QString bok = QStringLiteral("mnuInBok");
    QTest::newRow("bookmark around the selection")
        << bok << QStringList{"txtName=top"} << 0 << 0 << "[Hem]"
        << "<A NAME=\"top\">Hem</A>";
    QTest::newRow("bookmark, small") << bok << QStringList{"txtName=top"} << 1 << 1 << "[Hem]"
                                     << "<a name=\"top\">Hem</a>";
    QTest::newRow("bookmark, first capital")
        << bok << QStringList{"txtName=top"} << 2 << 0 << "[Hem]"
        << "<A Name=\"top\">Hem</A>";
    QTest::newRow("bookmark keeps the selection's line breaks")
        << bok << QStringList{"txtName=top"} << 0 << 0 << "[Hem\r\nsida]"
        << "<A NAME=\"top\">Hem\r\nsida</A>";
    QTest::newRow("bookmark, start tag only")
        << bok << QStringList{"txtName= top "} << 0 << 0 << "[]"
        << "<A NAME=\"top\">";
    QTest::newRow("bookmark, typed description")
        << bok << QStringList{"txtName=a", "chkAddExit=1", "txtBeskrivning= Start "} << 0 << 0
        << "[]"
        << "<A NAME=\"a\">Start</A>";

    const QString script = QStringLiteral("mnuInScript");
    const QStringList scriptFields = {"txtSrc=a.js", "cmbLang=JavaScript", "chkAddExit=1"};
    QTest::newRow("script with end tag") << script << scriptFields << 0 << 0 << "[]"
                                         << "<SCRIPT SRC=\"a.js\" LANGUAGE=\"JavaScript\"> "
                                            "</SCRIPT>";
    QTest::newRow("script, small") << script << scriptFields << 1 << 1 << "[]"
                                   << "<script src=\"a.js\" language=\"JavaScript\"> </script>";
    QTest::newRow("script, first capital")
        << script << scriptFields << 2 << 0 << "[]"
        << "<Script Src=\"a.js\" Language=\"JavaScript\"> </Script>";
    QTest::newRow("script, language only")
        << script << QStringList{"cmbLang=VBScript"} << 0 << 0 << "[]"
        << "<SCRIPT LANGUAGE=\"VBScript\">";

    const QString lin = QStringLiteral("mnuInLin");
    const QStringList all = {"txtBredd=50",         "chkProcent=1", "txtTjock=3",
                             "cmbJustering=CENTER", "chkNoShade=1", "cmbColor=RED"};
    QTest::newRow("line, every attribute")
        << lin << all << 0 << 0 << "[]"
        << "<HR WIDTH=\"50%\" SIZE=\"3\" ALIGN=\"CENTER\" NOSHADE COLOR=\"RED\">";
    QTest::newRow("line, unquoted numbers")
        << lin << all << 0 << 1 << "[]"
        << "<HR WIDTH=50% SIZE=3 ALIGN=\"CENTER\" NOSHADE COLOR=\"RED\">";
    QTest::newRow("line, small") << lin << all << 1 << 1 << "[]"
                                 << "<hr width=50% size=3 align=\"CENTER\" noshade color=\"RED\">";
    QTest::newRow("line, first capital")
        << lin << all << 2 << 0 << "[]"
        << "<Hr Width=\"50%\" Size=\"3\" Align=\"CENTER\" Noshade Color=\"RED\">";
    QTest::newRow("line, width 0")
        << lin << QStringList{"txtBredd=0", "chkProcent=1"} << 0 << 0 << "[]"
        << "<HR>";
    QTest::newRow("line, width abc") << lin << QStringList{"txtBredd=abc"} << 0 << 0 << "[]"
                                     << "<HR>";
    QTest::newRow("line, thickness 0") << lin << QStringList{"txtTjock=0"} << 0 << 0 << "[]"
                                       << "<HR>";
    QTest::newRow("line, width in pixels") << lin << QStringList{"txtBredd=120px"} << 0 << 1 << "[]"
                                           << "<HR WIDTH=120>";

    const QString multicol = QStringLiteral("mnuFormMulticol");
    const QStringList columns = {"txtAntal=3", "txtBredd=200", "txtHeight=10"};
    QTest::newRow("multicol start tag") << multicol << columns << 0 << 0 << "[]"
                                        << "<MULTICOL COLS=\"3\" WIDTH=\"200\" GUTTER=\"10\">";
    QTest::newRow("multicol unquoted") << multicol << columns << 0 << 1 << "[]"
                                       << "<MULTICOL COLS=3 WIDTH=200 GUTTER=10>";
    QTest::newRow("multicol wraps, small")
        << multicol << QStringList{"txtAntal=2", "txtBredd=0", "chkAddExit=1"} << 1 << 0 << "[text]"
        << "<multicol cols=\"2\">text</multicol>";
    QTest::newRow("multicol wraps, first capital")
        << multicol << QStringList{"txtAntal=2", "chkAddExit=1"} << 2 << 1 << "[text]"
        << "<Multicol Cols=2>text</Multicol>";

    const QString sound = QStringLiteral("mnuInBacksound");
    const QString page = QStringLiteral("<HTML><HEAD><TITLE>t</TITLE>\r\n</HEAD><BODY>x[]y"
                                        "</BODY></HTML>");
    QTest::newRow("sound goes into the head")
        << sound << QStringList{"txtSrc=ljud.mid", "cmbAntal=INFINITE"} << 0 << 0 << page
        << "<HTML><HEAD><TITLE>t</TITLE>\r\n<BGSOUND SRC=\"ljud.mid\" LOOP=\"INFINITE\">"
           "</HEAD><BODY>xy</BODY></HTML>";
    QTest::newRow("sound, small") << sound << QStringList{"txtSrc=a.wav"} << 1 << 1 << page
                                  << "<HTML><HEAD><TITLE>t</TITLE>\r\n<bgsound src=\"a.wav\">"
                                     "</HEAD><BODY>xy</BODY></HTML>";
    QTest::newRow("sound, no head") << sound << QStringList{"txtSrc=a.wav"} << 2 << 0 << "x[]y"
                                    << "x<Bgsound Src=\"a.wav\">y";
}

void tst_smalldialogs::markup() {
    QFETCH(QString, menuItem);
    QFETCH(QStringList, fields);
    QFETCH(int, tagCase);
    QFETCH(int, quoteStyle);
    QFETCH(QString, before);
    QFETCH(QString, after);
    TagCase = tagCase;
    AttrQuoteStyle = quoteStyle;
    setEditorText(before);
    TagDialog* dialog = open(menuItem);
    QVERIFY(!window->isEnabled());
    for (const QString& field : fields)
        setField(dialog, field);
    QVERIFY(dialog->cmdOK->isEnabled());
    dialog->cmdOK->click();
    QCOMPARE(area->text(), after);
    QVERIFY(window->isEnabled());
    QVERIFY(!dialog->isVisible());
}

void tst_smalldialogs::busyPointerWhileWriting_data() {
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("busy");
    QTest::newRow("line break") << "mnuInBr" << QStringList() << false;
    QTest::newRow("paragraph") << "mnuFormStycke" << QStringList() << false;
    QTest::newRow("line") << "mnuInLin" << QStringList() << false;
    QTest::newRow("bookmark") << "mnuInBok" << QStringList{"txtName=a"} << true;
    QTest::newRow("script") << "mnuInScript" << QStringList() << true;
    QTest::newRow("multicol") << "mnuFormMulticol" << QStringList{"txtAntal=2"} << true;
    QTest::newRow("sound") << "mnuInBacksound" << QStringList{"txtSrc=a.wav"} << true;
}

void tst_smalldialogs::busyPointerWhileWriting() {
    QFETCH(QString, menuItem);
    QFETCH(QStringList, fields);
    QFETCH(bool, busy);
    TagDialog* dialog = open(menuItem);
    for (const QString& field : fields)
        setField(dialog, field);
    dialog->cmdOK->click();
    QCOMPARE(platformScope.fake.busyShownCount, busy ? 1 : 0);
    QCOMPARE(platformScope.fake.busyDepth, 0);
}

void tst_smalldialogs::okEnabling_data() {
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("bookmark, no name") << "mnuInBok"
                                       << "txtName=" << false;
    QTest::newRow("bookmark, blanks") << "mnuInBok"
                                      << "txtName=   " << false;
    QTest::newRow("bookmark, name") << "mnuInBok"
                                    << "txtName=top" << true;
    QTest::newRow("columns, empty") << "mnuFormMulticol"
                                    << "txtAntal=" << false;
    QTest::newRow("columns, 0") << "mnuFormMulticol"
                                << "txtAntal=0" << false;
    QTest::newRow("columns, negative") << "mnuFormMulticol"
                                       << "txtAntal=-2" << false;
    QTest::newRow("columns, text") << "mnuFormMulticol"
                                   << "txtAntal=abc" << false;
    QTest::newRow("columns, 2") << "mnuFormMulticol"
                                << "txtAntal=2" << true;
    QTest::newRow("columns, 0.5") << "mnuFormMulticol"
                                  << "txtAntal=0.5" << true;
    QTest::newRow("sound, no path") << "mnuInBacksound"
                                    << "txtSrc= " << false;
    QTest::newRow("sound, path") << "mnuInBacksound"
                                 << "txtSrc=a.wav" << true;
}

void tst_smalldialogs::okEnabling() {
    QFETCH(QString, menuItem);
    QFETCH(QString, field);
    QFETCH(bool, enabled);
    setEditorText(QStringLiteral("x[]"));
    TagDialog* dialog = open(menuItem);
    QVERIFY(!dialog->cmdOK->isEnabled()); // empty at the first opening
    setField(dialog, QStringLiteral("%1=x").arg(field.section(QLatin1Char('='), 0, 0)));
    setField(dialog, field); // set by the program, as tag-at-cursor editing does
    QCOMPARE(dialog->cmdOK->isEnabled(), enabled);
    dialog->cmdOK->click(); // a disabled OK does nothing
    QCOMPARE(area->text() == QLatin1String("x"), !enabled);
    QCOMPARE(dialog->isVisible(), !enabled);
}

void tst_smalldialogs::paragraphEditsTheOldTag_data() {
    QTest::addColumn<bool>("keepBox");
    QTest::addColumn<QString>("after");
    QTest::newRow("box checked: an empty pair") << true << "a<P ALIGN=\"CENTER\"></P>b";
    QTest::newRow("box cleared: the start tag") << false << "a<P ALIGN=\"CENTER\">b";
}

void tst_smalldialogs::paragraphEditsTheOldTag() {
    QFETCH(bool, keepBox);
    QFETCH(QString, after);
    setEditorText(QStringLiteral("a[<p align=left>]b"));
    // What tag-at-cursor editing does: fill the dialog, set the mode, open it by its menu item.
    frmInP& p = TagDialogInstance<frmInP>();
    p.cmbJustering->setEditText(QStringLiteral("CENTER"));
    p.chkAddExit->setChecked(false);
    ParagraphEditMode = true;
    QVERIFY(OpenTagDialog(QStringLiteral("mnuFormStycke")));
    QVERIFY(p.chkAddExit->isChecked()); // the selection (the old tag) checks it
    p.chkAddExit->setChecked(keepBox);
    p.cmdOK->click();
    QCOMPARE(area->text(), after);
    QVERIFY(!ParagraphEditMode);
}

void tst_smalldialogs::paragraphCancelEndsEditMode() {
    setEditorText(QStringLiteral("a[<p>]b"));
    ParagraphEditMode = true;
    TagDialog* dialog = open(QStringLiteral("mnuFormStycke"));
    dialog->cmdCancel->click();
    QVERIFY(!ParagraphEditMode);
    QCOMPARE(area->text(), QStringLiteral("a<p>b"));
    QCOMPARE(area->selText(), QStringLiteral("<p>"));
}

void tst_smalldialogs::bookmarkDescriptionFollowsTheBox() {
    setEditorText(QStringLiteral("[]"));
    auto* bok = static_cast<frmInBok*>(open(QStringLiteral("mnuInBok")));
    QVERIFY(!bok->txtBeskrivning->isEnabled());
    QVERIFY(!bok->lblBeskrivning->isEnabled());
    bok->cmdCancel->click();
    // The menu item fills the description from the selection and checks the box.
    setEditorText(QStringLiteral("[Hem]"));
    open(QStringLiteral("mnuInBok"));
    QCOMPARE(bok->txtBeskrivning->text(), QStringLiteral("Hem"));
    QVERIFY(bok->chkAddExit->isChecked());
    QVERIFY(bok->txtBeskrivning->isEnabled());
    QVERIFY(bok->lblBeskrivning->isEnabled());
    bok->chkAddExit->click();
    QVERIFY(!bok->txtBeskrivning->isEnabled());
}

void tst_smalldialogs::percentBoxFollowsTheWidth() {
    auto* lin = static_cast<frmInLin*>(open(QStringLiteral("mnuInLin")));
    QVERIFY(!lin->chkProcent->isEnabled());
    lin->txtBredd->setText(QStringLiteral("50"));
    QVERIFY(lin->chkProcent->isEnabled());
    lin->txtBredd->setText(QStringLiteral("abc"));
    QVERIFY(!lin->chkProcent->isEnabled());
}

void tst_smalldialogs::reopenedDialogShowsItsLastValues() {
    setEditorText(QStringLiteral("x[]"));
    auto* lin = static_cast<frmInLin*>(open(QStringLiteral("mnuInLin")));
    lin->txtBredd->setText(QStringLiteral("75"));
    lin->chkProcent->setChecked(true);
    lin->cmbColor->setEditText(QStringLiteral("#FF0000"));
    lin->close(); // the close box: nothing written
    QCOMPARE(area->text(), QStringLiteral("x"));
    QVERIFY(window->isEnabled());
    QCOMPARE(open(QStringLiteral("mnuInLin")), lin);
    QCOMPARE(lin->txtBredd->text(), QStringLiteral("75"));
    QVERIFY(lin->chkProcent->isChecked());
    QCOMPARE(lin->cmbColor->currentText(), QStringLiteral("#FF0000"));
}

void tst_smalldialogs::colourDroppedOnTheLineColour() {
    auto* lin = static_cast<frmInLin*>(open(QStringLiteral("mnuInLin")));
    QCOMPARE(lin->cmbColor->count(), 16);
    QMimeData mime;
    mime.setData(QStringLiteral("application/x-vessilora-colour"), QByteArray("#336699"));
    QVERIFY(dropOn(lin->cmbColor->lineEdit(), &mime));
    QCOMPARE(lin->cmbColor->currentText(), QStringLiteral("#336699"));
}

void tst_smalldialogs::soundPathSelectsTheFileName() {
    auto* sound = static_cast<frmInBGSound*>(open(QStringLiteral("mnuInBacksound")));
    sound->txtSrc->setText(QStringLiteral("ljud/regn.wav"));
    sound->cmbAntal->setFocus(Qt::OtherFocusReason);
    sound->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(sound));
    QTest::keyClick(sound->cmbAntal, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(sound->txtSrc->hasFocus());
    QCOMPARE(sound->txtSrc->selectedText(), QStringLiteral("regn"));
}

QTEST_MAIN(tst_smalldialogs)
#include "tst_smalldialogs.moc"
