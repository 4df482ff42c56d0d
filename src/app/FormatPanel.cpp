#include "app/FormatPanel.h"

#include "console/BoardWidgets.h"
#include "console/TransportArea.h"
#include "settings/NumberText.h"
#include "settings/SettingsKeys.h"
#include "settings/TeamSettings.h"
#include "widgets/ClickLabel.h"
#include "widgets/ShapeRect.h"
#include "widgets/Twips.h"
#include "widgets/VbButton.h"
#include "widgets/VbColor.h"

#include <QFont>
#include <QFontInfo>
#include <QFrame>

namespace {

constexpr std::int32_t ActiveCaption = static_cast<std::int32_t>(0x80000002);
// The bottom buttons are designed that much larger than the title buttons (7 points give 18).
constexpr double FixedButtonFactor = 2.5714;

struct Swatch {
    int index;
    double top;
    std::int32_t color;
};

// Top to bottom, as the design lays them out.
const Swatch Swatches[6] = {
    {11, 1680, 0x00FFFFFF}, {7, 2040, 0x00C0C0C0}, {10, 2400, 0x008080FF},
    {9, 2760, 0x0080FF80},  {8, 3120, 0x00FF8080}, {6, 3480, 0x0080FFFF},
};

QFont designFont(const char* family, double points, bool bold = false, bool underline = false) {
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

ClickLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRectF& twips,
                      const QFont& f, bool bordered) {
    auto* l = new ClickLabel(caption, parent);
    l->setObjectName(name);
    l->setFont(f);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (bordered)
        l->setFrameShape(QFrame::Box);
    Twips::place(l, twips.left(), twips.top(), twips.width(), twips.height());
    return l;
}

void setFontSize(QWidget* w, double points) {
    QFont f = w->font();
    f.setPointSizeF(points);
    w->setFont(f);
}

} // namespace

FormatPanel::FormatPanel(TeamSettings& settings, BoardWidgets& board, TransportArea& transport,
                         QWidget* statusLine, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_board(board), m_transport(transport),
      m_statusLine(statusLine) {
    setObjectName(QStringLiteral("formatPanel"));
    // It fills its frame; the frame's own font is the panel's default.
    Twips::place(this, 0, 0, 8775, 6975);
    Shape9 = new ShapeRect(1, ActiveCaption, this);
    Shape9->setObjectName(QStringLiteral("Shape9"));
    Shape9->setFill(ActiveCaption);
    Twips::place(Shape9, -240, 240, 8775, 495);
    buildHeadings();
    buildSwatches();
    buildFontChoices();
    buildPreview();
    connectClicks();
}

void FormatPanel::buildHeadings() {
    const QFont heading = designFont("Arial", 11.25, true, true);
    Label6[0] = makeLabel(this, QStringLiteral("Label6_0"), QStringLiteral("Schriftart und Größe"),
                          QRectF(4320, 960, 3255, 330), heading, false);
    Label6[1] = makeLabel(this, QStringLiteral("Label6_1"), QStringLiteral("Button Farbe"),
                          QRectF(480, 960, 2295, 330), heading, false);
}

void FormatPanel::buildSwatches() {
    for (std::size_t k = 0; k < 6; ++k) {
        const Swatch& s = Swatches[k];
        ClickLabel* l = makeLabel(this, QStringLiteral("Label1_%1").arg(s.index), QString(),
                                  QRectF(960, s.top, 375, 375), designFont("Arial", 9.75), true);
        l->setBackColor(s.color);
        m_swatches[static_cast<std::size_t>(s.index - 6)] = l;
    }
}

void FormatPanel::buildFontChoices() {
    Label3 = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("Arial"), QRectF(4440, 1560, 1815, 375),
                       designFont("Arial", 9.75), true);
    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("Comic Sans MS"),
                       QRectF(4440, 2040, 1815, 375), designFont("Comic Sans MS", 9.75), true);
    Label4 = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("Courier New"),
                       QRectF(4440, 2520, 1815, 375), designFont("Courier New", 9.75), true);
    for (int i = 0; i < 5; ++i)
        Label5[static_cast<std::size_t>(i)] =
            makeLabel(this, QStringLiteral("Label5_%1").arg(i), QString::number(7 + i),
                      QRectF(4440, 3120 + 360.0 * i, 255, 375), designFont("Comic Sans MS", 9.75), true);
}

void FormatPanel::buildPreview() {
    cmd_Test = new VbButton(this);
    cmd_Test->setObjectName(QStringLiteral("cmd_Test"));
    cmd_Test->setCaption(QStringLiteral("Test Button"));
    cmd_Test->setBackColor(VbColor::ButtonFace);
    cmd_Test->setFont(designFont("Comic Sans MS", 8.25));
    cmd_Test->setToolTip(QStringLiteral("Bei Click werden Einstellungen übernommen"));
    Twips::place(cmd_Test, 1560, 5520, 5655, 1095);
}

