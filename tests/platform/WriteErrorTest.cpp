// Why a write of a profile file failed, as the desk tells it: each way it can fail gives its own reason, and
// the old file stays whole.
#include "platform/AtomicFile.h"
#include "support/ProfileFileTest.h"

#include <QDir>
#include <csignal>
#include <sys/resource.h>

namespace {

class WriteErrorTest : public ProfileFileTest {};

TEST_F(WriteErrorTest, EachImpossibleWriteSaysWhy) {
    put("[A]\r\na=0\r\n");
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Herren.ini")));
    const struct {
        const char* name;
        WriteError error;
    } cases[] = {{"Damen.ini", WriteError::ReadOnlyFile},
                 {"Herren.ini", WriteError::IsFolder},
                 {"fehlt/Jugend.ini", WriteError::FolderMissing},
                 {"Neu.ini", WriteError::None}};
    for (const auto& c : cases)
        EXPECT_EQ(Profile::writeStringChecked(dir.filePath(c.name), "A", "a", "1"), c.error) << c.name;
    EXPECT_EQ(raw(), QByteArray("[A]\r\na=0\r\n"));
    EXPECT_EQ(Profile::writeStringChecked(file, "A", "a", "0"), WriteError::None) << "nothing to change";

    // A full disk: the kernel refuses the write half way.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit small = {4, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteError full = Profile::writeStringChecked(dir.filePath("Voll.ini"), "A", "a", "1");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    EXPECT_EQ(full, WriteError::DiskFull);
    EXPECT_FALSE(QFile::exists(dir.filePath("Voll.ini")));
}

} // namespace
