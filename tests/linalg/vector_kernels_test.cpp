// Vector kernels: strided access in both directions, the unrolled loops, the
// order of the dot product's sum, the three regimes of the norm, and IDXMAX.
#include "linalg/vector_kernels.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "errors/machine_constants.h"
#include "support/child_process.h"

namespace modelcheck {
namespace {

// The norm is a square root of a well-scaled sum: a few roundings at most.
constexpr double kNormTolerance = 4e-16;

std::vector<double> Ramp(int n, double start) {
  std::vector<double> v(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) v[static_cast<std::size_t>(i)] = start + i;
  return v;
}

TEST(VectorKernels, NegativeIncrementsWalkFromTheFarEnd) {
  const std::vector<double> x = {1, 2, 3};
  std::vector<double> y = {4, 5, 6};
  EXPECT_EQ(DDOT(3, x, 1, y, -1), 1 * 6 + 2 * 5 + 3 * 4);
  EXPECT_EQ(DDOT(3, x, -1, y, -1), 32.0);

  std::vector<double> reversed(3, 0.0);
  DCOPY(3, x, 1, reversed, -1);
  EXPECT_EQ(reversed, (std::vector<double>{3, 2, 1}));

  // x_1..x_3 at indices 0, 2, 4; with incy = -1, y_1 is the last element.
  const std::vector<double> strided = {1, 99, 2, 99, 3};
  DAXPY(3, 2.0, strided, 2, y, -1);
  EXPECT_EQ(y, (std::vector<double>{4 + 6, 5 + 4, 6 + 2}));

  std::vector<double> a = {1, 2, 3};
  std::vector<double> b = {7, 8, 9};
  DSWAP(3, a, 1, b, -1);
  EXPECT_EQ(a, (std::vector<double>{9, 8, 7}));
  EXPECT_EQ(b, (std::vector<double>{3, 2, 1}));
}

TEST(VectorKernels, UnrolledLoopsCoverEveryLengthAndStopAtN) {
  for (int n = 0; n <= 20; ++n) {
    SCOPED_TRACE(n);
    const std::vector<double> x = Ramp(n + 2, 1.0);
    std::vector<double> y(static_cast<std::size_t>(n + 2), -1.0);
    DCOPY(n, x, 1, y, 1);
    std::vector<double> scaled = x;
    DSCAL(n, 3.0, scaled, 1);
    for (int i = 0; i < n + 2; ++i) {
      const auto k = static_cast<std::size_t>(i);
      EXPECT_EQ(y[k], i < n ? x[k] : -1.0);
      EXPECT_EQ(scaled[k], i < n ? 3.0 * x[k] : x[k]);
    }
  }
}

TEST(VectorKernels, OverlappingCopyMovesElementsForward) {
  std::vector<double> v = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  DCOPY(9, std::span<const double>(v).subspan(1), 1, v, 1);
  EXPECT_EQ(v, (std::vector<double>{2, 3, 4, 5, 6, 7, 8, 9, 10, 10}));
}

TEST(VectorKernels, DotProductAddsInElementOrder) {
  std::mt19937_64 engine(20240611);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-30, 30);
  for (int n = 0; n <= 23; ++n) {
    SCOPED_TRACE(n);
    std::vector<double> x(static_cast<std::size_t>(n));
    std::vector<double> y(static_cast<std::size_t>(n));
    double expected = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
      // A wide range of magnitudes makes any other order round differently.
      x[i] = std::ldexp(mantissa(engine), exponent(engine));
      y[i] = mantissa(engine);
      expected += x[i] * y[i];
    }
    EXPECT_EQ(DDOT(n, x, 1, y, 1), expected);
  }
}

TEST(VectorKernels, FillAndScaleHonourTheIncrement) {
  std::vector<double> v = {1, 2, 3, 4, 5};
  DFILL(3, 7.0, v, 2);
  EXPECT_EQ(v, (std::vector<double>{7, 2, 7, 4, 7}));
  DSCAL(2, -1.0, v, 3);
  EXPECT_EQ(v, (std::vector<double>{-7, 2, 7, -4, 7}));
  DSCAL(2, 0.5, v, 0);
  DFILL(-1, 0.0, v, 1);
  EXPECT_EQ(v, (std::vector<double>{-7, 2, 7, -4, 7}));
}

TEST(EuclideanNorm, HandValuesAndSpecialIncrements) {
  const std::vector<double> x = {3, 99, 4};
  EXPECT_EQ(DNRM2(2, std::vector<double>{3, 4}, 1), 5.0);
  EXPECT_EQ(DNRM2(2, x, 2), 5.0);
  EXPECT_EQ(DNRM2(4, std::vector<double>{-3}, 0), 6.0);
  EXPECT_EQ(DNRM2(2, x, -1), 0.0);
  EXPECT_EQ(DNRM2(0, x, 1), 0.0);
}

