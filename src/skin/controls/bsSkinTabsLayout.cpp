#include "skin/controls/bsSkinTabsLayout.h"

#include <algorithm>

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

std::vector<TRect> TabMarkRects(const TRect& tab, int count) {
  const int room = tab.Width() - 2 * kTabMarkInset;
  const bool tallEnough = tab.Height() >= kTabMarkInset + kTabMarkSize;
  const int fit = room < kTabMarkSize || !tallEnough ? 0 : (room + kTabMarkGap) / (kTabMarkSize + kTabMarkGap);
  const int n = std::clamp(count, 0, fit);
  std::vector<TRect> marks;
  marks.reserve(std::size_t(n));
  const int top = tab.Top + kTabMarkInset;
  int left = tab.Right - kTabMarkInset - n * kTabMarkSize - (n - 1) * kTabMarkGap;
  for (int i = 0; i < n; ++i, left += kTabMarkSize + kTabMarkGap)
    marks.push_back({left, top, left + kTabMarkSize, top + kTabMarkSize});
  return marks;
}

}  // namespace bs
