#include "tables/dbf.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <system_error>

#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "tables/text_lines.h"

namespace kvem {

namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kDescriptorSize = 32;
// Largest header the checks let through: 48 descriptors and up to 31 bytes
// of terminator and padding.
constexpr std::size_t kHeaderPrefix =
    kHeaderSize + kDescriptorSize * kDbfMaxFields + kDescriptorSize;
constexpr std::size_t kReadChunk = 1 << 20;
constexpr std::size_t kScanBlocks = DbfReader::kScanBlocks;
constexpr const char* kNoticeCaption = "Kvem - notice";

std::uint32_t Le32(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}
std::uint16_t Le16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
void PutLe32(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutLe16(char* p, std::uint16_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>(v >> 8);
}

void ShowError(Messenger& messenger, const std::string& text) {
  messenger.Show(text, kTableErrorCaption, Icon::Stop);
}

struct HeaderInfo {
  std::vector<DbfField> fields;
  std::uint32_t recordCount = 0;
  int headerLength = 0;
  int recordLength = 0;
};

// Checks the header at the start of a file, in the order the layer always
// made them, then the consistency checks that keep a damaged file from being
// read past its records. `prefix` is the file's first bytes (at least
// kHeaderPrefix of them when the file is that long).
bool ParseHeader(std::string_view prefix, const std::filesystem::path& file, HeaderInfo& info,
                 Messenger& messenger) {
  const auto* p = reinterpret_cast<const unsigned char*>(prefix.data());
  const std::string name = file.string();
  const std::string readingError = "DBF_UTIL: Error of file reading - " + name + " !";
  if (prefix.size() < kHeaderSize) {
    ShowError(messenger, readingError);
    return false;
  }
  if (p[0] != 3) {
    ShowError(messenger, "DBF_UTIL: Error of file - 2 !");
    return false;
  }
  const int recordLength = Le16(p + 10);
  if (recordLength >= kDbfRecordLengthLimit) {
    ShowError(messenger, "DBF_UTIL: Error of file - 3!");
    return false;
  }
  const int headerLength = Le16(p + 8);
  const int fieldCount = (headerLength - 32) / 32;
  if (fieldCount > kDbfMaxFields) {
    ShowError(messenger, "DBF_UTIL: Error of file - 4 !");
    return false;
  }
  const std::string headerMismatch =
      "DBF_UTIL: The header length of\n'" + name + "'\ndoes not match its field descriptors !";
  // No field, or no room for the terminator after the descriptors.
  if (fieldCount < 1 || (headerLength - 32) % 32 == 0) {
    ShowError(messenger, headerMismatch);
    return false;
  }
  info.fields.clear();
  int offset = 0;
  for (int k = 0; k < fieldCount; ++k) {
    const std::size_t at = kHeaderSize + kDescriptorSize * static_cast<std::size_t>(k);
    if (prefix.size() < at + kDescriptorSize) {
      ShowError(messenger, readingError);
      return false;
    }
    const unsigned char* d = p + at;
    if (d[0] == 0x0D) {  // the terminator where a descriptor should be
      ShowError(messenger, headerMismatch);
      return false;
    }
    const int length = d[16];
    if (length > kDbfMaxFieldLength) {
      ShowError(messenger, "DBF_UTIL: Error of file - 1 !");
      return false;
    }
    DbfField field;
    const auto* nameBytes = reinterpret_cast<const char*>(d);
    field.name = Cp1250ToUtf8(std::string_view(nameBytes, strnlen(nameBytes, 11)));
    field.type = static_cast<char>(d[11]);
    field.length = length;
    field.decimals = d[17];
    field.offset = offset;
    offset += length;
    info.fields.push_back(std::move(field));
  }
  if (recordLength < 1 + offset) {
    ShowError(messenger,
              "DBF_UTIL: The record length of\n'" + name + "'\nis shorter than its fields !");
    return false;
  }
  info.recordCount = Le32(p + 4);
  info.headerLength = headerLength;
  info.recordLength = recordLength;
  return true;
}

std::string TruncatedText(const std::filesystem::path& file, std::size_t read,
                          std::uint32_t announced) {
  return "The table\n'" + file.string() + "'\nends after " + std::to_string(read) + " of its " +
         std::to_string(announced) + " records; the records after them are missing.";
}

// The number a numeric field's text stands for: a decimal point or a decimal
// comma, whichever the text uses; not a number reads as 0.
ParsedNumber ReadNumber(std::string_view text) {
  ParsedNumber n = ParseDecimal(text, '.');
  if (n.stoppedAtOtherSeparator) n = ParseDecimal(text, ',');
  return n;
}

// "%N.Df" of the number, in the C locale (always a decimal point).
std::string FormatNumber(double value, int length, int decimals) {
  char buffer[512];
  const int n = std::snprintf(buffer, sizeof buffer, "%*.*f", length, decimals, value);
  if (n < 0) return {};
  if (static_cast<std::size_t>(n) < sizeof buffer)
    return std::string(buffer, static_cast<std::size_t>(n));
  std::string big(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), "%*.*f", length, decimals, value);
  big.pop_back();
  return big;
}

bool IsValidDate(std::string_view t) {
  if (t.size() != 8 ||
      !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  const int year = std::stoi(std::string(t.substr(0, 4)));
  const int month = std::stoi(std::string(t.substr(4, 2)));
  const int day = std::stoi(std::string(t.substr(6, 2)));
  if (month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (day > kDays[month - 1]) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return !(month == 2 && day == 29 && !leap);
}

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

// UTF-8 of the Windows-1250 bytes 0x80 .. 0xFF, taken once from the platform's
// conversion: up to three bytes from the low end, their count in the top byte.
const DbfReader::HighBytes& HighByteUtf8() {
  static const DbfReader::HighBytes table = [] {
    DbfReader::HighBytes t{};
    for (int b = 0x80; b <= 0xFF; ++b) {
      const std::string u = Cp1250ToUtf8(std::string(1, static_cast<char>(b)));
      std::uint32_t packed = static_cast<std::uint32_t>(std::min<std::size_t>(u.size(), 3)) << 24;
      for (std::size_t i = 0; i < u.size() && i < 3; ++i)
        packed |= std::uint32_t{static_cast<unsigned char>(u[i])} << (8 * i);
      t[static_cast<std::size_t>(b - 0x80)] = packed;
    }
    return t;
  }();
  return table;
}

// The fields (bit k - 1 for field k) whose bytes hold a NUL or a byte of
// 0x80 .. 0xFF, among the n field bytes at p; `fieldAt` gives the field index
// of each byte. Sixteen bytes at a time: one pass that only accumulates, since
// almost every catalogue record is plain ASCII, and a second that locates the
// marked bytes only when the first found any.
std::uint64_t SpecialFields(const char* p, std::size_t n, const std::uint8_t* fieldAt) {
#if defined(__SSE2__)
  if (n >= 16) {
    const __m128i zero = _mm_setzero_si128();
    const auto marks = [zero](__m128i v) { return _mm_or_si128(v, _mm_cmpeq_epi8(v, zero)); };
    __m128i acc = zero;
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
      acc = _mm_or_si128(acc, marks(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i))));
    }
    // The last sixteen bytes, overlapping those already seen.
    acc = _mm_or_si128(acc, marks(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 16))));
    if (_mm_movemask_epi8(acc) == 0) return 0;
    std::uint64_t fields = 0;
    const auto locate = [&](std::size_t at) {
      unsigned m = static_cast<unsigned>(
          _mm_movemask_epi8(marks(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at)))));
      while (m != 0) {
        fields |= std::uint64_t{1} << fieldAt[at + static_cast<std::size_t>(__builtin_ctz(m))];
        m &= m - 1;
      }
    };
    for (i = 0; i + 16 <= n; i += 16) locate(i);
    locate(n - 16);
    return fields;
  }
