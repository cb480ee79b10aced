// The command table of the main window: every menu entry and toolbar button
// with its id, text, status-bar prompt and tool tip, the menus in order and
// the toolbar order. The window builds itself from this table, so tests can
// hold the one against the other.
#pragma once

#include <span>
#include <string_view>

namespace kvem {

namespace command {
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPageSetup = 57605;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kPreview = 57609;
inline constexpr int kRecentFirst = 57616;  // 57616 .. 57619
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kUndo = 57643;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kHelp = 57670;
inline constexpr int kRooms = 32771;
inline constexpr int kMainData = 32772;
inline constexpr int kCalculation = 32773;
inline constexpr int kOpeningsTable = 32782;
inline constexpr int kWallsTable = 32783;
inline constexpr int kJointsTable = 32789;
inline constexpr int kOpeningTypesTable = 32791;
inline constexpr int kStartCad = 32792;
inline constexpr int kModifiedConditions = 32793;
inline constexpr int kHeaters = 32794;
inline constexpr int kPressure = 32795;
inline constexpr int kFloorHeating = 32802;
inline constexpr int kFloorHeatingTable = 32804;
inline constexpr int kOutdoorTemperatureTable = 32805;
inline constexpr int kEnergyLabel = 32809;
inline constexpr int kToolbar = 59392;
inline constexpr int kStatusBar = 59393;
// Ours, beside Print: the report of the chosen kind written to a PDF file.
inline constexpr int kExportPdf = 32900;
// The separator of a menu or the toolbar.
inline constexpr int kSeparator = 0;
}  // namespace command

struct CommandInfo {
  int id;
  std::string_view text;     // menu text with "&" mnemonic and "\t" accelerator
  std::string_view prompt;   // status-bar prompt
  std::string_view toolTip;  // toolbar tool tip
  bool later;                // built by a later part of the program: shown disabled
};

// Every command of the window, menu entries and toolbar-only buttons.
std::span<const CommandInfo> Commands();
// The entry of `id`; nullptr when there is none.
const CommandInfo* FindCommand(int id);

struct MenuEntry {
  int id;                 // command::kSeparator for a separator line
  std::string_view text;  // empty: the command's own text
};
struct Menu {
  std::string_view title;
  std::span<const MenuEntry> entries;
};
// The menu bar in order. The File menu's recently-used entries stand where
// the entry command::kRecentFirst is.
std::span<const Menu> Menus();

// The toolbar in order; command::kSeparator marks a gap.
std::span<const int> ToolbarCommands();

// The Data menu's divider line; choosing it opens the rooms editor.
inline constexpr std::string_view kDataDividerText =
    "-------------------------------------------------";
inline constexpr std::string_view kNotAvailableYet = "not available yet in this version of Kvem";

}  // namespace kvem
