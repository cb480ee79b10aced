#include "label/label_sheet.h"

#include <cmath>

#include "platform/numbers.h"

namespace kvem {

LabelSheet::LabelSheet(EnStData& data, const BuildingData& building, char separator)
    : data_(data), building_(building), separator_(separator) {}

// A page never shows nan or inf: a value without one shows "0", as A/V does.
std::string LabelSheet::Number(const char* format, double value) const {
  if (!std::isfinite(value)) return "0";
  return FormatDouble(format, value, separator_);
}

// ---- Page 2 ----------------------------------------------------------------

void LabelSheet::ShowAToV(bool defined) {
  characteristics_.aToV = defined ? Number("%.1f", data_.aToV) : "0";
}

void LabelSheet::ShowCharacteristics() {
  CharacteristicsTexts& t = characteristics_;
  t.volume = Number("%.1f", data_.volume);
  t.area = Number("%.1f", data_.area);
  ShowAToV(ComputeAToV(data_));
  t.thetaI = Number("%.0f", data_.thetaI);
  t.te = FormatLong("%d", building_.te);
  ComputeClimaticCoefficients(data_);
  t.h1 = Number("%.3f", data_.h1);
  t.h2 = Number("%.3f", data_.h2);
  t.floorArea = Number("%.2f", data_.floorArea);
  t.storeyOver2600 = PerCubicMetre(data_);
  t.floorAreaEnabled = !t.storeyOver2600;
}

void LabelSheet::TypeVolume(std::string_view text) {
  data_.volume = ParseDouble(text, separator_);
}

void LabelSheet::TypeArea(std::string_view text) {
  data_.area = ParseDouble(text, separator_);
}

void LabelSheet::LeaveVolumeOrArea() {
  ShowAToV(ComputeAToV(data_));
}

void LabelSheet::TypeThetaI(std::string_view text) {
  data_.thetaI = ParseDouble(text, separator_);
  ComputeClimaticCoefficients(data_);
  characteristics_.h1 = Number("%.3f", data_.h1);
  characteristics_.h2 = Number("%.3f", data_.h2);
}

void LabelSheet::ChooseStoreyOver2600(bool yes) {
  data_.storeyFlag = yes ? kStoreyFlagYes : kStoreyFlagNo;
  characteristics_.storeyOver2600 = yes;
  characteristics_.floorAreaEnabled = !yes;
}

void LabelSheet::TypeFloorArea(std::string_view text) {
  data_.floorArea = ParseDouble(text, separator_);
}

// ---- Page 3 ----------------------------------------------------------------

void LabelSheet::ShowTotals() {
  ComputeConstructionTotals(data_, separator_);
  totalAi_ = Number("%.1f", data_.sumA);
  totalHu_ = Number("%.2f", data_.ht);
}

void LabelSheet::ShowConstructions() {
  // The grid shows the record's cells and edits them in place, so the copy
  // back into the record that the page makes on opening changes nothing.
  ShowTotals();
}

bool LabelSheet::CanEditCell(int gridRow, int gridColumn) {
  return gridRow >= 1 && gridRow <= kGridTotalRow &&
         (gridColumn == kGridColumnAi + kCellAi || gridColumn == kGridColumnAi + kCellUi ||
          gridColumn == kGridColumnAi + kCellBi);
}

void LabelSheet::RecomputeRow(int row) {
  ComputeConstructionRow(data_, row, separator_);
  ShowTotals();
}

void LabelSheet::EndCellEdit(int gridRow, int gridColumn, std::string_view text) {
  if (!CanEditCell(gridRow, gridColumn)) return;
  const int cell = gridColumn - kGridColumnAi;
  if (gridRow == kGridTotalRow) {
    // The total row always shows the sums in Ai and Hu, whatever was typed.
    if (cell == kCellUi) totalUi_ = text;
    if (cell == kCellBi) totalBi_ = text;
    ShowTotals();
    return;
  }
  data_.constructions[static_cast<std::size_t>(gridRow - 1)][static_cast<std::size_t>(cell)] = text;
  RecomputeRow(gridRow - 1);
}

std::string LabelSheet::CellText(int gridRow, int gridColumn) const {
  if (gridColumn < kGridColumnAi || gridColumn > kGridColumnHu) return {};
  const int cell = gridColumn - kGridColumnAi;
  if (gridRow == kGridTotalRow) {
    switch (cell) {
      case kCellAi:
        return totalAi_;
      case kCellUi:
        return totalUi_;
      case kCellBi:
        return totalBi_;
      case kCellHu:
        return totalHu_;
      default:
        return {};
    }
  }
  if (gridRow < 1 || gridRow > kConstructionRows) return {};
  return data_.constructions[static_cast<std::size_t>(gridRow - 1)][static_cast<std::size_t>(cell)];
}

// ---- Page 4 ----------------------------------------------------------------

void LabelSheet::ShowAnnualDemand() {
  energyDemand_.evz = Number("%.0f", data_.evz);
  energyDemand_.er = Number("%.0f", data_.er);
}

void LabelSheet::ShowEnergyDemand() {
  EnergyDemandTexts& t = energyDemand_;
  t.manual = data_.manualEvz == 1;
  ComputeEnergyBalance(data_);
  t.ht = Number("%.3f", data_.ht);
  t.evp = Number("%.0f", data_.evp);
  t.evv = Number("%.0f", data_.evv);
  t.ezs = Number("%.0f", data_.ezs);
  t.n = Number("%.1f", data_.n);
  ShowAnnualDemand();
  t.ev = data_.ev > 0.0 ? Number("%.3f", data_.ev) : "0";
  const bool required = data_.evn > 0.0;
  t.evn = required ? Number("%.3f", data_.evn) : "0";
  t.eva = required ? Number("%.3f", data_.eva) : "0";
  t.evUnit = PerCubicMetre(data_) ? "[kWh/m3]" : "[kWh/m2]";
}

void LabelSheet::SetManualEvz(bool on) {
  data_.manualEvz = on ? 1 : 0;
  energyDemand_.manual = on;
  if (on) return;
  data_.evz = 3.0 * data_.volume;
  ComputeAnnualDemand(data_);
  ShowAnnualDemand();
}

void LabelSheet::TypeEvz(std::string_view text) {
  if (data_.manualEvz != 1) return;  // the field is read-only then
  data_.evz = ParseDouble(text, separator_);
  ComputeAnnualDemand(data_);
  energyDemand_.er = Number("%.0f", data_.er);
}

// ---- Page 6 ----------------------------------------------------------------

void LabelSheet::ShowLabel() {
  const Rating rating = RateLabel(data_);
  label_.shown = true;
  label_.outcome = rating.outcome;
  label_.verdict = rating.text;
  if (rating.outcome == RatingOutcome::Rated) {
    label_.sen = Number("%0.1f", data_.sen) + "%";
    // Nothing to print at exactly 0 %; the button stays off while the sheet is open.
    if (data_.sen == 0.0) label_.saveEnabled = false;
  } else {
    label_.sen = Number("%0.1f", data_.sen);
  }
}

// ---- Listing ---------------------------------------------------------------

std::vector<PageLine> LabelSheet::PageLines(int page) const {
  namespace c = label_caption;
  std::vector<PageLine> lines;
  auto add = [&](std::string_view caption, std::string text) {
    lines.push_back({std::string(caption), std::move(text)});
  };
  switch (page) {
    case 2: {
      const CharacteristicsTexts& t = characteristics_;
      add(c::kVolume, t.volume);
      add(c::kArea, t.area);
      add(c::kAToV, t.aToV);
      add(c::kStoreyHeight, t.storeyOver2600 ? "Ano" : "Ne");
      add(c::kFloorArea, t.floorArea);
      add(c::kThetaI, t.thetaI);
      add(c::kTe, t.te);
      add(c::kH1, t.h1);
      add(c::kH2, t.h2);
      break;
    }
    case 3: {
      static constexpr const char* kSymbols[] = {"Ai", "Ui", "UN", "bi", "Hu"};
      for (int row = 1; row <= kConstructionRows; ++row) {
        for (int cell = 0; cell < kConstructionCells; ++cell) {
          add(std::string(kSymbols[cell]) + " " + std::to_string(row),
              CellText(row, kGridColumnAi + cell));
        }
      }
      add(std::string(c::kTotalRow) + " Ai", totalAi_);
      add(std::string(c::kTotalRow) + " Hu", totalHu_);
      break;
    }
    case 4: {
      const EnergyDemandTexts& t = energyDemand_;
      add(c::kHt, t.ht);
      add(c::kEvp, t.evp);
      add(c::kEvv, t.evv);
      add(c::kEzs, t.ezs);
      add(c::kEvz, t.evz);
      add(c::kManualEvz, t.manual ? "Ano" : "Ne");
      add(c::kN, t.n);
      add(c::kEr, t.er);
      add(std::string(c::kEv) + " " + t.evUnit, t.ev);
      add(c::kEvn, t.evn);
      add(c::kEva, t.eva);
      break;
    }
    case 6:
      add(c::kSen, label_.sen);
      add(c::kVerdict, label_.verdict);
      add(c::kSave, label_.saveEnabled ? "povoleno" : "zakázáno");
      break;
    default:
      break;
  }
  return lines;
}

}  // namespace kvem
