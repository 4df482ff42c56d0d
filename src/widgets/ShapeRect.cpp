#include "widgets/ShapeRect.h"

#include "widgets/VbColor.h"

#include <QPainter>

ShapeRect::ShapeRect(int borderWidth, std::int32_t borderColor, QWidget* parent)
    : QWidget(parent), m_borderWidth(borderWidth), m_borderColor(borderColor) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeRect::setFill(std::int32_t vbColor) {
    m_filled = true;
    m_fill = vbColor;
    update();
}

void ShapeRect::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_filled)
        p.fillRect(rect(), VbColor::toQColor(m_fill));
    const int w = m_borderWidth;
    QPen pen(VbColor::toQColor(m_borderColor), w);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.drawRect(QRectF(rect()).adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0));
}
