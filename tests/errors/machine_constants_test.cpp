// Machine constants against the language's own limits, the unit table, and
// the messages and stops of out-of-range arguments.
#include "errors/machine_constants.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>

#include "errors/orderly_stop.h"
#include "support/child_process.h"

namespace modelcheck {
namespace {

using testing::RunInChild;
using Double = std::numeric_limits<double>;
using Float = std::numeric_limits<float>;

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

TEST(MachineConstants, DoubleConstantsHaveTheirExactBitPatterns) {
  EXPECT_EQ(Bits(DMACH(1)), Bits(Double::min()));
  EXPECT_EQ(Bits(DMACH(2)), Bits(Double::max()));
  EXPECT_EQ(Bits(DMACH(3)), Bits(Double::epsilon() / 2));
  EXPECT_EQ(Bits(DMACH(4)), Bits(Double::epsilon()));
  EXPECT_EQ(Bits(DMACH(5)), 0x3FD34413509F79FFu);
  EXPECT_EQ(Bits(DMACH(6)), 0x7FF8000000000000u);
  EXPECT_EQ(Bits(DMACH(7)), Bits(Double::infinity()));
  EXPECT_EQ(Bits(DMACH(8)), Bits(-Double::infinity()));
  // The safe minimum of the QR worker relies on this product not being below 1.
  EXPECT_NEAR(DMACH(1) * DMACH(2), 4.0, 1e-12);
}

TEST(MachineConstants, IntegerConstantsDescribeThisMachine) {
  EXPECT_EQ(IMACH(1), 32);
  EXPECT_EQ(IMACH(2), 4);
  EXPECT_EQ(IMACH(4), std::numeric_limits<int>::digits);
  EXPECT_EQ(IMACH(5), INT_MAX);
  EXPECT_EQ(IMACH(6), Double::radix);
  EXPECT_EQ(IMACH(7), Float::digits);
  EXPECT_EQ(IMACH(8), Float::min_exponent);
  EXPECT_EQ(IMACH(9), Float::max_exponent);
  EXPECT_EQ(IMACH(10), Double::digits);
  EXPECT_EQ(IMACH(11), Double::min_exponent);
  EXPECT_EQ(IMACH(12), Double::max_exponent);
}

TEST(MachineConstants, DoubleConstantOutOfRangeStopsWithItsMessage) {
  for (const int n : {0, 9}) {
    const auto result = RunInChild([n] { DMACH(n); });
    EXPECT_EQ(result.status, kErrorStopStatus);
    EXPECT_EQ(result.output,
              "\n"
              " *** TERMINAL ERROR 5 from DMACH.  The argument must be between 1 and 8\n"
              " ***          inclusive. N = " +
                  std::to_string(n) + "\n");
  }
}

TEST(MachineConstants, IntegerConstantOutOfRangeStopsWithItsMessage) {
  const auto result = RunInChild([] { IMACH(13); });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output,
            "\n"
            " *** TERMINAL ERROR 5 from IMACH.  The argument\n"
            " ***          must be between 1 and 12 inclusive.\n"
            " ***          N =     13.\n"
            "\n");
  // A value wider than its field is shown as asterisks.
  const auto wide = RunInChild([] { IMACH(-1234567); });
  EXPECT_NE(wide.output.find(" ***          N = ******.\n"), std::string::npos);
}

TEST(MachineConstants, UnitIndexOutOfRangeStopsWithItsMessage) {
  const auto result = RunInChild([] {
    int unit = 0;
    UMACH(-4, unit);
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output,
            "\n"
            " *** TERMINAL ERROR 5 from UMACH.  The absolute\n"
            " ***          value of the index variable must be\n"
            " ***          1, 2, or 3.  IABS(N) =      4.\n"
            "\n");
  // The magnitude of the most negative index does not fit an int.
  const auto lowest = RunInChild([] {
    int unit = 0;
    UMACH(INT_MIN, unit);
  });
  EXPECT_EQ(lowest.status, kErrorStopStatus);
  EXPECT_NE(lowest.output.find("IABS(N) = ******.\n"), std::string::npos);
}

TEST(MachineConstants, UnitTableReadsAndSets) {
  const auto result = RunInChild([] {
    int in = 0;
    int out = 0;
    int messages = 0;
    UMACH(1, in);
    UMACH(2, out);
    UMACH(3, messages);
    std::cout << in << " " << out << " " << messages << "\n";
    int unit = 7;
    UMACH(-3, unit);
    unit = 0;
    UMACH(3, unit);
    std::cout << unit << "\n";
    // Messages still reach standard output through the changed unit.
    DMACH(0);
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output.substr(0, 8), "5 6 6\n7\n");
  EXPECT_NE(result.output.find("from DMACH."), std::string::npos);
}

}  // namespace
}  // namespace modelcheck
