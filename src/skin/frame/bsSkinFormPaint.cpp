// Painting: the skinned frame drawn off-screen from the skin's pictures, the built-in look
// without a skin, the client background, and the frame painted into a context a caller gives.

#include "skin/frame/bsSkinForm.h"

#include "skin/resources/bsEffects.h"
#include "skin/resources/bsSkinMessages.h"

#include <algorithm>
#include <string>

namespace bs {

using spv::platform::TCanvas;
using spv::platform::TMessage;

namespace {

COLORREF Rgb(spv::platform::TColor c) { return spv::platform::ColorToRGB(c); }

// Tiles `tile` of `picture` over the client area from its top-left corner, only where the
// window shows: a form is mostly covered by its controls.
void TileClient(HDC dc, HWND window, const TbsFBitmap& picture, const TRect& tile, const RECT& client) {
  const int tw = WidthOfRect(tile), th = HeightOfRect(tile);
  RECT area;
  if (tw <= 0 || th <= 0 || GetClipBox(dc, &area) == NULLREGION || !IntersectRect(&area, &area, &client)) return;
  for (const RECT& r : spv::platform::VisibleRects(dc, window, area))
    for (int y = r.top / th * th; y < r.bottom; y += th)
      for (int x = r.left / tw * tw; x < r.right; x += tw) {
        const RECT whole{x, y, x + tw, y + th};
        RECT part;
        if (IntersectRect(&part, &whole, &r))
          BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, picture.DC(),
                 tile.Left + part.left - x, tile.Top + part.top - y, SRCCOPY);
      }
}

}  // namespace

// ---- Painting -----------------------------------------------------------------------------

void TbsSkinForm::NCRepaint() {
  // A frame nobody sees is painted when its window shows (the system asks then).
  if (HWND h = Window(); h && IsWindowVisible(h)) SendMessageW(h, WM_NCPAINT, 0, 0);
}

void TbsSkinForm::PaintSkinnedFrame(HDC dc) {
  HWND h = Window();
  if (!Skinned_ || (!dc && !h)) return;
  TakeFormSize();
  if (FrameWidth_ < GetMinWidth() || FrameHeight_ < GetMinHeight()) return;
  UpdateFrameLayout();
  ArrangeFrameObjects();

  const TbsFormInfo& info = SkinData_->FormInfo;
  const bool active = IsFormActive();
  const TImage& source =
      !active && !SkinData_->InactivePicture.Empty() ? SkinData_->InactivePicture.Image : SkinData_->Picture.Image;
  const TbsPieceGeometry g = info.Corners.Geometry();
  const TbsPieceGeometry ng{Layout_.LT, Layout_.RT, Layout_.LB, Layout_.RB, Layout_.ClientRect};
  const TbsStretchFlags stretch = info.Stretch.Flags();
  const int W = FrameWidth_, H = FrameHeight_;
  // GDI may still be drawing into the strips from the last paint.
  GdiFlush();
  BorderStripImages(g, ng, {&LeftStrip_, &TopStrip_, &RightStrip_, &BottomStrip_}, source,
                    Rect(0, 0, source.Width(), source.Height()), W, H, stretch);

  const TRect& client = Layout_.ClientRect;
  TCanvas top, bottom;
  top.SetHandle(TopStrip_.DC());
  bottom.SetHandle(BottomStrip_.DC());
  for (auto& o : Objects_) {
    if (!o->Visible) continue;
    if (o->ObjectRect.Bottom <= client.Top) {
      o->Draw(top, false);
    } else {
      const TRect saved = o->ObjectRect;
      o->ObjectRect = Rect(saved.Left, saved.Top - client.Bottom, saved.Right, saved.Bottom - client.Bottom);
      o->Draw(bottom, false);
      o->ObjectRect = saved;
    }
  }
  top.SetHandle(nullptr);
  bottom.SetHandle(nullptr);

  HDC target = dc ? dc : GetWindowDC(h);
  const int saved = SaveDC(target);
  if (HeightOfRect(client) > 0) ExcludeClipRect(target, client.Left, client.Top, client.Right, client.Bottom);
  const int topHeight = TopStrip_.Height();
  const std::pair<TbsFBitmap*, POINT> places[] = {
      {&TopStrip_, {0, 0}},
      {&LeftStrip_, {0, topHeight}},
      {&RightStrip_, {W - RightStrip_.Width(), topHeight}},
      {&BottomStrip_, {0, H - BottomStrip_.Height()}},
  };
  const bool plain = active || !info.AutoRenderingInActiveImage;
  for (auto [strip, at] : places) {
    if (strip->Empty()) continue;
    if (plain) {
      BitBlt(target, at.x, at.y, strip->Width(), strip->Height(), strip->DC(), 0, 0, SRCCOPY);
    } else {
      GdiFlush();
      TbsEffectBmp effect(*strip);
      effect.ApplyEffect(info.InActiveEffect);
      DrawToDC(effect, target, at.x, at.y);
    }
  }
  RestoreDC(target, saved);
  if (!dc) ReleaseDC(h, target);
}

