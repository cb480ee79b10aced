#include "floor/csn_en_1264.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "floor/en1264_tables.h"
#include "platform/numbers.h"

namespace kvem {
namespace {

using namespace en1264;

constexpr double kSurfaceResistance = 1.0 / 10.8;  // heat transfer at the floor surface
constexpr double kPipeFactor = 1.1 / std::numbers::pi;

constexpr const char* kLabelR = "Heat Resistance Top Layer";
constexpr const char* kLabelT = "Spacing of Pipes";
constexpr const char* kLabelTAu = "Spacing of PipesA3t";
constexpr const char* kLabelTAd = "Spacing of PipesA4t";
constexpr const char* kLabelSu = "Layer Height Over Pipes";
constexpr const char* kLabelAtb = "Thermal Conductivity of Levelling Layer";
constexpr const char* kLabelKwl = "kWL";
constexpr const char* kLabelD = "Outer Pipe Diameter";

template <int N>
double Lookup1(double x, const double (&axis)[N], const double (&values)[N]) {
  const int w = CCSN_EN_1264::OknoTabulky(x, axis, N);
  return CCSN_EN_1264::Interpolace4(x, axis + w, values + w);
}

// Interpolates along the inner axis in each row of the window, then along the
// outer axis through the four row results.
template <int R, int C>
double Lookup2(double outer, const double (&outerAxis)[R], double inner,
               const double (&innerAxis)[C], const double (&table)[R][C]) {
  const int w = CCSN_EN_1264::OknoTabulky(outer, outerAxis, R);
  double rows[4];
  for (int i = 0; i < 4; ++i) rows[i] = Lookup1(inner, innerAxis, table[w + i]);
  return CCSN_EN_1264::Interpolace4(outer, outerAxis + w, rows);
}

}  // namespace

double DesignSupplyExcess(double deltaThetaH, double sigma) {
  double v = deltaThetaH + sigma / 2.0;
  if (deltaThetaH > 0.0 && sigma / deltaThetaH > 0.5) v += sigma * sigma / (12.0 * deltaThetaH);
  return v;
}

double SigmaAtExcess(double deltaThetaVDes, double deltaThetaH) {
  if (deltaThetaH <= 0.0) return 0.0;
  const double d = deltaThetaVDes - deltaThetaH;
  double sigma = 2.0 * d;
  if (2.0 * d / deltaThetaH > 0.5) {
    sigma = 3.0 * deltaThetaH * (std::sqrt(1.0 + 4.0 * d / (3.0 * deltaThetaH)) - 1.0);
  }
  return sigma;
}

CCSN_EN_1264::CCSN_EN_1264(FloorDesignState& state) : state_(state) {
  for (const CRoztece& record : state_.roztece) {
    if (!record.available) continue;
    for (double value : record.values) {
      if (std::find(seznamRozteci_.begin(), seznamRozteci_.end(), value) == seznamRozteci_.end()) {
        seznamRozteci_.push_back(value);
      }
    }
  }
  std::sort(seznamRozteci_.begin(), seznamRozteci_.end());
}

// ---- Interpolation and ranges ---------------------------------------------

double CCSN_EN_1264::Interpolace4(double x, const double xs[4], const double ys[4]) {
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) {
    double term = ys[i];
    for (int j = 0; j < 4; ++j) {
      if (j != i) term *= (x - xs[j]) / (xs[i] - xs[j]);
    }
    sum += term;
  }
  return sum;
}

int CCSN_EN_1264::OknoTabulky(double x, const double axis[], int n) {
  if (n < 5) return 0;
  for (int k = 0; k < n; ++k) {
    if (x <= axis[k]) return k != n - 1 ? std::max(k - 2, 0) : std::max(k - 3, 0);
  }
  return n - 4;
}

