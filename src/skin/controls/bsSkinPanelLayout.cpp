#include "skin/controls/bsSkinPanelLayout.h"

namespace bs {

TbsPanelCaptionPlace PlacePanelCaption(const TRect& r, bool rollUpMode, int checkImageWidth) {
  TbsPanelCaptionPlace p{r, {}};
  if (rollUpMode) {
    // Twelve pixels of room: the mark's ten and two between it and the text.
    p.Text.Right -= 12;
    p.Mark = {p.Text.Right, r.Top, p.Text.Right + 10, r.Bottom};
  }
  if (checkImageWidth > 0) p.Text.Left += checkImageWidth + 2;
  return p;
}

int CaptionStartX(const TRect& r, int alignment, int width) {
  switch (alignment) {
    case 1: return r.Right - width;
    case 2: return r.Left + r.Width() / 2 - width / 2;
    default: return r.Left;
  }
}

}  // namespace bs
