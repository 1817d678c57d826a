// Line-break conversion and line compression: the documented cases, and properties that
// must hold for many generated texts.

#include "markup/globals.h"
#include "markup/linebreaks.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

const QString Done = QStringLiteral("Klart");
const QString Failed = QStringLiteral("Misslyckades");

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

QString Without(QString text, QStringView chars) {
    text.removeIf([&](QChar c) { return chars.contains(c); });
    return text;
}

bool IsBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}
bool IsBlankOrTab(QChar c) {
    return c == u' ' || c == u'\t';
}

// The number of line breaks of a text, a CR LF counting once, without those at its ends.
int BreakCount(QStringView text) {
    while (!text.isEmpty() && IsBreak(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && IsBreak(text.back()))
        text.chop(1);
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        if (IsBreak(text[i]))
            ++count;
    }
    return count;
}

QString RandomText(QRandomGenerator& rng) {
    static const QStringList pieces = {"<",      ">",     "\"",    "/",     "a",      "b",
                                       "X",      " ",     " ",     "\t",    "\r",     "\n",
                                       "\r\n",   "\r\n",  "<PRE>", "<pre>", "</pre>", "</PRE>",
                                       "<HTML>", "<BODY", "<Pre",  "re>",   "\u00a0"};
    QString text;
    const int count = rng.bounded(80);
    for (int i = 0; i < count; ++i)
        text += pieces[rng.bounded(int(pieces.size()))];
    return text;
}

// The PRE elements of a text: from each "<PRE>" to its "</pre>" or the end of the text.
QStringList PreBlocks(const QString& text) {
    QStringList blocks;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = text.indexOf("<PRE>", from, Qt::CaseInsensitive);
        if (open < 0)
            return blocks;
        qsizetype close = text.indexOf("</PRE>", open + 5, Qt::CaseInsensitive);
        if (close < 0)
            close = text.size();
        blocks += text.mid(open, close - open);
        from = close;
    }
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
    void generatedTexts();
};

void tst_linebreaks::styleNames() {
    QCOMPARE(LineBreakStyleName(1), QStringLiteral("Normal radbrytning (ASCII 13 && ASCII10)."));
    QCOMPARE(LineBreakStyleName(2), QStringLiteral("Mac radbrytning (ASCII 13)."));
    QCOMPARE(LineBreakStyleName(3), QStringLiteral("Unix radbrytning (ASCII 10)."));
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
        QCOMPARE(Converted("a\r\nb", style), QStringLiteral("a\r\nb"));
        QCOMPARE(StatusText, Failed);
    }
}

void tst_linebreaks::compress_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("indented lines") << "  <p>Hej</p>  \r\n\tx"
                                    << "<p>Hej</p>\r\nx";
    QTest::newRow("empty lines stay") << "a\r\n\r\n  b  "
                                      << "a\r\n\r\nb";
    QTest::newRow("blanks and tabs mixed") << " \t a b \t "
                                           << "a b";
    QTest::newRow("CR and LF alone") << "  a\rb  \n  c"
                                     << "a\rb\nc";
    QTest::newRow("blank line") << "   "
                                << "";
    QTest::newRow("break only") << "\r\n"
                                << "\r\n";
    QTest::newRow("tab before break") << "x\t\r\n"
                                      << "x\r\n";
    QTest::newRow("non-breaking space stays") << "\u00a0a\u00a0"
                                              << "\u00a0a\u00a0";
    QTest::newRow("pre block kept") << "<pre>\n  x\n</pre>\n  y"
                                    << "<pre>\n  x\n</pre>\ny";
    QTest::newRow("indented pre") << "  <PRE>  a  \r\n  b  </PRE>  \r\n  c  "
                                  << "<PRE>  a  \r\n  b  </PRE>\r\nc";
    QTest::newRow("unclosed pre runs to the end") << "  x\r\n<Pre>  y  \r\n  z  "
                                                  << "x\r\n<Pre>  y  \r\n  z  ";
    QTest::newRow("pre with attributes is no pre") << "<pre class=\"x\">  a  \n  b"
                                                   << "<pre class=\"x\">  a\nb";
    QTest::newRow("text before pre on the line") << "  text  <PRE>  a  </pre>  tail  "
                                                 << "text  <PRE>  a  </pre>  tail";
    QTest::newRow("two pre on one line") << "<PRE> a </pre> b <PRE> c </PRE>  "
                                         << "<PRE> a </pre> b <PRE> c </PRE>";
    QTest::newRow("pre inside pre") << "<PRE> a <PRE> b </pre>  c  \n  d"
                                    << "<PRE> a <PRE> b </pre>  c\nd";
    QTest::newRow("pre at the very end") << "  a  <pre>"
                                         << "a  <pre>";
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

void tst_linebreaks::generatedTexts() {
    QRandomGenerator rng(77031);
    const QString breaks[] = {QString(), "\r\n", "\r", "\n"};
    for (int round = 0; round < 2000; ++round) {
        const QString text = RandomText(rng);

        for (int style = 1; style <= 3; ++style) {
            const QString result = Converted(text, style);
            QCOMPARE(StatusText, Done);
            QCOMPARE(Without(result, u"\r\n"), Without(text, u"\r\n"));
            QCOMPARE(BreakCount(result), BreakCount(text));
            if (result.isEmpty())
                continue;
            QVERIFY(!IsBreak(result.front()));
            QVERIFY(!IsBreak(result.back()));
            const QString rest = QString(result).remove(breaks[style]);
            QVERIFY(!rest.contains(u'\r') && !rest.contains(u'\n'));
        }

        const QString compressed = Compressed(text);
        QCOMPARE(StatusText, Done);
        QCOMPARE(Without(compressed, u" \t"), Without(text, u" \t"));
        qsizetype from = 0;
        for (const QString& block : PreBlocks(text)) {
            const qsizetype at = compressed.indexOf(block, from);
            QVERIFY2(at >= 0, qPrintable("PRE block changed in: " + text));
            from = at + block.size();
        }
        if (PreBlocks(text).isEmpty()) {
            // Without PRE, no line starts or ends with a blank or tab.
            for (QStringView line : QStringView(compressed).tokenize(u'\n')) {
                for (QStringView part : line.tokenize(u'\r')) {
                    if (part.isEmpty())
                        continue;
                    QVERIFY(!IsBlankOrTab(part.front()));
                    QVERIFY(!IsBlankOrTab(part.back()));
                }
            }
        }
    }
}

QTEST_GUILESS_MAIN(tst_linebreaks)
#include "tst_linebreaks.moc"