#endif
  std::uint64_t fields = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(p[i]);
    if (c == 0 || c >= 0x80) fields |= std::uint64_t{1} << fieldAt[i];
  }
  return fields;
}

#if defined(__x86_64__)
// The same with 32 bytes at a time, on processors that have AVX2.
__attribute__((target("avx2"))) std::uint64_t SpecialFieldsAvx2(const char* p, std::size_t n,
                                                                const std::uint8_t* fieldAt) {
  if (n < 32) return SpecialFields(p, n, fieldAt);
  const __m256i zero = _mm256_setzero_si256();
  __m256i acc = zero;
  for (std::size_t i = 0; i + 32 <= n; i += 32) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
    acc = _mm256_or_si256(acc, _mm256_or_si256(v, _mm256_cmpeq_epi8(v, zero)));
  }
  const __m256i last = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + n - 32));
  acc = _mm256_or_si256(acc, _mm256_or_si256(last, _mm256_cmpeq_epi8(last, zero)));
  if (_mm256_movemask_epi8(acc) == 0) return 0;
  std::uint64_t fields = 0;
  for (std::size_t at = 0;; at += 32) {
    if (at + 32 > n) at = n - 32;
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + at));
    auto m =
        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_or_si256(v, _mm256_cmpeq_epi8(v, zero))));
    while (m != 0) {
      fields |= std::uint64_t{1} << fieldAt[at + static_cast<std::size_t>(__builtin_ctz(m))];
      m &= m - 1;
    }
    if (at + 32 >= n) break;
  }
  return fields;
}
#endif

// Length of the n bytes at data without their trailing blanks and line
// feeds; a padded text is searched eight bytes at a time.
std::size_t TrimmedLength(const char* data, std::size_t n) {
  static_assert(std::endian::native == std::endian::little, "bytes are counted from the low end");
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
  constexpr std::uint64_t kBlanks = 0x2020202020202020u;
  constexpr std::uint64_t kFeeds = 0x0A0A0A0A0A0A0A0Au;
  while (n >= 8) {
    std::uint64_t w;
    std::memcpy(&w, data + n - 8, 8);
    // The high bit of each byte of x (or y) is set when the byte differs
    // from a blank (or a line feed); no carry crosses a byte.
    const std::uint64_t x = w ^ kBlanks;
    const std::uint64_t y = w ^ kFeeds;
    const std::uint64_t keep = (((x & kLow7) + kLow7) | x) & (((y & kLow7) + kLow7) | y) & ~kLow7;
    if (keep != 0) return n - 8 + static_cast<std::size_t>(63 - __builtin_clzll(keep)) / 8 + 1;
    n -= 8;
  }
  while (n > 0 && (data[n - 1] == ' ' || data[n - 1] == '\n')) --n;
  return n;
}

