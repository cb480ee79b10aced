// kvem-cli heater output / heater select, run as a user runs them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "heaters/catalog.h"
#include "platform/numbers.h"
#include "support/test_support.h"

namespace kvem {
namespace {

using Result = test::CliResult;

class HeaterCli : public ::testing::Test {
 protected:
  // Runs kvem-cli with its own empty settings file; `env` is put before the command.
  Result Run(const std::string& args, const std::string& env = "") {
    return test::RunCli(dir_.path(), args, env);
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
      const std::size_t end = text.find('\n', pos);
      lines.push_back(text.substr(pos, end - pos));
      if (end == std::string::npos) break;
      pos = end + 1;
    }
    return lines;
  }

  static std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t pos = 0;
    for (;;) {
      const std::size_t comma = line.find(',', pos);
      cells.push_back(line.substr(pos, comma - pos));
      if (comma == std::string::npos) return cells;
      pos = comma + 1;
    }
  }

  // The CSV data line of `heater output` as numbers.
  std::vector<double> Output(const std::string& args, const std::string& env = "") {
    const Result r = Run("heater output --csv " + args, env);
    EXPECT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "tm,delta,dtln,f_connection,f_position,f_coverage,f_temperature,f_massflow,"
              "f_elements,f_carrier,overall,output");
    std::vector<double> values;
    if (lines.size() == 2) {
      for (const auto& cell : Cells(lines[1])) values.push_back(ParseDouble(cell, '.'));
    }
    values.resize(12);
    return values;
  }

  std::filesystem::path Table(long group) const {
    return std::filesystem::path(std::getenv("KVEM_DATA_DIR")) / "Katalogy" /
           (ProductTableName(group) + ".dbf");
  }

  test::TempDir dir_;
};

enum { kTm, kDelta, kDtln, kFx, kFp, kFo, kFt, kFm, kFe, kFc, kOverall, kOutput };

TEST_F(HeaterCli, OutputModel) {
  // A new record: 70/55/20, coverage 2.
  auto v = Output("--q 1000 --n 1.3");
  EXPECT_EQ(v[kTm], 62.5);
  EXPECT_EQ(v[kDelta], 15);
  EXPECT_NEAR(v[kFt], std::pow(42.5 / 60.0, 1.3), 1e-12);
  EXPECT_NEAR(v[kOutput], 1000 * v[kOverall], 1e-9);
  EXPECT_NEAR(v[kOverall], v[kFt] * v[kFm], 1e-15);
  EXPECT_EQ(v[kFe], 1.0);

  // 90/70/20: temperature coefficient exactly 1, mass flow about 1.0006^n.
  v = Output("--q 1000 --n 1.3 --tw 90 --tr 70");
  EXPECT_EQ(v[kFt], 1.0);
  EXPECT_NEAR(v[kFm], 1.0007513, 1e-6);
  EXPECT_NEAR(v[kDtln], 59.4403, 1e-4);
  // 75/65/20, n = 1.3.
  v = Output("--q 1000 --n 1.3 --tw 75 --tr 65");
  EXPECT_NEAR(v[kFt], 0.789, 5e-4);

  // Variants and carrier.
  v = Output("--q 1000 --n 0 --connection 5 --position 2 --coverage 8 --carrier 0.9");
  EXPECT_EQ(v[kFx], 0.85);
  EXPECT_EQ(v[kFp], 0.95);
  EXPECT_EQ(v[kFo], 0.87);
  EXPECT_EQ(v[kFc], 0.9);
  EXPECT_NEAR(v[kOutput], 1000 * 0.85 * 0.95 * 0.87 * 0.9 * v[kFm], 1e-9);

  // Sectional: Q per element, the elements coefficient from N.
  v = Output("--q 150 --n 1.3 --elements 10");
  EXPECT_NEAR(v[kFe], 1.000052, 1e-6);
  EXPECT_NEAR(v[kOutput], 10 * 150 * v[kOverall], 1e-9);
}

TEST_F(HeaterCli, ElementsOutsideTheirRangeWarn) {
  for (const char* n : {"2", "31"}) {
    const Result r = Run(std::string("heater output --csv --q 150 --n 1.3 --elements ") + n);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("outside 3 to 30"), std::string::npos) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    const auto cells = Cells(lines[1]);
    EXPECT_EQ(cells[kFe], "0");
    EXPECT_EQ(cells[kOutput], "0");
  }
}

