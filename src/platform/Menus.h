#pragma once
// The menu model: menu items in a tree with their captions, shortcuts and states, the menus
// that hold such a tree (a popup menu among them), image lists and icons. The library draws no
// menu itself: whoever shows a menu reads the tree and clicks the item chosen.

#include <windows.h>

#include <commctrl.h>

#include "platform/Classes.h"
#include "platform/Graphics.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace spv::platform {

// A shortcut: a virtual-key code in the low byte, modifier flags above it.
using TShortCut = unsigned;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
constexpr TShortCut ShortCut(unsigned key, TShortCut modifiers) { return (key & 0xFF) | modifiers; }
// "Alt+F4", "Ctrl+F4", "Shift+Del", "Ctrl+A": empty for no shortcut.
std::wstring ShortCutToText(TShortCut shortCut);

class TMenu;

using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas& canvas, const RECT& rect, bool selected)>;

class TMenuItem : public TComponent {
 public:
  // An item belongs to its parent item (or menu), never to a component owner.
  TMenuItem();
  ~TMenuItem() override;
  std::string_view ClassName() const override { return "TMenuItem"; }

  const std::wstring& Caption() const { return Caption_; }
  void SetCaption(std::wstring_view caption) { Caption_ = caption; }
  // A separator is an item whose caption is exactly "-".
  bool IsLine() const { return Caption_ == L"-"; }
  TShortCut ShortCut() const { return ShortCut_; }
  void SetShortCut(TShortCut value) { ShortCut_ = value; }
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  bool Default = false;
  bool RadioItem = false;
  int ImageIndex = -1;
  TBitmap& Bitmap() { return Bitmap_; }
  const TBitmap& Bitmap() const { return Bitmap_; }

  // Sub-items, owned.
  int Count() const { return int(Items_.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return Parent_; }
  int IndexOf(const TMenuItem* item) const;
  // Takes the item over, at the end or at `index`.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Frees the sub-item.
  void Delete(int index);
  // Hands the sub-item back to the caller without freeing it.
  void Remove(TMenuItem* item);
  void Clear();
  // The menu this item's tree belongs to, or null.
  TMenu* GetParentMenu() const;

  // The item's command: its click handler.
  virtual void Click();
  TNotifyEvent OnClick;
  // Set: the item draws itself where it is shown.
  TMenuDrawItemEvent OnDrawItem;

 private:
  friend class TMenu;
  std::wstring Caption_;
  TShortCut ShortCut_ = scNone;
  TBitmap Bitmap_;
  std::vector<std::unique_ptr<TMenuItem>> Items_;
  TMenuItem* Parent_ = nullptr;
  TMenu* Menu_ = nullptr;  // set on the root item
};

class TCustomImageList;

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner = nullptr);
  ~TMenu() override;
  std::string_view ClassName() const override { return "TMenu"; }

  // The root of the tree: its sub-items are the menu's items.
  TMenuItem& Items() { return *Items_; }
  TCustomImageList* Images() const { return Images_; }
  void SetImages(TCustomImageList* images);
  // Separators at the start, at the end and after another separator are not shown.
  bool AutoLineReduction = false;
  // Hides the redundant separators among `item`'s sub-items.
  static void RemoveRedundantLines(TMenuItem& item);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::unique_ptr<TMenuItem> Items_;
  TCustomImageList* Images_ = nullptr;
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner = nullptr);
  ~TPopupMenu() override;
  std::string_view ClassName() const override { return "TPopupMenu"; }

  // Shows the menu at a screen point. The library has no menu look of its own: a descendant
  // that shows menus overrides it; here it only announces the popup.
  virtual void Popup(int x, int y);
  bool AutoPopup = true;
  // The component the menu is shown for (cleared when that component goes).
  TComponent* PopupComponent() const { return PopupComponent_; }
  void SetPopupComponent(TComponent* component);
  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* PopupComponent_ = nullptr;
};

// Images of one size, drawn by index (the platform's image list, with a mask).
class TCustomImageList : public TComponent {
 public:
  TCustomImageList(TComponent* owner, int width, int height);
  ~TCustomImageList() override;
  std::string_view ClassName() const override { return "TCustomImageList"; }

  int Width() const { return Width_; }
  int Height() const { return Height_; }
  int Count() const;
  // Adds a picture; pixels of `transparent` are left out when drawn. Returns its index.
  int AddMasked(HBITMAP bitmap, COLORREF transparent);
  int AddIcon(HICON icon);
  // Draws image `index` at (x, y); disabled images in the platform's greyed look.
  void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;
  // A copy of image `index` as an icon the caller frees; null for no such image.
  HICON GetIcon(int index) const;
  HIMAGELIST Handle() const { return Handle_; }

 private:
  int Width_, Height_;
  HIMAGELIST Handle_ = nullptr;
};

class TImageList : public TCustomImageList {
 public:
  explicit TImageList(TComponent* owner = nullptr, int width = 16, int height = 16)
      : TCustomImageList(owner, width, height) {}
  std::string_view ClassName() const override { return "TImageList"; }
};

// An icon handle, owned unless it is a shared system icon.
class TIcon {
 public:
  TIcon() = default;
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;
  ~TIcon();
  HICON Handle() const { return Handle_; }
  // Takes the handle over (owned) or shares it (a system icon, never destroyed).
  void SetHandle(HICON icon, bool owned = true);
  // A copy of another icon.
  void Assign(const TIcon& other);
  bool Empty() const { return Handle_ == nullptr; }
  std::function<void()> OnChange;

 private:
  HICON Handle_ = nullptr;
  bool Owned_ = false;
};

}  // namespace spv::platform
