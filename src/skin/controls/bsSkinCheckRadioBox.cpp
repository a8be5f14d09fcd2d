#include "skin/controls/bsSkinCheckRadioBox.h"

#include "skin/resources/bsSkinClientWin.h"

#include <algorithm>
#include <cstdint>

namespace bs {

using spv::platform::TMessage;
using spv::platform::TShiftState;

namespace {

constexpr int BoxSize = 13;
constexpr int TextGap = 6;

}  // namespace

TbsSkinCheckRadioBox::TbsSkinCheckRadioBox(spv::platform::TComponent* owner) : TbsSkinControl(owner) {
  SkinDataName_ = "checkbox";
  SetTabStop(true);
  DefaultFont_.SetName(L"Arial");
  DefaultFont_.SetHeight(14);
  SetBounds(0, 0, 150, 20);
}

void TbsSkinCheckRadioBox::SetChecked(bool value) {
  if (value == Checked_) return;
  Checked_ = value;
  Invalidate();
}

void TbsSkinCheckRadioBox::SetDefaultFont(const spv::platform::TFont& font) {
  DefaultFont_.Assign(font);
  Invalidate();
}

void TbsSkinCheckRadioBox::SetUseSkinFont(bool value) {
  UseSkinFont_ = value;
  Invalidate();
}

void TbsSkinCheckRadioBox::ReadSkinObject() {
  TbsSkinControl::ReadSkinObject();
  CheckObject_ = dynamic_cast<const TbsDataSkinCheckRadioControl*>(SkinObject());
}

void TbsSkinCheckRadioBox::CaptionFont(spv::platform::TFont& font) {
  ReadSkinObject();
  font.Assign(DefaultFont_);
  if (CheckObject_ && UseSkinFont_) AssignSkinFont(font, *CheckObject_, DefaultFont_.Charset());
}

void TbsSkinCheckRadioBox::PaintDefaultLook(TbsFBitmap& bitmap) {
  const HDC dc = bitmap.DC();
  PaintParentBackground(*this, dc);
  const TbsSkinData* skin = SkinData() && !SkinData()->IsEmpty ? SkinData() : nullptr;
  const auto rgb = [](std::uint32_t c) { return spv::platform::ColorToRGB(spv::platform::TColor(c)); };
  const COLORREF face = skin ? rgb(skin->SkinColors.cWindow) : GetSysColor(COLOR_WINDOW);
  const COLORREF edge = skin ? rgb(skin->SkinColors.cBtnShadow) : GetSysColor(COLOR_BTNSHADOW);
  const COLORREF ink = skin ? rgb(skin->SkinColors.cWindowText) : GetSysColor(COLOR_WINDOWTEXT);

  const int top = (Height() - BoxSize) / 2;
  const RECT box{1, top, 1 + BoxSize, top + BoxSize};
  spv::platform::TGdiHandle<HBRUSH> faceBrush(CreateSolidBrush(face)), edgeBrush(CreateSolidBrush(edge));
  FillRect(dc, &box, faceBrush.Get());
  FrameRect(dc, &box, edgeBrush.Get());
  if (Pressed_) {
    RECT inner{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    FrameRect(dc, &inner, edgeBrush.Get());
  }
  if (Checked_) {
    // A tick three pixels thick, from the left middle down and up to the right.
    spv::platform::TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ink));
    const HGDIOBJ old = SelectObject(dc, pen.Get());
    for (int d = 0; d < 3; ++d) {
      MoveToEx(dc, box.left + 3, box.top + 5 + d, nullptr);
      LineTo(dc, box.left + 5, box.top + 7 + d);
      LineTo(dc, box.left + 10, box.top + 2 + d);
    }
    SelectObject(dc, old);
  }

  spv::platform::TFont font;
  CaptionFont(font);
  COLORREF textColor = rgb(font.Color());
  if (CheckObject_ && UseSkinFont_) textColor = rgb(Enabled() ? CheckObject_->FontColor : CheckObject_->UnEnabledFontColor);
  else if (!Enabled()) textColor = GetSysColor(COLOR_GRAYTEXT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColor);
  const HGDIOBJ oldFont = SelectObject(dc, font.Handle());
  RECT text{box.right + TextGap, 0, Width(), Height()};
  DrawWideText(dc, Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (Focused()) {
    RECT measured{0, 0, 0, 0};
    DrawWideText(dc, Caption(), measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int h = measured.bottom;
    RECT focus{text.left - 2, (Height() - h) / 2 - 1, std::min(int(text.left + measured.right + 2), Width()),
               (Height() - h) / 2 + h + 1};
    DrawFocusRect(dc, &focus);
  }
  SelectObject(dc, oldFont);
}

void TbsSkinCheckRadioBox::Toggle() {
  SetChecked(!Checked_);
  if (OnClick) OnClick(this);
}

void TbsSkinCheckRadioBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (CanFocus()) SetFocus();
      Pressed_ = true;
      SetMouseCapture(true);
      Invalidate();
      return;
    case WM_LBUTTONUP: {
      if (!Pressed_) break;
      Pressed_ = false;
      SetMouseCapture(false);
      const POINT p{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
      if (p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height()) Toggle();
      else Invalidate();
      return;
    }
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTCHARS;
      return;
    default: break;
  }
  TbsSkinControl::WndProc(m);
}

void TbsSkinCheckRadioBox::KeyUp(WORD& key, TShiftState shift) {
  if (key == VK_SPACE) Toggle();
  TbsSkinControl::KeyUp(key, shift);
}

void TbsSkinCheckRadioBox::DoEnter() {
  TbsSkinControl::DoEnter();
  Invalidate();
}

void TbsSkinCheckRadioBox::DoExit() {
  TbsSkinControl::DoExit();
  Invalidate();
}

void TbsSkinCheckRadioBox::TextChanged() {
  TbsSkinControl::TextChanged();
  Invalidate();
}

}  // namespace bs
