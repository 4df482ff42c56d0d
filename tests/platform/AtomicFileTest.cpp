#include "platform/AtomicFile.h"
#include "support/ProfileFileTest.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A write either lands whole or leaves the old file exactly as it was.
namespace {

struct stat statOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

class AtomicFileTest : public ProfileFileTest {
  protected:
    const QByteArray original = "[/m/Damen/Tormusik/01Tor.mp3]\r\nZeit_01=12500\r\n";
    void SetUp() override { put(original); }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(AtomicFileTest, WriteReplacesTheFileKeepingItsPermissionsAndLinks) {
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    const QString link = dir.filePath(QStringLiteral("Verweis.ini"));
    ASSERT_TRUE(QFile::link(file, link));
    QFile oldHandle(file);
    ASSERT_TRUE(oldHandle.open(QIODevice::ReadOnly));
    const ino_t before = statOf(file).st_ino;
    EXPECT_TRUE(Profile::writeString(link, "/m/Damen/Tormusik/01Tor.mp3", "Zeit_01", "0"));
    EXPECT_NE(statOf(file).st_ino, before);
    EXPECT_EQ(oldHandle.readAll(), original); // an earlier reader still sees the whole old content
    EXPECT_EQ(raw(), QByteArray("[/m/Damen/Tormusik/01Tor.mp3]\r\nZeit_01=0\r\n"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(statOf(file).st_mode & 07777, 0640u);
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("Damen.ini"), QStringLiteral("Verweis.ini")}));
}

// A read-only file stays as Windows keeps a file with its read-only attribute, even for the superuser.
TEST_F(AtomicFileTest, ImpossibleTargetsFailAndChangeNothing) {
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Herren.ini")));
    for (const char* name : {"Damen.ini", "Herren.ini", "fehlt/Jugend.ini", "Damen.ini/x.ini"}) {
        EXPECT_FALSE(Profile::writeString(dir.filePath(name), "A", "a", "1")) << name;
        EXPECT_EQ(Profile::readString(dir.filePath(name), "A", "a"), QString()) << name;
    }
    EXPECT_EQ(raw(), original);
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("Damen.ini"), QStringLiteral("Herren.ini")}));
}

// The file size limit makes the kernel refuse the write half way, as a full disk would.
TEST_F(AtomicFileTest, DiskFullHalfWayLeavesTheOldFileWhole) {
    const QByteArray big(256 * 1024, 'x');
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit small = {64 * 1024, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = AtomicFile::replace(file, big);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(raw(), original);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Damen.ini")});
    EXPECT_TRUE(AtomicFile::replace(file, big)); // lands once there is room
    EXPECT_EQ(raw(), big);
}

// Killed at random moments while it writes, the writer leaves the old content or the new, never a mix.
TEST_F(AtomicFileTest, KilledWriterLeavesOldOrNewContent) {
    const QByteArray first = QByteArray(512 * 1024, 'a') + "\r\n";
    const QByteArray second = QByteArray(512 * 1024, 'b') + "\r\n";
    ASSERT_TRUE(AtomicFile::replace(file, first));
    for (int round = 0; round < 8; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::alarm(10); // never outlives a broken parent
            for (int i = 0;; ++i)
                AtomicFile::replace(file, (i % 2) ? first : second);
        }
        ::usleep(2000 + 3000 * round);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray now = raw();
        ASSERT_TRUE(now == first || now == second) << "round " << round << ": torn file of " << now.size();
    }
}

} // namespace