void TbsSkinForm::PaintBuiltInButton(HDC dc, const TbsSkinStdButtonObject& button) const {
  const TRect& r = button.ObjectRect;
  const RECT rc = ToRECT(r);
  FillSolid(dc, rc, Rgb(spv::platform::clBtnFace));
  const bool down = button.Pressed && button.Hot;
  if (button.Hot) {
    const HPEN pen = CreatePen(PS_SOLID, 1, Rgb(spv::platform::clNavy));
    const HBRUSH brush = CreateSolidBrush(down ? 11899781 : 13811126);
    const HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    ::Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
  }
  const COLORREF colour = Rgb(button.Enabled ? spv::platform::clBtnText : spv::platform::clBtnShadow);
  const int shift = down ? 1 : 0;
  const int x = r.Left + WidthOfRect(r) / 2 - 5 + shift, y = r.Top + HeightOfRect(r) / 2 - 4 + shift;
  switch (button.Command) {
    case TbsStdCommand::cmClose: DrawCloseGlyph(dc, x, y, colour); break;
    case TbsStdCommand::cmMaximize:
      (Maximized() ? DrawRestoreGlyph : DrawMaximizeGlyph)(dc, x, y, colour);
      break;
    case TbsStdCommand::cmMinimize:
      (States_.WindowState == wsMinimized ? DrawRestoreGlyph : DrawMinimizeGlyph)(dc, x, y, colour);
      break;
    case TbsStdCommand::cmSysMenu: DrawSysMenuGlyph(dc, x, y, colour); break;
    case TbsStdCommand::cmRollUp: (States_.RolledUp ? DrawRollDownGlyph : DrawRollUpGlyph)(dc, x, y, colour); break;
    case TbsStdCommand::cmMinimizeToTray: DrawTrayGlyph(dc, x, y, colour); break;
    case TbsStdCommand::cmDefault: break;
  }
}

