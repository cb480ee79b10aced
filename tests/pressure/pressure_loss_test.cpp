// Pipe diagram, densities, section losses, accumulation, distribution and
// valve presetting.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/messenger.h"
#include "pressure/pressure_loss.h"
#include "pressure/valves.h"

namespace kvem {
namespace {

using ::testing::ElementsAre;

TEST(Lookups, PipeDiagramAtItsEnds) {
  RecordingMessenger m;
  EXPECT_NEAR(PipeGradient(35, 1, m), 17.5, 1e-9);
  EXPECT_NEAR(PipeGradient(10, 1, m), 17.5, 1e-9);  // below Gmin: Rmin
  EXPECT_NEAR(PipeGradient(1150, 1, m), 6800, 1e-6);
  EXPECT_EQ(PipeGradient(1151, 1, m), -1.0);
  EXPECT_NEAR(PipeGradient(22.5, 6, m), 22.5, 1e-9);
  EXPECT_NEAR(PipeGradient(700, 6, m), 8750, 1e-6);
  EXPECT_EQ(PipeGradient(700.01, 6, m), -1.0);
  EXPECT_TRUE(m.messages().empty());
  EXPECT_EQ(PipeGradient(100, 0, m), -1.0);
  EXPECT_EQ(InnerDiameter(8, m), -1.0);
  EXPECT_THAT(m.texts(), ElementsAre("Nonsence!", "Nonsence!"));
  EXPECT_EQ(InnerDiameter(7, m), 0.0388);
}

TEST(Lookups, DensityRoundsToTheWholeDegree) {
  EXPECT_EQ(WaterDensity(79.6), static_cast<double>(0.97183f) * 1000.0);
  EXPECT_EQ(WaterDensity(98.6), static_cast<double>(0.95909f) * 1000.0);
  EXPECT_EQ(WaterDensity(99.0), WaterDensity(98.6));
  EXPECT_EQ(WaterDensity(99.4), -1.0);
  EXPECT_EQ(WaterDensity(-0.1), -1.0);
  EXPECT_EQ(WaterDensity(std::nan("")), -1.0);
  EXPECT_EQ(WaterDensity(0.0), static_cast<double>(0.99987f) * 1000.0);
}

CUsekPrivodu Valve(std::string number, double q, double length, double ksi, int type = 0) {
  CUsekPrivodu s;
  s.branch = 3;
  s.section = std::move(number);
  s.heatLoad = q;
  s.length = length;
  s.ksi = ksi;
  s.pipe = "16x1.8";
  s.pipeIndex = 1;
  s.elementType = type;
  return s;
}

TEST(SectionLosses, FlowVelocityAndLosses) {
  CPrivodTelesa net;
  net.sections = {Valve("A", 1163, 1000, 2), Valve("B", 2500, 0, 0, kDistributor),
                  Valve("C", 1e6, 1000, 1)};
  net.sections[2].pipe = "99";
  net.sections[2].pipeIndex = 0;
  net.cumulativeCurrent = true;
  RecordingMessenger m;
  ComputeSectionLosses(net, m);
  const CUsekPrivodu& a = net.sections[0];
  EXPECT_NEAR(a.flow, 50.0, 0.01);
  EXPECT_NEAR(a.r, PipeGradient(a.flow, 1, m), 1e-12);
  const double rho = WaterDensity(80);
  EXPECT_NEAR(a.velocity, a.flow / (900 * kPi * 0.0124 * 0.0124 * rho), 1e-15);
  EXPECT_NEAR(a.rl, a.r, 1e-12);  // 1000 mm
  EXPECT_NEAR(a.z, rho * 2 * a.velocity * a.velocity * 0.5, 1e-12);
  EXPECT_EQ(a.rlz, a.rl + a.z);
  EXPECT_EQ(net.sections[1].rlz, 2500);  // a distributor carries its loss in the heat-load field
  EXPECT_EQ(net.sections[1].flow, 0);
  EXPECT_EQ(net.sections[2].r, 0);
  EXPECT_FALSE(net.cumulativeCurrent);
  EXPECT_THAT(
      m.texts(),
      ElementsAre("Nonsence!",
                  "Flow volume is out off diagram!\n\nBranch Number = 3\nSection Number = C",
                  "Nonsence!"));
  EXPECT_EQ(m.messages()[1].caption, "Kvem - error");
}

TEST(Accumulation, WalksTheParentChainAndStopsAtAGap) {
  CPrivodTelesa net;
  net.sections = {Valve("AXB", 0, 1, 0), Valve("A", 0, 10, 0), Valve("AX", 0, 100, 0),
                  Valve("AXBC", 0, 1000, 0), Valve("QR", 0, 5, 0)};
  const double rlz[] = {1, 10, 100, 1000, 7};
  for (int i = 0; i < 5; ++i) net.sections[i].rlz = rlz[i];
  EXPECT_EQ(Accumulate(net), 1111);
  EXPECT_EQ(net.sections[3].all, 1111);
  EXPECT_EQ(net.sections[3].lengthOverall, 1111);
  EXPECT_EQ(net.sections[0].all, 111);
  EXPECT_EQ(net.sections[4].all, 7);  // parent "Q" missing

  net.sections.erase(net.sections.begin() + 2);  // "AX" gone: "AXB" keeps only its own loss
  Accumulate(net);
  EXPECT_EQ(net.sections[0].all, 1);
  EXPECT_EQ(net.sections[2].all, 1001);  // "AXBC" -> "AXB", then the gap

  net.cumulativeCurrent = true;  // All from outside stays
  net.sections[0].all = 5000;
  EXPECT_EQ(Accumulate(net), 5000);
  EXPECT_EQ(Accumulate(*std::make_unique<CPrivodTelesa>()), 0);
}

TEST(Distribution, AvailablePressureZeroOrBelowUsesTheLargestAll) {
  for (double available : {0.0, -1.0}) {
    CPrivodTelesa net;
    net.sections = {Valve("A", 0, 0, 0), Valve("AB", 0, 0, 0, 1), Valve("AC", 0, 0, 0, 2)};
    net.sections[0].rlz = 3000;
    net.sections[1].rlz = 2000;
    net.sections[1].flow = 50;
    net.sections[2].rlz = 500;
    EXPECT_EQ(Distribute(net, available), 5000);
    EXPECT_EQ(net.sections[1].overplus, 0);
    EXPECT_EQ(net.sections[2].overplus, 1500);
  }
  CPrivodTelesa net;
  net.sections = {Valve("A", 0, 0, 0, 1)};
  net.sections[0].flow = 50;
  net.sections[0].rlz = 1000;
  net.sections[0].all = 1000;
  net.cumulativeCurrent = true;
  EXPECT_EQ(Distribute(net, 21000), 21000);
  EXPECT_EQ(net.sections[0].overplus, 20000);
  EXPECT_EQ(net.sections[0].regulation, 2);
}

TEST(ValvePresetting, ExamplesAndEdges) {
  double remainder = -7;
  EXPECT_EQ(ValvePresetting(1, 50, 20000, remainder), 2);  // setting 1 drops 25000, setting 2 6250
  EXPECT_NEAR(remainder, 13750, 1e-6);
  remainder = 123;
  EXPECT_EQ(ValvePresetting(2, 1, 20000, remainder), 0);  // below every range
  EXPECT_EQ(remainder, 123);
  EXPECT_EQ(ValvePresetting(0, 50, 20000, remainder), 0);
  EXPECT_EQ(remainder, 123);
  // Nothing fits: the last setting tried leaves its remainder.
  EXPECT_EQ(ValvePresetting(10, 40, 100, remainder), 0);
  EXPECT_NEAR(remainder, 100 - 1000 * (40.0 / 36) * (40.0 / 36), 1e-6);
  EXPECT_EQ(ValvePresetting(10, 4, 1001, remainder), 1);  // range ends belong to the range
  EXPECT_NEAR(remainder, 1, 1e-9);
  EXPECT_EQ(ElementTypeName(10), "Danfoss RTD-N 15");
  EXPECT_EQ(ElementTypeName(0), " without");
  EXPECT_EQ(ElementTypeName(7), "");
}

}  // namespace
}  // namespace kvem
