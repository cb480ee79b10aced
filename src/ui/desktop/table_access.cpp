#include "ui/desktop/table_access.h"

#include "app/commands.h"
#include "tables/dbf.h"

namespace kvem::ui {

bool LoadChoiceRows(Application& app, const std::string& fileName, std::vector<TableRow>& rows) {
  DbfTable table;
  if (!ReadDbfTable(app.dataDirectory() / fileName, table, app.messenger())) return false;
  rows.assign(table.records().begin(), table.records().end());
  return true;
}

std::string StandardTableName(const Application& app, const std::string& name) {
  return "Kvem_" + name + "." + app.languageSuffix() + ".dbf";
}

std::vector<BuildingTypeChoice> BuildingTypeChoices(const Application& app) {
  static constexpr const char* kStored[12] = {"Residential building",
                                              "Office block",
                                              "School building",
                                              "Health centre",
                                              "Commercial building",
                                              "Hotels and restaurants",
                                              "Dormitories and lodging houses",
                                              "Theatres, cinemas, ...",
                                              "Sports buildings",
                                              "Railway stations, airports",
                                              "Farm buildings",
                                              "Industrial buildings"};
  static constexpr const char* kTables[12] = {"TiOb", "TiAd", "TiSk", "TiZr", "TiOd", "TiHr",
                                              "TiKu", "TiDk", "TiSb", "TiNl", "TiZs", "TiPs"};
  std::vector<BuildingTypeChoice> choices;
  for (std::size_t i = 0; i < 12; ++i) {
    choices.push_back({std::string(BuildingTypeLabels()[i]), kStored[i],
                       StandardTableName(app, kTables[i])});
  }
  return choices;
}

std::string TableEditorCommandLine(const Application& app, int commandId) {
  std::string table;
  switch (commandId) {
    case command::kWallsTable: table = "StK"; break;
    case command::kOpeningsTable: table = "OtK"; break;
    case command::kJointsTable: table = "OtI"; break;
    case command::kOpeningTypesTable: table = "Ot"; break;
    case command::kFloorHeatingTable: table = "PoUp"; break;
    case command::kOutdoorTemperatureTable: table = "Te"; break;
    default: return {};
  }
  const std::filesystem::path& dir = app.dataDirectory();
  // "\"%sPtab_%s\" \"%s%s\"": the editor and the table, both quoted.
  std::string line;
  line.append("\"").append((dir / ("Ptab_" + app.languageSuffix())).string()).append("\" \"");
  line.append((dir / StandardTableName(app, table)).string()).append("\"");
  return line;
}

}  // namespace kvem::ui
