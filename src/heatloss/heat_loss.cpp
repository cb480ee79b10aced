#include "heatloss/heat_loss.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/encoding.h"

namespace kvem {
namespace {

constexpr std::string_view kCaption = "Kvem - error";
constexpr double kLengthScale = 0.001;
constexpr double kJointScale = 0.0001;
constexpr double kAirHeatCapacity = 1300.0;
constexpr double kHygienicFactor = 0.36;
constexpr double kSurfaceAllowanceFactor = 0.15;

struct CardinalAllowance {
  std::string_view code;
  double p3;
};
constexpr std::array<CardinalAllowance, 8> kCardinalAllowances = {{
    {"S", -0.05},
    {"SW", 0.0},
    {"W", 0.0},
    {"NW", 0.05},
    {"N", 0.10},
    {"NE", 0.05},
    {"E", 0.05},
    {"SE", 0.0},
}};

// printf-style message with the item numbers the checks name.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  std::array<char, 256> buf{};
  std::snprintf(buf.data(), buf.size(), format, static_cast<long>(args)...);
  return buf.data();
}

// Runs one calculation; the ResultFile stays open for its whole length.
class Calculation {
 public:
  Calculation(Project& project, Messenger& messenger) : project_(project), messenger_(messenger) {}

  bool Run(std::ofstream& resultFile);

 private:
  bool Stop(const std::string& text, Icon icon = Icon::None) {
    messenger_.Show(text, kCaption, icon);
    return false;
  }
  bool ComputeRoom(int r);

