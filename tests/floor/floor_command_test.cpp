// kvem-cli floor curves / circuit: output, messages on stderr, exit statuses.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/test_support.h"

namespace kvem {
namespace {

using Result = test::CliResult;

class FloorCli : public ::testing::Test {
 protected:
  Result Run(const std::string& arguments, const std::string& environment = "") {
    return test::RunCli(dir_.path(), "floor " + arguments, environment);
  }
  static int Lines(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
  }
  test::TempDir dir_;
};

TEST_F(FloorCli, CurvesAsTextAndCsv) {
  const Result r = Run("curves");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out), 6) << r.out;  // two heading lines, four spacings
  EXPECT_NE(r.out.find("0.300"), std::string::npos);
  const Result csv = Run("curves --csv --type B --spacings 0.1,0.45", "LANG=cs_CZ.UTF-8");
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')), "spacing,qG,dthetaHG,KH");
  EXPECT_NE(csv.out.find("\n0.450000,"), std::string::npos) << csv.out;
  const Result text = Run("curves --spacings 0.15", "LC_ALL= LC_NUMERIC= LANG=cs_CZ.UTF-8");
  EXPECT_NE(text.out.find("0,150"), std::string::npos) << text.out;
}

TEST_F(FloorCli, ClampMessagesGoToStderr) {
  const Result r = Run("curves --R 0.2 --spacings 0.15");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("KontrolaMezi:  Heat Resistance Top Layer = 0.200 is out define value "
                       "<0.000;0.150> !\n"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.out.find("KontrolaMezi"), std::string::npos);
}

TEST_F(FloorCli, BadValuesAreRefused) {
  EXPECT_EQ(Run("curves --lambdaE 0").status, 2);
  EXPECT_EQ(Run("curves --D 0.003 --sR 0.002").status, 2);
  EXPECT_EQ(Run("curves --type X").status, 2);
  EXPECT_EQ(Run("circuit --AA 0 --Phi 100").status, 2);
}

TEST_F(FloorCli, CircuitDesign) {
  const Result r = Run("circuit --AA 12.3 --Phi 600");
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* label : {"Spacing T [m]: 0.300", "DeltathetaH [K]: ", "sigma [K]: 5.00",
                            "DeltathetaV [K]: ", "thetaV [°C]: ", "thetaR [°C]: ", "L [m]: 41.0",
                            "mH [kg/s]: ", "mH [kg/h]: ", "q [W/m2]: 48.8", "thetaF,max [°C]: 29.0",
                            "thetaF,m [°C]: "}) {
    EXPECT_NE(r.out.find(label), std::string::npos) << label << "\n" << r.out;
  }
  const Result none = Run("circuit --AA 5 --Phi 5000");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.out.find("Spacing T [m]: -"), std::string::npos) << none.out;
}

}  // namespace
}  // namespace kvem
