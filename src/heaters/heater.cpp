#include "heaters/heater.h"

#include <cmath>
#include <cstdio>

#include "platform/numbers.h"

namespace kvem {
namespace {

template <std::size_t N>
bool LookUp(const std::array<CoefficientVariant, N>& table, long variant, double* coefficient) {
  if (variant < 1 || variant > static_cast<long>(N)) return false;
  *coefficient = table[static_cast<std::size_t>(variant - 1)].coefficient;
  return true;
}

std::string Degrees(double value) {
  return FormatDouble("%.1f", value) + " °C";
}

}  // namespace

double TemperatureCoefficient(double tm, double ti, double exponent, double dtn) {
  return std::pow((tm - ti) / dtn, exponent);
}

double LogMeanDifference(double t1, double t2, double ti) {
  // ln((t1 - ti) / (t2 - ti)) as log1p((t1 - t2) / (t2 - ti)) stays exact when
  // the two temperatures are close, where the plain quotient loses every digit.
  const double difference = t1 - t2;
  const double logRatio = std::log1p(difference / (t2 - ti));
  if (logRatio == 0.0) return (t1 + t2) / 2.0 - ti;
  return difference / logRatio;
}

double MassFlowCoefficient(double t1, double t2, double ti, double exponent) {
  const double tm = (t1 + t2) / 2.0;
  return std::pow(1.01 * LogMeanDifference(t1, t2, ti) / (tm - ti), exponent);
}

double ElementsCoefficient(long n) {
  if (n < kMinElements || n > kMaxElements) return 0.0;
  const double x = static_cast<double>(n);
  return (((3.0952e-06 * x - 0.0002173) * x + 0.005384) * x - 0.05837) * x + 1.2317;
}

bool ConnectionCoefficient(long variant, double* coefficient) {
  return LookUp(kConnectionVariants, variant, coefficient);
}
bool PositionCoefficient(long variant, double* coefficient) {
  return LookUp(kPositionVariants, variant, coefficient);
}
bool CoverageCoefficient(long variant, double* coefficient) {
  return LookUp(kCoverageVariants, variant, coefficient);
}

std::string TemperatureProblem(double t1, double t2, double ti) {
  if (!std::isfinite(t1)) return "Inlet temperature is not a number.";
  if (!std::isfinite(t2)) return "Outlet temperature is not a number.";
  if (!std::isfinite(ti)) return "Indoor temperature Ti is not a number.";
  if (t1 <= ti) {
    return "Inlet temperature " + Degrees(t1) + " is not above the indoor temperature Ti " +
           Degrees(ti) + ": the heater would give no heat. Raise the inlet temperature.";
  }
  if (t2 <= ti) {
    return "Outlet temperature " + Degrees(t2) + " is not above the indoor temperature Ti " +
           Degrees(ti) + ": the heater output has no meaning. Raise the outlet temperature.";
  }
  if (t1 == t2) {
    return "Inlet and outlet temperatures are equal (" + Degrees(t1) +
           "): with no temperature difference there is no mass flow. Change the outlet "
           "temperature.";
  }
  return {};
}

std::string VariantProblem(long connection, long position, long coverage) {
  double unused = 0.0;
  if (!ConnectionCoefficient(connection, &unused)) {
    return "Method of connection of the heater: variant " + std::to_string(connection) +
           " does not exist; choose 1 to 5.";
  }
  if (!PositionCoefficient(position, &unused)) {
    return "Position of heater in heated room: variant " + std::to_string(position) +
           " does not exist; choose 1 to 3.";
  }
  if (!CoverageCoefficient(coverage, &unused)) {
    return "Method of coverage of the heater: variant " + std::to_string(coverage) +
           " does not exist; choose 1 to 8.";
  }
  return {};
}

std::string RecomputeCoefficients(COtopneTeleso& record) {
  std::string problem = TemperatureProblem(record.tw, record.tr, record.ti);
  if (!problem.empty()) return problem;
  if (!std::isfinite(record.exponent)) return "Exponent n is not a number.";
  const double tm = (record.tw + record.tr) / 2.0;
  const double temperature = TemperatureCoefficient(tm, record.ti, record.exponent);
  const double massFlow = MassFlowCoefficient(record.tw, record.tr, record.ti, record.exponent);
  if (!std::isfinite(temperature) || !std::isfinite(massFlow)) {
    return "Exponent n = " + FormatDouble("%g", record.exponent) +
           " gives no finite coefficient at these temperatures. Check the exponent.";
  }
  record.temperatureCoefficient = temperature;
  record.massFlowCoefficient = massFlow;
  return {};
}

bool RecomputeCoefficients(COtopneTeleso& record, Messenger& messenger) {
  const std::string problem = RecomputeCoefficients(record);
  if (problem.empty()) return true;
  messenger.Show(problem, kModelErrorCaption, Icon::Warning);
  return false;
}

}  // namespace kvem
