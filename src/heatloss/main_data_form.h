// What the Main Data dialog and its four small dialogs do, without a window:
// the fields they show, when OK and "Specify B" are enabled, what each choice
// stores in BuildingData and what OK takes over. The Qt dialogs only show
// these fields and pass on clicks and typed text.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messenger.h"
#include "project/project.h"

namespace kvem {

inline constexpr std::string_view kSelectText = "Select";
inline constexpr std::string_view kNoPlacingMessage = "Isn't booked up placing construction";

// ---- Main Data dialog ("Kvem - Main Data") -------------------------------

// The texts of the dialog's fields, as the user sees and types them.
struct MainDataFields {
  std::string projectName1, projectName2;
  std::string buildingName1, buildingName2;
  std::string preparedBy;
  std::string date;  // "%Y-%m-%d"; the dialog's date picker
  std::string jobOrderNumber;
  std::string registrationNumber;
  std::string note;
  std::string te;
  std::string altitude;
  std::string location;
  std::string windyLandscape;
  std::string b;
  std::string p2;
  std::string buildingType;
};

// Fields showing `data`: Te and B as whole numbers, p2 with one decimal.
MainDataFields MainDataFieldsOf(const BuildingData& data, char decimalSeparator);

// The prefill from the CAD side's "epc_pr1.ini" applies only when both the job
// order number and the registration number are empty.
bool MainDataNeedsPrefill(const BuildingData& data);
inline constexpr std::string_view kProjectInfoFile = "epc_pr1.ini";
// Fills the fields from lines 3, 4, 5, 6, 11 and 12 of the information file;
// `line(n)` returns line n (an empty text when it is not there).
void PrefillMainData(MainDataFields& fields, const std::function<std::string(long)>& line);

// OK needs a project name, a building name (either line), the registration and
// job order numbers, prepared by, Te, B, p2 and the type of building.
bool MainDataOkEnabled(const MainDataFields& fields);
// "Specify B" needs a location.
bool SpecifyBEnabled(const MainDataFields& fields);
// "Specify B" refuses to open when no wind exposure is known (the message
// `kNoPlacingMessage` is shown by the caller's messenger through this call).
bool MayOpenBuildingNumberDialog(const BuildingData& data, Messenger& messenger);

// After a sub-dialog the dialog shows what it stored.
void RefreshAfterOutdoorTemperature(MainDataFields& fields, const BuildingData& data);
void RefreshAfterBuildingNumber(MainDataFields& fields, const BuildingData& data);
void RefreshAfterHeatUpAllowance(MainDataFields& fields, const BuildingData& data,
                                 char decimalSeparator);
void RefreshAfterBuildingType(MainDataFields& fields, const BuildingData& data);

// OK: takes the fields over (texts cut to 49 characters, altitude and wind to
// 9, Te and B as whole numbers, p2 as a decimal with either separator).
void ApplyMainData(const MainDataFields& fields, BuildingData& data, char decimalSeparator);

// A decimal typed or taken from a table: a comma or a point is accepted either way.
double ParseUserDecimal(std::string_view text, char decimalSeparator);

// ---- Characteristic building number B -------------------------------------

enum class BuildingKind { None, Detached, Terraced };
inline constexpr std::array<std::string_view, 3> kLandscapeLocations = {"protected", "unprotected",
                                                                       "adverse"};
// B [Pa^0.67] for a building kind, landscape and location (0 protected,
// 1 unprotected, 2 adverse); 0 when the kind or location is not chosen.
int CharacteristicNumberB(BuildingKind kind, bool intensiveWinds, int location);
// The wind velocity [m/s] printed beside a location button.
int LandscapeWindVelocity(bool intensiveWinds, int location);

class BuildingNumberForm {
 public:
  explicit BuildingNumberForm(BuildingData& data);

  bool intensiveWinds() const { return intensiveWinds_; }
  BuildingKind kind() const { return kind_; }
  // Each group's location buttons are enabled only after a building kind is
  // chosen, and only the group of the project's wind exposure.
  bool normalGroupEnabled() const { return kind_ != BuildingKind::None && !intensiveWinds_; }
  bool windyGroupEnabled() const { return kind_ != BuildingKind::None && intensiveWinds_; }
  // -1 when no location button is checked.
  int checkedLocation() const { return location_; }
  const std::string& fieldText() const { return fieldText_; }

  void ChooseKind(BuildingKind kind);
  // Sets B at once; ignored before a building kind is chosen.
  void ChooseLocation(int location);

 private:
  BuildingData& data_;
  bool intensiveWinds_;
  BuildingKind kind_ = BuildingKind::None;
  int location_ = -1;
  std::string fieldText_;
};

// ---- Heat-up allowance p2 ------------------------------------------------

struct HeatUpChoice {
  std::string_view operation;
  std::string_view hours;
  double p2;
  std::string_view text;
};
inline constexpr std::array<HeatUpChoice, 3> kHeatUpChoices = {{
    {"continuous", "24", 0.0, "0.0"},
    {"discontinuous", "more than 16", 0.1, "0.1"},
    {"discontinuous", "less than 16", 0.2, "0.2"},
}};

class HeatUpAllowanceForm {
 public:
  explicit HeatUpAllowanceForm(BuildingData& data) : data_(data) {}
  const std::string& fieldText() const { return fieldText_; }
  // Sets p2 at once; closing with Storno keeps it.
  void Choose(int index);

 private:
  BuildingData& data_;
  std::string fieldText_{kSelectText};
};

// ---- Design outdoor temperature ------------------------------------------

// One row of the Te table: place, altitude, Te, wind exposure (fields 1 to 4).
using TableRow = std::vector<std::string>;

class OutdoorTemperatureForm {
 public:
  // `rows` are the table's records in file order; list position p is row p.
  OutdoorTemperatureForm(BuildingData& data, std::vector<TableRow> rows);

  const std::vector<TableRow>& rows() const { return rows_; }
  int selected() const { return selected_; }  // -1: nothing selected
  std::string altitude, te, windyLandscape;   // the three fields, editable

  // Stores the place as the location at once and shows the row's values.
  void Choose(int index);
  // OK: the fields win over the table's values.
  void Accept();

 private:
  BuildingData& data_;
  std::vector<TableRow> rows_;
  int selected_ = -1;
};

// ---- Building type ---------------------------------------------------------

// One of the twelve types: the button's label, the text stored, and the
// file name of its indoor-temperature table.
struct BuildingTypeChoice {
  std::string label;
  std::string storedText;
  std::string tableName;
};

class BuildingTypeForm {
 public:
  BuildingTypeForm(BuildingData& data, std::vector<BuildingTypeChoice> choices);
  const std::vector<BuildingTypeChoice>& choices() const { return choices_; }
  // The checked button (0-based), -1 for none.
  int checked() const;
  // Sets the type code at once.
  void Choose(int index);
  // On closing, by OK or Storno: a code 1 to 12 sets the type text and the table name.
  void Close();

 private:
  BuildingData& data_;
  std::vector<BuildingTypeChoice> choices_;
};

// The twelve labels of the building-type dialog, in code order.
const std::array<std::string_view, 12>& BuildingTypeLabels();

}  // namespace kvem