  Project& project_;
  Messenger& messenger_;
};

bool Calculation::Run(std::ofstream& resultFile) {
  const BuildingData& b = project_.building;
  if (b.te == 0) return Stop("Design outdoor temperature is not defined", Icon::Warning);
  if (b.b == 0) return Stop("Characteristic building number is not define", Icon::Warning);
  if (b.roomCount <= 1) return Stop("No room is define");

  const int roomCount = std::min(b.roomCount, kRoomSlots);
  for (int r = 1; r < roomCount; ++r) {
    if (!ComputeRoom(r)) return false;
  }
  BuildingTotals& totals = project_.totals;
  totals.lossPerVolume = totals.totalLoss / totals.volume;
  resultFile << kResultFileText;
  resultFile.flush();
  return true;
}

bool Calculation::ComputeRoom(int r) {
  const BuildingData& b = project_.building;
  const Room& room = project_.rooms[static_cast<std::size_t>(r)];
  RoomResult& result = project_.results[static_cast<std::size_t>(r)];

  if (room.number.empty())
    messenger_.Show(Format("Room number <%ld> is not define", r), kCaption, Icon::None);
  if (room.name.empty()) {
    messenger_.Show(Format("Room description <%ld> is not define", r), kCaption, Icon::None);
  }
  if (room.ti == 0) return Stop(Format("Room temperature <%ld> is not define", r));
  if (room.length == 0) return Stop(Format("Length of room <%ld> is not define", r));
  if (room.width == 0) return Stop(Format("Width of room <%ld> is not define", r));
  if (room.height == 0) return Stop(Format("Height of room <%ld> is not define", r));
  if (room.doors == 0) return Stop(Format("Number of door in room <%ld> is 0", r));
  const long dT = static_cast<long>(room.ti) - static_cast<long>(b.te);
  if (room.wallCount < 2) return Stop(Format("No wall is define in room <%ld>", r));

  double qt = 0.0;
  double sumJ = 0.0;
  const int wallCount = std::min(room.wallCount, kWallSlots);
  for (int w = 1; w < wallCount; ++w) {
    const Wall& wall = room.walls[static_cast<std::size_t>(w)];
    if (wall.length == 0)
      return Stop(Format("Length of wall <%ld> in room <%ld> is not define", w, r));
    if (wall.height == 0)
      return Stop(Format("Height of wall <%ld> in room <%ld> is not define", w, r));
    if (wall.temperatureDifference == 0) {
      return Stop(Format("Temperature difference of wall <%ld> in room <%ld> is 0", w, r));
    }
    if (wall.k == 0.0)
      return Stop(Format("Overall heat transfer of wall <%ld> in room <%ld> is 0", w, r));

    double sumA = 0.0;
    double sumAk = 0.0;
    double jw = 0.0;
    const int openingCount = std::min(wall.openingCount, kOpeningSlots);
    for (int o = 1; o < openingCount; ++o) {
      const Opening& op = wall.openings[static_cast<std::size_t>(o)];
      if (op.width == 0)
        return Stop(Format("Length of  opening<%ld> in wall <%ld> in room <%ld>", o, w, r));
      if (op.height == 0) {
        return Stop(Format("Height of opening <%ld> in wall <%ld> in room <%ld>", o, w, r));
      }
      if (op.k == 0.0) {
        return Stop(
            Format("Overall heat transfer of opening <%ld> in wall <%ld> in room <%ld>", o, w, r));
      }
      if (op.count == 0) {
        return Stop(Format("Number of opening <%ld> in wall <%ld> in room <%ld> is 0", o, w, r));
      }
      const double ao = (op.width * kLengthScale) * (op.height * kLengthScale) * op.count;
      sumA += ao;
      sumAk += ao * op.k;
      jw += (op.jointLength * op.i) * (op.count * kLengthScale) * kJointScale;
    }
    const double aw = (wall.length * kLengthScale) * (wall.height * kLengthScale);
    // The openings' area comes out of their own wall only; the wall's
    // temperature difference multiplies the openings too.
    qt += ((aw - sumA) * wall.k + sumAk) * wall.temperatureDifference;
    sumJ += jw;
  }

  const double m = RoomCharacteristic(sumJ / room.doors);
  const double qi = b.b * m * static_cast<double>(dT) * sumJ * kAirHeatCapacity;

  const double l = room.length;
  const double wd = room.width;
  const double h = room.height;
  const double volume = (h * kLengthScale) * (l * kLengthScale) * (wd * kLengthScale);
  const double floorArea = (l * kLengthScale) * (wd * kLengthScale);
  const double surface = (h * (l + wd) + l * wd) * 2e-6;
  const double p1 = qt / (surface * static_cast<double>(dT)) * kSurfaceAllowanceFactor;

  double p3 = 0.0;
  if (!CardinalPointAllowance(room.cardinalPoint, p3)) {
    // The geometry and the infiltration are already known at this point.
    result.volume = volume;
    result.floorArea = floorArea;
    result.surface = surface;
    result.ventilationLoss = qi;
    return Stop(Format("Cardinal point of room <%ld> is not define", r));
  }

  const double qc = (b.p2 + p3 + p1 + 1.0) * qt;
  const double qh = room.airFlow * static_cast<double>(dT) * kHygienicFactor;
  const double qv = qi - qh > 0.0 ? qi : qh;
  const double q = qc + qv;

  result.floorArea = floorArea;
  result.volume = volume;
  result.surface = surface;
  result.transmissionLoss = qc;
  result.ventilationLoss = qv;
  result.totalLoss = q;
  result.lossPerVolume = q / volume;
  result.lossPerFloorArea = q / floorArea;
  result.lossPerVolumeKelvin = (q / volume) / static_cast<double>(dT);

  BuildingTotals& totals = project_.totals;
  totals.volume += volume;
  totals.transmissionLoss += qc;
  totals.ventilationLoss += qv;
  totals.totalLoss += q;
  return true;
}

}  // namespace

std::filesystem::path ResultFilePath(const std::filesystem::path& tmpDir) {
  const std::filesystem::path name(std::u8string(
      reinterpret_cast<const char8_t*>(kResultFileName.data()), kResultFileName.size()));
  return tmpDir.empty() ? name : tmpDir / name;
}

bool CardinalPointAllowance(std::string_view point, double& p3) {
  for (const auto& entry : kCardinalAllowances) {
    if (EqualsIgnoreCase(point, entry.code)) {
      p3 = entry.p3;
      return true;
    }
  }
  return false;
}

double RoomCharacteristic(double ratio) {
  if (ratio >= 0.0) {
    if (ratio < 0.0015) return 0.7;
    if (ratio > 0.0025) return 0.4;
    return 0.5;
  }
  const double magnitude = std::fabs(ratio);
  if (magnitude < 0.003) return 0.7;
  if (magnitude > 0.005) return 0.4;
  return 0.5;
}

bool CalculateHeatLoss(Project& project, const std::filesystem::path& tmpDir,
                       Messenger& messenger) {
  project.totals = BuildingTotals{};
  std::ofstream resultFile(ResultFilePath(tmpDir), std::ios::binary | std::ios::trunc);
  if (!resultFile) {
    messenger.Show("File openning failed", kCaption, Icon::Warning);
    return false;
  }
  Calculation calculation(project, messenger);
  return calculation.Run(resultFile);
}

}  // namespace kvem
