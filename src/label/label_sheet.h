// The six-page label sheet as a model without windows. Each page's windows
// call the event functions below (a page shown, a field typed or left, a
// cell edited, a box ticked) and show the texts the model keeps; every
// recomputation happens here, in the order and at the moments the pages make
// it. The record is edited in place, as the pages always did.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "label/label_data.h"
#include "label/label_evaluation.h"
#include "project/project.h"

namespace kvem {

// Captions of the fields of pages 2, 4 and 6, as the pages label them.
namespace label_caption {
inline constexpr std::string_view kVolume =
    "Objem budovy V (vnější objem vytápěné zóny budovy) [m3]";
inline constexpr std::string_view kArea =
    "Celková plocha  A (součet vnějších ochlazovaných ploch) [m2]";
inline constexpr std::string_view kAToV = "Geometrická charakteristika budovy A / V [m-1]";
inline constexpr std::string_view kStoreyHeight = "Světlá výška podlaží > 2600 mm";
inline constexpr std::string_view kFloorArea = "Plocha vytápěných místností [m2]";
inline constexpr std::string_view kThetaI = "Převažující vnitřní teplota v otopném období  [°C]";
inline constexpr std::string_view kTe = "Vnější návrhová teplota v zimním období [°C]";
inline constexpr std::string_view kH1 = "Klimatický součinitel pro prostup tepla h1 [-]";
inline constexpr std::string_view kH2 = "Klimatický součinitel pro výměnu vzduchu h2 [-]";
inline constexpr std::string_view kTotalRow = "Celkem";
inline constexpr std::string_view kHt = "Měrná ztráta prostupem tepla Ht [W/K]";
inline constexpr std::string_view kEvp =
    "Potřeba tepla při vytápění budovy ke krytí tepelných ztrát prostupem tepla Evp [kWh/a]";
inline constexpr std::string_view kEvv =
    "Potřeba tepla při vytápění budovy ke krytí tepelných ztrát větráním Evv [kWh/a]";
inline constexpr std::string_view kEzs =
    "Tepelné zisky ze slunečního záření za otopné období Ezs [kWh/a]";
inline constexpr std::string_view kEvz =
    "Tepelné zisky z vnitřních zdrojů tepla za otopné období Evz [kWh/a]";
inline constexpr std::string_view kManualEvz = "Vlastní úprava";
inline constexpr std::string_view kN = "Stupeň využití tepelných zisků n [-]";
inline constexpr std::string_view kEr = "Roční potřeba tepla na vytápění Er [kWh/a]";
inline constexpr std::string_view kEv =
    "Měrná potřeba tepla na vytápění budovy ev";  // + unit label
inline constexpr std::string_view kEvn = "Požadovaná hodnota měrné spotřeby tepla evn [kWh/m3]";
inline constexpr std::string_view kEva = "Požadovaná hodnota měrné spotřeby tepla eva [kWh/m2]";
inline constexpr std::string_view kSen = "Zjištěná hodnota";
inline constexpr std::string_view kVerdict = "Vyhodnocení";
inline constexpr std::string_view kSave = "Uložení výsledků do souboru (tisk)";
}  // namespace label_caption

inline constexpr std::string_view kEvUnitUnknown = "Doplnit";
inline constexpr std::string_view kVerdictPlaceholder = "Bude vyplněno";

// Grid of page 3: row 0 and column 0 are headings, rows 1 to 10 the
// constructions, row 11 the total row; columns 1 to 5 are Ai, Ui, UN, bi, Hu.
inline constexpr int kGridTotalRow = 11;
inline constexpr int kGridColumnAi = 1;
inline constexpr int kGridColumnHu = 5;

struct CharacteristicsTexts {
  std::string volume, area, aToV, thetaI, te, floorArea, h1, h2;
  bool storeyOver2600 = false;  // "Ano" checked; otherwise "Ne"
  bool floorAreaEnabled = true;
};

struct EnergyDemandTexts {
  std::string ht, evp, evv, ezs, evz, n, er, ev, evn, eva;
  std::string evUnit{kEvUnitUnknown};
  bool manual = false;  // "Vlastní úprava" ticked; Evz editable
};

struct LabelPageTexts {
  std::string sen;
  std::string verdict{kVerdictPlaceholder};
  bool saveEnabled = true;
  bool shown = false;
  RatingOutcome outcome = RatingOutcome::Undefined;
};

struct PageLine {
  std::string caption;
  std::string text;
};

class LabelSheet {
 public:
  // `building` gives the design outdoor temperature Te that page 2 shows.
  LabelSheet(EnStData& data, const BuildingData& building, char separator);

  EnStData& data() { return data_; }
  const EnStData& data() const { return data_; }
  char separator() const { return separator_; }

  // Page 2, characteristics.
  void ShowCharacteristics();
  void TypeVolume(std::string_view text);
  void TypeArea(std::string_view text);
  void LeaveVolumeOrArea();  // A/V follows V and A when either field is left
  void TypeThetaI(std::string_view text);
  void ChooseStoreyOver2600(bool yes);
  void TypeFloorArea(std::string_view text);
  const CharacteristicsTexts& characteristics() const { return characteristics_; }

  // Page 3, cooled constructions.
  void ShowConstructions();
  static bool CanEditCell(int gridRow, int gridColumn);
  void EndCellEdit(int gridRow, int gridColumn, std::string_view text);
  // Row k of the record is grid row k + 1.
  void RecomputeRow(int row);
  std::string CellText(int gridRow, int gridColumn) const;

  // Page 4, energy demand.
  void ShowEnergyDemand();
  void SetManualEvz(bool on);
  void TypeEvz(std::string_view text);
  const EnergyDemandTexts& energyDemand() const { return energyDemand_; }

  // Page 6, the label.
  void ShowLabel();
  const LabelPageTexts& label() const { return label_; }

  // What pages 2, 3, 4 and 6 show, one caption and text per field.
  std::vector<PageLine> PageLines(int page) const;

 private:
  std::string Number(const char* format, double value) const;
  void ShowAToV(bool defined);
  void ShowTotals();
  void ShowAnnualDemand();

  EnStData& data_;
  const BuildingData& building_;
  char separator_;
  CharacteristicsTexts characteristics_;
  EnergyDemandTexts energyDemand_;
  LabelPageTexts label_;
  std::string totalAi_, totalHu_;
  std::string totalUi_, totalBi_;  // typed into the total row; nothing reads them
};

}  // namespace kvem
