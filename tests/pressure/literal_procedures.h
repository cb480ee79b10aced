// The evaluation's procedures in their plain, one-at-a-time form: insertion
// into a sorted line list, field splitting with find/substr, a pairwise
// duplicate scan restarted after every removal, a linear search for every
// ancestor, a scan of the return list for every supply heater and snprintf
// for every number. Quadratic, but obviously right; the engine's fast forms
// must give the same bytes.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "pressure/network.h"
#include "pressure/pressure_loss.h"
#include "pressure/valves.h"
#include "tables/text_lines.h"

namespace kvem::literal {

// Header values and the body lines in insertion-sorted order (raw bytes).
inline bool ReadLines(const std::filesystem::path& file, NetworkHeader& header, char sep,
                      std::vector<std::string>& sorted, Messenger& m) {
  sorted.clear();
  std::string bytes;
  if (!ReadWholeFile(file, bytes)) {
    m.Show(CannotOpenFileText(file), kTableErrorCaption, Icon::Stop);
    return false;
  }
  header = NetworkHeader{};
  long n = 0;
  ForEachLine(bytes, [&](std::string_view view) {
    std::string line(view.substr(0, view.find('\0')));
    ++n;
    if (n <= 7) {
      std::string value =
          (n == 1 || n == 2 || n == 5) ? (line.size() > 16 ? line.substr(16) : "") : line;
      header.values[n - 1] = Cp1250ToUtf8(value);
      if (n == 7) header.presetPressure = ParseDouble(line, sep);
      return;
    }
    if (n == 8) return;
    auto at = sorted.begin();
    while (at != sorted.end() && *at < line) ++at;  // before the first line >= it
    sorted.insert(at, line);
  });
  return true;
}

inline bool Take(std::string& rest, std::string& value) {
  const auto blank = rest.find(' ');
  if (blank == std::string::npos) {
    value = rest;
    rest.clear();
    return false;
  }
  value = rest.substr(0, blank);
  rest = rest.substr(blank + 1);
  return true;
}

// 0 and the section, or the failure code of ParseNetworkLine.
inline int ParseLine(std::string rest, const CPrivodTelesa& net, char sep, CUsekPrivodu& s) {
  std::string v[10];
  for (int k = 0; k < 5; ++k) {
    if (!Take(rest, v[k])) return -1;
  }
  if (!Take(rest, v[5])) return 1;
  const bool more = Take(rest, v[6]);
  if (!more && !(v[6].size() == 1 && ParseLong(v[6]) == 0)) return 2;
  if (more) {
    if (!Take(rest, v[7])) return 3;
    if (!Take(rest, v[8])) return 4;
    v[9] = rest;
  }
  s.branch = ParseInt32(v[0]);
  s.section = Cp1250ToUtf8(v[1]);
  s.length = ParseDouble(v[2], sep);
  s.heatLoad = ParseDouble(v[3], sep);
  s.pipe = Cp1250ToUtf8(v[4]);
  s.pipeIndex = PipeIndexOf(v[4]);
  s.ksi = ParseDouble(v[5], sep);
  s.elementType = ParseInt32(v[6]);
  if (!more) {
    s.mediumTemperature = net.meanTemperature;
    s.temperatureDifference = net.temperatureDifference;
  } else {
    s.riser = Cp1250ToUtf8(v[7]);
    s.heater = Cp1250ToUtf8(v[8]);
    s.minDisposalPressure = ParseDouble(v[9], sep);
  }
  return 0;
}

inline void Merge(CPrivodTelesa& net) {
  auto& s = net.sections;
  for (bool removed = true; removed;) {
    removed = false;
    for (std::size_t i = 0; i < s.size() && !removed; ++i) {
      for (std::size_t j = i + 1; j < s.size() && !removed; ++j) {
        if (s[i].branch != s[j].branch || s[i].section != s[j].section ||
            s[i].heatLoad != s[j].heatLoad || s[i].pipeIndex != s[j].pipeIndex) {
          continue;
        }
        if (s[j].elementType == 0) {
          s[i].length += s[j].length;
          s[i].ksi += s[j].ksi;
          s.erase(s.begin() + static_cast<long>(j));
        } else {
          s[j].length += s[i].length;
          s[j].ksi += s[i].ksi;
          s.erase(s.begin() + static_cast<long>(i));
        }
        removed = true;
      }
    }
  }
}

inline double Accumulate(CPrivodTelesa& net) {
  if (!net.cumulativeCurrent) {
    for (auto& s : net.sections) {
      double all = s.rlz, length = s.length;
      for (std::string number(ParentNumber(s.section)); !number.empty();
           number = std::string(ParentNumber(number))) {
        const long p = FindSection(net, number);
        if (p < 0) break;
        all += net.sections[static_cast<std::size_t>(p)].rlz;
        length += net.sections[static_cast<std::size_t>(p)].length;
      }
      s.all = all;
      s.lengthOverall = length;
    }
  }
  double largest = 0;
  for (const auto& s : net.sections) largest = s.all > largest ? s.all : largest;
  return largest;
}

inline double Distribute(CPrivodTelesa& net, double available) {
  const double used = available > 0 ? available : literal::Accumulate(net);
  for (auto& s : net.sections) {
    s.overplus = used - s.all;
    s.regulation = ValvePresetting(s.elementType, s.flow, s.overplus, s.remainder);
  }
  return used;
}

inline bool Evaluate(CPrivodTelesa& net, const std::filesystem::path& file, NetworkHeader& header,
                     char sep, Messenger& m) {
  std::vector<std::string> lines;
  if (!ReadLines(file, header, sep, lines, m)) return false;
  for (const auto& line : lines) {
    CUsekPrivodu s;
    const int failure = ParseLine(line, net, sep, s);
    if (failure != 0) {
      ReportMalformedLine(failure, m);
    } else {
      net.sections.push_back(s);
    }
  }
  literal::Merge(net);
  ComputeSectionLosses(net, m);
  literal::Distribute(net, -1.0);
  return true;
}

inline bool Matches(const CUsekPrivodu& s, const CUsekPrivodu& r) {
  return r.elementType != 0 && r.heater == s.heater && r.flow == s.flow;
}

inline void BuildItems(const CPrivodTelesa& supply, const CPrivodTelesa& ret, CPrivodTelesa& items,
                       Messenger& m) {
  for (const auto& s : supply.sections) {
    if (s.elementType == 0) continue;
    CUsekPrivodu item;
    item.elementType = s.elementType;
    item.heater = s.heater;
    item.flow = s.flow;
    item.all = s.all;
    item.minDisposalPressure = s.minDisposalPressure;
    item.riser = s.riser;
    bool found = false;
    for (const auto& r : ret.sections) {
      if (Matches(s, r)) {
        item.all += r.all;
        found = true;
      }
    }
    if (!found) m.Show("Heater '" + s.heater + "' - bad date!", "Kvem - notice", Icon::Warning);
    items.sections.push_back(item);
  }
  items.cumulativeCurrent = true;
}

// One printf conversion with the user's separator in the number.
inline std::string F(const char* format, double v, char sep) {
  return FormatDouble(format, v, sep);
}
inline std::string S(const char* format, const std::string& utf8) {
  char buf[256];
  std::snprintf(buf, sizeof buf, format, Utf8ToCp1250(utf8).c_str());
  return buf;
}

inline std::string Report(const std::string& created, const CPrivodTelesa& supply,
                          const CPrivodTelesa& ret, const CPrivodTelesa& items,
                          const std::string& kind, char sep) {
  std::string out = "Created=" + created + "\n";  // Windows-1250 below, UTF-8 at the end
  for (const CPrivodTelesa* net : {&supply, &ret}) {
    out += Utf8ToCp1250(
        "\n BranchN.SectionN.         QuantityH.[W]  FlowRate    Length LengthO. Pipe              "
        "  "
        "    v[m/s]   R[Pa/m]   R*l[Pa]    ksí[-]     Z[Pa] R*l+Z[Pa]  Kum.[Pa]Overpl.[Pa] "
        "Heater\n");
    for (const auto& s : net->sections) {
      out += FormatLong("%8ld", s.branch) + S(" %-20.20s", s.section) +
             F("%10.0f", s.heatLoad, sep) + F("%10.2f", s.flow, sep) + F("%10.0f", s.length, sep) +
             F("%10.0f", s.lengthOverall, sep) + S(" %-20.20s", s.pipe) +
             F("%10.3f", s.velocity, sep) + F("%10.2f", s.r, sep) + F("%10.2f", s.rl, sep) +
             F("%10.3f", s.ksi, sep) + F("%10.2f", s.z, sep) + F("%10.2f", s.rlz, sep) +
             F("%10.2f", s.all, sep);
      out += s.elementType == 0 ? S("%31s", " ")
                                : F("%10.2f", s.overplus, sep) + S(" %-20.20s", s.heater);
      out += "\n";
    }
  }
  out += Utf8ToCp1250(
      "\nTěleso              Kumul.[Pa]  Přebytek   Průt.mn.  Ventil Regulace Zbytek[Pa] "
      "Poznámka\n");
  for (const auto& i : items.sections) {
    out += S("%-20.20s", i.heater) + F("%10.2f", i.all, sep) + F("%10.2f", i.overplus, sep) +
           F("%10.2f", i.flow, sep) + S(" %-10.10s", std::string(ElementTypeName(i.elementType)));
    out += i.regulation == 0 ? std::string(" bez ") : FormatLong("%5ld", i.regulation);
    out += F("%12.2f", i.remainder, sep);
    if (i.remainder <= 10000.0) {
      out += " ";
    } else if (kind == "P") {
      out += "  control pipe union";
    }
    out += "\n";
  }
  return Cp1250ToUtf8(out);
}

// The whole sheet: page 1, page 2, page 3 (with an optional pump output), OK.
inline std::string Sheet(const std::filesystem::path& supplyFile,
                         const std::filesystem::path& returnFile, double tw, double tr, char sep,
                         const std::optional<std::string>& pump, const std::string& created,
                         Messenger& m) {
  NetworkHeader header;
  CPrivodTelesa supply, ret, items;
  for (auto* net : {&supply, &ret}) {
    net->meanTemperature = (tw + tr) / 2;
    net->temperatureDifference = tw - tr;
  }
  if (!literal::Evaluate(supply, supplyFile, header, sep, m) ||
      !literal::Evaluate(ret, returnFile, header, sep, m)) {
    return {};
  }
  if (supply.sections.empty()) literal::Evaluate(supply, supplyFile, header, sep, m);
  if (ret.sections.empty()) literal::Evaluate(ret, returnFile, header, sep, m);
  literal::BuildItems(supply, ret, items, m);
  literal::Distribute(items, 0.0);
  if (header.presetPressure > 0) literal::Distribute(items, header.presetPressure);
  if (pump) literal::Distribute(items, ParseDouble(*pump, sep));
  if (supply.sections.empty()) literal::Evaluate(supply, supplyFile, header, sep, m);
  if (ret.sections.empty()) literal::Evaluate(ret, returnFile, header, sep, m);
  for (const auto& s : supply.sections) {
    bool found = false;
    for (const auto& r : ret.sections) found = found || Matches(s, r);
    if (s.elementType != 0 && !found)
      m.Show("Heater '" + s.heater + "' - bad date!", "Kvem - error", Icon::Warning);
  }
  return literal::Report(created, supply, ret, items, header.drawingKind(), sep);
}

}  // namespace kvem::literal
