#include "heatloss/heat_loss.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kvem {
namespace {

// The worked room: Te -15, B 8, p2 0.1; 5000 x 4000 x 2600 mm, Ti 20, one door,
// 30 m3/h, north; one wall 5000 x 2600, dT 35, k 0.5 with one window
// 1500 x 1500, k 1.7, i 1.4, joints 6000 mm.
Project WorkedRoom() {
  Project p;
  p.building.te = -15;
  p.building.b = 8;
  p.building.p2 = 0.1;
  Room room;
  room.number = "1.01";
  room.name = "Room";
  room.length = 5000;
  room.width = 4000;
  room.height = 2600;
  room.ti = 20;
  room.doors = 1;
  room.airFlow = 30;
  room.cardinalPoint = "N";
  Wall wall{5000, 2600, 35, 0.5, "SO ", 1, {}};
  AddOpening(wall, Opening{1500, 1500, 1.7, 1.4, 6000, 1, "OJ "});
  AddWall(room, wall);
  AddRoom(p, room);
  return p;
}

class HeatLoss : public ::testing::Test {
 protected:
  bool Calculate(Project& p) {
    messenger_.Clear();
    return CalculateHeatLoss(p, tmp_.path(), messenger_);
  }
  std::string ResultFile() const { return test::ReadFile(ResultFilePath(tmp_.path())); }

