#include "engine/model_check.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <utility>

#include "engine/check_schedule.h"
#include "engine/direct_test.h"
#include "engine/horizon_errors.h"
#include "engine/iterative_test.h"
#include "engine/model_invariant.h"
#include "engine/model_phase_orbit.h"
#include "engine/piece_bootstrap.h"
#include "engine/test_pieces.h"
#include "errors/message_sink.h"

namespace modelcheck {

namespace {

// What the pieces of one prediction test leave, piece-major.
struct TestRecords {
  std::int32_t counts_per_piece = 0;
  std::vector<double> squared;           // K x Ltest
  std::vector<std::int32_t> counts;      // K x counts_per_piece
  std::vector<std::int32_t> steps_done;  // per piece
  std::vector<char> skipped;             // per piece: a singular fit ended it (skip-piece policy)
  std::vector<double> first_piece;
  std::atomic<std::int32_t> pieces_done{0};

  TestRecords(const ModelSettings& settings, std::int32_t per_piece)
      : counts_per_piece(per_piece),
        squared(static_cast<std::size_t>(settings.Ktest) * static_cast<std::size_t>(settings.Ltest)),
        counts(static_cast<std::size_t>(settings.Ktest) * static_cast<std::size_t>(per_piece)),
        steps_done(static_cast<std::size_t>(settings.Ktest)),
        skipped(static_cast<std::size_t>(settings.Ktest), 0) {}

  PieceRecord Record(std::int32_t k, std::int32_t Ltest) {
    const auto piece = static_cast<std::size_t>(k - 1);
    const auto L = static_cast<std::size_t>(Ltest);
    const auto per = static_cast<std::size_t>(counts_per_piece);
    return PieceRecord{.squared_errors = std::span<double>(squared).subspan(piece * L, L),
                       .neighbour_counts = std::span<std::int32_t>(counts).subspan(piece * per, per),
                       .predictions = k == 1 ? &first_piece : nullptr};
  }
};

// The earliest stop by item number, whichever thread met it.
struct EarliestStop {
  std::mutex mutex;
  std::int32_t item = -1;
  std::optional<CheckStop> stop;

  void Offer(std::int32_t at, CheckStop candidate) {
    std::lock_guard lock(mutex);
    if (stop && item <= at) return;
    item = at;
    stop = std::move(candidate);
  }
};

}  // namespace

CheckStop MakeCheckStop(CheckPhase phase, std::int32_t piece, std::int32_t step, CapturedStop&& captured) {
  // Every other error of the numerical core is a wrong call, which the
  // engine never makes.
  MC_MODEL_REQUIRE(captured.routine == "DLQRSL" && captured.code == 1 && !captured.values.empty());
  return CheckStop{.reason = StopReason::kSingularFit,
                   .phase = phase,
                   .piece = piece,
                   .step = step,
                   .zero_diagonal = captured.values.front(),
                   .message = std::move(captured.messages)};
}

namespace {

// Item 0 is the orbit, items 1..K the iterative pieces, K+1..2K the direct ones.
struct CheckRun {
  const CheckInput& input;
  std::int32_t K;
  std::vector<OrbitPoint> orbit;
  std::optional<CheckStop> orbit_stop;  // skip-piece policy: the orbit ended early
  std::atomic<bool> orbit_done{false};
  bool skip_singular = false;  // a singular fit skips its piece instead of stopping the check
  TestRecords iterative;
  TestRecords direct;
  EarliestStop earliest;

  CheckRun(const CheckInput& in, std::int32_t pieces)
      : input(in), K(pieces), iterative(in.settings, in.settings.Ltest), direct(in.settings, 1) {}

  bool RunPiece(CheckPhase phase, std::int32_t item, std::int32_t k, PieceWork& work) {
    TestRecords& records = phase == CheckPhase::kIterative ? iterative : direct;
    PieceRecord record = records.Record(k, input.settings.Ltest);
    StopCapture capture;
    std::optional<CapturedStop> stopped;
    try {
      if (phase == CheckPhase::kIterative) {
        RunIterativePiece(input, k, work, record);
      } else {
        RunDirectPiece(input, k, work, record);
      }
    } catch (CapturedStop& captured) {
      stopped = std::move(captured);
    }
    records.steps_done[static_cast<std::size_t>(k - 1)] = record.steps_done;
    if (stopped && skip_singular) {
      records.skipped[static_cast<std::size_t>(k - 1)] = 1;
      ++records.pieces_done;
      return true;
    }
    if (stopped) {
      earliest.Offer(item, MakeCheckStop(phase, k, record.steps_done + 1, std::move(*stopped)));
      return false;
    }
    ++records.pieces_done;
    return true;
  }

  bool RunOrbit(PieceWork& work) {
    StopCapture capture;
    try {
      RunModelOrbit(input, work, orbit);
    } catch (CapturedStop& captured) {
      const auto step = static_cast<std::int32_t>(orbit.size()) + 1;
      CheckStop stop = MakeCheckStop(CheckPhase::kOrbit, 0, step, std::move(captured));
      if (skip_singular) {
        orbit_stop = std::move(stop);
        orbit_done = true;
        return true;
      }
      earliest.Offer(0, std::move(stop));
      return false;
    }
    orbit_done = true;
    return true;
  }

