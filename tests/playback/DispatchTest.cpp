// A press on a sound button of the main console: which title it plays from which offset, what the operator
// sees then, and Stop, Pause and Resume after it.
#include "support/Desk.h"

#include <QFile>

namespace {

class Dispatch : public Desk {
  protected:
    void SetUp() override {
        Files files = DeskFixture::fullBoard();
        files[QStringLiteral("Einlaufen")] = QStringList{QStringLiteral("01Einzug.mp3")};
        files[QStringLiteral("Wischen")] = QStringList{QStringLiteral("01Wisch & weg.mp3")};
        start(files);
    }
    // Stop cmd2(0), Pause, Resume, fade-out, announcement, both bars, frame, status line.
    std::string transport() const {
        return shown(main.get(), {"cmd2_0", "cmd5", "cmd6", "Command2", "cmdAnsage", "ProgressBar1",
                                  "ProgressBar2", "Shape2", "Label17"});
    }
    QColor statusColor() const {
        return Operator::find(main.get(), "Label17")->palette().color(QPalette::WindowText);
    }
    std::int32_t colorOf(int i) const {
        return qobject_cast<VbButton*>(Operator::button(main.get(), i))->backColor();
    }
};

TEST_F(Dispatch, EndsOfEveryRunPlayTheirTitle) {
    const std::tuple<int, const char*, const char*> table[] = {
        {0, "7 Meter", "01Titel 1.mp3"},       {14, "7 Meter", "15Titel 15.mp3"},
        {15, "Torwart", "01Titel 1.mp3"},      {22, "Torwart", "08Titel 8.mp3"},
        {30, "Wischen", "01Wisch & weg.mp3"},  {31, "Team Timeout", "01Titel 1.mp3"},
        {35, "Team Timeout", "05Titel 5.mp3"}, {53, "Auszeit", "01Titel 1.mp3"},
        {60, "Auszeit", "08Titel 8.mp3"},      {61, "Tormusik", "01Titel 1.mp3"},
        {125, "Tormusik", "65Titel 65.mp3"},   {126, "Einlaufen", "01Einzug.mp3"},
        {127, "2 Minuten", "01Titel 1.mp3"},   {131, "2 Minuten", "05Titel 5.mp3"}};
    for (auto [index, category, name] : table) {
        press(index);
        EXPECT_EQ(sent(), playFrom(path(category, QString::fromUtf8(name)), QStringLiteral("0"))) << index;
    }
    // The fixed buttons name their category, and the entrance music plays once per board load.
    EXPECT_FALSE(Operator::shown(main.get(), "Command1_126"));
    press(30);
    EXPECT_EQ(status(), QStringLiteral("Wischen   ** PLAY **"));
    Operator::click(main.get(), "Command5");
    press(126);
    EXPECT_EQ(status(), QStringLiteral("Einlaufen   ** PLAY **"));
}

TEST_F(Dispatch, PressShowsThePlayingLookAtFullLevelAndMarksTheButtonUntilTheNextLoad) {
    press(1);
    EXPECT_EQ(status(), QStringLiteral("Titel 2   ** PLAY **"));
    EXPECT_EQ(statusColor(), QColor(0, 0x80, 0));
    EXPECT_EQ(transport(), "110111111");
    EXPECT_EQ(text(main.get(), "cmdAnsage"), QStringLiteral("Ansage"));
    EXPECT_EQ(barValue(main.get(), "ProgressBar1"), 10000);
    EXPECT_EQ(colorOf(1), 0x0000FF00);
    EXPECT_EQ(QApplication::focusWidget(), Operator::find(main.get(), "cmd2_0"));
    // The level goes to full at every press, also after a fade left it low.
    Operator::click(main.get(), "Command2");
    fx.ticks.advance(500000);
    ASSERT_NE(main->level().value(), 10000);
    fx.waveOut.levels.clear();
    press(2);
    EXPECT_EQ(main->level().value(), 10000);
    EXPECT_EQ(fx.waveOut.levels, std::vector<std::uint32_t>{0xFFFFFFFFu});
    EXPECT_EQ(colorOf(1), 0x0000FF00);
    Operator::click(main.get(), "Command5");
    EXPECT_EQ(colorOf(1), 12632256);
}

TEST_F(Dispatch, ButtonFiftyFiveStartsEarlyOnlyAboveThreeSeconds) {
    const std::pair<const char*, const char*> rows[] = {
        {"3000", "3000"}, {"3001", "1501"}, {"10000", "8500"}, {"abc", "abc"}};
    for (auto [stored, played] : rows) {
        store(path("Auszeit", "03Titel 3.mp3"), QString::fromUtf8(stored));
        press(55);
        EXPECT_EQ(sent().last(), QStringLiteral("play MyAlias from ") + played);
    }
    store(path("Auszeit", "02Titel 2.mp3"), QStringLiteral("10000"));
    press(54);
    EXPECT_EQ(sent().last(), QStringLiteral("play MyAlias from 10000"));
}

TEST_F(Dispatch, TitleThatCannotBePlayedIsToldAsFehler) {
    QFile::remove(path("7 Meter", "04Titel 4.mp3"));
    press(3);
    // Nothing reaches the media layer for a missing file, and the operator sees that nothing sounds.
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(status(), QStringLiteral("Titel 4   ** FEHLER **"));
    EXPECT_EQ(statusColor(), QColor(0xFF, 0, 0));
    EXPECT_EQ(colorOf(3), 0x0000FF00);
    EXPECT_EQ(transport(), "110111111");
    // Pause and Resume do not make it look as if it played.
    for (const char* button : {"cmd5", "cmd6"}) {
        click(button);
        EXPECT_EQ(status(), QStringLiteral("Titel 4   ** FEHLER **"));
        EXPECT_EQ(statusColor(), QColor(0xFF, 0, 0));
    }
    // A file the media layer refuses, and an empty offset that the play command refuses, are told the same.
    fx.media.answer = [](const QString& c) { return c.startsWith(QLatin1String("open")) ? 296 : 0; };
    press(4);
    EXPECT_EQ(status(), QStringLiteral("Titel 5   ** FEHLER **"));
    fx.media.answer = [](const QString& c) { return c.endsWith(QLatin1String("from ")) ? 273 : 0; };
    store(path("7 Meter", "01Titel 1.mp3"), QString());
    press(0);
    EXPECT_EQ(sent().last(), QStringLiteral("play MyAlias from "));
    EXPECT_EQ(status(), QStringLiteral("Titel 1   ** FEHLER **"));
}

TEST_F(Dispatch, TransportStatesAndTransitions) {
    press(0);
    click("cmd5");
    EXPECT_EQ(sent().last(), QStringLiteral("pause MyAlias"));
    EXPECT_EQ(status(), QStringLiteral("Titel 1   ** WAIT **"));
    EXPECT_EQ(statusColor(), QColor(0xFF, 0, 0));
    EXPECT_EQ(transport(), "101000011");
    click("cmd6");
    EXPECT_EQ(sent().last(), QStringLiteral("play MyAlias"));
    EXPECT_EQ(status(), QStringLiteral("Titel 1   ** PLAY **"));
    EXPECT_EQ(transport(), "110111111");
    // A press while paused starts the new title with Pause shown again.
    click("cmd5");
    press(1);
    EXPECT_EQ(transport(), "110111111");
    // Stop while paused hides the whole area, the status line too.
    click("cmd5");
    sent();
    click("cmd2_0");
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(transport(), "000000000");
}

} // namespace

TEST_F(Dispatch, AccessKeysActOnTheKeyPressNotAfterThePressedLook) {
    // Each reaches its handler before the key call returns: no 100 ms animated click in between.
    QTest::keyClick(main.get(), Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(sent(), playFrom(path("Wischen", "01Wisch & weg.mp3"), QStringLiteral("0")));
    QTest::keyClick(main.get(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(sent(), QStringList{"pause MyAlias"});
    QTest::keyClick(main.get(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(sent(), StopCommands);
    QTest::keyClick(main.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(sent(), playFrom(path("Einlaufen", "01Einzug.mp3"), QStringLiteral("0")));
}
