// Interpolation, the factor tables and the range messages of the EN 1264 model.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "floor/csn_en_1264.h"
#include "floor/en1264_tables.h"

namespace kvem {
namespace {

using namespace en1264;

class FloorLookups : public ::testing::Test {
 protected:
  FloorLookups() {
    state_.messenger = &messenger_;
    state_.rangeMessages = true;
  }
  FloorDesignState state_;
  RecordingMessenger messenger_;
  CCSN_EN_1264 model_{state_};
};

// ---- Interpolation ------------------------------------------------------------

TEST(FloorInterpolation, CubicThroughFourPointsIsReproducedExactly) {
  const double xs[4] = {0.05, 0.1, 0.2, 0.35};
  auto cubic = [](double x) { return 2.0 - 3.0 * x + 0.5 * x * x + 7.0 * x * x * x; };
  double ys[4];
  for (int i = 0; i < 4; ++i) ys[i] = cubic(xs[i]);
  for (double x : {0.0, 0.05, 0.07, 0.15, 0.3, 0.35, 0.5}) {
    EXPECT_NEAR(CCSN_EN_1264::Interpolace4(x, xs, ys), cubic(x), 1e-12) << x;
  }
}

TEST(FloorInterpolation, WindowChoice) {
  const double axis[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  // Below, at and just above the first point: the window starts at 0.
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(0.0, axis, 8), 0);
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(1.0, axis, 8), 0);
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(1.5, axis, 8), 0);
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(2.5, axis, 8), 0);
  // Inside: two points below the first point not smaller than x.
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(3.5, axis, 8), 1);
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(4.0, axis, 8), 1);
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(6.5, axis, 8), 4);
  // Up to the last point and beyond: the last four points.
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(7.5, axis, 8), 4);
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(8.0, axis, 8), 4);
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(9.0, axis, 8), 4);
  // A five-point axis already chooses; a four-point axis is used whole.
  const double five[5] = {1, 2, 3, 4, 5};
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(2.5, five, 5), 0);
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(3.5, five, 5), 1);
  EXPECT_EQ(CCSN_EN_1264::OknoTabulky(5.0, five, 5), 1);
  for (double x : {-1.0, 1.0, 2.5, 4.0, 9.0}) EXPECT_EQ(CCSN_EN_1264::OknoTabulky(x, axis, 4), 0);
}

// ---- Tables -------------------------------------------------------------------

TEST_F(FloorLookups, EveryTableGivesItsNodeValuesExactly) {
  for (int r = 0; r < 4; ++r) EXPECT_EQ(model_.SoucinitelAT(kAtR[r]), kAt[r]);
  for (int t = 0; t < 8; ++t) {
    for (int r = 0; r < 4; ++r) {
      EXPECT_EQ(model_.SoucinitelAU(kAtR[r], kAuT[t]), kAu[t][r]);
      EXPECT_EQ(model_.SoucinitelAD(kAtR[r], kAuT[t]), kAd[t][r]);
    }
    for (int s = 0; s < 5; ++s) EXPECT_EQ(model_.MezniBG(kSu[s], kBgT[t]), kBg[t][s]);
  }
  for (int t = 0; t < 10; ++t) {
    for (int s = 0; s < 5; ++s) EXPECT_EQ(model_.MezniNG(kSu[s], kNgT[t]), kNg[t][s]);
  }
  for (int i = 0; i < 8; ++i) EXPECT_EQ(model_.SoucinitelATB(kAtbX[i]), kAtb[i]);
  for (int t = 0; t < 9; ++t) {
    EXPECT_EQ(model_.SoucinitelBU(kBT[t]), kBu[t]);
    EXPECT_EQ(model_.SoucinitelAK(kBT[t]), kAk[t]);
    for (int w = 0; w < 15; ++w) {
      EXPECT_EQ(model_.MezniBGB(kBT[t], kKwl[w]), kBgb[w][t]);
      EXPECT_EQ(model_.MezniNGB(kBT[t], kKwl[w]), kNgb[w][t]);
    }
    for (int w = 0; w < 6; ++w) {
      EXPECT_EQ(model_.SoucinitelAWL(kBT[t], kAwlMidKwl[w], 0.018), kAwlMid[t][w]);
      for (int d = 0; d < 5; ++d) {
        EXPECT_EQ(model_.SoucinitelAWL(kBT[t], kAwlLowKwl[w], kAwlLowD[d]), kAwlLow[w][t][d]);
      }
    }
  }
  EXPECT_TRUE(messenger_.messages().empty());
}

