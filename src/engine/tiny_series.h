// Series so small in magnitude that products of their values fall below
// the normal doubles (the largest |x| under 2^-1000, about 1e-301): the fits
// would lose their digits to underflow. Such a series is checked in units a
// power of two larger, which is exact, and the results in series units (the
// orbit, the first piece's predictions, eps) are given back in its own.
// Every other series is checked as it is, bit for bit.
#pragma once

#include <span>
#include <vector>

#include "modelcheck/engine.h"

namespace modelcheck {

// A series as the fits see it: `values` is the series itself, or for a tiny
// one a copy times 2^k, where k brings its largest magnitude into [0.5, 1).
// Not copied, since `values` may point into `scaled`.
struct FittedSeries {
  int k = 0;
  std::vector<double> scaled;
  std::span<const double> values;

  explicit FittedSeries(std::span<const double> series);
  FittedSeries(const FittedSeries&) = delete;
  FittedSeries& operator=(const FittedSeries&) = delete;
};

// The series-unit parts of a result computed in units 2^k larger, given back
// in the series' own units: the orbit, the first piece's predictions, eps.
void ScaleBack(CheckResult& result, int k);
void ScaleBack(BaselineResult& result, int k);

}  // namespace modelcheck
