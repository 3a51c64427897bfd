// The values a batch command line gives: single numbers and the lists
// "first:last" (dimensions), "first:last:count" (box sizes, evenly or
// logarithmically spaced). Numbers are read in the C locale whatever the
// user's; a list or number that cannot be read gives a message that says
// what is expected (without the option's name, which the caller adds).
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace modelcheck {

// The most box sizes one list may hold: a grid is for people to read.
inline constexpr std::int32_t kMostBoxSizes = 1000;

template <typename T>
using Parsed = std::variant<T, std::string>;  // the value, or what is wrong

Parsed<std::int64_t> ParseWholeNumber(const std::string& text);
Parsed<double> ParseRealNumber(const std::string& text);

// "2" or "1:6" (every D from 1 to 6; first <= last).
Parsed<std::vector<std::int32_t>> ParseDimensionList(const std::string& text);

// "1" or "1:4" (every delay tau from 1 to 4), as for dimensions.
Parsed<std::vector<std::int32_t>> ParseDelayList(const std::string& text);

// "0.05" or "first:last:count": count values from first to last, evenly
// spaced, or with even ratios when `logarithmic` (first and last positive).
// Each value is rounded to 10 significant digits, so the list reads as
// typed ("0.02", not "0.020000000000000004") and is the same on every
// machine; the end points are kept exactly.
Parsed<std::vector<double>> ParseBoxSizeList(const std::string& text, bool logarithmic);

}  // namespace modelcheck
