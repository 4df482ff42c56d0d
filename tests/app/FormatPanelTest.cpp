// The format panel: choices shown in the preview button, and the apply step that stores the look for the
// current team, restyles the board and reloads it.
#include "support/Desk.h"
#include "widgets/VbColor.h"

#include <QLocale>

namespace {

class FormatPanelTest : public Desk {
  protected:
    void SetUp() override {
        start({{"7 Meter", {"01Anwurf.mp3"}}, {"Tormusik", {"01Tor.mp3"}}});
        Operator::menu(main.get(), "mnu_Format");
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

TEST_F(FormatPanelTest, ChoicesChangeOnlyThePreviewUntilAppliedForTheTeamCurrentThen) {
    click("Label1_10");
    click("Label4");
    click("Label5_3");
    EXPECT_EQ(button("cmd_Test")->backColor(), 0x008080FF);
    EXPECT_EQ(button("cmd_Test")->font().family(), QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(button("cmd_Test")->font().pointSizeF(), 10.0);
    click("Command6");
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("12632256"));
    EXPECT_EQ(button("Command1_0")->backColor(), 12632256);
    // Opened again after a team switch, the preview still shows the last choice; applied, it is the new
    // team's.
    fx.makeTeam(QStringLiteral("Männer"), {{"7 Meter", {"01Anwurf.mp3"}}});
    Operator::menu(main.get(), "mnu_Männer");
    Operator::menu(main.get(), "mnu_Format");
    click("cmd_Test");
    EXPECT_EQ(ini("Männer_BUTTON_COLOR", "FARBE"), QString::number(0x008080FF));
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("12632256"));
    EXPECT_EQ(button("Command1_0")->backColor(), 0x008080FF);
}

TEST_F(FormatPanelTest, ApplyingStoresAndRestylesTheBoardWithTheSizeTheFontSettledOn) {
    QLocale::setDefault(QLocale::c());
    fx.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Bold"), QStringLiteral("1"));
    click("Label1_8");
    click("Label4");
    click("Label5_0");
    click("cmd_Test");
    EXPECT_TRUE(sent().isEmpty()); // no title is touched
    EXPECT_FALSE(Operator::shown(main.get(), "frm_format"));
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("16744576"));
    EXPECT_EQ(ini("Damen_Font_Style", "Art"), QStringLiteral("Courier New"));
    EXPECT_EQ(ini("Damen_Font_Style", "Size"), QStringLiteral("6.75")); // 7 points are drawn as 6.75
    for (const char* name : {"Command1_0", "Command1_61"}) {
        EXPECT_EQ(button(name)->backColor(), 0x00FF8080) << name;
        EXPECT_EQ(button(name)->font().family(), QStringLiteral("Courier New")) << name;
        EXPECT_DOUBLE_EQ(button(name)->font().pointSizeF(), 6.75) << name;
        EXPECT_TRUE(button(name)->font().bold()) << name; // the reload applies the stored "Bold" as well
    }
    for (const char* name :
         {"Command1_30", "Command1_126", "Command5", "cmdAnsage", "Command2", "cmd5", "cmd2_0"})
        EXPECT_DOUBLE_EQ(button(name)->font().pointSizeF(), 18) << name;
    EXPECT_EQ(button("Command5")->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(Operator::find(main.get(), "Label1_0")->font().family(), QStringLiteral("Arial"));
}

TEST_F(FormatPanelTest, TheDesignLookStoresTheButtonFaceAndTheSizeWithTheLocaleSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    click("Label5_4"); // 11 points are drawn as 11.25
    click("cmd_Test");
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("-2147483633"));
    EXPECT_EQ(ini("Damen_Font_Style", "Art"), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(ini("Damen_Font_Style", "Size"), QStringLiteral("11,25"));
    EXPECT_EQ(button("Command1_0")->backColor(), VbColor::ButtonFace);
    // The same file read under a locale with a decimal point; a size that is no number keeps the default.
    QLocale::setDefault(QLocale::c());
    click("Command5");
    EXPECT_DOUBLE_EQ(button("Command1_0")->font().pointSizeF(), 11.25);
    fx.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Size"), QStringLiteral("groß"));
    click("Command5");
    EXPECT_DOUBLE_EQ(button("Command1_0")->font().pointSizeF(), 9.75);
}

} // namespace
