#include "platform/numbers.h"

#include <QtTest>
#include <clocale>
#include <limits>

using namespace Qt::StringLiterals;

class tst_numbers : public QObject {
    Q_OBJECT

private slots:
    void leadingNumber_data();
    void leadingNumber();
    void leadingNumberIgnoresTheLocale();
    void leadingNumberStaysFinite();
    void numberValue_data();
    void numberValue();
    void roundHalfEven_data();
    void roundHalfEven();
    void numberText_data();
    void numberText();
};

void tst_numbers::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("unit after the number") << "12px" << 12.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("negative") << "-7" << -7.0;
    QTest::newRow("plus sign") << "+3" << 3.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("no exponent") << "1e3" << 1.0;
    QTest::newRow("leading blanks and tabs") << " \t 42" << 42.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign then blank") << "- 3" << 0.0;
    QTest::newRow("comma is no separator") << "2,5" << 2.0;
    QTest::newRow("negative zero") << "-0" << 0.0;
    QTest::newRow("large") << "1234567890123" << 1234567890123.0;
}

void tst_numbers::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double value = LeadingNumber(text);
    QCOMPARE(value, expected);
    QVERIFY(!std::signbit(value) || value != 0.0);
}

void tst_numbers::leadingNumberIgnoresTheLocale() {
    // A Swedish locale writes "2,5"; the reading must still take "." as the separator.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const QByteArray saved = old ? QByteArray(old) : QByteArray("C");
    if (!std::setlocale(LC_NUMERIC, "sv_SE.UTF-8"))
        QSKIP("No Swedish locale on this machine");
    const double value = LeadingNumber(u"2.5"_s);
    std::setlocale(LC_NUMERIC, saved.constData());
    QCOMPARE(value, 2.5);
}

void tst_numbers::leadingNumberStaysFinite() {
    const double big = LeadingNumber(QString(400, u'9'));
    QVERIFY(std::isfinite(big));
    QVERIFY(big > 1e300);
}

void tst_numbers::numberValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "2" << true << 2.0;
    QTest::newRow("blanks around") << " -2.5\t" << true << -2.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("unit") << "12px" << false << 0.0;
    QTest::newRow("exponent") << "1e3" << false << 0.0;
}

void tst_numbers::numberValue() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, expected);
    const std::optional<double> value = NumberValue(text);
    QCOMPARE(value.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*value, expected);
}

void tst_numbers::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("half down to even") << 2.5 << 2;
    QTest::newRow("half up to even") << 3.5 << 4;
    QTest::newRow("negative half") << -2.5 << -2;
    QTest::newRow("above half") << 2.6 << 3;
    QTest::newRow("just below a half") << 2.4999999999999996 << 2;
    QTest::newRow("16-bit end") << -32768.0 << -32768;
    QTest::newRow("too large") << 1e12 << std::numeric_limits<int>::max();
    QTest::newRow("too small") << -1e12 << std::numeric_limits<int>::min();
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity()
                              << std::numeric_limits<int>::max();
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void tst_numbers::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(RoundHalfEven(value), expected);
}

void tst_numbers::numberText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("needless zero") << LeadingNumber(u"2.50"_s) << "2.5";
    QTest::newRow("whole") << 7.0 << "7";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("negative") << -12.25 << "-12.25";
    QTest::newRow("large whole") << 1e20 << "100000000000000000000";
    QTest::newRow("small") << 0.00001 << "0.00001";
    QTest::newRow("thousands without separator") << 7215.0 << "7215";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "0";
}

void tst_numbers::numberText() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText(value), expected);
    if (std::isfinite(value))
        QCOMPARE(LeadingNumber(NumberText(value)), value == 0.0 ? 0.0 : value);
}

QTEST_MAIN(tst_numbers)
#include "tst_numbers.moc"