using ScanPlan = DbfReader::ScanPlan;
using RecordMarks = DbfReader::RecordMarks;
using FieldScan = std::uint64_t (*)(const char*, std::size_t, const std::uint8_t*);

// A record's scan field by field: the special fields with the given search,
// the last byte of each field looked at one by one.
template <FieldScan kSpecial>
RecordMarks ScanEachField(const char* record, const ScanPlan& plan) {
  RecordMarks marks{kSpecial(record + 1, plan.fieldBytes, plan.fieldAt.data()), 0};
  const std::size_t fields = plan.lengths.size();
  for (std::size_t i = 0; i < fields; ++i) {
    const char* at = record + plan.offsets[i];
    const std::uint32_t n = plan.lengths[i];
    if (n > 0 && (at[n - 1] == ' ' || at[n - 1] == '\n')) marks.blankEnd |= std::uint64_t{1} << i;
  }
  return marks;
}

#if defined(__x86_64__)
#define KVEM_AVX512 __attribute__((target("avx512f,avx512bw,bmi,bmi2,lzcnt")))

// Marks the blanks and line feeds of one block of 64 field bytes: the bytes
// that are neither are kept, and the fields whose last byte is one of them
// are added to `ends`.
KVEM_AVX512 inline void MarkBlock(__m512i v, std::size_t block, const ScanPlan& plan,
                                  std::uint64_t* kept, std::uint64_t& ends) {
  const std::uint64_t cut = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(' ')) |
                            _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\n'));
  kept[block] = ~cut;
  ends |= _pext_u64(cut, plan.lastBits[block]) << plan.endedBefore[block];
}

// The whole record at once, 64 bytes at a time. Every byte is compared with
// the blank and the line feed; those comparisons at the fields' last bytes
// are gathered into one bit a field, and where a field ends in them the
// highest byte that is neither gives its length. The least byte (as a signed
// number) tells whether any is a NUL or beyond ASCII. Bytes past the fields
// are never loaded: the last block's load is masked.
KVEM_AVX512 inline RecordMarks ScanRecordAvx512(const char* record, const ScanPlan& plan,
                                                std::uint64_t* kept) {
  const char* p = record + 1;
  __m512i least = _mm512_set1_epi8(0x7F);
  std::uint64_t ends = 0;  // one bit a non-empty field, in field order
  std::size_t block = 0;
  for (; block < plan.fullBlocks; ++block) {
    const __m512i v = _mm512_loadu_si512(p + 64 * block);
    least = _mm512_min_epi8(least, v);
    MarkBlock(v, block, plan, kept, ends);
  }
  if (plan.tailMask != 0) {
    const __m512i v = _mm512_maskz_loadu_epi8(plan.tailMask, p + 64 * block);
    least = _mm512_mask_min_epi8(least, plan.tailMask, least, v);
    MarkBlock(v, block, plan, kept, ends);
  }
  std::uint64_t special = 0;
  if (_mm512_cmplt_epi8_mask(least, _mm512_set1_epi8(1)) != 0) [[unlikely]] {
    const std::uint8_t* fieldAt = plan.fieldAt.data();
    for (std::size_t at = 0; at < plan.fieldBytes; at += 64) {
      const __mmask64 in = plan.fieldBytes - at >= 64 ? ~__mmask64{0} : plan.tailMask;
      const __m512i v = _mm512_maskz_loadu_epi8(in, p + at);
      for (std::uint64_t m = _mm512_mask_cmplt_epi8_mask(in, v, _mm512_set1_epi8(1)); m != 0;
           m &= m - 1) {
        special |= std::uint64_t{1} << fieldAt[at + static_cast<std::size_t>(__builtin_ctzll(m))];
      }
    }
  }
  return {special, _pdep_u64(ends, plan.nonEmpty)};
}
#endif

void SetWhy(std::string* why, std::string text) {
  if (why) *why = std::move(text);
}

}  // namespace

// The layer's own access to a table's layout as read from a file.
struct DbfTableAccess {
  static void SetLayout(DbfTable& table, HeaderInfo& info) {
    table = DbfTable();
    table.fields_ = std::move(info.fields);
    table.recordLength_ = info.recordLength;
    table.headerLength_ = info.headerLength;
  }
  static int HeaderLength(const DbfTable& table) { return table.headerLength_; }
  static std::vector<DbfRecord>& Records(DbfTable& table) { return table.records_; }
};

// ---------------------------------------------------------------------------
// Field checks

