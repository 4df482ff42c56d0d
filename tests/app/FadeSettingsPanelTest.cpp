// The fade and announcement settings panel: what a click stores for the current team and the tips it sets,
// and the panel's place in the frame it shares with the format panel.
#include "support/Desk.h"

namespace {

using FadeSettings = Desk;

TEST_F(FadeSettings, ClicksStoreTheirOwnKeyForTheCurrentTeamAndSetTheTips) {
    fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), QStringLiteral("3"),
                         QStringLiteral("10"));
    fx.makeTeam(QStringLiteral("Männer"));
    start();
    Operator::menu(main.get(), "mnuAusblend");
    const auto ini = [this](const char* section, const char* key) {
        return fx.readIni(QString::fromUtf8(section), QString::fromLatin1(key));
    };
    for (auto [label, step, zeit] :
         {std::tuple{"Label9_0", 12, "1"}, {"Label9_1", 8, "2"}, {"Label9_2", 4, "3"}}) {
        click(label);
        EXPECT_EQ(main->settings().iFadeStep, step);
        EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), zeit);
        EXPECT_EQ(text(main.get(), "Label10"), zeit);
        EXPECT_EQ(Operator::find(main.get(), "Command2")->toolTip(), zeit + QStringLiteral(" Sec."));
    }
    for (auto [label, level, vol] : {std::tuple{"Label13_0", 500, "5"}, {"Label13_5", 3000, "30"}}) {
        click(label);
        EXPECT_EQ(main->settings().iAnsageVol, level);
        EXPECT_EQ(ini("Damen_AUSBLEND", "Vol"), vol);
        EXPECT_EQ(text(main.get(), "Label12"), vol);
        EXPECT_EQ(Operator::find(main.get(), "cmdAnsage")->toolTip(), vol + QStringLiteral(" %"));
        EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), QStringLiteral("3")); // only its own key
    }
    // After a team switch a click stores under the new team, and only its own key.
    Operator::menu(main.get(), "mnu_Männer");
    click("Label9_1");
    EXPECT_EQ(ini("Männer_AUSBLEND", "ZEIT"), QStringLiteral("2"));
    EXPECT_EQ(ini("Männer_AUSBLEND", "Vol"), QStringLiteral("25"));
    EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), QStringLiteral("3"));
    // "Format" shows the other panel in the same frame; "X" closes the frame above both.
    Operator::menu(main.get(), "mnu_Format");
    EXPECT_EQ(shown(main.get(), {"frm_format", "frm_aus", "cmd_Test"}), "101");
    Operator::menu(main.get(), "mnuAusblend");
    QWidget* x = Operator::find(main.get(), "Command6");
    EXPECT_FALSE(Operator::find(main.get(), "frm_aus")->geometry().intersects(x->geometry()));
    Operator::click(x);
    EXPECT_FALSE(Operator::shown(main.get(), "frm_format"));
}

} // namespace
