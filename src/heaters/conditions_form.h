// The form models of "Calculation for Modified Conditions" and "Modify
// Temperature Data": the values each dialog shows, which of its controls are
// enabled, and what each control does. The windows are a thin skin over these.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "heaters/heater.h"
#include "platform/messenger.h"

namespace kvem {

// Heat carrier of "Modify Temperature Data". The choice changes no coefficient:
// the heat-carrier coefficient keeps the value the engineer enters.
enum class HeatCarrier { Water = 0, WaterSteam = 1, OtherFluid = 2 };

// "Modify Temperature Data": inlet t1, mean tm, outlet t2, difference, indoor
// ti, each shown "%.1f".
class TemperatureDataForm {
 public:
  enum class Mode {
    MeanAndDifference,  // "me&an temp., temp.difference": mean and difference editable
    Limits,             // "&temperature limits": inlet and outlet editable
  };
  enum class Field { Inlet, Mean, Outlet, Difference, Indoor };

  TemperatureDataForm(double t1, double t2, double ti, HeatCarrier carrier);

  double t1() const { return t1_; }
  double t2() const { return t2_; }
  double tm() const { return tm_; }
  double difference() const { return difference_; }
  double ti() const { return ti_; }
  HeatCarrier carrier() const { return carrier_; }
  Mode mode() const { return mode_; }

  void SetMode(Mode mode) { mode_ = mode; }
  void SetCarrier(HeatCarrier carrier) { carrier_ = carrier; }
  bool Enabled(Field field) const;

  // Leaving a field with a new value: the difference and the mean set
  // t1 = tm + d/2 and t2 = tm - d/2; the inlet and the outlet set
  // tm = (t1 + t2)/2 and d = t1 - t2. A disabled field takes nothing.
  void Leave(Field field, double value);
  // The same with the text of the field, read with the user's separator.
  void Leave(Field field, std::string_view text, char separator);
  // "%.1f" with the user's separator.
  std::string Text(Field field, char separator) const;

  // OK: refused with a message naming the field when the model has no
  // meaning for the temperatures.
  bool Accept(Messenger& messenger) const;

 private:
  double t1_, t2_, tm_, difference_, ti_;
  HeatCarrier carrier_;
  Mode mode_ = Mode::Limits;
};

// "Calculation for Modified Conditions", working on a copy of a heater record.
class ModifiedConditionsForm {
 public:
  // Opened without a record: 90/70/20, coverage variant 2, all coefficients 1.
  ModifiedConditionsForm();
  // Opened on a record. With `lockType` (the product selection, once a
  // product is chosen) the heater type is that of the record and cannot be changed.
  explicit ModifiedConditionsForm(const COtopneTeleso& record, bool lockType = false);

  // On opening: computes the mass-flow and temperature coefficients. False,
  // with the reason shown, when the temperatures have no meaning for the model
  // (the coefficients then keep their values).
  bool Open(Messenger& messenger);

  const COtopneTeleso& record() const { return record_; }
  double t1() const { return record_.tw; }
  double t2() const { return record_.tr; }
  double ti() const { return record_.ti; }
  double tm() const { return (record_.tw + record_.tr) / 2.0; }
  double difference() const { return record_.tw - record_.tr; }
  double dtn() const { return kNominalTemperatureDifference; }
  int heaterType() const { return heaterType_; }
  bool typeLocked() const { return typeLocked_; }
  HeatCarrier carrier() const { return carrier_; }

  // Which controls are enabled: the three heater-type buttons without the
  // lock; "info" and the heat-carrier field with it; the number of elements
  // and "recalculate" with it and for the sectional type only.
  bool TypeButtonsEnabled() const { return !typeLocked_; }
  bool InfoEnabled() const { return typeLocked_; }
  bool CarrierFieldEnabled() const { return typeLocked_; }
  bool ElementsEnabled() const { return typeLocked_ && heaterType_ == kKindSectional; }

  // The sub-dialogs: their variant is taken over with its coefficient. False
  // (with the reason shown) for a variant outside the table.
  bool SetConnection(long variant, Messenger& messenger);
  bool SetPosition(long variant, Messenger& messenger);
  bool SetCoverage(long variant, Messenger& messenger);

  // The two temperature "modify" buttons: a form on the current temperatures,
  // and taking it over on its OK (both computed coefficients recomputed).
  TemperatureDataForm TemperatureForm() const;
  bool TakeTemperatures(const TemperatureDataForm& form, Messenger& messenger);

  // The button beside the mass-flow row.
  bool RecomputeMassFlow(Messenger& messenger);
  // Choosing a heater type recomputes both computed coefficients. Ignored while locked.
  bool ChooseHeaterType(int type, Messenger& messenger);
  // The number-of-elements field and "recalculate".
  void SetElements(long elements);
  void RecalculateElements();
  void SetCarrierCoefficient(double value) { record_.carrierCoefficient = value; }

  // The rows as the dialog shows them: caption and "%.3f" value.
  struct Row {
    std::string_view caption;
    double value;
  };
  std::vector<Row> Rows() const;
  double Overall() const { return record_.Overall(); }

  // OK: the record with the edited values (the heater type becomes its kind).
  COtopneTeleso Result() const;

 private:
  COtopneTeleso record_;
  int heaterType_ = kKindPanel;
  bool typeLocked_ = false;
  HeatCarrier carrier_ = HeatCarrier::Water;
};

// The menu command "Inserting modified conditions" on the project's heater
// defaults. When the heater design has asked for it, the mass-flow and
// temperature coefficients are recomputed without a dialog, the request is
// cleared and the result is true. Otherwise the result is false and the caller
// opens ModifiedConditionsForm(defaults.record) and, on OK, stores its
// Result() into defaults.record.
bool RecomputeRequestedConditions(HeaterDefaults& defaults, Messenger& messenger);

// Captions of the rows and the radio buttons.
inline constexpr std::string_view kHeaterTypeCaptions[] = {"&heating panel", "Segmet", "&tubular"};
inline constexpr std::string_view kOverallCaption = "overall coefficient of \nforeseen differences";

// The fixed note of the "info" button on heat carriers other than water.
extern const std::string_view kHeatCarrierNote;

// A caption as plain text: shortcut marks removed, line ends and runs of
// blanks made one blank.
std::string PlainCaption(std::string_view caption);

}  // namespace kvem
