#include <cstring>
#include <optional>
#include <string_view>

#include "presentation/plot_image.h"
#include "text/replace_file.h"

namespace modelcheck {

namespace {

bool Fail(std::string& error, std::string_view what, const std::string& path, int code) {
  error = std::string(what) + " " + path + ": " + std::strerror(code);
  return false;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::optional<FileFailure> failure = ReplaceFileWhole(path, text);
  if (!failure) return true;
  return Fail(error, "cannot " + failure->action, path, failure->error);
}

bool WritePlotImage(const GraphicsSurface& surface, const std::string& path, std::string& error) {
  const std::vector<std::uint8_t> bytes = EncodePlotImage(surface);
  if (bytes.empty()) {
    error = "cannot encode the picture for " + path;
    return false;
  }
  return ReplaceFile(path, bytes, error);
}

}  // namespace modelcheck
