// On a console the program is the process.
#include <cstdlib>

#include "platform/program_exit.h"

namespace modelcheck {

void LeaveProgram(int status) { std::exit(status); }

}  // namespace modelcheck
