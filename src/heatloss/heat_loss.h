// The design heat loss of every room and of the building.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/messenger.h"
#include "project/project.h"

namespace kvem {

inline constexpr std::string_view kResultFileName = "Výsledek.out";
inline constexpr std::string_view kResultFileText = "Calculation is OK!";

// The ResultFile beside the other temporary files. An empty temporary folder
// (PathTmp not set) puts it in the current folder.
std::filesystem::path ResultFilePath(const std::filesystem::path& tmpDir);

// Computes, room by room in room-number order, transmission with the
// allowances p1, p2, p3, ventilation (the larger of joint infiltration and
// hygienic air exchange), the total and the specific losses, then the building
// totals. A room is validated completely before it is computed; the first
// failed check shows its message and stops the run, leaving the rooms before
// it computed and the totals partial. An empty room number or name only
// informs. On success "Calculation is OK!" is written to the ResultFile in
// `tmpDir`. Returns true on success.
bool CalculateHeatLoss(Project& project, const std::filesystem::path& tmpDir, Messenger& messenger);

// The cardinal-point allowance p3; false when the text is none of the eight codes.
bool CardinalPointAllowance(std::string_view point, double& p3);

// The room characteristic M from R = sum of joint permeabilities / doors.
double RoomCharacteristic(double ratio);

}  // namespace kvem
