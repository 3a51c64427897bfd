#include "errors/orderly_stop.h"

#include <cstdio>
#include <iostream>
#include <utility>
#include <vector>

#include "platform/program_exit.h"

namespace modelcheck {

namespace {

struct CloseAction {
  CloseActionId id = 0;
  std::function<void()> action;
};

struct CloseRegistry {
  std::vector<CloseAction> actions;  // in order of registration
  CloseActionId next_id = 1;
};

CloseRegistry& Registry() {
  static CloseRegistry registry;
  return registry;
}

void RunGuarded(const std::function<void()>& action) {
  // One failing action must not keep the others from closing their files.
  try {
    if (action) action();
  } catch (...) {
  }
}

}  // namespace

CloseActionId RegisterCloseAction(std::function<void()> action) {
  CloseRegistry& registry = Registry();
  const CloseActionId id = registry.next_id++;
  registry.actions.push_back({.id = id, .action = std::move(action)});
  return id;
}

void UnregisterCloseAction(CloseActionId id) {
  std::erase_if(Registry().actions,
                [id](const CloseAction& entry) { return entry.id == id; });
}

void StopProgram(int status) {
  CloseRegistry& registry = Registry();
  while (!registry.actions.empty()) {
    // Removed before it runs, so an action that stops again cannot run twice.
    CloseAction entry = std::move(registry.actions.back());
    registry.actions.pop_back();
    RunGuarded(entry.action);
  }
  std::cout.flush();
  std::fflush(nullptr);
  LeaveProgram(status);
}

}  // namespace modelcheck
