#include "report/report_plan.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace kvem::report {
namespace {

// A project of `rooms` rooms, each with `walls` walls of `openings` openings.
Project MakeProject(int rooms, int walls = 0, int openings = 0) {
  Project p;
  for (int r = 0; r < rooms; ++r) {
    Room room;
    room.number = "R" + std::to_string(r + 1);
    for (int w = 0; w < walls; ++w) {
      Wall wall;
      for (int o = 0; o < openings; ++o) AddOpening(wall, Opening{});
      AddWall(room, wall);
    }
    AddRoom(p, room);
  }
  return p;
}

TEST(ReportCapacities, A4WithDefaultMarginsAndFiveMillimetreMargins) {
  const LineHeights h;
  const Capacities results = ComputeCapacities(ReportKind::Results, 2970, 20, 20, h);
  EXPECT_EQ(results.usableHeight, 2570);
  EXPECT_EQ(results.firstPage, (2570 - 100 - 70 - 2 * 70 - 11 * 70) / 50);
  EXPECT_EQ(results.laterPage, (2570 - 70 - 2 * 70) / 50);
  const Capacities input = ComputeCapacities(ReportKind::InputData, 2970, 20, 20, h);
  EXPECT_EQ(input.firstPage, (2570 - 100 - 70 - 6 * 70 - 7 * 70) / 50);
  EXPECT_EQ(input.laterPage, (2570 - 70 - 6 * 70) / 50);

  // Margins of 5 mm on every side give more rows on every page.
  const Capacities small = ComputeCapacities(ReportKind::Results, 2970, 5, 5, h);
  EXPECT_GT(small.firstPage, results.firstPage);
  EXPECT_GT(small.laterPage, results.laterPage);
  // Capacities round down, also below zero.
  EXPECT_EQ(ComputeCapacities(ReportKind::Results, 2970, 140, 140, h).firstPage,
            -((1080 - 170) / 50 + 1));
}

TEST(ReportPagination, ResultsFillPageOneThenLaterPages) {
  const Capacities c{0, 10, 20};
  auto counts = [&](int rows) {
    std::vector<int> out;
    for (const auto& page : PaginateResults(rows, c)) out.push_back(page.rowCount);
    return out;
  };
  EXPECT_EQ(counts(0), std::vector<int>{0});  // the empty report still has its page
  EXPECT_EQ(counts(10), std::vector<int>{10});
  EXPECT_EQ(counts(11), (std::vector<int>{10, 1}));
  EXPECT_EQ(counts(30), (std::vector<int>{10, 20}));
  EXPECT_EQ(counts(31), (std::vector<int>{10, 20, 1}));
  const auto pages = PaginateResults(31, c);
  EXPECT_EQ(pages[1].firstRow, 11);
  EXPECT_EQ(pages[2].firstRow, 31);
}

TEST(ReportPagination, ResultPlanOfProjectMatchesPageCountFormula) {
  RecordingMessenger m;
  const LineHeights h;
  PrintSettings s;
  const Capacities c = ComputeCapacities(ReportKind::Results, kA4.height, 20, 20, h);
  for (int n : {c.firstPage, c.firstPage + 1}) {
    PagePlan plan;
    ASSERT_TRUE(MakePagePlan(MakeProject(n), s, kA4, h, plan, m));
    const int expected =
        n <= c.firstPage ? 1 : 1 + (n - c.firstPage + c.laterPage - 1) / c.laterPage;
    EXPECT_EQ(plan.PageCount(), expected) << n;
    EXPECT_EQ(plan.pages.back().rowCount, n == c.firstPage ? n : 1);
  }
  EXPECT_TRUE(m.messages().empty());
}

TEST(ReportPagination, InputDataKeepsRoomsWholeAndSplitsOnlyOverlongRooms) {
  const Capacities c{0, 10, 20};
  // 4 + 4 fit page 1; the third room goes whole to page 2.
  auto pages = PaginateInputData({4, 4, 4, 17, 3}, c);
  ASSERT_EQ(pages.size(), 3u);
  ASSERT_EQ(pages[0].pieces.size(), 2u);
  EXPECT_EQ(pages[1].pieces.size(), 1u);  // 4 + 17 > 20: room 4 starts page 3
  EXPECT_EQ(pages[2].pieces.front().room, 4);
  EXPECT_EQ(pages[2].pieces.back().room, 5);
  EXPECT_FALSE(pages[2].pieces.front().continued());

  // A room that no page holds is split, its room line repeated.
  pages = PaginateInputData({3, 45}, c);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].pieces[1].lineCount, 7);  // fills page 1
  EXPECT_EQ(pages[1].pieces[0].firstLine, 7);
  EXPECT_EQ(pages[1].pieces[0].lineCount, 19);  // 19 + the repeated room line
  EXPECT_EQ(pages[2].pieces[0].firstLine, 26);
  EXPECT_EQ(pages[2].pieces[0].lineCount, 19);
}

