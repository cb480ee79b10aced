// The pages as an engineer clicks through them: what each shows and when the
// model recomputes.
#include "label/label_sheet.h"

#include <gtest/gtest.h>

#include <map>

namespace kvem {
namespace {

std::map<std::string, std::string> Lines(const LabelSheet& sheet, int page) {
  std::map<std::string, std::string> out;
  for (const PageLine& line : sheet.PageLines(page)) out[line.caption] = line.text;
  return out;
}

class LabelPages : public ::testing::Test {
 protected:
  LabelPages() {
    building_.te = -15;
    d_.volume = 620.0;
    d_.area = 478.5;
    d_.thetaI = 20.0;
    d_.storeyFlag = "NE";
    d_.floorArea = 168.0;
    d_.constructions[0] = {"128,0", "0,16", "0,24", "1", ""};
    d_.constructions[1] = {"250.5", "0.22", "0,30", "1", ""};
    d_.constructions[2] = {"100", "0,3", "0,45", "0,6", ""};
  }
  void ClickThrough(LabelSheet& sheet) {
    sheet.ShowCharacteristics();
    sheet.ShowConstructions();
    for (int row = 0; row < 3; ++row) sheet.RecomputeRow(row);
    sheet.ShowEnergyDemand();
    sheet.ShowLabel();
  }

