// The page guide and the frameset guide, opened by the editor's menu items against an editor
// stand-in: the pages they write (text and selection), going back and forth, a second run,
// the question before ending, colour drops and the drawn layout.

#include "editorstandin.h"
#include "guides/frameguide.h"
#include "guides/framepreview.h"
#include "guides/frmguide.h"
#include "guides/guidepages.h"
#include "guides/guides.h"
#include "markup/globals.h"
#include "markup/tagwriter.h"
#include "widgets/dialogregistry.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"
#include "widgets/textfield.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Untouched = u"<P>Min gamla sida</P>"_s;

} // namespace

class tst_guides : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pageGuide_data();
    void pageGuide();
    void pageGuideBackForthAndSecondRun();
    void pageGuideColourDrops_data();
    void pageGuideColourDrops();
    void ending_data();
    void ending();
    void frameset_data();
    void frameset();
    void frameLayoutOfTenRows();
    void framesetBackAndForth();
    void framesetSecondRun();
    void previewDrawing();

private:
    frmGuide* openPageGuide();
    Frame1* openFrameGuide(bool byRows, const QList<int>& parts);

    std::unique_ptr<EditorStandIn> standIn;
    QWidget* editor = nullptr;
    TextArea* area = nullptr;
    int handedOver = 0; // pages handed to the editor
    int handedStart = -1;
    int handedLength = -1;
};

void tst_guides::init() {
    standIn = std::make_unique<EditorStandIn>();
    editor = standIn->window;
    area = standIn->area;
    // What the editor does with a page a guide wrote.
    SetNewDocumentHandler([this](const QString& text, int start, int length) {
        ++handedOver;
        handedStart = start;
        handedLength = length;
        area->setWholeText(text);
        area->setSel(start, length);
        DocumentChanged = true;
        editor->setEnabled(true);
    });
    area->setWholeText(Untouched);
    handedOver = 0;
    DocumentChanged = false;
    RegisterGuides();
    GuideValues = {};
}

void tst_guides::cleanup() {
    if (frmGuide* guide = PageGuideWindow())
        delete guide;
    EndFrameGuide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ClearTagDialogs();
    SetNewDocumentHandler({});
    standIn.reset();
}

frmGuide* tst_guides::openPageGuide() {
    if (!OpenTagDialog(u"mnuArkivGuide"_s))
        return nullptr;
    return PageGuideWindow();
}

Frame1* tst_guides::openFrameGuide(bool byRows, const QList<int>& parts) {
    if (!OpenTagDialog(u"mnuArkivFrames"_s))
        return nullptr;
    Frame1* first = FrameGuideFirst();
    (byRows ? first->optRows : first->optKol)->setChecked(true);
    first->HScroll1->setValue(static_cast<int>(parts.size()));
    for (qsizetype i = 0; i < parts.size(); ++i)
        first->Xant[i]->setValue(parts[i]);
    return first;
}

// ---- The page guide ----

void tst_guides::pageGuide_data() {
    QTest::addColumn<QStringList>("values"); // pages 1..10
    QTest::addColumn<int>("tagCase");
    QTest::addColumn<bool>("forceLower");
    QTest::addColumn<QString>("page");
    const QString empty10[10];
    QTest::newRow("every value empty")
        << QStringList(std::begin(empty10), std::end(empty10)) << 0 << false
        << "<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n\r\n<BODY>\r\n\r\n\r\n</BODY>\r\n"
           "</HTML>";
    QTest::newRow("every value, the title trimmed")
        << QStringList{"  Min sida ", "bg.gif", "#FFFFFF",  "BLACK",  "BLUE",
                       "RED",         "PURPLE", "hus, båt", "Om mig", "Kalle"}
        << 0 << false
        << "<HTML>\r\n<HEAD>\r\n<TITLE>Min sida</TITLE>\r\n"
           " <META HTTP-EQUIV=\"author\" CONTENT=\"Kalle\">\r\n"
           " <META HTTP-EQUIV=\"keywords\" CONTENT=\"hus, båt\">\r\n"
           " <META HTTP-EQUIV=\"description\" CONTENT=\"Om mig\">\r\n</HEAD>\r\n\r\n"
           "<BODY BACKGROUND=\"bg.gif\" BGCOLOR=\"#FFFFFF\" TEXT=\"BLACK\" LINK=\"BLUE\" "
           "ALINK=\"RED\" VLINK=\"PURPLE\">\r\n\r\n\r\n</BODY>\r\n</HTML>";
    QTest::newRow("small letters, capital values lowered")
        << QStringList{"HEJ", "", "WHITE", "", "", "", "", "HUS", "", ""} << 1 << true
        << "<html>\r\n<head>\r\n<title>HEJ</title>\r\n"
           " <meta http-equiv=\"keywords\" content=\"hus\">\r\n</head>\r\n\r\n"
           "<body bgcolor=\"white\">\r\n\r\n\r\n</body>\r\n</html>";
}

