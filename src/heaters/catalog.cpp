#include "heaters/catalog.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <system_error>

#include "platform/encoding.h"
#include "platform/numbers.h"
#include "tables/text_lines.h"

namespace kvem {

std::string ProductTableName(long group) {
  std::array<char, 32> buf{};
  std::snprintf(buf.data(), buf.size(), "IPC_%05ld", group);
  return buf.data();
}

std::string CheckProductTableName(std::string_view name) {
  const std::string upper = ToUpper(name);
  for (long group : kProductGroups) {
    std::string table = ProductTableName(group);
    if (upper == table) return table;
  }
  return {};
}

std::filesystem::path ProductTablePath(const std::filesystem::path& directory,
                                       std::string_view name) {
  return directory / (std::string(name) + ".dbf");
}

double CatalogNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // A number starts with a digit, or a point followed by a digit; this keeps
  // "nan", "inf" and "0x..." out (the latter reads as 0, as its prefix does).
  const auto isDigit = [](char c) { return static_cast<unsigned char>(c - '0') <= 9; };
  if (i >= text.size()) return 0.0;
  if (!isDigit(text[i]) && !(text[i] == '.' && i + 1 < text.size() && isDigit(text[i + 1]))) {
    return 0.0;
  }
  // The common case, a catalogue field of at most 15 characters after the
  // sign: its digits are an exact integer below 2^53 and the power of ten is
  // exact, so one division gives the correctly rounded value, as strtod does.
  if (text.size() - i <= 15) {
    const char* p = text.data() + i;
    const char* const end = text.data() + text.size();
    std::uint64_t mantissa = 0;
    while (p < end && isDigit(*p))
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p++ - '0');
    int fraction = 0;
    if (p < end && *p == '.') {
      const char* const first = ++p;
      while (p < end && isDigit(*p))
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p++ - '0');
      fraction = static_cast<int>(p - first);
    }
    if (p == end || (*p != 'e' && *p != 'E')) {
      static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
      // Trailing zeros of the fraction ("2163.0") need no division at all.
      while (fraction > 0 && mantissa % 10 == 0) {
        mantissa /= 10;
        --fraction;
      }
      double value = static_cast<double>(mantissa);
      if (fraction > 0) value /= kPowers[fraction];
      return negative ? -value : value;
    }
  }
  double value = 0.0;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Saturate like strtod: a huge mantissa or exponent, or an underflow.
    std::size_t j = i;
    while (j < text.size() && (isDigit(text[j]) || text[j] == '.')) ++j;
    const bool tiny = j < text.size() && (text[j] == 'e' || text[j] == 'E') &&
                      j + 1 < text.size() && text[j + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::max();
  } else if (ec != std::errc()) {
    return 0.0;
  }
  (void)ptr;
  return negative ? -value : value;
}

// --- Filter expressions -------------------------------------------------------

