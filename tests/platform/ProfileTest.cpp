#include "platform/Profile.h"
#include "platform/ProfileDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("test.ini"));

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

TEST_F(ProfileTest, MissingFileReadsEmptyAndFirstWriteCreatesItWithCrLf) {
    EXPECT_EQ(read("Mannschaft", "Mannschaft"), QString());
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(write("Mannschaft", "Mannschaft", "Jugend"));
    EXPECT_EQ(readRaw(), QByteArray("[Mannschaft]\r\nMannschaft=Jugend\r\n"));
    EXPECT_EQ(read("Mannschaft", "Mannschaft"), QStringLiteral("Jugend"));
}

TEST_F(ProfileTest, UmlautSectionIsStoredAsOneWindows1252Byte) {
    EXPECT_TRUE(write(QStringLiteral("Männer_BUTTON_COLOR"), "FARBE", "12632256"));
    const QByteArray raw = readRaw();
    EXPECT_EQ(raw, QByteArray("[M\xE4nner_BUTTON_COLOR]\r\nFARBE=12632256\r\n"));
    EXPECT_EQ(static_cast<unsigned char>(raw.at(2)), 0xE4);
    EXPECT_EQ(read(QStringLiteral("Männer_BUTTON_COLOR"), "FARBE"), QStringLiteral("12632256"));
    EXPECT_EQ(read(QStringLiteral("MÄNNER_button_color"), "farbe"), QStringLiteral("12632256"));
}

TEST_F(ProfileTest, UmlautValuesReadFromAHandMadeFile) {
    writeRaw("[Mannschaft]\r\nMannschaft=M\xE4nner\r\nVerein=SG \xD6hringen & Co\r\n");
    EXPECT_EQ(read("Mannschaft", "Mannschaft"), QStringLiteral("Männer"));
    EXPECT_EQ(read("Mannschaft", "Verein"), QStringLiteral("SG Öhringen & Co"));
}

TEST_F(ProfileTest, SectionsAndKeysMatchWithoutRegardToCase) {
    writeRaw("[DAMEN_AUSBLEND]\r\nzeit=2\r\nVOL=15\r\n");
    EXPECT_EQ(read("Damen_AUSBLEND", "ZEIT"), QStringLiteral("2"));
    EXPECT_EQ(read("damen_ausblend", "Vol"), QStringLiteral("15"));
    EXPECT_TRUE(write("Damen_AUSBLEND", "Zeit", "3"));
    EXPECT_EQ(readRaw(), QByteArray("[DAMEN_AUSBLEND]\r\nzeit=3\r\nVOL=15\r\n"));
}

TEST_F(ProfileTest, ValuesKeysAndSectionsAreTrimmed) {
    writeRaw("  [ Farben ]  \r\n  Rot  =  a value with blanks \t \r\n\tGruen\t=\t7\t\r\n");
    EXPECT_EQ(read("Farben", "Rot"), QStringLiteral("a value with blanks"));
    EXPECT_EQ(read("Farben", "Gruen"), QStringLiteral("7"));
}

TEST_F(ProfileTest, MatchingQuotesAroundAValueAreRemoved) {
    writeRaw("[S]\r\na=\"TV Musterstadt\"\r\nb='x'\r\nc=\"x'\r\nd=\"\r\ne=\"\"\r\n");
    EXPECT_EQ(read("S", "a"), QStringLiteral("TV Musterstadt"));
    EXPECT_EQ(read("S", "b"), QStringLiteral("x"));
    EXPECT_EQ(read("S", "c"), QStringLiteral("\"x'"));
    EXPECT_EQ(read("S", "d"), QStringLiteral("\""));
    EXPECT_EQ(read("S", "e"), QString());
}

TEST_F(ProfileTest, MissingAndEmptyValuesBothReadEmpty) {
    writeRaw("[Mannschaft]\r\nVerein=\r\nFlag\r\n");
    const ProfileDocument doc = ProfileDocument::load(file);
    bool found = false;
    EXPECT_EQ(doc.value("Mannschaft", "Verein", &found), QString());
    EXPECT_TRUE(found);
    EXPECT_EQ(doc.value("Mannschaft", "Flag", &found), QString());
    EXPECT_TRUE(found);
    EXPECT_EQ(doc.value("Mannschaft", "Mannschaft", &found), QString());
    EXPECT_FALSE(found);
    EXPECT_EQ(doc.value("Nirgends", "Verein", &found), QString());
    EXPECT_FALSE(found);
}

