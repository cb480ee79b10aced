// Listing, covered output, balance and picking of "Select Products".
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "heaters/selection.h"
#include "platform/messenger.h"
#include "support/test_support.h"
#include "tables/dbf.h"

namespace kvem {
namespace {

struct Product {
  std::string q, length, width, height, kind, exponent;
};

// A product table of the shipped layout holding `products`.
std::filesystem::path WriteProducts(const test::TempDir& dir,
                                    const std::vector<Product>& products) {
  std::vector<DbfField> fields;
  const char* names[] = {"PRODNO", "GROUP", "TYPE",   "NAME",   "CONN",   "PRICE",
                         "MASS",   "WATER", "Q75",    "RATING", "SOURCE", "Q",
                         "LENGTH", "WIDTH", "HEIGHT", "HUB",    "KIND",   "EXPN"};
  for (const char* name : names) {
    DbfField f;
    f.name = name;
    f.type =
        std::string_view("PRODNO TYPE NAME CONN RATING SOURCE").find(name) == std::string_view::npos
            ? 'N'
            : 'C';
    f.length = f.type == 'C' ? 20 : 10;
    f.decimals = f.type == 'C' ? 0 : 4;
    fields.push_back(f);
  }
  DbfTable table;
  std::string why;
  EXPECT_TRUE(DbfTable::Create(fields, table, &why)) << why;
  for (std::size_t i = 0; i < products.size(); ++i) {
    const Product& p = products[i];
    const std::size_t r = table.AddRecord();
    table.SetText(r, 1, "P" + std::to_string(i + 1));
    table.SetText(r, 3, "T");
    table.SetText(r, 4, "Product " + std::to_string(i + 1));
    table.SetText(r, 12, p.q);
    table.SetText(r, 13, p.length);
    table.SetText(r, 14, p.width);
    table.SetText(r, 15, p.height);
    table.SetText(r, 17, p.kind);
    table.SetText(r, 18, p.exponent);
  }
  const auto path = dir / "IPC_73521.dbf";
  RecordingMessenger messenger;
  EXPECT_TRUE(WriteDbfTable(path, table, messenger));
  return path;
}

std::vector<std::uint32_t> Listed(const ProductList& list) {
  std::vector<std::uint32_t> records;
  for (std::size_t i = 0; i < list.size(); ++i) records.push_back(list[i].record);
  return records;
}

TEST(ProductListing, OutputAndFilters) {
  test::TempDir dir;
  const auto table = WriteProducts(
      dir, {
               {"500", "1000", "100", "600", "0", "1.3"},  // 1
               {"0", "1000", "100", "600", "0", "1.3"},    // 2: Q = 0
               {"", "1000", "100", "600", "0", "1.3"},     // 3: empty Q
               {"800", "1000", "100", "", "0", "1.3"},     // 4: empty height
               {"900", "3000", "100", "600", "0", "1.3"},  // 5: length at the default's open end
               {"0.1", "400", "65", "300", "0", "1.3"},    // 6
           });
  RecordingMessenger messenger;
  ProductList list;
  DimensionFilters filters;
  ASSERT_TRUE(ListProducts(table, filters, &list, messenger));
  EXPECT_EQ(Listed(list), (std::vector<std::uint32_t>{1, 4, 6}));
  EXPECT_EQ(list.Text(1, ProductList::kName), "Product 4");
  EXPECT_EQ(list.Text(0, ProductList::kOutput), "  500.0000");  // leading blanks stay
  EXPECT_EQ(list[0].exponent, 1.3);

  // An empty height is excluded whenever the height filter is on, whatever its operators.
  for (int op : {kOpNone, kOpLess, kOpAtMost, kOpEqual}) {
    filters.height = {true, 0, op, 0, kOpNone};
    ASSERT_TRUE(ListProducts(table, filters, &list, messenger));
    const auto listed = Listed(list);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), 4u), 0) << op;
  }
  filters.height = {true, 300, kOpLess, 600, kOpAtMost};  // 300 < h <= 600
  filters.length = {};
  filters.width = {true, 100, kOpEqual, 0, kOpNone};
  ASSERT_TRUE(ListProducts(table, filters, &list, messenger));
  EXPECT_EQ(Listed(list), (std::vector<std::uint32_t>{1, 5}));
  EXPECT_TRUE(messenger.messages().empty());
}

