#include "widgets/Twips.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace Twips {

namespace {
const char* const Property = "klangwartTwips";

int px(double twips) {
    return static_cast<int>(std::lround(twips / PerPixel));
}
} // namespace

void setRect(QWidget* w, const QRectF& r) {
    w->setProperty(Property, r);
    w->setGeometry(px(r.left()), px(r.top()), std::max(1, px(r.width())), std::max(1, px(r.height())));
}

void place(QWidget* w, double left, double top, double width, double height) {
    setRect(w, QRectF(left, top, width, height));
}

QRectF rect(const QWidget* w) {
    return w->property(Property).toRectF();
}

bool isPlaced(const QWidget* w) {
    return w->property(Property).isValid();
}

} // namespace Twips
