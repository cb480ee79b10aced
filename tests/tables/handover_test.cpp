// The hand-over of results into the room table and its three choices.
#include "tables/handover.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "heatloss/heat_loss.h"
#include "heatloss/results_table.h"
#include "project/project_file.h"
#include "support/test_support.h"
#include "tables/dbf.h"
#include "tables/room_table.h"

namespace kvem {
namespace {

using test::ReadFile;
using test::TempDir;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class HandoverTest : public ::testing::Test {
 protected:
  // The family house cut down to its first three rooms, calculated.
  void SetUp() override {
    ASSERT_TRUE(ReadProject(project_, test::ExamplesDir() / "family-house.kvm", '.', messenger_));
    while (project_.building.roomCount > 4) RemoveRoom(project_, project_.building.roomCount - 1);
    ASSERT_TRUE(CalculateHeatLoss(project_, dir_.path(), messenger_));
    std::filesystem::copy_file(std::filesystem::path(KVEM_TABLES_FIXTURES) / "rooms.dbf", table_);
    messenger_.Clear();
  }
  DbfTable Table() {
    DbfTable t;
    EXPECT_TRUE(ReadDbfTable(table_, t, messenger_));
    return t;
  }

  TempDir dir_;
  std::filesystem::path table_ = dir_ / "Hall_m007.dbf";
  Project project_;
  RecordingMessenger messenger_;
};

TEST_F(HandoverTest, OverwriteAllWritesOneRecordPerRoom) {
  const std::vector<ResultRow> rows = MakeResultRows(project_, '.');
  messenger_.QueueChoice(0);
  HandoverOutcome outcome;
  ASSERT_TRUE(HandOverResults(project_, '.', table_, false, messenger_, &outcome));

  // The table held a heater record, so the user was asked, with Without changes preselected.
  ASSERT_EQ(messenger_.messages().size(), 1u);
  const auto& ask = messenger_.messages()[0];
  EXPECT_EQ(ask.caption, "Kvem - How to Go On");
  EXPECT_THAT(ask.text, ::testing::StartsWith(" My records say that some ro-\n oms have"));
  EXPECT_THAT(ask.options, ElementsAre("Overwrite &all",
                                       "Overwrite only &modifications of data on rooms\nnot "
                                       "provided with heaters",
                                       " Without changes (no save)"));
  EXPECT_TRUE(outcome.asked);
  EXPECT_EQ(outcome.written, 3u);

  const DbfTable t = Table();
  EXPECT_EQ(t.fieldCount(), 46);  // the table's own layout
  ASSERT_EQ(t.recordCount(), 3u);
  for (std::size_t r = 0; r < 3; ++r) {
    EXPECT_EQ(t.Text(r, 1), rows[r][kColumnRoomNumber]);
    EXPECT_EQ(t.Text(r, 2), rows[r][kColumnName]);
    EXPECT_EQ(t.Text(r, 3), rows[r][kColumnTi]);
    EXPECT_EQ(t.Text(r, 4), rows[r][kColumnTotalLoss]);
    EXPECT_EQ(t.Text(r, 14), "NE");
    for (int k : {5, 6, 7, 13, 15, 46}) EXPECT_EQ(t.Text(r, k), "") << k;
  }
  EXPECT_FALSE(HasHeaterRecords(t));
}

TEST_F(HandoverTest, TotalLossIsWrittenWithADecimalPointWhateverTheSeparator) {
  ASSERT_TRUE(HandOverResults(project_, ',', dir_ / "new" / "n.dbf", true, messenger_));
  const DbfTable t = [&] {
    DbfTable x;
    EXPECT_TRUE(ReadDbfTable(dir_ / "new" / "n.dbf", x, messenger_));
    return x;
  }();
  const std::vector<ResultRow> rows = MakeResultRows(project_, ',');
  ASSERT_EQ(t.recordCount(), 3u);
  ASSERT_NE(rows[0][kColumnTotalLoss].find(','), std::string::npos);
  std::string expected = rows[0][kColumnTotalLoss];
  expected[expected.find(',')] = '.';
  EXPECT_EQ(t.Text(0, 4), expected);
  EXPECT_TRUE(messenger_.messages().empty());  // no heater records: nothing asked
}

TEST_F(HandoverTest, ModificationsAppendOnlyRoomsNotInTheTable) {
  // The rooms as handed over before; then a heater under the first, and the
  // first room renamed in the project.
  messenger_.QueueChoice(0);
  ASSERT_TRUE(HandOverResults(project_, '.', table_, false, messenger_));
  DbfRecord heater(46);
  heater[room_field::kHeaterOutput - 1] = "850.0";
  ASSERT_TRUE(AppendDbfRecord(table_, heater, messenger_));
  const std::string before = ReadFile(table_);
  const std::string oldName = project_.rooms[1].name;
  project_.rooms[1].name = "Dining";

  messenger_.QueueChoice(1);
  HandoverOutcome outcome;
  ASSERT_TRUE(HandOverResults(project_, '.', table_, false, messenger_, &outcome));
  EXPECT_EQ(outcome.written, 1u);
  EXPECT_EQ(outcome.kept, 2u);
  const DbfTable t = Table();
  ASSERT_EQ(t.recordCount(), 5u);
  EXPECT_EQ(t.Text(0, 2), oldName);  // the old record stays
  EXPECT_TRUE(IsHeaterRecord(t.record(3)));
  EXPECT_EQ(t.Text(4, 1), project_.rooms[1].number);
  EXPECT_EQ(t.Text(4, 2), "Dining");
  EXPECT_EQ(t.Text(4, 14), "NE");
  // The records that were there keep every byte.
  const std::string after = ReadFile(table_);
  EXPECT_EQ(after.substr(32, before.size() - 32), before.substr(32));

  // Names are compared exactly: another case is another room.
  project_.rooms[1].name = "dining";
  messenger_.QueueChoice(1);
  ASSERT_TRUE(HandOverResults(project_, '.', table_, false, messenger_, &outcome));
  EXPECT_EQ(outcome.written, 1u);
  EXPECT_EQ(Table().recordCount(), 6u);
}

TEST_F(HandoverTest, WithoutChangesLeavesTheTableByteForByte) {
  const std::string before = ReadFile(table_);
  HandoverOutcome outcome;
  ASSERT_TRUE(HandOverResults(project_, '.', table_, false, messenger_, &outcome));  // preselected
  EXPECT_EQ(outcome.choice, HandoverChoice::WithoutChanges);
  messenger_.QueueChoice(2);
  ASSERT_TRUE(HandOverResults(project_, '.', table_, false, messenger_, &outcome));
  EXPECT_EQ(ReadFile(table_), before);
}

TEST_F(HandoverTest, TablesThatCannotTakeTheRoomsAreLeftAlone) {
  // Missing, not to be created: reported as a table that cannot be opened.
  EXPECT_FALSE(HandOverResults(project_, '.', dir_ / "none.dbf", false, messenger_));
  EXPECT_THAT(messenger_.texts(), ElementsAre(HasSubstr("Cann't open file")));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "none.dbf"));

