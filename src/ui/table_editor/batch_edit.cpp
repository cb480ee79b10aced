#include "ui/table_editor/batch_edit.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <set>

namespace kvem::ui {

namespace {

bool ParseRow(const std::string& text, const DbfTableModel& model, std::size_t& row) {
  unsigned long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < 1 || value > model.table().recordCount()) {
    return false;
  }
  row = value - 1;
  return true;
}

int ParseField(const std::string& text, const DbfTableModel& model) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec == std::errc() && ptr == end) {
    return value >= 1 && value <= model.table().fieldCount() ? value : 0;
  }
  return model.table().FieldNumber(text);
}

}  // namespace

bool SplitCsvLine(const std::string& line, std::vector<std::string>& cells) {
  cells.clear();
  std::string cell;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        cell += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        cell += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      cells.push_back(std::move(cell));
      cell.clear();
    } else {
      cell += c;
    }
  }
  if (quoted) return false;
  cells.push_back(std::move(cell));
  return true;
}

bool ApplyBatchEdits(DbfTableModel& model, const BatchEdits& edits, Messenger& messenger,
                     const std::string& caption) {
  const auto fail = [&](const std::string& text) {
    messenger.Show(text, caption, Icon::Warning);
    return false;
  };

  // The file is written once, after every change went in, so a refused change
  // leaves it as it was.
  for (const std::string& set : edits.sets) {
    const std::size_t comma = set.find(',');
    const std::size_t equals = set.find('=');
    if (comma == std::string::npos || equals == std::string::npos || equals < comma) {
      return fail("--set '" + set + "': expected ROW,FIELD=VALUE");
    }
    std::size_t row = 0;
    if (!ParseRow(set.substr(0, comma), model, row)) {
      return fail("--set '" + set + "': there is no row " + set.substr(0, comma));
    }
    const int field = ParseField(set.substr(comma + 1, equals - comma - 1), model);
    if (field == 0) {
      return fail("--set '" + set + "': there is no field " +
                  set.substr(comma + 1, equals - comma - 1));
    }
    std::string why;
    if (!model.SetFieldText(row, field, set.substr(equals + 1), &why)) {
      return fail("--set '" + set + "': " + why);
    }
  }

  std::set<std::size_t, std::greater<>> rows;
  for (const std::string& text : edits.deletes) {
    std::size_t row = 0;
    if (!ParseRow(text, model, row)) return fail("--delete '" + text + "': there is no such row");
    rows.insert(row);
  }
  for (std::size_t row : rows) model.RemoveRecords(static_cast<int>(row), 1);

  for (const std::string& line : edits.adds) {
    std::vector<std::string> cells;
    if (!SplitCsvLine(line, cells)) return fail("--add '" + line + "': a quote is not closed");
    if (static_cast<int>(cells.size()) > model.table().fieldCount()) {
      return fail("--add '" + line + "': " + std::to_string(cells.size()) + " values for " +
                  std::to_string(model.table().fieldCount()) + " fields");
    }
    const auto row = static_cast<std::size_t>(model.AppendRecord());
    for (std::size_t k = 0; k < cells.size(); ++k) {
      std::string why;
      if (!model.SetFieldText(row, static_cast<int>(k) + 1, cells[k], &why)) {
        return fail("--add '" + line + "', field " +
                    model.table().field(static_cast<int>(k) + 1).name + ": " + why);
      }
    }
  }
  return model.Save(messenger);
}

}  // namespace kvem::ui
