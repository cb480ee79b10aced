// The label's formulas: the worked values, the limits that must land in the
// better class, and the cases where a division has no value.
#include "label/label_evaluation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kvem {
namespace {

EnStData PerCubicMetreRecord(double ev, double evn) {
  EnStData d;
  d.storeyFlag = "ANO";
  d.er = 1000.0;
  d.ev = ev;
  d.evn = evn;
  d.eva = evn * 3.125;
  return d;
}

TEST(LabelFormulas, ClimaticCoefficientsFollowTheIndoorTemperature) {
  EnStData d;
  d.thetaI = 20.0;
  ComputeClimaticCoefficients(d);
  EXPECT_NEAR(d.h1, 94.122, 1e-12);
  EXPECT_NEAR(d.h2, 13.122, 1e-12);
  d.thetaI = 3.8;
  ComputeClimaticCoefficients(d);
  EXPECT_EQ(d.h1, 0.0);
  EXPECT_EQ(d.h2, 0.0);
  for (double theta : {0.0, -5.0}) {
    d.h1 = d.h2 = 7.0;
    d.thetaI = theta;
    ComputeClimaticCoefficients(d);
    EXPECT_EQ(d.h1, 0.0);
    EXPECT_EQ(d.h2, 0.0);
  }
}

TEST(LabelFormulas, BalanceOfTheWorkedBuilding) {
  EnStData d;
  d.volume = 1000.0;
  d.area = 500.0;
  d.thetaI = 3.8;  // no transmission or ventilation demand
  d.storeyFlag = "NE";
  d.floorArea = 250.0;
  ASSERT_TRUE(ComputeAToV(d));
  EXPECT_EQ(d.aToV, 0.5);
  ComputeClimaticCoefficients(d);
  ComputeEnergyBalance(d);
  EXPECT_EQ(d.evp, 0.0);
  EXPECT_EQ(d.evv, 0.0);
  EXPECT_EQ(d.ezs, 6000.0);
  EXPECT_EQ(d.evz, 3000.0);
  EXPECT_EQ(d.n, 0.9);
  EXPECT_EQ(d.er, 0.0 + 0.0 - (6000.0 + 3000.0) * 0.9);
  EXPECT_EQ(d.ev, d.er / 250.0);
  EXPECT_NEAR(d.evn, 33.655, 1e-12);
  EXPECT_NEAR(d.eva, 105.171875, 1e-12);
  // Er <= 0 with a positive required value is still rated: class A, compliance.
  const Rating r = RateLabel(d);
  EXPECT_EQ(r.outcome, RatingOutcome::Rated);
  EXPECT_LT(d.sen, 0.0);
  EXPECT_EQ(ClassLetter(d.sen), 'A');
  EXPECT_EQ(r.text, kVerdictComplies);
}

TEST(LabelFormulas, AToVKeepsItsValueWithoutVolumeAndArea) {
  EnStData d;
  d.aToV = 0.7;
  EXPECT_FALSE(ComputeAToV(d));  // A = V = 0
  d.area = -1.0;
  EXPECT_FALSE(ComputeAToV(d));
  EXPECT_EQ(d.aToV, 0.7);
  d.area = 10.0;  // V = 0 with A > 0 has no value: it is computed, never shown
  EXPECT_TRUE(ComputeAToV(d));
  EXPECT_TRUE(std::isinf(d.aToV));
}

TEST(LabelRating, HundredPercentComplies) {
  EnStData d = PerCubicMetreRecord(50.0, 50.0);
  EXPECT_EQ(RateLabel(d).text, kVerdictComplies);
  EXPECT_EQ(d.sen, 100.0);
  EXPECT_EQ(ClassLetter(d.sen), 'D');
  d = PerCubicMetreRecord(100.05, 100.0);
  EXPECT_EQ(RateLabel(d).text, kVerdictFails);
  EXPECT_EQ(ClassLetter(d.sen), 'E');
}

TEST(LabelRating, LimitsBelongToTheBetterClass) {
  EXPECT_EQ(ClassLetter(-3.0), 'A');
  EXPECT_EQ(ClassLetter(40.0), 'A');
  EXPECT_EQ(ClassLetter(std::nextafter(40.0, 100.0)), 'B');
  EXPECT_EQ(ClassLetter(60.0), 'B');
  EXPECT_EQ(ClassLetter(80.0), 'C');
  EXPECT_EQ(ClassLetter(80.01), 'D');
  EXPECT_EQ(ClassLetter(100.0), 'D');
  EXPECT_EQ(ClassLetter(120.0), 'E');
  EXPECT_EQ(ClassLetter(150.0), 'F');
  EXPECT_EQ(ClassLetter(150.01), 'G');
  // Through the formula, too: ev / R * 100 lands exactly on the limits.
  for (auto [ev, letter] :
       {std::pair{40.0, 'A'}, {60.0, 'B'}, {80.0, 'C'}, {120.0, 'E'}, {150.0, 'F'}}) {
    EnStData d = PerCubicMetreRecord(ev, 100.0);
    RateLabel(d);
    EXPECT_EQ(ClassLetter(d.sen), letter) << ev;
  }
}

TEST(LabelRating, FailsOnlyWithoutDemandAndRequirement) {
  EnStData d = PerCubicMetreRecord(-1.0, 10.0);
  d.er = -5.0;
  d.eva = -1.0;  // tested on eva whatever the flag
  d.sen = 42.0;
  const Rating r = RateLabel(d);
  EXPECT_EQ(r.outcome, RatingOutcome::Failed);
  EXPECT_EQ(r.text, kRatingFailedText);
  EXPECT_EQ(d.sen, 42.0);
  d.eva = 31.25;  // a positive requirement is rated
  EXPECT_EQ(RateLabel(d).outcome, RatingOutcome::Rated);
  EXPECT_EQ(d.sen, -10.0);
}

TEST(LabelRating, UndefinedDivisionsSayWhatIsMissing) {
  EnStData d;
  d.area = 500.0;
  d.thetaI = 20.0;
  d.floorArea = 100.0;
  d.sen = 12.0;
  ComputeClimaticCoefficients(d);
  ComputeEnergyBalance(d);  // V = 0
  EXPECT_FALSE(HasDefinedRating(d));
  Rating r = RateLabel(d);
  EXPECT_EQ(r.outcome, RatingOutcome::Undefined);
  EXPECT_EQ(r.text, kMissingVolumeText);
  EXPECT_EQ(d.sen, 12.0);

  d.volume = 1000.0;
  d.floorArea = 0.0;  // per m2 of nothing
  ComputeEnergyBalance(d);
  EXPECT_EQ(RateLabel(d).text, kMissingFloorAreaText);
  d.storeyFlag = "ANO";  // per m3 needs no Af
  ComputeEnergyBalance(d);
  EXPECT_EQ(RateLabel(d).outcome, RatingOutcome::Rated);
}

TEST(LabelConstructions, RowIsRoundedAndComputedFromTheReadArea) {
  EnStData d;
  d.constructions[0] = {"2.25", "2", "0,30", "1", "old"};
  ComputeConstructionRow(d, 0, ',');
  EXPECT_EQ(d.constructions[0][kCellAi], "2,2");   // "%.1f", half to even
  EXPECT_EQ(d.constructions[0][kCellHu], "4,50");  // 2.25, not 2.2
  EXPECT_EQ(d.constructions[0][kCellUn], "0,30");
  d.constructions[1] = {"128", "0.16", "", "", ""};  // an empty bi adds nothing
  ComputeConstructionRow(d, 1, '.');
  EXPECT_EQ(d.constructions[1][kCellAi], "128.0");
  EXPECT_EQ(d.constructions[1][kCellHu], "0.00");
  d.constructions[2] = {"1e308", "1e308", "", "1", ""};  // beyond the range: no Hu
  ComputeConstructionRow(d, 2, '.');
  EXPECT_EQ(d.constructions[2][kCellHu], "");
}

TEST(LabelConstructions, NumberTextsWithEitherSeparatorAndGarbage) {
  EXPECT_EQ(NormalizeDecimalSeparator("2.5", ','), "2,5");
  EXPECT_EQ(NormalizeDecimalSeparator("2,5", ','), "2,5");
  EXPECT_EQ(NormalizeDecimalSeparator("2,5", '.'), "2.5");
  EnStData d;
  d.constructions[0] = {"abc", "1", "", "1", ""};
  d.constructions[1] = {"12abc", "1", "", "1", ""};
  d.constructions[2] = {" 2,5", "2.5", "", "1", ""};
  for (int row = 0; row < 3; ++row) ComputeConstructionRow(d, row, '.');
  EXPECT_EQ(d.constructions[0][kCellAi], "0.0");
  EXPECT_EQ(d.constructions[1][kCellAi], "12.0");
  EXPECT_EQ(d.constructions[2][kCellHu], "6.25");
}

TEST(LabelConstructions, TotalsAreReadFromTheCellTexts) {
  EnStData d;
  d.constructions[0] = {"10,5", "", "", "", "3,25"};
  d.constructions[4] = {"1,5", "", "", "", "0,75"};
  ComputeConstructionTotals(d, ',');
  EXPECT_EQ(d.sumA, 12.0);
  EXPECT_EQ(d.ht, 4.0);
  ComputeConstructionTotals(d, '.');  // C-library reading: "10,5" is 10
  EXPECT_EQ(d.sumA, 11.0);
  EXPECT_EQ(d.ht, 3.0);
}

}  // namespace
}  // namespace kvem
