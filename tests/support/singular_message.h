// The message block the solver prints for an exactly singular triangular
// factor whose first zero diagonal element is R(3,3), posted at the user
// level: shared by the tests of the solver and of the error machinery.
#pragma once

#include <string>

namespace modelcheck::testing {

inline const std::string kSingularMessage =
    "\n"
    " *** FATAL    ERROR 1 from DLQRSL.  Computation of the least squares solution\n"
    " ***          has been requested but the upper triangular matrix R is exactly\n"
    " ***          singular; the index of the first zero diagonal element of R is\n"
    " ***          3.\n";

}  // namespace modelcheck::testing
