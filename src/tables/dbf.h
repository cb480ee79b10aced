// The dBase III table layer. Every table Kvem uses (standard values, heater
// and pipe catalogues, the drawing's room table) is read and written here; no
// database engine is involved.
//
// A table is described by its fields (name, type letter, length, decimals)
// and holds records split into field texts. Texts are UTF-8 in memory and
// Windows-1250 on disk; a text as read has its trailing blanks and line feeds
// removed (leading blanks stay) and ends at a NUL byte, if the field holds one.
// Fields are numbered from 1, as the tables' users address them.
//
//   DbfTable table;
//   if (!ReadDbfTable(path, table, messenger)) return false;  // messages shown
//   for (std::size_t r = 0; r < table.recordCount(); ++r) use(table.Text(r, 1));
//   table.SetText(0, 3, "20");
//   WriteDbfTable(path, table, messenger);  // atomic, same header layout
//
// Large catalogues can be streamed record by record with DbfReader instead.
//
// Reading never trusts the header beyond the file: a record count larger
// than the file holds reads what is there (with a notice), a header or
// record length that does not fit the field descriptors is refused, and no
// memory is reserved for records the file does not contain. Only the type
// letter "C" is text; every other type is numeric when a record is written,
// except "D" (date) and "L" (logical), which are written as text so that
// tables of other tools survive a save.
#pragma once

#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messenger.h"

namespace kvem {

// Limits of the layer: a table has 1 to 48 fields, a field at most 168
// characters, a record (deletion flag included) fewer than 3000 bytes.
inline constexpr int kDbfMaxFields = 48;
inline constexpr int kDbfMaxFieldLength = 168;
inline constexpr int kDbfRecordLengthLimit = 3000;  // record length must stay below
inline constexpr int kDbfMaxNameLength = 10;        // for layouts made here (a file may hold 11)

inline constexpr const char* kTableErrorsFoundText = "Errors found during processing !";

struct DbfField {
  std::string name;  // UTF-8
  char type = 'C';   // 'C' text; every other letter is numeric ('D' and 'L' see above)
  int length = 0;    // bytes on disk = characters
  int decimals = 0;
  int offset = 0;  // within the record, counted from the byte after the deletion flag

  bool IsCharacter() const { return type == 'C'; }
  // Written as text: character, date and logical fields.
  bool IsWrittenAsText() const { return type == 'C' || type == 'D' || type == 'L'; }
};

// Whether `text` (UTF-8) can be stored in `field` without loss: a character
// field takes at most `length` characters that Windows-1250 holds and no
// control characters; a numeric field takes an empty text (stored as 0) or a
// number with a decimal point or comma that fits the field's width with its
// decimals; a date field 8 digits YYYYMMDD or nothing; a logical field one of
// T, F, Y, N, ? or nothing. On refusal `why` (if given) says what is wrong.
bool FieldAccepts(const DbfField& field, std::string_view text, std::string* why);

// Field texts of one record; index 0 is field 1.
using DbfRecord = std::vector<std::string>;

class DbfTable {
 public:
  DbfTable() = default;

  // A new, empty table of these fields (offsets and record length are
  // computed). Refused, with the reason, when the layout breaks a limit, a name
  // is empty, longer than 10 characters, not plain ASCII or used twice, a type
  // is not one of C N F D L, or decimals do not fit the length.
  static bool Create(std::vector<DbfField> fields, DbfTable& table, std::string* why);

  const std::vector<DbfField>& fields() const { return fields_; }
  int fieldCount() const { return static_cast<int>(fields_.size()); }
  const DbfField& field(int k) const { return fields_[static_cast<std::size_t>(k - 1)]; }
  // The field of that name (case-insensitive), from 1; 0 when there is none.
  int FieldNumber(std::string_view name) const;
  // Bytes per record, deletion flag included.
  int recordLength() const { return recordLength_; }

  std::size_t recordCount() const { return records_.size(); }
  const std::vector<DbfRecord>& records() const { return records_; }
  const DbfRecord& record(std::size_t index) const { return records_[index]; }

  // Text of field k (from 1) of a record; empty when the record holds fewer texts.
  const std::string& Text(std::size_t record, int k) const;
  // Sets the text of field k (from 1); the record grows to k texts if needed.
  void SetText(std::size_t record, int k, std::string text);

  // A new record of empty texts at the end (or before `index`); returns its index.
  std::size_t AddRecord();
  std::size_t InsertRecord(std::size_t index);
  void AddRecord(DbfRecord record) { records_.push_back(std::move(record)); }
  void RemoveRecord(std::size_t index);
  void ClearRecords() { records_.clear(); }

