// What the rooms editor "Kvem - Data" and its room, wall and opening dialogs
// do, without a window: the rows of the three lists, the level that New and
// Remove act on, selection with its two "select first" messages, removal with
// renumbering, the checks of each dialog's OK (which field gets the focus back)
// and the temperature rules of walls.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messenger.h"
#include "project/project.h"

namespace kvem {

inline constexpr std::string_view kSelectRoomFirst = "First is necessity select edit room";
inline constexpr std::string_view kSelectWallFirst = "First is necessity select edit wall";
inline constexpr std::string_view kNoRoomName = "No room name";
inline constexpr std::string_view kNoBuildingType = "Type of building is not select";

// ---- The three lists -------------------------------------------------------

struct ListColumn {
  std::string_view heading;
  int width;
};
inline constexpr std::array<ListColumn, 10> kRoomColumns = {{{"Room Number", 80},
                                                            {"Describe", 60},
                                                            {"Name", 60},
                                                            {"Length", 45},
                                                            {"Width", 45},
                                                            {"Height", 45},
                                                            {"Temperature", 60},
                                                            {"Number of Doors", 60},
                                                            {"Air Exchange Rate", 60},
                                                            {"Cardinal Point", 62}}};
inline constexpr std::array<ListColumn, 6> kWallColumns = {{{"Wall Number", 80},
                                                           {"Describe", 64},
                                                           {"Width", 45},
                                                           {"Heigth", 45},
                                                           {"k Value", 60},
                                                           {"Temp.Difference", 100}}};
inline constexpr std::array<ListColumn, 8> kOpeningColumns = {{{"Opening Number", 80},
                                                              {"Describe", 64},
                                                              {"Width", 45},
                                                              {"Heigth", 45},
                                                              {"k Value", 60},
                                                              {"i Value", 60},
                                                              {"Length of Joint", 100},
                                                              {"Number of Opening", 100}}};

std::vector<std::string> RoomRow(const Project& project, int room, char decimalSeparator);
std::vector<std::string> WallRow(const Room& room, int wall, char decimalSeparator);
std::vector<std::string> OpeningRow(const Wall& wall, int opening, char decimalSeparator);

// ---- Editor state ------------------------------------------------------------

enum class EditorLevel { Room, Wall, Opening };

class RoomEditorModel {
 public:
  RoomEditorModel(Project& project, Messenger& messenger);

  EditorLevel level() const { return level_; }
  // The list that received the focus decides what New and Remove act on.
  void Focus(EditorLevel level) { level_ = level; }
  std::string newButtonText() const;     // "New Room", ...; "New  ...." before any focus
  std::string removeButtonText() const;  // "Remove Room", ...
  bool focused() const { return focused_; }
  void MarkFocused() { focused_ = true; }

  int selectedRoom() const { return room_; }
  int selectedWall() const { return wall_; }
  int selectedOpening() const { return opening_; }
  // The three "Current number" fields: the last numbers used (0 shows empty).
  int currentRoom() const { return currentRoom_; }
  int currentWall() const { return currentWall_; }
  int currentOpening() const { return currentOpening_; }

  // The walls and openings lists are usable only when the project has data
  // and their parent is chosen.
  bool wallsListEnabled() const;
  bool openingsListEnabled() const;

  // Clicks: choose the item and forget the choices below it. A click in a
  // list whose parent is not chosen shows the "select first" message and
  // returns false.
  bool SelectRoom(int room);
  bool SelectWall(int wall);
  bool SelectOpening(int opening);
  // The same check before a right-click edit or New on that level.
  bool ParentChosen(EditorLevel level);

  // The first room (in number order) whose name is empty after leading
  // blanks are removed; 0 when all have names.
  int FirstRoomWithoutName() const;

  // New on the current level: the number the new item gets, or 0 when the
  // parent is not chosen or the capacity is used up (with a message).
  int NumberForNew();
  // Stores the item made by the dialog; returns its number (0 when refused).
  int AddNewRoom(const Room& room);
  int AddNewWall(const Wall& wall);
  int AddNewOpening(const Opening& opening);

