#include "errors/machine_constants.h"

#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <sstream>

#include "errors/error_stack.h"
#include "errors/message_unit.h"
#include "errors/orderly_stop.h"
#include "text/fixed_field.h"

namespace modelcheck {

namespace {

// Bit patterns rather than literals, so every entry is exact on every compiler.
constexpr std::array<std::uint64_t, 8> kDoubleBits = {
    0x0010000000000000,  // 2^-1022, smallest normalised
    0x7FEFFFFFFFFFFFFF,  // largest finite
    0x3CA0000000000000,  // 2^-53
    0x3CB0000000000000,  // 2^-52, spacing at 1
    0x3FD34413509F79FF,  // log10(2)
    0x7FF8000000000000,  // quiet NaN
    0x7FF0000000000000,  // +infinity
    0xFFF0000000000000,  // -infinity
};

constexpr std::array<int, 12> kIntegerConstants = {32, 4, 2, 31, 2147483647, 2, 24, -125, 128, 53, -1021, 1024};

// The message units, settable by UMACH(-n): atomic, since any thread may
// print while a program sets them.
std::array<std::atomic<int>, 3>& UnitTable() {
  static std::array<std::atomic<int>, 3> units = {5, 6, 6};
  return units;
}

void WriteImachRangeError(int n) {
  int unit = 0;
  UMACH(2, unit);
  std::ostringstream out;
  out << '\n'
      << " *** TERMINAL ERROR 5 from IMACH.  The argument\n"
      << " ***          must be between 1 and 12 inclusive.\n"
      << " ***          N = " << FormatInteger(n, 6) << ".\n"
      << '\n';
  WriteToUnit(unit, out.str());
}

void WriteUmachRangeError(long long magnitude) {
  std::ostringstream out;
  out << '\n'
      << " *** TERMINAL ERROR 5 from UMACH.  The absolute\n"
      << " ***          value of the index variable must be\n"
      << " ***          1, 2, or 3.  IABS(N) = " << FormatInteger(magnitude, 6) << ".\n"
      << '\n';
  WriteToUnit(UnitTable()[2], out.str());
}

}  // namespace

double DMACH(int n) {
  if (n >= 1 && n <= 8) return std::bit_cast<double>(kDoubleBits[n - 1]);
  E1PSH("DMACH");
  E1INT(1, n);
  E1MES(5, 5, "The argument must be between 1 and 8 inclusive. N = %(I1)");
  E1POP("DMACH");
  return std::bit_cast<double>(kDoubleBits[5]);
}

int IMACH(int n) {
  if (n >= 1 && n <= 12) return kIntegerConstants[n - 1];
  WriteImachRangeError(n);
  StopProgram(kErrorStopStatus);
}

void UMACH(int n, int& unit) {
  // Widened first: the magnitude of the most negative int does not fit an int.
  const long long magnitude = n < 0 ? -static_cast<long long>(n) : n;
  if (magnitude < 1 || magnitude > 3) {
    WriteUmachRangeError(magnitude);
    StopProgram(kErrorStopStatus);
  }
  std::atomic<int>& entry = UnitTable()[static_cast<std::size_t>(magnitude - 1)];
  if (n > 0) {
    unit = entry.load();
  } else {
    entry.store(unit);
  }
}

}  // namespace modelcheck
