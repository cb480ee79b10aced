// The evaluation of the spacings by system type, the two spacing choices, the
// design flow and the thermal relations of a circuit.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "floor/csn_en_1264.h"

namespace kvem {
namespace {

// A room of the given type with one circuit on the reference pipe (20 x 2 mm,
// conductivity 0.35: B equals B0, and the diameter exponent is 0).
CMistPodlahVytap Room(int type, double R, double su, double lambdaE) {
  CMistPodlahVytap room;
  room.systemType = type;
  room.thetai = 20.0;
  room.ApplyDefaults();
  room.R = R;
  room.su = su;
  room.lambdaE = lambdaE;
  CTopnyOkruh c;
  c.name = "K1";
  c.pipe = {"PE-X 20x2", 0.020, 0.020, 0.002, 0.35, 0.35};
  c.thetaV = 37.5;
  c.thetaR = 32.5;
  c.AA = 10.0;
  c.A = 10.0;
  room.circuits.push_back(c);
  return room;
}

class FloorModel : public ::testing::Test {
 protected:
  FloorModel() {
    state_.messenger = &messenger_;
    state_.rangeMessages = true;
  }
  void Spacings(std::vector<double> values) {
    state_.roztece = {CRoztece{0, 0, 0, std::move(values), true}};
  }
  std::vector<CCSN_EN_1264::SpacingValues> Curves(CMistPodlahVytap& room) {
    CCSN_EN_1264 model(state_);
    return model.LimitCurves(room);
  }

  FloorDesignState state_;
  RecordingMessenger messenger_;
};

// ---- Types A and C ----------------------------------------------------------

TEST_F(FloorModel, TypeAAtTableNodes) {
  Spacings({0.15});
  CMistPodlahVytap room = Room(kSystemTypeA, 0.0, 45.0, 1.0);
  const auto v = Curves(room);
  ASSERT_EQ(v.size(), 1u);
  // K_H = 6.7 / 1.23, BG 76.3, nG 0.076, phi 1.
  EXPECT_NEAR(v[0].KH, 5.4471544715447155, 1e-12);
  EXPECT_NEAR(v[0].dTHG, 17.40378756228297, 1e-9);
  EXPECT_NEAR(v[0].qG, 94.80111924170399, 1e-9);
  EXPECT_EQ(room.circuits[0].thetaFMax, 29.0);

  CMistPodlahVytap typeC = Room(kSystemTypeC, 0.0, 45.0, 1.0);
  const auto c = Curves(typeC);
  EXPECT_EQ(c[0].qG, v[0].qG);
  EXPECT_EQ(c[0].dTHG, v[0].dTHG);
}

TEST_F(FloorModel, TypeAWideSpacingIsEvaluatedAt0375AndScaled) {
  Spacings({0.375, 0.45});
  CMistPodlahVytap room = Room(kSystemTypeA, 0.0, 45.0, 1.0);
  const auto v = Curves(room);
  ASSERT_EQ(v.size(), 2u);
  // mT = -4: K_H = 6.7 / 1.23^4; BG 18.2, nG 0.405.
  EXPECT_NEAR(v[0].KH, 2.9272132138109366, 1e-12);
  EXPECT_NEAR(v[0].qG, 63.1341725883182, 1e-9);
  EXPECT_EQ(v[1].dTHG, v[0].dTHG);
  EXPECT_NEAR(v[1].qG, 52.61181049026517, 1e-9);  // x 0.375/0.45
  EXPECT_TRUE(messenger_.messages().empty());     // the tables only ever see 0.375
}

TEST_F(FloorModel, LimitHeatFluxIsCappedAt100Or175) {
  EXPECT_EQ(MezniTok(20.0, 29.0), 100.0);
  EXPECT_EQ(MezniTok(20.0, 29.5), 175.0);
  Spacings({0.05});
  CMistPodlahVytap plain = Room(kSystemTypeA, 0.0, 45.0, 1.0);
  EXPECT_NEAR(Curves(plain)[0].qG, 100.0, 1e-12);  // BG 100, nG 0, phi 1
  CMistPodlahVytap marginal = Room(kSystemTypeA, 0.0, 45.0, 1.0);
  marginal.circuits[0].AR = 2.0;  // floor up to 35 °C: phi = (15/9)^1.1 gives 175.3
  EXPECT_EQ(Curves(marginal)[0].qG, 175.0);
}

TEST_F(FloorModel, CoveringAbove015CountsAs015AndIsReportedByEveryLookup) {
  Spacings({0.1, 0.2});
  CMistPodlahVytap high = Room(kSystemTypeA, 0.2, 42.0, 1.2);
  CMistPodlahVytap limit = Room(kSystemTypeA, 0.15, 42.0, 1.2);
  const auto a = Curves(high);
  ASSERT_EQ(messenger_.messages().size(), 6u);  // aT, aU, aD for each spacing
  for (const auto& m : messenger_.messages()) {
    EXPECT_EQ(m.text, " Heat Resistance Top Layer = 0.200 is out define value <0.000;0.150> !");
  }
  const auto b = Curves(limit);
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].qG, b[i].qG);
    EXPECT_EQ(a[i].dTHG, b[i].dTHG);
  }
}

