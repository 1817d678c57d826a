// Reading tags: attribute values, tag names, a tag taken apart verbatim, where tags end and
// finding the tag around the caret.

#include "markup/tagreading.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// "found start length tagText", "not in tag, caret at N" or "nothing".
QString Describe(const TagLocation& l) {
    switch (l.outcome) {
    case TagLocation::Found:
        return u"found %1 %2 %3"_s.arg(l.start).arg(l.length).arg(l.tagText);
    case TagLocation::NotInTag:
        return u"not in tag, caret at %1"_s.arg(l.caret);
    default:
        return u"nothing"_s;
    }
}

} // namespace

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
        row("unquoted ends at a blank", "font face=Arial Black", "face", "Arial");
        row("longer name before the right one", "img srcset=\"a.png 2x\" src=b.png", "src",
            "b.png");
        row("not inside a quoted value", "body background=\"a text.gif\" text=red", "text", "red");
        row("quote never closed", "img alt=\"abc", "alt", "abc");
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
        auto row = [](const char* name, const QString& tag, const QString& tagName, bool expected) {
            QTest::newRow(name) << tag << tagName << expected;
        };
        row("letter case ignored", "B", "b", true);
        row("longer name", "frameset rows=*", "frame", false);
        row("line break", "p\r\nalign=left", "p", true);
        row("two words", "A HREF=x", "a href", true);
        row("two words, two blanks", "a  href=x", "a href", false);
        row("XHTML close", "br/", "br", true);
        row("slash inside", "a/b", "a", false);
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
        auto row = [](const char* name, const QString& tag, const QString& expected) {
            QTest::newRow(name) << tag << expected;
        };
        row("quoted and bare", "IMG SRC=\"a.gif\" ISMAP", "IMG | SRC=\"a.gif\"|ISMAP | a.gif| | ");
        row("spelling kept", "img src = 'a b.gif'  onClick=\"go()\"",
            "img | src = 'a b.gif'|onClick=\"go()\" | a b.gif|go() | ");
        row("close after the name", "br/", "br |  |  | /");
        row("close after a blank", "img src=a.gif / ", "img | src=a.gif | a.gif | /");
        row("slash of an unquoted value", "img src=a.gif/", "img | src=a.gif/ | a.gif/ | ");
        row("just a slash", "/", "/ |  |  | ");
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
        QTest::addColumn<QString>("expected");
        QTest::newRow("caret at the start") << "<b>x" << 0 << 0 << "nothing";
        QTest::newRow("just after the <") << "x<b>y" << 2 << 0 << "found 1 3 b";
        QTest::newRow("just after the >") << "x<b>y" << 4 << 0 << "not in tag, caret at 4";
        QTest::newRow("selection from the <") << "x<b>y" << 1 << 2 << "found 1 3 b";
        QTest::newRow("selection outside") << "abc<b>" << 1 << 1 << "not in tag, caret at 2";
        QTest::newRow("no < before") << "abc" << 2 << 0 << "not in tag, caret at 2";
        QTest::newRow("no > after") << "x<b" << 3 << 0 << "not in tag, caret at 3";
        QTest::newRow("> in a double-quoted value")
            << "<a href=x onclick=\"return a>b\">t" << 3 << 0
            << "found 0 31 a href=x onclick=\"return a>b\"";
        QTest::newRow("quote never closed")
            << "<a title=\"x>y" << 2 << 0 << "found 0 12 a title=\"x";
        QTest::newRow("quote not after =") << "<p \"x>y\">" << 2 << 0 << "found 0 6 p \"x";
        const QString far = QString(40000, u'x') + u"<b>"_s;
        QTest::newRow("beyond 16 bits") << far << 40001 << 0 << "found 40000 3 b";
    }

    void locateTag() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, expected);
        QCOMPARE(Describe(LocateTag(text, selStart, selLength)), expected);
    }
};

QTEST_APPLESS_MAIN(tst_tagreading)
#include "tst_tagreading.moc"
