#include "linalg_test_support.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>
#include <sstream>
#include <utility>

namespace modelcheck::testing {

namespace {

std::size_t At(int i, int j, int ld) {
  return static_cast<std::size_t>(j) * static_cast<std::size_t>(ld) + static_cast<std::size_t>(i);
}

// m := (I - u u^T / u_1) m on rows l.. (all zero-based), u_1 = hhaux(l).
void Reflect(std::span<const double> qr, int ld, double first, int l, int nra, int cols, std::vector<long double>& m) {
  for (int j = 0; j < cols; ++j) {
    long double dot = first * m[At(l, j, nra)];
    for (int i = l + 1; i < nra; ++i) dot += qr[At(i, l, ld)] * m[At(i, j, nra)];
    const long double t = dot / first;
    m[At(l, j, nra)] -= t * first;
    for (int i = l + 1; i < nra; ++i) m[At(i, j, nra)] -= t * qr[At(i, l, ld)];
  }
}

}  // namespace

std::vector<double> RandomMatrix(int rows, int cols, std::uint64_t seed) {
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  std::vector<double> a(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  for (double& value : a) value = uniform(engine);
  return a;
}

void ApplyQ(std::span<const double> qr, int ld, std::span<const double> hhaux, int count, int nra, int cols,
            std::vector<long double>& m, bool transposed) {
  for (int step = 0; step < count; ++step) {
    const int l = transposed ? step : count - 1 - step;
    const double first = hhaux[static_cast<std::size_t>(l)];
    if (first != 0.0) Reflect(qr, ld, first, l, nra, cols, m);
  }
}

std::vector<long double> ReconstructProduct(std::span<const double> qr, int ld, std::span<const double> hhaux, int nra,
                                            int nca) {
  std::vector<long double> m(static_cast<std::size_t>(nra) * static_cast<std::size_t>(nca), 0.0L);
  for (int j = 0; j < nca; ++j) {
    for (int i = 0; i <= j && i < nra; ++i) m[At(i, j, nra)] = qr[At(i, j, ld)];
  }
  ApplyQ(qr, ld, hhaux, std::min(nra, nca), nra, nca, m, false);
  return m;
}

std::vector<long double> NormalEquationSolution(std::span<const double> a, int nra, int k, std::span<const double> y) {
  // Augmented system [A^T A | A^T y], k x (k + 1), row-major.
  const auto width = static_cast<std::size_t>(k + 1);
  std::vector<long double> g(static_cast<std::size_t>(k) * width, 0.0L);
  for (int r = 0; r < k; ++r) {
    for (int c = 0; c <= k; ++c) {
      long double sum = 0.0L;
      for (int i = 0; i < nra; ++i) {
        const long double right = c < k ? a[At(i, c, nra)] : y[static_cast<std::size_t>(i)];
        sum += static_cast<long double>(a[At(i, r, nra)]) * right;
      }
      g[static_cast<std::size_t>(r) * width + static_cast<std::size_t>(c)] = sum;
    }
  }
  auto cell = [&](int r, int c) -> long double& {
    return g[static_cast<std::size_t>(r) * width + static_cast<std::size_t>(c)];
  };
  for (int p = 0; p < k; ++p) {
    int best = p;
    for (int r = p + 1; r < k; ++r) {
      if (std::fabs(cell(r, p)) > std::fabs(cell(best, p))) best = r;
    }
    for (int c = 0; c <= k; ++c) std::swap(cell(p, c), cell(best, c));
    for (int r = p + 1; r < k; ++r) {
      const long double f = cell(r, p) / cell(p, p);
      for (int c = p; c <= k; ++c) cell(r, c) -= f * cell(p, c);
    }
  }
  std::vector<long double> x(static_cast<std::size_t>(k));
  for (int r = k - 1; r >= 0; --r) {
    long double sum = cell(r, k);
    for (int c = r + 1; c < k; ++c) sum -= cell(r, c) * x[static_cast<std::size_t>(c)];
    x[static_cast<std::size_t>(r)] = sum / cell(r, r);
  }
  return x;
}

std::string WithoutTrailingBlanks(const std::string& text) {
  std::istringstream lines(text);
  std::string result;
  std::string line;
  while (std::getline(lines, line)) {
    const auto end = line.find_last_not_of(' ');
    result += line.substr(0, end == std::string::npos ? 0 : end + 1);
    result += '\n';
  }
  return result;
}

}  // namespace modelcheck::testing