bool FieldAccepts(const DbfField& field, std::string_view text, std::string* why) {
  if (field.type == 'C') {
    std::size_t unmappable = 0;
    Utf8ToCp1250(text, &unmappable);
    if (unmappable > 0) {
      SetWhy(why, "it holds characters that Windows-1250 cannot store");
      return false;
    }
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
      SetWhy(why, "it holds a line end or another control character");
      return false;
    }
    const std::size_t length = Utf8Length(text);
    if (length > static_cast<std::size_t>(field.length)) {
      SetWhy(why, "it has " + std::to_string(length) + " characters; the field holds " +
                      std::to_string(field.length));
      return false;
    }
    return true;
  }
  const std::string_view t = TrimBlanks(text);
  if (t.empty()) return true;
  if (field.type == 'D') {
    if (IsValidDate(t) && t.size() <= static_cast<std::size_t>(field.length)) return true;
    SetWhy(why, "a date is written as 8 digits, year, month and day (YYYYMMDD)");
    return false;
  }
  if (field.type == 'L') {
    if (t.size() == 1 && std::string_view("TtFfYyNn?").find(t[0]) != std::string_view::npos) {
      return true;
    }
    SetWhy(why, "a logical value is one of T, F, Y, N or ?");
    return false;
  }
  const ParsedNumber n = ReadNumber(t);
  if (n.consumed != t.size()) {
    SetWhy(why, "it is not a number");
    return false;
  }
  const std::string formatted = FormatNumber(n.value, field.length, field.decimals);
  if (formatted.size() > static_cast<std::size_t>(field.length)) {
    SetWhy(why, "the number needs " + std::to_string(formatted.size()) + " characters with " +
                    std::to_string(field.decimals) + " decimals; the field holds " +
                    std::to_string(field.length));
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// The table object

bool DbfTable::Create(std::vector<DbfField> fields, DbfTable& table, std::string* why) {
  if (fields.empty() || fields.size() > static_cast<std::size_t>(kDbfMaxFields)) {
    SetWhy(why, "a table has 1 to " + std::to_string(kDbfMaxFields) + " fields, not " +
                    std::to_string(fields.size()));
    return false;
  }
  int offset = 0;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    DbfField& f = fields[i];
    const std::string label = "field " + std::to_string(i + 1) + " (" + f.name + ")";
    if (f.name.empty() || f.name.size() > static_cast<std::size_t>(kDbfMaxNameLength) ||
        !std::all_of(f.name.begin(), f.name.end(), [](char c) {
          return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                 c == '_';
        })) {
      SetWhy(why, label + ": a name has 1 to 10 letters, digits or underscores");
      return false;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (EqualsIgnoreCase(fields[j].name, f.name)) {
        SetWhy(why, label + ": the name is used twice");
        return false;
      }
    }
    if (std::string_view("CNFDL").find(f.type) == std::string_view::npos || f.type == '\0') {
      SetWhy(why, label + ": the type is one of C, N, F, D, L");
      return false;
    }
    if (f.length < 1 || f.length > kDbfMaxFieldLength) {
      SetWhy(why, label + ": the length is 1 to " + std::to_string(kDbfMaxFieldLength));
      return false;
    }
    if (f.type == 'D' && f.length != 8) {
      SetWhy(why, label + ": a date field has the length 8");
      return false;
    }
    if (f.type == 'L' && f.length != 1) {
      SetWhy(why, label + ": a logical field has the length 1");
      return false;
    }
    const bool numeric = f.type == 'N' || f.type == 'F';
    if (f.decimals < 0 || (!numeric && f.decimals != 0) ||
        (numeric && f.decimals > 0 && f.decimals > f.length - 2)) {
      SetWhy(why, label +
                      ": the decimals do not fit the length (at most length - 2, and 0 for "
                      "C, D and L fields)");
      return false;
    }
    f.offset = offset;
    offset += f.length;
  }
  if (1 + offset >= kDbfRecordLengthLimit) {
    SetWhy(why, "the fields make a record of " + std::to_string(1 + offset) +
                    " bytes; a record is shorter than " + std::to_string(kDbfRecordLengthLimit));
    return false;
  }
  table.fields_ = std::move(fields);
  table.recordLength_ = 1 + offset;
  table.headerLength_ = static_cast<int>(kHeaderSize + kDescriptorSize * table.fields_.size() + 1);
  table.records_.clear();
  return true;
}

int DbfTable::FieldNumber(std::string_view name) const {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (EqualsIgnoreCase(fields_[i].name, name)) return static_cast<int>(i + 1);
  }
  return 0;
}

const std::string& DbfTable::Text(std::size_t record, int k) const {
  static const std::string kEmpty;
  const DbfRecord& r = records_[record];
  if (k < 1 || static_cast<std::size_t>(k) > r.size()) return kEmpty;
  return r[static_cast<std::size_t>(k - 1)];
}

void DbfTable::SetText(std::size_t record, int k, std::string text) {
  if (k < 1) return;
  DbfRecord& r = records_[record];
  if (r.size() < static_cast<std::size_t>(k)) r.resize(static_cast<std::size_t>(k));
  r[static_cast<std::size_t>(k - 1)] = std::move(text);
}

std::size_t DbfTable::AddRecord() {
  records_.emplace_back(fields_.size());
  return records_.size() - 1;
}

std::size_t DbfTable::InsertRecord(std::size_t index) {
  index = std::min(index, records_.size());
  records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(index), DbfRecord(fields_.size()));
  return index;
}

void DbfTable::RemoveRecord(std::size_t index) {
  if (index < records_.size())
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
}

void DbfTable::TakeLayoutFrom(const DbfTable& other) {
  fields_ = other.fields_;
  recordLength_ = other.recordLength_;
  headerLength_ = other.headerLength_;
  records_.clear();
}

// ---------------------------------------------------------------------------
// Streaming reader

