// Draws the heat-loss reports with QPainter on any paged device: a QPrinter
// (print, preview) or a QPdfWriter (PDF file). Every page is drawn in units
// of 0.1 mm over the whole sheet; what stands where comes from the report
// engine, this code only measures the fonts and paints.
//
// Needs only Qt Gui, so the batch tool can write PDF files too.
#pragma once

#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <filesystem>

#include "platform/messenger.h"
#include "project/project.h"
#include "report/report_page.h"

namespace kvem::ui {

// The one font setting of the reports: a face metric-compatible with Times
// New Roman, so the columns look as they always did.
inline constexpr const char* kReportFontFamily = "Liberation Serif";

struct ReportFonts {
  QFont bold;                   // weight 700, cell height 5 mm
  QFont regular;                // weight 400, cell height 4 mm
  report::LineHeights heights;  // measured from "Á" in the two fonts
};

// The two fonts of a print job, sized in 0.1 mm, and their line heights.
ReportFonts MakeReportFonts();

// The whole sheet of the device's page layout, in 0.1 mm (orientation included).
report::PaperSize PaperOf(const QPagedPaintDevice& device);

// Plans the report for this device; false (with the messages of a refused
// page setup) when the margins leave no room.
bool PrepareDeviceReport(const QPagedPaintDevice& device, const Project& project,
                         const report::PrintSettings& settings, char separator, ReportFonts& fonts,
                         report::ReportLayout& layout, Messenger& messenger);

// Paints one page on an active painter whose device shows the whole sheet.
void PaintReportPage(QPainter& painter, const Project& project, const report::ReportLayout& layout,
                     const ReportFonts& fonts, int page);

// Paints pages [fromPage, toPage] (from 1; 0 means the first or the last)
// onto a device that shows the whole sheet. Returns false when the margins
// are refused or the device cannot be painted on.
bool RenderReport(QPagedPaintDevice& device, const Project& project,
                  const report::PrintSettings& settings, char separator, Messenger& messenger,
                  int fromPage = 0, int toPage = 0, int* pageCount = nullptr);

inline constexpr std::string_view kPdfErrorCaption = "Kvem - error:";

// The report as a PDF file (A4 portrait unless another sheet is given),
// replacing `file` atomically.
bool WriteReportPdf(const std::filesystem::path& file, const Project& project,
                    const report::PrintSettings& settings, char separator, Messenger& messenger,
                    int* pageCount = nullptr,
                    const QPageLayout& sheet = QPageLayout(QPageSize(QPageSize::A4),
                                                           QPageLayout::Portrait, QMarginsF()));

}  // namespace kvem::ui