double CCSN_EN_1264::KontrolaMezi(double x, const double axis[], int n, std::string_view label) {
  const double low = axis[0];
  const double high = axis[n - 1];
  if (x >= low && x <= high) return x;
  if (state_.rangeMessages && state_.messenger != nullptr) {
    const char sep = state_.decimalSeparator;
    std::string text = " ";
    text.append(label);
    text += " = " + FormatDouble("%.3f", x, sep) + " is out define value <" +
            FormatDouble("%.3f", low, sep) + ";" + FormatDouble("%.3f", high, sep) + "> !";
    state_.messenger->Show(text, kRangeMessageCaption, Icon::None);
  }
  return x < low ? low : high;
}

// ---- Factors ----------------------------------------------------------------

double CCSN_EN_1264::SoucinitelAB(double R, double lambdaE) const {
  R = std::clamp(R, 0.0, 0.15);
  lambdaE = std::clamp(lambdaE, 0.6, 2.0);
  return (kSu0 / kLambdaU0 + kSurfaceResistance) / (kSu0 / lambdaE + R + kSurfaceResistance);
}

double CCSN_EN_1264::SoucinitelABSuchy(double lambdaE) const {
  return (kSu0 / kLambdaU0 + kSurfaceResistance) / (kSu0 / lambdaE + kSurfaceResistance);
}

double CCSN_EN_1264::SoucinitelAT(double R) {
  R = KontrolaMezi(R, kAtR, 4, kLabelR);
  return Lookup1(R, kAtR, kAt);
}

double CCSN_EN_1264::SoucinitelAU(double R, double T) {
  R = KontrolaMezi(R, kAtR, 4, kLabelR);
  T = KontrolaMezi(T, kAuT, 8, kLabelTAu);
  return Lookup2(T, kAuT, R, kAtR, kAu);
}

double CCSN_EN_1264::SoucinitelAD(double R, double T) {
  R = KontrolaMezi(R, kAtR, 4, kLabelR);
  T = KontrolaMezi(T, kAuT, 8, kLabelTAd);
  return Lookup2(T, kAuT, R, kAtR, kAd);
}

double CCSN_EN_1264::MezniBG(double su, double T) {
  su = KontrolaMezi(su, kSu, 5, kLabelSu);
  T = KontrolaMezi(T, kBgT, 8, kLabelT);
  return Lookup2(T, kBgT, su, kSu, kBg);
}

double CCSN_EN_1264::MezniNG(double su, double T) {
  su = KontrolaMezi(su, kSu, 5, kLabelSu);
  T = KontrolaMezi(T, kNgT, 10, kLabelT);
  return Lookup2(T, kNgT, su, kSu, kNg);
}

double CCSN_EN_1264::SoucinitelATB(double suOverLambdaE) {
  suOverLambdaE = KontrolaMezi(suOverLambdaE, kAtbX, 8, kLabelAtb);
  return Lookup1(suOverLambdaE, kAtbX, kAtb);
}

double CCSN_EN_1264::SoucinitelBU(double T) {
  T = KontrolaMezi(T, kBT, 9, kLabelT);
  return Lookup1(T, kBT, kBu);
}

double CCSN_EN_1264::SoucinitelAK(double T) {
  T = KontrolaMezi(T, kBT, 9, kLabelT);
  return Lookup1(T, kBT, kAk);
}

double CCSN_EN_1264::MezniBGB(double T, double KWL) {
  KWL = KontrolaMezi(KWL, kKwl, 15, kLabelKwl);
  T = KontrolaMezi(T, kBT, 9, kLabelT);
  return Lookup2(KWL, kKwl, T, kBT, kBgb);
}

double CCSN_EN_1264::MezniNGB(double T, double KWL) {
  KWL = KontrolaMezi(KWL, kKwl, 15, kLabelKwl);
  T = KontrolaMezi(T, kBT, 9, kLabelT);
  return Lookup2(KWL, kKwl, T, kBT, kNgb);
}

double CCSN_EN_1264::SoucinitelAWL(double T, double KWL, double D) {
  D = KontrolaMezi(D, kAwlLowD, 5, kLabelD);
  T = KontrolaMezi(T, kBT, 9, kLabelT);
  return AwlClamped(T, KWL, D);
}

