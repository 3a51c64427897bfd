#include "plots/font_options.h"

#include <cctype>
#include <charconv>

namespace modelcheck {

namespace {

// Reads the digits at the front of `rest`; sizes above 1000 pixels are refused
// so that no later arithmetic on them can overflow.
bool ReadSize(std::string_view& rest, int& value) {
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
  if (error != std::errc{} || value <= 0 || value > 1000) return false;
  rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
  return true;
}

bool ReadName(std::string_view& rest, std::string& name) {
  if (rest.empty() || rest.front() != '\'') return false;
  const std::size_t close = rest.find('\'', 1);
  if (close == std::string_view::npos || close == 1) return false;
  name = std::string(rest.substr(1, close - 1));
  rest.remove_prefix(close + 1);
  return true;
}

bool ReadOption(std::string_view& rest, FontOptions& options) {
  const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(rest.front())));
  rest.remove_prefix(1);
  switch (letter) {
    case ' ':
      return true;
    case 't':
      return ReadName(rest, options.typeface);
    case 'h':
      return ReadSize(rest, options.height);
    case 'w':
      return ReadSize(rest, options.width);
    case 'i':
      options.italic = true;
      return true;
    case 'b':
      options.bold = true;
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<FontOptions> ParseFontOptions(std::string_view options) {
  FontOptions result;
  while (!options.empty()) {
    if (!ReadOption(options, result)) return std::nullopt;
  }
  if (result.typeface.empty()) return std::nullopt;
  return result;
}

}  // namespace modelcheck
