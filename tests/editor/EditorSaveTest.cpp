// Saving and resetting a title's start offset in the start-time editor, by the stopwatch and by the slider.
#include "EditorHarness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class EditorSave : public EditorHarness {
  protected:
    void SetUp() override {
        EditorHarness::SetUp();
        openEditor();
    }
    void startTor(const QString& offset) {
        store(torPath(), offset);
        press(Tor);
    }
    void save() { click(e->cmd_Speichern); }
    void reset() { click(e->cmd_Reset); }
    void fineMode() {
        trigger("mnu_fein");
        ASSERT_FALSE(e->frm_Fein->isHidden());
    }
};

} // namespace

TEST_F(EditorSave, NormalModeStoresStopwatchSecondsFromZero) {
    startTor(QStringLiteral("0"));
    ticks(12);
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("12000"));
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Gespeichert:  Tor bei   12 sec."));
}

TEST_F(EditorSave, NormalModeAddsTheStartOffset) {
    startTor(QStringLiteral("30000"));
    ticks(5);
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("35000"));
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Gespeichert:  Tor bei   5 sec."));
}

TEST_F(EditorSave, BeforeTheFirstTickTheOffsetStaysAsItWas) {
    startTor(QStringLiteral("30000"));
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("30000"));
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Gespeichert:  Tor bei   0 sec."));
}

TEST_F(EditorSave, WhilePausedStoresWhereTheStopwatchHeld) {
    startTor(QStringLiteral("1000"));
    ticks(7);
    click(t().cmd5);
    EXPECT_FALSE(timer4().tick()); // no ticks while paused
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("8000"));
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Gespeichert:  Tor bei   7 sec."));
    // Saving changes no state: still paused, title neither stopped nor resumed.
    EXPECT_TRUE(t().cmd5->isHidden());
    EXPECT_FALSE(t().cmd6->isHidden());
    EXPECT_FALSE(e->cmd_Speichern->isHidden());
    EXPECT_EQ(statusFore(), QColor(Qt::red));
}

TEST_F(EditorSave, SavingLeavesPlaybackStopwatchAndStartTimeAlone) {
    startTor(QStringLiteral("12500"));
    ticks(3);
    desk.media.takeCommands();
    save();
    EXPECT_TRUE(desk.media.commands.isEmpty());
    EXPECT_TRUE(timer4().tick());
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("4"));
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 4"));
    EXPECT_EQ(e->frm_Fein->LBL_Slider->text(), QStringLiteral("Startzeit: 12,5 sec."));
    EXPECT_EQ(e->lStartPos, 12500);
}

TEST_F(EditorSave, FineModeAddsTheSliderChangeToTheStartOffset) {
    const std::pair<int, const char*> cases[] = {{15, "11500"}, {20, "12000"}, {40, "14000"}, {0, "10000"}};
    for (auto [position, expected] : cases) {
        startTor(QStringLiteral("12000"));
        ticks(4); // the stopwatch does not count in fine mode
        fineMode();
        slideTo(position);
        save();
        EXPECT_EQ(stored(torPath()), QString::fromLatin1(expected)) << position;
        EXPECT_EQ(e->windowTitle(), QStringLiteral("Gespeichert:  Tor bei   4 sec.")) << position;
        EXPECT_EQ(e->frm_Fein->Slider1->value(), 20) << position;
        EXPECT_FALSE(e->frm_Fein->isHidden()) << position;
        click(e->frm_Fein->Command8);
    }
}

TEST_F(EditorSave, FineModeBelowZeroStoresANegativeOffsetThatBothWindowsPlay) {
    startTor(QStringLiteral("0"));
    fineMode();
    slideTo(10);
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("-1 sec."));
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("-1000"));

    desk.media.takeCommands();
    press(Tor);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("-1000")));
    EXPECT_EQ(e->frm_Fein->LBL_Slider->text(), QStringLiteral("Startzeit: -1 sec."));
    pressMain(Tor);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("-1000")));
}

TEST_F(EditorSave, SecondFineSaveStoresTheStartOffsetUnchanged) {
    startTor(QStringLiteral("12000"));
    fineMode();
    slideTo(25);
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("12500"));
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("0 sec."));
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("12000"));
}

