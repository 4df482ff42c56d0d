// The fade button as the operator uses it: pass counts and levels that reach the wave output, the time the
// fade takes on the desk's clock, the progress bar, and the stop the fade ends with.
#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "console/ClickLabel.h"
#include "console/ShapeRect.h"
#include "console/TransportArea.h"
#include "console/VbButton.h"
#include "support/DeskFixture.h"
#include "volume/Level.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t FullLevel = 0xFFFFFFFFu;

// The operator can press only what is shown.
void press(QWidget* w) {
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

class FadeOutTest : public ::testing::Test {
  protected:
    void start(const QString& zeit) {
        fx.makeTeam(
            QStringLiteral("Damen"),
            {{QStringLiteral("7 Meter"), {QStringLiteral("01Anwurf.mp3"), QStringLiteral("02Abpfiff.mp3")}}});
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), zeit, QStringLiteral("25"));
        form = fx.startMain();
        form->show();
        // Offscreen the window is exposed within the first event round; only an exposed window paints.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void play(int index = 0) {
        press(form->board->button(index));
        fx.waveOut.levels.clear();
        fx.media.commands.clear();
    }
    void fade() { press(form->transport->Command2); }

    DeskFixture fx;
    std::unique_ptr<Form1> form;
};

// What the counted loop of a fade gives, written out on its own: 10000 down in steps while >= 0.
std::vector<std::uint32_t> expectedFade(int step) {
    std::vector<std::uint32_t> out;
    for (int i = 10000; i >= 0; i -= step)
        out.push_back(Level::packed(i));
    return out;
}

struct FadeRow {
    const char* zeit;
    std::size_t passes;
    int lastUnits;
    std::uint16_t lastDevice;
    double seconds;
};

void PrintTo(const FadeRow& r, std::ostream* os) {
    *os << "fade time " << r.zeit << ": " << r.passes << " passes";
}

class FadeTable : public FadeOutTest, public ::testing::WithParamInterface<FadeRow> {};

TEST_P(FadeTable, PassesLevelsAndDurationFollowTheFadeTime) {
    const FadeRow row = GetParam();
    start(QString::fromLatin1(row.zeit));
    play();
    const std::int64_t before = fx.clock.now;
    fade();

    const auto& levels = fx.waveOut.levels;
    ASSERT_EQ(levels.size(), row.passes);
    EXPECT_EQ(levels.front(), FullLevel);
    EXPECT_EQ(levels.back() & 0xFFFFu, row.lastDevice);
    EXPECT_EQ(levels.back() >> 16, row.lastDevice);
    const int step = row.zeit[0] == '1' ? 12 : row.zeit[0] == '2' ? 8 : 4;
    EXPECT_EQ(levels, expectedFade(step));
    // The level stays where the ramp left it: neither the fade nor the stop restores it.
    EXPECT_EQ(form->HScroll1->value(), row.lastUnits);
    EXPECT_EQ(form->transport->ProgressBar1->value(), row.lastUnits);
    // Paced by the desk's clock: the nominal seconds within 2 %.
    const double took = static_cast<double>(fx.clock.now - before) / 1e6;
    EXPECT_NEAR(took, row.seconds, row.seconds * 0.02);
    // It ends with the stop.
    EXPECT_EQ(fx.media.commands,
              QStringList({QStringLiteral("stop MyAlias"), QStringLiteral("close MyAlias")}));
    EXPECT_FALSE(form->transport->Command2->isVisible());
}

INSTANTIATE_TEST_SUITE_P(FadeTimes, FadeTable,
                         ::testing::Values(FadeRow{"1", 834, 4, 26, 1.0}, FadeRow{"2", 1251, 0, 0, 2.0},
                                           FadeRow{"3", 2501, 0, 0, 3.0}));

class NoFadeTime : public FadeOutTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(NoFadeTime, FadeButtonStopsAtOnceWithoutTouchingTheLevel) {
    start(QString::fromUtf8(GetParam()));
    ASSERT_EQ(form->iFadeStep, 0);
    play();
    const std::int64_t before = fx.clock.now;
    fade();
    EXPECT_TRUE(fx.waveOut.levels.empty());
    EXPECT_EQ(fx.clock.now, before);
    EXPECT_EQ(form->HScroll1->value(), 10000);
    EXPECT_EQ(fx.media.commands,
              QStringList({QStringLiteral("stop MyAlias"), QStringLiteral("close MyAlias")}));
    EXPECT_FALSE(form->transport->cmd2->isVisible());
    EXPECT_FALSE(form->Label17->isVisible());
}

