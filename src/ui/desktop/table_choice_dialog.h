// A choice from a standard table: the list of field 1 on the left, the
// chosen row's other fields beside it. Used for indoor temperatures,
// U-values, joint coefficients and the catalogue of openings.
#pragma once

#include <QDialog>
#include <vector>

#include "heatloss/main_data_form.h"

class QListWidget;
class QLineEdit;

namespace kvem::ui {

struct TableFieldView {
  QString label;
  int field;  // from 1
  QString objectName;
};

class TableChoiceDialog : public QDialog {
  Q_OBJECT
 public:
  TableChoiceDialog(const QString& caption, const QString& listLabel,
                    std::vector<TableFieldView> fields, std::vector<TableRow> rows,
                    bool selectFirst, QWidget* parent = nullptr);

  int selectedRow() const { return selected_; }
  // The chosen row's field (from 1); empty when nothing is chosen.
  std::string Field(int field) const;
  const TableRow* row() const;

 signals:
  void rowChosen(int row);

 private:
  void Show(int row);

  std::vector<TableFieldView> fields_;
  std::vector<TableRow> rows_;
  QListWidget* list_;
  std::vector<QLineEdit*> edits_;
  int selected_ = -1;
};

}  // namespace kvem::ui
