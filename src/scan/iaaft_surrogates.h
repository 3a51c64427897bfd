// Iterative amplitude-adjusted Fourier-transform (IAAFT) surrogates of a
// series: the series' own values in a new order whose periodogram is close
// to the series' own, as a linear Gaussian process seen through a fixed
// monotone measurement function would give. A model that predicts the
// series much better than its surrogates has found structure beyond that.
//
// Surrogate i of seed s starts from a shuffle drawn from a generator seeded
// by (s, i) alone, then alternates taking the series' Fourier amplitudes
// (keeping the phases) and taking the series' values back in the rank order
// of the result, until that order stops changing or `max_iterations` have
// run. The last step is always the rank-order one, so a surrogate holds the
// series' values exactly. The transforms run in FFTW's portable scalar code,
// so a surrogate is the same to the last bit for any thread and, with the
// same FFTW, on any machine. Making surrogates is safe from several threads
// at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace modelcheck {

class IaaftSurrogates {
 public:
  // `series` holds at least 2 finite values; they are copied.
  explicit IaaftSurrogates(std::span<const double> series, std::int32_t max_iterations = 1000);
  ~IaaftSurrogates();
  IaaftSurrogates(const IaaftSurrogates&) = delete;
  IaaftSurrogates& operator=(const IaaftSurrogates&) = delete;

  struct Surrogate {
    std::vector<double> values;
    std::int32_t iterations = 0;  // amplitude steps taken
    bool converged = false;       // the rank order stopped changing before the limit
  };

  // `stopped`, asked before every iteration, ends them early when it says
  // true (a long series' surrogate takes seconds): the values are then not
  // a surrogate and must not be used.
  Surrogate Make(std::uint64_t seed, std::uint64_t index, const std::function<bool()>& stopped = {}) const;

  std::size_t size() const { return sorted_.size(); }

 private:
  struct Plans;
  std::vector<double> sorted_;      // the series' values, ascending
  std::vector<double> amplitudes_;  // |X(k)|, k = 0..n/2
  std::int32_t max_iterations_;
  std::unique_ptr<Plans> plans_;  // FFTW's plans of this length
};

}  // namespace modelcheck