TEST_F(HeaterCli, MeaninglessInputIsRefused) {
  const struct {
    const char* args;
    const char* names;
  } cases[] = {
      {"--tw 60 --tr 60", "Inlet and outlet"},
      {"--tw 20", "Inlet"},
      {"--tr 15", "Outlet"},
      {"--ti 55", "Outlet"},
      {"--connection 6", "connection"},
      {"--position 0", "Position"},
      {"--coverage 9", "coverage"},
  };
  for (const auto& c : cases) {
    for (const char* csv : {"", " --csv"}) {
      const Result r = Run(std::string("heater output --q 1000 --n 1.3 ") + c.args + csv);
      EXPECT_EQ(r.status, 1) << c.args;
      EXPECT_NE(r.err.find(c.names), std::string::npos) << c.args << ": " << r.err;
      EXPECT_EQ(r.out.find("nan"), std::string::npos);
      EXPECT_LE(Lines(r.out).size(), std::string(csv).empty() ? 0u : 1u) << r.out;
    }
  }
  EXPECT_EQ(Run("heater output --q 1000 --n 1,3").status, 2);
  EXPECT_EQ(Run("heater output --q nan --n 1.3").status, 2);
}

TEST_F(HeaterCli, DecimalSeparatorOfTheLocale) {
  Result r = Run("heater output --q 1000.5 --n 1.3", "LC_ALL= LC_NUMERIC= LANG=cs_CZ.UTF-8");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("overall coefficient of foreseen differences"), std::string::npos);
  EXPECT_NE(r.out.find("1000,5"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("62,5"), std::string::npos);
  r = Run("heater output --csv --q 1000.5 --n 1.3", "LC_ALL=de_DE.UTF-8");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(Lines(r.out)[1].rfind("62.5,15,", 0), 0u) << r.out;
}

TEST_F(HeaterCli, SelectOnTheShippedTables) {
  // Type 22: the default length filter (0 <= x < 3000) leaves out the six 3000-mm rows.
  Result r = Run("heater select '" + Table(73524).string() + "' --loss 1000 --csv");
  ASSERT_EQ(r.status, 0) << r.err;
  auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "listed,covered,heaters,elements,overall,not_covered,still_needed,reserve,next");
  auto cells = Cells(lines[1]);
  EXPECT_EQ(std::count(cells[0].begin(), cells[0].end(), ' ') + 1, 156);
  EXPECT_EQ(cells[0].rfind("1 2 3 ", 0), 0u);
  EXPECT_EQ(cells[1], "0");
  EXPECT_EQ(cells[5], "1000");
  EXPECT_EQ(cells[7], "0");

  // Height 600 only, rows 1 and 2 selected without "identical": one heater.
  r = Run("heater select '" + Table(73524).string() +
          "' --loss 1000 --height '600 = x' --rows 1,2 --heaters 3 --csv");
  ASSERT_EQ(r.status, 0) << r.err;
  cells = Cells(Lines(r.out)[1]);
  EXPECT_EQ(cells[0].substr(0, 12), "109 110 111 ");
  EXPECT_EQ(cells[2], "1");

  // Cast iron, 580 x 160 (118.2 W an element at 90/70/20): 1000 W needs 9 elements.
  r = Run("heater select '" + Table(73526).string() +
          "' --loss 1000 --rows 4 --csv --tw 90 --tr 70");
  ASSERT_EQ(r.status, 0) << r.err;
  cells = Cells(Lines(r.out)[1]);
  EXPECT_EQ(cells[3], "9");
  const double overall = ParseDouble(cells[4], '.');
  EXPECT_NEAR(overall, 1.0007513, 1e-6);
  EXPECT_NEAR(ParseDouble(cells[1], '.'), 9 * 118.2 * overall, 1e-9);
  EXPECT_NEAR(ParseDouble(cells[7], '.'), 9 * 118.2 * overall - 1000, 1e-9);

  // The human-readable form names the listed products and the balance.
  r = Run("heater select '" + Table(73531).string() + "' --loss 1000 --height x --rows 2");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Vertical tube radiator 1800 x 383"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Reserve [W]"), std::string::npos);
}

TEST_F(HeaterCli, SelectRefusesUnreadableTables) {
  Result r = Run("heater select '" + (dir_ / "IPC_73521.dbf").string() + "' --loss 1000 --csv");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Cann't open file"), std::string::npos) << r.err;
  EXPECT_LE(Lines(r.out).size(), 1u);

  const std::string bytes = test::ReadFile(Table(73522));
  test::WriteFile(dir_ / "cut.dbf", bytes.substr(0, 200));
  r = Run("heater select '" + (dir_ / "cut.dbf").string() + "' --loss 1000");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Errors found during processing !"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");

  EXPECT_EQ(Run("heater select '" + Table(73524).string() + "' --loss 1000 --rows 157").status, 2);
  EXPECT_EQ(
      Run("heater select '" + Table(73524).string() + "' --loss 1000 --length 'x > 5'").status, 2);
}

}  // namespace
}  // namespace kvem