// A table large enough to be listed in two halves side by side: the rows come
// in table order with their own texts, across the halves' boundary, in a
// listing repeated on the same list and when the file is cut short.
TEST(ProductListing, LargeTablesKeepTableOrder) {
  test::TempDir dir;
  constexpr std::size_t kCount = 100001;
  std::vector<Product> products;
  std::vector<std::uint32_t> expected;
  for (std::size_t i = 0; i < kCount; ++i) {
    const bool output = i % 7 != 3;
    const int height = 300 + static_cast<int>(i % 5) * 150;  // 300 .. 900
    products.push_back({output ? std::to_string(100 + i % 900) : "0", "1000", "100",
                        std::to_string(height), "0", "1.3"});
    if (output && height >= 450 && height <= 750)
      expected.push_back(static_cast<std::uint32_t>(i + 1));
  }
  const auto table = WriteProducts(dir, products);
  DimensionFilters filters;
  filters.height = {true, 450, kOpAtMost, 750, kOpAtMost};
  RecordingMessenger messenger;
  ProductList list;
  for (int pass = 0; pass < 2; ++pass) {
    ASSERT_TRUE(ListProducts(table, filters, &list, messenger));
    ASSERT_EQ(Listed(list), expected) << pass;
    for (std::size_t row = 0; row < list.size(); row += 997) {
      EXPECT_EQ(list.Text(row, ProductList::kName), "Product " + std::to_string(list[row].record));
    }
    const std::size_t last = list.size() - 1;
    EXPECT_EQ(list.Text(last, ProductList::kNumber), "P" + std::to_string(list[last].record));
  }

  // Cut in the second half, then in the first: the records before the cut.
  const std::string bytes = test::ReadFile(table);
  const std::size_t recordLength = 1 + 6 * 20 + 12 * 10;
  const std::size_t header = bytes.size() - 1 - kCount * recordLength;
  for (std::size_t whole : {std::size_t{80000}, std::size_t{30000}}) {
    test::WriteFile(dir / "cut.dbf", bytes.substr(0, header + whole * recordLength + 7));
    ASSERT_TRUE(ListProducts(dir / "cut.dbf", filters, &list, messenger));
    std::vector<std::uint32_t> before;
    for (std::uint32_t r : expected) {
      if (r <= whole) before.push_back(r);
    }
    EXPECT_EQ(Listed(list), before) << whole;
  }
  EXPECT_TRUE(messenger.messages().empty());
}

// Rows keep their texts column by column, also those of spare lists
// attached behind the list's own (an empty one skipped) and copied in when a
// row is added afterwards; a text too long for a column is cut at a whole
// letter.
TEST(ProductListing, RowsKeepTheirTexts) {
  std::string letters;
  for (int i = 0; i < 5000; ++i) letters += "č";  // 10,000 bytes
  ProductList list;
  list.Add({500.0, 1.3, 1, 0}, {"P1", "", "Deskové", "12.50", "500.0", "0", "1.3"});
  std::vector<ProductList>& spares = list.Spares(3);
  spares[0].Add({2.0, 1.0, 4, 0}, {"s0", "", "", "", "", "", ""});
  spares[2].Add({600.0, 1.2, 2, 1}, {"P2", "T", letters, "", "600.0", "1", "1.2"});
  spares[2].Add({700.0, 1.1, 3, 0}, {"", "", "", "", "", "", ""});
  list.AttachSpares({2, 1, 0});
  const auto rows = [](const ProductList& l) {
    std::string all;
    for (std::size_t row = 0; row < l.size(); ++row)
      all += std::string(l.Text(row, ProductList::kNumber)) + std::to_string(l[row].record) + " ";
    return all;
  };
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(rows(list), pass == 0 ? "P11 P22 3 s04 " : "P11 P22 3 s04 last5 ");
    EXPECT_EQ(list.Text(0, ProductList::kName), "Deskové");
    EXPECT_EQ(list.Text(0, ProductList::kExponent), "1.3");
    EXPECT_EQ(list.Text(1, ProductList::kName), letters.substr(0, ProductList::kMaxText));
    EXPECT_EQ(list.Text(1, ProductList::kPrice), "");
    EXPECT_EQ(list.Text(1, ProductList::kOutput), "600.0");
    EXPECT_EQ(list.Text(2, ProductList::kKind), "");
    EXPECT_EQ(list[1].kind, 1);
    list.Add({5.0, 1.0, 5, 0}, {"last", "", "", "", "", "", ""});
  }
  list.Clear();
  list.Add({1.0, 1.0, 9, 0}, {"x", "", "", "", "", "", ""});
  EXPECT_EQ(rows(list), "x9 ");
  // Cut before a letter that would not fit whole.
  ProductList odd;
  odd.Add({}, {"", "", "a" + letters, "", "", "", ""});
  EXPECT_EQ(odd.Text(0, ProductList::kName).size(), ProductList::kMaxText - 1);
}

