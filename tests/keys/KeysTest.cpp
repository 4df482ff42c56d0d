// The main console without the mouse: shirt numbers, the keypad's transport, a key for any button (given and
// taken through the button's menu, kept in Tasten.ini), the guard against restarting a title that has just
// started, and the overview of every key. Each presses through the very control a click reaches.
#include "keys/KeyAssignDialog.h"
#include "keys/KeyOverview.h"
#include "keys/KeyRouter.h"
#include "support/Desk.h"
#include "support/EngineRig.h"

#include <QMenu>
#include <QTextBrowser>

namespace {

class Keys : public Desk {
  protected:
    void SetUp() override {
        start({{"7 Meter", {"01Siebenmeter.mp3", "02Tor.mp3"}},
               {"Tormusik", {"07Sieben.mp3", "13Müller.mp3", "13Meier.mp3"}}});
    }
    // Keys typed at the main console, each pressed and released.
    void type(std::initializer_list<Qt::Key> keys, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        for (Qt::Key k : keys)
            QTest::keyClick(main.get(), k, modifiers);
    }
    QString notice() const { return text(main.get(), "Hinweis"); }
    QString opened() { return sent().filter(QStringLiteral("open ")).join(QLatin1Char('|')); }
    // "Taste zuweisen" from the button's menu, then the key pressed in the dialog.
    KeyAssignDialog* giveKey(int button, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        main->buttonMenu(button)->findChild<QAction*>(QStringLiteral("TasteZuweisen"))->trigger();
        auto* dialog = main->findChild<KeyAssignDialog*>();
        if (dialog)
            QTest::keyClick(dialog, key, modifiers);
        return dialog;
    }
    QString keysFile() const {
        QFile f(fx.dir() + QStringLiteral("/Tasten.ini"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }
};

TEST_F(Keys, AShirtNumberPlaysItsTormusikAsAClickDoes) {
    type({Qt::Key_1, Qt::Key_3});
    EXPECT_EQ(notice(), QStringLiteral("Tormusik Nr. 13"));
    type({Qt::Key_Return});
    // The first in board order plays; the line names the other.
    EXPECT_EQ(sent(), playFrom(path("Tormusik", QStringLiteral("13Meier.mp3")), QStringLiteral("0")));
    EXPECT_EQ(status(), QStringLiteral("Meier   ** PLAY **"));
    EXPECT_EQ(Operator::find<VbButton>(main.get(), "Command1_62")->backColor(), 0x0000FF00);
    EXPECT_EQ(notice(), QStringLiteral("Tormusik Nr. 13: „Meier“ spielt; die Nummer hat auch „Müller“."));
    type({Qt::Key_7, Qt::Key_Enter}, Qt::KeypadModifier); // the keypad; "7" finds "07"
    EXPECT_TRUE(opened().contains(QStringLiteral("07Sieben.mp3")));
    type({Qt::Key_4, Qt::Key_2, Qt::Key_Return});
    EXPECT_EQ(notice(), QStringLiteral("Keine Tormusik mit der Nummer 42."));
    type({Qt::Key_1, Qt::Key_4, Qt::Key_Backspace, Qt::Key_3, Qt::Key_Return});
    EXPECT_TRUE(opened().contains(QStringLiteral("13Meier.mp3")));
    // Escape, or three seconds without a key, drop the number: Enter then presses nothing.
    type({Qt::Key_1, Qt::Key_Escape, Qt::Key_Return});
    type({Qt::Key_1, Qt::Key_3});
    fx.ticks.advance(KeyRouter::EntryTimeoutMs * 1000LL);
    type({Qt::Key_Return});
    EXPECT_TRUE(opened().isEmpty());
}

TEST_F(Keys, TheKeypadWorksTheTransportOnlyWhereAControlIsShown) {
    press(0);
    sent();
    // key, the commands it sends, the announcement button's caption after it
    for (auto [key, commands, caption] : {std::tuple{Qt::Key_Slash, "pause MyAlias", "Ansage"},
                                          {Qt::Key_Slash, "play MyAlias", "Ansage"},
                                          {Qt::Key_Asterisk, "", "Musik"},
                                          {Qt::Key_Minus, "", "Musik"}, // no fade while ducked
                                          {Qt::Key_Asterisk, "", "Ansage"},
                                          {Qt::Key_Period, "stop MyAlias|close MyAlias", "Ansage"},
                                          {Qt::Key_Slash, "", "Ansage"}}) { // nothing shown, nothing done
        type({key}, Qt::KeypadModifier);
        EXPECT_EQ(sent().join(QLatin1Char('|')), QString::fromLatin1(commands)) << key;
        EXPECT_EQ(text(main.get(), "cmdAnsage"), QString::fromLatin1(caption)) << key;
    }
    EXPECT_FALSE(Operator::shown(main.get(), "cmd2_0"));
}

TEST_F(Keys, AKeyForAnyButtonIsGivenMovedTakenAndKeptInItsOwnFile) {
    const QByteArray settings = fx.iniBytes();
    KeyAssignDialog* dialog = giveKey(1, Qt::Key_1);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(
        dialog->message().endsWith(QStringLiteral("Die Ziffern sind die Rückennummern der Tormusik.")));
    QTest::keyClick(dialog, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(dialog->message().contains(QStringLiteral("Kurzbefehle")));
    QTest::keyClick(dialog, Qt::Key_F5);
    EXPECT_EQ(dialog->message(), QStringLiteral("F5 drückt jetzt diesen Knopf."));
    fx.ticks.advance(KeyAssignDialog::ShownAfterMs * 1000LL); // it closes by itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->findChild<KeyAssignDialog*>(), nullptr);
    EXPECT_EQ(keysFile(), QStringLiteral("[Damen]\r\nF5=Damen/7 Meter/02Tor.mp3\r\n"));
    EXPECT_EQ(Operator::find<VbButton>(main.get(), "Command1_1")->cornerText(), QStringLiteral("F5"));
    EXPECT_EQ(text(main.get(), "Command1_1"), QStringLiteral("Tor"));
    type({Qt::Key_F5});
    EXPECT_EQ(sent(), playFrom(path("7 Meter", QStringLiteral("02Tor.mp3")), QStringLiteral("0")));
    QKeyEvent held(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, QString(), true); // the keyboard repeats it
    QApplication::sendEvent(QApplication::focusWidget(), &held);
    EXPECT_TRUE(sent().isEmpty());
    // Given to another button, the key moves, and the dialog says from where.
    EXPECT_EQ(giveKey(0, Qt::Key_F5)->message(),
              QStringLiteral("F5 drückt jetzt diesen Knopf und nicht mehr Damen/7 Meter/02Tor.mp3."));
    EXPECT_EQ(Operator::find<VbButton>(main.get(), "Command1_1")->cornerText(), QString());
    main->buttonMenu(0)->findChild<QAction*>(QStringLiteral("TasteEntfernen"))->trigger();
    type({Qt::Key_F5});
    EXPECT_TRUE(sent().isEmpty());
    // Written by hand, in odd case and with blanks: read as the settings file is; after a restart too.
    QFile hand(fx.dir() + QStringLiteral("/Tasten.ini"));
    ASSERT_TRUE(hand.open(QIODevice::WriteOnly));
    hand.write(" [damen] \r\n shift+q = damen\\7 Meter\\02tor.mp3 \r\nKein Schlüssel\r\nF7=Damen/Weg.mp3\r\n");
    hand.close();
    main = fx.startMain();
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    sent();
    type({Qt::Key_Q}, Qt::ShiftModifier);
    EXPECT_TRUE(opened().contains(QStringLiteral("02Tor.mp3")));
    type({Qt::Key_F7}); // its title is gone: nothing plays, the line says so
    EXPECT_TRUE(opened().isEmpty());
    EXPECT_EQ(notice(), QStringLiteral("Taste F7: Der Titel Damen/Weg.mp3 ist nicht mehr da."));
    // The overview lists every key, the missing title as such, and goes to paper.
    QTest::keyClick(main.get(), Qt::Key_F1, Qt::ShiftModifier);
    QWidget* overview = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Tastenuebersicht") && w->isVisible())
            overview = w;
    ASSERT_NE(overview, nullptr);
    Operator::click(overview, "Drucken");
    ASSERT_EQ(fx.printer.printed.size(), 1);
    for (const char* line :
         {"Umschalt+Q\nTor", "F7\nfehlt: Damen/Weg.mp3 ist nicht mehr da", "13\nMeier, Müller",
          "Alt+S, Ziffernblock ,, Ziffernblock ., Ziffernblock Entf\nStop"})
        EXPECT_TRUE(fx.printer.printed[0].contains(QString::fromUtf8(line))) << line;
    EXPECT_EQ(fx.iniBytes(), settings) << "keys never touch Klangwart.ini";
}

// A double click, or a key that bounces, on the title that has just started does not restart it.
TEST(KeysGuard, APressOfTheRunningTitleWithinItsFirstMomentDoesNothing) {
    DeskFixture fx;
    EngineRig rig(fx);
    fx.makeTeam(QStringLiteral("Damen"));
    fx.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("01Tor.wav"),
               EngineRig::probeWav(5));
    auto main = fx.startMain();
    for (const int guardMs : {KeyFile::DefaultGuardMs, 0}) {
        if (guardMs == 0) {
            QFile file(fx.dir() + QStringLiteral("/Tasten.ini"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("[Allgemein]\r\nWiederholsperre=0\r\n");
            file.close();
            main->Command5_Click();
        }
        fx.media.takeCommands();
        main->Command1_Click(0);
        fx.clock.advanceTo(fx.clock.now + 300000);
        main->Command1_Click(0);
        EXPECT_EQ(fx.media.takeCommands().filter(QStringLiteral("open ")).size(), guardMs ? 1 : 2) << guardMs;
        fx.clock.advanceTo(fx.clock.now + 200000);
        main->Command1_Click(0); // past the guard: the restart as always
        EXPECT_EQ(fx.media.takeCommands().filter(QStringLiteral("open ")).size(), 1);
    }
}

} // namespace
