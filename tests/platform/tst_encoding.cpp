// Which encoding a file's bytes are read in, and that what is read is written back as it was.

#include "platform/encoding.h"

#include <QtTest>

Q_DECLARE_METATYPE(TextEncoding)
Q_DECLARE_METATYPE(EncodingRules)

class tst_encoding : public QObject {
    Q_OBJECT
private slots:
    void detection_data();
    void detection();
};

void tst_encoding::detection_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<EncodingRules>("rules");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QString>("text");
    const auto text = EncodingRules::Text;
    const auto page = EncodingRules::Document;
    const auto cp1252 = TextEncoding::Cp1252;
    const auto utf8 = TextEncoding::Utf8;
    QTest::newRow("ascii") << QByteArray("a &auml;") << text << cp1252 << "a &auml;";
    QTest::newRow("windows-1252 letters") << QByteArray("\xe4 \x80") << text << cp1252 << "ä €";
    QTest::newRow("multi-byte UTF-8")
        << QByteArray("\xc3\xa4 &auml;") << text << utf8 << "ä &auml;";
    QTest::newRow("byte-order mark")
        << QByteArray("\xef\xbb\xbfx") << text << TextEncoding::Utf8Bom << "x";
    QTest::newRow("overlong form") << QByteArray("\xc0\xafx") << text << cp1252 << "À¯x";
    QTest::newRow("encoded surrogate")
        << QByteArray("\xed\xa0\x80") << text << cp1252 << "í\u00a0€";
    QTest::newRow("cut off at the end") << QByteArray("a\xc3") << text << cp1252 << "aÃ";
    QTest::newRow("byte-order mark, then malformed")
        << QByteArray("\xef\xbb\xbf\xe4") << text << cp1252 << "ï»¿ä";
    const QByteArray declared = "<meta charset=\"UTF-8\"><p>x";
    QTest::newRow("declared utf-8, text rules")
        << declared << text << cp1252 << QString::fromLatin1(declared);
    QTest::newRow("declared utf-8, page rules")
        << declared << page << utf8 << QString::fromLatin1(declared);
}

void tst_encoding::detection() {
    QFETCH(QByteArray, bytes);
    QFETCH(EncodingRules, rules);
    QFETCH(TextEncoding, encoding);
    QFETCH(QString, text);
    TextEncoding found = TextEncoding::Utf8Bom;
    QCOMPARE(DecodeDetected(bytes, rules, &found), text);
    QCOMPARE(found, encoding);
    // Written back in the encoding it was read in, every byte is as it was.
    QCOMPARE(EncodeText(text, found), bytes);
}

QTEST_APPLESS_MAIN(tst_encoding)
#include "tst_encoding.moc"
