// One shown item of a skinned popup: its states (hot, open, chosen) and its look, skinned from
// the menu-item description or built-in.
#include "skin/frame/bsSkinMenus.h"

#include "skin/resources/bsEffects.h"

#include <algorithm>

namespace bs {

using namespace spv::platform;

namespace {
constexpr TColor kBuiltInLitFill = 13811126;

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}
}  // namespace

TbsSkinMenuItem::TbsSkinMenuItem(TbsSkinPopupWindow& popup, TbsDataSkinMenuItem* data, TMenuItem& item)
    : Popup(popup), Data(data), MenuItem(&item) {
  if (!Data) return;
  const TbsSkinBitmap* picture = popup.SkinData() ? popup.SkinData()->ActivePicture(Data->ActivePictureIndex) : nullptr;
  if (picture && !picture->Empty()) {
    ActivePicture = &picture->Image;
  } else {
    // Nothing to cut the item pieces from: the description says so for every popup after this.
    Data->SkinRect = {};
    Data->ActiveSkinRect = {};
  }
}

int TbsSkinMenuItem::Height() const {
  if (Data) return IsSeparator() ? Data->DividerRect.Height() : Data->SkinRect.Height();
  return IsSeparator() ? BuiltInSeparatorHeight : Popup.Menu().DefaultItemHeight;
}

bool TbsSkinMenuItem::Animates() const {
  return Data && !RectIsEmpty(Data->AnimateSkinRect) && Popup.Skinned() && Popup.SkinData() &&
         !Popup.SkinData()->IsEmpty && Popup.SkinData()->EnableSkinEffects;
}

bool TbsSkinMenuItem::MorphAllowed() const {
  return Data && Data->Morphing && Popup.Skinned() && Popup.SkinData() && !Popup.SkinData()->IsEmpty &&
         Popup.SkinData()->EnableSkinEffects;
}

bool TbsSkinMenuItem::IsMorphPending() {
  if (!Visible) {
    if (MorphValue != 0) {
      Hot = Open = false;
      MorphValue = 0;
    }
    return false;
  }
  return Lit() ? MorphValue < 1 : MorphValue > 0;
}

// ---- States -----------------------------------------------------------------------------------

void TbsSkinMenuItem::EnterItem(bool byKeyboard) {
  const std::shared_ptr<bool> alive = Popup.Menu().Alive();
  Hot = true;
  if (Animates()) CurrentFrame = 0;
  for (int i = 0; i < Popup.ItemCount(); ++i) {
    TbsSkinMenuItem& other = Popup.Items(i);
    if (&other != this && other.Open) {
      other.Open = false;
      other.RefreshItem();
    }
  }
  TbsSkinMenu& menu = Popup.Menu();
  if (AutoSelected && !byKeyboard) {
    RefreshItem();
  } else if (Open) {
    const int own = menu.IndexOfPopup(&Popup);
    if (own >= 0 && own + 2 < menu.PopupCount()) {
      menu.ClosePopupsFrom(own + 2);
      TbsSkinPopupWindow& sub = *menu.Popups(own + 1);
      for (int i = 0; i < sub.ItemCount(); ++i)
        if (sub.Items(i).Open) {
          sub.Items(i).Open = false;
          sub.Items(i).RefreshItem();
        }
    }
  } else {
    RefreshItem();
    if (*alive) menu.ProcessItem(Popup, *this, byKeyboard, false);
  }
}

void TbsSkinMenuItem::LeaveItem() {
  Hot = false;
  if (Animates()) CurrentFrame = Data->FrameCount + 1;
  AutoSelected = false;
  if (!Open) RefreshItem();
  if (Popup.Menu().WaitItem() == this) Popup.Menu().StopWaitTimer();
}

void TbsSkinMenuItem::ActivateItem() {
  AutoSelected = false;
  if (!Open && MenuItem->Enabled) Popup.Menu().ProcessItem(Popup, *this, false, true);
}

void TbsSkinMenuItem::RefreshItem() {
  if (Animates()) {
    if (Hot || Data->InActiveAnimation) {
      Popup.StartAnimationTimer(unsigned(std::max(Data->AnimateInterval, 1)));
    } else {
      CurrentFrame = 0;
      Popup.RedrawItem(*this);
    }
  } else if (MorphAllowed()) {
    Popup.StartAnimationTimer(20);
  } else {
    Popup.RedrawItem(*this);
  }
}

// ---- Painting ---------------------------------------------------------------------------------

void TbsSkinMenuItem::PaintItem(HDC dc) {
  if (!Visible) return;
  const int w = ObjectRect.Width(), h = ObjectRect.Height();
  if (w <= 0 || h <= 0) return;
  TbsFBitmap image(w, h);
  if (Data) PaintSkinned(image.DC(), image);
  else PaintBuiltIn(image.DC(), image);
  GdiFlush();
  BitBlt(dc, ObjectRect.Left, ObjectRect.Top, w, h, image.DC(), 0, 0, SRCCOPY);
}

