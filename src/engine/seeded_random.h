// Random draws that are the same on every machine and standard library.
//
// The generator is std::mt19937_64, whose sequence the standard fixes,
// seeded through std::seed_seq (also fixed) from a user's seed and a stream
// number (a resample, a surrogate), so every stream can be drawn on any
// thread in any order. The standard's distributions are not used: their
// algorithms differ between libraries.
#pragma once

#include <cstdint>
#include <random>

namespace modelcheck {

inline std::mt19937_64 SeededGenerator(std::uint64_t seed, std::uint64_t stream) {
  std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                         static_cast<std::uint32_t>(stream), static_cast<std::uint32_t>(stream >> 32)};
  return std::mt19937_64(sequence);
}

// A uniform draw from 0..n-1 (n >= 1), without the bias of a plain modulo:
// draws below 2^64 mod n are thrown away.
inline std::uint64_t UniformBelow(std::mt19937_64& generator, std::uint64_t n) {
  const std::uint64_t discard = (0 - n) % n;
  std::uint64_t draw = generator();
  while (draw < discard) draw = generator();
  return draw % n;
}

}  // namespace modelcheck
