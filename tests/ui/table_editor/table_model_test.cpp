// The editor's model without a window: edits go through the fields' checks,
// refused values change nothing, saving writes what a fresh read gives back.
#include "ui/table_editor/table_model.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "tables/dbf.h"
#include "ui/table_editor/batch_edit.h"

namespace kvem::ui {
namespace {

using test::ReadFile;
using test::TempDir;

// NAME C 10, K N 5.2, DATUM D 8, PLATNY L 1, with two records.
std::filesystem::path MakeTable(const TempDir& dir) {
  DbfTable table;
  std::string why;
  EXPECT_TRUE(DbfTable::Create({{"NAME", 'C', 10, 0, 0},
                                {"K", 'N', 5, 2, 0},
                                {"DATUM", 'D', 8, 0, 0},
                                {"PLATNY", 'L', 1, 0, 0}},
                               table, &why))
      << why;
  table.AddRecord({"Cihla", "1.32", "20240101", "T"});
  table.AddRecord({"Beton", "2.99", "", "F"});
  const auto path = dir / "t.dbf";
  RecordingMessenger messenger;
  EXPECT_TRUE(WriteDbfTable(path, table, messenger));
  return path;
}

DbfTable Reread(const std::filesystem::path& path) {
  DbfTable table;
  RecordingMessenger messenger;
  EXPECT_TRUE(ReadDbfTable(path, table, messenger));
  return table;
}

TEST(TableModel, AddChangeDeleteSaveAndReadBack) {
  TempDir dir;
  const auto path = MakeTable(dir);
  DbfTableModel model;
  RecordingMessenger messenger;
  ASSERT_TRUE(model.Load(path, messenger));
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.columnCount(), 4);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "K");
  // Numbers are shown without their padding and right-aligned.
  EXPECT_EQ(model.data(model.index(0, 1)).toString(), "1.32");
  EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
            Qt::AlignRight);
  EXPECT_FALSE(model.isModified());

  std::string why;
  // A comma is taken as the decimal separator; the field's decimals are put in.
  EXPECT_TRUE(model.SetFieldText(1, 2, "1,5", &why)) << why;
  EXPECT_EQ(model.DisplayText(1, 2), "1.50");
  // Ten Czech characters fill a ten-character field: width counts characters.
  EXPECT_TRUE(model.SetFieldText(0, 1, "Žluťoučký!", &why)) << why;
  EXPECT_TRUE(model.isModified());

  const int added = model.AppendRecord();
  EXPECT_EQ(added, 2);
  EXPECT_TRUE(model.setData(model.index(added, 0), QString("Pórobeton")));
  EXPECT_TRUE(model.setData(model.index(added, 1), QString("0.5")));
  const int inserted = model.InsertRecord(0);
  EXPECT_EQ(inserted, 0);
  EXPECT_TRUE(model.SetFieldText(0, 1, "První", &why));
  ASSERT_TRUE(model.RemoveRecords(2, 1));  // "Beton"
  EXPECT_FALSE(model.RemoveRecords(3, 1));

  ASSERT_TRUE(model.Save(messenger)) << testing::PrintToString(messenger.texts());
  EXPECT_FALSE(model.isModified());
  const DbfTable back = Reread(path);
  ASSERT_EQ(back.recordCount(), 3u);
  EXPECT_EQ(back.Text(0, 1), "První");
  EXPECT_EQ(back.Text(1, 1), "Žluťoučký!");
  EXPECT_EQ(back.Text(1, 3), "20240101");
  EXPECT_EQ(back.Text(2, 1), "Pórobeton");
  EXPECT_EQ(back.Text(2, 2), " 0.50");  // as the file holds it
  // The layout is the one the table was read with.
  ASSERT_EQ(back.fieldCount(), 4);
  EXPECT_EQ(back.field(2).length, 5);
  EXPECT_EQ(back.field(2).decimals, 2);
  EXPECT_EQ(back.field(4).type, 'L');
}

