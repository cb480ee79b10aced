// Pressure losses of a network: flow, velocity, gradient R from the pipe
// diagram, friction and local losses of every section, the loss accumulated
// from the root, the critical (largest) loss, and the overplus of every
// section against an available pressure.
#pragma once

#include <cstdint>
#include <filesystem>

#include "platform/messenger.h"
#include "pressure/network.h"

namespace kvem {

// kg/h per W/K: 3600 / 4186.8.
inline constexpr double kFlowPerWattKelvin = 0.8598452278589853;
inline constexpr double kPi = 3.141592653589793;

// R in Pa/m from the pipe's log-log diagram; below Gmin the diagram's Rmin,
// above Gmax -1 (out of diagram). An unknown pipe index shows "Nonsence!".
double PipeGradient(double flow, std::int32_t pipeIndex, Messenger& messenger);

// Inner diameter in metres, or -1 ("Nonsence!") for an unknown pipe index.
double InnerDiameter(std::int32_t pipeIndex, Messenger& messenger);

// Density of water in kg/m³ at the whole degree nearest `t`, or -1 outside 0..99 °C.
double WaterDensity(double t);

// Flow, R, velocity, R*l, Z and R*l+Z of every section; clears the flag of
// current cumulative values.
void ComputeSectionLosses(CPrivodTelesa& network, Messenger& messenger);

// All and length overall of every section (unless the flag of current
// cumulative values is set) and the largest All (0 for an empty network).
double Accumulate(CPrivodTelesa& network);

// Overplus, regulation and remainder of every section against `available`
// (when it is not above 0: the largest All). Returns the pressure used.
double Distribute(CPrivodTelesa& network, double available);

// Read, build, merge, section losses, distribute with -1. False when the file
// cannot be read (nothing else is done then).
bool EvaluateNetwork(CPrivodTelesa& network, const std::filesystem::path& file,
                     NetworkHeader& header, char separator, Messenger& messenger);

}  // namespace kvem
