#include "linalg/triangular_solve.h"

#include <cstddef>

#include "linalg/strided_index.h"
#include "linalg/vector_kernels.h"

namespace modelcheck {

int BackSubstitute(int KBASIS, std::span<const double> QR, int LDQR, std::span<double> COEF) {
  for (int j = KBASIS; j >= 1; --j) {
    const double diagonal = QR[ColumnMajorIndex(j, j, LDQR)];
    // Only an exact zero is singular; a tiny diagonal element is divided by.
    if (diagonal == 0.0) return j;
    double& cj = COEF[static_cast<std::size_t>(j - 1)];
    cj = cj / diagonal;
    DAXPY(j - 1, -cj, QR.subspan(ColumnMajorIndex(1, j, LDQR)), 1, COEF, 1);
  }
  return 0;
}

}  // namespace modelcheck
