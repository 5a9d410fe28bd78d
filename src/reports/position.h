// Report lengths are tenths of a millimetre measured from the paper's top-left corner;
// a page surface wants device pixels. The one conversion between them.
#pragma once

namespace reports {

struct TDeviceMapping {
  int DpiX = 96;
  int DpiY = 96;
  double OffsetX = 0;  // the surface's origin from the paper's corner, 0.1 mm
  double OffsetY = 0;

  // round((x - offset) * dpi / 254), halves to even.
  int PX(double x) const;
  int PY(double y) const;
};

constexpr double TenthsMMPerInch = 254;
constexpr double TenthsMMPerMM = 10;

}  // namespace reports
