// Text as the profile files hold it: Windows-1252 with references for what the code page cannot hold, and
// names compared as a write and a fresh read would see them.
#include "platform/Cp1252.h"
#include "platform/ProfileNameMatcher.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Charset = Cp1252::Charset;

// Every printable byte survives, the high range in the Windows table. Nothing may tear a line or make two
// names one: what the code page cannot hold, control characters and a literal "&#" become references; a
// malformed reference stays as it is.
TEST(Cp1252Test, WindowsTableReferencesAndWhatStaysLiteral) {
    for (int b = 0x20; b <= 0xFF; ++b)
        EXPECT_EQ(Cp1252::encode(Cp1252::decode(QByteArray(1, char(b)))), QByteArray(1, char(b))) << b;
    EXPECT_EQ(Cp1252::decode("\x80\x8A\x96\x9F\x81"), QStringLiteral("€Š–Ÿ\u0081"));
    EXPECT_EQ(Cp1252::encode(QStringLiteral("für ÄÖÜß ™„")), QByteArray("f\xFCr \xC4\xD6\xDC\xDF \x99\x84"));
    EXPECT_EQ(Cp1252::encode(QStringLiteral("Ω R & R& A&#66;\r\n\t") + QChar(0x80) + QChar(0)),
              QByteArray("&#937; R & R& A&#38;#66;&#13;&#10;&#9;&#128;&#0;"));
    EXPECT_EQ(Cp1252::encode(QString::fromUcs4(U"\U0001F600")), QByteArray("&#128512;"));
    EXPECT_EQ(Cp1252::decode("&#65;&#38;#66;"), QStringLiteral("A&#66;"));
    for (const char* raw : {"&#;", "&#12", "&#x41;", "&#12345678;", "&#1114112;", "&#", "&#-5;"})
        EXPECT_EQ(Cp1252::decode(raw), QString::fromLatin1(raw)) << raw;
}

// Random text of letters both code pages hold or not, that fold into each other (µ into μ, Ÿ into ÿ), lone
// surrogates (a broken file name gives them) and what references are made of.
QString randomText(std::mt19937& rng) {
    static const char32_t pool[] = {
        'a',   'Z',   ' ',   '&',    '#',    ';',    '9',     '/',    '\n',   '\r',   '\t',    0,     0x7F,
        0x80,  0x81,  0x9D,  0xA0,   0xB5,   0xC4,   0xDF,    0xE4,   0xFF,   0x160,  0x161,   0x178, 0x39C,
        0x3A9, 0x3BC, 0x3C9, 0x20AC, 0x2013, 0x4E2D, 0x1F600, 0xD800, 0xDC00, 0xFFFD, 0x10FFFF};
    QString text;
    for (int n = static_cast<int>(rng() % 13); n > 0; --n) {
        const char32_t cp = pool[rng() % std::size(pool)];
        text += QChar::requiresSurrogates(cp) ? QString::fromUcs4(&cp, 1) : QString(QChar(cp));
    }
    return text;
}

// The trimmed name as a file holds it after a write.
QByteArray stored(const QString& name, Charset charset) {
    return QByteArrayView(Cp1252::encode(name, charset)).trimmed().toByteArray();
}

// A round trip proves that two different names never share one entry, and no name tears a line. The byte
// shortcuts of the name matcher must agree with what a match means: the names as a file gives them back,
// compared after case folding. Half the pairs differ only in case, so both answers occur often.
TEST(Cp1252Test, RandomNamesRoundTripOnOneLineAndMatchAsFolded) {
    std::mt19937 rng(1898);
    int matches = 0;
    for (const Charset charset : {Charset::Windows1252, Charset::Utf8}) {
        for (int i = 0; i < 20000; ++i) {
            const QString wanted = randomText(rng);
            const QByteArray bytes = Cp1252::encode(wanted, charset);
            ASSERT_EQ(Cp1252::decode(bytes, charset), wanted) << bytes.toStdString();
            ASSERT_FALSE(bytes.contains('\n') || bytes.contains('\r'));
            const QString other = i % 2 ? randomText(rng) : rng() % 2 ? wanted.toUpper() : wanted.toLower();
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
