// The two settings panels of the main console: the fade and announcement choices, and the format panel whose
// preview button stores the look for the current team, restyles the board and reloads it.
#include "support/Desk.h"
#include "widgets/VbColor.h"

#include <QLocale>

namespace {

class Panels : public Desk {
  protected:
    void SetUp() override {
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), QStringLiteral("3"),
                             QStringLiteral("10"));
        fx.makeTeam(QStringLiteral("Männer"), {{"7 Meter", {"01Anwurf.mp3"}}});
        start({{"7 Meter", {"01Anwurf.mp3"}}, {"Tormusik", {"01Tor.mp3"}}});
    }
    void TearDown() override {
        Desk::TearDown();
        QLocale::setDefault(QLocale::c());
    }
    QString ini(const char* section, const char* key) const {
        return fx.readIni(QString::fromUtf8(section), QString::fromLatin1(key));
    }
    VbButton* button(const char* name) const { return Operator::find<VbButton>(main.get(), name); }
};

TEST_F(Panels, FadeChoicesStoreTheirOwnKeyForTheCurrentTeamAndSetTheTips) {
    Operator::menu(main.get(), "mnuAusblend");
    for (auto [label, step, zeit] :
         {std::tuple{"Label9_0", 12, "1"}, {"Label9_1", 8, "2"}, {"Label9_2", 4, "3"}}) {
        click(label);
        EXPECT_EQ(main->settings().iFadeStep, step);
        EXPECT_EQ(ini("Damen_AUSBLEND", "ZEIT"), zeit);
        EXPECT_EQ(text(main.get(), "Label10"), zeit);
        EXPECT_EQ(button("Command2")->toolTip(), zeit + QStringLiteral(" Sec."));
    }
    for (auto [label, level, vol] : {std::tuple{"Label13_0", 500, "5"}, {"Label13_5", 3000, "30"}}) {
        click(label);
        EXPECT_EQ(main->settings().iAnsageVol, level);
        EXPECT_EQ(ini("Damen_AUSBLEND", "Vol"), vol);
        EXPECT_EQ(text(main.get(), "Label12"), vol);
        EXPECT_EQ(button("cmdAnsage")->toolTip(), vol + QStringLiteral(" %"));
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
    EXPECT_FALSE(
        Operator::find(main.get(), "frm_aus")->geometry().intersects(button("Command6")->geometry()));
    click("Command6");
    EXPECT_FALSE(Operator::shown(main.get(), "frm_format"));
}

TEST_F(Panels, FormatChoicesAreOnlyPreviewedUntilAppliedThenStoredForTheCurrentTeamAndTheBoardRestyled) {
    fx.setIni(QStringLiteral("Männer_Font_Style"), QStringLiteral("Bold"), QStringLiteral("1"));
    Operator::menu(main.get(), "mnu_Format");
    click("Label1_8");
    click("Label4");
    click("Label5_0");
    EXPECT_EQ(button("cmd_Test")->backColor(), 0x00FF8080);
    click("Command6");
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("12632256"));
    EXPECT_EQ(button("Command1_0")->backColor(), 12632256);
    // Opened again after a team switch, the preview still shows the last choice; applied, it is the new
    // team's.
    Operator::menu(main.get(), "mnu_Männer");
    Operator::menu(main.get(), "mnu_Format");
    click("cmd_Test");
    EXPECT_TRUE(sent().isEmpty()); // no title is touched
    EXPECT_FALSE(Operator::shown(main.get(), "frm_format"));
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("12632256"));
    EXPECT_EQ(ini("Männer_BUTTON_COLOR", "FARBE"), QStringLiteral("16744576"));
    EXPECT_EQ(ini("Männer_Font_Style", "Art"), QStringLiteral("Courier New"));
    EXPECT_EQ(ini("Männer_Font_Style", "Size"), QStringLiteral("6.75")); // 7 points are drawn as 6.75
    const QFont f = button("Command1_0")->font();
    EXPECT_EQ(button("Command1_0")->backColor(), 0x00FF8080);
    EXPECT_EQ(f.family(), QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 6.75);
    EXPECT_TRUE(f.bold()); // the reload applies the stored "Bold" as well
    for (const char* name : {"Command1_30", "Command5", "cmdAnsage", "cmd2_0"})
        EXPECT_DOUBLE_EQ(button(name)->font().pointSizeF(), 18) << name;
    EXPECT_EQ(button("Command5")->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(Operator::find(main.get(), "Label1_0")->font().family(), QStringLiteral("Arial"));
}

TEST_F(Panels, TheDesignLookIsTheButtonFaceAndTheSizeIsWrittenWithTheLocaleSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Operator::menu(main.get(), "mnu_Format");
    click("Label5_4"); // 11 points are drawn as 11.25
    click("cmd_Test");
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("-2147483633"));
    EXPECT_EQ(ini("Damen_Font_Style", "Art"), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(ini("Damen_Font_Style", "Size"), QStringLiteral("11,25"));
    EXPECT_EQ(button("Command1_0")->backColor(), VbColor::ButtonFace);
    QLocale::setDefault(QLocale::c());
    click("Command5");
    EXPECT_DOUBLE_EQ(button("Command1_0")->font().pointSizeF(), 11.25);
}

} // namespace
