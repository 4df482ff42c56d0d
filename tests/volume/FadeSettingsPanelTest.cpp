// The fade and announcement settings panel: what the operator sees in it, what a click stores for the current
// team, and what the fade and announcement buttons do afterwards.
#include "volume/FadeSettingsPanel.h"
#include "app/Form1.h"
#include "app/ScreenFit.h"
#include "appearance/FormatPanel.h"
#include "appearance/VbColor.h"
#include "console/BoardWidgets.h"
#include "console/ClickLabel.h"
#include "console/ShapeRect.h"
#include "console/TransportArea.h"
#include "console/Twips.h"
#include "console/VbButton.h"
#include "support/DeskFixture.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Damen = QStringLiteral("Damen");
const QString Maenner = QStringLiteral("Männer");

// The operator can press only what is shown.
void press(QWidget* w) {
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

class FadeSettingsPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::map<QString, QStringList> files{
            {QStringLiteral("7 Meter"), {QStringLiteral("01Anwurf.mp3")}}};
        fx.makeTeam(Damen, files);
        fx.makeTeam(Maenner, files);
    }
    void start(const QString& zeit = QStringLiteral("2"), const QString& vol = QStringLiteral("25")) {
        fx.writeTeamSettings(Damen, QStringLiteral("12632256"), zeit, vol);
        form = fx.startMain();
        form->show();
        panel = form->frm_aus;
    }
    void openPanel() {
        form->action(QStringLiteral("mnuAusblend"))->trigger();
        ASSERT_TRUE(panel->isVisible());
    }
    QWidget* closeButton() const { return form->findChild<QWidget*>(QStringLiteral("Command6")); }
    TransportArea& t() { return *form->transport; }

    DeskFixture fx;
    std::unique_ptr<Form1> form;
    FadeSettingsPanel* panel = nullptr;
};

TEST_F(FadeSettingsPanelTest, ShowsItsChoicesAsDesigned) {
    start();
    openPanel();
    EXPECT_EQ(panel->Label8[0]->text(), QStringLiteral("Ausblendzeit 1 - 3 sec."));
    EXPECT_EQ(panel->Label8[1]->text(), QStringLiteral("Lautstärke bei Ansage"));
    EXPECT_EQ(panel->Label8[2]->text(), QStringLiteral("Ansagelautstärke="));
    EXPECT_EQ(panel->Label11[0]->text(), QStringLiteral("Ausblendzeit ="));
    EXPECT_EQ(panel->Label11[1]->text(), QStringLiteral("sec."));
    EXPECT_EQ(panel->Label11[2]->text(), QStringLiteral("%"));
    EXPECT_TRUE(panel->Label8[0]->font().underline());
    const QStringList fade{QStringLiteral("1 sec."), QStringLiteral("2 sec."), QStringLiteral("3 sec.")};
    for (int i = 0; i < 3; ++i) {
        ClickLabel* l = panel->Label9[static_cast<std::size_t>(i)];
        EXPECT_EQ(l->text(), fade[i]);
        EXPECT_EQ(l->backColor(), 0x00C0FFFF);
        EXPECT_EQ(l->toolTip(), QStringLiteral("Einstellen der Ausblendzeit"));
        EXPECT_NE(l->frameShape(), QFrame::NoFrame);
        EXPECT_TRUE(l->isVisible());
    }
    const QStringList rest{QStringLiteral("  5  %"), QStringLiteral(" 10  %"), QStringLiteral(" 15  %"),
                           QStringLiteral(" 20  %"), QStringLiteral(" 25  %"), QStringLiteral(" 30  %")};
    for (int i = 0; i < 6; ++i) {
        ClickLabel* l = panel->Label13[static_cast<std::size_t>(i)];
        EXPECT_EQ(l->text(), rest[i]);
        EXPECT_EQ(l->backColor(), 0x00C0FFC0);
        EXPECT_EQ(l->toolTip(), QStringLiteral("Rest Volume bei MIC- Ansage"));
        EXPECT_TRUE(l->isVisible());
    }
    // The values as loaded, each inside its red frame.
    EXPECT_EQ(panel->Label10->text(), QStringLiteral("2"));
    EXPECT_EQ(panel->Label12->text(), QStringLiteral("25"));
    EXPECT_TRUE(panel->Shape10[0]->geometry().contains(panel->Label10->geometry().center()));
    EXPECT_TRUE(panel->Shape10[1]->geometry().contains(panel->Label12->geometry().center()));
}

