// "Kvem - Page Setup": the four margins and the report kind of the printed
// report. OK stores them only when they leave room for the report on the
// current paper; Storno changes nothing.
#pragma once

#include <QDialog>
#include <array>

#include "platform/messenger.h"
#include "report/report_plan.h"

class QComboBox;
class QRadioButton;

namespace kvem::ui {

class PageSetupDialog : public QDialog {
  Q_OBJECT

 public:
  PageSetupDialog(report::PrintSettings& settings, const report::PaperSize& paper,
                  Messenger& messenger, QWidget* parent = nullptr);

  // Top, left-hand, right-hand, bottom.
  QComboBox* margin(int index) const { return margins_[static_cast<std::size_t>(index)]; }
  QRadioButton* resultsButton() const { return results_; }
  QRadioButton* inputDataButton() const { return inputData_; }

  void accept() override;

 private:
  report::PrintSettings& settings_;
  report::PaperSize paper_;
  Messenger& messenger_;
  std::array<QComboBox*, 4> margins_{};
  QRadioButton* results_ = nullptr;
  QRadioButton* inputData_ = nullptr;
};

}  // namespace kvem::ui
