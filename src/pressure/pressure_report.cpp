#include "pressure/pressure_report.h"

#include <ctime>

#include "platform/encoding.h"
#include "platform/files.h"
#include "pressure/evaluation.h"
#include "pressure/fixed_format.h"
#include "pressure/valves.h"

namespace kvem {
namespace {

constexpr std::string_view kSectionHeading =
    "\n BranchN.SectionN.         QuantityH.[W]  FlowRate"
    "    Length LengthO. Pipe                    v[m/s]   R[Pa/m]   R*l[Pa]    ksí[-]"
    "     Z[Pa] R*l+Z[Pa]  Kum.[Pa]Overpl.[Pa] Heater\n";
constexpr std::string_view kItemHeading =
    "\nTěleso              Kumul.[Pa]  Přebytek   Průt.mn.  Ventil "
    "Regulace Zbytek[Pa] Poznámka\n";

void AppendSections(std::string& out, const CPrivodTelesa& network, char sep) {
  out += kSectionHeading;
  for (const CUsekPrivodu& s : network.sections) {
    AppendLong(out, s.branch, 8);
    out += ' ';
    AppendLeftCut(out, s.section, 20);
    AppendFixed(out, s.heatLoad, 0, 10, sep);
    AppendFixed(out, s.flow, 2, 10, sep);
    AppendFixed(out, s.length, 0, 10, sep);
    AppendFixed(out, s.lengthOverall, 0, 10, sep);
    out += ' ';
    AppendLeftCut(out, s.pipe, 20);
    AppendFixed(out, s.velocity, 3, 10, sep);
    AppendFixed(out, s.r, 2, 10, sep);
    AppendFixed(out, s.rl, 2, 10, sep);
    AppendFixed(out, s.ksi, 3, 10, sep);
    AppendFixed(out, s.z, 2, 10, sep);
    AppendFixed(out, s.rlz, 2, 10, sep);
    AppendFixed(out, s.all, 2, 10, sep);
    if (s.elementType == kWithoutValve) {
      out.append(31, ' ');
    } else {
      AppendFixed(out, s.overplus, 2, 10, sep);
      out += ' ';
      AppendLeftCut(out, s.heater, 20);
    }
    out += '\n';
  }
}

void AppendCsvText(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendCsvNumber(std::string& out, double value) {
  out += ',';
  AppendG17(out, value);
}

void AppendCsvInt(std::string& out, long value) {
  out += ',';
  AppendLong(out, value);
}

void AppendCsvSections(std::string& out, const CPrivodTelesa& network, char net) {
  long row = 0;
  for (const CUsekPrivodu& s : network.sections) {
    out += net;
    AppendCsvInt(out, ++row);
    AppendCsvInt(out, s.branch);
    out += ',';
    AppendCsvText(out, s.section);
    AppendCsvNumber(out, s.heatLoad);
    AppendCsvNumber(out, s.flow);
    AppendCsvNumber(out, s.length);
    AppendCsvNumber(out, s.lengthOverall);
    out += ',';
    AppendCsvText(out, s.pipe);
    AppendCsvInt(out, s.pipeIndex);
    AppendCsvNumber(out, s.velocity);
    AppendCsvNumber(out, s.r);
    AppendCsvNumber(out, s.rl);
    AppendCsvNumber(out, s.ksi);
    AppendCsvNumber(out, s.z);
    AppendCsvNumber(out, s.rlz);
    AppendCsvNumber(out, s.all);
    AppendCsvNumber(out, s.overplus);
    AppendCsvInt(out, s.regulation);
    AppendCsvNumber(out, s.remainder);
    AppendCsvInt(out, s.elementType);
    out += ',';
    AppendCsvText(out, s.heater);
    out += ',';
    AppendCsvText(out, s.riser);
    AppendCsvNumber(out, s.minDisposalPressure);
    AppendCsvNumber(out, s.mediumTemperature);
    AppendCsvNumber(out, s.temperatureDifference);
    out += '\n';
  }
}

}  // namespace

std::string PressureReportText(std::string_view created, const CPrivodTelesa& supply,
                               const CPrivodTelesa& ret, const CPrivodTelesa& items,
                               std::string_view drawingKind, char sep) {
  std::string out;
  out.reserve(256 + 2 * kSectionHeading.size() +
              240 * (supply.sections.size() + ret.sections.size()) + 120 * items.sections.size());
  out += "Created=";
  out += created;
  out += '\n';
  AppendSections(out, supply, sep);
  AppendSections(out, ret, sep);
  out += kItemHeading;
  for (const CUsekPrivodu& item : items.sections) {
    AppendLeftCut(out, item.heater, 20);
    AppendFixed(out, item.all, 2, 10, sep);
    AppendFixed(out, item.overplus, 2, 10, sep);
    AppendFixed(out, item.flow, 2, 10, sep);
    out += ' ';
    AppendLeftCut(out, ElementTypeName(item.elementType), 10);
    if (item.regulation == 0) {
      out += " bez ";
    } else {
      AppendLong(out, item.regulation, 5);
    }
    AppendFixed(out, item.remainder, 2, 12, sep);
    if (!(item.remainder > kUnionThreshold)) {
      out += ' ';
    } else if (drawingKind == "P") {
      out += "  control pipe union";
    }
    out += '\n';
  }
  return out;
}

bool WritePressureReport(const std::filesystem::path& file, std::string_view text, Messenger& messenger) {
  std::size_t unmappable = 0;
  const std::string encoded = Utf8ToCp1250(text, &unmappable);
  std::string bytes;
  bytes.reserve(encoded.size() + encoded.size() / 16);
  std::size_t pos = 0;
  while (pos < encoded.size()) {
    const std::size_t nl = encoded.find('\n', pos);
    if (nl == std::string::npos) {
      bytes.append(encoded, pos, std::string::npos);
      break;
    }
    bytes.append(encoded, pos, nl - pos);
    bytes += "\r\n";
    pos = nl + 1;
  }
  if (!WriteFileAtomically(file, bytes)) {
    messenger.Show("cosi=" + file.string(), "Kvem - error", Icon::Warning);
    return false;
  }
  if (unmappable > 0) {
    messenger.Show(std::to_string(unmappable) +
                       " character(s) of the report cannot be written in Windows-1250 and are "
                       "written as \"?\":\n'" + file.string() + "'",
                   "Kvem - notice", Icon::Warning);
  }
  return true;
}

std::string LocalTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[64];
  const std::size_t n = std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  return std::string(buf, n);
}

std::string PressureCsv(const PressureEvaluation& e) {
  const CPrivodTelesa& supply = e.network(Medium::Supply);
  const CPrivodTelesa& ret = e.network(Medium::Return);
  const CPrivodTelesa& items = e.items();
  std::string out;
  out.reserve(512 + 480 * (supply.sections.size() + ret.sections.size()) + 200 * items.sections.size());
  out +=
      "net,row,branch,section,heat_load,flow,length,length_overall,pipe,pipe_index,velocity,R,Rl,ksi,Z,"
      "RlZ,all,overplus,regulation,remainder,element_type,heater,riser,min_disposal_pressure,"
      "medium_temperature,temperature_difference\n";
  AppendCsvSections(out, supply, kSupplyKind);
  AppendCsvSections(out, ret, kReturnKind);
  out += "\nrow,heater,all,overplus,flow,element_type,valve,regulation,remainder,riser,min_disposal_pressure\n";
  long row = 0;
  for (const CUsekPrivodu& item : items.sections) {
    AppendLong(out, ++row);
    out += ',';
    AppendCsvText(out, item.heater);
    AppendCsvNumber(out, item.all);
    AppendCsvNumber(out, item.overplus);
    AppendCsvNumber(out, item.flow);
    AppendCsvInt(out, item.elementType);
    out += ',';
    AppendCsvText(out, ElementTypeName(item.elementType));
    AppendCsvInt(out, item.regulation);
    AppendCsvNumber(out, item.remainder);
    out += ',';
    AppendCsvText(out, item.riser);
    AppendCsvNumber(out, item.minDisposalPressure);
    out += '\n';
  }
  const NetworkHeader& h = e.header();
  out +=
      "\navailable_pressure,critical_pressure,riser,drawing_kind,preset_pressure,critical_row_r,"
      "critical_row_z,sections_r,sections_z,items\n";
  AppendG17(out, e.availablePressure());
  AppendCsvNumber(out, e.criticalPressure());
  out += ',';
  AppendCsvText(out, h.riser());
  out += ',';
  AppendCsvText(out, h.drawingKind());
  AppendCsvNumber(out, h.presetPressure);
  AppendCsvInt(out, CriticalRow(supply));
  AppendCsvInt(out, CriticalRow(ret));
  AppendCsvInt(out, static_cast<long>(supply.sections.size()));
  AppendCsvInt(out, static_cast<long>(ret.sections.size()));
  AppendCsvInt(out, static_cast<long>(items.sections.size()));
  out += '\n';
  return out;
}

}  // namespace kvem
