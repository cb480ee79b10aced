#include "ui/desktop/icons.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app/commands.h"

namespace kvem::ui {

namespace {

namespace c = command;

// Shapes are drawn on an 18 x 16 grid, the toolbar's button size, and scaled.
void DrawGlyph(QPainter& p, int id) {
  const QColor ink(40, 48, 64);
  const QColor paper(252, 252, 246);
  const QColor blue(38, 110, 200);
  const QColor red(205, 60, 45);
  const QColor green(40, 150, 80);
  const QColor yellow(236, 186, 40);
  QPen pen(ink, 1.0);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  auto page = [&](QRectF r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setBrush(paper);
    p.drawPath(path);
  };
  auto letter = [&](const QString& text, QRectF r, QColor color, qreal size) {
    QFont font("Sans");
    font.setPixelSize(static_cast<int>(size));
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(r, Qt::AlignCenter, text);
    p.setPen(pen);
  };
  auto table = [&](QColor head, const QString& mark) {
    p.setBrush(paper);
    p.drawRect(QRectF(1.5, 1.5, 15, 13));
    p.fillRect(QRectF(2, 2, 14, 3), head);
    for (qreal y : {8.0, 11.0}) p.drawLine(QPointF(2, y), QPointF(16, y));
    p.drawLine(QPointF(7, 5), QPointF(7, 14.5));
    if (!mark.isEmpty()) letter(mark, QRectF(7, 4.5, 10, 10), red, 7);
  };
  switch (id) {
    case c::kNew:
      page(QRectF(3.5, 1.5, 11, 13));
      break;
    case c::kOpen: {
      p.setBrush(yellow);
      QPainterPath path;
      path.moveTo(1.5, 3.5);
      path.lineTo(6, 3.5);
      path.lineTo(7.5, 5);
      path.lineTo(14.5, 5);
      path.lineTo(14.5, 13.5);
      path.lineTo(1.5, 13.5);
      path.closeSubpath();
      p.drawPath(path);
      p.setBrush(QColor(250, 214, 100));
      QPainterPath flap;
      flap.moveTo(4, 7.5);
      flap.lineTo(17, 7.5);
      flap.lineTo(14.5, 13.5);
      flap.lineTo(1.5, 13.5);
      flap.closeSubpath();
      p.drawPath(flap);
      break;
    }
    case c::kSave:
      p.setBrush(blue);
      p.drawRoundedRect(QRectF(2.5, 1.5, 13, 13), 1.5, 1.5);
      p.fillRect(QRectF(5, 2, 8, 5), paper);
      p.fillRect(QRectF(5.5, 9.5, 7, 4.5), QColor(200, 210, 225));
      break;
    case c::kCut:
      p.drawEllipse(QPointF(5.5, 12), 2.2, 2.2);
      p.drawEllipse(QPointF(12.5, 12), 2.2, 2.2);
      p.drawLine(QPointF(6.8, 10.2), QPointF(12, 1.5));
      p.drawLine(QPointF(11.2, 10.2), QPointF(6, 1.5));
      break;
    case c::kCopy:
      page(QRectF(2.5, 1.5, 9, 10));
      page(QRectF(6.5, 4.5, 9, 10));
      break;
    case c::kPaste:
      p.setBrush(QColor(190, 140, 80));
      p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12), 1, 1);
      p.setBrush(QColor(180, 180, 180));
      p.drawRect(QRectF(5.5, 1.5, 5, 2.5));
      page(QRectF(8.5, 6.5, 8, 8.5));
      break;
    case c::kPrint:
      page(QRectF(5.5, 1.5, 7, 6));
      p.setBrush(QColor(170, 175, 185));
      p.drawRoundedRect(QRectF(1.5, 6.5, 15, 6), 1, 1);
      page(QRectF(5.5, 10.5, 7, 4.5));
      break;
    case c::kAbout:
      p.setBrush(blue);
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(9, 8), 7, 7);
      letter("?", QRectF(2, 1, 14, 14), Qt::white, 8);
      break;
    case c::kStartCad:
      p.setBrush(paper);
      p.drawRect(QRectF(1.5, 1.5, 15, 13));
      p.setPen(QPen(blue, 1.2));
      p.drawLine(QPointF(3.5, 12.5), QPointF(14.5, 3.5));
      p.drawLine(QPointF(3.5, 12.5), QPointF(14.5, 12.5));
      p.drawEllipse(QPointF(11, 9), 2, 2);
      break;
    case c::kMainData: {
      p.setBrush(QColor(230, 120, 90));
      QPainterPath roof;
      roof.moveTo(1.5, 7.5);
      roof.lineTo(9, 1.5);
      roof.lineTo(16.5, 7.5);
      roof.closeSubpath();
      p.drawPath(roof);
      p.setBrush(paper);
      p.drawRect(QRectF(3.5, 7.5, 11, 7));
      p.setBrush(blue);
      p.drawRect(QRectF(7.5, 9.5, 3, 5));
      break;
    }
    case c::kRooms:
      p.setBrush(paper);
      p.drawRect(QRectF(1.5, 2.5, 15, 11));
      p.drawLine(QPointF(9, 2.5), QPointF(9, 13.5));
      p.drawLine(QPointF(9, 8), QPointF(16.5, 8));
      p.setPen(QPen(blue, 2));
      p.drawLine(QPointF(3.5, 13.5), QPointF(6.5, 13.5));
      break;
    case c::kWallsTable:
      table(QColor(180, 120, 90), "k");
      break;
    case c::kOpeningsTable:
      table(blue, "k");
      break;
    case c::kJointsTable:
      table(blue, "i");
      break;
    case c::kOpeningTypesTable:
      table(blue, "");
      p.setBrush(QColor(200, 225, 250));
      p.drawRect(QRectF(9.5, 6.5, 5, 6));
      p.drawLine(QPointF(12, 6.5), QPointF(12, 12.5));
      break;
    case c::kOutdoorTemperatureTable:
      table(green, "");
      p.setBrush(blue);
      p.drawRoundedRect(QRectF(10.5, 5.5, 3, 8), 1.5, 1.5);
      p.drawEllipse(QPointF(12, 13), 2.3, 2.3);
      break;
    case c::kCalculation:
      p.setBrush(QColor(90, 96, 110));
      p.drawRoundedRect(QRectF(3.5, 1.5, 11, 13), 1.5, 1.5);
      p.fillRect(QRectF(5, 3, 8, 3), QColor(190, 230, 190));
      for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
          p.fillRect(QRectF(5 + col * 3, 8 + row * 3, 2, 2), paper);
        }
      }
      break;
    case c::kModifiedConditions:
      p.setBrush(paper);
      p.drawRect(QRectF(1.5, 1.5, 15, 13));
      p.setPen(QPen(red, 1.4));
      p.drawLine(QPointF(4, 5), QPointF(14, 5));
      p.drawLine(QPointF(4, 11), QPointF(14, 11));
      p.setBrush(paper);
      p.drawEllipse(QPointF(7, 5), 1.6, 1.6);
      p.drawEllipse(QPointF(11, 11), 1.6, 1.6);
      break;
    case c::kHeaters:
      p.setBrush(QColor(235, 235, 240));
      for (int i = 0; i < 5; ++i) p.drawRoundedRect(QRectF(1.5 + i * 3, 3.5, 2.6, 10), 1, 1);
      p.setPen(QPen(red, 1.2));
      p.drawLine(QPointF(1, 3), QPointF(17, 3));
      break;
    case c::kPressure:
      p.setBrush(paper);
      p.drawEllipse(QPointF(9, 8.5), 6.5, 6.5);
      p.setPen(QPen(red, 1.4));
      p.drawLine(QPointF(9, 8.5), QPointF(13, 4.5));
      p.setPen(pen);
      p.setBrush(ink);
      p.drawEllipse(QPointF(9, 8.5), 1, 1);
      break;
    case c::kFloorHeating:
    case c::kFloorHeatingTable: {
      p.fillRect(QRectF(1, 12, 16, 3), QColor(180, 170, 150));
      QPainterPath loop;
      loop.moveTo(2, 10);
      for (int i = 0; i < 4; ++i) {
        loop.lineTo(2 + i * 4, 3);
        loop.lineTo(4 + i * 4, 3);
        loop.lineTo(4 + i * 4, 10);
        loop.lineTo(6 + i * 4, 10);
      }
      p.setPen(QPen(red, 1.3));
      p.setBrush(Qt::NoBrush);
      p.drawPath(loop);
      if (id == c::kFloorHeatingTable) {
        p.setPen(pen);
        p.setBrush(paper);
        p.drawRect(QRectF(10.5, 0.5, 7, 6));
        p.drawLine(QPointF(10.5, 3.5), QPointF(17.5, 3.5));
      }
      break;
    }
    case c::kEnergyLabel: {
      const QColor classes[] = {QColor(0, 150, 60), QColor(120, 190, 40), QColor(230, 200, 30),
                                QColor(240, 140, 30), QColor(220, 50, 40)};
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 5; ++i) p.fillRect(QRectF(2, 1.5 + i * 2.8, 6 + i * 2, 2.2), classes[i]);
      break;
    }
    default:
      page(QRectF(3.5, 1.5, 11, 13));
      break;
  }
}

