// Reading tags: attribute values, tag names, a tag taken apart verbatim, where tags end and
// finding the tag around the caret.

#include "markup/tagreading.h"

#include <QRandomGenerator>
#include <QtTest>

// Found by QCOMPARE next to TagLocation.
char* toString(const TagLocation& l) {
    return QTest::toString(QStringLiteral("outcome %1 start %2 length %3 caret %4 \"%5\"")
                               .arg(l.outcome)
                               .arg(l.start)
                               .arg(l.length)
                               .arg(l.caret)
                               .arg(l.tagText));
}

namespace {

TagLocation Found(qsizetype start, qsizetype length, const QString& tagText) {
    return {TagLocation::Found, start, length, 0, tagText};
}

TagLocation NotInTag(qsizetype caret) {
    return {TagLocation::NotInTag, 0, 0, caret, QString()};
}

} // namespace

Q_DECLARE_METATYPE(TagLocation)

class tst_tagreading : public QObject {
    Q_OBJECT

private slots:
    void getTagAttribute_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QString& tag, const QString& attr,
                      const QString& expected) { QTest::newRow(name) << tag << attr << expected; };
        row("unquoted", "img src=a.gif width=10", "src", "a.gif");
        row("double quotes keep blanks", "img alt=\"en bild\"", "alt", "en bild");
        row("name in any letter case", "IMG SRC=\"a.gif\"", "src", "a.gif");
        row("absent", "img src=a.gif", "alt", "");
        row("without value", "img src=a.gif ismap", "ismap", " ");
        row("without value before another", "td nowrap width=5", "nowrap", " ");
        row("unquoted ends at a blank", "font face=Arial Black", "face", "Arial");
        row("longer name is another", "table bordercolor=red", "border", "");
        row("longer name before the right one", "img srcset=\"a.png 2x\" src=b.png", "src",
            "b.png");
        row("not inside a quoted value", "body background=\"a text.gif\"", "text", "");
        row("after a quoted value", "body background=\"a text.gif\" text=red", "text", "red");
        row("unquoted ends at a line break", "img src=a.gif\r\nalt=x", "src", "a.gif");
        row("name after a tab", "img src=a.gif\talt=x", "alt", "x");
        row("single quotes", "a onclick='go(\"x\")'", "onclick", "go(\"x\")");
        row("blanks around =", "img src = \"a.gif\"", "src", "a.gif");
        row("quote never closed", "img alt=\"abc", "alt", "abc");
        row("= at the end", "img alt=", "alt", "");
        row("the first of two", "img src=a.gif src=b.gif", "src", "a.gif");
        row("the tag name is no attribute", "src x=1", "src", "");
        row("tag text with its <", "<BODY bgcolor=white", "bgcolor", "white");
        row("before an XHTML close", "input checked/", "checked", " ");
        row("a slash that is a value", "a href=/", "href", "/");
    }

    void getTagAttribute() {
        QFETCH(QString, tag);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(GetTagAttribute(tag, name), expected);
    }

    void isTagNamed_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");
        QTest::newRow("just the name") << "b"
                                       << "b" << true;
        QTest::newRow("letter case ignored") << "B"
                                             << "b" << true;
        QTest::newRow("longer name") << "bold"
                                     << "b" << false;
        QTest::newRow("frameset is no frame") << "frameset rows=*"
                                              << "frame" << false;
        QTest::newRow("blank") << "a href=x"
                               << "a" << true;
        QTest::newRow("line break") << "p\r\nalign=left"
                                    << "p" << true;
        QTest::newRow("tab") << "p\talign=left"
                             << "p" << true;
        QTest::newRow("=") << "a=x"
                           << "a" << true;
        QTest::newRow("two words") << "A HREF=x"
                                   << "a href" << true;
        QTest::newRow("two words, two blanks") << "a  href=x"
                                               << "a href" << false;
        QTest::newRow("XHTML close") << "br/"
                                     << "br" << true;
        QTest::newRow("slash inside") << "a/b"
                                      << "a" << false;
        QTest::newRow("end tag") << "/H1"
                                 << "/h1" << true;
    }

    void isTagNamed() {
        QFETCH(QString, tag);
        QFETCH(QString, name);
        QFETCH(bool, expected);
        QCOMPARE(IsTagNamed(tag, name), expected);
    }

    // The tag text → "name | attribute texts joined by | | value of each | close".
    void readTag_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("expected");
        QTest::newRow("quoted and bare") << "IMG SRC=\"a.gif\" ISMAP"
                                         << "IMG | SRC=\"a.gif\"|ISMAP | a.gif| | ";
        QTest::newRow("spelling kept")
            << "img src = 'a b.gif'  onClick=\"go()\""
            << "img | src = 'a b.gif'|onClick=\"go()\" | a b.gif|go() | ";
        QTest::newRow("over lines") << "img\r\nsrc=a\r\n\talt=b"
                                    << "img | src=a|alt=b | a|b | ";
        QTest::newRow("close after the name") << "br/"
                                              << "br |  |  | /";
        QTest::newRow("close after a blank") << "img src=a.gif / "
                                             << "img | src=a.gif | a.gif | /";
        QTest::newRow("close after a quote") << "img alt=\"x\"/"
                                             << "img | alt=\"x\" | x | /";
        QTest::newRow("slash of an unquoted value") << "img src=a.gif/"
                                                    << "img | src=a.gif/ | a.gif/ | ";
        QTest::newRow("close after a bare name") << "input checked/"
                                                 << "input | checked |  | /";
        QTest::newRow("just a slash") << "/"
                                      << "/ |  |  | ";
    }

    void readTag() {
        QFETCH(QString, tag);
        QFETCH(QString, expected);
        const TagParts parts = ReadTag(tag);
        QStringList texts;
        QStringList values;
        for (const TagAttribute& a : parts.attributes) {
            texts << a.text;
            values << a.value;
        }
        QCOMPARE(parts.name + " | " + texts.join('|') + " | " + values.join('|') + " | " +
                     (parts.xhtmlClose ? "/" : ""),
                 expected);
    }

    void locateTag_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<TagLocation>("expected");
        QTest::newRow("caret at the start") << "<b>x" << 0 << 0 << TagLocation();
        QTest::newRow("just after the <") << "x<b>y" << 2 << 0 << Found(1, 3, "b");
        QTest::newRow("just before the >") << "x<b>y" << 3 << 0 << Found(1, 3, "b");
        QTest::newRow("just after the >") << "x<b>y" << 4 << 0 << NotInTag(4);
        QTest::newRow("selection from the <") << "x<b>y" << 1 << 2 << Found(1, 3, "b");
        QTest::newRow("selection from the very start") << "<b>y" << 0 << 3 << Found(0, 3, "b");
        QTest::newRow("selection outside") << "abc<b>" << 1 << 1 << NotInTag(2);
        QTest::newRow("no < before") << "abc" << 2 << 0 << NotInTag(2);
        QTest::newRow("no > after") << "x<b" << 3 << 0 << NotInTag(3);
        QTest::newRow("> in a double-quoted value")
            << "<a href=x onclick=\"return a>b\">t" << 3 << 0
            << Found(0, 31, "a href=x onclick=\"return a>b\"");
        QTest::newRow("> in a single-quoted value")
            << "<a title='a>b'>" << 3 << 0 << Found(0, 15, "a title='a>b'");
        QTest::newRow("quote never closed")
            << "<a title=\"x>y" << 2 << 0 << Found(0, 12, "a title=\"x");
        QTest::newRow("quote not after =") << "<p \"x>y\">" << 2 << 0 << Found(0, 6, "p \"x");
        const QString far = QString(40000, u'x') + QStringLiteral("<b>");
        QTest::newRow("beyond 16 bits") << far << 40001 << 0 << Found(40000, 3, "b");
    }

    void locateTag() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(TagLocation, expected);
        QCOMPARE(LocateTag(text, selStart, selLength), expected);
    }

    // One finder asked for the ends of all tags of a text from its start to its end gives
    // the same ends as a fresh finder for each tag.
    void tagEndFinderRemembersCorrectly() {
        QRandomGenerator random(7);
        const QString alphabet = QStringLiteral("<>=\"' a");
        for (int round = 0; round < 300; ++round) {
            QString text;
            const int length = random.bounded(1, 40);
            for (int i = 0; i < length; ++i)
                text += alphabet[random.bounded(alphabet.size())];
            TagEndFinder finder(text);
            for (qsizetype lt = 0; lt < text.size(); ++lt)
                if (text[lt] == u'<')
                    QCOMPARE(finder.end(lt), FindTagEnd(text, lt));
        }
    }
};

QTEST_APPLESS_MAIN(tst_tagreading)
#include "tst_tagreading.moc"
