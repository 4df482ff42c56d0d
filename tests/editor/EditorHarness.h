#pragma once
// A desk with a few titles of the team "Damen", the main console shown, and the start-time editor opened
// the way an operator opens it. Shared by the editor's tests; header only.
#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "console/ShapeRect.h"
#include "console/TransportArea.h"
#include "console/VbButton.h"
#include "editor/FinePanel.h"
#include "editor/Form2.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

class EditorHarness : public ::testing::Test {
  protected:
    static constexpr int Tor = 0;     // "7 Meter" 01Tor.mp3
    static constexpr int Siebter = 1; // "7 Meter" 02Siebter.mp3
    static constexpr int AuszeitDrei = 55;
    static constexpr int AuszeitZwei = 54;

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        desk.makeTeam(QStringLiteral("Damen"), {{"7 Meter", {"01Tor.mp3", "02Siebter.mp3"}},
                                                {"Auszeit", {"01Eins.mp3", "02Zwei.mp3", "03Drei.mp3"}},
                                                {"Wischen", {"01Wisch & weg.mp3"}},
                                                {"Einlaufen", {"01Einzug.mp3"}},
                                                {"Tormusik", {"01Goal.mp3"}}});
        main = desk.startMain();
        main->show();
    }

    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete main->editor(); // the editor has no owner window
        main.reset();
        QLocale::setDefault(QLocale::c());
    }

    Form2* openEditor() {
        main->action(QStringLiteral("mnu_Set_Start"))->trigger();
        e = main->editor();
        return e;
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
        QSlider* s = e->frm_Fein->Slider1;
        while (s->value() < position)
            QTest::keyClick(s, Qt::Key_Right);
        while (s->value() > position)
            QTest::keyClick(s, Qt::Key_Left);
    }

    QString path(const char* category, const char* name) const {
        return desk.titlePath(QStringLiteral("Damen"), QString::fromUtf8(category), QString::fromUtf8(name));
    }
    QString torPath() const { return path("7 Meter", "01Tor.mp3"); }
    QString stored(const QString& titlePath) const {
        return Ini_Read(desk.startOffsetFile(QStringLiteral("Damen")), titlePath, QStringLiteral("Zeit_01"));
    }
    void store(const QString& titlePath, const QString& value) {
        Ini_Write(desk.startOffsetFile(QStringLiteral("Damen")), titlePath, QStringLiteral("Zeit_01"), value);
    }
    QString openOf(const QString& p) const {
        const QString shown = p.contains(QLatin1Char(' ')) ? QLatin1Char('"') + p + QLatin1Char('"') : p;
        return QStringLiteral("open ") + shown + QStringLiteral(" type MPEGVideo alias MyAlias");
    }
    QStringList playFrom(const QString& p, const QString& offset) const {
        return {QStringLiteral("stop MyAlias"), QStringLiteral("close MyAlias"), openOf(p),
                QStringLiteral("play MyAlias from ") + offset};
    }

    TransportArea& t() { return *e->transport; }
    QColor statusFore() const { return e->Text1->palette().color(QPalette::Text); }

    DeskFixture desk;
    std::unique_ptr<Form1> main;
    Form2* e = nullptr;
};
