// The fine-adjustment panel: the slider, menus and "X" as an operator uses them, and its captions in either
// locale.
#include "editor/FinePanel.h"
#include "support/Operator.h"

#include <QLabel>
#include <QLocale>
#include <QSlider>

namespace {

TEST(FinePanelTest, SliderMenusAndXAsTheOperatorUsesThem) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QWidget window;
    auto* beenden = new QWidget(&window);
    auto* panel = new FinePanel(&window, beenden);
    window.show();
    auto* slider = Operator::find<QSlider>(panel, "Slider1");
    const auto wert = [panel] { return Operator::find<QLabel>(panel, "lbl_Wert")->text(); };
    panel->mnu_fein_Click();
    EXPECT_TRUE(beenden->isHidden());
    for (auto [key, caption] : {std::pair{Qt::Key_Left, "-0,1 sec."},
                                {Qt::Key_End, "+ 2 sec."},
                                {Qt::Key_Home, "-2 sec."},
                                {Qt::Key_PageUp, "-1,5 sec."}}) {
        QTest::keyClick(slider, key);
        EXPECT_EQ(wert(), QString::fromUtf8(caption));
    }
    EXPECT_EQ(panel->change(), -1500);
    EXPECT_EQ(panel->sFeinWert(), QStringLiteral("-1500"));
    // The menu closes and keeps the position; "X" centres and shows "Beenden" again.
    panel->mnu_feinEnde_Click();
    EXPECT_FALSE(panel->fineMode());
    EXPECT_TRUE(beenden->isHidden());
    panel->mnu_fein_Click();
    EXPECT_EQ(slider->value(), 5);
    Operator::click(panel, "Command8");
    EXPECT_FALSE(panel->fineMode());
    EXPECT_FALSE(beenden->isHidden());
    EXPECT_EQ(slider->value(), 20);
    EXPECT_EQ(wert(), QStringLiteral("0 sec."));
    EXPECT_EQ(panel->sFeinWert(), QStringLiteral("0"));
    // Other locales write their own decimal separator.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FinePanel::changeCaption(33), QStringLiteral("+ 1.3 sec."));
    EXPECT_EQ(FinePanel::startTimeCaption(-300), QStringLiteral("Startzeit: -0.3 sec."));
    QLocale::setDefault(QLocale::c());
}

} // namespace
