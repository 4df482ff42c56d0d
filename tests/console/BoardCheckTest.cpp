// The board looked at before any press: titles that cannot play are marked and lose the mark when "CL Screen"
// finds them healthy; the prepared heads follow every change of board, offset and file; and the running
// title's time under the transport buttons.
#include "console/TitleTimeStrip.h"
#include "support/Desk.h"
#include "support/EngineRig.h"
#include "support/TestTitles.h"
#include "widgets/VbColor.h"

#include <QFile>

namespace {

class BoardCheck : public Desk {
  protected:
    void SetUp() override {
        ASSERT_TRUE(TestTitles::get().ok);
        fx.makeTeam(QStringLiteral("Damen"));
    }
    // A "Tormusik" title (button 61 for the first name) copied from source, or of the given bytes.
    QString addTitle(const char* name, const QString& offset, const QString& source,
                     const QByteArray& bytes = {}) {
        const QString p = path("Tormusik", QString::fromUtf8(name));
        QFile::remove(p);
        if (source.isEmpty())
            fx.addFile(QStringLiteral("Damen"), QStringLiteral("Tormusik"), QString::fromUtf8(name), bytes);
        else
            EXPECT_TRUE(QFile::copy(source, p));
        store(p, offset);
        return p;
    }
    VbButton* button(int i) const {
        return Operator::find<VbButton>(main.get(), QStringLiteral("Command1_%1").arg(i));
    }
    bool marked(int i) const { return button(i)->mark() == VbButton::Mark::Fault; }
    // The title's time as shown: the small line, then the large one.
    static QString timeShown(QWidget* window) {
        auto* strip = Operator::find<TitleTimeStrip>(window, "TitleTime");
        return strip->playedText() + " | " + strip->remainingText();
    }

