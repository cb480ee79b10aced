// Starting another program without waiting for it, and opening a file with
// the desktop's default program.
#pragma once

#include <string>
#include <vector>

namespace kvem {

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts `program` with `arguments` and returns at once; false when it could not start.
  virtual bool StartDetached(const std::string& program,
                             const std::vector<std::string>& arguments) = 0;
  // Splits a command line as a shell would (quotes group words) and starts it.
  bool StartCommandLine(const std::string& commandLine);
  // Opens a file with the user's default program (xdg-open).
  virtual bool OpenWithDefaultProgram(const std::string& path);
};

// Starts real processes (QProcess::startDetached).
class ProcessLauncher : public ProgramLauncher {
 public:
  bool StartDetached(const std::string& program,
                     const std::vector<std::string>& arguments) override;
};

// Records what would have been started; for tests.
class RecordingLauncher : public ProgramLauncher {
 public:
  struct Start {
    std::string program;
    std::vector<std::string> arguments;
  };
  bool StartDetached(const std::string& program,
                     const std::vector<std::string>& arguments) override {
    starts.push_back({program, arguments});
    return succeed;
  }
  std::vector<Start> starts;
  bool succeed = true;
};

// Splits a command line into words: blanks separate, double quotes group.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace kvem
