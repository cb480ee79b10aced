#include "ui/report/report_actions.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QWidget>

#include "app/application.h"
#include "heatloss/heat_loss.h"
#include "ui/report/page_setup_dialog.h"
#include "ui/report/report_painter.h"

namespace kvem::ui {
namespace {

// The results report shows the losses of the data as they are now, so it
// calculates first; a calculation that stops (with its message) prints nothing.
bool ReadyToPrint(kvem::Application& app, const report::PrintSettings& settings) {
  if (settings.kind != report::ReportKind::Results) return true;
  return CalculateHeatLoss(app.project(), app.TmpDirectory(), app.messenger());
}

}  // namespace

ReportState::ReportState(QObject* owner) : QObject(owner) {
  setObjectName(QStringLiteral("kvem-report-state"));
  printer.setFullPage(true);  // the report places its own margins on the whole sheet
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(QStringLiteral("Kvem"));
}

ReportState& ReportStateOf(QWidget* widget) {
  QObject* owner = widget ? static_cast<QObject*>(widget->window()) : QCoreApplication::instance();
  auto* state = owner->findChild<ReportState*>(QStringLiteral("kvem-report-state"),
                                               Qt::FindDirectChildrenOnly);
  return state ? *state : *new ReportState(owner);
}

void PageSetup(kvem::Application& app, QWidget* parent) {
  ReportState& state = ReportStateOf(parent);
  PageSetupDialog dialog(state.settings, PaperOf(state.printer), app.messenger(), parent);
  dialog.exec();
}

void PrintReport(kvem::Application& app, QWidget* parent) {
  ReportState& state = ReportStateOf(parent);
  if (!ReadyToPrint(app, state.settings)) return;
  ReportFonts fonts;
  report::ReportLayout layout;
  if (!PrepareDeviceReport(state.printer, app.project(), state.settings, app.decimalSeparator(),
                           fonts, layout, app.messenger())) {
    return;
  }
  QPrintDialog dialog(&state.printer, parent);
  dialog.setMinMax(1, layout.plan.PageCount());
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (dialog.exec() != QDialog::Accepted) return;
  int from = 0;
  int to = 0;
  if (state.printer.printRange() == QPrinter::PageRange) {
    from = state.printer.fromPage();
    to = state.printer.toPage();
  }
  RenderReport(state.printer, app.project(), state.settings, app.decimalSeparator(),
               app.messenger(), from, to);
}

void PreviewReport(kvem::Application& app, QWidget* parent) {
  ReportState& state = ReportStateOf(parent);
  if (!ReadyToPrint(app, state.settings)) return;
  QPrintPreviewDialog dialog(&state.printer, parent);
  dialog.setWindowTitle(QStringLiteral("Kvem - Preview"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* printer) {
    RenderReport(*printer, app.project(), state.settings, app.decimalSeparator(), app.messenger());
  });
  dialog.exec();
}

void ExportReportPdf(kvem::Application& app, QWidget* parent) {
  ReportState& state = ReportStateOf(parent);
  const bool results = state.settings.kind == report::ReportKind::Results;
  QString base = QFileInfo(QString::fromStdString(app.project().path)).completeBaseName();
  if (base.isEmpty()) base = QStringLiteral("Kvem");
  const QString suggestion =
      base + (results ? QStringLiteral(" - results.pdf") : QStringLiteral(" - input data.pdf"));
  QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Export PDF"), suggestion,
                                              QStringLiteral("PDF files (*.pdf)"));
  if (file.isEmpty()) return;
  if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".pdf");
  if (!ReadyToPrint(app, state.settings)) return;
  WriteReportPdf(file.toStdString(), app.project(), state.settings, app.decimalSeparator(),
                 app.messenger(), nullptr, state.printer.pageLayout());
}

void PrintSetup(QWidget* parent) {
  ReportState& state = ReportStateOf(parent);
  QPageSetupDialog dialog(&state.printer, parent);
  dialog.exec();
}

}  // namespace kvem::ui
