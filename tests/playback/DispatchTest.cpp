#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "widgets/ClickLabel.h"
#include "widgets/ShapeRect.h"
#include "console/TransportArea.h"
#include "widgets/VbButton.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"

#include <QFile>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Dispatch : public ::testing::Test {
  protected:
    void SetUp() override {
        desk.makeTeam(QStringLiteral("Damen"), {{"7 Meter", DeskFixture::numbered(15)},
                                                {"Torwart", DeskFixture::numbered(8)},
                                                {"Team Timeout", DeskFixture::numbered(5)},
                                                {"Auszeit", DeskFixture::numbered(8)},
                                                {"Tormusik", DeskFixture::numbered(65)},
                                                {"Einlaufen", {"01Einzug.mp3"}},
                                                {"Wischen", {"01Wisch & weg.mp3"}},
                                                {"2 Minuten", DeskFixture::numbered(5)}});
        w = desk.startMain();
        w->show();
        desk.media.takeCommands();
    }
    QString path(const char* category, const QString& name) {
        return desk.titlePath(QStringLiteral("Damen"), QString::fromUtf8(category), name);
    }
    QString openOf(const QString& p) {
        const QString shown = p.contains(QLatin1Char(' ')) ? QLatin1Char('"') + p + QLatin1Char('"') : p;
        return QStringLiteral("open ") + shown + QStringLiteral(" type MPEGVideo alias MyAlias");
    }
    void press(int index) { QTest::mouseClick(w->board->button(index), Qt::LeftButton); }
    void setOffset(const char* category, const QString& name, const QString& value) {
        Ini_Write(desk.startOffsetFile(QStringLiteral("Damen")), path(category, name),
                  QStringLiteral("Zeit_01"), value);
    }

    DeskFixture desk;
    std::unique_ptr<Form1> w;
};

} // namespace

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
        const QString p = path(category, QString::fromUtf8(name));
        EXPECT_EQ(desk.media.takeCommands(),
                  (QStringList{"stop MyAlias", "close MyAlias", openOf(p), "play MyAlias from 0"}))
            << index;
    }
}

TEST_F(Dispatch, PressShowsThePlayingLookMarksTheButtonAndFocusesStop) {
    press(1);
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Titel 2   ** PLAY **"));
    EXPECT_EQ(w->Label17->palette().color(QPalette::WindowText), QColor(0, 0x80, 0));
    EXPECT_EQ(w->board->button(1)->backColor(), 0x0000FF00);
    TransportArea& t = *w->transport;
    EXPECT_TRUE(t.cmd2->isVisible());
    EXPECT_TRUE(t.cmd5->isVisible());
    EXPECT_FALSE(t.cmd6->isVisible());
    EXPECT_TRUE(t.Command2->isVisible());
    EXPECT_TRUE(t.cmdAnsage->isVisible());
    EXPECT_EQ(t.cmdAnsage->caption(), QStringLiteral("Ansage"));
    EXPECT_EQ(t.ProgressBar1->value(), 10000);
    EXPECT_TRUE(t.cmd2->hasFocus() || QApplication::focusWidget() == nullptr);
    // The level goes to full at every press, also after a fade left it low.
    w->HScroll1->setValue(4);
    press(2);
    EXPECT_EQ(w->HScroll1->value(), 10000);
    EXPECT_EQ(desk.waveOut.levels.back(), 0xFFFFFFFFu);
    // Played marks stay until the next board load.
    EXPECT_EQ(w->board->button(1)->backColor(), 0x0000FF00);
    w->board->Command5->click();
    EXPECT_EQ(w->board->button(1)->backColor(), 12632256);
}

TEST_F(Dispatch, ButtonFiftyFiveStartsEarlyOnlyAboveThreeSeconds) {
    const QString third = QStringLiteral("03Titel 3.mp3");
    const std::pair<const char*, const char*> rows[] = {
        {"3000", "3000"}, {"3001", "1501"}, {"10000", "8500"}, {"abc", "abc"}};
    for (auto [stored, sent] : rows) {
        setOffset("Auszeit", third, QString::fromUtf8(stored));
        press(55);
        EXPECT_EQ(desk.media.takeCommands().last(),
                  QStringLiteral("play MyAlias from ") + QString::fromUtf8(sent));
    }
    setOffset("Auszeit", QStringLiteral("02Titel 2.mp3"), QStringLiteral("10000"));
    press(54);
    EXPECT_EQ(desk.media.takeCommands().last(), QStringLiteral("play MyAlias from 10000"));
}

