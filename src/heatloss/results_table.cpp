#include "heatloss/results_table.h"

#include <algorithm>
#include <cmath>

#include "platform/numbers.h"

namespace kvem {

double FloorSurfaceTemperature(int ti, double lossPerFloorArea) {
  if (!(lossPerFloorArea > 0.0)) return ti;
  return ti + std::pow(lossPerFloorArea * 0.11210762331838565, 0.9090909090909091);
}

std::vector<ResultRow> MakeResultRows(const Project& project, char sep) {
  std::vector<ResultRow> rows;
  if (project.state != ProjectState::HasData) return rows;
  const int roomCount = std::clamp(project.building.roomCount, 1, kRoomSlots);
  rows.reserve(static_cast<std::size_t>(roomCount));
  for (int r = 1; r < roomCount; ++r) {
    const Room& room = project.rooms[static_cast<std::size_t>(r)];
    const RoomResult& res = project.results[static_cast<std::size_t>(r)];
    ResultRow row;
    row[0] = FormatLong("%li", r);
    row[1] = room.number;
    row[2] = room.name;
    row[3] = FormatLong("%ld", room.ti);
    row[4] = FormatDouble("%8.2f", res.surface, sep);
    row[5] = FormatDouble("%8.2f", res.volume, sep);
    row[6] = FormatDouble("%8.1lf", res.transmissionLoss, sep);
    row[7] = FormatDouble("%8.1f", res.ventilationLoss, sep);
    row[8] = FormatDouble("%8.1lf", res.totalLoss, sep);
    row[9] = FormatDouble("%7.2f", res.lossPerVolume, sep);
    row[10] = FormatDouble("%7.2f", res.lossPerVolumeKelvin, sep);
    row[11] = FormatDouble("%8.2f", res.floorArea, sep);
    row[12] = FormatDouble("%7.2f", res.lossPerFloorArea, sep);
    row[13] = FormatDouble("%7.1f", FloorSurfaceTemperature(room.ti, res.lossPerFloorArea), sep);
    rows.push_back(std::move(row));
  }
  return rows;
}

ResultFields MakeResultFields(const Project& project, char sep) {
  ResultFields fields;
  if (project.state != ProjectState::HasData) return fields;
  fields.projectName = project.building.projectName1;
  fields.buildingName = project.building.buildingName1;
  fields.totalVolume = FormatDouble("%8.1lf", project.totals.volume, sep);
  fields.totalLoss = FormatDouble("%8.1lf", project.totals.totalLoss, sep);
  fields.lossPerVolume = FormatDouble("%8.2lf", project.totals.lossPerVolume, sep);
  return fields;
}

}  // namespace kvem
