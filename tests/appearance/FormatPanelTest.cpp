// The format panel: choices shown in the preview button, and the apply step that stores the look for the
// current team, restyles the board and reloads it.
#include "appearance/FormatPanel.h"
#include "app/Form1.h"
#include "app/ScreenFit.h"
#include "appearance/ButtonLook.h"
#include "appearance/VbColor.h"
#include "console/BoardWidgets.h"
#include "console/ClickLabel.h"
#include "console/ShapeRect.h"
#include "console/TransportArea.h"
#include "console/Twips.h"
#include "console/VbButton.h"
#include "support/DeskFixture.h"
#include "volume/FadeSettingsPanel.h"

#include <QAction>
#include <QFontInfo>
#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Damen = QStringLiteral("Damen");
const QString Maenner = QStringLiteral("Männer");
constexpr std::int32_t LightBlue = 0x00FF8080;

// The operator can press only what is shown.
void press(QWidget* w) {
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

class FormatPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Sizes are written with the locale's separator: start from a known one.
        QLocale::setDefault(QLocale::c());
        const std::map<QString, QStringList> files{
            {QStringLiteral("7 Meter"), {QStringLiteral("01Anwurf.mp3"), QStringLiteral("02Abpfiff.mp3")}},
            {QStringLiteral("Tormusik"), {QStringLiteral("01Tor.mp3")}}};
        fx.makeTeam(Damen, files);
        fx.makeTeam(Maenner, files);
        form = fx.startMain();
        form->show();
        panel = form->formatPanel;
    }
    void TearDown() override { QLocale::setDefault(m_systemLocale); }
    void openFormat() {
        form->action(QStringLiteral("mnu_Format"))->trigger();
        ASSERT_TRUE(panel->cmd_Test->isVisible());
    }
    QString ini(const QString& section, const char* key) const {
        return fx.readIni(section, QString::fromLatin1(key));
    }
    VbButton* button(int i) const { return form->board->button(i); }
    std::vector<VbButton*> fixedButtons() const {
        return {button(BoardWidgets::Wischen), button(BoardWidgets::Einlaufen), form->board->Command5};
    }

    DeskFixture fx;
    std::unique_ptr<Form1> form;
    FormatPanel* panel = nullptr;

  private:
    const QLocale m_systemLocale;
};

