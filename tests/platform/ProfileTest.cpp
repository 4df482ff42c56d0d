#include "support/ProfileFileTest.h"

namespace {

using ProfileTest = ProfileFileTest;

TEST_F(ProfileTest, UmlautsAreWindows1252AndNamesMatchWithoutRegardToCase) {
    EXPECT_EQ(read(QStringLiteral("Männer_BUTTON_COLOR"), "FARBE"), QString());
    EXPECT_TRUE(write(QStringLiteral("Männer_BUTTON_COLOR"), "FARBE", "12632256")); // creates the file
    EXPECT_EQ(raw(), QByteArray("[M\xE4nner_BUTTON_COLOR]\r\nFARBE=12632256\r\n"));
    EXPECT_EQ(read(QStringLiteral("MÄNNER_button_color"), "farbe"), QStringLiteral("12632256"));

    const QByteArray handMade = "[\xC4RGER]\r\nGR\xD6\xDF"
                                "E=M\xE4nner\r\n[\x8A\x9C]\r\nzeit=2\r\n";
    put(handMade);
    EXPECT_EQ(read(QStringLiteral("ärger"), QStringLiteral("größe")), QStringLiteral("Männer"));
    EXPECT_EQ(read(QStringLiteral("arger"), QStringLiteral("größe")), QString());
    EXPECT_TRUE(write(QStringLiteral("šœ"), "ZEIT", "3"));
    EXPECT_EQ(raw(), QByteArray(handMade).replace("zeit=2", "zeit=3"));
}

// As the profile read: trimmed, and one pair of matching quotes removed.
TEST_F(ProfileTest, ReadTrimsAndUnquotes) {
    put("k=outside\r\n  [ Farben ]  \r\n  Rot  =  mit Blanks \t \r\n"
        "q=\"TV 1898\"\r\nr='x'\r\ns=\"x'\r\nt=\"\r\n");
    const std::pair<const char*, QString> cases[] = {{"Rot", "mit Blanks"}, {"q", "TV 1898"}, {"r", "x"},
                                                     {"s", "\"x'"},         {"t", "\""},      {"k", ""}};
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(read("Farben", key), expected) << key;
}

TEST_F(ProfileTest, InPlaceChangeKeepsEveryOtherLineAndItsEnding) {
    const QByteArray before = "; hand made\n[Mannschaft]\nMannschaft=Damen\nVerein = TV 1898  \n\n"
                              "[Damen_AUSBLEND]\r\n  ZEIT = 2\nFlag  \r\nVol=20\n";
    put(before);
    EXPECT_TRUE(write("Mannschaft", "Mannschaft", "Jugend"));
    EXPECT_TRUE(write("damen_ausblend", "zeit", "3"));
    EXPECT_TRUE(write("Damen_AUSBLEND", "flag", "1"));
    EXPECT_TRUE(write("Mannschaft", "verein", "TV 1898")); // already held: nothing changes
    QByteArray expected = before;
    expected.replace("Mannschaft=Damen", "Mannschaft=Jugend").replace("ZEIT = 2", "ZEIT = 3");
    EXPECT_EQ(raw(), expected.replace("Flag  ", "Flag=1"));
}

TEST_F(ProfileTest, NewKeyEndsItsSectionAndNewSectionEndsTheFileInItsLineEnding) {
    put("[A]\na=1\n\n\n[B]\n\n[C]\nc=3"); // no line ending at the end
    EXPECT_TRUE(write("a", "new", "x"));
    EXPECT_TRUE(write("B", "b", "y"));
    EXPECT_TRUE(write("Mannschaft", "Mannschaft", "Jugend"));
    EXPECT_TRUE(write("C", "c2", "z"));
    EXPECT_EQ(
        raw(),
        QByteArray("[A]\na=1\nnew=x\n\n\n[B]\nb=y\n\n[C]\nc=3\nc2=z\n[Mannschaft]\nMannschaft=Jugend\n"));
}

} // namespace
