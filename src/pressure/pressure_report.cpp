#include "pressure/pressure_report.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/large_data.h"
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

using Sink = std::function<void(std::string_view)>;

// Text formed in a buffer of about a megabyte and handed to the sink each
// time a row leaves it full: the report and the CSV of a big network are far
// larger than the network, and a buffer that stays in the cache is cheaper
// than one of their size. Numbers are written in place.
class PieceWriter {
 public:
  explicit PieceWriter(const Sink& sink)
      : sink_(sink), buffer_(new char[kPiece + kSlack]), p_(buffer_.get()) {}

  void Char(char c) {
    Room(1);
    *p_++ = c;
  }
  void Blanks(std::size_t n) {
    Room(n);
    std::memset(p_, ' ', n);
    p_ += n;
  }
  void Text(std::string_view text) {
    if (text.size() > Free()) {
      Flush();
      if (text.size() > Free()) {
        sink_(text);
        return;
      }
    }
    std::memcpy(p_, text.data(), text.size());
    p_ += text.size();
  }
  // "%<width>.<precision>f"
  void Fixed(double value, int precision, int width, char separator) {
    char text[kFormatRoom];
    Aligned(text, WriteFixed(text, value, precision, separator), width);
  }
  // "%<width>ld"
  void Long(long value, int width = 0) {
    char text[kFormatRoom];
    Aligned(text, WriteLong(text, value), width);
  }
  // "%.17g"
  void G17(double value) {
    Room(kFormatRoom);
    p_ = WriteG17(p_, value);
  }
  // "%-<width>.<width>s", counting UTF-8 characters.
  void LeftCut(std::string_view text, std::size_t width) {
    std::size_t chars = 0;
    std::size_t end = 0;
    while (end < text.size()) {
      if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80) {
        if (chars == width) break;
        ++chars;
      }
      ++end;
    }
    Text(text.substr(0, end));
    if (chars < width) Blanks(width - chars);
  }
  void RowDone() {
    if (static_cast<std::size_t>(p_ - buffer_.get()) >= kPiece) Flush();
  }
  void Finish() { Flush(); }

 private:
  static constexpr std::size_t kPiece = std::size_t{1} << 20;
  static constexpr std::size_t kSlack = std::size_t{64} << 10;
  static constexpr std::size_t kShort = 32;

  std::size_t Free() const {
    return static_cast<std::size_t>(buffer_.get() + kPiece + kSlack - p_);
  }
  void Room(std::size_t n) {
    if (Free() < n) Flush();
  }
  void Flush() {
    if (p_ > buffer_.get()) sink_(std::string_view(buffer_.get(), static_cast<std::size_t>(p_ - buffer_.get())));
    p_ = buffer_.get();
  }
  // The conversion in `text` (kFormatRoom bytes), right-aligned in `width`.
  // Short ones, nearly all, are moved in blocks of a fixed size: the bytes
  // past the conversion are overwritten by what follows or never handed on.
  void Aligned(const char* text, const char* end, int width) {
    const auto n = static_cast<std::size_t>(end - text);
    const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    const std::size_t pad = n < w ? w - n : 0;
    if (n <= kShort && w <= kShort) {
      Room(2 * kShort);
      std::memset(p_, ' ', kShort);
      std::memcpy(p_ + pad, text, kShort);
      p_ += pad + n;
      return;
    }
    Blanks(pad);
    Text(std::string_view(text, n));
  }

  const Sink& sink_;
  std::unique_ptr<char[]> buffer_;
  char* p_;
};

// The report in memory (UTF-8, "\n") or as the file holds it (Windows-1250,
// "\r\n"); both come from one writer so they cannot drift apart.
struct Form {
  bool file = false;
  std::size_t unmappable = 0;

  void Text(PieceWriter& out, std::string_view utf8, std::size_t width) {
    bool ascii = true;
    for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!file || ascii) {
      out.LeftCut(utf8, width);
      return;
    }
    std::size_t bad = 0;
    const std::string bytes = Utf8ToCp1250(utf8, &bad);
    unmappable += bad;
    out.Text(std::string_view(bytes).substr(0, std::min(width, bytes.size())));
    if (bytes.size() < width) out.Blanks(width - bytes.size());
  }
  // Constant text with line ends.
  void Lines(PieceWriter& out, std::string_view utf8) {
    if (!file) {
      out.Text(utf8);
      return;
    }
    for (char c : Utf8ToCp1250(utf8)) {
      if (c == '\n') out.Char('\r');
      out.Char(c);
    }
  }
  void End(PieceWriter& out) const {
    if (file) out.Char('\r');
    out.Char('\n');
    out.RowDone();
  }
};

