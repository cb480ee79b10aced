#include "heatloss/main_data_form.h"

#include <gtest/gtest.h>

#include <map>

namespace kvem {
namespace {

TEST(BuildingNumberForm, BTableByKindLandscapeAndLocation) {
  EXPECT_EQ(CharacteristicNumberB(BuildingKind::Detached, false, 2), 12);
  EXPECT_EQ(CharacteristicNumberB(BuildingKind::Terraced, true, 0), 6);
  EXPECT_EQ(CharacteristicNumberB(BuildingKind::Detached, true, 2), 16);
  EXPECT_EQ(CharacteristicNumberB(BuildingKind::Terraced, false, 0), 3);
  EXPECT_EQ(CharacteristicNumberB(BuildingKind::None, false, 1), 0);
}

TEST(BuildingNumberForm, WindTextChoosesGroupAndLocationBeforeKindChangesNothing) {
  BuildingData data;
  data.b = 5;
  data.windyLandscape = "YES";
  BuildingNumberForm windy(data);
  EXPECT_FALSE(windy.windyGroupEnabled());
  EXPECT_EQ(windy.fieldText(), "Select type of building");
  windy.ChooseLocation(2);
  EXPECT_EQ(data.b, 5);
  windy.ChooseKind(BuildingKind::Terraced);
  EXPECT_TRUE(windy.windyGroupEnabled());
  EXPECT_FALSE(windy.normalGroupEnabled());
  EXPECT_EQ(windy.fieldText(), "Select landscape zone");
  windy.ChooseLocation(0);
  EXPECT_EQ(data.b, 6);
  EXPECT_EQ(windy.fieldText(), "6");

  for (const char* wind : {"no", ""}) {
    data.windyLandscape = wind;
    BuildingNumberForm normal(data);
    normal.ChooseKind(BuildingKind::Detached);
    EXPECT_TRUE(normal.normalGroupEnabled()) << wind;
    normal.ChooseLocation(2);
    EXPECT_EQ(data.b, 12);
  }
}

TEST(HeatUpAllowanceForm, ChoiceStaysAfterStorno) {
  BuildingData data;
  {
    HeatUpAllowanceForm form(data);
    EXPECT_EQ(form.fieldText(), "Select");
    form.Choose(2);
    EXPECT_EQ(form.fieldText(), "0.2");
  }  // the dialog closes with Storno: nothing is undone
  EXPECT_DOUBLE_EQ(data.p2, 0.2);
}

TEST(MainDataForm, OkNeedsEveryRequiredField) {
  BuildingData data;
  data.projectName2 = "P";
  data.buildingName1 = "B";
  data.preparedBy = "Me";
  data.jobOrderNumber = "1";
  data.registrationNumber = "2";
  data.te = -15;
  data.b = 6;
  data.p2 = 0.1;
  MainDataFields fields = MainDataFieldsOf(data, ',');
  EXPECT_EQ(fields.p2, "0,1");
  EXPECT_FALSE(MainDataOkEnabled(fields));  // no type of building
  fields.buildingType = "Office block";
  EXPECT_TRUE(MainDataOkEnabled(fields));
  fields.registrationNumber.clear();
  EXPECT_FALSE(MainDataOkEnabled(fields));
}

TEST(MainDataForm, PrefillOnlyWithoutJobOrderAndRegistrationNumber) {
  std::map<long, std::string> lines = {{3, "Author"}, {4, "House"}, {5, "Project"},
                                       {6, "Second"}, {11, "J-11"}, {12, "R-12"}};
  auto line = [&lines](long n) { return lines.count(n) ? lines[n] : std::string(); };
  BuildingData data;
  ASSERT_TRUE(MainDataNeedsPrefill(data));
  MainDataFields fields = MainDataFieldsOf(data, '.');
  PrefillMainData(fields, line);
  EXPECT_EQ(fields.preparedBy, "Author");
  EXPECT_EQ(fields.buildingName1, "House");
  EXPECT_EQ(fields.projectName1, "Project");
  EXPECT_EQ(fields.buildingName2, "Project");
  EXPECT_EQ(fields.projectName2, "Second");
  EXPECT_EQ(fields.jobOrderNumber, "J-11");
  EXPECT_EQ(fields.registrationNumber, "R-12");
  data.registrationNumber = "x";
  EXPECT_FALSE(MainDataNeedsPrefill(data));
}

TEST(MainDataForm, OkCutsTextsAndConvertsNumbers) {
  BuildingData data;
  MainDataFields fields;
  fields.projectName1 = std::string(60, 'a');
  fields.altitude = "1234567890123";
  fields.te = "-15 degrees";
  fields.b = "x";
  fields.p2 = "0.2";  // a point typed under a comma locale
  ApplyMainData(fields, data, ',');
  EXPECT_EQ(data.projectName1.size(), 49u);
  EXPECT_EQ(data.altitude, "123456789");
  EXPECT_EQ(data.te, -15);
  EXPECT_EQ(data.b, 0);
  EXPECT_DOUBLE_EQ(data.p2, 0.2);
}

TEST(MainDataForm, SpecifyBNeedsLocationAndWindExposure) {
  MainDataFields fields;
  EXPECT_FALSE(SpecifyBEnabled(fields));
  fields.location = "Praha";
  EXPECT_TRUE(SpecifyBEnabled(fields));
  BuildingData data;
  RecordingMessenger messenger;
  EXPECT_FALSE(MayOpenBuildingNumberDialog(data, messenger));
  ASSERT_EQ(messenger.texts().size(), 1u);
  EXPECT_EQ(messenger.messages()[0].text, "Isn't booked up placing construction");
  EXPECT_EQ(messenger.messages()[0].caption, "Kvem - error");
}

TEST(OutdoorTemperatureForm, StoredLocationSelectsRowAndTypedValuesWin) {
  std::vector<TableRow> rows = {{"Brno", "227", "-12", "no"}, {"Praha", "191", "-12", "no"},
                                {"Praha-Ruzyne", " 364", " -15", "yes"}};
  BuildingData data;
  data.location = "Praha";
  OutdoorTemperatureForm form(data, rows);
  EXPECT_EQ(form.selected(), 1);
  EXPECT_EQ(form.altitude, "191");
  form.Choose(2);
  EXPECT_EQ(data.location, "Praha-Ruzyne");  // at once, before OK
  EXPECT_EQ(data.te, 0);
  form.te = "-17";
  form.Accept();
  EXPECT_EQ(data.te, -17);
  EXPECT_EQ(data.altitude, "364");
  EXPECT_EQ(data.windyLandscape, "yes");

  BuildingData fresh;
  OutdoorTemperatureForm unselected(fresh, rows);
  EXPECT_EQ(unselected.selected(), -1);
  EXPECT_EQ(unselected.te, "Select");
}

TEST(BuildingTypeForm, CodeAtOnceTextAndTableOnClose) {
  std::vector<BuildingTypeChoice> choices;
  for (int i = 1; i <= 12; ++i) {
    choices.push_back({"label", "text " + std::to_string(i), "Kvem_Ti" + std::to_string(i)});
  }
  BuildingData data;
  BuildingTypeForm form(data, choices);
  EXPECT_EQ(form.checked(), -1);
  form.Close();
  EXPECT_TRUE(data.buildingTypeText.empty());
  form.Choose(6);
  EXPECT_EQ(data.buildingTypeCode, 7);
  EXPECT_TRUE(data.buildingTypeText.empty());
  form.Close();
  EXPECT_EQ(data.buildingTypeText, "text 7");
  EXPECT_EQ(data.indoorTemperatureTable, "Kvem_Ti7");
  EXPECT_EQ(BuildingTypeLabels()[1], "Administrative building");
}

}  // namespace
}  // namespace kvem
