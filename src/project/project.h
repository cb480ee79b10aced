// The one heat-loss project the program works on: building data, rooms, their
// walls and the walls' openings, and the results of the last calculation.
//
// The model is fixed-capacity and number-addressed: rooms, walls and openings
// are numbered densely from 1, slot 0 is never used, and each count is stored
// as "number of items + 1" (the next free number), in memory and in the file.
// Every loop runs from 1 while the number is below the count.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvem {

inline constexpr int kMaxRooms = 98;
inline constexpr int kMaxWalls = 19;
inline constexpr int kMaxOpenings = 19;
inline constexpr int kRoomSlots = kMaxRooms + 1;
inline constexpr int kWallSlots = kMaxWalls + 1;
inline constexpr int kOpeningSlots = kMaxOpenings + 1;

// Field widths in characters; longer text is cut to them.
inline constexpr std::size_t kBuildingTextWidth = 49;
inline constexpr std::size_t kShortTextWidth = 9;  // altitude, windy landscape
inline constexpr std::size_t kRoomTextWidth = 19;  // room number and name
inline constexpr std::size_t kCardinalPointWidth = 18;
inline constexpr std::size_t kCodeWidth = 3;
inline constexpr std::size_t kPathWidth = 259;

// The path of a project that has never been saved.
inline constexpr std::string_view kUnnamedPath = "Nový";
inline constexpr std::string_view kNoCode = "???";

struct Opening {
  std::int32_t width = 0;        // mm (the calculation calls it the opening's "Length")
  std::int32_t height = 0;       // mm
  double k = 0.0;                // W/(m2.K)
  double i = 0.0;                // joint permeability, in units of 1e-4 m3/(s.m.Pa^0.67)
  std::int32_t jointLength = 0;  // mm
  std::int32_t count = 0;        // identical openings this record stands for
  std::string code;              // OpeningCode, three characters
};

struct Wall {
  std::int32_t length = 0;                 // mm
  std::int32_t height = 0;                 // mm
  std::int32_t temperatureDifference = 0;  // K, stored, never recomputed
  double k = 0.0;                          // W/(m2.K)
  std::string code;                        // ConstructionCode, three characters
  std::int32_t openingCount = 1;           // next free opening number
  std::array<Opening, kOpeningSlots> openings{};
};

struct Room {
  std::string number;  // the user's designation ("Room number")
  std::string name;
  std::int32_t length = 0;  // mm
  std::int32_t width = 0;   // mm
  std::int32_t height = 0;  // mm
  std::int32_t ti = 0;      // indoor temperature, degC; 0 = not defined
  std::int32_t doors = 0;
  std::int32_t airFlow = 0;  // m3/h, hygienic air exchange
  std::string cardinalPoint;
  std::int32_t wallCount = 1;  // next free wall number
  std::array<Wall, kWallSlots> walls{};
};

struct BuildingData {
  std::string projectName1, projectName2;
  std::string buildingName1, buildingName2;
  std::string preparedBy;
  std::string date;  // "%Y-%m-%d"
  std::string jobOrderNumber;
  std::string registrationNumber;
  std::string note;
  std::int32_t te = 0;  // design outdoor temperature, degC; 0 = not defined
  std::string location;
  std::string altitude;        // metres above sea level, as text
  std::string windyLandscape;  // "yes" (any case) or anything else for "no"
  std::int32_t b = 0;          // characteristic building number, Pa^0.67; 0 = not defined
  double p2 = 0.0;             // heat-up allowance: 0.0, 0.1 or 0.2
  std::string buildingTypeText;
  std::int32_t buildingTypeCode = 0;   // 1 to 12; 0 = none chosen
  std::string indoorTemperatureTable;  // file name of the building type's Ti table
  std::int32_t roomCount = 1;          // next free room number
};

struct RoomResult {
  double floorArea = 0.0;            // m2
  double volume = 0.0;               // m3
  double surface = 0.0;              // m2, the whole surface of the room box
  double transmissionLoss = 0.0;     // W, with the allowances p1, p2, p3
  double ventilationLoss = 0.0;      // W
  double totalLoss = 0.0;            // W
  double lossPerVolume = 0.0;        // W/m3
  double lossPerFloorArea = 0.0;     // W/m2
  double lossPerVolumeKelvin = 0.0;  // W/(m3.K)
};

struct BuildingTotals {
  double volume = 0.0;
  double transmissionLoss = 0.0;
  double ventilationLoss = 0.0;
  double totalLoss = 0.0;
  double lossPerVolume = 0.0;
};

enum class ProjectState { Empty, HasData };

struct Project {
  Project();

  BuildingData building;
  std::vector<Room> rooms;          // kRoomSlots slots; slot 0 unused
  std::vector<RoomResult> results;  // kRoomSlots slots; valid after a calculation
  BuildingTotals totals;
  ProjectState state = ProjectState::Empty;
  std::string path{kUnnamedPath};

  int RoomsInUse() const { return building.roomCount - 1; }
};

// Code lists offered by the dialogs. A code is the first three characters of
// the chosen entry; two-letter codes keep their blank.
struct CodeEntry {
  std::string_view code;
  std::string_view text;
};
inline constexpr std::array<CodeEntry, 7> kConstructionCodes = {{
    {"SO ", "SO -External Wall"},
    {"SN ", "SN -Inner Wall"},
    {"SSJ", "SSJ-Glass Partition - 1"},
    {"SSD", "SSD-Glass Partition - 2"},
    {"Pdl", "Pdl-Floor"},
    {"Str", "Str-Ceiling"},
    {"Sch", "Sch-Roof"},
}};
inline constexpr std::array<CodeEntry, 5> kOpeningCodes = {{
    {"OJ ", "OJ - Single Window"},
    {"OZ ", "OZ - Double Window"},
    {"OD ", "OD - Dual Window"},
    {"DO ", "DO - Exterior Door"},
    {"DN ", "DN - Interior Door"},
}};

// Position 0 of the cardinal-point list is "Select" (nothing chosen).
inline constexpr std::array<std::string_view, 9> kCardinalPointList = {
    "Select", "S", "SW", "W", "NW", "N", "NE", "E", "SE"};

// Index into a code list of the first entry that begins with `code`; -1 when
// none does (a stored "???" selects nothing).
int FindCodeEntry(const CodeEntry* entries, std::size_t count, std::string_view code);
int FindConstructionCode(std::string_view code);
int FindOpeningCode(std::string_view code);
// Position in kCardinalPointList (1..8), compared without regard to case; 0 for none.
int FindCardinalPoint(std::string_view point);

// Adding items, as the editor does: the new item takes the number equal to the
// current count and the count is raised by one. Return the new item's number,
// or 0 when the capacity is used up (nothing changes then).
int AddRoom(Project& project, const Room& room);
int AddWall(Room& room, const Wall& wall);
int AddOpening(Wall& wall, const Opening& opening);

// Removing closes the gap; numbers stay dense from 1. False for a number not in use.
bool RemoveRoom(Project& project, int number);
bool RemoveWall(Room& room, int number);
bool RemoveOpening(Wall& wall, int number);

// Messages for a refused addition.
inline constexpr std::string_view kRoomCapacityMessage =
    "The project already has 98 rooms, the most it can hold. Remove a room before adding another.";
inline constexpr std::string_view kWallCapacityMessage =
    "This room already has 19 walls, the most a room can hold. Remove a wall before adding "
    "another.";
inline constexpr std::string_view kOpeningCapacityMessage =
    "This wall already has 19 openings, the most a wall can hold. Remove an opening before adding "
    "another.";

}  // namespace kvem
