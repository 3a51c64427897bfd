// Generated measurement series for the benchmarks: the x component of the
// Henon map x' = 1 - a x^2 + y, y' = b x with a = 1.4, b = 0.3, started at
// (0.1, 0.1) and run 1000 steps onto the attractor before the first value.
//
// Series files hold one value a line, "%.16f" (at most 19 characters, inside
// the 20-column field), so every line reads back as a decimal value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace modelcheck {

std::vector<double> HenonSeries(std::int64_t count);

// Writes `values` as a series file at `path`; false when a write or the close fails.
bool WriteSeriesFile(const std::string& path, const std::vector<double>& values);

// The box size the benchmarks use for a series of `count` values: 0.01 up
// to 10^6 values, 0.003 beyond, so the boxes hold a few hundred neighbours.
double BenchmarkEps(std::int64_t count);

}  // namespace modelcheck
