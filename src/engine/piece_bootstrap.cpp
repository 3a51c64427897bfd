#include "engine/piece_bootstrap.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <thread>
#include <vector>

#include "engine/check_schedule.h"
#include "engine/horizon_errors.h"
#include "engine/seeded_random.h"

namespace modelcheck {

namespace {

// An order for errors in which a NaN (an overflowed square) is above every
// number, so that sorting stays well defined.
bool NanLast(double a, double b) { return a < b || (!std::isnan(a) && std::isnan(b)); }

// Resample b's normalised errors into `errors` (Ltest values).
void Resample(std::span<const double> squared, std::int32_t piece_count, double variance, std::uint64_t seed,
              std::int32_t b, std::vector<std::int32_t>& draws, std::span<double> errors) {
  std::mt19937_64 generator = SeededGenerator(seed, static_cast<std::uint64_t>(b));
  std::ranges::fill(draws, 0);
  for (std::int32_t k = 0; k < piece_count; ++k)
    ++draws[static_cast<std::size_t>(UniformBelow(generator, static_cast<std::uint64_t>(piece_count)))];
  ClearHorizonErrors(errors);
  const std::size_t L = errors.size();
  for (std::size_t k = 0; k < draws.size(); ++k) {
    if (draws[k] == 0) continue;
    const auto times = static_cast<double>(draws[k]);
    for (std::size_t i = 0; i < L; ++i) errors[i] += times * squared[k * L + i];
  }
  NormaliseHorizonErrors(errors, piece_count, variance);
}

}  // namespace

CentralRanks CentralNinetyPercent(std::size_t count) {
  return {.low = (count + 19) / 20 - 1, .high = (19 * count + 19) / 20 - 1};
}

BootstrapInterval BootstrapPieces(std::span<const double> squared, std::int32_t piece_count, std::int32_t Ltest,
                                  double variance, const BootstrapSettings& settings, int threads) {
  const auto B = static_cast<std::size_t>(settings.resamples);
  const auto L = static_cast<std::size_t>(Ltest);
  std::vector<double> errors(B * L);  // resample-major
  std::vector<std::int32_t> times(B);
  const auto thread_count =
      std::min<std::size_t>(static_cast<std::size_t>(ThreadCount(threads)), std::max<std::size_t>(B, 1));
  // Allocated here, so that nothing a helper thread runs can throw.
  std::vector<std::vector<std::int32_t>> draw_counts(thread_count,
                                                     std::vector<std::int32_t>(static_cast<std::size_t>(piece_count)));
  const auto run = [&](std::size_t first, std::size_t stride) {
    std::vector<std::int32_t>& draws = draw_counts[first];
    for (std::size_t b = first; b < B; b += stride) {
      const std::span<double> mine = std::span<double>(errors).subspan(b * L, L);
      Resample(squared, piece_count, variance, settings.seed, static_cast<std::int32_t>(b), draws, mine);
      times[b] = PredictionTime(mine, settings.threshold);
    }
  };
  {
    std::vector<std::jthread> helpers;
    for (std::size_t t = 1; t < thread_count; ++t) helpers.emplace_back(run, t, thread_count);
    run(0, thread_count);
  }

  const auto [low, high] = CentralNinetyPercent(B);
  BootstrapInterval interval;
  std::vector<double> column(B);
  for (std::size_t i = 0; i < L; ++i) {
    for (std::size_t b = 0; b < B; ++b) column[b] = errors[b * L + i];
    std::ranges::sort(column, NanLast);
    interval.errors_low.push_back(column[low]);
    interval.errors_high.push_back(column[high]);
  }
  std::ranges::sort(times);
  interval.time_low = times[low];
  interval.time_high = times[high];
  return interval;
}

}  // namespace modelcheck
