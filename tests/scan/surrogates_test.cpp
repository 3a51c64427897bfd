// The surrogate-data test: IAAFT surrogates keep the series' values and
// nearly its periodogram; deterministic structure (Henon) is found at the
// smallest p-value a run allows, a linear process almost never is; the same
// seed gives the same bits for any number of jobs.
#include "modelcheck/surrogates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <random>
#include <vector>

#include "scan/iaaft_surrogates.h"
#include "scan/rank_order.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

// A plain discrete Fourier transform's squared amplitudes, k = 1..n/2.
std::vector<double> Periodogram(const std::vector<double>& x) {
  const std::size_t n = x.size();
  std::vector<double> power;
  for (std::size_t k = 1; k <= n / 2; ++k) {
    std::complex<double> sum = 0.0;
    for (std::size_t t = 0; t < n; ++t)
      sum += x[t] * std::polar(1.0, -2.0 * std::numbers::pi * static_cast<double>(k * t % n) / static_cast<double>(n));
    power.push_back(std::norm(sum));
  }
  return power;
}

// x(n) = 1.5 x(n-1) - 0.75 x(n-2) + noise: linear, Gaussian, and correlated,
// so a surrogate is as predictable as the series.
std::vector<double> Ar2Values(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 generator(seed);
  const auto uniform = [&] { return (static_cast<double>(generator() >> 11) + 0.5) * 0x1p-53; };
  std::vector<double> x(count + 100, 0.0);
  for (std::size_t n = 2; n < x.size(); ++n) {
    const double noise = std::sqrt(-2.0 * std::log(uniform())) * std::cos(2.0 * std::numbers::pi * uniform());
    x[n] = 1.5 * x[n - 1] - 0.75 * x[n - 2] + noise;
  }
  return {x.begin() + 100, x.end()};
}

TEST(RankOrderTest, IsTheOrderByValueThenPositionFromScratchOrFromAnEarlierOrder) {
  std::mt19937_64 generator(11);
  std::vector<double> values(5000);
  for (double& value : values) value = static_cast<double>(static_cast<std::int64_t>(generator() % 2001) - 1000) / 8.0;
  values[10] = -0.0;
  values[20] = 0.0;
  values[30] = -1e300;
  values[40] = 1e-310;
  std::vector<std::uint32_t> want(values.size());
  std::iota(want.begin(), want.end(), 0u);
  std::ranges::sort(want, [&](std::uint32_t a, std::uint32_t b) {
    const bool below = values[a] < values[b] ||
                       (values[a] == 0.0 && values[b] == 0.0 && std::signbit(values[a]) && !std::signbit(values[b]));
    const bool above = values[b] < values[a] ||
                       (values[a] == 0.0 && values[b] == 0.0 && std::signbit(values[b]) && !std::signbit(values[a]));
    return below || (!above && a < b);
  });
  RankOrder ranking;
  std::vector<std::uint32_t> order;
  ranking.Sort(values, order);
  EXPECT_EQ(order, want);

  // From an earlier order: a few values moved (insertion), then all (radix).
  std::vector<double> moved = values;
  for (std::size_t i = 0; i < moved.size(); i += 97) moved[i] += 3.0;
  std::vector<std::uint32_t> scratch;
  ranking.Sort(moved, scratch);
  ranking.Sort(moved, order);
  EXPECT_EQ(order, scratch);
  std::ranges::reverse(moved);
  ranking.Sort(moved, scratch);
  ranking.Sort(moved, order);
  EXPECT_EQ(order, scratch);
}

TEST(IaaftSurrogatesTest, KeepTheValuesExactlyAndThePeriodogramNearly) {
  const std::vector<double> series = Ar2Values(1024, 5);
  const IaaftSurrogates maker(series);
  const IaaftSurrogates::Surrogate first = maker.Make(3, 0);
  EXPECT_TRUE(first.converged);
  EXPECT_NE(first.values, series);
  std::vector<double> sorted_series = series, sorted_surrogate = first.values;
  std::ranges::sort(sorted_series);
  std::ranges::sort(sorted_surrogate);
  EXPECT_EQ(sorted_surrogate, sorted_series);

  // IAAFT's usual mismatch is a few percent of the spectrum's power.
  const std::vector<double> want = Periodogram(series), got = Periodogram(first.values);
  double difference = 0.0, total = 0.0;
  for (std::size_t k = 0; k < want.size(); ++k) {
    difference += std::abs(got[k] - want[k]);
    total += want[k];
  }
  EXPECT_LT(difference / total, 0.1);

  // The same seed and number: the same bits; another number: another order.
  EXPECT_EQ(maker.Make(3, 0).values, first.values);
  EXPECT_NE(maker.Make(3, 1).values, first.values);
  EXPECT_NE(maker.Make(4, 0).values, first.values);
}

