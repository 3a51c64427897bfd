// An independent, deliberately plain reference for the prediction tests:
// brute-force neighbour scan and a centred least-squares fit solved by the
// normal equations in extended precision. Shares no code with the program.
#pragma once

#include <cstdint>
#include <vector>

namespace modelcheck::testing {

struct ReferenceSetup {
  std::vector<double> training;  // x(1..Ntrain) at [0..Ntrain-1]
  std::vector<double> test;      // T(1..Ntest) at [0..Ntest-1]
  int D = 0;
  double eps = 0.0;
  int Ltest = 0;
  int Ktest = 0;
  int tau = 1;  // a state is x(s), x(s + tau), ..., x(s + (D-1) tau)
};

struct ReferenceResult {
  std::vector<double> errors;  // normalised error per horizon
  int prediction_time = 0;
  std::vector<int> neighbour_counts;  // per piece (direct method only)
};

ReferenceResult ReferenceIterative(const ReferenceSetup& setup);
ReferenceResult ReferenceDirect(const ReferenceSetup& setup);

}  // namespace modelcheck::testing
