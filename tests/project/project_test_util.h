// A small project whose every value is known, for the file tests.
#pragma once

#include "project/project.h"

namespace kvem::test {

inline Project SmallProject() {
  Project p;
  p.building.projectName1 = "Rodinný dům";
  p.building.projectName2 = "line 2";
  p.building.buildingName1 = "Dům č. 5";
  p.building.date = "2026-11-30";
  p.building.te = -15;
  p.building.location = "Brno";
  p.building.altitude = "227";
  p.building.windyLandscape = "no";
  p.building.b = 8;
  p.building.p2 = 0.1;
  p.building.buildingTypeText = "Residential building";
  p.building.buildingTypeCode = 1;
  p.building.indoorTemperatureTable = "Kvem_TiOb";
  Room room;
  room.number = "1.01";
  room.name = "Obývací pokoj";
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
  AddWall(room, Wall{4000, 2600, 5, 1.9, "SN ", 1, {}});
  AddRoom(p, room);
  return p;
}

}  // namespace kvem::test
