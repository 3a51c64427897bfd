// The program leaves its own thread; the windows stay with what it wrote.
#include "platform/desktop/program_ended.h"
#include "platform/program_exit.h"

namespace modelcheck {

void LeaveProgram(int status) { throw ProgramEnded{.status = status}; }

}  // namespace modelcheck
