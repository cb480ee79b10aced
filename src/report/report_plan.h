// How the two heat-loss reports fall onto pages: line counting, the capacity
// of the first and of every later page, and which rows (results report) or
// rooms (input-data report) each page prints. No Qt here: the painter only
// draws what the plan says, so the pagination is tested exactly.
//
// Every length is in units of 0.1 mm.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messenger.h"
#include "project/project.h"

namespace kvem::report {

enum class ReportKind { Results = 0, InputData = 1 };

// What the page setup changes; lives as long as the main window, never saved.
struct PrintSettings {
  ReportKind kind = ReportKind::Results;
  int topMargin = 20;  // mm
  int leftMargin = 20;
  int rightMargin = 20;
  int bottomMargin = 20;
};

struct PaperSize {
  int width = 2100;  // 0.1 mm
  int height = 2970;
};
inline constexpr PaperSize kA4{2100, 2970};

// Cell heights of the two report fonts and the line heights derived from
// them (the height of "Á" in the bold font + 20, in the regular font + 10).
inline constexpr int kBoldFontHeight = 50;
inline constexpr int kRegularFontHeight = 40;
struct LineHeights {
  int bold = kBoldFontHeight + 20;        // hB
  int regular = kRegularFontHeight + 10;  // hN
};

inline constexpr int kTopLineAdvance = 70;  // the top line "Kvem ... Page n from m"
inline constexpr int kHeaderGap = 100;      // below the header block of page 1
inline constexpr int kColumnUnits = 32;     // the printable width in units u

int HeaderLines(ReportKind kind);  // H: 11 results, 7 input data
int HeadLines(ReportKind kind);    // T: 2 results, 6 input data

// Rooms of the report: 1 .. count - 1, within the model's capacity.
int ReportRoomCount(const Project& project);
// Lines of one room in the input-data report: the room, each wall, each opening.
int RoomLineCount(const Room& room);
// L: rooms (results) or the sum of the rooms' line counts (input data).
int ReportLineCount(const Project& project, ReportKind kind);

struct Capacities {
  int usableHeight = 0;  // U
  int firstPage = 0;     // C1, lines
  int laterPage = 0;     // C2, lines
};
Capacities ComputeCapacities(ReportKind kind, int paperHeight, int topMargin, int bottomMargin,
                             const LineHeights& heights);

// A part of a room on one page of the input-data report: its lines
// [firstLine, firstLine + lineCount), line 0 being the room line. A piece
// that does not begin at line 0 is the continuation of a room longer than a
// page; it is printed under a repeated room line, which takes one line more.
struct RoomPiece {
  int room = 0;
  int firstLine = 0;
  int lineCount = 0;
  bool continued() const { return firstLine > 0; }
  int printedLines() const { return lineCount + (continued() ? 1 : 0); }
};

struct PlannedPage {
  int firstRow = 1;  // results report: rows firstRow .. firstRow + rowCount - 1
  int rowCount = 0;
  std::vector<RoomPiece> pieces;  // input-data report
};

struct PagePlan {
  ReportKind kind = ReportKind::Results;
  Capacities capacities;
  int lines = 0;  // L
  std::vector<PlannedPage> pages;
  int PageCount() const { return static_cast<int>(pages.size()); }
};

// Messages of a refused page setup.
inline constexpr std::string_view kMarginCaption = "Kvem - Page Setup";
inline constexpr std::string_view kNegativeMarginMessage =
    "A margin cannot be negative. Enter 0 or more millimetres.";
inline constexpr std::string_view kNoWidthMessage =
    "The left-hand and right-hand margins leave no width for the table on this paper. Make them "
    "smaller.";
inline constexpr std::string_view kNoHeightMessage =
    "The top and bottom margins leave no room for a single line of the report on the first page "
    "of this paper. Make them smaller.";

// The page assignment itself, on line counts: rows of the results report,
// and the line count of every room of the input-data report.
std::vector<PlannedPage> PaginateResults(int rows, const Capacities& capacities);
std::vector<PlannedPage> PaginateInputData(const std::vector<int>& roomLines,
                                           const Capacities& capacities);

// True when the margins leave room for the report on this paper; otherwise
// says why through the messenger.
bool CheckMargins(const PrintSettings& settings, const PaperSize& paper, const LineHeights& heights,
                  Messenger& messenger);

// The page setup's OK: the four typed margins (top, left, right, bottom) as
// whole numbers (text that is no number gives 0) and the report kind. They
// are stored only when the margins leave room for the report; otherwise the
// messenger says why and `settings` stays as it was.
bool ApplyPageSetup(const std::array<std::string, 4>& marginTexts, ReportKind kind,
                    const PaperSize& paper, const LineHeights& heights, PrintSettings& settings,
                    Messenger& messenger);

// The pages of the report. Results: page 1 takes rows 1 .. C1, every later
// page the next C2 rows. Input data: rooms stay whole; a page takes rooms
// while their lines fit, and a room that fits no page on its own is split,
// filling pages with its room line repeated on each. Fails (with the margin
// messages) when the margins leave no room for a line.
bool MakePagePlan(const Project& project, const PrintSettings& settings, const PaperSize& paper,
                  const LineHeights& heights, PagePlan& plan, Messenger& messenger);

}  // namespace kvem::report
