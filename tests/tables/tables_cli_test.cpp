// kvem-cli dbf build/show and handover as a person runs them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/messenger.h"
#include "platform/settings.h"
#include "support/test_support.h"
#include "tables/dbf.h"
#include "tables/room_table.h"

namespace kvem {
namespace {

using test::ReadFile;
using test::WriteFile;
using ::testing::HasSubstr;

using Result = test::CliResult;

class TablesCli : public ::testing::Test {
 protected:
  TablesCli() {
    Settings settings = Settings::Open(dir_ / "kvem.ini");
    settings.WriteMainForSetup(kPathTmp, dir_.path().string());
    settings.WriteMainForSetup(kPathProject, (dir_ / "projects").string());
    settings.Flush(nullptr);
    WriteFile(dir_ / "epc_pr1.ini", "C:\\dwg\\hall.dwg\nx\nHall\n");
    WriteFile(dir_ / "epc_pr2.ini", "x\n7\n");
  }
  Result Run(const std::string& arguments) { return test::RunCli(dir_.path(), arguments); }
  std::string Quoted(const std::filesystem::path& p) const { return "'" + p.string() + "'"; }
  std::size_t Records(const std::filesystem::path& p) {
    RecordingMessenger m;
    DbfTable t;
    EXPECT_TRUE(ReadDbfTable(p, t, m));
    return t.recordCount();
  }

  test::TempDir dir_;
  std::filesystem::path table_ = dir_ / "projects" / "Hall" / "Hall_m007.dbf";
  std::string house_ =
      Quoted(test::ExamplesDir() / "family-house.kvm") + " --tmp " + Quoted(dir_.path());
};

TEST_F(TablesCli, BuildAndShowRoundTrip) {
  WriteFile(dir_ / "te.csv",
            "# Design outdoor temperatures\n"
            "MISTO:C:30:0,TE:N:4:0,K:N:6:2\n"
            "Praha,-12,1.5\n"
            "\"Brno, Tuřany\",-12,0.25\n");
  Result r = Run("dbf build " + Quoted(dir_ / "te.csv") + " " + Quoted(dir_ / "te.dbf"));
  ASSERT_EQ(r.status, 0) << r.err;
  r = Run("dbf show " + Quoted(dir_ / "te.dbf"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("MISTO        C         30         0"));
  EXPECT_THAT(r.out, HasSubstr("Brno, Tuřany |  -12 |   0.25"));

  // --csv prints a source that builds the very same table.
  r = Run("dbf show --csv " + Quoted(dir_ / "te.dbf"));
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "MISTO:C:30:0,TE:N:4:0,K:N:6:2\nPraha, -12,  1.50\n\"Brno, Tuřany\", -12,  0.25\n");
  WriteFile(dir_ / "again.csv", r.out);
  ASSERT_EQ(
      Run("dbf build " + Quoted(dir_ / "again.csv") + " " + Quoted(dir_ / "again.dbf")).status, 0);
  EXPECT_EQ(ReadFile(dir_ / "again.dbf"), ReadFile(dir_ / "te.dbf"));
}

TEST_F(TablesCli, BadSourcesAndTablesAreRefusedWithTheirReason) {
  WriteFile(dir_ / "bad.csv", "A:C:3:0,N:N:4:1\nabc,1.5\nabc,12345\n");
  Result r = Run("dbf build " + Quoted(dir_ / "bad.csv") + " " + Quoted(dir_ / "bad.dbf"));
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err, HasSubstr("line 3: field N \"12345\""));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "bad.dbf"));

  WriteFile(dir_ / "bad.csv", "A:C:3:0\n\"abc\n");
  EXPECT_THAT(Run("dbf build " + Quoted(dir_ / "bad.csv") + " " + Quoted(dir_ / "bad.dbf")).err,
              HasSubstr("not closed"));
  WriteFile(dir_ / "bad.csv", "A:C:3\n");
  EXPECT_THAT(Run("dbf build " + Quoted(dir_ / "bad.csv") + " " + Quoted(dir_ / "bad.dbf")).err,
              HasSubstr("NAME:TYPE:LENGTH:DECIMALS"));

  r = Run("dbf show " + Quoted(dir_ / "none.dbf"));
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err, HasSubstr("Cann't open file"));
}

TEST_F(TablesCli, HandoverCreatesTheTableAndAsksBeforeHeatersAreLost) {
  Result r = Run("handover " + house_);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("Created the room table"));
  EXPECT_EQ(Records(table_), 11u);

  // With heater records under the rooms, the batch tool wants a choice.
  DbfRecord heater(room_field::kCreatedFieldCount);
  heater[room_field::kHeaterOutput - 1] = "500.0";
  RecordingMessenger m;
  ASSERT_TRUE(AppendDbfRecord(table_, heater, m));
  const std::string withHeater = ReadFile(table_);
  r = Run("handover " + house_);
  EXPECT_EQ(r.status, 1);
  EXPECT_THAT(r.err, HasSubstr("--choice all"));
  EXPECT_THAT(r.err, HasSubstr("--choice modifications"));
  EXPECT_THAT(r.err, HasSubstr("--choice none"));
  EXPECT_EQ(ReadFile(table_), withHeater);

  r = Run("handover " + house_ + " --choice none");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(table_), withHeater);
  r = Run("handover " + house_ + " --choice modifications");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("0 room(s) added, 11 already in the table"));
  EXPECT_EQ(ReadFile(table_), withHeater);
  r = Run("handover " + house_ + " --choice all");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Records(table_), 11u);

  EXPECT_EQ(Run("handover " + house_ + " --choice some").status, 2);
}

}  // namespace
}  // namespace kvem
