// The evaluation of the energy label: the geometric characteristic, the
// climatic coefficients, the construction table, the annual heat balance,
// the rating SEN with its verdict and the class A to G. Plain double
// arithmetic in the order the formulas are written; rounding only happens in
// the texts shown. The page model (label_sheet.h) decides when each step runs.
#pragma once

#include <string>
#include <string_view>

#include "label/label_data.h"

namespace kvem {

inline constexpr std::string_view kVerdictComplies = "BUDOVA SPLŇUJE POŽADAVEK ČSN 73 0540-2";
inline constexpr std::string_view kVerdictFails = "BUDOVA NESPLŇUJE POŽADAVEK ČSN 73 0540-2";
inline constexpr std::string_view kRatingFailedText =
    "Vyhodnocení neproběhlo správně. Doplňte všechny potřebné údaje.";
// The rating is not done when a division has no value; these say what is missing.
inline constexpr std::string_view kMissingVolumeText =
    "Vyhodnocení neproběhlo: chybí objem budovy V (dělení nulou).";
inline constexpr std::string_view kMissingFloorAreaText =
    "Vyhodnocení neproběhlo: chybí plocha vytápěných místností Af (dělení nulou).";
inline constexpr std::string_view kOutOfRangeText =
    "Vyhodnocení neproběhlo: zadané hodnoty jsou mimo rozsah výpočtu.";

// Number texts of the construction table: with a decimal point every ","
// becomes "."; with another separator every "." becomes that separator. So
// "2,5" and "2.5" read the same whatever the user's locale.
std::string NormalizeDecimalSeparator(std::string_view text, char separator);

// A/V = A / V. With A <= 0 and V = 0 the stored value is kept and the field
// shows "0"; returns false then.
bool ComputeAToV(EnStData& data);

// h1 and h2 from the indoor temperature; both 0 when it is not above 0 degC.
void ComputeClimaticCoefficients(EnStData& data);

// One construction row (0-based) after an edit: Ai, Ui and bi read after
// separator normalisation (0 when not a number), Ai written back "%.1f", Hu =
// Ai * Ui * bi (the Ai read, not the rounded one) written "%.2f". A product
// beyond the double range leaves Hu empty.
void ComputeConstructionRow(EnStData& data, int row, char separator);

// Sum A and HT from the Ai and Hu cell texts of rows 1 to 10.
void ComputeConstructionTotals(EnStData& data, char separator);

// The annual balance: Evp, Evv, Ezs, Evz (unless typed), n, Er, ev, evn, eva.
void ComputeEnergyBalance(EnStData& data);

// Er alone, after Evz was typed or the manual flag was cleared.
void ComputeAnnualDemand(EnStData& data);

bool PerCubicMetre(const EnStData& data);  // storey flag "ANO"
// evn with the storey flag "ANO", else eva.
double RequiredValue(const EnStData& data);

enum class RatingOutcome {
  Rated,      // SEN computed, verdict of compliance or not
  Failed,     // Er <= 0 with a non-positive required value: SEN left as it was
  Undefined,  // ev or the required value has no finite value: SEN left as it was
};

struct Rating {
  RatingOutcome outcome = RatingOutcome::Undefined;
  std::string text;  // the verdict, the failure text or what is missing
};

// The rating of page 6 on the stored ev, evn and eva; stores SEN when rated.
Rating RateLabel(EnStData& data);

// Whether the stored values give a rating at all (ev and the required value
// finite). Without one, the printed label leaves SEN, class and verdict empty.
bool HasDefinedRating(const EnStData& data);

// What is missing when HasDefinedRating is false.
std::string_view UndefinedReason(const EnStData& data);

// The verdict for a SEN: compliance up to and including 100 %.
std::string_view VerdictFor(double sen);

// Class letter 'A' to 'G'; each limit (40, 60, 80, 100, 120, 150) belongs to
// the better class. Index 0 to 6 by ClassIndex.
int ClassIndex(double sen);
char ClassLetter(double sen);

}  // namespace kvem
