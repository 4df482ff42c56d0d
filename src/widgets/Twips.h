#pragma once
#include <QRectF>

class QWidget;

// Design positions are twips (15 to a pixel at 96 dpi). Each placed widget keeps its twip rectangle so
// the screen fit can scale what was designed, not what the pixels rounded it to.
namespace Twips {

constexpr double PerPixel = 15.0;

void place(QWidget* w, double left, double top, double width, double height);
QRectF rect(const QWidget* w);
bool isPlaced(const QWidget* w);
void setRect(QWidget* w, const QRectF& twips);

} // namespace Twips