void TbsSkinMenuItem::PaintSkinned(HDC, TbsFBitmap& image) {
  const int w = ObjectRect.Width(), h = ObjectRect.Height();
  const TImage empty;
  const TImage& picture = ActivePicture ? *ActivePicture : empty;
  if (IsSeparator()) {
    ThreePartHorzImage(Data->DividerLeftOffset, Data->DividerRightOffset, image, picture, Data->DividerRect, w,
                       Data->DividerStretchEffect);
    if (image.Width() != w || image.Height() != h) image.SetSize(w, h);
    return;
  }
  const bool lit = Lit();
  const int L = Data->ItemLeftOffset, R = Data->ItemRightOffset;
  const bool inactiveStretch = Data->InActiveStretchEffect;
  if (Animates() && CurrentFrame >= 1 && CurrentFrame <= Data->FrameCount) {
    const TRect& a = Data->AnimateSkinRect;
    TRect frame;
    if (a.Height() > Data->SkinRect.Height()) {
      const int fh = a.Height() / Data->FrameCount;
      frame = {a.Left, a.Top + (CurrentFrame - 1) * fh, a.Right, a.Top + CurrentFrame * fh};
    } else {
      const int fw = a.Width() / Data->FrameCount;
      frame = {a.Left + (CurrentFrame - 1) * fw, a.Top, a.Left + CurrentFrame * fw, a.Bottom};
    }
    ThreePartHorzImage(L, R, image, picture, frame, w, inactiveStretch ? inactiveStretch : Data->StretchEffect);
  } else if (!MorphAllowed() || (lit && MorphValue >= 1) || (!lit && MorphValue <= 0)) {
    if (lit) ThreePartHorzImage(L, R, image, picture, Data->ActiveSkinRect, w, Data->StretchEffect);
    else ThreePartHorzImage(L, R, image, picture, Data->SkinRect, w, inactiveStretch);
  } else {
    TbsEffectBmp before, after;
    ThreePartHorzImage(L, R, before, picture, Data->SkinRect, w, inactiveStretch);
    ThreePartHorzImage(L, R, after, picture, Data->ActiveSkinRect, w, Data->StretchEffect);
    before.Morph(Data->MorphKind, after, MorphValue);
    image = before;
  }
  if (image.Width() != w || image.Height() != h) image.SetSize(w, h);
  GdiFlush();

  HDC dc = image.DC();
  const RECT t{Data->TextRect.Left, Data->TextRect.Top, w - (Data->SkinRect.Width() - Data->TextRect.Right),
               Data->TextRect.Bottom};
  int g = Popup.Images() ? Popup.GlyphColumn() : 16;
  if (!RectIsEmpty(Data->ImageRect)) g = 0;
  const COLORREF colour =
      ColorToRGB(lit ? Data->ActiveFontColor : MenuItem->Enabled ? Data->FontColor : Data->UnEnabledFontColor);
  HGDIOBJ oldFont = SelectObject(dc, Popup.ItemFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  if (MenuItem->OnDrawItem) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    MenuItem->OnDrawItem(MenuItem, canvas, t, lit);
    canvas.SetHandle(nullptr);
  } else {
    PaintContent(dc, t, g, colour, 16, false);
  }
  SelectObject(dc, oldFont);
}

void TbsSkinMenuItem::PaintBuiltIn(HDC dc, TbsFBitmap&) {
  const int w = ObjectRect.Width(), h = ObjectRect.Height();
  const int band = Popup.Images() ? Popup.GlyphColumn() : 19;
  COLORREF colour;
  if (Lit() && !IsSeparator()) {
    TGdiHandle<HBRUSH> navy(CreateSolidBrush(ColorToRGB(clNavy))), fill(CreateSolidBrush(ColorToRGB(kBuiltInLitFill)));
    RECT r{0, 0, w, h};
    FillRect(dc, &r, fill.Get());
    FrameRect(dc, &r, navy.Get());
    colour = ColorToRGB(clWindowText);
  } else {
    TGdiHandle<HBRUSH> face(CreateSolidBrush(ColorToRGB(clBtnFace))), window(CreateSolidBrush(ColorToRGB(clWindow)));
    RECT r{0, 0, band, h};
    FillRect(dc, &r, face.Get());
    r = {band, 0, w, h};
    FillRect(dc, &r, window.Get());
    colour = ColorToRGB(MenuItem->Enabled ? clWindowText : clBtnShadow);
  }
  if (IsSeparator()) {
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(clBtnShadow)));
    HGDIOBJ old = SelectObject(dc, pen.Get());
    Line(dc, band, h / 2, w, h / 2);
    SelectObject(dc, old);
    return;
  }
  HGDIOBJ oldFont = SelectObject(dc, Popup.Menu().DefaultItemFont().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  const RECT r{2, 2, w - 2, h - 2};
  if (MenuItem->OnDrawItem) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    MenuItem->OnDrawItem(MenuItem, canvas, r, Lit());
    canvas.SetHandle(nullptr);
  } else {
    PaintContent(dc, r, band, colour, 19, true);
  }
  SelectObject(dc, oldFont);
}

