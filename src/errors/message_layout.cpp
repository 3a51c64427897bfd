#include "errors/message_layout.h"

#include <array>
#include <optional>

#include "text/fixed_field.h"

namespace modelcheck {

namespace {

constexpr std::size_t kFirstLineRoom = 59;
constexpr std::size_t kContinuationRoom = 64;
constexpr std::string_view kContinuationLead = " ***          ";
constexpr std::string_view kLineBreak = "%/";
// Traceback columns: routine names are at most 32 characters long.
constexpr std::size_t kNameColumn = 32;
constexpr int kNumberColumn = 6;

std::string WithoutTrailingBlanks(std::string line) {
  const std::size_t end = line.find_last_not_of(' ');
  line.resize(end == std::string::npos ? 0 : end + 1);
  return line;
}

// Where the layout stands: `next` is the index of the first character not yet
// placed, `after_break` tells that the previous piece ended at "%/".
struct Cursor {
  std::size_t next = 0;
  bool after_break = false;
};

std::string FirstPiece(std::string_view message, std::size_t room, Cursor& cursor) {
  const std::size_t mark = message.find(kLineBreak);
  // The mark's one-based position must lie before the room's last column.
  if (mark != std::string_view::npos && mark + 1 < room) {
    cursor = {.next = mark + kLineBreak.size(), .after_break = true};
    return std::string(message.substr(0, mark));
  }
  if (message.size() <= room) {
    cursor = {.next = message.size(), .after_break = false};
    return std::string(message);
  }
  // The break blank may lie anywhere from the second column up to the room.
  const std::size_t blank = message.rfind(' ', room - 1);
  if (blank != std::string_view::npos && blank >= 1) {
    cursor = {.next = blank + 1, .after_break = false};
    return std::string(message.substr(0, blank));
  }
  cursor = {.next = room, .after_break = false};
  return std::string(message.substr(0, room));
}

// Nothing when all that is left is the blank at a break.
std::optional<std::string> NextPiece(std::string_view message, Cursor& cursor) {
  const std::size_t window_end = cursor.next + kContinuationRoom;  // exclusive
  std::size_t start = cursor.next;
  if (!cursor.after_break && message[start] == ' ') ++start;
  if (start >= message.size()) return std::nullopt;
  const std::size_t mark = message.find(kLineBreak, cursor.next);
  if (mark != std::string_view::npos && mark < window_end) {
    cursor = {.next = mark + kLineBreak.size(), .after_break = true};
    return std::string(message.substr(start, mark - start));
  }
  if (message.size() <= window_end) {
    cursor = {.next = message.size(), .after_break = false};
    return std::string(message.substr(start));
  }
  const std::size_t blank = message.rfind(' ', window_end - 1);
  const std::size_t end = (blank != std::string_view::npos && blank > start) ? blank + 1 : window_end;
  cursor = {.next = end, .after_break = false};
  return std::string(message.substr(start, end - start));
}

}  // namespace

std::string_view ErrorTypeName(int type) {
  static constexpr std::array<std::string_view, 8> kNames = {"UNKNOWN ", "NOTE    ", "ALERT   ", "WARNING ",
                                                             "FATAL   ", "TERMINAL", "WARNING ", "FATAL   "};
  if (type < 1 || type > 7) return kNames[0];
  return kNames[static_cast<std::size_t>(type)];
}

std::string DisplayedRoutineName(std::string_view stored) {
  std::string name(stored.substr(0, stored.find(' ')));
  const auto is_lower = [](char c) { return c >= 'a' && c <= 'z'; };
  const auto is_upper = [](char c) { return c >= 'A' && c <= 'Z'; };
  if (name.size() >= 2 && is_lower(name[0]) && is_upper(name[1])) name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}

std::vector<std::string> MessageLines(const MessageHeading& heading, std::string_view message) {
  const std::string prefix = " " + std::to_string(heading.code) + " from " + DisplayedRoutineName(heading.routine);
  const std::size_t room = kFirstLineRoom - prefix.size();
  Cursor cursor;
  std::vector<std::string> lines{""};
  lines.push_back(WithoutTrailingBlanks(" *** " + std::string(ErrorTypeName(heading.type)) + " ERROR" + prefix +
                                        FirstPiece(message, room, cursor)));
  while (cursor.next < message.size()) {
    const std::optional<std::string> piece = NextPiece(message, cursor);
    if (!piece) break;
    lines.push_back(WithoutTrailingBlanks(std::string(kContinuationLead) + *piece));
  }
  return lines;
}

std::vector<std::string> TracebackLines(const std::vector<TracebackRow>& rows) {
  std::vector<std::string> lines = {"     Here is a traceback of subprogram calls in reverse order:",
                                    "     Routine name                    Error type  Error code",
                                    "     ------------                    ----------  ----------"};
  for (const TracebackRow& row : rows) {
    std::string line = "     " + FormatText(DisplayedRoutineName(row.routine), kNameColumn) +
                       FormatInteger(row.type, kNumberColumn) + "      " + FormatInteger(row.code, kNumberColumn);
    if (row.level >= 3) line += "    (Called internally)";
    lines.push_back(line);
  }
  return lines;
}

}  // namespace modelcheck
