// The accepted range of every setting the dialogue asks for. All arithmetic
// is 64-bit so that any typed 32-bit value is judged without overflow.
// R = value count - Ntrain is the number of values after the training part.
#pragma once

#include <cstdint>

namespace modelcheck {

inline bool NtrainAccepted(std::int64_t Ntrain, std::int64_t value_count) { return 1 < Ntrain && Ntrain < value_count; }

inline bool DAccepted(std::int64_t D, std::int64_t Ntrain) { return D >= 1 && Ntrain - D >= 1; }

// Equality with the width is accepted; a NaN width accepts nothing.
inline bool EpsAccepted(double eps, double lower, double upper) { return eps > 0.0 && eps <= upper - lower; }

inline bool LtestAccepted(std::int64_t Ltest, std::int64_t R, std::int64_t D) { return Ltest >= 1 && R - Ltest >= D; }

inline bool KtestAccepted(std::int64_t Ktest, std::int64_t Ltest, std::int64_t R, std::int64_t D) {
  return Ktest >= 1 && R - Ktest - Ltest + 1 >= D;
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