double CCSN_EN_1264::AwlClamped(double T, double KWL, double D) const {
  if (KWL > 1.0) {
    // Between the row at KWL = 0 and the row for an infinite KWL.
    const double aInf = Lookup1(T, kBT, kAwlInf);
    const double a0 = AwlClamped(T, 0.0, D);
    return aInf - (aInf - a0) * std::pow((aInf - 1.0) / (aInf - a0), KWL);
  }
  if (KWL >= 0.5) return Lookup2(T, kBT, KWL, kAwlMidKwl, kAwlMid);
  // By D in every (KWL, T) row, then by T for each KWL, then by KWL.
  const int w = OknoTabulky(KWL, kAwlLowKwl, 6);
  double blocks[4];
  for (int i = 0; i < 4; ++i) blocks[i] = Lookup2(T, kBT, D, kAwlLowD, kAwlLow[w + i]);
  return Interpolace4(KWL, kAwlLowKwl + w, blocks);
}

double CCSN_EN_1264::OdporVrstvy(double lambda, double dOut, double dIn) {
  return std::log(dOut / dIn) / (2.0 * lambda);
}

double CCSN_EN_1264::SoucinitelB(double B0, double X, const CTopnaTrubka& pipe) {
  const double r1 = OdporVrstvy(pipe.lambdaR, pipe.D, pipe.D - 2.0 * pipe.sR);
  // A sheath counts from 0.6 mm on.
  const double dx = pipe.Do - pipe.D >= 0.0006 ? pipe.Do : pipe.D;
  const double r2 = dx == pipe.D ? 0.0 : OdporVrstvy(pipe.lambdaO, dx, pipe.D);
  // The reference pipe of the B0 values: 2 mm wall of conductivity 0.35.
  const double r0 = OdporVrstvy(0.35, dx, dx - 0.004);
  return 1.0 / (1.0 / B0 + (r1 + r2 - r0) * X * kPipeFactor);
}

// ---- Evaluation of the spacings ---------------------------------------------

CCSN_EN_1264::Start CCSN_EN_1264::StartQuantities(const CMistPodlahVytap& room,
                                                  CTopnyOkruh& circuit) const {
  Start s;
  const double ti = room.thetai;
  s.sigma = circuit.thetaV - circuit.thetaR;
  const double over = circuit.thetaV - ti;
  const double under = circuit.thetaR - ti;
  if (over > 0.0 && under > 0.0) {
    // Logarithmic mean; for equal supply and return its limit, the excess itself.
    s.deltaThetaH = s.sigma == 0.0 ? over : s.sigma / std::log(over / under);
  }
  circuit.SetMaxFloorTemperature(ti);
  const double rise = circuit.thetaFMax - ti;
  s.phi = rise > 0.0 ? std::pow(rise / 9.0, 1.1) : 0.0;
  s.qGMax = MezniTok(ti, circuit.thetaFMax);
  return s;
}

namespace {

// The limit curve of a floor with the equivalent coefficient KH: where it
// meets the basic characteristic curve. (BG/KH)^(1/(1-nG)) is DeltathetaH,G/phi.
void LimitPoint(double phi, double BG, double nG, double KH, CCSN_EN_1264::SpacingValues& v) {
  const double ratio = std::pow(BG / KH, 1.0 / (1.0 - nG));
  v.KH = KH;
  v.dTHG = phi * ratio;
  v.qG = phi * BG * std::pow(ratio, nG);
}

double ExperimentalCoefficient(const CMistPodlahVytap& room) {
  return room.k > 0.0 ? room.k : 1.0;
}

}  // namespace

