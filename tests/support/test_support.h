// Helpers shared by the tests.
#pragma once

#include <filesystem>
#include <string>

namespace kvem::test {

// A fresh folder under the system's temporary folder, removed at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The repository's examples/ folder.
std::filesystem::path ExamplesDir();

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace kvem::test