// Every room printed once, in order, whole unless longer than a later page;
// no page holds more lines than it can.
TEST(ReportPagination, InputDataInvariantsOverRandomProjects) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    const Capacities c{0, 1 + static_cast<int>(random() % 30), 2 + static_cast<int>(random() % 40)};
    std::vector<int> rooms(random() % 40);
    for (int& lines : rooms) lines = 1 + static_cast<int>(random() % 60);
    const auto pages = PaginateInputData(rooms, c);
    std::vector<int> printed(rooms.size() + 1, 0);
    for (std::size_t p = 0; p < pages.size(); ++p) {
      int used = 0;
      for (const RoomPiece& piece : pages[p].pieces) {
        ASSERT_EQ(piece.firstLine, printed[static_cast<std::size_t>(piece.room)]);
        ASSERT_GT(piece.lineCount, 0);
        printed[static_cast<std::size_t>(piece.room)] += piece.lineCount;
        used += piece.printedLines();
        if (rooms[static_cast<std::size_t>(piece.room - 1)] <= c.laterPage) {
          ASSERT_FALSE(piece.continued());
          ASSERT_EQ(piece.lineCount, rooms[static_cast<std::size_t>(piece.room - 1)]);
        }
      }
      ASSERT_LE(used, p == 0 ? c.firstPage : c.laterPage);
      if (p > 0) {
        ASSERT_FALSE(pages[p].pieces.empty());
      }
    }
    for (std::size_t r = 0; r < rooms.size(); ++r) {
      ASSERT_EQ(printed[r + 1], rooms[r]);
    }
  }
}

TEST(ReportPagination, InputDataLinesOfARoom) {
  Project p = MakeProject(2, 3, 2);
  EXPECT_EQ(RoomLineCount(p.rooms[1]), 1 + 3 + 6);
  EXPECT_EQ(ReportLineCount(p, ReportKind::InputData), 20);
  EXPECT_EQ(ReportLineCount(p, ReportKind::Results), 2);
  EXPECT_EQ(ReportLineCount(Project{}, ReportKind::InputData), 0);
}

TEST(ReportMargins, RefusedWhenTheyLeaveNoRoom) {
  const LineHeights h;
  RecordingMessenger m;
  PrintSettings s;
  EXPECT_TRUE(CheckMargins(s, kA4, h, m));
  s.topMargin = -5;
  EXPECT_FALSE(CheckMargins(s, kA4, h, m));
  s = PrintSettings{};
  s.leftMargin = 105;
  s.rightMargin = 105;
  EXPECT_FALSE(CheckMargins(s, kA4, h, m));
  s = PrintSettings{};
  s.topMargin = 999;
  PagePlan plan;
  EXPECT_FALSE(MakePagePlan(MakeProject(3), s, kA4, h, plan, m));
  EXPECT_EQ(plan.PageCount(), 0);
  ASSERT_EQ(m.messages().size(), 3u);
  EXPECT_EQ(m.messages()[0].text, kNegativeMarginMessage);
  EXPECT_EQ(m.messages()[1].text, kNoWidthMessage);
  EXPECT_EQ(m.messages()[2].text, kNoHeightMessage);
  EXPECT_EQ(m.messages()[2].caption, kMarginCaption);

  // The first margins that still give one line on page 1 are accepted.
  s = PrintSettings{};
  s.kind = ReportKind::InputData;
  s.topMargin = 100;
  s.bottomMargin = 0;
  while (ComputeCapacities(s.kind, kA4.height, s.topMargin, 0, h).firstPage >= 1) ++s.topMargin;
  EXPECT_FALSE(CheckMargins(s, kA4, h, m));
  --s.topMargin;
  EXPECT_TRUE(CheckMargins(s, kA4, h, m));
}

TEST(ReportMargins, PageSetupStoresWholeNumbersOnlyWhenTheyFit) {
  const LineHeights h;
  RecordingMessenger m;
  PrintSettings s;
  // Typed text is read like atoi: a number prefix counts, anything else is 0.
  ASSERT_TRUE(ApplyPageSetup({"5", "12x", "abc", " 7"}, ReportKind::InputData, kA4, h, s, m));
  EXPECT_EQ(s.kind, ReportKind::InputData);
  EXPECT_EQ(s.topMargin, 5);
  EXPECT_EQ(s.leftMargin, 12);
  EXPECT_EQ(s.rightMargin, 0);
  EXPECT_EQ(s.bottomMargin, 7);
  // Refused margins leave every setting as it was.
  EXPECT_FALSE(ApplyPageSetup({"150", "20", "20", "150"}, ReportKind::Results, kA4, h, s, m));
  EXPECT_EQ(s.kind, ReportKind::InputData);
  EXPECT_EQ(s.topMargin, 5);
  ASSERT_EQ(m.messages().size(), 1u);
  EXPECT_EQ(m.messages()[0].text, kNoHeightMessage);
}

}  // namespace
}  // namespace kvem::report
