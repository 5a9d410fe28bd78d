// The picture of a file name without an extension: loading it reads nothing, and it
// draws nothing.
#pragma once

#include "picture/widget/graphic.h"

namespace picture {

class TOleGraphic : public TGraphic {
 public:
  void LoadFromFile(const std::string&) override {}
  bool Empty() const override { return true; }
  int Width() const override { return 0; }
  int Height() const override { return 0; }
  void Draw(QPainter&, const QRect&, bool) override {}
};

}  // namespace picture