// The reader's step from record to record, one for each scan: fetching the
// record and taking over what the scan found are shared; the scan itself is
// built into each step, with the instructions it needs.
struct DbfReaderSteps {
  // The next record in the buffer, read on when needed; null at the end.
  static const char* Fetch(DbfReader& r) {
    if (r.index_ >= r.stop_) return nullptr;
    const std::size_t recLen = static_cast<std::size_t>(r.layout_.recordLength());
    while (r.end_ - r.begin_ < recLen) {
      if (!r.Fill()) {
        r.truncated_ = true;
        return nullptr;
      }
    }
    const char* record = r.buffer_.data() + r.begin_;
    r.begin_ += recLen;
    ++r.index_;
    r.record_ = record;
    return record;
  }
  // Fields that end in blanks or line feeds are cut when asked for; those
  // with a NUL or a letter beyond ASCII are converted now.
  static bool Take(DbfReader& r, const RecordMarks& marks) {
    r.odd_ = marks.blankEnd | marks.special;
    r.special_ = marks.special;
    if (marks.special != 0) [[unlikely]]
      r.Convert(marks.special);
    return true;
  }

  template <FieldScan kSpecial>
  static bool EachField(DbfReader& r) {
    const char* record = Fetch(r);
    return record != nullptr && Take(r, ScanEachField<kSpecial>(record, r.plan_));
  }
#if defined(__x86_64__)
  KVEM_AVX512 static bool Whole(DbfReader& r) {
    const char* record = Fetch(r);
    return record != nullptr && Take(r, ScanRecordAvx512(record, r.plan_, r.kept_.data()));
  }
#endif
};

DbfReader::DbfReader()
    : file_(nullptr, &std::fclose),
      step_(&DbfReaderSteps::EachField<&SpecialFields>),
      highBytes_(HighByteUtf8()) {}
DbfReader::~DbfReader() = default;

bool DbfReader::Open(const std::filesystem::path& file, Messenger& messenger) {
  path_ = file;
  index_ = 0;
  truncated_ = false;
  begin_ = end_ = 0;
  record_ = nullptr;
  file_.reset(std::fopen(file.c_str(), "rb"));
  if (!file_) {
    ShowError(messenger, CannotOpenFileText(file));
    return false;
  }
  // Chunks are read straight into the buffer, in one call each: the stream
  // keeps no buffer of its own.
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);
  std::string prefix(kHeaderPrefix, '\0');
  prefix.resize(std::fread(prefix.data(), 1, prefix.size(), file_.get()));
  HeaderInfo info;
  if (!ParseHeader(prefix, file, info, messenger)) {
    ShowError(messenger, kTableErrorsFoundText);
    file_.reset();
    return false;
  }
  DbfTableAccess::SetLayout(layout_, info);
  announced_ = info.recordCount;
  stop_ = announced_;

  // The buffer holds whole records, as many as fit a chunk, but never more
  // than the file has bytes after its header.
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  const std::uintmax_t dataBytes =
      ec || size < static_cast<std::uintmax_t>(info.headerLength) ? 0 : size - info.headerLength;
  const std::size_t recLen = static_cast<std::size_t>(info.recordLength);
  const std::size_t perChunk = std::max<std::size_t>(1, kReadChunk / recLen);
  const std::uintmax_t inFile = dataBytes / recLen + 1;
  buffer_.assign(recLen * static_cast<std::size_t>(std::min<std::uintmax_t>(perChunk, inFile)),
                 '\0');
  if (std::fseek(file_.get(), info.headerLength, SEEK_SET) != 0) {
    ShowError(messenger, CannotOpenFileText(file));
    file_.reset();
    return false;
  }
  BuildScanPlan();
  return true;
}

void DbfReader::BuildScanPlan() {
  const std::size_t fields = layout_.fields_.size();
  ScanPlan& plan = plan_;
  plan = ScanPlan();
  plan.offsets.assign((fields + 7) / 8 * 8, 0);
  for (std::size_t i = 0; i < fields; ++i) {
    const DbfField& f = layout_.fields_[i];
    const auto length = static_cast<std::size_t>(f.length);
    plan.offsets[i] = f.offset + 1;
    plan.lengths.push_back(static_cast<std::uint32_t>(length));
    plan.fieldAt.insert(plan.fieldAt.end(), length, static_cast<std::uint8_t>(i));
    if (length > 0) plan.nonEmpty |= std::uint64_t{1} << i;
  }
  plan.fieldBytes = plan.fieldAt.size();
  const std::size_t blocks = (plan.fieldBytes + 63) / 64;
  plan.lastBits.assign(blocks, 0);
  plan.endedBefore.assign(blocks, 0);
  int ended = 0;
  std::size_t block = 0;
  for (std::size_t i = 0; i < fields; ++i) {
    if (plan.lengths[i] == 0) continue;
    const std::size_t last = static_cast<std::size_t>(plan.offsets[i]) - 1 + plan.lengths[i] - 1;
    while (block < last / 64) plan.endedBefore[++block] = static_cast<std::uint8_t>(ended);
    plan.lastBits[block] |= std::uint64_t{1} << (last % 64);
    ++ended;
  }
  while (block + 1 < blocks) plan.endedBefore[++block] = static_cast<std::uint8_t>(ended);
  // Where each field's length is found from the bytes kept in its last block.
  for (std::size_t i = 0; i < fields; ++i) {
    const std::size_t first = static_cast<std::size_t>(plan.offsets[i]) - 1;
    const std::size_t length = plan.lengths[i];
    ScanPlan::FieldEnd end;
    if (length > 0) {
      const std::size_t last = first + length - 1;
      end.word = static_cast<std::uint32_t>(last / 64);
      const std::size_t from = std::max(first, last / 64 * 64);
      end.bits = (~std::uint64_t{0} >> (63 - last % 64)) & (~std::uint64_t{0} << (from % 64));
      end.base = static_cast<std::uint32_t>(last / 64 * 64 + 64 - first);
    }
    plan.ends.push_back(end);
  }
  // The header's checks keep a record below kDbfRecordLengthLimit bytes, so
  // its blocks fit kept_; the field-by-field scan has no such bound.
  step_ = &DbfReaderSteps::EachField<&SpecialFields>;
  keptBits_ = false;
#if defined(__x86_64__)
  if (!fieldByField_ && blocks <= kScanBlocks && __builtin_cpu_supports("avx512bw") &&
      __builtin_cpu_supports("bmi2")) {
    step_ = &DbfReaderSteps::Whole;
    keptBits_ = true;
  } else if (__builtin_cpu_supports("avx2")) {
    step_ = &DbfReaderSteps::EachField<&SpecialFieldsAvx2>;
  }
#endif
  // Until the first record every field is asked for the long way, which
  // gives empty texts.
  odd_ = ~std::uint64_t{0};
  special_ = 0;
  plan.fullBlocks = plan.fieldBytes / 64;
  const std::size_t tail = plan.fieldBytes % 64;
  plan.tailMask = tail == 0 ? 0 : (std::uint64_t{1} << tail) - 1;

  convertedSizes_.assign(fields, 0);
  // No Windows-1250 character takes more than three bytes of UTF-8; eight
  // more for the bytes copied past the end of a run (four after a letter).
  converted_.clear();
  for (const std::uint32_t length : plan.lengths) converted_.emplace_back(3 * length + 8, '\0');
}

