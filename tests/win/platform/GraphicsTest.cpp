#include "platform/ExtCtrls.h"
#include "platform/FormReader.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"

#include "WindowShot.h"

#include <gtest/gtest.h>

namespace spv::platform {
namespace {

spv::base::TPixel Px(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {b, g, r}; }

TEST(GraphicsTest, ColoursBecomeRgb) {
  const struct {
    TColor color;
    COLORREF rgb;
  } cases[] = {
      {clRed, RGB(255, 0, 0)},
      {0x00123456, 0x00123456},
      {clBtnFace, GetSysColor(COLOR_BTNFACE)},
      {clHighlight, GetSysColor(COLOR_HIGHLIGHT)},
      {SystemColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOWTEXT)},
      {clNone, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorToRGB(c.color), c.rgb) << std::hex << c.color;
  EXPECT_EQ(IdentToColor("clbtnface"), clBtnFace);
  EXPECT_EQ(IdentToColor("clYellow"), 0x00FFFFu);
  EXPECT_FALSE(IdentToColor("clNoSuchColour"));
}

TEST(GraphicsTest, ABitmapsCanvasAndItsPixelsAreTheSameMemory) {
  for (const int width : {1, 2, 3, 5, 8}) {
    SCOPED_TRACE(width);
    TBitmap bitmap(width, 4);
    BITMAP info{};
    ASSERT_TRUE(GetObjectW(bitmap.Handle(), sizeof info, &info));
    EXPECT_EQ(info.bmWidthBytes, bitmap.Image().Stride());
    EXPECT_EQ(info.bmBitsPixel, 24);
    bitmap.Canvas().Brush().SetColor(0x00336699);  // 0xBBGGRR
    bitmap.Canvas().FillRect({0, 1, width, 2});
    EXPECT_EQ(bitmap.Image().At(width - 1, 1), Px(0x99, 0x66, 0x33));
    EXPECT_EQ(bitmap.Image().At(0, 0), Px(0, 0, 0));
    bitmap.Image().At(0, 3) = Px(10, 20, 30);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 3), RGB(10, 20, 30));
  }
}

TEST(GraphicsTest, CanvasDrawsShapesTextAndBitmaps) {
  TBitmap target(40, 30);
  TCanvas& c = target.Canvas();
  c.Pen().SetColor(clLime);
  c.Brush().SetColor(clBlue);
  c.Rectangle(0, 0, 10, 10);
  EXPECT_EQ(c.Pixel(0, 0), RGB(0, 255, 0));  // the pen's outline
  EXPECT_EQ(c.Pixel(5, 5), RGB(0, 0, 255));  // the brush inside
  c.MoveTo(0, 20);
  c.LineTo(40, 20);
  EXPECT_EQ(c.Pixel(30, 20), RGB(0, 255, 0));
  EXPECT_EQ(c.PenPos().x, 40);

  TBitmap source(2, 2);
  source.Image().At(0, 0) = Px(255, 0, 0);
  source.Image().At(1, 1) = Px(255, 255, 255);
  c.Draw(20, 0, source);
  EXPECT_EQ(c.Pixel(20, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.Pixel(21, 1), RGB(255, 255, 255));
  c.StretchDraw({30, 0, 34, 4}, source);
  EXPECT_EQ(c.Pixel(31, 1), RGB(255, 0, 0));
  EXPECT_EQ(c.Pixel(33, 3), RGB(255, 255, 255));
  c.CopyRect({0, 25, 2, 27}, source.Canvas(), {0, 0, 2, 2});
  EXPECT_EQ(target.Image().At(0, 25), Px(255, 0, 0));

  c.Font().SetName(L"Arial");
  c.Font().SetHeight(-16);
  const int w1 = c.TextWidth(L"W"), w3 = c.TextWidth(L"WWW");
  EXPECT_GT(w1, 0);
  EXPECT_GT(w3, 2 * w1);
  EXPECT_GE(c.TextHeight(L"Жy"), 16);
  c.Font().SetStyle(fsBold);
  EXPECT_GE(c.TextWidth(L"WWW"), w3);
}

TEST(GraphicsTest, TextAndClippingChangeOnlyWhatTheyMay) {
  TBitmap b(60, 20);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect({0, 0, 60, 20});
  c.Font().SetColor(clBlack);
  c.Brush().SetStyle(TBrushStyle::bsClear);
  c.TextOut(2, 2, L"Ж");
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) dark += b.Image().At(x, y).R < 128;
  EXPECT_GT(dark, 5);

  c.Brush().SetColor(clRed);
  c.IntersectClipRect({10, 5, 20, 15});
  EXPECT_EQ(c.ClipRect().left, 10);
  c.FillRect({0, 0, 60, 20});
  EXPECT_EQ(b.Image().At(15, 10), Px(255, 0, 0));
  EXPECT_EQ(b.Image().At(25, 10), Px(255, 255, 255));
  c.ResetClip();
  c.FillRect({0, 0, 60, 20});
  EXPECT_EQ(b.Image().At(25, 10), Px(255, 0, 0));

  RECT r{0, 0, 60, 20};
  c.Brush().SetStyle(TBrushStyle::bsClear);
  EXPECT_GT(c.DrawText(L"Тест", r, DT_CALCRECT | DT_SINGLELINE), 0);
  EXPECT_EQ(r.right, c.TextWidth(L"Тест"));
}

