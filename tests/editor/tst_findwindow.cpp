// The find window and the search it runs in the editor's text.

#include "editor/frmeditor.h"
#include "editor/frmfind.h"
#include "editorstandin.h"
#include "markup/globals.h"
#include "shell/tools.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_findwindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void successiveSearches_data();
    void successiveSearches();
    void notFoundLeavesEverythingAsItWas();
    void searchButtonNeedsNonBlankText();
    void menuItemsShowAndHideTheWindow();

private:
    std::unique_ptr<EditorStandIn> standIn;
    QWidget* window = nullptr;
    TextArea* area = nullptr;
};

void tst_findwindow::init() {
    standIn = std::make_unique<EditorStandIn>();
    window = standIn->window;
    area = standIn->area;
}

void tst_findwindow::cleanup() {
    delete ExistingFindWindow();
    standIn.reset();
}

void tst_findwindow::successiveSearches_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QList<int>>("found"); // selection start of each search, -1 for none
    QTest::addColumn<int>("length");
    QTest::newRow("ab in abab") << "abab" << 0 << "ab" << false << QList<int>{0, 2, -1} << 2;
    QTest::newRow("case matched") << "<table>" << 0 << "TABLE" << true << QList<int>{-1} << 0;
    QTest::newRow("Å finds å") << "blåbär" << 0 << "ÅB" << false << QList<int>{2} << 2;
    QTest::newRow("paragraph break")
        << "<p>a</p>\r\n<p>b</p>" << 0 << "</p>\\n<p>" << false << QList<int>{4} << 9;
    QTest::newRow("after characters outside the BMP")
        << u"\U0001F600ä\U0001F600ä"_s << 0 << "Ä" << false << QList<int>{2, 5} << 1;
    QTest::newRow("no wrapping round") << "ab ab" << 4 << "ab" << false << QList<int>{-1} << 0;
}

void tst_findwindow::successiveSearches() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, search);
    QFETCH(bool, matchCase);
    QFETCH(QList<int>, found);
    QFETCH(int, length);
    area->setWholeText(text);
    area->setSel(caret, 0);
    FindWindow().Text1->setText(search);
    FindWindow().chkCase->setChecked(matchCase);
    for (const int start : found) {
        standIn->fake().clear();
        FindNext();
        if (start < 0) {
            QCOMPARE(standIn->fake().messages().size(), 1);
        } else {
            QVERIFY(standIn->fake().messages().isEmpty());
            QCOMPARE(area->selStart(), start);
            QCOMPARE(area->selLength(), length);
        }
    }
}

void tst_findwindow::notFoundLeavesEverythingAsItWas() {
    area->setWholeText(u"abab"_s);
    area->setSel(1, 2);
    FindWindow().Text1->setText(u"x\\n"_s);
    FindWindow().showOverEditor();
    QVERIFY(!window->isEnabled());
    FindWindow().cmdFind->click();
    QCOMPARE(standIn->fake().lastMessage(), u"Det går inte att hitta \"x\\n\"."_s);
    QCOMPARE(standIn->fake().messages().last().icon, MsgIcon::Information);
    QCOMPARE(standIn->fake().messages().last().buttons, MsgButtons::Ok);
    QCOMPARE(area->selStart(), 1);
    QCOMPARE(area->selLength(), 2);
    QVERIFY(FindWindow().isVisible());
    QVERIFY(!window->isEnabled());
}

void tst_findwindow::searchButtonNeedsNonBlankText() {
    frmFind& find = FindWindow();
    find.Text1->setText(u"   "_s);
    QVERIFY(!find.cmdFind->isEnabled());
    find.Text1->setText(u" a "_s);
    QVERIFY(find.cmdFind->isEnabled());
    find.Text1->clear();
    QVERIFY(!find.cmdFind->isEnabled());
}

void tst_findwindow::menuItemsShowAndHideTheWindow() {
    TestProgramFolder folder;
    StartFolder = folder.path();
    frmEditor editor;
    editor.show();
    editor.txtText->setWholeText(u"ett <P>två</P> tre <P>"_s);
    editor.txtText->setSel(0, 0);

    editor.menuItem(u"mnuEditFindNext"_s)->trigger(); // no search text yet: the window opens
    frmFind& find = FindWindow();
    QVERIFY(find.isVisible());
    QVERIFY(!editor.isEnabled());
    QVERIFY(!editor.close()); // not while the search is open
    const QPoint centre = editor.frameGeometry().center();
    QVERIFY(qAbs(find.frameGeometry().center().x() - centre.x()) <= 1);
    find.Text1->setText(u"<p>"_s);
    find.cmdFind->click();
    QVERIFY(!find.isVisible());
    QVERIFY(editor.isEnabled());
    QCOMPARE(editor.txtText->selStart(), 4);

    editor.menuItem(u"mnuEditFindNext"_s)->trigger(); // F3 repeats the search without the window
    QVERIFY(!find.isVisible());
    QCOMPARE(editor.txtText->selStart(), 19);

    find.move(find.pos() + QPoint(40, 30)); // the user moves the window aside
    const QPoint movedTo = find.pos();
    editor.menuItem(u"mnuEditSok"_s)->trigger();
    QVERIFY(find.isVisible());
    QCOMPARE(find.pos(), movedTo);          // centred only when it first loads
    QCOMPARE(find.Text1->text(), u"<p>"_s); // kept while hidden
    find.cmdcancel->click();
    QVERIFY(!find.isVisible());
    QVERIFY(editor.isEnabled());
    QCOMPARE(editor.txtText->selStart(), 19);
    QCOMPARE(editor.focusWidget(), editor.txtText); // not the file list
    ResetTools();
}

QTEST_MAIN(tst_findwindow)
#include "tst_findwindow.moc"
