#include "picture/widget/jpeggraphic.h"

namespace picture {

QImage ImageOfBits(const TBitmapBits& bits) {
  return QImage(reinterpret_cast<const uchar*>(bits.Pixels.get()), bits.Width, bits.Height,
                static_cast<qsizetype>(bits.BytesPerLine()), QImage::Format_RGB32);
}

TJPEGGraphic::TJPEGGraphic() {
  FImage.OnChange = [this] {
    FDrawer.Reset();
    Changed();
  };
  FImage.OnProgress = [this](const TBitmapBits& pass) {
    FPass = &pass;
    FDrawer.Reset();
    Progress();
    FPass = nullptr;
    FDrawer.Reset();
  };
}

void TJPEGGraphic::Draw(QPainter& painter, const QRect& dest, bool transparent) {
  if (FPass) {  // drawn from a progress notification: show the pass, do not start decoding
    DrawBits(painter, dest, *FPass, transparent);
    return;
  }
  if (const TBitmapBits* bits = FImage.Bitmap()) DrawBits(painter, dest, *bits, transparent);
}

void TJPEGGraphic::Decode() { FImage.Bitmap(); }

void TJPEGGraphic::DrawBits(QPainter& painter, const QRect& dest, const TBitmapBits& bits, bool transparent) {
  FDrawer.Draw(painter, dest, ImageOfBits(bits), transparent);
}

}  // namespace picture
