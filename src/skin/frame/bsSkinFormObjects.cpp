#include "skin/frame/bsSkinFormObjects.h"

#include "skin/frame/bsSkinForm.h"
#include "skin/resources/bsEffects.h"
#include "skin/resources/bsSkinClientWin.h"

#include <algorithm>

namespace bs {

using spv::platform::TCanvas;
using spv::platform::TMouseButton;

namespace {

COLORREF Rgb(TColor c) { return spv::platform::ColorToRGB(spv::platform::TColor(c)); }

TRect Offset(const TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// `source` of `picture` scaled to w x h; black where the picture has nothing.
TbsEffectBmp PieceImage(const TImage* picture, const TRect& source, int w, int h) {
  TbsEffectBmp image(w, h);
  if (picture) CopyImageRect(image, {0, 0, w, h}, *picture, source);
  return image;
}

// Block copy of `source` onto `dest` of `dc`, scaled when the sizes differ.
void CopyPiece(HDC dc, const TRect& dest, const TbsFBitmap& picture, const TRect& source) {
  if (RectIsEmpty(dest) || RectIsEmpty(source) || picture.Empty()) return;
  if (dest.Width() == source.Width() && dest.Height() == source.Height()) {
    BitBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), picture.DC(), source.Left, source.Top, SRCCOPY);
    return;
  }
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), picture.DC(), source.Left, source.Top,
             source.Width(), source.Height(), SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

// The command is in its reversed state on `owner`'s window.
bool CommandReversed(const TbsSkinForm& owner, TbsStdCommand command) {
  switch (command) {
    case TbsStdCommand::cmMaximize: return owner.WindowState() == wsMaximized;
    case TbsStdCommand::cmMinimize: return owner.WindowState() == wsMinimized;
    case TbsStdCommand::cmRollUp: return owner.RolledUp();
    default: return false;
  }
}

// The look of a button in its reversed state, from the restore rects; empty when none applies.
TRect RestoreLook(const TbsRestoreKeys& r, bool ncActive, bool pressedAndHot, bool lit) {
  if (!ncActive && !RectIsEmpty(r.RestoreInActiveRect)) return r.RestoreInActiveRect;
  if (pressedAndHot && !RectIsEmpty(r.RestoreDownRect)) return r.RestoreDownRect;
  if (lit && !RectIsEmpty(r.RestoreActiveRect)) return r.RestoreActiveRect;
  return r.RestoreRect;
}

}  // namespace

// ---- TbsActiveSkinObject ----------------------------------------------------------------------

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinForm& owner, const TbsDataSkinObject* data) : Owner(owner) {
  if (data) {
    IDName = data->IDName;
    static_cast<TbsObjectKeys&>(*this) = *data;
  }
  if (ActivePictureIndex < 0 || !Owner.ActivePicture(ActivePictureIndex)) {
    ActivePictureIndex = -1;
    ActiveSkinRect = {};
  }
  if (RectIsEmpty(ActiveSkinRect)) Morphing = false;
  ObjectRect = SkinRect;
}

bool TbsActiveSkinObject::IsMorphPending() const { return Lit ? MorphValue < 1 : MorphValue > 0; }

bool TbsActiveSkinObject::CanMorph() const { return Morphing && Owner.EffectsAllowed(); }

const TbsFBitmap* TbsActiveSkinObject::ActivePicture() const {
  return ActivePictureIndex < 0 ? nullptr : Owner.ActivePicture(ActivePictureIndex);
}

const TbsFBitmap* TbsActiveSkinObject::NormalPicture() const {
  return SkinRectInAPicture ? ActivePicture() : Owner.MainPicture();
}

void TbsActiveSkinObject::DrawPiece(TCanvas& canvas, const TbsFBitmap* picture, const TRect& source) const {
  if (picture) CopyPiece(canvas.Handle(), ObjectRect, *picture, source);
}

void TbsActiveSkinObject::DrawMorph(TCanvas& canvas, const TbsFBitmap* fromPicture, const TRect& from,
                                    const TbsFBitmap* toPicture, const TRect& to) const {
  const int w = ObjectRect.Width(), h = ObjectRect.Height();
  if (w <= 0 || h <= 0 || !fromPicture || !toPicture) return;
  TbsEffectBmp image = PieceImage(fromPicture, from, w, h);
  image.Morph(MorphKind, PieceImage(toPicture, to, w, h), MorphValue);
  DrawToDC(image, canvas.Handle(), ObjectRect.Left, ObjectRect.Top);
}

