// The overview window: its settings, the list it builds from the editor's text, and showing
// an entry in the editor.

#include "editor/frmoversikt.h"
#include "editorfixture.h"
#include "shell/inimod.h"
#include "widgets/textfield.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>

using namespace Qt::StringLiterals;

class tst_overviewwindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void settingsAtLoad_data();
    void settingsAtLoad();
    void listAndShow_data();
    void listAndShow();
    void showingAfterAnEditStaysInTheText();
    void openedByTheEditorAndClosedWithIt();

private:
    std::unique_ptr<EditorFixture> f;
    TextArea* text = nullptr;
};

void tst_overviewwindow::init() {
    f = std::make_unique<EditorFixture>();
    text = new TextArea;
}

void tst_overviewwindow::cleanup() {
    delete text;
    f.reset();
}

// A stored 1 ticks a box; 0 and the 2 of older settings leave it clear.
void tst_overviewwindow::settingsAtLoad_data() {
    QTest::addColumn<int>("onlyOne");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("1") << 1 << true;
    QTest::newRow("2") << 2 << false;
}

void tst_overviewwindow::settingsAtLoad() {
    QFETCH(int, onlyOne);
    QFETCH(bool, ticked);
    OverviewFromTag = u"img"_s;
    OverviewOnlyOne = onlyOne;
    frmOversikt window(text);
    QCOMPARE(window.txtTagg1->text(), u"img"_s);
    QCOMPARE(window.txtTagg2->text(), u"/A"_s); // designed: the setting is ""
    QCOMPARE(window.chkOnlyOne->isChecked(), ticked);
    QCOMPARE(window.txtTagg2->isEnabled(), !ticked);
    QCOMPARE(window.chkViewOnly->isEnabled(), !ticked);
    QCOMPARE(OverviewOnlyOne, ticked ? 1 : 0);
    window.txtTagg2->setText(u"/h1"_s);
    QCOMPARE(OverviewToTag, u"/h1"_s);
}

void tst_overviewwindow::listAndShow_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("onlyOne");
    QTest::addColumn<bool>("between");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("shownFirst"); // the selection after showing entry 0
    QTest::newRow("headings") << "h1"
                              << "/h1" << false << false
                              << QStringList{"<H1>Ett\r\ntvå</H1>", "<H1>Tre</H1>"}
                              << "<H1>Ett\r\ntvå</H1>";
    QTest::newRow("single tags") << "img"
                                 << "" << true << false << QStringList{"<img src=a.gif>"}
                                 << "<img src=a.gif>";
    QTest::newRow("nothing found")
        << "table"
        << "/table" << false << false << QStringList{"(inga hittade)"} << "";
}

void tst_overviewwindow::listAndShow() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, onlyOne);
    QFETCH(bool, between);
    QFETCH(QStringList, entries);
    QFETCH(QString, shownFirst);
    text->setWholeText(u"<H1>Ett\r\ntvå</H1><address><img src=a.gif><H1>Tre</H1>"_s);
    text->setSel(0, 0);
    frmOversikt window(text);
    window.txtTagg1->setText(from);
    window.txtTagg2->setText(to);
    window.chkOnlyOne->setChecked(onlyOne);
    window.chkViewOnly->setChecked(between);
    window.cmdUpdate->click();
    QStringList shown;
    for (int i = 0; i < window.entryCount(); ++i)
        shown << window.entryText(i);
    // Line breaks are shown as blanks; the entry itself keeps them.
    QStringList expected = entries;
    expected.replaceInStrings(u"\r\n"_s, u" "_s);
    QCOMPARE(shown, expected);
    window.chooseEntry(0);
    window.cmdView->click();
    QCOMPARE(text->selText(), shownFirst);
}

void tst_overviewwindow::showingAfterAnEditStaysInTheText() {
    text->setWholeText(u"x<a href=y>lång länk</a>"_s);
    frmOversikt window(text);
    window.cmdUpdate->click();
    text->setWholeText(u"x<a"_s);
    window.chooseEntry(0);
    window.cmdView->click();
    QCOMPARE(text->selText(), u"<a"_s);
}

void tst_overviewwindow::openedByTheEditorAndClosedWithIt() {
    frmEditor* editor = f->open();
    editor->menuItem(u"mnuOverblick"_s)->trigger();
    auto* window = editor->findChild<frmOversikt*>();
    QVERIFY(window && window->isVisible());
    QVERIFY(editor->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!editor->findChild<frmOversikt*>());
    QVERIFY(ReadIniInt(u"Oversikt"_s, u"Width"_s, IniFile) > 0);
}

QTEST_MAIN(tst_overviewwindow)
#include "tst_overviewwindow.moc"
