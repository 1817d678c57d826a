// The head and page dialogs (meta tags, the BODY tag), the frame and embedded-object dialogs,
// the marquee and the date and time, as the editor's menu items open them: the markup each
// writes, their enabling rules, the body dialog's preview and the time list.

#include "dialogfixture.h"
#include "dialogs/bodydialog.h"
#include "dialogs/pagedialogs.h"
#include "dialogs/timedialog.h"
#include "testsupport.h"
#include "widgets/textarea.h"

#include <QComboBox>
#include <QDateTime>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_pagedialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { fixture = std::make_unique<DialogFixture>(&RegisterPageDialogs); }
    void cleanup() { fixture.reset(); }
    void headAndBody_data();
    void headAndBody() { fixture->runMarkupRow(); }
    void framesAndObjects_data();
    void framesAndObjects() { fixture->runMarkupRow(); }
    void marquee_data();
    void marquee() { fixture->runMarkupRow(); }
    void enabling_data();
    void enabling() { fixture->runEnablingRow(); }
    void bodyPreview_data();
    void bodyPreview();
    void colourDroppedOnThePreview();
    void timeEntries();
    void timeDialogEndings_data();
    void timeDialogEndings();

private:
    frmInBody& openBody() { return *static_cast<frmInBody*>(fixture->open(u"mnuInBack"_s)); }
    std::unique_ptr<DialogFixture> fixture;
};

void tst_pagedialogs::headAndBody_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;
    row("description goes into the head", "mnuMetaDesc", "txtDesc=Min sida", 0, 0,
        "<HEAD><TITLE>t</TITLE>\r\n</HEAD><BODY>x[]y",
        "<HEAD><TITLE>t</TITLE>\r\n<META HTTP-EQUIV=\"description\" CONTENT=\"Min "
        "sida\"></HEAD><BODY>xy");
    // The old tag stands in the head after the title: it stays selected and is replaced.
    row("author in the head replaced, small", "mnuMetaArt", "txtAuth=Kalle", 1, 1,
        "<head><title>t</title>\r\n[<meta http-equiv=\"author\" content=\"A\">]</head>",
        "<head><title>t</title>\r\n<meta http-equiv=\"author\" content=\"Kalle\"></head>");
    row("keywords elsewhere: the old tag stays", "mnuMetaKey", "txtKey=a, b", 0, 0,
        "<HEAD><TITLE>t</TITLE></HEAD>[<META NAME=\"keywords\">]",
        "<HEAD><TITLE>t</TITLE><META HTTP-EQUIV=\"keywords\" CONTENT=\"a, b\"></HEAD><META "
        "NAME=\"keywords\">");
    row("refresh with address and frame", "mnuMetaRefresh",
        "txtUpdate= 5 ;txtNewUrl=next.htm;cmbTarget=_top", 0, 0, "a[]b",
        "a<META HTTP-EQUIV=\"refresh\" CONTENT=\"5; URL=next.htm\" TARGET=\"_top\">b");
    row("refresh at once, no address", "mnuMetaRefresh", "txtUpdate=0", 0, 0, "[]",
        "<META HTTP-EQUIV=\"refresh\" CONTENT=\"0; URL=\">");

    // The body dialog reads the page's BODY tag (bgcolor=white fills cmbBackColor) and puts
    // the new tag in its place.
    row("body tag replaced", "mnuInBack", "cmbText=navy", 0, 0,
        "<html>\r\n<body bgcolor=white>\r\nx[]y",
        "<html>\r\n<BODY BGCOLOR=\"white\" TEXT=\"navy\">\r\nxy");
    row("body keeps what it does not show", "mnuInBack", "cmbBackColor=BLACK", 2, 0,
        "<BODY onload=\"if (a>b) go()\" bgcolor='red' class=main\r\n  style=\"margin:0\" "
        "vlink=\"\" />[]x",
        "<Body Bgcolor=\"BLACK\" onload=\"if (a>b) go()\" class=main style=\"margin:0\" "
        "vlink=\"\" />x");
    row("no body tag: at the caret", "mnuInBack", "txtBackground=bg.gif;cmbLink=BLUE", 0, 0,
        "<bodyguard>[]x", "<bodyguard><BODY BACKGROUND=\"bg.gif\" LINK=\"BLUE\">x");
}