bool DbfReader::Restrict(std::size_t first, std::size_t last) {
  if (!file_) return false;
  last = std::min<std::size_t>(last, announced_);
  first = std::min(first, last);
  if (first == index_ && record_ != nullptr) {
    // Straight on from the record read last: the buffer holds what follows.
    stop_ = last;
    return true;
  }
  const auto at =
      static_cast<std::uintmax_t>(layout_.headerLength_) +
      static_cast<std::uintmax_t>(first) * static_cast<std::uintmax_t>(layout_.recordLength_);
  if (at > static_cast<std::uintmax_t>(std::numeric_limits<long>::max()) ||
      std::fseek(file_.get(), static_cast<long>(at), SEEK_SET) != 0) {
    return false;
  }
  stop_ = last;
  index_ = first;
  begin_ = end_ = 0;
  record_ = nullptr;
  odd_ = ~std::uint64_t{0};
  special_ = 0;
  return true;
}

bool DbfReader::Fill() {
  if (!file_) return false;
  const std::size_t left = end_ - begin_;
  if (left > 0 && begin_ > 0) std::memmove(buffer_.data(), buffer_.data() + begin_, left);
  begin_ = 0;
  end_ = left;
  // The file stays open at its end: a reader limited to another range of
  // records may still position it.
  const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_.get());
  end_ += got;
  return got > 0;
}

void DbfReader::Convert(std::uint64_t special) {
  const std::uint32_t* lengths = plan_.lengths.data();
  const HighBytes& utf8 = highBytes_;
  for (std::uint64_t rest = special; rest != 0; rest &= rest - 1) {
    const auto k = static_cast<std::size_t>(__builtin_ctzll(rest));
    const char* data = record_ + plan_.offsets[k];
    // A text ends at a NUL; letters beyond ASCII are converted, into a
    // buffer kept for the field (sized when the table was opened).
    const std::size_t length = lengths[k];
    char* const out = converted_[k].data();
    char* to = out;
    std::size_t i = 0;
    // Eight bytes at a time: a run of plain ASCII is copied whole, up to the
    // first NUL or letter beyond ASCII in it (the buffer has room for the
    // eight bytes copied past the run).
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    bool ended = false;
    while (!ended && i + 8 <= length) {
      std::uint64_t w;
      std::memcpy(&w, data + i, 8);
      std::memcpy(to, &w, 8);
      // The high bit of each byte that is beyond ASCII or (up to the first
      // such) NUL.
      const std::uint64_t marks = (w | ((w - kOnes) & ~w)) & kHighs;
      if (marks == 0) {
        to += 8;
        i += 8;
        continue;
      }
      const auto run = static_cast<std::size_t>(__builtin_ctzll(marks)) / 8;
      to += run;
      i += run;
      const unsigned char c = static_cast<unsigned char>(data[i]);
      if (c == 0) {
        ended = true;
      } else {
        // Four bytes copied, as many kept as the letter takes.
        const std::uint32_t u = utf8[c - 0x80];
        std::memcpy(to, &u, 4);
        to += u >> 24;
        ++i;
      }
    }
    for (; !ended && i < length; ++i) {
      const unsigned char c = static_cast<unsigned char>(data[i]);
      if (c < 0x80) {
        if (c == 0) break;
        *to++ = static_cast<char>(c);
      } else {
        const std::uint32_t u = utf8[c - 0x80];
        std::memcpy(to, &u, 4);
        to += u >> 24;
      }
    }
    while (to > out && (to[-1] == ' ' || to[-1] == '\n')) --to;
    convertedSizes_[k] = static_cast<std::size_t>(to - out);
  }
}

