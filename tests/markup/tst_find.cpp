#include "markup/find.h"

#include <QtTest>

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

    void longTextOfBackslashes() {
        QString text(200000, QLatin1Char('\\'));
        text += QLatin1Char('n');
        const QString result = ExpandEscapes(text);
        QCOMPARE(result.size(), 100000 + 2);
        QVERIFY(result.endsWith(QLatin1String("\\\r\n")));
    }
};

QTEST_APPLESS_MAIN(tst_find)
#include "tst_find.moc"
