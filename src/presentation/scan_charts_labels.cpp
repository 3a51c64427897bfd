#include "presentation/scan_charts_labels.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "text/shortest_number.h"

namespace modelcheck {

namespace {

std::string SignificantDigits(double value, int digits) {
  std::array<char, 48> buffer{};
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, digits);
  if (error != std::errc()) return ShortestNumberText(value);
  return std::string(buffer.data(), end);
}

// The smallest of 1, 2, 5 times a power of ten that is at least `room` (and at least 1).
std::int64_t RoundStep(double room) {
  std::int64_t step = 1;
  for (std::int64_t decade = 1; decade <= std::int64_t{1} << 40; decade *= 10) {
    for (const std::int64_t factor : {1, 2, 5}) {
      step = factor * decade;
      if (static_cast<double>(step) >= room) return step;
    }
  }
  return step;
}

}  // namespace

std::string BoxSizeLabel(double eps) {
  const std::string shortest = ShortestNumberText(eps);
  const std::string rounded = SignificantDigits(eps, 3);
  return shortest.size() <= rounded.size() + 1 ? shortest : rounded;
}

std::string StepsText(std::int32_t steps) { return std::to_string(steps) + (steps == 1 ? " step" : " steps"); }

std::string CountText(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string ThresholdText(double threshold) {
  const auto single = static_cast<float>(threshold);
  if (!std::isfinite(threshold) || static_cast<double>(single) != threshold) return ShortestNumberText(threshold);
  std::array<char, 32> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), single);
  return error == std::errc() ? std::string(buffer.data(), end) : ShortestNumberText(threshold);
}

std::string SettingsText(const ScanSettings& settings) {
  // A layer of one delay names it, unless it is the undelayed 1.
  const bool delay = settings.tau.size() == 1 && settings.tau[0] != 1;
  return "Ntrain = " + std::to_string(settings.Ntrain) + ", Ltest = " + std::to_string(settings.Ltest) +
         ", Ktest = " + std::to_string(settings.Ktest) + (delay ? ", tau = " + std::to_string(settings.tau[0]) : "") +
         ", threshold " + ThresholdText(settings.threshold);
}

std::string CellName(const ScanCell& cell) {
  return "D = " + std::to_string(cell.D) + (cell.tau == 1 ? "" : ", tau = " + std::to_string(cell.tau)) +
         ", eps = " + BoxSizeLabel(cell.eps);
}

std::string BestCellCaption(const ScanResult& result, std::optional<std::size_t> best) {
  if (!best || *best >= result.cells.size()) return "best: none, no cell finished";
  const ScanCell& cell = result.cells[*best];
  // Only a finished cell is the best, and a finished cell has both times.
  return "best: " + CellName(cell) + ": iterative " + StepsText(cell.iterative_time.value_or(0)) + ", direct " +
         StepsText(cell.direct_time.value_or(0));
}

std::size_t LabelStride(std::span<const double> widths, double spacing, double gap) {
  if (widths.empty() || !(spacing > 0.0)) return std::max<std::size_t>(widths.size(), 1);
  const double widest = *std::max_element(widths.begin(), widths.end());
  const double stride = std::ceil((widest + gap) / spacing);
  if (!(stride < static_cast<double>(widths.size()))) return widths.size();
  return std::max<std::size_t>(static_cast<std::size_t>(stride), 1);
}

std::vector<std::int32_t> IntegerTicks(std::int32_t first, std::int32_t last, double room) {
  if (last <= first) return {first};
  if (!(room > 0.0) || !std::isfinite(room)) room = static_cast<double>(last) - first;
  const std::int64_t step = RoundStep(room);
  const std::int64_t multiple = (first + step - 1) / step * step;  // the first multiple not below `first`
  std::vector<std::int32_t> ticks;
  const auto fits_after = [&](std::int64_t value) { return static_cast<double>(value - ticks.back()) >= room; };
  // `first` gives way to a multiple close after it: "2, 4, 6", not "1, 4, 6".
  if (multiple != first && (multiple > last || static_cast<double>(multiple - first) >= room)) ticks.push_back(first);
  for (std::int64_t value = multiple; value <= last; value += step) {
    if (ticks.empty() || fits_after(value)) ticks.push_back(static_cast<std::int32_t>(value));
  }
  if (ticks.back() == last) return ticks;
  // The end of the range is always labelled: it replaces a tick too close to it.
  if (!fits_after(last) && ticks.size() > 1) ticks.pop_back();
  ticks.push_back(last);
  return ticks;
}

}  // namespace modelcheck
