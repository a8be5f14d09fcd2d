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
  const int dw = g.Width - piece->PictureWidth, dh = g.Height - piece->PictureHeight;
  g.ClientRect = {c.Left, c.Top, c.Right + dw, c.Bottom + dh};
  g.LeftTop = piece->LeftTop;
  g.RightTop = {piece->RightTop.X + dw, piece->RightTop.Y};
  g.LeftBottom = {piece->LeftBottom.X, piece->LeftBottom.Y + dh};
  g.RightBottom = {piece->RightBottom.X + dw, piece->RightBottom.Y + dh};
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
