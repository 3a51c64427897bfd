// Integers in fixed-width text fields, as the printed messages lay them out.
//
// RightJustified(value, width) gives exactly `width` characters: the decimal
// value, blank padded on the left, or `width` asterisks when it does not fit.
#pragma once

#include <string>

namespace modelcheck {

inline std::string RightJustified(long long value, std::size_t width) {
  const std::string digits = std::to_string(value);
  if (digits.size() > width) return std::string(width, '*');
  return std::string(width - digits.size(), ' ') + digits;
}

}  // namespace modelcheck
