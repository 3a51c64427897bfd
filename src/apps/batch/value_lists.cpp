#include "apps/batch/value_lists.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace modelcheck {

namespace {

std::vector<std::string> SplitAtColons(const std::string& text) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == ':') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// The nearest double with 10 significant decimal digits; correctly rounded
// both ways, so the same on every machine.
double TenDigits(double value) {
  std::array<char, 40> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.9e", value);
  return std::strtod(buffer.data(), nullptr);
}

double Spaced(double first, double last, std::int64_t i, std::int64_t count, bool logarithmic) {
  if (i == 0) return first;
  if (i == count - 1) return last;
  const double fraction = static_cast<double>(i) / static_cast<double>(count - 1);
  if (!logarithmic) return TenDigits(first + (last - first) * fraction);
  return TenDigits(first * std::pow(last / first, fraction));
}

}  // namespace

Parsed<std::int64_t> ParseWholeNumber(const std::string& text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return "\"" + text + "\" is not a whole number";
  return value;
}

Parsed<double> ParseRealNumber(const std::string& text) {
  double value = 0.0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  // from_chars takes no leading plus sign; people type one.
  if (begin != end && *begin == '+') ++begin;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (begin == end || error != std::errc() || stop != end || !std::isfinite(value))
    return "\"" + text + "\" is not a finite number";
  return value;
}

namespace {

// "2" or "1:6" for a list of whole numbers, named in refusals as `one`
// ("a dimension D") and `many` ("dimensions").
Parsed<std::vector<std::int32_t>> ParseWholeRange(const std::string& text, const char* one, const char* many) {
  const std::vector<std::string> parts = SplitAtColons(text);
  if (parts.size() > 2) return "\"" + text + "\" is neither " + one + " nor a list first:last";
  std::vector<std::int64_t> ends;
  for (const std::string& part : parts) {
    const auto number = ParseWholeNumber(part);
    if (const auto* problem = std::get_if<std::string>(&number)) return *problem;
    ends.push_back(std::get<std::int64_t>(number));
  }
  const std::int64_t first = ends.front();
  const std::int64_t last = ends.back();
  if (first > last) return "\"" + text + "\" runs backwards: write first:last with first <= last";
  // A value outside its range is refused with the other settings; the cap only bounds the list.
  if (last - first >= 1000) return "\"" + text + "\" holds more than 1000 " + many;
  std::vector<std::int32_t> values;
  for (std::int64_t v = first; v <= last; ++v) {
    values.push_back(v < INT32_MIN || v > INT32_MAX ? INT32_MIN : static_cast<std::int32_t>(v));
  }
  return values;
}

}  // namespace

Parsed<std::vector<std::int32_t>> ParseDimensionList(const std::string& text) {
  return ParseWholeRange(text, "a dimension D", "dimensions");
}

Parsed<std::vector<std::int32_t>> ParseDelayList(const std::string& text) {
  return ParseWholeRange(text, "a delay tau", "delays");
}

Parsed<std::vector<double>> ParseBoxSizeList(const std::string& text, bool logarithmic) {
  const std::vector<std::string> parts = SplitAtColons(text);
  const char* form = logarithmic ? "first:last:count" : "eps or a list first:last:count";
  if (parts.size() != 3 && (logarithmic || parts.size() != 1)) return "\"" + text + "\" is not " + form;
  const auto first = ParseRealNumber(parts[0]);
  if (const auto* problem = std::get_if<std::string>(&first)) return *problem;
  if (parts.size() == 1) return std::vector<double>{std::get<double>(first)};
  const auto last = ParseRealNumber(parts[1]);
  if (const auto* problem = std::get_if<std::string>(&last)) return *problem;
  const auto count = ParseWholeNumber(parts[2]);
  if (const auto* problem = std::get_if<std::string>(&count)) return *problem;
  const std::int64_t n = std::get<std::int64_t>(count);
  if (n < 1 || n > kMostBoxSizes) return "the count " + parts[2] + " is outside 1 to " + std::to_string(kMostBoxSizes);
  const double a = std::get<double>(first);
  const double b = std::get<double>(last);
  if (logarithmic && !(a > 0.0 && b > 0.0)) return "\"" + text + "\": a logarithmic list needs positive ends";
  std::vector<double> values;
  for (std::int64_t i = 0; i < n; ++i) values.push_back(Spaced(a, b, i, n, logarithmic));
  return values;
}

}  // namespace modelcheck
