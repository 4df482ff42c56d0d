#pragma once
#include <QSizeF>

class QWidget;

// Scales a window's controls from the reference screen of 19200 x 12000 twips to the real one: positions
// and sizes by the width and height ratios, fonts by the height ratio (and no longer bold).
struct ScreenFactors {
    float fx;
    float fy;
};

ScreenFactors screenFactors(QSizeF screenTwips);
// The size in twips of the screen the window opens on.
QSizeF screenSizeTwips(const QWidget* window);

void FitToScreen(QWidget* window, bool scaleWindow, bool scaleFonts);
void FitToScreen(QWidget* window, bool scaleWindow, bool scaleFonts, QSizeF screenTwips);
