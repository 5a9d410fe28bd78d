// The frame lines a report, band or element may draw round its rectangle.
#pragma once

#include "graphics/canvas.h"

namespace reports {

struct TRepFrame {
  platform::TColor Color = platform::clBlack;
  bool DrawTop = false;
  bool DrawBottom = false;
  bool DrawLeft = false;
  bool DrawRight = false;
  int Width = 1;  // device pixels

  bool AnySide() const { return DrawTop || DrawBottom || DrawLeft || DrawRight; }
  // Draws the enabled sides on the edges of a device rectangle.
  void Draw(platform::TCanvas& canvas, const platform::TRect& rect) const;
};

}  // namespace reports
