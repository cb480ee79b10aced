// "Kvem - Results": the rooms' losses after a calculation, and the hand-over
// of the rooms into the drawing's room table on OK.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QLineEdit;
class QTableWidget;

namespace kvem {
class Application;
}

namespace kvem::ui {

class ResultsDialog : public QDialog {
  Q_OBJECT

 public:
  ResultsDialog(kvem::Application& app, QWidget* parent = nullptr);

  QTableWidget* table() const { return table_; }
  // Project, building, total volume, total loss, loss per volume.
  QLineEdit* field(int index) const { return fields_[static_cast<std::size_t>(index)]; }

  // The selected rows as tab-separated text, the headings first: what Ctrl+C
  // puts on the clipboard for a spreadsheet.
  QString SelectedRowsText() const;
  void CopySelectedRows() const;

  // OK: hands the rooms over to the room table, then closes.
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  kvem::Application& app_;
  QTableWidget* table_ = nullptr;
  std::array<QLineEdit*, 5> fields_{};
};

}  // namespace kvem::ui
