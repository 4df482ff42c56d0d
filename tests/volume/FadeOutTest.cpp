// The fade button as the operator uses it: the levels that reach the wave output, the time the fade takes on
// the desk's clock, the progress bar on the way, the stop the fade ends with, and no fade time at all.
#include "widgets/ClickLabel.h"
#include "widgets/ShapeRect.h"
#include "support/ConsoleDesk.h"
#include "volume/Level.h"

namespace {

const QStringList StopCommands{QStringLiteral("stop MyAlias"), QStringLiteral("close MyAlias")};

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

// Which controls of the transport area and the status line are visible.
std::string shown(Form1& f) {
    const TransportArea& t = *f.transport;
    std::string out;
    for (QWidget* w : std::initializer_list<QWidget*>{f.Label17, t.cmd2, t.cmd5, t.cmd6, t.Command2,
                                                      t.cmdAnsage, t.ProgressBar1, t.ProgressBar2, t.Shape2})
        out += w->isVisible() ? '1' : '0';
    return out;
}

struct FadeRow {
    int seconds;
    int step;
    std::size_t passes;
    int lastUnits;
};

class FadeTable : public ConsoleDesk, public ::testing::WithParamInterface<FadeRow> {};

TEST_P(FadeTable, PassesLevelsPacingAndBarFollowTheFadeTimeAndItEndsLikeStop) {
    const FadeRow row = GetParam();
    start(QString::number(row.seconds));
    // Offscreen the window is exposed within the first event round; only an exposed window paints.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    play();
    press(t().cmd2);
    const std::string stopped = shown(*form);
    const QString stoppedText = form->Label17->text();
    play();
    ASSERT_NE(shown(*form), stopped);
    QProgressBar* bar = t().ProgressBar1;
    PaintCounter counter;
    bar->installEventFilter(&counter);
    bool handled = false, handledInside = false;
    int barBehind = 0;
    QMetaObject::invokeMethod(
        form.get(), [&handled] { handled = true; }, Qt::QueuedConnection);
    fx.clock.onSleep = [&](std::int64_t) {
        handledInside = handledInside || handled;
        barBehind += bar->value() != form->HScroll1->value();
    };
    const std::int64_t before = fx.clock.now;
    press(t().Command2);
    fx.clock.onSleep = nullptr;

    std::vector<std::uint32_t> expected;
    for (int i = 10000; i >= 0; i -= row.step)
        expected.push_back(Level::packed(i));
    ASSERT_EQ(expected.size(), row.passes);
    EXPECT_EQ(fx.waveOut.levels, expected);
    // Neither the fade nor its stop restores the level.
    EXPECT_EQ(form->HScroll1->value(), row.lastUnits);
    EXPECT_EQ(bar->value(), row.lastUnits);
    EXPECT_NEAR((fx.clock.now - before) / 1e6, row.seconds, row.seconds * 0.02);
    EXPECT_EQ(fx.media.commands, StopCommands);
    EXPECT_EQ(shown(*form), stopped);
    EXPECT_EQ(form->Label17->text(), stoppedText);
    // Repainted about every 16 ms on the way, not once at the end; input waits until the fade has ended.
    EXPECT_EQ(barBehind, 0);
    EXPECT_GE(counter.paints, 55 * row.seconds);
    EXPECT_LE(counter.paints, 70 * row.seconds + 5);
    EXPECT_FALSE(handledInside);
    QCoreApplication::processEvents();
    EXPECT_TRUE(handled);
    // The next title plays at full level.
    fx.waveOut.levels.clear();
    press(form->board->button(1));
    ASSERT_FALSE(fx.waveOut.levels.empty());
    EXPECT_EQ(fx.waveOut.levels.front(), 0xFFFFFFFFu);
    EXPECT_EQ(bar->value(), 10000);
}

INSTANTIATE_TEST_SUITE_P(FadeTimes, FadeTable,
                         ::testing::Values(FadeRow{1, 12, 834, 4}, FadeRow{2, 8, 1251, 0},
                                           FadeRow{3, 4, 2501, 0}));

class NoFadeTime : public ConsoleDesk, public ::testing::WithParamInterface<const char*> {};

TEST_P(NoFadeTime, FadeButtonStopsAtOnceWithoutTouchingTheLevel) {
    start(QString::fromUtf8(GetParam()), QString());
    ASSERT_EQ(form->iFadeStep, 0);
    EXPECT_EQ(form->iAnsageVol, 0); // and a missing rest level is 0 %
    play();
    const std::int64_t before = fx.clock.now;
    press(t().Command2);
    EXPECT_TRUE(fx.waveOut.levels.empty());
    EXPECT_EQ(fx.clock.now, before);
    EXPECT_EQ(form->HScroll1->value(), 10000);
    EXPECT_EQ(fx.media.commands, StopCommands);
}

// Missing, not a number, and a number that is no fade time; the rest level missing in each.
INSTANTIATE_TEST_SUITE_P(Unset, NoFadeTime, ::testing::Values("", "zwei", "4", "0"));

} // namespace
