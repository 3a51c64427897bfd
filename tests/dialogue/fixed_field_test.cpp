// Fixed-width fields: reading typed lines and records, writing numbers.
#include "text/fixed_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace modelcheck {
namespace {

TEST(RealField, ImpliedDecimalsApplyOnlyWithoutAPoint) {
  EXPECT_DOUBLE_EQ(*ReadRealField("12", 20, 10), 1.2e-9);
  EXPECT_DOUBLE_EQ(*ReadRealField("5", 20, 10), 5e-10);
  EXPECT_DOUBLE_EQ(*ReadRealField("15000000000", 20, 10), 1.5);
  EXPECT_EQ(*ReadRealField("12.0", 20, 10), 12.0);
  EXPECT_EQ(*ReadRealField("1.", 20, 10), 1.0);
  EXPECT_EQ(*ReadRealField(".5", 20, 10), 0.5);
  EXPECT_EQ(*ReadRealField("-0.957091005430701", 20, 10), -0.957091005430701);
}

TEST(RealField, ExponentFormsAndInnerBlanks) {
  EXPECT_EQ(*ReadRealField("1.5E3", 20, 10), 1500.0);
  EXPECT_EQ(*ReadRealField("1.5e3", 20, 10), 1500.0);
  EXPECT_EQ(*ReadRealField("1.5D+3", 20, 10), 1500.0);
  EXPECT_EQ(*ReadRealField("1.5+3", 20, 10), 1500.0);
  EXPECT_EQ(*ReadRealField("2.5-1", 20, 10), 0.25);
  EXPECT_EQ(*ReadRealField("1 2.5", 20, 10), 12.5);
  EXPECT_EQ(*ReadRealField("  - 1 . 5 E 1 ", 20, 10), -15.0);
  // Without a point the implied decimals still scale the digits before E.
  EXPECT_DOUBLE_EQ(*ReadRealField("15E10", 20, 10), 15.0);
}

TEST(RealField, BlankFieldsReadZeroAndColumnsAfterTheFieldAreIgnored) {
  EXPECT_EQ(*ReadRealField("", 20, 10), 0.0);
  EXPECT_EQ(*ReadRealField("          ", 20, 10), 0.0);
  EXPECT_EQ(*ReadRealField("                    garbage", 20, 10), 0.0);
  EXPECT_EQ(*ReadRealField("1.25                xyz 99", 20, 10), 1.25);
  EXPECT_EQ(*ReadRealField("0.5                 7", 20, 10), 0.5);
}

TEST(RealField, UnreadableContentIsRefused) {
  for (const char* text : {"abc", "1.2.3", ".", "-", "+", "E3", "1.5E", "1.5E+", "1,5", "inf", "nan", "0x10", "1.5\t",
                           "1..", "--1", "1.5EE3", "1.5E3.0"})
    EXPECT_FALSE(ReadRealField(text, 20, 10).has_value()) << '"' << text << '"';
}

TEST(RealField, ValuesBeyondTheDoubleRangeAreUnreadableButTinyOnesRoundDown) {
  EXPECT_FALSE(ReadRealField("1E999", 20, 10).has_value());
  EXPECT_FALSE(ReadRealField("-1.0E99999999999999", 20, 10).has_value());
  EXPECT_EQ(*ReadRealField("1E-99999999999999", 20, 10), 0.0);
  EXPECT_EQ(*ReadRealField("1.7E308", 20, 10), 1.7e308);
  // Column 21 on is not part of the field, even in the middle of an exponent.
  EXPECT_EQ(*ReadRealField("1.7976931348623157E308", 20, 10), 1.7976931348623157e3);
}

TEST(IntegerField, WidthDecidesWhatIsRead) {
  EXPECT_EQ(*ReadIntegerField("1234567", 6), 123456);
  EXPECT_EQ(*ReadIntegerField("123", 2), 12);
  EXPECT_EQ(*ReadIntegerField("  5", 2), 0);
  EXPECT_EQ(*ReadIntegerField(" 5", 2), 5);
  EXPECT_EQ(*ReadIntegerField("", 6), 0);
  EXPECT_EQ(*ReadIntegerField("1 0", 6), 10);
  EXPECT_EQ(*ReadIntegerField("-42", 6), -42);
  EXPECT_EQ(*ReadIntegerField("+7xyz", 2), 7);
}

TEST(IntegerField, UnreadableContentIsRefused) {
  for (const char* text : {"ten", "1.5", "-", "1e3", "12a", "+-1"})
    EXPECT_FALSE(ReadIntegerField(text, 6).has_value()) << '"' << text << '"';
  EXPECT_FALSE(ReadIntegerField("99999999999", 11).has_value());
  EXPECT_EQ(*ReadIntegerField("-2147483648", 11), std::numeric_limits<std::int32_t>::min());
}

TEST(CharacterField, FirstCharacterWithoutCaseFolding) {
  EXPECT_EQ(ReadCharacterField("yes"), 'y');
  EXPECT_EQ(ReadCharacterField("N"), 'N');
  EXPECT_EQ(ReadCharacterField(""), ' ');
}

TEST(InputFormat, TheFourFormsAndNothingElse) {
  const InputFormat real = *ParseInputFormat("(F20.10)");
  EXPECT_EQ(real.kind, FieldKind::kReal);
  EXPECT_EQ(real.width, 20);
  EXPECT_EQ(real.decimals, 10);
  EXPECT_EQ(ParseInputFormat("(I6)")->width, 6);
  EXPECT_EQ(ParseInputFormat("(I2)")->kind, FieldKind::kInteger);
  EXPECT_EQ(ParseInputFormat("(A1)")->kind, FieldKind::kCharacter);
  for (const char* text : {"I6", "(I)", "(I0)", "(X3)", "(I6.2)", "(F20.)x", "(F20.10", ""})
    EXPECT_FALSE(ParseInputFormat(text).has_value()) << text;
}

TEST(OutputField, IntegersRightAlignedOrAsterisks) {
  EXPECT_EQ(FormatInteger(3000, 5), " 3000");
  EXPECT_EQ(FormatInteger(99999, 5), "99999");
  EXPECT_EQ(FormatInteger(100000, 5), "*****");
  EXPECT_EQ(FormatInteger(-5, 2), "-5");
  EXPECT_EQ(FormatInteger(-10, 2), "**");
  EXPECT_EQ(FormatInteger(0, 4), "   0");
}

TEST(OutputField, FixedPointRoundsLikePrintfAndFillsWithAsterisks) {
  EXPECT_EQ(FormatFixed(0.05, 9, 5), "  0.05000");
  EXPECT_EQ(FormatFixed(10000.0, 9, 5), "*********");
  EXPECT_EQ(FormatFixed(999.999994, 9, 5), "999.99999");
  EXPECT_EQ(FormatFixed(-1.25, 5, 1), " -1.2");  // 1.25 is exact: printf rounds to even here
  EXPECT_EQ(FormatFixed(0.15, 5, 1), "  0.1");   // the double below 0.15
  EXPECT_EQ(FormatFixed(-0.000001, 9, 5), " -0.00000");
  EXPECT_EQ(FormatFixed(std::nan(""), 5, 1), "*****");
  EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 5, 1), "*****");
  EXPECT_EQ(FormatFixed(1e300, 9, 5), "*********");
}

