// A project of full capacity (98 rooms of 19 walls of 19 openings), for the
// benchmark and for trying the program at its limits.
#pragma once

#include <string>

#include "project/project.h"

namespace kvem::examples {

inline Project MakeFullProject() {
  Project project;
  BuildingData& b = project.building;
  b.projectName1 = "Full-capacity project";
  b.buildingName1 = "Office block";
  b.date = "2026-12-01";
  b.te = -15;
  b.b = 8;
  b.p2 = 0.1;
  static constexpr const char* kPoints[] = {"S", "SW", "W", "NW", "N", "NE", "E", "SE"};
  for (int r = 1; r <= kMaxRooms; ++r) {
    Room room;
    room.number = std::to_string(r / 10 + 1) + "." + std::to_string(r);
    room.name = "Kancelář " + std::to_string(r);
    room.length = 4000 + 10 * r;
    room.width = 3000 + 5 * r;
    room.height = 2800;
    room.ti = 20;
    room.doors = 1;
    room.airFlow = 30;
    room.cardinalPoint = kPoints[r % 8];
    for (int w = 1; w <= kMaxWalls; ++w) {
      Wall wall;
      wall.length = 2000 + 100 * w;
      wall.height = 2800;
      wall.temperatureDifference = 35;
      wall.k = 0.25 + 0.01 * w;
      wall.code = "SO ";
      for (int o = 1; o <= kMaxOpenings; ++o) {
        Opening opening{100, 100, 1.1 + 0.01 * o, 0.7, 400, 1, "OZ "};
        AddOpening(wall, opening);
      }
      AddWall(room, wall);
    }
    AddRoom(project, room);
  }
  return project;
}

}  // namespace kvem::examples