  bool Run(std::int32_t item, PieceWork& work) {
    if (item == 0) return RunOrbit(work);
    if (item <= K) return RunPiece(CheckPhase::kIterative, item, item, work);
    return RunPiece(CheckPhase::kDirect, item, item - K, work);
  }

  CheckProgress Progress() const {
    if (!orbit_done) return {.phase = CheckPhase::kOrbit, .pieces_done = 0, .pieces = 1};
    if (iterative.pieces_done < K)
      return {.phase = CheckPhase::kIterative, .pieces_done = iterative.pieces_done, .pieces = K};
    return {.phase = CheckPhase::kDirect, .pieces_done = direct.pieces_done, .pieces = K};
  }
};

// Moves a test's figures into `out`: with `stopped_piece` > 0 only what came
// before the stop (the stopping step's neighbour count included), otherwise
// everything, normalised.
void CollectTest(TestRecords& records, const CheckInput& input, const CheckOptions& options, std::int32_t stopped_piece,
                 PredictionTestResult& out) {
  out.first_piece = std::move(records.first_piece);
  out.counts_per_piece = records.counts_per_piece;
  const auto per = static_cast<std::size_t>(records.counts_per_piece);
  if (stopped_piece > 0) {
    const auto whole = static_cast<std::size_t>(stopped_piece - 1) * per;
    const std::size_t partial =
        per == 1 ? 1 : static_cast<std::size_t>(records.steps_done[static_cast<std::size_t>(stopped_piece - 1)]) + 1;
    records.counts.resize(whole + partial);
    out.neighbour_counts = std::move(records.counts);
    return;
  }
  out.neighbour_counts = std::move(records.counts);
  const ModelSettings& settings = input.settings;
  const auto L = static_cast<std::size_t>(settings.Ltest);
  std::int32_t K = PieceCount(settings);
  out.skipped_pieces = static_cast<std::int32_t>(std::count(records.skipped.begin(), records.skipped.end(), 1));
  if (out.skipped_pieces > 0) {
    // The pieces kept, in order: the errors are theirs alone.
    std::vector<double> kept;
    for (std::size_t k = 0; k < records.skipped.size(); ++k) {
      if (records.skipped[k] == 0)
        kept.insert(kept.end(), records.squared.begin() + static_cast<std::ptrdiff_t>(k * L),
                    records.squared.begin() + static_cast<std::ptrdiff_t>((k + 1) * L));
    }
    records.squared = std::move(kept);
    K -= out.skipped_pieces;
    if (K == 0) return;
  }
  out.errors.assign(L, 0.0);
  SumSquaredErrors(records.squared, K, out.errors);
  NormaliseHorizonErrors(out.errors, K, input.variance);
  out.prediction_time = PredictionTime(out.errors);
  if (options.bootstrap.resamples > 0)
    out.interval =
        BootstrapPieces(records.squared, K, settings.Ltest, input.variance, options.bootstrap, options.threads);
}

std::int32_t StoppedPiece(const std::optional<CheckStop>& stop, CheckPhase phase) {
  return stop && stop->phase == phase ? stop->piece : 0;
}

CheckResult Collect(CheckRun& run, const CheckOptions& options, bool cancelled) {
  CheckResult result;
  result.settings = run.input.settings;
  result.orbit = std::move(run.orbit);
  result.orbit_stop = std::move(run.orbit_stop);
  result.stop = std::move(run.earliest.stop);
  result.cancelled = cancelled;
  const std::optional<CheckStop>& stop = result.stop;
  if (cancelled || (stop && stop->phase == CheckPhase::kOrbit)) return result;
  CollectTest(run.iterative, run.input, options, StoppedPiece(stop, CheckPhase::kIterative), result.iterative);
  if (stop && stop->phase == CheckPhase::kIterative) return result;
  // Every iterative piece skipped: no errors, and no one-step error.
  if (!result.iterative.errors.empty()) result.one_step_error = result.iterative.errors.front();
  CollectTest(run.direct, run.input, options, StoppedPiece(stop, CheckPhase::kDirect), result.direct);
  return result;
}

}  // namespace

CheckResult RunModelCheck(const CheckInput& input, const CheckOptions& options) {
  RequireCheckInput(input);
  CheckRun run(input, PieceCount(input.settings));
  run.skip_singular = options.on_singular == SingularFitPolicy::kSkipPiece;
  std::function<bool()> keep_going;
  if (options.progress) keep_going = [&] { return options.progress(run.Progress()); };
  const bool finished = RunSchedule(
      2 * run.K + 1, options.threads, [&run](std::int32_t item, PieceWork& work) { return run.Run(item, work); },
      keep_going);
  return Collect(run, options, !finished);
}

}  // namespace modelcheck
