#include "floor/floor_records.h"

#include <cmath>

namespace kvem {

double MezniTok(double thetai, double thetaFMax) {
  return thetaFMax - thetai > 9.0 ? 175.0 : 100.0;
}

void CRoztece::GenerateValues() {
  values.clear();
  if (step <= 0.0) return;
  // Counting steps instead of adding them up keeps the error from growing;
  // the micrometre rounding removes what is left (3 x 0.075 = 0.22499999...).
  for (long n = 0;; ++n) {
    const double value = std::round((from + static_cast<double>(n) * step) * 1e6) / 1e6;
    if (value > to + 1e-9) break;
    values.push_back(value);
  }
}

std::vector<CRoztece> DefaultSpacingRecords() {
  CRoztece standard{0.075, 0.075, 0.35, {}, true};
  standard.GenerateValues();
  CRoztece second{0.063, 0.063, 0.3, {}, false};
  second.GenerateValues();
  return {standard, second};
}

void CTopnyOkruh::SetMaxFloorTemperature(double thetai) {
  thetaFMax = AR == 0.0 ? thetai + 9.0 : thetai + 15.0;
  if (thetaFMax > 35.0) thetaFMax = 35.0;
}

void CTopnyOkruh::SetMeanFloorTemperature(double thetai) {
  thetaFm = q > 0.0 ? thetai + std::pow(q / 8.92, 1.0 / 1.1) : thetai;
}

void CTopnyOkruh::SetMaxOutput(double thetai) {
  PhiMax = MezniTok(thetai, thetaFMax) * A;
}

void CTopnyOkruh::SetLength() {
  if (T <= 0.0) {
    L = 0.0;
    return;
  }
  // Rounded up to the next 0.5 m. The quotient is first taken to 1e-9 so that
  // an area that is a multiple of the spacing on paper (12.3 m2 / 0.15 m =
  // 82.00000000000001) stays a multiple.
  const double x = std::round(A / T * 1e9) / 1e9;
  const double whole = std::floor(x);
  L = whole + 0.5 * std::floor(2.0 * (x - whole + 0.49999999999999));
}

void CTopnyOkruh::SetTemperaturesFromDrop(double thetai, NavrhovaTeplota* design) {
  if (deltaThetaH <= 0.0) {
    thetaR = thetai;  // the limit of the relation for DeltathetaH -> 0
  } else if (sigma == 0.0) {
    thetaR = thetai + deltaThetaH;  // the limit for sigma -> 0
  } else {
    thetaR = thetai + sigma / (std::exp(sigma / deltaThetaH) - 1.0);
  }
  thetaV = thetaR + sigma;
  if (design != nullptr) {
    design->tV = thetaV;
    design->tR = thetaR;
  }
}

void CTopnyOkruh::SetTemperaturesFromSigma(double s, const NavrhovaTeplota& design) {
  sigma = s;
  thetaV = design.tV;
  thetaR = design.tV - s;
}

CTopnyOkruh* CMistPodlahVytap::CurrentCircuit() {
  if (currentCircuit < 0 || currentCircuit >= static_cast<int>(circuits.size())) return nullptr;
  return &circuits[static_cast<std::size_t>(currentCircuit)];
}

const CTopnyOkruh* CMistPodlahVytap::CurrentCircuit() const {
  if (currentCircuit < 0 || currentCircuit >= static_cast<int>(circuits.size())) return nullptr;
  return &circuits[static_cast<std::size_t>(currentCircuit)];
}

double CMistPodlahVytap::ResistanceBelow() const {
  return insulationResistance + ceilingResistance + plasterResistance + lowerSurfaceResistance;
}

namespace {

struct ConstructionDefaults {
  double R, bearing, insulation, ceiling, plaster, lowerSurface, su, lambdaE, insulationHeight;
  double underPipe, underLamella;  // <= 0: the insulation height
  double insulationConductivity;
  double reinforcementConductivity;  // <= 0: none
  double k;
  double proportion;  // <= 0: none
};

constexpr ConstructionDefaults kDefaultsA{0.01, 0.035, 0.55, 0.25,  0.01, 0.17, 42.0, 1.2,
                                          22.0, 0.0,   0.0,  0.054, 50.0, 1.0,  0.8};
constexpr ConstructionDefaults kDefaultsB{0.01, 0.035, 0.55, 0.25, 0.01, 0.17, 3.0, 0.15,
                                          22.0, 22.0,  6.0,  0.15, 50.0, 1.0,  0.8};
constexpr ConstructionDefaults kDefaultsS{0.01, 0.02, 0.37, 0.25,  0.01, 0.17, 20.0, 0.15,
                                          20.0, 20.0, 20.0, 0.054, 0.0,  1.0,  0.0};

void Default(double& value, double fallback) {
  if (value <= 0.0 && fallback > 0.0) value = fallback;
}

}  // namespace

void CMistPodlahVytap::ApplyDefaults() {
  const ConstructionDefaults& d = systemType == kSystemTypeB   ? kDefaultsB
                                  : systemType == kSystemTypeS ? kDefaultsS
                                                               : kDefaultsA;
  Default(R, d.R);
  Default(bearingResistance, d.bearing);
  Default(insulationResistance, d.insulation);
  Default(ceilingResistance, d.ceiling);
  Default(plasterResistance, d.plaster);
  Default(lowerSurfaceResistance, d.lowerSurface);
  Default(su, d.su);
  Default(lambdaE, d.lambdaE);
  Default(insulationHeight, d.insulationHeight);
  Default(insulationHeightUnderPipe, d.underPipe > 0.0 ? d.underPipe : insulationHeight);
  Default(insulationHeightUnderLamella, d.underLamella > 0.0 ? d.underLamella : insulationHeight);
  Default(insulationConductivity, d.insulationConductivity);
  Default(reinforcementConductivity, d.reinforcementConductivity);
  Default(k, d.k);
  Default(lamellaProportion, d.proportion);
}

}  // namespace kvem
