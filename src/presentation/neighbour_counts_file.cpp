#include "presentation/neighbour_counts_file.h"

#include <cstring>
#include <optional>

#include "text/fixed_field.h"
#include "text/replace_file.h"

namespace modelcheck {

namespace {

std::string Failure(const std::string& path, const char* action, int error_number) {
  const char* cause = error_number != 0 ? std::strerror(error_number) : "no cause given";
  return "Cannot " + std::string(action) + " the file " + path + ": " + cause;
}

}  // namespace

std::string FormatNeighbourCounts(std::span<const std::int32_t> counts) {
  std::string text;
  text.reserve(counts.size() * 8);
  for (const std::int32_t count : counts) text += " " + FormatCount(count, 6) + "\n";
  return text;
}

std::string ReplaceTextFile(const std::string& path, std::string_view text) {
  const std::optional<FileFailure> failure = ReplaceFileWhole(path, text);
  if (!failure) return {};
  return Failure(path, failure->action.c_str(), failure->error);
}

}  // namespace modelcheck