  // Damaged header.
  std::string bytes = ReadFile(table_);
  bytes[0] = 0x30;
  test::WriteFile(table_, bytes);
  messenger_.Clear();
  EXPECT_FALSE(HandOverResults(project_, '.', table_, false, messenger_));
  EXPECT_THAT(messenger_.texts(),
              ElementsAre("DBF_UTIL: Error of file - 2 !", "Errors found during processing !"));
  EXPECT_EQ(ReadFile(table_), bytes);

  // Too few fields for the losses.
  DbfTable narrow;
  ASSERT_TRUE(DbfTable::Create({{"A", 'C', 10}, {"B", 'C', 10}, {"C", 'C', 10}}, narrow, nullptr));
  ASSERT_TRUE(WriteDbfTable(dir_ / "narrow.dbf", narrow, messenger_));
  const std::string narrowBytes = ReadFile(dir_ / "narrow.dbf");
  messenger_.Clear();
  EXPECT_FALSE(HandOverResults(project_, '.', dir_ / "narrow.dbf", false, messenger_));
  EXPECT_THAT(messenger_.texts(), ElementsAre(HasSubstr("at least 4")));
  EXPECT_EQ(ReadFile(dir_ / "narrow.dbf"), narrowBytes);

  // Four fields: the floor flag is dropped, the rest written.
  DbfTable four;
  ASSERT_TRUE(DbfTable::Create({{"A", 'C', 10}, {"B", 'C', 10}, {"C", 'C', 4}, {"D", 'C', 12}},
                               four, nullptr));
  ASSERT_TRUE(WriteDbfTable(dir_ / "four.dbf", four, messenger_));
  ASSERT_TRUE(HandOverResults(project_, '.', dir_ / "four.dbf", false, messenger_));
  DbfTable t;
  ASSERT_TRUE(ReadDbfTable(dir_ / "four.dbf", t, messenger_));
  EXPECT_EQ(t.recordCount(), 3u);
}

}  // namespace
}  // namespace kvem
