#include "text/fixed_field.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace modelcheck {

namespace {

std::size_t FieldSize(int width) { return width < 0 ? 0 : static_cast<std::size_t>(width); }

std::string Asterisks(int width) { return std::string(FieldSize(width), '*'); }

std::string FitOrAsterisks(const std::string& text, int width) {
  if (text.size() > FieldSize(width)) return Asterisks(width);
  return std::string(FieldSize(width) - text.size(), ' ') + text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The field without its blanks: blanks inside a numeric field carry no meaning.
std::string CompactField(std::string_view line, int width) {
  std::string compact;
  for (char c : line.substr(0, FieldSize(width)))
    if (c != ' ') compact.push_back(c);
  return compact;
}

std::size_t TakeSign(const std::string& text, std::size_t pos, bool& negative) {
  negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    return pos + 1;
  }
  return pos;
}

std::size_t TakeDigits(const std::string& text, std::size_t pos, std::string& digits) {
  while (pos < text.size() && IsDigit(text[pos])) digits.push_back(text[pos++]);
  return pos;
}

// A saturated exponent: beyond this every mantissa of a 20-column field
// overflows or underflows anyway, and the saturation keeps the sum defined.
constexpr long kExponentLimit = 100000;

long SaturatedValue(const std::string& digits) {
  long value = 0;
  for (char c : digits) value = std::min(kExponentLimit, value * 10 + (c - '0'));
  return value;
}

struct RealText {
  bool negative = false;
  std::string whole;     // digits before the point
  std::string fraction;  // digits after the point
  bool has_point = false;
  long exponent = 0;
};

// Reads the optional exponent: E or D with an optional sign, or a bare sign.
bool TakeExponent(const std::string& text, std::size_t pos, long& exponent) {
  if (pos == text.size()) return true;
  const char c = text[pos];
  if (c == 'E' || c == 'e' || c == 'D' || c == 'd')
    ++pos;
  else if (c != '+' && c != '-')
    return false;
  bool negative = false;
  pos = TakeSign(text, pos, negative);
  std::string digits;
  pos = TakeDigits(text, pos, digits);
  if (digits.empty() || pos != text.size()) return false;
  exponent = negative ? -SaturatedValue(digits) : SaturatedValue(digits);
  return true;
}

std::optional<RealText> SplitReal(const std::string& text) {
  RealText real;
  std::size_t pos = TakeSign(text, 0, real.negative);
  pos = TakeDigits(text, pos, real.whole);
  if (pos < text.size() && text[pos] == '.') {
    real.has_point = true;
    pos = TakeDigits(text, pos + 1, real.fraction);
  }
  if (real.whole.empty() && real.fraction.empty()) return std::nullopt;
  if (!TakeExponent(text, pos, real.exponent)) return std::nullopt;
  return real;
}

// Converts through the C library so that the decimal value is rounded
// correctly once; the program never changes the "C" locale.
std::optional<double> ConvertReal(const RealText& real, int decimals) {
  const long exponent = real.has_point ? real.exponent : real.exponent - decimals;
  const std::string text =
      (real.negative ? "-" : "") + real.whole + "." + real.fraction + "e" + std::to_string(exponent);
  errno = 0;
  const double value = std::strtod(text.c_str(), nullptr);
  // Underflow keeps the rounded tiny value; overflow has no double to give.
  if (errno == ERANGE && std::isinf(value)) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatInteger(std::int64_t value, int width) { return FitOrAsterisks(std::to_string(value), width); }

std::string FormatCount(std::int64_t value, int width) {
  const std::string digits = std::to_string(value);
  if (digits.size() >= static_cast<std::size_t>(width)) return digits;
  return std::string(static_cast<std::size_t>(width) - digits.size(), ' ') + digits;
}

std::string FormatExponent(double value, int significant) {
  const int decimals = significant - 1;
  const int size = std::snprintf(nullptr, 0, "%.*E", decimals, value);
  std::string text(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*E", decimals, value);
  text.pop_back();
  return text;
}

std::string FormatFixed(double value, int width, int decimals) {
  if (!std::isfinite(value)) return Asterisks(width);
  const int size = std::snprintf(nullptr, 0, "%.*f", decimals, value);
  std::string text(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
  text.pop_back();
  return FitOrAsterisks(text, width);
}

std::string FormatText(std::string_view text, std::size_t width) {
  std::string field(text.substr(0, width));
  field.resize(width, ' ');
  return field;
}

std::optional<std::int32_t> ReadIntegerField(std::string_view line, int width) {
  const std::string text = CompactField(line, width);
  if (text.empty()) return 0;
  bool negative = false;
  std::string digits;
  const std::size_t pos = TakeDigits(text, TakeSign(text, 0, negative), digits);
  if (digits.empty() || pos != text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<double> ReadRealField(std::string_view line, int width, int decimals) {
  const std::string text = CompactField(line, width);
  if (text.empty()) return 0.0;
  const std::optional<RealText> real = SplitReal(text);
  if (!real) return std::nullopt;
  return ConvertReal(*real, decimals);
}

char ReadCharacterField(std::string_view line) { return line.empty() ? ' ' : line.front(); }

std::optional<InputFormat> ParseInputFormat(std::string_view text) {
  if (text.size() < 4 || text.front() != '(' || text.back() != ')') return std::nullopt;
  InputFormat format;
  switch (text[1]) {
    case 'I':
      format.kind = FieldKind::kInteger;
      break;
    case 'F':
      format.kind = FieldKind::kReal;
      break;
    case 'A':
      format.kind = FieldKind::kCharacter;
      break;
    default:
      return std::nullopt;
  }
  const std::string body(text.substr(2, text.size() - 3));
  std::string width, decimals;
  std::size_t pos = TakeDigits(body, 0, width);
  if (pos < body.size() && body[pos] == '.' && format.kind == FieldKind::kReal)
    pos = TakeDigits(body, pos + 1, decimals);
  if (width.empty() || width.size() > 4 || decimals.size() > 4 || pos != body.size()) return std::nullopt;
  format.width = std::stoi(width);
  format.decimals = decimals.empty() ? 0 : std::stoi(decimals);
  if (format.width < 1) return std::nullopt;
  return format;
}

}  // namespace modelcheck
