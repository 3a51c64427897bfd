#include "linalg/array_checks.h"

#include <cstdlib>
#include <iostream>

namespace modelcheck {

std::ptrdiff_t StridedExtent(int n, int inc) {
  const std::ptrdiff_t step = inc < 0 ? -std::ptrdiff_t{inc} : std::ptrdiff_t{inc};
  return 1 + (std::ptrdiff_t{n} - 1) * step;
}

std::ptrdiff_t MatrixExtent(int m, int n, int ld) {
  return (std::ptrdiff_t{n} - 1) * std::ptrdiff_t{ld} + std::ptrdiff_t{m};
}

void RequireElements(std::size_t size, std::ptrdiff_t needed, std::source_location where) {
  if (needed <= 0 || size >= static_cast<std::size_t>(needed)) return;
  std::cerr << where.file_name() << ':' << where.line() << ": array of " << size << " elements where " << needed
            << " are needed\n";
  std::abort();
}

void RequireCondition(bool holds, const char* what, std::source_location where) {
  if (holds) return;
  std::cerr << where.file_name() << ':' << where.line() << ": " << what << '\n';
  std::abort();
}

}  // namespace modelcheck
