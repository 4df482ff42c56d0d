#include "support/ProfileFileTest.h"

// Hand-edited, damaged or foreign files are read as far as they make sense, and a write changes only its own
// line.
namespace {

using ProfileMalformedTest = ProfileFileTest;

TEST_F(ProfileMalformedTest, BinaryBytesAreKeptAndDoNotDisturbOtherSections) {
    const QByteArray garbage("\x00\x01\xFF\xFE[\x00]=\x1A\x80", 10);
    const QByteArray head = QByteArray("[A]\r\nbin=") + garbage + "\r\n" + garbage + "\r\n";
    put(head + "[B]\r\nb=1\r\n");
    EXPECT_EQ(read("B", "b"), QStringLiteral("1"));
    EXPECT_TRUE(write("B", "b", "2") && write("A", "new", "x"));
    EXPECT_EQ(raw(), head + "new=x\r\n[B]\r\nb=2\r\n");
}

TEST_F(ProfileMalformedTest, TenMegabyteFileIsReadAndChangedInOnePlace) {
    QByteArray big;
    int n = 0;
    for (; big.size() < 10 * 1024 * 1024; ++n)
        big += "[/m/Damen/Tormusik/" + QByteArray::number(n) +
               "Titel.mp3]\r\nZeit_01=" + QByteArray::number(n * 10) + "\r\n";
    put(big);
    EXPECT_EQ(read(QStringLiteral("/m/Damen/Tormusik/%1Titel.mp3").arg(n - 1), "Zeit_01"),
              QString::number(n * 10 - 10));
    EXPECT_TRUE(write("/m/damen/tormusik/17titel.mp3", "zeit_01", "999"));
    EXPECT_EQ(raw(), big.replace("17Titel.mp3]\r\nZeit_01=170\r\n", "17Titel.mp3]\r\nZeit_01=999\r\n"));
}

TEST_F(ProfileMalformedTest, VeryLongLinesWithoutFinalNewline) {
    const QByteArray value(1024 * 1024, 'v');
    const QByteArray before = "[A]\r\nv=" + value + "\r\n" + QByteArray(5 * 1024 * 1024, 'x');
    put(before);
    EXPECT_EQ(read("A", "v").size(), value.size());
    EXPECT_TRUE(write("Z", "z", "26"));
    EXPECT_EQ(raw(), before + "\r\n[Z]\r\nz=26\r\n");
}

// A header line runs to its last "]" (file names may hold brackets); without one it is no header but stays.
TEST_F(ProfileMalformedTest, BracketsInNamesAndAMissingClosingBracket) {
    const QByteArray before =
        "[A] ; the first\r\na=1\r\n[Broken\r\nb=2\r\n[/m/Da]men/01a]b.mp3]\r\nZeit_01=5\r\n";
    put(before);
    EXPECT_EQ(read("Broken", "b"), QString());
    EXPECT_EQ(read("A", "b"), QStringLiteral("2"));
    EXPECT_EQ(read("/m/Da]men/01a]b.mp3", "Zeit_01"), QStringLiteral("5"));
    EXPECT_TRUE(write("Broken", "b", "5") && write("/m/x]/02[c].mp3", "Zeit_01", "7"));
    EXPECT_EQ(raw(), before + "[Broken]\r\nb=5\r\n[/m/x]/02[c].mp3]\r\nZeit_01=7\r\n");
    EXPECT_EQ(read("/m/x]/02[c].mp3", "Zeit_01"), QStringLiteral("7"));
}

TEST_F(ProfileMalformedTest, Utf8ByteOrderMarkIsToleratedAndKept) {
    const QByteArray before = "\xEF\xBB\xBF[Mannschaft]\r\nMannschaft=M\xC3\xA4nner\r\n";
    put(before);
    EXPECT_EQ(read("Mannschaft", "Mannschaft"), QStringLiteral("Männer"));
    EXPECT_TRUE(write("MANNSCHAFT", "Verein", QStringLiteral("Café Ω")));
    EXPECT_EQ(raw(), before + "Verein=Caf\xC3\xA9 \xCE\xA9\r\n");
    EXPECT_EQ(read("mannschaft", "verein"), QStringLiteral("Café Ω"));
}

TEST_F(ProfileMalformedTest, DuplicateSectionsAndKeysFirstWins) {
    put("[A]\r\nk=1\r\nk=2\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\nonly=4\r\n");
    EXPECT_EQ(read("A", "k"), QStringLiteral("1"));
    EXPECT_EQ(read("A", "only"), QString()); // only the first section of a name is searched
    EXPECT_TRUE(write("A", "k", "9") && write("a", "only", "5"));
    EXPECT_EQ(raw(), QByteArray("[A]\r\nk=9\r\nk=2\r\nonly=5\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\nonly=4\r\n"));
}

} // namespace
