#include "errors/orderly_stop.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

#include "errors/message_sink.h"

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

ExitAction registered_exit = nullptr;

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
  const CloseActionId id = registry.next_id++;
  registry.actions.push_back({.id = id, .action = std::move(action)});
  return id;
}

void UnregisterCloseAction(CloseActionId id) {
  std::erase_if(Registry().actions, [id](const CloseAction& entry) { return entry.id == id; });
}

void RegisterExitAction(ExitAction action) { registered_exit = action; }

void StopProgram(int status) {
  if (CapturingStops()) ThrowCapturedStop(status);
  CloseRegistry& registry = Registry();
  while (!registry.actions.empty()) {
    // Removed before it runs, so an action that stops again cannot run twice.
    CloseAction entry = std::move(registry.actions.back());
    registry.actions.pop_back();
    RunGuarded(entry.action);
  }
  std::cout.flush();
  std::fflush(nullptr);
  if (registered_exit != nullptr) registered_exit(status);
  // An exit action must not return; if one does, the process still ends.
  std::exit(status);
}

void ReplayStop(const CapturedStop& stop) {
  WriteMessageText(stop.messages);
  StopProgram(stop.status);
}

}  // namespace modelcheck
