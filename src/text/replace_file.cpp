#include "text/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace modelcheck {

namespace {

FileFailure Failure(const char* action, int error) { return FileFailure{.action = action, .error = error}; }

// Writes every byte, going on after a partial write or an interrupted call.
bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// What open(..., 0666) would give under the current umask.
mode_t PlainCreationMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

// Gathers the pieces into blocks and writes each block whole; remembers the
// first failure and writes nothing after it.
class BlockWriter {
 public:
  explicit BlockWriter(int descriptor) : descriptor_(descriptor) { block_.reserve(kBlockSize); }

  bool Add(std::string_view bytes) {
    if (failed_) return false;
    if (block_.size() + bytes.size() > kBlockSize) Flush();
    if (bytes.size() >= kBlockSize) {
      if (!failed_ && !WriteAll(descriptor_, bytes)) Fail();
    } else {
      block_.append(bytes);
    }
    return !failed_;
  }

  // True when every byte was written; errno holds the cause otherwise.
  bool Finish() {
    Flush();
    if (failed_) errno = error_;
    return !failed_;
  }

 private:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 16;

  void Flush() {
    if (!failed_ && !block_.empty() && !WriteAll(descriptor_, block_)) Fail();
    block_.clear();
  }
  void Fail() {
    failed_ = true;
    error_ = errno;
  }

  int descriptor_;
  std::string block_;
  bool failed_ = false;
  int error_ = 0;
};

bool Produce(int descriptor, const std::function<void(const ByteWriter&)>& produce) {
  BlockWriter writer(descriptor);
  produce([&writer](std::string_view bytes) { return writer.Add(bytes); });
  return writer.Finish();
}

std::optional<FileFailure> WriteDirectly(const std::string& path,
                                         const std::function<void(const ByteWriter&)>& produce) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
  if (descriptor < 0) return Failure("open", errno);
  const bool written = Produce(descriptor, produce);
  const int write_error = errno;
  if (::close(descriptor) != 0 && written) return Failure("close", errno);
  if (!written) return Failure("write", write_error);
  return std::nullopt;
}

std::optional<FileFailure> WriteTemporary(int descriptor, const std::function<void(const ByteWriter&)>& produce,
                                          mode_t mode) {
  bool produced = false;
  try {
    produced = Produce(descriptor, produce);
  } catch (...) {
    ::close(descriptor);
    throw;
  }
  if (!produced) {
    const int error = errno;
    ::close(descriptor);
    return Failure("write", error);
  }
  if (::fchmod(descriptor, mode) != 0) {
    const int error = errno;
    ::close(descriptor);
    return Failure("write", error);
  }
  // A full disk may show only at the close, when the last blocks are written.
  if (::close(descriptor) != 0) return Failure("close", errno);
  return std::nullopt;
}

}  // namespace

std::optional<FileFailure> ReplaceFileWhole(const std::string& path, std::string_view bytes) {
  return ReplaceFileStreamed(path, [bytes](const ByteWriter& write) { write(bytes); });
}

std::optional<FileFailure> ReplaceFileStreamed(const std::string& path,
                                               const std::function<void(const ByteWriter&)>& produce) {
  struct stat existing {};
  const bool exists = ::lstat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return Failure("open", EISDIR);
  if (exists && !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode)) return WriteDirectly(path, produce);
  const mode_t mode = exists && S_ISREG(existing.st_mode) ? (existing.st_mode & 07777) : PlainCreationMode();
  std::vector<char> name(path.begin(), path.end());
  for (const char c : std::string_view(".XXXXXX")) name.push_back(c);
  name.push_back('\0');
  const int descriptor = ::mkostemp(name.data(), O_CLOEXEC);
  if (descriptor < 0) return Failure("open", errno);
  std::optional<FileFailure> failure;
  try {
    failure = WriteTemporary(descriptor, produce, mode);
  } catch (...) {
    // A producer that fails leaves no half file behind.
    ::unlink(name.data());
    throw;
  }
  if (failure) {
    ::unlink(name.data());
    return failure;
  }
  if (::rename(name.data(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(name.data());
    return Failure("replace", error);
  }
  return std::nullopt;
}

}  // namespace modelcheck
