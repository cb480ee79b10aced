#include "app/commands.h"

#include <array>

namespace kvem {

namespace c = command;

namespace {

constexpr std::array<CommandInfo, 37> kCommands = {{
    {c::kNew, "&New\tCtrl+N", "Create new document", "New", false},
    {c::kOpen, "&Open...\tCtrl+O", "Open the existing document", "Open", false},
    {c::kSave, "&Save\tCtrl+S", "Save the active document", "Save", false},
    {c::kSaveAs, "Save &As...", "Save the active document with a new name", "Save As", false},
    {c::kPrint, "&Print...\tCtrl+P", "Print the active document", "Print", false},
    {c::kPreview, "&Preview", "View the entire pages", "Preview", false},
    {c::kExportPdf, "&Export PDF...", "Save the report as a PDF file", "Export PDF", false},
    {c::kPrintSetup, "&Print setup...", "Change printer and print options", "Print setup", false},
    {c::kPageSetup, "&Page setup...", "Change print options", "Page setup", false},
    {c::kRecentFirst, "Last modified", "Open this document", "", false},
    {c::kRecentFirst + 1, "Last modified", "Open this document", "", false},
    {c::kRecentFirst + 2, "Last modified", "Open this document", "", false},
    {c::kRecentFirst + 3, "Last modified", "Open this document", "", false},
    {c::kExit, "&Exit", "Exit application; ask whether to save documents", "Exit", false},
    {c::kUndo, "&Undo\tCtrl+Z", "Undo the last action", "Undo", false},
    {c::kCut, "&Cut\tCtrl+X", "Cut the selection and put it on the Clipboard", "Cut", false},
    {c::kCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", "Copy", false},
    {c::kPaste, "&Paste\tCtrl+V", "Insert Clipboard contents", "Paste", false},
    {c::kMainData, "&Basic data about the building", "Main Project Data",
     "Basic data about the building", false},
    {c::kRooms, "&Rooms - Walls - Openings", "Input Project Data", "Rooms - Walls - Openings",
     false},
    {c::kCalculation, "&Calculation, results", "Run calculation and display the results",
     "Calculation, results", false},
    {c::kWallsTable, "Overall heat transmission coefficient of &walls", "parameters of wall",
     "Overall heat transmission coefficient of walls", false},
    {c::kOpeningsTable, "Overall heat transmission coefficient of &openings",
     "parameters of openings", "Overall heat transmission coefficient of openings", false},
    {c::kJointsTable, "Air permeability coefficient of &joints", "parameters of openings",
     "Air permeability coefficient of joints", false},
    {c::kOpeningTypesTable, "T&ypes of openings", "parameters of openings", "Types of openings",
     false},
    {c::kHeaters, "Design of &heaters", "Run calculation of heaters as to specification",
     "Design of heaters", true},
    {c::kPressure, "Evaluation of system pre&ssure conditions",
     "Run calculation of pressure loss on Pexon elements",
     "Evaluation of system pressure conditions", true},
    {c::kFloorHeating, "Design of &floor heating", "Run calculation for floor heating design",
     "Design of floor heating", true},
    {c::kToolbar, "Main &tools", "View or hide the toolbar", "", false},
    {c::kStatusBar, "&Status bar", "View or hide the status bar", "", false},
    {c::kHelp, "&Help\tF1", "", "Help", false},
    {c::kAbout, "&About application", "", "About application", false},
    {c::kStartCad, "", "Run AutoCAD and necessary modules", "Run CAD", true},
    {c::kModifiedConditions, "", "Inserting modified conditions", "Modified conditions", true},
    {c::kOutdoorTemperatureTable, "", "", "Outdoor temperatures", false},
    {c::kFloorHeatingTable, "", "Parametrs of floor heating", "Parameters of floor heating",
     false},
    {c::kEnergyLabel, "", "Energetický štítek budovy", "Energetický štítek budovy", true},
}};

constexpr MenuEntry kFileMenu[] = {
    {c::kNew, {}},        {c::kOpen, {}},        {c::kSave, {}},      {c::kSaveAs, {}},
    {c::kSeparator, {}},  {c::kPrint, {}},       {c::kPreview, {}},   {c::kExportPdf, {}},   {c::kPrintSetup, {}},
    {c::kPageSetup, {}},  {c::kSeparator, {}},   {c::kRecentFirst, {}}, {c::kSeparator, {}},
    {c::kExit, {}},
};
constexpr MenuEntry kEditMenu[] = {
    {c::kUndo, {}}, {c::kSeparator, {}}, {c::kCut, {}}, {c::kCopy, {}}, {c::kPaste, {}},
};
constexpr MenuEntry kDataMenu[] = {
    {c::kMainData, {}},
    {c::kRooms, {}},
    {c::kCalculation, {}},
    {c::kRooms, kDataDividerText},
    {c::kWallsTable, {}},
    {c::kOpeningsTable, {}},
    {c::kJointsTable, {}},
    {c::kOpeningTypesTable, {}},
    {c::kSeparator, {}},
    {c::kHeaters, {}},
    {c::kPressure, {}},
    {c::kFloorHeating, {}},
};
constexpr MenuEntry kViewMenu[] = {{c::kToolbar, {}}, {c::kStatusBar, {}}};
constexpr MenuEntry kHelpMenu[] = {{c::kHelp, {}}, {c::kSeparator, {}}, {c::kAbout, {}}};

constexpr Menu kMenus[] = {
    {"&File", kFileMenu}, {"E&dit", kEditMenu}, {"&Data", kDataMenu},
    {"&View", kViewMenu}, {"&Help", kHelpMenu},
};

constexpr int kToolbar[] = {
    c::kNew,         c::kOpen,       c::kSave,       c::kSeparator,
    c::kCut,         c::kCopy,       c::kPaste,      c::kSeparator,
    c::kPrint,       c::kSeparator,  c::kAbout,      c::kSeparator,
    c::kStartCad,    c::kSeparator,  c::kMainData,   c::kRooms,
    c::kSeparator,   c::kWallsTable, c::kOpeningsTable, c::kJointsTable,
    c::kOpeningTypesTable, c::kOutdoorTemperatureTable, c::kSeparator, c::kCalculation,
    c::kSeparator,   c::kModifiedConditions, c::kSeparator, c::kHeaters,
    c::kPressure,    c::kSeparator,  c::kFloorHeating, c::kFloorHeatingTable,
    c::kSeparator,   c::kEnergyLabel,
};

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int id) {
  for (const CommandInfo& info : kCommands) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

std::span<const Menu> Menus() { return kMenus; }

std::span<const int> ToolbarCommands() { return kToolbar; }

}  // namespace kvem
