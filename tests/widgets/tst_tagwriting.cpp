// Putting markup into the editor's text area: insertion, wrapping and the head position.

#include "widgets/tagwriting.h"
#include "widgets/textarea.h"
#include "markup/globals.h"
#include "testsupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QVBoxLayout>
#include <QtTest>

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
    QWidget* window = nullptr;
    TextArea* area = nullptr;
};

void tst_tagwriting::init() {
    ResetProgramState();
    window = new QWidget;
    area = new TextArea(window);
    (new QVBoxLayout(window))->addWidget(area);
    SetEditorWindow(window, area);
}

void tst_tagwriting::cleanup() {
    SetEditorWindow(nullptr, nullptr);
    delete window;
}

void tst_tagwriting::insertReplacesTheSelectionAsOneStep() {
    area->setWholeText(QStringLiteral("<p>gammal</p>"));
    area->setSel(3, 6);
    InsertTagText(QStringLiteral("<B>ny</B>\r\n"));
    QCOMPARE(area->text(), QStringLiteral("<p><B>ny</B>\r\n</p>"));
    QCOMPARE(area->selStart(), 14);
    QCOMPARE(area->selLength(), 0);
    QCOMPARE(LastInsertedText, QStringLiteral("<B>ny</B>\r\n"));
    area->undo();
    QCOMPARE(area->text(), QStringLiteral("<p>gammal</p>"));
}

void tst_tagwriting::insertEnablesTheEditorAndKeepsTheClipboard() {
    QGuiApplication::clipboard()->setText(QStringLiteral("urklipp"));
    area->setWholeText(QStringLiteral("x"));
    window->setEnabled(false);
    InsertTagText(QStringLiteral("&nbsp;"));
    QVERIFY(window->isEnabled());
    QCOMPARE(area->text(), QStringLiteral("&nbsp;x"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("urklipp"));
}

void tst_tagwriting::wrapSelection_data() {
    QTest::addColumn<int>("tagCase");
    QTest::addColumn<bool>("formatted");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("close");
    QTest::addColumn<int>("selLength"); // of "ord" at the start
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");
    QTest::newRow("selection, small letters") << 1 << false << "B"
                                              << "" << 3 << "<b>ord</b> x" << 10;
    QTest::newRow("no selection") << 1 << false << "B"
                                  << "" << 0 << "<b></b>ord x" << 7;
    QTest::newRow("capitals") << 0 << false << "center"
                              << "" << 3 << "<CENTER>ord</CENTER> x" << 20;
    QTest::newRow("capital first") << 2 << false << "BLOCKQUOTE"
                                   << "" << 3 << "<Blockquote>ord</Blockquote> x" << 28;
    QTest::newRow("formatted open tag") << 1 << true << "FONT COLOR=\"RED\""
                                        << "FONT" << 3 << "<FONT COLOR=\"RED\">ord</FONT> x" << 28;
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
    area->setWholeText(QStringLiteral("ord x"));
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
        QStringLiteral("<html><head><title>T</title>\r\n<meta>\r\n</head><body>x</body></html>");
    // "</title>" ends at character 28, "</head>" at 44.
    QTest::newRow("caret at the start") << page << 0 << 30;
    QTest::newRow("caret in the body") << page << 50 << 30;
    QTest::newRow("already in the head") << page << 36 << 36;
    QTest::newRow("right after </title>") << page << 28 << 30;
    QTest::newRow("no line break after the title")
        << QStringLiteral("<head><title>T</title><meta></head>") << 0 << 22;
    QTest::newRow("LF only") << QStringLiteral("<title>T</title>\n</head>") << 0 << 17;
    QTest::newRow("no </head>") << QStringLiteral("<title>T</title>\r\n<body>") << 3 << 3;
    QTest::newRow("no </title>") << QStringLiteral("<head></head>") << 2 << 2;
    QTest::newRow("</head> before </title>") << QStringLiteral("</head><title>T</title>") << 1 << 1;
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
