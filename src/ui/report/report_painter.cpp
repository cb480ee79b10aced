#include "ui/report/report_painter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <cmath>

#include "platform/files.h"

namespace kvem::ui {
namespace {

QString Q(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A font whose cell (ascent + descent) is `cellHeight` units high. The size is
// found from a large probe, so it does not depend on hinting at small sizes.
QFont SizedFont(int weight, int cellHeight) {
  QFont font(QString::fromLatin1(kReportFontFamily));
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferOutline);
  font.setKerning(false);
  QFont probe = font;
  probe.setPixelSize(1000);
  const double probeHeight = QFontMetricsF(probe).height();
  const int pixels = static_cast<int>(std::lround(cellHeight * 1000.0 / probeHeight));
  font.setPixelSize(pixels > 0 ? pixels : cellHeight);
  return font;
}

int TextHeight(const QFont& font) {
  return static_cast<int>(
      std::lround(QFontMetricsF(font).size(Qt::TextSingleLine, QStringLiteral("Á")).height()));
}

void DrawText(QPainter& painter, const report::TextItem& item, const ReportFonts& fonts) {
  const QFont& font = item.font == report::FontKind::Bold ? fonts.bold : fonts.regular;
  const QFontMetricsF metrics(font);
  const QString text = Q(item.text);
  const double room = std::max(1, item.limitRight - item.limitLeft);
  double width = metrics.horizontalAdvance(text);
  double scale = 1.0;
  if (width > room) {  // narrow the text rather than let it cross into the next cell
    scale = room / width;
    width = room;
  }
  double left = item.x;
  if (item.anchor == report::Anchor::Right) left = item.x - width;
  if (item.anchor == report::Anchor::Centre) left = item.x - width / 2.0;
  left = std::clamp(left, static_cast<double>(item.limitLeft), item.limitRight - width);

  painter.setFont(font);
  painter.save();
  painter.translate(left, item.top + metrics.ascent());
  if (scale < 1.0) painter.scale(scale, 1.0);
  painter.drawText(QPointF(0, 0), text);
  painter.restore();
}

}  // namespace

ReportFonts MakeReportFonts() {
  ReportFonts fonts;
  fonts.bold = SizedFont(700, report::kBoldFontHeight);
  fonts.regular = SizedFont(400, report::kRegularFontHeight);
  fonts.heights.bold = TextHeight(fonts.bold) + 20;
  fonts.heights.regular = TextHeight(fonts.regular) + 10;
  return fonts;
}

report::PaperSize PaperOf(const QPagedPaintDevice& device) {
  const QRectF sheet = device.pageLayout().fullRect(QPageLayout::Millimeter);
  return {static_cast<int>(std::lround(sheet.width() * 10.0)),
          static_cast<int>(std::lround(sheet.height() * 10.0))};
}

bool PrepareDeviceReport(const QPagedPaintDevice& device, const Project& project,
                         const report::PrintSettings& settings, char separator, ReportFonts& fonts,
                         report::ReportLayout& layout, Messenger& messenger) {
  fonts = MakeReportFonts();
  return report::PrepareReport(project, settings, PaperOf(device), fonts.heights, separator, layout,
                               messenger);
}

void PaintReportPage(QPainter& painter, const Project& project, const report::ReportLayout& layout,
                     const ReportFonts& fonts, int page) {
  const report::PageDrawing drawing = report::DrawPage(project, layout, page);
  painter.save();
  const QPaintDevice* device = painter.device();
  painter.setViewport(0, 0, device->width(), device->height());
  painter.setWindow(0, 0, layout.paper.width, layout.paper.height);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(QPen(Qt::black, 2.0));
  painter.setBrush(Qt::NoBrush);
  for (const report::BoxItem& box : drawing.boxes) {
    painter.drawRect(QRect(box.left, box.top, box.width, box.height));
  }
  for (const report::RuleItem& rule : drawing.rules) {
    painter.drawLine(QPoint(rule.x1, rule.y1), QPoint(rule.x2, rule.y2));
  }
  for (const report::TextItem& text : drawing.texts) DrawText(painter, text, fonts);
  painter.restore();
}

bool RenderReport(QPagedPaintDevice& device, const Project& project,
                  const report::PrintSettings& settings, char separator, Messenger& messenger,
                  int fromPage, int toPage, int* pageCount) {
  ReportFonts fonts;
  report::ReportLayout layout;
  if (!PrepareDeviceReport(device, project, settings, separator, fonts, layout, messenger)) {
    return false;
  }
  const int count = layout.plan.PageCount();
  if (pageCount) *pageCount = count;
  const int first = std::clamp(fromPage > 0 ? fromPage : 1, 1, count);
  const int last = std::clamp(toPage > 0 ? toPage : count, first, count);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  for (int page = first; page <= last; ++page) {
    if (page > first) device.newPage();
    PaintReportPage(painter, project, layout, fonts, page);
  }
  return painter.end();
}

bool WriteReportPdf(const std::filesystem::path& file, const Project& project,
                    const report::PrintSettings& settings, char separator, Messenger& messenger,
                    int* pageCount, const QPageLayout& sheet) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    // The report places its own margins on the whole sheet.
    writer.setPageLayout(QPageLayout(sheet.pageSize(), sheet.orientation(), QMarginsF()));
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Kvem"));
    writer.setTitle(settings.kind == report::ReportKind::Results
                        ? QStringLiteral("Heat-loss report: results")
                        : QStringLiteral("Heat-loss report: input data"));
    if (!RenderReport(writer, project, settings, separator, messenger, 0, 0, pageCount)) {
      return false;
    }
  }
  buffer.close();
  std::string error;
  const QByteArray& bytes = buffer.data();
  if (!WriteFileAtomically(
          file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
          &error)) {
    messenger.Show("\nCann't write file\n'" + file.string() + "' !\n" + error, kPdfErrorCaption,
                   Icon::Stop);
    return false;
  }
  return true;
}

}  // namespace kvem::ui
