#include "text/series_field.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <system_error>

#include "text/fixed_field.h"
#include "text/series_file.h"

namespace modelcheck {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return field.substr(first, field.find_last_not_of(' ') - first + 1);
}

// A plain decimal number: m x 10^e with its significant digits in m.
struct PlainDecimal {
  std::uint64_t mantissa = 0;
  int significant = 0;  // counted from the first non-zero digit
  int digits = 0;
  int exponent = 0;
  bool has_point = false;
};

// Digits with one written point; returns where they end. More than 19
// significant digits leave the mantissa incomplete (significant > 19).
std::size_t TakeDigitsAndPoint(std::string_view number, PlainDecimal& decimal) {
  std::size_t pos = 0;
  for (; pos < number.size(); ++pos) {
    const char c = number[pos];
    if (c == '.' && !decimal.has_point) {
      decimal.has_point = true;
      continue;
    }
    if (!IsDigit(c)) break;
    ++decimal.digits;
    if (decimal.has_point) --decimal.exponent;
    if (decimal.significant == 0 && c == '0') continue;
    if (++decimal.significant <= 19) decimal.mantissa = decimal.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return pos;
}

// The optional E exponent: E or e, an optional sign, one to four digits, and
// nothing after it. Longer exponents are left to the general path.
bool TakeExponent(std::string_view rest, PlainDecimal& decimal) {
  if (rest.empty()) return true;
  if (rest[0] != 'E' && rest[0] != 'e') return false;
  rest.remove_prefix(1);
  const bool negative = !rest.empty() && rest[0] == '-';
  if (negative || (!rest.empty() && rest[0] == '+')) rest.remove_prefix(1);
  if (rest.empty() || rest.size() > 4) return false;
  int written = 0;
  for (char c : rest) {
    if (!IsDigit(c)) return false;
    written = written * 10 + (c - '0');
  }
  decimal.exponent += negative ? -written : written;
  return true;
}

// Every power of ten up to 10^22 is a double exactly.
constexpr std::array<double, 23> kExactPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Exact when m and 10^|e| are both doubles (m <= 2^53, |e| <= 22): the one
// multiplication or division then rounds correctly, as the full conversion does.
bool ConvertExactly(const PlainDecimal& decimal, double& value) {
  constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
  if (decimal.significant > 19 || decimal.mantissa > kExactMantissa) return false;
  if (decimal.exponent < -22 || decimal.exponent > 22) return false;
  const double power = kExactPowersOfTen[static_cast<std::size_t>(std::abs(decimal.exponent))];
  const auto mantissa = static_cast<double>(decimal.mantissa);
  value = decimal.exponent < 0 ? mantissa / power : mantissa * power;
  return true;
}

// Correctly rounded like the C library's conversion, so the same double;
// a value out of range (overflow or underflow) is left to the general path.
bool ConvertInFull(std::string_view number, double& value) {
  const std::from_chars_result result = std::from_chars(number.data(), number.data() + number.size(), value);
  return result.ec == std::errc() && result.ptr == number.data() + number.size();
}

}  // namespace

std::optional<double> ReadSeriesField(std::string_view field) {
  field = field.substr(0, kRecordWidth);
  std::string_view number = TrimBlanks(field);
  const bool negative = !number.empty() && number.front() == '-';
  if (negative || (!number.empty() && number.front() == '+')) number.remove_prefix(1);
  PlainDecimal decimal;
  const std::size_t end = TakeDigitsAndPoint(number, decimal);
  double value = 0.0;
  // Without a written point the implied decimals apply: the general reader's rule.
  const bool plain = decimal.has_point && decimal.digits > 0 && TakeExponent(number.substr(end), decimal);
  if (!plain || !(ConvertExactly(decimal, value) || ConvertInFull(number, value))) {
    return ReadRealField(field, kRecordWidth, kRecordDecimals);
  }
  return negative ? -value : value;
}

}  // namespace modelcheck
