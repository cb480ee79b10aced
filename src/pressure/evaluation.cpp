#include "pressure/evaluation.h"

#include <cmath>
#include <cstdio>

#include "platform/numbers.h"
#include "pressure/fixed_format.h"
#include "pressure/index_table.h"
#include "pressure/pressure_loss.h"
#include "pressure/pressure_report.h"
#include "pressure/valves.h"

namespace kvem {
namespace {

std::string Fixed(double value, int precision, char separator) {
  std::string out;
  AppendFixed(out, value, precision, 0, separator);
  return out;
}

std::uint64_t PairHash(std::string_view heater, double flow) {
  return detail::Combine(detail::HashText(heater), detail::HashDouble(flow));
}

// Return sections with a valve grouped by (heater name, flow); each group
// lists its sections in return order.
class ReturnPairs {
 public:
  explicit ReturnPairs(const CPrivodTelesa& ret) : ret_(ret), table_(ret.sections.size()) {
    const auto& r = ret.sections;
    next_.assign(r.size(), -1);
    for (std::size_t i = 0; i < r.size(); ++i) {
      if (r[i].elementType == kWithoutValve || std::isnan(r[i].flow)) continue;
      auto slot = table_.Slot(PairHash(r[i].heater, r[i].flow), [&](std::uint32_t g) {
        const CUsekPrivodu& head = r[heads_[g]];
        return head.flow == r[i].flow && head.heater == r[i].heater;
      });
      if (slot == 0) {
        slot = static_cast<std::uint32_t>(heads_.size()) + 1;
        heads_.push_back(i);
        tails_.push_back(i);
      } else {
        const std::size_t g = slot - 1;
        next_[tails_[g]] = static_cast<long>(i);
        tails_[g] = i;
      }
    }
  }

  // First matching return section, or -1; then Next() along the group.
  long First(const CUsekPrivodu& supply) const {
    if (std::isnan(supply.flow)) return -1;
    const auto& r = ret_.sections;
    const long g = table_.Find(PairHash(supply.heater, supply.flow), [&](std::uint32_t group) {
      const CUsekPrivodu& head = r[heads_[group]];
      return head.flow == supply.flow && head.heater == supply.heater;
    });
    return g < 0 ? -1 : static_cast<long>(heads_[static_cast<std::size_t>(g)]);
  }
  long Next(long i) const { return next_[static_cast<std::size_t>(i)]; }