// ---- Types B, 5 and S -----------------------------------------------------------

TEST_F(FloorModel, TypeBAtTableNodes) {
  Spacings({0.15});
  const double lambdaE = std::sqrt(2.5);  // su/lambdaE = 0.05 and KWL = 0.7, both nodes
  CMistPodlahVytap room = Room(kSystemTypeB, 0.0, 50.0 * lambdaE, lambdaE);
  room.lamellaThickness = 0.0;
  const auto v = Curves(room);
  ASSERT_EQ(v.size(), 1u);
  EXPECT_NEAR(v[0].KH, 6.175933529272406, 1e-9);
  EXPECT_NEAR(v[0].dTHG, 14.319505836037774, 1e-8);
  EXPECT_NEAR(v[0].qG, 88.43631621539758, 1e-8);
}

TEST_F(FloorModel, TypeBLamellaProportionEntersScaledBy0001) {
  Spacings({0.15});
  auto KH = [&](double proportion) {
    CMistPodlahVytap room = Room(kSystemTypeB, 0.01, 3.0, 0.15);
    room.lamellaThickness = 0.5;
    room.lamellaConductivity = 200.0;  // aluminium
    room.lamellaProportion = proportion;
    return Curves(room)[0].KH;
  };
  const double none = KH(0.0);
  const double asStored = KH(0.8);
  const double full = KH(800.0);  // the blend then sees 0.8
  EXPECT_GT(asStored, none);
  EXPECT_LT(asStored - none, 0.01 * none);
  EXPECT_GT(full - none, 10.0 * (asStored - none));
}

TEST_F(FloorModel, Type5HasAConstantLimitCurveWithoutCap) {
  Spacings({0.1, 0.3});
  CMistPodlahVytap room = Room(kSystemType5, 0.05, 20.0, 1.0);
  room.circuits[0].AR = 1.0;
  const auto v = Curves(room);
  const double phi = std::pow(15.0 / 9.0, 1.1);
  const double P = 1.06 / (1.0 + 6.5 * 1.06 * 0.05);
  for (const auto& s : v) {
    EXPECT_NEAR(s.qG, 100.0 * phi, 1e-12);  // 175.3, above the 175 cap
    EXPECT_NEAR(s.KH, 6.5 * P, 1e-9);
    EXPECT_NEAR(s.dTHG, phi * 100.0 / s.KH, 1e-12);
  }
}

TEST_F(FloorModel, DrySystemEvaluatesNoSpacing) {
  Spacings({0.1, 0.2});
  CMistPodlahVytap room = Room(kSystemTypeS, 0.01, 20.0, 0.15);
  room.circuits[0].q = 50.0;
  CCSN_EN_1264 model(state_);
  std::vector<double> qG{1}, dTHG{1}, T{1};
  double dTV = 0.0;
  EXPECT_EQ(model.NavrhKritickehoOkruhu(room, 1, qG, dTHG, T, dTV, 1), 0.0);
  EXPECT_TRUE(qG.empty() && dTHG.empty() && T.empty());
}

// ---- The spacing list -----------------------------------------------------------

TEST(FloorSpacingList, DistinctAvailableValuesAscending) {
  FloorDesignState state;
  state.roztece = {CRoztece{0, 0, 0, {0.15, 0.1}, true}, CRoztece{0, 0, 0, {0.2, 0.15}, true},
                   CRoztece{0, 0, 0, {0.05}, false}};
  EXPECT_EQ(CCSN_EN_1264(state).SeznamRozteci(), (std::vector<double>{0.1, 0.15, 0.2}));
  state.roztece.clear();
  EXPECT_TRUE(CCSN_EN_1264(state).SeznamRozteci().empty());
  state.roztece = DefaultSpacingRecords();
  ASSERT_EQ(state.roztece.size(), 2u);
  EXPECT_EQ(state.roztece[1].values, (std::vector<double>{0.063, 0.126, 0.189, 0.252}));
  EXPECT_EQ(CCSN_EN_1264(state).SeznamRozteci(), (std::vector<double>{0.075, 0.15, 0.225, 0.3}));
}

