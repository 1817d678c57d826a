// Putting markup into the editor's text area: insertion, wrapping and the head position.

#include "editorstandin.h"
#include "markup/globals.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_tagwriting : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void insertReplacesTheSelectionAsOneStep();
    void insertEnablesTheEditorAndKeepsTheClipboard();
    void wrapSelection_data();
    void wrapSelection();
    void moveCaretIntoHead_data();
    void moveCaretIntoHead();

private:
    std::unique_ptr<EditorStandIn> standIn;
    QWidget* window = nullptr;
    TextArea* area = nullptr;
};

void tst_tagwriting::init() {
    standIn = std::make_unique<EditorStandIn>();
    window = standIn->window;
    area = standIn->area;
}

void tst_tagwriting::cleanup() {
    standIn.reset();
}

void tst_tagwriting::insertReplacesTheSelectionAsOneStep() {
    area->setWholeText(u"<p>gammal</p>"_s);
    area->setSel(3, 6);
    InsertTagText(u"<B>ny</B>\r\n"_s);
    QCOMPARE(area->text(), u"<p><B>ny</B>\r\n</p>"_s);
    QCOMPARE(area->selStart(), 14);
    QCOMPARE(area->selLength(), 0);
    QCOMPARE(LastInsertedText, u"<B>ny</B>\r\n"_s);
    area->undo();
    QCOMPARE(area->text(), u"<p>gammal</p>"_s);
}

void tst_tagwriting::insertEnablesTheEditorAndKeepsTheClipboard() {
    QGuiApplication::clipboard()->setText(u"urklipp"_s);
    area->setWholeText(u"x"_s);
    window->setEnabled(false);
    InsertTagText(u"&nbsp;"_s);
    QVERIFY(window->isEnabled());
    QCOMPARE(area->text(), u"&nbsp;x"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"urklipp"_s);
}

void tst_tagwriting::wrapSelection_data() {
    QTest::addColumn<int>("tagCase");
    QTest::addColumn<bool>("formatted");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("close");
    QTest::addColumn<int>("selLength"); // of "ord" at the start
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");
    const auto row = [](const char* name, int tagCase, bool formatted, const char* open,
                        const char* close, int selLength, const char* result, int caret) {
        QTest::newRow(name) << tagCase << formatted << QString(open) << QString(close) << selLength
                            << QString(result) << caret;
    };
    row("selection, small letters", 1, false, "B", "", 3, "<b>ord</b> x", 10);
    row("no selection", 1, false, "B", "", 0, "<b></b>ord x", 7);
    row("capitals", 0, false, "center", "", 3, "<CENTER>ord</CENTER> x", 20);
    row("capital first", 2, false, "BLOCKQUOTE", "", 3, "<Blockquote>ord</Blockquote> x", 28);
    row("formatted open tag", 1, true, "FONT COLOR=\"RED\"", "FONT", 3,
        "<FONT COLOR=\"RED\">ord</FONT> x", 28);
}

void tst_tagwriting::wrapSelection() {
    QFETCH(int, tagCase);
    QFETCH(bool, formatted);
    QFETCH(QString, open);
    QFETCH(QString, close);
    QFETCH(int, selLength);
    QFETCH(QString, result);
    QFETCH(int, caret);
    TagCase = tagCase;
    OpenTagFormatted = formatted;
    area->setWholeText(u"ord x"_s);
    area->setSel(0, selLength);
    WrapSelection(open, close);
    QCOMPARE(area->text(), result);
    QCOMPARE(area->selStart(), caret);
    QVERIFY(!OpenTagFormatted);
}

void tst_tagwriting::moveCaretIntoHead_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("expected");
    const QString page =
        u"<html><head><title>T</title>\r\n<meta>\r\n</head><body>x</body></html>"_s;
    // "</title>" ends at character 28, "</head>" at 44.
    QTest::newRow("caret at the start") << page << 0 << 30;
    QTest::newRow("already in the head") << page << 36 << 36;
    QTest::newRow("right after </title>") << page << 28 << 30;
    QTest::newRow("no line break after the title")
        << u"<head><title>T</title><meta></head>"_s << 0 << 22;
    QTest::newRow("LF only") << u"<title>T</title>\n</head>"_s << 0 << 17;
    QTest::newRow("no </head>") << u"<title>T</title>\r\n<body>"_s << 3 << 3;
    QTest::newRow("no </title>") << u"<head></head>"_s << 2 << 2;
    QTest::newRow("</head> before </title>") << u"</head><title>T</title>"_s << 1 << 1;
}

void tst_tagwriting::moveCaretIntoHead() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, expected);
    area->setWholeText(text);
    area->setSel(caret, 0);
    MoveCaretIntoHead();
    QCOMPARE(area->selStart(), expected);
    QCOMPARE(area->selLength(), 0);
    QCOMPARE(area->text(), text);
}

QTEST_MAIN(tst_tagwriting)
#include "tst_tagwriting.moc"
