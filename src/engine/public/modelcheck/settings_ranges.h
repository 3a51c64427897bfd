// The ranges a check's settings must lie in, one definition for every caller:
// the engine's own check of its settings, the scan's, the dialogue's answers,
// and through them the batch program and the Python module, so that no front
// end accepts what another refuses. All arithmetic is 64-bit so that any
// 32-bit value is judged without overflow. R = value count - Ntrain is the
// number of values after the training part; W = (D - 1) tau + 1 is the
// number of values a state spans (D for the delay tau = 1, which the
// interactive dialogue always uses).
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

namespace modelcheck {

// A closed range of whole numbers; empty when high < low.
struct WholeRange {
  std::int64_t low = 0;
  std::int64_t high = -1;

  bool Contains(std::int64_t value) const { return low <= value && value <= high; }
};

// The fewest values that leave room for a check: Ntrain = 2, D = 1 and one
// test piece of one step.
inline constexpr std::int64_t kFewestSeriesValues = 4;

inline WholeRange NtrainRange(std::int64_t value_count) { return {2, value_count - 1}; }

inline WholeRange DRange(std::int64_t Ntrain) { return {1, Ntrain - 1}; }

// The delays that leave a state of D values inside the training part with a
// value after it: W <= Ntrain - 1. Any 32-bit delay for D = 1, whose state
// is one value whatever the delay.
inline WholeRange TauRange(std::int64_t Ntrain, std::int64_t D) {
  return {1, D <= 1 ? std::int64_t{INT32_MAX} : (Ntrain - 2) / (D - 1)};
}

inline std::int64_t StateSpan(std::int64_t D, std::int64_t tau) { return (D - 1) * tau + 1; }

// W stands where D stood before delays: the ranges of Ltest and Ktest.
inline WholeRange LtestRange(std::int64_t R, std::int64_t W) { return {1, R - W}; }

inline WholeRange KtestRange(std::int64_t Ltest, std::int64_t R, std::int64_t W) { return {1, R - Ltest + 1 - W}; }

// "D = 10 is outside its range 1..9": how the engine refuses a setting.
inline std::string OutsideRangeText(const char* name, std::int64_t value, WholeRange range) {
  return std::string(name) + " = " + std::to_string(value) + " is outside its range " + std::to_string(range.low) +
         ".." + std::to_string(range.high);
}

inline bool NtrainAccepted(std::int64_t Ntrain, std::int64_t value_count) {
  return NtrainRange(value_count).Contains(Ntrain);
}

inline bool DAccepted(std::int64_t D, std::int64_t Ntrain) { return DRange(Ntrain).Contains(D); }

// A box size the engine can use: positive and finite.
inline bool EpsUsable(double eps) { return eps > 0.0 && std::isfinite(eps); }

inline std::string EpsUnusableText(double eps) {
  return "eps = " + std::to_string(eps) + " must be a positive finite number";
}

// A box size the dialogue accepts: positive and at most the width of the
// training values (equality accepted); a NaN width accepts nothing.
inline bool EpsAccepted(double eps, double lower, double upper) { return eps > 0.0 && eps <= upper - lower; }

inline bool LtestAccepted(std::int64_t Ltest, std::int64_t R, std::int64_t D) {
  return LtestRange(R, D).Contains(Ltest);
}

inline bool KtestAccepted(std::int64_t Ktest, std::int64_t Ltest, std::int64_t R, std::int64_t D) {
  return KtestRange(Ltest, R, D).Contains(Ktest);
}

// Whether the current Ltest and Ktest leave a test segment inside the file.
inline bool SettingsFit(std::int64_t Ltest, std::int64_t Ktest, std::int64_t R, std::int64_t D) {
  return R - Ktest - Ltest + 1 >= D;
}

// Whether any Ltest and Ktest can be accepted (Ltest = Ktest = 1 is the smallest demand).
inline bool TestPieceFits(std::int64_t R, std::int64_t D) { return R - D >= 1; }

// Whether any eps can be accepted.
inline bool BoxSizeFits(double lower, double upper) { return upper - lower > 0.0; }

}  // namespace modelcheck
