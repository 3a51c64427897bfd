// Thrown on the program's thread when the program leaves after its orderly
// stop; caught where the thread began, which then reports the status.
#pragma once

namespace modelcheck {

struct ProgramEnded {
  int status = 0;
};

}  // namespace modelcheck
