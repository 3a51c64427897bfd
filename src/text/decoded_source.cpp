// gzip and zstd data decoded as it is read.
#include <zlib.h>
#include <zstd.h>

#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "text/byte_source.h"

namespace modelcheck {

namespace {

constexpr std::size_t kInputBlock = std::size_t{1} << 16;

[[noreturn]] void Damaged(const std::string& name, const std::string& reason) {
  throw SeriesReadError(ReadProblem::kBadCompression, name, 0, {}, reason);
}

// The decoded bytes still to come, estimated from the encoded bytes ahead
// and the ratio so far: enough for a reader to size its values once.
struct DecodeRatio {
  std::size_t consumed = 0;
  std::size_t produced = 0;

  std::optional<std::size_t> Ahead(std::optional<std::size_t> raw_ahead, std::size_t buffered) const {
    if (!raw_ahead || consumed == 0) return std::nullopt;
    const double ratio = static_cast<double>(produced) / static_cast<double>(consumed);
    return static_cast<std::size_t>(static_cast<double>(*raw_ahead + buffered) * ratio);
  }
};

class GzipSource : public ByteSource {
 public:
  GzipSource(std::unique_ptr<ByteSource> raw, std::string name) : raw_(std::move(raw)), name_(std::move(name)) {
    // 15 + 32: the largest window, and the gzip header recognised.
    if (inflateInit2(&stream_, 15 + 32) != Z_OK) Damaged(name_, "zlib could not start");
  }
  GzipSource(const GzipSource&) = delete;
  GzipSource& operator=(const GzipSource&) = delete;
  ~GzipSource() override { inflateEnd(&stream_); }

  std::size_t Read(std::span<char> out) override {
    for (;;) {
      if (stream_.avail_in == 0 && !raw_end_) Refill();
      if (member_done_) {
        if (stream_.avail_in == 0 && raw_end_) return 0;
        // gzip files may hold several members one after the other (cat a.gz b.gz).
        inflateReset(&stream_);
        member_done_ = false;
      }
      if (stream_.avail_in == 0 && raw_end_) Damaged(name_, "the gzip data ends early: the file is cut short");
      stream_.next_out = reinterpret_cast<Bytef*>(out.data());
      stream_.avail_out = static_cast<uInt>(out.size());
      const uInt available = stream_.avail_in;
      const int status = inflate(&stream_, Z_NO_FLUSH);
      ratio_.consumed += available - stream_.avail_in;
      ratio_.produced += out.size() - stream_.avail_out;
      if (status == Z_STREAM_END) {
        member_done_ = true;
      } else if (status != Z_OK && status != Z_BUF_ERROR) {
        Damaged(name_, std::string("the gzip data is damaged (") + (stream_.msg ? stream_.msg : "zlib error") + ")");
      }
      const std::size_t produced = out.size() - stream_.avail_out;
      if (produced > 0) return produced;
    }
  }

  std::optional<std::size_t> BytesAhead() const override { return ratio_.Ahead(raw_->BytesAhead(), stream_.avail_in); }

 private:
  void Refill() {
    const std::size_t got = raw_->Read(input_);
    raw_end_ = got == 0;
    stream_.next_in = reinterpret_cast<Bytef*>(input_.data());
    stream_.avail_in = static_cast<uInt>(got);
  }

  std::unique_ptr<ByteSource> raw_;
  std::string name_;
  z_stream stream_{};
  DecodeRatio ratio_;
  std::vector<char> input_ = std::vector<char>(kInputBlock);
  bool raw_end_ = false;
  bool member_done_ = false;
};

class ZstdSource : public ByteSource {
 public:
  ZstdSource(std::unique_ptr<ByteSource> raw, std::string name)
      : raw_(std::move(raw)), name_(std::move(name)), stream_(ZSTD_createDStream()) {
    if (stream_ == nullptr) Damaged(name_, "zstd could not start");
  }
  ZstdSource(const ZstdSource&) = delete;
  ZstdSource& operator=(const ZstdSource&) = delete;
  ~ZstdSource() override { ZSTD_freeDStream(stream_); }

