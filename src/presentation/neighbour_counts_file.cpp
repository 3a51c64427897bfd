#include "presentation/neighbour_counts_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/fixed_field.h"

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
  for (const std::int32_t count : counts) text += " " + FormatInteger(count, 6) + "\n";
  return text;
}

std::string ReplaceTextFile(const std::string& path, std::string_view text) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return Failure(path, "open", errno);
  const std::size_t written = std::fwrite(text.data(), 1, text.size(), file);
  const int write_error = written == text.size() ? 0 : errno;
  // A full disk often shows only when the buffer is flushed by the close.
  const int close_result = std::fclose(file);
  if (written != text.size()) return Failure(path, "write", write_error);
  if (close_result != 0) return Failure(path, "close", errno);
  return {};
}

}  // namespace modelcheck