// A handful of values read off the printed tables, so that a slip in the
// transcription (a row or column shifted, a digit lost) shows.
TEST_F(FloorLookups, ValuesAsPrinted) {
  EXPECT_EQ(model_.SoucinitelAT(0.10), 1.156);
  EXPECT_EQ(model_.SoucinitelAU(0.15, 0.1), 1.0335);
  EXPECT_EQ(model_.SoucinitelAU(0.10, 0.2), 1.0315);
  EXPECT_EQ(model_.SoucinitelAD(0.05, 0.375), 1.051);
  EXPECT_EQ(model_.MezniBG(0.045, 0.15), 76.3);
  EXPECT_EQ(model_.MezniBG(0.055, 0.225), 62.0);
  EXPECT_EQ(model_.MezniNG(0.065, 0.3375), 0.265);
  EXPECT_EQ(model_.MezniNG(0.025, 0.2625), 0.196);
  EXPECT_EQ(model_.SoucinitelATB(0.08), 1.082);
  EXPECT_EQ(model_.SoucinitelBU(0.225), 0.43);
  EXPECT_EQ(model_.SoucinitelAK(0.3), 0.82);
  EXPECT_EQ(model_.MezniBGB(0.375, 1.4), 67.3);
  EXPECT_EQ(model_.MezniBGB(0.45, 0.1), 0.0);
  EXPECT_EQ(model_.MezniNGB(0.075, 0.6), 0.0099);
  EXPECT_EQ(model_.MezniNGB(0.45, 0.2), 0.725);
  EXPECT_EQ(model_.SoucinitelAWL(0.3, 0.7, 0.014), 0.91);
  EXPECT_EQ(model_.SoucinitelAWL(0.075, 0.2, 0.018),
            0.855);  // as printed, out of line with its row
  EXPECT_EQ(model_.SoucinitelAWL(0.1, 0.1, 0.022), 0.77);
  EXPECT_EQ(model_.SoucinitelAWL(0.075, 0.4, 0.022), 0.96);
  // Above KWL = 1 the value runs from the KWL = 0 row towards the infinite-KWL row.
  EXPECT_NEAR(model_.SoucinitelAWL(0.15, 2.0, 0.016),
              1.04 - 0.625 * (0.04 / 0.625) * (0.04 / 0.625), 1e-12);
  EXPECT_EQ(model_.SoucinitelAWL(0.05, 5.0, 0.016), 1.0);
}

// ---- Ranges -------------------------------------------------------------------

TEST_F(FloorLookups, EveryLookupReportsItsLabelAndRange) {
  struct Case {
    std::string expected;
    std::function<double()> call;
  };
  const std::vector<Case> cases = {
      {" Heat Resistance Top Layer = 0.200 is out define value <0.000;0.150> !",
       [&] { return model_.SoucinitelAT(0.2); }},
      {" Spacing of PipesA3t = 0.400 is out define value <0.050;0.375> !",
       [&] { return model_.SoucinitelAU(0.1, 0.4); }},
      {" Spacing of PipesA4t = 0.040 is out define value <0.050;0.375> !",
       [&] { return model_.SoucinitelAD(0.1, 0.04); }},
      {" Layer Height Over Pipes = 0.020 is out define value <0.025;0.065> !",
       [&] { return model_.MezniBG(0.02, 0.1); }},
      {" Spacing of Pipes = 0.450 is out define value <0.050;0.375> !",
       [&] { return model_.MezniNG(0.045, 0.45); }},
      {" Thermal Conductivity of Levelling Layer = 0.200 is out define value <0.020;0.150> !",
       [&] { return model_.SoucinitelATB(0.2); }},
      {" Spacing of Pipes = 0.500 is out define value <0.050;0.450> !",
       [&] { return model_.SoucinitelBU(0.5); }},
      {" Spacing of Pipes = 0.010 is out define value <0.050;0.450> !",
       [&] { return model_.SoucinitelAK(0.01); }},
      {" kWL = 0.050 is out define value <0.100;1.500> !",
       [&] { return model_.MezniBGB(0.1, 0.05); }},
      {" kWL = 2.000 is out define value <0.100;1.500> !",
       [&] { return model_.MezniNGB(0.1, 2.0); }},
      {" Outer Pipe Diameter = 0.025 is out define value <0.014;0.022> !",
       [&] { return model_.SoucinitelAWL(0.1, 0.3, 0.025); }},
  };
  for (const Case& c : cases) {
    messenger_.Clear();
    c.call();
    ASSERT_EQ(messenger_.messages().size(), 1u) << c.expected;
    EXPECT_EQ(messenger_.messages()[0].text, c.expected);
    EXPECT_EQ(messenger_.messages()[0].caption, "KontrolaMezi");
    EXPECT_EQ(messenger_.messages()[0].kind, RecordingMessenger::Kind::Show);
  }
}

