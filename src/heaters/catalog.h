// Heater product catalogues: the names and paths of the product tables, the
// fields the selection reads, the dimension filters, the product-group list
// and the state of the database selection ("Select Current Database").
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messenger.h"

namespace kvem {

// The product groups; the table of group g is "IPC_%05ld" with g.
inline constexpr std::array<long, 11> kProductGroups = {73521, 73522, 73523, 73524, 73525, 73526,
                                                        73527, 73530, 73531, 73548, 73549};

// "IPC_%05ld".
std::string ProductTableName(long group);

// A table name as the heater design accepts it: when the name, upper-cased,
// is the table of one of the product groups, that table's name ("IPC_73521",
// in the case the shipped files have); any other name gives an empty name.
std::string CheckProductTableName(std::string_view name);

// "<directory>/<name>.dbf"; the directory is the PathData setting.
std::filesystem::path ProductTablePath(const std::filesystem::path& directory,
                                       std::string_view name);

// Fields of a product record by position (the first field is 1).
namespace product_field {
inline constexpr int kNumber = 1;
inline constexpr int kType = 3;
inline constexpr int kName = 4;
inline constexpr int kPrice = 6;
inline constexpr int kOutput = 12;  // Q in W at 90/70/20 degC, per element for sectional products
inline constexpr int kLength = 13;  // mm
inline constexpr int kWidth = 14;   // mm
inline constexpr int kHeight = 15;  // mm
inline constexpr int kKind = 17;    // 1 = sectional
inline constexpr int kExponent = 18;
inline constexpr int kLast = 18;  // a product table needs at least this many fields
}  // namespace product_field

// A number of a dBase table: atof semantics with a decimal point, whatever the
// user's locale (leading blanks skipped, reading stops at the first character
// that does not belong; no number gives 0). "nan", "inf" and hexadecimal forms
// are no numbers; values beyond the double range saturate.
double CatalogNumber(std::string_view text);

// CatalogNumber for the texts of one column of a table, remembered by their
// text: a catalogue's columns of sizes, kinds and exponents hold few distinct
// values, so most texts are read once per listing. Texts of up to eight
// bytes are remembered (a number field of a catalogue is rarely longer); a
// longer text is read each time.
class ColumnNumbers {
 public:
  double Read(std::string_view text) {
    const std::size_t n = text.size();
    if (n - 1 >= 8) return CatalogNumber(text);
    // Texts with the same word differ at most by NUL bytes at their end,
    // which end a number and so never change it; an empty slot (word 0)
    // holds the 0 of a text of NUL bytes.
    // Two slots a word, so that two frequent texts that meet in one do not
    // push each other out: the newest is kept in the first.
    const std::uint64_t bytes = Load(text.data(), n);
    Slot* const pair = &slots_[((bytes * 0x9E3779B97F4A7C15u) >> 57) * 2];
    if (pair[0].bytes == bytes) return pair[0].value;
    if (pair[1].bytes == bytes) return pair[1].value;
    pair[1] = pair[0];
    pair[0] = {bytes, CatalogNumber(text)};
    return pair[0].value;
  }

 private:
  // The n bytes at p (1 <= n <= 8) in the low end of a word, the rest 0,
  // read with loads that overlap rather than byte by byte.
  static std::uint64_t Load(const char* p, std::size_t n) {
    std::uint64_t v = 0;
    if (n == 8) {
      std::memcpy(&v, p, 8);
    } else if (n >= 4) {
      std::uint32_t lo;
      std::uint32_t hi;
      std::memcpy(&lo, p, 4);
      std::memcpy(&hi, p + n - 4, 4);
      v = lo | (std::uint64_t{hi} << (8 * (n - 4)));
    } else {
      v = static_cast<unsigned char>(p[0]) |
          (std::uint64_t{static_cast<unsigned char>(p[n / 2])} << (8 * (n / 2))) |
          (std::uint64_t{static_cast<unsigned char>(p[n - 1])} << (8 * (n - 1)));
    }
    return v;
  }
  struct Slot {
    std::uint64_t bytes = 0;
    double value = 0.0;
  };
  std::array<Slot, 256> slots_{};
};

// Operators of the field test.
inline constexpr int kOpLess = 0;
inline constexpr int kOpAtMost = 1;
inline constexpr int kOpEqual = 2;
inline constexpr int kOpAtLeast = 3;
inline constexpr int kOpGreater = 4;
inline constexpr int kOpAny = 5;
inline constexpr int kOpNone = -1;  // no operator chosen: any

// The field test: a field value of 0 or less fails every test; otherwise the
// operator compares field with value (field < value for kOpLess, ...), and
// kOpAny and kOpNone always pass. Any other operator fails.
inline bool FieldTest(int op, double field, double value) {
  if (!(field > 0.0)) return false;
  switch (op) {
    case kOpLess:
      return field < value;
    case kOpAtMost:
      return field <= value;
    case kOpEqual:
      return field == value;
    case kOpAtLeast:
      return field >= value;
    case kOpGreater:
      return field > value;
    case kOpAny:
    case kOpNone:
      return true;
    default:
      return false;
  }
}

// One dimension row: when on, a value passes (4 - lower operator, value,
// lower), that is the lower operator read from the value's side, and (upper
// operator, value, upper). The operator lists offer "<", "<=" and "=".
struct DimensionFilter {
  bool on = false;
  double lower = 0.0;
  int lowerOp = kOpNone;
  double upper = 0.0;
  int upperOp = kOpNone;

