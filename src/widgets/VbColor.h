#pragma once
#include <QColor>
#include <QString>
#include <cstdint>
#include <initializer_list>

// Colours as the desk stores them: a 32-bit &H00BBGGRR value; with the top bit set, the low byte names a
// system colour (&H8000000F is the button face) drawn from the desktop palette.
namespace VbColor {

constexpr std::int32_t ButtonFace = static_cast<std::int32_t>(0x8000000F);
// The red of the desk's warnings, Stop and close buttons and paused or failed titles.
constexpr std::int32_t Red = 0x000000FF;

QColor toQColor(std::int32_t value);

// The contrast ratio of two colours as the web accessibility guidelines define it: 1 (same) to 21 (black on
// white); 4.5 is what normal text needs to be read easily.
double contrast(const QColor& a, const QColor& b);
// The first of the candidates that stands out from background with at least minContrast; the one with the
// most contrast when none does.
QColor readableOn(const QColor& background, std::initializer_list<QColor> candidates,
                  double minContrast = 4.5);

} // namespace VbColor
