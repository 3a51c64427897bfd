#include "engine/check_schedule.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace modelcheck {

namespace {

struct Schedule {
  Schedule(std::int32_t items, const RunItem& run) : count(items), run_item(run), cutoff(items) {}

  std::int32_t count = 0;
  const RunItem& run_item;
  std::atomic<std::int32_t> next{0};
  std::atomic<std::int32_t> cutoff;  // the earliest item that stopped
  std::atomic<bool> cancelled{false};
  std::mutex failure_mutex;
  std::exception_ptr failure;
  // For a caller that watches instead of computing: items finished, helpers gone.
  std::mutex watch_mutex;
  std::condition_variable changed;
  int helpers_running = 0;
  bool watched = false;  // the caller waits on `changed` for finished items
};

// How often a watching caller asks whether to go on while nothing finishes.
constexpr std::chrono::milliseconds kWatchInterval{50};

void LowerCutoff(std::atomic<std::int32_t>& cutoff, std::int32_t item) {
  std::int32_t current = cutoff.load();
  while (item < current && !cutoff.compare_exchange_weak(current, item)) {}
}

// The next item to run, or -1 when there is none left worth starting.
std::int32_t TakeItem(Schedule& schedule) {
  if (schedule.cancelled.load()) return -1;
  const std::int32_t item = schedule.next.fetch_add(1);
  if (item >= schedule.count || item > schedule.cutoff.load()) return -1;
  return item;
}

void RunOne(Schedule& schedule, std::int32_t item, PieceWork& work) {
  try {
    if (!schedule.run_item(item, work)) LowerCutoff(schedule.cutoff, item);
  } catch (...) {
    std::lock_guard lock(schedule.failure_mutex);
    if (!schedule.failure) schedule.failure = std::current_exception();
    schedule.cancelled = true;
  }
}

void Notify(Schedule& schedule) {
  { std::lock_guard lock(schedule.watch_mutex); }
  schedule.changed.notify_all();
}

void Work(Schedule& schedule) {
  PieceWork work;
  for (std::int32_t item = TakeItem(schedule); item >= 0; item = TakeItem(schedule)) {
    RunOne(schedule, item, work);
    if (schedule.watched) Notify(schedule);
  }
  {
    std::lock_guard lock(schedule.watch_mutex);
    --schedule.helpers_running;
  }
  schedule.changed.notify_all();
}

// With a progress callback and more than one thread the caller computes
// nothing: it asks `keep_going` whenever items finish (at least every
// kWatchInterval), so progress shows however long one item takes.
// Work that ends before the first question is still reported once, so that
// a caller always hears of it; that late answer changes nothing.
void Watch(Schedule& schedule, const std::function<bool()>& keep_going) {
  std::unique_lock lock(schedule.watch_mutex);
  bool asked = false;
  while (schedule.helpers_running > 0) {
    schedule.changed.wait_for(lock, kWatchInterval);
    if (schedule.helpers_running == 0) break;
    lock.unlock();
    asked = true;
    if (!keep_going()) schedule.cancelled = true;
    lock.lock();
  }
  lock.unlock();
  if (!asked) static_cast<void>(keep_going());
}

}  // namespace

int ThreadCount(int threads) {
  if (threads > 0) return threads;
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool RunSchedule(std::int32_t count, int threads, const RunItem& run_item, const std::function<bool()>& keep_going) {
  Schedule schedule(count, run_item);
  const int thread_count = std::min(ThreadCount(threads), static_cast<int>(std::max(count, 1)));
  const bool watch = keep_going && thread_count > 1;
  const int helper_count = watch ? thread_count : thread_count - 1;
  schedule.helpers_running = helper_count;
  schedule.watched = watch;
  std::vector<std::jthread> helpers;
  for (int t = 0; t < helper_count; ++t) helpers.emplace_back([&schedule] { Work(schedule); });
  if (watch) {
    Watch(schedule, keep_going);
  } else {
    PieceWork work;
    for (std::int32_t item = TakeItem(schedule); item >= 0; item = TakeItem(schedule)) {
      RunOne(schedule, item, work);
      if (keep_going && !keep_going()) schedule.cancelled = true;
    }
  }
  helpers.clear();  // joins
  if (schedule.failure) std::rethrow_exception(schedule.failure);
  return !schedule.cancelled.load();
}

}  // namespace modelcheck
