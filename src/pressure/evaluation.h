// The evaluation of pressure conditions as the desktop program's property
// sheet runs it, without the windows: page 1 ("Heating medium") and page 2
// ("Return medium") evaluate their network, page 3 ("In all") pairs the
// heaters of both into items, distributes the pump output over them and
// presets their valves, and OK writes "Tlak_Pos.txt". The desktop sheet and
// `kvem-cli pressure` both drive this one model.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messenger.h"
#include "pressure/network.h"

namespace kvem {

enum class Medium { Supply, Return };

inline constexpr std::string_view kSheetCaption =
    "Kvem - Evaluation of Pressure Conditions in the System";
inline constexpr std::string_view kSupplyPageTitle = "Heating medium";
inline constexpr std::string_view kReturnPageTitle = "Return medium";
inline constexpr std::string_view kInAllPageTitle = "In all";
inline constexpr std::string_view kPumpOutputLabel = "Pump output [Pa]";
inline constexpr std::string_view kMinimumPumpOutputLabel = "Minimum pump ouput [Pa]";
inline constexpr std::string_view kEnterCalculationButton = "Enter calculation in drawing";
inline constexpr std::string_view kDrawHeatersLoopButton = "Draw heaters loop in drawing";

// Columns of the medium pages' grid.
inline constexpr std::array<std::string_view, 16> kMediumColumns = {
    "BranchN.",      "SectionN.",
    "QuantityH.[W]", "Flow Rate[kg/h]",
    "Length[mm]",    "Length Overall[mm]",
    "Pipe",          "v [m/s]",
    "R [Pa/m]",      "R*l [Pa]",
    "ksí [-]",       "Z [Pa]",
    "R*l+Z [Pa]",    "All[Pa]",
    "Overplus [Pa]", "Heater [-]"};

// One grid row of a medium page, as the grid shows it.
std::vector<std::string> MediumGridRow(const CUsekPrivodu& section, char separator);

// Columns of page 3: eight, then "Notice" for a floor plan ("P") or
// "Min.disposal pressure[Pa]" and "Pressure +-[Pa]" for a schema ("S").
std::vector<std::string_view> InAllColumns(std::string_view drawingKind);
std::vector<std::string> InAllGridRow(const CUsekPrivodu& item, std::string_view drawingKind,
                                      char separator);

// 1-based row of the last valve section whose overplus is exactly 0 (the
// critical heater), 0 when there is none.
long CriticalRow(const CPrivodTelesa& network);

// "Heater '%s' - bad date!"
std::string BadHeaterText(std::string_view heater);

// Indices of the supply sections with a valve (element type not 0) that have
// no return section of the same heater name and exactly the same flow.
std::vector<std::size_t> UnmatchedSupplyHeaters(const CPrivodTelesa& supply,
                                                const CPrivodTelesa& ret);

// The items of page 3: one per supply section with element type not 0, with
// the All of every matching return section added in return order. Unmatched
// heaters are reported as a notice. Sets the items' flag of current
// cumulative values.
void BuildHeaterItems(const CPrivodTelesa& supply, const CPrivodTelesa& ret, CPrivodTelesa& items,
                      Messenger& messenger);

// What a drawing write does: ask `question`, then send each text in order;
// "Saving hasn't done!" when declined. Empty `sends` means nothing to do.
struct DrawingWrite {
  std::vector<std::string> sends;
};
inline constexpr std::string_view kDrawingQuestion =
    "Results will be save to drawing.\nIs drawing open?";
inline constexpr std::string_view kDrawingCaption = "Kvem - Save results to drawing";
inline constexpr std::string_view kDrawingDeclined = "Saving hasn't done!";

// (setvar "USERS5" "<value>")
std::string Users5Command(std::string_view value);
// "%s;%.0f;" of riser number and remainder over all items.
std::string RiserList(const CPrivodTelesa& items);
// "%s;%s;%d;%s;" of heater, valve name (empty for type 0), presetting and riser number.
std::string PresettingList(const CPrivodTelesa& items);
// Button "Enter calculation in drawing": critical pressure and riser number
// for a floor plan, the riser list for a schema.
DrawingWrite EnterCalculationWrite(const NetworkHeader& header, double criticalPressure,
                                   const CPrivodTelesa& items);
// Button "Draw heaters loop in drawing" (floor plans only).
DrawingWrite HeatersLoopWrite(const CPrivodTelesa& items);

// Where the network file of a medium is, formed afresh at each evaluation.
using NetworkFileRule = std::function<std::filesystem::path(char kind)>;

class PressureEvaluation {
 public:
  // tw and tr: the project's supply and return water temperatures.
  PressureEvaluation(NetworkFileRule networkFile, double tw, double tr, char separator,
                     Messenger& messenger);

  // Opening page 1 or 2: evaluates its network. False when the file cannot
  // be read; the sheet then closes as cancelled.
  bool OpenMediumPage(Medium medium);
  // Opening page 3: builds the items and distributes the pump output.
  void OpenInAllPage();
  // Text typed into "Pump output [Pa]" (on leaving the field or Enter).
  void EnterPumpOutput(std::string_view text);
  // OK of the sheet: evaluates an empty network, checks the pairing again,
  // writes the report to `reportFile` ("cosi=%s" when it cannot). `created`
  // is the time of its first line. False when the report was not written.
  bool Ok(const std::filesystem::path& reportFile, std::string_view created);
  // The report as written at OK, in UTF-8 with "\n"; the Write form hands
  // it to `sink` in pieces.
  std::string ReportText() const;
  void WriteReportText(const std::function<void(std::string_view)>& sink) const;

  const CPrivodTelesa& network(Medium medium) const {
    return medium == Medium::Supply ? supply_ : return_;
  }
  const CPrivodTelesa& items() const { return items_; }
  const NetworkHeader& header() const { return header_; }
  double availablePressure() const { return available_; }
  double criticalPressure() const { return critical_; }
  bool inAllOpened() const { return inAllOpened_; }
  char separator() const { return separator_; }

  // The field texts of page 3 and the title shown on every page ("70/55").
  std::string PumpOutputText() const;
  std::string MinimumPumpOutputText() const;
  std::string Title() const;
  // Page 3 shows "Draw heaters loop in drawing" only for a floor plan.
  bool ShowsHeatersLoopButton() const { return header_.drawingKind() == "P"; }

 private:
  bool Evaluate(Medium medium);

  NetworkFileRule networkFile_;
  char separator_;
  Messenger& messenger_;
  CPrivodTelesa supply_;
  CPrivodTelesa return_;
  CPrivodTelesa items_;
  NetworkHeader header_;
  std::string created_;
  double available_ = 0.0;
  double critical_ = 0.0;
  bool inAllOpened_ = false;
};

}  // namespace kvem