  EnStData d_;
  BuildingData building_;
};

TEST_F(LabelPages, WorkedBuildingWithDecimalCommas) {
  LabelSheet sheet(d_, building_, ',');
  ClickThrough(sheet);
  auto p2 = Lines(sheet, 2);
  EXPECT_EQ(p2[std::string(label_caption::kVolume)], "620,0");
  EXPECT_EQ(p2[std::string(label_caption::kAToV)], "0,8");
  EXPECT_EQ(p2[std::string(label_caption::kTe)], "-15");
  EXPECT_EQ(p2[std::string(label_caption::kH1)], "94,122");
  EXPECT_EQ(p2[std::string(label_caption::kStoreyHeight)], "Ne");
  EXPECT_EQ(p2[std::string(label_caption::kFloorArea)], "168,00");
  auto p3 = Lines(sheet, 3);
  EXPECT_EQ(p3["Ai 2"], "250,5");
  EXPECT_EQ(p3["Hu 2"], "55,11");
  EXPECT_EQ(p3["Hu 3"], "18,00");
  EXPECT_EQ(p3["Celkem Ai"], "478,5");
  EXPECT_EQ(p3["Celkem Hu"], "93,59");
  auto p4 = Lines(sheet, 4);
  EXPECT_EQ(p4[std::string(label_caption::kEvp)], "13313");
  EXPECT_EQ(p4[std::string(label_caption::kEr)], "16426");
  EXPECT_EQ(p4[std::string(label_caption::kN)], "0,9");
  EXPECT_EQ(p4[std::string(label_caption::kEv) + " [kWh/m2]"], "97,775");
  EXPECT_EQ(p4[std::string(label_caption::kEva)], "127,279");
  auto p6 = Lines(sheet, 6);
  EXPECT_EQ(p6[std::string(label_caption::kSen)], "76,8%");
  EXPECT_EQ(p6[std::string(label_caption::kVerdict)], kVerdictComplies);
  EXPECT_EQ(ClassLetter(d_.sen), 'C');
}

TEST_F(LabelPages, TableEditsRecomputeTheRowAndTheTotals) {
  LabelSheet sheet(d_, building_, '.');
  sheet.ShowConstructions();
  EXPECT_FALSE(LabelSheet::CanEditCell(1, 3));  // UN
  EXPECT_FALSE(LabelSheet::CanEditCell(1, 5));  // Hu
  EXPECT_FALSE(LabelSheet::CanEditCell(12, 1));
  EXPECT_TRUE(LabelSheet::CanEditCell(11, 1));
  sheet.EndCellEdit(4, 1, "2,5");
  sheet.EndCellEdit(4, 2, "2.5");
  sheet.EndCellEdit(4, 4, "1");
  EXPECT_EQ(sheet.CellText(4, 1), "2.5");
  EXPECT_EQ(sheet.CellText(4, 5), "6.25");
  EXPECT_EQ(d_.constructions[3][kCellHu], "6.25");  // the record follows the grid
  sheet.EndCellEdit(11, 1, "999");                  // the total row always shows the sums
  // 128 ("128,0" read with a point) + 250.5 + 100 + 2.5
  EXPECT_EQ(sheet.CellText(11, 1), "481.0");
}

TEST_F(LabelPages, ManualInternalGains) {
  LabelSheet sheet(d_, building_, '.');
  sheet.ShowCharacteristics();
  sheet.ShowEnergyDemand();
  EXPECT_EQ(sheet.energyDemand().evz, "1860");
  sheet.TypeEvz("5000");  // read-only while the box is clear
  EXPECT_EQ(d_.evz, 1860.0);
  sheet.SetManualEvz(true);
  sheet.TypeEvz("5000");
  EXPECT_EQ(d_.er, d_.evp + d_.evv - (d_.ezs + 5000.0) * 0.9);
  sheet.ShowEnergyDemand();  // shown again: the typed value stays
  EXPECT_EQ(sheet.energyDemand().evz, "5000");
  EXPECT_TRUE(sheet.energyDemand().manual);
  sheet.SetManualEvz(false);  // back to 3 V at once
  EXPECT_EQ(d_.evz, 1860.0);
  EXPECT_EQ(sheet.energyDemand().evz, "1860");
}

TEST_F(LabelPages, ZeroRatingDisablesSavingForTheSheet) {
  d_.volume = 1000.0;
  d_.area = 500.0;
  d_.thetaI = 3.8;
  d_.storeyFlag = "ANO";
  d_.manualEvz = 1;
  d_.evz = -6000.0;  // cancels the solar gains: Er = 0
  LabelSheet sheet(d_, building_, '.');
  sheet.ShowCharacteristics();
  EXPECT_FALSE(sheet.characteristics().floorAreaEnabled);
  sheet.ShowEnergyDemand();
  EXPECT_EQ(sheet.energyDemand().ev, "0");
  EXPECT_EQ(sheet.energyDemand().evUnit, "[kWh/m3]");
  sheet.ShowLabel();
  EXPECT_EQ(sheet.label().sen, "0.0%");
  EXPECT_EQ(sheet.label().verdict, kVerdictComplies);
  EXPECT_FALSE(sheet.label().saveEnabled);
  d_.evz = 0.0;
  sheet.ShowEnergyDemand();
  sheet.ShowLabel();
  EXPECT_FALSE(sheet.label().saveEnabled);  // until the sheet is closed
}

TEST_F(LabelPages, NoVolumeShowsZerosAndNamesTheMissingValue) {
  d_.volume = 0.0;
  d_.sen = 55.5;
  LabelSheet sheet(d_, building_, ',');
  ClickThrough(sheet);
  EXPECT_EQ(sheet.characteristics().aToV, "0");
  EXPECT_EQ(sheet.energyDemand().evn, "0");
  EXPECT_EQ(sheet.energyDemand().eva, "0");
  EXPECT_EQ(sheet.label().sen, "55,5");  // as it was, without the percent sign
  EXPECT_EQ(sheet.label().verdict, kMissingVolumeText);
  EXPECT_EQ(sheet.label().outcome, RatingOutcome::Undefined);
  for (int page : {2, 3, 4, 6}) {
    for (const PageLine& line : sheet.PageLines(page)) {
      EXPECT_EQ(line.text.find("nan"), std::string::npos) << line.caption;
      EXPECT_EQ(line.text.find("inf"), std::string::npos) << line.caption;
    }
  }
}

}  // namespace
}  // namespace kvem
