// Whether a chosen path can be read as a series file, in words the user can
// act on: the system's own reason whenever it gives one. Nothing is kept open.
#pragma once

#include <string>

namespace modelcheck {

// Empty when `path` names a regular file that can be opened for reading,
// otherwise one line naming the path and the cause.
std::string ReadableFileProblem(const std::string& path);

}  // namespace modelcheck