namespace {

class FilterLexer {
 public:
  explicit FilterLexer(std::string_view text) : text_(text) {}
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ >= text_.size();
  }
  bool TakeX() {
    SkipBlanks();
    if (pos_ < text_.size() && (text_[pos_] == 'x' || text_[pos_] == 'X')) {
      ++pos_;
      return true;
    }
    return false;
  }
  // "<" -> 0, "<=" -> 1, "=" -> 2; -1 when there is no operator.
  int TakeOperator() {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == '<') {
      ++pos_;
      if (pos_ < text_.size() && text_[pos_] == '=') {
        ++pos_;
        return kOpAtMost;
      }
      return kOpLess;
    }
    if (pos_ < text_.size() && text_[pos_] == '=') {
      ++pos_;
      return kOpEqual;
    }
    return -1;
  }
  bool TakeNumber(double* value) {
    SkipBlanks();
    const ParsedNumber parsed = ParseDecimal(text_.substr(pos_), '.');
    if (parsed.consumed == 0 || !std::isfinite(parsed.value)) return false;
    *value = parsed.value;
    pos_ += parsed.consumed;
    return true;
  }
  std::string_view Rest() const { return text_.substr(std::min(pos_, text_.size())); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

bool ParseFilterExpression(std::string_view text, DimensionFilter* filter, std::string* why) {
  const auto fail = [&](const std::string& reason) {
    if (why) {
      *why = "filter \"" + std::string(text) + "\": " + reason +
             " (write LO OP x OP HI with OP one of <, <=, =, or \"x\", or \"off\")";
    }
    return false;
  };
  FilterLexer lex(text);
  DimensionFilter result;
  result.on = true;
  {
    FilterLexer probe(text);
    probe.SkipBlanks();
    const std::string_view rest = probe.Rest();
    std::size_t end = rest.size();
    while (end > 0 && (rest[end - 1] == ' ' || rest[end - 1] == '\t')) --end;
    if (rest.substr(0, end) == "off") {
      *filter = DimensionFilter{};
      return true;
    }
  }
  if (!lex.TakeX()) {
    if (!lex.TakeNumber(&result.lower)) return fail("expected a number, \"x\" or \"off\"");
    result.lowerOp = lex.TakeOperator();
    if (result.lowerOp < 0) return fail("expected <, <= or = after the lower value");
    if (!lex.TakeX()) return fail("expected \"x\"");
  }
  if (!lex.AtEnd()) {
    result.upperOp = lex.TakeOperator();
    if (result.upperOp < 0) return fail("expected <, <= or = after \"x\"");
    if (!lex.TakeNumber(&result.upper)) return fail("expected the upper value");
    if (!lex.AtEnd()) return fail("unexpected \"" + std::string(lex.Rest()) + "\"");
  }
  *filter = result;
  return true;
}

// --- The product-group list ---------------------------------------------------------

std::filesystem::path GroupListPath(const std::filesystem::path& pathMain) {
  return pathMain / "Tp_pud" / std::string(kGroupListFile);
}

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool ReadGroupList(const std::filesystem::path& file, std::vector<std::string>* entries,
                   Messenger& messenger) {
  entries->clear();
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(file.c_str(), "rb"));
  if (!f) {
    messenger.Show(CannotOpenFileText(file), kTableErrorCaption, Icon::Stop);
    return false;
  }
  constexpr std::size_t kBlock = 2048;
  std::array<char, kBlock> block;
  std::string line;
  for (;;) {
    const std::size_t got = std::fread(block.data(), 1, block.size(), f.get());
    if (got == 0) break;
    std::size_t pos = 0;
    while (pos < got) {
      const char* start = block.data() + pos;
      const void* nl = std::memchr(start, '\n', got - pos);
      const std::size_t end =
          nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - block.data()) : got;
      if (line.size() < kTextLineLimit) {
        line.append(start, std::min(end - pos, kTextLineLimit - line.size()));
      }
      if (!nl) break;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      entries->push_back(Cp1250ToUtf8(line));
      line.clear();
      pos = end + 1;
    }
  }
  return true;
}

// --- "Select Current Database" ----------------------------------------------------------

DatabaseSelectionForm::DatabaseSelectionForm(const DatabaseSelection& selection)
    : working_(selection) {}

bool DatabaseSelectionForm::Initialise(const std::filesystem::path& pathMain,
                                       Messenger& messenger) {
  return ReadGroupList(GroupListPath(pathMain), &groups_, messenger);
}

void DatabaseSelectionForm::ChooseGroup(int index) {
  working_.groupIndex = index >= 0 && index < static_cast<int>(groups_.size()) ? index : -1;
}

const DimensionFilter& DatabaseSelectionForm::filter(Row row) const {
  switch (row) {
    case Row::Length:
      return working_.filters.length;
    case Row::Width:
      return working_.filters.width;
    case Row::Height:
      return working_.filters.height;
  }
  return working_.filters.length;
}

DimensionFilter& DatabaseSelectionForm::mutableFilter(Row row) {
  return const_cast<DimensionFilter&>(filter(row));
}

void DatabaseSelectionForm::SetOn(Row row, bool on) {
  mutableFilter(row).on = on;
}

void DatabaseSelectionForm::SetLowerText(Row row, std::string_view text, char separator) {
  mutableFilter(row).lower = ParseDouble(text, separator);
}

void DatabaseSelectionForm::SetUpperText(Row row, std::string_view text, char separator) {
  mutableFilter(row).upper = ParseDouble(text, separator);
}

void DatabaseSelectionForm::SetLowerOperator(Row row, int position) {
  mutableFilter(row).lowerOp = position >= kOpLess && position <= kOpEqual ? position : kOpNone;
}

void DatabaseSelectionForm::SetUpperOperator(Row row, int position) {
  mutableFilter(row).upperOp = position >= kOpLess && position <= kOpEqual ? position : kOpNone;
}

std::string DatabaseSelectionForm::ValueText(double value, char separator) const {
  return FormatDouble("%g", value, separator);
}

}  // namespace kvem