TEST(EuclideanNorm, TinyAndHugeVectorsKeepFullPrecision) {
  // Squares of 1e-160 are subnormal: an unscaled sum would lose most digits.
  const std::vector<double> tiny(3, 1e-160);
  EXPECT_NEAR(DNRM2(3, tiny, 1) / (std::sqrt(3.0) * 1e-160), 1.0, kNormTolerance);
  const std::vector<double> huge = {1e200, 1e200};
  EXPECT_NEAR(DNRM2(2, huge, 1) / (std::sqrt(2.0) * 1e200), 1.0, kNormTolerance);
  const std::vector<double> mixed = {1e-300, 1e300, 1.0};
  EXPECT_NEAR(DNRM2(3, mixed, 1) / 1e300, 1.0, kNormTolerance);
  EXPECT_EQ(DNRM2(1, std::vector<double>{-1.7e308}, 1), 1.7e308);
}

TEST(IndexOfMaximum, SignedValueFirstOnTies) {
  EXPECT_EQ(IDXMAX(3, std::vector<double>{-5, 2, 2}, 1), 2);
  EXPECT_EQ(IDXMAX(2, std::vector<double>{-5, -7}, 1), 1);
  EXPECT_EQ(IDXMAX(3, std::vector<double>{1, 9, 4, 9, 8}, 2), 3);
  EXPECT_EQ(IDXMAX(1, std::vector<double>{-1}, 1), 1);
  EXPECT_EQ(IDXMAX(0, std::vector<double>{1}, 1), 0);
}

TEST(VectorKernels, ArrayShorterThanTheVectorStopsBeforeWriting) {
  const auto result = testing::RunInChild([] {
    const std::vector<double> x = {1, 2, 3};
    std::vector<double> y(2);
    DCOPY(3, x, 1, y, 1);
  });
  EXPECT_FALSE(result.exited && result.status == 0);
}

// The norm's defining order: sum |x_i| to choose the regime, then the scaled
// squares in element order. The kernel takes both sums in one pass; the
// figures it feeds (every fit's factor) must not move by a bit.
double TwoPassNorm(const std::vector<double>& x) {
  const double cutlo = std::sqrt(DMACH(1) / DMACH(4));
  const double cuthi = std::sqrt(DMACH(2) * DMACH(4));
  const double small = DMACH(4) * cutlo;
  const double large = cutlo / cuthi;
  double sum = 0.0;
  for (const double v : x) {
    sum += std::fabs(v);
    if (sum > cuthi) break;
  }
  const auto squares = [&](double scale) {
    double total = 0.0;
    for (const double v : x) total += (v * scale) * (v * scale);
    return total;
  };
  if (sum > cuthi) return (1.0 / large) * std::sqrt(squares(large));
  if (sum < static_cast<double>(x.size()) * cutlo) return small * std::sqrt(squares(1.0 / small));
  return std::sqrt(squares(1.0));
}

TEST(EuclideanNorm, OnePassGivesTheTwoPassNormBitForBit) {
  constexpr std::uint64_t kSeed = 99;
  std::mt19937_64 random(kSeed);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  std::uniform_int_distribution<int> length(1, 400), exponent(-300, 300), spread(0, 40);
  for (int trial = 0; trial < 3000; ++trial) {
    std::vector<double> x(static_cast<std::size_t>(length(random)));
    const int centre = exponent(random), width = spread(random);
    for (double& v : x) v = mantissa(random) * std::pow(10.0, centre + width * mantissa(random));
    const double expected = TwoPassNorm(x);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(DNRM2(static_cast<int>(x.size()), x, 1)),
              std::bit_cast<std::uint64_t>(expected))
        << "seed " << kSeed << ", trial " << trial << ", norm " << expected;
  }
}

// The QR worker takes its column norms together; each must be DNRM2's, also
// for columns in the scaled regimes and columns holding an infinity or a NaN.
TEST(EuclideanNorm, ColumnsTogetherGiveEachColumnsNormBitForBit) {
  constexpr std::uint64_t kSeed = 5;
  std::mt19937_64 random(kSeed);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  const double specials[] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(), 0.0};
  for (int trial = 0; trial < 1000; ++trial) {
    const int m = 1 + static_cast<int>(random() % 200), n = static_cast<int>(random() % 7);
    const int lda = m + static_cast<int>(random() % 3);
    std::vector<double> a(static_cast<std::size_t>(lda * n + 1));
    for (int j = 0; j < n; ++j) {
      const double magnitude = std::pow(10.0, std::vector<int>{0, -170, 160, -300}[random() % 4]);
      for (int i = 0; i < lda; ++i) a[static_cast<std::size_t>(j * lda + i)] = magnitude * mantissa(random);
      if (random() % 10 == 0)
        a[static_cast<std::size_t>(j * lda) + random() % static_cast<std::size_t>(m)] = specials[random() % 3];
    }
    std::vector<double> norms(static_cast<std::size_t>(n), -1.0);
    ColumnNorms(m, n, a, lda, norms);
    for (int j = 0; j < n; ++j) {
      const double expected = DNRM2(m, std::span<const double>(a).subspan(static_cast<std::size_t>(j * lda)), 1);
      ASSERT_EQ(std::bit_cast<std::uint64_t>(norms[static_cast<std::size_t>(j)]),
                std::bit_cast<std::uint64_t>(expected))
          << "seed " << kSeed << ", trial " << trial << ", column " << j;
    }
  }
}

}  // namespace
}  // namespace modelcheck
