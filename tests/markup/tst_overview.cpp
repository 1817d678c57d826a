// The overview's list: single tags and stretches between two tags, their positions, and the
// editor selection that shows an entry.

#include "markup/overview.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// "text@start-end" per entry, joined by " || ".
QString Describe(const OverviewList& list) {
    QStringList parts;
    for (qsizetype i = 0; i < list.size(); ++i)
        parts << u"%1@%2-%3"_s.arg(list.displayText(i))
                     .arg(list.entry(i).start)
                     .arg(list.entry(i).end);
    return parts.join(u" || "_s);
}

} // namespace

class tst_overview : public QObject {
    Q_OBJECT

private slots:
    void build_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("onlyOne");
        QTest::addColumn<bool>("between");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QString& text, const QString& from, const QString& to,
                      bool onlyOne, bool between, const QString& expected) {
            QTest::newRow(name) << text << from << to << onlyOne << between << expected;
        };
        const QString headings = "<H1>Ett</H1>\r\n<p>x</p>\r\n<H1 class=a>Två</H1>";
        row("headings", headings, " h1 ", "/h1", false, false,
            "<H1>Ett</H1>@1-12 || <H1 class=a>Två</H1>@25-44");
        row("headings, text between only", headings, "h1", "/h1", false, true,
            "Ett@5-7 || Två@37-39");
        row("a is not address", "<ADDRESS>x</ADDRESS><A HREF=x>y</A>", "a", "/a", false, false,
            "<A HREF=x>y</A>@21-35");
        row("an end tag lookalike is passed over", "<a href=x>y</abbr>z</a>", "a", "/a", false,
            false, "<a href=x>y</abbr>z</a>@1-23");
        row("single tags, line break shown as blank", "<img src=a.gif><p><IMG\r\nsrc=b.gif>", "img",
            "", true, false, "<img src=a.gif>@1-15 || <IMG src=b.gif>@19-34");
        row("> in a quoted value", "<a title=\"1>2\">x</a>", "a", "", true, false,
            "<a title=\"1>2\">@1-15");
        row("nothing found", "<p>x</p>", "h1", "/h1", false, false, "(inga hittade)@0-0");
        row("a start tag without end tag ends the list", "<b>1</b><b>2<i>3", "b", "/b", false,
            false, "<b>1</b>@1-8");
        row("stretches that begin inside another", "<li>a<li>b</ul>", "li", "/ul", false, false,
            "<li>a<li>b</ul>@1-15 || <li>b</ul>@6-15");
        row("empty stretch", "<h1></h1>", "h1", "/h1", false, true, "@5-4");
        row("end tag without >", "<h1>x</h1", "h1", "/h1", false, false, "<h1>x</h1@1-9");
        row("long stretch cut for showing", "<h1>" + QString(1500, u'x') + "</h1>", "h1", "/h1",
            false, true, QString(OverviewEntryDisplayLimit, u'x') + u"…@5-1504"_s);
    }

    void build() {
        QFETCH(QString, text);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, onlyOne);
        QFETCH(bool, between);
        QFETCH(QString, expected);
        QCOMPARE(Describe(BuildOverview(text, from, to, onlyOne, between)), expected);
    }

    void selection_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("textLength");
        QTest::addColumn<int>("selStart"); // -1: nothing to show
        QTest::addColumn<int>("selLength");
        auto row = [](const char* name, int start, int end, int textLength, int selStart,
                      int selLength) {
            QTest::newRow(name) << start << end << textLength << selStart << selLength;
        };
        row("stretch", 5, 7, 100, 4, 3);
        row("empty stretch", 5, 4, 100, 4, 0);
        row("(inga hittade)", 0, 0, 100, -1, 0);
        row("text shortened since", 5, 50, 20, 4, 16);
        row("stretch beyond the text", 30, 40, 20, 20, 0);
    }

    void selection() {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, textLength);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        const auto selection = SelectionForEntry({start, end}, textLength);
        if (selStart < 0)
            QVERIFY(!selection);
        else
            QCOMPARE(selection, (OverviewSelection{selStart, selLength}));
    }
};

QTEST_APPLESS_MAIN(tst_overview)
#include "tst_overview.moc"
