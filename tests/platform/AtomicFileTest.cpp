#include "support/ProfileFileTest.h"

#include <QDir>
#include <QFileInfo>

// A write either lands whole or leaves the old file exactly as it was, and no temporary file behind. That a
// full disk half way through leaves the old file whole, and is told so, shows WriteFailureTest; a file put in
// place before its whole content is written, which a killed writer would leave torn, fails there as well.
namespace {

class AtomicFileTest : public ProfileFileTest {
  protected:
    const QByteArray original = "[/m/Damen/Tormusik/01Tor.mp3]\r\nZeit_01=12500\r\n";
    void SetUp() override { put(original); }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(AtomicFileTest, WriteReplacesTheFileKeepingItsPermissionsAndLinks) {
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(file, mode));
    const QString link = dir.filePath(QStringLiteral("Verweis.ini"));
    ASSERT_TRUE(QFile::link(file, link));
    QFile oldHandle(file);
    ASSERT_TRUE(oldHandle.open(QIODevice::ReadOnly));
    EXPECT_TRUE(Profile::writeString(link, "/m/Damen/Tormusik/01Tor.mp3", "Zeit_01", "0"));
    EXPECT_EQ(oldHandle.readAll(), original); // an earlier reader still sees the whole old content
    EXPECT_EQ(raw(), QByteArray("[/m/Damen/Tormusik/01Tor.mp3]\r\nZeit_01=0\r\n"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFile::permissions(file), mode | QFileDevice::ReadUser | QFileDevice::WriteUser);
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

} // namespace