std::string_view DbfReader::OddText(std::size_t i) const {
  if (record_ == nullptr) return {};
  if ((special_ >> i) & 1) return std::string_view(converted_[i].data(), convertedSizes_[i]);
  const char* data = record_ + plan_.offsets[i];
  if (!keptBits_) return std::string_view(data, TrimmedLength(data, plan_.lengths[i]));
  // The highest kept byte of the field, from its last block back.
  const ScanPlan::FieldEnd& end = plan_.ends[i];
  std::size_t word = end.word;
  std::uint64_t bits = kept_[word] & end.bits;
  std::size_t size = 0;
  if (bits != 0) {
    size = end.base - static_cast<std::size_t>(__builtin_clzll(bits));
  } else {
    const std::size_t first = static_cast<std::size_t>(plan_.offsets[i]) - 1;
    while (word * 64 > first) {
      --word;
      bits = kept_[word];
      if (word * 64 < first) bits &= ~std::uint64_t{0} << (first % 64);
      if (bits != 0) {
        size = word * 64 + 64 - static_cast<std::size_t>(__builtin_clzll(bits)) - first;
        break;
      }
    }
  }
  return std::string_view(data, size);
}

RecordBlocks::RecordBlocks(std::size_t records, std::size_t blockRecords)
    : ends_(0),
      records_(records),
      blockRecords_(std::max<std::size_t>(1, blockRecords)),
      blocks_(std::min<std::size_t>((records + blockRecords_ - 1) / blockRecords_, 0xFFFFFFFFu)) {
  if (blocks_ == 0xFFFFFFFFu) blockRecords_ = (records + blocks_ - 1) / blocks_;
}

bool RecordBlocks::TakeFront(std::size_t& first, std::size_t& last) {
  std::uint64_t ends = ends_.load(std::memory_order_relaxed);
  std::size_t front;
  do {
    front = static_cast<std::size_t>(ends & 0xFFFFFFFFu);
    if (front + static_cast<std::size_t>(ends >> 32) >= blocks_) return false;
  } while (!ends_.compare_exchange_weak(ends, ends + 1, std::memory_order_relaxed));
  first = front * blockRecords_;
  last = std::min(records_, first + blockRecords_);
  return true;
}

bool RecordBlocks::TakeBack(std::size_t& first, std::size_t& last) {
  std::uint64_t ends = ends_.load(std::memory_order_relaxed);
  std::size_t back;
  do {
    back = static_cast<std::size_t>(ends >> 32);
    if (static_cast<std::size_t>(ends & 0xFFFFFFFFu) + back >= blocks_) return false;
  } while (!ends_.compare_exchange_weak(ends, ends + (std::uint64_t{1} << 32),
                                        std::memory_order_relaxed));
  const std::size_t block = blocks_ - 1 - back;
  first = block * blockRecords_;
  last = std::min(records_, first + blockRecords_);
  return true;
}

// ---------------------------------------------------------------------------
// Whole tables

bool ReadDbfLayout(const std::filesystem::path& file, DbfTable& table, Messenger& messenger) {
  table = DbfTable();
  DbfReader reader;
  if (!reader.Open(file, messenger)) return false;
  table.TakeLayoutFrom(reader.layout());
  return true;
}

bool ReadDbfTable(const std::filesystem::path& file, DbfTable& table, Messenger& messenger) {
  table = DbfTable();
  DbfReader reader;
  if (!reader.Open(file, messenger)) return false;
  DbfTable result;
  result.TakeLayoutFrom(reader.layout());
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  const std::uintmax_t header = static_cast<std::uintmax_t>(DbfTableAccess::HeaderLength(result));
  const std::uintmax_t inFile = ec || size < header ? 0 : (size - header) / result.recordLength();
  DbfTableAccess::Records(result).reserve(
      static_cast<std::size_t>(std::min<std::uintmax_t>(inFile, reader.announcedRecords())));
  const int n = result.fieldCount();
  while (reader.Next()) {
    DbfRecord record(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k) record[static_cast<std::size_t>(k - 1)] = reader.Text(k);
    DbfTableAccess::Records(result).push_back(std::move(record));
  }
  if (reader.truncated()) {
    messenger.Show(
        TruncatedText(file, DbfTableAccess::Records(result).size(), reader.announcedRecords()),
        kNoticeCaption, Icon::Warning);
  }
  table = std::move(result);
  return true;
}

bool FormatDbfRecord(const DbfTable& table, const DbfRecord& record, std::string& out,
                     std::string* why, std::size_t* unmappable) {
  out.assign(static_cast<std::size_t>(table.recordLength()), ' ');
  for (int k = 1; k <= table.fieldCount(); ++k) {
    const DbfField& f = table.field(k);
    const std::size_t index = static_cast<std::size_t>(k - 1);
    const std::string_view text =
        index < record.size() ? std::string_view(record[index]) : std::string_view();
    char* target = out.data() + 1 + f.offset;
    const std::size_t length = static_cast<std::size_t>(f.length);
    if (f.IsWrittenAsText()) {
      std::size_t bad = 0;
      const std::string bytes = Utf8ToCp1250(text, &bad);
      if (unmappable) *unmappable += bad;
      std::memcpy(target, bytes.data(), std::min(length, bytes.size()));
      continue;
    }
    const std::string number = FormatNumber(ReadNumber(text).value, f.length, f.decimals);
    if (number.size() > length) {
      SetWhy(why, "The value " + std::string(TrimBlanks(text)) + " does not fit the field " +
                      f.name + " (" + std::to_string(f.length) + " characters, " +
                      std::to_string(f.decimals) + " decimals).");
      return false;
    }
    std::memcpy(target, number.data(), number.size());
  }
  return true;
}

