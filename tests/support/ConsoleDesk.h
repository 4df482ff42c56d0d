#pragma once
// The main console on a fixture's program directory, the teams "Damen" and "Männer" with a few titles, and
// the operator's click, which reaches only what is shown. Shared by the fade, ducking and format tests;
// header only.
#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "console/TransportArea.h"
#include "widgets/VbButton.h"
#include "support/DeskFixture.h"

#include <QAction>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

inline void press(QWidget* w) {
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

class ConsoleDesk : public ::testing::Test {
  protected:
    // Shows the main console with the fade time and rest level of "Damen" as given.
    void start(const QString& zeit = QStringLiteral("2"), const QString& vol = QStringLiteral("25")) {
        const std::map<QString, QStringList> files{
            {QStringLiteral("7 Meter"), {QStringLiteral("01Anwurf.mp3"), QStringLiteral("02Abpfiff.mp3")}},
            {QStringLiteral("Tormusik"), {QStringLiteral("01Tor.mp3")}}};
        for (const char* team : {"Damen", "Männer"})
            fx.makeTeam(QString::fromUtf8(team), files);
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), zeit, vol);
        form = fx.startMain();
        form->show();
    }
    void trigger(const char* action) { form->action(QString::fromUtf8(action))->trigger(); }
    // Presses a sound button and forgets what the press sent.
    void play(int index = 0) {
        press(form->board->button(index));
        fx.waveOut.levels.clear();
        fx.media.commands.clear();
    }
    QString ini(const char* section, const char* key) const {
        return fx.readIni(QString::fromUtf8(section), QString::fromLatin1(key));
    }
    TransportArea& t() { return *form->transport; }

    DeskFixture fx;
    std::unique_ptr<Form1> form;
};
