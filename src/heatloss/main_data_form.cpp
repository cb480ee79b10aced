#include "heatloss/main_data_form.h"

#include <algorithm>

#include "platform/encoding.h"
#include "platform/numbers.h"
#include "project/project_file.h"

namespace kvem {

namespace {

std::string Cut(std::string_view text, std::size_t width) { return Utf8Left(text, width); }

}  // namespace

double ParseUserDecimal(std::string_view text, char decimalSeparator) {
  std::string normal(text);
  std::replace_if(
      normal.begin(), normal.end(), [](char c) { return c == '.' || c == ','; }, decimalSeparator);
  return ParseDouble(normal, decimalSeparator);
}

MainDataFields MainDataFieldsOf(const BuildingData& data, char decimalSeparator) {
  MainDataFields f;
  f.projectName1 = data.projectName1;
  f.projectName2 = data.projectName2;
  f.buildingName1 = data.buildingName1;
  f.buildingName2 = data.buildingName2;
  f.preparedBy = data.preparedBy;
  f.date = data.date;
  f.jobOrderNumber = data.jobOrderNumber;
  f.registrationNumber = data.registrationNumber;
  f.note = data.note;
  f.te = FormatLong("%ld", data.te);
  f.altitude = data.altitude;
  f.location = data.location;
  f.windyLandscape = data.windyLandscape;
  f.b = FormatLong("%ld", data.b);
  f.p2 = FormatDouble("%1.1lf", data.p2, decimalSeparator);
  f.buildingType = data.buildingTypeText;
  return f;
}

bool MainDataNeedsPrefill(const BuildingData& data) {
  return data.jobOrderNumber.empty() && data.registrationNumber.empty();
}

void PrefillMainData(MainDataFields& fields, const std::function<std::string(long)>& line) {
  fields.preparedBy = line(3);
  fields.buildingName1 = line(4);
  const std::string fifth = line(5);
  fields.projectName1 = fifth;
  fields.buildingName2 = fifth;
  fields.projectName2 = line(6);
  fields.jobOrderNumber = line(11);
  fields.registrationNumber = line(12);
}

bool MainDataOkEnabled(const MainDataFields& f) {
  const bool projectName = !f.projectName1.empty() || !f.projectName2.empty();
  const bool buildingName = !f.buildingName1.empty() || !f.buildingName2.empty();
  return projectName && buildingName && !f.registrationNumber.empty() &&
         !f.jobOrderNumber.empty() && !f.preparedBy.empty() && !f.te.empty() && !f.b.empty() &&
         !f.p2.empty() && !f.buildingType.empty();
}

bool SpecifyBEnabled(const MainDataFields& fields) { return !fields.location.empty(); }

bool MayOpenBuildingNumberDialog(const BuildingData& data, Messenger& messenger) {
  if (!data.windyLandscape.empty()) return true;
  messenger.Show(kNoPlacingMessage, kErrorCaption, Icon::Warning);
  return false;
}

void RefreshAfterOutdoorTemperature(MainDataFields& fields, const BuildingData& data) {
  fields.te = FormatLong("%ld", data.te);
  fields.altitude = data.altitude;
  fields.location = data.location;
  fields.windyLandscape = data.windyLandscape;
}

void RefreshAfterBuildingNumber(MainDataFields& fields, const BuildingData& data) {
  fields.b = FormatLong("%ld", data.b);
}

void RefreshAfterHeatUpAllowance(MainDataFields& fields, const BuildingData& data,
                                 char decimalSeparator) {
  fields.p2 = FormatDouble("%1.1lf", data.p2, decimalSeparator);
}

void RefreshAfterBuildingType(MainDataFields& fields, const BuildingData& data) {
  fields.buildingType = data.buildingTypeText;
}

void ApplyMainData(const MainDataFields& f, BuildingData& data, char decimalSeparator) {
  data.projectName1 = Cut(f.projectName1, kBuildingTextWidth);
  data.projectName2 = Cut(f.projectName2, kBuildingTextWidth);
  data.buildingName1 = Cut(f.buildingName1, kBuildingTextWidth);
  data.buildingName2 = Cut(f.buildingName2, kBuildingTextWidth);
  data.preparedBy = Cut(f.preparedBy, kBuildingTextWidth);
  data.date = Cut(f.date, kBuildingTextWidth);
  data.jobOrderNumber = Cut(f.jobOrderNumber, kBuildingTextWidth);
  data.registrationNumber = Cut(f.registrationNumber, kBuildingTextWidth);
  data.note = Cut(f.note, kBuildingTextWidth);
  data.te = ParseInt32(f.te);
  data.altitude = Cut(f.altitude, kShortTextWidth);
  data.location = Cut(f.location, kBuildingTextWidth);
  data.windyLandscape = Cut(f.windyLandscape, kShortTextWidth);
  data.b = ParseInt32(f.b);
  data.p2 = ParseUserDecimal(f.p2, decimalSeparator);
  data.buildingTypeText = Cut(f.buildingType, kBuildingTextWidth);
}

// ---- B ------------------------------------------------------------------------

int CharacteristicNumberB(BuildingKind kind, bool intensiveWinds, int location) {
  if (kind == BuildingKind::None || location < 0 || location > 2) return 0;
  static constexpr int kDetached[2][3] = {{4, 8, 12}, {8, 12, 16}};
  static constexpr int kTerraced[2][3] = {{3, 6, 9}, {6, 9, 12}};
  const int group = intensiveWinds ? 1 : 0;
  return kind == BuildingKind::Detached ? kDetached[group][location] : kTerraced[group][location];
}

int LandscapeWindVelocity(bool intensiveWinds, int location) {
  return (intensiveWinds ? 6 : 4) + 2 * location;
}

BuildingNumberForm::BuildingNumberForm(BuildingData& data)
    : data_(data),
      intensiveWinds_(EqualsIgnoreCase(data.windyLandscape, "yes")),
      fieldText_("Select type of building") {}

void BuildingNumberForm::ChooseKind(BuildingKind kind) {
  kind_ = kind;
  location_ = -1;
  fieldText_ = "Select landscape zone";
}

void BuildingNumberForm::ChooseLocation(int location) {
  if (kind_ == BuildingKind::None || location < 0 || location > 2) return;
  location_ = location;
  data_.b = CharacteristicNumberB(kind_, intensiveWinds_, location);
  fieldText_ = FormatLong("%ld", data_.b);
}

// ---- p2 -----------------------------------------------------------------------

void HeatUpAllowanceForm::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(kHeatUpChoices.size())) return;
  const HeatUpChoice& choice = kHeatUpChoices[static_cast<std::size_t>(index)];
  data_.p2 = choice.p2;
  fieldText_ = choice.text;
}

