#include "platform/Profile.h"
#include "platform/ProfileDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Hand-edited, damaged or foreign files are read as far as they make sense, and a write changes only its own
// line.
namespace {

class ProfileMalformedTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("odd.ini"));

    void writeRaw(const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray readRaw() {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString read(const QString& section, const QString& key) {
        return Profile::readString(file, section, key);
    }
    bool write(const QString& section, const QString& key, const QString& value) {
        return Profile::writeString(file, section, key, value);
    }
};

TEST_F(ProfileMalformedTest, BinaryBytesAreKeptAndDoNotDisturbOtherSections) {
    const QByteArray garbage("\x00\x01\xFF\xFE[\x00]=\x1A\x80", 10);
    const QByteArray before = QByteArray("[A]\r\nbin=") + garbage + "\r\n" + garbage + "\r\n[B]\r\nb=1\r\n";
    writeRaw(before);
    EXPECT_EQ(read("B", "b"), QStringLiteral("1"));
    EXPECT_TRUE(write("B", "b", "2"));
    QByteArray expected = before;
    expected.replace("b=1", "b=2");
    EXPECT_EQ(readRaw(), expected);
    EXPECT_TRUE(write("A", "new", "x"));
    EXPECT_EQ(read("A", "new"), QStringLiteral("x"));
    EXPECT_TRUE(
        readRaw().startsWith(QByteArray("[A]\r\nbin=") + garbage + "\r\n" + garbage + "\r\nnew=x\r\n"));
}

TEST_F(ProfileMalformedTest, TenMegabyteFileIsReadAndChangedInOnePlace) {
    QByteArray big;
    big.reserve(11 * 1024 * 1024);
    int sections = 0;
    while (big.size() < 10 * 1024 * 1024) {
        big += "[/m/Damen/Tormusik/" + QByteArray::number(sections) +
               "Titel.mp3]\r\nZeit_01=" + QByteArray::number(sections * 10) + "\r\n";
        ++sections;
    }
    writeRaw(big);
    const QString last = QStringLiteral("/m/Damen/Tormusik/%1Titel.mp3").arg(sections - 1);
    EXPECT_EQ(read(last, "Zeit_01"), QString::number((sections - 1) * 10));
    EXPECT_EQ(read("/m/damen/tormusik/0titel.mp3", "zeit_01"), QStringLiteral("0"));
    EXPECT_TRUE(write("/m/Damen/Tormusik/17Titel.mp3", "Zeit_01", "999"));
    QByteArray expected = big;
    expected.replace("[/m/Damen/Tormusik/17Titel.mp3]\r\nZeit_01=170\r\n",
                     "[/m/Damen/Tormusik/17Titel.mp3]\r\nZeit_01=999\r\n");
    EXPECT_EQ(readRaw(), expected);
}

TEST_F(ProfileMalformedTest, VeryLongLinesWithoutFinalNewline) {
    const QByteArray longLine(5 * 1024 * 1024, 'x');
    writeRaw("[A]\r\na=1\r\n" + longLine);
    EXPECT_EQ(read("A", "a"), QStringLiteral("1"));
    EXPECT_EQ(read("A", "b"), QString());
    EXPECT_TRUE(write("Z", "z", "26"));
    EXPECT_EQ(readRaw(), "[A]\r\na=1\r\n" + longLine + "\r\n[Z]\r\nz=26\r\n");
}

TEST_F(ProfileMalformedTest, VeryLongValueIsReadWhole) {
    const QByteArray value(1024 * 1024, 'v');
    writeRaw("[A]\na=" + value + "\n");
    EXPECT_EQ(read("A", "a").size(), value.size());
}

TEST_F(ProfileMalformedTest, SectionLineWithoutClosingBracketIsNoHeaderButStays) {
    const QByteArray before = "[A]\r\na=1\r\n[Broken\r\nb=2\r\n[Good]\r\ng=3\r\n";
    writeRaw(before);
    EXPECT_EQ(read("Broken", "b"), QString());
    EXPECT_EQ(read("A", "b"), QStringLiteral("2")); // the broken line does not open a section
    EXPECT_EQ(read("Good", "g"), QStringLiteral("3"));
    EXPECT_TRUE(write("Good", "g", "4"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\r\na=1\r\n[Broken\r\nb=2\r\n[Good]\r\ng=4\r\n"));
    EXPECT_TRUE(write("Broken", "b", "5"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\r\na=1\r\n[Broken\r\nb=2\r\n[Good]\r\ng=4\r\n[Broken]\r\nb=5\r\n"));
}

TEST_F(ProfileMalformedTest, TextAfterTheClosingBracketIsIgnored) {
    writeRaw("[A] ; the first\r\na=1\r\n");
    EXPECT_EQ(read("A", "a"), QStringLiteral("1"));
}

TEST_F(ProfileMalformedTest, NoNewlineAtTheEnd) {
    writeRaw("[A]\r\na=1");
    EXPECT_EQ(read("A", "a"), QStringLiteral("1"));
    EXPECT_TRUE(write("A", "a", "2"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\r\na=2"));
    EXPECT_TRUE(write("A", "b", "3"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\r\na=2\r\nb=3\r\n"));
}

TEST_F(ProfileMalformedTest, NoNewlineAtTheEndOfAnLfFile) {
    writeRaw("[A]\na=1");
    EXPECT_TRUE(write("B", "b", "2"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\na=1\n[B]\nb=2\n"));
}

TEST_F(ProfileMalformedTest, MixedLineEndingsAreKeptPerLine) {
    writeRaw("[A]\na=1\r\nb=2\n");
    EXPECT_TRUE(write("A", "b", "3"));
    EXPECT_TRUE(write("A", "c", "4"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\na=1\r\nb=3\nc=4\n"));
}

TEST_F(ProfileMalformedTest, Utf8ByteOrderMarkIsToleratedAndKept) {
    writeRaw("\xEF\xBB\xBF[Mannschaft]\r\nMannschaft=M\xC3\xA4nner\r\n");
    EXPECT_EQ(read("Mannschaft", "Mannschaft"), QStringLiteral("Männer"));
    EXPECT_TRUE(write("Mannschaft", "Verein", QStringLiteral("Café Ω")));
    EXPECT_EQ(readRaw(),
              QByteArray("\xEF\xBB\xBF[Mannschaft]\r\nMannschaft=M\xC3\xA4nner\r\nVerein=Caf\xC3\xA9 "
                         "\xCE\xA9\r\n"));
    EXPECT_EQ(read(QStringLiteral("MANNSCHAFT"), "verein"), QStringLiteral("Café Ω"));
}

TEST_F(ProfileMalformedTest, DuplicateSectionsAndKeysFirstWins) {
    const QByteArray before = "[A]\r\nk=1\r\nk=2\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\nonly=4\r\n";
    writeRaw(before);
    EXPECT_EQ(read("A", "k"), QStringLiteral("1"));
    EXPECT_EQ(read("A", "only"), QString()); // only the first section of a name is searched
    EXPECT_TRUE(write("A", "k", "9"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\r\nk=9\r\nk=2\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\nonly=4\r\n"));
    EXPECT_TRUE(write("a", "only", "5"));
    EXPECT_EQ(readRaw(),
              QByteArray("[A]\r\nk=9\r\nk=2\r\nonly=5\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\nonly=4\r\n"));
    EXPECT_EQ(read("A", "only"), QStringLiteral("5"));
}

TEST_F(ProfileMalformedTest, EmptyFileAndBlankLinesOnly) {
    writeRaw("");
    EXPECT_EQ(read("A", "a"), QString());
    EXPECT_TRUE(write("A", "a", "1"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\r\na=1\r\n"));
    writeRaw("\n\n");
    EXPECT_TRUE(write("A", "a", "1"));
    EXPECT_EQ(readRaw(), QByteArray("\n\n[A]\na=1\n"));
}

TEST_F(ProfileMalformedTest, EmptySectionNameAndEmptyKey) {
    writeRaw("[]\r\n=empty key\r\n[S]\r\nk=v\r\n");
    EXPECT_EQ(read("", ""), QStringLiteral("empty key"));
    EXPECT_EQ(read("S", "k"), QStringLiteral("v"));
}

TEST_F(ProfileMalformedTest, FolderInPlaceOfTheFileReadsEmptyAndIsNotReplaced) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("odd.ini")));
    EXPECT_EQ(read("A", "a"), QString());
    EXPECT_FALSE(write("A", "a", "1"));
    EXPECT_TRUE(QFileInfo(file).isDir());
}

} // namespace
