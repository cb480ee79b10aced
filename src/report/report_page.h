// What one page of a heat-loss report shows, as a list of texts, boxes and
// rules placed in 0.1 mm from the paper's top-left corner (y grows downwards).
// The painter draws these items as they are; it decides nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/messenger.h"
#include "project/project.h"
#include "report/report_plan.h"

namespace kvem::report {

// The fixed line in the top-right corner of every page.
inline constexpr std::string_view kProducerLine = "Kvem - heating design";

enum class FontKind { Bold, Regular };
enum class Anchor { Left, Centre, Right };

// A text whose cell top is `top`; `x` is its left edge, centre or right edge.
// It must stay within [limitLeft, limitRight]: the painter narrows a text
// that would not, so nothing spills into the next cell.
struct TextItem {
  std::string text;
  FontKind font = FontKind::Regular;
  Anchor anchor = Anchor::Left;
  int x = 0;
  int top = 0;
  int limitLeft = 0;
  int limitRight = 0;
};

struct BoxItem {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct RuleItem {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
};

struct PageDrawing {
  std::vector<TextItem> texts;
  std::vector<BoxItem> boxes;
  std::vector<RuleItem> rules;
};

// Everything a print job fixes before the first page: settings, paper, line
// heights of the fonts in use, the page plan and the user's decimal separator.
struct ReportLayout {
  PrintSettings settings;
  PaperSize paper;
  LineHeights heights;
  PagePlan plan;
  char separator = '.';
};

// The plan and layout of a print job; false (with the margin messages) when
// the margins leave no room for the report.
bool PrepareReport(const Project& project, const PrintSettings& settings, const PaperSize& paper,
                   const LineHeights& heights, char separator, ReportLayout& layout,
                   Messenger& messenger);

// "Page 2 from 5".
std::string PageText(int page, int pageCount);

// The cells of one line of the input-data report: 9 for a room line, 7 for a
// wall or opening line (whose first cell spans the first three columns).
enum class InputLineKind { Room, Wall, Opening };
struct InputLine {
  InputLineKind kind = InputLineKind::Room;
  std::vector<std::string> cells;
};
std::vector<InputLine> RoomLines(int index, const Room& room, char separator);

// The cells of one row of the results report.
std::vector<std::string> ResultRowCells(int index, const Room& room, const RoomResult& result,
                                        char separator);

// Page `page` (from 1) of the report.
PageDrawing DrawPage(const Project& project, const ReportLayout& layout, int page);

}  // namespace kvem::report
