// Font requests by option string, e.g. "t'Arial'h14w7i".
//
// Options, in any order: t'name' the typeface, hN the character height and wN
// the mean character width in pixels, i italic, b bold. Blanks between options
// are ignored. Any other letter, a missing number or an unterminated name makes
// the request unreadable: no value comes back and no font is selected.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace modelcheck {

struct FontOptions {
  std::string typeface;
  int height = 0;  // pixels; 0 = not given
  int width = 0;   // pixels; 0 = not given
  bool italic = false;
  bool bold = false;
};

std::optional<FontOptions> ParseFontOptions(std::string_view options);

}  // namespace modelcheck
