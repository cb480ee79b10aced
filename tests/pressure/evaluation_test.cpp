// The sheet model: pairing of heaters, page-3 distribution, the report and
// the texts sent into the drawing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/messenger.h"
#include "platform/numbers.h"
#include "pressure/evaluation.h"
#include "pressure/network_fixtures.h"
#include "pressure/pressure_report.h"
#include "pressure/valves.h"
#include "support/test_support.h"

namespace kvem {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class Sheet : public ::testing::Test {
 protected:
  PressureEvaluation Make(const std::string& preset = "", const std::string& kind = "P") {
    test::WriteFile(dir_ / "r.txt", test::NetworkText({"1 A 2000 3000 20x2.3 2 0",
                                                       "1 AB 1500 1163 16x1.8 2 1 4 T1 1500",
                                                       "1 AC 1500 1163 16x1.8 2 2 5 T2 0"},
                                                      kind, preset));
    test::WriteFile(
        dir_ / "z.txt",
        test::NetworkText({"1 A 2000 3000 20x2.3 2 0", "1 AB 1500 1163 16x1.8 2 1 4 T1 1500",
                           "1 AC 1500 1164 16x1.8 2 2 5 T2 0"},  // flow differs
                          kind, preset));
    return PressureEvaluation([this](char k) { return dir_ / (std::string(1, k) + ".txt"); }, 70,
                              55, ',', m_);
  }
  test::TempDir dir_;
  RecordingMessenger m_;
};

TEST_F(Sheet, PairsHeatersAndDistributesThePumpOutput) {
  PressureEvaluation e = Make();
  ASSERT_TRUE(e.OpenMediumPage(Medium::Supply));
  ASSERT_TRUE(e.OpenMediumPage(Medium::Return));
  EXPECT_EQ(e.Title(), "70/55");
  const CPrivodTelesa& r = e.network(Medium::Supply);
  EXPECT_EQ(CriticalRow(r), 3);  // "AB" and "AC" lose alike: the last one
  EXPECT_TRUE(m_.messages().empty());

  e.OpenInAllPage();
  EXPECT_THAT(m_.texts(), ElementsAre("Heater 'T2' - bad date!"));
  EXPECT_EQ(m_.messages()[0].caption, "Kvem - notice");
  const auto& items = e.items().sections;
  ASSERT_EQ(items.size(), 2u);
  const CPrivodTelesa& z = e.network(Medium::Return);
  EXPECT_EQ(items[0].all, r.sections[1].all + z.sections[1].all);
  EXPECT_EQ(items[1].all, r.sections[2].all);  // unmatched: the supply side only
  EXPECT_EQ(e.criticalPressure(), items[0].all);
  EXPECT_EQ(e.availablePressure(), e.criticalPressure());
  EXPECT_EQ(items[0].overplus, 0);

  const double before = items[1].overplus;
  e.EnterPumpOutput("20000,5");  // read with the user's comma
  EXPECT_EQ(e.availablePressure(), 20000.5);
  EXPECT_EQ(e.criticalPressure(), items[0].all);
  EXPECT_NEAR(items[1].overplus - before, 20000.5 - e.criticalPressure(), 1e-9);
  EXPECT_EQ(e.MinimumPumpOutputText(), FormatDouble("%.0f", e.criticalPressure()));

  m_.Clear();
  ASSERT_TRUE(e.Ok(dir_ / "Tlak_Pos.txt", "2024-05-01 10:00:00"));
  const std::string text = e.ReportText();
  EXPECT_THAT(m_.texts(), ElementsAre("Heater 'T2' - bad date!"));
  EXPECT_EQ(m_.messages()[0].caption, "Kvem - error");
  std::string bytes = test::ReadFile(dir_ / "Tlak_Pos.txt");
  EXPECT_EQ(bytes.substr(0, 30), "Created=2024-05-01 10:00:00\r\n\r");
  EXPECT_THAT(bytes, HasSubstr("\r\nT\xECleso "));  // Windows-1250
  std::string back;
  ForEachLine(Cp1250ToUtf8(bytes), [&](std::string_view line) { back.append(line).append("\n"); });
  EXPECT_EQ(back, text);
}

TEST_F(Sheet, HeaderLineSevenSetsThePumpOutput) {
  PressureEvaluation e = Make("30000", "S");
  ASSERT_TRUE(e.OpenMediumPage(Medium::Supply));
  ASSERT_TRUE(e.OpenMediumPage(Medium::Return));
  e.OpenInAllPage();
  EXPECT_EQ(e.availablePressure(), 30000);
  EXPECT_EQ(e.PumpOutputText(), "30000");
  EXPECT_LT(e.criticalPressure(), 30000);
  EXPECT_EQ(e.items().sections[0].overplus, 30000 - e.items().sections[0].all);
  EXPECT_FALSE(e.ShowsHeatersLoopButton());

  const DrawingWrite write = EnterCalculationWrite(e.header(), e.criticalPressure(), e.items());
  ASSERT_EQ(write.sends.size(), 2u);
  EXPECT_EQ(write.sends[1], "ZapisCisloStoupackySchema");
  EXPECT_THAT(write.sends[0],
              ::testing::MatchesRegex(R"(\(setvar "USERS5" "4;-?[0-9]+;5;-?[0-9]+;"\))"));
}

TEST_F(Sheet, MissingFileCancels) {
  PressureEvaluation e([this](char) { return dir_ / "none.txt"; }, 70, 55, '.', m_);
  EXPECT_FALSE(e.OpenMediumPage(Medium::Supply));
  EXPECT_EQ(m_.messages().at(0).caption, "Kvem - error:");
}

CUsekPrivodu Item(std::string heater, int type, int regulation, double remainder) {
  CUsekPrivodu i;
  i.heater = std::move(heater);
  i.elementType = type;
  i.regulation = regulation;
  i.remainder = remainder;
  i.flow = 50;
  i.all = 1234.5;
  i.minDisposalPressure = 1500;
  i.riser = "4";
  return i;
}

TEST(Report, WidthsHeadingsAndUnionNote) {
  CPrivodTelesa supply, ret, items;
  CUsekPrivodu s;
  s.branch = 12345;
  s.section = "ABČDEFGHIJKLMNOPQRSTUVWXYZ";  // cut to 20 characters
  s.pipe = "16x1.8";
  s.heatLoad = 1163;
  s.flow = 50.004;
  s.ksi = 2.5;
  supply.sections = {s};
  s.elementType = 1;
  s.heater = "Těleso";
  ret.sections = {s};
  items.sections = {Item("T1", 1, 2, 10000.0), Item("Otopné těleso číslo 1234", 2, 0, 10000.01),
                    Item("T3", 0, 0, 0)};
  const std::string text = PressureReportText("now", supply, ret, items, "P", ',');
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view l) { lines.emplace_back(l); });
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[2],
            " BranchN.SectionN.         QuantityH.[W]  FlowRate    Length LengthO. Pipe"
            "                    v[m/s]   R[Pa/m]   R*l[Pa]    ksí[-]     Z[Pa] R*l+Z[Pa]"
            "  Kum.[Pa]Overpl.[Pa] Heater");
  EXPECT_EQ(lines[3].rfind("   12345 ABČDEFGHIJKLMNOPQRST      1163     50,00", 0), 0u);
  EXPECT_EQ(Utf8Length(lines[3]), 191u);  // 31 blanks after All for a section without valve
  EXPECT_EQ(Utf8Length(lines[6]), 8 + 21 + 40 + 21 + 70 + 10 + 21u);
  EXPECT_EQ(
      lines[8],
      "Těleso              Kumul.[Pa]  Přebytek   Průt.mn.  Ventil Regulace Zbytek[Pa] Poznámka");
  const std::string numbers = "   1234,50      0,00     50,00 ";
  EXPECT_EQ(lines[9], "T1" + std::string(18, ' ') + numbers + "  Pexon       2    10000,00 ");
  EXPECT_EQ(lines[10],
            "Otopné těleso číslo " + numbers + "HEIMEIER   bez     10000,01  control pipe union");
  EXPECT_EQ(lines[11], "T3" + std::string(18, ' ') + numbers + " without   bez         0,00 ");
  EXPECT_EQ(PressureReportText("now", supply, ret, items, "S", '.').find("control pipe union"),
            std::string::npos);
}

