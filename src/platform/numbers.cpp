#include "platform/numbers.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads a number starting at `from` (after any blanks). Returns the index just after the
// number, or -1 when no digit was found; `value` receives the number.
qsizetype scanNumber(QStringView text, qsizetype from, double& value) {
    qsizetype i = from;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < n; ++i) {
        if (isDigit(text[i])) {
            digits = true;
        } else if (text[i] == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return -1;
    // The scanned part holds only ASCII digits, one point and a sign, so Latin-1 is exact.
    QByteArray number = text.mid(start, i - start).toLatin1();
    if (number.endsWith('.'))
        number.chop(1); // "5." is 5; strtod would take it too, but keep the text plain
    // QByteArray::toDouble reads in the C locale, whatever the program's locale is.
    // A number too large for a double fails to convert: it becomes the largest one.
    bool ok = false;
    value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        value = number.startsWith('-') ? -std::numeric_limits<double>::max()
                                       : std::numeric_limits<double>::max();
    if (value == 0.0)
        value = 0.0; // no negative zero
    return i;
}

} // namespace

double LeadingNumber(const QString& text) {
    double value = 0.0;
    if (scanNumber(text, 0, value) < 0)
        return 0.0;
    return value;
}

std::optional<double> NumberValue(const QString& text) {
    double value = 0.0;
    qsizetype end = scanNumber(text, 0, value);
    if (end < 0)
        return std::nullopt;
    while (end < text.size() && isBlank(text[end]))
        ++end;
    if (end != text.size())
        return std::nullopt;
    return value;
}

int RoundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double maxInt = std::numeric_limits<int>::max();
    constexpr double minInt = std::numeric_limits<int>::min();
    if (value >= maxInt)
        return std::numeric_limits<int>::max();
    if (value <= minInt)
        return std::numeric_limits<int>::min();
    // Within int range the fraction value - floor(value) is computed exactly.
    const double below = std::floor(value);
    const double fraction = value - below;
    double result = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        result = below + 1.0;
    return static_cast<int>(result);
}

QString NumberText(double value) {
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}