TEST_F(FadeSettingsPanelTest, LiesInTheFormatFrameAtItsDesignPlace) {
    start();
    const ScreenFactors f = screenFactors(screenSizeTwips(form.get()));
    EXPECT_EQ(panel->parentWidget(), form->frm_format);
    const QRectF r = Twips::rect(panel);
    EXPECT_NEAR(r.left(), 240 * f.fx, 0.01);
    EXPECT_NEAR(r.top(), 600 * f.fy, 0.01);
    EXPECT_NEAR(r.width(), 8415 * f.fx, 0.01);
    EXPECT_NEAR(r.height(), 6015 * f.fy, 0.01);
    const QRectF choice = Twips::rect(panel->Label13[3]);
    EXPECT_NEAR(choice.left(), 5760 * f.fx, 0.01);
    EXPECT_NEAR(choice.top(), (1200 + 3 * 360) * f.fy, 0.01);
    EXPECT_NEAR(choice.width(), 735 * f.fx, 0.01);
    EXPECT_NEAR(Twips::rect(panel->Label9[2]).top(), 2160 * f.fy, 0.01);
    // It covers the format panel's controls, and the close button stays reachable above it.
    const QObjectList& order = form->frm_format->children();
    EXPECT_GT(order.indexOf(panel), order.indexOf(form->formatPanel));
    EXPECT_FALSE(panel->geometry().intersects(closeButton()->geometry()));
}

TEST_F(FadeSettingsPanelTest, FadeTimeClickStoresForTheTeamAndSetsTheTips) {
    start();
    openPanel();
    press(panel->Label9[2]);
    EXPECT_EQ(fx.readIni(QStringLiteral("Damen_AUSBLEND"), QStringLiteral("ZEIT")), QStringLiteral("3"));
    EXPECT_EQ(form->iFadeStep, 4);
    EXPECT_EQ(panel->Label10->text(), QStringLiteral("3"));
    EXPECT_EQ(t().Command2->toolTip(), QStringLiteral("3 Sec."));
    EXPECT_EQ(t().cmdAnsage->toolTip(), QStringLiteral("25 %"));
    // The rest level is not touched.
    EXPECT_EQ(fx.readIni(QStringLiteral("Damen_AUSBLEND"), QStringLiteral("Vol")), QStringLiteral("25"));

    // The next fade takes 2501 passes.
    press(closeButton());
    press(form->board->button(0));
    fx.waveOut.levels.clear();
    press(t().Command2);
    EXPECT_EQ(fx.waveOut.levels.size(), 2501u);
}

TEST_F(FadeSettingsPanelTest, EachFadeTimeGivesItsStep) {
    start(QStringLiteral("3"));
    openPanel();
    const std::int16_t steps[3] = {12, 8, 4};
    for (int i = 0; i < 3; ++i) {
        press(panel->Label9[static_cast<std::size_t>(i)]);
        EXPECT_EQ(form->iFadeStep, steps[i]);
        EXPECT_EQ(fx.readIni(QStringLiteral("Damen_AUSBLEND"), QStringLiteral("ZEIT")),
                  QString::number(i + 1));
        EXPECT_EQ(t().Command2->toolTip(), QString::number(i + 1) + QStringLiteral(" Sec."));
    }
}

TEST_F(FadeSettingsPanelTest, RestLevelClickStoresForTheTeamAndSetsTheTips) {
    start(QStringLiteral("2"), QStringLiteral("10"));
    openPanel();
    press(panel->Label13[4]);
    EXPECT_EQ(fx.readIni(QStringLiteral("Damen_AUSBLEND"), QStringLiteral("Vol")), QStringLiteral("25"));
    EXPECT_EQ(form->iAnsageVol, 2500);
    EXPECT_EQ(panel->Label12->text(), QStringLiteral("25"));
    EXPECT_EQ(t().cmdAnsage->toolTip(), QStringLiteral("25 %"));
    EXPECT_EQ(t().Command2->toolTip(), QStringLiteral("2 Sec."));
    EXPECT_EQ(fx.readIni(QStringLiteral("Damen_AUSBLEND"), QStringLiteral("ZEIT")), QStringLiteral("2"));
}

