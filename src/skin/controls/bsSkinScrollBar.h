#pragma once
// The skinned scroll bar: a stand-alone control that scrolling controls link to and drive
// through its range, position and events. Buttons step by SmallChange, the track pages by
// LargeChange, and both repeat while held (after 500 ms, then every 50 ms); the thumb drags.

#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinScrollBarLayout.h"

#include <string>

namespace bs {

class TbsSkinScrollBar : public TbsSkinCustomControl {
 public:
  explicit TbsSkinScrollBar(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinScrollBar() override;
  std::string_view ClassName() const override { return "TbsSkinScrollBar"; }

  TbsScrollBarKind Kind() const { return Kind_; }
  void SetKind(TbsScrollBarKind value);
  int Min() const { return Range_.Min; }
  // A Min above Max raises Max with it, so that the range is never inverted.
  void SetMin(int value);
  int Max() const { return Range_.Max; }
  // A Max below Min lowers Min with it.
  void SetMax(int value);
  int Position() const { return Range_.Position; }
  void SetPosition(int value);
  // As SetPosition, without OnChange: for linked controls that follow their own scrolling.
  void SetPositionQuiet(int value);
  // A maximum below the minimum is taken as the minimum.
  void SetRange(int min, int max, int pageSize, int position);
  int PageSize() const { return Range_.PageSize; }
  // Refused (the old page stays) when negative or when the page from the position would end
  // past Max.
  void SetPageSize(int value);
  int SmallChange() const { return SmallChange_; }
  void SetSmallChange(int value);
  int LargeChange() const { return LargeChange_; }
  void SetLargeChange(int value);
  bool CanFocused() const { return CanFocused_; }
  void SetCanFocused(bool value);
  bool Both() const { return Both_; }
  void SetBoth(bool value);
  int BothMarkerWidth() const { return BothMarkerWidth_; }
  void SetBothMarkerWidth(int value);
  const std::string& BothSkinDataName() const { return BothSkinDataName_; }
  void SetBothSkinDataName(std::string_view value) { BothSkinDataName_ = value; }

  spv::platform::TNotifyEvent OnChange, OnLastChange, OnUpButtonClick, OnDownButtonClick, OnPageUp, OnPageDown;

  // State, for whoever draws or tests the bar.
  TbsScrollBarLayout Layout();
  int HotPart() const { return HotPart_; }
  int PressedPart() const { return PressedPart_; }
  bool Repeating() const { return Timer_.Running(); }
  bool Dragging() const { return Dragging_; }

  void ReadSkinObject() override;
  void SetBounds(int left, int top, int width, int height) override;

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override;
  void WndProc(spv::platform::TMessage& message) override;
  void MouseDown(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;
  void MouseMove(spv::platform::TShiftState shift, int x, int y) override;
  void MouseUp(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, spv::platform::TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void MouseLeave() override;

 private:
  enum class TAutoRepeat { None, Decrease, Increase, PageToStart, PageToEnd };
  bool StoreClamped(int value);
  void StepBy(std::int64_t delta);
  void PressPart(int part, int x, int y);
  void ReleasePart();
  void UpdateHotPart(int x, int y);
  void StartRepeat(unsigned interval);
  void RepeatTick();
  void ButtonStep(int part);
  bool PageStep(bool toStart);
  void PaintSkinThumb(TbsFBitmap& bitmap, const TbsScrollBarLayout& l);
  bool ThumbPressedLook() const;

  TbsScrollBarKind Kind_ = TbsScrollBarKind::sbHorizontal;
  TbsScrollBarRange Range_;
  int SmallChange_ = 1, LargeChange_ = 1, BothMarkerWidth_ = 19;
  bool CanFocused_ = false, Both_ = false;
  std::string BothSkinDataName_ = "bothhscrollbar", KeptSkinDataName_;

  int HotPart_ = sbpNone, PressedPart_ = sbpNone;
  TAutoRepeat AutoRepeat_ = TAutoRepeat::None;
  bool FirstTick_ = false, ButtonHeld_ = false, Dragging_ = false, Paused_ = false;
  int DragOrigin_ = 0, OffsetAtPress_ = 0, PositionAtPress_ = 0;
  POINT LastPoint_{-1, -1};
  TbsOnDemandTimer Timer_;

  // Copied from a TbsDataSkinScrollBarControl.
  TbsScrollBarSkin Skin_;
  TRect ActiveUpButtonRect_, DownUpButtonRect_, ActiveDownButtonRect_, DownDownButtonRect_;
  TRect ThumbRect_, ActiveThumbRect_, DownThumbRect_;
  TRect GlyphRect_, ActiveGlyphRect_, DownGlyphRect_;
  int ThumbOffset1_ = 0, ThumbOffset2_ = 0;
  bool ThumbTransparent_ = false;
  TColor ThumbTransparentColor_ = 0;
};

}  // namespace bs