void tst_guides::pageGuide() {
    QFETCH(QStringList, values);
    QFETCH(int, tagCase);
    QFETCH(bool, forceLower);
    QFETCH(QString, page);
    TagCase = tagCase;
    ForceLowerCase = forceLower;
    frmGuide* guide = openPageGuide();
    QVERIFY(guide && guide->isVisible());
    QVERIFY(!editor->isEnabled());
    guide->cmdNext->click();
    for (const QString& value : values) {
        guide->txtValue->setText(value);
        guide->cmdNext->click();
    }
    QCOMPARE(area->text(), page);
    QCOMPARE(handedOver, 1);
    // The caret on the first empty line inside the body.
    QCOMPARE(handedStart, page.indexOf(">\r\n\r\n\r\n<"_L1) + 3);
    QCOMPARE(handedLength, 0);
    QVERIFY(DocumentChanged);
    QVERIFY(editor->isEnabled());
    QVERIFY(!PageGuideWindow());
}

void tst_guides::pageGuideBackForthAndSecondRun() {
    frmGuide* guide = openPageGuide();
    // The welcome page asks for nothing.
    for (QWidget* w : std::initializer_list<QWidget*>{guide->txtValue, guide->lblValue,
                                                      guide->cmdBack, guide->cmdPaste})
        QVERIFY(!w->isEnabled());
    guide->cmdNext->click();
    QVERIFY(guide->txtValue->isEnabled() && guide->cmdBack->isEnabled());
    QGuiApplication::clipboard()->setText(u"Första"_s);
    guide->cmdPaste->click();
    guide->cmdNext->click();
    guide->cmdNext->click(); // page 3
    for (const char* colour : {"RED", "BLUE", " LIME "}) {
        guide->txtValue->setText(QLatin1String(colour));
        guide->cmdNext->click();
    }
    // On page 6: back to page 3 and forward again.
    for (const char* expected : {"LIME", "BLUE", "RED"}) {
        guide->cmdBack->click();
        QCOMPARE(guide->txtValue->text(), QLatin1String(expected));
    }
    guide->cmdNext->click();
    QCOMPARE(guide->txtValue->text(), u"BLUE"_s);
    QCOMPARE(guide->txtValue->selectedText(), u"BLUE"_s);
    while (GuideStep < 10)
        guide->cmdNext->click();
    QCOMPARE(guide->cmdNext->text(), u"Slutför"_s);
    guide->cmdNext->click();
    QVERIFY(area->text().contains("<BODY BGCOLOR=\"RED\" TEXT=\"BLUE\" LINK=\"LIME\">"_L1));

    // A second run starts at the welcome page and shows the previous answers.
    guide = openPageGuide();
    QCOMPARE(GuideStep, 0);
    guide->cmdNext->click();
    QCOMPARE(guide->txtValue->text(), u"Första"_s);
    QCOMPARE(guide->txtValue->selectedText(), u"Första"_s);
}

void tst_guides::pageGuideColourDrops_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("after");
    QTest::newRow("visited link colour") << 7 << "#FF0000";
    QTest::newRow("keywords: no drop") << 8 << "gammal";
}