// ---- Te -----------------------------------------------------------------------

namespace {

// A table's numbers stand right-aligned in their fields; the dialog shows them without the blanks.
std::string FieldOf(const TableRow& row, std::size_t field) {
  if (field < 1 || field > row.size()) return {};
  const std::string& text = row[field - 1];
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

OutdoorTemperatureForm::OutdoorTemperatureForm(BuildingData& data, std::vector<TableRow> rows)
    : altitude(kSelectText),
      te(kSelectText),
      windyLandscape(kSelectText),
      data_(data),
      rows_(std::move(rows)) {
  if (data_.location.empty()) return;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (FieldOf(rows_[i], 1).starts_with(data_.location)) {
      // Shown, not chosen: the location stays as it is stored.
      selected_ = static_cast<int>(i);
      altitude = FieldOf(rows_[i], 2);
      te = FieldOf(rows_[i], 3);
      windyLandscape = FieldOf(rows_[i], 4);
      return;
    }
  }
}

void OutdoorTemperatureForm::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(rows_.size())) return;
  selected_ = index;
  const TableRow& row = rows_[static_cast<std::size_t>(index)];
  data_.location = Utf8Left(FieldOf(row, 1), kBuildingTextWidth);
  altitude = FieldOf(row, 2);
  te = FieldOf(row, 3);
  windyLandscape = FieldOf(row, 4);
}

void OutdoorTemperatureForm::Accept() {
  data_.altitude = Utf8Left(altitude, kShortTextWidth);
  data_.te = ParseInt32(te);
  data_.windyLandscape = Utf8Left(windyLandscape, kShortTextWidth);
}

// ---- Building type --------------------------------------------------------------

const std::array<std::string_view, 12>& BuildingTypeLabels() {
  static constexpr std::array<std::string_view, 12> kLabels = {
      "Residential building",
      "Administrative building",
      "School building",
      "Health centre",
      "Commercial building",
      "Hotels and restaurants",
      "Dormitories and lodging houses",
      "Theatres, cinemas, ...",
      "Sports buildings",
      "Railway stations, airports",
      "Farm buildings",
      "Industrial buildings",
  };
  return kLabels;
}

BuildingTypeForm::BuildingTypeForm(BuildingData& data, std::vector<BuildingTypeChoice> choices)
    : data_(data), choices_(std::move(choices)) {}

int BuildingTypeForm::checked() const {
  const int index = data_.buildingTypeCode - 1;
  return index >= 0 && index < static_cast<int>(choices_.size()) ? index : -1;
}

void BuildingTypeForm::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(choices_.size())) return;
  data_.buildingTypeCode = index + 1;
}

void BuildingTypeForm::Close() {
  const int index = checked();
  if (index < 0) return;
  const BuildingTypeChoice& choice = choices_[static_cast<std::size_t>(index)];
  data_.buildingTypeText = choice.storedText;
  data_.indoorTemperatureTable = choice.tableName;
}

}  // namespace kvem