// ---- Choice for the critical circuit ----------------------------------------------

class FloorCritical : public FloorModel {
 protected:
  FloorCritical() {
    state_.roztece = DefaultSpacingRecords();
    curves_ = Curves(room_);
  }
  double Design(int collect = 1, int setDesign = 1) {
    CCSN_EN_1264 model(state_);
    return model.NavrhKritickehoOkruhu(room_, collect, qG_, dTHG_, T_, dTV_, setDesign);
  }
  CMistPodlahVytap room_ = Room(kSystemTypeA, 0.01, 42.0, 1.2);
  std::vector<CCSN_EN_1264::SpacingValues> curves_;
  std::vector<double> qG_, dTHG_, T_;
  double dTV_ = 0.0;
};

TEST_F(FloorCritical, LargestSpacingThatDelivers) {
  ASSERT_EQ(curves_.size(), 4u);
  room_.circuits[0].q = curves_[3].qG;  // exactly what the largest spacing gives
  EXPECT_EQ(Design(), 0.3);
  EXPECT_EQ(qG_.size(), 4u);
  EXPECT_NEAR(room_.circuits[0].deltaThetaH, curves_[3].dTHG, 1e-12);

  room_.circuits[0].q = 0.5 * (curves_[1].qG + curves_[2].qG);
  EXPECT_EQ(Design(), 0.15);
  const CTopnyOkruh& c = room_.circuits[0];
  EXPECT_NEAR(c.deltaThetaH, curves_[1].dTHG * c.q / curves_[1].qG, 1e-12);
  EXPECT_EQ(c.sigma, 5.0);
  EXPECT_EQ(dTV_, DesignSupplyExcess(c.deltaThetaH, 5.0));
  // The supply and return that give this DeltathetaH at sigma 5 became the design temperatures.
  EXPECT_NEAR(c.thetaV - c.thetaR, 5.0, 1e-12);
  EXPECT_NEAR(5.0 / std::log((c.thetaV - 20.0) / (c.thetaR - 20.0)), c.deltaThetaH, 1e-9);
  EXPECT_EQ(state_.navrhovaTeplota.tV, c.thetaV);
  EXPECT_EQ(state_.navrhovaTeplota.tR, c.thetaR);
}

TEST_F(FloorCritical, NoSpacingDeliversGivesMinusFirstLimit) {
  room_.circuits[0].q = curves_[0].qG + 1.0;
  EXPECT_EQ(Design(), -curves_[0].qG);
  EXPECT_EQ(room_.circuits[0].deltaThetaH, -1.0);  // not designed
  room_.circuits[0].q = 10.0;
  EXPECT_EQ(Design(0), -curves_[0].qG);  // only collecting
  state_.roztece.clear();
  EXPECT_EQ(Design(), 0.0);
}

TEST(FloorSupplyExcess, Sigma2TermOnlyAboveHalf) {
  EXPECT_EQ(DesignSupplyExcess(10.0, 5.0), 12.5);
  EXPECT_DOUBLE_EQ(DesignSupplyExcess(8.0, 5.0), 8.0 + 2.5 + 25.0 / 96.0);
  // sigma at a DeltathetaH is the inverse of the excess, on both branches.
  for (double dTH : {4.0, 9.0, 15.0}) {
    EXPECT_NEAR(DesignSupplyExcess(dTH, SigmaAtExcess(dTH + 1.0, dTH)), dTH + 1.0, 1e-12);
    EXPECT_NEAR(DesignSupplyExcess(dTH, SigmaAtExcess(dTH + 6.0, dTH)), dTH + 6.0, 1e-12);
  }
  EXPECT_EQ(SigmaAtExcess(10.0, 0.0), 0.0);
}

TEST_F(FloorCritical, UserTemperaturesTakeTheClosestOutputAndKeepTheTemperatures) {
  state_.rezimUzivatele = true;
  CTopnyOkruh& c = room_.circuits[0];
  c.thetaV = 30.0;
  c.thetaR = 25.0;
  const double dTH = 5.0 / std::log(2.0);
  ASSERT_GE(curves_[1].dTHG, dTH);
  c.Phi = c.A * curves_[1].qG * dTH / curves_[1].dTHG;  // what 0.15 m gives at these temperatures
  EXPECT_EQ(Design(), 0.15);
  EXPECT_NEAR(c.notCovered, 0.0, 1e-9);
  EXPECT_NEAR(c.q, c.Phi / c.A, 1e-12);
  EXPECT_NEAR(c.deltaThetaH, dTH, 1e-12);
  EXPECT_EQ(c.thetaV, 30.0);
  EXPECT_EQ(c.thetaR, 25.0);
  EXPECT_NEAR(dTV_, DesignSupplyExcess(dTH, 5.0), 1e-12);
  EXPECT_EQ(Design(0), 0.0);
}

