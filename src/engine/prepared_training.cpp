// The shared part of many checks: the series as the fits see it, the
// training statistics and, per model, the neighbour grid.
#include "modelcheck/prepared_training.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/baselines.h"
#include "engine/check_input.h"
#include "engine/model_check.h"
#include "engine/neighbour_grid.h"
#include "engine/tiny_series.h"
#include "engine/training_statistics.h"
#include "modelcheck/settings_ranges.h"

namespace modelcheck {

struct PreparedTraining::Shared {
  Shared(std::span<const double> series, std::int32_t Ntrain_)
      : fitted(series),
        Ntrain(Ntrain_),
        statistics(ComputeStatistics(fitted.values.first(static_cast<std::size_t>(Ntrain_)))) {}

  FittedSeries fitted;  // the series, or a tiny one rescaled by 2^k
  std::int32_t Ntrain;
  TrainingStatistics statistics;  // of the fitted training values
};

struct PreparedModel::Grid {
  NeighbourGrid grid;
};

namespace {

void Require(const std::string& problem) {
  if (!problem.empty()) throw std::invalid_argument(problem);
}

// The settings problem of a check with this training part; D, eps, Ltest
// and Ktest stand in where the caller has not chosen them yet.
std::string Problem(const PreparedTraining::Shared& shared, ModelSettings settings) {
  settings.Ntrain = shared.Ntrain;
  return SettingsProblem(settings, shared.fitted.values.size());
}

void RequirePreparedNtrain(const PreparedTraining::Shared& shared, std::int32_t Ntrain) {
  if (Ntrain == shared.Ntrain) return;
  throw std::invalid_argument("Ntrain = " + std::to_string(Ntrain) + " is not the prepared training length " +
                              std::to_string(shared.Ntrain));
}

}  // namespace

PreparedTraining::PreparedTraining(std::span<const double> series, std::int32_t Ntrain) {
  // A training part needs two values and one after it; whether a check fits
  // after it is each check's question.
  const auto count = static_cast<std::int64_t>(series.size());
  if (count < 3)
    Require("a training part needs at least 3 values in the series; this one has " + std::to_string(count));
  if (count - 1 > INT32_MAX) Require("a series may hold at most 2147483648 values");
  const WholeRange range = NtrainRange(count);
  if (!range.Contains(Ntrain)) Require(OutsideRangeText("Ntrain", Ntrain, range));
  shared_ = std::make_shared<const Shared>(series, Ntrain);
}

std::int32_t PreparedTraining::Ntrain() const { return shared_->Ntrain; }

std::size_t PreparedTraining::value_count() const { return shared_->fitted.values.size(); }

double PreparedTraining::training_minimum() const {
  return std::ldexp(shared_->statistics.minimum, -shared_->fitted.k);
}

double PreparedTraining::training_maximum() const {
  return std::ldexp(shared_->statistics.maximum, -shared_->fitted.k);
}

double PreparedTraining::training_deviation() const {
  // The variance is of the values times error_scale, and the fitted values
  // are the series times 2^k: both are powers of two, divided out exactly.
  const TrainingStatistics& statistics = shared_->statistics;
  return std::ldexp(std::sqrt(statistics.variance) / statistics.error_scale, -shared_->fitted.k);
}

PreparedModel PreparedTraining::Model(std::int32_t D, double eps, std::int32_t tau) const {
  // Only D, tau and eps are judged here: whether a test piece fits after the
  // training part is the check's question.
  const WholeRange D_range = DRange(shared_->Ntrain);
  if (!D_range.Contains(D)) Require(OutsideRangeText("D", D, D_range));
  const WholeRange tau_range = TauRange(shared_->Ntrain, D);
  if (!tau_range.Contains(tau)) Require(OutsideRangeText("tau", tau, tau_range));
  if (!EpsUsable(eps)) Require(EpsUnusableText(eps));
  return PreparedModel(shared_, D, eps, tau);
}

CheckResult PreparedTraining::Check(const ModelSettings& settings, const CheckOptions& options) const {
  RequirePreparedNtrain(*shared_, settings.Ntrain);
  // The model judges D, tau and eps, its check the rest, in SettingsProblem's order.
  return Model(settings.D, settings.eps, settings.tau).Check(settings.Ltest, settings.Ktest, options);
}

BaselineResult PreparedTraining::Baselines(const ModelSettings& settings, int threads) const {
  RequirePreparedNtrain(*shared_, settings.Ntrain);
  ModelSettings judged = settings;
  judged.eps = 1.0;  // the baselines search no neighbours: any eps will do
  Require(Problem(*shared_, judged));
  const FittedSeries& fitted = shared_->fitted;
  BaselineResult result = RunBaselines(MakeCheckInput(fitted.values, settings, shared_->statistics), threads);
  ScaleBack(result, fitted.k);
  return result;
}

PreparedModel::PreparedModel(std::shared_ptr<const PreparedTraining::Shared> training, std::int32_t D, double eps,
                             std::int32_t tau)
    : training_(std::move(training)), D_(D), eps_(eps), tau_(tau) {
  const PreparedTraining::Shared& shared = *training_;
  // The grid's 64 KiB cell table lives on the heap, shared by copies.
  auto grid = std::make_shared<Grid>();
  BuildNeighbourGrid(shared.Ntrain, shared.fitted.values.first(static_cast<std::size_t>(shared.Ntrain)), (D - 1) * tau,
                     std::ldexp(eps, shared.fitted.k), grid->grid);
  grid_ = std::move(grid);
}

std::int32_t PreparedModel::D() const { return D_; }

double PreparedModel::eps() const { return eps_; }

std::int32_t PreparedModel::tau() const { return tau_; }

CheckResult PreparedModel::Check(std::int32_t Ltest, std::int32_t Ktest, const CheckOptions& options) const {
  const PreparedTraining::Shared& shared = *training_;
  const ModelSettings settings{
      .Ntrain = shared.Ntrain, .D = D_, .eps = eps_, .Ltest = Ltest, .Ktest = Ktest, .tau = tau_};
  Require(Problem(shared, settings));
  ModelSettings fitted_settings = settings;
  fitted_settings.eps = std::ldexp(eps_, shared.fitted.k);
  CheckResult result =
      RunModelCheck(MakeCheckInput(shared.fitted.values, fitted_settings, shared.statistics, grid_->grid), options);
  ScaleBack(result, shared.fitted.k);
  return result;
}

}  // namespace modelcheck
