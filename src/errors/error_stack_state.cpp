#include "errors/error_stack_state.h"

namespace modelcheck {

namespace {

ErrorStack SetUpErrorStack() {
  ErrorStack stack;
  for (std::size_t i = 1; i < ErrorStack::kSlots; ++i) {
    StoreRoutineName(stack.names[i], "");
    stack.types[i] = -1;
    stack.codes[i] = -1;
    stack.user_level[i] = false;
  }
  StoreRoutineName(stack.names[1], "USER");
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

void StoreRoutineName(std::string& slot, std::string_view name) {
  slot.assign(name.substr(0, kRoutineNameLength));
  slot.resize(kRoutineNameLength, ' ');
}

bool IsRoutineName(std::string_view stored, std::string_view name) {
  name = name.substr(0, kRoutineNameLength);
  if (stored.size() != kRoutineNameLength || stored.substr(0, name.size()) != name) return false;
  return stored.find_first_not_of(' ', name.size()) == std::string_view::npos;
}

int PrintSetting(const ErrorStack& stack, int type) {
  return HasSettings(type) ? stack.print_setting[static_cast<std::size_t>(type)] : 0;
}

int StopSetting(const ErrorStack& stack, int type) {
  return HasSettings(type) ? stack.stop_setting[static_cast<std::size_t>(type)] : 0;
}

}  // namespace modelcheck
