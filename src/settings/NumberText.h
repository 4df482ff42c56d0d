#pragma once
#include <QString>
#include <optional>

// Numbers as the settings and start-offset files hold them: decimal text, typed by hand at times.
namespace NumberText {

// The leading number of a text ("12abc" -> 12, "" -> 0, " 2.5" -> 2.5), the way the desk always read
// numbers from its labels.
double leadingValue(const QString& text);

// A whole decimal number that fits in 32 bits, blanks around allowed; nothing for anything else.
std::optional<long> wholeNumber(const QString& text);

// A number for display with the locale's decimal separator, no thousands separator, no trailing zeros
// (12.5 -> "12,5" under a German locale, 2 -> "2", -0.1 -> "-0,1").
QString display(double value);

} // namespace NumberText
