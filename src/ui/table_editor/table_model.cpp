#include "ui/table_editor/table_model.h"

#include <cstdio>

#include "platform/numbers.h"

namespace kvem::ui {

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string TrimLeadingBlanks(const std::string& text) {
  std::size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start);
}

// The number as the file will hold it, without the padding: the field's
// decimals and a point, so the grid shows what a save writes.
std::string CanonicalNumber(const DbfField& field, const std::string& text) {
  std::string plain = TrimLeadingBlanks(text);
  if (plain.empty()) return plain;
  for (char& c : plain) {
    if (c == ',') c = '.';
  }
  const double value = ParseDouble(plain, '.');
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", field.decimals, value);
  return buffer;
}

}  // namespace

DbfTableModel::DbfTableModel(QObject* parent) : QAbstractTableModel(parent) {}

bool DbfTableModel::Load(const std::filesystem::path& file, Messenger& messenger) {
  DbfTable read;
  if (!ReadDbfTable(file, read, messenger)) return false;
  beginResetModel();
  table_ = std::move(read);
  path_ = file;
  loaded_ = true;
  endResetModel();
  SetModified(false);
  return true;
}

bool DbfTableModel::Save(Messenger& messenger) {
  if (!loaded_) return false;
  if (!WriteDbfTable(path_, table_, messenger)) return false;
  SetModified(false);
  return true;
}

bool DbfTableModel::SaveAs(const std::filesystem::path& file, Messenger& messenger) {
  if (!loaded_) return false;
  if (!WriteDbfTable(file, table_, messenger)) return false;
  path_ = file;
  SetModified(false);
  return true;
}

bool DbfTableModel::SetFieldText(std::size_t record, int field, const std::string& text,
                                 std::string* why) {
  if (record >= table_.recordCount() || field < 1 || field > table_.fieldCount()) {
    if (why) *why = "there is no such cell";
    return false;
  }
  const DbfField& f = table_.field(field);
  if (!FieldAccepts(f, text, why)) return false;
  std::string stored = f.IsWrittenAsText() ? text : CanonicalNumber(f, text);
  if (stored == table_.Text(record, field)) return true;
  table_.SetText(record, field, std::move(stored));
  const QModelIndex cell = index(static_cast<int>(record), field - 1);
  emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
  SetModified(true);
  return true;
}

std::string DbfTableModel::DisplayText(std::size_t record, int field) const {
  const std::string& text = table_.Text(record, field);
  return table_.field(field).IsCharacter() ? text : TrimLeadingBlanks(text);
}

int DbfTableModel::AppendRecord() {
  return InsertRecord(rowCount());
}

int DbfTableModel::InsertRecord(int row) {
  if (!loaded_) return -1;
  if (row < 0 || row > rowCount()) row = rowCount();
  beginInsertRows(QModelIndex(), row, row);
  table_.InsertRecord(static_cast<std::size_t>(row));
  // Every field present, so a new record formats like the others.
  for (int k = 1; k <= table_.fieldCount(); ++k)
    table_.SetText(static_cast<std::size_t>(row), k, "");
  endInsertRows();
  SetModified(true);
  return row;
}

bool DbfTableModel::RemoveRecords(int row, int count) {
  if (count <= 0 || row < 0 || row + count > rowCount()) return false;
  beginRemoveRows(QModelIndex(), row, row + count - 1);
  for (int i = 0; i < count; ++i) table_.RemoveRecord(static_cast<std::size_t>(row));
  endRemoveRows();
  SetModified(true);
  return true;
}

QString DbfTableModel::FieldDescription(const DbfField& field) {
  QString width = QString::number(field.length);
  if (!field.IsWrittenAsText()) width += QLatin1Char('.') + QString::number(field.decimals);
  return FromUtf8(field.name) + QStringLiteral("  ") + QChar::fromLatin1(field.type) +
         QLatin1Char(' ') + width;
}

int DbfTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.recordCount());
}

int DbfTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.fieldCount();
}

QVariant DbfTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const auto record = static_cast<std::size_t>(index.row());
  const int field = index.column() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return FromUtf8(DisplayText(record, field));
    case Qt::TextAlignmentRole:
      return table_.field(field).IsWrittenAsText() ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant DbfTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    if (role == Qt::DisplayRole) return section + 1;
    return {};
  }
  if (section < 0 || section >= columnCount()) return {};
  const DbfField& f = table_.field(section + 1);
  if (role == Qt::DisplayRole) return FromUtf8(f.name);
  if (role == Qt::ToolTipRole) return FieldDescription(f);
  return {};
}

Qt::ItemFlags DbfTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool DbfTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  std::string why;
  const std::string text = value.toString().toUtf8().toStdString();
  if (SetFieldText(static_cast<std::size_t>(index.row()), index.column() + 1, text, &why)) {
    return true;
  }
  emit valueRefused(index.row(), index.column() + 1, FromUtf8(why));
  return false;
}

void DbfTableModel::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  emit modifiedChanged(modified);
}

}  // namespace kvem::ui
