// Calls the shared library on the Henon map's first 2200 values.
#include <cstdio>
#include <vector>

extern "C" int EmbeddedIterativePredictionTime(const double* values, int count);

int main() {
  std::vector<double> x(2200);
  double a = 0.0, b = 0.0;
  for (double& value : x) {
    const double next = 1.0 - 1.4 * a * a + b;
    b = 0.3 * a;
    a = next;
    value = a;
  }
  const int steps = EmbeddedIterativePredictionTime(x.data(), static_cast<int>(x.size()));
  std::printf("iterative prediction time: %d\n", steps);
  return steps > 0 ? 0 : 1;
}
