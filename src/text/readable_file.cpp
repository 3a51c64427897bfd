#include "text/readable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace modelcheck {

namespace {

std::string Problem(const std::string& path, const std::string& cause) {
  return "Cannot read \"" + path + "\": " + cause + ".";
}

// The system's reason, starting in lower case as the rest of the line.
std::string Reason(int error) {
  if (error == ENOENT) return "no such file";
  std::string text = std::strerror(error);
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z' && (text.size() < 2 || text[1] < 'A' || text[1] > 'Z')) {
    text[0] = static_cast<char>(text[0] - 'A' + 'a');
  }
  return text;
}

}  // namespace

std::string ReadableFileProblem(const std::string& path) {
  struct stat status {};
  // A folder that cannot be entered or a path too long is not "no such file".
  if (::stat(path.c_str(), &status) != 0) return Problem(path, Reason(errno));
  if (!S_ISREG(status.st_mode)) return Problem(path, "not a regular file");
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return Problem(path, "the file cannot be opened (" + Reason(errno) + ")");
  ::close(descriptor);
  return {};
}

}  // namespace modelcheck