  // The layout of another table, without its records (as a writer takes over
  // the header of an existing table).
  void TakeLayoutFrom(const DbfTable& other);

 private:
  friend class DbfReader;
  friend struct DbfTableAccess;

  std::vector<DbfField> fields_;
  int recordLength_ = 1;
  int headerLength_ = 33;  // where the records start in the file read
  std::vector<DbfRecord> records_;
};

// Opens, checks the header of and reads every record of a table. On failure
// every message has been shown ("\nCann't open file\n'%s' !" when it cannot
// be opened; the header check's own message followed by "Errors found during
// processing !" when the header is damaged), `table` is left empty and the
// result is false. A file that ends before its record count is satisfied
// gives the complete records it holds, after a notice.
bool ReadDbfTable(const std::filesystem::path& file, DbfTable& table, Messenger& messenger);

// Only the layout (fields, record length), with the same checks and messages;
// no record is read.
bool ReadDbfLayout(const std::filesystem::path& file, DbfTable& table, Messenger& messenger);

// One record as written to disk: a blank deletion flag, then each field
// formatted, recordLength() bytes in Windows-1250. Character fields (and date
// and logical ones) are left-aligned, padded with blanks and cut to the field's
// length ("%-N.Ns"); the others are the number their text reads as (a point or
// a comma accepted; not a number reads as 0) right-aligned with the field's
// decimals ("%N.Df"), always with a decimal point. False, with the reason,
// when a number does not fit its field. `unmappable` counts characters
// Windows-1250 cannot hold (written as "?").
bool FormatDbfRecord(const DbfTable& table, const DbfRecord& record, std::string& out,
                     std::string* why, std::size_t* unmappable = nullptr);

// The whole file: a header built from the layout (version 3, no date, the
// record count, header length 32 x fields + 33, the record length, the
// descriptors, the terminator 0x0D) followed by every record.
bool FormatDbfFile(const DbfTable& table, std::string& out, std::string* why,
                   std::size_t* unmappable = nullptr);

// Writes the table atomically (the former file stays whole until the new one
// is complete). On failure the reason is shown ("Kvem - error:", stop icon),
// nothing is changed and the result is false. Characters Windows-1250 cannot
// hold are written as "?" after a notice.
bool WriteDbfTable(const std::filesystem::path& file, const DbfTable& table, Messenger& messenger);

// Adds one record at the end of an existing table: the header keeps every byte
// but the record count, which grows by one, and the existing records keep
// every byte. The file is replaced atomically; false after a message when it
// cannot be read, its header is damaged or the record cannot be formatted.
bool AppendDbfRecord(const std::filesystem::path& file, const DbfRecord& record,
                     Messenger& messenger);

// Streams the records of a table one by one, for catalogues too large to keep
// split in memory. The texts of the current record are views valid until the
// next call of Next(). Readers working side by side in two threads keep
// their state on cache lines of their own.
class alignas(64) DbfReader {
 public:
  DbfReader();
  ~DbfReader();
  DbfReader(const DbfReader&) = delete;
  DbfReader& operator=(const DbfReader&) = delete;

  // Opens and checks the header, with the messages of ReadDbfTable.
  bool Open(const std::filesystem::path& file, Messenger& messenger);
  // Records are scanned with the widest vector instructions the processor
  // has; with `on`, field by field as on any processor (the two give the same
  // texts; tests compare them). Takes effect at the next Open().
  void ScanFieldByField(bool on) { fieldByField_ = on; }
  // The layout read (no records).
  const DbfTable& layout() const { return layout_; }
  // Number of records the header announces.
  std::uint32_t announcedRecords() const { return announced_; }
  // Limits the reading to the records first .. last - 1 (from 0) of those
  // announced; the next Next() reads record `first`. Lets parts of a large
  // table be read by several readers side by side. May be called again at
  // any time; a range that starts where the reader stands goes on without
  // positioning the file anew. False when the file cannot be positioned.
  bool Restrict(std::size_t first, std::size_t last);

  // Moves to the next record; false at the end of the records (the announced
  // count reached or the file ended; see truncated()). Fields that hold a NUL
  // byte or a letter beyond ASCII are found and converted here.
  bool Next() { return step_(*this); }
  // Text of field k (from 1) of the current record, UTF-8, without its
  // trailing blanks and line feeds, valid until the next call of Next(). A
  // field of plain ASCII (the common case) is a view into the read buffer;
  // a padded one is cut when it is asked for.
  std::string_view Text(int k) const {
    const std::size_t i = static_cast<std::size_t>(k - 1);
    if ((odd_ >> i) & 1) [[unlikely]]
      return OddText(i);
    return std::string_view(record_ + plan_.offsets[i], plan_.lengths[i]);
  }

