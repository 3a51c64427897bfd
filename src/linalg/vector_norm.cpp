#include <cmath>
#include <cstddef>

#include "errors/machine_constants.h"
#include "linalg/array_checks.h"
#include "linalg/vector_kernels.h"

namespace modelcheck {

namespace {

// Thresholds between the three regimes of the norm and their scale factors.
struct NormScales {
  double cutlo;  // below n * cutlo the squares could underflow
  double cuthi;  // above cuthi the squares could overflow
  double small;  // scale for tiny vectors
  double large;  // scale for huge vectors
};

NormScales MakeNormScales() {
  NormScales s{};
  s.cutlo = std::sqrt(DMACH(1) / DMACH(4));
  s.cuthi = std::sqrt(DMACH(2) * DMACH(4));
  s.small = DMACH(4) * s.cutlo;
  s.large = s.cutlo / s.cuthi;
  return s;
}

enum class NormRegime { kSmall, kNormal, kLarge };

// The regime, from the sum of |x_i| in the order of the elements, and, for
// the normal regime, the sum of x_i^2 in the same order. Both sums run in one
// pass: two independent chains of additions, each in its own fixed order.
struct NormPass {
  NormRegime regime;
  double squares;
};

NormPass FirstPass(int n, std::span<const double> x, std::size_t inc, const NormScales& s) {
  double sum = 0.0;
  double squares = 0.0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
    const double value = x[i * inc];
    sum += std::fabs(value);
    if (sum > s.cuthi) return {.regime = NormRegime::kLarge, .squares = 0.0};
    squares += value * value;
  }
  return {.regime = sum < n * s.cutlo ? NormRegime::kSmall : NormRegime::kNormal, .squares = squares};
}

// Sum of (x_i * scale)^2 in the order of the elements.
double ScaledSquares(int n, std::span<const double> x, std::size_t inc, double scale) {
  double sum = 0.0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
    const double t = x[i * inc] * scale;
    sum += t * t;
  }
  return sum;
}

}  // namespace

double DNRM2(int n, std::span<const double> x, int incx) {
  if (n < 1 || incx < 0) return 0.0;
  RequireElements(x.size(), StridedExtent(n, incx));
  if (incx == 0) return std::sqrt(static_cast<double>(n)) * std::fabs(x[0]);
  static const NormScales scales = MakeNormScales();
  const auto inc = static_cast<std::size_t>(incx);
  const NormPass pass = FirstPass(n, x, inc, scales);
  switch (pass.regime) {
    case NormRegime::kSmall:
      return scales.small * std::sqrt(ScaledSquares(n, x, inc, 1.0 / scales.small));
    case NormRegime::kLarge:
      return (1.0 / scales.large) * std::sqrt(ScaledSquares(n, x, inc, scales.large));
    case NormRegime::kNormal:
      break;
  }
  // x_i * 1 is x_i exactly, so these are the squares the normal regime sums.
  return std::sqrt(pass.squares);
}

}  // namespace modelcheck