void tst_guides::pageGuideColourDrops() {
    QFETCH(int, page);
    QFETCH(QString, after);
    frmGuide* guide = openPageGuide();
    for (int i = 0; i < page; ++i)
        guide->cmdNext->click();
    guide->txtValue->setText(u"gammal"_s);
    QMimeData mime;
    mime.setText(u"#FF0000"_s);
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(guide->txtValue, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(guide->txtValue, &drop);
    QCOMPARE(guide->txtValue->text(), after);
}

// ---- Ending a guide ----

void tst_guides::ending_data() {
    QTest::addColumn<QString>("window"); // frmGuide, Frame1 or Frame2
    QTest::addColumn<QString>("how");    // button, closebox or escape
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("ends");
    const auto row = [](const char* name, const char* window, const char* how, MsgAnswer answer,
                        bool ends) {
        QTest::newRow(name) << QString::fromUtf8(window) << QString::fromUtf8(how) << answer
                            << ends;
    };
    row("page guide, Avbryt, yes", "frmGuide", "button", MsgAnswer::Yes, true);
    row("page guide, close box, cancel", "frmGuide", "closebox", MsgAnswer::Cancel, false);
    row("layout, close box, yes", "Frame1", "closebox", MsgAnswer::Yes, true);
    row("frames, Avbryt, no", "Frame2", "button", MsgAnswer::No, false);
    row("frames, Escape, yes", "Frame2", "escape", MsgAnswer::Yes, true);
}

void tst_guides::ending() {
    QFETCH(QString, window);
    QFETCH(QString, how);
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, ends);
    GuideWindow* guide = nullptr;
    if (window == "frmGuide"_L1) {
        guide = openPageGuide();
        PageGuideWindow()->cmdNext->click();
        PageGuideWindow()->cmdNext->click();
    } else {
        guide = openFrameGuide(false, {1, 2});
        if (window == "Frame2"_L1) {
            FrameGuideFirst()->cmdNext->click();
            guide = FrameGuideSecond();
        }
    }
    QVERIFY(guide && guide->isVisible());
    standIn->fake().messageAnswers = {answer};
    if (how == "button"_L1)
        guide->findChild<QPushButton*>(u"cmdCancel"_s)->click();
    else if (how == "closebox"_L1)
        guide->close();
    else
        QTest::keyClick(guide, Qt::Key_Escape);

    const QList<PlatformCall> messages = standIn->fake().messages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, u"Är du säker på att du vill avsluta guiden?"_s);
    QCOMPARE(messages[0].icon, MsgIcon::Information);
    QCOMPARE(messages[0].buttons, MsgButtons::YesNoCancel);
    QCOMPARE(area->text(), Untouched);
    QCOMPARE(handedOver, 0);
    QCOMPARE(editor->isEnabled(), ends);
    if (ends) {
        QVERIFY(!PageGuideWindow() && !FrameGuideFirst() && !FrameGuideSecond());
    } else {
        QVERIFY(guide->isVisible());
        if (window == "frmGuide"_L1)
            QCOMPARE(GuideStep, 2);
    }
}

// ---- The frameset guide ----

void tst_guides::frameset_data() {
    QTest::addColumn<bool>("byRows"); // "&Kolumner": the main divisions are rows
    QTest::addColumn<QList<int>>("parts");
    QTest::addColumn<QStringList>("frames"); // "n:fields" for each frame shown, in order
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("tagCase");
    QTest::addColumn<int>("quoteStyle");
    QTest::addColumn<QString>("frameset"); // the page between the head and the alternative
    QTest::addColumn<QString>("bodyTag");
    // Frame 1 is shown first, so its margins are written as 0; a frame never shown has none.
    QTest::newRow("rows, the second split in two")
        << true << QList<int>{1, 2} << QStringList() << "" << 0 << 0
        << "<FRAMESET COLS=\"100%\" ROWS=\"50%,*\">\r\n"
           "  <FRAME NAME=\"frame1_1\" SRC=\"frame1_1.html\" SCROLLING=\"AUTO\" "
           "MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\" FRAMEBORDER=\"0\" BORDER=\"0\">\r\n"
           " <FRAMESET COLS=\"50%,*\">\r\n"
           "  <FRAME NAME=\"frame2_1\" SRC=\"frame2_1.html\" SCROLLING=\"AUTO\" "
           "FRAMEBORDER=\"0\" BORDER=\"0\">\r\n"
           "  <FRAME NAME=\"frame2_2\" SRC=\"frame2_2.html\" SCROLLING=\"AUTO\" "
           "FRAMEBORDER=\"0\" BORDER=\"0\">\r\n"
           " </FRAMESET>\r\n"
        << "<BODY>";
    // Numbers unquoted in this style, "100%" and the size lists are text and stay quoted.
    QTest::newRow("one frame, every property, small letters")
        << false << QList<int>{1}
        << QStringList{"1:txtNamn= top ;txtUrl=a.html;cmbScroll=NO;txtMW=5;txtHW=-3;"
                       "chkNoresize=1;txtBorder=2"}
        << "txtBackground=bg.gif;cmbBackColor=WHITE;cmbText=BLACK;cmbLink=BLUE;cmbVlink=PURPLE;"
           "cmbAlink=RED"
        << 1 << 1
        << "<frameset rows=\"100%\" cols=\"*\">\r\n"
           "  <frame name=\"top\" src=\"a.html\" scrolling=\"NO\" marginwidth=5 marginheight=0 "
           "noresize frameborder=2 border=2>\r\n"
        << "<body background=\"bg.gif\" bgcolor=\"WHITE\" text=\"BLACK\" link=\"BLUE\" "
           "vlink=\"PURPLE\" alink=\"RED\">";
    QTest::newRow("three columns, the third never shown")
        << false << QList<int>{1, 1, 1} << QStringList{"2:txtUrl=meny.html;cmbScroll="} << "" << 0
        << 0
        << "<FRAMESET ROWS=\"100%\" COLS=\"33%,33%,*\">\r\n"
           "  <FRAME NAME=\"frame1_1\" SRC=\"frame1_1.html\" SCROLLING=\"AUTO\" "
           "MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\" FRAMEBORDER=\"0\" BORDER=\"0\">\r\n"
           "  <FRAME NAME=\"frame2_1\" SRC=\"meny.html\" MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\" "
           "FRAMEBORDER=\"0\" BORDER=\"0\">\r\n"
           "  <FRAME NAME=\"frame3_1\" SRC=\"frame3_1.html\" SCROLLING=\"AUTO\" "
           "FRAMEBORDER=\"0\" BORDER=\"0\">\r\n"
        << "<BODY>";
}

