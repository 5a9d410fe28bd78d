#include "controls/colorpicker.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

#include "controls/guarded.h"

namespace controls {

namespace {

constexpr int kSwatchSize = 16;

QColor AskWithDialog(QWidget* parent, const QColor& current) { return QColorDialog::getColor(current, parent); }

TColorChooser& Chooser() {
  static TColorChooser chooser = AskWithDialog;
  return chooser;
}

}  // namespace

TColorChooser SetColorChooser(TColorChooser chooser) {
  return std::exchange(Chooser(), chooser ? std::move(chooser) : TColorChooser(AskWithDialog));
}

TColorPicker::TColorPicker(const TColorSettings& settings, QWidget* parent) : QToolButton(parent), FColor(settings.Color) {
  setObjectName(QString::fromStdString(settings.Name));
  setIconSize(QSize(kSwatchSize, kSwatchSize));
  ShowSwatch();
  ConnectGuarded(this, &QToolButton::clicked, this, [this](bool) { Choose(); });
}

void TColorPicker::SetColor(const QColor& color) {
  if (!color.isValid() || color == FColor) return;
  FColor = color;
  ShowSwatch();
  emit ColorChanged(FColor);
}

void TColorPicker::Choose() { SetColor(Chooser()(this, FColor)); }

void TColorPicker::ShowSwatch() {
  QPixmap swatch(kSwatchSize, kSwatchSize);
  swatch.fill(FColor);
  QPainter painter(&swatch);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, kSwatchSize - 1, kSwatchSize - 1);
  painter.end();
  setIcon(QIcon(swatch));
  setToolTip(FColor.name());
}

}  // namespace controls
