#include "platform/AtomicFile.h"
#include "platform/Profile.h"
#include "platform/ProfileDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A write either lands whole or leaves the old file exactly as it was.
namespace {

class AtomicFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("Damen.ini"));
    const QByteArray original = "[/m/Damen/Tormusik/01Tor.mp3]\r\nZeit_01=12500\r\n";

    void SetUp() override {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(original), original.size());
    }
    static QByteArray readRaw(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    static unsigned modeOf(const QString& path) {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st.st_mode & 07777;
    }
    static ino_t inodeOf(const QString& path) {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st.st_ino;
    }
};

TEST_F(AtomicFileTest, WriteReplacesTheFileInsteadOfChangingItInPlace) {
    QFile oldHandle(file);
    ASSERT_TRUE(oldHandle.open(QIODevice::ReadOnly));
    const ino_t before = inodeOf(file);
    EXPECT_TRUE(Profile::writeString(file, "/m/Damen/Tormusik/01Tor.mp3", "Zeit_01", "0"));
    EXPECT_NE(inodeOf(file), before);
    // A reader that opened the file before the write still sees the complete old content.
    EXPECT_EQ(oldHandle.readAll(), original);
    EXPECT_EQ(readRaw(file), QByteArray("[/m/Damen/Tormusik/01Tor.mp3]\r\nZeit_01=0\r\n"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Damen.ini")});
}

TEST_F(AtomicFileTest, ReadOnlyFileIsNotReplacedEvenForTheSuperuser) {
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_FALSE(Profile::writeString(file, "/m/Damen/Tormusik/01Tor.mp3", "Zeit_01", "0"));
    EXPECT_FALSE(Profile::writeString(file, "Neu", "k", "v"));
    EXPECT_EQ(readRaw(file), original);
    EXPECT_EQ(modeOf(file), 0440u);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Damen.ini")});
    // The value it already holds needs no write, as with the Windows call.
    EXPECT_TRUE(Profile::writeString(file, "/m/Damen/Tormusik/01Tor.mp3", "Zeit_01", "12500"));
}

TEST_F(AtomicFileTest, ReadOnlyFolderFailsAndKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders; the other failure tests cover the path";
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool written = Profile::writeString(file, "Neu", "k", "v");
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(written);
    EXPECT_EQ(readRaw(file), original);
}

TEST_F(AtomicFileTest, FolderAsTargetFails) {
    const QString target = dir.filePath(QStringLiteral("Herren.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Herren.ini")));
    EXPECT_FALSE(AtomicFile::replace(target, "x"));
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_EQ(entries().size(), 2);
}

TEST_F(AtomicFileTest, MissingParentFolderFailsAndCreatesNothing) {
    const QString target = dir.filePath(QStringLiteral("fehlt/Damen.ini"));
    EXPECT_FALSE(Profile::writeString(target, "A", "a", "1"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("fehlt"))));
    EXPECT_EQ(Profile::readString(target, "A", "a"), QString());
}

TEST_F(AtomicFileTest, FileInPlaceOfTheParentFolderFails) {
    EXPECT_FALSE(Profile::writeString(file + QStringLiteral("/x.ini"), "A", "a", "1"));
    EXPECT_EQ(readRaw(file), original);
}

// The file size limit makes the kernel refuse the write half way, as a full disk would.
TEST_F(AtomicFileTest, DiskFullHalfWayLeavesTheOldFileWhole) {
    ProfileDocument doc = ProfileDocument::load(file);
    for (int i = 0; i < 4000; ++i)
        doc.setValue(QStringLiteral("/m/Damen/Tormusik/%1.mp3").arg(i), "Zeit_01", "0");
    ASSERT_GT(doc.toBytes().size(), 128 * 1024);

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = doc.save();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(readRaw(file), original);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Damen.ini")});
    EXPECT_TRUE(doc.save()); // the same document lands once there is room
    EXPECT_EQ(readRaw(file), doc.toBytes());
}

TEST_F(AtomicFileTest, PermissionsOfTheOldFileAreKept) {
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    EXPECT_TRUE(Profile::writeString(file, "A", "a", "1"));
    EXPECT_EQ(modeOf(file), 0640u);
}

TEST_F(AtomicFileTest, NewFileGetsOrdinaryPermissions) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const QString fresh = dir.filePath(QStringLiteral("Jugend.ini"));
    EXPECT_TRUE(Profile::writeString(fresh, "A", "a", "1"));
    EXPECT_EQ(modeOf(fresh), 0666u & ~static_cast<unsigned>(mask));
}

TEST_F(AtomicFileTest, SymbolicLinkStaysAndItsTargetIsReplaced) {
    const QString link = dir.filePath(QStringLiteral("Verweis.ini"));
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_TRUE(Profile::writeString(link, "/m/Damen/Tormusik/01Tor.mp3", "Zeit_01", "7"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readRaw(file), QByteArray("[/m/Damen/Tormusik/01Tor.mp3]\r\nZeit_01=7\r\n"));
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
        int status = 0;
        ::waitpid(child, &status, 0);
        const QByteArray now = readRaw(file);
        ASSERT_TRUE(now == first || now == second) << "round " << round << ": torn file of " << now.size();
    }
}

} // namespace
