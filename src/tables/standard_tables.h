// The standard-value tables of the installation (outdoor and indoor
// temperatures, U-values of walls and openings, joint permeability, the
// catalogue of openings): their file names, formed once from the language
// suffix, the loader of a choice list, the twelve building types, and the
// command lines that start the external table editor on one of them.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/launcher.h"
#include "platform/messenger.h"
#include "tables/dbf.h"

namespace kvem {

// A name pattern with its one "%s" replaced by the suffix ("Kvem_StK.%s.dbf"
// with "CZ" gives "Kvem_StK.CZ.dbf"; an empty suffix gives "Kvem_StK..dbf").
std::string FormatTableName(std::string_view pattern, std::string_view suffix);

inline constexpr int kBuildingTypeCount = 12;

struct BuildingType {
  int code;                             // 1 .. 12
  std::string_view text;                // stored as the building's type text
  std::string_view indoorTablePattern;  // its indoor-temperature table
};

inline constexpr std::array<BuildingType, kBuildingTypeCount> kBuildingTypes = {{
    {1, "Residential building", "Kvem_TiOb.%s.dbf"},
    {2, "Office block", "Kvem_TiAd.%s.dbf"},
    {3, "School building", "Kvem_TiSk.%s.dbf"},
    {4, "Health centre", "Kvem_TiZr.%s.dbf"},
    {5, "Commercial building", "Kvem_TiOd.%s.dbf"},
    {6, "Hotels and restaurants", "Kvem_TiHr.%s.dbf"},
    {7, "Dormitories and lodging houses", "Kvem_TiKu.%s.dbf"},
    {8, "Theatres, cinemas, ...", "Kvem_TiDk.%s.dbf"},
    {9, "Sports buildings", "Kvem_TiSb.%s.dbf"},
    {10, "Railway stations, airports", "Kvem_TiNl.%s.dbf"},
    {11, "Farm buildings", "Kvem_TiZs.%s.dbf"},
    {12, "Industrial buildings", "Kvem_TiPs.%s.dbf"},
}};

// The building type of a code; none outside 1 .. 12.
std::optional<BuildingType> BuildingTypeOf(int code);

// The file names of the standard tables for one language suffix; the
// application forms them once at start and keeps them for the run.
struct StandardTableNames {
  std::string suffix;
  std::string outdoorTemperatures;  // Kvem_Te: place, altitude, Te, windy landscape
  std::string walls;                // Kvem_StK: structure, thickness, volume weight, k
  std::string openings;             // Kvem_OtK: type of opening, k
  std::string joints;               // Kvem_OtI: type of opening, i
  std::string openingCatalogue;     // Kvem_Ot: type, width, height, k, i, joint length
  std::string floorHeating;         // Kvem_PoUp: only opened in the table editor
  std::array<std::string, kBuildingTypeCount> indoorTemperatures;  // by building type 1 .. 12

  static StandardTableNames ForSuffix(std::string_view suffix);
  // The indoor-temperature table of building type `code` (1 .. 12); empty outside.
  std::string IndoorTable(int code) const;
};

// Fields of the standard tables by position (field 1 is always the text listed).
namespace standard_field {
inline constexpr int kListed = 1;
// Kvem_Te
inline constexpr int kTeAltitude = 2;
inline constexpr int kTeTemperature = 3;
inline constexpr int kTeWindy = 4;
// Kvem_StK
inline constexpr int kWallThickness = 2;
inline constexpr int kWallVolumeWeight = 3;
inline constexpr int kWallK = 4;
// Kvem_OtK, Kvem_OtI
inline constexpr int kOpeningK = 2;
inline constexpr int kJointI = 2;
// Kvem_Ot
inline constexpr int kOtWidth = 2;
inline constexpr int kOtHeight = 3;
inline constexpr int kOtK = 4;
inline constexpr int kOtI = 5;
inline constexpr int kOtJointLength = 6;
// Kvem_Ti..
inline constexpr int kTi = 2;
inline constexpr int kHumidity = 3;
}  // namespace standard_field

// A decimal value from a table or typed by the user, read with the user's
// separator after the text's own separator (a point or a comma) has been made
// that one: "1.5" and "1,5" both read as 1.5. C-library prefix semantics.
double ReadTableDecimal(std::string_view text, char userSeparator);

// The rows of one standard table as a choice dialog offers them: every record
// in file order, so list position p (from 0) is record p; field 1 is the text
// listed, the other fields are taken over when a row is chosen.
class ChoiceList {
 public:
  // Reads dataDirectory/fileName. On failure every message has been shown
  // ("\nCann't open file\n'%s' !", or the header check's message and "Errors
  // found during processing !"), the list is empty and the dialog must not open.
  bool Load(const std::filesystem::path& dataDirectory, std::string_view fileName,
            Messenger& messenger);
  bool Load(const std::filesystem::path& file, Messenger& messenger);

  std::size_t size() const { return table_.recordCount(); }
  bool empty() const { return size() == 0; }
  // The texts listed, in file order.
  std::vector<std::string> ListedTexts() const;
  // Field k (from 1) of the row at list position p; empty when either is out of range.
  std::string Field(std::size_t p, int k) const;
  // A numeric field of the row, read by ReadTableDecimal.
  double Number(std::size_t p, int k, char userSeparator) const;
  const DbfTable& table() const { return table_; }

 private:
  DbfTable table_;
};

// The table-editor commands of the main window's menu.
inline constexpr int kCommandEditWalls = 32783;
inline constexpr int kCommandEditOpenings = 32782;
inline constexpr int kCommandEditJoints = 32789;
inline constexpr int kCommandEditOpeningTypes = 32791;
inline constexpr int kCommandEditFloorHeating = 32804;
inline constexpr int kCommandEditOutdoorTemperatures = 32805;
inline constexpr std::array<int, 6> kTableEditorCommands = {
    kCommandEditWalls,        kCommandEditOpenings,     kCommandEditJoints,
    kCommandEditOpeningTypes, kCommandEditFloorHeating, kCommandEditOutdoorTemperatures};

// The command line of a table-editor command: the editor program "Ptab_" +
// suffix in the data directory, and the table's full path, both quoted:
// "\"%sPtab_%s\" \"%s%s\"". `dataDirectory` is used as a text with a
// trailing separator. Empty for another command id.
std::string TableEditorCommandLine(int commandId, const std::filesystem::path& dataDirectory,
                                   const StandardTableNames& names);

// Starts the editor of a table-editor command without waiting for it. The
// program reloads nothing afterwards; a start that fails is not reported.
void StartTableEditor(int commandId, const std::filesystem::path& dataDirectory,
                      const StandardTableNames& names, ProgramLauncher& launcher);

}  // namespace kvem
