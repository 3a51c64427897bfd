// Fuzzes the fields every typed answer is read through: integer and real
// fields of every width the dialogue uses, the character field and the
// format parser must never crash, and what they return must be consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "text/fixed_field.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  for (const int width : {2, 6, 11}) {
    const std::optional<std::int32_t> value = modelcheck::ReadIntegerField(line, width);
    // Only the field is read: the same line cut to the field reads the same.
    if (value != modelcheck::ReadIntegerField(line.substr(0, static_cast<std::size_t>(width)), width)) std::abort();
    if (value && modelcheck::FormatCount(*value, width).empty()) std::abort();
  }
  const std::optional<double> real = modelcheck::ReadRealField(line, 20, 10);
  if (real && modelcheck::FormatFixed(*real, 9, 5).size() != 9) std::abort();
  modelcheck::ReadCharacterField(line);
  modelcheck::ParseInputFormat(line);
  return 0;
}
