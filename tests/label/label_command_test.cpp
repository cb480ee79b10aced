// kvem-cli label as a script drives it: output, CSV, the HTML page and the
// exit statuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/test_support.h"

namespace {

using kvem::test::ReadFile;
using kvem::test::TempDir;
using kvem::test::WriteFile;

constexpr const char* kRecord =
    R"({"project": {"Te": -15, "date": "2026-11-30", "prepared_by": "Ing. Jana Černá"},
 "label": {"kind": "Stavby pro bydlení", "kind_detail": "1 - Rodiný dům, osamoceně stojící",
  "owner": "Obec Lhota", "V": 620.0, "A": 478.5, "theta_i": 20.0, "storey_flag": "NE", "Af": 168.0,
  "constructions": [["128,0", "0,16", "0,24", "1", ""], ["250.5", "0.22", "0,30", "1", ""],
                    ["100", "0,3", "0,45", "0,6", ""], ["", "", "0,5", "", "7,5"]]}})";

using Result = kvem::test::CliResult;

class LabelCli : public ::testing::Test {
 protected:
  LabelCli() {
    WriteFile(dir_ / "kvem.ini",
              "[Main]\nPathMain=" + std::string(std::getenv("KVEM_DATA_DIR")) + "\n");
    WriteFile(dir_ / "label.json", kRecord);
  }
  // Runs in the test's folder, so that files are named relatively.
  Result Run(const std::string& arguments, const std::string& environment = "LANG=cs_CZ.UTF-8") {
    return kvem::test::RunCli(
        dir_.path(), "label " + arguments,
        "cd '" + dir_.path().string() + "' && env LC_ALL= LC_NUMERIC= " + environment);
  }

  TempDir dir_;
};

TEST_F(LabelCli, EvaluatePrintsThePagesWithTheUsersSeparator) {
  const Result r = Run("evaluate label.json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* line :
       {"Geometrická charakteristika budovy A / V [m-1]: 0,8\n",
        "Vnější návrhová teplota v zimním období [°C]: -15\n", "Ai 2: 250,5\n", "Hu 2: 55,11\n",
        "Hu 4: 7,5\n", "Celkem Hu: 101,09\n", "Zjištěná hodnota: 80,1%\n",
        "Vyhodnocení: BUDOVA SPLŇUJE POŽADAVEK ČSN 73 0540-2\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
  }
  const Result point = Run("evaluate label.json --decimal-separator .");
  EXPECT_NE(point.out.find("Ai 1: 128.0\n"), std::string::npos) << point.out;
}

TEST_F(LabelCli, CsvIsTheMachineReadableEvaluation) {
  const Result r = Run("evaluate label.json --csv");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string header =
      "av,h1,h2,suma,ht,evp,evv,ezs,evz,n,er,ev,evn,eva,rating_ok,sen,class,verdict,"
      "a_1,a_2,a_3,a_4,a_5,a_6,a_7,a_8,a_9,a_10,hu_1,hu_2,hu_3,hu_4,hu_5,hu_6,hu_7,hu_8,hu_9,hu_"
      "10\n";
  ASSERT_EQ(r.out.substr(0, header.size()), header);
  const std::string values = r.out.substr(header.size());
  EXPECT_EQ(values.rfind("0.77177419354838706,94.121999999999986,13.122,478.5,101.09,", 0), 0u)
      << values;
  EXPECT_NE(values.find(",0.90000000000000002,"), std::string::npos);
  EXPECT_NE(values.find(",1,80.12"), std::string::npos) << values;
  EXPECT_NE(
      values.find(",D,BUDOVA SPLŇUJE POŽADAVEK ČSN 73 0540-2,\"128,0\",\"250,5\",\"100,0\",,"),
      std::string::npos)
      << values;
  EXPECT_NE(values.find(",\"20,48\",\"55,11\",\"18,00\",\"7,5\",,,,,,\n"), std::string::npos);

  const Result stored = Run("evaluate label.json --csv --as-stored --decimal-separator .");
  EXPECT_NE(stored.out.find(",\"128,0\",250.5,100,,"), std::string::npos) << stored.out;
}

TEST_F(LabelCli, UndefinedRecordWritesNoNanAndSaysWhy) {
  WriteFile(dir_ / "v0.json", R"({"label": {"A": 500, "theta_i": 20, "Af": 100}})");
  const Result r = Run("evaluate v0.json --csv");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("nan"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("inf"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n,94.121999999999986,"), std::string::npos) << r.out;  // av empty
  EXPECT_NE(r.out.find(",,,,,,,,,,,,,,,,,,,,,,,,\n"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("chybí objem budovy V"), std::string::npos) << r.err;

  const Result page = Run("html v0.json out.htm");
  ASSERT_EQ(page.status, 0) << page.err;
  const std::string html = ReadFile(dir_ / "out.htm");
  EXPECT_EQ(html.find("nan"), std::string::npos);
  EXPECT_EQ(html.find("%Hodnot"), std::string::npos);
}

TEST_F(LabelCli, HtmlWritesThePageAndItsPicture) {
  const Result r = Run("html label.json EnergetickyStitekBudovy.html");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string page = ReadFile(dir_ / "EnergetickyStitekBudovy.html");
  EXPECT_EQ(page.find('\n'), std::string::npos);
  EXPECT_NE(page.find("src=\"EnergetickyStitekBudovy.gif\""), std::string::npos);
  EXPECT_NE(page.find("Obec Lhota"), std::string::npos);
  EXPECT_NE(page.find("Ing. Jana \xC8\x65rn\xE1"), std::string::npos);  // Windows-1250
  EXPECT_NE(page.find("80,1%"), std::string::npos);
  EXPECT_EQ(
      ReadFile(dir_ / "EnergetickyStitekBudovy.gif"),
      ReadFile(std::string(std::getenv("KVEM_DATA_DIR")) + "/Kvem/EnergetickyStitekObrazek.gif"));

  WriteFile(dir_ / "t.htm", "[%HodnotaKlasifikace%]\r\n[%HodnataSEN%]");
  const Result own = Run("html label.json own.htm --template t.htm --decimal-separator .");
  ASSERT_EQ(own.status, 0) << own.err;
  // Row 4 is not typed: its stored Hu "7,5" reads 7 with a point, and SEN drops below 80.
  EXPECT_EQ(ReadFile(dir_ / "own.htm"), "[C][79.9]");
}

TEST_F(LabelCli, ExitStatuses) {
  EXPECT_EQ(Run("evaluate missing.json").status, 1);
  WriteFile(dir_ / "other.json", R"({"project": {}})");
  const Result notLabel = Run("html other.json out.htm");
  EXPECT_EQ(notLabel.status, 1);
  EXPECT_NE(notLabel.err.find("is not a label record"), std::string::npos);
  const Result noTemplate = Run("html label.json out.htm --template none.htm");
  EXPECT_EQ(noTemplate.status, 1);
  EXPECT_NE(noTemplate.err.find("IDS_"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out.htm"));
  EXPECT_EQ(Run("evaluate").status, 2);
  EXPECT_EQ(Run("html label.json").status, 2);
  EXPECT_EQ(Run("evaluate label.json --bogus").status, 2);
  EXPECT_EQ(Run("evaluate label.json --decimal-separator ';'").status, 2);
}

}  // namespace