TEST_F(FormatPanelTest, ShowsItsChoicesAsDesigned) {
    openFormat();
    EXPECT_EQ(panel->Label6[1]->text(), QStringLiteral("Button Farbe"));
    EXPECT_EQ(panel->Label6[0]->text(), QStringLiteral("Schriftart und Größe"));
    EXPECT_EQ(panel->Label3->text(), QStringLiteral("Arial"));
    EXPECT_EQ(panel->Label2->text(), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(panel->Label4->text(), QStringLiteral("Courier New"));
    EXPECT_EQ(panel->Label2->font().family(), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(panel->Label4->font().family(), QStringLiteral("Courier New"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(panel->Label5[static_cast<std::size_t>(i)]->text(), QString::number(7 + i));
    EXPECT_EQ(panel->cmd_Test->caption(), QStringLiteral("Test Button"));
    EXPECT_EQ(panel->cmd_Test->backColor(), VbColor::ButtonFace);
    EXPECT_EQ(panel->cmd_Test->font().family(), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(panel->cmd_Test->toolTip(), QStringLiteral("Bei Click werden Einstellungen übernommen"));

    // The swatches, top to bottom, are elements 11, 7, 10, 9, 8, 6 of the label array.
    const std::pair<const char*, std::int32_t> swatches[6] = {
        {"Label1_11", 0x00FFFFFF}, {"Label1_7", 0x00C0C0C0}, {"Label1_10", 0x008080FF},
        {"Label1_9", 0x0080FF80},  {"Label1_8", 0x00FF8080}, {"Label1_6", 0x0080FFFF}};
    int previousTop = -1;
    for (const auto& [name, color] : swatches) {
        auto* s = panel->findChild<ClickLabel*>(QString::fromLatin1(name));
        ASSERT_NE(s, nullptr) << name;
        EXPECT_EQ(s->backColor(), color) << name;
        EXPECT_TRUE(s->isVisible());
        EXPECT_GT(s->y(), previousTop) << name;
        previousTop = s->y();
    }
    EXPECT_EQ(panel->swatch(5), nullptr);
}

TEST_F(FormatPanelTest, FillsTheFrameUnderTheFadeSettings) {
    EXPECT_EQ(panel->parentWidget(), form->frm_format);
    EXPECT_EQ(panel->geometry(), form->frm_format->rect());
    const ScreenFactors f = screenFactors(screenSizeTwips(form.get()));
    const QRectF preview = Twips::rect(panel->cmd_Test);
    EXPECT_NEAR(preview.left(), 1560 * f.fx, 0.01);
    EXPECT_NEAR(preview.top(), 5520 * f.fy, 0.01);
    EXPECT_NEAR(preview.width(), 5655 * f.fx, 0.01);
    EXPECT_NEAR(preview.height(), 1095 * f.fy, 0.01);
    const QObjectList& order = form->frm_format->children();
    EXPECT_LT(order.indexOf(panel), order.indexOf(form->frm_aus));
}

TEST_F(FormatPanelTest, ChoicesChangeOnlyThePreview) {
    openFormat();
    const QString stored = ini(QStringLiteral("Damen_BUTTON_COLOR"), "FARBE");
    press(panel->swatch(8));
    EXPECT_EQ(panel->cmd_Test->backColor(), LightBlue);
    press(panel->Label4);
    EXPECT_EQ(panel->cmd_Test->font().family(), QStringLiteral("Courier New"));
    press(panel->Label3);
    EXPECT_EQ(panel->cmd_Test->font().family(), QStringLiteral("Arial"));
    press(panel->Label2);
    EXPECT_EQ(panel->cmd_Test->font().family(), QStringLiteral("Comic Sans MS"));
    for (int i = 0; i < 5; ++i) {
        press(panel->Label5[static_cast<std::size_t>(i)]);
        EXPECT_DOUBLE_EQ(panel->cmd_Test->font().pointSizeF(), 7.0 + i);
    }
    for (int i = 6; i <= 11; ++i) {
        press(panel->swatch(i));
        EXPECT_EQ(panel->cmd_Test->backColor(), panel->swatch(i)->backColor());
    }
    // Nothing is stored and the board keeps its look until the preview is clicked.
    EXPECT_EQ(ini(QStringLiteral("Damen_BUTTON_COLOR"), "FARBE"), stored);
    EXPECT_EQ(button(0)->backColor(), 12632256);
    EXPECT_EQ(button(0)->font().family(), QStringLiteral("Arial"));
}

TEST_F(FormatPanelTest, CategoryHeadingClickChangesNothing) {
    openFormat();
    press(panel->swatch(9));
    press(panel->Label4);
    const QFont before = panel->cmd_Test->font();
    press(form->board->Label1[0]);
    press(form->board->Label1[5]);
    EXPECT_EQ(panel->cmd_Test->backColor(), 0x0080FF80);
    EXPECT_EQ(panel->cmd_Test->font(), before);
    EXPECT_TRUE(form->frm_format->isVisible());
}

TEST_F(FormatPanelTest, ApplyingTheDesignLookStoresTheButtonFace) {
    openFormat();
    const double reported = panel->cmd_Test->fontInfo().pointSizeF();
    press(panel->cmd_Test);
    EXPECT_EQ(ini(QStringLiteral("Damen_BUTTON_COLOR"), "FARBE"), QStringLiteral("-2147483633"));
    EXPECT_EQ(ini(QStringLiteral("Damen_Font_Style"), "Art"), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(ini(QStringLiteral("Damen_Font_Style"), "Size"), QString::number(reported));
    EXPECT_EQ(ini(QStringLiteral("Damen_Font_Style"), "Bold"), QStringLiteral("0"));
    EXPECT_FALSE(form->frm_format->isVisible());
    // The reload shows the titles in the button face.
    EXPECT_TRUE(button(0)->isVisible());
    EXPECT_EQ(button(0)->backColor(), VbColor::ButtonFace);
    EXPECT_EQ(button(61)->backColor(), VbColor::ButtonFace);
    EXPECT_EQ(button(0)->font().family(), QStringLiteral("Comic Sans MS"));
}

TEST_F(FormatPanelTest, ApplyingAChoiceStoresAndRestylesTheBoard) {
    fx.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Bold"), QStringLiteral("1"));
    openFormat();
    press(panel->swatch(8));
    press(panel->Label4);
    press(panel->Label5[0]);
    const int commandsBefore = fx.media.commands.size();
    press(panel->cmd_Test);
    EXPECT_EQ(fx.media.commands.size(), commandsBefore); // no title is touched
    EXPECT_EQ(ini(QStringLiteral("Damen_BUTTON_COLOR"), "FARBE"), QStringLiteral("16744576"));
    EXPECT_EQ(ini(QStringLiteral("Damen_Font_Style"), "Art"), QStringLiteral("Courier New"));
    // 7 points are drawn as 6.75: the size the font reports is the one stored.
    EXPECT_EQ(ini(QStringLiteral("Damen_Font_Style"), "Size"), QStringLiteral("6.75"));

    for (int i : {0, 1, 61}) {
        EXPECT_EQ(button(i)->backColor(), LightBlue) << i;
        EXPECT_EQ(button(i)->font().family(), QStringLiteral("Courier New")) << i;
        EXPECT_DOUBLE_EQ(button(i)->font().pointSizeF(), 6.75) << i;
        // The reload applies the stored "Bold" as well.
        EXPECT_TRUE(button(i)->font().bold()) << i;
    }
    const std::int32_t fadeColor = form->transport->Command2->backColor();
    for (VbButton* b : fixedButtons()) {
        EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 18) << b->objectName().toStdString();
        EXPECT_EQ(b->font().family(), QStringLiteral("Courier New"));
        EXPECT_EQ(b->backColor(), fadeColor);
    }
    const TransportArea& t = *form->transport;
    for (VbButton* b : {t.cmdAnsage, t.Command2, t.cmd5, t.cmd6, t.cmd2})
        EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 18) << b->objectName().toStdString();
    for (ClickLabel* heading : form->board->Label1) {
        EXPECT_DOUBLE_EQ(heading->font().pointSizeF(), 16);
        EXPECT_EQ(heading->font().family(), QStringLiteral("Arial")); // headings keep their face
    }
    EXPECT_DOUBLE_EQ(form->Label17->font().pointSizeF(), 26);
    EXPECT_FALSE(form->frm_format->isVisible());
}

TEST_F(FormatPanelTest, SizeIsWrittenWithTheLocaleSeparatorAndReadWithEither) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    openFormat();
    press(panel->Label5[4]); // 11 points are drawn as 11.25
    press(panel->cmd_Test);
    EXPECT_EQ(ini(QStringLiteral("Damen_Font_Style"), "Size"), QStringLiteral("11,25"));
    // Read back under the same locale: the board has the stored size, not the fallback.
    EXPECT_DOUBLE_EQ(button(0)->font().pointSizeF(), 11.25);

    // The same file read under a locale with a decimal point.
    QLocale::setDefault(QLocale::c());
    press(form->board->Command5);
    EXPECT_DOUBLE_EQ(button(0)->font().pointSizeF(), 11.25);
}

TEST(ButtonLookSize, AcceptsCommaAndPoint) {
    const QLocale system;
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QStringLiteral("8,25"), 9.75), 8.25);
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QStringLiteral("8.25"), 9.75), 8.25);
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QStringLiteral(" 10 "), 9.75), 10);
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QString(), 9.75), 9.75);
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QStringLiteral("groß"), 9.75), 9.75);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QStringLiteral("8.25"), 9.75), 8.25);
    EXPECT_DOUBLE_EQ(ButtonLook::parseSize(QStringLiteral("8,25"), 9.75), 8.25);
    QLocale::setDefault(system);
}

