#include "linalg/qr_decomposition.h"

#include <cstddef>
#include <new>
#include <string_view>
#include <vector>

#include "errors/error_stack.h"

namespace modelcheck {

namespace {

constexpr int kTerminal = 5;
constexpr std::string_view kName = "DLQRRR";

void ReportNoWorkspace(int nca) {
  // The blank text sets type and code before the message itself is posted.
  E1MES(kTerminal, 2, " ");
  E1INT(1, nca);
  E1MES(kTerminal, 2,
        "The required storage cannot be allocated.  The workspace is based on NCA, where "
        "NCA = %(i1) is given.");
}

}  // namespace

void DLQRRR(int NRA, int NCA, std::span<const double> A, int LDA, bool PIVFLG, std::span<int> JPERM,
            std::span<double> QR, int LDQR, std::span<double> HHAUX, std::span<double> COLNRM) {
  E1PSH(kName);
  if (NCA <= 0) {
    E1INT(1, NCA);
    E1MES(kTerminal, 1,
          "The number of columns of the input matrix must be positive while NCA = %(i1) is "
          "given.");
  } else {
    const auto columns = static_cast<std::size_t>(NCA);
    std::vector<double> work;
    try {
      work.resize(PIVFLG ? 2 * columns - 1 : columns - 1);
    } catch (const std::bad_alloc&) {
      ReportNoWorkspace(NCA);
    }
    if (N1RCD(0) == 0) L2RRR(NRA, NCA, A, LDA, PIVFLG, JPERM, QR, LDQR, HHAUX, COLNRM, work);
  }
  E1POP(kName);
}

}  // namespace modelcheck
