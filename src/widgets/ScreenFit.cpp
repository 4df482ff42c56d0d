#include "widgets/ScreenFit.h"

#include "widgets/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
constexpr float ReferenceWidth = 19200.0f;
constexpr float ReferenceHeight = 12000.0f;
} // namespace

ScreenFactors screenFactors(QSizeF screenTwips) {
    return {static_cast<float>(screenTwips.width()) / ReferenceWidth,
            static_cast<float>(screenTwips.height()) / ReferenceHeight};
}

QSizeF screenSizeTwips(const QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {ReferenceWidth, ReferenceHeight};
    const double twipsPerPixel = 1440.0 / screen->logicalDotsPerInch();
    return screen->size() * twipsPerPixel;
}

void FitToScreen(QWidget* window, bool scaleWindow, bool scaleFonts) {
    FitToScreen(window, scaleWindow, scaleFonts, screenSizeTwips(window));
}

void FitToScreen(QWidget* window, bool scaleWindow, bool scaleFonts, QSizeF screenTwips) {
    const ScreenFactors f = screenFactors(screenTwips);
    if (scaleWindow && Twips::isPlaced(window)) {
        const QRectF r = Twips::rect(window);
        Twips::setRect(window, QRectF(r.left() * f.fx, r.top() * f.fy, r.width() * f.fx, r.height() * f.fy));
        window->resize(
            window->size()); // a maximized window keeps its size; its controls are scaled all the same
    }
    // Every control the window designed, in creation order; controls inside a frame keep their place in it
    // because the frame and they are scaled by the same factors.
    const auto controls = window->findChildren<QWidget*>();
    for (QWidget* c : controls) {
        if (!Twips::isPlaced(c))
            continue;
        const QRectF r = Twips::rect(c);
        Twips::setRect(c, QRectF(r.left() * f.fx, r.top() * f.fy, r.width() * f.fx, r.height() * f.fy));
        if (scaleFonts) {
            QFont font = c->font();
            font.setPointSizeF(font.pointSizeF() * f.fy);
            font.setBold(false);
            c->setFont(font);
        }
    }
}
