// The fade button and the announcement button as the operator uses them: the levels that reach the wave
// output, the time the ramps take on the desk's clock with the event loop running, every click made during a
// ramp, the stop a fade ends with, what ends a ramp at once, and a press during a ramp as it is heard through
// the real engine.
#include "support/Desk.h"
#include "support/EngineRig.h"
#include "volume/Level.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

class Ramps : public Desk {
  protected:
    void startWith(const QString& zeit, const QString& vol = QStringLiteral("20")) {
        TearDown();
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), zeit, vol);
        start({{"7 Meter", {"01Anwurf.mp3", "02Abpfiff.mp3"}}});
        press(0);
        fx.waveOut.levels.clear();
        sent();
    }
    bool enabled(const char* name) const { return Operator::find(main.get(), name)->isEnabled(); }
    // Lets the running ramp go to its end (no level for 50 ms), at most 4 s; the moment of its last level.
    std::int64_t runOut() {
        std::int64_t lastUs = fx.clock.now;
        std::size_t seen = fx.waveOut.levels.size();
        for (int ms = 0; ms < 4000 && fx.clock.now - lastUs < 50000; ++ms) {
            fx.ticks.advance(1000);
            if (fx.waveOut.levels.size() != seen) {
                seen = fx.waveOut.levels.size();
                lastUs = fx.clock.now;
            }
        }
        EXPECT_GE(fx.clock.now - lastUs, 50000) << "the ramp did not end";
        return lastUs;
    }
    // Clicks the button and lets the ramp run to its end: the levels it applied, its time in tookUs.
    std::vector<std::uint32_t> ramp(const char* button) {
        fx.waveOut.levels.clear();
        const std::int64_t before = fx.clock.now;
        click(button);
        tookUs = runOut() - before;
        return fx.waveOut.levels;
    }
    std::int64_t tookUs = 0;
};

TEST_F(Ramps, FadePassesLevelsAndTimeFollowTheFadeTimeAndItEndsLikeStop) {
    for (auto [seconds, passes, lastUnits] : {std::tuple{1, 834u, 4}, {2, 1251u, 0}, {3, 2501u, 0}}) {
        SCOPED_TRACE(seconds);
        startWith(QString::number(seconds));
        int barBehind = 0;
        fx.clock.onAdvance = [&](std::int64_t) {
            barBehind +=
                Operator::find<QProgressBar>(main.get(), "ProgressBar1")->value() != main->level().value();
        };
        const auto levels = ramp("Command2");
        fx.clock.onAdvance = nullptr;
        ASSERT_EQ(levels.size(), passes);
        EXPECT_EQ(levels.front(), 0xFFFFFFFFu);
        EXPECT_EQ(levels.back(), Level::packed(lastUnits));
        EXPECT_EQ(barBehind, 0);
        EXPECT_EQ(main->level().value(), lastUnits); // neither the fade nor its stop restores the level
        EXPECT_NEAR(tookUs / 1e6, seconds, seconds * 0.02);
        EXPECT_EQ(sent(), StopCommands);
        EXPECT_EQ(shown(main.get(), {"Label17", "cmd2_0", "cmd5", "Command2", "cmdAnsage", "Shape2"}),
                  "000000");
        // Off the board: Space after a fade starts no title.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(sent().isEmpty());
    }
    // Without a fade time (missing, not a number, no choice) the button stops at once and leaves the level.
    for (const char* zeit : {"", "4"}) {
        startWith(QString::fromLatin1(zeit));
        click("Command2");
        EXPECT_TRUE(fx.waveOut.levels.empty()) << zeit;
        EXPECT_EQ(sent(), StopCommands) << zeit;
    }
}

TEST_F(Ramps, DuckAndRestoreFollowTheRestLevel) {
    for (auto [percent, duckPasses, restorePasses, restored] :
         {std::tuple{5, 951u, 634u, 9995}, {10, 901u, 601u, 10000}}) {
        SCOPED_TRACE(percent);
        startWith(QStringLiteral("2"), QString::number(percent));
        const auto duck = ramp("cmdAnsage");
        ASSERT_EQ(duck.size(), duckPasses);
        EXPECT_EQ(duck.back(), Level::packed(percent * 100));
        EXPECT_NEAR(tookUs, (duckPasses - 1) * 1200, 1000); // the last pass comes at its own moment
        EXPECT_EQ(Operator::find<QProgressBar>(main.get(), "ProgressBar2")->value(), percent * 100);
        EXPECT_EQ(text(main.get(), "cmdAnsage"), QStringLiteral("Musik"));
        EXPECT_EQ(Operator::find<VbButton>(main.get(), "cmdAnsage")->backColor(), 0x0000FF00);
        EXPECT_EQ(shown(main.get(), {"Command2", "ProgressBar1", "ProgressBar2"}), "001");
        const auto restore = ramp("cmdAnsage");
        ASSERT_EQ(restore.size(), restorePasses);
        EXPECT_EQ(restore.front(), Level::packed(percent * 100));
        EXPECT_EQ(main->level().value(), restored);
        EXPECT_EQ(text(main.get(), "cmdAnsage"), QStringLiteral("Ansage"));
        EXPECT_EQ(shown(main.get(), {"Command2", "ProgressBar1", "ProgressBar2"}), "111");
        // The restore may end short of full level; the next duck starts from full level all the same.
        EXPECT_EQ(ramp("cmdAnsage").front(), 0xFFFFFFFFu);
    }
}

