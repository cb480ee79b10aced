#include "ui/desktop/table_choice_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/message_box_messenger.h"
#include "ui/desktop/widgets.h"

namespace kvem::ui {

TableChoiceDialog::TableChoiceDialog(const QString& caption, const QString& listLabel,
                                     std::vector<TableFieldView> fields,
                                     std::vector<TableRow> rows, bool selectFirst,
                                     QWidget* parent)
    : QDialog(parent), fields_(std::move(fields)), rows_(std::move(rows)) {
  setWindowTitle(caption);
  setObjectName("tableChoiceDialog");
  auto* layout = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  list_ = new QListWidget;
  list_->setObjectName("choiceList");
  auto* label = new QLabel(listLabel);
  label->setBuddy(list_);
  left->addWidget(label);
  left->addWidget(list_);
  for (const TableRow& row : rows_) list_->addItem(ToQString(row.empty() ? "" : row[0]));
  list_->setMinimumWidth(list_->sizeHintForColumn(0) + 40);
  layout->addLayout(left, 1);

  auto* form = new QFormLayout;
  for (const TableFieldView& view : fields_) {
    auto* edit = ReadOnlyEdit(view.objectName);
    edits_.push_back(edit);
    form->addRow(view.label, edit);
  }
  auto* right = new QVBoxLayout;
  right->addLayout(form);
  right->addStretch();
  auto* buttons = OkStornoButtons(this);
  right->addWidget(buttons);
  layout->addLayout(right);
  setLayout(layout);

  // Selection, not the current row: the list takes a current row when it gets
  // the focus, and that is no choice of the user's.
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    if (chosen.isEmpty()) return;
    const int row = list_->row(chosen.first());
    Show(row);
    emit rowChosen(row);
  });
  if (selectFirst && !rows_.empty()) list_->setCurrentRow(0);
  list_->setFocus();
}

void TableChoiceDialog::Show(int row) {
  selected_ = row;
  for (std::size_t i = 0; i < fields_.size(); ++i) edits_[i]->setText(ToQString(Field(fields_[i].field)).trimmed());
}

const TableRow* TableChoiceDialog::row() const {
  if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<std::size_t>(selected_)];
}

std::string TableChoiceDialog::Field(int field) const {
  const TableRow* r = row();
  if (r == nullptr || field < 1 || field > static_cast<int>(r->size())) return {};
  return (*r)[static_cast<std::size_t>(field - 1)];
}

}  // namespace kvem::ui
