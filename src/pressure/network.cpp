#include "pressure/network.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "pressure/index_table.h"
#include "tables/text_lines.h"

namespace kvem {
namespace {

constexpr std::size_t kHeaderLines = 7;
constexpr std::size_t kLabelWidth = 16;
constexpr const char* kNoticeCaption = "Kvem - notice";

struct PipeName {
  std::string_view designation;
  std::int32_t index;
};
constexpr PipeName kPipes[] = {{"16x1.8", 1}, {"16x2.0", 1}, {"18x2.0", 2}, {"18x2", 2},
                               {"20x2.3", 3}, {"20x2.0", 3}, {"23x2.5", 4}, {"32x4.4", 5},
                               {"12x1.4", 6}, {"50x5.6", 7}};

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// File bytes (Windows-1250) as UTF-8; most fields are plain ASCII.
std::string Text(std::string_view bytes) {
  return IsAscii(bytes) ? std::string(bytes) : Cp1250ToUtf8(bytes);
}

// The five bytes Windows-1250 leaves undefined.
bool IsUndefinedCp1250(unsigned char b) {
  return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
}

long LineNumberAt(std::string_view bytes, std::size_t offset) {
  return 1 + static_cast<long>(
                 std::count(bytes.begin(), bytes.begin() + static_cast<long>(offset), '\n'));
}

std::string FileLineText(long line, const std::filesystem::path& file) {
  return "Line " + std::to_string(line) + " of the file\n'" + file.string() + "'\n";
}

void NoteOtherSeparator(long line, const std::filesystem::path& file, char separator,
                        Messenger& messenger) {
  const char other = separator == '.' ? ',' : '.';
  messenger.Show(
      FileLineText(line, file) + "holds a number written with '" + std::string(1, other) +
          "', but numbers are read with the decimal separator '" + std::string(1, separator) +
          "' of your locale.\nSuch a number ends before the '" + std::string(1, other) +
          "'; check the values of this file.",
      kNoticeCaption, Icon::Warning);
}

}  // namespace

void CPrivodTelesa::ClearLines() {
  LargeVector<NetworkLine>().swap(lines);
  LargeString().swap(lineBytes);
}

std::int32_t PipeIndexOf(std::string_view designation) {
  for (const PipeName& p : kPipes) {
    if (p.designation == designation) return p.index;
  }
  return 0;
}

std::filesystem::path NetworkFileName(const std::filesystem::path& working,
                                      const std::string& project, long number, char kind) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%03ld", number);
  return working / project / (project + "_" + std::string(1, kind) + digits + ".txt");
}

DrawingProject ReadDrawingProject(const std::filesystem::path& tmp, Messenger& messenger) {
  DrawingProject project;
  project.name = NtyRadek(tmp / "epc_pr1.ini", 3, messenger);
  project.number = ParseLong(NtyRadek(tmp / "epc_pr2.ini", 2, messenger));
  return project;
}

bool ReadNetwork(const std::filesystem::path& file, CPrivodTelesa& network, NetworkHeader& header,
                 char separator, Messenger& messenger) {
  network.ClearLines();
  std::error_code ec;
  LargeString bytes;
  if (std::filesystem::is_directory(file, ec) || !ReadLargeFile(file, bytes)) {
    messenger.Show(CannotOpenFileText(file), kTableErrorCaption, Icon::Stop);
    return false;
  }
  network.file = file;
  const std::string_view all(bytes);

  // A NUL byte ends a line's text, as it would for the C library; say so once.
  const bool hasNul = std::memchr(all.data(), '\0', all.size()) != nullptr;
  if (hasNul) {
    const std::size_t at = all.find('\0');
    messenger.Show(FileLineText(LineNumberAt(all, at), file) +
                       "holds a NUL byte; the rest of such a line is not read.",
                   kNoticeCaption, Icon::Warning);
  }
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (IsUndefinedCp1250(static_cast<unsigned char>(all[i]))) {
      messenger.Show(
          FileLineText(LineNumberAt(all, i), file) +
              "holds bytes that are not Windows-1250 text; they are read as \"\xEF\xBF\xBD\".",
          kNoticeCaption, Icon::Warning);
      break;
    }
  }

  header = NetworkHeader{};
  std::string_view headerLines[kHeaderLines];
  long lineNumber = 0;
  std::size_t pos = 0;
  network.lines.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) + 1);
  while (pos < all.size()) {
    const void* nl = std::memchr(all.data() + pos, '\n', all.size() - pos);
    const std::size_t end =
        nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - all.data()) : all.size();
    std::size_t size = end - pos;
    if (size > 0 && all[pos + size - 1] == '\r') --size;
    if (hasNul) {
      if (const void* z = std::memchr(all.data() + pos, '\0', size)) {
        size = static_cast<std::size_t>(static_cast<const char*>(z) - (all.data() + pos));
      }
    }
    ++lineNumber;
    if (lineNumber <= static_cast<long>(kHeaderLines)) {
      headerLines[lineNumber - 1] = all.substr(pos, size);
    } else if (lineNumber > 8) {
      network.lines.push_back({pos, size, lineNumber});
    }
    pos = nl ? end + 1 : all.size();
  }

  for (std::size_t i = 0; i < kHeaderLines; ++i) {
    std::string_view value = headerLines[i];
    if (i == 0 || i == 1 || i == 4)
      value = value.size() > kLabelWidth ? value.substr(kLabelWidth) : std::string_view{};
    header.values[i] = Text(value);
  }
  const ParsedNumber preset = ParseDecimal(headerLines[6], separator);
  header.presetPressure = preset.value;
  network.separatorNoted = false;
  if (preset.stoppedAtOtherSeparator) {
    NoteOtherSeparator(7, file, separator, messenger);
    network.separatorNoted = true;
  }

  network.lineBytes = std::move(bytes);
  SortNetworkLines(network);
  return true;
}