    EngineRig rig{fx, true};
};

TEST_F(BoardCheck, EveryFaultIsMarkedBeforeAPressAndGoesWhenHealthy) {
    const QString wav = TestTitles::get().wav48; // 20 seconds
    addTitle("01Gut.wav", QStringLiteral("0"), wav);
    addTitle("02Kaputt.mp3", QStringLiteral("0"), {}, QByteArray("kein Ton"));
    addTitle("03Leer.wav", QStringLiteral("0"), {},
             QByteArray(
                 "RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\1\0\2\0\x80\xBB\0\0\0\xEE\2\0\4\0\x10\0data\0\0\0\0", 44));
    const QString word = addTitle("04Zahl.wav", QStringLiteral("abc"), wav);
    const QString late = addTitle("05Ende.wav", QStringLiteral("25000"), wav);
    start();
    rig.settle();
    for (auto [i, tip] :
         {std::pair{61, ""},
          {62, "Fehler: Die Datei lässt sich nicht als Titel öffnen (kein bekanntes Tonformat)."},
          {63, "Fehler: Die Datei enthält keine abspielbaren Töne (beschädigt oder leer)."},
          {64, "Fehler: Die gespeicherte Startzeit \"abc\" ist keine ganze Zahl."},
          {65, "Fehler: Die Startzeit 0:25 liegt hinter dem Ende des Titels (Länge 0:20)."}}) {
        EXPECT_EQ(marked(i), *tip != 0) << i;
        EXPECT_EQ(button(i)->toolTip(), QString::fromUtf8(tip));
        EXPECT_EQ(button(i)->backColor(), 12632256); // the team colour stays
    }
    // Readable on every face: the format panel's six colours, the button face, the played green, a red and a
    // navy team colour set by hand.
    for (const std::int32_t face : {0xFFFFFF, 0xC0C0C0, 0x8080FF, 0x80FF80, 0xFF8080, 0x80FFFF,
                                    static_cast<int>(VbColor::ButtonFace), 0x00FF00, 0x0000FF, 0x800000}) {
        button(62)->setBackColor(face);
        EXPECT_GE(VbColor::contrast(button(62)->captionColorShown(), VbColor::toQColor(face)), 4.5) << face;
    }
    // A marked title still does what a press always did.
    press(64);
    EXPECT_EQ(status(), QStringLiteral("Zahl   ** FEHLER **"));
    addTitle("02Kaputt.mp3", QStringLiteral("0"), TestTitles::get().mp348);
    addTitle("01Gut.wav", QStringLiteral("0"), {}, QByteArray("kein Ton")); // a sound title overwritten
    store(word, QStringLiteral("0"));
    store(late, QStringLiteral("19000"));
    click("Command5");
    EXPECT_TRUE(marked(62)) << "a mark stays until the check has looked again";
    rig.settle();
    for (int i : {62, 64, 65})
        EXPECT_FALSE(marked(i) || !button(i)->toolTip().isEmpty()) << i;
    EXPECT_TRUE(marked(61) && marked(63));
}

TEST_F(BoardCheck, HeadsFollowTheBoardItsOffsetsAndTheEditorsSaves) {
    const QString kept = addTitle("01Bleibt.wav", QStringLiteral("0"), TestTitles::get().wav48);
    const QString moved = addTitle("02Neu.wav", QStringLiteral("1000"), TestTitles::get().flac48);
    start();
    rig.settle();
    const HeadCache::Head before = rig.engine.heads().find(kept, 0);
    ASSERT_NE(before, nullptr);
    // A hand edit and "CL Screen": the new head comes, the untouched title is not decoded again.
    store(moved, QStringLiteral("3000"));
    click("Command5");
    rig.settle();
    EXPECT_EQ(rig.engine.heads().find(kept, 0), before);
    EXPECT_NE(rig.engine.heads().find(moved, 3000), nullptr);
    // The editor stores a new offset: the main console's next press starts with the head of the new offset.
    openEditor();
    press(62, editor);
    fx.ticks.created.back()->tick(); // the editor's stopwatch: two seconds
    fx.ticks.created.back()->tick();
    click("cmd_Speichern", editor);
    rig.settle();
    press(62);
    EXPECT_EQ(sent().last(), QStringLiteral("play MyAlias from 5000"));
    EXPECT_EQ(rig.engine.headFrames(rig.playingVoice()), TitleHead::kFrames);
    // Another team's board and back: this team's heads are kept, nothing is decoded again.
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    fx.makeTeam(QStringLiteral("Männer"));
    Operator::menu(main.get(), "mnu_Männer");
    rig.settle();
    Operator::menu(main.get(), "mnu_Damen");
    rig.settle();
    EXPECT_EQ(rig.engine.heads().find(kept, 0), before);
}

TEST_F(BoardCheck, TheTitlesTimeComesFromTheEngineAndTellsTheEndInsideTheFrame) {
    addTitle("01Tor.wav", QStringLiteral("17000"), TestTitles::get().wav48); // 20 seconds long
    start();
    EXPECT_FALSE(Operator::shown(main.get(), "TitleTime"));
    press(61);
    EXPECT_EQ(timeShown(main.get()), QStringLiteral("0:17 gespielt, noch | 0:03"));
    auto* strip = Operator::find<TitleTimeStrip>(main.get(), "TitleTime");
    EXPECT_EQ(strip->look(), TitleTimeStrip::Look::Warning); // the last ten seconds
    // Larger than the transport captions, whatever the screen fit made of both.
    EXPECT_GT(Operator::find(strip, "TitleTime_Rest")->font().pointSizeF(),
              Operator::find(main.get(), "cmd5")->font().pointSizeF());
    const QRect r = Operator::find(main.get(), "TitleTime")->geometry();
    EXPECT_TRUE(Operator::find(main.get(), "Shape2")->geometry().contains(r));
    for (const char* name : {"cmd2_0", "cmd5", "Command2", "cmdAnsage", "Label17", "ProgressBar1"})
        EXPECT_FALSE(Operator::find(main.get(), name)->geometry().intersects(r)) << name;
    rig.render(48000 + 100);
    fx.ticks.tickAll();
    EXPECT_EQ(timeShown(main.get()), QStringLiteral("0:18 gespielt, noch | 0:02"));
    click("cmd5"); // waiting: the time stands
    rig.render(48000);
    fx.ticks.tickAll();
    EXPECT_EQ(timeShown(main.get()), QStringLiteral("0:18 gespielt, noch | 0:02"));
    click("cmd6");
    rig.render(48000 * 3);
    fx.ticks.tickAll();
    EXPECT_EQ(timeShown(main.get()), QStringLiteral("Titel zu Ende | ENDE"));
    EXPECT_EQ(strip->look(), TitleTimeStrip::Look::Ended);
    EXPECT_EQ(status(), QStringLiteral("Tor   ** PLAY **")); // no end-of-title state of its own
    // The editor shows its own title; the main console lets go of the one the editor stopped.
    openEditor();
    press(61, editor);
    rig.render(48000 * 2);
    fx.ticks.tickAll();
    EXPECT_EQ(timeShown(editor), QStringLiteral("0:19 gespielt, noch | 0:01"));
    EXPECT_FALSE(Operator::shown(main.get(), "TitleTime"));
    click("cmd2_0", editor);
    EXPECT_FALSE(Operator::shown(editor, "TitleTime"));
}

} // namespace