  std::size_t Read(std::span<char> out) override {
    ZSTD_outBuffer output{out.data(), out.size(), 0};
    for (;;) {
      if (input_.pos == input_.size && !raw_end_) Refill();
      if (input_.pos == input_.size && raw_end_ && !frame_open_) return 0;
      const std::size_t before_in = input_.pos, before_out = output.pos;
      const std::size_t status = ZSTD_decompressStream(stream_, &output, &input_);
      ratio_.consumed += input_.pos - before_in;
      ratio_.produced += output.pos - before_out;
      if (ZSTD_isError(status))
        Damaged(name_, std::string("the zstd data is damaged (") + ZSTD_getErrorName(status) + ")");
      // 0: a frame has just ended; anything else: the frame goes on.
      frame_open_ = status != 0;
      if (output.pos > 0) return output.pos;
      if (input_.pos == input_.size && raw_end_) {
        if (frame_open_) Damaged(name_, "the zstd data ends early: the file is cut short");
        return 0;
      }
    }
  }

  std::optional<std::size_t> BytesAhead() const override {
    return ratio_.Ahead(raw_->BytesAhead(), input_.size - input_.pos);
  }

 private:
  void Refill() {
    const std::size_t got = raw_->Read(buffer_);
    raw_end_ = got == 0;
    input_ = ZSTD_inBuffer{buffer_.data(), got, 0};
  }

  std::unique_ptr<ByteSource> raw_;
  std::string name_;
  ZSTD_DStream* stream_;
  std::vector<char> buffer_ = std::vector<char>(kInputBlock);
  ZSTD_inBuffer input_{nullptr, 0, 0};
  DecodeRatio ratio_;
  bool raw_end_ = false;
  bool frame_open_ = false;
};

bool StartsWith(const std::string& bytes, std::string_view magic) {
  return bytes.size() >= magic.size() && std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
}

// Kinds we do not decode, named so the user knows what to do with them.
void RefuseOtherKinds(const std::string& start, const std::string& name) {
  const auto refuse = [&](const char* what) { throw SeriesReadError(ReadProblem::kNotText, name, 0, {}, what); };
  if (StartsWith(start, "PK\x03\x04"))
    refuse("this is a zip archive (an .npz file?); save one array with numpy.save (.npy)");
  if (StartsWith(start, "BZh") && start.size() == 6 && start[3] >= '1' && start[3] <= '9' && start[4] == '1' &&
      start[5] == 'A')
    refuse("this is bzip2 data; decompress it first, or use gzip (.gz) or zstd (.zst)");
  if (StartsWith(start, std::string_view("\xFD"
                                         "7zXZ\0",
                                         6)))
    refuse("this is xz data; decompress it first, or use gzip (.gz) or zstd (.zst)");
}

}  // namespace

std::unique_ptr<ByteSource> DecodedSource(std::unique_ptr<ByteSource> raw, const std::string& name,
                                          Compression& compression) {
  std::string start(6, '\0');
  start.resize(ReadFully(*raw, start));
  compression = StartsWith(start, "\x1F\x8B")           ? Compression::kGzip
                : StartsWith(start, "\x28\xB5\x2F\xFD") ? Compression::kZstd
                                                        : Compression::kNone;
  if (compression == Compression::kNone) RefuseOtherKinds(start, name);
  auto whole = PrefixedSource(std::move(start), std::move(raw));
  if (compression == Compression::kNone) return whole;
  const bool never_waits = whole->NeverWaits();
  std::unique_ptr<ByteSource> decoded;
  if (compression == Compression::kGzip) decoded = std::make_unique<GzipSource>(std::move(whole), name);
  if (compression == Compression::kZstd) decoded = std::make_unique<ZstdSource>(std::move(whole), name);
  // Decoding costs about what parsing does: side by side they take the time of the slower.
  return never_waits ? ReadAheadSource(std::move(decoded)) : std::move(decoded);
}

}  // namespace modelcheck
