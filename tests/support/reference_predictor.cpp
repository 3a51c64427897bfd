#include "support/reference_predictor.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace modelcheck::testing {

namespace {

using Index = std::size_t;

// The offset of a state's newest value from its oldest.
Index Span(const ReferenceSetup& setup) { return static_cast<Index>((setup.D - 1) * setup.tau); }

// Component k of the training state starting at s.
double Component(const ReferenceSetup& setup, Index s, Index k) {
  return setup.training[s + k * static_cast<Index>(setup.tau)];
}

// Zero-based starts s of every training state inside the box, with
// s + span + lead_room <= Ntrain - 1 so its targets exist.
std::vector<Index> BruteForceNeighbours(const ReferenceSetup& setup, const std::vector<double>& z, int lead_room) {
  std::vector<Index> found;
  const auto D = static_cast<Index>(setup.D);
  for (Index s = 0; s + Span(setup) + static_cast<Index>(lead_room) < setup.training.size(); ++s) {
    bool inside = true;
    for (Index k = 0; k < D; ++k) inside = inside && std::fabs(z[k] - Component(setup, s, k)) < setup.eps;
    if (inside) found.push_back(s);
  }
  return found;
}

// Solves the small dense system a c = b by Gauss elimination with pivoting.
std::vector<long double> Solve(std::vector<std::vector<long double>> a, std::vector<long double> b) {
  const Index n = b.size();
  for (Index col = 0; col < n; ++col) {
    Index pivot = col;
    for (Index r = col + 1; r < n; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    std::swap(a[col], a[pivot]);
    std::swap(b[col], b[pivot]);
    for (Index r = col + 1; r < n; ++r) {
      const long double f = a[r][col] / a[col][col];
      for (Index c = col; c < n; ++c) a[r][c] -= f * a[col][c];
      b[r] -= f * b[col];
    }
  }
  std::vector<long double> c(n);
  for (Index r = n; r-- > 0;) {
    long double sum = b[r];
    for (Index k = r + 1; k < n; ++k) sum -= a[r][k] * c[k];
    c[r] = sum / a[r][r];
  }
  return c;
}

// Affine fit of x[s+span+lead] on the state starting at s; the data are
// centred first so that the normal equations stay well conditioned.
double FitAndPredict(const ReferenceSetup& setup, const std::vector<Index>& nb, const std::vector<double>& z,
                     int lead) {
  const auto D = static_cast<Index>(setup.D);
  const auto target = [&](Index s) { return setup.training[s + Span(setup) + static_cast<Index>(lead)]; };
  std::vector<long double> mean(D, 0.0L);
  long double mean_y = 0.0L;
  for (const Index s : nb) {
    for (Index k = 0; k < D; ++k) mean[k] += Component(setup, s, k);
    mean_y += target(s);
  }
  for (auto& m : mean) m /= static_cast<long double>(nb.size());
  mean_y /= static_cast<long double>(nb.size());
  std::vector<std::vector<long double>> normal(D, std::vector<long double>(D, 0.0L));
  std::vector<long double> right(D, 0.0L);
  for (const Index s : nb) {
    for (Index r = 0; r < D; ++r) {
      const long double dr = Component(setup, s, r) - mean[r];
      for (Index c = 0; c < D; ++c) normal[r][c] += dr * (Component(setup, s, c) - mean[c]);
      right[r] += dr * (target(s) - mean_y);
    }
  }
  const auto slope = Solve(normal, right);
  long double p = mean_y;
  for (Index k = 0; k < D; ++k) p += slope[k] * (z[k] - mean[k]);
  return static_cast<double>(p);
}

double Predict(const ReferenceSetup& setup, const std::vector<Index>& nb, const std::vector<double>& z, int lead) {
  const auto D = static_cast<Index>(setup.D);
  if (nb.size() >= D + 1) return FitAndPredict(setup, nb, z, lead);
  if (nb.empty()) return z.back();
  double sum = 0.0;
  for (const Index s : nb) sum += setup.training[s + Span(setup) + static_cast<Index>(lead)];
  return sum / static_cast<double>(nb.size());
}

double Variance(const std::vector<double>& x) {
  long double mean = 0.0L;
  for (const double v : x) mean += v;
  mean /= static_cast<long double>(x.size());
  long double sum = 0.0L;
  for (const double v : x) sum += (v - mean) * (v - mean);
  return static_cast<double>(sum / static_cast<long double>(x.size()));
}

void Finish(const ReferenceSetup& setup, ReferenceResult& result) {
  const double variance = Variance(setup.training);
  for (double& e : result.errors) e = std::sqrt(e / (setup.Ktest * variance));
  while (result.prediction_time < setup.Ltest &&
         result.errors[static_cast<Index>(result.prediction_time)] <= 0.05000000075)
    ++result.prediction_time;
}

// The values a piece's states are drawn from: its first span + 1 values.
std::vector<double> InitialHistory(const ReferenceSetup& setup, int piece) {
  const auto first = setup.test.begin() + piece;
  return std::vector<double>(first, first + static_cast<std::ptrdiff_t>(Span(setup)) + 1);
}

std::vector<double> StateOf(const ReferenceSetup& setup, const std::vector<double>& history) {
  std::vector<double> z;
  for (int k = 0; k < setup.D; ++k) z.push_back(history[static_cast<Index>(k * setup.tau)]);
  return z;
}

double Target(const ReferenceSetup& setup, int piece, int horizon) {
  return setup.test[static_cast<Index>(piece) + Span(setup) + static_cast<Index>(horizon)];
}

}  // namespace

ReferenceResult ReferenceIterative(const ReferenceSetup& setup) {
  ReferenceResult result;
  result.errors.assign(static_cast<Index>(setup.Ltest), 0.0);
  for (int piece = 0; piece < setup.Ktest; ++piece) {
    std::vector<double> history = InitialHistory(setup, piece);
    for (int i = 1; i <= setup.Ltest; ++i) {
      const std::vector<double> z = StateOf(setup, history);
      const double p = Predict(setup, BruteForceNeighbours(setup, z, 1), z, 1);
      result.errors[static_cast<Index>(i - 1)] += std::pow(p - Target(setup, piece, i), 2);
      history.erase(history.begin());
      history.push_back(p);
    }
  }
  Finish(setup, result);
  return result;
}

ReferenceResult ReferenceDirect(const ReferenceSetup& setup) {
  ReferenceResult result;
  result.errors.assign(static_cast<Index>(setup.Ltest), 0.0);
  for (int piece = 0; piece < setup.Ktest; ++piece) {
    const std::vector<double> z = StateOf(setup, InitialHistory(setup, piece));
    const auto nb = BruteForceNeighbours(setup, z, setup.Ltest);
    result.neighbour_counts.push_back(static_cast<int>(nb.size()));
    for (int i = 1; i <= setup.Ltest; ++i) {
      const double p = Predict(setup, nb, z, i);
      result.errors[static_cast<Index>(i - 1)] += std::pow(p - Target(setup, piece, i), 2);
    }
  }
  Finish(setup, result);
  return result;
}

}  // namespace modelcheck::testing
