// Product-table names, numbers of dBase tables, the field test, the dimension
// filters, the product-group list and the database selection form.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "heaters/catalog.h"
#include "platform/messenger.h"
#include "support/test_support.h"

namespace kvem {
namespace {

TEST(ProductTables, NameRule) {
  EXPECT_EQ(ProductTableName(73521), "IPC_73521");
  EXPECT_EQ(ProductTableName(7), "IPC_00007");
  EXPECT_EQ(CheckProductTableName("IPC_73549"), "IPC_73549");
  EXPECT_EQ(CheckProductTableName("ipc_73530"), "IPC_73530");
  for (const char* bad : {"IPC_73528", "IPC_7352", "IPC_735210", "IPC_73521 ", "", "Kvem_Te"}) {
    EXPECT_EQ(CheckProductTableName(bad), "") << bad;
  }
  int valid = 0;
  for (long group = 73500; group < 73600; ++group) {
    valid += !CheckProductTableName(ProductTableName(group)).empty();
  }
  EXPECT_EQ(valid, 11);
  EXPECT_EQ(ProductTablePath("/data/Katalogy", "IPC_73522"),
            std::filesystem::path("/data/Katalogy/IPC_73522.dbf"));
}

TEST(ProductTables, NumbersReadWithDecimalPoint) {
  EXPECT_EQ(CatalogNumber("  2163.5"), 2163.5);
  EXPECT_EQ(CatalogNumber("1.3358"), 1.3358);
  EXPECT_EQ(CatalogNumber("12,5"), 12.0);  // a comma ends the number, as atof does
  EXPECT_EQ(CatalogNumber("-4.5e2x"), -450.0);
  EXPECT_EQ(CatalogNumber(".5"), 0.5);
  EXPECT_EQ(CatalogNumber("+7"), 7.0);
  for (const char* none : {"", "   ", "abc", "nan", "inf", "-", ".", "- 5"}) {
    EXPECT_EQ(CatalogNumber(none), 0.0) << none;
  }
  EXPECT_EQ(CatalogNumber("0x1A"), 0.0);
  EXPECT_GT(CatalogNumber("1e999"), 1e300);
  EXPECT_EQ(CatalogNumber("1e-999"), 0.0);
}

// The short-field fast path must round exactly as strtod does (in the C
// locale), including many digits, trailing zeros and signs.
TEST(ProductTables, NumbersAgreeWithStrtod) {
  std::mt19937 random(1264);
  const std::string alphabet = "0123456789999990000.  -+e";
  for (int n = 0; n < 200000; ++n) {
    std::string text;
    const int length = static_cast<int>(random() % 20);
    for (int i = 0; i < length; ++i) {
      // Mostly digits, so that long mantissas and fractions are common.
      text += random() % 4 != 0 ? static_cast<char>('0' + random() % 10)
                                : alphabet[random() % alphabet.size()];
    }
    const double expected = std::strtod(text.c_str(), nullptr);
    const double got = CatalogNumber(text);
    if (std::isinf(expected)) {
      ASSERT_GT(std::fabs(got), 1e300) << text;
    } else {
      ASSERT_EQ(got, expected) << "'" << text << "'";
    }
  }
}

// Fields as a dBase table holds them (right-aligned, at most eight
// characters) are read eight bytes at a time; anything out of that form must
// still read as strtod reads it.
TEST(ProductTables, ShortFieldsAgreeWithStrtod) {
  std::mt19937 random(73524);
  const std::string odd = std::string(".-+e\t,a\0", 9) + "\xE9";
  for (int n = 0; n < 200000; ++n) {
    std::string text(random() % 9, ' ');
    // Blanks, then digits with a point somewhere, now and then one odd character.
    const std::size_t start = text.empty() ? 0 : random() % (text.size() + 1);
    for (std::size_t i = start; i < text.size(); ++i)
      text[i] = static_cast<char>('0' + random() % 10);
    if (start < text.size() && random() % 2) text[start + random() % (text.size() - start)] = '.';
    if (!text.empty() && random() % 4 == 0)
      text[random() % text.size()] = odd[random() % odd.size()];
    const std::string terminated = text.substr(0, text.find('\0'));
    const double expected = std::strtod(terminated.c_str(), nullptr);
    if (std::isinf(expected)) continue;  // saturates instead; tested above
    ASSERT_EQ(CatalogNumber(text), expected) << "'" << text << "' (" << text.size() << ")";
  }
}

// Remembered numbers are those CatalogNumber reads, also for texts that
// share their place in the memory or differ only by NUL bytes.
TEST(ProductTables, RememberedNumbersAreThoseRead) {
  std::mt19937 random(1873);
  const std::string alphabet = std::string("0123456789 .-e\0", 15);
  ColumnNumbers numbers;
  for (int n = 0; n < 100000; ++n) {
    std::string text;
    const int length = static_cast<int>(random() % 11);
    for (int i = 0; i < length; ++i) text += alphabet[random() % (n % 2 ? 4 : alphabet.size())];
    ASSERT_EQ(numbers.Read(text), CatalogNumber(text)) << "'" << text << "'";
  }
  // The same bytes with and without a NUL after them.
  EXPECT_EQ(numbers.Read(std::string_view("12", 2)), 12.0);
  EXPECT_EQ(numbers.Read(std::string_view("\0\0", 2)), 0.0);
  EXPECT_EQ(numbers.Read(std::string_view("7\0", 2)), 7.0);
  EXPECT_EQ(numbers.Read(std::string_view("7", 1)), 7.0);
}

TEST(ProductTables, FieldTestAtItsBoundaries) {
  // Each operator just below, at and just above its value.
  struct Case {
    int op;
    bool below, at, above;
  } cases[] = {
      {kOpLess, true, false, false},    {kOpAtMost, true, true, false},
      {kOpEqual, false, true, false},   {kOpAtLeast, false, true, true},
      {kOpGreater, false, false, true}, {kOpAny, true, true, true},
      {kOpNone, true, true, true},      {6, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FieldTest(c.op, 499.0, 500.0), c.below) << c.op;
    EXPECT_EQ(FieldTest(c.op, 500.0, 500.0), c.at) << c.op;
    EXPECT_EQ(FieldTest(c.op, 501.0, 500.0), c.above) << c.op;
    // A field of 0 or less fails every test, whatever the operator.
    EXPECT_FALSE(FieldTest(c.op, 0.0, -10.0)) << c.op;
    EXPECT_FALSE(FieldTest(c.op, -1.0, -1.0)) << c.op;
  }
}

TEST(ProductTables, DimensionFilters) {
  const DimensionFilters defaults;
  EXPECT_TRUE(defaults.length.on);
  EXPECT_TRUE(defaults.length.Passes(400));
  EXPECT_TRUE(defaults.length.Passes(2999.9));
  EXPECT_FALSE(defaults.length.Passes(3000));
  EXPECT_FALSE(defaults.width.on);
  EXPECT_FALSE(defaults.height.on);
  EXPECT_EQ(defaults.height.lowerOp, kOpNone);

  // The lower operator is read from the value's side: "500 < x" passes 501 only.
  DimensionFilter f{true, 500, kOpLess, 0, kOpNone};
  EXPECT_FALSE(f.Passes(500));
  EXPECT_TRUE(f.Passes(501));
  f.lowerOp = kOpAtMost;
  EXPECT_TRUE(f.Passes(500));
  EXPECT_FALSE(f.Passes(499));
  f.lowerOp = kOpEqual;
  EXPECT_TRUE(f.Passes(500));
  EXPECT_FALSE(f.Passes(501));
  // On with no operators: anything above 0 passes, an empty (0) field never.
  const DimensionFilter any{true, 0, kOpNone, 0, kOpNone};
  EXPECT_TRUE(any.Passes(1));
  EXPECT_FALSE(any.Passes(0));
}

TEST(ProductTables, FilterExpressions) {
  DimensionFilter f;
  std::string why;
  ASSERT_TRUE(ParseFilterExpression("0 <= x < 3000", &f, &why));
  EXPECT_TRUE(f.on);
  EXPECT_EQ(f.lowerOp, kOpAtMost);
  EXPECT_EQ(f.upperOp, kOpLess);
  EXPECT_EQ(f.upper, 3000);
  ASSERT_TRUE(ParseFilterExpression("x<=600.5", &f, &why));
  EXPECT_EQ(f.lowerOp, kOpNone);
  EXPECT_EQ(f.upperOp, kOpAtMost);
  EXPECT_EQ(f.upper, 600.5);
  ASSERT_TRUE(ParseFilterExpression(" 500 = x ", &f, &why));
  EXPECT_EQ(f.lowerOp, kOpEqual);
  EXPECT_EQ(f.upperOp, kOpNone);
  ASSERT_TRUE(ParseFilterExpression("x", &f, &why));
  EXPECT_TRUE(f.on);
  EXPECT_EQ(f.lowerOp, kOpNone);
  ASSERT_TRUE(ParseFilterExpression("off", &f, &why));
  EXPECT_FALSE(f.on);
  for (const char* bad :
       {"", "x > 5", "5 < y", "x < ", "0 <= x < 3000 < 4", "600,5 < x", "on", "x < nan"}) {
    EXPECT_FALSE(ParseFilterExpression(bad, &f, &why)) << bad;
    EXPECT_FALSE(why.empty());
  }
}

TEST(ProductGroupList, LinesEndedByLineFeedAreEntries) {
  test::TempDir dir;
  const auto file = dir / "groups.txt";
  test::WriteFile(file, "Panel radiators type 10\r\n\nLitinov\xE1 t\xEClesa\nunended");
  RecordingMessenger messenger;
  std::vector<std::string> entries;
  ASSERT_TRUE(ReadGroupList(file, &entries, messenger));
  EXPECT_EQ(entries, (std::vector<std::string>{"Panel radiators type 10", "", "Litinová tělesa"}));

  // Lines crossing the 2048-byte blocks are whole; the unended last is still not listed.
  std::string big;
  std::vector<std::string> expected;
  for (int i = 0; i < 700; ++i) {
    expected.push_back("group " + std::to_string(i));
    big += expected.back() + "\n";
  }
  test::WriteFile(file, big + "tail");
  ASSERT_TRUE(ReadGroupList(file, &entries, messenger));
  EXPECT_EQ(entries, expected);
  EXPECT_TRUE(messenger.messages().empty());
}

TEST(ProductGroupList, MissingFile) {
  test::TempDir dir;
  RecordingMessenger messenger;
  std::vector<std::string> entries{"stale"};
  EXPECT_FALSE(ReadGroupList(dir / "none.txt", &entries, messenger));
  EXPECT_TRUE(entries.empty());
  ASSERT_EQ(messenger.messages().size(), 1u);
  EXPECT_EQ(messenger.messages()[0].text,
            "\nCann't open file\n'" + (dir / "none.txt").string() + "' !");
  EXPECT_EQ(messenger.messages()[0].caption, "Kvem - error:");
  EXPECT_EQ(messenger.messages()[0].icon, Icon::Stop);

  // The dialog does not initialise without its group list.
  DatabaseSelectionForm form{DatabaseSelection{}};
  EXPECT_FALSE(form.Initialise(dir.path(), messenger));
}

}  // namespace
}  // namespace kvem
