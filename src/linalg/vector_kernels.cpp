#include "linalg/vector_kernels.h"

#include <cstddef>

#include "linalg/array_checks.h"
#include "linalg/strided_index.h"

namespace modelcheck {

namespace {

std::size_t Count(int n) { return static_cast<std::size_t>(n); }

void CopyUnit(std::size_t n, std::span<const double> x, std::span<double> y) {
  const std::size_t head = n % 7;
  for (std::size_t i = 0; i < head; ++i) y[i] = x[i];
  for (std::size_t i = head; i < n; i += 7) {
    y[i] = x[i];
    y[i + 1] = x[i + 1];
    y[i + 2] = x[i + 2];
    y[i + 3] = x[i + 3];
    y[i + 4] = x[i + 4];
    y[i + 5] = x[i + 5];
    y[i + 6] = x[i + 6];
  }
}

double DotUnit(std::size_t n, std::span<const double> x, std::span<const double> y) {
  double sum = 0.0;
  const std::size_t head = n % 5;
  for (std::size_t i = 0; i < head; ++i) sum += x[i] * y[i];
  // Left-to-right evaluation keeps the sum in the order of the elements.
  for (std::size_t i = head; i < n; i += 5) {
    sum = sum + x[i] * y[i] + x[i + 1] * y[i + 1] + x[i + 2] * y[i + 2] + x[i + 3] * y[i + 3] + x[i + 4] * y[i + 4];
  }
  return sum;
}

void AxpyUnit(std::size_t n, double a, std::span<const double> x, std::span<double> y) {
  for (std::size_t i = 0; i < n; ++i) y[i] = a * x[i] + y[i];
}

void ScaleUnit(std::size_t n, double a, std::span<double> x) {
  const std::size_t head = n % 5;
  for (std::size_t i = 0; i < head; ++i) x[i] = a * x[i];
  for (std::size_t i = head; i < n; i += 5) {
    x[i] = a * x[i];
    x[i + 1] = a * x[i + 1];
    x[i + 2] = a * x[i + 2];
    x[i + 3] = a * x[i + 3];
    x[i + 4] = a * x[i + 4];
  }
}

void RequirePair(int n, std::size_t xsize, int incx, std::size_t ysize, int incy) {
  RequireElements(xsize, StridedExtent(n, incx));
  RequireElements(ysize, StridedExtent(n, incy));
}

}  // namespace

void DCOPY(int n, std::span<const double> x, int incx, std::span<double> y, int incy) {
  if (n <= 0) return;
  RequirePair(n, x.size(), incx, y.size(), incy);
  if (incx == 1 && incy == 1) return CopyUnit(Count(n), x, y);
  const StridedIndex sx(n, incx), sy(n, incy);
  for (int i = 0; i < n; ++i) y[sy(i)] = x[sx(i)];
}

void DSWAP(int n, std::span<double> x, int incx, std::span<double> y, int incy) {
  if (n <= 0) return;
  RequirePair(n, x.size(), incx, y.size(), incy);
  const StridedIndex sx(n, incx), sy(n, incy);
  for (int i = 0; i < n; ++i) {
    const double kept = x[sx(i)];
    x[sx(i)] = y[sy(i)];
    y[sy(i)] = kept;
  }
}

double DDOT(int n, std::span<const double> x, int incx, std::span<const double> y, int incy) {
  if (n <= 0) return 0.0;
  RequirePair(n, x.size(), incx, y.size(), incy);
  if (incx == 1 && incy == 1) return DotUnit(Count(n), x, y);
  const StridedIndex sx(n, incx), sy(n, incy);
  double sum = 0.0;
  for (int i = 0; i < n; ++i) sum += x[sx(i)] * y[sy(i)];
  return sum;
}

void DAXPY(int n, double a, std::span<const double> x, int incx, std::span<double> y, int incy) {
  if (n <= 0) return;
  RequirePair(n, x.size(), incx, y.size(), incy);
  if (incx == 1 && incy == 1) return AxpyUnit(Count(n), a, x, y);
  const StridedIndex sx(n, incx), sy(n, incy);
  for (int i = 0; i < n; ++i) y[sy(i)] = a * x[sx(i)] + y[sy(i)];
}

void DSCAL(int n, double a, std::span<double> x, int incx) {
  if (n <= 0 || incx <= 0) return;
  RequireElements(x.size(), StridedExtent(n, incx));
  if (incx == 1) return ScaleUnit(Count(n), a, x);
  for (int i = 0; i < n; ++i) x[Count(i) * Count(incx)] = a * x[Count(i) * Count(incx)];
}

void DFILL(int n, double a, std::span<double> x, int incx) {
  if (n <= 0 || incx <= 0) return;
  RequireElements(x.size(), StridedExtent(n, incx));
  for (int i = 0; i < n; ++i) x[Count(i) * Count(incx)] = a;
}

int IDXMAX(int n, std::span<const double> x, int incx) {
  if (n <= 0 || incx <= 0) return 0;
  RequireElements(x.size(), StridedExtent(n, incx));
  int best = 1;
  double largest = x[0];
  for (int i = 1; i < n; ++i) {
    const double value = x[Count(i) * Count(incx)];
    // Strictly greater: the first of equal values wins.
    if (value > largest) {
      best = i + 1;
      largest = value;
    }
  }
  return best;
}

}  // namespace modelcheck
