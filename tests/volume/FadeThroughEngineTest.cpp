// A fade and an announcement as they are heard: the desk drives the real audio engine through its media
// commands and wave output level, and every wait of a ramp renders exactly the frames of the time waited.
#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "console/TransportArea.h"
#include "console/VbButton.h"
#include "support/DeskFixture.h"
#include "volume/EnginePullRig.h"

#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString Damen = QStringLiteral("Damen");

void press(QWidget* w) {
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

class FadeThroughEngine : public ::testing::Test {
  protected:
    void start(const QString& zeit, const QString& vol, double titleSeconds) {
        fx.makeTeam(Damen);
        fx.addFile(Damen, QStringLiteral("7 Meter"), QStringLiteral("01Probe.wav"),
                   EnginePullRig::probeWav(titleSeconds));
        fx.writeTeamSettings(Damen, QStringLiteral("12632256"), zeit, vol);
        form = fx.startMain();
        form->show();
        press(form->board->button(0));
        ASSERT_GE(rig.media.voiceOf(QStringLiteral("MyAlias")), 0);
        rig.render(4800); // 100 ms at full level
        ASSERT_NEAR(rig.gainAt(rig.left.size() - 1), 1.0, 1e-6) << "the title must sound before the ramp";
    }
    // Presses a ramp button with the output following the desk's clock; the range of samples rendered
    // meanwhile.
    std::pair<std::size_t, std::size_t> rampOn(QWidget* button) {
        const std::size_t from = rig.left.size();
        rig.followClock();
        press(button);
        rig.stopFollowing();
        return {from, rig.left.size()};
    }
    // Seconds from the first sample of a range until the gain first reaches level (falling or rising).
    double secondsUntil(std::size_t from, std::size_t to, double level, bool falling) const {
        for (std::size_t i = from; i < to; ++i)
            if (falling ? rig.gainAt(i) <= level : rig.gainAt(i) >= level)
                return static_cast<double>(i - from) / AudioEngine::kSampleRate;
        return -1;
    }
    double largestStep(std::size_t from, std::size_t to) const {
        double largest = 0;
        for (std::size_t i = from + 1; i < to; ++i)
            largest = std::max(largest, std::abs(rig.gainAt(i) - rig.gainAt(i - 1)));
        return largest;
    }

    DeskFixture fx;
    EnginePullRig rig{fx};
    std::unique_ptr<Form1> form;
};

struct FadeCase {
    const char* zeit;
    double seconds;
    int step; // volume units a pass
};

void PrintTo(const FadeCase& c, std::ostream* os) {
    *os << "fade time " << c.zeit;
}

class FadeHeard : public FadeThroughEngine, public ::testing::WithParamInterface<FadeCase> {};

TEST_P(FadeHeard, EnvelopeFallsSmoothlyOverTheNominalTime) {
    const FadeCase c = GetParam();
    start(QString::fromLatin1(c.zeit), QStringLiteral("25"), c.seconds + 1.0);
    const auto [from, to] = rampOn(form->transport->Command2);
    ASSERT_NEAR(static_cast<double>(to - from) / AudioEngine::kSampleRate, c.seconds, c.seconds * 0.02);

    // Never louder on the way down.
    for (std::size_t i = from + 1; i < to; ++i)
        ASSERT_LE(rig.gainAt(i), rig.gainAt(i - 1) + 1e-6) << "sample " << i - from;
    // A straight line down over the nominal time: the quarter marks where they belong, within 2 %.
    for (double mark : {0.75, 0.5, 0.25, 0.01})
        EXPECT_NEAR(secondsUntil(from, to, mark, true), (1.0 - mark) * c.seconds, 0.02 * c.seconds) << mark;
    EXPECT_LT(rig.gainAt(to - 1), 0.005);
    // No click: one pass is 6.5535 x step / 65535 of gain at once; heard, it is spread over many samples.
    const double pass = c.step * 6.5535 / 65535.0;
    EXPECT_LT(largestStep(from, to), pass / 10) << "one pass " << pass;

    // The sine's envelope (peak of whole cycles) falls as well.
    const std::size_t window = 480;
    float previous = 1.0f;
    for (std::size_t w = from; w + window <= to; w += window) {
        const float peak =
            std::abs(*std::max_element(rig.right.begin() + static_cast<std::ptrdiff_t>(w),
                                       rig.right.begin() + static_cast<std::ptrdiff_t>(w + window),
                                       [](float a, float b) { return std::abs(a) < std::abs(b); }));
        ASSERT_LE(peak, previous + 1e-6f) << "window at " << w - from;
        previous = peak;
    }

    // The fade ends with the stop: nothing sounds afterwards.
    EXPECT_LT(rig.media.voiceOf(QStringLiteral("MyAlias")), 0);
    rig.render(480);
    for (std::size_t i = to; i < rig.left.size(); ++i)
        ASSERT_EQ(rig.left[i], 0.0f);
}

INSTANTIATE_TEST_SUITE_P(FadeTimes, FadeHeard,
                         ::testing::Values(FadeCase{"1", 1.0, 12}, FadeCase{"2", 2.0, 8},
                                           FadeCase{"3", 3.0, 4}));

TEST_F(FadeThroughEngine, AnnouncementLowersAndRestoresWithoutAJump) {
    start(QStringLiteral("2"), QStringLiteral("5"), 3.0);
    const auto [duckFrom, duckTo] = rampOn(form->transport->cmdAnsage);
    // 951 passes of 1.2 ms.
    EXPECT_NEAR(static_cast<double>(duckTo - duckFrom) / AudioEngine::kSampleRate, 1.1412, 0.001);
    const double rest = 3277 / 65535.0;
    EXPECT_NEAR(secondsUntil(duckFrom, duckTo, 0.5, true), 0.5 / (1 - 0.05) * 1.1412, 0.02);
    EXPECT_LT(largestStep(duckFrom, duckTo), 10 * 6.5535 / 65535.0 / 10);
    for (std::size_t i = duckFrom + 1; i < duckTo; ++i)
        ASSERT_LE(rig.gainAt(i), rig.gainAt(i - 1) + 1e-6);

    // The music stays at the rest level during the announcement.
    rig.render(4800);
    EXPECT_NEAR(rig.gainAt(rig.left.size() - 1), rest, 1e-6);

    const auto [upFrom, upTo] = rampOn(form->transport->cmdAnsage);
    EXPECT_NEAR(static_cast<double>(upTo - upFrom) / AudioEngine::kSampleRate, 0.7608, 0.001);
    for (std::size_t i = upFrom + 1; i < upTo; ++i)
        ASSERT_GE(rig.gainAt(i) + 1e-6, rig.gainAt(i - 1));
    EXPECT_LT(largestStep(upFrom, upTo), 15 * 6.5535 / 65535.0 / 10);
    rig.render(480);
    EXPECT_NEAR(rig.gainAt(rig.left.size() - 1), 65502 / 65535.0, 1e-6); // 9995 units
}

} // namespace
