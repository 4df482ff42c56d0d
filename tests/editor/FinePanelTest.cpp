// The fine-adjustment panel: its captions in either locale, and the slider, menus and "X" as an operator uses
// them.
#include "editor/FinePanel.h"
#include "widgets/VbButton.h"

#include <QLabel>
#include <QLocale>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FinePanelTest : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(FinePanelTest, CaptionsUseTheLocaleSeparatorAndNoTrailingZeros) {
    EXPECT_EQ(FinePanel::startTimeCaption(-300), QStringLiteral("Startzeit: -0,3 sec."));
    EXPECT_EQ(FinePanel::startTimeCaption(1234567), QStringLiteral("Startzeit: 1234,567 sec."));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FinePanel::changeCaption(33), QStringLiteral("+ 1.3 sec."));
    EXPECT_EQ(FinePanel::startTimeCaption(12500), QStringLiteral("Startzeit: 12.5 sec."));
}

TEST_F(FinePanelTest, SliderMenusAndXAsTheOperatorUsesThem) {
    QWidget window;
    auto* beenden = new QWidget(&window);
    auto* panel = new FinePanel(&window, beenden);
    window.show();
    panel->mnu_fein_Click();
    EXPECT_TRUE(beenden->isHidden());
    for (auto [key, wert] : {std::pair{Qt::Key_Left, "-0,1 sec."},
                             {Qt::Key_End, "+ 2 sec."},
                             {Qt::Key_Home, "-2 sec."},
                             {Qt::Key_PageUp, "-1,5 sec."}}) {
        QTest::keyClick(panel->Slider1, key);
        EXPECT_EQ(panel->lbl_Wert->text(), QString::fromUtf8(wert));
    }
    EXPECT_EQ(panel->change(), -1500);
    // The menu closes and keeps the position; "X" centres and shows "Beenden" again.
    panel->mnu_feinEnde_Click();
    EXPECT_FALSE(panel->fineMode());
    EXPECT_TRUE(beenden->isHidden());
    panel->mnu_fein_Click();
    EXPECT_EQ(panel->Slider1->value(), 5);
    QTest::mouseClick(panel->Command8, Qt::LeftButton);
    EXPECT_FALSE(panel->fineMode());
    EXPECT_FALSE(beenden->isHidden());
    EXPECT_EQ(panel->Slider1->value(), 20);
    EXPECT_EQ(panel->lbl_Wert->text(), QStringLiteral("0 sec."));
    EXPECT_EQ(panel->sFeinWert, QStringLiteral("0"));
    // The start time label sizes itself to its text.
    const int narrow = panel->LBL_Slider->width();
    panel->showStartTime(12500);
    EXPECT_GT(panel->LBL_Slider->width(), narrow);
}

} // namespace
