// Whether a chosen path can be read as a series file, in words the user
// can act on.
#include <filesystem>
#include <fstream>
#include <system_error>

#include "dialogue/file_chooser.h"

namespace modelcheck {

std::string ReadableFileProblem(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return "Cannot read \"" + path + "\": no such file.";
  if (!std::filesystem::is_regular_file(status)) return "Cannot read \"" + path + "\": not a regular file.";
  if (!std::ifstream(path).is_open()) return "Cannot read \"" + path + "\": the file cannot be opened.";
  return {};
}

}  // namespace modelcheck
