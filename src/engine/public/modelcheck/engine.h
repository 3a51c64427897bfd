// The model check as a library: how well a local affine model map predicts a
// measured time series.
//
// The caller supplies the series values (in file order) and the settings:
// the first Ntrain values are the training part; the Ntest = Ltest + Ktest +
// W - 1 values after it are the test segment T(1..Ntest), where a state of D
// values tau apart spans W = (D - 1) tau + 1 values (x(n - (D-1) tau), ...,
// x(n - tau), x(n)); with the default delay tau = 1, D consecutive values.
// To predict the value after a state the model fits an affine map, by least
// squares, to the training states that lie within eps of the state in every
// component (fewer than D + 1 neighbours: their successors' mean; none: the
// state's newest value). One check runs the model three ways:
//  - freely from T(1..W) for Ltest + Ktest steps (the model's orbit);
//  - as an iterative predictor from each of the Ktest overlapping test
//    pieces (piece k starts from the state in T(k..k+W-1)), Ltest steps
//    each, every prediction taking its place among the values a later state
//    is drawn from;
//  - as a direct predictor, one fit per horizon 1..Ltest, from each piece.
// Errors are normalised root-mean-square errors per horizon, in units of the
// training part's standard deviation (population variance, divisor Ntrain);
// a prediction time is the number of leading horizons whose error is at most
// 0.05 (a count of steps). Every figure is the same to the last bit on every
// machine and for every thread count.
//
// Indices in the result are one-based where they name a piece, a step or a
// horizon; arrays are zero-based std::vectors (horizon i at [i - 1]).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace modelcheck {

// What an exactly singular least-squares fit does to a check: stop it (as
// the interactive programs do), or leave out the test piece it met (an
// orbit it met ends there) and go on, so that quantised data still gives
// figures.
enum class SingularFitPolicy { kStop, kSkipPiece };

struct ModelSettings {
  std::int32_t Ntrain = 0;   // length of the training part
  std::int32_t D = 0;        // dimension of the model map (values in a state)
  double eps = 0.0;          // box half-width of a neighbourhood, in series units
  std::int32_t Ltest = 30;   // length of a test piece (horizons 1..Ltest)
  std::int32_t Ktest = 100;  // number of test pieces
  std::int32_t tau = 1;      // delay between the values of a state, in samples
};

// W = (D - 1) tau + 1, the number of values a state spans.
inline std::int32_t StateSpan(const ModelSettings& settings) { return (settings.D - 1) * settings.tau + 1; }

// The number of values the check reads after the training part.
inline std::int32_t Ntest(const ModelSettings& settings) {
  return settings.Ltest + settings.Ktest + StateSpan(settings) - 1;
}

// The three phases of a check, in the order they count.
enum class CheckPhase { kOrbit, kIterative, kDirect };

// "orbit", "iterative", "direct": how results name a phase.
const char* CheckPhaseName(CheckPhase phase);

// One step of the model's free run: the newest state value and the value
// the model predicted after it (a point of the delay plane).
struct OrbitPoint {
  double newest = 0.0;
  double prediction = 0.0;
};

// The threshold of a prediction time: the single-precision value nearest to
// 0.05, widened to double (0.0500000007...); an error equal to it still
// counts as predicted.
inline constexpr double kPredictionThreshold = static_cast<double>(0.05f);

// A percentile bootstrap of a test's figures over its test pieces: each of
// `resamples` resamples draws as many pieces as the test kept, uniformly with
// replacement, from a generator seeded by `seed` and the resample's number
// alone, so the intervals are the same to the last bit for any thread count.
// A resample's errors are the test's measure over the pieces drawn (each
// piece's squared errors times the times it was drawn, summed in piece
// order); its prediction time counts with `threshold`.
struct BootstrapSettings {
  std::int32_t resamples = 0;  // 0: no intervals
  std::uint64_t seed = 0;
  double threshold = kPredictionThreshold;
};

// The central 90 % of the resamples' figures: with B resamples sorted, the
// ceil(B/20)-th and the ceil(19B/20)-th (nearest rank).
struct BootstrapInterval {
  std::vector<double> errors_low;  // per horizon
  std::vector<double> errors_high;
  std::int32_t time_low = 0;
  std::int32_t time_high = 0;
};

struct PredictionTestResult {
  std::vector<double> first_piece;  // predictions of piece 1 at horizons 1..Ltest
  std::vector<double> errors;       // normalised error per horizon; empty unless the test finished
  // Absent unless the test finished: a stopped test has no prediction time
  // (0 would read as a measured one).
  std::optional<std::int32_t> prediction_time;
  // Neighbour counts, piece-major: `counts_per_piece` for each piece. The
  // iterative test has one per step (Ltest); the direct test one per piece,
  // since all its horizons fit over the neighbours of the piece's state. After
  // a stop the list ends with the stopping step's count. Read them through
  // NeighbourCount rather than by index.
  std::vector<std::int32_t> neighbour_counts;
  std::int32_t counts_per_piece = 1;
  // With CheckOptions::on_singular kSkipPiece: the pieces a singular fit ended,
  // left out of the errors (which are over the other pieces; none when every
  // piece was skipped). Their counts end with the stopping step's, zeros after.
  std::int32_t skipped_pieces = 0;
  // With CheckOptions::bootstrap: the intervals of the errors and the
  // prediction time; absent unless the test has errors.
  std::optional<BootstrapInterval> interval = {};

  // How many pieces have counts (the last one partly, after a stop).
  std::int32_t pieces_counted() const {
    const auto per = static_cast<std::size_t>(counts_per_piece);
    return static_cast<std::int32_t>((neighbour_counts.size() + per - 1) / per);
  }

