// kvem-cli pressure as a person (or a script) runs it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "pressure/network_fixtures.h"
#include "support/test_support.h"

namespace kvem {
namespace {

using ::testing::HasSubstr;

using Result = test::CliResult;

class PressureCli : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_ / "work/Hall");
    std::filesystem::create_directories(dir_ / "tmp");
    test::WriteFile(dir_ / "tmp/epc_pr1.ini", "x\r\ny\r\nHall\r\n");
    test::WriteFile(dir_ / "tmp/epc_pr2.ini", "x\r\n7\r\n");
    const std::vector<std::string> body = {"1 A 2000 3000 20x2.3 2 0",
                                           "1 AB 1500 1163 16x1.8 2 1 4 T,1 1500"};
    test::WriteFile(dir_ / "work/Hall/Hall_r007.txt", test::NetworkText(body, "P", "", "\r\n"));
    test::WriteFile(dir_ / "work/Hall/Hall_z007.txt", test::NetworkText(body, "P", "", "\r\n"));
    test::WriteFile(dir_ / "kvem.ini", "[Main]\nPathWorking=" + (dir_ / "work").string() +
                                           "\nPathTmp=" + (dir_ / "tmp").string() + "\n");
  }
  Result Run(const std::string& arguments, const std::string& env = "LANG=C.UTF-8") {
    return test::RunCli(dir_.path(), "pressure " + arguments, env);
  }
  test::TempDir dir_;
};

TEST_F(PressureCli, FindsTheNetworksWritesTheReportAndPrintsIt) {
  const Result r = Run("--created '2024-05-01 10:00:00'", "LANG=cs_CZ.UTF-8");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("Created=2024-05-01 10:00:00\n\n BranchN.", 0), 0u);
  EXPECT_THAT(r.out, HasSubstr("    1163     50,00"));  // the user's decimal comma
  const std::string file = test::ReadFile(dir_ / "work/Tlak_Pos.txt");
  EXPECT_THAT(file, HasSubstr("\r\nT\xECleso"));
}

TEST_F(PressureCli, CsvBlocksAndOverrides) {
  std::filesystem::rename(dir_ / "work/Hall", dir_ / "work/Dum");
  for (const char* kind : {"r", "z"}) {
    std::filesystem::rename(dir_ / "work/Dum" / (std::string("Hall_") + kind + "007.txt"),
                            dir_ / "work/Dum" / (std::string("Dum_") + kind + "012.txt"));
  }
  const Result r = Run(
      "--project Dum --number 12 --csv --pump 9000 --report '" + (dir_ / "out.txt").string() + "'",
      "LANG=de_DE.UTF-8");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out,
              HasSubstr("\nr,2,1,AB,1163,49.99999"));  // a point in the CSV, whatever the locale
  EXPECT_THAT(r.out, HasSubstr("\n\nrow,heater,all,"));
  EXPECT_THAT(r.out, HasSubstr("\n1,\"T,1\","));
  EXPECT_THAT(r.out, HasSubstr("\n9000,"));
  EXPECT_THAT(r.out, ::testing::EndsWith(",12,P,0,2,2,2,2,1\n"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "out.txt"));
}

TEST_F(PressureCli, ExitStatusesAndMessages) {
  const std::string missing = (dir_ / "none.txt").string();
  Result r = Run("--supply '" + missing + "' --return '" + missing + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Kvem - error:: \\nCann't open file\\n'" + missing + "' !\n");
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "work/Tlak_Pos.txt"));

  EXPECT_EQ(Run("--supply x").status, 2);
  EXPECT_EQ(Run("--tw 7o").status, 2);
  EXPECT_EQ(Run("--number 7x").status, 2);
  EXPECT_EQ(Run("--bogus").status, 2);

  std::filesystem::remove_all(dir_ / "work/Tlak_Pos.txt");
  std::filesystem::create_directories(dir_ / "work/Tlak_Pos.txt");  // cannot be replaced
  r = Run("--tw 75.5 --tr 60");
  EXPECT_EQ(r.status, 0);
  EXPECT_THAT(r.err,
              HasSubstr("Kvem - error: cosi=" + (dir_ / "work/Tlak_Pos.txt").string() + "\n"));
  EXPECT_THAT(Run("--help").out, HasSubstr("--pump"));
}

}  // namespace
}  // namespace kvem
