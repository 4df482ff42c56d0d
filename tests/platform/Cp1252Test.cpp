#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Charset = Cp1252::Charset;

QString fromUcs4(char32_t cp) {
    return QString::fromUcs4(&cp, 1);
}

TEST(Cp1252Test, EveryPrintableByteSurvivesDecodeAndEncode) {
    for (int b = 0x20; b <= 0xFF; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        const QString text = Cp1252::decode(byte);
        ASSERT_EQ(text.size(), 1) << "byte " << b;
        EXPECT_EQ(Cp1252::encode(text), byte) << "byte " << b;
    }
}

TEST(Cp1252Test, HighRangeUsesTheWindowsTable) {
    EXPECT_EQ(Cp1252::decode("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(Cp1252::decode("\x8A"), QString(QChar(0x0160)));
    EXPECT_EQ(Cp1252::decode("\x96"), QString(QChar(0x2013)));
    EXPECT_EQ(Cp1252::decode("\x9F"), QString(QChar(0x0178)));
    EXPECT_EQ(Cp1252::decode("\x81"), QString(QChar(0x0081)));
    EXPECT_EQ(Cp1252::encode(QString(QChar(0x2122))), QByteArray("\x99"));
    EXPECT_EQ(Cp1252::encode(QString(QChar(0x201E))), QByteArray("\x84"));
    EXPECT_EQ(Cp1252::byteFor(0x0153), 0x9C);
    EXPECT_EQ(Cp1252::codePointFor(0x8C), char32_t(0x0152));
}

TEST(Cp1252Test, UmlautsAreSingleBytes) {
    EXPECT_EQ(Cp1252::encode(QStringLiteral("Männer")), QByteArray("M\xE4nner"));
    EXPECT_EQ(Cp1252::encode(QStringLiteral("Tor für uns ÄÖÜß")),
              QByteArray("Tor f\xFCr uns \xC4\xD6\xDC\xDF"));
    EXPECT_EQ(Cp1252::decode("M\xE4nner"), QStringLiteral("Männer"));
}

TEST(Cp1252Test, WhatTheCodePageCannotHoldBecomesAReference) {
    EXPECT_EQ(Cp1252::encode(QStringLiteral("Ω")), QByteArray("&#937;"));
    EXPECT_EQ(Cp1252::encode(fromUcs4(0x1F600)), QByteArray("&#128512;"));
    EXPECT_EQ(Cp1252::encode(QString(QChar(0x0080))), QByteArray("&#128;"));
}

TEST(Cp1252Test, ControlCharactersNeverReachTheFileRaw) {
    EXPECT_EQ(Cp1252::encode(QStringLiteral("a\nb")), QByteArray("a&#10;b"));
    EXPECT_EQ(Cp1252::encode(QStringLiteral("a\r\nb")), QByteArray("a&#13;&#10;b"));
    EXPECT_EQ(Cp1252::encode(QStringLiteral("\ta")), QByteArray("&#9;a"));
    EXPECT_EQ(Cp1252::encode(QString(QChar(0))), QByteArray("&#0;"));
    const QByteArray utf8 = Cp1252::encode(QStringLiteral("x\ny"), Charset::Utf8);
    EXPECT_EQ(utf8, QByteArray("x&#10;y"));
}

TEST(Cp1252Test, AmpersandIsEscapedOnlyBeforeHash) {
    EXPECT_EQ(Cp1252::encode(QStringLiteral("Rock & Roll")), QByteArray("Rock & Roll"));
    EXPECT_EQ(Cp1252::encode(QStringLiteral("A&")), QByteArray("A&"));
    EXPECT_EQ(Cp1252::encode(QStringLiteral("A&#66;")), QByteArray("A&#38;#66;"));
    EXPECT_EQ(Cp1252::decode("A&#38;#66;"), QStringLiteral("A&#66;"));
    EXPECT_EQ(Cp1252::decode("A&#66;"), QStringLiteral("AB"));
}

TEST(Cp1252Test, MalformedReferencesStayLiteral) {
    for (const char* raw : {"&#;", "&#12", "&#x41;", "&#12345678;", "&#1114112;", "&#", "&", "&#-5;"})
        EXPECT_EQ(Cp1252::decode(raw), QString::fromLatin1(raw)) << raw;
    EXPECT_EQ(Cp1252::decode("&#1114111;"), fromUcs4(0x10FFFF));
}

TEST(Cp1252Test, Utf8CharsetWritesUtf8AndReadsItBack) {
    EXPECT_EQ(Cp1252::encode(QStringLiteral("Männer Ω"), Charset::Utf8),
              QByteArray("M\xC3\xA4nner \xCE\xA9"));
    EXPECT_EQ(Cp1252::decode("M\xC3\xA4nner &#10;\xCE\xA9", Charset::Utf8), QStringLiteral("Männer \nΩ"));
}

QString randomText(std::mt19937& rng) {
    static const char32_t pool[] = {'a',   'Z',    ' ',     '&',    '#',    ';',    '0',
                                    '9',   '\n',   '\r',    '\t',   0,      0x7F,   0x80,
                                    0x81,  0x9D,   0xA0,    0xE4,   0xFF,   0x20AC, 0x2013,
                                    0x3A9, 0x4E2D, 0x1F600, 0xD800, 0xDC00, 0xFFFD, 0x10FFFF};
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(pool)) - 1);
    QString text;
    for (int n = length(rng); n > 0; --n) {
        const char32_t cp = pool[pick(rng)];
        if (cp >= 0xD800 && cp <= 0xDFFF)
            text += QChar(static_cast<char16_t>(cp)); // a lone surrogate, as a broken file name can give
        else
            text += fromUcs4(cp);
    }
    return text;
}

TEST(Cp1252Test, RandomTextRoundTripsInBothCharsets) {
    std::mt19937 rng(20240601);
    for (int i = 0; i < 5000; ++i) {
        const QString text = randomText(rng);
        const QByteArray cp = Cp1252::encode(text);
        ASSERT_EQ(Cp1252::decode(cp), text) << cp.toStdString();
        ASSERT_FALSE(cp.contains('\n'));
        ASSERT_FALSE(cp.contains('\r'));
        const QByteArray u8 = Cp1252::encode(text, Charset::Utf8);
        ASSERT_EQ(Cp1252::decode(u8, Charset::Utf8), text) << u8.toStdString();
    }
}

TEST(Cp1252Test, DistinctTextsGiveDistinctBytes) {
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const QString a = randomText(rng);
        const QString b = randomText(rng);
        if (a != b) {
            ASSERT_NE(Cp1252::encode(a), Cp1252::encode(b));
        }
    }
    EXPECT_NE(Cp1252::encode(fromUcs4(0x1F600)), Cp1252::encode(fromUcs4(0x1F601)));
    EXPECT_NE(Cp1252::encode(QStringLiteral("Tor Ω")), Cp1252::encode(QStringLiteral("Tor ?")));
}

} // namespace