void TbsActiveSkinObject::DrawObjectLook(TCanvas& canvas, bool updateAll) {
  if (Enabled && !Owner.IsFormActive() && !RectIsEmpty(InActiveSkinRect))
    DrawPiece(canvas, ActivePicture(), InActiveSkinRect);
  else if (CanMorph() && IsMorphPending())
    DrawMorph(canvas, NormalPicture(), SkinRect, ActivePicture(), ActiveSkinRect);
  else if (Lit && !RectIsEmpty(ActiveSkinRect))
    DrawPiece(canvas, ActivePicture(), ActiveSkinRect);
  else if (updateAll || SkinRectInAPicture)
    DrawPiece(canvas, NormalPicture(), SkinRect);
}

void TbsActiveSkinObject::Draw(TCanvas& canvas, bool updateAll) { DrawObjectLook(canvas, updateAll); }

void TbsActiveSkinObject::ChangeLook() {
  if (CanMorph()) Owner.StartMorphTimer();
  else Owner.RedrawObject(*this);
}

void TbsActiveSkinObject::MouseDown(TMouseButton button, int x, int y) {
  if (Owner.OnMouseDownEvent) Owner.OnMouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TbsActiveSkinObject::MouseUp(TMouseButton button, int x, int y) {
  if (Hot && Owner.OnMouseUpEvent) Owner.OnMouseUpEvent(IDName, x, y, ObjectRect, button);
}

void TbsActiveSkinObject::MouseMove(int x, int y) {
  if (Owner.OnMouseMoveEvent) Owner.OnMouseMoveEvent(IDName, x, y, ObjectRect);
}

void TbsActiveSkinObject::MouseEnter() {
  Hot = Lit = true;
  if (!RectIsEmpty(ActiveSkinRect)) ChangeLook();
  if (Owner.OnMouseEnterEvent) Owner.OnMouseEnterEvent(IDName);
}

void TbsActiveSkinObject::MouseLeave() {
  Hot = Lit = false;
  if (!RectIsEmpty(ActiveSkinRect)) ChangeLook();
  if (Owner.OnMouseLeaveEvent) Owner.OnMouseLeaveEvent(IDName);
}

bool TbsActiveSkinObject::ResetLook() {
  const bool changed = Hot || Lit || MorphValue != 0;
  Hot = Lit = false;
  MorphValue = 0;
  return changed;
}

// ---- TbsUserObject --------------------------------------------------------------------------------

void TbsUserObject::Draw(TCanvas& canvas, bool) {
  if (Owner.OnPaintEvent) Owner.OnPaintEvent(IDName, canvas, ObjectRect);
}

// ---- TbsSkinButtonObject --------------------------------------------------------------------------

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinForm& owner, const TbsDataSkinButton* data)
    : TbsActiveSkinObject(owner, data) {
  // Without an active picture the button has no pressed or disabled picture either.
  if (data && ActivePictureIndex >= 0) static_cast<TbsButtonKeys&>(*this) = *data;
}

void TbsSkinButtonObject::DrawButtonLook(TCanvas& canvas, bool updateAll) {
  if (!Enabled && !RectIsEmpty(DisableSkinRect)) DrawPiece(canvas, ActivePicture(), DisableSkinRect);
  else if (Pressed && Hot && !RectIsEmpty(DownRect)) DrawPiece(canvas, ActivePicture(), DownRect);
  else DrawObjectLook(canvas, updateAll);
}

void TbsSkinButtonObject::Draw(TCanvas& canvas, bool updateAll) { DrawButtonLook(canvas, updateAll); }

void TbsSkinButtonObject::SetPressed(bool value) {
  Pressed = value;
  if (value && Lit && CanMorph()) MorphValue = 1;
  Owner.RedrawObject(*this);
}

void TbsSkinButtonObject::MouseDown(TMouseButton button, int x, int y) {
  if (!Enabled || button != TMouseButton::mbLeft || Pressed) return;
  SetPressed(true);
  TbsActiveSkinObject::MouseDown(button, x, y);
}

