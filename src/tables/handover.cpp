#include "tables/handover.h"

#include <string>
#include <vector>

#include "heatloss/results_table.h"
#include "tables/dbf.h"
#include "tables/room_table.h"
#include "tables/text_lines.h"

namespace kvem {

namespace {

constexpr int kNeededFields = room_field::kTotalLoss;

// The record of one Results row: fields 1 to 4 and the floor flag, as many
// of them as the table has fields; every other field empty.
DbfRecord RoomRecord(const ResultRow& row, int fieldCount) {
  DbfRecord record(static_cast<std::size_t>(fieldCount));
  auto set = [&](int k, std::string text) {
    if (k <= fieldCount) record[static_cast<std::size_t>(k - 1)] = std::move(text);
  };
  set(room_field::kNumber, row[kColumnRoomNumber]);
  set(room_field::kName, row[kColumnName]);
  set(room_field::kTi, row[kColumnTi]);
  // Numbers in tables carry a decimal point whatever the user's separator.
  std::string loss = row[kColumnTotalLoss];
  if (const std::size_t comma = loss.find(','); comma != std::string::npos) loss[comma] = '.';
  set(room_field::kTotalLoss, std::move(loss));
  set(room_field::kFloorFlag, "NE");
  return record;
}

bool CheckFieldCount(const DbfTable& table, const std::filesystem::path& path,
                     Messenger& messenger) {
  if (table.fieldCount() >= kNeededFields) return true;
  messenger.Show("The room table\n'" + path.string() + "'\nhas " +
                     std::to_string(table.fieldCount()) +
                     " field(s); the rooms and their losses need at least " +
                     std::to_string(kNeededFields) + ". Nothing is written.",
                 kTableErrorCaption, Icon::Stop);
  return false;
}

bool Contains(const DbfTable& table, const std::string& number, const std::string& name) {
  const std::string storedNumber = StoredText(table.field(room_field::kNumber), number);
  const std::string storedName = StoredText(table.field(room_field::kName), name);
  for (std::size_t r = 0; r < table.recordCount(); ++r) {
    if (table.Text(r, room_field::kNumber) == storedNumber &&
        table.Text(r, room_field::kName) == storedName) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool HandOverResults(const Project& project, char decimalSeparator,
                     const std::filesystem::path& roomTable, bool createWhenMissing,
                     Messenger& messenger, HandoverOutcome* outcome) {
  HandoverOutcome result;
  const std::vector<ResultRow> rows = MakeResultRows(project, decimalSeparator);

  DbfTable table;
  std::error_code ec;
  if (createWhenMissing && !std::filesystem::exists(roomTable, ec)) {
    table = NewRoomTableLayout();
    if (roomTable.has_parent_path())
      std::filesystem::create_directories(roomTable.parent_path(), ec);
    result.created = true;
  } else if (!ReadDbfTable(roomTable, table, messenger)) {
    return false;
  }
  if (!CheckFieldCount(table, roomTable, messenger)) return false;

  result.choice = HandoverChoice::OverwriteAll;
  if (HasHeaterRecords(table)) {
    result.asked = true;
    const std::vector<std::string> options(kHandoverChoiceTexts.begin(),
                                           kHandoverChoiceTexts.end());
    const int chosen =
        messenger.Choose(kHandoverText, kHandoverCaption, options, kHandoverPreselected);
    result.choice = chosen == 0   ? HandoverChoice::OverwriteAll
                    : chosen == 1 ? HandoverChoice::Modifications
                                  : HandoverChoice::WithoutChanges;
  }

  switch (result.choice) {
    case HandoverChoice::OverwriteAll: {
      DbfTable fresh;
      fresh.TakeLayoutFrom(table);
      for (const ResultRow& row : rows) fresh.AddRecord(RoomRecord(row, fresh.fieldCount()));
      if (!WriteDbfTable(roomTable, fresh, messenger)) return false;
      result.written = rows.size();
      break;
    }
    case HandoverChoice::Modifications:
      for (const ResultRow& row : rows) {
        if (row[kColumnRoomNumber].empty()) continue;
        // Each room is looked for in the table as it is now, the rooms
        // appended before it included.
        if (!ReadDbfTable(roomTable, table, messenger)) return false;
        if (Contains(table, row[kColumnRoomNumber], row[kColumnName])) {
          ++result.kept;
          continue;
        }
        if (!AppendDbfRecord(roomTable, RoomRecord(row, table.fieldCount()), messenger))
          return false;
        ++result.written;
      }
      break;
    case HandoverChoice::WithoutChanges:
      break;
  }
  if (outcome) *outcome = result;
  return true;
}

}  // namespace kvem
