#include "widgets/VbButton.h"

#include "widgets/VbColor.h"

#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <algorithm>

VbButton::VbButton(QWidget* parent) : QPushButton(parent), m_backColor(VbColor::ButtonFace) {
    setFocusPolicy(Qt::StrongFocus);
}

namespace {
// How long the pressed look of an access key stays, as a push button's own animated click shows it.
constexpr int PressedLookMs = 100;
} // namespace

bool VbButton::event(QEvent* e) {
    // A push button answers its access key with an animated click that fires only after the pressed look has
    // been shown for 100 ms; at a match that is a jingle 100 ms late. Here the click comes first, the look
    // after.
    if (e->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(e)->isAmbiguous() && isEnabled()) {
        click();
        setDown(true);
        QTimer::singleShot(PressedLookMs, this, [this] { setDown(false); });
        return true;
    }
    return QPushButton::event(e);
}

void VbButton::setBackColor(std::int32_t vbColor) {
    if (vbColor == m_backColor)
        return;
    m_backColor = vbColor;
    update();
}

void VbButton::setMark(Mark mark) {
    if (mark == m_mark)
        return;
    m_mark = mark;
    update();
}

void VbButton::setCornerText(const QString& text) {
    if (text == m_corner)
        return;
    m_corner = text;
    update();
}

QColor VbButton::captionColorShown() const {
    const QColor face = VbColor::toQColor(m_backColor);
    switch (m_mark) {
    case Mark::Fault:
        // Red on a red team colour or on the played green would vanish: the first colour that reads well.
        return VbColor::readableOn(face, {QColor(0xB0, 0x00, 0x00), QColor(Qt::white), QColor(Qt::black)});
    case Mark::Empty:
        return VbColor::readableOn(face, {QColor(0x60, 0x60, 0x60), QColor(0xD0, 0xD0, 0xD0)}, 3.0);
    case Mark::None:
        break;
    }
    return QColor(Qt::black);
}

void VbButton::setCaption(const QString& caption) {
    setText(caption);
}

void VbButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const QColor face = VbColor::toQColor(m_backColor);
    p.fillRect(r, face);
    // A raised bevel, sunk while pressed, like the classic graphical buttons.
    const bool down = isDown();
    p.setPen(down ? face.darker(170) : QColor(Qt::white));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(down ? QColor(Qt::white) : face.darker(170));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    const QColor caption = captionColorShown();
    if (m_mark == Mark::Fault) { // a frame in the caption's colour: seen at a glance, also on a short caption
        p.setPen(QPen(caption, 2));
        p.drawRect(r.adjusted(2, 2, -3, -3));
    }
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
    if (!m_corner.isEmpty()) {
        QFont small = font();
        small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.7));
        small.setBold(true);
        p.setFont(small);
        p.setPen(VbColor::readableOn(face, {QColor(0x00, 0x00, 0x80), QColor(Qt::white)}));
        p.drawText(r.adjusted(3, 1, -4, -1), Qt::AlignTop | Qt::AlignRight, m_corner);
    }
    p.setPen(isEnabled() ? caption : face.darker(150));
    p.setFont(font());
    const QRect textRect = r.adjusted(3, 2, -3, -2).translated(down ? 1 : 0, down ? 1 : 0);
    style()->drawItemText(&p, textRect, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                          isEnabled(), text());
}
