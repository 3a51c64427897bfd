// Files of the tests: reading one whole, and a temporary working folder that
// is removed again at the end of the test.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace modelcheck::testing {

// The whole file as bytes or as text; empty when it is not a readable
// regular file.
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);

// A fresh folder under the system's temporary folder, removed with what it
// holds when the object goes.
class WorkDirectory {
 public:
  WorkDirectory();
  ~WorkDirectory();
  WorkDirectory(const WorkDirectory&) = delete;
  WorkDirectory& operator=(const WorkDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  void WriteFile(const std::string& name, const std::string& content) const;

 private:
  std::filesystem::path path_;
};

}  // namespace modelcheck::testing