TEST(ProductListing, TablesThatCannotBeRead) {
  test::TempDir dir;
  RecordingMessenger messenger;
  ProductList list;
  EXPECT_FALSE(ListProducts(dir / "IPC_73522.dbf", DimensionFilters{}, &list, messenger));
  ASSERT_EQ(messenger.messages().size(), 1u);
  EXPECT_EQ(messenger.messages()[0].text.find("\nCann't open file\n'"), 0u);

  // A file that ends inside its header.
  const auto good = WriteProducts(dir, {{"500", "1000", "100", "600", "0", "1.3"}});
  const std::string bytes = test::ReadFile(good);
  test::WriteFile(dir / "cut.dbf", bytes.substr(0, 100));
  messenger.Clear();
  EXPECT_FALSE(ListProducts(dir / "cut.dbf", DimensionFilters{}, &list, messenger));
  ASSERT_FALSE(messenger.messages().empty());
  EXPECT_EQ(messenger.messages().back().text, "Errors found during processing !");
  EXPECT_EQ(messenger.messages().back().caption, "Kvem - error:");

  // A table of another layout is refused rather than read at wrong positions.
  std::vector<DbfField> fields(3);
  for (int i = 0; i < 3; ++i) fields[i] = {"F" + std::to_string(i), 'C', 5, 0, 0};
  DbfTable small;
  std::string why;
  ASSERT_TRUE(DbfTable::Create(fields, small, &why)) << why;
  small.AddRecord();
  ASSERT_TRUE(WriteDbfTable(dir / "small.dbf", small, messenger));
  messenger.Clear();
  EXPECT_FALSE(ListProducts(dir / "small.dbf", DimensionFilters{}, &list, messenger));
  ASSERT_EQ(messenger.messages().size(), 1u);
  EXPECT_NE(messenger.messages()[0].text.find("3 fields"), std::string::npos);
}

class SelectionTest : public ::testing::Test {
 protected:
  // Record at 90/70/20, so that every coefficient is 1 for an exponent of 0
  // and the catalogue outputs count as they stand.
  ProductSelection Open(const std::vector<Product>& products, double loss, long heaters = 1,
                        long elements = 1, bool identical = false) {
    COtopneTeleso record;
    record.tw = 90;
    record.tr = 70;
    ProductSelection selection(record, loss);
    selection.InitialiseControls(heaters, elements, identical, false);
    EXPECT_TRUE(selection.Open(WriteProducts(dir_, products), DimensionFilters{}, messenger_));
    return selection;
  }
  test::TempDir dir_;
  RecordingMessenger messenger_;
};

TEST_F(SelectionTest, SectionalElementCountFromTheLoss) {
  // 150 W per element, one heater: 1000 W -> 6.667 + 0.999 -> 7; exactly 1050 W -> 7;
  // 1050.3 W -> 8.
  for (auto [loss, elements] : {std::pair{1000.0, 7L}, {1050.0, 7L}, {1050.3, 8L}}) {
    ProductSelection s = Open({{"150", "60", "160", "580", "1", "0"}}, loss);
    EXPECT_FALSE(s.ElementsEnabled());  // no product chosen yet
    s.SetSelection({0});
    EXPECT_EQ(s.elements(), elements) << loss;
    EXPECT_TRUE(s.ElementsEnabled());
    EXPECT_DOUBLE_EQ(s.covered(), 150.0 * static_cast<double>(elements) * s.overall());
    EXPECT_EQ(s.ElementsText(), "   " + std::to_string(elements));
  }
  // Three elements or more are kept as the engineer set them.
  ProductSelection s = Open({{"150", "60", "160", "580", "1", "0"}}, 1000, 1, 4);
  s.SetSelection({0});
  EXPECT_EQ(s.elements(), 4);
  EXPECT_DOUBLE_EQ(s.covered(), 600.0 * s.overall());
  // Two identical heaters share the loss: 1000 / 2 / 150 + 0.999 -> 4 elements each.
  ProductSelection two = Open({{"150", "60", "160", "580", "1", "0"}}, 1000, 2, 1, true);
  two.SetSelection({0});
  EXPECT_EQ(two.elements(), 4);
  EXPECT_DOUBLE_EQ(two.covered(), 2 * 4 * 150.0 * two.overall());
}

