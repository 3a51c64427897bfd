// One value of a plain-text series: a complete decimal number, as C++
// reads one (fast_float), with the Fortran exponent letter D also read as E
// and a leading '+' allowed. The whole token must be the number.
//
// Refused: anything else (kNotANumber), "nan" and "inf" (kNotFinite), and a
// number whose magnitude is beyond the double range or so small that it would
// read as 0 though its digits are not all zero (kOutOfRange). Subnormal values
// are kept: they are the nearest doubles.
#pragma once

#include <string_view>

namespace modelcheck {

enum class NumberStatus { kNumber, kNotANumber, kNotFinite, kOutOfRange };

struct PlainNumber {
  NumberStatus status = NumberStatus::kNotANumber;
  double value = 0.0;
};

PlainNumber ParsePlainNumber(std::string_view token);

// True when `token` reads as a number of any kind, nan and inf included:
// what tells a data line from a header.
bool LooksNumeric(std::string_view token);

}  // namespace modelcheck
