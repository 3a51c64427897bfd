#include <algorithm>
#include <array>
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

// How many columns ColumnNorms sums side by side.
constexpr int kColumnsTogether = 4;

// The first pass of the norm over up to kColumnsTogether unit-stride columns
// at once. Each column keeps its own two sums in the order of its elements,
// and remembers whether its sum of |x_i| ever passed cuthi (DNRM2 stops there).
struct ColumnSums {
  std::array<double, kColumnsTogether> absolute{};
  std::array<double, kColumnsTogether> squares{};
  std::array<bool, kColumnsTogether> large{};
};

ColumnSums SumColumns(int m, int count, std::span<const double> a, std::size_t lda, const NormScales& s) {
  ColumnSums sums;
  for (std::size_t i = 0; i < static_cast<std::size_t>(m); ++i) {
    for (std::size_t c = 0; c < static_cast<std::size_t>(count); ++c) {
      const double value = a[c * lda + i];
      sums.absolute[c] += std::fabs(value);
      sums.large[c] = sums.large[c] || sums.absolute[c] > s.cuthi;
      sums.squares[c] += value * value;
    }
  }
  return sums;
}

}  // namespace

void ColumnNorms(int m, int n, std::span<const double> a, int lda, std::span<double> norms) {
  static const NormScales scales = MakeNormScales();
  const auto ld = static_cast<std::size_t>(lda);
  for (int first = 0; first < n; first += kColumnsTogether) {
    const int count = std::min(kColumnsTogether, n - first);
    RequireElements(a.size(), static_cast<std::ptrdiff_t>(first + count - 1) * lda + m);
    const std::span<const double> block = a.subspan(static_cast<std::size_t>(first) * ld);
    const ColumnSums sums = SumColumns(m, count, block, ld, scales);
    for (int c = 0; c < count; ++c) {
      const auto k = static_cast<std::size_t>(c);
      double& norm = norms[static_cast<std::size_t>(first + c)];
      // The rare scaled regimes are left to DNRM2 itself.
      const bool normal = !sums.large[k] && !(sums.absolute[k] < m * scales.cutlo);
      norm = normal ? std::sqrt(sums.squares[k]) : DNRM2(m, block.subspan(k * ld), 1);
    }
  }
}

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
