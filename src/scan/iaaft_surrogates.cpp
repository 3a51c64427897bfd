#include "scan/iaaft_surrogates.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <mutex>
#include <stdexcept>

#include "engine/seeded_random.h"
#include "scan/rank_order.h"

namespace modelcheck {

namespace {

// FFTW's planner keeps process-wide tables and must not run on two threads
// at once (its documentation's rule); executing a plan needs no lock.
std::mutex& PlannerMutex() {
  static std::mutex mutex;
  return mutex;
}

// Estimated plans (no timing runs, so no dependence on the machine's load),
// for arrays of any alignment, in FFTW's scalar code (its vector code differs
// between processors in the last bits).
constexpr unsigned kPlanFlags = FFTW_ESTIMATE | FFTW_UNALIGNED | FFTW_NO_SIMD;

fftw_complex* AsFftw(std::complex<double>* data) { return reinterpret_cast<fftw_complex*>(data); }

}  // namespace

struct IaaftSurrogates::Plans {
  fftw_plan forward = nullptr;   // real n -> complex n/2 + 1
  fftw_plan backward = nullptr;  // complex n/2 + 1 -> real n (times n)

  explicit Plans(std::size_t n) {
    std::vector<double> real(n);
    std::vector<std::complex<double>> spectrum(n / 2 + 1);
    const std::lock_guard lock(PlannerMutex());
    const int length = static_cast<int>(n);
    forward = fftw_plan_dft_r2c_1d(length, real.data(), AsFftw(spectrum.data()), kPlanFlags);
    backward = fftw_plan_dft_c2r_1d(length, AsFftw(spectrum.data()), real.data(), kPlanFlags);
    if (forward == nullptr || backward == nullptr) {
      Destroy();
      throw std::runtime_error("FFTW could not plan a transform of " + std::to_string(n) + " values");
    }
  }
  ~Plans() {
    const std::lock_guard lock(PlannerMutex());
    Destroy();
  }
  Plans(const Plans&) = delete;
  Plans& operator=(const Plans&) = delete;

  void Destroy() {
    if (forward != nullptr) fftw_destroy_plan(forward);
    if (backward != nullptr) fftw_destroy_plan(backward);
    forward = backward = nullptr;
  }
};

IaaftSurrogates::IaaftSurrogates(std::span<const double> series, std::int32_t max_iterations)
    : sorted_(series.begin(), series.end()), max_iterations_(max_iterations) {
  if (series.size() < 2) throw std::invalid_argument("a surrogate needs at least 2 values");
  if (series.size() > static_cast<std::size_t>(INT32_MAX))
    throw std::invalid_argument("too many values for a surrogate");
  if (!std::ranges::all_of(series, [](double value) { return std::isfinite(value); }))
    throw std::invalid_argument("a surrogate needs finite values");
  plans_ = std::make_unique<Plans>(series.size());
  std::vector<double> real(series.begin(), series.end());
  std::vector<std::complex<double>> spectrum(series.size() / 2 + 1);
  fftw_execute_dft_r2c(plans_->forward, real.data(), AsFftw(spectrum.data()));
  amplitudes_.reserve(spectrum.size());
  for (const std::complex<double>& value : spectrum) amplitudes_.push_back(std::abs(value));
  std::ranges::sort(sorted_);
}

IaaftSurrogates::~IaaftSurrogates() = default;

IaaftSurrogates::Surrogate IaaftSurrogates::Make(std::uint64_t seed, std::uint64_t index,
                                                 const std::function<bool()>& stopped) const {
  const std::size_t n = sorted_.size();
  Surrogate out;
  // A random shuffle of the values (Fisher-Yates with our own draws).
  out.values = sorted_;
  std::mt19937_64 generator = SeededGenerator(seed, index);
  for (std::size_t i = n - 1; i > 0; --i) std::swap(out.values[i], out.values[UniformBelow(generator, i + 1)]);

  std::vector<double> real(n);
  std::vector<std::complex<double>> spectrum(n / 2 + 1);
  std::vector<std::uint32_t> order, previous;
  RankOrder ranking;
  while (out.iterations < max_iterations_ && !(stopped && stopped())) {
    // An out-of-place real-to-complex transform leaves its input as it was.
    fftw_execute_dft_r2c(plans_->forward, out.values.data(), AsFftw(spectrum.data()));
    for (std::size_t k = 0; k < spectrum.size(); ++k) {
      // sqrt(re^2 + im^2) rather than std::abs, whose care against
      // overflow costs more than the whole transform; an overflow ends the
      // iterations below.
      const double magnitude = std::sqrt(std::norm(spectrum[k]));
      spectrum[k] = magnitude > 0.0 ? spectrum[k] * (amplitudes_[k] / magnitude) : std::complex<double>(amplitudes_[k]);
    }
    fftw_execute_dft_c2r(plans_->backward, AsFftw(spectrum.data()), real.data());
    ++out.iterations;
    // Values too large for the transform: keep the last rank-ordered values.
    if (!std::ranges::all_of(real, [](double value) { return std::isfinite(value); })) break;
    previous = order;
    ranking.Sort(real, order);
    for (std::size_t j = 0; j < n; ++j) out.values[order[j]] = sorted_[j];
    if (out.iterations > 1 && order == previous) {
      out.converged = true;
      break;
    }
  }
  return out;
}

}  // namespace modelcheck