void tst_guides::frameset() {
    QFETCH(bool, byRows);
    QFETCH(QList<int>, parts);
    QFETCH(QStringList, frames);
    QFETCH(QString, body);
    QFETCH(int, tagCase);
    QFETCH(int, quoteStyle);
    QFETCH(QString, frameset);
    QFETCH(QString, bodyTag);
    TagCase = tagCase;
    AttrQuoteStyle = quoteStyle;
    Frame1* first = openFrameGuide(byRows, parts);
    QVERIFY(first && first->isVisible());
    QVERIFY(!editor->isEnabled());
    first->cmdNext->click();
    Frame2* second = FrameGuideSecond();
    QVERIFY(second && second->isVisible() && !first->isVisible());
    for (const QString& frame : frames) {
        second->ScraktuellFrame->setValue(frame.section(u':', 0, 0).toInt());
        SetFields(second, frame.section(u':', 1));
    }
    SetFields(second, body);
    second->cmdNext->click();

    const auto recased = [](const char* name) { return RecaseName(QLatin1String(name)); };
    const QString page =
        recased("<HTML>") + "\r\n" + recased("<HEAD>") + "\r\n" + recased("<TITLE>") +
        "Skriv din titel här!" + recased("</TITLE>") + "\r\n" + recased("</HEAD>") + "\r\n" +
        frameset + "\r\n" + recased("<NOFRAMES>") + "\r\n" + bodyTag + "\r\n" +
        "Denna sida kräver en webläsare som kan visa frames.\r\n" + recased("</BODY>") + "\r\n" +
        recased("</NOFRAMES>") + "\r\n" + recased("</FRAMESET>") + "\r\n" + recased("</HTML>");
    QCOMPARE(area->text(), page);
    QCOMPARE(handedOver, 1);
    QCOMPARE(area->selText(), u"Skriv din titel här!"_s);
    QCOMPARE(handedStart, 23);
    QCOMPARE(handedLength, 20);
    QVERIFY(DocumentChanged);
    QVERIFY(editor->isEnabled());
    QVERIFY(!second->isVisible() && !first->isVisible());
}

// Ten rows, the last split in four: the captions count and carry their shortcut, every
// division's field is enabled, the drawing has thirteen frames.
void tst_guides::frameLayoutOfTenRows() {
    Frame1* first = openFrameGuide(true, {});
    first->HScroll1->setValue(10);
    first->Xant[9]->setValue(4);
    QCOMPARE(first->lblAntal->text(), u"&Antal rader: 10"_s);
    QCOMPARE(first->lblX[0]->text(), u"Kolumner i rad &1: 1"_s);
    QCOMPARE(first->lblX[9]->text(), u"Kolumner i rad 1&0: 4"_s);
    QVERIFY(first->preview->frameRect(13).isValid());
    QVERIFY(!first->preview->frameRect(14).isValid());
    // The arrow keys count as they point; a division beyond the count is disabled.
    QTest::keyClick(first->HScroll1, Qt::Key_Left);
    QCOMPARE(first->HScroll1->value(), 9);
    QVERIFY(first->Xant[8]->isEnabled() && first->lblX[8]->isEnabled());
    QVERIFY(!first->Xant[9]->isEnabled() && !first->lblX[9]->isEnabled());
    first->optKol->setChecked(true);
    QCOMPARE(first->lblAntal->text(), u"&Antal kolumner: 9"_s);
    QCOMPARE(first->lblX[0]->text(), u"Rader i kolumn &1: 1"_s);
}

