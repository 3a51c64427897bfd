// Helpers for the least-squares tests: random matrices from a fixed seed, and
// independent long-double arithmetic to check the routines against.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace modelcheck::testing {

// Column-major rows x cols matrix (leading dimension rows), entries uniform in [-1, 1].
std::vector<double> RandomMatrix(int rows, int cols, std::uint64_t seed);

// Multiplies the columns of m (nra x cols, leading dimension nra) by the
// reflectors 1..count stored in compact form in qr/hhaux (leading dimension
// ld): Q * m when `transposed` is false, Q^T * m otherwise.
void ApplyQ(std::span<const double> qr, int ld, std::span<const double> hhaux, int count, int nra, int cols,
            std::vector<long double>& m, bool transposed);

// Q * R for a compact decomposition of an nra x nca matrix, column-major.
std::vector<long double> ReconstructProduct(std::span<const double> qr, int ld, std::span<const double> hhaux, int nra,
                                            int nca);

// Least-squares solution over the first k columns of a (nra rows, leading
// dimension nra) from the normal equations, in long double.
std::vector<long double> NormalEquationSolution(std::span<const double> a, int nra, int k, std::span<const double> y);

// The text with blanks at the ends of its lines removed, since the message
// layout may or may not keep them.
std::string WithoutTrailingBlanks(const std::string& text);

}  // namespace modelcheck::testing
