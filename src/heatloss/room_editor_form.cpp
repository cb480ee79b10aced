#include "heatloss/room_editor_form.h"

#include <cstdlib>

#include "heatloss/main_data_form.h"
#include "platform/encoding.h"
#include "platform/numbers.h"
#include "project/project_file.h"

namespace kvem {

namespace {

std::string Whole(long value) { return FormatLong("%ld", value); }

std::string_view TrimLeft(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

bool Blank(std::string_view text) { return TrimLeft(text).empty(); }

}  // namespace

// ---- Lists -----------------------------------------------------------------------

std::vector<std::string> RoomRow(const Project& project, int r, char) {
  const Room& room = project.rooms[static_cast<std::size_t>(r)];
  return {Whole(r),          room.number,       room.name,         Whole(room.length),
          Whole(room.width), Whole(room.height), Whole(room.ti),    Whole(room.doors),
          Whole(room.airFlow), room.cardinalPoint};
}

std::vector<std::string> WallRow(const Room& room, int w, char sep) {
  const Wall& wall = room.walls[static_cast<std::size_t>(w)];
  return {Whole(w),           wall.code, Whole(wall.length), Whole(wall.height),
          FormatDouble("%3.3lf", wall.k, sep), Whole(wall.temperatureDifference)};
}

std::vector<std::string> OpeningRow(const Wall& wall, int o, char sep) {
  const Opening& op = wall.openings[static_cast<std::size_t>(o)];
  return {Whole(o),
          op.code,
          Whole(op.width),
          Whole(op.height),
          FormatDouble("%3.3lf", op.k, sep),
          FormatDouble("%3.3lf", op.i, sep),
          Whole(op.jointLength),
          Whole(op.count)};
}

// ---- Editor state ------------------------------------------------------------------

RoomEditorModel::RoomEditorModel(Project& project, Messenger& messenger)
    : project_(project), messenger_(messenger) {}

std::string RoomEditorModel::newButtonText() const {
  if (!focused_) return "New  ....";
  switch (level_) {
    case EditorLevel::Room:
      return "New Room";
    case EditorLevel::Wall:
      return "New Wall";
    case EditorLevel::Opening:
      return "New Opening";
  }
  return {};
}

std::string RoomEditorModel::removeButtonText() const {
  if (!focused_) return "Remove";
  switch (level_) {
    case EditorLevel::Room:
      return "Remove Room";
    case EditorLevel::Wall:
      return "Remove Wall";
    case EditorLevel::Opening:
      return "Remove Opening";
  }
  return {};
}

Room* RoomEditorModel::room() {
  if (room_ < 1 || room_ >= project_.building.roomCount) return nullptr;
  return &project_.rooms[static_cast<std::size_t>(room_)];
}

Wall* RoomEditorModel::wall() {
  Room* r = room();
  if (r == nullptr || wall_ < 1 || wall_ >= r->wallCount) return nullptr;
  return &r->walls[static_cast<std::size_t>(wall_)];
}

bool RoomEditorModel::wallsListEnabled() const {
  return project_.state == ProjectState::HasData && project_.RoomsInUse() > 0;
}

bool RoomEditorModel::openingsListEnabled() const {
  if (!wallsListEnabled()) return false;
  if (room_ < 1 || room_ >= project_.building.roomCount) return true;
  return project_.rooms[static_cast<std::size_t>(room_)].wallCount > 1;
}

bool RoomEditorModel::SelectRoom(int r) {
  if (r < 1 || r >= project_.building.roomCount) return false;
  room_ = r;
  wall_ = 0;
  opening_ = 0;
  return true;
}

bool RoomEditorModel::ParentChosen(EditorLevel level) {
  if (level == EditorLevel::Room) return true;
  if (room() == nullptr) {
    messenger_.Show(kSelectRoomFirst, kErrorCaption, Icon::Warning);
    return false;
  }
  if (level == EditorLevel::Opening && wall() == nullptr) {
    messenger_.Show(kSelectWallFirst, kErrorCaption, Icon::Warning);
    return false;
  }
  return true;
}

bool RoomEditorModel::SelectWall(int w) {
  if (!ParentChosen(EditorLevel::Wall)) return false;
  if (w < 1 || w >= room()->wallCount) return false;
  wall_ = w;
  opening_ = 0;
  return true;
}

bool RoomEditorModel::SelectOpening(int o) {
  if (!ParentChosen(EditorLevel::Opening)) return false;
  if (o < 1 || o >= wall()->openingCount) return false;
  opening_ = o;
  return true;
}

int RoomEditorModel::FirstRoomWithoutName() const {
  for (int r = 1; r < project_.building.roomCount; ++r) {
    if (Blank(project_.rooms[static_cast<std::size_t>(r)].name)) return r;
  }
  return 0;
}

int RoomEditorModel::NumberForNew() {
  if (!ParentChosen(level_)) return 0;
  switch (level_) {
    case EditorLevel::Room:
      if (project_.RoomsInUse() >= kMaxRooms) {
        messenger_.Show(kRoomCapacityMessage, kErrorCaption, Icon::Warning);
        return 0;
      }
      return project_.building.roomCount;
    case EditorLevel::Wall:
      if (room()->wallCount - 1 >= kMaxWalls) {
        messenger_.Show(kWallCapacityMessage, kErrorCaption, Icon::Warning);
        return 0;
      }
      return room()->wallCount;
    case EditorLevel::Opening:
      if (wall()->openingCount - 1 >= kMaxOpenings) {
        messenger_.Show(kOpeningCapacityMessage, kErrorCaption, Icon::Warning);
        return 0;
      }
      return wall()->openingCount;
  }
  return 0;
}

int RoomEditorModel::AddNewRoom(const Room& room) {
  Room fresh = room;
  fresh.wallCount = 1;
  fresh.walls = {};
  const int number = AddRoom(project_, fresh);
  if (number == 0) {
    messenger_.Show(kRoomCapacityMessage, kErrorCaption, Icon::Warning);
    return 0;
  }
  project_.state = ProjectState::HasData;
  room_ = number;
  wall_ = 0;
  opening_ = 0;
  currentRoom_ = number;
  currentWall_ = 0;
  currentOpening_ = 0;
  return number;
}

int RoomEditorModel::AddNewWall(const Wall& wall) {
  Room* r = room();
  if (r == nullptr) return 0;
  Wall fresh = wall;
  fresh.openingCount = 1;
  fresh.openings = {};
  const int number = AddWall(*r, fresh);
  if (number == 0) {
    messenger_.Show(kWallCapacityMessage, kErrorCaption, Icon::Warning);
    return 0;
  }
  wall_ = number;
  opening_ = 0;
  currentRoom_ = room_;
  currentWall_ = number;
  currentOpening_ = 0;
  return number;
}

int RoomEditorModel::AddNewOpening(const Opening& opening) {
  Wall* w = wall();
  if (w == nullptr) return 0;
  const int number = AddOpening(*w, opening);
  if (number == 0) {
    messenger_.Show(kOpeningCapacityMessage, kErrorCaption, Icon::Warning);
    return 0;
  }
  opening_ = number;
  currentRoom_ = room_;
  currentWall_ = wall_;
  currentOpening_ = number;
  return number;
}

bool RoomEditorModel::RemoveCurrent() {
  if (!ParentChosen(level_)) return false;
  std::string kind;
  std::string number;
  switch (level_) {
    case EditorLevel::Room:
      if (room() == nullptr) return false;
      kind = "room";
      number = room()->number;
      break;
    case EditorLevel::Wall:
      if (wall() == nullptr) return false;
      kind = "wall";
      number = Whole(wall_);
      break;
    case EditorLevel::Opening:
      if (opening_ < 1 || opening_ >= wall()->openingCount) return false;
      kind = "opening";
      number = Whole(opening_);
      break;
  }
  if (!messenger_.Ask("Remove " + kind + " number '" + number + "' ?", "Kvem")) return false;
  switch (level_) {
    case EditorLevel::Room:
      RemoveRoom(project_, room_);
      room_ = wall_ = opening_ = 0;
      break;
    case EditorLevel::Wall:
      RemoveWall(*room(), wall_);
      wall_ = opening_ = 0;
      break;
    case EditorLevel::Opening:
      RemoveOpening(*wall(), opening_);
      opening_ = 0;
      break;
  }
  return true;
}

// ---- Room dialog ---------------------------------------------------------------------

RoomFields RoomFieldsOf(const Room& room) {
  RoomFields f;
  f.number = room.number;
  f.name = room.name;
  f.length = Whole(room.length);
  f.width = Whole(room.width);
  f.height = Whole(room.height);
  f.ti = Whole(room.ti);
  f.doors = Whole(room.doors);
  f.airFlow = Whole(room.airFlow);
  f.cardinalPoint = FindCardinalPoint(room.cardinalPoint);
  return f;
}

FormField CheckRoom(const RoomFields& f) {
  if (Blank(f.number)) return FormField::RoomNumber;
  if (Blank(f.name)) return FormField::Name;
  if (ParseLong(f.length) <= 0) return FormField::Length;
  if (ParseLong(f.width) <= 0) return FormField::Width;
  if (ParseLong(f.height) <= 0) return FormField::Height;
  return FormField::None;
}

void ApplyRoom(const RoomFields& f, Room& room) {
  room.number = Utf8Left(f.number, kRoomTextWidth);
  room.name = Utf8Left(f.name, kRoomTextWidth);
  room.length = ParseInt32(f.length);
  room.width = ParseInt32(f.width);
  room.height = ParseInt32(f.height);
  room.ti = ParseInt32(f.ti);
  room.doors = ParseInt32(f.doors);
  room.airFlow = ParseInt32(f.airFlow);
  const int point = f.cardinalPoint >= 0 && f.cardinalPoint < 9 ? f.cardinalPoint : 0;
  room.cardinalPoint = std::string(kCardinalPointList[static_cast<std::size_t>(point)]);
}

// ---- Wall dialog -----------------------------------------------------------------------

int ExternalDifference(int ti, int te) { return ti + std::abs(te); }

WallForm WallForm::ForNew(const Room& room, int te, char) {
  WallForm form(room.ti, te);
  form.fields.height = Whole(room.height);
  form.fields.external = true;
  form.fields.externalDifference = Whole(ExternalDifference(room.ti, te));
  return form;
}

WallForm WallForm::ForExisting(const Wall& wall, int ti, int te, char sep) {
  WallForm form(ti, te);
  WallFields& f = form.fields;
  f.length = Whole(wall.length);
  f.height = Whole(wall.height);
  f.k = FormatCoefficient(wall.k, sep);
  f.construction = FindConstructionCode(wall.code);
  f.externalDifference = Whole(ExternalDifference(ti, te));
  f.external = wall.temperatureDifference == ExternalDifference(ti, te);
  if (!f.external) {
    f.adjacentTemperature = Whole(ti - wall.temperatureDifference);
    f.interiorDifference = Whole(wall.temperatureDifference);
  }
  return form;
}

void WallForm::SetAdjacentTemperature(std::string_view text) {
  fields.adjacentTemperature = std::string(text);
  fields.interiorDifference = Whole(ti_ - ParseLong(text));
}

void WallForm::TakeK(double k, char sep) { fields.k = FormatCoefficient(k, sep); }

FormField WallForm::Check(char sep) const {
  const long difference =
      ParseLong(fields.external ? fields.externalDifference : fields.interiorDifference);
  if (difference == 0) return FormField::TemperatureDifference;
  if (ParseLong(fields.length) < 1) return FormField::Length;
  if (ParseLong(fields.height) < 1) return FormField::Height;
  if (!(ParseUserDecimal(fields.k, sep) > 0.0)) return FormField::K;
  return FormField::None;
}

void WallForm::Apply(Wall& wall, char sep) const {
  wall.length = ParseInt32(fields.length);
  wall.height = ParseInt32(fields.height);
  wall.k = ParseUserDecimal(fields.k, sep);
  wall.temperatureDifference =
      ParseInt32(fields.external ? fields.externalDifference : fields.interiorDifference);
  wall.code = fields.construction >= 0 &&
                      fields.construction < static_cast<int>(kConstructionCodes.size())
                  ? std::string(kConstructionCodes[static_cast<std::size_t>(fields.construction)].code)
                  : std::string(kNoCode);
}

const std::array<AdjacentRoomChoice, 13>& AdjacentRoomChoices() {
  static const std::array<AdjacentRoomChoice, 13> kChoices = {{
      {"Roof spaces", "nonimpermeable roof covering", {-6, -9, -12, -15}},
      {"Roof spaces", "impermeable roof covering without thermal insulation", {-3, -6, -9, -12}},
      {"Roof spaces", "impermeable roof covering with thermal insulation", {0, 0, -3, -6}},
      {"Roof spaces", "air gap on ventilated cold roofs", {-9, -12, -15, -18}},
      {"Adjacent room", "mostly with heated rooms", {15, 15, 15, 15}},
      {"Room partly adjacent to heated rooms and partly to outdoor area",
       "without outer door",
       {6, 6, 3, 3}},
      {"Room partly adjacent to heated rooms and partly to outdoor area",
       "with outer door",
       {0, 0, -3, -3}},
      {"Cellars", "completely buried under ground", {5, 5, 5, 5}},
      {"Cellars", "partly buried under ground (ventilated)", {0, 0, -3, -3}},
      {"Cellars", "partly buried under ground (non-ventilated)", {3, 3, 0, 0}},
      {"Rarely heated rooms", "in the same building", {15, 15, 15, 15}},
      {"Rarely heated rooms", "in neighbouring building", {10, 10, 10, 10}},
      {"Technical rooms", "boiler rooms, calorifier rooms, plantrooms", {15, 15, 15, 15}},
  }};
  return kChoices;
}

std::optional<int> AdjacentRoomTemperature(int index, int te) {
  if (index < 0 || index >= static_cast<int>(AdjacentRoomChoices().size())) return std::nullopt;
  int column = -1;
  switch (te) {
    case -12: column = 0; break;
    case -15: column = 1; break;
    case -18: column = 2; break;
    case -21: column = 3; break;
    default: return std::nullopt;
  }
  return AdjacentRoomChoices()[static_cast<std::size_t>(index)]
      .temperatures[static_cast<std::size_t>(column)];
}

// ---- Opening dialog ----------------------------------------------------------------------

std::string FormatCoefficient(double value, char sep) {
  return std::string(TrimLeft(FormatDouble("%9.3f", value, sep)));
}

OpeningFields OpeningFieldsOf(const Opening& op, char sep) {
  OpeningFields f;
  f.width = Whole(op.width);
  f.height = Whole(op.height);
  f.k = FormatCoefficient(op.k, sep);
  f.i = FormatCoefficient(op.i, sep);
  f.jointLength = Whole(op.jointLength);
  f.count = Whole(op.count);
  f.kind = FindOpeningCode(op.code);
  return f;
}

void TakeCatalogueOpening(OpeningFields& f, const std::vector<std::string>& row, char sep) {
  auto field = [&row](std::size_t n) { return n <= row.size() ? row[n - 1] : std::string(); };
  f.width = Whole(ParseLong(field(2)));
  f.height = Whole(ParseLong(field(3)));
  // Tables hold numbers with a decimal point.
  f.k = FormatCoefficient(ParseUserDecimal(field(4), '.'), sep);
  f.i = FormatCoefficient(ParseUserDecimal(field(5), '.'), sep);
  f.jointLength = Whole(ParseLong(field(6)));
}

FormField CheckOpening(const OpeningFields& f, char sep) {
  if (ParseLong(f.width) < 1) return FormField::Width;
  if (ParseLong(f.height) < 1) return FormField::Height;
  if (!(ParseUserDecimal(f.k, sep) > 0.0)) return FormField::K;
  if (!(ParseUserDecimal(f.i, sep) > 0.0)) return FormField::I;
  return FormField::None;
}

void ApplyOpening(const OpeningFields& f, Opening& op, char sep) {
  op.width = ParseInt32(f.width);
  op.height = ParseInt32(f.height);
  op.k = ParseUserDecimal(f.k, sep);
  op.i = ParseUserDecimal(f.i, sep);
  op.jointLength = ParseInt32(f.jointLength);
  op.count = ParseInt32(f.count);
  op.code = f.kind >= 0 && f.kind < static_cast<int>(kOpeningCodes.size())
                ? std::string(kOpeningCodes[static_cast<std::size_t>(f.kind)].code)
                : std::string(kNoCode);
}

}  // namespace kvem
