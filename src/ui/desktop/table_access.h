// The standard tables as the dialogs offer them: loading a table as a choice
// list (its records split into field texts, list position = record), the file
// names formed with the language suffix, and the table editor's command lines.
#pragma once

#include <string>
#include <vector>

#include "app/application.h"
#include "heatloss/main_data_form.h"

namespace kvem::ui {

// Rows of the table `fileName` in the data directory. False after the
// table layer's messages; the dialog that needed the table does not open.
bool LoadChoiceRows(Application& app, const std::string& fileName, std::vector<TableRow>& rows);

// "Kvem_<name>.<suffix>.dbf"
std::string StandardTableName(const Application& app, const std::string& name);

// The twelve building types with their labels, stored texts and Ti tables.
std::vector<BuildingTypeChoice> BuildingTypeChoices(const Application& app);

// The table editor's command line of a menu command; empty for another id.
std::string TableEditorCommandLine(const Application& app, int commandId);

}  // namespace kvem::ui
