// Guards against arrays that are shorter than the dimensions a caller passes.
//
// The numerical routines take their dimensions and their arrays separately,
// as spans whose element 0 is the first element. An array too short for the
// dimensions is a programming error in the caller, not a user's mistake: the
// check stops the program at once (abort) and names the file and line of the
// routine that found it, on the standard error stream. It stays on in every
// build, because reading or writing past the end would corrupt data silently.
#pragma once

#include <cstddef>
#include <source_location>

namespace modelcheck {

// Elements a strided vector of n elements (n >= 1) spans with increment inc.
std::ptrdiff_t StridedExtent(int n, int inc);

// Elements an m x n column-major matrix (m, n >= 1) spans with leading dimension ld.
std::ptrdiff_t MatrixExtent(int m, int n, int ld);

// Stops the program when `size` is smaller than `needed`.
void RequireElements(std::size_t size, std::ptrdiff_t needed,
                     std::source_location where = std::source_location::current());

// Stops the program when a caller's guarantee does not hold.
void RequireCondition(bool holds, const char* what, std::source_location where = std::source_location::current());

}  // namespace modelcheck
