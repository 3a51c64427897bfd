#include "errors/error_stack.h"

#include <string>
#include <vector>

#include "errors/error_stack_state.h"
#include "errors/orderly_stop.h"

namespace modelcheck {

namespace {

// Every stored message begins with this lead, which the first line prints.
constexpr std::string_view kMessageLead = ".  ";

std::size_t Top(const ErrorStack& stack) { return static_cast<std::size_t>(stack.level); }

[[noreturn]] void PrintAndStop() {
  E1SHOW();
  StopProgram(kErrorStopStatus);
}

[[noreturn]] void StopOnIllegalType() {
  TheErrorStack().message = std::string(kMessageLead) + "Error from E1MES.  Illegal error type specified.";
  PrintAndStop();
}

bool CarriesNoText(std::string_view text) { return text.empty() || text == " "; }

// The values stored for %(I1)..%(I9), in that order, up to the first missing one.
std::vector<int> IntegerValues(const KeywordStore& keywords) {
  std::vector<int> values;
  for (int digit = 1; digit <= 9; ++digit) {
    const std::string* value = FindKeyword(keywords, 'I', digit);
    if (value == nullptr) break;
    values.push_back(std::stoi(*value));
  }
  return values;
}

std::string BuildMessage(std::string_view text, const KeywordStore& keywords) {
  std::string message(kMessageLead);
  message += SubstitutePlaceholders(text.substr(0, kMessageCapacity), keywords);
  if (message.size() > kMessageCapacity) message.resize(kMessageCapacity);
  return message;
}

// Immediate types print when posted, at any level.
void NoteImmediateError(ErrorStack& stack) {
  const int type = stack.types[Top(stack)];
  if (type == 6) stack.type6_seen = 1;
  if (type == 7) stack.type7_seen = 1;
  if (type >= 5 && PrintSetting(stack, type) == 1) E1SHOW();
}

[[noreturn]] void StopOnEmptyPop(std::string_view name) {
  E1PSH("E1POP");
  E1TXT(1, name);
  E1MES(5, 1,
        "Error condition in E1POP.  Cannot pop from %(L1) because stack is "
        "empty.");
  StopProgram(kErrorStopStatus);
}

[[noreturn]] void StopOnMismatchedPop(std::string_view name) {
  E1TXT(1, name);
  E1TXT(2, TheErrorStack().names[Top(TheErrorStack())]);
  E1MES(5, 2,
        "Error condition in E1POP.  %(L1) does not match the name %(L2) in "
        "the stack.");
  StopProgram(kErrorStopStatus);
}

// Whether an error of type 6 or 7 seen since the last check stops the program.
bool ImmediateErrorsStop(ErrorStack& stack) {
  int result = 0;
  if (stack.type7_seen != 0) {
    result = StopSetting(stack, 7);
  } else if (stack.type6_seen != 0) {
    result = StopSetting(stack, 6);
  }
  stack.type6_seen = 0;
  stack.type7_seen = 0;
  return result == 1;
}

void ActOnPoppedError(ErrorStack& stack, int type) {
  const bool user = stack.user_level[Top(stack)];
  if (type <= 4) {
    if (PrintSetting(stack, type) == 1 && user) E1SHOW();
    if (StopSetting(stack, type) == 1 && user) StopProgram(kErrorStopStatus);
  } else if (type == 5) {
    // A message printed when posted is gone by now, so it is not repeated.
    if (PrintSetting(stack, type) == 1) E1SHOW();
    if (StopSetting(stack, type) == 1) StopProgram(kErrorStopStatus);
  } else {
    if (PrintSetting(stack, type) == 1) E1SHOW();
    if (user && ImmediateErrorsStop(stack)) StopProgram(kErrorStopStatus);
  }
}

}  // namespace

void E1PSH(std::string_view name) {
  ErrorStack& stack = TheErrorStack();
  if (stack.level >= stack.max_level) {
    E1INT(1, stack.max_level);
    E1MES(5, 1,
          "Error condition in E1PSH.  Push would cause stack level to exceed "
          "%(I1).");
    StopProgram(kErrorStopStatus);
  }
  ++stack.level;
  StoreRoutineName(stack.names[Top(stack)], name);
  stack.types[Top(stack)] = 0;
  stack.codes[Top(stack)] = 0;
}

void E1POP(std::string_view name) {
  ErrorStack& stack = TheErrorStack();
  if (stack.level <= 1) StopOnEmptyPop(name);
  if (!IsRoutineName(stack.names[Top(stack)], name)) StopOnMismatchedPop(name);
  const int type = stack.types[Top(stack)];
  if (type != 0) {
    // Type 1 is a note for this routine's caller only; the others travel up.
    if (type >= 2 && type <= 7) {
      stack.types[Top(stack) - 1] = type;
      stack.codes[Top(stack) - 1] = stack.codes[Top(stack)];
    }
    ActOnPoppedError(stack, type);
  }
  if (stack.level < stack.max_level) {
    stack.types[Top(stack) + 1] = -1;
    stack.codes[Top(stack) + 1] = -1;
  }
  --stack.level;
}

void E1MES(int type, int code, std::string_view text) {
  ErrorStack& stack = TheErrorStack();
  if (type != -1) stack.types[Top(stack)] = type;
  if (type < -1 || type > kHighestErrorType) StopOnIllegalType();
  if (code > -1) stack.codes[Top(stack)] = code;
  if (type == 0 || code == 0) {
    stack.message.clear();
  } else {
    if (!CarriesNoText(text)) {
      stack.message = BuildMessage(text, stack.keywords);
      stack.message_values = IntegerValues(stack.keywords);
    }
    NoteImmediateError(stack);
  }
  ClearKeywords(stack.keywords);
}

void E1INT(int n, int value) {
  ErrorStack& stack = TheErrorStack();
  if (n < 1 || n > 9) return;
  StoreKeyword(stack.keywords, 'I', n, std::to_string(value));
}

void E1TXT(int n, std::string_view text) {
  ErrorStack& stack = TheErrorStack();
  if (n == 0 || n < -9 || n > 9) return;
  if (n > 0) text = text.substr(0, text.find_last_not_of(' ') + 1);
  text = text.substr(0, kTextValueCapacity);
  StoreKeyword(stack.keywords, 'L', n > 0 ? n : -n, text);
}

int N1RCD(int i) {
  ErrorStack& stack = TheErrorStack();
  if (i != 0 && i != 1) {
    stack.types[Top(stack)] = 5;
    stack.codes[Top(stack)] = 1;
    stack.message = std::string(kMessageLead) + "The argument passed to N1RCD must be 0 or 1.";
    PrintAndStop();
  }
  return stack.codes[Top(stack) + static_cast<std::size_t>(i)];
}

}  // namespace modelcheck