 private:
  const CPrivodTelesa& ret_;
  detail::IndexTable table_;
  std::vector<std::size_t> heads_;
  std::vector<std::size_t> tails_;
  std::vector<long> next_;
};

}  // namespace

std::vector<std::string> MediumGridRow(const CUsekPrivodu& s, char sep) {
  std::vector<std::string> row;
  row.reserve(kMediumColumns.size());
  row.push_back(std::to_string(s.branch));
  row.push_back(s.section);
  row.push_back(Fixed(s.heatLoad, 0, sep));
  row.push_back(Fixed(s.flow, 2, sep));
  row.push_back(Fixed(s.length, 0, sep));
  row.push_back(Fixed(s.lengthOverall, 0, sep));
  row.push_back(s.pipe);
  row.push_back(Fixed(s.velocity, 3, sep));
  row.push_back(Fixed(s.r, 2, sep));
  row.push_back(Fixed(s.rl, 2, sep));
  row.push_back(Fixed(s.ksi, 3, sep));
  row.push_back(Fixed(s.z, 2, sep));
  row.push_back(Fixed(s.rlz, 2, sep));
  row.push_back(Fixed(s.all, 2, sep));
  row.push_back(s.elementType == kWithoutValve ? std::string() : Fixed(s.overplus, 2, sep));
  row.push_back(s.heater);
  return row;
}

std::vector<std::string_view> InAllColumns(std::string_view drawingKind) {
  std::vector<std::string_view> columns = {"Heater [-]",      "All [Pa]", "Overplus[Pa]",
                                           "Flow rate[kg/h]", "Valve",    "Regulation[-]",
                                           "Remainder[Pa]",   "No. of st"};
  if (drawingKind == "P") {
    columns.push_back("Notice");
  } else if (drawingKind == "S") {
    columns.push_back("Min.disposal pressure[Pa]");
    columns.push_back("Pressure +-[Pa]");
  }
  return columns;
}

std::vector<std::string> InAllGridRow(const CUsekPrivodu& item, std::string_view drawingKind,
                                      char sep) {
  std::vector<std::string> row;
  row.push_back(item.heater);
  row.push_back(Fixed(item.all, 2, sep));
  row.push_back(Fixed(item.overplus, 2, sep));
  row.push_back(Fixed(item.flow, 2, sep));
  row.push_back(std::string(ElementTypeName(item.elementType)));
  row.push_back(item.regulation == 0 ? std::string("N") : std::to_string(item.regulation));
  row.push_back(Fixed(item.remainder, 0, sep));
  row.push_back(item.riser);
  if (drawingKind == "P") {
    row.push_back(item.remainder > kUnionThreshold ? std::string("regulační šroubení")
                                                   : Fixed(item.minDisposalPressure, 0, sep));
  } else if (drawingKind == "S") {
    row.push_back(Fixed(item.minDisposalPressure, 0, sep));
    row.push_back(Fixed(item.remainder - item.minDisposalPressure, 0, sep));
  }
  return row;
}

long CriticalRow(const CPrivodTelesa& network) {
  long row = 0;
  for (std::size_t i = 0; i < network.sections.size(); ++i) {
    const CUsekPrivodu& s = network.sections[i];
    if (s.elementType != kWithoutValve && s.overplus == 0.0) row = static_cast<long>(i) + 1;
  }
  return row;
}

std::string BadHeaterText(std::string_view heater) {
  return "Heater '" + std::string(heater) + "' - bad date!";
}

std::vector<std::size_t> UnmatchedSupplyHeaters(const CPrivodTelesa& supply,
                                                const CPrivodTelesa& ret) {
  const ReturnPairs pairs(ret);
  std::vector<std::size_t> unmatched;
  for (std::size_t i = 0; i < supply.sections.size(); ++i) {
    const CUsekPrivodu& s = supply.sections[i];
    if (s.elementType != kWithoutValve && pairs.First(s) < 0) unmatched.push_back(i);
  }
  return unmatched;
}

void BuildHeaterItems(const CPrivodTelesa& supply, const CPrivodTelesa& ret, CPrivodTelesa& items,
                      Messenger& messenger) {
  const ReturnPairs pairs(ret);
  std::size_t heaters = 0;
  for (const CUsekPrivodu& s : supply.sections) heaters += s.elementType != kWithoutValve;
  items.sections.reserve(items.sections.size() + heaters);
  for (const CUsekPrivodu& s : supply.sections) {
    if (s.elementType == kWithoutValve) continue;
    CUsekPrivodu item;
    item.elementType = s.elementType;
    item.heater = s.heater;
    item.flow = s.flow;
    item.all = s.all;
    item.minDisposalPressure = s.minDisposalPressure;
    item.riser = s.riser;
    const long first = pairs.First(s);
    for (long r = first; r >= 0; r = pairs.Next(r))
      item.all += ret.sections[static_cast<std::size_t>(r)].all;
    if (first < 0) messenger.Show(BadHeaterText(s.heater), "Kvem - notice", Icon::Warning);
    items.sections.push_back(std::move(item));
  }
  items.cumulativeCurrent = true;
}

std::string Users5Command(std::string_view value) {
  return "(setvar \"USERS5\" \"" + std::string(value) + "\")";
}

std::string RiserList(const CPrivodTelesa& items) {
  std::string list;
  for (const CUsekPrivodu& item : items.sections) {
    list += item.riser;
    list += ';';
    AppendFixed(list, item.remainder, 0);
    list += ';';
  }
  return list;
}

std::string PresettingList(const CPrivodTelesa& items) {
  std::string list;
  for (const CUsekPrivodu& item : items.sections) {
    list += item.heater;
    list += ';';
    if (item.elementType != kWithoutValve) list += ElementTypeName(item.elementType);
    list += ';';
    list += std::to_string(item.regulation);
    list += ';';
    list += item.riser;
    list += ';';
  }
  return list;
}

DrawingWrite EnterCalculationWrite(const NetworkHeader& header, double criticalPressure,
                                   const CPrivodTelesa& items) {
  DrawingWrite write;
  if (header.drawingKind() == "P") {
    std::string pressure;
    AppendFixed(pressure, criticalPressure, 0);
    write.sends = {Users5Command(pressure), "ZapisHodnotuTlaku", Users5Command(header.riser()),
                   "ZapisCisloStoupacky"};
  } else if (header.drawingKind() == "S") {
    write.sends = {Users5Command(RiserList(items)), "ZapisCisloStoupackySchema"};
  }
  return write;
}

DrawingWrite HeatersLoopWrite(const CPrivodTelesa& items) {
  DrawingWrite write;
  write.sends = {Users5Command(PresettingList(items)), "ZapisRegulaciDoVykresu"};
  return write;
}

PressureEvaluation::PressureEvaluation(NetworkFileRule networkFile, double tw, double tr,
                                       char separator, Messenger& messenger)
    : networkFile_(std::move(networkFile)), separator_(separator), messenger_(messenger) {
  for (CPrivodTelesa* network : {&supply_, &return_}) {
    network->meanTemperature = (tw + tr) / 2;
    network->temperatureDifference = tw - tr;
  }
}

bool PressureEvaluation::Evaluate(Medium medium) {
  CPrivodTelesa& network = medium == Medium::Supply ? supply_ : return_;
  const char kind = medium == Medium::Supply ? kSupplyKind : kReturnKind;
  return EvaluateNetwork(network, networkFile_(kind), header_, separator_, messenger_);
}

bool PressureEvaluation::OpenMediumPage(Medium medium) {
  return Evaluate(medium);
}

void PressureEvaluation::OpenInAllPage() {
  if (supply_.sections.empty()) Evaluate(Medium::Supply);
  if (return_.sections.empty()) Evaluate(Medium::Return);
  items_.sections.clear();
  BuildHeaterItems(supply_, return_, items_, messenger_);
  available_ = Distribute(items_, available_);
  critical_ = available_;
  if (header_.presetPressure > 0) {
    available_ = header_.presetPressure;
    Distribute(items_, available_);
  }
  inAllOpened_ = true;
}

void PressureEvaluation::EnterPumpOutput(std::string_view text) {
  available_ = ParseDouble(text, separator_);
  Distribute(items_, available_);
}

bool PressureEvaluation::Ok(const std::filesystem::path& reportFile, std::string_view created) {
  if (supply_.sections.empty()) Evaluate(Medium::Supply);
  if (return_.sections.empty()) Evaluate(Medium::Return);
  for (std::size_t i : UnmatchedSupplyHeaters(supply_, return_)) {
    messenger_.Show(BadHeaterText(supply_.sections[i].heater), "Kvem - error", Icon::Warning);
  }
  created_ = created;
  return WritePressureReportFile(reportFile, created_, supply_, return_, items_,
                                 header_.drawingKind(), separator_, messenger_);
}

std::string PressureEvaluation::ReportText() const {
  return PressureReportText(created_, supply_, return_, items_, header_.drawingKind(), separator_);
}

void PressureEvaluation::WriteReportText(const std::function<void(std::string_view)>& sink) const {
  WritePressureReportText(created_, supply_, return_, items_, header_.drawingKind(), separator_,
                          sink);
}

std::string PressureEvaluation::PumpOutputText() const {
  return FormatDouble("%.15g", available_, separator_);
}

std::string PressureEvaluation::MinimumPumpOutputText() const {
  return Fixed(critical_, 0, separator_);
}

std::string PressureEvaluation::Title() const {
  const CPrivodTelesa& n = supply_;
  std::string title;
  AppendFixed(title, n.meanTemperature + n.temperatureDifference / 2, 0);
  title += '/';
  AppendFixed(title, n.meanTemperature - n.temperatureDifference / 2, 0);
  return title;
}

}  // namespace kvem
