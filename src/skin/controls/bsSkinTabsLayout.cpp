#include "skin/controls/bsSkinTabsLayout.h"

namespace bs {

TRect TabPageRect(int top, int cw, int ch, const TbsTabPageSkin* skin) {
  if (!skin) return {1, top - 5, cw - 1, ch - 1};
  if (skin->BackgroundPicture) return {0, top - 6, cw, ch};
  const TRect& c = skin->ClientRect;
  return {c.Left, top + c.Top - 6, cw - (skin->SkinRect.Width() - c.Right), ch - (skin->SkinRect.Height() - c.Bottom)};
}

TRect TabPageFrame(const TRect& page, const TbsTabPageSkin& skin) {
  const TRect& c = skin.ClientRect;
  return {page.Left - c.Left, page.Top - c.Top, page.Right + (skin.SkinRect.Width() - c.Right),
          page.Bottom + (skin.SkinRect.Height() - c.Bottom)};
}

}  // namespace bs
