#include "settings/IniAccess.h"
#include "settings/ProgramPaths.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace SettingsKeys;

class IniAccessTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString iniFile = ProgramPaths::settingsFile(dir.path());

    void writeRaw(const QByteArray& bytes) {
        QFile f(iniFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray readRaw() {
        QFile f(iniFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

TEST_F(IniAccessTest, SettingsFileLiesInTheProgramDirectory) {
    EXPECT_EQ(iniFile, dir.path() + QStringLiteral("/Klangwart.ini"));
    EXPECT_EQ(ProgramPaths::settingsFile(dir.path() + QLatin1Char('/')), iniFile);
    EXPECT_EQ(ProgramPaths::settingsFile(QStringLiteral("/")), QStringLiteral("/Klangwart.ini"));
    EXPECT_EQ(ProgramPaths::join(QStringLiteral("/"), QStringLiteral("Damen")), QStringLiteral("/Damen"));
}

TEST_F(IniAccessTest, RootLikeProgramDirectoryWithTrailingSeparatorReadsAndWritesOneFile) {
    const QString withSlash = ProgramPaths::settingsFile(dir.path() + QLatin1Char('/'));
    EXPECT_NE(Ini_Write(withSlash, SectionMannschaft, KeyMannschaft, "Damen"), 0);
    EXPECT_EQ(Ini_Read(iniFile, SectionMannschaft, KeyMannschaft), QStringLiteral("Damen"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Klangwart.ini")});
}

TEST_F(IniAccessTest, AnythingMissingReadsEmpty) {
    EXPECT_EQ(Ini_Read(iniFile, SectionMannschaft, KeyVerein), QString());
    writeRaw("[Mannschaft]\r\nVerein=\r\nMannschaft=Damen\r\n");
    EXPECT_EQ(Ini_Read(iniFile, SectionMannschaft, KeyVerein), QString());
    EXPECT_EQ(Ini_Read(iniFile, SectionMannschaft, "Fehlt"), QString());
    EXPECT_EQ(Ini_Read(iniFile, "Fehlt", KeyMannschaft), QString());
    EXPECT_EQ(Ini_Read(iniFile, SectionMannschaft, KeyMannschaft), QStringLiteral("Damen"));
}

TEST_F(IniAccessTest, LongValuesAreCutTo254Characters) {
    const QString v300(300, QLatin1Char('x'));
    const QString v254(254, QLatin1Char('y'));
    const QString v253(253, QLatin1Char('z'));
    EXPECT_NE(Ini_Write(iniFile, "S", "a", v300), 0);
    EXPECT_NE(Ini_Write(iniFile, "S", "b", v254), 0);
    EXPECT_NE(Ini_Write(iniFile, "S", "c", v253), 0);
    EXPECT_EQ(Ini_Read(iniFile, "S", "a"), v300.left(254));
    EXPECT_EQ(Ini_Read(iniFile, "S", "b"), v254);
    EXPECT_EQ(Ini_Read(iniFile, "S", "c"), v253);
    EXPECT_TRUE(readRaw().contains(v300.toLatin1())); // the file keeps the whole value
}

TEST_F(IniAccessTest, CutNeverSplitsACharacter) {
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    const QString value = QString(253, QLatin1Char('a')) + emoji + QStringLiteral("bc");
    EXPECT_EQ(Ini_CutToBuffer(value), QString(253, QLatin1Char('a')));
    EXPECT_EQ(Ini_CutToBuffer(QString(252, QLatin1Char('a')) + emoji),
              QString(252, QLatin1Char('a')) + emoji);
}

TEST_F(IniAccessTest, WriteReturnsNonZeroWhenWrittenAndZeroWhenNot) {
    EXPECT_EQ(Ini_Write(iniFile, SectionMannschaft, KeyMannschaft, "Jugend"), 1);
    EXPECT_EQ(Ini_Write(dir.filePath("fehlt/Klangwart.ini"), SectionMannschaft, KeyMannschaft, "Jugend"), 0);
    ASSERT_TRUE(QFile::setPermissions(iniFile, QFileDevice::ReadOwner));
    EXPECT_EQ(Ini_Write(iniFile, SectionMannschaft, KeyMannschaft, QStringLiteral("Männer")), 0);
    EXPECT_EQ(Ini_Read(iniFile, SectionMannschaft, KeyMannschaft), QStringLiteral("Jugend"));
}

TEST_F(IniAccessTest, TeamWrittenIntoAFileWithoutItsSectionAddsTheSectionAtTheEnd) {
    writeRaw("[Damen_AUSBLEND]\r\nZEIT=2\r\nVol=20\r\n");
    EXPECT_NE(Ini_Write(iniFile, SectionMannschaft, KeyMannschaft, "Jugend"), 0);
    EXPECT_EQ(readRaw(),
              QByteArray("[Damen_AUSBLEND]\r\nZEIT=2\r\nVol=20\r\n[Mannschaft]\r\nMannschaft=Jugend\r\n"));
}

TEST_F(IniAccessTest, TeamSectionsWithUmlautsAreWindows1252AndFoundAgain) {
    const QString team = QStringLiteral("Männer");
    EXPECT_EQ(teamSection(team, SuffixButtonColor), QStringLiteral("Männer_BUTTON_COLOR"));
    EXPECT_NE(Ini_Write(iniFile, teamSection(team, SuffixButtonColor), KeyFarbe, "12632256"), 0);
    EXPECT_NE(Ini_Write(iniFile, teamSection(team, SuffixFontStyle), KeyArt, "Comic Sans MS"), 0);
    EXPECT_NE(Ini_Write(iniFile, SectionMannschaft, KeyMannschaft, team), 0);
    const QByteArray raw = readRaw();
    EXPECT_TRUE(raw.contains("[M\xE4nner_BUTTON_COLOR]\r\nFARBE=12632256\r\n"));
    EXPECT_TRUE(raw.contains("[M\xE4nner_Font_Style]\r\nArt=Comic Sans MS\r\n"));
    EXPECT_TRUE(raw.contains("Mannschaft=M\xE4nner\r\n"));
    EXPECT_FALSE(raw.contains("\xC3\xA4"));
    const QString readTeam = Ini_Read(iniFile, SectionMannschaft, KeyMannschaft);
    EXPECT_EQ(readTeam, team);
    EXPECT_EQ(Ini_Read(iniFile, teamSection(readTeam, SuffixButtonColor), KeyFarbe),
              QStringLiteral("12632256"));
}

TEST_F(IniAccessTest, HandEditedUpperCaseSectionServesTheTeam) {
    writeRaw("[Mannschaft]\r\nMannschaft=Damen\r\n[DAMEN_AUSBLEND]\r\nZEIT=3\r\nVol=25\r\n");
    const QString team = Ini_Read(iniFile, SectionMannschaft, KeyMannschaft);
    EXPECT_EQ(Ini_Read(iniFile, teamSection(team, SuffixAusblend), KeyZeit), QStringLiteral("3"));
    EXPECT_EQ(Ini_Read(iniFile, teamSection(team, SuffixAusblend), KeyVol), QStringLiteral("25"));
}

TEST_F(IniAccessTest, EveryReadGoesToTheFile) {
    writeRaw("[Mannschaft]\r\nVerein=Alt\r\n");
    EXPECT_EQ(Ini_Read(iniFile, SectionMannschaft, KeyVerein), QStringLiteral("Alt"));
    writeRaw("[Mannschaft]\r\nVerein=Neu\r\n");
    EXPECT_EQ(Ini_Read(iniFile, SectionMannschaft, KeyVerein), QStringLiteral("Neu"));
    EXPECT_NE(Ini_Write(iniFile, SectionMannschaft, KeyVerein, "Dritt"), 0);
    EXPECT_EQ(readRaw(), QByteArray("[Mannschaft]\r\nVerein=Dritt\r\n"));
    QFile::remove(iniFile);
    EXPECT_EQ(Ini_Read(iniFile, SectionMannschaft, KeyVerein), QString());
}

TEST_F(IniAccessTest, KeyNamesAreTheDeliveredOnes) {
    EXPECT_STREQ(SettingsFileName, "Klangwart.ini");
    EXPECT_EQ(teamSection("Damen", SuffixHintergrundBild), QStringLiteral("Damen_Hintergrund_Bild"));
    EXPECT_EQ(teamSection("Jugend", SuffixFontStyle), QStringLiteral("Jugend_Font_Style"));
    EXPECT_STREQ(KeyMetaFile, "MetaFile");
    EXPECT_STREQ(KeyBold, "Bold");
    EXPECT_STREQ(KeySize, "Size");
    EXPECT_STREQ(KeyStartOffset, "Zeit_01");
}

} // namespace
