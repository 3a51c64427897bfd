#include "errors/error_stack_state.h"

#include "text/fixed_field.h"

namespace modelcheck {

namespace {

ErrorStack SetUpErrorStack() {
  ErrorStack stack;
  for (std::size_t i = 1; i < ErrorStack::kSlots; ++i) {
    stack.names[i] = PaddedRoutineName("");
    stack.types[i] = -1;
    stack.codes[i] = -1;
    stack.user_level[i] = false;
  }
  stack.names[1] = PaddedRoutineName("USER");
  stack.types[1] = 0;
  stack.codes[1] = 0;
  stack.user_level[2] = true;
  //              types:   1  2  3  4  5  6  7
  stack.print_setting = {0, 0, 0, 1, 1, 1, 1, 1};
  stack.stop_setting = {0, 0, 0, 0, 1, 1, 0, 1};
  return stack;
}

bool HasSettings(int type) { return type >= 1 && type <= kHighestErrorType; }

// Each thread has a stack of its own, so that numerical routines may run on
// several threads at once, each error reported on the thread that met it.
thread_local ErrorStack this_threads_stack = SetUpErrorStack();

}  // namespace

ErrorStack& TheErrorStack() { return this_threads_stack; }

void ResetErrorStack() { this_threads_stack = SetUpErrorStack(); }

std::string PaddedRoutineName(std::string_view name) { return FormatText(name, kRoutineNameLength); }

int PrintSetting(const ErrorStack& stack, int type) {
  return HasSettings(type) ? stack.print_setting[static_cast<std::size_t>(type)] : 0;
}

int StopSetting(const ErrorStack& stack, int type) {
  return HasSettings(type) ? stack.stop_setting[static_cast<std::size_t>(type)] : 0;
}

}  // namespace modelcheck
