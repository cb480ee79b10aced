// The records of one dBase table as an editable Qt model: one row per record,
// one column per field, the field names as headings. Every change goes
// through the field's own check (FieldAccepts), so a value that does not fit
// its field is refused with the reason and never cut; saving writes the whole
// table atomically with the layout it was read with.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <filesystem>
#include <string>

#include "platform/messenger.h"
#include "tables/dbf.h"

namespace kvem::ui {

class DbfTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit DbfTableModel(QObject* parent = nullptr);

  // Reads the table; on failure the layer's messages have been shown and the
  // model keeps what it held before.
  bool Load(const std::filesystem::path& file, Messenger& messenger);
  // Writes the table to its file, or to `file` (which then becomes its file).
  bool Save(Messenger& messenger);
  bool SaveAs(const std::filesystem::path& file, Messenger& messenger);

  const std::filesystem::path& path() const { return path_; }
  const DbfTable& table() const { return table_; }
  bool isModified() const { return modified_; }
  bool isLoaded() const { return loaded_; }

  // Changes the text of `field` (from 1) of `record` (from 0). Numbers are
  // stored the way the file will hold them (point, the field's decimals).
  // False, with the reason in `why`, when the field refuses the text.
  bool SetFieldText(std::size_t record, int field, const std::string& text, std::string* why);
  // The text of a field as the grid shows it: numbers without their padding.
  std::string DisplayText(std::size_t record, int field) const;

  // A new record of empty fields at the end or before `row`; returns its row.
  int AppendRecord();
  int InsertRecord(int row);
  // Removes `count` records from `row` on; false when the range is not there.
  bool RemoveRecords(int row, int count);

  // "NAME  C 60" / "NAME  N 6.2": a field's name with its type and width.
  static QString FieldDescription(const DbfField& field);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 signals:
  // A value typed into the grid was refused: record (from 0), field (from 1), reason.
  void valueRefused(int record, int field, const QString& reason);
  void modifiedChanged(bool modified);

 private:
  void SetModified(bool modified);

  DbfTable table_;
  std::filesystem::path path_;
  bool loaded_ = false;
  bool modified_ = false;
};

}  // namespace kvem::ui
