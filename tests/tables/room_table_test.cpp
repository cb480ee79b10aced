// NtyRadek, where the drawing's room table is, and its record kinds.
#include "tables/room_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "tables/text_lines.h"

namespace kvem {
namespace {

using test::TempDir;
using test::WriteFile;
using ::testing::ElementsAre;

TEST(NtyRadek, LinesAreCountedFromOneAndAnOpenLastLineIsNeverReturned) {
  TempDir dir;
  RecordingMessenger m;
  WriteFile(dir / "a.ini", "first\r\nsecond\n\nfourth\nno end");
  EXPECT_EQ(NtyRadek(dir / "a.ini", 1, m), "first");
  EXPECT_EQ(NtyRadek(dir / "a.ini", 2, m), "second");
  EXPECT_EQ(NtyRadek(dir / "a.ini", 3, m), "");
  EXPECT_EQ(NtyRadek(dir / "a.ini", 4, m), "fourth");
  EXPECT_EQ(NtyRadek(dir / "a.ini", 5, m), "");  // "no end" has no line end
  EXPECT_EQ(NtyRadek(dir / "a.ini", 6, m), "");
  EXPECT_EQ(NtyRadek(dir / "a.ini", 0, m), "");
  EXPECT_TRUE(m.messages().empty());

  WriteFile(dir / "cp.ini", "x\n\x8E\xEF\xE1r\n");  // Windows-1250 on disk
  EXPECT_EQ(NtyRadek(dir / "cp.ini", 2, m), "Žďár");
}

TEST(NtyRadek, AMissingFileIsReportedAndGivesAnEmptyText) {
  TempDir dir;
  RecordingMessenger m;
  EXPECT_EQ(NtyRadek(dir / "none.ini", 1, m), "");
  ASSERT_EQ(m.messages().size(), 1u);
  EXPECT_EQ(m.messages()[0].text, "\nCann't open file\n'" + (dir / "none.ini").string() + "' !");
  EXPECT_EQ(m.messages()[0].caption, "Kvem - error:");
  EXPECT_EQ(m.messages()[0].icon, Icon::Stop);
}

TEST(NtyRadek, LongLinesAndBlockBoundariesAreSafe) {
  TempDir dir;
  RecordingMessenger m;
  const std::string longLine(10000, 'x');
  const std::string across = std::string(2040, 'a') + "\n" + "boundary" + "\n";
  WriteFile(dir / "l.txt", longLine + "\nafter\n" + across);
  EXPECT_EQ(NtyRadek(dir / "l.txt", 1, m), std::string(kTextLineLimit, 'x'));
  EXPECT_EQ(NtyRadek(dir / "l.txt", 2, m), "after");
  EXPECT_EQ(NtyRadek(dir / "l.txt", 4, m), "boundary");
}

class RoomTableLocationTest : public ::testing::Test {
 protected:
  RoomTableLocationTest() {
    settings_.WriteMainForSetup(kPathTmp, dir_.path().string());
    settings_.WriteMainForSetup(kPathProject, "/projects");
  }
  RoomTableLocation Locate(const std::string& first, const std::string& second) {
    WriteFile(dir_ / "epc_pr1.ini", first);
    WriteFile(dir_ / "epc_pr2.ini", second);
    return LocateRoomTable(settings_, messenger_);
  }
  TempDir dir_;
  Settings settings_ = Settings::InMemory();
  RecordingMessenger messenger_;
};

TEST_F(RoomTableLocationTest, PathFromTheInformationFiles) {
  RoomTableLocation l = Locate("C:\\dwg\\x.dwg\nsomething\nHall\n", "x\n7\n");
  EXPECT_EQ(l.path, std::filesystem::path("/projects/Hall/Hall_m007.dbf"));
  EXPECT_TRUE(l.complete);
  EXPECT_EQ(CestaTabulkyMistnosti(settings_, messenger_), l.path);

  EXPECT_EQ(Locate("a\nb\nHall\n", "x\n12abc\n").path.filename(), "Hall_m012.dbf");
  EXPECT_EQ(Locate("a\nb\nHall\n", "x\nx\n").path.filename(), "Hall_m000.dbf");
  EXPECT_EQ(Locate("a\nb\nHall\n", "x\n 1234\n").path.filename(), "Hall_m1234.dbf");

  l = Locate("a\nHall", "x\n7\n");  // the second line has no line end: no third line
  EXPECT_EQ(l.project, "");
  EXPECT_FALSE(l.complete);
  EXPECT_EQ(l.path, std::filesystem::path("/projects/_m007.dbf"));
  EXPECT_TRUE(messenger_.messages().empty());
}

TEST_F(RoomTableLocationTest, MissingInformationFilesAreEachReported) {
  const RoomTableLocation l = LocateRoomTable(settings_, messenger_);
  EXPECT_FALSE(l.complete);
  EXPECT_EQ(l.path.filename(), "_m000.dbf");
  ASSERT_EQ(messenger_.messages().size(), 2u);
  EXPECT_NE(messenger_.messages()[1].text.find("epc_pr2.ini"), std::string::npos);
}

TEST(RoomTableRecords, RoomsAndTheirHeatersAreToldApart) {
  RecordingMessenger m;
  DbfTable t;
  ASSERT_TRUE(ReadDbfTable(std::filesystem::path(KVEM_TABLES_FIXTURES) / "rooms.dbf", t, m));
  ASSERT_EQ(t.recordCount(), 3u);
  EXPECT_TRUE(IsRoomRecord(t.record(0)));
  EXPECT_TRUE(IsHeaterRecord(t.record(1)));
  EXPECT_TRUE(HasHeaterRecords(t));
  EXPECT_EQ(RoomRecordOf(t, 1), 0);
  EXPECT_EQ(RoomRecordOf(t, 2), 2);
  EXPECT_TRUE(IsFloorHeatedRoom(t.record(0)));
  EXPECT_FALSE(IsFloorHeatedRoom(t.record(2)));
  EXPECT_EQ(t.Text(1, room_field::kHeaterIndex), "IPC_00001004");

  DbfRecord r(46);
  r[0] = "   ";  // blanks only: a heater record
  EXPECT_TRUE(IsHeaterRecord(r));
  r[0] = "2.01";
  r[room_field::kFloorFlag - 1] = "ano";
  EXPECT_TRUE(IsFloorHeatedRoom(r));
  EXPECT_EQ(RoomRecordOf(DbfTable(), 0), -1);
}

TEST(RoomTableRecords, ACreatedTableHasRoomForEveryText) {
  const DbfTable t = NewRoomTableLayout();
  ASSERT_EQ(t.fieldCount(), room_field::kCreatedFieldCount);
  for (const DbfField& f : t.fields()) EXPECT_EQ(f.type, 'C') << f.name;
  EXPECT_GE(t.field(room_field::kNumber).length, 19);  // room texts are up to 19 characters
  EXPECT_GE(t.field(room_field::kName).length, 19);
  EXPECT_GE(t.field(room_field::kHeaterIndex).length, 12);  // "IPC_00001" + "%03d"
  EXPECT_GE(t.field(room_field::kFloorFlag).length, 3);
  EXPECT_LT(t.recordLength(), kDbfRecordLengthLimit);
}

}  // namespace
}  // namespace kvem
