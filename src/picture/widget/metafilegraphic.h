// Windows metafile and Enhanced Metafile pictures, played through the platform's
// metafile players onto a canvas over the box's painter.
#pragma once

#include <string>

#include "graphics/qt/qtcanvas.h"
#include "metafile/metafile.h"
#include "metafile/wmf.h"
#include "picture/picturefile.h"
#include "picture/widget/graphic.h"

namespace picture {

// TMeta is platform::TMetafile (EMF) or platform::TWindowsMetafile (WMF).
template <typename TMeta>
class TMetafileGraphic : public TGraphic {
 public:
  // Damaged content, or bitmaps past what one file may decode, raise platform::EMetafileError,
  // which names the record and the fault. The bitmaps are decoded here, once, not at each paint.
  void LoadFromFile(const std::string& fileName) override {
    FMetafile = TMeta::FromBytes(ReadPictureFile(fileName));
    Changed();
  }
  bool Empty() const override { return FMetafile.Empty(); }
  int Width() const override { return FMetafile.Width(); }
  int Height() const override { return FMetafile.Height(); }
  // A metafile fills only what it draws, so it is always transparent where it draws nothing.
  void Draw(QPainter& painter, const QRect& dest, bool) override {
    if (Empty() || dest.isEmpty()) return;
    painter.save();
    platform::TQtCanvas canvas(painter);
    FMetafile.Play(canvas, {dest.left(), dest.top(), dest.left() + dest.width(), dest.top() + dest.height()});
    painter.restore();
  }
  const TMeta& Metafile() const { return FMetafile; }

 private:
  TMeta FMetafile;
};

using TWindowsMetafileGraphic = TMetafileGraphic<platform::TWindowsMetafile>;
using TEnhMetafileGraphic = TMetafileGraphic<platform::TMetafile>;

}  // namespace picture
