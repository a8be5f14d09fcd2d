#pragma once
// The rules of the skinned progress dialog that need no window: its places in dialog units of
// the form's font, and when a value counts as the end of the job.

#include "skin/resources/bsSkinDataTypes.h"

namespace bs {

// The average character of a font: the width of "A..Za..z" divided by 52 (truncated), and the
// height of that text.
struct TbsAverageChar {
  int Width = 0, Height = 0;
};
TbsAverageChar AverageCharFromExtent(int alphabetWidth, int alphabetHeight);

// Dialog units to pixels: x quarters of the average width, y eighths of the height, each
// rounded to the nearest pixel.
int DialogUnitsX(int x, const TbsAverageChar& c);
int DialogUnitsY(int y, const TbsAverageChar& c);

struct TbsProgressLayout {
  int ClientWidth = 0;
  TPoint LabelPos;
  int LabelMaxWidth = 0;
  int GaugeWidth = 0;
  int ButtonWidth = 0, ButtonHeight = 0;
};
TbsProgressLayout LayoutProgressDialog(const TbsAverageChar& c);

// The gauge's top: 5 below the label.
inline int ProgressGaugeTop(int labelBottom) { return labelBottom + 5; }
// The Cancel button's bounds: right edge on the gauge's, top 15 below it.
TRect ProgressButtonRect(const TRect& gauge, int buttonWidth, int buttonHeight);
// The client height: 13 below the button, or 15 below the gauge without one.
int ProgressClientHeight(const TRect& gauge, const TRect* button);

// True when the value, clamped to the range as the gauge clamps it, fills the gauge: the job
// is done and closing the window is no cancel.
bool ProgressComplete(int minValue, int maxValue, int value);

}  // namespace bs
