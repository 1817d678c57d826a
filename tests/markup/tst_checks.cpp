// The quote, bracket and structure-tag checks: the documented cases, their boundaries and
// large texts. (Generated texts are compared with a plain reading of the rules by the fuzz
// target of the checks, in every CI run.)

#include "markup/checks.h"
#include "markup/globals.h"

#include <QtTest>
#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr int Untouched = -77; // ErrorStart/ErrorEnd before a call, to see them unchanged

struct Result {
    int kind = 0;
    int start = Untouched;
    int end = Untouched;
    QString status;
    bool operator==(const Result&) const = default;
};

char* toString(const Result& r) {
    return QTest::toString(
        u"kind %1 start %2 end %3 \"%4\""_s.arg(r.kind).arg(r.start).arg(r.end).arg(r.status));
}

Result Run(void (*check)(), const QString& text) {
    WorkText = text;
    ErrorKind = 0;
    ErrorStart = Untouched;
    ErrorEnd = Untouched;
    StatusText = u"unset"_s;
    check();
    return {ErrorKind, ErrorStart, ErrorEnd, StatusText};
}

const QString NoErrors = u"Inga fel"_s;
const QString Outside = u"Citatstecken utanför taggar"_s;
const QString Odd = u"Ojämnt antal"_s;
const QString MissingGt = u"Det saknas en >."_s;
const QString MissingLt = u"Det saknas en <."_s;

Result Fine() {
    return {0, Untouched, Untouched, NoErrors};
}

const std::array<QString, 8> Tags = {"<HTML>",  "<HEAD>", "<TITLE>", "</TITLE>",
                                     "</HEAD>", "<BODY",  "</BODY>", "</HTML>"};

QString StandardPage(const QString& head = QString()) {
    return "<HTML>\r\n<HEAD>\r\n<TITLE>Sida</TITLE>\r\n" + head +
           "</HEAD>\r\n<BODY>\r\n<p>Text</p>\r\n</BODY>\r\n</HTML>\r\n";
}

} // namespace

Q_DECLARE_METATYPE(Result)

class tst_checks : public QObject {
    Q_OBJECT
private slots:
    void quotes_data();
    void quotes();
    void brackets_data();
    void brackets();
    void standardTags_data();
    void standardTags();
    void largeTextsAreReportedAtTheirEnd();
};

void tst_checks::quotes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<Result>("expected");
    QTest::newRow("empty") << "" << Fine();
    QTest::newRow("quoted attribute") << "<a href=\"x\">" << Fine();
    QTest::newRow("quote between tags") << "<p>\"citat\"</p>" << Result{1, 4, 4, Outside};
    QTest::newRow("odd quotes in a tag") << "<img alt=\"x>" << Result{2, 1, 12, Odd};
    QTest::newRow("lt without gt") << "a < b" << Fine();
    QTest::newRow("quote after an open lt") << "a < \"b" << Fine();
    QTest::newRow("quote before an open lt") << "\"a\" <b" << Result{1, 1, 1, Outside};
    QTest::newRow("quote after a stray gt") << "a > \"b\" <c>" << Result{1, 5, 5, Outside};
    QTest::newRow("second tag odd") << "<a \"x\"> <b \"y>" << Result{2, 9, 14, Odd};
    QTest::newRow("lt inside a tag") << "<a <b \"x>" << Result{2, 1, 9, Odd};
    QTest::newRow("empty tag pair of quotes") << "<\"\">" << Fine();
}

void tst_checks::quotes() {
    QFETCH(QString, text);
    QFETCH(Result, expected);
    QCOMPARE(Run(CheckQuotes, text), expected);
}

