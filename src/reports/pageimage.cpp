#include "reports/pageimage.h"

#include <QPainter>

#include "graphics/qt/qtcanvas.h"

namespace reports {
namespace {

constexpr int kShadow = 2;   // the shadow strips' thickness
constexpr int kOutlineEnd = 3;  // the outline runs 3 pixels inside the right and bottom edges

}  // namespace

void DrawPageImage(QPainter& painter, const platform::TMetafile& page, int width, int height) {
  const int right = width - kOutlineEnd, bottom = height - kOutlineEnd;
  // Rectangles from (x1, y1) to (x2, y2) leave out the far edges, as the platform fills them.
  painter.fillRect(QRect(QPoint(1, 1), QPoint(right - 1, bottom - 1)), Qt::white);
  {
    platform::TQtCanvas canvas(painter);
    page.Play(canvas, platform::TRect{0, 0, width, height});
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::NoBrush);
  const QPoint outline[] = {{0, 0}, {0, bottom}, {right, bottom}, {right, 0}, {0, 0}};
  painter.drawPolyline(outline, int(std::size(outline)));
  painter.fillRect(QRect(width - kShadow, kShadow, kShadow, height - kShadow), Qt::black);
  painter.fillRect(QRect(kShadow, height - kShadow, width - kShadow, kShadow), Qt::black);
  painter.restore();
}

TRepPageImage::TRepPageImage(QWidget* parent) : QWidget(parent) { setObjectName("PageImage"); }

void TRepPageImage::SetPage(std::optional<platform::TMetafile> page) {
  FPage = std::move(page);
  update();
}

void TRepPageImage::paintEvent(QPaintEvent*) {
  if (!FPage) return;
  QPainter painter(this);
  DrawPageImage(painter, *FPage, width(), height());
}

}  // namespace reports