void TbsSkinButtonObject::MouseUp(TMouseButton button, int x, int y) {
  if (Enabled && button == TMouseButton::mbLeft && !MenuItem && Pressed) SetPressed(false);
  TbsActiveSkinObject::MouseUp(button, x, y);
}

void TbsSkinButtonObject::MouseEnter() {
  Hot = Lit = true;
  if (Pressed && !RectIsEmpty(DownRect)) {
    if (CanMorph()) MorphValue = 1;
    Owner.RedrawObject(*this);
  } else if (!RectIsEmpty(ActiveSkinRect)) {
    ChangeLook();
  }
  if (Owner.OnMouseEnterEvent) Owner.OnMouseEnterEvent(IDName);
}

void TbsSkinButtonObject::MouseLeave() {
  Hot = Lit = false;
  // A button holding its menu open keeps its down look.
  if (!(MenuItem && Pressed)) {
    Owner.RedrawObject(*this);
    if (CanMorph()) Owner.StartMorphTimer();
  }
  if (Owner.OnMouseLeaveEvent) Owner.OnMouseLeaveEvent(IDName);
}

// ---- TbsSkinStdButtonObject -----------------------------------------------------------------------

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinForm& owner, const TbsDataSkinStdButton* data)
    : TbsSkinButtonObject(owner, data), Described(data != nullptr) {
  if (!data) return;
  Command = data->Command;
  if (ActivePictureIndex >= 0) static_cast<TbsRestoreKeys&>(*this) = *data;
}

bool TbsSkinStdButtonObject::Reversed() const { return CommandReversed(Owner, Command); }

void TbsSkinStdButtonObject::Draw(TCanvas& canvas, bool updateAll) {
  if (!Described) {
    Owner.PaintBuiltInButton(canvas.Handle(), *this);
    return;
  }
  if (Command == TbsStdCommand::cmSysMenu && Owner.ShowIcon && SkinRectInAPicture) {
    int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    if (cx == 0 || cy == 0) {
      cx = GetSystemMetrics(SM_CXSIZE);
      cy = GetSystemMetrics(SM_CYSIZE);
    }
    DrawIconEx(canvas.Handle(), ObjectRect.Left, ObjectRect.Top, Owner.SmallIcon(), cx, cy, 0, nullptr, DI_NORMAL);
    MorphValue = 0;
    return;
  }
  if (Reversed() && Enabled && !RectIsEmpty(RestoreRect)) {
    const TbsFBitmap* picture = ActivePicture();
    const bool inactive = !Owner.NCActive() && !RectIsEmpty(RestoreInActiveRect);
    const bool down = Pressed && Hot && !RectIsEmpty(RestoreDownRect);
    if (!inactive && !down && CanMorph() && IsMorphPending() && !RectIsEmpty(RestoreActiveRect))
      DrawMorph(canvas, picture, RestoreRect, picture, RestoreActiveRect);
    else
      DrawPiece(canvas, picture, RestoreLook(*this, Owner.NCActive(), Pressed && Hot, Lit));
    return;
  }
  DrawButtonLook(canvas, updateAll);
}

void TbsSkinStdButtonObject::ExecuteCommand() { Owner.ExecuteCommand(Command); }

void TbsSkinStdButtonObject::MouseDown(TMouseButton button, int, int) {
  if (!Enabled || button != TMouseButton::mbLeft || Pressed) return;
  SetPressed(true);
  if (Command == TbsStdCommand::cmSysMenu) Owner.DropDownSystemMenu(*this);
}

void TbsSkinStdButtonObject::MouseUp(TMouseButton button, int x, int y) {
  const bool left = button == TMouseButton::mbLeft;
  // A release away from the button (not lit any more) runs nothing.
  const bool run = left && Lit && Pressed;
  const bool release = Enabled && left && !MenuItem && Pressed;
  if (Command == TbsStdCommand::cmClose) {
    // Drawn released before the window goes; closing may free this object.
    if (release) SetPressed(false);
    TbsActiveSkinObject::MouseUp(button, x, y);
    if (run) ExecuteCommand();
    return;
  }
  if (run) ExecuteCommand();
  if (release) SetPressed(false);
  TbsActiveSkinObject::MouseUp(button, x, y);
}

