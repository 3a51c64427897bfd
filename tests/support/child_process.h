// Runs a piece of code in a child process and collects what it wrote to
// standard output and how it ended, so that paths that stop the program can
// be tested and their output compared byte for byte.
#pragma once

#include <functional>
#include <string>

namespace modelcheck::testing {

struct ChildResult {
  bool exited = false;  // ended through exit (not a signal)
  int status = -1;      // exit status when `exited`
  std::string output;   // everything written to standard output
};

// Runs `body` in a forked child; a body that returns ends the child with 0.
ChildResult RunInChild(const std::function<void()>& body);

}  // namespace modelcheck::testing
