#include "tables/room_table.h"

#include <cstdio>

#include "platform/encoding.h"
#include "platform/numbers.h"
#include "tables/text_lines.h"

namespace kvem {

std::string RoomTableFileName(std::string_view project, long number) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%03ld", number);
  return std::string(project) + "_m" + digits + ".dbf";
}

RoomTableLocation LocateRoomTable(const Settings& settings, Messenger& messenger) {
  RoomTableLocation location;
  const std::filesystem::path first =
      std::filesystem::path(settings.ReadMain(kPathTmp)) / "epc_pr1.ini";
  std::string secondText = first.string();
  secondText[secondText.rfind('1')] = '2';
  const std::filesystem::path second(secondText);

  location.project = NtyRadek(first, 3, messenger);
  location.number = ParseLong(NtyRadek(second, 2, messenger));
  std::error_code ec;
  location.complete = !location.project.empty() && std::filesystem::is_regular_file(first, ec) &&
                      std::filesystem::is_regular_file(second, ec);
  location.path = std::filesystem::path(settings.ReadMain(kPathProject)) / location.project /
                  RoomTableFileName(location.project, location.number);
  return location;
}

std::filesystem::path CestaTabulkyMistnosti(const Settings& settings, Messenger& messenger) {
  return LocateRoomTable(settings, messenger).path;
}

bool IsRoomRecord(const DbfRecord& record) {
  return !record.empty() && record[0].find_first_not_of(' ') != std::string::npos;
}

bool IsHeaterRecord(const DbfRecord& record) {
  return !IsRoomRecord(record);
}

bool IsFloorHeatedRoom(const DbfRecord& record) {
  const std::size_t i = static_cast<std::size_t>(room_field::kFloorFlag - 1);
  return i < record.size() && ToUpper(record[i]) == "ANO";
}

bool HasHeaterRecords(const DbfTable& table) {
  for (const DbfRecord& r : table.records()) {
    if (IsHeaterRecord(r)) return true;
  }
  return false;
}

long RoomRecordOf(const DbfTable& table, std::size_t index) {
  for (std::size_t i = index + 1; i-- > 0;) {
    if (i < table.recordCount() && IsRoomRecord(table.record(i))) return static_cast<long>(i);
  }
  return -1;
}

DbfTable NewRoomTableLayout() {
  // Field 6 of a heater record holds the product type as the catalogue
  // names it, the widest text written; floor-heating values are numbers or
  // short codes.
  std::vector<DbfField> fields = {
      {"CISLO", 'C', 20}, {"NAZEV", 'C', 40},     {"TI_T1", 'C', 12}, {"ZTRATA_T2", 'C', 16},
      {"VYKON", 'C', 16}, {"POCET_TYP", 'C', 60}, {"INDEX", 'C', 20}, {"OKRUHY_CL", 'C', 12},
      {"FI", 'C', 12},    {"FIX", 'C', 12},       {"FIO", 'C', 12},   {"FIP", 'C', 12},
      {"FIT", 'C', 12},   {"PODLAHA", 'C', 3},
  };
  for (int k = room_field::kFloorFirst; k <= room_field::kFloorLast; ++k) {
    fields.push_back({"P" + std::to_string(k), 'C', 20});
  }
  DbfTable table;
  DbfTable::Create(std::move(fields), table, nullptr);
  return table;
}

std::string StoredText(const DbfField& field, std::string_view text) {
  std::string stored = Utf8Left(text, static_cast<std::size_t>(field.length));
  while (!stored.empty() && (stored.back() == ' ' || stored.back() == '\n')) stored.pop_back();
  return stored;
}

}  // namespace kvem
