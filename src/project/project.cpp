#include "project/project.h"

#include "platform/encoding.h"

namespace kvem {

Project::Project() : rooms(kRoomSlots), results(kRoomSlots) {}

int FindCodeEntry(const CodeEntry* entries, std::size_t count, std::string_view code) {
  if (code.empty()) return -1;
  for (std::size_t i = 0; i < count; ++i) {
    if (entries[i].text.starts_with(code)) return static_cast<int>(i);
  }
  return -1;
}

int FindConstructionCode(std::string_view code) {
  return FindCodeEntry(kConstructionCodes.data(), kConstructionCodes.size(), code);
}

int FindOpeningCode(std::string_view code) {
  return FindCodeEntry(kOpeningCodes.data(), kOpeningCodes.size(), code);
}

int FindCardinalPoint(std::string_view point) {
  for (std::size_t i = 1; i < kCardinalPointList.size(); ++i) {
    if (EqualsIgnoreCase(point, kCardinalPointList[i])) return static_cast<int>(i);
  }
  return 0;
}

namespace {

template <typename Item, std::size_t N>
int AddItem(std::array<Item, N>& slots, std::int32_t& count, const Item& item) {
  if (count < 1) count = 1;
  if (count >= static_cast<std::int32_t>(N)) return 0;
  slots[static_cast<std::size_t>(count)] = item;
  return count++;
}

template <typename Container>
bool RemoveItem(Container& slots, std::int32_t& count, int number) {
  if (number < 1 || number >= count) return false;
  for (int n = number; n + 1 < count; ++n) {
    slots[static_cast<std::size_t>(n)] = std::move(slots[static_cast<std::size_t>(n + 1)]);
  }
  --count;
  return true;
}

}  // namespace

int AddRoom(Project& project, const Room& room) {
  std::int32_t& count = project.building.roomCount;
  if (count < 1) count = 1;
  if (count >= kRoomSlots) return 0;
  project.rooms[static_cast<std::size_t>(count)] = room;
  project.state = ProjectState::HasData;
  return count++;
}

int AddWall(Room& room, const Wall& wall) {
  return AddItem(room.walls, room.wallCount, wall);
}

int AddOpening(Wall& wall, const Opening& opening) {
  return AddItem(wall.openings, wall.openingCount, opening);
}

bool RemoveRoom(Project& project, int number) {
  return RemoveItem(project.rooms, project.building.roomCount, number);
}

bool RemoveWall(Room& room, int number) {
  return RemoveItem(room.walls, room.wallCount, number);
}

bool RemoveOpening(Wall& wall, int number) {
  return RemoveItem(wall.openings, wall.openingCount, number);
}

}  // namespace kvem
