// Which folder the desk works on: a folder given, a copy of the desk anywhere, the installed desk.
#include "app/ProgramDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProgramDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = QFileInfo(tmp.path()).canonicalFilePath();
        for (const char* folder : {"copy", "bin", "home", "stick", "elsewhere"})
            QDir(root).mkpath(QString::fromLatin1(folder));
        for (const char* file : {"copy/klangwart", "bin/klangwart", "afile"}) {
            QFile f(at(file));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        // A link in the menu folder to a copy, and /bin as a link to /usr/bin on a merged /usr.
        ASSERT_TRUE(QFile::link(at("copy/klangwart"), at("elsewhere/klangwart")));
        ASSERT_TRUE(QFile::link(at("bin"), at("usrbin")));
    }
    QString at(const char* relative) const { return root + QLatin1Char('/') + QString::fromLatin1(relative); }

    QTemporaryDir tmp;
    QString root;
};

} // namespace

TEST_F(ProgramDirectoryTest, GivenFolderMustBeAFolder) {
    EXPECT_EQ(ProgramDirectory::given(at("elsewhere/../copy")).path(), at("copy"));
    for (const char* wrong : {"afile", "missing"}) {
        const ProgramDirectory d = ProgramDirectory::given(at(wrong));
        EXPECT_FALSE(d.ok()) << wrong;
        EXPECT_EQ(d.error(), QStringLiteral("'%1' ist kein Ordner").arg(at(wrong)));
    }
}

TEST_F(ProgramDirectoryTest, CopyUsesItsOwnFolderAndTheInstalledDeskTheHomeFolder) {
    struct Case {
        const char* executable;
        const char* installedBinDir;
        QString expected;
        bool home;
    };
    const Case cases[] = {
        {"copy/klangwart", "bin", at("copy"), false},
        {"elsewhere/klangwart", "bin", at("copy"), false}, // the link's target folder, as described
        {"bin/klangwart", "bin", at("home/Klangwart"), true},
        {"bin/klangwart", "usrbin", at("home/Klangwart"), true},
        {"bin/klangwart", "missing", at("bin"), false},
    };
    for (const Case& c : cases) {
        const ProgramDirectory d =
            ProgramDirectory::ofProgram(at(c.executable), at(c.installedBinDir), at("home"));
        EXPECT_EQ(d.path(), c.expected) << c.executable << " " << c.installedBinDir;
        EXPECT_EQ(d.isHomeFolder(), c.home) << c.executable << " " << c.installedBinDir;
    }
}

TEST_F(ProgramDirectoryTest, HomeFolderMayBeALinkButMustExist) {
    ASSERT_TRUE(QFile::link(at("stick"), at("home/Klangwart")));
    EXPECT_EQ(ProgramDirectory::ofProgram(at("bin/klangwart"), at("bin"), at("home")).path(), at("stick"));
    EXPECT_FALSE(ProgramDirectory::ofProgram(at("bin/klangwart"), at("bin"), at("nohome")).ok());
}
