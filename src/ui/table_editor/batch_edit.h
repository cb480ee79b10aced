// Editing a table from the command line, without a window: the same checks
// and the same atomic save as the grid.
#pragma once

#include <string>
#include <vector>

#include "platform/messenger.h"
#include "ui/table_editor/table_model.h"

namespace kvem::ui {

struct BatchEdits {
  std::vector<std::string> sets;     // "ROW,FIELD=VALUE"; FIELD a number from 1 or a name
  std::vector<std::string> deletes;  // "ROW"
  std::vector<std::string> adds;     // one record as a CSV line, fields in order
  bool empty() const { return sets.empty() && deletes.empty() && adds.empty(); }
};

// Applies the changes to the loaded table in this order: every set, then every
// delete (rows numbered from 1 as before any delete), then every add; then
// saves. Nothing is saved when one change is refused; the message says which
// and why. Messages have the caption `caption`.
bool ApplyBatchEdits(DbfTableModel& model, const BatchEdits& edits, Messenger& messenger,
                     const std::string& caption);

// One CSV line (RFC 4180 quoting) split into cells; false when a quote is not closed.
bool SplitCsvLine(const std::string& line, std::vector<std::string>& cells);

}  // namespace kvem::ui