ScanResult OneCellScan(const std::vector<double>& series, const ScanSettings& settings) {
  ScanOptions options;
  options.jobs = 2;
  options.baselines = false;
  return RunScan(series, settings, options);
}

SurrogateRun Surrogates(const std::vector<double>& series, const ScanResult& scan, std::int32_t count,
                        std::uint64_t seed, int jobs) {
  const std::vector<std::size_t> cells{0};
  SurrogateOptions options;
  options.jobs = jobs;
  return RunSurrogates(series, scan, cells, {.count = count, .seed = seed}, options);
}

TEST(SurrogateTestTest, HenonBeatsEverySurrogateWithTheSameBitsOnAnyNumberOfJobs) {
  const std::vector<double> series = testing::HenonValues(3000);
  const ScanSettings settings{.Ntrain = 2500, .D = {2}, .eps = {0.05}, .Ltest = 10, .Ktest = 200};
  const ScanResult scan = OneCellScan(series, settings);
  ASSERT_EQ(scan.cells[0].status, CellStatus::kFinished);
  const SurrogateRun one = Surrogates(series, scan, 19, 1, 1);
  ASSERT_TRUE(one.complete);
  EXPECT_EQ(one.values, 2500u + 10u + 200u + 1u);
  const SurrogateCellTest& test = one.cells.at(0);
  EXPECT_EQ(test.finished, 19);
  EXPECT_EQ(test.at_most_series, 0);
  EXPECT_EQ(test.p_value, 1.0 / 20.0);
  ASSERT_EQ(test.band_low.size(), 10u);
  EXPECT_GT(test.band_low[0], scan.cells[0].result.one_step_error);

  const SurrogateRun two = Surrogates(series, scan, 19, 1, 2);
  ASSERT_TRUE(two.complete);
  EXPECT_EQ(two.iterations, one.iterations);
  for (std::size_t i = 0; i < 19; ++i) {
    EXPECT_EQ(two.cells[0].checks[i].iterative_errors, test.checks[i].iterative_errors);
    EXPECT_EQ(two.cells[0].checks[i].direct_time, test.checks[i].direct_time);
  }
  EXPECT_EQ(two.cells[0].band_high, test.band_high);
}

TEST(SurrogateTestTest, ALinearProcessIsRarelySignificant) {
  int significant = 0;
  for (std::uint64_t seed = 1; seed <= 10; ++seed) {
    const std::vector<double> series = Ar2Values(1200, 100 + seed);
    ScanSettings settings{.Ntrain = 1000, .D = {3}, .eps = {1.0}, .Ltest = 5, .Ktest = 150};
    settings.eps_relative = true;
    const ScanResult scan = OneCellScan(series, settings);
    ASSERT_EQ(scan.cells[0].status, CellStatus::kFinished);
    const SurrogateRun run = Surrogates(series, scan, 19, seed, 2);
    ASSERT_TRUE(run.complete);
    if (run.cells[0].p_value <= 0.05) ++significant;
  }
  EXPECT_LE(significant, 1);
}

TEST(SurrogateTestTest, AStopLeavesNoPValueAndBadRequestsAreRefused) {
  const std::vector<double> series = testing::HenonValues(1500);
  const ScanSettings settings{.Ntrain = 1200, .D = {2}, .eps = {0.05}, .Ltest = 10, .Ktest = 100};
  const ScanResult scan = OneCellScan(series, settings);
  const std::vector<std::size_t> cells{0};
  std::atomic<bool> stop{true};
  SurrogateOptions options;
  options.stop = &stop;
  const SurrogateRun stopped = RunSurrogates(series, scan, cells, {.count = 9}, options);
  EXPECT_FALSE(stopped.complete);
  EXPECT_TRUE(std::isnan(stopped.cells[0].p_value));

  const std::vector<std::size_t> outside{1};
  EXPECT_THROW(RunSurrogates(series, scan, outside, {.count = 9}), std::invalid_argument);
  EXPECT_THROW(RunSurrogates(series, scan, cells, {.count = 0}), std::invalid_argument);
}

}  // namespace
}  // namespace modelcheck
