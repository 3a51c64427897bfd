#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/plot_image.h"

namespace modelcheck {

namespace {

bool Fail(std::string& error, std::string_view what, const std::string& path, int code) {
  error = std::string(what) + " " + path + ": " + std::strerror(code);
  return false;
}

// Writes and closes `path`; a short write or a failed close is an error, and
// the half-written file is removed. Messages name `shown`, the file the user
// asked for.
bool WriteWhole(const std::string& path, std::span<const std::uint8_t> bytes, const std::string& shown,
                std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return Fail(error, "cannot open", shown, errno);
  const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
  const int write_code = errno;
  const bool write_ok = written == bytes.size() && std::fflush(file) == 0;
  const int flush_code = errno;
  const bool close_ok = std::fclose(file) == 0;
  const int close_code = errno;
  if (write_ok && close_ok) return true;
  std::remove(path.c_str());
  if (written != bytes.size()) return Fail(error, "cannot write", shown, write_code);
  if (!write_ok) return Fail(error, "cannot write", shown, flush_code);
  return Fail(error, "cannot close", shown, close_code);
}

}  // namespace

bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error) {
  const std::string temporary = path + ".part";
  if (!WriteWhole(temporary, bytes, path, error)) return false;
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const int code = errno;
    std::remove(temporary.c_str());
    return Fail(error, "cannot replace", path, code);
  }
  return true;
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
