// The fast series reader against the general field reader, bit for bit, and
// records that straddle the reader's chunks.
#include "text/series_field.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>

#include "text/fixed_field.h"
#include "text/series_file.h"

namespace modelcheck {
namespace {

// Same readability and the same bits (so -0.0 differs from 0.0).
void ExpectSameAsGeneral(const std::string& field) {
  const std::optional<double> fast = ReadSeriesField(field);
  const std::optional<double> general = ReadRealField(field, kRecordWidth, kRecordDecimals);
  ASSERT_EQ(fast.has_value(), general.has_value()) << '"' << field << '"';
  if (fast) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*fast), std::bit_cast<std::uint64_t>(*general)) << '"' << field << '"';
  }
}

TEST(SeriesField, EveryFormReadsAsTheGeneralReaderReadsIt) {
  for (const char* field : {"",
                            "    ",
                            "0.",
                            ".0",
                            ".",
                            "-.",
                            "+.5",
                            "-0.0",
                            "-0",
                            "5",
                            "12",
                            "15000000000",
                            "1.5E3",
                            "1.5e-3",
                            "1.5E+3",
                            "1.5E",
                            "1.5E+",
                            "1.5E+-3",
                            "1.5E-+3",
                            "1.5D3",
                            "1.5+3",
                            "2.5-1",
                            "1 2.5",
                            " -1.25 ",
                            "- 1.25",
                            "--1.5",
                            "+-1.5",
                            "1.2.3",
                            "1.5x",
                            "x1.5",
                            "1.0E400",
                            "1.0E-400",
                            "1.0E99999",
                            "0.0E99999",
                            "4.9E-324",
                            "2.4E-324",
                            "1.7976931348623157E308",
                            "1.7976931348623159E308",
                            "9007199254740993.",
                            "9007199254740992.",
                            "0.1234567890123456789",
                            "12345678901234567890.",
                            "-0.000000000000000001",
                            "1.0E0000",
                            "1.0E00001",
                            "1.0e22",
                            "1.0e23",
                            "1.0e-22",
                            "1.0e-23",
                            "1.5\r",
                            "\t1.5",
                            "1,5"}) {
    ExpectSameAsGeneral(field);
  }
}

// Random numbers written as files hold them: fixed and scientific notation
// with every precision, signs, blanks around, and the occasional stray character.
std::string RandomField(std::mt19937_64& random) {
  std::uniform_real_distribution<double> magnitude(-30.0, 30.0);
  std::uniform_int_distribution<int> precision(0, 18), form(0, 5), blanks(0, 3);
  const double value = std::pow(10.0, magnitude(random)) * (random() % 2 ? -1.0 : 1.0);
  char text[64];
  const int digits = precision(random);
  switch (form(random)) {
    case 0:
      std::snprintf(text, sizeof text, "%.*f", digits, value / 1e20);
      break;
    case 1:
      std::snprintf(text, sizeof text, "%.*E", digits, value);
      break;
    case 2:
      std::snprintf(text, sizeof text, "%.*g", digits, value);
      break;
    case 3:
      std::snprintf(text, sizeof text, "%.*e", digits, value * 1e-10);
      break;
    default:
      std::snprintf(text, sizeof text, "%.*f", digits, std::fmod(value, 1000.0));
      break;
  }
  std::string field = std::string(static_cast<std::size_t>(blanks(random)), ' ') + text;
  if (random() % 16 == 0) field[random() % field.size()] = "+-.eE 0x"[random() % 8];
  return field.substr(0, kRecordWidth);
}

TEST(SeriesField, RandomFieldsReadAsTheGeneralReaderReadsThem) {
  constexpr std::uint64_t kSeed = 20261208;
  std::mt19937_64 random(kSeed);
  for (int n = 0; n < 200000; ++n) {
    SCOPED_TRACE("seed " + std::to_string(kSeed) + ", field " + std::to_string(n));
    ExpectSameAsGeneral(RandomField(random));
    if (HasFatalFailure() || HasNonfatalFailure()) return;
  }
}

TEST(CountValues, RecordsAcrossChunkBoundariesAndVeryLongLines) {
  // Line lengths that put a line end, a CR and a field on every side of a 64 KiB
  // boundary; some values run on past column 20 with decimals only, which are read.
  std::string text;
  std::vector<double> expected;
  for (int n = 0; text.size() < 3 * 65536; ++n) {
    const std::string value = std::to_string(n) + ".5" + std::string(static_cast<std::size_t>(n % 41), '0');
    text += value + std::string(static_cast<std::size_t>(n % 37), ' ') + (n % 3 == 0 ? "\r\n" : "\n");
    expected.push_back(n + 0.5);
  }
  text += "7.25" + std::string(200000, ' ') + "#\r\n-1.";
  expected.insert(expected.end(), {7.25, -1.0});
  std::istringstream file(text);
  const SeriesCount count = CountValues(file);
  EXPECT_EQ(count.outcome, CountOutcome::kCounted);
  EXPECT_EQ(count.values, expected);
}

}  // namespace
}  // namespace modelcheck
