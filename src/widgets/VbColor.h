#pragma once
#include <QColor>
#include <QString>
#include <cstdint>

// Colours as the desk stores them: a 32-bit &H00BBGGRR value; with the top bit set, the low byte names a
// system colour (&H8000000F is the button face) drawn from the desktop palette.
namespace VbColor {

constexpr std::int32_t ButtonFace = static_cast<std::int32_t>(0x8000000F);

QColor toQColor(std::int32_t value);

} // namespace VbColor
