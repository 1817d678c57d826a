#include "markup/find.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class tst_find : public QObject {
    Q_OBJECT

private slots:
    void expandEscapes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("no escapes") << "<table>"
                                    << "<table>";
        QTest::newRow("line break") << "\\n"
                                    << "\r\n";
        QTest::newRow("tab") << "\\t"
                             << "\t";
        QTest::newRow("backslash") << "\\\\"
                                   << "\\";
        QTest::newRow("paragraph") << "</p>\\n<p>"
                                   << "</p>\r\n<p>";
        QTest::newRow("two line breaks") << "a\\n\\nb"
                                         << "a\r\n\r\nb";
        QTest::newRow("line break wins over backslash") << "\\\\n"
                                                        << "\\\r\n";
        QTest::newRow("tab wins over backslash") << "\\\\t"
                                                 << "\\\t";
        QTest::newRow("tab before line break") << "<td>\\t\\n"
                                               << "<td>\t\r\n";
        QTest::newRow("backslash before line break") << "\\\\x\\n"
                                                     << "\\x\r\n";
        QTest::newRow("three backslashes") << "\\\\\\"
                                           << "\\\\";
        QTest::newRow("four backslashes") << "\\\\\\\\"
                                          << "\\\\";
        QTest::newRow("no new escape from a backslash") << "\\\\\\\\n"
                                                        << "\\\\\r\n";
        QTest::newRow("lone backslash at end") << "abc\\"
                                               << "abc\\";
        QTest::newRow("other letters") << "\\N\\T\\r"
                                       << "\\N\\T\\r";
        QTest::newRow("real break stays") << "a\r\nb"
                                          << "a\r\nb";
    }

    void expandEscapes() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QString argument = text;
        QCOMPARE(ExpandEscapes(argument), expected);
        QCOMPARE(argument, expected);
    }

    void findInText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("found");
        QTest::newRow("any case") << "<table>"
                                  << "TABLE" << 0 << false << 1;
        QTest::newRow("exact case") << "<table>"
                                    << "TABLE" << 0 << true << -1;
        // The rule of the standard-tag check: capitals compared, so "ı" is taken for "i".
        QTest::newRow("dotless i") << u"<tıtle>"_s << "<TITLE>" << 0 << false << 0;
        QTest::newRow("sharp s is not SS") << u"Straße"_s << "STRASSE" << 0 << false << -1;
        QTest::newRow("after from") << "abab"
                                    << "ab" << 1 << false << 2;
        QTest::newRow("pattern repeats itself") << "aabaabaaab"
                                                << "aaab" << 0 << true << 6;
        QTest::newRow("from past the end") << "abc"
                                           << "c" << 4 << false << -1;
    }

    void findInText() {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(int, from);
        QFETCH(bool, matchCase);
        QFETCH(int, found);
        QCOMPARE(FindInText(text, pattern, from, matchCase), qsizetype(found));
    }

    void longTextOfBackslashes() {
        QString text(200000, u'\\');
        text += u'n';
        const QString result = ExpandEscapes(text);
        QCOMPARE(result.size(), 100000 + 2);
        QVERIFY(result.endsWith("\\\r\n"_L1));
    }
};

QTEST_APPLESS_MAIN(tst_find)
#include "tst_find.moc"
