// The pick lists over the text area: what choosing inserts, the keys, the mouse, the focus,
// the size and place of the list, and the width the standard texts need.

#include "testsupport.h"
#include "widgets/picklist.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_picklist : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void endings_data();
    void endings();
    void htmlCharactersAreShownWhole();
    void chosenEntryStaysSelectedForTheNextTime();
    void emptyStandardListOffersToEditIt();
    void sizeAndPlace_data();
    void sizeAndPlace();

private:
    PickList* makeList(int index, const QStringList& entries);
    TestProgramFolder* folder = nullptr;
    FakePlatformScope* fake = nullptr;
    QWidget* window = nullptr;
    TextArea* area = nullptr;
};

void tst_picklist::init() {
    folder = new TestProgramFolder;
    fake = new FakePlatformScope;
    window = new QWidget;
    window->resize(800, 600);
    area = new TextArea(window);
    area->setGeometry(20, 30, 600, 400); // 9000 × 6000 twips at (300, 450)
    SetEditorWindow(window, area);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    area->setWholeText(u"<p></p>"_s);
    area->setSel(3, 0);
    area->setFocus();
}

void tst_picklist::cleanup() {
    SetEditorWindow(nullptr, nullptr);
    delete window;
    delete fake;
    delete folder;
}

PickList* tst_picklist::makeList(int index, const QStringList& entries) {
    auto* list = new PickList(index, window);
    list->setEntries(entries);
    connect(list, &PickList::chosen, list, [](const QString& text) { InsertTagText(text); });
    return list;
}

// The list closes by choosing (the mouse here; the keys in the editor's tests) or by giving up
// (Escape, the text area taking the focus); either way the text area has the focus again.
void tst_picklist::endings_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("after");
    QTest::newRow("mouse release") << u"mouse"_s << u"<p>&lt;</p>"_s;
    QTest::newRow("Escape") << u"escape"_s << u"<p></p>"_s;
    QTest::newRow("text area takes the focus") << u"focus"_s << u"<p></p>"_s;
}

void tst_picklist::endings() {
    QFETCH(QString, way);
    QFETCH(QString, after);
    PickList* list = makeList(PickList::HtmlCharacters, {u"é - &eacute;"_s, u"< - &lt;"_s});
    list->popUp(area, 1275);
    QVERIFY(list->isVisible() && list->hasFocus());
    QCOMPARE(list->currentRow(), 0);
    if (way == "mouse"_L1) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
    } else if (way == "escape"_L1) {
        QTest::keyClick(list, Qt::Key_Escape);
    } else {
        area->setFocus(Qt::MouseFocusReason);
    }
    QCOMPARE(area->text(), after);
    QVERIFY(area->hasFocus());
    QVERIFY(!list->isVisible());
}

void tst_picklist::htmlCharactersAreShownWhole() {
    // A list taller than the text area, so the entries share the width with the scroll bar.
    QStringList entries(40, u"± - &plusmn;"_s);
    entries.append(u"é - &eacute;"_s);
    PickList* list = makeList(PickList::HtmlCharacters, entries);
    list->popUp(area, 1275);
    QCOMPARE(list->height(), area->height());
    const int textMargin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    for (const QString& entry : entries)
        QVERIFY(QFontMetrics(list->font()).horizontalAdvance(entry) + 2 * textMargin <=
                list->viewport()->width());
}

// (Reading standard.txt and inserting an entry with its leading blanks: the editor's tests.)
void tst_picklist::chosenEntryStaysSelectedForTheNextTime() {
    auto* list = new PickList(PickList::StandardTexts, window);
    list->setEntries({u"Hej"_s, u"  två blanka"_s});
    QSignalSpy chosen(list, &PickList::chosen);
    list->popUp(area, 1275);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Enter);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(), u"  två blanka"_s);
    QVERIFY(!list->isVisible());
    list->popUp(area, 1275);
    QCOMPARE(list->currentRow(), 1);
}

void tst_picklist::emptyStandardListOffersToEditIt() {
    PickList* list = makeList(PickList::StandardTexts, {});
    QSignalSpy edit(list, &PickList::editRequested);
    fake->fake.messageAnswers = {MsgAnswer::Yes};
    list->popUp(area, 1275);
    QCOMPARE(edit.count(), 1);
    QVERIFY(!list->isVisible());
    QCOMPARE(fake->fake.lastMessage(), u"Listan för standardtexter är tom. Vill du "
                                       u"redigera den nu (den kommer att öppnas i "
                                       u"editorn)?"_s);
    QCOMPARE(fake->fake.messages().at(0).buttons, MsgButtons::YesNoCancel);
}

void tst_picklist::sizeAndPlace_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("listWidth"); // StandardListWidth, twips
    QTest::addColumn<QRect>("expected");
    // The placement rules are tested in twips with the standard texts; this row shows the
    // list takes them, in pixels.
    // 30 × 195 + 25 = 5875 twips, just less than the area: no scroll bar.
    QTest::newRow("just fits") << 0 << 30 << 3000 << QRect(214, 34, 211, 392);
}

void tst_picklist::sizeAndPlace() {
    QFETCH(int, index);
    QFETCH(int, entries);
    QFETCH(int, listWidth);
    QFETCH(QRect, expected);
    QStringList items;
    for (int i = 0; i < entries; ++i)
        items.append(u"post %1"_s.arg(i));
    PickList* list = makeList(index, items);
    list->popUp(area, listWidth);
    QCOMPARE(list->geometry(), expected);
    if (expected.height() < area->height()) // every entry is in sight
        QVERIFY(list->visualItemRect(list->item(entries - 1)).bottom() <
                list->viewport()->height());
}

QTEST_MAIN(tst_picklist)
#include "tst_picklist.moc"
