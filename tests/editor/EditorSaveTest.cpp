// Saving and resetting a title's start offset in the start-time editor, by the stopwatch and by the slider,
// and the main console playing what was saved at its very next press.
#include "EditorHarness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class EditorSave : public EditorHarness {
  protected:
    void startTor(const QString& offset) {
        store(torPath(), offset);
        press(Tor);
    }
    void save() { click(e->cmd_Speichern); }
    // The stored offset, and what both consoles play from now.
    void expectStoredAndPlayed(const QString& offset) {
        EXPECT_EQ(stored(torPath()), offset);
        desk.media.takeCommands();
        pressMain(Tor);
        EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), offset));
        press(Tor);
        EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), offset));
    }
    QString savedCaption(int seconds) const {
        return QStringLiteral("Gespeichert:  Tor bei   %1 sec.").arg(seconds);
    }
};

TEST_F(EditorSave, NormalModeAddsTheStopwatchSecondsAndChangesNothingElse) {
    struct Row {
        const char* start;
        int ticks;
        bool paused;
        const char* stored;
    };
    for (const Row r : {Row{"0", 12, false, "12000"}, Row{"30000", 5, false, "35000"},
                        Row{"30000", 0, false, "30000"}, Row{"1000", 7, true, "8000"}}) {
        SCOPED_TRACE(r.stored);
        startTor(QString::fromLatin1(r.start));
        ticks(r.ticks);
        if (r.paused)
            click(t().cmd5);
        desk.media.takeCommands();
        save();
        EXPECT_EQ(e->windowTitle(), savedCaption(r.ticks));
        EXPECT_TRUE(desk.media.commands.isEmpty());
        EXPECT_EQ(hidden(), r.paused ? Paused : Playing);
        EXPECT_EQ(timer4().tick(), !r.paused);
        EXPECT_EQ(e->lStartPos, QString::fromLatin1(r.start).toInt());
        expectStoredAndPlayed(QString::fromLatin1(r.stored));
    }
}

TEST_F(EditorSave, FineModeAddsTheSliderChangeAndANegativeOffsetIsKept) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"12000", 15, "11500"}, {"12000", 20, "12000"}, {"12000", 40, "14000"}, {"0", 10, "-1000"}};
    for (auto [start, position, expected] : cases) {
        SCOPED_TRACE(position);
        startTor(QString::fromLatin1(start));
        ticks(4); // the stopwatch does not count in fine mode
        trigger("mnu_fein");
        slideTo(position);
        save();
        EXPECT_EQ(e->windowTitle(), savedCaption(4));
        EXPECT_EQ(e->frm_Fein->Slider1->value(), 20);
        expectStoredAndPlayed(QString::fromLatin1(expected));
        click(e->frm_Fein->Command8);
    }
}

TEST_F(EditorSave, LaterSavesCountFromTheStartOffsetNotTheSavedValue) {
    startTor(QStringLiteral("2000"));
    ticks(6);
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("8000"));
    trigger("mnu_fein");
    slideTo(25);
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("2500"));
    save(); // the slider is back in the centre
    EXPECT_EQ(stored(torPath()), QStringLiteral("2000"));
}

TEST_F(EditorSave, NormalResetWritesZeroStopsTheTitleAndEndsInResetDone) {
    startTor(QStringLiteral("4000"));
    ticks(3);
    desk.media.takeCommands();
    click(e->cmd_Reset);
    EXPECT_EQ(desk.media.takeCommands(), (QStringList{"stop MyAlias", "close MyAlias"}));
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Tor  wurde an den Liedanfang zurückgesetzt!"));
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 0"));
    EXPECT_FALSE(timer4().tick());
    EXPECT_EQ(hidden(), ResetDone);
    expectStoredAndPlayed(QStringLiteral("0"));
}

TEST_F(EditorSave, FineResetOnlyCentresTheSlider) {
    startTor(QStringLiteral("7000"));
    ticks(2);
    trigger("mnu_fein");
    slideTo(33);
    desk.media.takeCommands();
    click(e->cmd_Reset);
    EXPECT_EQ(e->frm_Fein->Slider1->value(), 20);
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("0 sec."));
    EXPECT_EQ(stored(torPath()), QStringLiteral("7000"));
    EXPECT_TRUE(desk.media.commands.isEmpty());
    EXPECT_EQ(hidden(), Playing);
    ticks(1);
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("3"));
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
    EXPECT_EQ(e->windowTitle(), savedCaption(2));
    EXPECT_TRUE(desk.dialogs.boxes.empty());
    EXPECT_EQ(desk.dialogs.ends, 0);
}

} // namespace
