// neighbors.txt: the neighbour count of every test piece's initial state in
// the latest direct test, one line per piece, rewritten at every test.
//
// Line k is one blank column and count(k) right-aligned in 6 columns (7
// characters; a count too wide for the field is written in full).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace modelcheck {

inline constexpr std::string_view kNeighbourCountsFileName = "neighbors.txt";

// The whole file's text, every line ended by a newline.
std::string FormatNeighbourCounts(std::span<const std::int32_t> counts);

// Replaces (or creates) the file at `path` with `text` whole, through a
// unique temporary file and never through a link planted under its name
// (text/replace_file.h). Returns an empty string on success, otherwise a
// message naming the file and the cause.
std::string ReplaceTextFile(const std::string& path, std::string_view text);

}  // namespace modelcheck
