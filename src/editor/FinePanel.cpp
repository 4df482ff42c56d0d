#include "editor/FinePanel.h"

#include "settings/NumberText.h"
#include "widgets/Twips.h"
#include "widgets/VbButton.h"
#include "widgets/VbColor.h"

#include <QLabel>
#include <QSlider>

namespace {
constexpr std::int32_t PanelGrey = 0x00C0C0C0;
const QString Sec = QStringLiteral(" sec.");

QLabel* makeLabel(QWidget* parent, const char* name, double left) {
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    Twips::place(l, left, 0, 1215, 285);
    l->adjustSize();
    return l;
}
} // namespace

int FinePanel::changeMs(int position) {
    return (position - Centre) * 100;
}

QString FinePanel::changeCaption(int position) {
    const int change = changeMs(position);
    if (position == Centre)
        return QString::number(change) + Sec;
    const QString number = NumberText::display(change / 1000.0);
    return position < Centre ? number + Sec : QStringLiteral("+ ") + number + Sec;
}

QString FinePanel::startTimeCaption(std::int32_t startMs) {
    return QStringLiteral("Startzeit: ") + NumberText::display(startMs / 1000.0) + Sec;
}

FinePanel::FinePanel(QWidget* parent, QWidget* beenden) : QFrame(parent), m_beenden(beenden) {
    setObjectName(QStringLiteral("frm_Fein"));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, VbColor::toQColor(PanelGrey));
    setPalette(pal);
    Twips::place(this, 8640, 8760, 10095, 975);

    LBL_Slider = makeLabel(this, "LBL_Slider", 0);
    lbl_Wert = makeLabel(this, "lbl_Wert", 4680);

    Slider1 = new QSlider(Qt::Horizontal, this);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setRange(MinPosition, MaxPosition);
    Slider1->setSingleStep(1); // a tenth of a second per arrow key
    Slider1->setPageStep(5);   // half a second per click on the track or page key
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setTickInterval(5);
    Slider1->setValue(Centre);
    Twips::place(Slider1, 120, 240, 9255, 615);
    // Every change of position refreshes, the operator's and the program's centring alike, so lbl_Wert and
    // sFeinWert never name another position than the one the slider shows.
    connect(Slider1, &QSlider::valueChanged, this, [this] { refresh(); });

    Command8 = new VbButton(this);
    Command8->setObjectName(QStringLiteral("Command8"));
    Command8->setCaption(QStringLiteral("X"));
    Command8->setBackColor(VbColor::Red);
    Command8->setFont(QFont(QStringLiteral("Arial Black"), 18, QFont::Bold));
    Twips::place(Command8, 9480, 240, 495, 615);
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    hide();
}

void FinePanel::refresh() {
    const int p = Slider1->value();
    if (p < MinPosition || p > MaxPosition)
        return;
    m_sFeinWert = QString::number(changeMs(p));
    lbl_Wert->setText(changeCaption(p));
    lbl_Wert->adjustSize();
}

void FinePanel::mnu_fein_Click() {
    show();
    raise();
    refresh();
    m_beenden->hide();
}

void FinePanel::mnu_feinEnde_Click() {
    hide();
}

void FinePanel::Command8_Click() {
    hide();
    centre();
    m_beenden->show();
}

void FinePanel::centre() {
    Slider1->setValue(Centre);
}

int FinePanel::change() const {
    return changeMs(Slider1->value());
}

void FinePanel::showStartTime(std::int32_t startMs) {
    LBL_Slider->setText(startTimeCaption(startMs));
    LBL_Slider->adjustSize();
}
