// The seven small tag dialogs as the editor's menu items open them: the markup each writes in
// every letter case and quoting style, the paragraph dialog editing an old tag, the
// background sound going into the head, their enabling rules and the path field.

#include "dialogfixture.h"
#include "dialogs/smalldialogs.h"
#include "testsupport.h"
#include "widgets/dialogregistry.h"
#include "widgets/textarea.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_smalldialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { fixture = std::make_unique<DialogFixture>(&RegisterSmallDialogs); }
    void cleanup() { fixture.reset(); }
    void markup_data();
    void markup() { fixture->runMarkupRow(); }
    void enabling_data();
    void enabling() { fixture->runEnablingRow(); }
    void paragraphEditsTheOldTag_data();
    void paragraphEditsTheOldTag();
    void soundPathSelectsTheFileName();
    void longSelectionComesBackWhole();

private:
    std::unique_ptr<DialogFixture> fixture;
};

void tst_smalldialogs::markup_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;

    row("br, empty clear", "mnuInBr", "", 0, 0, "a[old]b", "a<BR>b");
    row("br, first capital", "mnuInBr", "cmbClear=ALL", 2, 1, "[]", "<Br Clear=\"ALL\">");
    // Wrapping recases the whole open text, values included.
    row("p wraps, small", "mnuFormStycke", "cmbJustering=CENTER", 1, 0, "[text]",
        "<p align=\"center\">text</p>");
    row("bookmark", "mnuInBok", "txtName=top", 0, 0, "[Hem\r\nsida]",
        "<A NAME=\"top\">Hem\r\nsida</A>");
    row("script", "mnuInScript", "txtSrc=a.js;cmbLang=JavaScript;chkAddExit=1", 0, 0, "[]",
        "<SCRIPT SRC=\"a.js\" LANGUAGE=\"JavaScript\"> </SCRIPT>");
    row("script, small", "mnuInScript", "cmbLang=VBScript", 1, 1, "[]",
        "<script language=\"VBScript\">");
    const char* all = "txtBredd=50;chkProcent=1;txtTjock=3;cmbJustering=CENTER;chkNoShade=1;"
                      "cmbColor=RED";
    row("line", "mnuInLin", all, 0, 0, "[]",
        "<HR WIDTH=\"50%\" SIZE=\"3\" ALIGN=\"CENTER\" NOSHADE COLOR=\"RED\">");
    row("line, small", "mnuInLin", all, 1, 1, "[]",
        "<hr width=50% size=3 align=\"CENTER\" noshade color=\"RED\">");
    row("line, zeros", "mnuInLin", "txtBredd=0;chkProcent=1;txtTjock=0", 0, 0, "[]", "<HR>");
    row("multicol", "mnuFormMulticol", "txtAntal=3;txtBredd=200;txtHeight=10", 0, 1, "[]",
        "<MULTICOL COLS=3 WIDTH=200 GUTTER=10>");
    row("multicol wraps, small", "mnuFormMulticol", "txtAntal=2;txtBredd=0;chkAddExit=1", 1, 0,
        "[text]", "<multicol cols=\"2\">text</multicol>");
    row("sound into the head", "mnuInBacksound", "txtSrc=ljud.mid;cmbAntal=INFINITE", 0, 0,
        "<HEAD><TITLE>t</TITLE>\r\n</HEAD><BODY>x[]y",
        "<HEAD><TITLE>t</TITLE>\r\n<BGSOUND SRC=\"ljud.mid\" LOOP=\"INFINITE\"></HEAD><BODY>xy");
}

// Each control is disabled at the first opening (its fields are empty) and follows a change
// the program makes, as tag-at-cursor editing and the menu's prefill do.
void tst_smalldialogs::enabling_data() {
    DialogFixture::enablingColumns();
    const auto add = &DialogFixture::enablingRow;
    add("bookmark at first", "mnuInBok", "", "cmdOK=0;txtBeskrivning=0");
    add("bookmark, blanks", "mnuInBok", "txtName=   ", "cmdOK=0");
    add("bookmark, name", "mnuInBok", "txtName=top", "cmdOK=1");
    add("bookmark, description", "mnuInBok", "chkAddExit=1", "txtBeskrivning=1");
    add("columns, text", "mnuFormMulticol", "txtAntal=abc", "cmdOK=0");
    add("columns, 0.5", "mnuFormMulticol", "txtAntal=0.5", "cmdOK=1");
    add("sound at first", "mnuInBacksound", "", "cmdOK=0");
    add("sound, path", "mnuInBacksound", "txtSrc=a.wav", "cmdOK=1");
    add("line at first", "mnuInLin", "", "chkProcent=0");
    add("line, width 50", "mnuInLin", "txtBredd=50", "chkProcent=1");
}

void tst_smalldialogs::paragraphEditsTheOldTag_data() {
    QTest::addColumn<int>("end"); // 0 OK with the box checked, 1 box cleared, 2 Avbryt
    QTest::addColumn<QString>("after");
    QTest::newRow("box checked: an empty pair") << 0 << "a<P ALIGN=\"CENTER\"></P>b";
    QTest::newRow("box cleared: the start tag") << 1 << "a<P ALIGN=\"CENTER\">b";
    QTest::newRow("cancelled") << 2 << "a<p align=left>b";
}

void tst_smalldialogs::paragraphEditsTheOldTag() {
    QFETCH(int, end);
    QFETCH(QString, after);
    fixture->set(u"a[<p align=left>]b"_s);
    // What tag-at-cursor editing does: fill the dialog, set the mode, open it by its menu item.
    frmInP& p = TagDialogInstance<frmInP>();
    p.cmbJustering->setEditText(u"CENTER"_s);
    p.chkAddExit->setChecked(false);
    ParagraphEditMode = true;
    QVERIFY(OpenTagDialog(u"mnuFormStycke"_s));
    QVERIFY(p.chkAddExit->isChecked()); // the selection (the old tag) checks it
    p.chkAddExit->setChecked(end == 0);
    (end == 2 ? p.cmdCancel : p.cmdOK)->click();
    QCOMPARE(fixture->area->text(), after);
    QVERIFY(!ParagraphEditMode);
}

void tst_smalldialogs::soundPathSelectsTheFileName() {
    auto* sound = static_cast<frmInBGSound*>(fixture->open(u"mnuInBacksound"_s));
    sound->txtSrc->setText(u"ljud/regn.wav"_s);
    sound->cmbAntal->setFocus(Qt::OtherFocusReason);
    QVERIFY(QTest::qWaitForWindowActive(sound));
    QTest::keyClick(sound->cmbAntal, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(sound->txtSrc->hasFocus());
    QCOMPARE(sound->txtSrc->selectedText(), u"regn"_s);
}

// A selection longer than a line edit's usual limit is prefilled and written back whole.
void tst_smalldialogs::longSelectionComesBackWhole() {
    const QString description(40000, u'x');
    fixture->set(u'[' + description + u']');
    auto* dialog = qobject_cast<frmInBok*>(fixture->open(u"mnuInBok"_s));
    QCOMPARE(dialog->txtBeskrivning->text().size(), description.size());
    dialog->txtName->setText(u"n"_s);
    dialog->cmdOK->click();
    QCOMPARE(fixture->area->text(), u"<A NAME=\"n\">"_s + description + u"</A>"_s);
}

QTEST_MAIN(tst_smalldialogs)
#include "tst_smalldialogs.moc"