  test::TempDir tmp_;
  RecordingMessenger messenger_;
};

TEST_F(HeatLoss, TheWorkedRoomGivesItsPublishedValues) {
  Project p = WorkedRoom();
  ASSERT_TRUE(Calculate(p));
  EXPECT_TRUE(messenger_.messages().empty());
  const RoomResult& r = p.results[1];
  EXPECT_NEAR(r.volume, 52.0, 1e-9);
  EXPECT_NEAR(r.floorArea, 20.0, 1e-9);
  EXPECT_NEAR(r.surface, 86.8, 1e-9);
  EXPECT_NEAR(r.transmissionLoss, 391.519, 1e-3);
  EXPECT_NEAR(r.ventilationLoss, 378.0, 1e-9);  // hygienic 378 W beats infiltration 214.032 W
  EXPECT_NEAR(r.totalLoss, 769.519, 1e-3);
  EXPECT_NEAR(r.lossPerVolume, 14.798, 1e-3);
  EXPECT_NEAR(r.lossPerFloorArea, 38.476, 1e-3);
  EXPECT_NEAR(r.lossPerVolumeKelvin, 0.4228, 1e-4);
  EXPECT_NEAR(p.totals.volume, 52.0, 1e-9);
  EXPECT_NEAR(p.totals.totalLoss, 769.519, 1e-3);
  EXPECT_NEAR(p.totals.lossPerVolume, 14.798, 1e-3);
  EXPECT_EQ(ResultFile(), "Calculation is OK!");
}

TEST_F(HeatLoss, InfiltrationWinsWithoutAirFlow) {
  Project p = WorkedRoom();
  p.rooms[1].airFlow = 0;
  ASSERT_TRUE(Calculate(p));
  // Qi = B x M x dT x sum j x 1300 = 8 x 0.7 x 35 x 0.00084 x 1300
  EXPECT_NEAR(p.results[1].ventilationLoss, 214.032, 1e-9);
}

TEST_F(HeatLoss, OpeningsComeOutOfTheirWallAndTakeTheWallsTemperatureDifference) {
  // 4000 x 2500, k 1.0, dT 32 with a 1500 x 1500, k 2.7 window: Qt = 442.4 W.
  Project p = WorkedRoom();
  Wall& wall = p.rooms[1].walls[1];
  wall = Wall{4000, 2500, 32, 1.0, "SO ", 1, {}};
  AddOpening(wall, Opening{1500, 1500, 2.7, 0.0, 0, 1, "OJ "});
  p.building.p2 = 0.0;
  p.rooms[1].cardinalPoint = "sw";  // p3 = 0
  ASSERT_TRUE(Calculate(p));
  const double qt = 442.4;
  const double p1 = qt / (86.8 * 35) * 0.15;
  EXPECT_NEAR(p.results[1].transmissionLoss, (1 + p1) * qt, 1e-9);
}

TEST_F(HeatLoss, JointsOfIdenticalOpeningsAddUp) {
  // 6000 mm x 1.4 x 2 windows gives sum j = 0.00168: M = 0.5 with one door.
  Project p = WorkedRoom();
  Opening& window = p.rooms[1].walls[1].openings[1];
  window.count = 2;
  p.rooms[1].airFlow = 0;
  ASSERT_TRUE(Calculate(p));
  EXPECT_NEAR(p.results[1].ventilationLoss, 8 * 0.5 * 35 * 0.00168 * 1300, 1e-9);
}

TEST(RoomCharacteristic, ThresholdsIncludeTheMiddleBand) {
  EXPECT_EQ(RoomCharacteristic(0.0), 0.7);
  EXPECT_EQ(RoomCharacteristic(0.001), 0.7);
  EXPECT_EQ(RoomCharacteristic(0.0015), 0.5);
  EXPECT_EQ(RoomCharacteristic(0.00168), 0.5);
  EXPECT_EQ(RoomCharacteristic(0.0025), 0.5);
  EXPECT_EQ(RoomCharacteristic(0.003), 0.4);
  EXPECT_EQ(RoomCharacteristic(-0.0029), 0.7);
  EXPECT_EQ(RoomCharacteristic(-0.003), 0.5);
  EXPECT_EQ(RoomCharacteristic(-0.005), 0.5);
  EXPECT_EQ(RoomCharacteristic(-0.0051), 0.4);
}

TEST(CardinalPoint, EveryPointInAnyCase) {
  const std::pair<const char*, double> expected[] = {{"S", -0.05}, {"sw", 0.0}, {"W", 0.0},
                                                     {"nW", 0.05}, {"n", 0.10}, {"NE", 0.05},
                                                     {"e", 0.05},  {"Se", 0.0}};
  for (const auto& [point, p3] : expected) {
    double value = 99;
    ASSERT_TRUE(CardinalPointAllowance(point, value)) << point;
    EXPECT_DOUBLE_EQ(value, p3) << point;
  }
  double value = 0;
  EXPECT_FALSE(CardinalPointAllowance("", value));
  EXPECT_FALSE(CardinalPointAllowance("NNW", value));
  EXPECT_FALSE(CardinalPointAllowance("Select", value));
}

// Each check, the change that trips it, and the one message it shows.
struct StopCase {
  const char* message;
  void (*damage)(Project&);
  Icon icon = Icon::None;
};

const StopCase kStops[] = {
    {"Design outdoor temperature is not defined", [](Project& p) { p.building.te = 0; },
     Icon::Warning},
    {"Characteristic building number is not define", [](Project& p) { p.building.b = 0; },
     Icon::Warning},
    {"No room is define", [](Project& p) { p.building.roomCount = 1; }},
    {"Room temperature <1> is not define", [](Project& p) { p.rooms[1].ti = 0; }},
    {"Length of room <1> is not define", [](Project& p) { p.rooms[1].length = 0; }},
    {"Width of room <1> is not define", [](Project& p) { p.rooms[1].width = 0; }},
    {"Height of room <1> is not define", [](Project& p) { p.rooms[1].height = 0; }},
    {"Number of door in room <1> is 0", [](Project& p) { p.rooms[1].doors = 0; }},
    {"No wall is define in room <1>", [](Project& p) { p.rooms[1].wallCount = 1; }},
    {"Length of wall <1> in room <1> is not define",
     [](Project& p) { p.rooms[1].walls[1].length = 0; }},
    {"Height of wall <1> in room <1> is not define",
     [](Project& p) { p.rooms[1].walls[1].height = 0; }},
    {"Temperature difference of wall <1> in room <1> is 0",
     [](Project& p) { p.rooms[1].walls[1].temperatureDifference = 0; }},
    {"Overall heat transfer of wall <1> in room <1> is 0",
     [](Project& p) { p.rooms[1].walls[1].k = 0; }},
    {"Length of  opening<1> in wall <1> in room <1>",
     [](Project& p) { p.rooms[1].walls[1].openings[1].width = 0; }},
    {"Height of opening <1> in wall <1> in room <1>",
     [](Project& p) { p.rooms[1].walls[1].openings[1].height = 0; }},
    {"Overall heat transfer of opening <1> in wall <1> in room <1>",
     [](Project& p) { p.rooms[1].walls[1].openings[1].k = 0; }},
    {"Number of opening <1> in wall <1> in room <1> is 0",
     [](Project& p) { p.rooms[1].walls[1].openings[1].count = 0; }},
    {"Cardinal point of room <1> is not define", [](Project& p) { p.rooms[1].cardinalPoint = ""; }},
};

TEST_F(HeatLoss, EveryCheckStopsWithItsOwnMessage) {
  for (const StopCase& stop : kStops) {
    Project p = WorkedRoom();
    stop.damage(p);
    EXPECT_FALSE(Calculate(p)) << stop.message;
    ASSERT_EQ(messenger_.messages().size(), 1u) << stop.message;
    EXPECT_EQ(messenger_.messages()[0].text, stop.message);
    EXPECT_EQ(messenger_.messages()[0].caption, "Kvem - error");
    EXPECT_EQ(messenger_.messages()[0].icon, stop.icon) << stop.message;
    EXPECT_EQ(ResultFile(), "") << stop.message;
  }
}

TEST_F(HeatLoss, ChecksComeInTheirOrder) {
  // Every damage at once: the building checks come first, then the room's in order.
  for (std::size_t first = 0; first < std::size(kStops); ++first) {
    Project p = WorkedRoom();
    for (std::size_t k = first; k < std::size(kStops); ++k) {
      if (std::string(kStops[k].message).starts_with("No ")) continue;  // these hide the rest
      kStops[k].damage(p);
    }
    if (std::string(kStops[first].message).starts_with("No ")) kStops[first].damage(p);
    EXPECT_FALSE(Calculate(p));
    ASSERT_FALSE(messenger_.messages().empty());
    EXPECT_EQ(messenger_.messages().back().text, kStops[first].message);
  }
}

TEST_F(HeatLoss, AStopKeepsTheRoomsBeforeItAndLeavesTheRestAlone) {
  Project p = WorkedRoom();
  AddRoom(p, p.rooms[1]);
  AddRoom(p, p.rooms[1]);
  p.results[2].totalLoss = -1;  // sentinel: an earlier run's value
  p.results[3].totalLoss = -1;
  p.rooms[2].ti = 0;
  EXPECT_FALSE(Calculate(p));
  EXPECT_EQ(messenger_.messages().back().text, "Room temperature <2> is not define");
  EXPECT_NEAR(p.results[1].totalLoss, 769.519, 1e-3);
  EXPECT_EQ(p.results[2].totalLoss, -1);
  EXPECT_EQ(p.results[3].totalLoss, -1);
  EXPECT_NEAR(p.totals.totalLoss, 769.519, 1e-3);  // partial
  EXPECT_NEAR(p.totals.volume, 52.0, 1e-9);
}

TEST_F(HeatLoss, ACardinalPointStopHasStoredTheGeometryAlready) {
  Project p = WorkedRoom();
  AddRoom(p, p.rooms[1]);
  p.rooms[2].cardinalPoint = "";
  p.results[2].totalLoss = -1;
  EXPECT_FALSE(Calculate(p));
  EXPECT_NEAR(p.results[2].volume, 52.0, 1e-9);
  EXPECT_NEAR(p.results[2].surface, 86.8, 1e-9);
  EXPECT_NEAR(p.results[2].floorArea, 20.0, 1e-9);
  EXPECT_NEAR(p.results[2].ventilationLoss, 214.032, 1e-9);  // the infiltration
  EXPECT_EQ(p.results[2].totalLoss, -1);
}

TEST_F(HeatLoss, EmptyNumbersAndNamesOnlyInform) {
  Project p = WorkedRoom();
  AddRoom(p, p.rooms[1]);
  AddRoom(p, p.rooms[1]);
  p.rooms[3].name = "";
  p.rooms[2].number = "";
  ASSERT_TRUE(Calculate(p));
  EXPECT_EQ(messenger_.texts(), (std::vector<std::string>{"Room number <2> is not define",
                                                          "Room description <3> is not define"}));
  EXPECT_NEAR(p.totals.totalLoss, 3 * 769.519, 3e-3);
}

TEST_F(HeatLoss, BuildingChecksComeBeforeAnyRoom) {
  Project p = WorkedRoom();
  p.rooms[1].number = "";
  p.building.te = 0;
  EXPECT_FALSE(Calculate(p));
  EXPECT_EQ(messenger_.texts(),
            std::vector<std::string>{"Design outdoor temperature is not defined"});
}

TEST(HeatLossFile, AResultFileThatCannotBeOpenedStopsTheRun) {
  Project p = WorkedRoom();
  RecordingMessenger messenger;
  EXPECT_FALSE(CalculateHeatLoss(p, "/nonexistent/kvem/tmp", messenger));
  ASSERT_EQ(messenger.messages().size(), 1u);
  EXPECT_EQ(messenger.messages()[0].text, "File openning failed");
  EXPECT_EQ(messenger.messages()[0].icon, Icon::Warning);
}

}  // namespace
}  // namespace kvem
