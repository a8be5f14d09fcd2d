// The frame's geometry on a real window: the layout and the objects' places at the window's
// size, the window's shape from the skin's mask, the size limits and hit testing. The rules
// themselves are portable (bsSkinFormLayout); this feeds them the window's state.

#include "skin/frame/bsSkinForm.h"

namespace bs {

static_assert(hcClient == HTCLIENT && hcCaption == HTCAPTION && hcLeft == HTLEFT && hcRight == HTRIGHT &&
              hcTop == HTTOP && hcTopLeft == HTTOPLEFT && hcTopRight == HTTOPRIGHT && hcBottom == HTBOTTOM &&
              hcBottomLeft == HTBOTTOMLEFT && hcBottomRight == HTBOTTOMRIGHT && hcObject == HTOBJECT);

// ---- Layout, region ---------------------------------------------------------------------------

void TbsSkinForm::UpdateFrameLayout() {
  TakeFormSize();
  if (!Skinned_) return;
  Layout_ = ComputeFrameLayout(SkinData_->FormInfo, SkinData_->Picture.Width(), SkinData_->Picture.Height(),
                               FrameWidth_, FrameHeight_);
}

std::vector<TbsPlacedObject> TbsSkinForm::PlacementOf() const {
  std::vector<TbsPlacedObject> placed(Objects_.size());
  for (std::size_t i = 0; i < Objects_.size(); ++i) {
    const TbsActiveSkinObject& o = *Objects_[i];
    TbsPlacedObject& p = placed[i];
    if (dynamic_cast<const TbsSkinCaptionObject*>(&o)) p.Role = TbsPlaceRole::Caption;
    if (auto* b = dynamic_cast<const TbsSkinStdButtonObject*>(&o)) {
      p.Role = TbsPlaceRole::StdButton;
      p.Command = b->Command;
    } else if (auto* a = dynamic_cast<const TbsSkinAnimateObject*>(&o)) {
      p.Role = TbsPlaceRole::StdButton;
      p.Command = a->Command;
    }
    p.InPicture = o.SkinRectInAPicture;
    p.Visible = o.Visible;
    p.SkinRect = o.SkinRect;
    p.ObjectRect = o.ObjectRect;
    if (p.Role == TbsPlaceRole::StdButton && p.Command == TbsStdCommand::cmSysMenu && ShowIcon && p.InPicture) {
      p.IconWidth = GetSystemMetrics(SM_CXSMICON);
      p.IconHeight = GetSystemMetrics(SM_CYSMICON);
    }
  }
  return placed;
}

void TbsSkinForm::ArrangeFrameObjects() {
  if (!Skinned_) return;
  auto placed = PlacementOf();
  bs::ArrangeFrameObjects(SkinData_->FormInfo, Layout_, placed);
  for (std::size_t i = 0; i < Objects_.size(); ++i) Objects_[i]->ObjectRect = placed[i].ObjectRect;
}

TRect TbsSkinForm::ArrangeBuiltInObjects() {
  TakeFormSize();
  auto placed = PlacementOf();
  const TRect band = ArrangeBuiltInButtons(FrameWidth_, ToolWindow(), placed);
  for (std::size_t i = 0; i < Objects_.size(); ++i) Objects_[i]->ObjectRect = placed[i].ObjectRect;
  return band;
}

TRect TbsSkinForm::MapSkinRect(const TRect& r) const {
  return Skinned_ ? bs::MapSkinRect(SkinData_->FormInfo, Layout_, r) : r;
}

void TbsSkinForm::RefreshFrame() {
  UpdateFrameLayout();
  ArrangeFrameObjects();
  UpdateWindowRegion();
  if (!Region_) NCRepaint();
}

void TbsSkinForm::RemoveWindowRegion() {
  MaskStrips_ = {};
  RegionWindow_ = nullptr;
  if (!Region_) return;
  Region_ = nullptr;
  if (HWND h = Window()) SetWindowRgn(h, nullptr, TRUE);
}

void TbsSkinForm::UpdateWindowRegion() {
  HWND h = Window();
  if (!h || NoBorder() || !Skinned_ || SkinData_->MaskPicture.Empty()) {
    RemoveWindowRegion();
    return;
  }
  TakeFormSize();
  if (FrameWidth_ < GetMinWidth() || FrameHeight_ < GetMinHeight()) return;
  // The window has this very shape already (a WM_SIZE that kept the size, such as the one of
  // the first show): shaping it again would cost a round to the display server and a redraw of
  // the whole window, for a frame that looks as it did.
  if (Region_ && RegionWindow_ == h && RegionLayout_ == Layout_) return;
  BuildMaskStrips(SkinData_->FormInfo, SkinData_->MaskPicture.Image, Layout_, MaskStrips_);
  const TRect& mr = Layout_.MaskRect;
  TbsRegionHandle region(CreateRectRgn(mr.Left, mr.Top, mr.Right, mr.Bottom));
  const std::pair<const TImage*, TPoint> strips[] = {
      {&MaskStrips_.Top, {0, 0}},
      {&MaskStrips_.Bottom, {0, mr.Bottom}},
      {&MaskStrips_.Left, {0, mr.Top}},
      {&MaskStrips_.Right, {mr.Right, mr.Top}},
  };
  for (auto [strip, at] : strips) {
    if (strip->Empty()) continue;
    if (TbsRegionHandle part = RegionFromRunData(MaskToRegionRuns(*strip, at.X, at.Y)))
      CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
  }
  // From here the window owns the region, and deletes the one it had.
  Region_ = region.release();
  RegionWindow_ = h;
  RegionLayout_ = Layout_;
  SetWindowRgn(h, Region_, TRUE);
}

// ---- Size limits and hit testing --------------------------------------------------------------

TbsSizeLimitsInput TbsSkinForm::LimitsInput() const {
  TbsSizeLimitsInput in;
  in.Skinned = Skinned_;
  if (Skinned_) {
    in.PicWidth = SkinData_->Picture.Width();
    in.PicHeight = SkinData_->Picture.Height();
    in.SkinClientRect = SkinData_->FormInfo.Corners.ClientRect;
    in.FormMinWidth = SkinData_->FormInfo.FormMinWidth;
  }
  in.BuiltInCaptionHeight = BuiltInCaptionHeight(ToolWindow());
  in.MinWidth = MinWidth;
  in.MinHeight = MinHeight;
  in.MaxWidth = MaxWidth;
  in.MaxHeight = MaxHeight;
  in.Minimized = States_.WindowState == wsMinimized;
  in.RolledUp = States_.RolledUp;
  return in;
}

int TbsSkinForm::GetMinWidth() const { return FrameMinWidth(LimitsInput()); }
int TbsSkinForm::GetMinHeight() const { return FrameMinHeight(LimitsInput()); }

int TbsSkinForm::GetMaxWidth() const { return GetMaxSize().x; }

int TbsSkinForm::GetMaxHeight() const { return GetMaxSize().y; }

POINT TbsSkinForm::GetMaxSize() const {
  // One look at the monitor for both: under Wine each is a round to the server's registry.
  const RECT area = WorkAreaOf(Window(), !MaximizeOnFullScreen);
  const TbsSizeLimitsInput in = LimitsInput();
  return {FrameMaxWidth(in, area.right - area.left), FrameMaxHeight(in, area.bottom - area.top)};
}

TPoint TbsSkinForm::ScreenToFrame(TPoint p) const {
  const RECT r = FormBounds();
  return {p.X - r.left, p.Y - r.top};
}

TPoint TbsSkinForm::MessagePoint(LPARAM lParam) const {
  // Coordinates are signed: a second monitor left of or above the first gives negative ones.
  return ScreenToFrame({short(LOWORD(lParam)), short(HIWORD(lParam))});
}

int TbsSkinForm::SkinnedHitTest(TPoint p) const {
  std::vector<TRect> captions;
  for (const auto& o : Objects_)
    if (dynamic_cast<const TbsSkinCaptionObject*>(o.get())) captions.push_back(o->ObjectRect);
  TbsSkinnedHitInput in;
  in.Layout = &Layout_;
  in.Mask = &MaskStrips_;
  in.BorderWidth = SkinData_->FormInfo.BorderWidth;
  in.CaptionRects = captions;
  in.ObjectHot = Hot_ >= 0;
  in.InSizeMove = InSizeMove_;
  in.Maximized = Maximized();
  in.Minimized = States_.WindowState == wsMinimized;
  in.RolledUp = States_.RolledUp;
  in.Sizeable = Sizeable();
  return bs::SkinnedHitTest(in, p);
}

int TbsSkinForm::BuiltInHitTest(TPoint p) const {
  const RECT r = FormBounds();
  TbsBuiltInHitInput in;
  in.Width = r.right - r.left;
  in.Height = r.bottom - r.top;
  in.CaptionHeight = BuiltInCaptionHeight(ToolWindow());
  auto placed = PlacementOf();
  in.CaptionBand = ArrangeBuiltInButtons(in.Width, ToolWindow(), placed);
  in.ObjectHot = Hot_ >= 0;
  in.Maximized = Maximized();
  in.Minimized = States_.WindowState == wsMinimized;
  in.RolledUp = States_.RolledUp;
  in.Sizeable = Sizeable();
  return bs::BuiltInHitTest(in, p);
}

bool TbsSkinForm::Maximized() const {
  HWND h = Window();
  return States_.WindowState == wsMaximized || (h && IsZoomed(h));
}

TRect TbsSkinForm::ClientFromWindow(const TRect& window) const {
  if (Skinned_)
    return SkinnedClientFromWindow(SkinData_->FormInfo, SkinData_->Picture.Width(), SkinData_->Picture.Height(), window);
  return BuiltInClientFromWindow(BuiltInCaptionHeight(ToolWindow()), window);
}

TRect TbsSkinForm::BuiltInClient() const {
  const RECT r = FormBounds();
  return BuiltInClientFromWindow(BuiltInCaptionHeight(ToolWindow()), {0, 0, r.right - r.left, r.bottom - r.top});
}

}  // namespace bs
