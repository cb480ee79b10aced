#include <gtest/gtest.h>

#include "project/project.h"

namespace kvem {
namespace {

TEST(Model, AnEmptyProjectHasCountsOfOne) {
  const Project p;
  EXPECT_EQ(p.building.roomCount, 1);
  EXPECT_EQ(p.rooms[1].wallCount, 1);
  EXPECT_EQ(p.rooms[1].walls[1].openingCount, 1);
  EXPECT_EQ(p.state, ProjectState::Empty);
  EXPECT_EQ(p.path, "Nový");
}

TEST(Model, The98thRoom19thWallAnd19thOpeningAreTheLastThatFit) {
  Project p;
  Room room;
  for (int r = 1; r <= kMaxRooms; ++r) ASSERT_EQ(AddRoom(p, room), r);
  EXPECT_EQ(AddRoom(p, room), 0);
  EXPECT_EQ(p.building.roomCount, 99);
  EXPECT_EQ(p.state, ProjectState::HasData);

  for (int w = 1; w <= kMaxWalls; ++w) ASSERT_EQ(AddWall(room, Wall{}), w);
  EXPECT_EQ(AddWall(room, Wall{}), 0);
  EXPECT_EQ(room.wallCount, 20);

  Wall wall;
  for (int o = 1; o <= kMaxOpenings; ++o) ASSERT_EQ(AddOpening(wall, Opening{}), o);
  EXPECT_EQ(AddOpening(wall, Opening{}), 0);
  EXPECT_EQ(wall.openingCount, 20);
}

TEST(Model, RemovingClosesTheGap) {
  Project p;
  for (const char* n : {"1", "2", "3"}) {
    Room r;
    r.number = n;
    AddRoom(p, r);
  }
  EXPECT_TRUE(RemoveRoom(p, 2));
  EXPECT_EQ(p.building.roomCount, 3);
  EXPECT_EQ(p.rooms[1].number, "1");
  EXPECT_EQ(p.rooms[2].number, "3");
  EXPECT_FALSE(RemoveRoom(p, 3));
  EXPECT_FALSE(RemoveRoom(p, 0));
}

TEST(Model, StoredCodesSelectTheirListEntries) {
  EXPECT_EQ(kConstructionCodes[FindConstructionCode("SO ")].text, "SO -External Wall");
  EXPECT_EQ(kConstructionCodes[FindConstructionCode("Pdl")].text, "Pdl-Floor");
  EXPECT_EQ(FindConstructionCode("???"), -1);
  EXPECT_EQ(FindConstructionCode(""), -1);
  EXPECT_EQ(kOpeningCodes[FindOpeningCode("DN ")].text, "DN - Interior Door");
  EXPECT_EQ(FindCardinalPoint("nw"), FindCardinalPoint("NW"));
  EXPECT_EQ(kCardinalPointList[FindCardinalPoint("nw")], "NW");
  EXPECT_EQ(FindCardinalPoint("Select"), 0);
  EXPECT_EQ(FindCardinalPoint(""), 0);
}

}  // namespace
}  // namespace kvem
