#include "support/test_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace kvem::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kvem-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path ExamplesDir() {
  const char* env = std::getenv("KVEM_EXAMPLES");
  return env ? std::filesystem::path(env) : std::filesystem::path("examples");
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

CliResult RunCli(const std::filesystem::path& dir, const std::string& arguments,
                 const std::string& environment) {
  const char* cli = std::getenv("KVEM_CLI");
  return RunShell(dir, environment + " '" + std::string(cli ? cli : "kvem-cli") + "' --settings '" +
                           (dir / "kvem.ini").string() + "' " + arguments);
}

CliResult RunShell(const std::filesystem::path& dir, const std::string& command) {
  CliResult result;
  std::FILE* pipe = ::popen((command + " 2>'" + (dir / "err").string() + "'").c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buf{};
  std::size_t n = 0;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) result.out.append(buf.data(), n);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.err = ReadFile(dir / "err");
  return result;
}

}  // namespace kvem::test