void tst_guides::framesetBackAndForth() {
    Frame1* first = openFrameGuide(false, {2});
    first->cmdNext->click();
    Frame2* second = FrameGuideSecond();
    second->txtNamn->setText(u"vänster"_s);
    // Clicking a frame in the drawing makes it the current frame.
    QTest::mouseClick(second->preview, Qt::LeftButton, {}, second->preview->frameRect(2).center());
    QCOMPARE(second->ScraktuellFrame->value(), 2);
    QCOMPARE(second->lblAFrame->text(), u"&Aktuell frame: 2"_s);
    QCOMPARE(second->txtNamn->text(), u"frame1_2"_s);
    QCOMPARE(second->txtMW->text(), QString());
    second->txtNamn->setText(u"höger"_s);
    second->txtMW->setText(u"7"_s);
    second->cmbBackColor->setEditText(u"WHITE"_s);
    second->ScraktuellFrame->setValue(1);
    QCOMPARE(second->txtNamn->text(), u"vänster"_s);
    second->ScraktuellFrame->setValue(2);
    QCOMPARE(second->txtMW->text(), u"7"_s);

    // Back and forward again: the layout is kept and the frames start afresh, whether the
    // scroll bar stood on frame 2 or already on frame 1; nothing stale is stored into them.
    for (int standing : {2, 1}) {
        second->ScraktuellFrame->setValue(standing);
        second->txtNamn->setText(u"gammal"_s);
        second->cmdBack->click();
        QVERIFY(first->isVisible() && !second->isVisible());
        QCOMPARE(first->Xant[0]->value(), 2);
        first->cmdNext->click();
        QCOMPARE(second->ScraktuellFrame->value(), 1);
        QCOMPARE(second->txtNamn->text(), u"frame1_1"_s);
        QCOMPARE(FrameNames[1], u"frame1_1"_s);
        QCOMPARE(FrameNames[2], u"frame1_2"_s);
        QCOMPARE(second->cmbBackColor->currentText(), u"WHITE"_s);
    }
}

void tst_guides::framesetSecondRun() {
    Frame1* first = openFrameGuide(true, {1, 1, 3});
    first->cmdNext->click();
    FrameGuideSecond()->cmbText->setEditText(u"NAVY"_s);
    FrameGuideSecond()->cmdNext->click();
    QCOMPARE(handedOver, 1);

    QVERIFY(OpenTagDialog(u"mnuArkivFrames"_s));
    QCOMPARE(FrameGuideFirst(), first);
    QVERIFY(first->isVisible() && first->optRows->isChecked());
    QCOMPARE(first->HScroll1->value(), 3);
    QCOMPARE(first->Xant[2]->value(), 3);
    QVERIFY(!editor->isEnabled());
    first->cmdNext->click();
    QCOMPARE(FrameGuideSecond()->cmbText->currentText(), u"NAVY"_s);
}

void tst_guides::previewDrawing() {
    FramePreview preview;
    preview.setDivisions(true, {1, 2}); // two rows, the second split in two
    preview.setMarked(3);
    for (int scale : {1, 2}) {
        preview.resize(208 * scale, 108 * scale);
        const QRect top = preview.frameRect(1);
        const QRect left = preview.frameRect(2);
        const QRect right = preview.frameRect(3);
        // The drawing fills the widget but for a small margin, the rows share it equally.
        QCOMPARE(top.width(), preview.width() - 8);
        QVERIFY(qAbs(left.height() - top.height()) <= 1);
        QCOMPARE(left.top(), top.bottom());
        QCOMPARE(right.left(), left.right());
        QCOMPARE(preview.frameAt(right.center()), 3);

        const QImage image = preview.grab().toImage();
        const QPalette& colours = preview.palette();
        const QPoint inside(3, 3);
        QCOMPARE(image.pixelColor(right.topLeft() + inside), colours.color(QPalette::Highlight));
        QCOMPARE(image.pixelColor(left.topLeft() + inside), colours.color(QPalette::Base));
        QCOMPARE(image.pixelColor(QPoint(right.left(), right.center().y())),
                 colours.color(QPalette::WindowText));
    }
}

QTEST_MAIN(tst_guides)
#include "tst_guides.moc"
