#include "text/plain_number.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace modelcheck {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a digit of the mantissa (before any exponent letter) is not zero.
bool NonzeroMantissa(std::string_view token) {
  for (const char c : token) {
    if (c == 'e' || c == 'E' || c == 'd' || c == 'D') return false;
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

PlainNumber Judge(std::string_view token, double value) {
  if (std::isnan(value)) return {NumberStatus::kNotFinite, value};
  if (std::isinf(value)) {
    // "inf" as text, or digits too large for a double.
    const bool digits = std::any_of(token.begin(), token.end(), IsDigit);
    return {digits ? NumberStatus::kOutOfRange : NumberStatus::kNotFinite, value};
  }
  if (value == 0.0 && NonzeroMantissa(token)) return {NumberStatus::kOutOfRange, value};
  return {NumberStatus::kNumber, value};
}

// A token with a D exponent, read again with E in its place; tokens that
// long are not numbers anyone writes with a D.
PlainNumber ReadWithDExponent(std::string_view token, std::size_t letter) {
  std::array<char, 64> copy{};
  if (token.size() > copy.size()) return {};
  std::copy(token.begin(), token.end(), copy.begin());
  copy[letter] = 'E';
  double value = 0.0;
  const auto result = fast_float::from_chars(copy.data(), copy.data() + token.size(), value);
  if (result.ec != std::errc() || result.ptr != copy.data() + token.size()) return {};
  return Judge(token, value);
}

}  // namespace

PlainNumber ParsePlainNumber(std::string_view token) {
  // fast_float reads '-' but not '+'; "+-1" stays refused.
  std::string_view unsigned_part = token;
  if (token.size() > 1 && token[0] == '+' && (IsDigit(token[1]) || token[1] == '.')) unsigned_part.remove_prefix(1);
  const char* first = unsigned_part.data();
  const char* last = first + unsigned_part.size();
  double value = 0.0;
  const auto result = fast_float::from_chars(first, last, value);
  if (result.ec != std::errc()) return {};
  if (result.ptr == last) return Judge(unsigned_part, value);
  if (*result.ptr == 'D' || *result.ptr == 'd')
    return ReadWithDExponent(unsigned_part, static_cast<std::size_t>(result.ptr - first));
  return {};
}

bool LooksNumeric(std::string_view token) { return ParsePlainNumber(token).status != NumberStatus::kNotANumber; }

}  // namespace modelcheck
