// Standard tables: names by language suffix, choice lists, building types,
// the table editor's command lines.
#include "tables/standard_tables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application.h"
#include "support/test_support.h"

namespace kvem {
namespace {

using test::TempDir;
using ::testing::ElementsAre;

TEST(StandardTables, NamesComeFromTheLanguageSuffix) {
  const StandardTableNames cz = StandardTableNames::ForSuffix("CZ");
  EXPECT_EQ(cz.walls, "Kvem_StK.CZ.dbf");
  EXPECT_EQ(cz.outdoorTemperatures, "Kvem_Te.CZ.dbf");
  EXPECT_EQ(cz.openingCatalogue, "Kvem_Ot.CZ.dbf");
  EXPECT_EQ(cz.IndoorTable(1), "Kvem_TiOb.CZ.dbf");
  EXPECT_EQ(cz.IndoorTable(12), "Kvem_TiPs.CZ.dbf");
  EXPECT_EQ(cz.IndoorTable(13), "");
  EXPECT_EQ(StandardTableNames::ForSuffix("").walls, "Kvem_StK..dbf");

  const auto dormitories = BuildingTypeOf(7);
  ASSERT_TRUE(dormitories);
  EXPECT_EQ(dormitories->text, "Dormitories and lodging houses");
  EXPECT_EQ(FormatTableName(dormitories->indoorTablePattern, "EN"), "Kvem_TiKu.EN.dbf");
  EXPECT_FALSE(BuildingTypeOf(0));

  // The application forms them once, from "JazykovaVerze".
  Settings settings = Settings::InMemory();
  settings.WriteMainForSetup(kLanguageVersion, "EN");
  RecordingMessenger m;
  const Application app(std::move(settings), m, '.');
  EXPECT_EQ(app.tableNames().joints, "Kvem_OtI.EN.dbf");
}

TEST(StandardTables, TableEditorCommandLines) {
  const StandardTableNames cz = StandardTableNames::ForSuffix("CZ");
  const std::filesystem::path data = "/opt/kvem/Kvem/Data";
  EXPECT_EQ(TableEditorCommandLine(kCommandEditWalls, data, cz),
            "\"/opt/kvem/Kvem/Data/Ptab_CZ\" \"/opt/kvem/Kvem/Data/Kvem_StK.CZ.dbf\"");
  EXPECT_EQ(TableEditorCommandLine(kCommandEditOpenings, data, cz),
            "\"/opt/kvem/Kvem/Data/Ptab_CZ\" \"/opt/kvem/Kvem/Data/Kvem_OtK.CZ.dbf\"");
  EXPECT_EQ(TableEditorCommandLine(kCommandEditJoints, data / "", cz),
            "\"/opt/kvem/Kvem/Data/Ptab_CZ\" \"/opt/kvem/Kvem/Data/Kvem_OtI.CZ.dbf\"");
  EXPECT_THAT(TableEditorCommandLine(kCommandEditOpeningTypes, data, cz),
              ::testing::EndsWith("/Kvem_Ot.CZ.dbf\""));
  EXPECT_THAT(TableEditorCommandLine(kCommandEditFloorHeating, data, cz),
              ::testing::EndsWith("/Kvem_PoUp.CZ.dbf\""));
  EXPECT_THAT(TableEditorCommandLine(kCommandEditOutdoorTemperatures, data, cz),
              ::testing::EndsWith("/Kvem_Te.CZ.dbf\""));
  EXPECT_EQ(TableEditorCommandLine(32773, data, cz), "");

  RecordingLauncher launcher;
  launcher.succeed = false;  // a failed start is not reported, nothing waits
  StartTableEditor(kCommandEditWalls, "/my data/Kvem/Data", cz, launcher);
  ASSERT_EQ(launcher.starts.size(), 1u);
  EXPECT_EQ(launcher.starts[0].program, "/my data/Kvem/Data/Ptab_CZ");
  EXPECT_THAT(launcher.starts[0].arguments, ElementsAre("/my data/Kvem/Data/Kvem_StK.CZ.dbf"));
}

TEST(StandardTables, ChoiceListKeepsFileOrderAndTakesFieldsOver) {
  TempDir dir;
  RecordingMessenger m;
  DbfTable ot;
  ASSERT_TRUE(DbfTable::Create({{"TYP", 'C', 30},
                                {"SIRKA", 'N', 5},
                                {"VYSKA", 'N', 5},
                                {"K", 'N', 5, 2},
                                {"I", 'N', 5, 2},
                                {"SPARA", 'N', 6}},
                               ot, nullptr));
  ot.AddRecord({"Okno dřevěné", "1200", "1500", "1.2", "1.4", "5400"});
  ot.AddRecord({"Dveře", "800", "1970", "2.0", "1.9", "5540"});
  ot.AddRecord({"Okno plastové", "900", "1200", "1.1", "0.3", "4200"});
  ASSERT_TRUE(WriteDbfTable(dir / "Kvem_Ot.CZ.dbf", ot, m));

  ChoiceList list;
  ASSERT_TRUE(list.Load(dir.path(), "Kvem_Ot.CZ.dbf", m));
  EXPECT_THAT(list.ListedTexts(), ElementsAre("Okno dřevěné", "Dveře", "Okno plastové"));
  EXPECT_EQ(list.Number(2, 2, ','), 900);
  EXPECT_EQ(list.Number(2, 3, '.'), 1200);
  EXPECT_DOUBLE_EQ(list.Number(2, 4, ','), 1.1);
  EXPECT_DOUBLE_EQ(list.Number(2, 5, '.'), 0.3);
  EXPECT_EQ(list.Number(2, 6, '.'), 4200);
  EXPECT_EQ(list.Field(3, 1), "");
  EXPECT_EQ(list.Field(0, 7), "");

  EXPECT_DOUBLE_EQ(ReadTableDecimal("1,5", '.'), 1.5);
  EXPECT_DOUBLE_EQ(ReadTableDecimal(" 1.5", ','), 1.5);
  EXPECT_DOUBLE_EQ(ReadTableDecimal("-12", ','), -12);

  // A table with no records is an empty list; a missing one reports itself.
  ot.ClearRecords();
  ASSERT_TRUE(WriteDbfTable(dir / "empty.dbf", ot, m));
  ASSERT_TRUE(list.Load(dir / "empty.dbf", m));
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(list.Load(dir.path(), "Kvem_StK..dbf", m));
  EXPECT_THAT(m.texts().back(), ::testing::HasSubstr("Cann't open file"));
  test::WriteFile(dir / "bad.dbf", std::string(40, '\x04'));
  m.Clear();
  EXPECT_FALSE(list.Load(dir / "bad.dbf", m));
  EXPECT_THAT(m.texts(),
              ElementsAre("DBF_UTIL: Error of file - 2 !", "Errors found during processing !"));
}

}  // namespace
}  // namespace kvem
