// Checks of the local model's internal invariants. A broken invariant is a
// programming error, not a user's: it stops at once with file and line, in
// every build type, because the search and the fit index arrays by its values.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace modelcheck {

[[noreturn]] inline void BrokenModelInvariant(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: broken invariant: %s\n", file, line, what);
  std::abort();
}

}  // namespace modelcheck

#define MC_MODEL_REQUIRE(condition) \
  ((condition) ? void(0) : ::modelcheck::BrokenModelInvariant(#condition, __FILE__, __LINE__))
