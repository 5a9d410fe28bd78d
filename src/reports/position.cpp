#include "reports/position.h"

#include "base/intmath.h"

namespace reports {

int TDeviceMapping::PX(double x) const { return platform::Round((x - OffsetX) * DpiX / TenthsMMPerInch); }

int TDeviceMapping::PY(double y) const { return platform::Round((y - OffsetY) * DpiY / TenthsMMPerInch); }

}  // namespace reports
