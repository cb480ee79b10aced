// The shipped installation tree: every standard table is what its text source
// builds, exists in both language versions, fits its fields and holds values
// an engineer would accept.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/numbers.h"
#include "support/test_support.h"
#include "tables/dbf.h"
#include "tables/dbf_source.h"
#include "tables/standard_tables.h"

namespace kvem {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;

fs::path DataTree() {
  const char* dir = std::getenv("KVEM_DATA_DIR");
  return dir ? fs::path(dir) : fs::path("data");
}
fs::path TablesDir() {
  return DataTree() / "Kvem" / "Data";
}
fs::path SourcesDir() {
  return DataTree() / "src" / "Kvem" / "Data";
}

const std::vector<std::string> kTables = {"Te",   "StK",  "OtK",  "OtI",  "Ot",   "TiOb",
                                          "TiAd", "TiSk", "TiZr", "TiOd", "TiHr", "TiKu",
                                          "TiDk", "TiSb", "TiNl", "TiZs", "TiPs", "PoUp"};
const std::vector<std::string> kSuffixes = {"CZ", "EN"};

std::string Name(const std::string& table, const std::string& suffix) {
  return "Kvem_" + table + "." + suffix;
}

std::string Quote(const fs::path& p) {
  return "'" + p.string() + "'";
}

DbfTable Shipped(const std::string& table, const std::string& suffix) {
  DbfTable t;
  RecordingMessenger messenger;
  EXPECT_TRUE(ReadDbfTable(TablesDir() / (Name(table, suffix) + ".dbf"), t, messenger))
      << Name(table, suffix) << testing::PrintToString(messenger.texts());
  EXPECT_TRUE(messenger.messages().empty()) << testing::PrintToString(messenger.texts());
  return t;
}

DbfTable Source(const std::string& table, const std::string& suffix) {
  DbfTable t;
  RecordingMessenger messenger;
  EXPECT_TRUE(ReadDbfSource(SourcesDir() / (Name(table, suffix) + ".csv"), t, messenger))
      << Name(table, suffix) << testing::PrintToString(messenger.texts());
  return t;
}

double Number(const DbfTable& t, std::size_t row, int field) {
  return ParseDouble(t.Text(row, field), '.');
}

TEST(ShippedTables, AreExactlyWhatTheirSourcesBuild) {
  const char* cli = std::getenv("KVEM_CLI");
  ASSERT_TRUE(cli && fs::exists(cli)) << "KVEM_CLI must name the built kvem-cli";
  TempDir out;
  int sources = 0;
  for (const auto& entry : fs::directory_iterator(SourcesDir())) {
    if (entry.path().extension() != ".csv") continue;
    ++sources;
    const std::string stem = entry.path().stem().string();
    const fs::path built = out / (stem + ".dbf");
    const std::string command =
        Quote(cli) + " dbf build " + Quote(entry.path()) + " " + Quote(built) + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const fs::path shipped = TablesDir() / (stem + ".dbf");
    ASSERT_TRUE(fs::exists(shipped)) << shipped << " is missing; run scripts/build-data";
    EXPECT_TRUE(ReadFile(built) == ReadFile(shipped))
        << shipped << " is not what its source builds; run scripts/build-data";
  }
  EXPECT_EQ(sources, static_cast<int>(kTables.size() * kSuffixes.size()));
  // No table without a source: nobody keeps a hand-edited binary.
  for (const auto& entry : fs::directory_iterator(TablesDir())) {
    if (entry.path().extension() != ".dbf") continue;
    EXPECT_TRUE(fs::exists(SourcesDir() / (entry.path().stem().string() + ".csv")))
        << entry.path() << " has no source";
  }
}

TEST(ShippedTables, BothLanguagesHoldTheSameRowsAndValues) {
  for (const std::string& table : kTables) {
    SCOPED_TRACE(table);
    const DbfTable cz = Shipped(table, "CZ");
    const DbfTable en = Shipped(table, "EN");
    ASSERT_EQ(cz.fieldCount(), en.fieldCount());
    ASSERT_EQ(cz.recordCount(), en.recordCount());
    ASSERT_GE(cz.recordCount(), 5u);
    for (int k = 1; k <= cz.fieldCount(); ++k) {
      EXPECT_EQ(cz.field(k).name, en.field(k).name);
      EXPECT_EQ(cz.field(k).type, en.field(k).type);
      EXPECT_EQ(cz.field(k).length, en.field(k).length);
      EXPECT_EQ(cz.field(k).decimals, en.field(k).decimals);
    }
    EXPECT_TRUE(cz.field(1).IsCharacter());
    for (std::size_t r = 0; r < cz.recordCount(); ++r) {
      EXPECT_FALSE(cz.Text(r, 1).empty()) << "row " << r + 1;
      EXPECT_FALSE(en.Text(r, 1).empty()) << "row " << r + 1;
      for (int k = 2; k <= cz.fieldCount(); ++k) {
        if (!cz.field(k).IsCharacter()) {
          EXPECT_EQ(cz.Text(r, k), en.Text(r, k)) << "row " << r + 1 << " field " << k;
        }
      }
    }
  }
}

TEST(ShippedTables, EveryTextFitsItsFieldInWindows1250) {
  for (const std::string& table : kTables) {
    for (const std::string& suffix : kSuffixes) {
      SCOPED_TRACE(Name(table, suffix));
      const DbfTable source = Source(table, suffix);
      const DbfTable shipped = Shipped(table, suffix);
      ASSERT_EQ(source.recordCount(), shipped.recordCount());
      for (std::size_t r = 0; r < source.recordCount(); ++r) {
        for (int k = 1; k <= source.fieldCount(); ++k) {
          const DbfField& field = source.field(k);
          const std::string& text = source.Text(r, k);
          std::string why;
          EXPECT_TRUE(FieldAccepts(field, text, &why))
              << "row " << r + 1 << " " << field.name << " '" << text << "': " << why;
          if (field.IsCharacter()) {
            std::size_t unmappable = 0;
            Utf8ToCp1250(text, &unmappable);
            EXPECT_EQ(unmappable, 0u) << text;
            EXPECT_LE(Utf8Length(text), static_cast<std::size_t>(field.length)) << text;
            // The table holds the source's text whole, diacritics included.
            EXPECT_EQ(shipped.Text(r, k), text);
          } else {
            EXPECT_DOUBLE_EQ(Number(shipped, r, k), ParseDouble(text, '.'))
                << "row " << r + 1 << " " << field.name;
          }
        }
      }
    }
  }
}

TEST(ShippedTables, OpenThroughTheChoiceListUnderBothSuffixes) {
  for (const std::string& suffix : kSuffixes) {
    const StandardTableNames names = StandardTableNames::ForSuffix(suffix);
    std::vector<std::string> files = {
        names.outdoorTemperatures, names.walls,       names.openings, names.joints,
        names.openingCatalogue,    names.floorHeating};
    for (int code = 1; code <= kBuildingTypeCount; ++code) files.push_back(names.IndoorTable(code));
    for (const std::string& file : files) {
      SCOPED_TRACE(file);
      ChoiceList list;
      RecordingMessenger messenger;
      ASSERT_TRUE(list.Load(TablesDir(), file, messenger));
      EXPECT_TRUE(messenger.messages().empty()) << testing::PrintToString(messenger.texts());
      // The list shows field 1 of every row, in the order of the source.
      const DbfTable source =
          Source(file.substr(5, file.find('.') - 5), suffix);  // "Kvem_" .. ".CZ.dbf"
      std::vector<std::string> expected;
      for (std::size_t r = 0; r < source.recordCount(); ++r) expected.push_back(source.Text(r, 1));
      EXPECT_EQ(list.ListedTexts(), expected);
    }
  }
  // Choosing Praha in the outdoor-temperature list of a fresh installation.
  ChoiceList te;
  RecordingMessenger messenger;
  ASSERT_TRUE(
      te.Load(TablesDir(), StandardTableNames::ForSuffix("CZ").outdoorTemperatures, messenger));
  const std::vector<std::string> places = te.ListedTexts();
  const auto praha =
      static_cast<std::size_t>(std::find(places.begin(), places.end(), "Praha") - places.begin());
  ASSERT_LT(praha, places.size());
  EXPECT_EQ(te.Number(praha, standard_field::kTeAltitude, ','), 181);
  EXPECT_EQ(te.Number(praha, standard_field::kTeTemperature, ','), -12);
  EXPECT_EQ(te.Field(praha, standard_field::kTeWindy), "no");
}

TEST(ShippedTables, OutdoorTemperaturesOfTheDistrictTowns) {
  const DbfTable cz = Shipped("Te", "CZ");
  const DbfTable en = Shipped("Te", "EN");
  ASSERT_EQ(cz.recordCount(), 71u);
  std::map<std::string, std::size_t> rows;
  for (std::size_t r = 0; r < cz.recordCount(); ++r) {
    EXPECT_TRUE(rows.emplace(cz.Text(r, 1), r).second) << "twice: " << cz.Text(r, 1);
    const double te = Number(cz, r, 3);
    EXPECT_TRUE(te == -12 || te == -15 || te == -18) << cz.Text(r, 1);
    EXPECT_GT(Number(cz, r, 2), 100);
    EXPECT_LT(Number(cz, r, 2), 1000);
    // Compared with "yes" in every language version.
    EXPECT_TRUE(cz.Text(r, 4) == "no" || cz.Text(r, 4) == "yes") << cz.Text(r, 1);
  }
  ASSERT_TRUE(rows.count("Praha"));
  const std::size_t praha = rows["Praha"];
  EXPECT_EQ(Number(cz, praha, 2), 181);
  EXPECT_EQ(Number(cz, praha, 3), -12);
  EXPECT_EQ(en.Text(praha, 1), "Prague");
  EXPECT_EQ(Number(cz, rows["Liberec"], 3), -18);
  EXPECT_EQ(Number(cz, rows["Ostrava"], 3), -15);
  EXPECT_EQ(Number(cz, rows["České Budějovice"], 2), 384);
}

TEST(ShippedTables, IndoorTemperaturesAreDesignValues) {
  for (const std::string& table : kTables) {
    if (table.rfind("Ti", 0) != 0) continue;
    SCOPED_TRACE(table);
    const DbfTable t = Shipped(table, "CZ");
    ASSERT_EQ(t.fieldCount(), 3);
    for (std::size_t r = 0; r < t.recordCount(); ++r) {
      EXPECT_GE(Number(t, r, 2), 5) << t.Text(r, 1);
      EXPECT_LE(Number(t, r, 2), 28) << t.Text(r, 1);
      EXPECT_GE(Number(t, r, 3), 40) << t.Text(r, 1);
      EXPECT_LE(Number(t, r, 3), 90) << t.Text(r, 1);
    }
  }
  // The rooms of a Czech flat.
  const DbfTable flat = Shipped("TiOb", "CZ");
  std::map<std::string, double> ti;
  for (std::size_t r = 0; r < flat.recordCount(); ++r) ti[flat.Text(r, 1)] = Number(flat, r, 2);
  EXPECT_EQ(ti["Obývací pokoj"], 20);
  EXPECT_EQ(ti["Ložnice"], 20);
  EXPECT_EQ(ti["Kuchyně"], 20);
  EXPECT_EQ(ti["Koupelna"], 24);
  EXPECT_EQ(ti["WC"], 20);
  EXPECT_EQ(ti["Předsíň"], 15);
  EXPECT_EQ(ti["Vytápěné schodiště"], 10);
}

TEST(ShippedTables, StructuresAndOpeningsHaveUsableCoefficients) {
  const DbfTable stk = Shipped("StK", "CZ");
  EXPECT_GE(stk.recordCount(), 30u);
  for (std::size_t r = 0; r < stk.recordCount(); ++r) {
    EXPECT_GT(Number(stk, r, 2), 0) << stk.Text(r, 1);
    EXPECT_GT(Number(stk, r, 3), 0) << stk.Text(r, 1);
    EXPECT_GT(Number(stk, r, 4), 0.1) << stk.Text(r, 1);
    EXPECT_LT(Number(stk, r, 4), 5) << stk.Text(r, 1);
  }
  const DbfTable otk = Shipped("OtK", "CZ");
  const DbfTable oti = Shipped("OtI", "CZ");
  EXPECT_GE(otk.recordCount(), 18u);  // 16 window types and doors
  EXPECT_GE(oti.recordCount(), 18u);
  for (std::size_t r = 0; r < otk.recordCount(); ++r) EXPECT_GT(Number(otk, r, 2), 0.5);
  for (std::size_t r = 0; r < oti.recordCount(); ++r) EXPECT_GT(Number(oti, r, 2), 0);

  // The catalogue feeds the opening dialog, which wants every value above 0,
  // and its joint lengths follow the rule written in its source.
  const DbfTable ot = Shipped("Ot", "CZ");
  EXPECT_GE(ot.recordCount(), 30u);
  for (std::size_t r = 0; r < ot.recordCount(); ++r) {
    SCOPED_TRACE(ot.Text(r, 1));
    const double width = Number(ot, r, 2), height = Number(ot, r, 3);
    EXPECT_GE(width, 1);
    EXPECT_GE(height, 1);
    EXPECT_GT(Number(ot, r, 4), 0);
    EXPECT_GT(Number(ot, r, 5), 0);
    EXPECT_EQ(Number(ot, r, 6), 2 * width + 2 * Number(ot, r, 7) * height);
  }
}

TEST(ShippedTables, FloorHeatingLayersAreConsistent) {
  const DbfTable t = Shipped("PoUp", "CZ");
  for (std::size_t r = 0; r < t.recordCount(); ++r) {
    SCOPED_TRACE(t.Text(r, 1));
    const double resistance = Number(t, r, 3) / 1000 / Number(t, r, 4);
    EXPECT_NEAR(Number(t, r, 5), resistance, 0.0005 + 1e-9);  // three decimals
    if (t.Text(r, 2) == "krytina") {
      EXPECT_LE(Number(t, r, 5), 0.15);  // the covering resistances EN 1264 takes
    }
  }
}

TEST(Launchers, StartTheEditorOnTheTableInTheirLanguage) {
  TempDir dir;
  const fs::path record = dir / "args.txt";
  const fs::path fake = dir / "editor";
  test::WriteFile(fake, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" +
                            record.string() + "'; done\n");
  fs::permissions(fake, fs::perms::owner_all);
  for (const std::string& suffix : kSuffixes) {
    fs::remove(record);
    const fs::path launcher = TablesDir() / ("Ptab_" + suffix);
    ASSERT_TRUE(fs::exists(launcher)) << launcher;
    EXPECT_NE(fs::status(launcher).permissions() & fs::perms::owner_exec, fs::perms::none);
    const fs::path table = TablesDir() / (Name("StK", suffix) + ".dbf");
    const std::string command =
        "KVEM_TABLE_EDITOR=" + Quote(fake) + " " + Quote(launcher) + " " + Quote(table);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(ReadFile(record), "--language\n" + suffix + "\n" + table.string() + "\n");
  }
}

}  // namespace
}  // namespace kvem
