// Internal to the QR decomposition: one-based views on the arrays of one call,
// the safe minimum below which a column counts as zero, and the steps that
// only column pivoting needs.
//
// The free columns are pl..pu; without pivoting pl = 1 and pu = 0 (none).
// The reference norm of free column j is WORK(NCA - 1 + j).
#pragma once

#include <cstddef>
#include <span>

#include "linalg/strided_index.h"

namespace modelcheck {

struct QrViews {
  int nra = 0;
  int nca = 0;
  int ldqr = 0;
  std::span<double> qr;
  std::span<double> hhaux;
  std::span<double> work;
  std::span<int> jperm;
  int pl = 1;
  int pu = 0;

  std::size_t Offset(int i, int j) const { return ColumnMajorIndex(i, j, ldqr); }
  double& At(int i, int j) const { return qr[Offset(i, j)]; }
  // QR from element (i,j) on: column j from row i, then the later columns.
  std::span<double> From(int i, int j) const { return qr.subspan(Offset(i, j)); }
  double& Aux(int j) const { return hhaux[static_cast<std::size_t>(j - 1)]; }
  double& ReferenceNorm(int j) const { return work[static_cast<std::size_t>(nca - 2 + j)]; }
  int& Perm(int j) const { return jperm[static_cast<std::size_t>(j - 1)]; }
};

// Below this norm a column counts as zero: dividing by it could overflow.
double QrSafeMinimum();

// Moves the initial columns to the front and the final ones to the back,
// turns JPERM into the permutation, and sets pl and pu.
void ArrangeFixedColumns(QrViews& v);

// Brings the free column of largest current norm among l..pu to position l.
void ChoosePivot(const QrViews& v, int l);

// Updates the current norms of the free columns after reflector l.
void DowndateNorms(const QrViews& v, int l);

}  // namespace modelcheck
