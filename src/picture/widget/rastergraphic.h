// Bitmap and icon pictures, read by Qt's image readers.
#pragma once

#include <cstdint>
#include <span>

#include <QImage>

#include "picture/widget/graphic.h"
#include "picture/widget/imagedrawer.h"

namespace picture {

class TRasterGraphic : public TGraphic {
 public:
  using TFileCheck = void (*)(std::span<const uint8_t> bytes);

  // format: Qt's reader name ("bmp", "ico"); kind: the name in messages ("Bitmap", "Icon");
  // check: what Qt's reader does not verify of the file, raising EInvalidGraphic.
  TRasterGraphic(const char* format, const char* kind, TFileCheck check = nullptr)
      : FFormat(format), FKind(kind), FCheck(check) {}

  void LoadFromFile(const std::string& fileName) override;
  void LoadFromBytes(std::span<const uint8_t> bytes);
  bool Empty() const override { return FImage.isNull(); }
  int Width() const override { return FImage.width(); }
  int Height() const override { return FImage.height(); }
  void Draw(QPainter& painter, const QRect& dest, bool transparent) override;
  const QImage& Image() const { return FImage; }

 private:
  const char* FFormat;
  const char* FKind;
  TFileCheck FCheck;
  QImage FImage;
  TImageDrawer FDrawer;
};

}  // namespace picture
