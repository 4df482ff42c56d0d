#include "widgets/ClickLabel.h"

#include "widgets/VbColor.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    applyPalette();
}

void ClickLabel::setBackColor(std::int32_t vbColor) {
    m_backColor = vbColor;
    m_transparent = false;
    applyPalette();
}

void ClickLabel::setForeColor(std::int32_t vbColor) {
    m_foreColor = vbColor;
    applyPalette();
}

void ClickLabel::applyPalette() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, VbColor::toQColor(m_backColor));
    pal.setColor(QPalette::WindowText, VbColor::toQColor(m_foreColor));
    setPalette(pal);
    setAutoFillBackground(!m_transparent);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
