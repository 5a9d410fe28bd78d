// Any bytes read as a bitmap or an icon either load or raise a picture error, and a
// loaded picture draws stretched and transparently; nothing may crash or read out of
// bounds. Every input goes through both readers.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "picture/pictureerrors.h"
#include "picture/widget/picture.h"
#include "picture/widget/rastergraphic.h"

namespace {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "fuzz_raster";
  static char* argv[] = {name, nullptr};
  static auto* application = new QGuiApplication(argc, argv);  // lives for the whole run
  (void)application;
}

void LoadAndDraw(picture::TPictureKind kind, std::span<const uint8_t> bytes) {
  auto graphic = picture::CreateGraphic(kind);
  auto& raster = dynamic_cast<picture::TRasterGraphic&>(*graphic);
  try {
    raster.LoadFromBytes(bytes);
  } catch (const picture::EInvalidGraphic&) {
    return;
  }
  if (raster.Empty() || raster.Width() <= 0 || raster.Height() <= 0) __builtin_trap();
  QImage target(40, 30, QImage::Format_ARGB32_Premultiplied);
  target.fill(Qt::magenta);
  QPainter painter(&target);
  raster.Draw(painter, QRect(0, 0, 40, 30), false);
  raster.Draw(painter, QRect(5, 5, 20, 10), true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnsureApplication();
  std::span<const uint8_t> bytes(data, size);
  LoadAndDraw(picture::TPictureKind::Bitmap, bytes);
  LoadAndDraw(picture::TPictureKind::Icon, bytes);
  return 0;
}
