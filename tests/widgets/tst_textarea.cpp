// The text area: raw text kept exactly, positions in characters, one-step replacement,
// paste and drops without line-break conversion, keys left to the menus.

#include "platform/files.h"
#include "testsupport.h"
#include "widgets/textarea.h"

#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_textarea : public QObject {
    Q_OBJECT
private slots:
    void textIsKeptExactly_data();
    void textIsKeptExactly();
    void loadingClearsUndoAndModifiedMark();
    void readOnlyAreaIsLoadedButNotEdited();
    void editsKeepOtherLineBreaks();
    void everySelectionOfAMixedText();
    void selectionIsClampedToTheText_data();
    void selectionIsClampedToTheText();
    void selStartAndSelLengthAlone();
    void replaceSelectionIsOneUndoStep();
    void mappingAtTheEndOfALongText();
    void pasteKeepsLineBreaks_data();
    void pasteKeepsLineBreaks();
    void enterInsertsCrLf();
    void keysAreLeftToTheMenus_data();
    void keysAreLeftToTheMenus();
    void dropsKeepLineBreaksAndOfferColours();
    void changedIsRaisedForEveryKindOfChange();
    void fontAndColoursOfTheStyles();
};

namespace {

QString allWindowsBytes() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    return DecodeCp1252(all);
}

const QString Mixed = u"<p>å\r\näö€\n😀x\rend\r\n\r\n\nZ"_s;

// Outside a real drag session Qt delivers no drop event, so the test hands it over the way
// the viewport does.
class DropTarget : public TextArea {
public:
    using TextArea::dropEvent;
};

// A copying drop (Ctrl held) of the data.
QDropEvent* makeDrop(QMimeData* mime) {
    return new QDropEvent(QPointF(1, 1), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                          Qt::ControlModifier);
}

} // namespace

void tst_textarea::textIsKeptExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("mixed") << u"\r\n\n\r\r\n\n\rx\n\r"_s;
    QTest::newRow("Windows-1252 bytes") << allWindowsBytes();
    QTest::newRow("NUL inside") << u"a"_s + QChar(0) + u"b\r\n"_s;
}

void tst_textarea::textIsKeptExactly() {
    QFETCH(QString, text);
    TextArea area;
    QVERIFY(area.setWholeText(text));
    QCOMPARE(area.text(), text);
    QCOMPARE(area.textLength(), text.size());
    area.setSel(0, static_cast<int>(text.size()));
    QCOMPARE(area.selText(), text);
    area.setText(text + text);
    QCOMPARE(area.text(), text + text);
}

void tst_textarea::loadingClearsUndoAndModifiedMark() {
    TextArea area;
    area.setWholeText(u"first"_s);
    area.setSel(5, 0);
    area.replaceSelection(u" more"_s);
    QVERIFY(area.isModified());
    QVERIFY(area.isUndoAvailable());
    area.setSel(3, 0);
    QVERIFY(area.setWholeText(u"second"_s));
    QVERIFY(!area.isModified());
    QVERIFY(!area.isUndoAvailable());
    QCOMPARE(area.selStart(), 0);
    QCOMPARE(area.selLength(), 0);
    area.undo();
    QCOMPARE(area.text(), u"second"_s);
}

void tst_textarea::readOnlyAreaIsLoadedButNotEdited() {
    TextArea area;
    area.setReadOnly(true);
    QVERIFY(area.setWholeText(u"a\rb"_s));
    QCOMPARE(area.text(), u"a\rb"_s);
    QVERIFY(area.isReadOnly());
    area.setSel(0, 1);
    area.replaceSelection(u"x"_s);
    QApplication::clipboard()->setText(u"y"_s);
    area.paste();
    QCOMPARE(area.text(), u"a\rb"_s);
}

void tst_textarea::editsKeepOtherLineBreaks() {
    TextArea area;
    area.setWholeText(u"a\rb\nc\r\nd"_s);
    area.setSel(1, 0);
    area.replaceSelection(u"X"_s);
    area.setSel(6, 2);
    area.replaceSelection(u"\n\r"_s);
    QCOMPARE(area.text(), u"aX\rb\nc\n\rd"_s);
}

void tst_textarea::everySelectionOfAMixedText() {
    TextArea area;
    area.setWholeText(Mixed);
    const auto splitsPair = [](int pos) {
        return pos > 0 && pos < Mixed.size() && Mixed.at(pos).isLowSurrogate();
    };
    for (int start = 0; start <= Mixed.size(); ++start) {
        if (splitsPair(start))
            continue;
        for (int end = start; end <= Mixed.size(); ++end) {
            if (splitsPair(end))
                continue;
            area.setSel(start, end - start);
            QCOMPARE(area.selStart(), start);
            QCOMPARE(area.selLength(), end - start);
            QCOMPARE(area.selText(), Mixed.mid(start, end - start));
        }
    }
}

