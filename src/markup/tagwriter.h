#pragma once
// The tag writer: spells tag names and attributes in the user's chosen style (letter case
// TagCase, quoting AttrQuoteStyle, the ForceLowerCase rule) and drops attributes that have
// no value. Every tag the program writes is built from these pieces.

#include <QString>

// Value kinds of FormatAttribute.
constexpr int AttrText = 1;          // text, written as it is (ForceLowerCase applies)
constexpr int AttrTagName = 2;       // no value: the name itself, e.g. "<TABLE" or "NOWRAP"
constexpr int AttrNumber = 3;        // a plain decimal number
constexpr int AttrPercent = 4;       // a plain decimal number followed by "%"
constexpr int AttrNumberNonZero = 5; // a plain decimal number, left out when it is 0
constexpr int AttrNonNegative = 6;   // text, left out when its leading number is negative

// The name in the letter case of TagCase: 0 all capitals, 1 all small letters, 2 small
// letters with the first letter of the name (after a leading "<" or "</") a capital.
// Any other TagCase leaves the name as it is.
QString RecaseName(const QString& name);

// One tag name or attribute in the current style. The result is " " + name for kind 2,
// " " + name + "=" + value in quotes (quotes left out for numbers when AttrQuoteStyle is 1)
// for the other kinds, and "" when the attribute is left out. Every result begins with a
// blank, so results can be appended one after another and the finished tag trimmed.
//
// The caller's variables change: name and value are trimmed of blanks, and name is recased
// by TagCase unless the attribute is left out for want of a value (empty value, or a
// negative number with kind 6). The number normalisation and the lower-casing of the value
// happen only in the result.
QString FormatAttribute(QString& name, QString& value, int kind);

// The same when only one of the two is a variable (the other a literal or temporary): that
// variable is still trimmed (and, for the name, recased).
QString FormatAttribute(QString& name, const QString& value, int kind);
QString FormatAttribute(const QString& name, QString& value, int kind);

// The same for literals and temporaries, whose trimming and recasing nobody sees.
QString FormatAttribute(const QString& name, const QString& value, int kind);
