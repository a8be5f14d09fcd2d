#include "skin/controls/bsCalendar.h"

#include "platform/Locale.h"

#include <algorithm>

namespace bs {

using namespace spv::platform;
using spv::base::DaysInMonth;
using spv::base::DecodeDate;
using spv::base::EncodeDate;

TbsSkinMonthCalendar::TbsSkinMonthCalendar(TComponent* owner) : TbsSkinPanel(owner) {
  SkinDataName_ = "panel";
  StripPaint = false;
  DefaultFont().SetName(L"Arial");
  DefaultFont().SetHeight(14);
  DefaultFont().SetColor(clWindowText);
  PriorYearButton_ = AddNavButton(L"BS_PRIORYEAR", 100, PriorYear);
  PriorMonthButton_ = AddNavButton(L"BS_PRIORMONTH", 250, PriorMonth);
  NextMonthButton_ = AddNavButton(L"BS_NEXTMONTH", 250, NextMonth);
  NextYearButton_ = AddNavButton(L"BS_NEXTYEAR", 100, NextYear);
  SetBounds(Left(), Top(), 200, 150);
  Date_ = spv::platform::Date();
  LayoutNavButtons();
}

TbsSkinSpeedButton* TbsSkinMonthCalendar::AddNavButton(const wchar_t* glyph, unsigned interval,
                                                       TDateParts (*step)(TDateParts)) {
  auto* b = new TbsSkinSpeedButton(this);
  b->SetParent(this);
  b->SetSkinDataName("resizebutton");
  b->SetBounds(0, 0, 23, 23);
  b->RepeatMode = true;
  b->RepeatInterval = interval;
  b->SetNumGlyphs(1);
  if (HBITMAP h = LoadBitmapW(GetModuleHandleW(nullptr), glyph)) {
    b->SetGlyph(TbsFBitmap(h));
    DeleteObject(h);
  }
  b->OnClick = [this, step](TObject*) { Step(step); };
  return b;
}

void TbsSkinMonthCalendar::Step(TDateParts (*step)(TDateParts)) {
  const TDateParts d = step(DecodeDate(Date_));
  if (const auto v = EncodeDate(d.Year, d.Month, d.Day)) SetDate(*v);
  Click();
}

void TbsSkinMonthCalendar::SetDate(spv::base::TDateTime value) {
  Date_ = value;
  Invalidate();
}

void TbsSkinMonthCalendar::SetFirstDayOfWeek(TbsDaysOfWeek value) {
  FirstDayOfWeek_ = value;
  Invalidate();
}

void TbsSkinMonthCalendar::SetBoldDays(bool value) {
  BoldDays_ = value;
  Invalidate();
}

void TbsSkinMonthCalendar::SetTodayDefault(bool value) {
  TodayDefault_ = value;
  if (value) SetDate(spv::platform::Date());
}

void TbsSkinMonthCalendar::Loaded() {
  TbsSkinPanel::Loaded();
  if (TodayDefault_) SetDate(spv::platform::Date());
}

void TbsSkinMonthCalendar::SetSkinData(TbsSkinData* value) {
  TbsSkinPanel::SetSkinData(value);
  for (TbsSkinSpeedButton* b : {PriorYearButton_, PriorMonthButton_, NextMonthButton_, NextYearButton_})
    b->SetSkinData(value);
}

void TbsSkinMonthCalendar::ApplySkin() {
  if (TbsSkinData* data = SkinData(); data && !data->IsEmpty) {
    const int i = data->FindSkinControl("stdlabel");
    if (i >= 0) {
      if (const auto* l = dynamic_cast<const TbsDataSkinStdLabelControl*>(data->SkinControls[std::size_t(i)].get())) {
        DayColor_ = l->FontColor;
        TitleColor_ = l->ActiveFontColor;
      } else {
        DayColor_ = TitleColor_ = TColor(Font().Color());
      }
    }
  }
  TbsSkinPanel::ApplySkin();
  LayoutNavButtons();
}

void TbsSkinMonthCalendar::Resize() {
  LayoutNavButtons();
  TbsSkinPanel::Resize();
}

void TbsSkinMonthCalendar::LayoutNavButtons() {
  if (!PriorYearButton_) return;
  const TRect r = CalendarClientRect();
  const auto lefts = NavButtonLefts(r);
  TbsSkinSpeedButton* buttons[] = {PriorYearButton_, PriorMonthButton_, NextMonthButton_, NextYearButton_};
  for (int i = 0; i < 4; ++i) buttons[i]->SetBounds(lefts[std::size_t(i)], r.Top + 1, 23, 23);
}

void TbsSkinMonthCalendar::PaintDefaultLook(TbsFBitmap& bitmap) {
  TbsSkinPanel::PaintDefaultLook(bitmap);
  PaintCalendar(bitmap);
}

void TbsSkinMonthCalendar::PaintSkinLook(TbsFBitmap& bitmap) {
  TbsSkinPanel::PaintSkinLook(bitmap);
  PaintCalendar(bitmap);
}

void TbsSkinMonthCalendar::PaintCalendar(TbsFBitmap& bitmap) {
  GdiFlush();
  const bool skinned = SkinObjectIndex_ >= 0;
  const TRect R = CalendarClientRect();
  const HDC dc = bitmap.DC();
  TFont font;
  font.Assign(DefaultFont());
  if (SkinData() && SkinData()->ResourceStrData()) font.SetCharset(BYTE(SkinData()->ResourceStrData()->CharSet));
  const COLORREF title = skinned ? ColorToRGB(spv::platform::TColor(TitleColor_)) : ColorToRGB(font.Color());
  SetBkMode(dc, TRANSPARENT);
  const spv::platform::TFontStyles plain = font.Style();
  font.SetStyle(plain | fsBold);
  HGDIOBJ oldFont = SelectObject(dc, font.Handle());
  SetTextColor(dc, title);

  const TDateParts d = DecodeDate(Date_);
  const TFormatSettings& fs = FormatSettings();
  const std::wstring caption = fs.LongMonthNames[std::size_t(std::clamp(d.Month, 1, 12) - 1)] + L", " +
                               std::to_wstring(d.Year);
  const auto textAt = [&](const std::wstring& text, int x, int y) {
    RECT r{x, y, x + WideTextWidth(dc, text) + 2, y + WideTextHeight(dc, text)};
    DrawWideText(dc, text, r, DT_NOPREFIX | DT_SINGLELINE);
  };
  textAt(caption, Width() / 2 - WideTextWidth(dc, caption) / 2, R.Top + 2);

  const int cellWidth = (R.Width() - 2) / 7, headerY = R.Top + 33;
  for (int i = 0; i < 7; ++i) {
    const std::wstring name = fs.ShortDayNames[std::size_t((int(FirstDayOfWeek_) + i) % 7)].substr(0, 4);
    const int left = R.Left + 1 + i * cellWidth;
    textAt(name, left + cellWidth / 2 - WideTextWidth(dc, name) / 2, headerY);
  }
  const int headerLineY = headerY + WideTextHeight(dc, L"Wq") + 1;
  {
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, title));
    HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    MoveToEx(dc, R.Left + 1, headerLineY, nullptr);
    LineTo(dc, R.Right - 1, headerLineY);
    SelectObject(dc, oldPen);
  }

  font.SetStyle(BoldDays_ ? plain | fsBold : plain);
  SelectObject(dc, font.Handle());
  const COLORREF dayColour = skinned ? ColorToRGB(spv::platform::TColor(DayColor_)) : ColorToRGB(font.Color());
  const auto first = EncodeDate(d.Year, d.Month, 1);
  Grid_ = MonthGrid(R, headerLineY, FirstCellNumber(first ? DayOfWeekOf(*first) : 1, FirstDayOfWeek_),
                    DaysInMonth(d.Year, d.Month));

  // The selected day's frame: the pressed look of the skin's "resizebutton", else a rectangle.
  const TbsDataSkinButtonControl* frameObject = nullptr;
  const TImage* framePicture = nullptr;
  if (skinned) {
    const int i = SkinData()->FindSkinControl("resizebutton");
    if (i >= 0) frameObject = dynamic_cast<const TbsDataSkinButtonControl*>(SkinData()->SkinControls[std::size_t(i)].get());
    if (frameObject)
      if (const TbsSkinBitmap* b = SkinData()->ActivePicture(frameObject->PictureIndex)) framePicture = &b->Image;
  }
  for (int row = 1; row <= 6; ++row)
    for (int column = 0; column < 7; ++column) {
      const int n = Grid_.NumberAt(row, column);
      if (n < 1 || n > Grid_.MonthLength) continue;
      const TRect cell = Grid_.Cell(row, column);
      COLORREF colour = dayColour;
      if (n == d.Day) {
        if (framePicture) {
          const TRect pictureRect = RectIsEmpty(frameObject->DownSkinRect) ? frameObject->SkinRect : frameObject->DownSkinRect;
          const TbsSkinPiece piece{frameObject->Corners, frameObject->SkinRect};
          int w = cell.Width(), h = cell.Height();
          TbsSizedPiece sized;
          FitPieceToSize(skBoth, piece, w, h, sized);
          TImage frame(cell.Width(), cell.Height());
          const TbsStretchFlags stretch = frameObject->Stretch.Flags(frameObject->StretchEffect);
          PaintPiece(frame, *framePicture, pictureRect, skBoth, piece, sized, stretch, cell.Width(), cell.Height());
          CopyImageRect(bitmap, cell, frame, {0, 0, cell.Width(), cell.Height()});
          colour = ColorToRGB(spv::platform::TColor(frameObject->DownFontColor));
        } else {
          TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, skinned ? title : ColorToRGB(Font().Color())));
          HGDIOBJ oldPen = SelectObject(dc, pen.Get());
          HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
          Rectangle(dc, cell.Left, cell.Top, cell.Right, cell.Bottom);
          SelectObject(dc, oldBrush);
          SelectObject(dc, oldPen);
        }
      }
      SetTextColor(dc, colour);
      const std::wstring number = std::to_wstring(n);
      textAt(number, cell.Left + cellWidth / 2 - WideTextWidth(dc, number) / 2,
             cell.Bottom - Grid_.RowHeight / 2 - WideTextHeight(dc, number) / 2);
    }
  SelectObject(dc, oldFont);
  GdiFlush();
}