TEST_F(FadeSettingsPanelTest, EachRestLevelGivesItsVolume) {
    start();
    openPanel();
    for (int i = 0; i < 6; ++i) {
        press(panel->Label13[static_cast<std::size_t>(i)]);
        const int percent = 5 * (i + 1);
        EXPECT_EQ(form->iAnsageVol, percent * 100);
        EXPECT_EQ(fx.readIni(QStringLiteral("Damen_AUSBLEND"), QStringLiteral("Vol")),
                  QString::number(percent));
        EXPECT_EQ(t().cmdAnsage->toolTip(), QString::number(percent) + QStringLiteral(" %"));
    }
}

TEST_F(FadeSettingsPanelTest, AfterATeamSwitchClicksStoreUnderTheNewTeam) {
    fx.writeTeamSettings(Maenner, QStringLiteral("12632256"), QStringLiteral("1"), QStringLiteral("5"));
    start(QStringLiteral("3"), QStringLiteral("20"));
    form->action(QStringLiteral("mnu_Männer"))->trigger();
    ASSERT_EQ(form->sMannschaft, Maenner);
    // The values loaded for "Damen" stay in effect and on display.
    EXPECT_EQ(form->iFadeStep, 4);
    EXPECT_EQ(form->iAnsageVol, 2000);
    EXPECT_EQ(panel->Label10->text(), QStringLiteral("3"));

    openPanel();
    press(panel->Label9[1]);
    EXPECT_EQ(fx.readIni(QStringLiteral("Männer_AUSBLEND"), QStringLiteral("ZEIT")), QStringLiteral("2"));
    EXPECT_EQ(fx.readIni(QStringLiteral("Männer_AUSBLEND"), QStringLiteral("Vol")), QStringLiteral("5"));
    EXPECT_EQ(fx.readIni(QStringLiteral("Damen_AUSBLEND"), QStringLiteral("ZEIT")), QStringLiteral("3"));
    // Only its own key: the tip still shows the rest level loaded at start.
    EXPECT_EQ(t().cmdAnsage->toolTip(), QStringLiteral("20 %"));
}

TEST_F(FadeSettingsPanelTest, MissingValuesGiveNoFadeTimeAndNoRestLevel) {
    start(QString(), QString());
    EXPECT_EQ(form->iFadeStep, 0);
    EXPECT_EQ(form->iAnsageVol, 0);
    EXPECT_EQ(t().Command2->toolTip(), QStringLiteral(" Sec."));
    EXPECT_EQ(t().cmdAnsage->toolTip(), QStringLiteral(" %"));
    openPanel();
    EXPECT_EQ(panel->Label10->text(), QString());
    EXPECT_EQ(panel->Label12->text(), QString());
    // A choice repairs it at once.
    press(panel->Label13[0]);
    EXPECT_EQ(form->iAnsageVol, 500);
    EXPECT_EQ(t().Command2->toolTip(), QStringLiteral(" Sec."));
}

TEST_F(FadeSettingsPanelTest, MenusShowAndHideThePanelsInTheSharedFrame) {
    start();
    EXPECT_FALSE(form->frm_format->isVisible());
    openPanel();
    EXPECT_TRUE(form->frm_format->isVisible());
    EXPECT_EQ(form->action(QStringLiteral("mnuAusblend"))->text(), QStringLiteral("&Ausblend und MIC Vol"));
    EXPECT_EQ(form->action(QStringLiteral("mnuAusblend"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));

    // The format panel hides the settings panel inside the same frame.
    form->action(QStringLiteral("mnu_Format"))->trigger();
    EXPECT_TRUE(form->frm_format->isVisible());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(form->formatPanel->cmd_Test->isVisible());

    // "X" closes the frame; the settings panel keeps its own visibility inside it.
    openPanel();
    QWidget* x = closeButton();
    EXPECT_EQ(qobject_cast<VbButton*>(x)->caption(), QStringLiteral("X"));
    EXPECT_EQ(x->toolTip(), QStringLiteral("Schließen"));
    press(x);
    EXPECT_FALSE(form->frm_format->isVisible());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(panel->isVisibleTo(form->frm_format));
    // Closing keeps every value.
    EXPECT_EQ(form->iFadeStep, 8);
    EXPECT_EQ(form->iAnsageVol, 2500);
}

} // namespace
