// The application object: owns the process-wide state of one run (the one
// project, the settings, the user's decimal separator, the language suffix,
// the CAD kind) and hands it by reference to whatever needs it. Both the
// desktop program and the batch tool build one; there are no mutable globals.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "heaters/heater.h"
#include "label/label_data.h"
#include "platform/messenger.h"
#include "platform/settings.h"
#include "project/project.h"
#include "tables/standard_tables.h"

namespace kvem {

inline constexpr std::string_view kApplicationName = "KvemPexon";
inline constexpr std::string_view kVersionText = "3.6.x";

class Application {
 public:
  // Takes the language suffix and the CAD kind from the settings, as the
  // program does once at start.
  Application(Settings settings, Messenger& messenger, char decimalSeparator);

  Project& project() { return project_; }
  const Project& project() const { return project_; }
  Settings& settings() { return settings_; }
  const Settings& settings() const { return settings_; }
  Messenger& messenger() { return messenger_; }
  char decimalSeparator() const { return decimalSeparator_; }

  // "JazykovaVerze", read once at start.
  const std::string& languageSuffix() const { return languageSuffix_; }
  // The standard tables' file names, formed once from the suffix.
  const StandardTableNames& tableNames() const { return tableNames_; }
  // "PathMain" followed by Kvem/Data, formed once at start.
  const std::filesystem::path& dataDirectory() const { return dataDirectory_; }
  // Directories that are read afresh at each use, as the program always did.
  std::filesystem::path MainPath(std::string_view name) const;
  std::filesystem::path TmpDirectory() const { return MainPath(kPathTmp); }

  int cadKind() const { return cadKind_; }
  void setCadKind(int kind) { cadKind_ = kind; }
  // At exit: the CAD kind goes back to the profile.
  bool SaveOnExit(std::string* error);

  // The floor-heating lookups report arguments outside their ranges once this
  // is on; the desktop program turns it on at start and nothing turns it off.
  bool rangeMessagesEnabled() const { return rangeMessages_; }
  void EnableRangeMessages() { rangeMessages_ = true; }

  // The energy label's record and the picture name of the last saved label.
  EnergyLabelState& energyLabel() { return energyLabel_; }

  // The project's heater defaults (supply and return temperatures 70/55 at
  // start) and the heater design's request to recompute their coefficients.
  HeaterDefaults& heaterDefaults() { return heaterDefaults_; }

 private:
  EnergyLabelState energyLabel_;
  HeaterDefaults heaterDefaults_;
  Settings settings_;
  Messenger& messenger_;
  char decimalSeparator_;
  Project project_;
  std::string languageSuffix_;
  StandardTableNames tableNames_ = StandardTableNames::ForSuffix(languageSuffix_);
  std::filesystem::path dataDirectory_;
  int cadKind_ = kDefaultCadKind;
  bool rangeMessages_ = false;
};

// "PathMain" + the data folder of the installation tree.
std::filesystem::path DataDirectoryOf(const std::string& pathMain);

// The set-up step, as an installer would do it: writes every "Main" value that
// is absent (PathMain and PathData at the shipped data tree, the working,
// temporary and project folders under `home`, JazykovaVerze "CZ"), creates
// those folders, and returns every "Main" value in force as (name, value).
struct SetupResult {
  bool ok = true;
  std::string error;
  std::vector<std::pair<std::string, std::string>> values;
};
SetupResult RunSetup(Settings& settings, const std::filesystem::path& dataTree,
                     const std::filesystem::path& home);

}  // namespace kvem
