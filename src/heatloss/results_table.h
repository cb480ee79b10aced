// The rows of the Results list and its five building fields, formatted as the
// Results window shows them (the user's decimal separator in every number).
// The window, the batch tool and the hand-over to the drawing's room table all
// take their texts from here.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "project/project.h"

namespace kvem {

inline constexpr int kResultColumnCount = 14;

enum class Align { Left, Centre, Right };

struct ResultColumn {
  std::string_view heading;
  int width;  // dialog pixels
  Align align;
};

inline constexpr std::array<ResultColumn, kResultColumnCount> kResultColumns = {{
    {"Order", 48, Align::Centre},
    {"Index", 56, Align::Left},
    {"Name", 60, Align::Left},
    {"Ti [°C] ", 44, Align::Right},
    {"Surface[m2]", 72, Align::Right},
    {"Volume[m3]", 65, Align::Right},
    {"Transfer Loss", 81, Align::Right},
    {"Ventilation Loss", 78, Align::Right},
    {"Total Loss", 81, Align::Right},
    {"[W/m3]", 50, Align::Right},
    {"[W/K]", 50, Align::Right},
    {"Surface [m2]", 72, Align::Right},
    {"q [W/m2]", 58, Align::Right},
    {"Temp.[°C]", 81, Align::Right},
}};

// Column positions used by the hand-over.
inline constexpr int kColumnRoomNumber = 1;
inline constexpr int kColumnName = 2;
inline constexpr int kColumnTi = 3;
inline constexpr int kColumnTotalLoss = 8;

using ResultRow = std::array<std::string, kResultColumnCount>;

struct ResultFields {
  std::string projectName;    // project name, line 1
  std::string buildingName;   // building name, line 1
  std::string totalVolume;    // "%8.1lf" m3
  std::string totalLoss;      // "%8.1lf" W
  std::string lossPerVolume;  // "%8.2lf" W/m3
};

// The floor surface temperature that would cover q [W/m2] by floor heating:
// Ti + (q / 8.92)^(1 / 1.1). A room that needs no heat (q <= 0) gives Ti.
double FloorSurfaceTemperature(int ti, double lossPerFloorArea);

// One row per room 1 .. room count - 1, only when the project has data.
std::vector<ResultRow> MakeResultRows(const Project& project, char decimalSeparator);
// The five fields; empty texts when the project has no data.
ResultFields MakeResultFields(const Project& project, char decimalSeparator);

}  // namespace kvem
