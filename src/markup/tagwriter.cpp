#include "markup/tagwriter.h"

#include "markup/globals.h"
#include "platform/numbers.h"
#include "platform/textrules.h"

namespace {

bool isNumberKind(int kind) {
    return kind == AttrNumber || kind == AttrPercent || kind == AttrNumberNonZero;
}

} // namespace

QString RecaseName(const QString& name) {
    switch (TagCase) {
    case 0:
        return UpperChars(name);
    case 1:
        return LowerChars(name);
    case 2: {
        QString result = LowerChars(name);
        // The letter after "<" or "</" of a tag start or end tag, else the first one.
        qsizetype at = 0;
        if (result.startsWith(QLatin1String("</")))
            at = 2;
        else if (result.startsWith(QLatin1Char('<')))
            at = 1;
        if (at < result.size())
            result[at] = result.at(at).toUpper();
        return result;
    }
    default:
        return name;
    }
}

QString FormatAttribute(QString& name, QString& value, int kind) {
    QString quote = QStringLiteral("\"");
    name = TrimBlanks(name);
    value = TrimBlanks(value);

    if (value.isEmpty() && kind != AttrTagName)
        return QString();
    if (kind == AttrNonNegative && LeadingNumber(value) < 0)
        return QString();

    name = RecaseName(name);
    if (kind == AttrTagName)
        return QLatin1Char(' ') + name;

    QString written = value;
    if (isNumberKind(kind)) {
        if (AttrQuoteStyle == 1)
            quote.clear();
        double number = LeadingNumber(value);
        if (number == 0.0)
            number = 0.0; // "-0" is written as "0"
        written = NumberText(number);
        if (kind == AttrNumberNonZero && (number == 0.0 || written == QLatin1String("0")))
            return QString();
        if (kind == AttrPercent)
            written += QLatin1Char('%');
    } else if (kind == AttrText && ForceLowerCase && written == UpperChars(written)) {
        written = LowerChars(written);
    }
    return QLatin1Char(' ') + name + QLatin1Char('=') + quote + written + quote;
}

QString FormatAttribute(QString& name, const QString& value, int kind) {
    QString valueCopy = value;
    return FormatAttribute(name, valueCopy, kind);
}

QString FormatAttribute(const QString& name, QString& value, int kind) {
    QString nameCopy = name;
    return FormatAttribute(nameCopy, value, kind);
}

QString FormatAttribute(const QString& name, const QString& value, int kind) {
    QString nameCopy = name;
    QString valueCopy = value;
    return FormatAttribute(nameCopy, valueCopy, kind);
}