  // Remove on the current level: asks "Remove %s number '%s' ?" and, on yes,
  // removes the chosen item; later items move up. True when removed.
  bool RemoveCurrent();

  Room* room();  // the chosen room, or nullptr
  Wall* wall();  // the chosen wall, or nullptr

 private:
  Project& project_;
  Messenger& messenger_;
  EditorLevel level_ = EditorLevel::Room;
  bool focused_ = false;
  int room_ = 0, wall_ = 0, opening_ = 0;
  int currentRoom_ = 0, currentWall_ = 0, currentOpening_ = 0;
};

// ---- Room dialog -------------------------------------------------------------

enum class FormField {
  None,
  RoomNumber,
  Name,
  Length,
  Width,
  Height,
  TemperatureDifference,
  K,
  I,
};

struct RoomFields {
  std::string number, name, length, width, height, ti, doors, airFlow;
  int cardinalPoint = 0;  // position in kCardinalPointList; 0 = "Select"
};
RoomFields RoomFieldsOf(const Room& room);
// The first field that stops OK, FormField::None when all are right.
FormField CheckRoom(const RoomFields& fields);
// OK: writes the fields into `room` (walls untouched).
void ApplyRoom(const RoomFields& fields, Room& room);

// ---- Wall dialog ---------------------------------------------------------------

// The difference of an external wall: Ti + |Te|.
int ExternalDifference(int ti, int te);

struct WallFields {
  std::string length, height, k;
  int construction = -1;  // position in kConstructionCodes, -1 none
  bool external = true;
  std::string externalDifference;
  std::string adjacentTemperature;
  std::string interiorDifference;
};

class WallForm {
 public:
  // A new wall: height of the room, external.
  static WallForm ForNew(const Room& room, int te, char decimalSeparator);
  // An existing wall opens as external when its difference is Ti + |Te|,
  // otherwise as interior with the adjacent temperature Ti - difference.
  static WallForm ForExisting(const Wall& wall, int ti, int te, char decimalSeparator);

  WallFields fields;
  int ti() const { return ti_; }
  int te() const { return te_; }

  void SetExternal(bool external) { fields.external = external; }
  // Typing an adjacent temperature (or choosing one) updates the interior difference.
  void SetAdjacentTemperature(std::string_view text);
  // The k of a chosen table row.
  void TakeK(double k, char decimalSeparator);

  FormField Check(char decimalSeparator) const;
  void Apply(Wall& wall, char decimalSeparator) const;

 private:
  WallForm(int ti, int te) : ti_(ti), te_(te) {}
  int ti_, te_;
};

// Temperatures in adjacent unheated rooms, by Te of -12, -15, -18 and -21.
struct AdjacentRoomChoice {
  std::string_view group;
  std::string_view text;
  std::array<int, 4> temperatures;
};
const std::array<AdjacentRoomChoice, 13>& AdjacentRoomChoices();
// The temperature of choice `index` for `te`; nothing for another Te.
std::optional<int> AdjacentRoomTemperature(int index, int te);

// ---- Opening dialog -------------------------------------------------------------

struct OpeningFields {
  std::string width, height, k, i, jointLength, count;
  int kind = -1;  // position in kOpeningCodes, -1 none
};
OpeningFields OpeningFieldsOf(const Opening& opening, char decimalSeparator);
// k and i as the dialog shows them ("%9.3f", leading blanks dropped).
std::string FormatCoefficient(double value, char decimalSeparator);
// A catalogue row (fields type, width, height, k, i, joint length) fills
// width, height, k, i and joint length.
void TakeCatalogueOpening(OpeningFields& fields, const std::vector<std::string>& row,
                          char decimalSeparator);
FormField CheckOpening(const OpeningFields& fields, char decimalSeparator);
void ApplyOpening(const OpeningFields& fields, Opening& opening, char decimalSeparator);

}  // namespace kvem
