#include "heatloss/room_editor_form.h"

#include <gtest/gtest.h>

namespace kvem {
namespace {

Room MakeRoom(const std::string& number, int walls) {
  Room room;
  room.number = number;
  room.name = "Room " + number;
  room.length = room.width = 3000;
  room.height = 2600;
  room.ti = 20;
  for (int w = 0; w < walls; ++w) {
    Wall wall;
    wall.length = 1000 * (w + 1);
    Opening opening;
    opening.width = 100 * (w + 1);
    AddOpening(wall, opening);
    AddWall(room, wall);
  }
  return room;
}

TEST(RoomEditorModel, RemovingAMiddleRoomRenumbersTheLaterOnesWithTheirWalls) {
  Project project;
  RecordingMessenger messenger;
  RoomEditorModel editor(project, messenger);
  for (int r = 1; r <= 3; ++r) {
    ASSERT_EQ(editor.NumberForNew(), r);
    ASSERT_EQ(editor.AddNewRoom(MakeRoom(std::to_string(r) + "01", 0)), r);
  }
  // Walls are added afterwards, as the editor does (a new room has none).
  project.rooms[3] = MakeRoom("301", 2);
  ASSERT_TRUE(editor.SelectRoom(2));
  messenger.QueueAsk(false);
  EXPECT_FALSE(editor.RemoveCurrent());
  EXPECT_EQ(project.RoomsInUse(), 3);
  messenger.QueueAsk(true);
  EXPECT_TRUE(editor.RemoveCurrent());
  EXPECT_EQ(messenger.messages().back().text, "Remove room number '201' ?");
  EXPECT_EQ(messenger.messages().back().caption, "Kvem");
  ASSERT_EQ(project.RoomsInUse(), 2);
  EXPECT_EQ(project.rooms[2].number, "301");
  EXPECT_EQ(project.rooms[2].wallCount, 3);
  EXPECT_EQ(project.rooms[2].walls[2].openings[1].width, 200);
  EXPECT_EQ(editor.selectedRoom(), 0);
}

TEST(RoomEditorModel, ClicksBelowAnUnchosenParentAreRefused) {
  Project project;
  RecordingMessenger messenger;
  RoomEditorModel editor(project, messenger);
  editor.AddNewRoom(MakeRoom("1", 0));
  project.rooms[1] = MakeRoom("1", 2);
  editor.SelectRoom(0);  // not a room: keeps the new room chosen
  editor.Focus(EditorLevel::Opening);
  editor.SelectRoom(1);
  EXPECT_FALSE(editor.SelectOpening(1));
  EXPECT_EQ(messenger.texts().back(), "First is necessity select edit wall");
  EXPECT_EQ(editor.NumberForNew(), 0);  // New opening without a wall

  RoomEditorModel fresh(project, messenger);
  EXPECT_FALSE(fresh.SelectWall(1));
  EXPECT_EQ(messenger.texts().back(), "First is necessity select edit room");
  EXPECT_TRUE(fresh.SelectRoom(1));
  EXPECT_TRUE(fresh.SelectWall(2));
  EXPECT_TRUE(fresh.SelectOpening(1));
  fresh.SelectRoom(1);  // a room click forgets the wall and opening
  EXPECT_EQ(fresh.selectedWall(), 0);
}

TEST(RoomEditorModel, CapacityIsRefusedWithAMessage) {
  Project project;
  RecordingMessenger messenger;
  RoomEditorModel editor(project, messenger);
  for (int r = 0; r < kMaxRooms; ++r) ASSERT_NE(editor.AddNewRoom(MakeRoom("r", 0)), 0);
  EXPECT_EQ(editor.NumberForNew(), 0);
  EXPECT_EQ(messenger.texts().back(), kRoomCapacityMessage);

  editor.SelectRoom(1);
  editor.Focus(EditorLevel::Wall);
  for (int w = 0; w < kMaxWalls; ++w) ASSERT_NE(editor.AddNewWall(Wall{}), 0);
  EXPECT_EQ(editor.NumberForNew(), 0);
  EXPECT_EQ(messenger.texts().back(), kWallCapacityMessage);
  EXPECT_EQ(project.rooms[1].wallCount, kMaxWalls + 1);
}

TEST(RoomEditorModel, ButtonCaptionsFollowTheFocusedList) {
  Project project;
  RecordingMessenger messenger;
  RoomEditorModel editor(project, messenger);
  EXPECT_EQ(editor.newButtonText(), "New  ....");
  editor.MarkFocused();
  editor.Focus(EditorLevel::Wall);
  EXPECT_EQ(editor.newButtonText(), "New Wall");
  EXPECT_EQ(editor.removeButtonText(), "Remove Wall");
}

TEST(RoomEditorModel, NamelessRoomFoundAfterLeadingBlanks) {
  Project project;
  RecordingMessenger messenger;
  RoomEditorModel editor(project, messenger);
  editor.AddNewRoom(MakeRoom("1", 0));
  editor.AddNewRoom(MakeRoom("2", 0));
  EXPECT_EQ(editor.FirstRoomWithoutName(), 0);
  project.rooms[2].name = "   ";
  EXPECT_EQ(editor.FirstRoomWithoutName(), 2);
}

TEST(WallForm, ExternalOrInteriorFromTheStoredDifference) {
  Wall wall;
  wall.temperatureDifference = 35;
  EXPECT_TRUE(WallForm::ForExisting(wall, 20, -15, '.').fields.external);
  wall.temperatureDifference = 5;
  WallForm interior = WallForm::ForExisting(wall, 20, -15, '.');
  EXPECT_FALSE(interior.fields.external);
  EXPECT_EQ(interior.fields.adjacentTemperature, "15");
}

TEST(WallForm, NewWallTakesRoomHeightAndAdjacentTemperatureGivesDifference) {
  Room room = MakeRoom("1", 0);
  WallForm form = WallForm::ForNew(room, -15, '.');
  EXPECT_EQ(form.fields.height, "2600");
  EXPECT_TRUE(form.fields.external);
  EXPECT_EQ(form.fields.externalDifference, "35");
  const int adjacent = *AdjacentRoomTemperature(1, -15);  // impermeable, no insulation
  EXPECT_EQ(adjacent, -6);
  form.SetExternal(false);
  form.SetAdjacentTemperature(std::to_string(adjacent));
  EXPECT_EQ(form.fields.interiorDifference, "26");
  EXPECT_FALSE(AdjacentRoomTemperature(1, -17).has_value());
}

TEST(WallForm, OkChecksInOrderAndStoresTheChosenDifference) {
  Room room = MakeRoom("1", 0);
  WallForm form = WallForm::ForNew(room, -15, ',');
  form.SetExternal(false);
  EXPECT_EQ(form.Check(','), FormField::TemperatureDifference);
  form.SetAdjacentTemperature("5");
  EXPECT_EQ(form.Check(','), FormField::Length);
  form.fields.length = "4000";
  EXPECT_EQ(form.Check(','), FormField::K);
  form.fields.k = "0.35";  // a point under a comma locale is accepted
  EXPECT_EQ(form.Check(','), FormField::None);
  Wall wall;
  form.Apply(wall, ',');
  EXPECT_EQ(wall.temperatureDifference, 15);
  EXPECT_DOUBLE_EQ(wall.k, 0.35);
  EXPECT_EQ(wall.code, "???");
  form.fields.construction = 0;
  form.Apply(wall, ',');
  EXPECT_EQ(wall.code, "SO ");
}

TEST(RoomForm, ChecksAndStoresFields) {
  RoomFields fields;
  fields.number = "1.01";
  EXPECT_EQ(CheckRoom(fields), FormField::Name);
  fields.name = std::string(25, 'n');
  fields.length = "3000";
  fields.width = "0";
  EXPECT_EQ(CheckRoom(fields), FormField::Width);
  fields.width = fields.height = "2500";
  EXPECT_EQ(CheckRoom(fields), FormField::None);
  Room room;
  ApplyRoom(fields, room);
  EXPECT_EQ(room.name.size(), 19u);
  EXPECT_EQ(room.cardinalPoint, "Select");
}

TEST(OpeningForm, CatalogueRowFillsDimensionsAndCoefficients) {
  OpeningFields fields;
  TakeCatalogueOpening(fields, {"Window 1200", "1200", "1500", "1.2", "1.4", "5400"}, ',');
  EXPECT_EQ(fields.width, "1200");
  EXPECT_EQ(fields.k, "1,200");
  EXPECT_EQ(fields.jointLength, "5400");
  EXPECT_EQ(CheckOpening(fields, ','), FormField::None);
  fields.i = "0";
  EXPECT_EQ(CheckOpening(fields, ','), FormField::I);
  Opening opening;
  fields.i = "1,4";
  fields.count = "2";
  ApplyOpening(fields, opening, ',');
  EXPECT_DOUBLE_EQ(opening.i, 1.4);
  EXPECT_EQ(opening.count, 2);
  EXPECT_EQ(opening.code, "???");
}

}  // namespace
}  // namespace kvem
