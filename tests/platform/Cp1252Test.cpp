#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Charset = Cp1252::Charset;

TEST(Cp1252Test, EveryPrintableByteSurvivesAndTheHighRangeUsesTheWindowsTable) {
    for (int b = 0x20; b <= 0xFF; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        ASSERT_EQ(Cp1252::decode(byte).size(), 1) << "byte " << b;
        EXPECT_EQ(Cp1252::encode(Cp1252::decode(byte)), byte) << "byte " << b;
    }
    EXPECT_EQ(Cp1252::decode("\x80\x8A\x96\x9F\x81"), QStringLiteral("€Š–Ÿ\u0081"));
    EXPECT_EQ(Cp1252::encode(QStringLiteral("für ÄÖÜß ™„")), QByteArray("f\xFCr \xC4\xD6\xDC\xDF \x99\x84"));
}

// Nothing may tear a line or make two names one: what the code page cannot hold, control characters and a
// literal "&#" become references; a malformed reference stays as it is.
TEST(Cp1252Test, ReferencesAndWhatStaysLiteral) {
    EXPECT_EQ(Cp1252::encode(QStringLiteral("Ω R & R& A&#66;\r\n\t") + QChar(0x80) + QChar(0)),
              QByteArray("&#937; R & R& A&#38;#66;&#13;&#10;&#9;&#128;&#0;"));
    EXPECT_EQ(Cp1252::encode(QString::fromUcs4(U"\U0001F600")), QByteArray("&#128512;"));
    EXPECT_EQ(Cp1252::decode("&#65;&#38;#66;"), QStringLiteral("A&#66;"));
    for (const char* raw : {"&#;", "&#12", "&#x41;", "&#12345678;", "&#1114112;", "&#", "&#-5;"})
        EXPECT_EQ(Cp1252::decode(raw), QString::fromLatin1(raw)) << raw;
}

// A round trip also proves that two different names never share one entry.
TEST(Cp1252Test, RandomTextRoundTripsInBothCharsetsOnOneLine) {
    static const char32_t pool[] = {'a',    'Z',    ' ',   '&',    '#',     ';',    '9',    '\n',   '\r',
                                    '\t',   0,      0x7F,  0x80,   0x81,    0x9D,   0xA0,   0xE4,   0xFF,
                                    0x20AC, 0x2013, 0x3A9, 0x4E2D, 0x1F600, 0xD800, 0xDC00, 0xFFFD, 0x10FFFF};
    std::mt19937 rng(20240601);
    for (int i = 0; i < 5000; ++i) {
        QString text;
        for (int n = static_cast<int>(rng() % 25); n > 0; --n) {
            const char32_t cp = pool[rng() % std::size(pool)];
            // a lone surrogate, as a broken file name can give
            text += (cp >= 0xD800 && cp <= 0xDFFF) ? QString(QChar(static_cast<char16_t>(cp)))
                                                   : QString::fromUcs4(&cp, 1);
        }
        const QByteArray cp = Cp1252::encode(text);
        ASSERT_EQ(Cp1252::decode(cp), text) << cp.toStdString();
        ASSERT_FALSE(cp.contains('\n') || cp.contains('\r'));
        const QByteArray u8 = Cp1252::encode(text, Charset::Utf8);
        ASSERT_EQ(Cp1252::decode(u8, Charset::Utf8), text) << u8.toStdString();
    }
}

} // namespace
