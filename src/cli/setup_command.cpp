// kvem-cli setup: writes the default settings an installer would, then shows them.
#include <cstdio>
#include <cstdlib>

#include "cli/cli_common.h"

#ifndef KVEM_DEFAULT_DATA_DIR
#define KVEM_DEFAULT_DATA_DIR "data"
#endif

namespace kvem::cli {
namespace {

struct SetupOptions {
  std::string dataTree = KVEM_DEFAULT_DATA_DIR;
  std::string home;
};

int RunSetupCommand(const Globals& globals, const SetupOptions& options) {
  Settings settings = Settings::Open(globals.settingsFile);
  std::string home = options.home;
  if (home.empty()) {
    const char* env = std::getenv("HOME");
    home = env && *env ? env : ".";
  }
  const SetupResult result =
      RunSetup(settings, std::filesystem::absolute(options.dataTree).lexically_normal(), home);
  for (const auto& [name, value] : result.values)
    std::printf("%s=%s\n", name.c_str(), value.c_str());
  if (!result.ok) {
    std::fprintf(stderr, "Kvem - error: %s\n", result.error.c_str());
    return kExitStopped;
  }
  std::fprintf(stderr, "Settings: %s\n", settings.MainLocation().c_str());
  return kExitOk;
}

}  // namespace

void AddSetupCommand(CLI::App& app, Globals& globals) {
  auto options = std::make_shared<SetupOptions>();
  CLI::App* cmd = app.add_subcommand(
      "setup",
      "Write the default \"Main\" settings that are still absent (PathMain and PathData at the "
      "shipped data tree; PathWorking, PathTmp and PathProject under ~/Kvem; JazykovaVerze CZ), "
      "create those folders, and print every \"Main\" value in force as Name=value. Values "
      "already set are kept.");
  cmd->add_option("--data", options->dataTree, "The installation tree PathMain points at")
      ->capture_default_str();
  cmd->add_option("--home", options->home,
                  "Folder under which Kvem/Working, Kvem/Tmp and "
                  "Kvem/Projects are made (default: $HOME)");
  cmd->callback([&globals, options] { globals.exitCode = RunSetupCommand(globals, *options); });
}

}  // namespace kvem::cli
