// The announcement button as the operator uses it: the rest level chosen in the settings panel, the duck and
// restore ramps that reach the wave output, captions, colours and which controls show meanwhile.
#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "console/ClickLabel.h"
#include "console/TransportArea.h"
#include "console/VbButton.h"
#include "support/DeskFixture.h"
#include "volume/FadeSettingsPanel.h"
#include "volume/Level.h"

#include <QAction>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr std::int32_t Green = 0x0000FF00;
constexpr std::int32_t LightGrey = 0x00E0E0E0;

// The operator can press only what is shown.
void press(QWidget* w) {
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

class DuckingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fx.makeTeam(
            QStringLiteral("Damen"),
            {{QStringLiteral("7 Meter"), {QStringLiteral("01Anwurf.mp3"), QStringLiteral("02Abpfiff.mp3")}}});
        form = fx.startMain();
        form->show();
    }
    // Chooses the rest level in the settings panel and closes it again, as the operator does.
    void chooseRestLevel(int index) {
        form->action(QStringLiteral("mnuAusblend"))->trigger();
        press(form->frm_aus->Label13[static_cast<std::size_t>(index)]);
        press(form->findChild<QWidget*>(QStringLiteral("Command6")));
        ASSERT_FALSE(form->frm_format->isVisible());
    }
    void play(int index = 0) {
        press(form->board->button(index));
        fx.waveOut.levels.clear();
    }
    // Clicks the announcement button; the levels it applied and the time it took on the desk's clock.
    std::vector<std::uint32_t> clickAnsage(std::int64_t* tookUs = nullptr) {
        fx.waveOut.levels.clear();
        const std::int64_t before = fx.clock.now;
        press(form->transport->cmdAnsage);
        if (tookUs)
            *tookUs = fx.clock.now - before;
        return fx.waveOut.levels;
    }
    TransportArea& t() { return *form->transport; }

    DeskFixture fx;
    std::unique_ptr<Form1> form;
};

std::vector<std::uint32_t> expectedDuck(int rest) {
    std::vector<std::uint32_t> out;
    for (int i = 10000; i >= rest; i -= 10)
        out.push_back(Level::packed(i));
    return out;
}

std::vector<std::uint32_t> expectedRestore(int rest) {
    std::vector<std::uint32_t> out;
    for (int i = rest; i <= 10000; i += 15)
        out.push_back(Level::packed(i));
    return out;
}

struct DuckRow {
    int index;
    int rest;
    std::size_t duckPasses;
    std::size_t restorePasses;
    int restored;
};

void PrintTo(const DuckRow& r, std::ostream* os) {
    *os << "rest level " << r.rest;
}

class DuckTable : public DuckingTest, public ::testing::WithParamInterface<DuckRow> {};

TEST_P(DuckTable, DuckAndRestoreFollowTheRestLevel) {
    const DuckRow row = GetParam();
    chooseRestLevel(row.index);
    ASSERT_EQ(form->iAnsageVol, row.rest);
    play();

    std::int64_t took = 0;
    const auto duck = clickAnsage(&took);
    ASSERT_EQ(duck.size(), row.duckPasses);
    EXPECT_EQ(duck, expectedDuck(row.rest));
    EXPECT_EQ(form->HScroll1->value(), row.rest);
    EXPECT_EQ(t().ProgressBar2->value(), row.rest);
    EXPECT_EQ(took, static_cast<std::int64_t>(row.duckPasses) * 1200);
    EXPECT_EQ(t().cmdAnsage->caption(), QStringLiteral("Musik"));
    EXPECT_EQ(t().cmdAnsage->backColor(), Green);
    EXPECT_FALSE(t().Command2->isVisible());
    EXPECT_FALSE(t().ProgressBar1->isVisible());
    EXPECT_TRUE(t().ProgressBar2->isVisible());

    const auto restore = clickAnsage(&took);
    ASSERT_EQ(restore.size(), row.restorePasses);
    EXPECT_EQ(restore, expectedRestore(row.rest));
    EXPECT_EQ(form->HScroll1->value(), row.restored);
    EXPECT_EQ(took, static_cast<std::int64_t>(row.restorePasses) * 1200);
    EXPECT_EQ(t().cmdAnsage->caption(), QStringLiteral("Ansage"));
    EXPECT_EQ(t().cmdAnsage->backColor(), LightGrey);
    EXPECT_TRUE(t().Command2->isVisible());
    EXPECT_TRUE(t().ProgressBar1->isVisible());
}

