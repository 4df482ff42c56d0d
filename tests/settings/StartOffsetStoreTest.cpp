#include "settings/StartOffsetStore.h"
#include "settings/IniAccess.h"
#include "support/ProfileFileTest.h"

#include <sys/inotify.h>
#include <unistd.h>

namespace {

class StartOffsetStoreTest : public ProfileFileTest {
  protected:
    StartOffsetStore store{dir.path(), QStringLiteral("Damen")};
};

// The atomic writes of name that landed since the last call: each one links or renames it into the folder.
int landedWrites(int inotifyFd, const char* name) {
    alignas(inotify_event) char buffer[64 * 1024];
    int count = 0;
    for (ssize_t n; (n = ::read(inotifyFd, buffer, sizeof buffer)) > 0;) {
        for (const char* p = buffer; p < buffer + n;
             p += sizeof(inotify_event) + reinterpret_cast<const inotify_event*>(p)->len)
            count += qstrcmp(reinterpret_cast<const inotify_event*>(p)->name, name) == 0 ? 1 : 0;
    }
    return count;
}

TEST_F(StartOffsetStoreTest, TitlePathIsTheSectionInWindows1252UnderZeit01) {
    EXPECT_EQ(store.filePath(), file);
    EXPECT_EQ(StartOffsetStore(QStringLiteral("/"), QStringLiteral("Männer")).filePath(),
              QStringLiteral("/Männer.ini"));
    EXPECT_TRUE(store.write(QStringLiteral("/m/Männer/Tormusik/05Tor für uns.mp3"), "-250"));
    EXPECT_EQ(store.read(QStringLiteral("/M/MÄNNER/Tormusik/05Tor FÜR uns.mp3")), QStringLiteral("-250"));
    EXPECT_EQ(raw(), QByteArray("[/m/M\xE4nner/Tormusik/05Tor f\xFCr uns.mp3]\r\nZeit_01=-250\r\n"));
}

// Seeding in one write must leave the file exactly as one Ini_Write per title that reads "" would.
TEST_F(StartOffsetStoreTest, SeedNeverOverwritesAndEqualsOneIniWritePerMissingTitle) {
    const QByteArray messy =
        "; von Hand\n[/7 Meter/01Pfiff.mp3]\nzeit_01 = 3000\n\n[/Einlaufen/01Intro.mp3]\n"
        "; leer\n[/TORWART/01PARADE.MP3]\nZeit_01=\n[/Torwart/01Parade.mp3]\nZeit_01=7";
    const QStringList titles = {
        "/7 Meter/01Pfiff.mp3",   "/7 Meter/02Pfiff.mp3", "/Torwart/01Parade.mp3",       "/Einlaufen/",
        "/Einlaufen/01Intro.mp3", "/7 Meter/02PFIFF.mp3", "/Tormusik/09Zwei\nZeilen.mp3"};
    const QString reference = dir.filePath(QStringLiteral("reference.ini"));
    put(messy);
    ASSERT_TRUE(QFile::copy(file, reference));
    for (const QString& t : titles) {
        if (Ini_Read(reference, t, "Zeit_01").isEmpty())
            Ini_Write(reference, t, "Zeit_01", "0");
    }
    EXPECT_EQ(store.seedMissing(titles), 5);
    EXPECT_EQ(raw(), raw(reference));
    EXPECT_EQ(store.read(titles.at(0)), QStringLiteral("3000"));
    EXPECT_EQ(store.seedMissing(titles), 0);
}

TEST_F(StartOffsetStoreTest, SeedWritesOnceOrNotAtAll) {
    QStringList titles;
    for (int i = 1; i <= 108; ++i)
        titles << QStringLiteral("/m/Damen/Tormusik/%1Titel %1.mp3").arg(i, 2, 10, QLatin1Char('0'));
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(inotify_add_watch(fd, QFile::encodeName(dir.path()).constData(), IN_CREATE | IN_MOVED_TO), 0);
    EXPECT_EQ(store.seedMissing(titles), 108);
    EXPECT_EQ(landedWrites(fd, "Damen.ini"), 1);
    EXPECT_EQ(store.seedMissing(titles), 0);
    EXPECT_EQ(landedWrites(fd, "Damen.ini"), 0);
    ::close(fd);
    EXPECT_EQ(raw().count("Zeit_01=0\r\n"), 108);
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner)); // a failed seed is silent
    EXPECT_EQ(store.seedMissing(titles << QStringLiteral("/m/Damen/Auszeit/01Pause.mp3")), 0);
    EXPECT_EQ(store.read(titles.last()), QString());
}

// Names outside Windows-1252 travel as references, so no two titles share an entry and none forges one.
TEST_F(StartOffsetStoreTest, TitlesOutsideTheCodePageKeepTheirOwnEntries) {
    const QStringList titles =
        QString::fromUtf8("/T/Tor Ω|/T/Tor Ж|/T/Tor ?|/T/Tor 😀|/T/Tor &#937;|/T/A|/T/A]\nZeit_01=9\n[x")
            .split(u'|');
    EXPECT_EQ(store.seedMissing(titles), titles.size());
    for (int i = 0; i < titles.size(); ++i)
        EXPECT_TRUE(store.write(titles.at(i), QString::number(100 + i)));
    for (int i = 0; i < titles.size(); ++i)
        EXPECT_EQ(store.read(titles.at(i)), QString::number(100 + i)) << i;
    EXPECT_EQ(raw().count('\n'), 2 * titles.size());
}

} // namespace
