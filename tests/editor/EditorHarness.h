#pragma once
// A desk with a few titles of the team "Damen", the main console shown, and the start-time editor opened
// the way an operator opens it. Shared by the editor's tests; header only.
#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "widgets/ShapeRect.h"
#include "console/TransportArea.h"
#include "widgets/VbButton.h"
#include "editor/FinePanel.h"
#include "editor/Form2.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

class EditorHarness : public ::testing::Test {
  protected:
    static constexpr int Tor = 0;     // "7 Meter" 01Tor.mp3
    static constexpr int Siebter = 1; // "7 Meter" 02Siebter.mp3

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        desk.makeTeam(QStringLiteral("Damen"), {{"7 Meter", {"01Tor.mp3", "02Siebter.mp3"}},
                                                {"Auszeit", {"01Eins.mp3", "02Zwei.mp3", "03Drei.mp3"}},
                                                {"Wischen", {"01Wisch & weg.mp3"}}});
        main = desk.startMain();
        main->show();
        openEditor();
        desk.media.takeCommands();
    }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete main->editor(); // the editor has no owner window
        main.reset();
        QLocale::setDefault(QLocale::c());
    }

    void openEditor() {
        main->action(QStringLiteral("mnu_Set_Start"))->trigger();
        e = main->editor();
    }
    // The editor's Timer4 (the last tick source anyone created).
    FakeTickSource& timer4() { return *desk.ticks.created.back(); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(timer4().tick());
    }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    void press(int index) { click(e->board->button(index)); }
    void pressMain(int index) { click(main->board->button(index)); }
    void trigger(const char* action) { e->action(QString::fromLatin1(action))->trigger(); }
    // Moves the slider by arrow keys, as an operator does.
    void slideTo(int position) {
        for (QSlider* s = e->frm_Fein->Slider1; s->value() != position;)
            QTest::keyClick(s, s->value() < position ? Qt::Key_Right : Qt::Key_Left);
    }

    QString path(const char* category, const char* name) const {
        return desk.titlePath(QStringLiteral("Damen"), QString::fromUtf8(category), QString::fromUtf8(name));
    }
    QString torPath() const { return path("7 Meter", "01Tor.mp3"); }
    QString stored(const QString& title) const {
        return Ini_Read(desk.startOffsetFile(QStringLiteral("Damen")), title, QStringLiteral("Zeit_01"));
    }
    void store(const QString& title, const QString& value) {
        Ini_Write(desk.startOffsetFile(QStringLiteral("Damen")), title, QStringLiteral("Zeit_01"), value);
    }
    // What a sound button sends for a title (a path with blanks travels in double quotes).
    QStringList playFrom(const QString& p, const QString& offset) const {
        const QString shown = p.contains(QLatin1Char(' ')) ? QLatin1Char('"') + p + QLatin1Char('"') : p;
        return {QStringLiteral("stop MyAlias"), QStringLiteral("close MyAlias"),
                QStringLiteral("open ") + shown + QStringLiteral(" type MPEGVideo alias MyAlias"),
                QStringLiteral("play MyAlias from ") + offset};
    }
    TransportArea& t() const { return *e->transport; }
    QColor statusFore() const { return e->Text1->palette().color(QPalette::Text); }
    // Which of Command7, Text1, cmd_Speichern, cmd_Reset, cmd2, cmd5, cmd6, Shape2, Command2 and cmdAnsage
    // are hidden ('1'): whole states compared at once.
    std::string hidden() const {
        std::string out;
        for (QWidget* w :
             std::initializer_list<QWidget*>{e->Command7, e->Text1, e->cmd_Speichern, e->cmd_Reset, t().cmd2,
                                             t().cmd5, t().cmd6, t().Shape2, t().Command2, t().cmdAnsage})
            out += w->isHidden() ? '1' : '0';
        return out;
    }
    static constexpr const char* Idle = "0111111111";
    static constexpr const char* Playing = "1000001011";
    static constexpr const char* Paused = "1000010011";
    static constexpr const char* ResetDone = "0011111011";

    DeskFixture desk;
    std::unique_ptr<Form1> main;
    Form2* e = nullptr;
};
