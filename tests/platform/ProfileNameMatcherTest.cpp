#include "platform/ProfileNameMatcher.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Charset = Cp1252::Charset;

// What a match means: the names as a file would give them back, compared after case folding.
bool reference(const QString& wanted, const QString& stored, Charset charset) {
    const QString a =
        Cp1252::decode(QByteArrayView(Cp1252::encode(wanted, charset)).trimmed().toByteArray(), charset);
    const QString b =
        Cp1252::decode(QByteArrayView(Cp1252::encode(stored, charset)).trimmed().toByteArray(), charset);
    return a.toCaseFolded() == b.toCaseFolded();
}

QString randomName(std::mt19937& rng) {
    static const char16_t pool[] = {u'a', u'A', u'z',  u'Z',  u'/',   u' ',  u'&',  u'#',
                                    u'1', u';', 0xE4,  0xC4,  0xDF,   0x160, 0x161, 0x178,
                                    0xFF, 0xB5, 0x39C, 0x3BC, 0x20AC, 0x3A9, 0x3C9, u'\n'};
    std::uniform_int_distribution<int> length(0, 8);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(pool)) - 1);
    QString name;
    for (int n = length(rng); n > 0; --n)
        name += QChar(pool[pick(rng)]);
    return name;
}

// A variant that differs only in the case of some letters, so that many pairs should match.
QString caseVariant(const QString& name, std::mt19937& rng) {
    QString out;
    for (QChar c : name)
        out += (rng() % 2) ? c.toUpper() : c.toLower();
    return out;
}

TEST(ProfileNameMatcherTest, AgreesWithDecodingAndFoldingOnRandomNames) {
    std::mt19937 rng(1898);
    int matches = 0;
    for (const Charset charset : {Charset::Windows1252, Charset::Utf8}) {
        for (int i = 0; i < 20000; ++i) {
            const QString wanted = randomName(rng);
            const QString stored = (i % 2) ? caseVariant(wanted, rng) : randomName(rng);
            const QByteArray raw = QByteArrayView(Cp1252::encode(stored, charset)).trimmed().toByteArray();
            const bool expected = reference(wanted, stored, charset);
            ASSERT_EQ(ProfileNameMatcher(wanted, charset).matches(raw), expected)
                << qPrintable(wanted) << " / " << raw.toStdString();
            matches += expected ? 1 : 0;
        }
    }
    EXPECT_GT(matches, 10000); // the test saw plenty of both answers
    EXPECT_LT(matches, 35000);
}

TEST(ProfileNameMatcherTest, HandMadeNamesMatchTheirDecodedForm) {
    EXPECT_TRUE(ProfileNameMatcher(QStringLiteral("männer_ausblend"), Charset::Windows1252)
                    .matches("M\xC4NNER_AUSBLEND"));
    EXPECT_TRUE(ProfileNameMatcher(QStringLiteral("Abc"), Charset::Windows1252).matches("&#65;BC"));
    EXPECT_FALSE(ProfileNameMatcher(QStringLiteral("Abd"), Charset::Windows1252).matches("&#65;BC"));
    EXPECT_FALSE(ProfileNameMatcher(QStringLiteral("ae"), Charset::Windows1252).matches("\xE4"));
    EXPECT_TRUE(ProfileNameMatcher(QStringLiteral("A&#66;"), Charset::Windows1252).matches("a&#38;#66;"));
    EXPECT_FALSE(ProfileNameMatcher(QStringLiteral("A&#66;"), Charset::Windows1252).matches("ab"));
}

TEST(ProfileNameMatcherTest, FindsReferences) {
    EXPECT_TRUE(ProfileNameMatcher::hasReference("x&#1;"));
    EXPECT_TRUE(ProfileNameMatcher::hasReference("& &#"));
    EXPECT_FALSE(ProfileNameMatcher::hasReference("Rock & Roll"));
    EXPECT_FALSE(ProfileNameMatcher::hasReference("#&"));
    EXPECT_FALSE(ProfileNameMatcher::hasReference(""));
}

} // namespace