// Missing, not a number, and a number that is no fade time.
INSTANTIATE_TEST_SUITE_P(Unset, NoFadeTime, ::testing::Values("", "zwei", "4", "0"));

// Every control the transport area and the status line have, as the operator sees them.
std::vector<bool> visibleControls(const Form1& f) {
    const TransportArea& t = *f.transport;
    return {t.cmd2->isVisible(),         t.cmd5->isVisible(),      t.cmd6->isVisible(),
            t.Command2->isVisible(),     t.cmdAnsage->isVisible(), t.ProgressBar1->isVisible(),
            t.ProgressBar2->isVisible(), f.Label17->isVisible(),   t.Shape2->isVisible()};
}

TEST_F(FadeOutTest, FadeEndsExactlyLikeStop) {
    start(QStringLiteral("1"));
    DeskFixture other;
    other.makeTeam(QStringLiteral("Damen"), {{QStringLiteral("7 Meter"), {QStringLiteral("01Anwurf.mp3")}}});
    auto stopped = other.startMain();
    stopped->show();
    press(stopped->board->button(0));
    other.media.commands.clear();
    press(stopped->transport->cmd2);

    play();
    const std::vector<bool> playing = visibleControls(*form);
    fade();
    EXPECT_NE(visibleControls(*form), playing);
    EXPECT_EQ(visibleControls(*form), visibleControls(*stopped));
    EXPECT_EQ(fx.media.commands, other.media.commands);
    EXPECT_EQ(form->Label17->text(), stopped->Label17->text());
}

TEST_F(FadeOutTest, NextTitleAfterAFadePlaysAtFullLevel) {
    start(QStringLiteral("1"));
    play();
    fade();
    ASSERT_EQ(form->HScroll1->value(), 4);
    fx.waveOut.levels.clear();
    press(form->board->button(1));
    ASSERT_FALSE(fx.waveOut.levels.empty());
    EXPECT_EQ(fx.waveOut.levels.front(), FullLevel);
    EXPECT_EQ(form->HScroll1->value(), 10000);
    EXPECT_TRUE(form->transport->Command2->isVisible());
    EXPECT_EQ(form->transport->ProgressBar1->value(), 10000);
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST_F(FadeOutTest, ProgressBarFollowsTheLevelAndIsRepaintedOnTheWay) {
    start(QStringLiteral("2"));
    play();
    QProgressBar* bar = form->transport->ProgressBar1;
    PaintCounter counter;
    bar->installEventFilter(&counter);
    int waits = 0;
    int mismatches = 0;
    fx.clock.onSleep = [&](std::int64_t) {
        ++waits;
        if (bar->value() != form->HScroll1->value())
            ++mismatches;
    };
    fade();
    fx.clock.onSleep = nullptr;
    EXPECT_GT(waits, 1000);
    EXPECT_EQ(mismatches, 0);
    // A repaint about every 16 ms of a two-second fade, not one at the end only.
    EXPECT_GE(counter.paints, 60);
    EXPECT_LE(counter.paints, 300);
}

TEST_F(FadeOutTest, OperatorInputWaitsUntilTheFadeHasEnded) {
    start(QStringLiteral("1"));
    play();
    bool handled = false;
    QMetaObject::invokeMethod(
        form.get(), [&handled] { handled = true; }, Qt::QueuedConnection);
    bool handledDuringFade = false;
    fx.clock.onSleep = [&](std::int64_t) { handledDuringFade = handledDuringFade || handled; };
    fade();
    fx.clock.onSleep = nullptr;
    EXPECT_FALSE(handledDuringFade);
    EXPECT_EQ(fx.waveOut.levels.size(), 834u);
    QCoreApplication::processEvents();
    EXPECT_TRUE(handled);
}

TEST_F(FadeOutTest, FadeButtonTooltipShowsTheFadeTime) {
    start(QStringLiteral("3"));
    EXPECT_EQ(form->transport->Command2->toolTip(), QStringLiteral("3 Sec."));
    EXPECT_EQ(form->iFadeStep, 4);
}

} // namespace
