#include "text/utf8_text.h"

#include <cstdio>

namespace modelcheck {

namespace {

bool IsContinuation(unsigned char byte) { return (byte >> 6) == 0x2; }

}  // namespace

std::size_t Utf8CharacterLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if (!IsContinuation(static_cast<unsigned char>(text[at + k]))) return 0;
  // Overlong forms of ASCII are not well formed.
  if (length == 2 && lead < 0xC2) return 0;
  return length;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharacterLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::string EscapeInvalidUtf8(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharacterLength(text, at);
    if (length > 0) {
      out.append(text.substr(at, length));
      at += length;
      continue;
    }
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(text[at]));
    out += escaped;
    ++at;
  }
  return out;
}

}  // namespace modelcheck
