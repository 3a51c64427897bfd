// A series whose direct test stops on an exactly singular local fit, shared
// by the tests of both front-ends, and the report it leaves.
//
// Quantised training values with D = 1 and eps = 0.5: the test state 0 has
// the neighbours o = 1, 2 (value 0) and o = 9 (value 0.001). One-step fits
// see all three and are regular; the direct test admits only o <= 8, so its
// design matrix has an all-zero second column. Answers: Ntrain = 10, D = 1,
// eps = 0.5, Ltest = 2, Ktest = 1.
#pragma once

namespace modelcheck::testing {

inline constexpr const char* kSingularFitSeries =
    "0.0\n0.0\n50.0\n60.0\n70.0\n80.0\n90.0\n100.0\n0.001\n200.0\n"
    "0.0\n5.0\n7.0\n";

// report.txt up to the stop: every line written before it, no closing banner.
inline constexpr const char* kSingularFitReport =
    " The number of values in a training time series: Ntrain =     10\n"
    "\n"
    " Dimension of a model map: D =  1\n"
    " Box size: eps =   0.50000\n"
    " Length of a test piece: Ltest =     2\n"
    " Number of test pieces: Ktest =    1\n"
    " One-step prediction error:  34.68447 %\n"
    " Prediction time (iterative method):      0\n";

}  // namespace modelcheck::testing
