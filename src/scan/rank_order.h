// The rank order of a series of doubles, fast: the positions sorted by
// value, equal values by position (so the order is one and the same on every
// machine). A least-significant-digit radix sort of the values' bits, since
// surrogates need this order hundreds of times per series.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace modelcheck {

class RankOrder {
 public:
  // Sets `order` (values.size() positions) to the rank order of `values`,
  // which must not be NaN; -0 ranks below +0. When `order` already holds a
  // rank order of other values of the same size (the last iteration's), it
  // is the starting point: few values out of place cost little.
  void Sort(std::span<const double> values, std::vector<std::uint32_t>& order);

 private:
  // Insertion from the current order, giving up after about 4n moves.
  bool RefineOrder(std::span<const double> values, std::vector<std::uint32_t>& order);
  void RadixSort(std::span<const double> values, std::vector<std::uint32_t>& order);

  std::vector<std::uint64_t> keys_, next_keys_;
  std::vector<std::uint32_t> next_order_;
};

}  // namespace modelcheck