void AppendSections(PieceWriter& out, const CPrivodTelesa& network, char sep, Form& form) {
  form.Lines(out, kSectionHeading);
  for (const CUsekPrivodu& s : network.sections) {
    out.Long(s.branch, 8);
    out.Char(' ');
    form.Text(out, s.section, 20);
    out.Fixed(s.heatLoad, 0, 10, sep);
    out.Fixed(s.flow, 2, 10, sep);
    out.Fixed(s.length, 0, 10, sep);
    out.Fixed(s.lengthOverall, 0, 10, sep);
    out.Char(' ');
    form.Text(out, s.pipe, 20);
    out.Fixed(s.velocity, 3, 10, sep);
    out.Fixed(s.r, 2, 10, sep);
    out.Fixed(s.rl, 2, 10, sep);
    out.Fixed(s.ksi, 3, 10, sep);
    out.Fixed(s.z, 2, 10, sep);
    out.Fixed(s.rlz, 2, 10, sep);
    out.Fixed(s.all, 2, 10, sep);
    if (s.elementType == kWithoutValve) {
      out.Blanks(31);
    } else {
      out.Fixed(s.overplus, 2, 10, sep);
      out.Char(' ');
      form.Text(out, s.heater, 20);
    }
    form.End(out);
  }
}

void Report(std::string_view created, const CPrivodTelesa& supply, const CPrivodTelesa& ret,
            const CPrivodTelesa& items, std::string_view drawingKind, char sep, Form& form,
            const Sink& sink) {
  PieceWriter out(sink);
  form.Lines(out, "Created=");
  form.Lines(out, created);
  form.End(out);
  AppendSections(out, supply, sep, form);
  AppendSections(out, ret, sep, form);
  form.Lines(out, kItemHeading);
  for (const CUsekPrivodu& item : items.sections) {
    form.Text(out, item.heater, 20);
    out.Fixed(item.all, 2, 10, sep);
    out.Fixed(item.overplus, 2, 10, sep);
    out.Fixed(item.flow, 2, 10, sep);
    out.Char(' ');
    form.Text(out, ElementTypeName(item.elementType), 10);
    if (item.regulation == 0) {
      out.Text(" bez ");
    } else {
      out.Long(item.regulation, 5);
    }
    out.Fixed(item.remainder, 2, 12, sep);
    if (!(item.remainder > kUnionThreshold)) {
      out.Char(' ');
    } else if (drawingKind == "P") {
      out.Text("  control pipe union");
    }
    form.End(out);
  }
  out.Finish();
}

void AppendCsvText(PieceWriter& out, std::string_view text) {
  bool plain = true;
  for (char c : text) plain = plain && c != ',' && c != '"' && c != '\r' && c != '\n';
  if (plain) {
    out.Text(text);
    return;
  }
  out.Char('"');
  for (char c : text) {
    if (c == '"') out.Char('"');
    out.Char(c);
  }
  out.Char('"');
}

void AppendCsvNumber(PieceWriter& out, double value) {
  out.Char(',');
  out.G17(value);
}

void AppendCsvInt(PieceWriter& out, long value) {
  out.Char(',');
  out.Long(value);
}

void AppendCsvSections(PieceWriter& out, const CPrivodTelesa& network, char net) {
  long row = 0;
  for (const CUsekPrivodu& s : network.sections) {
    out.Char(net);
    AppendCsvInt(out, ++row);
    AppendCsvInt(out, s.branch);
    out.Char(',');
    AppendCsvText(out, s.section);
    AppendCsvNumber(out, s.heatLoad);
    AppendCsvNumber(out, s.flow);
    AppendCsvNumber(out, s.length);
    AppendCsvNumber(out, s.lengthOverall);
    out.Char(',');
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
    out.Char(',');
    AppendCsvText(out, s.heater);
    out.Char(',');
    AppendCsvText(out, s.riser);
    AppendCsvNumber(out, s.minDisposalPressure);
    AppendCsvNumber(out, s.mediumTemperature);
    AppendCsvNumber(out, s.temperatureDifference);
    out.Char('\n');
    out.RowDone();
  }
}

