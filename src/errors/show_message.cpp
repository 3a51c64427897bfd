#include <string>
#include <vector>

#include "errors/error_stack.h"
#include "errors/error_stack_state.h"
#include "errors/message_layout.h"
#include "errors/message_sink.h"
#include "errors/message_unit.h"

namespace modelcheck {

namespace {

std::vector<TracebackRow> TracebackRows(const ErrorStack& stack) {
  std::vector<TracebackRow> rows;
  for (int level = stack.level; level >= 1; --level) {
    const auto i = static_cast<std::size_t>(level);
    rows.push_back({.level = level, .routine = stack.names[i], .type = stack.types[i], .code = stack.codes[i]});
  }
  return rows;
}

void AppendLines(std::string& text, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
}

}  // namespace

void E1SHOW() {
  ErrorStack& stack = TheErrorStack();
  if (stack.message.empty()) return;
  const auto top = static_cast<std::size_t>(stack.level);
  std::string text;
  AppendLines(text, MessageLines({.type = stack.types[top], .code = stack.codes[top], .routine = stack.names[top]},
                                 stack.message));
  NoteCapturedError(stack.types[top], stack.codes[top], stack.names[top], std::move(stack.message_values));
  stack.message.clear();
  stack.message_values.clear();
  ClearKeywords(stack.keywords);
  // The application itself (level 2) needs no traceback to find the place.
  if (stack.level > 2) AppendLines(text, TracebackLines(TracebackRows(stack)));
  WriteToMessageUnit(text);
}

}  // namespace modelcheck
