#include "skin/dialogs/bsDialogsLayout.h"

#include <algorithm>
#include <cstdint>

namespace bs {
namespace {

// n × multiplier / divisor to the nearest integer, halves away from zero, on 64 bits.
int MulDivRound(int n, int multiplier, int divisor) {
  const std::int64_t p = std::int64_t(n) * multiplier;
  const std::int64_t half = divisor / 2;
  return int(p >= 0 ? (p + half) / divisor : -((-p + half) / divisor));
}

}  // namespace

TbsAverageChar AverageCharFromExtent(int alphabetWidth, int alphabetHeight) {
  return {alphabetWidth / 52, alphabetHeight};
}

int DialogUnitsX(int x, const TbsAverageChar& c) { return MulDivRound(x, c.Width, 4); }
int DialogUnitsY(int y, const TbsAverageChar& c) { return MulDivRound(y, c.Height, 8); }

TbsProgressLayout LayoutProgressDialog(const TbsAverageChar& c) {
  TbsProgressLayout l;
  l.ClientWidth = DialogUnitsX(180, c);
  l.LabelPos = {DialogUnitsX(8, c), DialogUnitsY(8, c)};
  l.LabelMaxWidth = DialogUnitsX(164, c);
  l.GaugeWidth = DialogUnitsX(164, c);
  l.ButtonWidth = DialogUnitsX(50, c);
  l.ButtonHeight = DialogUnitsY(14, c);
  return l;
}

TRect ProgressButtonRect(const TRect& gauge, int buttonWidth, int buttonHeight) {
  const int top = gauge.Bottom + 15;
  return {gauge.Right - buttonWidth, top, gauge.Right, top + buttonHeight};
}

int ProgressClientHeight(const TRect& gauge, const TRect* button) {
  return button ? button->Bottom + 13 : gauge.Bottom + 15;
}

bool ProgressComplete(int minValue, int maxValue, int value) {
  // Clamped as the gauge clamps: the maximum first, then the minimum, so that an inverted
  // range holds the gauge at its minimum and never completes.
  return std::max(std::min(value, maxValue), minValue) == maxValue;
}

}  // namespace bs
