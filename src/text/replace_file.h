// Replacing an output file whole, safely in a folder others can write to.
//
// The new content goes to a temporary file created exclusively under a
// unique name beside `path` (never opened through a link, never an existing
// file), which is then renamed over `path`: the file is replaced whole or
// not at all, and a symbolic link planted under `path` is replaced itself,
// its target left alone. A new file gets the permissions a plainly created
// one would get; a replaced regular file keeps its own. A `path` that names
// a device or a pipe is written directly (it cannot be renamed over).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace modelcheck {

struct FileFailure {
  std::string action;  // "open", "write", "close" or "replace"
  int error = 0;       // errno of the failure
};

// Empty on success; the temporary file never outlives a failure.
std::optional<FileFailure> ReplaceFileWhole(const std::string& path, std::string_view bytes);

// Takes the next piece of a file's content; false once writing has failed
// (the producer may stop then: nothing more is written).
using ByteWriter = std::function<bool(std::string_view)>;

// The same, with the content made piece by piece by `produce`, so that a
// large file never has to be held whole in memory.
std::optional<FileFailure> ReplaceFileStreamed(const std::string& path,
                                               const std::function<void(const ByteWriter&)>& produce);

}  // namespace modelcheck
