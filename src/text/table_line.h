// The fields of one line of a table: split at a delimiter (blanks and tabs
// around a field dropped), or at runs of blanks and tabs; a field in double
// quotes may hold the delimiter, and "" inside it is one quote. A trailing
// delimiter ("1.5,") adds no field.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/series_reader.h"

namespace modelcheck {

std::string_view TrimBlanks(std::string_view text);

// The delimiter a line uses: tab, else semicolon (which leaves commas to
// decimal commas), else comma, else blanks.
Delimiter DetectDelimiter(std::string_view line);

// Every field of `line`, trimmed and unquoted.
std::vector<std::string> SplitFields(std::string_view line, Delimiter delimiter);

// The field at 0-based `index`, trimmed and unquoted (into `storage` when
// a quote must be undone); empty when the line has fewer fields.
std::optional<std::string_view> FieldAt(std::string_view line, Delimiter delimiter, std::size_t index,
                                        std::string& storage);

}  // namespace modelcheck