void TbsSkinMonthCalendar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinPanel::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  const int day = DayAt(x, y);
  if (day == 0) return;
  const TDateParts d = DecodeDate(Date_);
  if (const auto v = EncodeDate(d.Year, d.Month, day)) SetDate(*v);
  if (OnNumberClick) OnNumberClick(this);
}

// ---- TbsSkinPopupMonthCalendar ----

TbsSkinPopupMonthCalendar::TbsSkinPopupMonthCalendar(TComponent* owner) : TbsSkinMonthCalendar(owner) {
  SetVisible(false);
}

void TbsSkinPopupMonthCalendar::CreateParams(TCreateParams& params) {
  TbsSkinMonthCalendar::CreateParams(params);
  params.Style = WS_POPUP | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.ClassStyle = CS_DBLCLKS | CS_SAVEBITS | (IsWinXPOrLater() ? CS_DROPSHADOW : 0);
  params.X = Left();
  params.Y = Top();
  // Owned by the field's top window, so that it stays above it and goes with it.
  params.WndParent = Parent() ? GetAncestor(Parent()->Handle(), GA_ROOT) : nullptr;
}

void TbsSkinPopupMonthCalendar::WndProc(TMessage& m) {
  if (m.Msg == WM_MOUSEACTIVATE) {
    // Clicks in the calendar leave the activation and the focus with the field.
    m.Result = MA_NOACTIVATE;
    return;
  }
  TbsSkinMonthCalendar::WndProc(m);
}

}  // namespace bs
