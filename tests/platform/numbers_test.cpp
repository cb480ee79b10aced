#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

#include "platform/locale.h"

namespace kvem {
namespace {

TEST(Numbers, FormattingPutsTheUsersSeparatorIn) {
  EXPECT_EQ(FormatDouble("%1.1lf", 0.1, ','), "0,1");
  EXPECT_EQ(FormatDouble("%1.1lf", 0.2, '.'), "0.2");
  EXPECT_EQ(FormatDouble("%8f", 0.5, ','), "0,500000");
  EXPECT_EQ(FormatDouble("%8.2f", 12.345, '.'), "   12.35");
  EXPECT_EQ(FormatDouble("%7.1f", -3.0, ','), "   -3,0");
  EXPECT_EQ(FormatLong("%-8d", 1), "1       ");
  EXPECT_EQ(FormatLong("%8d", 4000), "    4000");
  EXPECT_EQ(FormatLong("%5d", 30), "   30");
}

TEST(Numbers, DecimalsAreReadWithCPrefixSemantics) {
  EXPECT_DOUBLE_EQ(ParseDouble("12,5xyz", ','), 12.5);
  EXPECT_DOUBLE_EQ(ParseDouble("  -3.25e2", '.'), -325.0);
  EXPECT_DOUBLE_EQ(ParseDouble(".5", '.'), 0.5);
  EXPECT_DOUBLE_EQ(ParseDouble("0.0", '.'), 0.0);
  EXPECT_DOUBLE_EQ(ParseDouble("1e", '.'), 1.0);
  EXPECT_DOUBLE_EQ(ParseDouble("abc", '.'), 0.0);
  EXPECT_DOUBLE_EQ(ParseDouble("", ','), 0.0);
  EXPECT_DOUBLE_EQ(ParseDouble("1e999", '.'), DBL_MAX);
  EXPECT_DOUBLE_EQ(ParseDouble("-1e999", '.'), -DBL_MAX);
  EXPECT_DOUBLE_EQ(ParseDouble("1e-999", '.'), 0.0);
}

TEST(Numbers, TheOtherSeparatorStopsReadingAndIsReported) {
  const ParsedNumber comma = ParseDecimal("4.5", ',');
  EXPECT_DOUBLE_EQ(comma.value, 4.0);
  EXPECT_EQ(comma.consumed, 1u);
  EXPECT_TRUE(comma.stoppedAtOtherSeparator);
  const ParsedNumber point = ParseDecimal("4,5", '.');
  EXPECT_DOUBLE_EQ(point.value, 4.0);
  EXPECT_TRUE(point.stoppedAtOtherSeparator);
  EXPECT_FALSE(ParseDecimal("4,5", ',').stoppedAtOtherSeparator);
  EXPECT_FALSE(ParseDecimal("4. ", ',').stoppedAtOtherSeparator);  // a full stop after a number
}

TEST(Numbers, NanInfinityAndHexAreNotNumbers) {
  EXPECT_EQ(ParseDecimal("nan", '.').consumed, 0u);
  EXPECT_DOUBLE_EQ(ParseDouble("inf", '.'), 0.0);
  EXPECT_DOUBLE_EQ(ParseDouble("-infinity", '.'), 0.0);
  EXPECT_DOUBLE_EQ(ParseDouble("0x1p3", '.'), 0.0);
}

TEST(Numbers, IntegersAreReadLikeAtolAndSaturate) {
  EXPECT_EQ(ParseLong("3       "), 3);
  EXPECT_EQ(ParseLong("   -15"), -15);
  EXPECT_EQ(ParseLong("12abc"), 12);
  EXPECT_EQ(ParseLong("x"), 0);
  EXPECT_EQ(ParseLong("+7"), 7);
  EXPECT_EQ(ParseLong("99999999999999999999999"), LONG_MAX);
  EXPECT_EQ(ParseLong("-99999999999999999999999"), LONG_MIN);
  EXPECT_EQ(ParseInt32("5000000000"), INT32_MAX);
  EXPECT_EQ(ParseInt32("-5000000000"), INT32_MIN);
}

TEST(Locale, TheSeparatorComesFromTheLocaleName) {
  EXPECT_EQ(DecimalSeparatorForLocale("cs_CZ.UTF-8"), ',');
  EXPECT_EQ(DecimalSeparatorForLocale("cs_CZ"), ',');
  EXPECT_EQ(DecimalSeparatorForLocale("de_DE@euro"), ',');
  EXPECT_EQ(DecimalSeparatorForLocale("en_US.UTF-8"), '.');
  EXPECT_EQ(DecimalSeparatorForLocale("en_GB"), '.');
  EXPECT_EQ(DecimalSeparatorForLocale("C.UTF-8"), '.');
  EXPECT_EQ(DecimalSeparatorForLocale("POSIX"), '.');
  EXPECT_EQ(DecimalSeparatorForLocale(""), '.');
}

TEST(Locale, TheFirstNonEmptyVariableNamesTheLocale) {
  setenv("LC_ALL", "", 1);
  setenv("LC_NUMERIC", "cs_CZ.UTF-8", 1);
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(DecimalSeparatorFromEnvironment(), ',');
  setenv("LC_ALL", "en_US.UTF-8", 1);
  EXPECT_EQ(DecimalSeparatorFromEnvironment(), '.');
  unsetenv("LC_ALL");
  unsetenv("LC_NUMERIC");
  setenv("LANG", "C.UTF-8", 1);
  EXPECT_EQ(DecimalSeparatorFromEnvironment(), '.');
}

}  // namespace
}  // namespace kvem
