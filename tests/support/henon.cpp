#include "support/henon.h"

#include <cstdio>

namespace modelcheck::testing {

std::vector<double> HenonValues(int count, int transient) {
  std::vector<double> values;
  double x = 0.1, y = 0.1;
  for (int n = -transient; n < count; ++n) {
    const double next = 1.0 - 1.4 * x * x + y;
    y = 0.3 * x;
    x = next;
    if (n >= 0) values.push_back(x);
  }
  return values;
}

std::string HenonSeries(int count) {
  std::string text;
  for (const double x : HenonValues(count)) {
    char line[32];
    std::snprintf(line, sizeof line, "%.12f\n", x);
    text += line;
  }
  return text;
}

}  // namespace modelcheck::testing