void tst_pagedialogs::framesAndObjects_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;
    row("frameset", "mnuInsFrameset", "txtRows=50%,*;cmbBorder=0", 0, 0, "[]",
        "<FRAMESET ROWS=\"50%,*\" FRAMEBORDER=\"0\"> </FRAMESET>");
    row("frameset without end tag", "mnuInsFrameset", "txtCols=*,*;chkAddExit=0", 2, 1, "[]",
        "<Frameset Cols=\"*,*\">");
    row("frame with a source", "mnuInsFrame", "txtSrc=a.htm;chkNoresize=0", 0, 0, "a[x]b",
        "a<FRAME SRC=\"a.htm\">b");
    row("frame, every field", "mnuInsFrame",
        "txtName=main;txtSrc=a.htm;cmbScrolling=no;txtMarginwidth=10px;txtMarginheight=abc;"
        "cmbBorder=1",
        0, 1, "[]",
        "<FRAME NAME=\"main\" SRC=\"a.htm\" SCROLLING=\"no\" MARGINWIDTH=10 MARGINHEIGHT=0 "
        "NORESIZE FRAMEBORDER=1 BORDER=1>");
    row("embedded object", "mnuInInb", "txtTitel=film.avi", 0, 0, "[]",
        "<EMBED SRC=\"film.avi\"> </EMBED>");
    row("embedded object, every field", "mnuInInb",
        "txtTitel=a.mid;txtBredd=50;chkBProc=1;txtHeight=0;txtName=x;cmbLoop=#1;cmbAuto=#2;"
        "chkAddEnd=0",
        0, 0, "[]",
        "<EMBED SRC=\"a.mid\" WIDTH=\"50%\" HEIGHT=\"0\" NAME=\"x\" LOOP=\"TRUE\" "
        "AUTOSTART=\"FALSE\">");
}

void tst_pagedialogs::marquee_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;
    row("marquee", "mnuMarquee", "txtText=Välkommen!;cmbBehav=ALTERNATE;cmbAntal=INFINITE", 0, 0,
        "[]", "<MARQUEE BEHAVIOR=\"ALTERNATE\" LOOP=\"INFINITE\">Välkommen!</MARQUEE>");
    row("marquee, box clear", "mnuMarquee", "chkAddExit=0", 0, 0, "a[]b", "a<MARQUEE>b");
    // The selection becomes the text whole: line breaks and tabs stay.
    row("marquee around the selection", "mnuMarquee", "", 1, 0, "a[ Hej\r\n\tdu ]b",
        "a<marquee>Hej\r\n\tdu</marquee>b");
    row("marquee, every attribute", "mnuMarquee",
        "chkAddExit=0;cmbJustering=TOP;cmbBackcolor=RED;cmbDirection=LEFT;txtBredd=80;"
        "chkBProc=1;txtHeight= 20% ;txtHspace=0;txtVSpace=3;txtScrollA=5;txtScrollDelay=abc",
        0, 1, "[]",
        "<MARQUEE ALIGN=\"TOP\" BGCOLOR=\"RED\" DIRECTION=\"LEFT\" WIDTH=80% HEIGHT=20% VSPACE=3 "
        "SCROLLAMOUNT=5>");
}

void tst_pagedialogs::enabling_data() {
    DialogFixture::enablingColumns();
    const auto add = &DialogFixture::enablingRow;
    add("description, blanks", "mnuMetaDesc", "txtDesc=   ", "cmdOK=0");
    add("refresh, abc", "mnuMetaRefresh", "txtUpdate=abc", "cmdOK=0");
    add("refresh, 0", "mnuMetaRefresh", "txtUpdate= 0 ", "cmdOK=1");
    add("refresh, address: frame", "mnuMetaRefresh", "txtNewUrl=a.htm", "cmbTarget=1");
    add("frame at first", "mnuInsFrame", "", "cmdOK=0");
    add("frame, source", "mnuInsFrame", "txtName= ;txtSrc=a.htm", "cmdOK=1");
    add("marquee, blank text", "mnuMarquee", "txtText=  ", "cmdOK=0");
    add("marquee, box clear", "mnuMarquee", "txtText=  ;chkAddExit=0", "cmdOK=1");
    add("marquee, box clear: no text", "mnuMarquee", "chkAddExit=0", "lblText=0");
}

// The preview: a colour is "#" and six hex digits or an HTML colour name; anything else
// keeps what was shown, and an empty field gives the default colour.
void tst_pagedialogs::bodyPreview_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("shownBy");
    QTest::addColumn<QColor>("colour");
    const auto add = [](const char* name, const char* field, const char* first, const char* then,
                        const char* shownBy, QColor colour) {
        QTest::newRow(name) << QString::fromUtf8(field) << QString::fromUtf8(first)
                            << QString::fromUtf8(then) << QString::fromUtf8(shownBy) << colour;
    };
    add("hex text colour", "cmbText", "", "#FF0000", "lblTesttext", QColor(255, 0, 0));
    add("name in any case", "cmbBackColor", "", " Navy ", "imgBackColor", QColor(0, 0, 128));
    add("short hex keeps", "cmbLink", "lime", "#F0", "lblTestlink", QColor(0, 255, 0));
    add("bad hex keeps", "cmbVlink", "#102030", "#GGHHII", "lblTestVlink", QColor(16, 32, 48));
    add("unknown name keeps", "cmbVlink", "silver", "orange", "lblTestVlink",
        QColor(192, 192, 192));
    add("empty: red active link", "cmbAlink", "blue", "", "lblTestAlink", QColor(Qt::red));
}