void TbsSkinStdButtonObject::DblClick() {
  if (Command == TbsStdCommand::cmSysMenu) Owner.ExecuteCommand(TbsStdCommand::cmClose);
}

// ---- TbsSkinCaptionObject -------------------------------------------------------------------------

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinForm& owner, const TbsDataSkinCaption* data)
    : TbsActiveSkinObject(owner, data) {
  if (data) static_cast<TbsDataCaptionKeys&>(*this) = *data;
}

void TbsSkinCaptionObject::MouseEnter() {
  Hot = true;
  if (Owner.OnMouseEnterEvent) Owner.OnMouseEnterEvent(IDName);
}

void TbsSkinCaptionObject::MouseLeave() {
  Hot = false;
  if (Owner.OnMouseLeaveEvent) Owner.OnMouseLeaveEvent(IDName);
}

bool TbsSkinCaptionObject::CanAnimate() const {
  return !RectIsEmpty(AnimateSkinRect) && FrameCount > 0 && ActivePicture() && Owner.EffectsAllowed();
}

void TbsSkinCaptionObject::StartAnimation(bool active) {
  if (!CanAnimate()) return;
  CurrentFrame = active ? 1 : (InActiveAnimation ? FrameCount : 0);
  AnimationCounter = 0;
  Owner.StartAnimationTimer();
}

bool TbsSkinCaptionObject::AnimationTick() {
  if (!CanAnimate()) return false;
  // Active: frames 1 .. FrameCount forwards; inactive: back down to 0.
  if (Lit ? (CurrentFrame < 1 || CurrentFrame > FrameCount) : CurrentFrame <= 0) return false;
  AnimationCounter += 25;
  if (AnimationCounter < AnimateInterval) return true;
  AnimationCounter = 0;
  CurrentFrame += Lit ? 1 : -1;
  Owner.RedrawObject(*this);
  return true;
}

TRect TbsSkinCaptionObject::TextRectIn(const TRect& object) const {
  TRect r = TextRect;
  if (!RectIsEmpty(r)) r.Right = object.Width() - (SkinRect.Width() - TextRect.Right);
  if (!RectIsEmpty(FrameRect)) {
    r = Offset(r, FrameTextRect.Left, FrameTextRect.Top);
    r.Right -= FrameRect.Width() - FrameTextRect.Right;
  }
  return r;
}

void TbsSkinCaptionObject::DrawText(HDC dc, int x, int y, const std::wstring& text) {
  RECT r{x, y, x, y};
  DrawWideText(dc, text, r, DT_CALCRECT);
  DrawWideText(dc, text, r, 0);
}

