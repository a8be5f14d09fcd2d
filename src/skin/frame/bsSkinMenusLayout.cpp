#include "skin/frame/bsSkinMenusLayout.h"

#include <algorithm>

namespace bs {

int PopupWidth(const TbsPopupFrame& frame, int widestText, int glyphColumn) {
  const int base = widestText + glyphColumn + 19;
  if (!frame.Skinned) return base + 10;
  return base + frame.TextRect.Left + (frame.SkinRect.Width() - frame.TextRect.Right) +
         (frame.PicWidth - frame.ItemsRect.Width());
}

TbsPopupHeight PopupHeight(const TbsPopupFrame& frame, std::span<const int> itemHeights, int itemLimit,
                           int workAreaHeight) {
  TbsPopupHeight h;
  const int border = frame.Skinned ? frame.PicHeight - frame.ItemsRect.Height() : BuiltInPopupFrame;
  const int count = int(itemHeights.size());
  if (itemLimit > 0 && count > itemLimit) {
    h.Height = frame.ItemHeight * itemLimit + border + 2 * MenuScrollBand;
    h.ScrollMode = h.ItemLimit = true;
  } else {
    int sum = 0;
    for (int v : itemHeights) sum += v;
    h.Height = sum + border;
  }
  if (h.Height > workAreaHeight) {
    h.Height = workAreaHeight;
    h.ScrollMode = true;
  }
  return h;
}

TRect PopupItemsRect(const TbsPopupFrame& frame, int W, int H) {
  if (!frame.Skinned) return {2, 2, W - 2, H - 2};
  const TRect& r = frame.ItemsRect;
  return {r.Left, r.Top, r.Right + (W - frame.PicWidth), r.Bottom + (H - frame.PicHeight)};
}

namespace {
TRect Band(const TRect& itemsRect, bool scrollMode) {
  TRect band = itemsRect;
  if (scrollMode) {
    band.Top += MenuScrollBand;
    band.Bottom -= MenuScrollBand;
  }
  return band;
}
}  // namespace

int LayoutMenuItems(std::span<const int> itemHeights, const TRect& itemsRect, bool scrollMode, int firstVisible,
                    std::span<TbsItemPlace> places) {
  const TRect band = Band(itemsRect, scrollMode);
  const int count = int(itemHeights.size());
  int visible = 0;
  int y = band.Top;
  for (int i = std::max(firstVisible, 0); i < count; ++i) {
    places[std::size_t(i)].Rect = {band.Left, y, band.Right, y + itemHeights[std::size_t(i)]};
    if (y + itemHeights[std::size_t(i)] > band.Bottom) break;
    places[std::size_t(i)].Visible = true;
    y += itemHeights[std::size_t(i)];
    ++visible;
  }
  if (scrollMode)
    for (int i = 0; i < count; ++i)
      if (i < firstVisible || i >= firstVisible + visible) places[std::size_t(i)].Visible = false;
  return visible;
}

int LastPageStart(std::span<const int> itemHeights, const TRect& itemsRect) {
  const int room = Band(itemsRect, true).Height();
  int used = 0;
  int start = int(itemHeights.size());
  while (start > 0 && used + itemHeights[std::size_t(start - 1)] <= room) used += itemHeights[std::size_t(--start)];
  // A single item taller than the band still has to be shown by itself.
  return std::min(start, std::max(int(itemHeights.size()) - 1, 0));
}

TPoint PlacePopup(const TbsPopupPlacing& p) {
  const TRect& a = p.Anchor;
  const TRect& wa = p.WorkArea;
  const int W = p.Width, H = p.Height, I = p.ItemsTop;
  const int mid = wa.Top + wa.Height() / 2;
  bool beside = false;
  int y;
  if (p.WorkAreaHigh) {
    y = wa.Top;
  } else if (p.SubMenu) {
    if (a.Top - I + H <= wa.Bottom) y = a.Top - I;
    else if (a.Top < mid) y = wa.Bottom - H;
    else y = std::max(a.Bottom - H + I, wa.Top);
  } else if (p.Upwards) {
    if (a.Top - H >= wa.Top) {
      y = a.Top - H;
    } else if (a.Top < mid) {
      if (a.Bottom + H <= wa.Bottom) {
        y = a.Bottom;
      } else {
        y = wa.Bottom - H;
        beside = true;
      }
    } else {
      y = wa.Top;
      beside = true;
    }
  } else {
    if (a.Bottom + H <= wa.Bottom) {
      y = a.Bottom;
    } else if (a.Top < mid) {
      y = wa.Bottom - H;
      beside = true;
    } else if (a.Top - H >= wa.Top) {
      y = a.Top - H;
    } else {
      y = wa.Top;
      beside = true;
    }
  }
  int x;
  if (p.SubMenu || p.WorkAreaHigh || beside) {
    x = a.Right + W + 1 <= wa.Right ? a.Right + 1 : a.Left - W - 1;
  } else {
    x = a.Left;
    if (a.Left + W > wa.Right) x = wa.Right - W;
    else if (a.Left < wa.Left) x = wa.Left;
  }
  return {x, y};
}

int NextMenuItem(int count, int hot, const std::function<bool(int)>& usable, const std::function<void(int)>& skipped) {
  int start = hot + 1;
  if (hot < 0 || start >= count) start = 0;
  for (int i = start; i < count; ++i) {
    if (usable(i)) return i;
    if (skipped) skipped(i);
  }
  return hot;
}

int PreviousMenuItem(int count, int hot, const std::function<bool(int)>& usable,
                     const std::function<void(int)>& skipped) {
  int start = hot - 1;
  if (hot <= 0 || hot > count) start = count - 1;
  for (int i = start; i >= 0; --i) {
    if (usable(i)) return i;
    if (skipped) skipped(i);
  }
  return hot;
}

wchar_t MenuAccelerator(std::wstring_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    const wchar_t c = caption[i + 1];
    return (c >= L'a' && c <= L'z') ? wchar_t(c - L'a' + L'A') : c;
  }
  return 0;
}

int AcceleratorItem(std::span<const std::wstring_view> captions, unsigned key) {
  const bool letter = key >= 'A' && key <= 'Z';
  const bool digit = key >= '0' && key <= '9';
  if (!letter && !digit) return -1;
  for (std::size_t i = 0; i < captions.size(); ++i)
    if (MenuAccelerator(captions[i]) == wchar_t(key)) return int(i);
  return -1;
}

}  // namespace bs
