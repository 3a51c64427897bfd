#include "scan/rank_order.h"

#include <array>
#include <bit>
#include <cstddef>
#include <numeric>
#include <utility>

namespace modelcheck {

namespace {

constexpr int kDigitBits = 11;
constexpr int kDigits = (64 + kDigitBits - 1) / kDigitBits;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

// Bits whose unsigned order is the values' order: negatives flipped whole,
// positives with the sign bit set.
std::uint64_t OrderedBits(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

std::size_t Digit(std::uint64_t key, int digit) {
  return static_cast<std::size_t>((key >> (digit * kDigitBits)) & (kBuckets - 1));
}

}  // namespace

void RankOrder::RadixSort(std::span<const double> values, std::vector<std::uint32_t>& order) {
  const std::size_t n = values.size();
  keys_.resize(n);
  next_keys_.resize(n);
  next_order_.resize(n);
  order.resize(n);
  std::iota(order.begin(), order.end(), 0u);
  std::vector<std::array<std::uint32_t, kBuckets>> counts(kDigits);
  for (auto& digit_counts : counts) digit_counts.fill(0);
  for (std::size_t i = 0; i < n; ++i) {
    keys_[i] = OrderedBits(values[i]);
    for (int d = 0; d < kDigits; ++d) ++counts[static_cast<std::size_t>(d)][Digit(keys_[i], d)];
  }
  for (int d = 0; d < kDigits; ++d) {
    auto& digit_counts = counts[static_cast<std::size_t>(d)];
    // A digit all values share moves nothing.
    if (n == 0 || digit_counts[Digit(keys_[0], d)] == n) continue;
    std::uint32_t start = 0;
    for (std::uint32_t& count : digit_counts) start += std::exchange(count, start);
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint32_t at = digit_counts[Digit(keys_[i], d)]++;
      next_keys_[at] = keys_[i];
      next_order_[at] = order[i];
    }
    keys_.swap(next_keys_);
    order.swap(next_order_);
  }
}

void RankOrder::Sort(std::span<const double> values, std::vector<std::uint32_t>& order) {
  if (order.size() == values.size() && RefineOrder(values, order)) return;
  RadixSort(values, order);
}

bool RankOrder::RefineOrder(std::span<const double> values, std::vector<std::uint32_t>& order) {
  const std::size_t n = values.size();
  keys_.resize(n);
  next_order_ = order;
  for (std::size_t i = 0; i < n; ++i) keys_[i] = OrderedBits(values[next_order_[i]]);
  // Ordered by (key, position), the radix sort's order, so that both ways
  // give the same result.
  const auto before = [&](std::uint64_t key_a, std::uint32_t a, std::uint64_t key_b, std::uint32_t b) {
    return key_a < key_b || (key_a == key_b && a < b);
  };
  std::size_t moves = 0;
  const std::size_t budget = 4 * n + 64;
  for (std::size_t i = 1; i < n; ++i) {
    const std::uint64_t key = keys_[i];
    const std::uint32_t position = next_order_[i];
    std::size_t j = i;
    while (j > 0 && before(key, position, keys_[j - 1], next_order_[j - 1])) {
      keys_[j] = keys_[j - 1];
      next_order_[j] = next_order_[j - 1];
      --j;
      if (++moves > budget) return false;
    }
    keys_[j] = key;
    next_order_[j] = position;
  }
  order.swap(next_order_);
  return true;
}

}  // namespace modelcheck
