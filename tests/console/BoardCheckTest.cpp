// Pre-flight marks: titles that cannot play are marked on the board before any press, and lose the mark when
// "CL Screen" finds them healthy again; the heads follow every change of board, offset and file.
#include "console/EngineDesk.h"
#include "editor/Form2.h"
#include "widgets/VbButton.h"

#include <QLabel>

namespace {

// A WAV file with its header and no samples at all.
QByteArray emptyWav() {
    QByteArray h("RIFF");
    auto le = [&h](quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            h.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    le(36, 4);
    h += "WAVEfmt ";
    le(16, 4), le(1, 2), le(2, 2), le(48000, 4), le(192000, 4), le(4, 2), le(16, 2);
    h += "data";
    le(0, 4);
    return h;
}

VbButton* button(QWidget* window, int index) {
    return static_cast<VbButton*>(Operator::button(window, index));
}

bool marked(QWidget* window, int index) {
    return button(window, index)->captionColor() == QColor(Qt::red);
}

class BoardCheckTest : public EngineDesk {};

TEST_F(BoardCheckTest, EveryFaultIsMarkedBeforeAPressAndGoesWhenHealthy) {
    const QString wav = TestTitles::get().wav48; // 20 seconds
    addTitle("01Gut.wav", QStringLiteral("0"), wav);
    addTitle("02Kaputt.mp3", QStringLiteral("0"), {}, QByteArray("kein Ton"));
    addTitle("03Leer.wav", QStringLiteral("0"), {}, emptyWav());
    const QString word = addTitle("04Zahl.wav", QStringLiteral("abc"), wav);
    const QString late = addTitle("05Ende.wav", QStringLiteral("25000"), wav);
    form = fx.startMain();
    settle();

    const struct {
        int button;
        const char* tip; // "" for a healthy title
    } expected[] = {
        {61, ""},
        {62, "Fehler: Die Datei lässt sich nicht als Titel öffnen (kein bekanntes Tonformat)."},
        {63, "Fehler: Die Datei enthält keine abspielbaren Töne (beschädigt oder leer)."},
        {64, "Fehler: Die gespeicherte Startzeit \"abc\" ist keine ganze Zahl."},
        {65, "Fehler: Die Startzeit 0:25 liegt hinter dem Ende des Titels (Länge 0:20)."},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.button);
        EXPECT_EQ(marked(form.get(), e.button), *e.tip != 0);
        EXPECT_EQ(button(form.get(), e.button)->toolTip(), QString::fromUtf8(e.tip));
        EXPECT_EQ(button(form.get(), e.button)->backColor(), 12632256); // the team colour stays
    }
    // A marked title still does what a press always did.
    Operator::press(form.get(), 64);
    EXPECT_EQ(Operator::find<QLabel>(form.get(), QStringLiteral("Label17"))->text(),
              QStringLiteral("Zahl   ** FEHLER **"));
    EXPECT_TRUE(fx.media.commands.contains(QStringLiteral("play MyAlias from abc")));

    addTitle("02Kaputt.mp3", QStringLiteral("0"), TestTitles::get().mp348);
    setOffset(word, QStringLiteral("0"));
    setOffset(late, QStringLiteral("19000"));
    Operator::click(form.get(), QStringLiteral("Command5"));
    EXPECT_TRUE(marked(form.get(), 62)) << "a mark stays until the check has looked again";
    settle();
    for (int i : {61, 62, 64, 65}) {
        EXPECT_FALSE(marked(form.get(), i)) << i;
        EXPECT_TRUE(button(form.get(), i)->toolTip().isEmpty()) << i;
    }
    EXPECT_TRUE(marked(form.get(), 63));
}

TEST_F(BoardCheckTest, HeadsFollowTheBoardAndItsOffsets) {
    const QString kept = addTitle("01Bleibt.wav", QStringLiteral("0"), TestTitles::get().wav48);
    const QString moved = addTitle("02Neu.wav", QStringLiteral("1000"), TestTitles::get().flac48);
    form = fx.startMain();
    const std::size_t mainTicks = fx.ticks.created.size();
    settle();
    const HeadCache::Head before = engine.heads().find(kept, 0);
    ASSERT_NE(before, nullptr);
    ASSERT_NE(engine.heads().find(moved, 1000), nullptr);

    // A hand edit of an offset, then "CL Screen": the old head goes, the new one comes, the untouched title
    // keeps its head without being decoded again.
    setOffset(moved, QStringLiteral("3000"));
    Operator::click(form.get(), QStringLiteral("Command5"));
    settle();
    EXPECT_EQ(engine.heads().find(kept, 0), before);
    EXPECT_EQ(engine.heads().find(moved, 1000), nullptr);
    EXPECT_NE(engine.heads().find(moved, 3000), nullptr);

    // The editor stores a new offset: both consoles look again, and the main console's next press starts
    // with the head of the new offset.
    Operator::menu(form.get(), QStringLiteral("mnu_Set_Start"));
    Form2* editor = form->editor();
    ASSERT_NE(editor, nullptr);
    Operator::press(editor, 62);
    fx.ticks.created.back()->tick(); // the editor's stopwatch: two seconds
    fx.ticks.created.back()->tick();
    Operator::click(editor, QStringLiteral("cmd_Speichern"));
    settle();
    EXPECT_EQ(engine.heads().find(moved, 3000), nullptr);
    EXPECT_NE(engine.heads().find(moved, 5000), nullptr);
    fx.media.commands.clear();
    Operator::press(form.get(), 62);
    EXPECT_TRUE(fx.media.commands.contains(QStringLiteral("play MyAlias from 5000")));
    EXPECT_EQ(engine.headFrames(playingVoice()), TitleHead::kFrames);

    // The team's board goes away when the editor closes and the main console loads another team's board.
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    fx.ticks.created.resize(mainTicks); // the editor's ticks went with it
    fx.makeTeam(QStringLiteral("Männer"));
    Operator::menu(form.get(), QStringLiteral("mnu_Männer"));
    settle();
    EXPECT_EQ(engine.heads().count(), 0u);
}

} // namespace
