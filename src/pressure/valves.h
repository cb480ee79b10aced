// Thermostatic valves and their presetting: for each valve type a list of
// settings, each with a flow range and the valve's pressure drop at both ends
// (a straight line in log-log coordinates between them).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kvem {

struct ValveSetting {
  std::int32_t type;
  std::int32_t setting;
  double gMin, gMax;  // kg/h
  double p1, p2;      // Pa at gMin and gMax
};

// The settings of a valve type in trial order; empty for a type without a valve.
std::span<const ValveSetting> ValveSettings(std::int32_t elementType);

// The first setting whose range holds `flow` and whose drop leaves a
// remainder >= 0 of `overplus`; 0 when none does. `remainder` gets the value
// of the last setting tried and is left alone when no range holds the flow.
std::int32_t ValvePresetting(std::int32_t elementType, double flow, double overplus,
                             double& remainder);

// Display name of an element type (" without", "  Pexon ", "HEIMEIER",
// "distributor", "rising pipe", "Danfoss RTD-N 15"); empty for other types.
std::string_view ElementTypeName(std::int32_t elementType);

// A remainder above this needs a regulating union.
inline constexpr double kUnionThreshold = 10000.0;

}  // namespace kvem