void TbsSkinMenuItem::PaintContent(HDC dc, const RECT& t, int g, COLORREF colour, int rightGap, bool builtIn) {
  const int middle = t.top + (t.bottom - t.top) / 2;
  // The caption, centred on the middle of T.
  const std::wstring& caption = MenuItem->Caption();
  RECT c{t.left + g, 0, t.right - rightGap, 0};
  DrawWideText(dc, caption, c, DT_CALCRECT);
  const int textHeight = c.bottom - c.top;
  c.top = middle - textHeight / 2;
  c.bottom = c.top + textHeight;
  c.right += 2;
  DrawWideText(dc, caption, c, DT_CENTER | DT_VCENTER);
  if (const std::wstring shortcut = ShortCutToText(MenuItem->ShortCut()); !shortcut.empty()) {
    const int sw = WideTextWidth(dc, shortcut);
    RECT s{t.right - sw - rightGap, c.top, t.right - rightGap, c.bottom};
    DrawWideText(dc, shortcut, s, DT_CENTER | DT_VCENTER);
  }
  TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
  HGDIOBJ oldPen = SelectObject(dc, pen.Get());
  if (HasSubItems()) {
    const int x = t.right - 7, y = middle - 4;
    for (int i = 0; i < 4; ++i) Line(dc, x + i, y + i, x + i, y + 7 - i);
  }
  SelectObject(dc, oldPen);

  COLORREF markColour = colour;
  if (Data && Data->UseImageColor) markColour = ColorToRGB(Lit() ? Data->ActiveImageColor : Data->ImageColor);
  const bool imageRect = Data && !RectIsEmpty(Data->ImageRect);
  const TCustomImageList* images = Popup.Images();
  const bool bitmap = !MenuItem->Bitmap().Empty();
  const bool listed = images && MenuItem->ImageIndex >= 0 && MenuItem->ImageIndex < images->Count();
  if (bitmap || listed) {
    const int iw = bitmap ? MenuItem->Bitmap().Width() : images->Width();
    const int ih = bitmap ? MenuItem->Bitmap().Height() : images->Height();
    int x = t.left + 2, y = middle - ih / 2;
    if (imageRect) {
      const TRect& r = Data->ImageRect;
      x = r.Left + r.Width() / 2 - iw / 2;
      y = r.Top + r.Height() / 2 - ih / 2;
    }
    if (bitmap) {
      HDC src = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(src, MenuItem->Bitmap().Handle());
      BitBlt(dc, x, y, iw, ih, src, 0, 0, SRCCOPY);
      SelectObject(src, old);
      DeleteDC(src);
    } else {
      images->Draw(dc, x, y, MenuItem->ImageIndex, MenuItem->Enabled);
    }
    if (MenuItem->Checked) {
      TGdiHandle<HBRUSH> brush(CreateSolidBrush(markColour));
      RECT f{x - 1, y - 1, x + iw + 1, y + ih + 1};
      FrameRect(dc, &f, brush.Get());
    }
    return;
  }
  int x = t.left + 2, y = middle - 4;
  if (imageRect) {
    const TRect& r = Data->ImageRect;
    x = r.Left + r.Width() / 2 - 4;
    y = r.Top + r.Height() / 2 - 4;
  }
  const std::string& name = MenuItem->Name();
  if (name == "BSF_CLOSE" || name == "TRAY_BSF_CLOSE") DrawCloseGlyph(dc, x, y, markColour);
  else if (name == "BSF_MINITEM") DrawMinimizeGlyph(dc, x, y, markColour);
  else if (name == "BSF_MAXITEM") DrawMaximizeGlyph(dc, x, y, markColour);
  else if (name == "BSF_RESTORE" || name == "TRAY_BSF_RESTORE") DrawRestoreGlyph(dc, x, y, markColour);
  else if (name == "BSF_ROLLUP") DrawRollUpGlyph(dc, x, y, markColour);
  else if (name == "BSF_MINTOTRAY") DrawTrayGlyph(dc, x, y, markColour);
  else if (MenuItem->Checked) {
    if (MenuItem->RadioItem) {
      const int rx = builtIn && !imageRect ? t.left + 3 : x, ry = builtIn && !imageRect ? middle - 3 : y + 1;
      TGdiHandle<HBRUSH> brush(CreateSolidBrush(markColour));
      TGdiHandle<HPEN> edge(CreatePen(PS_SOLID, 1, markColour));
      HGDIOBJ ob = SelectObject(dc, brush.Get()), op = SelectObject(dc, edge.Get());
      Ellipse(dc, rx, ry, rx + 6, ry + 6);
      SelectObject(dc, ob);
      SelectObject(dc, op);
    } else {
      DrawCheckTick(dc, builtIn && !imageRect ? t.left + 3 : x, y, markColour);
    }
  }
}

}  // namespace bs
