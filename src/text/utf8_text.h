// Text from the outside world (file names, header lines) as UTF-8 that
// JSON, pictures and terminals can take.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace modelcheck {

// The length of the well-formed UTF-8 character at `text[at]`, or 0 when
// the byte there does not start one (a stray byte of Latin-1 or binary data).
std::size_t Utf8CharacterLength(std::string_view text, std::size_t at);

bool IsValidUtf8(std::string_view text);

// `text` with every byte that is not part of a well-formed character written
// as \xNN, as Python's "backslashreplace" writes it; valid text is unchanged.
std::string EscapeInvalidUtf8(std::string_view text);

}  // namespace modelcheck
