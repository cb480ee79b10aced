// The heater record and the model that turns a catalogue output into the
// output under the project's modified conditions: a product of seven
// corrective coefficients (connection, position, coverage, temperatures, mass
// flow, number of elements, heat carrier).
//
// Catalogue outputs are stated at 90/70/20 degC, so the nominal temperature
// difference of the model is 60 K.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/messenger.h"

namespace kvem {

inline constexpr double kNominalTemperatureDifference = 60.0;  // dtn, K

// Product kinds of the catalogue rows, which are also the heater types of the
// "Calculation for Modified Conditions" dialog.
inline constexpr std::int32_t kKindPanel = 0;
inline constexpr std::int32_t kKindSectional = 1;  // output counted per element
inline constexpr std::int32_t kKindTubular = 2;

// Number of elements for which the elements coefficient is defined.
inline constexpr long kMinElements = 3;
inline constexpr long kMaxElements = 30;

// One variant of the connection, position or coverage dialogs: the caption of
// its radio button (with the "&" of its shortcut) and its coefficient.
struct CoefficientVariant {
  std::string_view caption;
  double coefficient;
};

inline constexpr std::array<CoefficientVariant, 5> kConnectionVariants = {{
    {"fíx = &1,0", 1.0},
    {"fíx = 1,&0", 1.0},
    {"fíx = 0,&9", 0.9},
    {"fíx = 0,&8", 0.8},
    {"fíx = 0,8&5", 0.85},
}};

inline constexpr std::array<CoefficientVariant, 3> kPositionVariants = {{
    {"fíp = &1", 1.0},
    {"fíp = 0,9&5", 0.95},
    {"fíp = 0,&9", 0.9},
}};

inline constexpr std::array<CoefficientVariant, 8> kCoverageVariants = {{
    {"&fío = 1,1", 1.1},
    {"fío = &1,0", 1.0},
    {"fío = 1,&0", 1.0},
    {"h = 100\nfío = 0,&98", 0.98},
    {"h =   80\nfío = 0,9&7", 0.97},
    {"h =   60\nfío = 0,9&6", 0.96},
    {"h =   40\nfío = 0,9&5", 0.95},
    {"fío = 0,&87", 0.87},
}};

// The heater record. Copying copies every field. A new record starts at the
// project's default conditions (70/55/20 degC), coverage variant 2 and every
// coefficient 1.0.
class COtopneTeleso {
 public:
  std::string name1;
  std::string name2;
  std::int32_t kind = kKindPanel;  // from the catalogue row of the chosen product
  std::int32_t connection = 1;     // 1 to 5
  std::int32_t position = 1;       // 1 to 3
  std::int32_t coverage = 2;       // 1 to 8
  std::int32_t elements = 1;       // for sectional heaters
  double tw = 70.0;                // supply temperature, degC
  double tr = 55.0;                // return temperature, degC
  double ti = 20.0;                // indoor temperature, degC
  double exponent = 0.0;           // n, from the catalogue row of the chosen product
  double fix = 1.0;                // connection
  double fip = 1.0;                // position
  double fio = 1.0;                // coverage
  double temperatureCoefficient = 1.0;
  double massFlowCoefficient = 1.0;
  double elementsCoefficient = 1.0;
  double carrierCoefficient = 1.0;
  std::string note;

  // The product of the seven coefficients.
  double Overall() const {
    return fix * fip * fio * temperatureCoefficient * massFlowCoefficient * elementsCoefficient *
           carrierCoefficient;
  }
};

// The project's heater defaults, kept by the application for one run (the
// project file holds no heater data). The record's tw and tr are the project's
// heating-water temperatures; the heater design copies the record for every
// selection.
struct HeaterDefaults {
  COtopneTeleso record;
  // Set by the heater design: the next "Inserting modified conditions"
  // recomputes the mass-flow and temperature coefficients silently instead of
  // opening its dialog.
  bool recomputeRequested = false;
};

// --- The model -------------------------------------------------------------

// ((tm - ti) / dtn)^n.
double TemperatureCoefficient(double tm, double ti, double exponent,
                              double dtn = kNominalTemperatureDifference);

// Logarithmic mean temperature difference (t1 - t2) / ln((t1 - ti) / (t2 - ti)).
// When t1 and t2 are so close that the logarithm vanishes, its limit, the
// arithmetic mean difference.
double LogMeanDifference(double t1, double t2, double ti);

// (1.01 * dtln / (tm - ti))^n.
double MassFlowCoefficient(double t1, double t2, double ti, double exponent);

// The polynomial for 3 <= n <= 30; 0 for any other number of elements.
double ElementsCoefficient(long elements);

// The coefficient of a variant; false for a variant outside the table.
bool ConnectionCoefficient(long variant, double* coefficient);
bool PositionCoefficient(long variant, double* coefficient);
bool CoverageCoefficient(long variant, double* coefficient);

// Why the model has no meaning for inlet t1, outlet t2 and indoor ti (naming
// the field to change); empty when it has one. Non-finite values, t1 or t2 at
// or below ti, and t1 equal to t2 are refused.
std::string TemperatureProblem(double t1, double t2, double ti);

// Why the variants of a record are out of range; empty when they are not.
std::string VariantProblem(long connection, long position, long coverage);

// Recomputes the temperature and mass-flow coefficients of the record from
// its tw, tr, ti and exponent, as the dialog does when it opens. When the model
// has no meaning for the record, or would give a coefficient that is not a
// finite number, the record is left as it was and the reason is returned.
std::string RecomputeCoefficients(COtopneTeleso& record);

// The caption and icon of every refusal of the model.
inline constexpr std::string_view kModelErrorCaption = "Kvem - error";

// RecomputeCoefficients with the refusal shown; false when refused.
bool RecomputeCoefficients(COtopneTeleso& record, Messenger& messenger);

}  // namespace kvem