TEST_F(FormatPanelTest, CloseDiscardsNothingAndStoresNothing) {
    openFormat();
    press(panel->swatch(10));
    press(panel->Label3);
    press(form->findChild<QWidget*>(QStringLiteral("Command6")));
    EXPECT_FALSE(form->frm_format->isVisible());
    EXPECT_EQ(ini(QStringLiteral("Damen_BUTTON_COLOR"), "FARBE"), QStringLiteral("12632256"));
    EXPECT_EQ(ini(QStringLiteral("Damen_Font_Style"), "Art"), QStringLiteral("Arial"));
    // Opened again, the preview still shows the last choice.
    openFormat();
    EXPECT_EQ(panel->cmd_Test->backColor(), 0x008080FF);
    EXPECT_EQ(panel->cmd_Test->font().family(), QStringLiteral("Arial"));
}

TEST_F(FormatPanelTest, LookIsStoredForTheTeamCurrentAtTheApply) {
    fx.writeTeamSettings(Maenner, QStringLiteral("8454143")); // light yellow
    openFormat();
    press(panel->swatch(9));
    form->action(QStringLiteral("mnu_Männer"))->trigger();
    // The board shows the new team's stored look; the preview keeps the choice.
    EXPECT_EQ(button(0)->backColor(), 8454143);
    EXPECT_EQ(panel->cmd_Test->backColor(), 0x0080FF80);
    press(panel->cmd_Test);
    EXPECT_EQ(ini(QStringLiteral("Männer_BUTTON_COLOR"), "FARBE"), QString::number(0x0080FF80));
    EXPECT_EQ(ini(QStringLiteral("Damen_BUTTON_COLOR"), "FARBE"), QStringLiteral("12632256"));
    EXPECT_EQ(button(0)->backColor(), 0x0080FF80);
}

} // namespace
