// The editor's stopwatch on its own, driven by a fake tick source.
#include "editor/TitleStopwatch.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace {

class Stopwatch : public ::testing::Test {
  protected:
    FakeTickFactory ticks;
    int reports = 0;
    TitleStopwatch watch{ticks, [this] { ++reports; }};
    FakeTickSource& timer4() { return *ticks.created.at(0); }
};

} // namespace

TEST_F(Stopwatch, StartsStoppedAtZero) {
    EXPECT_EQ(watch.iTitelZeit(), 0);
    EXPECT_EQ(watch.Titel(), QStringLiteral("0"));
    EXPECT_FALSE(watch.counting());
    EXPECT_EQ(timer4().interval(), 0);
    EXPECT_FALSE(timer4().tick());
    EXPECT_EQ(reports, 0);
}

TEST_F(Stopwatch, StartSetsOneSecondAndEachTickCountsAndReports) {
    watch.cmd_Titelstart_Click();
    EXPECT_EQ(timer4().interval(), 1000);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(timer4().tick());
    EXPECT_EQ(watch.iTitelZeit(), 3);
    EXPECT_EQ(watch.Titel(), QStringLiteral("3"));
    EXPECT_EQ(watch.seconds(), 3);
    EXPECT_EQ(reports, 3);
}

TEST_F(Stopwatch, PauseHoldsTheCountAndStartResumesIt) {
    watch.cmd_Titelstart_Click();
    for (int i = 0; i < 10; ++i)
        timer4().tick();
    watch.cmd_Titelpause_Click();
    EXPECT_EQ(timer4().interval(), 0);
    EXPECT_FALSE(timer4().tick());
    EXPECT_EQ(watch.Titel(), QStringLiteral("10"));
    watch.cmd_Titelstart_Click();
    ASSERT_TRUE(timer4().tick());
    EXPECT_EQ(watch.Titel(), QStringLiteral("11"));
}

TEST_F(Stopwatch, StopZeroesCountAndText) {
    watch.cmd_Titelstart_Click();
    for (int i = 0; i < 5; ++i)
        timer4().tick();
    watch.cmd_Titelstop_Click();
    EXPECT_EQ(watch.iTitelZeit(), 0);
    EXPECT_EQ(watch.Titel(), QStringLiteral("0"));
    EXPECT_FALSE(watch.counting());
    EXPECT_FALSE(timer4().tick());
}

TEST_F(Stopwatch, CountNeverPasses32767) {
    watch.cmd_Titelstart_Click();
    for (int i = 0; i < 32767; ++i)
        timer4().tick();
    EXPECT_EQ(watch.iTitelZeit(), 32767);
    ASSERT_TRUE(timer4().tick());
    ASSERT_TRUE(timer4().tick());
    EXPECT_EQ(watch.iTitelZeit(), 32767);
    EXPECT_EQ(watch.Titel(), QStringLiteral("32767"));
    EXPECT_EQ(reports, 32769);
    watch.cmd_Titelstop_Click();
    watch.cmd_Titelstart_Click();
    timer4().tick();
    EXPECT_EQ(watch.Titel(), QStringLiteral("1"));
}