TEST_F(FloorLookups, ClampedToTheEndsWhichAreInRange) {
  EXPECT_EQ(model_.SoucinitelAT(0.2), 1.134);
  EXPECT_EQ(model_.MezniBG(0.08, 0.01), 100.0);
  EXPECT_EQ(model_.SoucinitelAWL(0.6, 0.3, 0.01), 0.68);
  messenger_.Clear();
  EXPECT_EQ(model_.SoucinitelAU(0.3, 0.5), 1.016);  // two messages, in argument order
  ASSERT_EQ(messenger_.messages().size(), 2u);
  EXPECT_EQ(messenger_.messages()[1].text.substr(0, 20), " Spacing of PipesA3t");
  messenger_.Clear();
  model_.SoucinitelAT(0.15);
  model_.MezniBGB(0.45, 1.5);
  model_.MezniBGB(0.05, 0.1);
  model_.SoucinitelAWL(0.05, 3.0, 0.014);  // KWL of the lamella lookup is not clamped
  model_.SoucinitelAWL(0.45, 0.01, 0.022);
  EXPECT_TRUE(messenger_.messages().empty());
}

TEST_F(FloorLookups, MessagesOnlyWithTheSwitchOnAndInTheUsersSeparator) {
  state_.rangeMessages = false;
  EXPECT_EQ(model_.SoucinitelAT(0.2), 1.134);
  EXPECT_TRUE(messenger_.messages().empty());
  state_.rangeMessages = true;
  state_.decimalSeparator = ',';
  model_.SoucinitelAT(0.2);
  ASSERT_EQ(messenger_.messages().size(), 1u);
  EXPECT_EQ(messenger_.messages()[0].text,
            " Heat Resistance Top Layer = 0,200 is out define value <0,000;0,150> !");
}

TEST_F(FloorLookups, CoveringFactorClampsSilently) {
  EXPECT_EQ(model_.SoucinitelAB(0.2, 3.0), model_.SoucinitelAB(0.15, 2.0));
  EXPECT_EQ(model_.SoucinitelAB(-1.0, 0.1), model_.SoucinitelAB(0.0, 0.6));
  EXPECT_EQ(model_.SoucinitelAB(0.0, 1.0), 1.0);  // the reference floor
  EXPECT_TRUE(messenger_.messages().empty());
  EXPECT_EQ(model_.SoucinitelABSuchy(1.0), 1.0);
}

TEST(FloorPipeCoefficient, ReferencePipeGivesB0AndASheathCountsFrom06mm) {
  const CTopnaTrubka reference{"PE-X 16x2", 0.016, 0.016, 0.002, 0.35, 0.35};
  EXPECT_NEAR(CCSN_EN_1264::SoucinitelB(6.7, 0.1, reference), 6.7, 1e-12);
  CTopnaTrubka sheathed = reference;
  sheathed.lambdaO = 0.1;
  sheathed.Do = 0.0165;
  EXPECT_EQ(CCSN_EN_1264::SoucinitelB(6.7, 0.1, sheathed),
            CCSN_EN_1264::SoucinitelB(6.7, 0.1, reference));
  sheathed.Do = 0.017;
  EXPECT_LT(CCSN_EN_1264::SoucinitelB(6.7, 0.1, sheathed), 6.7);
}

}  // namespace
}  // namespace kvem
