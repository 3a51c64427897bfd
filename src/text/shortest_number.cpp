#include "text/shortest_number.h"

#include <array>
#include <charconv>
#include <cmath>

namespace modelcheck {

std::string ShortestNumberText(double value) {
  if (std::isnan(value)) return "nan";
  std::array<char, 32> buffer{};  // the longest shortest form has 24 characters
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (error != std::errc()) return "nan";
  return std::string(buffer.data(), end);
}

}  // namespace modelcheck
