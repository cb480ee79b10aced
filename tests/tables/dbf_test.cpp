// The dBase layer: header checks, damaged files, splitting and formatting of
// records, writing, and tables written by another tool.
#include "tables/dbf.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "platform/encoding.h"
#include "support/test_support.h"

namespace kvem {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct RawField {
  std::string name;
  char type;
  int length;
  int decimals = 0;
};

// A table written byte by byte, so the tests can damage any part of it.
std::string RawHeader(const std::vector<RawField>& fields, std::uint32_t count,
                      int recordLength = -1, int headerLength = -1, unsigned char version = 3) {
  int sum = 0;
  for (const auto& f : fields) sum += f.length;
  if (recordLength < 0) recordLength = sum + 1;
  if (headerLength < 0) headerLength = static_cast<int>(32 * fields.size() + 33);
  std::string h(32, '\0');
  h[0] = static_cast<char>(version);
  for (int i = 0; i < 4; ++i) h[4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  h[8] = static_cast<char>(headerLength & 0xFF);
  h[9] = static_cast<char>(headerLength >> 8);
  h[10] = static_cast<char>(recordLength & 0xFF);
  h[11] = static_cast<char>(recordLength >> 8);
  for (const auto& f : fields) {
    std::string d(32, '\0');
    std::memcpy(d.data(), f.name.data(), std::min<std::size_t>(11, f.name.size()));
    d[11] = f.type;
    d[16] = static_cast<char>(f.length);
    d[17] = static_cast<char>(f.decimals);
    h += d;
  }
  h.push_back('\x0D');
  return h;
}

std::vector<RawField> ManyFields(int n, int length = 2) {
  std::vector<RawField> fields;
  for (int i = 0; i < n; ++i) fields.push_back({"F" + std::to_string(i + 1), 'C', length});
  return fields;
}

class DbfFileTest : public ::testing::Test {
 protected:
  // Reads `bytes` as a table file; the messages shown are in `messenger`.
  bool Read(const std::string& bytes) {
    WriteFile(path_, bytes);
    messenger.Clear();
    return ReadDbfTable(path_, table, messenger);
  }
  std::string First() const {
    return messenger.messages().empty() ? std::string() : messenger.messages().front().text;
  }

  TempDir dir_;
  std::filesystem::path path_ = dir_ / "t.dbf";
  RecordingMessenger messenger;
  DbfTable table;
};

TEST_F(DbfFileTest, HeaderChecksTheirLimitsAndOrder) {
  EXPECT_TRUE(Read(RawHeader(ManyFields(48), 0)));
  EXPECT_EQ(table.fieldCount(), 48);
  EXPECT_TRUE(messenger.messages().empty());

  EXPECT_FALSE(Read(RawHeader(ManyFields(49), 0)));
  EXPECT_THAT(messenger.texts(),
              ElementsAre("DBF_UTIL: Error of file - 4 !", "Errors found during processing !"));
  EXPECT_EQ(messenger.messages()[0].caption, "Kvem - error:");
  EXPECT_EQ(messenger.messages()[0].icon, Icon::Stop);
  EXPECT_EQ(table.fieldCount(), 0);  // a refused table leaves nothing behind

  EXPECT_TRUE(Read(RawHeader({{"A", 'C', 168}}, 0)));
  EXPECT_FALSE(Read(RawHeader({{"A", 'C', 10}, {"B", 'C', 169}}, 0)));
  EXPECT_EQ(messenger.texts()[0], "DBF_UTIL: Error of file - 1 !");

  EXPECT_FALSE(Read(RawHeader({{"A", 'C', 10}}, 0, -1, -1, 0x83)));
  EXPECT_EQ(messenger.texts()[0], "DBF_UTIL: Error of file - 2 !");

  EXPECT_TRUE(Read(RawHeader({{"A", 'C', 10}}, 0, 2999)));
  EXPECT_FALSE(Read(RawHeader({{"A", 'C', 10}}, 0, 3000)));
  EXPECT_EQ(messenger.texts()[0], "DBF_UTIL: Error of file - 3!");

  // The checks come in their order: version before record length before field count.
  EXPECT_FALSE(Read(RawHeader(ManyFields(49), 0, 3000, -1, 4)));
  EXPECT_EQ(messenger.texts()[0], "DBF_UTIL: Error of file - 2 !");
  EXPECT_FALSE(Read(RawHeader(ManyFields(49), 0, 3000)));
  EXPECT_EQ(messenger.texts()[0], "DBF_UTIL: Error of file - 3!");
}

TEST_F(DbfFileTest, DamagedFilesAreRefusedOrReadAsFarAsTheyGo) {
  const std::string reading = "DBF_UTIL: Error of file reading - " + path_.string() + " !";
  EXPECT_FALSE(Read(""));
  EXPECT_EQ(First(), reading);
  EXPECT_FALSE(Read(RawHeader(ManyFields(3), 0).substr(0, 32 + 32 + 20)));  // cut in descriptor 2
  EXPECT_EQ(First(), reading);

  // Record length 0, or shorter than the fields: records would overlap.
  EXPECT_FALSE(Read(RawHeader({{"A", 'C', 10}}, 5, 0) + std::string(50, 'x')));
  EXPECT_THAT(First(), HasSubstr("record length"));
  EXPECT_FALSE(Read(RawHeader({{"A", 'C', 10}, {"B", 'C', 5}}, 1, 11) + std::string(11, 'x')));
  EXPECT_THAT(First(), HasSubstr("record length"));

  // A header length that does not match the descriptors.
  EXPECT_FALSE(Read(RawHeader(ManyFields(2), 0, -1, 32 + 64)));  // no room for the terminator
  EXPECT_THAT(First(), HasSubstr("header length"));
  EXPECT_FALSE(Read(RawHeader(ManyFields(2), 0, -1, 20)));
  EXPECT_THAT(First(), HasSubstr("header length"));
  {
    // Three fields announced, the terminator after two.
    std::string bytes = RawHeader(ManyFields(2), 0, 5, 32 * 3 + 33) + std::string(40, ' ');
    EXPECT_FALSE(Read(bytes));
    EXPECT_THAT(First(), HasSubstr("header length"));
  }

  // A record count far beyond the file: what is there is read, after a notice,
  // and nothing is reserved for the rest.
  const std::string two = RawHeader({{"A", 'C', 3}}, 0xFFFFFFFFu) + " one two";
  ASSERT_TRUE(Read(two));
  EXPECT_EQ(table.recordCount(), 2u);
  EXPECT_LT(table.records().capacity(), 10u);
  ASSERT_EQ(messenger.messages().size(), 1u);
  EXPECT_THAT(First(), HasSubstr("ends after 2 of its 4294967295 records"));

  // Cut in the middle of the third record.
  ASSERT_TRUE(Read(RawHeader({{"A", 'C', 3}}, 3) + " one two th"));
  EXPECT_EQ(table.recordCount(), 2u);
  EXPECT_EQ(table.Text(1, 1), "two");

  // More bytes than records (an end marker, junk): the record count rules.
  ASSERT_TRUE(Read(RawHeader({{"A", 'C', 3}}, 1) + " one two\x1A"));
  EXPECT_EQ(table.recordCount(), 1u);
  EXPECT_TRUE(messenger.messages().empty());
}

TEST_F(DbfFileTest, RecordsSplitIntoFieldTexts) {
  std::string bytes = RawHeader({{"A", 'C', 6}, {"B", 'N', 6, 2}, {"C", 'C', 4}}, 4);
  // Flag, then A (6), B (6) and C (4).
  bytes += std::string(" ") + "ab    " + "  1.50" + "x\n  ";  // trailing blanks, line feeds go
  bytes += std::string("*") + "  lead" + "  0.00" + "abc ";   // deleted: read like any other
  bytes += std::string(" ") + "\x8E\xEF\xE1r  " + "      " + std::string("a\0bc", 4);  // NUL ends
  bytes += " " + std::string(16, ' ');
  ASSERT_TRUE(Read(bytes));
  ASSERT_EQ(table.recordCount(), 4u);
  EXPECT_THAT(table.record(0), ElementsAre("ab", "  1.50", "x"));
  EXPECT_THAT(table.record(1), ElementsAre("  lead", "  0.00", "abc"));
  EXPECT_THAT(table.record(2), ElementsAre("Žďár", "", "a"));
  EXPECT_THAT(table.record(3), ElementsAre("", "", ""));
}

TEST(DbfFormat, RecordsAreFormattedFieldByField) {
  DbfTable t;
  ASSERT_TRUE(DbfTable::Create(
      {{"C5", 'C', 5}, {"N62", 'N', 6, 2}, {"N4", 'N', 4}, {"D", 'D', 8}, {"L", 'L', 1}}, t,
      nullptr));
  std::string out;
  ASSERT_TRUE(FormatDbfRecord(t, {"ABC", "1.5", "x", "20240301", "T"}, out, nullptr));
  EXPECT_EQ(out, " ABC    1.50   020240301T");
  ASSERT_TRUE(FormatDbfRecord(t, {"ABCDEFG", "1,5", "-12", "", ""}, out, nullptr));
  EXPECT_EQ(out, " ABCDE  1.50 -12         ");
  ASSERT_TRUE(FormatDbfRecord(t, {"Ž"}, out, nullptr));  // missing texts: empty, numbers 0
  EXPECT_EQ(out, " \x8E      0.00   0         ");

  std::string why;
  EXPECT_FALSE(FormatDbfRecord(t, {"", "1000", "0"}, out, &why));  // 1000.00 needs 7
  EXPECT_THAT(why, HasSubstr("N62"));
  std::size_t unmappable = 0;
  ASSERT_TRUE(FormatDbfRecord(t, {"a€ł→b"}, out, nullptr, &unmappable));
  EXPECT_EQ(out.substr(0, 6), " a\x80\xB3?b");
  EXPECT_EQ(unmappable, 1u);
}

TEST(DbfFormat, FieldAcceptsWhatFitsAndSaysWhyNot) {
  std::string why;
  const DbfField c{"NAME", 'C', 4};
  EXPECT_TRUE(FieldAccepts(c, "Žďár", &why));
  EXPECT_FALSE(FieldAccepts(c, "Žďárx", &why));
  EXPECT_THAT(why, HasSubstr("5 characters"));
  EXPECT_FALSE(FieldAccepts(c, "a→", &why));
  EXPECT_FALSE(FieldAccepts(c, "a\nb", &why));

  const DbfField n{"K", 'N', 6, 2};
  for (const char* ok : {"", "1.5", "1,5", "-99.99", "999.99", " 12 "})
    EXPECT_TRUE(FieldAccepts(n, ok, &why)) << ok;
  for (const char* bad : {"x", "1.5x", "1000", "-100.5", "nan", "1.2.3"})
    EXPECT_FALSE(FieldAccepts(n, bad, &why)) << bad;

  const DbfField d{"D", 'D', 8};
  EXPECT_TRUE(FieldAccepts(d, "20240229", &why));
  EXPECT_FALSE(FieldAccepts(d, "20230229", &why));
  EXPECT_FALSE(FieldAccepts(d, "2024-3-1", &why));
  const DbfField l{"L", 'L', 1};
  EXPECT_TRUE(FieldAccepts(l, "t", &why));
  EXPECT_FALSE(FieldAccepts(l, "yes", &why));
}

TEST(DbfLayout, CreateRefusesLayoutsBeyondTheLimits) {
  DbfTable t;
  std::string why;
  std::vector<DbfField> fields;
  for (int i = 0; i < 48; ++i) fields.push_back({"F" + std::to_string(i), 'C', 10});
  EXPECT_TRUE(DbfTable::Create(fields, t, &why));
  EXPECT_EQ(t.recordLength(), 481);
  EXPECT_EQ(t.field(3).offset, 20);
  fields.push_back({"F48", 'C', 10});
  EXPECT_FALSE(DbfTable::Create(fields, t, &why));
  EXPECT_FALSE(DbfTable::Create({{"A", 'C', 169}}, t, &why));
  EXPECT_FALSE(DbfTable::Create({{"A", 'X', 1}}, t, &why));
  EXPECT_FALSE(DbfTable::Create({{"A", 'C', 1}, {"a", 'C', 1}}, t, &why));
  EXPECT_THAT(why, HasSubstr("twice"));
  EXPECT_FALSE(DbfTable::Create({{"TOOLONGNAME", 'C', 1}}, t, &why));
  EXPECT_FALSE(DbfTable::Create({{"N", 'N', 3, 2}}, t, &why));
  std::vector<DbfField> wide;
  for (int i = 0; i < 18; ++i) wide.push_back({"W" + std::to_string(i), 'C', 168});
  EXPECT_FALSE(DbfTable::Create(wide, t, &why));  // 1 + 18 x 168 = 3025 bytes
  EXPECT_THAT(why, HasSubstr("3025"));
}

TEST_F(DbfFileTest, WrittenTablesReadBackAndKeepTheirLayout) {
  ASSERT_TRUE(
      Read(RawHeader({{"MISTO", 'C', 8}, {"TE", 'N', 5, 1}}, 1, 20) + " Brno    -12.0      "));
  EXPECT_EQ(table.recordLength(), 20);  // wider than the fields: kept
  table.SetText(table.AddRecord(), 1, "Plzeň");
  table.SetText(1, 2, "-14,5");
  ASSERT_TRUE(WriteDbfTable(path_, table, messenger));
  const std::string bytes = ReadFile(path_);
  EXPECT_EQ(bytes.size(), 32u + 64 + 1 + 2 * 20);
  EXPECT_EQ(bytes.substr(32 + 64, 1), "\x0D");
  EXPECT_EQ(bytes.substr(32 + 64 + 1 + 20), " Plze\xF2   -14.5      ");
  EXPECT_EQ(bytes[4], 2);

  DbfTable again;
  ASSERT_TRUE(ReadDbfTable(path_, again, messenger));
  EXPECT_EQ(again.recordLength(), 20);
  EXPECT_THAT(again.record(1), ElementsAre("Plzeň", "-14.5"));
  EXPECT_EQ(again.FieldNumber("te"), 2);

  // A table that cannot be written leaves the former file as it was.
  table.SetText(0, 2, "123456");
  EXPECT_FALSE(WriteDbfTable(path_, table, messenger));
  EXPECT_EQ(ReadFile(path_), bytes);
  EXPECT_FALSE(WriteDbfTable(dir_ / "missing" / "x.dbf", again, messenger));
  EXPECT_THAT(messenger.texts().back(), HasSubstr("Cann't open file"));
}

TEST_F(DbfFileTest, AppendKeepsEveryByteOfTheFormerRecords) {
  std::string bytes = RawHeader({{"A", 'C', 3}, {"N", 'N', 4, 1}}, 2);
  bytes[1] = 124;  // a date and a reserved byte another tool wrote
  bytes[29] = static_cast<char>(0xC8);
  bytes += "*x  12.0 y   1.5\x1A";
  WriteFile(path_, bytes);
  ASSERT_TRUE(AppendDbfRecord(path_, {"new", "2"}, messenger));
  std::string expected = bytes.substr(0, bytes.size() - 1) + " new 2.0\x1A";
  expected[4] = 3;
  EXPECT_EQ(ReadFile(path_), expected);

  EXPECT_FALSE(AppendDbfRecord(dir_ / "none.dbf", {"a"}, messenger));
  EXPECT_THAT(messenger.texts().back(), HasSubstr("Cann't open file"));
}

// A reader that streams records gives the texts as written without their
// trailing blanks and line feeds, across read chunks and whatever blanks and
// line feeds the texts hold; a reader limited to a range of records reads
// just those.
TEST_F(DbfFileTest, StreamingReaderSplitsEveryRecord) {
  DbfTable t;
  ASSERT_TRUE(DbfTable::Create({{"A", 'C', 34}, {"B", 'N', 9, 3}}, t, nullptr));
  constexpr std::size_t kCount = 40000;  // several read chunks
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < kCount; ++i) {
    const std::size_t r = t.AddRecord();
    std::string text = i % 7 == 0 ? "Čáp" : "r" + std::to_string(i);
    if (i % 3 == 0) text += "\n";
    if (i % 4 == 0) text += std::string(i % 7, ' ') + "y";
    if (i % 5 == 0) text += std::string(i % 5, ' ') + "\n";
    if (i % 11 == 0) text = std::string(i % 34, '-') + "ž";  // a letter at every place of the field
    t.SetText(r, 1, text);
    t.SetText(r, 2, std::to_string(i) + ".125");
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
    expected.push_back(text);
  }
  ASSERT_TRUE(WriteDbfTable(path_, t, messenger));
  DbfReader reader;
  ASSERT_TRUE(reader.Open(path_, messenger));
  std::size_t count = 0;
  while (reader.Next()) {
    ASSERT_EQ(reader.Text(1), expected[count]) << count;
    const std::string number = std::to_string(count) + ".125";
    ASSERT_EQ(reader.Text(2), std::string(9 - number.size(), ' ') + number);  // right-aligned
    ++count;
  }
  EXPECT_EQ(count, kCount);
  EXPECT_FALSE(reader.truncated());

  struct Range {
    std::size_t first, last, expectedFirst, expectedCount;
  };
  for (const Range& range : {Range{20000, 20003, 20000, 3}, Range{39998, 50000, 39998, 2},
                             Range{45000, 46000, 0, 0}, Range{7, 3, 0, 0}}) {
    DbfReader part;
    ASSERT_TRUE(part.Open(path_, messenger));
    ASSERT_TRUE(part.Restrict(range.first, range.last));
    std::size_t read = 0;
    while (part.Next()) {
      ASSERT_EQ(part.index(), range.expectedFirst + read);
      ASSERT_EQ(part.Text(1), expected[part.index()]);
      ++read;
    }
    EXPECT_EQ(read, range.expectedCount) << range.first;
    EXPECT_FALSE(part.truncated());
  }
}

// Two readers share the records in blocks, one from the front and one from
// the back: every block is taken once, whatever the two threads do at the
// same moment, the front's in table order and the back's the other way.
TEST(DbfBlocks, EveryBlockIsTakenOnceFromEitherEnd) {
  for (const auto& [records, block] :
       {std::pair<std::size_t, std::size_t>{0, 8}, {1, 8}, {64, 8}, {65, 8}, {100000, 7}}) {
    RecordBlocks blocks(records, block);
    std::vector<std::pair<std::size_t, std::size_t>> front;
    std::vector<std::pair<std::size_t, std::size_t>> back;
    std::thread other([&] {
      for (std::size_t first, last; blocks.TakeBack(first, last);) back.emplace_back(first, last);
    });
    for (std::size_t first, last; blocks.TakeFront(first, last);) front.emplace_back(first, last);
    other.join();
    // The front's blocks, then the back's turned round, cover 0 .. records.
    std::size_t next = 0;
    for (auto it = front.begin(); it != front.end(); ++it) {
      ASSERT_EQ(it->first, next) << records;
      next = it->second;
    }
    for (auto it = back.rbegin(); it != back.rend(); ++it) {
      ASSERT_EQ(it->first, next) << records;
      ASSERT_LE(it->second - it->first, block);
      next = it->second;
    }
    EXPECT_EQ(next, records);
  }
}

// A reader limited to one range after another, in any order: ranges that go
// straight on, ranges that jump back, and ranges beyond the end of a file cut
// short, after which the records it holds can still be read.
TEST_F(DbfFileTest, ReaderLimitedAgainAndAgain) {
  DbfTable t;
  ASSERT_TRUE(DbfTable::Create({{"A", 'C', 12}}, t, nullptr));
  constexpr std::size_t kCount = 20000;  // several read chunks
  for (std::size_t i = 0; i < kCount; ++i) t.SetText(t.AddRecord(), 1, "r" + std::to_string(i));
  RecordingMessenger messenger;
  ASSERT_TRUE(WriteDbfTable(path_, t, messenger));
  const std::string bytes = test::ReadFile(path_);
  constexpr std::size_t kWhole = 15000;  // records left whole when the file is cut
  test::WriteFile(path_, bytes.substr(0, bytes.size() - 1 - (kCount - kWhole) * 13 + 5));
  DbfReader reader;
  ASSERT_TRUE(reader.Open(path_, messenger));
  EXPECT_EQ(reader.announcedRecords(), kCount);
  struct Range {
    std::size_t first, last, expectedCount;
  };
  for (const Range& range : {Range{0, 5000, 5000}, Range{5000, 9000, 4000}, Range{18000, 20000, 0},
                             Range{14000, 16000, 1000}, Range{2, 4, 2}, Range{4, 19999, 14996}}) {
    ASSERT_TRUE(reader.Restrict(range.first, range.last));
    std::size_t read = 0;
    while (reader.Next()) {
      ASSERT_EQ(reader.index(), range.first + read);
      ASSERT_EQ(reader.Text(1), "r" + std::to_string(range.first + read));
      ++read;
    }
    EXPECT_EQ(read, range.expectedCount) << range.first;
  }
  EXPECT_TRUE(reader.truncated());
}

// Records of every length from 1 to 40 bytes, so that each width of the
// search for letters and NUL bytes is used, with a letter or a NUL at every
// place of the record: the field that holds it is converted (a text ends at
// its NUL), the others are left as they are.
TEST_F(DbfFileTest, LettersAndNulBytesFoundAtEveryPlace) {
  for (int width = 1; width <= 39; ++width) {
    std::string bytes = RawHeader({{"A", 'C', width}, {"B", 'C', 1}}, width + 1);
    for (int at = 0; at <= width; ++at) {
      std::string record(static_cast<std::size_t>(width + 2), 'x');
      record[0] = ' ';
      record[static_cast<std::size_t>(at + 1)] = at % 2 == 0 ? '\xE8' : '\0';  // č or NUL
      bytes += record;
    }
    WriteFile(path_, bytes + "\x1A");
    DbfReader reader;
    ASSERT_TRUE(reader.Open(path_, messenger));
    for (int at = 0; at <= width; ++at) {
      ASSERT_TRUE(reader.Next()) << width;
      const std::string mark = at % 2 == 0 ? "č" : "";
      const std::string a =
          at < width ? std::string(static_cast<std::size_t>(at), 'x') +
                           (at % 2 == 0 ? mark + std::string(width - at - 1, 'x') : std::string())
                     : std::string(static_cast<std::size_t>(width), 'x');
      EXPECT_EQ(reader.Text(1), a) << width << " " << at;
      EXPECT_EQ(reader.Text(2), at < width ? "x" : mark) << width << " " << at;
    }
    EXPECT_FALSE(reader.Next());
  }
}

// Random layouts (up to 48 fields, fields of no bytes, records of up to 2999
// bytes with bytes after the last field) and random records of letters,
// blanks, line feeds, other control bytes, NUL bytes and Czech letters: the
// reader gives every field as cut at its first NUL, without trailing blanks
// and line feeds, converted to UTF-8, whether it scans whole records with
// vector instructions or field by field. Before the first record every text
// is empty.
TEST_F(DbfFileTest, EveryScanSplitsRandomRecordsAlike) {
  std::srand(20261207);
  const auto random = [](int n) { return std::rand() % n; };
  const std::string alphabet = std::string("aZ1.  \n\t\x01\x7F\xE8\x9A", 12) + std::string(1, '\0');
  for (int layout = 0; layout < 200; ++layout) {
    std::vector<RawField> fields;
    const int count = 1 + random(48);
    const int budget = layout % 5 == 0 ? 2990 : 1 + random(600);
    int sum = 0;
    for (int k = 0; k < count && sum < budget; ++k) {
      const int length = std::min(random(8) == 0 ? 0 : 1 + random(168), budget - sum);
      fields.push_back({"F" + std::to_string(k), 'C', length});
      sum += length;
    }
    const int recordLength = std::min(2999, sum + 1 + random(3) * random(40));
    constexpr int kRecords = 40;
    std::string bytes = RawHeader(fields, kRecords, recordLength);
    std::vector<std::vector<std::string>> expected;
    for (int r = 0; r < kRecords; ++r) {
      std::string record(1, r % 9 == 0 ? '*' : ' ');
      std::vector<std::string> texts;
      for (const RawField& f : fields) {
        std::string field;
        const int kind = random(4);  // plain, padded, every byte random, empty
        const int filled = kind == 0 ? f.length : kind == 3 ? 0 : random(f.length + 1);
        for (int i = 0; i < f.length; ++i) {
          if (i < filled) {
            field += kind == 2 ? alphabet[static_cast<std::size_t>(random(13))]
                               : static_cast<char>('A' + random(26));
          } else {
            field += random(6) == 0 ? '\n' : ' ';
          }
        }
        record += field;
        std::string text = field.substr(0, std::min(field.find('\0'), field.size()));
        while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
        texts.push_back(Cp1250ToUtf8(text));
      }
      while (record.size() < static_cast<std::size_t>(recordLength))
        record += alphabet[static_cast<std::size_t>(random(13))];
      bytes += record;
      expected.push_back(std::move(texts));
    }
    WriteFile(path_, bytes + "\x1A");
    for (const bool fieldByField : {false, true}) {
      DbfReader reader;
      reader.ScanFieldByField(fieldByField);
      ASSERT_TRUE(reader.Open(path_, messenger));
      EXPECT_EQ(reader.Text(1), "");  // no record read yet
      for (int r = 0; r < kRecords; ++r) {
        ASSERT_TRUE(reader.Next());
        for (std::size_t k = 0; k < fields.size(); ++k) {
          ASSERT_EQ(reader.Text(static_cast<int>(k + 1)), expected[static_cast<std::size_t>(r)][k])
              << "layout " << layout << " record " << r << " field " << k + 1
              << (fieldByField ? " field by field" : "");
        }
      }
      EXPECT_FALSE(reader.Next());
    }
  }
}

// Tables of another tool (python3-dbf, see fixtures/make_fixtures.py).
TEST(DbfOtherTools, TablesOfPythonDbfReadRight) {
  RecordingMessenger messenger;
  DbfTable t;
  ASSERT_TRUE(
      ReadDbfTable(std::filesystem::path(KVEM_TABLES_FIXTURES) / "places.dbf", t, messenger));
  EXPECT_TRUE(messenger.messages().empty());
  ASSERT_EQ(t.fieldCount(), 6);
  EXPECT_EQ(t.field(4).name, "K");
  EXPECT_EQ(t.field(4).type, 'N');
  EXPECT_EQ(t.field(4).decimals, 2);
  ASSERT_EQ(t.recordCount(), 4u);
  EXPECT_THAT(t.record(0), ElementsAre("Praha", "  180", " -12", "  1.50", "20240301", "F"));
  EXPECT_THAT(t.record(1),
              ElementsAre("Žďár nad Sázavou", "  572", " -17", "  0.25", "19991231", "T"));
  EXPECT_EQ(t.Text(2, 1), "Smazané místo");  // deleted, read like the others
  EXPECT_THAT(t.record(3), ElementsAre("Poslední", "    1", "  -1", " -3.75", "20000229", "T"));
}

// What our layer writes, python3-dbf reads back field for field.
TEST(DbfOtherTools, PythonDbfReadsWhatWeWrite) {
  if (std::system("/usr/bin/python3 -c 'import dbf' 2>/dev/null") != 0) {
    GTEST_SKIP() << "python3-dbf is not installed (scripts/debian-packages.txt lists it)";
  }
  TempDir dir;
  RecordingMessenger messenger;
  DbfTable t;
  ASSERT_TRUE(DbfTable::Create(
      {{"MISTO", 'C', 20}, {"TE", 'N', 4}, {"K", 'N', 7, 3}, {"DATUM", 'D', 8}, {"VITR", 'L', 1}},
      t, nullptr));
  t.AddRecord({"Žďár nad Sázavou", "-17", "0,25", "19991231", "T"});
  t.AddRecord({"Praha", "-12", "1.5", "20240301", "F"});
  ASSERT_TRUE(WriteDbfTable(dir / "ours.dbf", t, messenger));
  const std::string script =
      "import dbf,sys\n"
      "t=dbf.Table(sys.argv[1],codepage='cp1250');t.open()\n"
      "out=open(sys.argv[2],'w',encoding='utf-8')\n"
      "for r in t:\n"
      "  out.write('|'.join(str(v).strip() for v in r)+'\\n')\n";
  WriteFile(dir / "read.py", script);
  const std::string command = "/usr/bin/python3 '" + (dir / "read.py").string() + "' '" +
                              (dir / "ours.dbf").string() + "' '" + (dir / "out.txt").string() +
                              "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadFile(dir / "out.txt"),
            "Žďár nad Sázavou|-17|0.25|1999-12-31|True\n"
            "Praha|-12|1.5|2024-03-01|False\n");
}

}  // namespace
}  // namespace kvem
