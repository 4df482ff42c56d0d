#include "widgets/VbColor.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace VbColor {

namespace {

QColor systemColor(int index) {
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 1:  // desktop
    case 12: // application workspace
        return pal.color(QPalette::Window);
    case 2:  // active caption
    case 13: // highlight
        return pal.color(QPalette::Highlight);
    case 5: // window background
        return pal.color(QPalette::Base);
    case 6:  // window frame
    case 7:  // menu text
    case 8:  // window text
    case 18: // button text
        return pal.color(QPalette::WindowText);
    case 14: // highlight text
    case 9:  // caption text
        return pal.color(QPalette::HighlightedText);
    case 16: // button shadow
        return pal.color(QPalette::Dark);
    case 17: // grey text
        return pal.color(QPalette::Disabled, QPalette::Text);
    case 20: // 3D highlight
        return pal.color(QPalette::Light);
    case 24: // tool tip background
        return pal.color(QPalette::ToolTipBase);
    case 23: // tool tip text
        return pal.color(QPalette::ToolTipText);
    default: // 15 button face, 4 menu, 3 inactive caption and everything unknown
        return pal.color(QPalette::Button);
    }
}

} // namespace

QColor toQColor(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    if (v & 0x80000000u)
        return systemColor(static_cast<int>(v & 0xFF));
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

namespace {
double luminance(const QColor& c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
} // namespace

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& background, std::initializer_list<QColor> candidates, double minContrast) {
    QColor best;
    for (const QColor& c : candidates) {
        if (contrast(c, background) >= minContrast)
            return c;
        if (!best.isValid() || contrast(c, background) > contrast(best, background))
            best = c;
    }
    return best;
}

} // namespace VbColor