CCSN_EN_1264::SpacingValues CCSN_EN_1264::EvaluateAC(const CMistPodlahVytap& room,
                                                     const CTopnyOkruh& circuit, double T,
                                                     const Start& start) {
  // The tables end at 0.375 m; wider spacings are scaled down below.
  const double te = T > 0.375 ? 0.375 : T;
  const double su = room.su * 0.001;
  const double BG = MezniBG(su, te);
  const double nG = MezniNG(su, te);
  const double mT = 1.0 - te / 0.075;
  const double mU = 100.0 * (0.045 - su);
  const double mD = 250.0 * (circuit.pipe.D - 0.020);
  const double P = SoucinitelAB(room.R, room.lambdaE) * std::pow(SoucinitelAT(room.R), mT) *
                   std::pow(SoucinitelAU(room.R, te), mU) * std::pow(SoucinitelAD(room.R, te), mD) *
                   ExperimentalCoefficient(room);
  const double B = SoucinitelB(6.7, T * P, circuit.pipe);
  SpacingValues v;
  v.T = T;
  LimitPoint(start.phi, BG, nG, B * P, v);
  if (T > 0.375) v.qG = v.qG * 0.375 / T;
  v.qG = std::min(v.qG, start.qGMax);
  return v;
}

CCSN_EN_1264::SpacingValues CCSN_EN_1264::EvaluateB(const CMistPodlahVytap& room,
                                                    const CTopnyOkruh& circuit, double T,
                                                    const Start& start) {
  const double su = room.su * 0.001;
  const double bu = SoucinitelBU(T);
  // KWL = (b_u.s_u.lambda_E + s_WL.lambda_WL) / 0.125 m, heights in mm.
  const double KWL =
      8.0 * 0.001 *
      (bu * room.su * room.lambdaE + room.lamellaThickness * room.lamellaConductivity);
  const double KWL0 = 8.0 * 0.001 * bu * room.su * room.lambdaE;
  const double BG = MezniBGB(T, KWL);
  const double nG = MezniNGB(T, KWL);
  const double a1 = SoucinitelAWL(T, KWL, circuit.pipe.D);
  const double a0 = SoucinitelAWL(T, KWL0, circuit.pipe.D);
  const double x = room.lamellaProportion * kLamellaProportionScale;
  const double aWL = a1 - (a1 - a0) * (1.0 - 3.2 * x + 3.4 * x * x - 1.2 * x * x * x);
  const double mT = 1.0 - T / 0.075;
  const double P = SoucinitelABSuchy(room.lambdaE) *
                   std::pow(SoucinitelATB(su / room.lambdaE), mT) * aWL * SoucinitelAK(T);
  const double P1 =
      P * ExperimentalCoefficient(room) / (1.0 + 6.5 * P * room.R * (1.0 + 0.44 * std::sqrt(T)));
  const double B = SoucinitelB(6.5, T * P1, circuit.pipe);
  SpacingValues v;
  v.T = T;
  LimitPoint(start.phi, BG, nG, B * P1, v);
  v.qG = std::min(v.qG, start.qGMax);
  return v;
}

CCSN_EN_1264::SpacingValues CCSN_EN_1264::Evaluate5(const CMistPodlahVytap& room,
                                                    const CTopnyOkruh& circuit, double T,
                                                    const Start& start) {
  const double P = 1.06 * SoucinitelABSuchy(room.lambdaE);
  const double P1 = P * ExperimentalCoefficient(room) / (1.0 + 6.5 * P * room.R);
  const double B = SoucinitelB(6.5, T * P1, circuit.pipe);
  SpacingValues v;
  v.T = T;
  v.KH = B * P1;
  v.qG = 100.0 * start.phi;  // constant limit curve BG = 100, nG = 0; no cap
  v.dTHG = start.phi * 100.0 / v.KH;
  return v;
}

CCSN_EN_1264::SpacingValues CCSN_EN_1264::Evaluate(const CMistPodlahVytap& room,
                                                   const CTopnyOkruh& circuit, double T,
                                                   const Start& start) {
  switch (room.systemType) {
    case kSystemTypeB:
      return EvaluateB(room, circuit, T, start);
    case kSystemType5:
      return Evaluate5(room, circuit, T, start);
    default:
      return EvaluateAC(room, circuit, T, start);
  }
}

std::vector<CCSN_EN_1264::SpacingValues> CCSN_EN_1264::LimitCurves(CMistPodlahVytap& room) {
  std::vector<SpacingValues> curves;
  CTopnyOkruh* circuit = room.CurrentCircuit();
  if (circuit == nullptr) return curves;
  const Start start = StartQuantities(room, *circuit);
  if (room.systemType == kSystemTypeS) return curves;  // the dry system has its own procedure
  curves.reserve(seznamRozteci_.size());
  for (double T : seznamRozteci_) curves.push_back(Evaluate(room, *circuit, T, start));
  return curves;
}

