// Line-break conversion and line compression: the documented cases and their boundaries.
// (Their properties over generated texts are checked by the fuzz target of line breaks.)

#include "markup/globals.h"
#include "markup/linebreaks.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Done = u"Klart"_s;
const QString Failed = u"Misslyckades"_s;

QString Converted(const QString& text, int style) {
    WorkText = text;
    StatusText.clear();
    ConvertLineBreaks(style);
    return WorkText;
}

QString Compressed(const QString& text) {
    WorkText = text;
    StatusText.clear();
    CompressLines();
    return WorkText;
}

} // namespace

class tst_linebreaks : public QObject {
    Q_OBJECT
private slots:
    void styleNames();
    void convert_data();
    void convert();
    void unknownStyleChangesNothing();
    void compress_data();
    void compress();
    void compressLongText();
};

void tst_linebreaks::styleNames() {
    QCOMPARE(LineBreakStyleName(1), u"Normal radbrytning (ASCII 13 && ASCII10)."_s);
    QCOMPARE(LineBreakStyleName(2), u"Mac radbrytning (ASCII 13)."_s);
    QCOMPARE(LineBreakStyleName(3), u"Unix radbrytning (ASCII 10)."_s);
    QCOMPARE(LineBreakStyleName(0), QString());
    QCOMPARE(LineBreakStyleName(4), QString());
}

void tst_linebreaks::convert_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CR LF to LF") << "a\r\nb" << 3 << "a\nb";
    QTest::newRow("CR LF to CR") << "a\r\nb" << 2 << "a\rb";
    QTest::newRow("CR LF stays") << "a\r\nb" << 1 << "a\r\nb";
    QTest::newRow("LF to CR LF, end removed") << "a\nb\n" << 1 << "a\r\nb";
    QTest::newRow("CR to CR LF") << "a\rb\rc" << 1 << "a\r\nb\r\nc";
    QTest::newRow("LF to CR") << "a\nb" << 2 << "a\rb";
    for (int style = 1; style <= 3; ++style)
        QTest::addRow("two empty lines first, style %d", style) << "\r\n\r\nabc" << style << "abc";
    QTest::newRow("no breaks") << "abc  " << 1 << "abc  ";
    QTest::newRow("empty") << "" << 3 << "";
    QTest::newRow("only breaks") << "\n\r\n\r" << 1 << "";
    QTest::newRow("empty line kept") << "a\r\n\r\nb" << 3 << "a\n\nb";
    // Mixed breaks: every CR LF, lone CR and lone LF is one break.
    QTest::newRow("lone LF in a CR LF text") << "a\r\nb\nc" << 3 << "a\nb\nc";
    QTest::newRow("lone LF in a CR LF text, to CR LF") << "a\r\nb\nc" << 1 << "a\r\nb\r\nc";
    QTest::newRow("CR LF in an LF text") << "a\nb\r\nc" << 2 << "a\rb\rc";
    QTest::newRow("lone CR in a CR LF text") << "a\r\nb\rc\r\n" << 3 << "a\nb\nc";
    QTest::newRow("blanks at the ends stay") << " a \r\n" << 3 << " a ";
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << 1 << "a\r\n\r\nb";
}

void tst_linebreaks::convert() {
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(QString, expected);
    QCOMPARE(Converted(text, style), expected);
    QCOMPARE(StatusText, Done);
}

void tst_linebreaks::unknownStyleChangesNothing() {
    for (int style : {0, 4, -1}) {
        QCOMPARE(Converted("a\r\nb", style), u"a\r\nb"_s);
        QCOMPARE(StatusText, Failed);
    }
}

void tst_linebreaks::compress_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* text, const char* expected) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(expected);
    };
    row("empty", "", "");
    row("indented lines", "  <p>Hej</p>  \r\n\tx", "<p>Hej</p>\r\nx");
    row("empty lines stay", "a\r\n\r\n  b  ", "a\r\n\r\nb");
    row("blanks and tabs mixed", " \t a b \t ", "a b");
    row("CR and LF alone", "  a\rb  \n  c", "a\rb\nc");
    row("blank line", "   ", "");
    row("break only", "\r\n", "\r\n");
    row("tab before break", "x\t\r\n", "x\r\n");
    row("non-breaking space stays", "\u00a0a\u00a0", "\u00a0a\u00a0");
    row("pre block kept", "<pre>\n  x\n</pre>\n  y", "<pre>\n  x\n</pre>\ny");
    row("indented pre", "  <PRE>  a  \r\n  b  </PRE>  \r\n  c  ", "<PRE>  a  \r\n  b  </PRE>\r\nc");
    row("unclosed pre runs to the end", "  x\r\n<Pre>  y  \r\n  z  ", "x\r\n<Pre>  y  \r\n  z  ");
    row("pre with attributes is no pre", "<pre class=\"x\">  a  \n  b", "<pre class=\"x\">  a\nb");
    row("text before pre on the line", "  text  <PRE>  a  </pre>  tail  ",
        "text  <PRE>  a  </pre>  tail");
    row("two pre on one line", "<PRE> a </pre> b <PRE> c </PRE>  ",
        "<PRE> a </pre> b <PRE> c </PRE>");
    row("pre inside pre", "<PRE> a <PRE> b </pre>  c  \n  d", "<PRE> a <PRE> b </pre>  c\nd");
    row("pre at the very end", "  a  <pre>", "a  <pre>");
}

void tst_linebreaks::compress() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(Compressed(text), expected);
    QCOMPARE(StatusText, Done);
}

void tst_linebreaks::compressLongText() {
    // Texts beyond 32767 characters compress like short ones.
    QString text;
    QString expected;
    for (int i = 0; i < 40000; ++i) {
        text += "  \t<p>rad</p> \r\n";
        expected += "<p>rad</p>\r\n";
    }
    QCOMPARE(Compressed(text), expected);
    QCOMPARE(StatusText, Done);
}

QTEST_GUILESS_MAIN(tst_linebreaks)
#include "tst_linebreaks.moc"
