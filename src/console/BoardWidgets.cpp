#include "console/BoardWidgets.h"

#include "appearance/ButtonLook.h"
#include "library/Categories.h"
#include "widgets/ClickLabel.h"
#include "widgets/ShapeRect.h"
#include "widgets/Twips.h"
#include "widgets/VbButton.h"

#include <QFont>

namespace {

struct Run {
    int first;
    int count;
    double left;
    double top;
};

// The runs that stand in one column of buttons 2175 x 495 twips, 600 apart.
const Run ColumnRuns[] = {
    {127, 5, 360, 720},  // 2 Minuten
    {15, 8, 360, 4920},  // Torwart
    {31, 5, 3120, 720},  // Team Timeout
    {53, 8, 3120, 4920}, // Auszeit
    {0, 15, 5880, 720},  // 7 Meter
};

struct Heading {
    const char* caption;
    double left;
    double top;
};

const Heading Headings[6] = {
    {"7 Meter", 6480, 120}, {"Team Timeout", 2880, 120}, {"Tormusik", 12720, 120},
    {"Torwart", 720, 4320}, {"Auszeiten", 3360, 4320},   {"2 Minuten", 120, 120},
};

VbButton* makeButton(QWidget* window, int index) {
    auto* b = new VbButton(window);
    b->setObjectName(QStringLiteral("Command1_%1").arg(index));
    b->setFont(QFont(QStringLiteral("Comic Sans MS"), 9));
    b->hide();
    return b;
}

} // namespace

BoardWidgets::BoardWidgets(QWidget* window) {
    // Frames first: created first, they lie behind the buttons.
    buildFrames(window);
    buildHeadings(window);
    buildRuns(window);
}

void BoardWidgets::buildFrames(QWidget* window) {
    const QRectF frames[] = {
        {240, 600, 2415, 3135},  {240, 4800, 2415, 4935},  {3000, 600, 2415, 3135}, {3000, 4800, 2415, 4935},
        {5760, 600, 2415, 9135}, {8520, 600, 10335, 7935}, {240, 9840, 7935, 975},
    };
    int n = 0;
    for (const QRectF& r : frames) {
        auto* s = new ShapeRect(3, 0x00000000, window);
        s->setObjectName(QStringLiteral("RunFrame_%1").arg(n));
        Twips::place(s, r.left(), r.top(), r.width(), r.height());
        m_frames[static_cast<std::size_t>(n++)] = s;
    }
}

void BoardWidgets::buildHeadings(QWidget* window) {
    for (int i = 0; i < 6; ++i) {
        auto* l = new ClickLabel(QString::fromUtf8(Headings[i].caption), window);
        l->setObjectName(QStringLiteral("Label1_%1").arg(i));
        l->setAlignment(Qt::AlignCenter);
        l->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
        Twips::place(l, Headings[i].left, Headings[i].top, 1695, 375);
        Label1[static_cast<std::size_t>(i)] = l;
    }
}

void BoardWidgets::buildRuns(QWidget* window) {
    for (int i = 0; i < ButtonCount; ++i)
        Command1[static_cast<std::size_t>(i)] = makeButton(window, i);
    for (const Run& run : ColumnRuns)
        for (int k = 0; k < run.count; ++k)
            Twips::place(button(run.first + k), run.left, run.top + 600.0 * k, 2175, 495);
    for (int k = 0; k < 65; ++k)
        Twips::place(button(61 + k), 8640 + 2040.0 * (k / 13), 720 + 600.0 * (k % 13), 1935, 495);
    // Elements that belong to no category keep a place of their own; nothing ever shows them.
    for (int i : {23, 24, 25, 26, 27, 28, 29, 132})
        Twips::place(button(i), 0, 0, 2175, 495);
    for (int i = 36; i <= 52; ++i)
        Twips::place(button(i), 0, 0, 2175, 495);

    button(Categories::EinlaufenButton)->setCaption(QStringLiteral("&Einlaufen"));
    Twips::place(button(Categories::EinlaufenButton), 360, 9960, 2175, 675);
    button(Categories::WischenButton)->setCaption(QStringLiteral("&Wischen"));
    Twips::place(button(Categories::WischenButton), 3120, 9960, 2175, 675);
    Command5 = new VbButton(window);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command5->setCaption(QStringLiteral("CL Screen"));
    Command5->setToolTip(QStringLiteral("Löschen(Verlauf) der abgespielten Titel "));
    Twips::place(Command5, 5880, 9960, 2175, 675);
}

void BoardWidgets::applyLook(const ButtonLook& look) {
    QFont f(look.fontName);
    f.setPointSizeF(look.fontSize);
    f.setBold(look.bold);
    for (int i = 0; i < TitleButtons; ++i)
        button(i)->setFont(f);
    QFont c = Command5->font();
    c.setFamily(look.fontName);
    c.setBold(look.bold);
    Command5->setFont(c);
    for (VbButton* b : fixedButtons()) {
        QFont big = b->font();
        big.setPointSizeF(18);
        b->setFont(big);
    }
}

const Category* BoardWidgets::categoryAt(const QPoint& point) const {
    // The frames in the order they were built; the last holds the fixed row.
    static const int firstButtonOf[] = {127, 15, 31, 53, 0, 61};
    for (std::size_t f = 0; f < m_frames.size(); ++f) {
        if (!m_frames[f]->geometry().contains(point))
            continue;
        if (f < std::size(firstButtonOf))
            return Categories::forButton(firstButtonOf[f]);
        for (int fixed : {Categories::EinlaufenButton, Categories::WischenButton}) {
            const QRect b = button(fixed)->geometry();
            if (point.x() >= b.left() && point.x() <= b.right())
                return Categories::forButton(fixed);
        }
    }
    return nullptr;
}

std::array<VbButton*, 3> BoardWidgets::fixedButtons() const {
    return {button(Categories::EinlaufenButton), button(Categories::WischenButton), Command5};
}

void BoardWidgets::resetRuns() {
    for (int i = 0; i < TitleButtons; ++i)
        button(i)->hide();
    button(Categories::WischenButton)->show();
    button(Categories::EinlaufenButton)->show();
    Command5->show();
}
