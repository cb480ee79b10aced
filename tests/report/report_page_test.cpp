#include "report/report_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace kvem::report {
namespace {

using ::testing::Contains;
using ::testing::Not;

std::vector<std::string> Texts(const PageDrawing& page) {
  std::vector<std::string> out;
  for (const auto& t : page.texts) out.push_back(t.text);
  return out;
}

const TextItem* Find(const PageDrawing& page, std::string_view text) {
  for (const auto& t : page.texts) {
    if (t.text == text) return &t;
  }
  return nullptr;
}

Project HouseOf(int rooms) {
  Project p;
  p.building.projectName1 = "Family house";
  p.building.buildingName1 = "House No. 214";
  p.building.te = -15;
  p.building.p2 = 0.1;
  for (int r = 1; r <= rooms; ++r) {
    Room room;
    room.number = "1.0" + std::to_string(r);
    room.name = "Room " + std::to_string(r);
    room.ti = 20;
    Wall wall;
    wall.k = 0.22;
    Opening window;
    window.count = 2;
    window.i = 1.4;
    AddOpening(wall, window);
    AddWall(room, wall);
    AddRoom(p, room);
    p.results[static_cast<std::size_t>(r)].totalLoss = 1234.5 + r;
  }
  p.totals.totalLoss = 4567.26;
  return p;
}

ReportLayout Prepare(const Project& p, ReportKind kind, char sep = '.') {
  RecordingMessenger m;
  ReportLayout layout;
  PrintSettings s;
  s.kind = kind;
  EXPECT_TRUE(PrepareReport(p, s, kA4, LineHeights{}, sep, layout, m));
  return layout;
}

TEST(ReportPage, PageText) {
  EXPECT_EQ(PageText(1, 1), "Page 1 from 1");
  EXPECT_EQ(PageText(2, 5), "Page 2 from 5");
}

TEST(ReportPage, EmptyReportHasTopLineHeaderAndEmptyTableHead) {
  const Project empty;
  for (ReportKind kind : {ReportKind::Results, ReportKind::InputData}) {
    const ReportLayout layout = Prepare(empty, kind);
    ASSERT_EQ(layout.plan.PageCount(), 1);
    const PageDrawing page = DrawPage(empty, layout, 1);
    const auto texts = Texts(page);
    EXPECT_THAT(texts, Contains("Kvem"));
    EXPECT_THAT(texts, Contains("Page 1 from 1"));
    EXPECT_THAT(texts, Contains(std::string(kProducerLine)));
    EXPECT_THAT(texts, Contains("Building:"));
    EXPECT_THAT(texts, Contains("Wind intensity:"));
    EXPECT_THAT(texts, Contains("Ser."));
    // Header box (+ two totals boxes) and the heading cells, no row cells.
    const std::size_t headerBoxes = kind == ReportKind::Results ? 3 : 1;
    const std::size_t headCells = kind == ReportKind::Results ? 9 : 9 + 7 + 7;
    EXPECT_EQ(page.boxes.size(), headerBoxes + headCells);
    EXPECT_EQ(kind == ReportKind::Results, Find(page, "Building total loss [W]:") != nullptr);
  }
  EXPECT_TRUE(DrawPage(empty, Prepare(empty, ReportKind::Results), 2).texts.empty());
}

TEST(ReportPage, HeaderCrossesTheLabelsAndKeepsTextsInTheirPlaces) {
  const Project p = HouseOf(2);
  const PageDrawing page = DrawPage(p, Prepare(p, ReportKind::Results, ','), 1);
  const TextItem* building = Find(page, "Building:");
  const TextItem* projectName = Find(page, "Family house");
  const TextItem* projectLabel = Find(page, "Project:");
  const TextItem* buildingName = Find(page, "House No. 214");
  ASSERT_TRUE(building && projectName && projectLabel && buildingName);
  EXPECT_EQ(building->top, projectName->top);
  EXPECT_EQ(projectLabel->top, buildingName->top);
  EXPECT_EQ(projectLabel->top - building->top, 2 * LineHeights{}.bold);
  // Numbers carry the user's separator and are trimmed of printf padding.
  EXPECT_THAT(Texts(page), Contains("4567,3"));
  EXPECT_THAT(Texts(page), Contains("0,1"));
  EXPECT_THAT(Texts(page), Contains("1236,5"));
  for (const TextItem& t : page.texts) {
    EXPECT_LE(t.limitLeft, t.limitRight) << t.text;
    EXPECT_GE(t.x, t.limitLeft) << t.text;
    EXPECT_LE(t.x, t.limitRight) << t.text;
    EXPECT_GE(t.limitLeft, 200) << t.text;          // inside the left margin
    EXPECT_LE(t.limitRight, 2100 - 200) << t.text;  // and the right one
  }
}

TEST(ReportPage, LaterPagesHaveTopLineAndTableHeadButNoHeader) {
  const Project p = HouseOf(40);
  const ReportLayout layout = Prepare(p, ReportKind::Results);
  ASSERT_EQ(layout.plan.PageCount(), 2);
  const PageDrawing second = DrawPage(p, layout, 2);
  const auto texts = Texts(second);
  EXPECT_THAT(texts, Contains("Page 2 from 2"));
  EXPECT_THAT(texts, Contains("Ventilation"));
  EXPECT_THAT(texts, Not(Contains("Building:")));
  const int firstRow = layout.plan.pages[1].firstRow;
  EXPECT_THAT(texts, Contains(std::to_string(firstRow)));
  EXPECT_THAT(texts, Contains("1.0" + std::to_string(firstRow)));
  // The last row ends where the capacity says it may.
  int lowest = 0;
  for (const BoxItem& b : second.boxes) lowest = std::max(lowest, b.top + b.height);
  EXPECT_LE(lowest, kA4.height - 200);
}

TEST(ReportPage, InputDataLinesAndRepeatedRoomLine) {
  const Project p = HouseOf(1);
  const auto lines = RoomLines(1, p.rooms[1], ',');
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].cells[2], "Room 1 / 20");
  EXPECT_EQ(lines[1].cells[0], "Wall");
  EXPECT_EQ(lines[1].cells[3], "0,2");
  EXPECT_EQ(lines[2].cells[0], "2 x otvor");
  EXPECT_EQ(lines[2].cells[4], "1,4");
  EXPECT_EQ(lines[1].cells.size(), 7u);

  // A room longer than a page continues under its repeated room line.
  Project big;
  Room room;
  room.number = "2.01";
  for (int w = 0; w < 19; ++w) {
    Wall wall;
    for (int o = 0; o < 5; ++o) AddOpening(wall, Opening{});
    AddWall(room, wall);
  }
  AddRoom(big, room);
  const ReportLayout layout = Prepare(big, ReportKind::InputData);
  ASSERT_GT(layout.plan.PageCount(), 2);
  for (int page = 2; page <= layout.plan.PageCount(); ++page) {
    const auto texts = Texts(DrawPage(big, layout, page));
    EXPECT_THAT(texts, Contains("2.01")) << page;
    EXPECT_THAT(texts, Contains("Stěna")) << page;
  }
}

}  // namespace
}  // namespace kvem::report