TEST_F(ProfileTest, InPlaceChangeKeepsEveryOtherLineAndItsEnding) {
    const QByteArray before = "; hand made\n[Mannschaft]\nMannschaft=Damen\nVerein = TV 1898  \n\n"
                              "[Damen_AUSBLEND]\r\nZEIT=2\nVol=20\n";
    writeRaw(before);
    EXPECT_TRUE(write("Mannschaft", "Mannschaft", "Jugend"));
    QByteArray expected = before;
    expected.replace("Mannschaft=Damen", "Mannschaft=Jugend");
    EXPECT_EQ(readRaw(), expected);
    EXPECT_TRUE(write("Damen_AUSBLEND", "ZEIT", "3"));
    expected.replace("ZEIT=2", "ZEIT=3");
    EXPECT_EQ(readRaw(), expected);
}

TEST_F(ProfileTest, HandMadeSpacingAroundTheEqualsSignIsKept) {
    writeRaw("[/m/Damen/Tormusik/01Tor.mp3]\r\n  Zeit_01 = 12500\r\n");
    EXPECT_TRUE(write("/m/Damen/Tormusik/01Tor.mp3", "Zeit_01", "0"));
    EXPECT_EQ(readRaw(), QByteArray("[/m/Damen/Tormusik/01Tor.mp3]\r\n  Zeit_01 = 0\r\n"));
}