// ---- The choices ------------------------------------------------------------

double CCSN_EN_1264::NavrhKritickehoOkruhu(CMistPodlahVytap& room, int collect,
                                           std::vector<double>& qG, std::vector<double>& dTHG,
                                           std::vector<double>& T, double& deltaThetaV,
                                           int setDesign) {
  qG.clear();
  dTHG.clear();
  T.clear();
  CTopnyOkruh* circuit = room.CurrentCircuit();
  if (circuit == nullptr) return 0.0;
  const Start start = StartQuantities(room, *circuit);
  if (room.systemType != kSystemTypeS) {
    for (double t : seznamRozteci_) {
      const SpacingValues v = Evaluate(room, *circuit, t, start);
      qG.push_back(v.qG);
      dTHG.push_back(v.dTHG);
      T.push_back(v.T);
    }
  }
  const std::size_t n = qG.size();
  CTopnyOkruh& c = *circuit;

  if (!state_.rezimUzivatele) {
    if (n == 0) return 0.0;
    if (collect == 0) return -qG[0];
    // The largest spacing that still delivers the circuit's heat flux.
    std::size_t chosen = n;
    for (std::size_t i = n; i-- > 0;) {
      if (qG[i] >= c.q) {
        chosen = i;
        break;
      }
    }
    if (chosen == n) return -qG[0];
    double dTH = qG[chosen] > 0.0 ? dTHG[chosen] * c.q / qG[chosen] : 0.0;
    if (dTH > dTHG[n - 1]) dTH = dTHG[n - 1];
    deltaThetaV = DesignSupplyExcess(dTH, start.sigma);
    c.deltaThetaH = dTH;
    c.sigma = start.sigma;
    c.SetTemperaturesFromDrop(room.thetai, setDesign != 0 ? &state_.navrhovaTeplota : nullptr);
    return T[chosen];
  }

  // User temperatures: the spacing whose heat flux at the circuit's own
  // DeltathetaH comes closest to the circuit's heat.
  if (collect == 0 || n == 0) return 0.0;
  const double area = c.AR + c.AA;
  std::size_t best = n;
  double bestQ = 0.0;
  double bestNotCovered = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    if (!(dTHG[i] >= start.deltaThetaH || i == n - 1)) continue;
    const double q = dTHG[i] > 0.0 ? qG[i] * start.deltaThetaH / dTHG[i] : 0.0;
    const double notCovered = c.Phi - area * q;
    c.q = q;
    c.notCovered = notCovered;
    if (best == n || std::fabs(notCovered) < std::fabs(bestNotCovered)) {
      best = i;
      bestQ = q;
      bestNotCovered = notCovered;
    }
  }
  c.q = bestQ;
  c.deltaThetaH = start.deltaThetaH;
  c.sigma = start.sigma;
  c.notCovered = bestNotCovered;
  deltaThetaV = DesignSupplyExcess(start.deltaThetaH, start.sigma);
  return T[best];
}

