#include "text/byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace modelcheck {

namespace {

// The system's reason, in the lower case of the rest of the message.
std::string Reason(int error) {
  if (error == ENOENT) return "no such file";
  std::string text = std::strerror(error);
  if (text.size() > 1 && text[0] >= 'A' && text[0] <= 'Z' && !(text[1] >= 'A' && text[1] <= 'Z'))
    text[0] = static_cast<char>(text[0] - 'A' + 'a');
  return text;
}

[[noreturn]] void Fail(ReadProblem problem, const std::string& name, const std::string& reason) {
  throw SeriesReadError(problem, name, 0, {}, reason);
}

class DescriptorSource : public ByteSource {
 public:
  DescriptorSource(int descriptor, bool owned, std::string name)
      : descriptor_(descriptor), owned_(owned), name_(std::move(name)) {
    struct stat status {};
    regular_ = ::fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode);
  }
  DescriptorSource(const DescriptorSource&) = delete;
  DescriptorSource& operator=(const DescriptorSource&) = delete;
  ~DescriptorSource() override {
    if (owned_) ::close(descriptor_);
  }

  std::size_t Read(std::span<char> out) override {
    for (;;) {
      const ssize_t got = ::read(descriptor_, out.data(), out.size());
      if (got >= 0) {
        offset_ += static_cast<std::size_t>(got);
        return static_cast<std::size_t>(got);
      }
      // A signal that the program handles must not end the reading.
      if (errno != EINTR) Fail(ReadProblem::kReadFailed, name_, "reading failed: " + Reason(errno));
    }
  }

  bool NeverWaits() const override { return regular_; }

  std::optional<std::size_t> BytesAhead() const override {
    struct stat status {};
    if (!regular_ || ::fstat(descriptor_, &status) != 0) return std::nullopt;
    const auto size = static_cast<std::size_t>(status.st_size);
    return size > offset_ ? size - offset_ : 0;
  }

  // Counted with pread, which leaves the stream's position where it is.
  std::optional<std::size_t> LineEndsAhead() override {
    if (!regular_) return std::nullopt;
    std::vector<char> block(std::size_t{1} << 20);
    std::size_t count = 0;
    for (off_t at = static_cast<off_t>(offset_);;) {
      const ssize_t got = ::pread(descriptor_, block.data(), block.size(), at);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      count += static_cast<std::size_t>(std::count(block.data(), block.data() + got, '\n'));
      at += got;
    }
    return count;
  }

 private:
  int descriptor_;
  bool owned_;
  bool regular_ = false;
  std::string name_;
  std::size_t offset_ = 0;
};

class SpanSource : public ByteSource {
 public:
  explicit SpanSource(std::string_view memory) : rest_(memory) {}
  std::size_t Read(std::span<char> out) override {
    const std::size_t count = std::min(out.size(), rest_.size());
    std::copy_n(rest_.data(), count, out.data());
    rest_.remove_prefix(count);
    return count;
  }
  std::optional<std::size_t> LineEndsAhead() override {
    return static_cast<std::size_t>(std::count(rest_.begin(), rest_.end(), '\n'));
  }
  bool NeverWaits() const override { return true; }
  std::optional<std::size_t> BytesAhead() const override { return rest_.size(); }

 private:
  std::string_view rest_;
};

class PrefixSource : public ByteSource {
 public:
  PrefixSource(std::string prefix, std::unique_ptr<ByteSource> source)
      : prefix_(std::move(prefix)), source_(std::move(source)) {}
  std::size_t Read(std::span<char> out) override {
    if (position_ == prefix_.size()) return source_->Read(out);
    const std::size_t count = std::min(out.size(), prefix_.size() - position_);
    std::copy_n(prefix_.data() + position_, count, out.data());
    position_ += count;
    return count;
  }
  std::optional<std::size_t> LineEndsAhead() override {
    const auto rest = source_->LineEndsAhead();
    if (!rest) return std::nullopt;
    return *rest + static_cast<std::size_t>(
                       std::count(prefix_.begin() + static_cast<std::ptrdiff_t>(position_), prefix_.end(), '\n'));
  }
  bool NeverWaits() const override { return source_->NeverWaits(); }
  std::optional<std::size_t> BytesAhead() const override {
    const auto rest = source_->BytesAhead();
    if (!rest) return std::nullopt;
    return *rest + prefix_.size() - position_;
  }

 private:
  std::string prefix_;
  std::size_t position_ = 0;
  std::unique_ptr<ByteSource> source_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path, const std::string& name) {
  if (path.find('\0') != std::string::npos) Fail(ReadProblem::kCannotOpen, name, "the path holds a NUL character");
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) Fail(ReadProblem::kCannotOpen, name, Reason(errno));
  struct stat status {};
  if (::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
    ::close(descriptor);
    Fail(ReadProblem::kCannotOpen, name, "a folder, not a file");
  }
  return std::make_unique<DescriptorSource>(descriptor, true, name);
}

std::unique_ptr<ByteSource> StandardInputSource(const std::string& name) {
  return std::make_unique<DescriptorSource>(STDIN_FILENO, false, name);
}

std::unique_ptr<ByteSource> MemorySource(std::string_view memory) { return std::make_unique<SpanSource>(memory); }

std::unique_ptr<ByteSource> PrefixedSource(std::string prefix, std::unique_ptr<ByteSource> source) {
  return std::make_unique<PrefixSource>(std::move(prefix), std::move(source));
}

std::size_t ReadFully(ByteSource& source, std::span<char> out) {
  std::size_t filled = 0;
  while (filled < out.size()) {
    const std::size_t got = source.Read(out.subspan(filled));
    if (got == 0) break;
    filled += got;
  }
  return filled;
}

}  // namespace modelcheck
