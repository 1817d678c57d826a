// Reading and writing Windows-1252 and UTF-8. The input is taken twice: as the bytes of a file,
// and as a text (pairs of bytes as UTF-16 code units, so any character, lone surrogates too).
//   - a file read in the encoding found and written back in it keeps every byte, under the
//     rules of documents and of table files alike; the UTF-8 check agrees with Qt's decoder;
//   - a text written and read back in each encoding comes back equal, except that each
//     character the encoding cannot hold comes back as "&#N;" with its code point; UTF-8
//     written is read back as UTF-8;
//   - detecting, decoding and encoding take time linear in their input.

#include "fuzzsupport.h"

#include "platform/encoding.h"

#include <QStringDecoder>

#include <cstring>

namespace {

const TextEncoding Encodings[] = {TextEncoding::Cp1252, TextEncoding::Utf8, TextEncoding::Utf8Bom};

QString name(TextEncoding encoding) {
    return EncodingName(encoding);
}

void checkFileRoundTrip(const QByteArray& bytes, EncodingRules rules) {
    const TextEncoding found = DetectEncoding(bytes, rules);
    const QString text = DecodeText(bytes, found);
    FUZZ_EQUAL(EncodeText(text, found), bytes,
               QStringLiteral("a file read and written back as ") + name(found));
    TextEncoding again = TextEncoding::Cp1252;
    FUZZ_EQUAL(DecodeDetected(bytes, rules, &again), text, QStringLiteral("detected decoding"));
    FUZZ_CHECK(again == found, QStringLiteral("DecodeDetected found ") + name(again));
    if (found == TextEncoding::Utf8Bom)
        FUZZ_CHECK(bytes.startsWith("\xEF\xBB\xBF"),
                   QStringLiteral("UTF-8 with BOM found without one: ") + Shown(bytes));
    if (found != TextEncoding::Cp1252)
        FUZZ_CHECK(IsValidUtf8(bytes.constData(), bytes.size()),
                   QStringLiteral("malformed UTF-8 read as UTF-8: ") + Shown(bytes));
}

// Qt's own decoder, without keeping state between calls, reports malformed UTF-8.
void checkUtf8Validity(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = decoder(bytes); // decodes only when taken
    FUZZ_CHECK(IsValidUtf8(bytes.constData(), bytes.size()) == !decoder.hasError(),
               QStringLiteral("IsValidUtf8 says %1, Qt says %2 for %3")
                   .arg(IsValidUtf8(bytes.constData(), bytes.size()))
                   .arg(!decoder.hasError())
                   .arg(Shown(bytes)));
}

QString reference(char32_t codePoint) {
    return QStringLiteral("&#%1;").arg(static_cast<uint>(codePoint));
}

// The text as it comes back from a file of the encoding: what the encoding cannot hold as
// "&#N;" (a surrogate pair as one code point).
QString afterRoundTrip(const QString& text, TextEncoding encoding) {
    const bool cp1252 = encoding == TextEncoding::Cp1252;
    QString expected;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            if (cp1252)
                expected += reference(QChar::surrogateToUcs4(c, text[i + 1]));
            else
                expected += text.mid(i, 2);
            ++i;
        } else if (c.isSurrogate() || (cp1252 && !FitsCp1252(QString(c)))) {
            expected += reference(c.unicode());
        } else {
            expected += c;
        }
    }
    return expected;
}

void checkTextRoundTrip(const QString& text) {
    for (const TextEncoding encoding : Encodings) {
        const QByteArray bytes = EncodeText(text, encoding);
        FUZZ_EQUAL(DecodeText(bytes, encoding), afterRoundTrip(text, encoding),
                   QStringLiteral("a text written and read back as ") + name(encoding));
    }
    FUZZ_CHECK(FitsCp1252(text) == (DecodeCp1252(EncodeCp1252(text)) == text),
               QStringLiteral("FitsCp1252 is wrong for ") + Shown(text));
    const QByteArray bom = EncodeText(text, TextEncoding::Utf8Bom);
    FUZZ_CHECK(DetectEncoding(bom, EncodingRules::Text) == TextEncoding::Utf8Bom,
               QStringLiteral("UTF-8 with BOM not recognised: ") + Shown(bom));
    const QByteArray utf8 = EncodeText(text, TextEncoding::Utf8);
    bool ascii = true;
    for (const char b : utf8)
        ascii = ascii && static_cast<unsigned char>(b) < 0x80;
    if (!ascii && !text.startsWith(QChar(0xFEFF)))
        FUZZ_CHECK(DetectEncoding(utf8, EncodingRules::Text) == TextEncoding::Utf8,
                   QStringLiteral("UTF-8 written is not read as UTF-8: ") + Shown(utf8));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkFileRoundTrip(bytes, EncodingRules::Text);
    checkFileRoundTrip(bytes, EncodingRules::Document);
    checkUtf8Validity(bytes);
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, static_cast<std::size_t>(text.size()) * sizeof(QChar));
    checkTextRoundTrip(text);

    if (WantsScaling(data, size)) {
        const QByteArray big = Repeated(bytes, ScaledSize);
        CheckLinearTime("reading a file", big.size(), [&] {
            for (const EncodingRules rules : {EncodingRules::Text, EncodingRules::Document})
                EncodeText(DecodeDetected(big, rules), DetectEncoding(big, rules));
        });
        // Every character outside Windows-1252 is looked up in the code page's table, which
        // the fuzzer's instrumentation makes slow: a quarter of the size is plenty.
        const QString bigText = Repeated(text, ScaledSize / 4);
        CheckLinearTime("writing a text", bigText.size(), [&] {
            for (const TextEncoding encoding : Encodings)
                DecodeText(EncodeText(bigText, encoding), encoding);
        });
    }
    return 0;
}