void SortNetworkLines(CPrivodTelesa& network) {
  const std::string_view all(network.lineBytes);
  // Eight bytes at a time: the lines are sorted on bytes [depth, depth + 8)
  // held big-endian in one integer (zeros past a line's end; a line holds no
  // NUL), then every run that is still alike is sorted on the next eight.
  // Each comparison is of two integers, and a line's bytes are read once per
  // eight bytes it shares with others rather than once per comparison.
  struct Keyed {
    std::uint64_t key;
    NetworkLine line;
  };
  LargeVector<Keyed> keyed(network.lines.size());
  for (std::size_t i = 0; i < keyed.size(); ++i) keyed[i].line = network.lines[i];
  struct Range {
    std::size_t first, last, depth;
  };
  std::vector<Range> work = {{0, keyed.size(), 0}};
  while (!work.empty()) {
    const Range r = work.back();
    work.pop_back();
    for (std::size_t i = r.first; i < r.last; ++i) {
      const NetworkLine& line = keyed[i].line;
      unsigned char bytes[8] = {};
      if (line.size > r.depth)
        std::memcpy(bytes, all.data() + line.offset + r.depth,
                    std::min<std::size_t>(line.size - r.depth, 8));
      std::uint64_t key = 0;
      for (unsigned char b : bytes) key = (key << 8) | b;
      keyed[i].key = key;
    }
    const std::size_t end = r.depth + 8;
    // Lines alike so far that end within these eight bytes are the same line:
    // they come before the longer ones, the later read first.
    std::sort(keyed.begin() + static_cast<long>(r.first), keyed.begin() + static_cast<long>(r.last),
              [end](const Keyed& a, const Keyed& b) {
                if (a.key != b.key) return a.key < b.key;
                const bool aEnds = a.line.size <= end;
                const bool bEnds = b.line.size <= end;
                if (aEnds != bEnds) return aEnds;
                return aEnds && a.line.fileLine > b.line.fileLine;
              });
    for (std::size_t i = r.first; i < r.last;) {
      std::size_t j = i + 1;
      while (j < r.last && keyed[j].key == keyed[i].key) ++j;
      std::size_t longer = i;
      while (longer < j && keyed[longer].line.size <= end) ++longer;
      if (j - longer > 1) work.push_back({longer, j, end});
      i = j;
    }
  }
  for (std::size_t i = 0; i < keyed.size(); ++i) network.lines[i] = keyed[i].line;
}

LineParse ParseNetworkLine(std::string_view line, const CPrivodTelesa& network, char separator,
                           CUsekPrivodu& out) {
  LineParse result;
  std::string_view v[10];
  int count = 0;
  const char* start = line.data();
  const char* const end = line.data() + line.size();
  for (const char* c = start; c < end && count < 9; ++c) {
    if (*c != ' ') continue;
    v[count++] = std::string_view(start, static_cast<std::size_t>(c - start));
    start = c + 1;
  }
  // The last value runs to the end of the line.
  v[count++] = std::string_view(start, static_cast<std::size_t>(end - start));

  if (count < 6) {
    result.failure = -1;
    return result;
  }
  if (count == 6) {
    result.failure = 1;
    return result;
  }
  if (count == 7 && !(v[6].size() == 1 && ParseLong(v[6]) == 0)) {
    result.failure = 2;
    return result;
  }
  if (count == 8 || count == 9) {
    result.failure = count == 8 ? 3 : 4;
    return result;
  }

  auto number = [&](std::string_view text) {
    const ParsedNumber n = ParseDecimal(text, separator);
    result.stoppedAtOtherSeparator |= n.stoppedAtOtherSeparator;
    return n.value;
  };
  out.branch = ParseInt32(v[0]);
  out.section = Text(v[1]);
  out.length = number(v[2]);
  out.heatLoad = number(v[3]);
  out.pipe = Text(v[4]);
  out.pipeIndex = PipeIndexOf(v[4]);
  out.ksi = number(v[5]);
  out.elementType = ParseInt32(v[6]);
  if (count == 7) {
    out.mediumTemperature = network.meanTemperature;
    out.temperatureDifference = network.temperatureDifference;
  } else {
    out.riser = Text(v[7]);
    out.heater = Text(v[8]);
    out.minDisposalPressure = number(v[9]);
  }
  return result;
}

