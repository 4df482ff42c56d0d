// Settings and start offsets that cannot be written (a read-only folder, a full disk): the desk plays on with
// what it has, says once and without a box which file failed and why, and never calls unsaved work saved.
#include "app/Form1.h"
#include "editor/Form2.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"
#include "support/Operator.h"

#include <QFile>
#include <QLabel>
#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace {

const QString Damen = QStringLiteral("Damen");
const QString Maenner = QStringLiteral("Männer");

class WriteFailure : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const QString& team : {Damen, Maenner})
            desk.makeTeam(team, {{QStringLiteral("7 Meter"),
                                  {QStringLiteral("01Anwurf.mp3"), QStringLiteral("02Pfiff.mp3")}}});
        desk.addFile(Maenner, QStringLiteral("Tormusik"), QStringLiteral("01Tor.mp3"));
    }
    static void put(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
    }
    static void readOnly(const QString& file, bool on) {
        ASSERT_TRUE(QFile::setPermissions(file, on ? QFileDevice::ReadOwner
                                                   : QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    QString notice(const QWidget* window) const {
        return Operator::find<QLabel>(window, QStringLiteral("Hinweis"))->text();
    }
    QString told(const QString& what, const QString& file, const char* why) const {
        return what + QStringLiteral(" (") + file + QStringLiteral(": ") + QString::fromUtf8(why) +
               QStringLiteral(").");
    }

    DeskFixture desk;
};

// The kernel refuses writes past a few bytes, as a full disk does.
class FullDisk {
  public:
    FullDisk() : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        const struct rlimit tiny = {16, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }

  private:
    struct rlimit saved_ {};
    void (*handler_)(int);
};

TEST_F(WriteFailure, UnseededTitlesPlayFromTheStartAndTheBoardSaysOnceWhy) {
    const QString offsets = desk.startOffsetFile(Damen);
    const QString pfiff = desk.titlePath(Damen, QStringLiteral("7 Meter"), QStringLiteral("02Pfiff.mp3"));
    const QString seedFailed =
        QStringLiteral("Die Startzeiten neuer Titel wurden nicht gespeichert, sie starten am Anfang");
    struct Case {
        const char* name;
        bool fullDisk;
        const char* why;
    };
    for (const Case& c : {Case{"schreibgeschützt", false, "die Datei ist schreibgeschützt"},
                          Case{"voll", true, "der Datenträger ist voll"}}) {
        SCOPED_TRACE(c.name);
        // An entry that is stored but is no number stays what it is.
        put(offsets, "[" + pfiff.toUtf8() + "]\r\nZeit_01=abc\r\n");
        readOnly(offsets, !c.fullDisk);
        std::unique_ptr<Form1> w;
        {
            std::optional<FullDisk> full;
            if (c.fullDisk)
                full.emplace();
            w = desk.startMain();
            Operator::click(w.get(),
                            QStringLiteral("Command5")); // a second board load: told once all the same
        }
        EXPECT_EQ(notice(w.get()), told(seedFailed, offsets, c.why));
        desk.media.commands.clear();
        Operator::press(w.get(), 0);
        Operator::press(w.get(), 1);
        EXPECT_EQ(desk.media.commands.filter(QStringLiteral("play")),
                  (QStringList{"play MyAlias from 0", "play MyAlias from abc"}));
        EXPECT_EQ(Operator::find<QLabel>(w.get(), QStringLiteral("Label17"))->text(),
                  QStringLiteral("Pfiff   ** PLAY **"));
        // Writable again: the next board load seeds, and the notice goes.
        readOnly(offsets, false);
        Operator::click(w.get(), QStringLiteral("Command5"));
        EXPECT_EQ(notice(w.get()), QString());
        EXPECT_EQ(
            Ini_Read(offsets, desk.titlePath(Damen, QStringLiteral("7 Meter"), "01Anwurf.mp3"), "Zeit_01"),
            QStringLiteral("0"));
    }
}

TEST_F(WriteFailure, ATeamSwitchThatIsNotStoredIsPlayedAndToldAndSoIsAFailedSetting) {
    readOnly(desk.iniFile(), true);
    const auto w = desk.startMain();
    Operator::menu(w.get(), QStringLiteral("mnu_Männer"));
    // The board of the chosen team, and the truth about it at the foot.
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Klangwart  Männer  TV Beispiel"));
    EXPECT_TRUE(Operator::shown(w.get(), QStringLiteral("Command1_61")));
    const QString teamNotStored = told(QStringLiteral("Die Mannschaft Männer wurde nicht gespeichert"),
                                       desk.iniFile(), "die Datei ist schreibgeschützt");
    EXPECT_EQ(notice(w.get()), teamNotStored);
    EXPECT_EQ(desk.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")), Damen);
    // The editor works on the team the main console plays.
    Operator::menu(w.get(), QStringLiteral("mnu_Set_Start"));
    EXPECT_TRUE(Operator::shown(w->editor(), QStringLiteral("Command1_61")));
    // A fade time chosen now is in effect but not stored either; both are told.
    Operator::menu(w.get(), QStringLiteral("mnuAusblend"));
    Operator::click(w.get(), QStringLiteral("Label9_0"));
    EXPECT_EQ(w->settings().iFadeStep, 12);
    EXPECT_EQ(notice(w.get()), teamNotStored + QStringLiteral("   ") +
                                   told(QStringLiteral("Die Einstellung wurde nicht gespeichert"),
                                        desk.iniFile(), "die Datei ist schreibgeschützt"));
    // Once the file can be written, the next choice lands and the line is clear.
    readOnly(desk.iniFile(), false);
    Operator::click(w.get(), QStringLiteral("Label9_0"));
    Operator::menu(w.get(), QStringLiteral("mnu_Männer"));
    EXPECT_EQ(notice(w.get()), QString());
    EXPECT_EQ(desk.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")), Maenner);
}

TEST_F(WriteFailure, TheEditorNeverCallsAnUnsavedOffsetSaved) {
    const auto w = desk.startMain();
    Operator::menu(w.get(), QStringLiteral("mnu_Set_Start"));
    Form2* editor = w->editor();
    const QString offsets = desk.startOffsetFile(Damen);
    ASSERT_TRUE(Ini_Write(offsets, desk.titlePath(Damen, QStringLiteral("7 Meter"), "02Pfiff.mp3"), "Zeit_01",
                          "5000"));
    readOnly(offsets, true);
    Operator::press(editor, 1);
    ASSERT_TRUE(desk.ticks.created.back()->tick()); // one second on the stopwatch: 6000 to store
    Operator::click(editor, QStringLiteral("cmd_Speichern"));
    EXPECT_EQ(editor->windowTitle(),
              QStringLiteral("Nicht gespeichert:  Pfiff – die Datei ist schreibgeschützt"));
    EXPECT_EQ(notice(editor), told(QStringLiteral("Die Startzeit von Pfiff wurde nicht gespeichert"), offsets,
                                   "die Datei ist schreibgeschützt"));
    Operator::click(editor, QStringLiteral("cmd_Reset"));
    EXPECT_EQ(editor->windowTitle(),
              QStringLiteral("Pfiff  wurde nicht zurückgesetzt – die Datei ist schreibgeschützt"));
    readOnly(offsets, false);
    Operator::press(editor, 1);
    Operator::click(editor, QStringLiteral("cmd_Speichern"));
    EXPECT_TRUE(editor->windowTitle().startsWith(QStringLiteral("Gespeichert:  Pfiff")));
    EXPECT_EQ(notice(editor), QString());
}

} // namespace