void tst_checks::brackets_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<Result>("expected");
    QTest::newRow("empty") << "" << Fine();
    QTest::newRow("tags and text") << "<p>Hej <b>du</b></p>" << Fine();
    QTest::newRow("lt to the end") << "a < b" << Result{1, 3, 5, MissingGt};
    QTest::newRow("gt without lt") << "x > y" << Result{2, 1, 3, MissingLt};
    QTest::newRow("second lt before gt") << "<b<i>" << Result{1, 1, 5, MissingGt};
    QTest::newRow("gt between tags") << "<a> > <b>" << Result{2, 5, 5, MissingLt};
    QTest::newRow("second tag unclosed before third")
        << "<a> <b <c>" << Result{1, 5, 10, MissingGt};
}

void tst_checks::brackets() {
    QFETCH(QString, text);
    QFETCH(Result, expected);
    QCOMPARE(Run(CheckBrackets, text), expected);
}

void tst_checks::standardTags_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<Result>("expected");
    const QString page = StandardPage();
    auto missing = [](int kind, const QString& tag) {
        return Result{kind, Untouched, Untouched, tag + " hittades inte."};
    };
    auto misplaced = [](int kind, int start, const QString& tag) {
        return Result{kind, start, int(tag.size()), tag + " är felaktigt placerad."};
    };
    auto twice = [](int kind, int start, const QString& tag) {
        return Result{kind, start, int(tag.size()), tag + " hittades två gånger."};
    };

    QTest::newRow("complete page") << page << Fine();
    QTest::newRow("small letters, body attributes")
        << "<html><head><title>x</title></head><body bgcolor=\"white\">y</body></html>" << Fine();
    QTest::newRow("empty") << "" << missing(1, "<HTML>");
    QTest::newRow("html with attributes")
        << QString(page).replace("<HTML>", "<html lang=\"sv\">") << missing(1, "<HTML>");
    for (int i = 0; i < 8; ++i)
        QTest::addRow("no %s", qPrintable(Tags[i]))
            << QString(page).remove(Tags[i]) << missing(i + 1, Tags[i]);
    QTest::newRow("first missing one wins")
        << QString(page).remove("</HTML>").remove("<TITLE>") << missing(3, "<TITLE>");

    QTest::newRow("<HEAD> before <HTML>")
        << "<HEAD><HTML><TITLE></TITLE></HEAD><BODY></BODY></HTML>" << misplaced(11, 1, "<HEAD>");
    QTest::newRow("<body> before </head>")
        << "<html><head><title>x</title><body></head></body></html>" << misplaced(15, 29, "<BODY");
    QTest::newRow("missing wins over order")
        << "<HEAD><HTML><TITLE></TITLE></HEAD><BODY></BODY>" << missing(8, "</HTML>");

    // The second search ignores letter case too.
    for (int i = 0; i < 8; ++i)
        QTest::addRow("two %s", qPrintable(Tags[i]))
            << page + Tags[i].toLower() << twice(i + 21, int(page.size()) + 1, Tags[i]);
    QTest::newRow("first doubled entry wins")
        << page + "</HTML><TITLE>" << twice(23, int(page.size()) + 8, "<TITLE>");
    QTest::newRow("order wins over doubles")
        << "<HTML><HEAD><TITLE></TITLE><BODY></HEAD></BODY></HTML><TITLE>"
        << misplaced(15, 28, "<BODY");
}

void tst_checks::standardTags() {
    QFETCH(QString, text);
    QFETCH(Result, expected);
    QCOMPARE(Run(CheckStandardTags, text), expected);
}

void tst_checks::largeTextsAreReportedAtTheirEnd() {
    // Positions beyond 16 bits, and many tags before the fault.
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += "<a href=\"x\">y</a>\r\n";
    const int size = int(text.size());
    QCOMPARE(Run(CheckQuotes, text + "\""), (Result{1, size + 1, size + 1, Outside}));
    QCOMPARE(Run(CheckBrackets, text + "<b"), (Result{1, size + 1, size + 2, MissingGt}));
    QCOMPARE(Run(CheckStandardTags, StandardPage() + text + "<HEAD>"),
             (Result{22, int(StandardPage().size()) + size + 1, 6, "<HEAD> hittades två gånger."}));
}

QTEST_GUILESS_MAIN(tst_checks)
#include "tst_checks.moc"
