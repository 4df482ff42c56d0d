#include "settings/StartOffsetStore.h"
#include "settings/IniAccess.h"
#include "support/ProfileFileTest.h"

#include <sys/inotify.h>
#include <unistd.h>

// A failed seed (read-only file, full disk) is shown by WriteFailureTest.
namespace {

class StartOffsetStoreTest : public ProfileFileTest {
  protected:
    StartOffsetStore store{dir.path(), QStringLiteral("Damen")};
};

// The title path is the section, in Windows-1252, with the text under Zeit_01. A read gives at most 254
// characters, without splitting one, as the fixed buffer of the profile read did; the file keeps them all.
TEST_F(StartOffsetStoreTest, TitlePathIsTheSectionInWindows1252AndReadsAreCutTo254Characters) {
    const QString v300(300, QLatin1Char('x'));
    EXPECT_TRUE(store.write(QStringLiteral("/m/Männer/Tormusik/05Tor für uns.mp3"), v300));
    EXPECT_EQ(store.read(QStringLiteral("/M/MÄNNER/Tormusik/05Tor FÜR uns.mp3")), v300.left(254));
    EXPECT_EQ(raw(), "[/m/M\xE4nner/Tormusik/05Tor f\xFCr uns.mp3]\r\nZeit_01=" + v300.toLatin1() + "\r\n");
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(Ini_CutToBuffer(QString(253, QLatin1Char('a')) + emoji), QString(253, QLatin1Char('a')));
    EXPECT_EQ(Ini_CutToBuffer(QString(252, QLatin1Char('a')) + emoji),
              QString(252, QLatin1Char('a')) + emoji);
    // A drive root as the program directory must not give "//".
    EXPECT_EQ(StartOffsetStore(QStringLiteral("/"), QStringLiteral("Männer")).filePath(),
              QStringLiteral("/Männer.ini"));
}

// The atomic writes of Damen.ini that landed since the last call: each renames it into the folder, and each
// event names the file padded with zero bytes.
int landedWrites(int inotifyFd) {
    char events[64 * 1024];
    const ssize_t size = ::read(inotifyFd, events, sizeof events);
    return size > 0 ? static_cast<int>(QByteArray(events, size).count(QByteArray("Damen.ini\0", 10))) : 0;
}

// Seeding reads the file once and writes it once, or not at all, and must leave it exactly as one Ini_Write
// per title that reads "" would. Names outside Windows-1252 travel as references, so no two titles share an
// entry and none forges one.
TEST_F(StartOffsetStoreTest, SeedNeverOverwritesWritesOnceAndEqualsOneIniWritePerMissingTitle) {
    const QByteArray messy =
        "; von Hand\n[/7 Meter/01Pfiff.mp3]\nzeit_01 = 3000\n\n[/Einlaufen/01Intro.mp3]\n"
        "; leer\n[/TORWART/01PARADE.MP3]\nZeit_01=\n[/Torwart/01Parade.mp3]\nZeit_01=7";
    const QStringList titles =
        QString::fromUtf8("/7 Meter/01Pfiff.mp3|/7 Meter/02Pfiff.mp3|/Torwart/01Parade.mp3|"
                          "/Einlaufen/|/Einlaufen/01Intro.mp3|/7 Meter/02PFIFF.mp3|"
                          "/Tormusik/09Zwei\nZeilen.mp3|/T/Tor Ω|/T/Tor ?|/T/Tor &#937;|"
                          "/T/Tor 😀|/T/A]\nZeit_01=9\n[x|/T/A")
            .split(u'|');
    const QString reference = dir.filePath(QStringLiteral("reference.ini"));
    put(messy);
    ASSERT_TRUE(QFile::copy(file, reference));
    for (const QString& t : titles) {
        if (Ini_Read(reference, t, "Zeit_01").isEmpty())
            Ini_Write(reference, t, "Zeit_01", "0");
    }
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(inotify_add_watch(fd, QFile::encodeName(dir.path()).constData(), IN_CREATE | IN_MOVED_TO), 0);
    EXPECT_EQ(store.seedMissing(titles), 11);
    EXPECT_EQ(landedWrites(fd), 1);
    EXPECT_EQ(raw(), raw(reference));
    EXPECT_EQ(store.read(titles.at(0)), QStringLiteral("3000"));
    EXPECT_EQ(store.seedMissing(titles), 0);
    EXPECT_EQ(landedWrites(fd), 0);
    ::close(fd);
}

} // namespace
