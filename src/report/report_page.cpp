#include "report/report_page.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>

#include "platform/numbers.h"

namespace kvem::report {
namespace {

constexpr std::array<int, 10> kResultColumns = {0, 2, 6, 11, 14, 17, 20, 24, 28, 32};
constexpr std::array<int, 10> kRoomColumns = {0, 2, 6, 11, 15, 19, 23, 26, 29, 32};
constexpr std::array<int, 8> kWallColumns = {0, 11, 15, 19, 23, 26, 29, 32};

// Keeps a text off the cell's lines.
constexpr int kCellPadding = 8;

using Heading = std::vector<std::string_view>;

const std::array<Heading, 9> kResultHeadings = {{
    {"Ser.", "room", "number"},
    {"Room", "number"},
    {"Room", "name"},
    {"Ti", "", "[°C]"},
    {"Room", "surface", "[m2]"},
    {"Room", "volume", "[m3]"},
    {"Transfer", "loss", "[W]"},
    {"Ventilation", "loss", "[W]"},
    {"Total", "loss", "[W]"},
}};

const std::array<Heading, 9> kRoomHeadings = {{
    {"Ser.", "room", "number"},
    {"Room", "number"},
    {"Room", "name / Ti", "[- / °C]"},
    {"Length", "name", "[mm]"},
    {"Width", "name", "[mm]"},
    {"High", "name", "[mm]"},
    {"Door", "number", "[ks]"},
    {"Air", "change", "[m3]"},
    {"Cardinal", "point", "[-]"},
}};

const std::array<Heading, 7> kWallHeadings = {{
    {"Stěna"},
    {"Length", "walls", "[mm]"},
    {"High", "walls", "[mm]"},
    {"k", "walls", "[W/m2.K]"},
    {"Temp.", "differ.", "[K]"},
    {},
    {},
}};

const std::array<Heading, 7> kOpeningHeadings = {{
    {"Opening"},
    {"Length", "opening", "[mm]"},
    {"High", "opening", "[mm]"},
    {"k", "opening", "[W/m2.K]"},
    {"i", "opening", "[Pa 0.67]"},
    {"Join length", "opening", "[mm]"},
    {},
}};

std::string Trim(std::string text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Long(long value) {
  return FormatLong("%ld", value);
}

std::string Number(const char* format, double value, char sep) {
  return Trim(FormatDouble(format, value, sep));
}

// Places the items of one page.
class PageBuilder {
 public:
  PageBuilder(const ReportLayout& layout, PageDrawing& out) : layout_(layout), out_(out) {
    const PrintSettings& s = layout.settings;
    left_ = s.leftMargin * 10;
    right_ = layout.paper.width - s.rightMargin * 10;
    top_ = s.topMargin * 10;
    u_ = (right_ - left_) / kColumnUnits;
  }

  int U(int units) const { return left_ + units * u_; }
  int top() const { return top_; }
  void MoveDown(int amount) { top_ += amount; }
  int left() const { return left_; }
  int right() const { return right_; }

  void Text(std::string text, FontKind font, Anchor anchor, int x, int top, int limitLeft,
            int limitRight) {
    if (text.empty()) return;
    out_.texts.push_back({std::move(text), font, anchor, x, top, limitLeft, limitRight});
  }
  void Box(int left, int top, int width, int height) {
    out_.boxes.push_back({left, top, width, height});
  }
  void Rule(int x1, int y1, int x2, int y2) { out_.rules.push_back({x1, y1, x2, y2}); }

  // A text centred in the cell [c0, c1] (units u).
  void CellText(std::string text, int c0, int c1, int top) {
    const int x0 = U(c0);
    const int x1 = U(c1);
    Text(Trim(std::move(text)), FontKind::Regular, Anchor::Centre, (x0 + x1) / 2, top,
         x0 + kCellPadding, x1 - kCellPadding);
  }

  // One row of boxed cells with the given boundaries, one text per cell.
  template <std::size_t N>
  void BoxedRow(const std::array<int, N>& columns, const std::vector<std::string>& cells,
                int height) {
    const int textTop = top_ + (height - kRegularFontHeight) / 2;
    for (std::size_t c = 0; c + 1 < N; ++c) {
      Box(U(columns[c]), top_, U(columns[c + 1]) - U(columns[c]), height);
      if (c < cells.size()) CellText(cells[c], columns[c], columns[c + 1], textTop);
    }
    top_ += height;
  }

  // One row of boxed headings, one word per line, centred in the cell.
  template <std::size_t N, std::size_t M>
  void HeadingRow(const std::array<int, N>& columns, const std::array<Heading, M>& headings) {
    static_assert(M + 1 == N);
    const int height = 2 * layout_.heights.bold;
    for (std::size_t c = 0; c < M; ++c) {
      Box(U(columns[c]), top_, U(columns[c + 1]) - U(columns[c]), height);
      const Heading& words = headings[c];
      const int count = static_cast<int>(words.size());
      int lineTop = top_ + (height - count * kRegularFontHeight) / 2;
      for (std::string_view word : words) {
        CellText(std::string(word), columns[c], columns[c + 1], lineTop);
        lineTop += kRegularFontHeight;
      }
    }
    top_ += height;
  }

 private:
  const ReportLayout& layout_;
  PageDrawing& out_;
  int left_, right_, top_, u_;
};

void DrawTopLine(PageBuilder& b, int page, int pageCount) {
  const int top = b.top();
  b.Text("Kvem", FontKind::Bold, Anchor::Left, b.left(), top, b.left(), b.U(8));
  b.Text(PageText(page, pageCount), FontKind::Regular, Anchor::Centre, (b.left() + b.right()) / 2,
         top, b.U(10), b.U(22));
  b.Text(std::string(kProducerLine), FontKind::Bold, Anchor::Right, b.right(), top, b.U(22),
         b.right());
  b.MoveDown(kTopLineAdvance);
}

void DrawHeader(PageBuilder& b, const Project& project, const ReportLayout& layout) {
  const BuildingData& d = project.building;
  const int hB = layout.heights.bold;
  const int y0 = b.top();
  const char sep = layout.separator;
  auto lineTop = [&](int line) { return y0 + (line - 1) * hB + (hB - kBoldFontHeight) / 2; };
  auto at = [&](std::string text, int line, int u, int limitU) {
    b.Text(Trim(std::move(text)), FontKind::Bold, Anchor::Left, b.U(u), lineTop(line), b.U(u),
           b.U(limitU) - kCellPadding);
  };
  auto rightAt = [&](std::string text, int line, int u, int fromU) {
    b.Text(Trim(std::move(text)), FontKind::Bold, Anchor::Right, b.U(u), lineTop(line), b.U(fromU),
           b.U(u));
  };
  const int width = b.right() - b.left();

  b.Box(b.left(), y0, width, 7 * hB);
  // The labels cross: "Building:" stands by the project name, "Project:" by
  // the building name.
  at("Building:", 1, 1, 5);
  at(d.projectName1, 1, 5, 17);
  at(d.projectName2, 2, 5, 17);
  at("Project:", 3, 1, 5);
  at(d.buildingName1, 3, 5, 17);
  at(d.buildingName2, 4, 5, 17);
  const std::array<std::pair<const char*, const std::string*>, 4> people = {{
      {"Vypracoval:", &d.preparedBy},
      {"Date:", &d.date},
      {"Job:", &d.jobOrderNumber},
      {"Reg.no:", &d.registrationNumber},
  }};
  for (int i = 0; i < 4; ++i) {
    at(people[static_cast<std::size_t>(i)].first, i + 1, 17, 22);
    at(*people[static_cast<std::size_t>(i)].second, i + 1, 22, kColumnUnits);
  }
  b.Rule(b.left(), y0 + 4 * hB, b.right(), y0 + 4 * hB);

  at("Outdoor temperature Te [°C]:", 5, 1, 13);
  rightAt(Long(d.te), 5, 15, 13);
  at("Characteristic b.n. B [Pa 0.67]:", 6, 1, 13);
  rightAt(Long(d.b), 6, 15, 13);
  at("Allowance p2 [-]:", 7, 1, 13);
  rightAt(Number("%1.1lf", d.p2, sep), 7, 15, 13);
  at("Altitude [m n.m]:", 5, 17, 27);
  rightAt(d.altitude, 5, 31, 27);
  at("Temperature zone:", 6, 17, 27);
  rightAt(d.location, 6, 31, 27);
  at("Wind intensity:", 7, 17, 27);
  rightAt(d.windyLandscape, 7, 31, 27);

  if (layout.settings.kind == ReportKind::Results) {
    const BuildingTotals& t = project.totals;
    b.Box(b.left(), y0 + 8 * hB, width, 2 * hB);
    at("Total transfer loss [W]:", 9, 1, 11);
    rightAt(Number("%8.1f", t.transmissionLoss, sep), 9, 15, 11);
    at("Total ventilation loss [W]:", 10, 1, 11);
    rightAt(Number("%8.1f", t.ventilationLoss, sep), 10, 15, 11);
    at("Total loss [m3]:", 9, 17, 27);
    rightAt(Number("%8.1f", t.volume, sep), 9, 31, 27);
    at("Loss W/m3 [W]:", 10, 17, 27);
    rightAt(Number("%8.1f", t.lossPerVolume, sep), 10, 31, 27);
    b.Box(b.left(), y0 + 10 * hB, width, hB);
    at("Building total loss [W]:", 11, 1, 11);
    rightAt(Number("%8.1f", t.totalLoss, sep), 11, 15, 11);
  }
  b.MoveDown(HeaderLines(layout.settings.kind) * hB + kHeaderGap);
}

}  // namespace

bool PrepareReport(const Project& project, const PrintSettings& settings, const PaperSize& paper,
                   const LineHeights& heights, char separator, ReportLayout& layout,
                   Messenger& messenger) {
  layout = ReportLayout{};
  layout.settings = settings;
  layout.paper = paper;
  layout.heights = heights;
  layout.separator = separator;
  return MakePagePlan(project, settings, paper, heights, layout.plan, messenger);
}

std::string PageText(int page, int pageCount) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s %d %s %d", "Page", page, "from", pageCount);
  return buffer;
}

std::vector<std::string> ResultRowCells(int index, const Room& room, const RoomResult& res,
                                        char sep) {
  return {Long(index),
          room.number,
          room.name,
          Long(room.ti),
          Number("%8.2f", res.surface, sep),
          Number("%8.2f", res.volume, sep),
          Number("%8.1lf", res.transmissionLoss, sep),
          Number("%8.1f", res.ventilationLoss, sep),
          Number("%8.1lf", res.totalLoss, sep)};
}

std::vector<InputLine> RoomLines(int index, const Room& room, char sep) {
  std::vector<InputLine> lines;
  lines.push_back({InputLineKind::Room,
                   {Long(index), room.number, room.name + " / " + Long(room.ti), Long(room.length),
                    Long(room.width), Long(room.height), Long(room.doors), Long(room.airFlow),
                    room.cardinalPoint}});
  const int walls = std::clamp(room.wallCount, 1, kWallSlots) - 1;
  for (int w = 1; w <= walls; ++w) {
    const Wall& wall = room.walls[static_cast<std::size_t>(w)];
    lines.push_back({InputLineKind::Wall,
                     {"Wall", Long(wall.length), Long(wall.height), Number("%8.1lf", wall.k, sep),
                      Long(wall.temperatureDifference), "", ""}});
    const int openings = std::clamp(wall.openingCount, 1, kOpeningSlots) - 1;
    for (int o = 1; o <= openings; ++o) {
      const Opening& op = wall.openings[static_cast<std::size_t>(o)];
      lines.push_back(
          {InputLineKind::Opening,
           {FormatLong("%ld x otvor", op.count), Long(op.width), Long(op.height),
            Number("%8.1lf", op.k, sep), Number("%8.1f", op.i, sep), Long(op.jointLength), ""}});
    }
  }
  return lines;
}

PageDrawing DrawPage(const Project& project, const ReportLayout& layout, int page) {
  PageDrawing out;
  const PagePlan& plan = layout.plan;
  if (page < 1 || page > plan.PageCount()) return out;
  PageBuilder b(layout, out);
  DrawTopLine(b, page, plan.PageCount());
  if (page == 1) DrawHeader(b, project, layout);

  const PlannedPage& planned = plan.pages[static_cast<std::size_t>(page - 1)];
  const int hN = layout.heights.regular;
  if (layout.settings.kind == ReportKind::Results) {
    b.HeadingRow(kResultColumns, kResultHeadings);
    for (int r = planned.firstRow; r < planned.firstRow + planned.rowCount; ++r) {
      const auto slot = static_cast<std::size_t>(r);
      b.BoxedRow(kResultColumns,
                 ResultRowCells(r, project.rooms[slot], project.results[slot], layout.separator),
                 hN);
    }
    return out;
  }

  b.HeadingRow(kRoomColumns, kRoomHeadings);
  b.HeadingRow(kWallColumns, kWallHeadings);
  b.HeadingRow(kWallColumns, kOpeningHeadings);
  for (const RoomPiece& piece : planned.pieces) {
    const std::vector<InputLine> lines = RoomLines(
        piece.room, project.rooms[static_cast<std::size_t>(piece.room)], layout.separator);
    auto drawLine = [&](const InputLine& line) {
      if (line.kind == InputLineKind::Room) {
        b.BoxedRow(kRoomColumns, line.cells, hN);
      } else {
        b.BoxedRow(kWallColumns, line.cells, hN);
      }
    };
    if (piece.continued()) drawLine(lines.front());
    for (int i = piece.firstLine; i < piece.firstLine + piece.lineCount; ++i) {
      drawLine(lines[static_cast<std::size_t>(i)]);
    }
  }
  return out;
}

}  // namespace kvem::report
