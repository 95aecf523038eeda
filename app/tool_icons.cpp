#include "app/tool_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace wintarvel::view {

namespace {

// Every icon is drawn on a grid of 24 x 24 units.
constexpr qreal kGrid = 24;

void drawPage(QPainter& p) {
  QPainterPath page;
  page.moveTo(5, 2);
  page.lineTo(15, 2);
  page.lineTo(20, 7);
  page.lineTo(20, 22);
  page.lineTo(5, 22);
  page.closeSubpath();
  p.setPen(QPen(QColor(0x8c, 0x8c, 0x8c), 1));
  p.setBrush(Qt::white);
  p.drawPath(page);
  const QPointF fold[] = {{15, 2}, {15, 7}, {20, 7}};
  p.setBrush(QColor(0xdd, 0xdd, 0xdd));
  p.drawPolygon(fold, 3);
}

// A folder with its flap open, in the colours given (back, flap, outline).
void drawFolder(QPainter& p, const QColor& back, const QColor& flap, const QColor& outline) {
  QPainterPath rear;
  rear.moveTo(2, 19);
  rear.lineTo(2, 5);
  rear.lineTo(8, 5);
  rear.lineTo(10, 7);
  rear.lineTo(20, 7);
  rear.lineTo(20, 19);
  rear.closeSubpath();
  p.setPen(QPen(outline, 1));
  p.setBrush(back);
  p.drawPath(rear);
  const QPointF front[] = {{5.5, 10.5}, {22.5, 10.5}, {19.5, 20}, {2, 20}};
  p.setBrush(flap);
  p.drawPolygon(front, 4);
}

void drawFloppy(QPainter& p) {
  p.setPen(QPen(QColor(0x5c, 0x5c, 0x5c), 1));
  p.setBrush(QColor(0x9e, 0x9e, 0x9e));
  p.drawRoundedRect(QRectF(3.5, 2.5, 17, 19), 1.5, 1.5);
  p.setBrush(QColor(0xf4, 0xf4, 0xf4));
  p.drawRect(QRectF(6.5, 2.5, 11, 8));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x4a, 0x4a, 0x4a));
  p.drawRect(QRectF(7.5, 14, 9, 7.5));
  p.setBrush(QColor(0xc8, 0xc8, 0xc8));
  p.drawRect(QRectF(9.5, 15.5, 2.5, 4.5));
}

void drawPlay(QPainter& p) {
  const QPointF triangle[] = {{7, 5}, {19, 12}, {7, 19}};
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x55, 0x55, 0x55));
  p.drawPolygon(triangle, 3);
}

class PaintedIcon : public QIconEngine {
 public:
  explicit PaintedIcon(ToolIcon which) : which_(which) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    if (mode == QIcon::Disabled) {
      painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
      return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / kGrid, rect.height() / kGrid);
    switch (which_) {
      case ToolIcon::NewFile:
        drawPage(*painter);
        break;
      case ToolIcon::OpenFile:
        drawFolder(*painter, QColor(0xd9, 0xa4, 0x4e), QColor(0xf5, 0xc8, 0x6e),
                   QColor(0xa8, 0x74, 0x2c));
        break;
      case ToolIcon::SaveFile:
        drawFloppy(*painter);
        break;
      case ToolIcon::OpenData:
        drawFolder(*painter, QColor(0x3a, 0x72, 0xc0), QColor(0x7d, 0xaf, 0xea),
                   QColor(0x25, 0x55, 0x99));
        break;
      case ToolIcon::Run:
        drawPlay(*painter);
        break;
    }
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap image(size);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      paint(&painter, QRect(QPoint(0, 0), size), QIcon::Normal, state);
    }
    if (mode == QIcon::Normal) return image;
    // Disabled and selected icons look as the style makes them of any icon.
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, image, &option);
  }

  QIconEngine* clone() const override { return new PaintedIcon(which_); }

 private:
  ToolIcon which_;
};

}  // namespace

QIcon toolIcon(ToolIcon which) {
  return QIcon(new PaintedIcon(which));
}

}  // namespace wintarvel::view