void ReportMalformedLine(int failure, Messenger& messenger) {
  if (failure >= 1 && failure <= 4) {
    messenger.Show(std::string(1, static_cast<char>('0' + failure)), "", Icon::None);
  }
  messenger.Show("záznam nemá očekávaný tvar\nKončím !", "Kvem", Icon::None);
}

void BuildSections(CPrivodTelesa& network, char separator, Messenger& messenger) {
  network.sections.reserve(network.sections.size() + network.lines.size());
  // Sorted lines lie all over the file's bytes: ask for a line some way ahead
  // while this one is parsed.
  constexpr std::size_t kAhead = 8;
  for (std::size_t i = 0; i < network.lines.size(); ++i) {
    if (i + kAhead < network.lines.size())
      __builtin_prefetch(network.lineBytes.data() + network.lines[i + kAhead].offset);
    CUsekPrivodu section;
    const LineParse parse = ParseNetworkLine(network.LineText(i), network, separator, section);
    if (parse.failure != 0) {
      ReportMalformedLine(parse.failure, messenger);
      continue;
    }
    if (parse.stoppedAtOtherSeparator && !network.separatorNoted) {
      NoteOtherSeparator(network.lines[i].fileLine, network.file, separator, messenger);
      network.separatorNoted = true;
    }
    network.sections.push_back(std::move(section));
  }
  network.ClearLines();
}

void MergeDuplicates(CPrivodTelesa& network) {
  auto& s = network.sections;
  const std::size_t n = s.size();
  if (n < 2) return;
  // Each class of equal keys folds in list order: a type-0 member is added to
  // the survivor so far, any other member takes the survivor's sums over.
  // The keys' hashes first, in one pass, so each table slot can be fetched
  // some way ahead of its lookup.
  LargeVector<std::uint64_t> hashes(n);
  for (std::size_t j = 0; j < n; ++j) {
    std::uint64_t h = detail::HashText(s[j].section);
    h = detail::Combine(h, static_cast<std::uint32_t>(s[j].branch));
    h = detail::Combine(h, detail::HashDouble(s[j].heatLoad));
    hashes[j] = detail::Combine(h, static_cast<std::uint32_t>(s[j].pipeIndex));
  }
  constexpr std::size_t kAhead = 16;
  detail::IndexTable survivors(n);
  std::vector<char> removed(n, 0);
  for (std::size_t j = 0; j < n; ++j) {
    if (j + kAhead < n) survivors.Prefetch(hashes[j + kAhead]);
    const CUsekPrivodu& later = s[j];
    auto slot = survivors.Slot(hashes[j], [&](std::uint32_t i) {
      const CUsekPrivodu& e = s[i];
      return e.branch == later.branch && e.heatLoad == later.heatLoad &&
             e.pipeIndex == later.pipeIndex && e.section == later.section;
    });
    if (slot == 0) {
      slot = static_cast<std::uint32_t>(j) + 1;
      continue;
    }
    const std::size_t i = slot - 1;
    if (s[j].elementType == kWithoutValve) {
      s[i].length += s[j].length;
      s[i].ksi += s[j].ksi;
      removed[j] = 1;
    } else {
      s[j].length += s[i].length;
      s[j].ksi += s[i].ksi;
      removed[i] = 1;
      slot = static_cast<std::uint32_t>(j) + 1;
    }
  }
  std::size_t out = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (removed[i]) continue;
    if (out != i) s[out] = std::move(s[i]);
    ++out;
  }
  s.resize(out);
}

long FindSection(const CPrivodTelesa& network, std::string_view number) {
  for (std::size_t i = 0; i < network.sections.size(); ++i) {
    if (network.sections[i].section == number) return static_cast<long>(i);
  }
  return -1;
}

std::string_view ParentNumber(std::string_view number) {
  if (number.empty()) return number;
  std::size_t end = number.size() - 1;
  while (end > 0 && (static_cast<unsigned char>(number[end]) & 0xC0) == 0x80) --end;
  return number.substr(0, end);
}

}  // namespace kvem
