// The one process-wide ErrorStack record behind the E1 routines.
//
// Arrays are indexed by level, one-based: level 1 is the application
// ("USER"), level 2 the routine the application called (the user level),
// levels 3.. routines called internally. Index 0 is unused. Entry
// kMaxErrorLevel + 1 exists so that a pop from the deepest level can reset
// the level above it. Settings are indexed by error type 1..7.
// TheErrorStack() is this thread's record, set up on the thread's first use;
// only a stop kept by a capture (message_sink.h) resets it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "errors/keyword_store.h"

namespace modelcheck {

inline constexpr int kMaxErrorLevel = 50;
inline constexpr std::size_t kRoutineNameLength = 32;
inline constexpr std::size_t kMessageCapacity = 1024;
inline constexpr std::size_t kTextValueCapacity = 255;
inline constexpr int kHighestErrorType = 7;

struct ErrorStack {
  static constexpr std::size_t kSlots = kMaxErrorLevel + 2;
  int level = 1;
  int max_level = kMaxErrorLevel;
  std::array<std::string, kSlots> names{};  // blank padded to 32
  std::array<int, kSlots> types{};
  std::array<int, kSlots> codes{};
  std::array<bool, kSlots> user_level{};
  std::string message;              // pending message; empty when none is pending
  std::vector<int> message_values;  // integer placeholder values of the pending message
  KeywordStore keywords;
  std::array<int, kHighestErrorType + 1> print_setting{};
  std::array<int, kHighestErrorType + 1> stop_setting{};
  int type6_seen = 0;
  int type7_seen = 0;
};

ErrorStack& TheErrorStack();

// Sets this thread's record up anew, as on its first use.
void ResetErrorStack();

// Stores `name` cut or blank padded to 32 characters in `slot`. Every slot
// keeps its 32-character buffer, so a push on the hot path allocates nothing.
void StoreRoutineName(std::string& slot, std::string_view name);

// Whether `stored` (a slot's padded name) is `name` cut or padded as stored.
bool IsRoutineName(std::string_view stored, std::string_view name);

// The print or stop setting of `type`; 0 for a type without settings.
int PrintSetting(const ErrorStack& stack, int type);
int StopSetting(const ErrorStack& stack, int type);

}  // namespace modelcheck
