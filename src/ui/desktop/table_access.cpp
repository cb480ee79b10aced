#include "ui/desktop/table_access.h"

#include "tables/dbf.h"
#include "tables/standard_tables.h"

namespace kvem::ui {

bool LoadChoiceRows(Application& app, const std::string& fileName, std::vector<TableRow>& rows) {
  DbfTable table;
  if (!ReadDbfTable(app.dataDirectory() / fileName, table, app.messenger())) return false;
  rows.assign(table.records().begin(), table.records().end());
  return true;
}

std::string StandardTableName(const Application& app, const std::string& name) {
  return FormatTableName("Kvem_" + name + ".%s.dbf", app.languageSuffix());
}

std::vector<BuildingTypeChoice> BuildingTypeChoices(const Application& app) {
  const StandardTableNames names = StandardTableNames::ForSuffix(app.languageSuffix());
  std::vector<BuildingTypeChoice> choices;
  for (const BuildingType& type : kBuildingTypes) {
    choices.push_back({std::string(BuildingTypeLabels()[static_cast<std::size_t>(type.code - 1)]),
                       std::string(type.text), names.IndoorTable(type.code)});
  }
  return choices;
}

std::string TableEditorCommandLine(const Application& app, int commandId) {
  return kvem::TableEditorCommandLine(commandId, app.dataDirectory(),
                                      StandardTableNames::ForSuffix(app.languageSuffix()));
}

}  // namespace kvem::ui
