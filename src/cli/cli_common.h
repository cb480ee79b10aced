// What every kvem-cli command shares: the global options and the application
// object of one run.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "app/application.h"
#include "platform/messenger.h"

namespace kvem::cli {

// Exit statuses shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitStopped = 1;     // the calculation (or evaluation) stopped
inline constexpr int kExitUnreadable = 2;  // an input file cannot be read; usage errors

struct Globals {
  std::string settingsFile;  // --settings FILE (else KVEM_SETTINGS, else the user's settings)
  int exitCode = kExitOk;
};

// The application object of a run: settings as chosen by the globals,
// messages on stderr, the decimal separator of the user's locale.
class Run {
 public:
  explicit Run(const Globals& globals);
  Application& app() { return *app_; }
  StreamMessenger& messenger() { return messenger_; }

 private:
  StreamMessenger messenger_;
  std::unique_ptr<Application> app_;
};

// CSV field: quoted (RFC 4180) when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);

// Each command module adds its subcommand(s) to the tool.
void AddCalcCommand(CLI::App& app, Globals& globals);
void AddSetupCommand(CLI::App& app, Globals& globals);
void AddTablesCommand(CLI::App& app, Globals& globals);
void AddFloorCommand(CLI::App& app, Globals& globals);
void AddPressureCommand(CLI::App& app, Globals& globals);
void AddLabelCommand(CLI::App& app, Globals& globals);
void AddReportCommand(CLI::App& app, Globals& globals);
void AddHeaterCommand(CLI::App& app, Globals& globals);

}  // namespace kvem::cli