INSTANTIATE_TEST_SUITE_P(RestLevels, DuckTable,
                         ::testing::Values(DuckRow{0, 500, 951, 634, 9995}, DuckRow{1, 1000, 901, 601, 10000},
                                           DuckRow{2, 1500, 851, 567, 9990}, DuckRow{3, 2000, 801, 534, 9995},
                                           DuckRow{4, 2500, 751, 501, 10000},
                                           DuckRow{5, 3000, 701, 467, 9990}));

TEST_F(DuckingTest, ThirtyPerCentEndsAtItsDeviceLevels) {
    chooseRestLevel(5);
    play();
    const auto duck = clickAnsage();
    ASSERT_FALSE(duck.empty());
    EXPECT_EQ(duck.back(), (19660u << 16) | 19660u);
    const auto restore = clickAnsage();
    ASSERT_FALSE(restore.empty());
    EXPECT_EQ(restore.back(), (65469u << 16) | 65469u);
}

TEST_F(DuckingTest, DuckAlwaysStartsFromFullLevel) {
    chooseRestLevel(0);
    play();
    clickAnsage();
    clickAnsage();
    ASSERT_EQ(form->HScroll1->value(), 9995);
    const auto again = clickAnsage();
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(again.front(), 0xFFFFFFFFu);
}

TEST_F(DuckingTest, NewTitleWhileDuckedEndsTheDuckAtOnce) {
    chooseRestLevel(1);
    play();
    clickAnsage();
    ASSERT_EQ(form->HScroll1->value(), 1000);
    fx.waveOut.levels.clear();
    const std::int64_t before = fx.clock.now;
    press(form->board->button(1));
    EXPECT_EQ(fx.clock.now, before);
    EXPECT_EQ(fx.waveOut.levels, std::vector<std::uint32_t>{0xFFFFFFFFu});
    EXPECT_EQ(form->HScroll1->value(), 10000);
    EXPECT_EQ(t().cmdAnsage->caption(), QStringLiteral("Ansage"));
    EXPECT_EQ(t().cmdAnsage->backColor(), LightGrey);
    EXPECT_TRUE(t().ProgressBar1->isVisible());
    EXPECT_TRUE(t().ProgressBar2->isVisible());
    EXPECT_TRUE(t().Command2->isVisible());
    EXPECT_EQ(t().ProgressBar1->value(), 10000);
    EXPECT_EQ(t().ProgressBar2->value(), 10000);
    // The next click ducks again.
    EXPECT_EQ(clickAnsage().size(), 901u);
    EXPECT_EQ(t().cmdAnsage->caption(), QStringLiteral("Musik"));
}

TEST_F(DuckingTest, AnyCaptionButAnsageCountsAsDucked) {
    chooseRestLevel(2);
    play();
    t().cmdAnsage->setCaption(QStringLiteral("ansage"));
    const auto levels = clickAnsage();
    EXPECT_EQ(levels.size(), 567u);
    EXPECT_EQ(t().cmdAnsage->caption(), QStringLiteral("Ansage"));
    EXPECT_TRUE(t().Command2->isVisible());
}

TEST_F(DuckingTest, StopWhileDuckedKeepsTheRestLevel) {
    chooseRestLevel(3);
    play();
    clickAnsage();
    fx.waveOut.levels.clear();
    press(t().cmd2);
    EXPECT_TRUE(fx.waveOut.levels.empty());
    EXPECT_EQ(form->HScroll1->value(), 2000);
    EXPECT_FALSE(t().cmdAnsage->isVisible());
    EXPECT_FALSE(t().ProgressBar2->isVisible());
}

TEST_F(DuckingTest, AnnouncementTooltipShowsTheRestLevel) {
    EXPECT_EQ(t().cmdAnsage->toolTip(), QStringLiteral("25 %"));
    chooseRestLevel(0);
    EXPECT_EQ(t().cmdAnsage->toolTip(), QStringLiteral("5 %"));
}

} // namespace