class CommandIconEngine : public QIconEngine {
 public:
  explicit CommandIconEngine(int id) : id_(id) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    const qreal scale = std::min(rect.width() / 18.0, rect.height() / 16.0);
    painter->translate((rect.width() - 18 * scale) / 2, (rect.height() - 16 * scale) / 2);
    painter->scale(scale, scale);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    DrawGlyph(*painter, id_);
    painter->restore();
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    QPixmap pixmap(size * scale);
    pixmap.fill(Qt::transparent);
    {
      QPainter painter(&pixmap);
      paint(&painter, QRect(QPoint(0, 0), size * scale), mode, state);
    }
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
  }
  QIconEngine* clone() const override { return new CommandIconEngine(id_); }

 private:
  int id_;
};

}  // namespace

QIcon CommandIcon(int commandId) { return QIcon(new CommandIconEngine(commandId)); }

QPixmap SplashPicture(const QString& firstLine, qreal ratio) {
  const QSize size(480, 280);
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(30, 70, 130));
  sky.setColorAt(1, QColor(120, 170, 220));
  p.fillRect(QRect(QPoint(0, 0), size), sky);
  // A house with warm rooms on a winter evening.
  p.setPen(QPen(QColor(30, 30, 40), 2));
  p.setBrush(QColor(200, 80, 60));
  QPainterPath roof;
  roof.moveTo(250, 120);
  roof.lineTo(350, 50);
  roof.lineTo(450, 120);
  roof.closeSubpath();
  p.drawPath(roof);
  p.setBrush(QColor(245, 240, 225));
  p.drawRect(270, 120, 160, 110);
  p.setBrush(QColor(255, 200, 90));
  p.drawRect(290, 140, 40, 35);
  p.drawRect(370, 140, 40, 35);
  p.setBrush(QColor(120, 80, 50));
  p.drawRect(335, 185, 30, 45);
  p.fillRect(QRect(0, 230, size.width(), 50), QColor(235, 240, 248));
  p.setPen(Qt::white);
  QFont title("Sans");
  title.setPixelSize(44);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRect(24, 40, 240, 60), Qt::AlignLeft | Qt::AlignVCenter, "Kvem");
  QFont text("Sans");
  text.setPixelSize(14);
  p.setFont(text);
  p.drawText(QRect(26, 100, 240, 60), Qt::AlignLeft | Qt::TextWordWrap,
             "Heat loss of buildings\nHeaters, pressure, floor heating");
  p.setPen(QColor(40, 50, 70));
  p.drawText(QRect(24, 240, 440, 30), Qt::AlignLeft | Qt::AlignVCenter, firstLine);
  return pixmap;
}

}  // namespace kvem::ui
