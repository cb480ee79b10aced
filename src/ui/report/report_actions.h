// The printing commands of the main window: page setup, print, preview, PDF
// export and printer setup. The print settings and the printer belong to the
// window they are called for and live as long as it does (never saved).
#pragma once

#include <QObject>
#include <QPrinter>

#include "report/report_plan.h"

class QWidget;

namespace kvem {
class Application;
}

namespace kvem::ui {

// "&Page setup...": margins and report kind.
void PageSetup(kvem::Application& app, QWidget* parent);
// "&Print...\tCtrl+P": the system print dialog with pages 1 to the page count.
void PrintReport(kvem::Application& app, QWidget* parent);
// "&Preview": the report in a print preview.
void PreviewReport(kvem::Application& app, QWidget* parent);
// "Export PDF...": the report of the chosen kind into a PDF file.
void ExportReportPdf(kvem::Application& app, QWidget* parent);
// "&Print setup...": printer, paper and orientation.
void PrintSetup(QWidget* parent);

// What the window keeps for its reports.
class ReportState : public QObject {
  Q_OBJECT

 public:
  explicit ReportState(QObject* owner);
  report::PrintSettings settings;
  QPrinter printer{QPrinter::HighResolution};
};

// The state of `widget`'s window, made on first use.
ReportState& ReportStateOf(QWidget* widget);

}  // namespace kvem::ui
