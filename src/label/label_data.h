// The energy label record: what the engineer types on the six pages of the
// label and every value derived from it. One record lives for the whole run
// (owned by the application object); it is not part of the project file.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kvem {

inline constexpr int kConstructionRows = 10;
inline constexpr int kConstructionCells = 5;

// The five cells of a construction row, in table order.
enum ConstructionCell { kCellAi = 0, kCellUi = 1, kCellUn = 2, kCellBi = 3, kCellHu = 4 };

inline constexpr std::string_view kKindResidential = "Stavby pro bydlení";
inline constexpr std::string_view kKindTertiary = "Terciální sféra";
// The storey-height flag: clear storey height over 2600 mm.
inline constexpr std::string_view kStoreyFlagYes = "ANO";
inline constexpr std::string_view kStoreyFlagNo = "NE";

using ConstructionTable =
    std::array<std::array<std::string, kConstructionCells>, kConstructionRows>;

struct EnStData {
  // Identification (page 1).
  std::string kind;        // kKindResidential or kKindTertiary; empty until chosen
  std::string kindDetail;  // text of the kind list, e.g. "4 - Bytový dům"
  std::string operatorName;
  std::string operatorAddress;
  std::string operatorPhone;
  std::string operatorEmail;
  std::string cadastralArea;
  std::string cadastralNumber;
  std::string owner;
  std::string ownerAddress;
  std::string ownerPhone;
  std::string ownerEmail;

  // Characteristics (page 2).
  double volume = 0.0;     // V, external volume of the heated zone, m3
  double area = 0.0;       // A, total cooled envelope area, m2
  double aToV = 0.0;       // A/V, m-1 (derived)
  double thetaI = 0.0;     // prevailing indoor temperature in the heating season, degC
  std::string storeyFlag;  // kStoreyFlagYes: values per m3; anything else: per m2 of Af
  double floorArea = 0.0;  // Af, floor area of the heated rooms, m2
  double h1 = 0.0;         // climatic coefficient for heat transmission (derived)
  double h2 = 0.0;         // climatic coefficient for air exchange (derived)

  // Cooled constructions (page 3): cell texts as the table shows them.
  ConstructionTable constructions;
  double sumA = 0.0;  // sum of Ai, m2 (derived)
  double ht = 0.0;    // HT, sum of Hu, W/K (derived)

  // Energy balance (page 4), kWh a year unless noted.
  double evp = 0.0;   // transmission losses
  double evv = 0.0;   // ventilation losses
  double ezs = 0.0;   // solar gains
  double evz = 0.0;   // internal gains (typed when manualEvz is 1)
  int manualEvz = 0;  // 1: the engineer overrides Evz
  double n = 0.0;     // degree of utilisation of the gains
  double er = 0.0;    // annual heat demand for heating
  double ev = 0.0;    // specific demand, per m3 or per m2 by the storey flag
  double evn = 0.0;   // required value per m3
  double eva = 0.0;   // required value per m2

  // Rating (page 6): specific demand as a percentage of the required value.
  double sen = 0.0;

  // Other data (page 5).
  std::string firm;
  std::string ico;
};

// Everything of the label that lives for the run: the record and the bare
// file name of the picture written beside the last saved label page.
struct EnergyLabelState {
  EnStData data;
  std::string pictureName;
};

}  // namespace kvem
