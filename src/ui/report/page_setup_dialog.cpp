#include "ui/report/page_setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/report/report_painter.h"

namespace kvem::ui {

PageSetupDialog::PageSetupDialog(report::PrintSettings& settings, const report::PaperSize& paper,
                                 Messenger& messenger, QWidget* parent)
    : QDialog(parent), settings_(settings), paper_(paper), messenger_(messenger) {
  setWindowTitle(QStringLiteral("Kvem - Page Setup"));
  setObjectName(QStringLiteral("PageSetupDialog"));

  const std::array<const char*, 4> labels = {"&Top margin indent", "L&eft-hand margin indent",
                                             "R&ight-hand margin indent", "B&ottom margin indent"};
  const std::array<int, 4> values = {settings.topMargin, settings.leftMargin, settings.rightMargin,
                                     settings.bottomMargin};
  auto* grid = new QGridLayout;
  for (std::size_t i = 0; i < margins_.size(); ++i) {
    auto* box = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems({"5", "10", "15", "20", "25", "30", "40", "50"});
    box->lineEdit()->setMaxLength(3);
    box->setEditText(QString::number(values[i]));
    box->setObjectName(QStringLiteral("margin%1").arg(i));
    margins_[i] = box;
    auto* label = new QLabel(QString::fromUtf8(labels[i]), this);
    label->setBuddy(box);
    grid->addWidget(label, static_cast<int>(i), 0);
    grid->addWidget(box, static_cast<int>(i), 1);
  }
  grid->addWidget(new QLabel(QStringLiteral("in millimetres"), this), 4, 1);

  auto* group = new QGroupBox(QStringLiteral("Print setup"), this);
  results_ = new QRadioButton(QStringLiteral("Print results"), group);
  inputData_ = new QRadioButton(QStringLiteral("Print input data"), group);
  (settings.kind == report::ReportKind::Results ? results_ : inputData_)->setChecked(true);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(results_);
  groupLayout->addWidget(inputData_);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &PageSetupDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PageSetupDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(group);
  layout->addWidget(buttons);
}

void PageSetupDialog::accept() {
  std::array<std::string, 4> texts;
  for (std::size_t i = 0; i < texts.size(); ++i)
    texts[i] = margins_[i]->currentText().toStdString();
  const auto kind =
      inputData_->isChecked() ? report::ReportKind::InputData : report::ReportKind::Results;
  if (!report::ApplyPageSetup(texts, kind, paper_, MakeReportFonts().heights, settings_,
                              messenger_)) {
    return;  // stays open so the margins can be corrected
  }
  QDialog::accept();
}

}  // namespace kvem::ui