bool FormatDbfFile(const DbfTable& table, std::string& out, std::string* why,
                   std::size_t* unmappable) {
  if (table.recordCount() > 0xFFFFFFFFu) {
    SetWhy(why, "A table holds at most 4294967295 records.");
    return false;
  }
  const std::size_t n = static_cast<std::size_t>(table.fieldCount());
  const std::size_t headerLength = kHeaderSize + kDescriptorSize * n + 1;
  const std::size_t recLen = static_cast<std::size_t>(table.recordLength());
  out.assign(headerLength, '\0');
  out.reserve(headerLength + recLen * table.recordCount());
  out[0] = 3;
  PutLe32(out.data() + 4, static_cast<std::uint32_t>(table.recordCount()));
  PutLe16(out.data() + 8, static_cast<std::uint16_t>(headerLength));
  PutLe16(out.data() + 10, static_cast<std::uint16_t>(recLen));
  for (std::size_t i = 0; i < n; ++i) {
    const DbfField& f = table.fields()[i];
    char* d = out.data() + kHeaderSize + kDescriptorSize * i;
    const std::string name = Utf8ToCp1250(f.name);
    std::memcpy(d, name.data(), std::min<std::size_t>(11, name.size()));
    d[11] = f.type;
    d[16] = static_cast<char>(f.length);
    d[17] = static_cast<char>(f.decimals);
  }
  out[headerLength - 1] = 0x0D;
  std::string record;
  for (const DbfRecord& r : table.records()) {
    if (!FormatDbfRecord(table, r, record, why, unmappable)) return false;
    out += record;
  }
  return true;
}

namespace {

bool WriteTableBytes(const std::filesystem::path& file, const std::string& bytes,
                     std::size_t unmappable, Messenger& messenger) {
  if (unmappable > 0) {
    messenger.Show(std::to_string(unmappable) +
                       " character(s) that Windows-1250 cannot hold are written as \"?\" into\n'" +
                       file.string() + "'.",
                   kNoticeCaption, Icon::Warning);
  }
  std::string error;
  if (!WriteFileAtomically(file, bytes, &error)) {
    ShowError(messenger, CannotOpenFileText(file) + "\n" + error);
    return false;
  }
  return true;
}

}  // namespace

bool WriteDbfTable(const std::filesystem::path& file, const DbfTable& table, Messenger& messenger) {
  std::string bytes;
  std::string why;
  std::size_t unmappable = 0;
  if (!FormatDbfFile(table, bytes, &why, &unmappable)) {
    ShowError(messenger, "Nothing is written into\n'" + file.string() + "':\n" + why);
    return false;
  }
  return WriteTableBytes(file, bytes, unmappable, messenger);
}

bool AppendDbfRecord(const std::filesystem::path& file, const DbfRecord& record,
                     Messenger& messenger) {
  std::string bytes;
  if (!ReadWholeFile(file, bytes)) {
    ShowError(messenger, CannotOpenFileText(file));
    return false;
  }
  HeaderInfo info;
  if (!ParseHeader(std::string_view(bytes).substr(0, kHeaderPrefix), file, info, messenger)) {
    ShowError(messenger, kTableErrorsFoundText);
    return false;
  }
  const std::size_t headerLength = static_cast<std::size_t>(info.headerLength);
  const std::size_t recLen = static_cast<std::size_t>(info.recordLength);
  const std::uint32_t announced = info.recordCount;
  const std::size_t fieldCount = info.fields.size();
  DbfTable layout;
  DbfTableAccess::SetLayout(layout, info);
  std::string why;
  const std::size_t dataBytes = bytes.size() > headerLength ? bytes.size() - headerLength : 0;
  const std::size_t complete = std::min<std::size_t>(dataBytes / recLen, announced);
  if (complete < announced) {
    messenger.Show(TruncatedText(file, complete, announced), kNoticeCaption, Icon::Warning);
  }
  if (complete >= 0xFFFFFFFFu) {
    ShowError(messenger, "Nothing is written into\n'" + file.string() +
                             "':\nit holds the most records a table can hold.");
    return false;
  }
  std::string formatted;
  std::size_t unmappable = 0;
  if (!FormatDbfRecord(layout, record, formatted, &why, &unmappable)) {
    ShowError(messenger, "Nothing is written into\n'" + file.string() + "':\n" + why);
    return false;
  }
  const std::size_t recordsEnd = headerLength + complete * recLen;
  const bool endMarker = bytes.size() > recordsEnd && bytes[recordsEnd] == 0x1A;
  std::string out;
  out.reserve(std::max(recordsEnd, headerLength) + recLen + 1);
  out.append(bytes, 0, std::min(headerLength, bytes.size()));
  if (out.size() < headerLength) {  // the file ended inside its header's padding
    out.resize(headerLength, '\0');
    out[kHeaderSize + kDescriptorSize * fieldCount] = 0x0D;
  }
  if (recordsEnd > headerLength) out.append(bytes, headerLength, recordsEnd - headerLength);
  PutLe32(out.data() + 4, static_cast<std::uint32_t>(complete + 1));
  out += formatted;
  if (endMarker) out.push_back(0x1A);
  return WriteTableBytes(file, out, unmappable, messenger);
}

}  // namespace kvem
