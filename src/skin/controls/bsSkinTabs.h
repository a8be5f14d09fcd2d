#pragma once
// The skinned tab control: the platform's tab window lays the tabs and their rows out; the
// skin draws the page frame, the band behind the tabs and every tab, plain, hot, selected or
// focused. The tab height comes from the skin, whatever the window would make of it. A tab may
// carry marks (small coloured squares in its top right corner) and a hint of its own.

#include <windows.h>

#include "platform/ComCtrls.h"
#include "platform/Hints.h"
#include "skin/resources/bsSkinClientWin.h"
#include "skin/resources/bsSkinDataControls.h"
#include "skin/resources/bsUtilsWin.h"

#include <functional>
#include <string>
#include <vector>

namespace bs {

using TbsDrawSkinTabEvent = std::function<void(int tabIndex, const RECT& rect, HDC dc, bool active, bool selected)>;
// The colours of one tab's marks, drawn left to right.
using TbsTabMarks = std::vector<spv::platform::TColor>;
// The hint of tab `tabIndex`: `hint` comes in as the control's own (or inherited) hint; the
// handler may replace it, and an empty hint shows nothing over that tab.
using TbsTabHintEvent = std::function<void(int tabIndex, std::wstring& hint)>;

class TbsSkinTabControl : public spv::platform::TCustomTabControl, public TbsSkinClient {
 public:
  explicit TbsSkinTabControl(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinTabControl() override;
  std::string_view ClassName() const override { return "TbsSkinTabControl"; }

  TbsSkinData* SkinData() const override { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return SkinDataName_; }
  void SetSkinDataName(std::string_view name) { SkinDataName_ = name; }
  int SkinObjectIndex() const { return SkinObjectIndex_; }
  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  void SetDefaultFont(const spv::platform::TFont& font) { DefaultFont_.Assign(font); }
  bool UseSkinFont = true;
  int DefaultItemHeight() const { return DefaultItemHeight_; }
  void SetDefaultItemHeight(int value);
  bool TabsBGTransparent() const { return TabsBGTransparent_; }
  void SetTabsBGTransparent(bool value);
  // Called for every tab painted, after its picture and before its caption would go; when set
  // it draws the caption instead.
  TbsDrawSkinTabEvent OnDrawSkinTab;
  int HotTabIndex() const { return HotTabIndex_; }

  // Marks: for each tab (by index) its colours, each a 5 x 5 square, 1 pixel apart, in the tab's
  // top right corner 2 pixels in from its edges, over the tab in every state; the caption is
  // drawn as without them. Tabs past the list have none. Setting them repaints only the tabs
  // whose marks changed.
  const std::vector<TbsTabMarks>& Marks() const { return Marks_; }
  void SetMarks(std::vector<TbsTabMarks> marks);
  void SetTabMarks(int tabIndex, TbsTabMarks marks);
  // Asked for the hint of the tab under the pointer; without it every tab shows the control's.
  TbsTabHintEvent OnTabHint;
  // The height the tabs have now.
  int ItemHeight() const;

  void ReadTabSkin();
  void ApplyTabSkin();
  void ForgetSkinObject() override;
  void ApplySkin() override { ApplyTabSkin(); }

  // The picture of the whole control as a paint composes it.
  TbsFBitmap Snapshot();

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  void UpdateTabSize() override;
  void WndProc(spv::platform::TMessage& message) override;
  void Change() override;
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  const TbsDataSkinTabControl* TabObject() const;
  class TTabPaint;
  // `paintDc`, when given, is the context the picture goes to: parts it cannot show are skipped.
  void Compose(TbsFBitmap& bitmap, HDC paintDc);
  void PaintTabPage(TbsFBitmap& bitmap, const RECT& page, HDC paintDc);
  void PaintTabStrip(TbsFBitmap& bitmap, const RECT& page);
  void PaintTab(TTabPaint& paint, int index, const RECT& rect, TbsFBitmap& target, bool hot, bool selected);
  void PaintTabMarks(int index, const RECT& rect, HDC dc) const;
  void InvalidateTab(int index);
  // The hint under the pointer, per tab (CM_HINTSHOW).
  void TabHintShow(spv::platform::THintInfo& info);
  void RepaintTab(int index);
  void SetHotTab(int index);
  void RemoveNativeScroller();
  void ForgetPageFrame();

  TbsSkinData* SkinData_ = nullptr;
  std::string SkinDataName_ = "tab";
  int SkinObjectIndex_ = -1;
  spv::platform::TFont DefaultFont_;
  int DefaultItemHeight_ = 20;
  bool TabsBGTransparent_ = false;
  int HotTabIndex_ = -1;
  std::vector<TbsTabMarks> Marks_;
  const TImage* SkinPicture_ = nullptr;
  // The picture a paint composes, kept for the next paint at the same size.
  TbsFBitmap Buffer_;
  // The page frame as last cut, and what it was cut from.
  TImage PageFrame_;
  const TbsDataSkinTabControl* PageFrameObject_ = nullptr;
  const TImage* PageFramePicture_ = nullptr;
};

}  // namespace bs
