// Value helpers and the date text.
#include "core/date_text.h"
#include "core/values.h"

#include <gtest/gtest.h>

namespace {
// 5 March 2026, 14:07:09, as seconds since 1970 counted as UTC.
constexpr int32_t kMarch5 = 1772719629;
}  // namespace

TEST(DateText, FormatsTheGameMasks) {
    EXPECT_EQ(FormatDateText("%dd/%mm/%yyyy", kMarch5), "05/03/2026");
    EXPECT_EQ(FormatDateText("  %hh:%ii:%ss", kMarch5), "  14:07:09");
    EXPECT_EQ(FormatDateText("%YY", kMarch5), "26");
    EXPECT_EQ(FormatDateText("%Yyyy-%MM", kMarch5), "2026-03");
    EXPECT_EQ(FormatDateText("100%", kMarch5), "100%");
    EXPECT_EQ(FormatDateText("%x%%dd", kMarch5), "%x%05");
    EXPECT_EQ(FormatDateText("%dd/%mm/%yyyy", 0), "01/01/1970");
    EXPECT_EQ(FormatDateText("%dd/%mm/%yyyy %hh", 951825600), "29/02/2000 12");
}

TEST(Values, RoundToIntDropsTheFractionTowardZero) {
    EXPECT_EQ(RoundToInt(2.9f), 2);
    EXPECT_EQ(RoundToInt(-2.9f), -2);
    EXPECT_EQ(RoundToInt(-0.5f), 0);
    EXPECT_EQ(RoundToInt(6144.0f / 6.0f), 1024);
}

TEST(Values, NearestIntTakesHalvesToEven) {
    const struct { double value; int32_t nearest; } rows[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {-0.5, 0}, {1182.6, 1183}, {-1182.6, -1183},
        {0.49999999999999994, 0}, {2147483646.5, 2147483646}, {-2147483647.5, INT32_MIN}, {1e300, INT32_MAX}};
    for (const auto& row : rows) EXPECT_EQ(NearestInt(row.value), row.nearest) << row.value;
}

TEST(Values, TextToIntReadsSignAndLeadingDigits) {
    EXPECT_EQ(TextToInt("  -12x"), -12);
    EXPECT_EQ(TextToInt("x1"), 0);
    EXPECT_EQ(TextToInt("+7"), 7);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("9"), 9);
    EXPECT_EQ(TextToInt("4294967297"), 1);  // modulo 2^32
}

TEST(Values, MixColourSpillsWithoutClamping) {
    EXPECT_EQ(MixColour(0, 256, 0), MixColour(0, 0, 1));
    EXPECT_EQ(MixColour(255, 0, 0), 0x0000FF);
    EXPECT_EQ(MixColour(35, 255, 50), 35 + 255 * 256 + 50 * 65536);
    EXPECT_EQ(MixColour(-1, 0, 0), -1);
}

TEST(Values, DecimalTextAndCharacterCodes) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-1), "-1");
    EXPECT_EQ(IntToText(1234), "1234");
    EXPECT_EQ(CharCode("A"), 65);
    EXPECT_EQ(CharCode(""), 0);
    EXPECT_EQ(CharCode("\xE9"), 233);
}
