// Writes a generated Lorenz series file: lorenz_series_file <values> <path>.
// The x component of x' = 10 (y - x), y' = x (28 - z) - y, z' = x y - 8/3 z,
// integrated by the classical Runge-Kutta scheme with step 0.01 from
// (1, 1, 1), sampled every 0.05 after 100 time units onto the attractor.
// Lines are "%.15f": at most 19 characters, inside the 20-column field.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using State = std::array<double, 3>;

State Derivative(const State& s) {
  return {10.0 * (s[1] - s[0]), s[0] * (28.0 - s[2]) - s[1], s[0] * s[1] - 8.0 / 3.0 * s[2]};
}

State Along(const State& s, const State& d, double h) { return {s[0] + h * d[0], s[1] + h * d[1], s[2] + h * d[2]}; }

State RungeKuttaStep(const State& s, double h) {
  const State k1 = Derivative(s);
  const State k2 = Derivative(Along(s, k1, h / 2));
  const State k3 = Derivative(Along(s, k2, h / 2));
  const State k4 = Derivative(Along(s, k3, h));
  State next{};
  for (std::size_t i = 0; i < 3; ++i) next[i] = s[i] + h / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
  return next;
}

constexpr double kStep = 0.01;
constexpr int kStepsPerSample = 5;
constexpr int kTransientSamples = 2000;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: lorenz_series_file <values> <path>\n");
    return 2;
  }
  const long long count = std::atoll(argv[1]);
  if (count < 3) {
    std::fprintf(stderr, "lorenz_series_file: at least 3 values, not \"%s\"\n", argv[1]);
    return 2;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(argv[2], "w"), &std::fclose);
  if (!file) {
    std::fprintf(stderr, "lorenz_series_file: cannot write \"%s\"\n", argv[2]);
    return 1;
  }
  State s{1.0, 1.0, 1.0};
  for (long long sample = -kTransientSamples; sample < count; ++sample) {
    for (int i = 0; i < kStepsPerSample; ++i) s = RungeKuttaStep(s, kStep);
    if (sample >= 0 && std::fprintf(file.get(), "%.15f\n", s[0]) < 0) {
      std::fprintf(stderr, "lorenz_series_file: cannot write \"%s\"\n", argv[2]);
      return 1;
    }
  }
  // A write that failed late shows only at the close.
  if (std::fclose(file.release()) != 0) {
    std::fprintf(stderr, "lorenz_series_file: cannot write \"%s\"\n", argv[2]);
    return 1;
  }
  return 0;
}
