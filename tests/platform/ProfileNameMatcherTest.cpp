#include "platform/ProfileNameMatcher.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Charset = Cp1252::Charset;

// The trimmed name as a file holds it after a write.
QByteArray stored(const QString& name, Charset charset) {
    return QByteArrayView(Cp1252::encode(name, charset)).trimmed().toByteArray();
}

// The byte shortcuts of the matcher must agree with what a match means: the names as a file gives them back,
// compared after case folding. Half the pairs differ only in case, so both answers occur often.
TEST(ProfileNameMatcherTest, AgreesWithDecodingAndFoldingOnRandomNames) {
    static const char16_t pool[] = {u'a', u'A', u'z',  u'Z',  u'/',   u' ',  u'&',  u'#',
                                    u'1', u';', 0xE4,  0xC4,  0xDF,   0x160, 0x161, 0x178,
                                    0xFF, 0xB5, 0x39C, 0x3BC, 0x20AC, 0x3A9, 0x3C9, u'\n'};
    std::mt19937 rng(1898);
    const auto randomName = [&] {
        QString name;
        for (int n = static_cast<int>(rng() % 9); n > 0; --n)
            name += QChar(pool[rng() % std::size(pool)]);
        return name;
    };
    int matches = 0;
    for (const Charset charset : {Charset::Windows1252, Charset::Utf8}) {
        for (int i = 0; i < 20000; ++i) {
            const QString wanted = randomName();
            QString other = randomName();
            if (i % 2)
                other = rng() % 2 ? wanted.toUpper() : wanted.toLower();
            const QByteArray raw = stored(other, charset);
            const bool expected = Cp1252::decode(stored(wanted, charset), charset).toCaseFolded() ==
                                  Cp1252::decode(raw, charset).toCaseFolded();
            ASSERT_EQ(ProfileNameMatcher(wanted, charset).matches(raw), expected)
                << qPrintable(wanted) << " / " << raw.toStdString();
            matches += expected ? 1 : 0;
        }
    }
    EXPECT_GT(matches, 10000);
    EXPECT_LT(matches, 35000);
}

} // namespace
