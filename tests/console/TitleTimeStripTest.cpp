// The running title's time under the transport buttons: read from the engine's position, ended when the title
// ran out, never over a described control.
#include "console/EngineDesk.h"
#include "editor/Form2.h"

#include <QLabel>

namespace {

class TitleTimeStripTest : public EngineDesk {
  protected:
    QLabel* strip(QWidget* window) { return Operator::find<QLabel>(window, QStringLiteral("TitleTime")); }
};

TEST_F(TitleTimeStripTest, ShowsElapsedAndRemainingFromTheEngineAndTheEnd) {
    addTitle("01Tor.wav", QStringLiteral("17000"), TestTitles::get().wav48); // 20 seconds long
    form = fx.startMain();
    QLabel* time = strip(form.get());
    EXPECT_TRUE(time->isHidden());
    Operator::press(form.get(), 61);
    EXPECT_EQ(time->text(), QStringLiteral("0:17 gespielt   ·   noch 0:03"));
    render(48000 + 100);
    tick();
    EXPECT_EQ(time->text(), QStringLiteral("0:18 gespielt   ·   noch 0:02"));
    Operator::click(form.get(), QStringLiteral("cmd5")); // waiting: the time stands
    render(48000);
    tick();
    EXPECT_EQ(time->text(), QStringLiteral("0:18 gespielt   ·   noch 0:02"));
    Operator::click(form.get(), QStringLiteral("cmd6"));
    render(48000 * 3);
    tick();
    EXPECT_EQ(time->text(), QStringLiteral("Titel zu Ende"));
    EXPECT_FALSE(time->isHidden());
    // The transport stays as described: no end-of-title state of its own.
    EXPECT_EQ(Operator::find<QLabel>(form.get(), QStringLiteral("Label17"))->text(),
              QStringLiteral("Tor   ** PLAY **"));
    EXPECT_TRUE(Operator::shown(form.get(), QStringLiteral("cmd5")));
    Operator::click(form.get(), QStringLiteral("cmd2_0"));
    EXPECT_TRUE(time->isHidden());
}

TEST_F(TitleTimeStripTest, LiesInsideTheFrameAndCoversNoControl) {
    addTitle("01Tor.wav", QStringLiteral("0"), TestTitles::get().wav48);
    form = fx.startMain();
    Operator::press(form.get(), 61);
    const QRect r = strip(form.get())->geometry();
    EXPECT_TRUE(Operator::find(form.get(), QStringLiteral("Shape2"))->geometry().contains(r));
    for (const char* name :
         {"cmd2_0", "cmd5", "cmd6", "Command2", "cmdAnsage", "Label17", "ProgressBar1", "ProgressBar2"})
        EXPECT_FALSE(Operator::find(form.get(), QString::fromLatin1(name))->geometry().intersects(r)) << name;
}

TEST_F(TitleTimeStripTest, TheEditorShowsItsTitleAndTheMainConsoleLetsGo) {
    addTitle("01Tor.wav", QStringLiteral("12500"), TestTitles::get().wav48);
    form = fx.startMain();
    Operator::press(form.get(), 61);
    Operator::menu(form.get(), QStringLiteral("mnu_Set_Start"));
    Form2* editor = form->editor();
    Operator::press(editor, 61);
    render(48000 * 2);
    tick();
    EXPECT_EQ(strip(editor)->text(), QStringLiteral("0:14 gespielt   ·   noch 0:06"));
    EXPECT_TRUE(strip(form.get())->isHidden()) << "the main console's title was stopped by the editor";
}

} // namespace