double CCSN_EN_1264::NavrhDalsihoOkruhu(CMistPodlahVytap& room, double deltaThetaVDes,
                                        std::vector<double>& qG, std::vector<double>& dTHG,
                                        std::vector<double>& T, std::vector<double>& sigma) {
  qG.clear();
  dTHG.clear();
  T.clear();
  sigma.clear();
  CTopnyOkruh* circuit = room.CurrentCircuit();
  if (circuit == nullptr) return 0.0;
  CTopnyOkruh& c = *circuit;
  const Start start = StartQuantities(room, c);
  if (room.systemType == kSystemTypeS || seznamRozteci_.empty()) return 0.0;

  const NavrhovaTeplota& design = state_.navrhovaTeplota;
  const double area = c.AR + c.AA;
  const bool byUser = state_.rezimUzivatele;
  SpacingValues first;
  bool haveFirst = false;
  std::vector<double> entryDTH;  // DeltathetaH and q of every entry, for the user mode
  std::vector<double> entryQ;
  double accepted = 0.0;

  for (double t : seznamRozteci_) {
    const SpacingValues v = Evaluate(room, c, t, start);
    if (!haveFirst) {
      first = v;
      haveFirst = true;
    }
    double q = c.q;
    if (c.marginalZone) {
      // The marginal area runs at the densest spacing, the rest at this one.
      const double S = std::fabs(first.qG) * c.AR + std::fabs(v.qG) * c.AA;
      if (S < c.Phi) continue;
      q = c.Phi * v.qG / S;
      c.q = q;
    }
    const double dTH = v.qG > 0.0 ? v.dTHG * q / v.qG : 0.0;
    const double s = SigmaAtExcess(deltaThetaVDes, dTH);
    if (q > v.qG) continue;
    qG.push_back(v.qG);
    dTHG.push_back(v.dTHG);
    T.push_back(v.T);
    sigma.push_back(s);
    entryDTH.push_back(dTH);
    entryQ.push_back(q);
    if (!byUser && s >= 0.0 && s >= design.tV - design.tR) {
      c.deltaThetaH = dTH;
      c.T = t;
      c.SetTemperaturesFromSigma(s, design);
      c.notCovered = c.Phi - area * q;
      accepted = t;
    }
  }

  if (!byUser) return accepted > 0.0 ? accepted : -first.qG;

  // User temperatures: the largest spacing whose sigma reaches the minimal sigma.
  for (std::size_t i = sigma.size(); i-- > 0;) {
    if (sigma[i] >= state_.minimalSigma) {
      c.deltaThetaH = entryDTH[i];
      c.T = T[i];
      c.q = entryQ[i];
      c.SetTemperaturesFromSigma(sigma[i], design);
      c.notCovered = c.Phi - area * entryQ[i];
      return T[i];
    }
  }
  // None does: find the DeltathetaH at which the circuit's own sigma holds,
  // stepping down from DeltathetaV,des by 0.1 K.
  const double preset = start.sigma;
  double dTH = deltaThetaVDes;
  double previous = -HUGE_VAL;
  bool found = false;
  while (dTH > 0.0) {
    const double s = SigmaAtExcess(deltaThetaVDes, dTH);
    if (std::fabs(s - preset) <= 0.1) {
      found = true;
      break;
    }
    if (s <= previous) break;
    previous = s;
    dTH -= 0.1;
  }
  if (!found) {
    c.deltaThetaH = -1.0;
    c.sigma = -1.0;
    c.q = 0.0;
    c.T = 0.0;
    c.notCovered = c.Phi;
    return 0.0;
  }
  // At the densest spacing, on its limit curve.
  const double q = first.dTHG > 0.0 ? first.qG * dTH / first.dTHG : 0.0;
  c.q = q;
  c.deltaThetaH = dTH;
  c.T = first.T;
  c.SetTemperaturesFromSigma(preset, design);
  c.notCovered = c.Phi - area * q;
  return first.T;
}

double CCSN_EN_1264::PrutokOkruhu(CMistPodlahVytap& room) {
  CTopnyOkruh* circuit = room.CurrentCircuit();
  if (circuit == nullptr) return 0.0;
  CTopnyOkruh& c = *circuit;
  if (c.sigma == 0.0) {
    c.mH = 0.0;
    return 0.0;
  }
  const double ru = room.ResistanceBelow();
  const double ro = kSurfaceResistance + room.R + room.su * 0.001 / room.lambdaE;
  // Heat up (the circuit's output) plus what goes down through the ceiling.
  double factor = 1.0;
  if (ru > 0.0) factor += ro / ru;
  if (c.q * ru != 0.0) factor += (room.thetai - c.thetaU) / (c.q * ru);
  c.mH = (c.AR + c.AA) * c.q / c.sigma * kInverseHeatCapacityWater * factor;
  return c.mH;
}

}  // namespace kvem