TEST_F(EditorSave, FineSaveAfterNormalSaveCountsFromTheStartOffsetNotTheSavedValue) {
    startTor(QStringLiteral("2000"));
    ticks(6);
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("8000"));
    fineMode();
    slideTo(21);
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("2100"));
}

TEST_F(EditorSave, MainConsolePlaysANewlySavedOffsetAtItsNextPress) {
    startTor(QStringLiteral("0"));
    ticks(9);
    save();
    desk.media.takeCommands();
    pressMain(Tor);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("9000")));
}

TEST_F(EditorSave, NormalResetWritesZeroStopsTheTitleAndEndsInResetDone) {
    startTor(QStringLiteral("4000"));
    ticks(3);
    desk.media.takeCommands();
    reset();
    EXPECT_EQ(stored(torPath()), QStringLiteral("0"));
    EXPECT_EQ(desk.media.takeCommands(), (QStringList{"stop MyAlias", "close MyAlias"}));
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Tor  wurde an den Liedanfang zurückgesetzt!"));
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 0"));
    EXPECT_EQ(e->stopwatch().iTitelZeit(), 0);
    EXPECT_FALSE(timer4().tick());
    // Reset done: only the status frame, the status line and "Beenden" remain.
    for (QWidget* w :
         {static_cast<QWidget*>(t().cmd2), static_cast<QWidget*>(t().cmd5), static_cast<QWidget*>(t().cmd6),
          static_cast<QWidget*>(e->cmd_Speichern), static_cast<QWidget*>(e->cmd_Reset)})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(e->Command7->isHidden());
    EXPECT_FALSE(t().Shape2->isHidden());
    EXPECT_FALSE(e->Text1->isHidden());
    // The start offset the title was opened with is kept until the next sound button reads "0".
    EXPECT_EQ(e->lStartPos, 4000);
}

TEST_F(EditorSave, ResetWhilePausedKeepsTheRedStatusLine) {
    startTor(QStringLiteral("0"));
    ticks(2);
    click(t().cmd5);
    reset();
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 0"));
    EXPECT_EQ(statusFore(), QColor(Qt::red));
    EXPECT_TRUE(t().cmd6->isHidden());
}

TEST_F(EditorSave, AfterANormalResetBothWindowsPlayFromTheBeginning) {
    startTor(QStringLiteral("15000"));
    reset();
    desk.media.takeCommands();
    pressMain(Tor);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("0")));
    press(Tor);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("0")));
    EXPECT_EQ(e->lStartPos, 0);
}

TEST_F(EditorSave, FineResetOnlyCentresTheSlider) {
    startTor(QStringLiteral("7000"));
    ticks(2);
    fineMode();
    slideTo(33);
    desk.media.takeCommands();
    reset();
    EXPECT_EQ(e->frm_Fein->Slider1->value(), 20);
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("0 sec."));
    EXPECT_EQ(stored(torPath()), QStringLiteral("7000"));
    EXPECT_TRUE(desk.media.commands.isEmpty());
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Bearbeiten von :   Tor"));
    EXPECT_FALSE(e->cmd_Reset->isHidden());
    EXPECT_TRUE(timer4().tick());
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("3"));
}

TEST_F(EditorSave, SaveWritesOnlyTheEditedTitle) {
    store(path("7 Meter", "02Siebter.mp3"), QStringLiteral("500"));
    startTor(QStringLiteral("0"));
    ticks(1);
    save();
    EXPECT_EQ(stored(path("7 Meter", "02Siebter.mp3")), QStringLiteral("500"));
    EXPECT_EQ(stored(torPath()), QStringLiteral("1000"));
}

TEST_F(EditorSave, AnUnwritableFileStillReportsTheSaveWithoutAMessage) {
    startTor(QStringLiteral("0"));
    ticks(2);
    // A folder where the start-offset file belongs: no write can succeed, not even as root.
    const QString file = desk.startOffsetFile(QStringLiteral("Damen"));
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    save();
    EXPECT_TRUE(QFileInfo(file).isDir());
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Gespeichert:  Tor bei   2 sec."));
    EXPECT_TRUE(desk.dialogs.boxes.empty());
    EXPECT_EQ(desk.dialogs.ends, 0);
}
