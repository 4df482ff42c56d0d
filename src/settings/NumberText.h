#pragma once
#include <QString>
#include <optional>

// Numbers as the settings and start-offset files hold them: decimal text, typed by hand at times.
namespace NumberText {

// The leading number of a text ("12abc" -> 12, "" -> 0, " 2.5" -> 2.5, "&H1F" -> 31), the way the desk always
// read numbers from its labels.
double leadingValue(const QString& text);

// A whole number that fits in 32 bits, as the desk's files have always been read: decimal, or "&H"
// hexadecimal or "&O" octal with an optional trailing "&" (up to 32 bits, read as signed: "&H8000000F" is
// negative), blanks around allowed. Nothing for anything else ("0x1F", "12.5", "").
std::optional<long> wholeNumber(const QString& text);

// A number for display with the locale's decimal separator, no thousands separator, no trailing zeros
// (12.5 -> "12,5" under a German locale, 2 -> "2", -0.1 -> "-0,1").
QString display(double value);

} // namespace NumberText
