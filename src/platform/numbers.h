#pragma once
// Numbers in texts: reading a number at the start of a text, rounding to an integer and
// writing a number back as text. The decimal separator is always ".", whatever the locale.

#include <QString>
#include <optional>

// The number at the start of the text: blanks and tabs are skipped, then an optional sign,
// digits and at most one "."; reading stops at the first character that cannot continue the
// number. A text without a number gives 0 ("12px" gives 12, ".5" gives 0.5, "abc" gives 0).
// There is no exponent: "1e3" gives 1. The result is always finite.
double LeadingNumber(const QString& text);

// The value of a text that is one number and nothing else (blanks and tabs around it are
// allowed), in the same form as LeadingNumber reads: " -2.5 " gives -2.5; "", "abc", "12px"
// and "1e3" give no value.
std::optional<double> NumberValue(const QString& text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4,
// -2.5 gives -2). Values beyond the range of int give its nearest end; NaN gives 0.
int RoundHalfEven(double value);

// The number as text with "." and without needless zeros or exponent: 2.5 gives "2.5",
// 7.0 gives "7", -0 gives "0". The digits are the shortest that read back as the same value.
// A value that is not finite gives "0".
QString NumberText(double value);
