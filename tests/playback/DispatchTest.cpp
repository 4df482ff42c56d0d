// A press on a sound button of the main console: which title it plays from which offset, what the operator
// sees and hears then, and Stop, Pause and Resume after it.
#include "support/Desk.h"

#include <QFile>
#include <QtTest/qtestkeyboard.h>

namespace {

class Dispatch : public Desk {
  protected:
    void startFullBoard() {
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
        return Operator::find<VbButton>(main.get(), QStringLiteral("Command1_%1").arg(i))->backColor();
    }
};

TEST_F(Dispatch, EndsOfEveryRunPlayTheirTitleAndTheFixedButtonsNameTheirCategory) {
    startFullBoard();
    for (auto [index, category, name] : {std::tuple{0, "7 Meter", "01Titel 1.mp3"},
                                         {14, "7 Meter", "15Titel 15.mp3"},
                                         {15, "Torwart", "01Titel 1.mp3"},
                                         {22, "Torwart", "08Titel 8.mp3"},
                                         {30, "Wischen", "01Wisch & weg.mp3"},
                                         {31, "Team Timeout", "01Titel 1.mp3"},
                                         {35, "Team Timeout", "05Titel 5.mp3"},
                                         {53, "Auszeit", "01Titel 1.mp3"},
                                         {60, "Auszeit", "08Titel 8.mp3"},
                                         {61, "Tormusik", "01Titel 1.mp3"},
                                         {125, "Tormusik", "65Titel 65.mp3"},
                                         {126, "Einlaufen", "01Einzug.mp3"},
                                         {127, "2 Minuten", "01Titel 1.mp3"},
                                         {131, "2 Minuten", "05Titel 5.mp3"}}) {
        press(index);
        EXPECT_EQ(sent(), playFrom(path(category, QString::fromUtf8(name)), QStringLiteral("0"))) << index;
    }
    // The entrance music plays once per board load.
    EXPECT_FALSE(Operator::shown(main.get(), "Command1_126"));
    press(30);
    EXPECT_EQ(status(), QStringLiteral("Wischen   ** PLAY **"));
    click("Command5");
    press(126);
    EXPECT_EQ(status(), QStringLiteral("Einlaufen   ** PLAY **"));
}

TEST_F(Dispatch, APressShowsThePlayingLookAtFullLevelAndMarksTheButtonUntilTheNextLoad) {
    startFullBoard();
    press(1);
    EXPECT_EQ(status(), QStringLiteral("Titel 2   ** PLAY **"));
    EXPECT_EQ(statusColor(), QColor(0, 0x80, 0));
    EXPECT_EQ(transport(), "110111111");
    EXPECT_EQ(text(main.get(), "cmdAnsage"), QStringLiteral("Ansage"));
    EXPECT_EQ(colorOf(1), 0x0000FF00);
    EXPECT_EQ(QApplication::focusWidget(), Operator::find(main.get(), "cmd2_0"));
    // The level goes to full at every press, also after a fade left it low.
    click("Command2");
    fx.ticks.advance(500000);
    ASSERT_NE(main->level().value(), 10000);
    press(2);
    EXPECT_EQ(fx.waveOut.levels.back(), 0xFFFFFFFFu);
    EXPECT_EQ(colorOf(1), 0x0000FF00);
    click("Command5");
    EXPECT_EQ(colorOf(1), 12632256);
}

TEST_F(Dispatch, ButtonFiftyFiveStartsEarlyOnlyAboveThreeSeconds) {
    startFullBoard();
    for (auto [stored, played] :
         {std::pair{"3000", "3000"}, {"3001", "1501"}, {"10000", "8500"}, {"abc", "abc"}}) {
        store(path("Auszeit", "03Titel 3.mp3"), QString::fromUtf8(stored));
        press(55);
        EXPECT_EQ(sent().last(), QStringLiteral("play MyAlias from ") + played);
    }
    store(path("Auszeit", "02Titel 2.mp3"), QStringLiteral("10000"));
    press(54);
    EXPECT_EQ(sent().last(), QStringLiteral("play MyAlias from 10000"));
}

TEST_F(Dispatch, TransportStatesAccessKeysAndATitleThatCannotPlay) {
    startFullBoard();
    press(0);
    // Access keys reach their handlers before the key call returns: no 100 ms animated click in between.
    QTest::keyClick(main.get(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(sent().last(), QStringLiteral("pause MyAlias"));
    EXPECT_EQ(status(), QStringLiteral("Titel 1   ** WAIT **"));
    EXPECT_EQ(statusColor(), QColor(0xFF, 0, 0));
    EXPECT_EQ(transport(), "101000011");
    click("cmd6");
    EXPECT_EQ(sent().last(), QStringLiteral("play MyAlias"));
    EXPECT_EQ(status(), QStringLiteral("Titel 1   ** PLAY **"));
    EXPECT_EQ(transport(), "110111111");
    QTest::keyClick(main.get(), Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(sent(), playFrom(path("Wischen", "01Wisch & weg.mp3"), QStringLiteral("0")));
    // A press while paused starts the new title with Pause shown again; Stop hides the whole area.
    click("cmd5");
    press(1);
    EXPECT_EQ(transport(), "110111111");
    sent();
    QTest::keyClick(main.get(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(transport(), "000000000");
    // A title whose file is gone reaches no media command and is told, through Pause and Resume too.
    QFile::remove(path("7 Meter", "04Titel 4.mp3"));
    press(3);
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(transport(), "110111111");
    for (const char* button : {"cmd5", "cmd6"}) {
        click(button);
        EXPECT_EQ(status(), QStringLiteral("Titel 4   ** FEHLER **"));
        EXPECT_EQ(statusColor(), QColor(0xFF, 0, 0));
    }
    // An empty offset, which the play command refuses, is told the same way.
    fx.media.answer = [](const QString& c) { return c.endsWith(QLatin1String("from ")) ? 273 : 0; };
    store(path("7 Meter", "01Titel 1.mp3"), QString());
    press(0);
    EXPECT_EQ(status(), QStringLiteral("Titel 1   ** FEHLER **"));
}

TEST_F(Dispatch, NoSpaceOrReturnAfterATransportClickOrKeyStartsATitleAndAHeldKeyPressesOnce) {
    startFullBoard();
    struct Act {
        const char* control;
        Qt::Key accessKey; // Key_unknown: the control has no access key of its own
        const char* before;
    };
    for (const Act& act :
         {Act{"cmd5", Qt::Key_P, nullptr}, Act{"cmd6", Qt::Key_unknown, "cmd5"},
          Act{"Command2", Qt::Key_A, nullptr}, Act{"cmdAnsage", Qt::Key_unknown, nullptr},
          Act{"cmdAnsage", Qt::Key_unknown, "cmdAnsage"}, Act{"cmd2_0", Qt::Key_S, nullptr}}) {
        for (const bool byKey : {false, true}) {
            if (byKey && act.accessKey == Qt::Key_unknown)
                continue;
            SCOPED_TRACE(std::string(act.control) + (byKey ? " by key" : " by mouse"));
            press(5);
            if (act.before)
                click(act.before);
            if (byKey)
                QTest::keyClick(main.get(), act.accessKey, Qt::AltModifier);
            else
                click(act.control);
            fx.ticks.advance(4000000); // a ramp has run out, and a fade has stopped the title
            sent();
            for (const Qt::Key k : {Qt::Key_Space, Qt::Key_Return}) {
                QWidget* focus = QApplication::focusWidget();
                ASSERT_NE(focus, nullptr);
                EXPECT_FALSE(focus->objectName().startsWith(QLatin1String("Command1_")));
                QTest::keyClick(focus, k);
            }
            EXPECT_FALSE(sent().join(QLatin1Char('|')).contains(QLatin1String("open ")));
        }
    }
    // Alt+W held down: the keyboard repeats it, the title starts once.
    QTest::keyClick(main.get(), Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(sent().size(), 4);
    for (int repeat = 0; repeat < 20; ++repeat)
        qt_sendShortcutOverrideEvent(main.get(), 0, Qt::Key_W, Qt::AltModifier, QStringLiteral("w"), true);
    EXPECT_TRUE(sent().isEmpty());
}

} // namespace
