#include "reports/frame.h"

namespace reports {

void TRepFrame::Draw(platform::TCanvas& canvas, const platform::TRect& rect) const {
  if (!AnySide()) return;
  const platform::TBrush brush = canvas.Brush;
  canvas.Brush.SetColor(Color);
  const int w = Width < 1 ? 1 : Width;
  struct Side {
    bool on;
    platform::TRect line;
  };
  const Side sides[] = {{DrawTop, {rect.Left, rect.Top, rect.Right, rect.Top + w}},
                        {DrawBottom, {rect.Left, rect.Bottom - w, rect.Right, rect.Bottom}},
                        {DrawLeft, {rect.Left, rect.Top, rect.Left + w, rect.Bottom}},
                        {DrawRight, {rect.Right - w, rect.Top, rect.Right, rect.Bottom}}};
  for (const Side& side : sides)
    if (side.on) canvas.FillRect(side.line);
  canvas.Brush = brush;
}

}  // namespace reports
