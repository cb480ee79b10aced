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

// What a run of the built kvem-cli printed and how it ended.
struct CliResult {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs a shell command; stderr goes through a file in `dir`.
CliResult RunShell(const std::filesystem::path& dir, const std::string& command);

// Runs kvem-cli (KVEM_CLI) with `arguments` (shell words) and its own settings
// file in `dir`; stderr goes through a file in `dir`. `environment` is put
// before the command, e.g. "LANG=cs_CZ.UTF-8".
CliResult RunCli(const std::filesystem::path& dir, const std::string& arguments,
                 const std::string& environment = "");
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace kvem::test