TEST(TableModel, ValuesThatDoNotFitAreRefusedNotCut) {
  TempDir dir;
  const auto path = MakeTable(dir);
  const std::string before = ReadFile(path);
  DbfTableModel model;
  RecordingMessenger messenger;
  ASSERT_TRUE(model.Load(path, messenger));

  struct Case {
    int field;
    const char* text;
  };
  for (const Case& c : {Case{1, "Jedenáct zn"},  // 11 characters into 10
                        Case{1, "ρ"},            // not in Windows-1250
                        Case{2, "123.45"},       // needs 6 characters in N 5.2
                        Case{2, "abc"}, Case{3, "2024-01-01"}, Case{4, "maybe"}}) {
    std::string why;
    EXPECT_FALSE(model.SetFieldText(0, c.field, c.text, &why)) << c.text;
    EXPECT_FALSE(why.empty()) << c.text;
  }
  EXPECT_EQ(model.DisplayText(0, 1), "Cihla");
  EXPECT_EQ(model.DisplayText(0, 2), "1.32");
  EXPECT_FALSE(model.isModified());

  // Through the grid's interface the refusal is announced with its cell.
  int refusedRow = -1, refusedField = -1;
  QObject::connect(&model, &DbfTableModel::valueRefused, [&](int row, int field, const QString&) {
    refusedRow = row;
    refusedField = field;
  });
  EXPECT_FALSE(model.setData(model.index(1, 0), QString("Příliš dlouhý text")));
  EXPECT_EQ(refusedRow, 1);
  EXPECT_EQ(refusedField, 1);
  EXPECT_EQ(ReadFile(path), before);
}

TEST(TableModel, UnreadableTableKeepsWhatWasLoaded) {
  TempDir dir;
  const auto path = MakeTable(dir);
  test::WriteFile(dir / "bad.dbf", std::string("\x04not a table", 12));
  DbfTableModel model;
  RecordingMessenger messenger;
  ASSERT_TRUE(model.Load(path, messenger));
  EXPECT_FALSE(model.Load(dir / "bad.dbf", messenger));
  EXPECT_FALSE(messenger.messages().empty());
  EXPECT_EQ(model.path(), path);
  EXPECT_EQ(model.rowCount(), 2);
}

TEST(BatchEdit, AppliesSetsDeletesAndAddsThenSavesOnce) {
  TempDir dir;
  const auto path = MakeTable(dir);
  DbfTableModel model;
  RecordingMessenger messenger;
  ASSERT_TRUE(model.Load(path, messenger));
  BatchEdits edits;
  edits.sets = {"2,K=3.1", "1,1=Cihla CP"};
  edits.deletes = {"1"};
  edits.adds = {"\"Okno, 2x\",1.5", "Dveře,1.7,20250102,F"};
  ASSERT_TRUE(ApplyBatchEdits(model, edits, messenger, "Kvem - table editor"))
      << testing::PrintToString(messenger.texts());
  const DbfTable back = Reread(path);
  ASSERT_EQ(back.recordCount(), 3u);
  EXPECT_EQ(back.Text(0, 1), "Beton");
  EXPECT_EQ(back.Text(0, 2), " 3.10");
  EXPECT_EQ(back.Text(1, 1), "Okno, 2x");  // the quoted comma stays in the text
  EXPECT_EQ(back.Text(2, 3), "20250102");
}

TEST(BatchEdit, OneRefusedChangeLeavesTheFileAsItWas) {
  TempDir dir;
  const auto path = MakeTable(dir);
  const std::string before = ReadFile(path);
  for (BatchEdits edits :
       {BatchEdits{{"1,K=1000"}, {}, {}}, BatchEdits{{"9,1=x"}, {}, {}},
        BatchEdits{{"1,NOSUCH=x"}, {}, {}}, BatchEdits{{"1,K=2"}, {"3"}, {}},
        BatchEdits{{}, {}, {"a,1,2,3,4"}}, BatchEdits{{}, {"1"}, {"\"unclosed"}}}) {
    DbfTableModel model;
    RecordingMessenger messenger;
    ASSERT_TRUE(model.Load(path, messenger));
    EXPECT_FALSE(ApplyBatchEdits(model, edits, messenger, "Kvem - table editor"));
    ASSERT_EQ(messenger.messages().size(), 1u);
    EXPECT_EQ(messenger.messages()[0].caption, "Kvem - table editor");
    EXPECT_EQ(ReadFile(path), before);
  }
}

}  // namespace
}  // namespace kvem::ui
