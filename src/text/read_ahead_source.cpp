// A source read a few blocks ahead on a thread of its own.
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "text/byte_source.h"

namespace modelcheck {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 18;
constexpr std::size_t kBlocksAhead = 4;

class ReadAhead : public ByteSource {
 public:
  explicit ReadAhead(std::unique_ptr<ByteSource> source)
      : source_(std::move(source)), worker_([this](std::stop_token stop) { Produce(stop); }) {}
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  ~ReadAhead() override {
    worker_.request_stop();
    room_.notify_all();
    worker_.join();
  }

  // What the reader thread last learnt of its source, and what waits here.
  std::optional<std::size_t> BytesAhead() const override {
    const std::lock_guard lock(mutex_);
    if (!source_ahead_) return std::nullopt;
    std::size_t queued = current_.size() - position_;
    for (const auto& block : blocks_) queued += block.size();
    return *source_ahead_ + queued;
  }

  std::size_t Read(std::span<char> out) override {
    if (position_ == current_.size() && !NextBlock()) return 0;
    const std::size_t count = std::min(out.size(), current_.size() - position_);
    std::copy_n(current_.data() + position_, count, out.data());
    position_ += count;
    return count;
  }

 private:
  bool NextBlock() {
    std::unique_lock lock(mutex_);
    filled_.wait(lock, [&] { return !blocks_.empty() || finished_; });
    if (blocks_.empty()) {
      if (failure_) std::rethrow_exception(failure_);
      return false;
    }
    current_ = std::move(blocks_.front());
    blocks_.pop_front();
    position_ = 0;
    room_.notify_one();
    return true;
  }

  void Produce(const std::stop_token& stop) {
    try {
      for (;;) {
        std::vector<char> block(kBlockSize);
        block.resize(ReadFully(*source_, block));
        const std::optional<std::size_t> ahead = source_->BytesAhead();
        std::unique_lock lock(mutex_);
        source_ahead_ = ahead;
        room_.wait(lock, [&] { return blocks_.size() < kBlocksAhead || stop.stop_requested(); });
        if (stop.stop_requested()) return;
        if (block.empty()) break;
        blocks_.push_back(std::move(block));
        filled_.notify_one();
      }
    } catch (...) {
      // Handed over after the blocks read before it, as a plain read would meet it.
      const std::lock_guard lock(mutex_);
      failure_ = std::current_exception();
    }
    const std::lock_guard lock(mutex_);
    finished_ = true;
    filled_.notify_one();
  }

  std::unique_ptr<ByteSource> source_;
  mutable std::mutex mutex_;
  std::condition_variable filled_;
  std::condition_variable_any room_;
  std::deque<std::vector<char>> blocks_;
  std::exception_ptr failure_;
  bool finished_ = false;
  std::optional<std::size_t> source_ahead_;
  std::vector<char> current_;
  std::size_t position_ = 0;
  std::jthread worker_;  // last: started once everything it uses exists
};

}  // namespace

std::unique_ptr<ByteSource> ReadAheadSource(std::unique_ptr<ByteSource> source) {
  return std::make_unique<ReadAhead>(std::move(source));
}

}  // namespace modelcheck