void tst_textarea::selectionIsClampedToTheText_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<int>("expectedLength");
    QTest::newRow("negative start") << -5 << 3 << 0 << 3;
    QTest::newRow("negative length") << 2 << -3 << 2 << 0;
    QTest::newRow("start past the end") << 50 << 2 << 8 << 0;
    QTest::newRow("length past the end") << 4 << 100 << 4 << 4;
    QTest::newRow("inside a surrogate pair: its start") << 6 << 0 << 5 << 0;
}

void tst_textarea::selectionIsClampedToTheText() {
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, expectedStart);
    QFETCH(int, expectedLength);
    TextArea area;
    area.setWholeText(u"åäö\r\n😀x"_s);
    area.setSel(start, length);
    QCOMPARE(area.selStart(), expectedStart);
    QCOMPARE(area.selLength(), expectedLength);
}

void tst_textarea::selStartAndSelLengthAlone() {
    TextArea area;
    area.setWholeText(u"åäö€abc"_s);
    area.setSel(1, 3);
    area.setSelStart(2);
    QCOMPARE(area.selStart(), 2);
    QCOMPARE(area.selLength(), 0);
    area.setSelLength(3);
    QCOMPARE(area.selText(), u"ö€a"_s);
}

void tst_textarea::replaceSelectionIsOneUndoStep() {
    TextArea area;
    area.setWholeText(u"<p>old</p>\r\n"_s);
    area.setSel(3, 3);
    const QString inserted = u"nytt å\r\n😀"_s + QChar(0) + u"y"_s;
    area.replaceSelection(inserted);
    QCOMPARE(area.text(), u"<p>"_s + inserted + u"</p>\r\n"_s);
    QCOMPARE(area.selLength(), 0);
    QCOMPARE(area.selStart(), 3 + inserted.size());
    area.undo();
    QCOMPARE(area.text(), u"<p>old</p>\r\n"_s);
    QVERIFY(!area.isUndoAvailable());
}

void tst_textarea::mappingAtTheEndOfALongText() {
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += u"<td>rad %1 åäö € 😀</td>\r\n"_s.arg(i);
    text += QString(5000, u'a') + u"ö"_s + QString(5000, u'b');
    TextArea area;
    area.setWholeText(text);
    const int start = static_cast<int>(text.size()) - 7000;
    area.setSel(start, 4000);
    QCOMPARE(area.selStart(), start);
    QCOMPARE(area.selText(), text.mid(start, 4000));
    area.setSel(static_cast<int>(text.size()) - 10050, 20);
    QCOMPARE(area.selText(), text.mid(text.size() - 10050, 20));
}

void tst_textarea::pasteKeepsLineBreaks_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("paste()") << u"call"_s;
    QTest::newRow("Ctrl+V") << u"ctrl"_s;
    QTest::newRow("Shift+Insert") << u"shift"_s;
}

