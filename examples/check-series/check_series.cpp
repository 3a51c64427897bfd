// Checks how well a local model map predicts a series with the modelcheck
// engine, and prints the figures the interactive program reports.
//
// Usage: check-series SERIES_FILE Ntrain D eps [Ltest [Ktest]]
// The series file holds one number per line.
#include <modelcheck/engine.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Whole-string conversions: "2x" or "" is a mistake, not the number 2 or 0,
// and the message names the argument rather than the library routine.
int ParseInt(const std::string& text, const char* name) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::logic_error&) {  // no number, or out of range
    used = 0;
  }
  if (used == 0 || used != text.size()) {
    throw std::invalid_argument(std::string(name) + " is not an integer: \"" + text + "\"");
  }
  return value;
}

double ParseDouble(const std::string& text, const char* name) {
  std::size_t used = 0;
  double value = 0.0;
  try {
    value = std::stod(text, &used);
  } catch (const std::logic_error&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) {
    throw std::invalid_argument(std::string(name) + " is not a number: \"" + text + "\"");
  }
  return value;
}

std::vector<double> ReadSeries(const char* path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error(std::string("cannot open ") + path);
  std::vector<double> values;
  for (double value; in >> value;) values.push_back(value);
  // The loop also stops at text that is not a number; only the end of the
  // file is a clean stop.
  if (!in.eof()) {
    throw std::runtime_error(std::string(path) + ": value " + std::to_string(values.size() + 1) + " is not a number");
  }
  return values;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || argc > 7) {
    std::cerr << "usage: " << argv[0] << " SERIES_FILE Ntrain D eps [Ltest [Ktest]]\n";
    return 2;
  }
  try {
    const std::vector<double> series = ReadSeries(argv[1]);

    modelcheck::ModelSettings settings;  // Ltest and Ktest keep their defaults unless given
    settings.Ntrain = ParseInt(argv[2], "Ntrain");
    settings.D = ParseInt(argv[3], "D");
    settings.eps = ParseDouble(argv[4], "eps");
    if (argc > 5) settings.Ltest = ParseInt(argv[5], "Ltest");
    if (argc > 6) settings.Ktest = ParseInt(argv[6], "Ktest");

    // Settings that do not fit the series throw std::invalid_argument too.
    const modelcheck::CheckResult result = modelcheck::CheckSeries(series, settings);
    if (result.stop) {
      // An exactly singular fit: the engine hands over the message the
      // interactive program would have stopped with, and where it stopped.
      std::cerr << result.stop->message << "stopped in the " << modelcheck::CheckPhaseName(result.stop->phase)
                << " test, piece " << result.stop->piece << ", step " << result.stop->step << '\n';
      return 1;
    }

    std::printf("one-step error: %.5f %%\n", 100.0 * result.one_step_error);
    std::printf("iterative prediction time: %d\n", result.iterative.prediction_time.value());
    std::printf("direct prediction time: %d\n", result.direct.prediction_time.value());
    std::printf("%7s %14s %14s\n", "horizon", "iterative", "direct");
    for (std::size_t i = 0; i < result.iterative.errors.size(); ++i) {
      std::printf("%7zu %14.8f %14.8f\n", i + 1, result.iterative.errors[i], result.direct.errors[i]);
    }
    return 0;
  } catch (const std::invalid_argument& error) {
    std::cerr << "check-series: " << error.what() << '\n';
    return 1;
  } catch (const std::runtime_error& error) {
    std::cerr << "check-series: " << error.what() << '\n';
    return 1;
  }
}