TEST_F(SelectionTest, ExponentAndKindComeFromTheRow) {
  ProductSelection s = Open({{"1000", "1000", "100", "600", "0", "1.3"}}, 500);
  s.SetSelection({0});
  // At 90/70/20 only the mass-flow coefficient differs from 1: (1.01 x 59.44 / 60)^1.3.
  EXPECT_EQ(s.record().exponent, 1.3);
  EXPECT_NEAR(s.overall(), 1.0007513, 1e-6);
  EXPECT_DOUBLE_EQ(s.covered(), 1000.0 * s.overall());
  EXPECT_DOUBLE_EQ(s.reserve(), s.covered() - 500.0);
  EXPECT_EQ(s.notCovered(), 0.0);
  EXPECT_EQ(s.stillNeeded(), 0.0);
}

TEST_F(SelectionTest, SeveralDifferentProductsForceOneHeater) {
  ProductSelection s = Open(
      {{"400", "1000", "100", "600", "0", "0"}, {"300", "1000", "100", "600", "0", "0"}}, 2000, 3);
  EXPECT_TRUE(s.IdenticalEnabled());
  s.SetSelection({1, 0});
  EXPECT_EQ(s.heaters(), 1);
  EXPECT_FALSE(s.IdenticalEnabled());
  EXPECT_DOUBLE_EQ(s.covered(), 700.0);
  EXPECT_DOUBLE_EQ(s.notCovered(), 1300.0);
  EXPECT_DOUBLE_EQ(s.stillNeeded(), 1300.0);
  EXPECT_EQ(ProductSelection::BalanceText(s.notCovered(), ','), "   1300,0");

  // With "all heaters identical" the count stays and multiplies the sum.
  s.SetIdentical(true);
  s.SetHeaters(3);
  EXPECT_EQ(s.heaters(), 3);
  EXPECT_DOUBLE_EQ(s.covered(), 2100.0);
  EXPECT_DOUBLE_EQ(s.reserve(), 100.0);
  s.SetIdentical(false);
  EXPECT_EQ(s.heaters(), 1);
}

TEST_F(SelectionTest, BalanceDividesByTheOverallCoefficient) {
  COtopneTeleso record;
  record.tw = 90;
  record.tr = 70;
  record.connection = 4;
  record.fix = 0.8;
  ProductSelection s(record, 1000);
  ASSERT_TRUE(s.Open(WriteProducts(dir_, {{"500", "1000", "100", "600", "0", "0"}}),
                     DimensionFilters{}, messenger_));
  s.SetSelection({0});
  EXPECT_DOUBLE_EQ(s.covered(), 400.0);
  EXPECT_DOUBLE_EQ(s.notCovered(), 600.0);
  EXPECT_DOUBLE_EQ(s.stillNeeded(), 750.0);
}

TEST_F(SelectionTest, PickingAtItsBoundary) {
  // Needed 1000 W, overall 1: the first row whose Q is not below 1000 is picked.
  ProductSelection s = Open({{"999.9", "1000", "100", "600", "0", "0"},
                             {"1000", "1000", "100", "600", "0", "0"},
                             {"1500", "1000", "100", "600", "0", "0"}},
                            1000);
  EXPECT_EQ(s.NextRow(), 1);
  s.SetAddAnother(true);
  EXPECT_EQ(s.selectedRows(), (std::vector<std::size_t>{1}));
  EXPECT_DOUBLE_EQ(s.covered(), 1000.0);
  EXPECT_EQ(s.reserve(), 0.0);

  // Nothing large enough: nothing is selected.
  ProductSelection none = Open({{"100", "1000", "100", "600", "0", "0"}}, 5000);
  EXPECT_EQ(none.NextRow(), -1);
  none.SetAddAnother(true);
  EXPECT_TRUE(none.selectedRows().empty());

  // Per heater and per element: 1000 W over 2 identical heaters of 4 elements
  // needs 125 W an element.
  ProductSelection per =
      Open({{"124.9", "60", "160", "580", "1", "0"}, {"125", "60", "160", "580", "1", "0"}}, 1000,
           2, 4, true);
  per.SetSelection({0});
  per.SetSelection({});
  EXPECT_EQ(per.NextRow(), 1);
}

TEST_F(SelectionTest, RecordsWithoutMeaningAreRefusedAtOpening) {
  COtopneTeleso record;
  record.tr = record.tw;
  ProductSelection s(record, 1000);
  EXPECT_FALSE(s.Open(WriteProducts(dir_, {{"500", "1000", "100", "600", "0", "0"}}),
                      DimensionFilters{}, messenger_));
  ASSERT_EQ(messenger_.messages().size(), 1u);
  EXPECT_NE(messenger_.messages()[0].text.find("Inlet and outlet"), std::string::npos);
}

}  // namespace
}  // namespace kvem