bool ReportWritten(bool written, const std::filesystem::path& file, std::size_t unmappable,
                   Messenger& messenger) {
  if (!written) {
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

}  // namespace

void WritePressureReportText(std::string_view created, const CPrivodTelesa& supply,
                             const CPrivodTelesa& ret, const CPrivodTelesa& items,
                             std::string_view drawingKind, char sep,
                             const std::function<void(std::string_view)>& sink) {
  Form form;
  Report(created, supply, ret, items, drawingKind, sep, form, sink);
}

std::string PressureReportText(std::string_view created, const CPrivodTelesa& supply,
                               const CPrivodTelesa& ret, const CPrivodTelesa& items,
                               std::string_view drawingKind, char sep) {
  std::string text;
  WritePressureReportText(created, supply, ret, items, drawingKind, sep,
                          [&](std::string_view piece) { text += piece; });
  return text;
}

bool WritePressureReportFile(const std::filesystem::path& file, std::string_view created,
                             const CPrivodTelesa& supply, const CPrivodTelesa& ret,
                             const CPrivodTelesa& items, std::string_view drawingKind, char sep,
                             Messenger& messenger) {
  AtomicFileWriter writer(file);
  Form form;
  form.file = true;
  if (writer.ok()) {
    Report(created, supply, ret, items, drawingKind, sep, form,
           [&](std::string_view piece) { writer.Write(piece); });
  }
  return ReportWritten(writer.Commit(), file, form.unmappable, messenger);
}

bool WritePressureReport(const std::filesystem::path& file, std::string_view bytes,
                         std::size_t unmappable, Messenger& messenger) {
  return ReportWritten(WriteFileAtomically(file, bytes), file, unmappable, messenger);
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
  PieceWriter out(sink);
  out.Text(
      "net,row,branch,section,heat_load,flow,length,length_overall,pipe,pipe_index,velocity,R,Rl,"
      "ksi,Z,"
      "RlZ,all,overplus,regulation,remainder,element_type,heater,riser,min_disposal_pressure,"
      "medium_temperature,temperature_difference\n");
  AppendCsvSections(out, supply, kSupplyKind);
  AppendCsvSections(out, ret, kReturnKind);
  out.Text(
      "\nrow,heater,all,overplus,flow,element_type,valve,regulation,remainder,riser,min_disposal_"
      "pressure\n");
  long row = 0;
  for (const CUsekPrivodu& item : items.sections) {
    out.Long(++row);
    out.Char(',');
    AppendCsvText(out, item.heater);
    AppendCsvNumber(out, item.all);
    AppendCsvNumber(out, item.overplus);
    AppendCsvNumber(out, item.flow);
    AppendCsvInt(out, item.elementType);
    out.Char(',');
    AppendCsvText(out, ElementTypeName(item.elementType));
    AppendCsvInt(out, item.regulation);
    AppendCsvNumber(out, item.remainder);
    out.Char(',');
    AppendCsvText(out, item.riser);
    AppendCsvNumber(out, item.minDisposalPressure);
    out.Char('\n');
    out.RowDone();
  }
  const NetworkHeader& h = e.header();
  out.Text(
      "\navailable_pressure,critical_pressure,riser,drawing_kind,preset_pressure,critical_row_r,"
      "critical_row_z,sections_r,sections_z,items\n");
  out.G17(e.availablePressure());
  AppendCsvNumber(out, e.criticalPressure());
  out.Char(',');
  AppendCsvText(out, h.riser());
  out.Char(',');
  AppendCsvText(out, h.drawingKind());
  AppendCsvNumber(out, h.presetPressure);
  AppendCsvInt(out, CriticalRow(supply));
  AppendCsvInt(out, CriticalRow(ret));
  AppendCsvInt(out, static_cast<long>(supply.sections.size()));
  AppendCsvInt(out, static_cast<long>(ret.sections.size()));
  AppendCsvInt(out, static_cast<long>(items.sections.size()));
  out.Char('\n');
  out.Finish();
}

std::string PressureCsv(const PressureEvaluation& evaluation) {
  std::string csv;
  WritePressureCsv(evaluation, [&](std::string_view piece) { csv += piece; });
  return csv;
}

}  // namespace kvem
