#include "app/FadeSettingsPanel.h"

#include "settings/TeamSettings.h"
#include "widgets/ClickLabel.h"
#include "widgets/ShapeRect.h"
#include "widgets/Twips.h"
#include "widgets/VbColor.h"

#include <QFont>
#include <cstdint>

namespace {

constexpr std::int32_t ChoiceYellow = 0x00C0FFFF;
constexpr std::int32_t ChoiceGreen = 0x00C0FFC0;
constexpr double ValueRowTop = 3720;
constexpr double ValueRowHeight = 285;

// Every label gets its font set on itself, so the screen fit scales each font exactly once.
QFont panelFont(double points, bool underline = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(true);
    f.setUnderline(underline);
    return f;
}

ClickLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRectF& twips,
                      const QFont& font) {
    auto* l = new ClickLabel(caption, parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Twips::place(l, twips.left(), twips.top(), twips.width(), twips.height());
    return l;
}

ClickLabel* makeChoice(QWidget* parent, const QString& name, const QString& caption, double left, double top,
                       std::int32_t color, const QString& tip) {
    ClickLabel* l = makeLabel(parent, name, caption, QRectF(left, top, 735, 375), panelFont(9.75));
    l->setBackColor(color);
    l->setFrameShape(QFrame::Box);
    l->setToolTip(tip);
    return l;
}

ShapeRect* makeFrame(QWidget* parent, int index, double left, double width) {
    auto* s = new ShapeRect(3, VbColor::Red, parent);
    s->setObjectName(QStringLiteral("Shape10_%1").arg(index));
    Twips::place(s, left, 3600, width, 495);
    return s;
}

} // namespace

FadeSettingsPanel::FadeSettingsPanel(TeamSettings& settings, QWidget* parent)
    : QFrame(parent), m_settings(settings) {
    setObjectName(QStringLiteral("frm_aus"));
    setFrameShape(QFrame::Box);
    // It covers the format panel's controls while it is shown.
    setAutoFillBackground(true);
    Twips::place(this, 240, 600, 8415, 6015);
    // The red frames first, so that the value rows are drawn on top of them.
    Shape10[0] = makeFrame(this, 0, 600, 2295);
    Shape10[1] = makeFrame(this, 1, 5040, 2415);
    buildFadeTime();
    buildRestVolume();
    for (int i = 0; i < TeamSettings::FadeChoices; ++i)
        connect(Label9[static_cast<std::size_t>(i)], &ClickLabel::clicked, this,
                [this, i] { Label9_Click(i); });
    for (int i = 0; i < 6; ++i)
        connect(Label13[static_cast<std::size_t>(i)], &ClickLabel::clicked, this,
                [this, i] { Label13_Click(i); });
    hide();
}

void FadeSettingsPanel::buildFadeTime() {
    Label8[0] = makeLabel(this, QStringLiteral("Label8_0"), QStringLiteral("Ausblendzeit 1 - 3 sec."),
                          QRectF(600, 840, 3375, 330), panelFont(11.25, true));
    const QString tip = QStringLiteral("Einstellen der Ausblendzeit");
    for (int i = 0; i < TeamSettings::FadeChoices; ++i)
        Label9[static_cast<std::size_t>(i)] =
            makeChoice(this, QStringLiteral("Label9_%1").arg(i), QStringLiteral("%1 sec.").arg(i + 1), 1200,
                       1440 + 360.0 * i, ChoiceYellow, tip);
    Label11[0] = makeLabel(this, QStringLiteral("Label11_0"), QStringLiteral("Ausblendzeit ="),
                           QRectF(720, ValueRowTop, 1440, ValueRowHeight), panelFont(9.75));
    Label10 = makeLabel(this, QStringLiteral("Label10"), QString(),
                        QRectF(2160, ValueRowTop, 240, ValueRowHeight), panelFont(9.75));
    Label11[1] = makeLabel(this, QStringLiteral("Label11_1"), QStringLiteral("sec."),
                           QRectF(2400, ValueRowTop, 480, ValueRowHeight), panelFont(9.75));
}

void FadeSettingsPanel::buildRestVolume() {
    Label8[1] = makeLabel(this, QStringLiteral("Label8_1"), QStringLiteral("Lautstärke bei Ansage"),
                          QRectF(5040, 840, 3255, 330), panelFont(11.25, true));
    const char* const captions[6] = {"  5  %", " 10  %", " 15  %", " 20  %", " 25  %", " 30  %"};
    const QString tip = QStringLiteral("Rest Volume bei MIC- Ansage");
    for (int i = 0; i < 6; ++i)
        Label13[static_cast<std::size_t>(i)] =
            makeChoice(this, QStringLiteral("Label13_%1").arg(i), QString::fromLatin1(captions[i]), 5760,
                       1200 + 360.0 * i, ChoiceGreen, tip);
    Label8[2] = makeLabel(this, QStringLiteral("Label8_2"), QStringLiteral("Ansagelautstärke="),
                          QRectF(5160, ValueRowTop, 1680, ValueRowHeight), panelFont(9.75));
    Label12 = makeLabel(this, QStringLiteral("Label12"), QString(),
                        QRectF(6840, ValueRowTop, 240, ValueRowHeight), panelFont(9.75));
    Label11[2] = makeLabel(this, QStringLiteral("Label11_2"), QStringLiteral("%"),
                           QRectF(7080, ValueRowTop, 240, ValueRowHeight), panelFont(9.75));
}

void FadeSettingsPanel::showFadeSettings() {
    Label10->setText(m_settings.fadeTimeText);
    Label12->setText(m_settings.restVolText);
}

void FadeSettingsPanel::Label9_Click(int Index) {
    if (Index < 0 || Index >= TeamSettings::FadeChoices)
        return;
    m_settings.chooseFadeTime(Index + 1);
    showFadeSettings();
    emit chosen();
}

void FadeSettingsPanel::Label13_Click(int Index) {
    static const char* const percents[6] = {"5", "10", "15", "20", "25", "30"};
    // The label is what counts: an unknown index stores and applies the value already shown.
    const QString percent =
        Index >= 0 && Index <= 5 ? QString::fromLatin1(percents[Index]) : m_settings.restVolText;
    m_settings.chooseRestVolume(percent);
    showFadeSettings();
    emit chosen();
}
