#include "errors/orderly_stop.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <utility>
#include <vector>

#include "errors/message_sink.h"

namespace modelcheck {

namespace {

struct CloseAction {
  CloseActionId id = 0;
  std::function<void()> action;
};

// Files may be opened and closed on any thread; the registry is the one
// piece of process-wide state here besides the exit action the program sets.
struct CloseRegistry {
  std::mutex mutex;
  std::vector<CloseAction> actions;  // in order of registration
  CloseActionId next_id = 1;
};

std::atomic<ExitAction> registered_exit{nullptr};

CloseRegistry& Registry() {
  static CloseRegistry registry;
  return registry;
}

void RunGuarded(const std::function<void()>& action) {
  // One failing action must not keep the others from closing their files.
  try {
    if (action) action();
  } catch (...) {}
}

}  // namespace

CloseActionId RegisterCloseAction(std::function<void()> action) {
  CloseRegistry& registry = Registry();
  const std::lock_guard lock(registry.mutex);
  const CloseActionId id = registry.next_id++;
  registry.actions.push_back({.id = id, .action = std::move(action)});
  return id;
}

void UnregisterCloseAction(CloseActionId id) {
  CloseRegistry& registry = Registry();
  const std::lock_guard lock(registry.mutex);
  std::erase_if(registry.actions, [id](const CloseAction& entry) { return entry.id == id; });
}

void RegisterExitAction(ExitAction action) { registered_exit = action; }

void StopProgram(int status) {
  if (CapturingStops()) ThrowCapturedStop(status);
  CloseRegistry& registry = Registry();
  while (true) {
    // Removed before it runs, so an action that stops again cannot run
    // twice; run without the lock, so that it may unregister others.
    CloseAction entry;
    {
      const std::lock_guard lock(registry.mutex);
      if (registry.actions.empty()) break;
      entry = std::move(registry.actions.back());
      registry.actions.pop_back();
    }
    RunGuarded(entry.action);
  }
  std::cout.flush();
  std::fflush(nullptr);
  if (const ExitAction exit_action = registered_exit.load(); exit_action != nullptr) exit_action(status);
  // An exit action must not return; if one does, the process still ends.
  std::exit(status);
}

void ReplayStop(const CapturedStop& stop) {
  WriteMessageText(stop.messages);
  StopProgram(stop.status);
}

}  // namespace modelcheck