void tst_textarea::pasteKeepsLineBreaks() {
    QFETCH(QString, how);
    TextArea area;
    area.setWholeText(u"[sel]\r\n"_s);
    area.setSel(1, 3);
    const QString pasted = u"a\rb\nc\r\nö😀"_s;
    QApplication::clipboard()->setText(pasted);
    if (how == "call"_L1)
        area.paste();
    else if (how == "ctrl"_L1)
        QTest::keyClick(&area, Qt::Key_V, Qt::ControlModifier);
    else
        QTest::keyClick(&area, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(area.text(), u"["_s + pasted + u"]\r\n"_s);
    QCOMPARE(area.selStart(), 1 + pasted.size());
    area.undo();
    QCOMPARE(area.text(), u"[sel]\r\n"_s);
}

void tst_textarea::enterInsertsCrLf() {
    TextArea area;
    area.setWholeText(u"ab\ncd"_s);
    area.setSel(1, 0);
    QTest::keyClick(&area, Qt::Key_Return);
    area.setSel(8, 0);
    QTest::keyClick(&area, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(area.text(), u"a\r\nb\ncd\r\n"_s);
}

void tst_textarea::keysAreLeftToTheMenus_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Ctrl+D") << int(Qt::Key_D);
    QTest::newRow("Ctrl+L") << int(Qt::Key_L);
    QTest::newRow("Ctrl+U") << int(Qt::Key_U);
}

void tst_textarea::keysAreLeftToTheMenus() {
    QFETCH(int, key);
    TextArea area;
    const int combined = QKeyCombination(Qt::ControlModifier, Qt::Key(key)).toCombined();
    QCOMPARE(area.standardCommands()->boundTo(combined), nullptr);

    // The text area does not claim the key, so a menu shortcut can take it.
    QKeyEvent override(QEvent::ShortcutOverride, key, Qt::ControlModifier);
    override.ignore();
    QApplication::sendEvent(&area, &override);
    QVERIFY(!override.isAccepted());

    // Nor does Scintilla act on it (duplicate, cut line, lower case). (That menu shortcuts
    // reach the window through the text area, Ctrl+Up, Ctrl+Down and Ctrl+Y among them, is
    // tested with the editor.)
    const QString text = u"Line ONE\r\nline two\r\n"_s;
    area.setWholeText(text);
    // A selection to duplicate or recase.
    area.setSel(2, 4);
    QTest::keyClick(&area, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(area.text(), text);
}

void tst_textarea::dropsKeepLineBreaksAndOfferColours() {
    DropTarget area;
    area.resize(400, 300);
    area.show();
    area.setWholeText(u"end"_s);
    QSignalSpy offered(&area, &TextArea::colourDropped);
    QMimeData text, colour;
    text.setText(u"a\nb\rc\r\n"_s);
    QScopedPointer<QDropEvent> drop(makeDrop(&text));
    area.dropEvent(drop.data());
    QVERIFY(drop->isAccepted());
    QCOMPARE(area.text(), u"a\nb\rc\r\nend"_s);
    QCOMPARE(area.selText(), u"a\nb\rc\r\n"_s);
    area.undo();
    QCOMPARE(area.text(), u"end"_s);
    QCOMPARE(offered.count(), 0);
    // A colour is offered to the window, not inserted.
    colour.setText(u"#FF8000"_s);
    colour.setData(QLatin1String(TextArea::ColourMimeType), QByteArray("#FF8000"));
    drop.reset(makeDrop(&colour));
    area.dropEvent(drop.data());
    QCOMPARE(offered.count(), 1);
    QCOMPARE(offered.at(0).at(0).toString(), u"#FF8000"_s);
    QCOMPARE(area.text(), u"end"_s);
}

void tst_textarea::changedIsRaisedForEveryKindOfChange() {
    TextArea area;
    QSignalSpy changed(&area, &TextArea::changed);
    area.setWholeText(u"abc"_s);
    QCOMPARE(changed.count(), 1);
    area.setWholeText(u"abc"_s); // setting the text always counts as a change
    QCOMPARE(changed.count(), 2);
    area.setSel(1, 1);
    QTest::keyClick(&area, Qt::Key_Right);
    QCOMPARE(changed.count(), 2);
    area.setSel(1, 1);
    area.replaceSelection(u"x"_s); // a deletion and an insertion: one change
    QCOMPARE(changed.count(), 3);
    area.replaceSelection(QString()); // nothing selected, nothing inserted
    QCOMPARE(changed.count(), 3);
    QTest::keyClick(&area, Qt::Key_Q);
    QCOMPARE(changed.count(), 4);
    area.undo();
    QCOMPARE(changed.count(), 5);
    area.redo();
    QCOMPARE(changed.count(), 6);
    area.setSel(0, 1);
    area.cut();
    QCOMPARE(changed.count(), 7);
    QCOMPARE(area.text(), u"xqc"_s);
    // Edits made past the widget's own operations are reported too.
    area.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, "z");
    QCOMPARE(changed.count(), 8);
    QCOMPARE(area.text(), u"zxqc"_s);
}

void tst_textarea::fontAndColoursOfTheStyles() {
    TextArea area;
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QCOMPARE(area.editorFont().family(), fixed.family());
    auto* lexer = area.lexer();
    QVERIFY(lexer != nullptr);
    area.setEditorFont(u"DejaVu Serif"_s);
    QCOMPARE(area.editorFont().family(), u"DejaVu Serif"_s);
    for (int style : {int(QsciLexerHTML::Default), int(QsciLexerHTML::Tag),
                      int(QsciLexerHTML::UnknownTag), int(QsciLexerHTML::HTMLComment),
                      int(QsciLexerHTML::Entity), int(QsciLexerHTML::JavaScriptKeyword)}) {
        QCOMPARE(lexer->font(style).family(), u"DejaVu Serif"_s);
        QCOMPARE(lexer->font(style).bold(), false);
    }
    area.setEditorFont(u"fixedsys"_s);
    QCOMPARE(area.editorFont().family(), fixed.family());
    // Unknown tags look like known ones.
    QCOMPARE(lexer->color(QsciLexerHTML::UnknownTag), lexer->color(QsciLexerHTML::Tag));
    QCOMPARE(lexer->color(QsciLexerHTML::UnknownAttribute), lexer->color(QsciLexerHTML::Attribute));
}

QTEST_MAIN(tst_textarea)
#include "tst_textarea.moc"
