// Fixed-width fields: how every number is read from a typed line or a series
// record, and how every number is written to the dialogue window and files.
//
// Output: FormatInteger and FormatFixed return exactly `width` characters,
// the value right-aligned, or `width` asterisks when it does not fit (NaN and
// infinities never fit). FormatFixed rounds like printf's "%.*f" (the exact
// binary value to the nearest, an exact tie to even: -1.25 gives "-1.2") and
// keeps its sign, so a negative value that rounds to zero is written as
// "-0.00000".
//
// Input: a field is the first `width` characters of the line; a shorter line
// is read as if padded with blanks, and characters after the field are
// ignored. Blanks anywhere in a numeric field are ignored and an all-blank
// field reads as 0. A real field without a decimal point takes its last
// `decimals` digits before the exponent as decimals ("12" in a field with 10
// implied decimals reads 1.2e-9); a written point overrides that. Exponents:
// E or D (either case) with an optionally signed integer, or a signed integer
// directly ("1.5+3" is 1500). Anything else, and a value outside the range of
// the destination type, makes the field unreadable: the result is empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modelcheck {

std::string FormatInteger(std::int64_t value, int width);

std::string FormatFixed(double value, int width, int decimals);

// A count right-aligned in `width` columns, or written in full when it needs
// more: a count is never shown as asterisks.
std::string FormatCount(std::int64_t value, int width);

// `value` with `significant` significant digits in exponent form, as
// printf's "%.*E" writes it ("1.2346E-06" for 5 digits); no padding.
std::string FormatExponent(double value, int significant);

// `text` left-aligned in exactly `width` characters: cut to the field, or
// padded on the right with blanks.
std::string FormatText(std::string_view text, std::size_t width);

std::optional<std::int32_t> ReadIntegerField(std::string_view line, int width);

std::optional<double> ReadRealField(std::string_view line, int width, int decimals);

// The first character of the line, or a blank for an empty line.
char ReadCharacterField(std::string_view line);

// An input format written as text: "(I6)", "(I2)", "(F20.10)" or "(A1)".
enum class FieldKind { kInteger, kReal, kCharacter };

struct InputFormat {
  FieldKind kind = FieldKind::kInteger;
  int width = 0;
  int decimals = 0;
};

// Empty for a text that is not "(Iw)", "(Fw.d)" or "(Aw)" with w >= 1.
std::optional<InputFormat> ParseInputFormat(std::string_view text);

}  // namespace modelcheck
