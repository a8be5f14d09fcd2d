#pragma once
// The rules of the skinned popup menus that need no window: how big a popup is, where its items
// go, where it is shown against the work area, how far it may scroll, which item the arrow
// keys light next and which item a key's accelerator names. The popup windows feed them their
// measured texts and carry out what they compute.

#include "skin/resources/bsSkinDataTypes.h"

#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace bs {

// The two marker bands of a scrolling popup, at the top and bottom of its items rect.
inline constexpr int MenuScrollBand = 10;
// Built-in look: item heights and the frame round the items.
inline constexpr int BuiltInSeparatorHeight = 4;
inline constexpr int BuiltInPopupFrame = 4;

// What the size of a popup depends on besides its items. Skinned: the window picture's size,
// its items rect and the item description's skinrect and textrect. Built-in: none of those.
struct TbsPopupFrame {
  bool Skinned = false;
  int PicWidth = 0, PicHeight = 0;
  TRect ItemsRect, SkinRect, TextRect;
  // The height of a plain item: skinrect's (skinned) or the default item height (built-in).
  int ItemHeight = 20;
};

// The glyph column: the image width + 5 with an image list, else 19.
constexpr int MenuGlyphColumn(bool hasImages, int imageWidth) { return hasImages ? imageWidth + 5 : 19; }

// The popup's width for the widest measured item text (its DT_CALCRECT width + 2).
int PopupWidth(const TbsPopupFrame& frame, int widestText, int glyphColumn);

struct TbsPopupHeight {
  int Height = 0;
  bool ScrollMode = false;  // the items do not all fit: markers and scrolling
  bool ItemLimit = false;   // the scroll mode comes from the item limit
};
// The popup's height for items of these heights, an item limit (0 = none) and the work area's
// height, which a popup never passes.
TbsPopupHeight PopupHeight(const TbsPopupFrame& frame, std::span<const int> itemHeights, int itemLimit,
                           int workAreaHeight);

// The items rect of a W x H popup (window coordinates).
TRect PopupItemsRect(const TbsPopupFrame& frame, int W, int H);

// The items laid out from `firstVisible` down the items rect (less the marker bands in scroll
// mode). Every item gets a rect (items before firstVisible keep theirs); `visible` tells the
// ones inside the window. Returns the visible count.
struct TbsItemPlace {
  TRect Rect;
  bool Visible = true;
};
int LayoutMenuItems(std::span<const int> itemHeights, const TRect& itemsRect, bool scrollMode, int firstVisible,
                    std::span<TbsItemPlace> places);

// The smallest first visible index from which every item to the end fits the scroll band.
int LastPageStart(std::span<const int> itemHeights, const TRect& itemsRect);

// Where a W x H popup goes (screen coordinates) beside `anchor` in the work area `wa`.
// itemsTop is the top of its items rect in the window; workAreaHigh tells a popup made as
// high as the work area.
struct TbsPopupPlacing {
  TRect Anchor;
  bool Upwards = false;
  bool SubMenu = false;
  bool WorkAreaHigh = false;
  TRect WorkArea;
  int Width = 0, Height = 0;
  int ItemsTop = 0;
};
TPoint PlacePopup(const TbsPopupPlacing& p);

// The arrow keys' walk over the items. `usable(i)`: enabled and not a separator. `skipped(i)`
// is told each item stepped over before the one found (a scrolling popup scrolls on them).
// Returns the new hot index, or `hot` when no usable item lies that way.
int NextMenuItem(int count, int hot, const std::function<bool(int)>& usable, const std::function<void(int)>& skipped);
int PreviousMenuItem(int count, int hot, const std::function<bool(int)>& usable,
                     const std::function<void(int)>& skipped);

// The accelerator character of a caption: the one after a single "&" ("&&" is a plain "&"),
// upper-cased for ASCII letters; 0 for none.
wchar_t MenuAccelerator(std::wstring_view caption);
// The first caption whose accelerator is the key, or -1. Only the keys of letters and digits
// name an accelerator: other key codes (the numpad's, the function keys') are no characters.
int AcceleratorItem(std::span<const std::wstring_view> captions, unsigned key);

}  // namespace bs
