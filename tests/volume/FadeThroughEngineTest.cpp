// The ramps as they are heard: the desk drives the real audio engine through its media commands and wave
// output level, and every move of its clock renders exactly the frames of the time that passed.
#include "support/Desk.h"
#include "volume/EnginePullRig.h"

namespace {

class RampsHeard : public Desk {
  protected:
    void startProbe(int fadeSeconds) {
        TearDown();
        rig.left.clear();
        rig.right.clear();
        fx.makeTeam(QStringLiteral("Damen"));
        for (const char* name : {"01Probe.wav", "02Probe.wav"})
            fx.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QString::fromLatin1(name),
                       EnginePullRig::probeWav(fadeSeconds + 4.0));
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"),
                             QString::number(fadeSeconds));
        start();
        press(0);
        rig.followClock();
        fx.ticks.advance(100000); // 100 ms at full level
        ASSERT_NEAR(rig.gainAt(rig.left.size() - 1), 1.0, 1e-6) << "the title must sound before the ramp";
    }
    EnginePullRig rig{fx};
};

TEST_F(RampsHeard, FadeEnvelopeFallsSmoothlyOverTheNominalTime) {
    for (auto [secs, step] : {std::pair{1, 12}, std::pair{3, 4}}) {
        SCOPED_TRACE(secs);
        startProbe(secs);
        const std::size_t from = rig.left.size();
        click("Command2");
        fx.ticks.advance(secs * 1000000 + 100000);
        std::cerr << "DBG secs " << secs << " step " << main->settings().iFadeStep << " from " << from
                  << " size " << rig.left.size() << " g0 " << rig.gainAt(from + 10) << " gmid "
                  << rig.gainAt(from + 48000) << std::endl;
        // The stop comes when the fade has had its time, and nothing sounds any more.
        const auto silent = std::find(rig.left.begin() + static_cast<long>(from), rig.left.end(), 0.0f);
        const auto silentFrom = static_cast<std::size_t>(silent - rig.left.begin());
        EXPECT_NEAR(static_cast<double>(silentFrom - from) / AudioEngine::kSampleRate, secs, 0.02 * secs);
        EXPECT_TRUE(std::all_of(silent, rig.left.end(), [](float v) { return v == 0.0f; }));
        // Never louder on the way down, and no click: one pass changes the gain by step x 6.5535 / 65535 at
        // once; heard, that is spread over many samples. The sine channel gets the same gain.
        const double pass = step * 6.5535 / 65535.0;
        const double marks[4] = {0.75, 0.5, 0.25, 0.01};
        double reached[4] = {-1, -1, -1, -1};
        int rough = 0;
        for (std::size_t i = from + 1; i < silentFrom; ++i) {
            const double change = rig.gainAt(i) - rig.gainAt(i - 1);
            rough += change > 1e-6 || -change >= pass / 10 || std::abs(rig.right[i]) > rig.left[i] + 1e-4f;
            for (int m = 0; m < 4; ++m)
                if (reached[m] < 0 && rig.gainAt(i) <= marks[m])
                    reached[m] = static_cast<double>(i - from) / AudioEngine::kSampleRate;
        }
        EXPECT_EQ(rough, 0);
        // A straight line down over the nominal time: each mark reached when it is due, within 2 %.
        for (int m = 0; m < 4; ++m)
            EXPECT_NEAR(reached[m], (1 - marks[m]) * secs, 0.02 * secs) << "mark " << marks[m];
    }
}

TEST_F(RampsHeard, APressThreeHundredMillisecondsIntoEveryRampSoundsWithinOnePeriodAtFullLevel) {
    for (const char* ramp : {"fade", "duck", "restore"}) {
        SCOPED_TRACE(ramp);
        startProbe(2);
        if (std::string(ramp) == "restore") {
            click("cmdAnsage");
            fx.ticks.advance(2000000);
        }
        click(std::string(ramp) == "fade" ? "Command2" : "cmdAnsage");
        fx.ticks.advance(300000);
        ASSERT_LT(rig.gainAt(rig.left.size() - 1), 0.99) << "the ramp must be under way";
        const std::size_t pressedAt = rig.left.size();
        press(1);
        fx.ticks.advance(1000000);
        // The new title is heard from the first period on, and at full level by its end (the level is
        // smoothed over 128 frames); the old ramp never lowers it again.
        EXPECT_NE(rig.left[pressedAt], 0.0f);
        for (std::size_t i = pressedAt + AudioEngine::kPeriodFrames; i < rig.left.size(); ++i)
            ASSERT_NEAR(rig.gainAt(i), 1.0, 1e-6) << "sample " << i - pressedAt;
    }
}

} // namespace
