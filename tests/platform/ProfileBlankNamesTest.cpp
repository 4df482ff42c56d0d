// A section name with blanks around it, asked for in a large file: the index that serves large files must
// follow the same name rule as the plain scan, or a write lands in a duplicate section that nobody reads.
#include "platform/ProfileDocument.h"
#include "support/ProfileFileTest.h"

namespace {

class ProfileBlankNames : public ProfileFileTest {};

TEST_F(ProfileBlankNames, TheIndexTrimsWhatTheScanTrims) {
    for (const int titles : {2, 60}) { // the plain scan below 48 sections, the index from there on
        SCOPED_TRACE(titles);
        QByteArray bytes;
        for (int i = 0; i < titles; ++i)
            bytes += "[/m/Damen/Tormusik/" + QByteArray::number(i) + "Tor.mp3]\r\nZeit_01=0\r\n";
        put(bytes + "[  Damen_AUSBLEND\t]\r\nZEIT=2\r\n");
        ProfileDocument doc = ProfileDocument::load(file);
        for (int lookup = 0; lookup < 10; ++lookup) { // the index is built only after a few lookups
            EXPECT_EQ(doc.value(QStringLiteral(" damen_ausblend "), QStringLiteral("ZEIT")),
                      QStringLiteral("2"));
            EXPECT_EQ(doc.value(QStringLiteral("Damen_AUSBLEND"), QStringLiteral("ZEIT")),
                      QStringLiteral("2"));
        }
        EXPECT_FALSE(doc.setValue(QStringLiteral("  Damen_AUSBLEND "), QStringLiteral("ZEIT"), "2"));
        EXPECT_TRUE(doc.setValue(QStringLiteral(" Damen_AUSBLEND"), QStringLiteral("Vol"), "25"));
        EXPECT_EQ(doc.toBytes().count("AUSBLEND"), 1) << "no second section";
    }
}

} // namespace