  bool Passes(double field) const {
    return !on || (FieldTest(4 - lowerOp, field, lower) && FieldTest(upperOp, field, upper));
  }
};

// The three rows; the defaults are those of the first opening: 0 <= length < 3000 mm,
// width and height off.
struct DimensionFilters {
  DimensionFilter length{true, 0.0, kOpAtMost, 3000.0, kOpLess};
  DimensionFilter width;
  DimensionFilter height;
};

// A filter written as "LO OP x OP HI" with OP one of "<", "<=", "="; either
// side may be left out ("x < 3000", "0 <= x"); "x" alone is on with no bounds;
// "off" is off. Numbers with a decimal point. False, with the reason, for any
// other text.
bool ParseFilterExpression(std::string_view text, DimensionFilter* filter, std::string* why);

// --- The product-group list -----------------------------------------------------

inline constexpr std::string_view kGroupListFile = "Tp_pud13.En.txt";

// "<PathMain>/Tp_pud/Tp_pud13.En.txt".
std::filesystem::path GroupListPath(const std::filesystem::path& pathMain);

// One entry per line ended by "\n" (a "\r" before it removed), in file order,
// as UTF-8; a last line without "\n" is not listed. Read in blocks of 2048
// bytes; a line is kept to 4095 bytes. A file that cannot be opened is reported
// ("\nCann't open file\n'%s' !", "Kvem - error:", stop icon) and gives false.
bool ReadGroupList(const std::filesystem::path& file, std::vector<std::string>* entries,
                   Messenger& messenger);

// --- "Select Current Database" --------------------------------------------------

// What the database selection keeps from one use to the next for the whole
// run: the chosen group (its position in the group list; -1 for none) and
// the dimension filters.
struct DatabaseSelection {
  int groupIndex = -1;
  DimensionFilters filters;
};

// The dialog's working state over a DatabaseSelection: OK takes the check
// boxes, values, operator positions and group position over, cancel nothing.
class DatabaseSelectionForm {
 public:
  enum class Row { Length = 0, Width = 1, Height = 2 };

  explicit DatabaseSelectionForm(const DatabaseSelection& selection);

  // Reads the group list from the installation tree; false (with the message
  // shown) when the file cannot be opened: the dialog does not initialise.
  bool Initialise(const std::filesystem::path& pathMain, Messenger& messenger);

  const std::vector<std::string>& groups() const { return groups_; }
  int groupIndex() const { return working_.groupIndex; }
  void ChooseGroup(int index);

  const DimensionFilter& filter(Row row) const;
  // Switching a row off disables its two values and two operator lists.
  void SetOn(Row row, bool on);
  bool ValuesEnabled(Row row) const { return filter(row).on; }
  // A value is converted whenever its text changes, with the user's separator.
  void SetLowerText(Row row, std::string_view text, char separator);
  void SetUpperText(Row row, std::string_view text, char separator);
  // Operator list positions: 0 "<", 1 "<=", 2 "=", -1 nothing chosen.
  void SetLowerOperator(Row row, int position);
  void SetUpperOperator(Row row, int position);
  // The value as the field shows it ("%g" with the user's separator).
  std::string ValueText(double value, char separator) const;

  DatabaseSelection Accept() const { return working_; }

 private:
  DimensionFilter& mutableFilter(Row row);

  DatabaseSelection working_;
  std::vector<std::string> groups_;
};

inline constexpr std::array<std::string_view, 3> kFilterRowCaptions = {" Length ", " Width [mm] ",
                                                                       " Height [mm]"};
inline constexpr std::array<std::string_view, 3> kFilterOperatorTexts = {"<", "<=", "="};

}  // namespace kvem
