#include "skin/frame/bsSkinHintLayout.h"

#include <algorithm>

namespace bs {

TbsHintGeometry HintGeometry(int tw, int th, const TbsHintPiece* piece) {
  TbsHintGeometry g;
  if (!piece) {
    g.Width = tw + 4;
    g.Height = th + 4;
    g.ClientRect = {0, 0, g.Width, g.Height};
    return g;
  }
  const TRect& c = piece->ClientRect;
  g.Width = std::max(tw + c.Left + (piece->PictureWidth - c.Right), piece->PictureWidth);
  g.Height = std::max(th + c.Top + (piece->PictureHeight - c.Bottom), piece->PictureHeight);
  static_cast<TbsCornerKeys&>(g) = piece->Grown(g.Width - piece->PictureWidth, g.Height - piece->PictureHeight);
  return g;
}

TPoint PlaceHint(TPoint at, int w, int h, int sw, int sh) {
  if (at.X + w > sw) at.X -= w + 2;
  if (at.Y + h > sh) at.Y -= h + 2;
  return at;
}

TPoint HintTextOrigin(const TRect& client, int tw, int th) {
  return {client.Left + client.Width() / 2 - tw / 2, client.Top + client.Height() / 2 - th / 2};
}

}  // namespace bs
