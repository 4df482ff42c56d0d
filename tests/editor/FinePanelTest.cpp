// The fine-adjustment panel: the position rule, its captions and the panel's own buttons and keys.
#include "editor/FinePanel.h"
#include "console/VbButton.h"

#include <QLabel>
#include <QLocale>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FineRule : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

class FinePanelWidget : public FineRule {
  protected:
    void SetUp() override {
        FineRule::SetUp();
        window.show();
    }
    QWidget window;
    QWidget* beenden = new QWidget(&window);
    FinePanel* panel = new FinePanel(&window, beenden);
};

} // namespace

TEST_F(FineRule, ChangeIsATenthOfASecondPerPositionFromTheCentre) {
    EXPECT_EQ(FinePanel::changeMs(0), -2000);
    EXPECT_EQ(FinePanel::changeMs(19), -100);
    EXPECT_EQ(FinePanel::changeMs(20), 0);
    EXPECT_EQ(FinePanel::changeMs(21), 100);
    EXPECT_EQ(FinePanel::changeMs(40), 2000);
}

TEST_F(FineRule, CaptionsUseTheLocaleSeparatorAndNoTrailingZeros) {
    EXPECT_EQ(FinePanel::changeCaption(20), QStringLiteral("0 sec."));
    EXPECT_EQ(FinePanel::changeCaption(0), QStringLiteral("-2 sec."));
    EXPECT_EQ(FinePanel::changeCaption(5), QStringLiteral("-1,5 sec."));
    EXPECT_EQ(FinePanel::changeCaption(19), QStringLiteral("-0,1 sec."));
    EXPECT_EQ(FinePanel::changeCaption(21), QStringLiteral("+ 0,1 sec."));
    EXPECT_EQ(FinePanel::changeCaption(30), QStringLiteral("+ 1 sec."));
    EXPECT_EQ(FinePanel::changeCaption(40), QStringLiteral("+ 2 sec."));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FinePanel::changeCaption(5), QStringLiteral("-1.5 sec."));
    EXPECT_EQ(FinePanel::changeCaption(33), QStringLiteral("+ 1.3 sec."));
}

TEST_F(FineRule, StartTimeCaption) {
    EXPECT_EQ(FinePanel::startTimeCaption(12500), QStringLiteral("Startzeit: 12,5 sec."));
    EXPECT_EQ(FinePanel::startTimeCaption(0), QStringLiteral("Startzeit: 0 sec."));
    EXPECT_EQ(FinePanel::startTimeCaption(30000), QStringLiteral("Startzeit: 30 sec."));
    EXPECT_EQ(FinePanel::startTimeCaption(-300), QStringLiteral("Startzeit: -0,3 sec."));
    EXPECT_EQ(FinePanel::startTimeCaption(1234567), QStringLiteral("Startzeit: 1234,567 sec."));
}

TEST_F(FinePanelWidget, DesignState) {
    EXPECT_TRUE(panel->isHidden());
    EXPECT_FALSE(panel->fineMode());
    EXPECT_EQ(panel->Slider1->minimum(), 0);
    EXPECT_EQ(panel->Slider1->maximum(), 40);
    EXPECT_EQ(panel->Slider1->value(), 20);
    EXPECT_EQ(panel->Slider1->orientation(), Qt::Horizontal);
    EXPECT_EQ(panel->LBL_Slider->text(), QStringLiteral("0"));
    EXPECT_EQ(panel->lbl_Wert->text(), QStringLiteral("0"));
    EXPECT_EQ(panel->Command8->caption(), QStringLiteral("X"));
    EXPECT_EQ(panel->Command8->backColor(), 0x000000FF);
}

TEST_F(FinePanelWidget, OpeningRefreshesAndHidesBeenden) {
    panel->mnu_fein_Click();
    EXPECT_TRUE(panel->fineMode());
    EXPECT_TRUE(beenden->isHidden());
    EXPECT_EQ(panel->lbl_Wert->text(), QStringLiteral("0 sec."));
    EXPECT_EQ(panel->sFeinWert, QStringLiteral("0"));
}

TEST_F(FinePanelWidget, EveryOperatorMoveRefreshes) {
    panel->mnu_fein_Click();
    QTest::keyClick(panel->Slider1, Qt::Key_Left);
    EXPECT_EQ(panel->Slider1->value(), 19);
    EXPECT_EQ(panel->lbl_Wert->text(), QStringLiteral("-0,1 sec."));
    EXPECT_EQ(panel->sFeinWert, QStringLiteral("-100"));
    QTest::keyClick(panel->Slider1, Qt::Key_End);
    EXPECT_EQ(panel->lbl_Wert->text(), QStringLiteral("+ 2 sec."));
    EXPECT_EQ(panel->sFeinWert, QStringLiteral("2000"));
    EXPECT_EQ(panel->change(), 2000);
    QTest::keyClick(panel->Slider1, Qt::Key_Home);
    EXPECT_EQ(panel->lbl_Wert->text(), QStringLiteral("-2 sec."));
    EXPECT_EQ(panel->sFeinWert, QStringLiteral("-2000"));
    QTest::keyClick(panel->Slider1, Qt::Key_PageUp);
    EXPECT_EQ(panel->Slider1->value(), 5);
    EXPECT_EQ(panel->lbl_Wert->text(), QStringLiteral("-1,5 sec."));
}

TEST_F(FinePanelWidget, MenuCloseKeepsThePositionXCentres) {
    panel->mnu_fein_Click();
    QTest::keyClick(panel->Slider1, Qt::Key_Right);
    QTest::keyClick(panel->Slider1, Qt::Key_Right);
    panel->mnu_feinEnde_Click();
    EXPECT_FALSE(panel->fineMode());
    EXPECT_TRUE(beenden->isHidden());
    panel->mnu_fein_Click();
    EXPECT_EQ(panel->lbl_Wert->text(), QStringLiteral("+ 0,2 sec."));

    QTest::mouseClick(panel->Command8, Qt::LeftButton);
    EXPECT_FALSE(panel->fineMode());
    EXPECT_FALSE(beenden->isHidden());
    EXPECT_EQ(panel->Slider1->value(), 20);
    // Centring from the program refreshes as well, so the label never names another position.
    EXPECT_EQ(panel->lbl_Wert->text(), QStringLiteral("0 sec."));
    EXPECT_EQ(panel->sFeinWert, QStringLiteral("0"));
}

TEST_F(FinePanelWidget, StartTimeLabelSizesItselfToItsText) {
    panel->mnu_fein_Click();
    const int narrow = panel->LBL_Slider->width();
    panel->showStartTime(12500);
    EXPECT_EQ(panel->LBL_Slider->text(), QStringLiteral("Startzeit: 12,5 sec."));
    EXPECT_GT(panel->LBL_Slider->width(), narrow);
}
