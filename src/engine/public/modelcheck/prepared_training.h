// A series prepared once for many checks with one training part.
//
// PreparedTraining takes the series and Ntrain and does what every check of
// that training part shares: the training values' range and variance, and
// for a tiny series (largest magnitude under 2^-1000) the exact rescaling
// that keeps its fits out of underflow. Model(D, eps) then builds the
// neighbour grid for one model, which every Ltest and Ktest shares, and
// Check runs the check. Every figure is the one CheckSeries gives for the
// same settings, bit for bit; CheckSeries itself is one such use.
//
// The series is not copied (except a tiny one, rescaled): the caller keeps
// it alive and unchanged while the prepared objects live. Prepared objects
// are immutable, cheap to copy, and may be used from several threads at once.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "modelcheck/engine.h"

namespace modelcheck {

class PreparedModel;

class PreparedTraining {
 public:
  // Throws std::invalid_argument when Ntrain is outside 2..count - 1
  // (modelcheck/settings_ranges.h); a check needs more (CheckSeries).
  PreparedTraining(std::span<const double> series, std::int32_t Ntrain);

  std::int32_t Ntrain() const;
  std::size_t value_count() const;
  // The smallest and largest training value, in series units.
  double training_minimum() const;
  double training_maximum() const;
  // The training values' population standard deviation (divisor Ntrain),
  // in series units.
  double training_deviation() const;

  // The model of dimension D, box size eps and delay tau over this training
  // part. Throws std::invalid_argument when D, tau or eps is out of its range.
  PreparedModel Model(std::int32_t D, double eps, std::int32_t tau = 1) const;

  // One whole check; settings.Ntrain must be this training part's. Throws
  // std::invalid_argument as CheckSeries does.
  CheckResult Check(const ModelSettings& settings, const CheckOptions& options = {}) const;

  // The baselines of a check with these settings (eps is not used), on
  // `threads` threads (0: every hardware thread); the figures do not depend
  // on the count.
  BaselineResult Baselines(const ModelSettings& settings, int threads = 0) const;

  struct Shared;

 private:
  std::shared_ptr<const Shared> shared_;
};

class PreparedModel {
 public:
  std::int32_t D() const;
  double eps() const;  // in series units, as given
  std::int32_t tau() const;

  // The check with this model and the given test lengths. Throws
  // std::invalid_argument when Ltest or Ktest does not fit the series.
  CheckResult Check(std::int32_t Ltest, std::int32_t Ktest, const CheckOptions& options = {}) const;

  struct Grid;

 private:
  friend class PreparedTraining;
  PreparedModel(std::shared_ptr<const PreparedTraining::Shared> training, std::int32_t D, double eps, std::int32_t tau);

  std::shared_ptr<const PreparedTraining::Shared> training_;
  std::int32_t D_ = 0;
  double eps_ = 0.0;
  std::int32_t tau_ = 1;
  std::shared_ptr<const Grid> grid_;
};

}  // namespace modelcheck
