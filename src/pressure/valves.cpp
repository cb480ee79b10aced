#include "pressure/valves.h"

#include <cmath>

namespace kvem {
namespace {

constexpr ValveSetting kPexon[] = {
    {1, 1, 10, 100, 1000, 100000},  {1, 2, 10, 200, 250, 100000},   {1, 3, 10, 300, 110, 100000},
    {1, 4, 12.7, 400, 100, 100000}, {1, 5, 16.8, 500, 100, 100000}, {1, 6, 19, 600, 100, 100000},
};
constexpr ValveSetting kHeimeier[] = {
    {2, 1, 2, 26, 175, 30000},   {2, 2, 4, 70, 100, 30000},   {2, 3, 9, 150, 100, 30000},
    {2, 4, 16, 230, 100, 30000}, {2, 5, 19, 315, 100, 30000}, {2, 6, 27, 460, 100, 30000},
};
constexpr ValveSetting kDanfoss[] = {
    {10, 1, 4, 40, 1000, 100000},   {10, 2, 8, 80, 1000, 100000},   {10, 3, 12, 120, 1000, 100000},
    {10, 4, 20, 200, 1000, 100000}, {10, 5, 27, 270, 1000, 100000}, {10, 6, 36, 360, 1000, 100000},
    {10, 7, 45, 450, 1000, 100000},
};

}  // namespace

std::span<const ValveSetting> ValveSettings(std::int32_t elementType) {
  switch (elementType) {
    case 1:
      return kPexon;
    case 2:
      return kHeimeier;
    case 10:
      return kDanfoss;
    default:
      return {};
  }
}

std::int32_t ValvePresetting(std::int32_t elementType, double flow, double overplus,
                             double& remainder) {
  for (const ValveSetting& v : ValveSettings(elementType)) {
    if (!(v.gMin <= flow && flow <= v.gMax)) continue;
    const double drop = std::exp(std::log(v.p1) + (std::log(v.p2) - std::log(v.p1)) /
                                                      (std::log(v.gMax) - std::log(v.gMin)) *
                                                      (std::log(flow) - std::log(v.gMin)));
    remainder = overplus - drop;
    if (remainder >= 0) return v.setting;
  }
  return 0;
}

std::string_view ElementTypeName(std::int32_t elementType) {
  switch (elementType) {
    case 0:
      return " without";
    case 1:
      return "  Pexon ";
    case 2:
      return "HEIMEIER";
    case 3:
      return "distributor";
    case 4:
      return "rising pipe";
    case 10:
      return "Danfoss RTD-N 15";
    default:
      return {};
  }
}

}  // namespace kvem
