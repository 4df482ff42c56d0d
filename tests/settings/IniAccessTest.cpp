#include "settings/IniAccess.h"
#include "library/ProgramPaths.h"
#include "support/ProfileFileTest.h"

#include <QDir>

namespace {

using IniAccessTest = ProfileFileTest;

// The program directory may be a drive root: "/" must not become "//".
TEST_F(IniAccessTest, RootLikeProgramDirectoryGivesOneSeparator) {
    EXPECT_EQ(ProgramPaths::settingsFile(QStringLiteral("/")), QStringLiteral("/Klangwart.ini"));
    EXPECT_EQ(ProgramPaths::join(QStringLiteral("/"), QStringLiteral("Damen")), QStringLiteral("/Damen"));
    const QString iniFile = ProgramPaths::settingsFile(dir.path());
    EXPECT_EQ(iniFile, dir.path() + QStringLiteral("/Klangwart.ini"));
    EXPECT_EQ(Ini_Write(ProgramPaths::settingsFile(dir.path() + QLatin1Char('/')), "Mannschaft", "Mannschaft",
                        "Damen"),
              1);
    EXPECT_EQ(Ini_Read(iniFile, "Mannschaft", "Mannschaft"), QStringLiteral("Damen"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Klangwart.ini")});
}

TEST_F(IniAccessTest, LongValuesAreCutTo254CharactersWithoutSplittingOne) {
    EXPECT_EQ(Ini_Write(dir.filePath("fehlt/Klangwart.ini"), "S", "a", "1"), 0);
    const QString v300(300, QLatin1Char('x'));
    const QString v254(254, QLatin1Char('y'));
    EXPECT_EQ(Ini_Write(file, "S", "a", v300), 1);
    EXPECT_EQ(Ini_Write(file, "S", "b", v254), 1);
    EXPECT_EQ(Ini_Read(file, "S", "a"), v300.left(254));
    EXPECT_EQ(Ini_Read(file, "S", "b"), v254);
    EXPECT_TRUE(raw().contains(v300.toLatin1())); // the file keeps the whole value
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(Ini_CutToBuffer(QString(253, QLatin1Char('a')) + emoji), QString(253, QLatin1Char('a')));
    EXPECT_EQ(Ini_CutToBuffer(QString(252, QLatin1Char('a')) + emoji),
              QString(252, QLatin1Char('a')) + emoji);
}

} // namespace