  // The layout as the scan of a record sees it, fixed when a table is opened.
  // Field bytes are counted from the first byte after the deletion flag.
  struct ScanPlan {
    std::size_t fieldBytes = 0;          // bytes of all fields together
    std::vector<std::uint8_t> fieldAt;   // field index (from 0) of each field byte
    std::vector<std::int64_t> offsets;   // of each field within the record, padded to 8
    std::vector<std::uint32_t> lengths;  // of each field
    std::uint64_t nonEmpty = 0;          // the fields of at least one byte
    // For each 64 field bytes: the bits of the last bytes of the fields ending
    // there, and the count of non-empty fields that ended before.
    std::vector<std::uint64_t> lastBits;
    std::vector<std::uint8_t> endedBefore;
    // Where a field's last byte is: its block, the bits of the field's bytes
    // in that block, and its length plus the bytes of the block after it.
    struct FieldEnd {
      std::uint64_t bits = 0;
      std::uint32_t word = 0;
      std::uint32_t base = 0;
    };
    std::vector<FieldEnd> ends;
    std::size_t fullBlocks = 0;  // of 64 bytes
    std::uint64_t tailMask = 0;  // the bytes of the block after them
  };
  // What the scan of a record finds: the fields (bit k - 1 for field k) that
  // hold a NUL or a byte beyond ASCII, and those whose last byte is a blank
  // or a line feed. A scan with vector instructions also marks in kept_ the
  // bytes that are neither blank nor line feed, a bit a byte (keptBits_).
  struct RecordMarks {
    std::uint64_t special;
    std::uint64_t blankEnd;
  };
  // Blocks of 64 bytes a record's fields may take.
  static constexpr std::size_t kScanBlocks = (kDbfRecordLengthLimit + 63) / 64;

  // UTF-8 of the Windows-1250 bytes 0x80 .. 0xFF: up to three bytes from the
  // low end, their count in the top byte.
  using HighBytes = std::array<std::uint32_t, 128>;

  // Index of the current record, from 0.
  std::size_t index() const { return index_ - 1; }
  // True once Next() found the file ending before the announced count.
  bool truncated() const { return truncated_; }

 private:
  bool Fill();
  void BuildScanPlan();
  std::string_view OddText(std::size_t i) const;
  void Convert(std::uint64_t special);

  DbfTable layout_;
  std::filesystem::path path_;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
  friend struct DbfReaderSteps;
  bool (*step_)(DbfReader&);  // Next() with the scan the processor runs best
  bool keptBits_ = false;     // the scan marks the kept bytes
  bool fieldByField_ = false;
  const HighBytes& highBytes_;
  std::uint32_t announced_ = 0;
  std::size_t stop_ = 0;  // the record after the last to read
  std::size_t index_ = 0;
  bool truncated_ = false;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  const char* record_ = nullptr;  // the current record in the buffer
  ScanPlan plan_;
  // The fields of the current record that are not simply their bytes: those
  // converted (special_) and those that lose trailing blanks and line feeds
  // when asked for.
  std::uint64_t odd_ = 0;
  std::uint64_t special_ = 0;
  std::vector<std::size_t> convertedSizes_;
  std::array<std::uint64_t, kScanBlocks> kept_{};
  std::vector<std::string> converted_;  // texts holding non-ASCII bytes, as UTF-8
};

// Shares the records of a large table between two readers working side by
// side: one takes blocks of records from the front, the other from the back,
// until they meet. Neither waits for the other, and a reader that runs slower
// (its processor busy with other work) simply takes fewer blocks. The front
// reader's blocks follow each other, so it reads straight on; the back
// reader's blocks come in reverse order.
class RecordBlocks {
 public:
  RecordBlocks(std::size_t records, std::size_t blockRecords);
  // The next block from the front (or back): records first .. last - 1.
  // False when every block has been taken.
  bool TakeFront(std::size_t& first, std::size_t& last);
  bool TakeBack(std::size_t& first, std::size_t& last);

 private:
  std::atomic<std::uint64_t> ends_;  // blocks taken from the front (low half) and the back
  std::size_t records_;
  std::size_t blockRecords_;
  std::size_t blocks_;
};

}  // namespace kvem
