// Settings and start offsets that cannot be written (read-only files, a full disk): the desk plays on with
// what it has, says once and without a box which file failed and why, and never calls unsaved work saved.
#include "app/Form1.h"
#include "editor/Form2.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"
#include "support/Operator.h"

#include <QFile>
#include <QLabel>
#include <csignal>
#include <sys/resource.h>

namespace {

class WriteFailure : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* team : {"Damen", "Männer"})
            desk.makeTeam(QString::fromUtf8(team), {{"7 Meter", {"01Anwurf.mp3", "02Pfiff.mp3"}}});
        desk.addFile(QStringLiteral("Männer"), QStringLiteral("Tormusik"), QStringLiteral("01Tor.mp3"));
    }
    static void readOnly(const QString& file, bool on) {
        ASSERT_TRUE(QFile::setPermissions(file, on ? QFileDevice::ReadOwner
                                                   : QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    static QString notice(const QWidget* window) {
        return Operator::find<QLabel>(window, QStringLiteral("Hinweis"))->text();
    }
    static QString told(const char* what, const QString& file,
                        const char* why = "die Datei ist schreibgeschützt") {
        return QString::fromUtf8(what) + " (" + file + ": " + QString::fromUtf8(why) + ").";
    }
    QString pfiff() const { return desk.titlePath("Damen", "7 Meter", "02Pfiff.mp3"); }

    DeskFixture desk;
};

TEST_F(WriteFailure, UnseededTitlesPlayFromTheStartAndTheBoardSaysOnceWhy) {
    const QString offsets = desk.startOffsetFile(QStringLiteral("Damen"));
    for (const bool fullDisk : {false, true}) {
        // An entry that is stored but is no number stays what it is.
        QFile::remove(offsets);
        ASSERT_TRUE(Ini_Write(offsets, pfiff(), "Zeit_01", "abc"));
        readOnly(offsets, !fullDisk);
        struct rlimit saved {};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit full = {fullDisk ? 16 : saved.rlim_cur,
                                    saved.rlim_max}; // the kernel refuses more
        ::setrlimit(RLIMIT_FSIZE, &full);
        const auto w = desk.startMain();
        Operator::click(w.get(), QStringLiteral("Command5")); // a second board load, told once all the same
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        EXPECT_EQ(notice(w.get()),
                  told("Die Startzeiten neuer Titel wurden nicht gespeichert, sie starten am Anfang", offsets,
                       fullDisk ? "der Datenträger ist voll" : "die Datei ist schreibgeschützt"));
        desk.media.commands.clear();
        Operator::press(w.get(), 0);
        Operator::press(w.get(), 1);
        EXPECT_EQ(desk.media.commands.filter("play"),
                  (QStringList{"play MyAlias from 0", "play MyAlias from abc"}));
        // Writable again: the next board load seeds, and the notice goes.
        readOnly(offsets, false);
        Operator::click(w.get(), QStringLiteral("Command5"));
        EXPECT_EQ(notice(w.get()), QString());
        EXPECT_EQ(Ini_Read(offsets, desk.titlePath("Damen", "7 Meter", "01Anwurf.mp3"), "Zeit_01"), "0");
    }
}

TEST_F(WriteFailure, ATeamThatIsNotStoredIsPlayedInBothConsolesAndToldSoIsAFailedSetting) {
    readOnly(desk.iniFile(), true);
    const auto w = desk.startMain();
    Operator::menu(w.get(), QStringLiteral("mnu_Männer"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Klangwart  Männer  TV Beispiel"));
    EXPECT_EQ(desk.readIni("Mannschaft", "Mannschaft"), QStringLiteral("Damen"));
    Operator::menu(w.get(), QStringLiteral("mnu_Set_Start"));
    EXPECT_TRUE(Operator::shown(w->editor(), QStringLiteral("Command1_61")))
        << "the editor has Männer's board";
    // A fade time chosen now is in effect but not stored either; both are told.
    Operator::menu(w.get(), QStringLiteral("mnuAusblend"));
    Operator::click(w.get(), QStringLiteral("Label9_0"));
    EXPECT_EQ(w->settings().iFadeStep, 12);
    EXPECT_EQ(notice(w.get()), told("Die Mannschaft Männer wurde nicht gespeichert", desk.iniFile()) + "   " +
                                   told("Die Einstellung wurde nicht gespeichert", desk.iniFile()));
    readOnly(desk.iniFile(), false);
    Operator::click(w.get(), QStringLiteral("Label9_0"));
    Operator::menu(w.get(), QStringLiteral("mnu_Männer"));
    EXPECT_EQ(notice(w.get()), QString());
    EXPECT_EQ(desk.readIni("Mannschaft", "Mannschaft"), QStringLiteral("Männer"));
}

TEST_F(WriteFailure, TheEditorNeverCallsAnUnsavedOffsetSaved) {
    const auto w = desk.startMain();
    Operator::menu(w.get(), QStringLiteral("mnu_Set_Start"));
    Form2* editor = w->editor();
    const QString offsets = desk.startOffsetFile(QStringLiteral("Damen"));
    ASSERT_TRUE(Ini_Write(offsets, pfiff(), "Zeit_01", "5000"));
    readOnly(offsets, true);
    Operator::press(editor, 1);
    ASSERT_TRUE(desk.ticks.created.back()->tick()); // a second on the stopwatch: 6000 to store
    Operator::click(editor, QStringLiteral("cmd_Speichern"));
    EXPECT_EQ(editor->windowTitle(),
              QStringLiteral("Nicht gespeichert:  Pfiff – die Datei ist schreibgeschützt"));
    EXPECT_EQ(notice(editor), told("Die Startzeit von Pfiff wurde nicht gespeichert", offsets));
    Operator::click(editor, QStringLiteral("cmd_Reset"));
    EXPECT_EQ(editor->windowTitle(),
              QStringLiteral("Pfiff  wurde nicht zurückgesetzt – die Datei ist schreibgeschützt"));
    EXPECT_EQ(Ini_Read(offsets, pfiff(), "Zeit_01"), QStringLiteral("5000"));
}

} // namespace