  // The neighbour count of piece 1..Ktest at step 1..Ltest (the direct test
  // has the same count at every step of a piece); nullopt where none was
  // recorded.
  std::optional<std::int32_t> NeighbourCount(std::int32_t piece, std::int32_t step = 1) const {
    if (piece < 1 || step < 1) return std::nullopt;
    const std::int64_t within = counts_per_piece == 1 ? 0 : std::int64_t{step} - 1;
    if (within >= counts_per_piece) return std::nullopt;
    const std::int64_t index = (std::int64_t{piece} - 1) * counts_per_piece + within;
    if (index >= static_cast<std::int64_t>(neighbour_counts.size())) return std::nullopt;
    return neighbour_counts[static_cast<std::size_t>(index)];
  }
};

// Why a check stopped on its own (a check stopped by its progress callback
// is `cancelled` instead).
enum class StopReason {
  // A least-squares fit whose triangular factor has an exact zero on its
  // diagonal: identical or collinear neighbour states (quantised data, or a
  // box smaller than the quantisation step).
  kSingularFit,
};

// "singular_fit": how results name a reason.
const char* StopReasonName(StopReason reason);

// Where a check stopped, why, and the numerical core's message about it.
struct CheckStop {
  StopReason reason = StopReason::kSingularFit;
  CheckPhase phase = CheckPhase::kOrbit;
  std::int32_t piece = 0;          // 1..Ktest; 0 in the orbit
  std::int32_t step = 0;           // orbit step, iterative step or direct horizon, from 1
  std::int32_t zero_diagonal = 0;  // one-based index of the first zero on the factor's diagonal
  std::string message;             // the printed message, whole lines ended by '\n'
};

// A check's figures. After a stop the result holds everything computed
// before it: the orbit's points, the predictions of the first piece and the
// neighbour counts up to the stopping step; the stopped test and the tests
// after it have no errors.
struct CheckResult {
  ModelSettings settings;
  std::vector<OrbitPoint> orbit;  // Ltest + Ktest points when finished
  PredictionTestResult iterative;
  PredictionTestResult direct;
  // The iterative error of horizon 1, a fraction (x 100: percent); NaN
  // unless the iterative test finished, so that a stopped check never reads
  // as a perfect one.
  double one_step_error = std::numeric_limits<double>::quiet_NaN();
  std::optional<CheckStop> stop;
  // With CheckOptions::on_singular kSkipPiece: where a singular fit ended the orbit
  // early (its points are those before it); the check went on.
  std::optional<CheckStop> orbit_stop;
  bool cancelled = false;  // the progress callback asked to stop early

  bool finished() const { return !stop && !cancelled; }
};

// How far a running check has come: pieces of the earliest phase still
// running. The orbit counts as one piece.
struct CheckProgress {
  CheckPhase phase = CheckPhase::kOrbit;
  std::int32_t pieces_done = 0;
  std::int32_t pieces = 1;
};

struct CheckOptions {
  // Threads to compute on; 0 means every hardware thread. The figures do
  // not depend on it.
  int threads = 0;
  // Called on the calling thread while the check runs: after each piece on
  // one thread; on more threads whenever pieces finish and at least every
  // 50 ms (the calling thread then only watches), and at least once. Return
  // false to stop the check early: the result is then marked cancelled. A
  // check whose pieces all finished before the first call is not cancelled,
  // whatever that call returns. Without a callback the check pays nothing
  // for it.
  std::function<bool(const CheckProgress&)> progress;
  // What an exactly singular fit does: stop the check, or skip its piece.
  SingularFitPolicy on_singular = SingularFitPolicy::kStop;
  // Resamples > 0: both prediction tests carry bootstrap intervals.
  BootstrapSettings bootstrap = {};
};

// The number of leading horizons whose normalised error is at most
// `threshold`: 0 when E(1) exceeds it, Ltest when none does. An error that is
// not a number ends the count like one above the threshold.
std::int32_t PredictionTime(std::span<const double> errors, double threshold = kPredictionThreshold);

// Why `settings` do not fit a series of `value_count` values, naming the
// setting and its allowed range; empty when they fit.
std::string SettingsProblem(const ModelSettings& settings, std::size_t value_count);

// Two reference predictors, run over the same test pieces and horizons as a
// check with these settings and scored with the same error measure (eps is
// not used):
//  - persistence: the state's newest value at every horizon;
//  - the global affine model: the local model with every training state as
//    a neighbour, one fit iterated one step at a time (iterative) and one fit
//    per horizon from the states whose successors up to Ltest are known
//    (direct). The least-squares fits run over fixed blocks of states whose
//    bounds depend only on the settings, so their figures are the same for
//    any thread count and machine; from 8192 states on (more when D + Ltest
//    exceeds 500) they may differ in the last bits from a fit over one
//    matrix of every state.
// Their neighbour counts are empty.
struct BaselineResult {
  PredictionTestResult persistence;
  PredictionTestResult global_iterative;
  PredictionTestResult global_direct;
  // The global fit was exactly singular: its tests from that one on have no errors.
  std::optional<CheckStop> global_stop;
};

// One whole check of `series`. Throws std::invalid_argument with the text of
// SettingsProblem when the settings do not fit.
CheckResult CheckSeries(std::span<const double> series, const ModelSettings& settings,
                        const CheckOptions& options = {});

// The baselines of a check of `series` with these settings, on `threads`
// threads (0: every hardware thread; the figures do not depend on it).
// Throws std::invalid_argument as CheckSeries does.
BaselineResult CheckBaselines(std::span<const double> series, const ModelSettings& settings, int threads = 0);

}  // namespace modelcheck