// ---- Choice for every other circuit -------------------------------------------------

class FloorFurther : public FloorCritical {
 protected:
  double DesignFurther(double dTVDes) {
    CCSN_EN_1264 model(state_);
    return model.NavrhDalsihoOkruhu(room_, dTVDes, qG_, dTHG_, T_, sigma_);
  }
  std::vector<double> sigma_;
};

TEST_F(FloorFurther, LargestSpacingWithEnoughDrop) {
  CTopnyOkruh& c = room_.circuits[0];
  c.q = 0.6 * curves_[3].qG;
  c.Phi = c.q * c.A;
  const double dTVDes = DesignSupplyExcess(curves_[0].dTHG, 5.0);
  const double T = DesignFurther(dTVDes);
  ASSERT_GT(T, 0.0);
  ASSERT_EQ(sigma_.size(), T_.size());
  std::size_t i = 0;
  while (T_[i] != T) ++i;
  for (std::size_t j = i + 1; j < T_.size(); ++j) EXPECT_LT(sigma_[j], 5.0);
  EXPECT_GE(c.sigma, 5.0);
  EXPECT_EQ(c.T, T);
  EXPECT_EQ(c.thetaV, 37.5);
  EXPECT_EQ(c.thetaR, 37.5 - c.sigma);
  EXPECT_NEAR(DesignSupplyExcess(c.deltaThetaH, c.sigma), dTVDes, 1e-9);
  EXPECT_NEAR(c.notCovered, 0.0, 1e-9);
}

TEST_F(FloorFurther, NoneAcceptedGivesMinusFirstLimit) {
  room_.circuits[0].q = 20.0;
  EXPECT_EQ(DesignFurther(1.0), -curves_[0].qG);  // no supply excess leaves room for sigma 5
  EXPECT_EQ(room_.circuits[0].T, 0.0);
}

TEST_F(FloorFurther, MarginalZoneRunsAtTheDensestSpacing) {
  CTopnyOkruh& c = room_.circuits[0];
  c.marginalZone = true;
  c.AR = 2.0;
  c.AA = 8.0;
  c.Phi = 1e6;                             // no spacing reaches it
  const double qG1 = Curves(room_)[0].qG;  // with the marginal area's higher floor temperature
  EXPECT_EQ(DesignFurther(30.0), -qG1);
  EXPECT_TRUE(T_.empty());
  c.Phi = 400.0;
  const double T = DesignFurther(30.0);
  ASSERT_GT(T, 0.0);
  std::size_t i = 0;
  while (T_[i] != T) ++i;
  EXPECT_NEAR(c.q, 400.0 * qG_[i] / (qG_[0] * 2.0 + qG_[i] * 8.0), 1e-12);
}

TEST_F(FloorFurther, UserModeTakesTheLargestSpacingAboveTheMinimalSigma) {
  state_.rezimUzivatele = true;
  state_.minimalSigma = -1e9;
  room_.circuits[0].q = 30.0;
  room_.circuits[0].Phi = 300.0;
  EXPECT_EQ(DesignFurther(12.0), 0.3);
  EXPECT_EQ(room_.circuits[0].sigma, sigma_.back());
}

TEST_F(FloorFurther, UserModeSolvesForItsOwnSigmaOrMarksTheCircuit) {
  state_.rezimUzivatele = true;
  state_.minimalSigma = 1e9;
  CTopnyOkruh& c = room_.circuits[0];
  c.q = 30.0;
  c.Phi = 300.0;
  // sigma 5 is reached at DeltathetaH about 12.5 below an excess of 15 K.
  EXPECT_EQ(DesignFurther(15.0), 0.075);
  EXPECT_NEAR(c.deltaThetaH, 12.5, 0.11);
  EXPECT_NEAR(c.q, curves_[0].qG * c.deltaThetaH / curves_[0].dTHG, 1e-12);
  EXPECT_EQ(c.sigma, 5.0);
  // Below 12 K the stepped solution stops before sigma 5.
  EXPECT_EQ(DesignFurther(12.0), 0.0);
  EXPECT_EQ(c.deltaThetaH, -1.0);
  EXPECT_EQ(c.sigma, -1.0);
  EXPECT_EQ(c.q, 0.0);
  EXPECT_EQ(c.T, 0.0);
  EXPECT_EQ(c.notCovered, 300.0);
}

// ---- Design flow --------------------------------------------------------------------