TEST_F(Dispatch, FixedButtonsUseTheirWordsAndEinlaufenHidesItself) {
    press(30);
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Wischen   ** PLAY **"));
    press(126);
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Einlaufen   ** PLAY **"));
    EXPECT_TRUE(w->board->button(126)->isHidden());
    w->board->Command5->click();
    EXPECT_FALSE(w->board->button(126)->isHidden());
    EXPECT_EQ(w->board->button(126)->backColor(), w->transport->Command2->backColor());
}

TEST_F(Dispatch, TitleThatCannotBePlayedIsToldAsFehler) {
    QFile::remove(path("7 Meter", QStringLiteral("04Titel 4.mp3")));
    press(3);
    // Nothing reaches the media layer for a missing file, and the operator sees that nothing sounds.
    EXPECT_EQ(desk.media.takeCommands(), (QStringList{"stop MyAlias", "close MyAlias"}));
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Titel 4   ** FEHLER **"));
    EXPECT_EQ(w->Label17->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
    EXPECT_EQ(w->board->button(3)->backColor(), 0x0000FF00);
    EXPECT_TRUE(w->transport->cmd2->isVisible());
    // A file the media layer refuses is told the same way.
    desk.media.answer = [](const QString& c) { return c.startsWith(QLatin1String("open")) ? 296 : 0; };
    press(4);
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Titel 5   ** FEHLER **"));
}

TEST_F(Dispatch, MissingOffsetSendsAnEmptyPosition) {
    setOffset("7 Meter", QStringLiteral("01Titel 1.mp3"), QString());
    desk.media.answer = [](const QString& c) { return c.endsWith(QLatin1String("from ")) ? 273 : 0; };
    press(0);
    EXPECT_EQ(desk.media.commands.last(), QStringLiteral("play MyAlias from "));
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Titel 1   ** FEHLER **"));
}

TEST_F(Dispatch, TransportStatesAndTransitions) {
    TransportArea& t = *w->transport;
    press(0);
    QTest::mouseClick(t.cmd5, Qt::LeftButton);
    EXPECT_EQ(desk.media.commands.last(), QStringLiteral("pause MyAlias"));
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Titel 1   ** WAIT **"));
    EXPECT_EQ(w->Label17->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
    EXPECT_FALSE(t.cmd5->isVisible());
    EXPECT_TRUE(t.cmd6->isVisible());
    EXPECT_TRUE(t.cmd2->isVisible());
    EXPECT_TRUE(t.Shape2->isVisible());
    for (QWidget* hidden : {static_cast<QWidget*>(t.Command2), static_cast<QWidget*>(t.cmdAnsage),
                            static_cast<QWidget*>(t.ProgressBar1), static_cast<QWidget*>(t.ProgressBar2)})
        EXPECT_FALSE(hidden->isVisible());

    QTest::mouseClick(t.cmd6, Qt::LeftButton);
    EXPECT_EQ(desk.media.commands.last(), QStringLiteral("play MyAlias"));
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Titel 1   ** PLAY **"));
    EXPECT_TRUE(t.cmd5->isVisible());
    EXPECT_FALSE(t.cmd6->isVisible());
    EXPECT_TRUE(t.Command2->isVisible());

    // A press while paused starts the new title with Pause shown again.
    QTest::mouseClick(t.cmd5, Qt::LeftButton);
    press(1);
    EXPECT_TRUE(t.cmd5->isVisible());
    EXPECT_FALSE(t.cmd6->isVisible());

    // Stop while paused hides the whole area, the status line too.
    QTest::mouseClick(t.cmd5, Qt::LeftButton);
    desk.media.takeCommands();
    QTest::mouseClick(t.cmd2, Qt::LeftButton);
    EXPECT_EQ(desk.media.commands, (QStringList{"stop MyAlias", "close MyAlias"}));
    for (QWidget* c :
         {static_cast<QWidget*>(t.cmd2), static_cast<QWidget*>(t.cmd5), static_cast<QWidget*>(t.cmd6),
          static_cast<QWidget*>(t.Shape2), static_cast<QWidget*>(w->Label17)})
        EXPECT_FALSE(c->isVisible());
}
