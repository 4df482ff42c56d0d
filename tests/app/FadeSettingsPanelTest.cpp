// The fade and announcement settings panel: what a click stores for the current team and the tips it sets,
// and the panel's place in the frame it shares with the format panel.
#include "support/Desk.h"

namespace {

class FadeSettings : public Desk {
  protected:
    void SetUp() override {
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), QStringLiteral("3"),
                             QStringLiteral("10"));
        fx.makeTeam(QStringLiteral("Männer"));
        start();
        Operator::menu(main.get(), "mnuAusblend");
    }
    QString ini(const char* section, const char* key) const {
        return fx.readIni(QString::fromUtf8(section), QString::fromLatin1(key));
    }
    QString tip(const char* name) const { return Operator::find(main.get(), name)->toolTip(); }
};

TEST_F(FadeSettings, ClicksStoreTheirOwnKeyForTheCurrentTeamAndSetTheTips) {
    for (int i = 0; i < 3; ++i) {
        click(qPrintable(QStringLiteral("Label9_%1").arg(i)));
        EXPECT_EQ(main->settings().iFadeStep, 12 - 4 * i);
        EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), QString::number(i + 1));
        EXPECT_EQ(text(main.get(), "Label10"), QString::number(i + 1));
        EXPECT_EQ(tip("Command2"), QString::number(i + 1) + " Sec.");
        EXPECT_EQ(ini("Damen_AUSBLEND", "Vol"), QStringLiteral("10"));
    }
    for (int i = 0; i < 6; ++i) {
        click(qPrintable(QStringLiteral("Label13_%1").arg(i)));
        const QString percent = QString::number(5 * (i + 1));
        EXPECT_EQ(main->settings().iAnsageVol, 500 * (i + 1));
        EXPECT_EQ(ini("Damen_AUSBLEND", "Vol"), percent);
        EXPECT_EQ(text(main.get(), "Label12"), percent);
        EXPECT_EQ(tip("cmdAnsage"), percent + " %");
        EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), QStringLiteral("3"));
    }
    // After a team switch a click stores under the new team, and only its own key.
    Operator::menu(main.get(), "mnu_Männer");
    click("Label9_1");
    EXPECT_EQ(ini("Männer_AUSBLEND", "ZEIT"), QStringLiteral("2"));
    EXPECT_EQ(ini("Männer_AUSBLEND", "Vol"), QStringLiteral("25"));
    EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), QStringLiteral("3"));
}

TEST_F(FadeSettings, FormatHidesThePanelAndXClosesTheFrameKeepingTheValues) {
    Operator::menu(main.get(), "mnu_Format");
    EXPECT_EQ(shown(main.get(), {"frm_format", "frm_aus", "cmd_Test"}), "101");
    Operator::menu(main.get(), "mnuAusblend");
    // The close button stays reachable above the panel.
    QWidget* x = Operator::find(main.get(), "Command6");
    EXPECT_FALSE(Operator::find(main.get(), "frm_aus")->geometry().intersects(x->geometry()));
    Operator::click(x);
    EXPECT_FALSE(Operator::shown(main.get(), "frm_format"));
    EXPECT_EQ(main->settings().iFadeStep, 4);
    EXPECT_EQ(main->settings().iAnsageVol, 1000);
}

} // namespace
