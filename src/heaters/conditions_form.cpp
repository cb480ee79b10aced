#include "heaters/conditions_form.h"

#include <algorithm>
#include <cstdint>

#include "platform/numbers.h"

namespace kvem {

const std::string_view kHeatCarrierNote =
    "Výkony otopných těles v katalogu platí pro vodu. Pro jiné teplonosné látky (vodní páru, "
    "nemrznoucí směsi, oleje) se výkon liší podle jejich měrné tepelné kapacity, hustoty a "
    "viskozity. Opravný součinitel teplonosné látky zadejte podle podkladů výrobce tělesa; "
    "program jej přebírá tak, jak je zadán.";

std::string PlainCaption(std::string_view caption) {
  std::string out;
  for (char c : caption) {
    if (c == '&') continue;
    if (c == '\n' || c == ' ') {
      if (!out.empty() && out.back() != ' ') out.push_back(' ');
      continue;
    }
    out.push_back(c);
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// --- Modify Temperature Data ------------------------------------------------

TemperatureDataForm::TemperatureDataForm(double t1, double t2, double ti, HeatCarrier carrier)
    : t1_(t1), t2_(t2), tm_((t1 + t2) / 2.0), difference_(t1 - t2), ti_(ti), carrier_(carrier) {}

bool TemperatureDataForm::Enabled(Field field) const {
  switch (field) {
    case Field::Inlet:
    case Field::Outlet:
      return mode_ == Mode::Limits;
    case Field::Mean:
    case Field::Difference:
      return mode_ == Mode::MeanAndDifference;
    case Field::Indoor:
      return true;
  }
  return false;
}

void TemperatureDataForm::Leave(Field field, double value) {
  if (!Enabled(field)) return;
  switch (field) {
    case Field::Inlet:
    case Field::Outlet:
      (field == Field::Inlet ? t1_ : t2_) = value;
      tm_ = (t1_ + t2_) / 2.0;
      difference_ = t1_ - t2_;
      break;
    case Field::Mean:
    case Field::Difference:
      (field == Field::Mean ? tm_ : difference_) = value;
      t1_ = tm_ + difference_ / 2.0;
      t2_ = tm_ - difference_ / 2.0;
      break;
    case Field::Indoor:
      ti_ = value;
      break;
  }
}

void TemperatureDataForm::Leave(Field field, std::string_view text, char separator) {
  Leave(field, ParseDouble(text, separator));
}

std::string TemperatureDataForm::Text(Field field, char separator) const {
  double value = 0.0;
  switch (field) {
    case Field::Inlet:
      value = t1_;
      break;
    case Field::Mean:
      value = tm_;
      break;
    case Field::Outlet:
      value = t2_;
      break;
    case Field::Difference:
      value = difference_;
      break;
    case Field::Indoor:
      value = ti_;
      break;
  }
  return FormatDouble("%.1f", value, separator);
}

bool TemperatureDataForm::Accept(Messenger& messenger) const {
  const std::string problem = TemperatureProblem(t1_, t2_, ti_);
  if (problem.empty()) return true;
  messenger.Show(problem, kModelErrorCaption, Icon::Warning);
  return false;
}

// --- Calculation for Modified Conditions -------------------------------------

ModifiedConditionsForm::ModifiedConditionsForm() {
  record_.tw = 90.0;
  record_.tr = 70.0;
  record_.ti = 20.0;
  record_.coverage = 2;
  heaterType_ = record_.kind;
}

ModifiedConditionsForm::ModifiedConditionsForm(const COtopneTeleso& record, bool lockType)
    : record_(record), heaterType_(record.kind), typeLocked_(lockType) {}

bool ModifiedConditionsForm::Open(Messenger& messenger) {
  return RecomputeCoefficients(record_, messenger);
}

namespace {

bool Refuse(const std::string& problem, Messenger& messenger) {
  messenger.Show(problem, kModelErrorCaption, Icon::Warning);
  return false;
}

}  // namespace

bool ModifiedConditionsForm::SetConnection(long variant, Messenger& messenger) {
  if (!ConnectionCoefficient(variant, &record_.fix)) {
    return Refuse(VariantProblem(variant, 1, 1), messenger);
  }
  record_.connection = static_cast<std::int32_t>(variant);
  return true;
}

bool ModifiedConditionsForm::SetPosition(long variant, Messenger& messenger) {
  if (!PositionCoefficient(variant, &record_.fip)) {
    return Refuse(VariantProblem(1, variant, 1), messenger);
  }
  record_.position = static_cast<std::int32_t>(variant);
  return true;
}

bool ModifiedConditionsForm::SetCoverage(long variant, Messenger& messenger) {
  if (!CoverageCoefficient(variant, &record_.fio)) {
    return Refuse(VariantProblem(1, 1, variant), messenger);
  }
  record_.coverage = static_cast<std::int32_t>(variant);
  return true;
}

TemperatureDataForm ModifiedConditionsForm::TemperatureForm() const {
  return TemperatureDataForm(record_.tw, record_.tr, record_.ti, carrier_);
}

bool ModifiedConditionsForm::TakeTemperatures(const TemperatureDataForm& form,
                                              Messenger& messenger) {
  if (!form.Accept(messenger)) return false;
  COtopneTeleso edited = record_;
  edited.tw = form.t1();
  edited.tr = form.t2();
  edited.ti = form.ti();
  if (!RecomputeCoefficients(edited, messenger)) return false;
  record_ = edited;
  carrier_ = form.carrier();
  return true;
}

bool ModifiedConditionsForm::RecomputeMassFlow(Messenger& messenger) {
  COtopneTeleso edited = record_;
  if (!RecomputeCoefficients(edited, messenger)) return false;
  record_.massFlowCoefficient = edited.massFlowCoefficient;
  return true;
}

bool ModifiedConditionsForm::ChooseHeaterType(int type, Messenger& messenger) {
  if (typeLocked_ || type < kKindPanel || type > kKindTubular) return false;
  heaterType_ = type;
  return RecomputeCoefficients(record_, messenger);
}

void ModifiedConditionsForm::SetElements(long elements) {
  record_.elements =
      static_cast<std::int32_t>(std::min<long>(std::max<long>(elements, INT32_MIN), INT32_MAX));
}

void ModifiedConditionsForm::RecalculateElements() {
  record_.elementsCoefficient = ElementsCoefficient(record_.elements);
}

std::vector<ModifiedConditionsForm::Row> ModifiedConditionsForm::Rows() const {
  return {
      {"method of &connection of the heater", record_.fix},
      {"method of &coverage of the heater", record_.fio},
      {"&position of heater \nin heated room", record_.fip},
      {"room temperature", record_.temperatureCoefficient},
      {"mean temperature of &room\nor heat carrier", record_.temperatureCoefficient},
      {"m&ass rate of flow", record_.massFlowCoefficient},
      {"number of rad elements", record_.elementsCoefficient},
      {"type of heat &carrier", record_.carrierCoefficient},
      {kOverallCaption, record_.Overall()},
  };
}

bool RecomputeRequestedConditions(HeaterDefaults& defaults, Messenger& messenger) {
  if (!defaults.recomputeRequested) return false;
  defaults.recomputeRequested = false;
  RecomputeCoefficients(defaults.record, messenger);
  return true;
}

COtopneTeleso ModifiedConditionsForm::Result() const {
  COtopneTeleso result = record_;
  result.kind = heaterType_;
  return result;
}

}  // namespace kvem
