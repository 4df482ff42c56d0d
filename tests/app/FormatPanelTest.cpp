// The format panel: choices shown in the preview button, and the apply step that stores the look for the
// current team, restyles the board and reloads it.
#include "app/FormatPanel.h"
#include "appearance/ButtonLook.h"
#include "widgets/VbColor.h"
#include "widgets/ClickLabel.h"
#include "support/ConsoleDesk.h"

#include <QLocale>

namespace {

constexpr std::int32_t LightBlue = 0x00FF8080;

class FormatPanelTest : public ConsoleDesk {
  protected:
    void SetUp() override {
        // Sizes are written with the locale's separator: start from a known one.
        QLocale::setDefault(QLocale::c());
        start();
        panel = form->formatPanel;
    }
    void TearDown() override { QLocale::setDefault(m_systemLocale); }
    void openFormat() {
        trigger("mnu_Format");
        ASSERT_TRUE(panel->cmd_Test->isVisible());
    }
    VbButton* button(int i) const { return form->board->button(i); }

    FormatPanel* panel = nullptr;

  private:
    const QLocale m_systemLocale;
};

TEST_F(FormatPanelTest, ChoicesChangeOnlyThePreviewUntilAppliedForTheCurrentTeam) {
    openFormat();
    press(panel->swatch(10));
    press(panel->Label4);
    press(panel->Label5[3]);
    EXPECT_EQ(panel->cmd_Test->backColor(), 0x008080FF);
    EXPECT_EQ(panel->cmd_Test->font().family(), QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(panel->cmd_Test->font().pointSizeF(), 10.0);
    press(form->findChild<QWidget*>(QStringLiteral("Command6")));
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("12632256"));
    EXPECT_EQ(ini("Damen_Font_Style", "Art"), QStringLiteral("Arial"));
    EXPECT_EQ(button(0)->backColor(), 12632256);
    // Opened again, the preview still shows the last choice; applied, it is stored for the team current now.
    fx.writeTeamSettings(QStringLiteral("Männer"), QStringLiteral("8454143"));
    trigger("mnu_Männer");
    EXPECT_EQ(button(0)->backColor(), 8454143);
    openFormat();
    press(panel->cmd_Test);
    EXPECT_EQ(ini("Männer_BUTTON_COLOR", "FARBE"), QString::number(0x008080FF));
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("12632256"));
    EXPECT_EQ(button(0)->backColor(), 0x008080FF);
}

TEST_F(FormatPanelTest, ApplyingAChoiceStoresAndRestylesTheBoard) {
    fx.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Bold"), QStringLiteral("1"));
    openFormat();
    press(panel->swatch(8));
    press(panel->Label4);
    press(panel->Label5[0]);
    press(panel->cmd_Test);
    EXPECT_TRUE(fx.media.commands.isEmpty()); // no title is touched
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("16744576"));
    EXPECT_EQ(ini("Damen_Font_Style", "Art"), QStringLiteral("Courier New"));
    // 7 points are drawn as 6.75: the size the font reports is the one stored.
    EXPECT_EQ(ini("Damen_Font_Style", "Size"), QStringLiteral("6.75"));
    for (int i : {0, 1, 61}) {
        EXPECT_EQ(button(i)->backColor(), LightBlue) << i;
        EXPECT_EQ(button(i)->font().family(), QStringLiteral("Courier New")) << i;
        EXPECT_DOUBLE_EQ(button(i)->font().pointSizeF(), 6.75) << i;
        EXPECT_TRUE(button(i)->font().bold()) << i; // the reload applies the stored "Bold" as well
    }
    for (VbButton* b :
         {button(BoardWidgets::Wischen), button(BoardWidgets::Einlaufen), form->board->Command5}) {
        EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 18) << b->objectName().toStdString();
        EXPECT_EQ(b->font().family(), QStringLiteral("Courier New"));
    }
    for (VbButton* b : {t().cmdAnsage, t().Command2, t().cmd5, t().cmd6, t().cmd2})
        EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 18) << b->objectName().toStdString();
    EXPECT_EQ(form->board->Label1[0]->font().family(), QStringLiteral("Arial")); // headings keep their face
}

TEST_F(FormatPanelTest, DesignLookStoresTheButtonFaceAndTheSizeWithTheLocaleSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    openFormat();
    press(panel->Label5[4]); // 11 points are drawn as 11.25
    press(panel->cmd_Test);
    EXPECT_EQ(ini("Damen_BUTTON_COLOR", "FARBE"), QStringLiteral("-2147483633"));
    EXPECT_EQ(ini("Damen_Font_Style", "Art"), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(ini("Damen_Font_Style", "Size"), QStringLiteral("11,25"));
    EXPECT_FALSE(form->frm_format->isVisible());
    EXPECT_EQ(button(0)->backColor(), VbColor::ButtonFace);
    EXPECT_EQ(button(0)->font().family(), QStringLiteral("Comic Sans MS"));
    EXPECT_DOUBLE_EQ(button(0)->font().pointSizeF(), 11.25);
    // The same file read under a locale with a decimal point.
    QLocale::setDefault(QLocale::c());
    press(form->board->Command5);
    EXPECT_DOUBLE_EQ(button(0)->font().pointSizeF(), 11.25);
    // Hand-edited values.
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QStringLiteral(" 10 "), 9.75), 10);
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QString(), 9.75), 9.75);
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QStringLiteral("groß"), 9.75), 9.75);
}

} // namespace