void TbsSkinCaptionObject::Draw(TCanvas& canvas, bool) {
  const int w = ObjectRect.Width(), h = ObjectRect.Height();
  if (w <= 0 || h <= 0) return;
  const TbsSkinData* skin = Owner.SkinData();
  const bool animating = CanAnimate() && CurrentFrame >= 1 && CurrentFrame <= FrameCount;
  const bool morphing = CanMorph() && IsMorphPending();
  const bool ownBackground = skin && !RectIsEmpty(ActiveSkinRect) && (Lit || morphing || StretchEffect || animating);

  // Off-screen when the caption shows a background of its own, else straight onto the strip,
  // which already shows the caption's place.
  TbsFBitmap buffer;
  HDC dc = canvas.Handle();
  int ox = ObjectRect.Left, oy = ObjectRect.Top;
  if (ownBackground) {
    // Caps are the parts of the caption picture outside the frame's corner columns.
    const TbsFormInfo& info = skin->FormInfo;
    const int left = std::clamp(info.Corners.LeftTopPoint.X - SkinRect.Left, 0, SkinRect.Width());
    const int right = std::clamp(SkinRect.Right - info.Corners.RightTopPoint.X, 0, SkinRect.Width() - left);
    auto background = [&](const TImage* picture, const TRect& source) {
      TbsEffectBmp image(w, h);
      if (!picture) return image;
      if (left == 0 && right == 0) {
        CopyImageRect(image, {0, 0, w, h}, *picture, source);
      } else {
        TImage strip;
        ThreePartHorzImage(left, right, strip, *picture, source, w, StretchEffect);
        CopyImageRect(image, {0, 0, w, h}, strip, {0, 0, strip.Width(), strip.Height()});
      }
      return image;
    };
    auto normal = [&] {
      TbsEffectBmp image = background(NormalPicture(), SkinRect);
      if (info.AutoRenderingInActiveImage) image.ApplyEffect(info.InActiveEffect);
      return image;
    };
    TbsEffectBmp image;
    if (animating) {
      const bool stacked = AnimateSkinRect.Height() > SkinRect.Height();
      TRect frame = AnimateSkinRect;
      if (stacked) {
        const int fh = AnimateSkinRect.Height() / FrameCount;
        frame.Top += (CurrentFrame - 1) * fh;
        frame.Bottom = frame.Top + fh;
      } else {
        const int fw = AnimateSkinRect.Width() / FrameCount;
        frame.Left += (CurrentFrame - 1) * fw;
        frame.Right = frame.Left + fw;
      }
      image = background(ActivePicture(), frame);
    } else if (morphing) {
      image = normal();
      image.Morph(MorphKind, background(ActivePicture(), ActiveSkinRect), MorphValue);
    } else if (Lit) {
      image = background(ActivePicture(), ActiveSkinRect);
    } else {
      image = normal();
    }
    buffer = image;
    dc = buffer.DC();
    ox = oy = 0;
  }

  const std::wstring& caption = Owner.Form().Caption();
  TRect tr = TextRectIn(ObjectRect);
  if (!caption.empty() && !RectIsEmpty(tr)) {
    spv::platform::TFont font;
    const BYTE charset = skin && skin->ResourceStrData() ? BYTE(skin->ResourceStrData()->CharSet)
                                                         : Owner.DefCaptionFont().Charset();
    AssignSkinFont(font, {FontName, FontHeight, FontStyle, FontColor}, charset);
    const HGDIOBJ oldFont = SelectObject(dc, font.Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = GetTextColor(dc);

    const std::wstring text = FitWideText(dc, caption, tr.Width());
    const int tw = WideTextWidth(dc, text), th = WideTextHeight(dc, text);
    int x = tr.Left;
    if (Alignment == TAlignment::taRightJustify) x = tr.Right - tw;
    else if (Alignment == TAlignment::taCenter) x = tr.Left + tr.Width() / 2 - tw / 2;
    int y = tr.Top + tr.Height() / 2 - th / 2;
    x += ox;
    y += oy;

    if (!RectIsEmpty(FrameRect) && ActivePicture()) {
      const TRect source = Lit && !RectIsEmpty(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
      const int offset = skin ? skin->FormInfo.ButtonsOffset : 0;
      const int fw = FullFrame ? w - 2 * offset : FrameRect.Width() + tw - FrameTextRect.Width();
      if (fw > 0) {
        TImage piece;
        ThreePartHorzImage(FrameLeftOffset, FrameRightOffset, piece, *ActivePicture(), source, fw, StretchEffect);
        DrawToDC(piece, dc, FullFrame ? ox + offset : x - FrameTextRect.Left, y - FrameTextRect.Top);
      }
    }
    if (Light) {
      SetTextColor(dc, Rgb(Lit ? ActiveLightColor : LightColor));
      DrawText(dc, x - 1, y - 1, text);
    }
    if (Shadow) {
      SetTextColor(dc, Rgb(Lit ? ActiveShadowColor : ShadowColor));
      DrawText(dc, x + 1, y + 1, text);
    }
    SetTextColor(dc, Rgb(Lit ? ActiveFontColor : FontColor));
    DrawText(dc, x, y, text);

    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
  }
  if (ownBackground) {
    GdiFlush();
    BitBlt(canvas.Handle(), ObjectRect.Left, ObjectRect.Top, w, h, buffer.DC(), 0, 0, SRCCOPY);
  }
}

// ---- TbsSkinAnimateObject -------------------------------------------------------------------------

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsSkinForm& owner, const TbsDataSkinAnimate* data)
    : TbsActiveSkinObject(owner, data) {
  if (!data) return;
  static_cast<TbsAnimateKeys&>(*this) = *data;
  CountFrames = std::max(1, CountFrames);
  if (ActivePictureIndex >= 0) static_cast<TbsRestoreKeys&>(*this) = *data;
}

void TbsSkinAnimateObject::Draw(TCanvas& canvas, bool updateAll) {
  const bool pressedAndHot = ButtonStyle && Pressed && Hot;
  if (CommandReversed(Owner, Command) && Enabled && !RectIsEmpty(RestoreRect)) {
    DrawPiece(canvas, ActivePicture(), RestoreLook(*this, Owner.NCActive(), pressedAndHot, Lit));
    return;
  }
  if (Enabled && !Owner.IsFormActive() && !RectIsEmpty(InActiveSkinRect)) {
    DrawPiece(canvas, ActivePicture(), InActiveSkinRect);
    return;
  }
  // The press picture is in the same picture as the frames.
  if (pressedAndHot && !RectIsEmpty(DownSkinRect)) {
    DrawPiece(canvas, NormalPicture(), DownSkinRect);
    return;
  }
  // Frame 1 of a strip in the frame picture is already on the strips.
  if (CurrentFrame == 1 && !updateAll && !SkinRectInAPicture) return;
  DrawPiece(canvas, NormalPicture(), Offset(SkinRect, (CurrentFrame - 1) * SkinRect.Width(), 0));
}

// Without effects the strip jumps to where the animation would end.
void TbsSkinAnimateObject::MouseEnter() {
  Hot = Lit = true;
  Increment = true;
  AnimationCounter = 0;
  if (Owner.EffectsAllowed() && CountFrames > 1) {
    Owner.StartAnimationTimer();
    if (ButtonStyle && Pressed) Owner.RedrawObject(*this);
  } else {
    CurrentFrame = CountFrames;
    Owner.RedrawObject(*this);
  }
  if (Owner.OnMouseEnterEvent) Owner.OnMouseEnterEvent(IDName);
}

void TbsSkinAnimateObject::MouseLeave() {
  Hot = Lit = false;
  Increment = false;
  AnimationCounter = 0;
  if (Owner.EffectsAllowed() && CountFrames > 1) {
    Owner.StartAnimationTimer();
    if (ButtonStyle && Pressed) Owner.RedrawObject(*this);
  } else {
    CurrentFrame = 1;
    Owner.RedrawObject(*this);
  }
  if (Owner.OnMouseLeaveEvent) Owner.OnMouseLeaveEvent(IDName);
}

bool TbsSkinAnimateObject::AnimationTick() {
  if (Increment ? (!Cycle && CurrentFrame >= CountFrames) : CurrentFrame <= 1) return false;
  AnimationCounter += 25;
  if (AnimationCounter < TimerInterval) return true;
  AnimationCounter = 0;
  if (Increment) CurrentFrame = CurrentFrame >= CountFrames ? 1 : CurrentFrame + 1;
  else --CurrentFrame;
  Owner.RedrawObject(*this);
  return true;
}

void TbsSkinAnimateObject::MouseDown(TMouseButton button, int x, int y) {
  if (!Enabled || button != TMouseButton::mbLeft || Pressed) return;
  Pressed = true;
  if (ButtonStyle) Owner.RedrawObject(*this);
  TbsActiveSkinObject::MouseDown(button, x, y);
  if (Command == TbsStdCommand::cmSysMenu) Owner.PopupSystemMenu(Owner.ScreenRectOf(*this));
}

void TbsSkinAnimateObject::MouseUp(TMouseButton button, int x, int y) {
  const bool left = button == TMouseButton::mbLeft;
  const bool run = left && Lit && Pressed && Command != TbsStdCommand::cmSysMenu;
  auto release = [&] {
    if (!(left && Pressed)) return;
    Pressed = false;
    if (ButtonStyle) Owner.RedrawObject(*this);
  };
  if (Command == TbsStdCommand::cmClose) {
    release();
    TbsActiveSkinObject::MouseUp(button, x, y);
    if (run) Owner.ExecuteCommand(Command);
    return;
  }
  if (run) Owner.ExecuteCommand(Command);
  release();
  TbsActiveSkinObject::MouseUp(button, x, y);
}

bool TbsSkinAnimateObject::ResetLook() {
  const bool changed = TbsActiveSkinObject::ResetLook() || CurrentFrame != 1;
  CurrentFrame = 1;
  AnimationCounter = 0;
  Increment = false;
  return changed;
}

}  // namespace bs
