// Settings and start offsets that cannot be written (read-only files, a full disk): the desk plays on with
// what it has, says once and without a box which file failed and why, and never calls unsaved work saved.
#include "console/NoticeLine.h"
#include "support/Desk.h"

#include <QFile>
#include <csignal>
#include <sys/resource.h>

namespace {

class WriteFailure : public Desk {
  protected:
    void SetUp() override {
        fx.makeTeam(QStringLiteral("Männer"), {{"7 Meter", {"01Tor.mp3"}}});
        fx.makeTeam(QStringLiteral("Damen"), {{"7 Meter", {"01Anwurf.mp3", "02Pfiff.mp3"}}});
    }
    static void readOnly(const QString& file, bool on) {
        ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner |
                                                    (on ? QFileDevice::ReadOwner : QFileDevice::WriteOwner)));
    }
    static QString told(const char* what, const QString& file,
                        const char* why = "die Datei ist schreibgeschützt") {
        return QString::fromUtf8(what) + " (" + file + ": " + QString::fromUtf8(why) + ").";
    }
    QString notice(const QWidget* window) const { return text(window, "Hinweis"); }
    QString offsets() const { return fx.startOffsetFile(QStringLiteral("Damen")); }
};

TEST_F(WriteFailure, UnseededTitlesPlayFromTheStartAndTheBoardSaysOnceWhy) {
    for (const bool fullDisk : {false, true}) {
        TearDown();
        QFile::remove(offsets());
        store(path("7 Meter", "02Pfiff.mp3"), QStringLiteral("abc")); // stored but no number: it stays
        readOnly(offsets(), !fullDisk);
        struct rlimit saved {};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit full = {fullDisk ? 16 : saved.rlim_cur,
                                    saved.rlim_max}; // the kernel refuses more
        ::setrlimit(RLIMIT_FSIZE, &full);
        start();
        click("Command5"); // a second board load, told once all the same
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        EXPECT_EQ(notice(main.get()),
                  told("Die Startzeiten neuer Titel wurden nicht gespeichert, sie starten am Anfang",
                       offsets(), fullDisk ? "der Datenträger ist voll" : "die Datei ist schreibgeschützt"));
        press(0);
        press(1);
        EXPECT_EQ(sent().filter("play"), (QStringList{"play MyAlias from 0", "play MyAlias from abc"}));
        // Writable again: the next board load seeds, and the notice goes.
        readOnly(offsets(), false);
        click("Command5");
        EXPECT_EQ(notice(main.get()), QString());
        EXPECT_EQ(stored(path("7 Meter", "01Anwurf.mp3")), QStringLiteral("0"));
    }
}

TEST_F(WriteFailure, ATeamOrSettingThatIsNotStoredIsInEffectAndToldSoAndTheEditorNeverCallsItSaved) {
    readOnly(fx.iniFile(), true);
    start();
    Operator::menu(main.get(), "mnu_Männer");
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Klangwart  Männer  TV Beispiel"));
    EXPECT_EQ(fx.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Damen"));
    EXPECT_EQ(text(openEditor(), "Command1_0"), QStringLiteral("Tor")) << "the editor has Männer's board";
    Operator::menu(main.get(), "mnuAusblend");
    click("Label9_0");
    EXPECT_EQ(main->settings().iFadeStep, 12);
    // Two notices take turns, each whole, the newest first; the tool tip has both.
    const QString team = told("Die Mannschaft Männer wurde nicht gespeichert", fx.iniFile());
    const QString setting = told("Die Einstellung wurde nicht gespeichert", fx.iniFile());
    auto* line = Operator::find<NoticeLine>(main.get(), "Hinweis");
    EXPECT_EQ(line->text(), "2/2: " + setting);
    EXPECT_EQ(line->toolTip(), team + '\n' + setting);
    fx.clock.now += NoticeLine::kTurnUs;
    line->pollOutput();
    EXPECT_EQ(line->text(), "1/2: " + team);
    // The first write that reaches the file again stores the team as well, and both notices go.
    readOnly(fx.iniFile(), false);
    click("Label9_0");
    EXPECT_EQ(notice(main.get()), QString());
    EXPECT_EQ(fx.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Männer"));

    // The editor's save and reset on a read-only offset file.
    const QString tor =
        fx.titlePath(QStringLiteral("Männer"), QStringLiteral("7 Meter"), QStringLiteral("01Tor.mp3"));
    const QString file = fx.startOffsetFile(QStringLiteral("Männer"));
    fx.setOffset(QStringLiteral("Männer"), tor, QStringLiteral("5000"));
    readOnly(file, true);
    press(0, editor);
    ASSERT_TRUE(fx.ticks.created.back()->tick()); // a second on the stopwatch: 6000 to store
    click("cmd_Speichern", editor);
    EXPECT_EQ(editor->windowTitle(),
              QStringLiteral("Nicht gespeichert:  Tor – die Datei ist schreibgeschützt"));
    EXPECT_EQ(notice(editor), told("Die Startzeit von Tor wurde nicht gespeichert", file));
    click("cmd_Reset", editor);
    EXPECT_EQ(editor->windowTitle(),
              QStringLiteral("Tor  wurde nicht zurückgesetzt – die Datei ist schreibgeschützt"));
    EXPECT_EQ(fx.offset(QStringLiteral("Männer"), tor), QStringLiteral("5000"));
}

} // namespace