void tst_pagedialogs::bodyPreview() {
    QFETCH(QString, field);
    QFETCH(QString, first);
    QFETCH(QString, then);
    QFETCH(QString, shownBy);
    QFETCH(QColor, colour);
    frmInBody& body = openBody();
    auto* combo = body.findChild<QComboBox*>(field);
    combo->setEditText(first);
    combo->setEditText(then);
    auto* shown = body.findChild<QWidget*>(shownBy);
    const auto role = shown == body.imgBackColor ? QPalette::Window : QPalette::WindowText;
    QCOMPARE(shown->palette().color(role), colour);
}

// A colour dropped on the picture, on a preview text or on a colour field becomes the text of
// that colour field.
void tst_pagedialogs::colourDroppedOnThePreview() {
    frmInBody& body = openBody();
    const QList<QPair<QWidget*, QComboBox*>> targets = {{body.imgBackColor, body.cmbBackColor},
                                                        {body.lblTestVlink, body.cmbVlink},
                                                        {body.cmbText->lineEdit(), body.cmbText}};
    QMimeData mime;
    mime.setData(u"application/x-vessilora-colour"_s, QByteArray("#336699"));
    for (const auto& [target, field] : targets) {
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &drop);
        QCOMPARE(field->currentText(), u"#336699"_s);
    }
}

// Swedish dates and month names; the forms with a one-digit hour only before ten o'clock.
void tst_pagedialogs::timeEntries() {
    const QStringList morning = {
        "2001-03-03",      "09:05:07",        "3-3-01",         "3-mars-01",
        "3-mars",          "mars-01",         "3-mars-01",      "3-mars",
        "mars-01",         "09:05 3-mars-01", "09:05 3-mars",   "09:05 mars-01",
        "09:05 3-mars-01", "09:05 3-mars",    "09:05 mars-01",  "9:05 3-mars-01",
        "9:05 3-mars",     "9:05 mars-01",    "9:05 3-mars-01", "9:05 3-mars",
        "9:05 mars-01",    "09:05",           "9:05",           "3-3-01 9:05"};
    QCOMPARE(TimeEntries(QDateTime(QDate(2001, 3, 3), QTime(9, 5, 7))), morning);
    const QStringList afternoon = TimeEntries(QDateTime(QDate(2001, 12, 24), QTime(14, 5)));
    QCOMPARE(afternoon.size(), 17);
    QCOMPARE(afternoon[6], u"24-dec.-01"_s);
    QCOMPARE(afternoon.mid(14), QStringList({"14:05 dec.-01", "14:05", "12-24-01 14:05"}));
}

// OK or a double click writes the chosen line in place of the selection; OK without a chosen
// line writes nothing. Every ending gives the editor back and destroys the dialog.
void tst_pagedialogs::timeDialogEndings_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("written");
    QTest::newRow("OK with a line") << "ok" << true;
    QTest::newRow("double click") << "double click" << true;
    QTest::newRow("OK without a line") << "ok, none" << false;
    QTest::newRow("Avbryt") << "cancel" << false;
}

void tst_pagedialogs::timeDialogEndings() {
    QFETCH(QString, way);
    QFETCH(bool, written);
    fixture->set(u"a[old]b"_s);
    QPointer<frmInTid> dialog = static_cast<frmInTid*>(fixture->open(u"mnuInTid"_s));
    QVERIFY(dialog->lstTid->selectedItems().isEmpty());
    QVERIFY(dialog->lstTid->count() >= 17);
    QListWidgetItem* item = dialog->lstTid->item(1);
    const QString line = item->text();
    if (way != "ok, none"_L1)
        item->setSelected(true);
    if (way == "double click"_L1) {
        emit dialog->lstTid->itemDoubleClicked(item);
    } else {
        (way == "cancel"_L1 ? dialog->cmdCancel : dialog->cmdOK)->click();
    }
    QCOMPARE(fixture->area->text(), written ? u"a%1b"_s.arg(line) : u"aoldb"_s);
    QVERIFY(fixture->window->isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());
}

QTEST_MAIN(tst_pagedialogs)
#include "tst_pagedialogs.moc"