TEST(OutputField, TextLeftAlignedCutOrPaddedWithBlanks) {
  EXPECT_EQ(FormatText("DGEMV", 8), "DGEMV   ");
  EXPECT_EQ(FormatText("Model phase orbit", 5), "Model");
  EXPECT_EQ(FormatText("", 3), "   ");
  EXPECT_EQ(FormatText("abc", 0), "");
}

// Counts are never asterisks: what fits its field reads as before, what does
// not is written whole.
TEST(FixedFieldOutput, CountsWiderThanTheirFieldAreWrittenInFull) {
  EXPECT_EQ(FormatCount(3000, 5), " 3000");
  EXPECT_EQ(FormatCount(99999, 5), "99999");
  EXPECT_EQ(FormatCount(100000, 5), "100000");
  EXPECT_EQ(FormatCount(-2147483647 - 1, 6), "-2147483648");
}

TEST(FixedFieldOutput, ExponentFormKeepsTheSignificantDigits) {
  EXPECT_EQ(FormatExponent(5e-10, 5), "5.0000E-10");
  EXPECT_EQ(FormatExponent(123456.7, 5), "1.2346E+05");
  EXPECT_EQ(FormatExponent(-0.000001234567, 5), "-1.2346E-06");
}

}  // namespace
}  // namespace modelcheck