TEST(FloorFlow, UpwardAndDownwardHeat) {
  FloorDesignState state;
  CCSN_EN_1264 model(state);
  CMistPodlahVytap room = Room(kSystemTypeA, 0.01, 42.0, 1.2);  // R_u 0.98
  CTopnyOkruh& c = room.circuits[0];
  c.q = 50.0;
  c.sigma = 5.0;
  EXPECT_NEAR(model.PrutokOkruhu(room), 0.03454960957451779, 1e-15);
  EXPECT_EQ(c.mH, model.PrutokOkruhu(room));
  // Nothing below the pipes: only the heat upwards.
  room.insulationResistance = room.ceilingResistance = 0.0;
  room.plasterResistance = room.lowerSurfaceResistance = 0.0;
  EXPECT_NEAR(model.PrutokOkruhu(room), 500.0 / (5.0 * 4186.8), 1e-15);
  c.sigma = 0.0;
  EXPECT_EQ(model.PrutokOkruhu(room), 0.0);
  room.currentCircuit = 3;
  EXPECT_EQ(model.PrutokOkruhu(room), 0.0);
}

// ---- Circuit relations and the room record ------------------------------------------

TEST(FloorCircuitRelations, MaximumFloorTemperatureAndOutput) {
  CTopnyOkruh c;
  c.SetMaxFloorTemperature(24.0);
  EXPECT_EQ(c.thetaFMax, 33.0);
  c.AR = 1.5;
  c.SetMaxFloorTemperature(24.0);
  EXPECT_EQ(c.thetaFMax, 35.0);  // not 39
  c.A = 10.0;
  c.SetMaxFloorTemperature(18.0);
  c.SetMaxOutput(18.0);
  EXPECT_EQ(c.PhiMax, 1750.0);
}

TEST(FloorCircuitRelations, LoopLengthRoundsUpToHalfMetres) {
  auto length = [](double A, double T) {
    CTopnyOkruh c;
    c.A = A;
    c.T = T;
    c.SetLength();
    return c.L;
  };
  EXPECT_EQ(length(12.3, 0.1), 123.0);
  EXPECT_EQ(length(12.3, 0.15), 82.0);
  EXPECT_EQ(length(12.4, 0.15), 83.0);
  EXPECT_EQ(length(12.2, 0.15), 81.5);
  EXPECT_EQ(length(12.3, 0.2), 61.5);
  EXPECT_EQ(length(12.3, 0.0), 0.0);
}

TEST(FloorCircuitRelations, FloorAndWaterTemperatures) {
  CTopnyOkruh c;
  c.q = 8.92;
  c.SetMeanFloorTemperature(20.0);
  EXPECT_DOUBLE_EQ(c.thetaFm, 21.0);
  c.q = 0.0;
  c.SetMeanFloorTemperature(20.0);
  EXPECT_EQ(c.thetaFm, 20.0);

  NavrhovaTeplota design{40.0, 35.0};
  c.deltaThetaH = 10.0;
  c.sigma = 5.0;
  c.SetTemperaturesFromDrop(20.0, nullptr);
  EXPECT_NEAR(c.thetaR, 27.70747041268399, 1e-12);
  EXPECT_NEAR(c.thetaV, 32.70747041268399, 1e-12);
  c.SetTemperaturesFromSigma(7.0, design);
  EXPECT_EQ(c.thetaV, 40.0);
  EXPECT_EQ(c.thetaR, 33.0);
}

TEST(FloorRoomRecord, DefaultsBySystemType) {
  CMistPodlahVytap a, b, s, c;
  a.ApplyDefaults();
  EXPECT_EQ(a.su, 42.0);
  EXPECT_EQ(a.lambdaE, 1.2);
  EXPECT_EQ(a.insulationHeightUnderLamella, 22.0);  // the insulation height
  EXPECT_DOUBLE_EQ(a.ResistanceBelow(), 0.98);
  b.systemType = kSystemTypeB;
  b.su = 10.0;  // a value that is set stays
  b.ApplyDefaults();
  EXPECT_EQ(b.su, 10.0);
  EXPECT_EQ(b.lambdaE, 0.15);
  EXPECT_EQ(b.insulationHeightUnderLamella, 6.0);
  s.systemType = kSystemTypeS;
  s.ApplyDefaults();
  EXPECT_EQ(s.insulationResistance, 0.37);
  EXPECT_EQ(s.lamellaProportion, 0.0);
  c.systemType = kSystemTypeC;
  c.R = -1.0;
  c.ApplyDefaults();
  EXPECT_EQ(c.R, 0.01);
  EXPECT_EQ(c.su, 42.0);
}

}  // namespace
}  // namespace kvem
