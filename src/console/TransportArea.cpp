#include "console/TransportArea.h"

#include "widgets/ShapeRect.h"
#include "widgets/Twips.h"
#include "widgets/VbButton.h"
#include "widgets/VbColor.h"

#include <QFont>
#include <QProgressBar>

namespace {

VbButton* makeButton(QWidget* window, const char* name, const QString& caption, std::int32_t color,
                     double left, bool bold) {
    auto* b = new VbButton(window);
    b->setObjectName(QString::fromLatin1(name));
    b->setCaption(caption);
    b->setBackColor(color);
    QFont f(QStringLiteral("Arial"), 18);
    f.setBold(bold);
    b->setFont(f);
    Twips::place(b, left, 9720, 2175, 855);
    b->hide();
    return b;
}

QProgressBar* makeBar(QWidget* window, const char* name, double left) {
    auto* p = new QProgressBar(window);
    p->setObjectName(QString::fromLatin1(name));
    p->setRange(0, 10000);
    p->setValue(10000);
    p->setTextVisible(false);
    Twips::place(p, left, 9840, 1935, 135);
    p->hide();
    return p;
}

} // namespace

TransportArea::TransportArea(QWidget* window) {
    Shape2 = new ShapeRect(4, 0x00000000, window);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Twips::place(Shape2, 8520, 8640, 10335, 2175);
    Shape2->hide();
    cmd2 = makeButton(window, "cmd2_0", QStringLiteral("&Stop"), VbColor::Red, 8760, true);
    cmd5 = makeButton(window, "cmd5", QStringLiteral("&Pause"), LightGrey, 11280, false);
    cmd6 = makeButton(window, "cmd6", QStringLiteral("&Weiter"), Green, 11280, false);
    Command2 = makeButton(window, "Command2", QStringLiteral("&Ausblenden"), LightGrey, 13920, false);
    cmdAnsage = makeButton(window, "cmdAnsage", QStringLiteral("Ansage"), LightGrey, 16440, false);
    // The bars lie across the top edge of their buttons, so they are created after them.
    ProgressBar1 = makeBar(window, "ProgressBar1", 14040);
    ProgressBar2 = makeBar(window, "ProgressBar2", 16560);
}

void TransportArea::hideAll() {
    for (QWidget* w : std::initializer_list<QWidget*>{cmd2, Shape2, cmd5, cmd6, Command2, ProgressBar2,
                                                      ProgressBar1, cmdAnsage})
        w->hide();
}

void TransportArea::showStarted(bool fadeControls) {
    cmd2->show();
    cmd5->show();
    cmd6->hide();
    Shape2->show();
    for (QWidget* w : std::initializer_list<QWidget*>{Command2, cmdAnsage, ProgressBar2, ProgressBar1})
        w->setVisible(fadeControls);
    resetAnnouncement(); // also ends the look an announcement gave the button
}

void TransportArea::showPaused() {
    cmd5->hide();
    cmd6->show();
    for (QWidget* w : std::initializer_list<QWidget*>{Command2, cmdAnsage, ProgressBar2, ProgressBar1})
        w->hide();
}

void TransportArea::showResumed() {
    cmd6->hide();
    cmd5->show();
}

void TransportArea::showFadeControls() {
    for (QWidget* w : std::initializer_list<QWidget*>{Command2, cmdAnsage, ProgressBar2, ProgressBar1})
        w->show();
}

void TransportArea::resetAnnouncement() {
    cmdAnsage->setCaption(QStringLiteral("Ansage"));
    ProgressBar2->setValue(10000);
    ProgressBar1->setValue(10000);
    cmdAnsage->setBackColor(LightGrey);
}
