// Fuzzes the series file reader with arbitrary bytes: it must never crash,
// read out of bounds or hang, and the fast field reader must give exactly
// what the general fixed-field reader gives for every field it meets.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "text/fixed_field.h"
#include "text/series_field.h"
#include "text/series_file.h"

namespace {

bool SameValue(const std::optional<double>& a, const std::optional<double>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || std::memcmp(&*a, &*b, sizeof(double)) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::istringstream file(bytes);
  const modelcheck::SeriesCount count = modelcheck::CountValues(file);
  if (count.outcome == modelcheck::CountOutcome::kCounted && count.values.size() > bytes.size() + 1) std::abort();
  const std::string_view field = std::string_view(bytes).substr(0, modelcheck::kRecordWidth);
  const std::optional<double> fast = modelcheck::ReadSeriesField(field);
  const std::optional<double> general =
      modelcheck::ReadRealField(field, modelcheck::kRecordWidth, modelcheck::kRecordDecimals);
  if (!SameValue(fast, general)) std::abort();
  return 0;
}
