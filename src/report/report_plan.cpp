#include "report/report_plan.h"

#include <algorithm>

#include "platform/numbers.h"

namespace kvem::report {

int HeaderLines(ReportKind kind) {
  return kind == ReportKind::Results ? 11 : 7;
}
int HeadLines(ReportKind kind) {
  return kind == ReportKind::Results ? 2 : 6;
}

int ReportRoomCount(const Project& project) {
  return std::clamp(project.building.roomCount, 1, kRoomSlots) - 1;
}

int RoomLineCount(const Room& room) {
  const int walls = std::clamp(room.wallCount, 1, kWallSlots) - 1;
  int lines = 1 + walls;
  for (int w = 1; w <= walls; ++w) {
    lines += std::clamp(room.walls[static_cast<std::size_t>(w)].openingCount, 1, kOpeningSlots) - 1;
  }
  return lines;
}

int ReportLineCount(const Project& project, ReportKind kind) {
  const int rooms = ReportRoomCount(project);
  if (kind == ReportKind::Results) return rooms;
  int lines = 0;
  for (int r = 1; r <= rooms; ++r)
    lines += RoomLineCount(project.rooms[static_cast<std::size_t>(r)]);
  return lines;
}

namespace {

// Floor division that stays right for a negative numerator (large margins).
int FloorDiv(int numerator, int denominator) {
  int q = numerator / denominator;
  if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) --q;
  return q;
}

}  // namespace

Capacities ComputeCapacities(ReportKind kind, int paperHeight, int topMargin, int bottomMargin,
                             const LineHeights& heights) {
  Capacities c;
  c.usableHeight = paperHeight - (topMargin + bottomMargin) * 10;
  const int hB = heights.bold;
  const int hN = std::max(1, heights.regular);
  const int head = HeadLines(kind) * hB;
  c.firstPage =
      FloorDiv(c.usableHeight - kHeaderGap - kTopLineAdvance - head - HeaderLines(kind) * hB, hN);
  c.laterPage = FloorDiv(c.usableHeight - kTopLineAdvance - head, hN);
  return c;
}

bool CheckMargins(const PrintSettings& s, const PaperSize& paper, const LineHeights& heights,
                  Messenger& messenger) {
  if (s.topMargin < 0 || s.leftMargin < 0 || s.rightMargin < 0 || s.bottomMargin < 0) {
    messenger.Show(kNegativeMarginMessage, kMarginCaption, Icon::Warning);
    return false;
  }
  if ((paper.width - (s.leftMargin + s.rightMargin) * 10) / kColumnUnits < 1) {
    messenger.Show(kNoWidthMessage, kMarginCaption, Icon::Warning);
    return false;
  }
  const Capacities c =
      ComputeCapacities(s.kind, paper.height, s.topMargin, s.bottomMargin, heights);
  // A split room needs its repeated room line and one more on a later page.
  if (c.firstPage < 1 || c.laterPage < 2) {
    messenger.Show(kNoHeightMessage, kMarginCaption, Icon::Warning);
    return false;
  }
  return true;
}

std::vector<PlannedPage> PaginateResults(int rows, const Capacities& capacities) {
  const int c1 = std::max(1, capacities.firstPage);
  const int c2 = std::max(1, capacities.laterPage);
  std::vector<PlannedPage> pages;
  PlannedPage first;
  first.firstRow = 1;
  first.rowCount = std::clamp(rows, 0, c1);
  pages.push_back(first);
  for (int next = 1 + c1; next <= rows; next += c2) {
    PlannedPage page;
    page.firstRow = next;
    page.rowCount = std::min(c2, rows - next + 1);
    pages.push_back(page);
  }
  return pages;
}

std::vector<PlannedPage> PaginateInputData(const std::vector<int>& roomLines,
                                           const Capacities& capacities) {
  // Capacities below these leave no room for a split room to progress; the
  // margin check refuses them before a plan is made.
  const int c2 = std::max(2, capacities.laterPage);
  int capacity = std::max(1, capacities.firstPage);
  int used = 0;
  std::vector<PlannedPage> pages(1);
  auto newPage = [&] {
    pages.emplace_back();
    capacity = c2;
    used = 0;
  };
  for (std::size_t i = 0; i < roomLines.size(); ++i) {
    const int room = static_cast<int>(i) + 1;
    const int lines = std::max(1, roomLines[i]);
    if (used + lines > capacity && lines <= c2) newPage();
    if (used + lines <= capacity) {
      pages.back().pieces.push_back({room, 0, lines});
      used += lines;
      continue;
    }
    // Longer than any page: fill pages, the room line repeated on each.
    if (capacity - used < 2) newPage();
    int next = 0;
    while (next < lines) {
      const int repeated = next > 0 ? 1 : 0;
      const int take = std::min(lines - next, capacity - used - repeated);
      pages.back().pieces.push_back({room, next, take});
      used += take + repeated;
      next += take;
      if (next < lines) newPage();
    }
  }
  return pages;
}

bool ApplyPageSetup(const std::array<std::string, 4>& marginTexts, ReportKind kind,
                    const PaperSize& paper, const LineHeights& heights, PrintSettings& settings,
                    Messenger& messenger) {
  PrintSettings chosen;
  chosen.kind = kind;
  chosen.topMargin = ParseInt32(marginTexts[0]);
  chosen.leftMargin = ParseInt32(marginTexts[1]);
  chosen.rightMargin = ParseInt32(marginTexts[2]);
  chosen.bottomMargin = ParseInt32(marginTexts[3]);
  if (!CheckMargins(chosen, paper, heights, messenger)) return false;
  settings = chosen;
  return true;
}

bool MakePagePlan(const Project& project, const PrintSettings& settings, const PaperSize& paper,
                  const LineHeights& heights, PagePlan& plan, Messenger& messenger) {
  plan = PagePlan{};
  plan.kind = settings.kind;
  if (!CheckMargins(settings, paper, heights, messenger)) return false;
  plan.capacities = ComputeCapacities(settings.kind, paper.height, settings.topMargin,
                                      settings.bottomMargin, heights);
  plan.lines = ReportLineCount(project, settings.kind);
  if (settings.kind == ReportKind::Results) {
    plan.pages = PaginateResults(plan.lines, plan.capacities);
  } else {
    std::vector<int> roomLines;
    for (int r = 1; r <= ReportRoomCount(project); ++r) {
      roomLines.push_back(RoomLineCount(project.rooms[static_cast<std::size_t>(r)]));
    }
    plan.pages = PaginateInputData(roomLines, plan.capacities);
  }
  return true;
}

}  // namespace kvem::report
