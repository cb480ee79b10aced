// kvem-cli as a person runs it: exit statuses, output, messages on stderr.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "support/test_support.h"

namespace kvem {
namespace {

using Result = test::CliResult;

class Cli : public ::testing::Test {
 protected:
  Result Run(const std::string& arguments, const std::string& environment = "") {
    return test::RunCli(dir_.path(), arguments, environment);
  }
  std::string Example(const char* name) const {
    return "'" + (test::ExamplesDir() / name).string() + "'";
  }
  std::string Tmp() const { return " --tmp '" + dir_.path().string() + "'"; }
  // The worked room as a user with a decimal comma saves it.
  std::string CommaExample() const {
    std::string text = test::ReadFile(test::ExamplesDir() / "worked-room.kvm");
    std::replace(text.begin(), text.end(), '.', ',');
    test::WriteFile(dir_ / "comma.kvm", text);
    return "'" + (dir_ / "comma.kvm").string() + "'";
  }

  test::TempDir dir_;
};

TEST_F(Cli, CalcPrintsTheResultsTable) {
  const Result r = Run("calc " + Example("family-house.kvm") + Tmp());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Order  Index"), std::string::npos);
  EXPECT_NE(r.out.find("Obývací pokoj"), std::string::npos);
  EXPECT_NE(r.out.find("Total loss [W]: "), std::string::npos);
  EXPECT_EQ(test::ReadFile(dir_ / "Výsledek.out"), "Calculation is OK!");
}

TEST_F(Cli, CalcShowsTheUsersDecimalSeparator) {
  const Result comma =
      Run("calc " + CommaExample() + Tmp(), "LC_ALL= LC_NUMERIC= LANG=cs_CZ.UTF-8");
  ASSERT_EQ(comma.status, 0) << comma.err;
  EXPECT_NE(comma.out.find("Total loss [W]: 769,5"), std::string::npos) << comma.out;
}

TEST_F(Cli, CalcCsvHasUnroundedValuesAndATotalLine) {
  const Result r = Run("calc " + CommaExample() + Tmp() + " --csv", "LANG=cs_CZ.UTF-8");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(
      r.out,
      "order,room_number,name,ti,surface,volume,transfer_loss,ventilation_loss,total_loss,"
      "loss_per_volume,loss_per_volume_kelvin,floor_area,loss_per_floor_area,floor_temperature\n"
      "1,\"1,01\",Room,20,86.800000,52.000000,391.519355,378.000000,769.519355,14.798449,0.422813,"
      "20.000000,38.475968,23.776708\n"
      "total,,,,,52.000000,391.519355,378.000000,769.519355,14.798449,,,,\n");
}

TEST_F(Cli, ExitStatusesTellWhatHappened) {
  const Result missing = Run("calc '" + (dir_ / "missing.kvm").string() + "'" + Tmp());
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "Kvem - error: File openning failed\n");
  EXPECT_TRUE(missing.out.empty());

  std::string text = test::ReadFile(test::ExamplesDir() / "worked-room.kvm");
  text.replace(text.find("\r\n8\r\n"), 5, "\r\n0\r\n");  // B = 0
  test::WriteFile(dir_ / "b0.kvm", text);
  const Result stopped = Run("calc '" + (dir_ / "b0.kvm").string() + "'" + Tmp());
  EXPECT_EQ(stopped.status, 1);
  EXPECT_EQ(stopped.err, "Kvem - error: Characteristic building number is not define\n");

  test::WriteFile(dir_ / "cut.kvm", text.substr(0, 100));
  EXPECT_EQ(Run("calc '" + (dir_ / "cut.kvm").string() + "'" + Tmp()).status, 2);
  EXPECT_EQ(Run("calc").status, 2);             // missing argument
  EXPECT_EQ(Run("no-such-command").status, 2);  // usage error
}

TEST_F(Cli, SetupPrintsTheMainValuesInForce) {
  const Result r = Run("setup --home '" + dir_.path().string() + "' --data /opt/kvem");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("PathMain=/opt/kvem\n"), std::string::npos);
  EXPECT_NE(r.out.find("PathTmp=" + (dir_.path() / "Kvem" / "Tmp").string() + "\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("JazykovaVerze=CZ\n"), std::string::npos);
  // A second run keeps what is set.
  const Result again = Run("setup --home /elsewhere --data /elsewhere");
  EXPECT_NE(again.out.find("PathMain=/opt/kvem\n"), std::string::npos);
}

TEST_F(Cli, HelpAndVersionTellTheTruth) {
  const Result help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("calc"), std::string::npos);
  EXPECT_NE(help.out.find("setup"), std::string::npos);
  EXPECT_NE(Run("--version").out.find("KvemPexon 3.6.x"), std::string::npos);
}

}  // namespace
}  // namespace kvem
