#include "pressure/pressure_report.h"

#include <algorithm>
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

// The report in memory (UTF-8, "\n") or as the file holds it (Windows-1250,
// "\r\n"); both come from one writer so they cannot drift apart.
struct Form {
  bool file = false;
  std::size_t unmappable = 0;

  template <typename String>
  void Text(String& out, std::string_view utf8, std::size_t width) {
    bool ascii = true;
    for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!file || ascii) {
      AppendLeftCut(out, utf8, width);
      return;
    }
    std::size_t bad = 0;
    const std::string bytes = Utf8ToCp1250(utf8, &bad);
    unmappable += bad;
    out.append(bytes, 0, std::min(width, bytes.size()));
    if (bytes.size() < width) out.append(width - bytes.size(), ' ');
  }
  // Constant text with line ends.
  template <typename String>
  void Lines(String& out, std::string_view utf8) {
    if (!file) {
      out += utf8;
      return;
    }
    for (char c : Utf8ToCp1250(utf8)) {
      if (c == '\n') out += '\r';
      out += c;
    }
  }
  template <typename String>
  void End(String& out) const {
    if (file) out += '\r';
    out += '\n';
  }
};

template <typename String>
void AppendSections(String& out, const CPrivodTelesa& network, char sep, Form& form) {
  form.Lines(out, kSectionHeading);
  for (const CUsekPrivodu& s : network.sections) {
    AppendLong(out, s.branch, 8);
    out += ' ';
    form.Text(out, s.section, 20);
    AppendFixed(out, s.heatLoad, 0, 10, sep);
    AppendFixed(out, s.flow, 2, 10, sep);
    AppendFixed(out, s.length, 0, 10, sep);
    AppendFixed(out, s.lengthOverall, 0, 10, sep);
    out += ' ';
    form.Text(out, s.pipe, 20);
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
      form.Text(out, s.heater, 20);
    }
    form.End(out);
  }
}

template <typename String>
String Report(std::string_view created, const CPrivodTelesa& supply, const CPrivodTelesa& ret,
              const CPrivodTelesa& items, std::string_view drawingKind, char sep, Form& form) {
  String out;
  out.reserve(256 + 2 * kSectionHeading.size() +
              200 * (supply.sections.size() + ret.sections.size()) + 100 * items.sections.size());
  form.Lines(out, "Created=");
  form.Lines(out, created);
  form.End(out);
  AppendSections(out, supply, sep, form);
  AppendSections(out, ret, sep, form);
  form.Lines(out, kItemHeading);
  for (const CUsekPrivodu& item : items.sections) {
    form.Text(out, item.heater, 20);
    AppendFixed(out, item.all, 2, 10, sep);
    AppendFixed(out, item.overplus, 2, 10, sep);
    AppendFixed(out, item.flow, 2, 10, sep);
    out += ' ';
    form.Text(out, ElementTypeName(item.elementType), 10);
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
    form.End(out);
  }
  return out;
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

template <typename Flush>
void AppendCsvSections(std::string& out, const CPrivodTelesa& network, char net, Flush&& flush) {
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
    flush(false);
  }
}

}  // namespace

std::string PressureReportText(std::string_view created, const CPrivodTelesa& supply,
                               const CPrivodTelesa& ret, const CPrivodTelesa& items,
                               std::string_view drawingKind, char sep) {
  Form form;
  return Report<std::string>(created, supply, ret, items, drawingKind, sep, form);
}

LargeString PressureReportBytes(std::string_view created, const CPrivodTelesa& supply,
                                const CPrivodTelesa& ret, const CPrivodTelesa& items,
                                std::string_view drawingKind, char sep, std::size_t* unmappable) {
  Form form;
  form.file = true;
  LargeString bytes = Report<LargeString>(created, supply, ret, items, drawingKind, sep, form);
  if (unmappable) *unmappable = form.unmappable;
  return bytes;
}

bool WritePressureReport(const std::filesystem::path& file, std::string_view bytes,
                         std::size_t unmappable, Messenger& messenger) {
  if (!WriteFileAtomically(file, bytes)) {
    messenger.Show("cosi=" + file.string(), "Kvem - error", Icon::Warning);
    return false;
  }
  if (unmappable > 0) {
    messenger.Show(std::to_string(unmappable) +
                       " character(s) of the report cannot be written in Windows-1250 and are "
                       "written as \"?\":\n'" +
                       file.string() + "'",
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

void WritePressureCsv(const PressureEvaluation& e,
                      const std::function<void(std::string_view)>& sink) {
  const CPrivodTelesa& supply = e.network(Medium::Supply);
  const CPrivodTelesa& ret = e.network(Medium::Return);
  const CPrivodTelesa& items = e.items();
  // Handed on in pieces: the CSV of a big network is far larger than the network.
  constexpr std::size_t kPiece = 1 << 20;
  std::string out;
  out.reserve(kPiece + 4096);
  auto flush = [&](bool always) {
    if (always || out.size() >= kPiece) {
      sink(out);
      out.clear();
    }
  };
  out +=
      "net,row,branch,section,heat_load,flow,length,length_overall,pipe,pipe_index,velocity,R,Rl,"
      "ksi,Z,"
      "RlZ,all,overplus,regulation,remainder,element_type,heater,riser,min_disposal_pressure,"
      "medium_temperature,temperature_difference\n";
  AppendCsvSections(out, supply, kSupplyKind, flush);
  AppendCsvSections(out, ret, kReturnKind, flush);
  out +=
      "\nrow,heater,all,overplus,flow,element_type,valve,regulation,remainder,riser,min_disposal_"
      "pressure\n";
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
    flush(false);
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
  flush(true);
}

std::string PressureCsv(const PressureEvaluation& evaluation) {
  std::string csv;
  WritePressureCsv(evaluation, [&](std::string_view piece) { csv += piece; });
  return csv;
}

}  // namespace kvem
