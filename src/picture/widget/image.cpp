#include "picture/widget/image.h"

#include <exception>

#include <QPainter>
#include <QTimer>

#include "base/messages.h"

namespace picture {
namespace {

// A paint handler must not open a message box in the middle of painting: the error goes
// to the default error display once painting is over.
void ReportAfterPainting(const std::string& text) {
  QTimer::singleShot(0, [text] { platform::ShowMessage(text); });
}

}  // namespace

TImage::TImage(QWidget* owner) : QWidget(owner) {
  FPicture.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() { FPicture.OnChange = nullptr; }

void TImage::SetStretch(bool value) { SetDrawingRule(FStretch, value); }
void TImage::SetCenter(bool value) { SetDrawingRule(FCenter, value); }
void TImage::SetTransparent(bool value) { SetDrawingRule(FTransparent, value); }

void TImage::SetDrawingRule(bool& field, bool value) {
  if (field == value) return;
  field = value;
  update();
}

void TImage::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  AdjustSize();
}

QRect TImage::DestRect() const {
  if (FStretch) return rect();
  QRect dest(0, 0, FPicture.Width(), FPicture.Height());
  if (FCenter) dest.translate((width() - dest.width()) / 2, (height() - dest.height()) / 2);
  return dest;
}

void TImage::PictureChanged() {
  AdjustSize();
  update();
}

void TImage::AdjustSize() {
  if (FAutoSize && FPicture.Width() > 0 && FPicture.Height() > 0) resize(FPicture.Width(), FPicture.Height());
}

void TImage::paintEvent(QPaintEvent*) {
  TGraphic* graphic = FPicture.Graphic();
  if (!graphic || graphic->Empty()) return;
  if (FIncrementalDisplay && graphic->NeedsDecoding()) {
    // Decode outside painting, so that each pass can be painted as it arrives.
    if (!FDecodeScheduled) QTimer::singleShot(0, this, &TImage::DecodeIncrementally);
    FDecodeScheduled = true;
    return;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  try {
    graphic->Draw(painter, DestRect(), FTransparent);
  } catch (const std::exception& e) {
    ReportAfterPainting(e.what());
  }
}

void TImage::DecodeIncrementally() {
  FDecodeScheduled = false;
  TGraphic* graphic = FPicture.Graphic();
  if (!graphic || !graphic->NeedsDecoding()) return;
  graphic->OnProgress = [this] { repaint(); };
  try {
    graphic->Decode();
  } catch (const std::exception& e) {
    platform::ShowMessage(e.what());
  }
  graphic->OnProgress = nullptr;
  update();
}

}  // namespace picture
