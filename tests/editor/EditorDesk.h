#pragma once
// A desk with a few titles of the team "Damen" and the start-time editor opened as an operator opens it.
// Shared by the editor's tests; header only.
#include "support/Desk.h"

#include <QSlider>

class EditorDesk : public Desk {
  protected:
    static constexpr int Tor = 0;     // "7 Meter" 01Tor.mp3
    static constexpr int Siebter = 1; // "7 Meter" 02Siebter.mp3

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        start({{"7 Meter", {"01Tor.mp3", "02Siebter.mp3"}},
               {"Auszeit", {"01Eins.mp3", "02Zwei.mp3", "03Drei.mp3"}},
               {"Wischen", {"01Wisch & weg.mp3"}}});
        openEditor();
        sent();
    }
    void TearDown() override {
        Desk::TearDown();
        QLocale::setDefault(QLocale::c());
    }
    // The editor's stopwatch Timer4: n seconds pass on it.
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(fx.ticks.created.back()->tick());
    }
    bool stopwatchRuns() { return fx.ticks.created.back()->interval() > 0; }
    void pressEditor(int index) { press(index, editor); }
    void clickEditor(const char* name) { click(name, editor); }
    void menu(const char* action) { Operator::menu(editor, QString::fromLatin1(action)); }
    // Moves the slider by arrow keys, as an operator does.
    void slideTo(int position) {
        for (auto* s = Operator::find<QSlider>(editor, "Slider1"); s->value() != position;)
            QTest::keyClick(s, s->value() < position ? Qt::Key_Right : Qt::Key_Left);
    }
    int slider() const { return Operator::find<QSlider>(editor, "Slider1")->value(); }
    QString torPath() const { return path("7 Meter", "01Tor.mp3"); }
    QString caption() const { return editor->windowTitle(); }
    QString statusLine() const { return text(editor, "Text1"); }
    // Beenden, status line, Speichern, Reset, Stop, Pause, Resume, frame, fade-out, announcement.
    std::string state() const {
        return shown(editor, {"Command7", "Text1", "cmd_Speichern", "cmd_Reset", "cmd2_0", "cmd5", "cmd6",
                              "Shape2", "Command2", "cmdAnsage"});
    }
    static constexpr const char* Idle = "1000000000";
    static constexpr const char* Editing = "0111110100";
    static constexpr const char* Paused = "0111101100";
    static constexpr const char* ResetDone = "1100000100";
    static inline const QString IdleCaption = QStringLiteral("Titeleditor:  Startzeitpunkt editieren.");
    static inline const QString EditingTor = QStringLiteral(" Bearbeiten von :   Tor");
};
