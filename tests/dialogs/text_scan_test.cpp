#include "dialogs/text_scan.h"

#include <gtest/gtest.h>

using dialogs::ScanDecimal;
using dialogs::ScanHexadecimal;

TEST(TextScan, CountsItemsAsAScanWithATrailingCharacterWould)
{
    EXPECT_EQ(ScanDecimal("").items, -1);
    EXPECT_EQ(ScanDecimal(" \t").items, -1);
    EXPECT_EQ(ScanDecimal("abc").items, 0);
    EXPECT_EQ(ScanDecimal("+").items, 0);
    EXPECT_EQ(ScanDecimal("2025").items, 1);
    EXPECT_EQ(ScanDecimal("  -12").value, -12);
    EXPECT_EQ(ScanDecimal("+2025").value, 2025);
    EXPECT_EQ(ScanDecimal("2025 ").items, 2);
    EXPECT_EQ(ScanDecimal("2025x").value, 2025);
    EXPECT_TRUE(ScanDecimal("99999999999999999999999").overflowed);
}

TEST(TextScan, ReadsHexadecimalWithSignAndPrefix)
{
    EXPECT_EQ(ScanHexadecimal("ff").value, 0xFF);
    EXPECT_EQ(ScanHexadecimal("0x12").value, 0x12);
    EXPECT_EQ(ScanHexadecimal("0X1a").items, 1);
    EXPECT_EQ(ScanHexadecimal("-1").value, -1);
    EXPECT_EQ(ScanHexadecimal(" DFDFDF").value, 0xDFDFDF);
    // A prefix with no digit after it is a 0 followed by a letter.
    EXPECT_EQ(ScanHexadecimal("0x").items, 2);
    EXPECT_EQ(ScanHexadecimal("XYZ").items, 0);
    EXPECT_EQ(ScanHexadecimal("12G").items, 2);
}