TEST(GraphicsTest, FontChangesAreAnnouncedAndMakeANewHandle) {
  TFont font;
  int changes = 0;
  font.OnChange = [&] { ++changes; };
  HFONT first = font.Handle();
  font.SetHeight(-20);
  font.SetHeight(-20);  // no change
  font.SetCharset(RUSSIAN_CHARSET);
  EXPECT_EQ(changes, 2);
  LOGFONTW lf{};
  GetObjectW(font.Handle(), sizeof lf, &lf);
  EXPECT_NE(font.Handle(), first);
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfCharSet, RUSSIAN_CHARSET);
  EXPECT_THROW(font.SetName(std::wstring(40, L'x')), Exception);
}

// The result legend of the main window, as a description: panels in the check's colours.
constexpr char kLegendForm[] = R"(object LegendForm: TForm
  Caption = 'Легенда'
  ClientWidth = 360
  ClientHeight = 150
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -13
  object Title: TPanel
    Align = alTop
    Height = 30
    Color = $00604020
    Caption = 'Проверка эфира: 14 часов'
    Font.Color = clWhite
    Font.Style = [fsBold]
  end
  object Aired: TPanel
    Left = 10
    Top = 45
    Width = 80
    Height = 40
    Color = clWhite
    Caption = 'на месте'
  end
  object Moved: TPanel
    Left = 95
    Top = 45
    Width = 80
    Height = 40
    Color = clYellow
    Caption = 'сдвинута'
  end
  object ByHand: TPanel
    Left = 180
    Top = 45
    Width = 80
    Height = 40
    Color = clRed
    Caption = 'вручную'
  end
  object Missed: TPanel
    Left = 265
    Top = 45
    Width = 80
    Height = 40
    Color = clGreen
    Caption = 'не вышла'
    Font.Color = clWhite
  end
  object Status: TPanel
    Align = alBottom
    Height = 24
    Color = clWindow
    BevelOuter = bvLowered
    Caption = 'Готово'
  end
end
)";

TEST(GraphicsTest, AFormFromADescriptionWithPanels) {
  TForm form;
  TFormReader::ReadInto(form, kLegendForm);
  form.SetPosition(TPosition::poScreenCenter);
  form.Show();
  spv::test::SaveWindowPng(form.Handle(), "platform-legend-form");

  auto colourAt = [&](const char* name) {
    auto* panel = dynamic_cast<TPanel*>(form.FindComponent(name));
    EXPECT_NE(panel, nullptr) << name;
    HDC dc = GetDC(panel->Handle());
    const COLORREF c = GetPixel(dc, 2, 2);  // a corner, away from the caption
    ReleaseDC(panel->Handle(), dc);
    return c;
  };
  EXPECT_EQ(colourAt("Aired"), RGB(255, 255, 255));
  EXPECT_EQ(colourAt("Moved"), RGB(255, 255, 0));
  EXPECT_EQ(colourAt("ByHand"), RGB(255, 0, 0));
  EXPECT_EQ(colourAt("Missed"), RGB(0, 128, 0));
  EXPECT_EQ(colourAt("Title"), RGB(0x20, 0x40, 0x60));
  auto* status = dynamic_cast<TPanel*>(form.FindComponent("Status"));
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->Top() + status->Height(), form.ClientHeight());
  EXPECT_EQ(status->Width(), 360);
}

}  // namespace
}  // namespace spv::platform
