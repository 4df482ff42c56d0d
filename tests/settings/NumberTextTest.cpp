// Numbers as hand-edited settings files hold them, read the way the desk has always read them.
#include "settings/NumberText.h"

#include <gtest/gtest.h>

TEST(NumberText, WholeNumbersInDecimalHexadecimalAndOctal) {
    const std::pair<const char*, long> numbers[] = {
        {"&HFF", 255},    {"&H000000FF&", 255},         {"&hff", 255},     {"&O17", 15}, {" 255 ", 255},
        {"-1500", -1500}, {"&H8000000F", -2147483633L}, {"&HFFFFFFFF", -1}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(NumberText::wholeNumber(QString::fromLatin1(text)), value) << text;
    for (const char* text : {"0x1F", "&H", "&H1G", "&H100000000", "12.5", "", "99999999999"})
        EXPECT_EQ(NumberText::wholeNumber(QString::fromLatin1(text)), std::nullopt) << text;
    // The labels' numbers take what leads, in either form.
    EXPECT_EQ(NumberText::leadingValue(QStringLiteral(" 2.5 sec")), 2.5);
    EXPECT_EQ(NumberText::leadingValue(QStringLiteral("&H2")), 2.0);
    EXPECT_EQ(NumberText::leadingValue(QStringLiteral("zwei")), 0.0);
}
