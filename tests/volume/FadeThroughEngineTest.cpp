// A fade as it is heard: the desk drives the real audio engine through its media commands and wave output
// level, and every wait of the ramp renders exactly the frames of the time waited.
#include "support/Desk.h"
#include "volume/EnginePullRig.h"

namespace {

class FadeHeard : public Desk {
  protected:
    EnginePullRig rig{fx};
};

TEST_F(FadeHeard, EnvelopeFallsSmoothlyOverTheNominalTime) {
    for (auto [secs, step] : {std::pair{1, 12}, std::pair{3, 4}}) {
        SCOPED_TRACE(secs);
        TearDown();
        rig.left.clear();
        rig.right.clear();
        fx.makeTeam(QStringLiteral("Damen"));
        fx.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("01Probe.wav"),
                   EnginePullRig::probeWav(secs + 1.0));
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), QString::number(secs));
        start();
        press(0);
        rig.render(4800); // 100 ms at full level
        ASSERT_NEAR(rig.gainAt(rig.left.size() - 1), 1.0, 1e-6) << "the title must sound before the fade";

        const std::size_t from = rig.left.size();
        rig.followClock();
        click("Command2");
        rig.stopFollowing();
        const std::size_t to = rig.left.size();
        ASSERT_NEAR(static_cast<double>(to - from) / AudioEngine::kSampleRate, secs, secs * 0.02);
        // Never louder on the way down, and no click: one pass changes the gain by step x 6.5535 / 65535 at
        // once; heard, that is spread over many samples. The sine channel gets the same gain.
        const double pass = step * 6.5535 / 65535.0;
        const double marks[4] = {0.75, 0.5, 0.25, 0.01};
        double reached[4] = {-1, -1, -1, -1};
        for (std::size_t i = from + 1; i < to && !HasFailure(); ++i) {
            const double change = rig.gainAt(i) - rig.gainAt(i - 1);
            EXPECT_LE(change, 1e-6) << "sample " << i - from;
            EXPECT_LT(-change, pass / 10) << "sample " << i - from;
            EXPECT_LE(std::abs(rig.right[i]), rig.left[i] + 1e-4f) << "sample " << i - from;
            for (int m = 0; m < 4; ++m)
                if (reached[m] < 0 && rig.gainAt(i) <= marks[m])
                    reached[m] = static_cast<double>(i - from) / AudioEngine::kSampleRate;
        }
        // A straight line down over the nominal time: each mark reached when it is due, within 2 %.
        for (int m = 0; m < 4; ++m)
            EXPECT_NEAR(reached[m], (1 - marks[m]) * secs, 0.02 * secs) << "mark " << marks[m];
        // The fade ends with the stop: nothing sounds afterwards.
        rig.render(480);
        for (std::size_t i = to; i < rig.left.size(); ++i)
            ASSERT_EQ(rig.left[i], 0.0f);
    }
}

} // namespace