void FormatPanel::connectClicks() {
    for (int i = 6; i <= 11; ++i)
        connect(swatch(i), &ClickLabel::clicked, this, [this, i] { Label1_Click(i); });
    // The category headings belong to the same control array: their clicks arrive here and do nothing.
    for (int i = 0; i < 6; ++i)
        connect(m_board.Label1[static_cast<std::size_t>(i)], &ClickLabel::clicked, this,
                [this, i] { Label1_Click(i); });
    connect(Label2, &ClickLabel::clicked, this, [this] { Label2_Click(); });
    connect(Label3, &ClickLabel::clicked, this, [this] { Label3_Click(); });
    connect(Label4, &ClickLabel::clicked, this, [this] { Label4_Click(); });
    for (int i = 0; i < 5; ++i)
        connect(Label5[static_cast<std::size_t>(i)], &ClickLabel::clicked, this,
                [this, i] { Label5_Click(i); });
    connect(cmd_Test, &QPushButton::clicked, this, [this] { cmd_Test_Click(); });
}

ClickLabel* FormatPanel::swatch(int Index) const {
    return Index >= 6 && Index <= 11 ? m_swatches[static_cast<std::size_t>(Index - 6)] : nullptr;
}

void FormatPanel::Label1_Click(int Index) {
    if (const ClickLabel* s = swatch(Index))
        cmd_Test->setBackColor(s->backColor());
}

void FormatPanel::Label2_Click() {
    takeFace(Label2);
}
void FormatPanel::Label3_Click() {
    takeFace(Label3);
}
void FormatPanel::Label4_Click() {
    takeFace(Label4);
}

void FormatPanel::takeFace(const ClickLabel* choice) {
    QFont f = cmd_Test->font();
    f.setFamily(choice->font().family());
    cmd_Test->setFont(f);
}

void FormatPanel::Label5_Click(int Index) {
    if (Index < 0 || Index > 4)
        return;
    setFontSize(cmd_Test, NumberText::leadingValue(Label5[static_cast<std::size_t>(Index)]->text()));
}

void FormatPanel::cmd_Test_Click() {
    applyColor();
    storeFont();
    restyleBoard(cmd_Test->font());
    restyleFixedControls();
    emit applied();
}

void FormatPanel::applyColor() {
    const std::int32_t color = cmd_Test->backColor();
    // Signed: a system colour such as the button face (&H8000000F) is stored as -2147483633.
    m_settings.writeTeamValue(SettingsKeys::SuffixButtonColor, SettingsKeys::KeyFarbe,
                              QString::number(color));
    for (int i = 0; i < BoardWidgets::TitleButtons; ++i)
        m_board.button(i)->setBackColor(color);
    const std::int32_t fixed = m_transport.Command2->backColor();
    for (VbButton* b : m_board.fixedButtons())
        b->setBackColor(fixed);
}

void FormatPanel::storeFont() {
    m_settings.writeTeamValue(SettingsKeys::SuffixFontStyle, SettingsKeys::KeyArt, cmd_Test->font().family());
    // The size the font engine settled on (7 points are drawn as 6.75), with the locale's decimal separator.
    m_settings.writeTeamValue(SettingsKeys::SuffixFontStyle, SettingsKeys::KeySize,
                              NumberText::display(cmd_Test->fontInfo().pointSizeF()));
}

void FormatPanel::restyleBoard(const QFont& preview) {
    for (int i = 0; i < BoardWidgets::TitleButtons; ++i) {
        QFont f = m_board.button(i)->font();
        f.setFamily(preview.family());
        f.setPointSizeF(preview.pointSizeF());
        m_board.button(i)->setFont(f);
    }
    for (VbButton* b : m_board.fixedButtons()) {
        QFont f = b->font();
        f.setPointSizeF(preview.pointSizeF() * FixedButtonFactor);
        f.setFamily(preview.family());
        b->setFont(f);
    }
}

void FormatPanel::restyleFixedControls() {
    const TransportArea& t = m_transport;
    for (QWidget* b : std::initializer_list<QWidget*>{t.cmdAnsage, t.Command2, t.cmd5, t.cmd6, t.cmd2})
        setFontSize(b, 18);
    // The headings keep their face: nothing ever chose one for them.
    for (ClickLabel* heading : m_board.Label1) {
        setFontSize(heading, 16);
        heading->adjustSize();
    }
    setFontSize(m_statusLine, 26);
}
