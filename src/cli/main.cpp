// kvem-cli: the batch tool. Runs the same engine as the desktop program.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "app/application.h"
#include "cli/cli_common.h"

int main(int argc, char** argv) {
  using namespace kvem::cli;
  CLI::App app{
      "kvem-cli - the batch tool of Kvem, a design tool for the heating of buildings.\n"
      "Settings come from --settings FILE, else the file named by KVEM_SETTINGS, else\n"
      "~/.config/Norda 61/XVektraPexon.conf and KvemPexon.conf. Numbers are shown with the\n"
      "decimal separator of the locale named by LC_ALL, LC_NUMERIC or LANG.",
      "kvem-cli"};
  Globals globals;
  app.add_option("--settings", globals.settingsFile, "Settings file (INI) to use for this run");
  app.set_version_flag("--version",
                       std::string(kvem::kApplicationName) + " " + std::string(kvem::kVersionText));
  app.require_subcommand(1);
  app.fallthrough();

  AddCalcCommand(app, globals);
  AddSetupCommand(app, globals);
  AddTablesCommand(app, globals);
  AddFloorCommand(app, globals);
  AddPressureCommand(app, globals);
  AddLabelCommand(app, globals);
  AddReportCommand(app, globals);
  AddHeaterCommand(app, globals);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : kExitUnreadable;
  }
  return globals.exitCode;
}