TEST_F(ProfileTest, NewKeyGoesAfterTheLastNonBlankLineOfItsSection) {
    writeRaw("[A]\r\na=1\r\n\r\n\r\n[B]\r\nb=2\r\n");
    EXPECT_TRUE(write("a", "new", "x"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\r\na=1\r\nnew=x\r\n\r\n\r\n[B]\r\nb=2\r\n"));
    EXPECT_TRUE(write("B", "other", "y"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\r\na=1\r\nnew=x\r\n\r\n\r\n[B]\r\nb=2\r\nother=y\r\n"));
}

TEST_F(ProfileTest, NewKeyInAnEmptySectionFollowsItsHeader) {
    writeRaw("[A]\n\n[B]\nb=2\n");
    EXPECT_TRUE(write("A", "k", "v"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\nk=v\n\n[B]\nb=2\n"));
}

TEST_F(ProfileTest, NewSectionGoesToTheEndInTheFilesOwnLineEnding) {
    writeRaw("[A]\na=1\n");
    EXPECT_TRUE(write("Mannschaft", "Mannschaft", "Jugend"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\na=1\n[Mannschaft]\nMannschaft=Jugend\n"));
    EXPECT_TRUE(write("Mannschaft", "Verein", "TV"));
    EXPECT_EQ(readRaw(), QByteArray("[A]\na=1\n[Mannschaft]\nMannschaft=Jugend\nVerein=TV\n"));
}

TEST_F(ProfileTest, ManyChangesInOneDocumentKeepTheirPlaces) {
    writeRaw("[A]\r\na=1\r\n[B]\r\nb=2\r\n[C]\r\nc=3");
    ProfileDocument doc = ProfileDocument::load(file);
    EXPECT_TRUE(doc.setValue("A", "a2", "x"));
    EXPECT_TRUE(doc.setValue("C", "c2", "z"));
    EXPECT_TRUE(doc.setValue("B", "b2", "y"));
    EXPECT_TRUE(doc.setValue("D", "d", "w"));
    EXPECT_TRUE(doc.setValue("A", "a3", "v"));
    EXPECT_FALSE(doc.setValue("b", "B2", "y"));
    EXPECT_EQ(doc.toBytes(),
              QByteArray("[A]\r\na=1\r\na2=x\r\na3=v\r\n[B]\r\nb=2\r\nb2=y\r\n[C]\r\nc=3\r\nc2=z\r\n"
                         "[D]\r\nd=w\r\n"));
    EXPECT_EQ(doc.value("c", "C2"), QStringLiteral("z"));
    EXPECT_EQ(doc.value("d", "d"), QStringLiteral("w"));
    EXPECT_TRUE(doc.save());
    EXPECT_EQ(readRaw(), doc.toBytes());
}

TEST_F(ProfileTest, KeyWithoutEqualsSignGetsOne) {
    writeRaw("[S]\r\nFlag  \r\nx=1\r\n");
    EXPECT_TRUE(write("S", "flag", "1"));
    EXPECT_EQ(readRaw(), QByteArray("[S]\r\nFlag=1\r\nx=1\r\n"));
}

TEST_F(ProfileTest, LinesBeforeTheFirstSectionBelongToNoSection) {
    writeRaw("a=outside\r\n[S]\r\nb=inside\r\n");
    EXPECT_EQ(read("", "a"), QString());
    EXPECT_EQ(read("S", "a"), QString());
    EXPECT_EQ(read("S", "b"), QStringLiteral("inside"));
}

TEST_F(ProfileTest, WritingTheStoredValueAgainChangesNothing) {
    writeRaw("[S]\r\nk = 5 \r\n");
    ProfileDocument doc = ProfileDocument::load(file);
    EXPECT_FALSE(doc.setValue("S", "K", "5"));
    EXPECT_EQ(doc.toBytes(), QByteArray("[S]\r\nk = 5 \r\n"));
    EXPECT_TRUE(write("S", "K", "5"));
    EXPECT_EQ(readRaw(), QByteArray("[S]\r\nk = 5 \r\n"));
}

TEST_F(ProfileTest, NamesWithControlCharactersStayOnOneLine) {
    const QString section = QStringLiteral("/m/Damen/Tormusik/01Tor\n[x]\r\nZeit_01=9.mp3");
    EXPECT_TRUE(write(section, "Zeit_01", "1500"));
    EXPECT_TRUE(write(section, "Zeit_01", "1600"));
    const QByteArray raw = readRaw();
    EXPECT_EQ(raw.count('\n'), 2);
    EXPECT_EQ(read(section, "Zeit_01"), QStringLiteral("1600"));
    EXPECT_EQ(read("x", "Zeit_01"), QString());
}

TEST_F(ProfileTest, ValueWithLineBreakRoundTrips) {
    EXPECT_TRUE(write("S", "k", "one\ntwo"));
    EXPECT_EQ(readRaw(), QByteArray("[S]\r\nk=one&#10;two\r\n"));
    EXPECT_EQ(read("S", "k"), QStringLiteral("one\ntwo"));
}

TEST_F(ProfileTest, NamesThatDifferOnlyOutsideTheCodePageStayApart) {
    const QString a = QStringLiteral("/m/Damen/Tormusik/01Tor Ω.mp3");
    const QString b = QStringLiteral("/m/Damen/Tormusik/01Tor Σ.mp3");
    const QString c = QStringLiteral("/m/Damen/Tormusik/01Tor ?.mp3");
    EXPECT_TRUE(write(a, "Zeit_01", "1"));
    EXPECT_TRUE(write(b, "Zeit_01", "2"));
    EXPECT_TRUE(write(c, "Zeit_01", "3"));
    EXPECT_EQ(read(a, "Zeit_01"), QStringLiteral("1"));
    EXPECT_EQ(read(b, "Zeit_01"), QStringLiteral("2"));
    EXPECT_EQ(read(c, "Zeit_01"), QStringLiteral("3"));
    EXPECT_EQ(readRaw().count("Zeit_01="), 3);
}

TEST_F(ProfileTest, SectionNameRunsToTheLastClosingBracket) {
    writeRaw("[/m/Da]men/01a]b.mp3]\r\nZeit_01=5\r\n");
    EXPECT_EQ(read("/m/Da]men/01a]b.mp3", "Zeit_01"), QStringLiteral("5"));
    EXPECT_TRUE(write("/m/x]/02[c].mp3", "Zeit_01", "7"));
    EXPECT_EQ(read("/m/x]/02[c].mp3", "Zeit_01"), QStringLiteral("7"));
    EXPECT_EQ(read("/m/Da]men/01a]b.mp3", "Zeit_01"), QStringLiteral("5"));
}

TEST_F(ProfileTest, CaseFoldingCoversUmlautsInKeysToo) {
    writeRaw("[\xC4RGER]\r\nGR\xD6\xDF"
             "E=1\r\n");
    EXPECT_EQ(read(QStringLiteral("ärger"), QStringLiteral("größe")), QStringLiteral("1"));
}

TEST_F(ProfileTest, CaseFoldingCoversTheWholeCodePageAndReferences) {
    writeRaw("[\x8A\x8C\x8E\x9F \xC0\xDE]\r\na=1\r\n[&#65;bc]\r\nb=2\r\n[\xB5]\r\nc=3\r\n[Stra\xDF"
             "e]\r\nd=4\r\n");
    EXPECT_EQ(read(QStringLiteral("šœžÿ àþ"), "A"), QStringLiteral("1"));
    EXPECT_EQ(read(QStringLiteral("ABC"), "b"), QStringLiteral("2"));
    EXPECT_EQ(read(QStringLiteral("Μ"), "c"),
              QStringLiteral("3"));                             // Greek capital mu folds like the micro sign
    EXPECT_EQ(read(QStringLiteral("STRASSE"), "d"), QString()); // no expansion of the sharp s
    EXPECT_EQ(read(QStringLiteral("šœžÿ àþx"), "A"), QString());
    EXPECT_EQ(read(QStringLiteral("šœžÿ àÞ"), "a"), QStringLiteral("1"));
    EXPECT_EQ(read(QStringLiteral("šœžÿ áþ"), "a"), QString());
}

} // namespace