void TbsSkinForm::PaintBuiltInFrame(HDC dc) {
  HWND h = Window();
  if (!dc && !h) return;
  if (Objects_.empty()) {
    BuildBuiltInButtons();
    ApplyBorderIcons();
  }
  const RECT bounds = FormBounds();
  const int W = bounds.right - bounds.left, H = bounds.bottom - bounds.top;
  FrameWidth_ = W;
  FrameHeight_ = H;
  const int ch = BuiltInCaptionHeight(ToolWindow());
  const TRect band = ArrangeBuiltInObjects();
  const int frame = BuiltInFrameWidth;
  if (W - 2 * frame <= 0) return;

  // The caption bar, in its own bitmap whose origin is the window's (3, 3).
  TbsFBitmap bar(W - 2 * frame, ch);
  HDC bdc = bar.DC();
  FillSolid(bdc, {0, 0, bar.Width(), ch}, Rgb(spv::platform::clBtnFace));
  if (ch > 5) {
    const HPEN light = CreatePen(PS_SOLID, 1, Rgb(spv::platform::clBtnHighlight));
    const HPEN dark = CreatePen(PS_SOLID, 1, Rgb(spv::platform::clBtnShadow));
    const HGDIOBJ old = SelectObject(bdc, light);
    for (int y = 2; y <= ch - 4; ++y) {
      SelectObject(bdc, (y - 2) % 2 == 0 ? light : dark);
      MoveToEx(bdc, band.Left - frame, y, nullptr);
      LineTo(bdc, band.Right - frame - 3, y);
    }
    SelectObject(bdc, old);
    DeleteObject(light);
    DeleteObject(dark);
  }
  const std::wstring& caption = Form_->Caption();
  if (!caption.empty() && band.Right > band.Left) {
    spv::platform::TFont& font = IsFormActive() ? DefCaptionFont_ : DefInActiveCaptionFont_;
    if (SkinData_ && SkinData_->ResourceStrData()) font.SetCharset(BYTE(SkinData_->ResourceStrData()->CharSet));
    const HGDIOBJ oldFont = SelectObject(bdc, font.Handle());
    const std::wstring text = FitWideText(bdc, caption, WidthOfRect(band));
    const int tw = WideTextWidth(bdc, text), th = WideTextHeight(bdc, text);
    const int middle = (band.Left + band.Right) / 2 - frame;
    const int x = middle - (tw + 5) / 2, y = ch / 2 - th / 2;
    FillSolid(bdc, {x - 2, y - 2, x + tw + 2, y + th + 2}, Rgb(spv::platform::clBtnFace));
    SetBkMode(bdc, TRANSPARENT);
    SetTextColor(bdc, Rgb(font.Color()));
    RECT tr{x, y, x + tw, y + th};
    DrawWideText(bdc, text, tr, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(bdc, oldFont);
  }
  POINT oldOrigin;
  SetViewportOrgEx(bdc, -frame, -frame, &oldOrigin);
  TCanvas canvas;
  canvas.SetHandle(bdc);
  for (auto& o : Objects_)
    if (o->Visible) o->Draw(canvas, true);
  canvas.SetHandle(nullptr);
  SetViewportOrgEx(bdc, oldOrigin.x, oldOrigin.y, nullptr);
  GdiFlush();

  HDC target = dc ? dc : GetWindowDC(h);
  const int saved = SaveDC(target);
  ExcludeClipRect(target, frame, ch + frame, W - frame, H - frame);
  BitBlt(target, frame, frame, bar.Width(), ch, bdc, 0, 0, SRCCOPY);
  RECT r{0, 0, W, H};
  DrawFrameLines(target, r, Rgb(spv::platform::cl3DLight), Rgb(spv::platform::cl3DDkShadow));
  InflateRect(&r, -1, -1);
  DrawFrameLines(target, r, Rgb(spv::platform::clBtnHighlight), Rgb(spv::platform::clBtnShadow));
  InflateRect(&r, -1, -1);
  DrawFrameLines(target, r, Rgb(spv::platform::clBtnFace), Rgb(spv::platform::clBtnFace));
  RestoreDC(target, saved);
  if (!dc) ReleaseDC(h, target);
}

void TbsSkinForm::OnEraseBackground(HDC dc) {
  HWND h = Window();
  RECT client{};
  if (h) GetClientRect(h, &client);
  const int cw = client.right, chh = client.bottom;
  // A skin that names a background picture it does not have gets the plain face, as a skin
  // without any background piece does: the client is never left unpainted.
  const TbsFormInfo* info = Skinned_ ? &SkinData_->FormInfo : nullptr;
  const TbsFBitmap* bg = info && info->BGPictureIndex >= 0 ? ActivePicture(info->BGPictureIndex) : nullptr;
  if (bg) TileClient(dc, h, *bg, Rect(0, 0, bg->Width(), bg->Height()), client);
  else if (info && info->BGPictureIndex < 0 && !RectIsEmpty(info->Corners.ClientRect) && MainPicture())
    TileClient(dc, h, MainPicture_, info->Corners.ClientRect, client);
  else FillSolid(dc, client, Rgb(spv::platform::clBtnFace));
  if (!LogoBitMap_.Empty()) {
    const int x = std::max(0, cw - LogoBitMap_.Width()), y = std::max(0, chh - LogoBitMap_.Height());
    if (LogoBitMapTransparent) DrawGlyphFrame(dc, x, y, 1, 1, LogoBitMap_.Image());
    else DrawToDC(LogoBitMap_.Image(), dc, x, y);
  }
}

void TbsSkinForm::OnPaintFrameInto(TMessage& m) {
  if (m.WParam && !NoBorder() && !SkinChanging_) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (Skinned_) PaintSkinnedFrame(dc);
    else PaintBuiltInFrame(dc);
  }
  m.Result = bs::kPaintFrameAnswer;
}

}  // namespace bs