TEST(Report, CannotWriteSaysCosi) {
  RecordingMessenger m;
  test::TempDir dir;
  const CPrivodTelesa none;
  const std::filesystem::path file = dir / "no" / "Tlak_Pos.txt";
  EXPECT_FALSE(WritePressureReport(file, "x\r\n", 0, m));
  EXPECT_FALSE(WritePressureReportFile(file, "t", none, none, none, "P", '.', m));
  EXPECT_THAT(m.texts(), ElementsAre("cosi=" + file.string(), "cosi=" + file.string()));
}

TEST(Report, FileReplacedWholeAndKeepsItsPermissions) {
  RecordingMessenger m;
  test::TempDir dir;
  const CPrivodTelesa none;
  const std::filesystem::path file = dir / "Tlak_Pos.txt";
  test::WriteFile(file, std::string(100000, 'x'));
  const auto mode = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                    std::filesystem::perms::group_read;
  std::filesystem::permissions(file, mode);
  ASSERT_TRUE(WritePressureReportFile(file, "t", none, none, none, "P", '.', m));
  EXPECT_EQ(std::filesystem::status(file).permissions(), mode);
  EXPECT_EQ(test::ReadFile(file).substr(0, 13), "Created=t\r\n\r\n");
  EXPECT_EQ(test::ReadFile(file).find('x'), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left beside it
  EXPECT_TRUE(m.messages().empty());
}

TEST(Grid, CellsAsTheGridsShowThem) {
  CUsekPrivodu s;
  s.flow = 50.005;
  s.overplus = 12.5;
  auto row = MediumGridRow(s, ',');
  ASSERT_EQ(row.size(), kMediumColumns.size());
  EXPECT_EQ(row[3], "50,01");
  EXPECT_EQ(row[14], "");  // no overplus without a valve
  s.elementType = 1;
  EXPECT_EQ(MediumGridRow(s, '.')[14], "12.50");

  const CUsekPrivodu item = Item("T1", 1, 0, 10000.5);
  EXPECT_THAT(InAllGridRow(item, "P", '.'),
              ElementsAre("T1", "1234.50", "0.00", "50.00", "  Pexon ", "N", "10000", "4",
                          "regulační šroubení"));
  EXPECT_THAT(
      InAllGridRow(Item("T1", 2, 3, 900), "S", '.'),
      ElementsAre("T1", "1234.50", "0.00", "50.00", "HEIMEIER", "3", "900", "4", "1500", "-600"));
  EXPECT_EQ(InAllColumns("S").size(), 10u);

  CPrivodTelesa items;
  items.sections = {Item("T1", 1, 2, 0), Item("T2", 0, 0, 0)};
  EXPECT_EQ(PresettingList(items), "T1;  Pexon ;2;4;T2;;0;4;");
  NetworkHeader header;
  header.values[2] = "12";
  header.values[5] = "P";
  EXPECT_THAT(EnterCalculationWrite(header, 4999.5, items).sends,
              ElementsAre("(setvar \"USERS5\" \"5000\")", "ZapisHodnotuTlaku",
                          "(setvar \"USERS5\" \"12\")", "ZapisCisloStoupacky"));
  EXPECT_EQ(HeatersLoopWrite(items).sends.back(), "ZapisRegulaciDoVykresu");
}

}  // namespace
}  // namespace kvem