TEST_F(Ramps, EveryClickDuringARampEndsItWhereItStandsAndActsFromThere) {
    // The controls shown during each ramp; Weiter never is (a ramp runs only while the title plays).
    const std::map<std::string, std::vector<std::string>> shownDuring{
        {"fade", {"cmd5", "Command2", "cmdAnsage"}},
        {"duck", {"cmd5", "cmdAnsage"}},
        {"restore", {"cmd5", "Command2", "cmdAnsage"}}};
    for (const auto& [ramp, controls] : shownDuring) {
        for (const std::string& control : controls) {
            SCOPED_TRACE(ramp + " then " + control);
            startWith(QStringLiteral("2"), QStringLiteral("20"));
            if (ramp == "restore") {
                click("cmdAnsage");
                runOut();
            }
            click(ramp == "fade" ? "Command2" : "cmdAnsage");
            fx.ticks.advance(300000);
            const int reached = main->level().value();
            ASSERT_TRUE(enabled(control.c_str()));
            fx.waveOut.levels.clear();
            sent();
            click(control.c_str());
            // The ramp ends where it stands: the click moves on from the level reached, never up from full.
            if (!fx.waveOut.levels.empty()) {
                EXPECT_EQ(fx.waveOut.levels.front(), Level::packed(reached));
            }
            runOut();
            const bool rises = control == "cmdAnsage" && ramp == "duck";
            for (std::uint32_t l : fx.waveOut.levels)
                ASSERT_TRUE(rises ? l >= Level::packed(reached) : l <= Level::packed(reached));
            if (control == "cmd5") {
                EXPECT_EQ(sent(), QStringList{QStringLiteral("pause MyAlias")});
                EXPECT_EQ(main->level().value(), reached);
                // Weiter goes on at that level, and a fade from there never jumps up first.
                click("cmd6");
                fx.waveOut.levels.clear();
                click("Command2");
                runOut();
                EXPECT_EQ(fx.waveOut.levels.front(), Level::packed(reached));
                EXPECT_EQ(sent().last(), QStringLiteral("close MyAlias"));
            } else if (control == "Command2") {
                EXPECT_EQ(sent(), StopCommands);
            } else if (rises) {
                EXPECT_GE(main->level().value(), 9985);
            } else {
                // Down in the duck's steps of 10 from where the click found it, so within a step of the rest.
                EXPECT_GE(main->level().value(), std::min(reached, 2000));
                EXPECT_LT(main->level().value(), std::min(reached, 2000) + 10);
                EXPECT_EQ(text(main.get(), "cmdAnsage"), QStringLiteral("Musik"));
            }
        }
    }
}

TEST_F(Ramps, MusikRisesFromWhereTheDuckWentWhateverTeamIsLoadedNow) {
    startWith(QStringLiteral("2"), QStringLiteral("20"));
    fx.makeTeam(QStringLiteral("Jugend"), {{"7 Meter", {"01Anpfiff.mp3"}}});
    fx.writeTeamSettings(QStringLiteral("Jugend"), QStringLiteral("12632256"), QStringLiteral("2"),
                         QStringLiteral("5"));
    ramp("cmdAnsage");
    Operator::menu(main.get(), QStringLiteral("mnu_Jugend"));
    const auto restore = ramp("cmdAnsage");
    EXPECT_EQ(restore.front(), Level::packed(2000));
    EXPECT_TRUE(std::is_sorted(restore.begin(), restore.end()));
}

TEST_F(Ramps, APressOrAStopInEitherWindowEndsARampAtOnceAndTheStopwatchGoesOn) {
    startWith(QStringLiteral("2"));
    openEditor();
    press(1, editor); // the editor's title and stopwatch
    press(0);         // the main console takes the title over; the editor keeps counting
    for (const char* button : {"Command2", "cmdAnsage"}) {
        click(button);
        fx.ticks.advance(300000);
        press(1);
        EXPECT_EQ(fx.waveOut.levels.back(), 0xFFFFFFFFu);
        const std::size_t after = fx.waveOut.levels.size();
        fx.ticks.advance(3000000);
        EXPECT_EQ(fx.waveOut.levels.size(), after) << button << ": the old ramp touched the level again";
        EXPECT_EQ(text(main.get(), "cmdAnsage"), QStringLiteral("Ansage"));
    }
    EXPECT_EQ(editor->stopwatch().Titel(), QStringLiteral("6"));
    for (QWidget* window : {static_cast<QWidget*>(main.get()), static_cast<QWidget*>(editor)}) {
        click("Command2");
        fx.ticks.advance(300000);
        Operator::click(window, "cmd2_0");
        const std::size_t stopped = fx.waveOut.levels.size();
        fx.ticks.advance(3000000);
        EXPECT_EQ(fx.waveOut.levels.size(), stopped);
        press(0);
    }
}

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
        for (std::size_t i = pressedAt; i < pressedAt + 128; ++i)
            ASSERT_LT(std::fabs(rig.gainAt(i) - rig.gainAt(i - 1)), 0.01)
                << "a click at sample " << i - pressedAt;
        for (std::size_t i = pressedAt + AudioEngine::kPeriodFrames; i < rig.left.size(); ++i)
            ASSERT_NEAR(rig.gainAt(i), 1.0, 1e-6) << "sample " << i - pressedAt;
    }
}

} // namespace
