// The ramps as they are heard: the desk drives the real audio engine, and every move of its clock renders
// exactly the frames of the time that passed.
#include "support/Desk.h"
#include "support/EngineRig.h"

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
                       EngineRig::probeWav(fadeSeconds + 4.0));
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"),
                             QString::number(fadeSeconds));
        start();
        press(0);
        rig.followClock();
        fx.ticks.advance(100000); // 100 ms at full level
    }
    EngineRig rig{fx};
};

TEST_F(RampsHeard, APressThreeHundredMillisecondsIntoEveryRampSoundsWithinOnePeriodAtFullLevel) {
    for (const std::string ramp : {"fade", "duck", "restore"}) {
        SCOPED_TRACE(ramp);
        startProbe(2);
        if (ramp == "restore") {
            click("cmdAnsage");
            fx.ticks.advance(2000000);
        }
        click(ramp == "fade" ? "Command2" : "cmdAnsage");
        fx.ticks.advance(300000);
        ASSERT_LT(rig.gainAt(rig.left.size() - 1), 0.99) << "the ramp must be under way";
        const std::size_t pressedAt = rig.left.size();
        press(1);
        fx.ticks.advance(1000000);
        // Heard from the first frame after the press, at full level once the 128-frame smoothing is done; the
        // old ramp never lowers it again.
        EXPECT_NE(rig.left[pressedAt], 0.0f);
        for (std::size_t i = pressedAt + AudioEngine::kPeriodFrames; i < rig.left.size(); ++i)
            ASSERT_NEAR(rig.gainAt(i), 1.0, 1e-6) << "sample " << i - pressedAt;
    }
}

} // namespace
