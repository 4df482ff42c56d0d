// The editor's stopwatch on its own, driven by a fake tick source: the 16-bit count at its end.
#include "editor/TitleStopwatch.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

TEST(Stopwatch, CountNeverPasses32767AndStartsAgainAfterStop) {
    FakeClock clock;
    FakeTickFactory ticks{clock};
    int reports = 0;
    TitleStopwatch watch{ticks, [&reports] { ++reports; }};
    FakeTickSource& timer4 = *ticks.created.at(0);
    watch.cmd_Titelstart_Click();
    for (int i = 0; i < 32767 + 2; ++i)
        ASSERT_TRUE(timer4.tick());
    EXPECT_EQ(watch.iTitelZeit(), 32767);
    EXPECT_EQ(watch.Titel(), QStringLiteral("32767"));
    EXPECT_EQ(reports, 32769);
    watch.cmd_Titelstop_Click();
    watch.cmd_Titelstart_Click();
    ASSERT_TRUE(timer4.tick());
    EXPECT_EQ(watch.Titel(), QStringLiteral("1"));
}
