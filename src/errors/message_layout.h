// The fixed text layout of a printed error message and of the traceback.
//
// MessageLines gives the lines of one message block, each without its end of
// line and without trailing blanks: an empty line, then " *** ", the type
// name, " ERROR", " <code> from <name>" and the first piece of the message,
// then continuation lines " *** " + 9 blanks + at most 64 characters. Lines
// break at the last blank that fits, at "%/" (not printed), or hard when a
// word is longer than the room. No line is longer than 78 characters.
// TracebackLines gives the traceback of levels `rows` (innermost first).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace modelcheck {

// 8 characters: "NOTE    " .. "FATAL   " for types 1..7, else "UNKNOWN ".
std::string_view ErrorTypeName(int type);

// The stored routine name cut at its first blank; a lower-case first letter
// followed by an upper-case one is shown in upper case ("dL2RRR" → "DL2RRR").
std::string DisplayedRoutineName(std::string_view stored);

struct MessageHeading {
  int type = 0;
  int code = 0;
  std::string_view routine;  // stored routine name
};

std::vector<std::string> MessageLines(const MessageHeading& heading, std::string_view message);

struct TracebackRow {
  int level = 1;
  std::string_view routine;  // stored routine name
  int type = 0;
  int code = 0;
};

std::vector<std::string> TracebackLines(const std::vector<TracebackRow>& rows);

}  // namespace modelcheck
