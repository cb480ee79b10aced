// The EN 1264 thermal model of a floor-heating circuit: for every available
// pipe spacing the limit heat flux qG and the limit heating-medium temperature
// difference DeltathetaH,G (EN 1264-2), the choice of the spacing, the design
// supply temperature excess of the critical circuit or the temperature drop
// sigma of every other circuit (EN 1264-3), and the design flow.
//
// The object lives for one design run. It reads the spacing records and the
// design temperatures from the design state it is given and writes its
// results into the room's current circuit.
#pragma once

#include <string_view>
#include <vector>

#include "floor/floor_records.h"

namespace kvem {

// The lamella proportion L/T of a type B room enters the lamella blend
// multiplied by this factor. The room stores the proportion as a plain
// number (0.8 by default), so the blend sees 0.0008: the lamella term is then
// practically a0, the floor without lamellae. See docs/floor.md.
inline constexpr double kLamellaProportionScale = 0.001;

// Caption of the range message.
inline constexpr std::string_view kRangeMessageCaption = "KontrolaMezi";

class CCSN_EN_1264 {
 public:
  static constexpr double kLambdaU0 = 1.0;  // reference conductivity [W/(m.K)]
  static constexpr double kSu0 = 0.045;     // reference layer height [m]

  // The values of one evaluated spacing.
  struct SpacingValues {
    double T = 0.0;     // spacing [m]
    double qG = 0.0;    // limit heat flux [W/m2]
    double dTHG = 0.0;  // limit heating medium temperature difference [K]
    double KH = 0.0;    // equivalent heat transmission coefficient [W/(m2.K)]
  };

  // Builds the spacing list from the available spacing records of `state`.
  // The state must outlive the object.
  explicit CCSN_EN_1264(FloorDesignState& state);

  // Distinct spacings of the available records, ascending [m].
  const std::vector<double>& SeznamRozteci() const { return seznamRozteci_; }

  // Chooses the spacing of the critical circuit (the room's current circuit).
  // Fills qG, dTHG and T with one entry per evaluated spacing. Returns the
  // spacing (> 0), 0 when no spacing could be evaluated, or -qG[0] when no
  // spacing delivers the circuit's heat flux. `deltaThetaV` receives the
  // design supply temperature excess; `setDesign` != 0 makes the circuit's
  // temperatures the design temperatures.
  double NavrhKritickehoOkruhu(CMistPodlahVytap& room, int collect, std::vector<double>& qG,
                               std::vector<double>& dTHG, std::vector<double>& T,
                               double& deltaThetaV, int setDesign);

  // Designs a further circuit at the design supply temperature excess of the
  // critical circuit. Returns the accepted (largest passing) spacing, -qG of
  // the first spacing when none passes, or 0 when the circuit cannot be
  // designed at all.
  double NavrhDalsihoOkruhu(CMistPodlahVytap& room, double deltaThetaVDes, std::vector<double>& qG,
                            std::vector<double>& dTHG, std::vector<double>& T,
                            std::vector<double>& sigma);

  // Design flow of the current circuit [kg/s], also stored in it; 0 when the
  // room has no current circuit.
  double PrutokOkruhu(CMistPodlahVytap& room);

  // Evaluates every spacing for the room's current circuit (setting its
  // thetaF,max on the way). Empty for the dry system or without a circuit.
  std::vector<SpacingValues> LimitCurves(CMistPodlahVytap& room);

  // Covering factors (no range messages; AB clamps R and lambdaE itself).
  double SoucinitelAB(double R, double lambdaE) const;
  double SoucinitelABSuchy(double lambdaE) const;
  // Types A and C.
  double SoucinitelAT(double R);
  double SoucinitelAU(double R, double T);
  double SoucinitelAD(double R, double T);
  double MezniBG(double su, double T);
  double MezniNG(double su, double T);
  // Type B.
  double SoucinitelATB(double suOverLambdaE);
  double SoucinitelBU(double T);
  double SoucinitelAK(double T);
  double MezniBGB(double T, double KWL);
  double MezniNGB(double T, double KWL);
  double SoucinitelAWL(double T, double KWL, double D);
  // Limit heat flux of the floor [W/m2].
  static double MezniTok(double thetai, double thetaFMax) {
    return kvem::MezniTok(thetai, thetaFMax);
  }
  // Pipe coefficient B [W/(m2.K)] for the reference value B0.
  static double SoucinitelB(double B0, double X, const CTopnaTrubka& pipe);
  // Conduction resistance of a cylindrical layer (without the 1/pi).
  static double OdporVrstvy(double lambda, double dOut, double dIn);

  // `x` clamped to [axis[0], axis[n-1]]; outside it the range message is shown
  // first (when the design state enables it).
  double KontrolaMezi(double x, const double axis[], int n, std::string_view label);

  // Cubic Lagrange polynomial through the four points, at x.
  static double Interpolace4(double x, const double xs[4], const double ys[4]);
  // First index of the four axis points to interpolate x between.
  static int OknoTabulky(double x, const double axis[], int n);

 private:
  struct Start {
    double sigma = 0.0;
    double deltaThetaH = 0.0;
    double phi = 0.0;
    double qGMax = 0.0;
  };
  Start StartQuantities(const CMistPodlahVytap& room, CTopnyOkruh& circuit) const;
  SpacingValues Evaluate(const CMistPodlahVytap& room, const CTopnyOkruh& circuit, double T,
                         const Start& start);
  SpacingValues EvaluateAC(const CMistPodlahVytap& room, const CTopnyOkruh& circuit, double T,
                           const Start& start);
  SpacingValues EvaluateB(const CMistPodlahVytap& room, const CTopnyOkruh& circuit, double T,
                          const Start& start);
  SpacingValues Evaluate5(const CMistPodlahVytap& room, const CTopnyOkruh& circuit, double T,
                          const Start& start);
  double AwlClamped(double T, double KWL, double D) const;

  FloorDesignState& state_;
  std::vector<double> seznamRozteci_;
};

// DeltathetaV from DeltathetaH and sigma (with the sigma^2 term above a ratio of 0.5).
double DesignSupplyExcess(double deltaThetaH, double sigma);
// sigma of a circuit at DeltathetaH for the design supply excess DeltathetaV,des.
double SigmaAtExcess(double deltaThetaVDes, double deltaThetaH);

}  // namespace kvem
