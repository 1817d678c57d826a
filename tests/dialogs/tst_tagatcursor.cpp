// Editing the tag at the caret through the real dialogs: which dialog opens with which
// values, or which one message; and the tag OK writes back, which differs from the old one
// only where the user changed a field.

#include "dialogfixture.h"
#include "dialogs/tagdialog.h"
#include "dialogs/tagdialogs.h"
#include "editor/frmeditor.h"
#include "markup/globals.h"
#include "widgets/dialogregistry.h"
#include "widgets/textarea.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_tagatcursor : public QObject {
    Q_OBJECT
private slots:
    void init() { fixture = std::make_unique<DialogFixture>(&RegisterTagDialogs); }
    void cleanup() { fixture.reset(); }
    void opens_data();
    void opens();
    void writesBack_data();
    void writesBack();
    void textHasTheFocusAfterARealDialog();

private:
    // The visible dialog, or nullptr.
    static TagDialog* shownDialog();
    // What a field, list or check box holds ("1" or "0" for a check box).
    static QString valueOf(const QObject* control);
    std::unique_ptr<DialogFixture> fixture;
};

TagDialog* tst_tagatcursor::shownDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<TagDialog*>(w); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

QString tst_tagatcursor::valueOf(const QObject* control) {
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->isChecked() ? u"1"_s : u"0"_s;
    return u"?"_s;
}

// The editor's text with the caret or selection in brackets; what opens: the dialog and the
// values of the named fields, or the message and its title.
void tst_tagatcursor::opens_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("opened");
    const auto row = [](const char* name, const char* text, const char* opened) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(opened);
    };
    row("image", "x<I[]MG SRC=\"a.gif\" ISMAP>", "frmInImg: txtBild=a.gif;chkIsmap=1;txtBredd=");
    row("selection from the <", "[<img src=a.gif wid]th=50%>",
        "frmInImg: txtBild=a.gif;txtBredd=50%");
    row("link shown directly", "<a href=\"page.htm#top\" target=_blank[]>",
        "frmInLnk: txtLink=page.htm;txtBookmark=top;cmbJustering=_blank;txtBeskrivning=;"
        "chkAddExit=0");
    row("paragraph keeps Ta med </P> cleared", "<p[] align=left>x",
        "frmInP: cmbJustering=left;chkAddExit=0");
    row("radio, checked by its own name", "<INPUT type=radio name=r []checked=Checked>",
        "formRadio: txtName=r;chkChecked=1");
    row("form method in capitals", "<form []METHOD=GET action=a.asp>",
        "frmInForm: txtAction=a.asp;optGet=1;optPost=0");
    row("after the >", "<b>[]x", "Vessilora: Placera markören i en tagg och försök igen.");
    row("description", "<[]b>x", "Taggen kan inte editeras: Taggen B gör texten fet.");
    row("unknown meta: one message", "<meta name=\"Description\"[] content=x>",
        "Vessilora: Okänd metatagg.");
    row("no dialog", "<x[]yz>", "Vessilora: Denna tagg kan inte editeras.");
}

void tst_tagatcursor::opens() {
    QFETCH(QString, text);
    QFETCH(QString, opened);
    fixture->set(text);
    QVERIFY(OpenTagDialog(u"mnuEditFixTag"_s));
    const QString shown = opened.section(u": "_s, 0, 0);
    const QString expected = opened.section(u": "_s, 1);
    TagDialog* dialog = shownDialog();
    if (shown.startsWith("frm"_L1) || shown.startsWith("form"_L1)) {
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), shown);
        QVERIFY(!fixture->window->isEnabled());
        for (const QString& pair : expected.split(u';')) {
            const QString name = pair.section(u'=', 0, 0);
            QCOMPARE(name + u'=' + valueOf(dialog->findChild<QObject*>(name)), pair);
        }
        QCOMPARE(ParagraphEditMode, shown == "frmInP"_L1);
        dialog->cmdCancel->click();
        QVERIFY(!ParagraphEditMode);
    } else {
        QVERIFY(!dialog);
        const QList<PlatformCall> messages = fixture->fake().messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title.isEmpty() ? u"Vessilora"_s : messages[0].title, shown);
        QCOMPARE(messages[0].text, expected);
        QCOMPARE(messages[0].icon, MsgIcon::Information);
    }
}

// The tag in (caret in brackets), the fields changed, OK; the text out. What the dialog does
// not show is written back as it stood.
void tst_tagatcursor::writesBack_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("after");
    const auto row = [](const char* name, const char* text, const char* fields, const char* after) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(fields)
                            << QString::fromUtf8(after);
    };
    row("image keeps class, script and title",
        "a<img[] src=a.gif class=logo onclick=\"go()\" title=x>b", "txtBredd=10",
        "a<IMG SRC=\"a.gif\" WIDTH=\"10\" class=logo onclick=\"go()\" title=x>b");
    row("link keeps its bookmark name", "<a href=x[] name=top>t</a>", "",
        "<A HREF=\"x\" name=top>t</a>");
    row("bare border stays bare", "<table[] border>", "", "<TABLE border>");
    row("bare border given a value", "<table[] border>", "txtRam=2", "<TABLE BORDER=\"2\">");
    row("XHTML close stays", "<br[] clear=all />", "", "<BR CLEAR=\"all\" />");
    row("meta replaced where it stands",
        "<HEAD><TITLE>t</TITLE><meta name=keywords[] content=a>\r\n</HEAD>", "txtKey=b",
        "<HEAD><TITLE>t</TITLE><META HTTP-EQUIV=\"keywords\" CONTENT=\"b\">\r\n</HEAD>");
    row("body keeps what the dialog does not show", "<body[] bgcolor=red onload=\"x()\">",
        "cmbText=blue", "<BODY BGCOLOR=\"red\" TEXT=\"blue\" onload=\"x()\">");
    row("paragraph start tag only", "<p[] align=left id=p1>x", "", "<P ALIGN=\"left\" id=p1>x");
}

void tst_tagatcursor::writesBack() {
    QFETCH(QString, text);
    QFETCH(QString, fields);
    QFETCH(QString, after);
    fixture->set(text);
    TagDialog* dialog = fixture->open(u"mnuEditFixTag"_s);
    DialogFixture::setFields(dialog, fields);
    dialog->cmdOK->click();
    QCOMPARE(fixture->area->text(), after);
}

// Over the real editor: after a dialog closes, the typing goes on in the text, not in a pane.
void tst_tagatcursor::textHasTheFocusAfterARealDialog() {
    frmEditor editor;
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    editor.menuItem(u"mnuInBr"_s)->trigger();
    TagDialog* dialog = shownDialog();
    QVERIFY(dialog && !editor.isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(editor.isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QCOMPARE(QApplication::focusWidget(), editor.txtText);
}

QTEST_MAIN(tst_tagatcursor)
#include "tst_tagatcursor.moc"
