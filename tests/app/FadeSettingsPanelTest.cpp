// The fade and announcement settings panel: what a click stores for the current team and the tips it sets,
// and the panel's place in the frame it shares with the format panel.
#include "app/FadeSettingsPanel.h"
#include "app/FormatPanel.h"
#include "widgets/ClickLabel.h"
#include "support/ConsoleDesk.h"

namespace {

using FadeSettings = ConsoleDesk;

TEST_F(FadeSettings, ClicksStoreTheirOwnKeyForTheCurrentTeamAndSetTheTips) {
    start(QStringLiteral("3"), QStringLiteral("10"));
    trigger("mnuAusblend");
    FadeSettingsPanel* panel = form->frm_aus;
    const int steps[3] = {12, 8, 4};
    for (int i = 0; i < 3; ++i) {
        press(panel->Label9[static_cast<std::size_t>(i)]);
        EXPECT_EQ(form->iFadeStep, steps[i]);
        EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), QString::number(i + 1));
        EXPECT_EQ(panel->Label10->text(), QString::number(i + 1));
        EXPECT_EQ(t().Command2->toolTip(), QString::number(i + 1) + QStringLiteral(" Sec."));
        EXPECT_EQ(ini("Damen_AUSBLEND", "Vol"), QStringLiteral("10"));
        EXPECT_EQ(t().cmdAnsage->toolTip(), QStringLiteral("10 %"));
    }
    for (int i = 0; i < 6; ++i) {
        press(panel->Label13[static_cast<std::size_t>(i)]);
        const QString percent = QString::number(5 * (i + 1));
        EXPECT_EQ(form->iAnsageVol, 500 * (i + 1));
        EXPECT_EQ(ini("Damen_AUSBLEND", "Vol"), percent);
        EXPECT_EQ(panel->Label12->text(), percent);
        EXPECT_EQ(t().cmdAnsage->toolTip(), percent + QStringLiteral(" %"));
        EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), QStringLiteral("3"));
        EXPECT_EQ(t().Command2->toolTip(), QStringLiteral("3 Sec."));
    }
    // After a team switch a click stores under the new team, and only its own key.
    trigger("mnu_Männer");
    press(panel->Label9[1]);
    EXPECT_EQ(ini("Männer_AUSBLEND", "ZEIT"), QStringLiteral("2"));
    EXPECT_EQ(ini("Männer_AUSBLEND", "Vol"), QStringLiteral("25"));
    EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), QStringLiteral("3"));
}

TEST_F(FadeSettings, FormatHidesThePanelAndXClosesTheFrameKeepingTheValues) {
    start();
    trigger("mnuAusblend");
    trigger("mnu_Format");
    EXPECT_TRUE(form->frm_format->isVisible());
    EXPECT_FALSE(form->frm_aus->isVisible());
    EXPECT_TRUE(form->formatPanel->cmd_Test->isVisible());
    trigger("mnuAusblend");
    // The close button stays reachable above the panel.
    QWidget* x = form->findChild<QWidget*>(QStringLiteral("Command6"));
    EXPECT_FALSE(form->frm_aus->geometry().intersects(x->geometry()));
    press(x);
    EXPECT_FALSE(form->frm_format->isVisible());
    EXPECT_EQ(form->iFadeStep, 8);
    EXPECT_EQ(form->iAnsageVol, 2500);
}

} // namespace
