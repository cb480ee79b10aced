// The room table of the drawing: the dBase table through which the heat-loss
// results, the heater design and the floor-heating design meet the drawing.
// The CAD side keeps one per drawing in the project folder and names the
// current drawing in two small files in the temporary folder; Kvem reads and
// rewrites the table, always with the table's own header.
//
// Records come in file order and are of two kinds: a room record has a room
// number in field 1; a heater record has field 1 (and field 2) empty and
// belongs to the nearest room record above it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/messenger.h"
#include "platform/settings.h"
#include "tables/dbf.h"

namespace kvem {

// Field numbers of the room table (from 1).
namespace room_field {
// Room records
inline constexpr int kNumber = 1;        // room number; empty in a heater record
inline constexpr int kName = 2;          // room name; empty in a heater record
inline constexpr int kTi = 3;            // Ti [°C]
inline constexpr int kTotalLoss = 4;     // total heat loss [W], decimal point
inline constexpr int kCovered = 5;       // output of the room's heaters or circuits [W]
inline constexpr int kHeaterCount = 6;   // heater records that follow ("%d")
inline constexpr int kCircuitCount = 8;  // floor-heating circuits of the room
inline constexpr int kFloorFlag = 14;    // "ANO" (any case) marks a floor-heated room; else "NE"
inline constexpr int kFloorFirst = 15;   // floor-heating values 15 .. 46
inline constexpr int kFloorLast = 46;
// Supply and return water temperature the heaters were designed for ("%.2f"),
// in the table's first record; in a floor-heated room its circuit's.
inline constexpr int kDesignSupply = 40;
inline constexpr int kDesignReturn = 41;

// Heater records
inline constexpr int kHeaterSupply = 3;       // the heater's supply temperature ("%.1f")
inline constexpr int kHeaterReturn = 4;       // the heater's return temperature ("%.1f")
inline constexpr int kHeaterOutput = 5;       // output of this heater [W] ("%9.1f")
inline constexpr int kHeaterProductType = 6;  // product type
inline constexpr int kHeaterIndex = 7;        // product table name and catalogue row ("%s%03d")
inline constexpr int kHeaterSections = 8;     // number of sections (elements)
// Corrective coefficients ("%.3f"), in the order of the heater design's grid.
inline constexpr int kHeaterFi = 9;    // "fí"
inline constexpr int kHeaterFix = 10;  // "fíx"
inline constexpr int kHeaterFio = 11;  // "fío"
inline constexpr int kHeaterFip = 12;  // "fíp"
inline constexpr int kHeaterFit = 13;  // "fít"

// The fields of a table Kvem creates when the drawing has none.
inline constexpr int kCreatedFieldCount = 46;
}  // namespace room_field

// Where the room table of the current drawing is, from the CAD side's
// information files.
struct RoomTableLocation {
  std::filesystem::path path;
  std::string project;  // P: line 3 of "epc_pr1.ini"
  long number = 0;      // n: line 2 of "epc_pr2.ini", C-library integer conversion
  // Both files were read and P is not empty; otherwise the path names a table
  // that does not belong to any drawing.
  bool complete = false;
};

// PathProject/P/P_m%03ld.dbf, formed afresh at every call: P is line 3 of
// PathTmp/"epc_pr1.ini", n line 2 of the second file, whose path is the first
// one's with its last "1" replaced by "2". A file that cannot be opened is
// reported by NtyRadek and gives an empty P or n = 0.
RoomTableLocation LocateRoomTable(const Settings& settings, Messenger& messenger);
std::filesystem::path CestaTabulkyMistnosti(const Settings& settings, Messenger& messenger);

// "P_m%03ld.dbf"
std::string RoomTableFileName(std::string_view project, long number);

// Record kinds (trailing blanks of field 1 do not count; the layer removes them).
bool IsRoomRecord(const DbfRecord& record);
bool IsHeaterRecord(const DbfRecord& record);
// Field 14 is "ANO" after upper-casing.
bool IsFloorHeatedRoom(const DbfRecord& record);
// Whether any record of the table is a heater record.
bool HasHeaterRecords(const DbfTable& table);
// Index of the room record a record belongs to (itself for a room record);
// -1 for heater records above the first room.
long RoomRecordOf(const DbfTable& table, std::size_t index);

// The layout Kvem gives a room table it creates: 46 character fields, wide
// enough for every text the program writes into them (docs/tables.md).
DbfTable NewRoomTableLayout();

// The text a field holds once written and read back: cut to the field's
// width and without trailing blanks. Used to compare project texts with
// table texts.
std::string StoredText(const DbfField& field, std::string_view text);

}  // namespace kvem
