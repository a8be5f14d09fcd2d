#include "skin/controls/bsSkinGaugeLayout.h"

#include <algorithm>
#include <cstdint>

namespace bs {

int GaugeFillLength(int length, int minValue, int maxValue, int value) {
  const std::int64_t range = std::int64_t(maxValue) - minValue;
  if (range <= 0 || length <= 0) return 0;
  const std::int64_t done = std::clamp<std::int64_t>(std::int64_t(value) - minValue, 0, range);
  // length < 2^31 and done <= range < 2^32: the product stays below 2^63.
  return int(std::int64_t(length) * done / range);
}

TRect ProgressRectFor(const TRect& area, int minValue, int maxValue, int value, bool vertical) {
  TRect r = area;
  if (vertical) r.Top = area.Bottom - GaugeFillLength(area.Height(), minValue, maxValue, value);
  else r.Right = area.Left + GaugeFillLength(area.Width(), minValue, maxValue, value);
  return r;
}

int GaugePercent(int minValue, int maxValue, int value) { return GaugeFillLength(100, minValue, maxValue, value); }

}  // namespace bs
