#include "skin/resources/bsUtilsWin.h"

#include "WindowShot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace bs {
namespace {

using Pixels = std::set<std::pair<int, int>>;

TImage Mask(const std::vector<std::string>& rows) {
  TImage image(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      image.At(x, y) = rows[std::size_t(y)][std::size_t(x)] == '#' ? TPixel{} : TPixel{255, 255, 255};
  return image;
}

std::vector<RECT> RectsOfRegion(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  std::vector<std::uint8_t> bytes(size);
  auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
  EXPECT_EQ(GetRegionData(region, size, data), size);
  const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
  return {r, r + data->rdh.nCount};
}

void Add(Pixels& pixels, const RECT& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.insert({x, y});
}

Pixels PixelsOfRegion(HRGN region) {
  Pixels pixels;
  for (const RECT& r : RectsOfRegion(region)) Add(pixels, r);
  return pixels;
}

// ---- Pictures -------------------------------------------------------------------------------

TEST(SkinFBitmap, GdiAndPortableCodeShareThePixels) {
  TbsFBitmap bitmap(7, 3);
  ASSERT_NE(bitmap.Handle(), nullptr);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(bitmap.Handle(), sizeof(dib), &dib), int(sizeof(dib)));
  EXPECT_EQ(dib.dsBm.bmWidthBytes, bitmap.Stride());
  EXPECT_EQ(dib.dsBm.bmBits, bitmap.Bits());

  const RECT r{2, 1, 4, 2};
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  FillRect(bitmap.DC(), &r, brush);
  DeleteObject(brush);
  GdiFlush();
  EXPECT_EQ(bitmap.At(2, 1), (TPixel{30, 20, 10}));
  EXPECT_EQ(bitmap.At(3, 1), (TPixel{30, 20, 10}));
  EXPECT_EQ(bitmap.At(4, 1), (TPixel{}));

  bitmap.At(6, 2) = {1, 2, 3};
  EXPECT_EQ(GetPixel(bitmap.DC(), 6, 2), RGB(3, 2, 1));

  // A new size is a new section, still selected into the same context.
  HDC dc = bitmap.DC();
  bitmap.SetSize(40, 30);
  EXPECT_EQ(bitmap.DC(), dc);
  EXPECT_EQ(GetPixel(bitmap.DC(), 39, 29), RGB(0, 0, 0));
  bitmap.SetSize(0, 0);
  EXPECT_EQ(bitmap.Handle(), nullptr);
}

TEST(SkinFBitmap, CopiesAnyBitmapAndOtherPictures) {
  // A 32-bit device-dependent bitmap of 3 x 2 with known pixels.
  const std::uint32_t pixels[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00010203, 0x00FFFFFF, 0x00000000};
  HBITMAP source = CreateBitmap(3, 2, 1, 32, pixels);
  ASSERT_NE(source, nullptr);
  const TbsFBitmap copy(source);
  DeleteObject(source);
  ASSERT_EQ(copy.Width(), 3);
  ASSERT_EQ(copy.Height(), 2);
  EXPECT_EQ(copy.At(0, 0), (TPixel{0, 0, 255}));
  EXPECT_EQ(copy.At(1, 0), (TPixel{0, 255, 0}));
  EXPECT_EQ(copy.At(2, 0), (TPixel{255, 0, 0}));
  EXPECT_EQ(copy.At(0, 1), (TPixel{3, 2, 1}));
  EXPECT_THROW(TbsFBitmap(HBITMAP(nullptr)), std::runtime_error);

  TbsFBitmap again(copy);
  EXPECT_NE(again.Handle(), copy.Handle());
  EXPECT_EQ(GetPixel(again.DC(), 0, 1), RGB(1, 2, 3));
  TImage plain(2, 2);
  plain.At(1, 1) = {9, 8, 7};
  again = plain;
  EXPECT_EQ(again.Width(), 2);
  EXPECT_EQ(GetPixel(again.DC(), 1, 1), RGB(7, 8, 9));

  // DrawToDC puts a portable picture on a context.
  TbsFBitmap screen(5, 5);
  DrawToDC(plain, screen.DC(), 2, 1);
  EXPECT_EQ(GetPixel(screen.DC(), 3, 2), RGB(7, 8, 9));
}

TEST(SkinCopy, ScalesLikeTheSystemsDefaultStretch) {
  // Our nearest-pixel copy against StretchBlt in COLORONCOLOR mode where the two rules pick the
  // same pixels: whole factors, one to one, and the middles of the program's frames. Shrinking
  // and some odd growths pick a neighbour one pixel off under Wine.
  TbsFBitmap src(40, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) src.At(x, y) = {1, std::uint8_t(y), std::uint8_t(x)};
  struct Case {
    int sw, sh, dw, dh;
  } cases[] = {{4, 3, 12, 9}, {7, 5, 7, 5}, {34, 10, 86, 10}, {5, 5, 5, 17}, {2, 1, 38, 19}};
  for (const Case& c : cases) {
    TbsFBitmap ours(100, 30), gdi(100, 30);
    CopyImageRect(ours, {1, 2, 1 + c.dw, 2 + c.dh}, src, {3, 1, 3 + c.sw, 1 + c.sh});
    SetStretchBltMode(gdi.DC(), COLORONCOLOR);
    StretchBlt(gdi.DC(), 1, 2, c.dw, c.dh, src.DC(), 3, 1, c.sw, c.sh, SRCCOPY);
    GdiFlush();
    int differ = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 100; ++x) differ += !(ours.At(x, y) == gdi.At(x, y));
    EXPECT_EQ(differ, 0) << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh;
  }
}

// ---- Regions --------------------------------------------------------------------------------

TEST(SkinRegions, RegionFromMaskHoldsTheBlackPixels) {
  const TbsRegionHandle region = RegionFromMask(Mask({"#.#", "##.", "..."}));
  ASSERT_TRUE(region);
  EXPECT_EQ(PixelsOfRegion(region.get()), (Pixels{{0, 0}, {2, 0}, {0, 1}, {1, 1}}));
  EXPECT_FALSE(RegionFromMask(TImage()));
  const TbsRegionHandle none = RegionFromMask(Mask({"..", ".."}));
  ASSERT_TRUE(none);
  RECT box;
  EXPECT_EQ(GetRgnBox(none.get(), &box), NULLREGION);
}

const std::vector<std::string> kFrameMask = {
    "..########..", ".##########.", "############", "#####..#####", "############",
    "############", "##.######.##", "############", ".##########.", "..###..###..",
};
const TbsPieceGeometry kFrame{{4, 4}, {8, 4}, {4, 6}, {8, 6}, {2, 3, 10, 7}};

TEST(SkinRegions, RegionFromMaskBordersIsTheUnionOfItsRuns) {
  const TImage mask = Mask(kFrameMask);
  struct Case {
    int W, H;
  } cases[] = {{12, 10}, {13, 10}, {37, 29}, {200, 150}};
  for (const Case& c : cases) {
    const TbsPieceGeometry ng = ResizedGeometry(kFrame, {0, 0, 12, 10}, c.W, c.H);
    const TbsRegionHandle region = RegionFromMaskBorders(kFrame, ng, mask, c.W);
    ASSERT_TRUE(region) << c.W;
    const auto runs = MaskBorderRegionRuns(kFrame, ng, mask, c.W);
    ASSERT_TRUE(runs);
    Pixels expected;
    Add(expected, ToRECT(runs->Client));
    for (const TbsRegionData* d : {&runs->Top, &runs->Bottom, &runs->Left, &runs->Right})
      for (std::size_t i = 0; i < d->Count(); ++i) Add(expected, ToRECT(d->RectAt(i)));
    EXPECT_EQ(PixelsOfRegion(region.get()), expected) << c.W << " x " << c.H;
    RECT box;
    GetRgnBox(region.get(), &box);
    EXPECT_EQ(FromRECT(box), (TRect{0, 0, c.W, c.H})) << c.W;
  }
  // At the natural size the region is the mask itself (its client area solid).
  const TbsRegionHandle natural = RegionFromMaskBorders(kFrame, kFrame, mask, 12);
  Pixels black;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x)
      if (kFrameMask[std::size_t(y)][std::size_t(x)] == '#' || (x >= 2 && x < 10 && y >= 3 && y < 7)) black.insert({x, y});
  EXPECT_EQ(PixelsOfRegion(natural.get()), black);

  TbsPieceGeometry inverted = kFrame;
  inverted.RT.X = 3;
  EXPECT_FALSE(RegionFromMaskBorders(kFrame, inverted, mask, 12));
}

// ---- Glyphs ---------------------------------------------------------------------------------

// The definitions, as lists of lines (end points left out), outlines and filled rects.
struct Shape {
  enum Kind { Line, Outline, Filled } kind;
  int x0, y0, x1, y1;
};

Pixels PixelsOfShapes(const std::vector<Shape>& shapes, int x, int y) {
  Pixels p;
  for (const Shape& s : shapes) {
    const int l = x + s.x0, t = y + s.y0, r = x + s.x1, b = y + s.y1;
    if (s.kind == Shape::Line) {
      const int dx = (r > l) - (r < l), dy = (b > t) - (b < t);
      for (int px = l, py = t; px != r || py != b; px += dx, py += dy) p.insert({px, py});
    } else {
      for (int py = t; py < b; ++py)
        for (int px = l; px < r; ++px)
          if (s.kind == Shape::Filled || px == l || px == r - 1 || py == t || py == b - 1) p.insert({px, py});
    }
  }
  return p;
}

Pixels PixelsOfColour(const TbsFBitmap& bitmap, TPixel colour) {
  GdiFlush();
  Pixels p;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.At(x, y) == colour) p.insert({x, y});
  return p;
}

TbsFBitmap White(int w, int h) {
  TbsFBitmap bitmap(w, h);
  std::memset(bitmap.Bits(), 0xFF, bitmap.ByteSize());
  return bitmap;
}

TEST(SkinGlyphs, EachGlyphHasExactlyThePixelsOfItsDefinition) {
  using S = Shape;
  const COLORREF c = RGB(200, 10, 20);
  const TPixel cp{20, 10, 200};
  struct Case {
    const char* name;
    void (*draw)(HDC, int, int, COLORREF);
    std::vector<Shape> shapes;
  } cases[] = {
      {"close", DrawCloseGlyph,
       {{S::Line, 1, 1, 9, 9}, {S::Line, 9, 1, 1, 9}, {S::Line, 2, 1, 10, 9}, {S::Line, 8, 1, 0, 9}}},
      {"system menu", DrawSysMenuGlyph, {{S::Outline, 1, 3, 9, 6}}},
      {"minimize", DrawMinimizeGlyph, {{S::Line, 1, 8, 9, 8}, {S::Line, 1, 9, 9, 9}}},
      {"maximize", DrawMaximizeGlyph, {{S::Outline, 0, 0, 11, 10}, {S::Outline, 0, 0, 11, 2}}},
      {"restore", DrawRestoreGlyph,
       {{S::Outline, 2, 0, 10, 6}, {S::Outline, 2, 0, 10, 2}, {S::Outline, 0, 4, 7, 10}, {S::Outline, 0, 4, 7, 6}}},
      {"roll down", DrawRollDownGlyph,
       {{S::Line, 5, 6, 6, 6}, {S::Line, 4, 5, 6, 5}, {S::Line, 3, 4, 7, 4}, {S::Line, 2, 3, 8, 3}, {S::Line, 1, 2, 9, 2}}},
      {"roll up", DrawRollUpGlyph,
       {{S::Line, 1, 6, 9, 6}, {S::Line, 2, 5, 8, 5}, {S::Line, 3, 4, 7, 4}, {S::Line, 4, 3, 6, 3}, {S::Line, 5, 2, 6, 2}}},
      {"tray", DrawTrayGlyph, {{S::Filled, 2, 2, 7, 7}}},
      {"check tick", DrawCheckTick,
       {{S::Line, 0, 5, 2, 7}, {S::Line, 2, 7, 7, 2}, {S::Line, 0, 4, 2, 6}, {S::Line, 2, 6, 7, 1},
        {S::Line, 0, 3, 2, 5}, {S::Line, 2, 5, 7, 0}}},
      {"mark square", FillMarkSquare, {{S::Filled, 0, 0, 6, 6}}},
  };
  for (const Case& k : cases) {
    TbsFBitmap bitmap = White(24, 24);
    k.draw(bitmap.DC(), 5, 6, c);
    EXPECT_EQ(PixelsOfColour(bitmap, cp), PixelsOfShapes(k.shapes, 5, 6)) << k.name;
    // Nothing else changed: every other pixel is still white.
    EXPECT_EQ(PixelsOfColour(bitmap, {255, 255, 255}).size() + PixelsOfShapes(k.shapes, 5, 6).size(), 24u * 24u)
        << k.name;
  }
}

TEST(SkinGlyphs, ArrowsPointWithAOnePixelTip) {
  using S = Shape;
  const RECT rect{3, 4, 17, 14};  // cx = 10, cy = 9
  struct Case {
    TbsArrowDirection direction;
    std::vector<Shape> shapes;  // relative to (cx, cy)
  } cases[] = {
      {TbsArrowDirection::Left,
       {{S::Line, -2, 0, -2, 1}, {S::Line, -1, -1, -1, 2}, {S::Line, 0, -2, 0, 3}, {S::Line, 1, -3, 1, 4}}},
      {TbsArrowDirection::Right,
       {{S::Line, 2, 0, 2, -1}, {S::Line, 1, 1, 1, -2}, {S::Line, 0, 2, 0, -3}, {S::Line, -1, 3, -1, -4}}},
      {TbsArrowDirection::Up,
       {{S::Line, 0, -2, 1, -2}, {S::Line, -1, -1, 2, -1}, {S::Line, -2, 0, 3, 0}, {S::Line, -3, 1, 4, 1}}},
      {TbsArrowDirection::Down,
       {{S::Line, 0, 2, 1, 2}, {S::Line, -1, 1, 2, 1}, {S::Line, -2, 0, 3, 0}, {S::Line, -3, -1, 4, -1}}},
  };
  for (const Case& c : cases) {
    TbsFBitmap bitmap = White(24, 24);
    DrawArrowMark(bitmap.DC(), rect, RGB(0, 0, 255), c.direction);
    const Pixels drawn = PixelsOfColour(bitmap, {255, 0, 0});
    EXPECT_EQ(drawn, PixelsOfShapes(c.shapes, 10, 9)) << int(c.direction);
    EXPECT_EQ(drawn.size(), 1u + 3u + 5u + 7u);
  }
}

TEST(SkinGlyphs, FrameLinesLightTopLeftDarkBottomRight) {
  TbsFBitmap bitmap = White(12, 12);
  DrawFrameLines(bitmap.DC(), {2, 3, 9, 8}, RGB(255, 0, 0), RGB(0, 0, 255));  // lines at 2..8, 3..7
  using S = Shape;
  // The dark lines are drawn last, so the bottom-left corner is dark.
  Pixels light = PixelsOfShapes({{S::Line, 2, 7, 2, 3}, {S::Line, 2, 3, 8, 3}}, 0, 0);
  light.erase({2, 7});
  EXPECT_EQ(PixelsOfColour(bitmap, {0, 0, 255}), light);
  EXPECT_EQ(PixelsOfColour(bitmap, {255, 0, 0}), PixelsOfShapes({{S::Line, 8, 3, 8, 7}, {S::Line, 8, 7, 1, 7}}, 0, 0));
}

TEST(SkinGlyphs, GlyphFrameDrawsOneFrameWithItsBottomLeftColourTransparent) {
  // 64 x 6 strip of four frames 16 wide; frame k is coloured k * 40, its bottom-left pixel and
  // one more pixel magenta.
  TImage strip(64, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 64; ++x) strip.At(x, y) = {std::uint8_t(40 * (x / 16 + 1)), std::uint8_t(x), std::uint8_t(y)};
  for (int k = 0; k < 4; ++k) strip.At(16 * k, 5) = strip.At(16 * k + 7, 2) = {255, 0, 255};
  TbsFBitmap bitmap = White(30, 12);
  DrawGlyphFrame(bitmap.DC(), 3, 4, 2, 4, strip);
  GdiFlush();
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inFrame = x >= 3 && x < 19 && y >= 4 && y < 10;
      const bool transparent = (x == 3 && y == 9) || (x == 10 && y == 6);
      const TPixel expected = inFrame && !transparent ? strip.At(16 + x - 3, y - 4) : TPixel{255, 255, 255};
      ASSERT_EQ(bitmap.At(x, y), expected) << x << "," << y;
    }
  // No such frame: nothing drawn.
  TbsFBitmap untouched = White(30, 12);
  DrawGlyphFrame(untouched.DC(), 3, 4, 5, 4, strip);
  DrawGlyphFrame(untouched.DC(), 3, 4, 1, 4, TImage());
  EXPECT_EQ(PixelsOfColour(untouched, {255, 255, 255}).size(), 30u * 12u);
}

// ---- Text -----------------------------------------------------------------------------------

class SkinText : public ::testing::Test {
 protected:
  SkinText() : Bitmap(White(200, 40)) {
    Font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma");
    Old = SelectObject(Bitmap.DC(), Font);
    SetBkMode(Bitmap.DC(), TRANSPARENT);
  }
  ~SkinText() override {
    SelectObject(Bitmap.DC(), Old);
    DeleteObject(Font);
  }

  // The bounding box of the non-white pixels.
  RECT Inked() {
    GdiFlush();
    RECT box{1000, 1000, -1, -1};
    for (int y = 0; y < Bitmap.Height(); ++y)
      for (int x = 0; x < Bitmap.Width(); ++x)
        if (!(Bitmap.At(x, y) == TPixel{255, 255, 255})) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
  }

  TbsFBitmap Bitmap;
  HFONT Font;
  HGDIOBJ Old;
};

TEST_F(SkinText, MeasuresAndFitsWideText) {
  HDC dc = Bitmap.DC();
  const int one = WideTextWidth(dc, L"Ш"), two = WideTextWidth(dc, L"ШШ");
  EXPECT_GT(one, 0);
  EXPECT_EQ(two, 2 * one);
  EXPECT_GT(WideTextHeight(dc, L"Ш"), 8);
  EXPECT_EQ(WideTextWidth(dc, L""), 0);

  const std::wstring text = L"Выполнить проверку";
  const int full = WideTextWidth(dc, text);
  EXPECT_EQ(FitWideText(dc, text, full), text);
  const std::wstring fitted = FitWideText(dc, text, full / 2);
  ASSERT_GT(fitted.size(), 3u);
  EXPECT_EQ(fitted.substr(fitted.size() - 3), L"...");
  EXPECT_LE(WideTextWidth(dc, fitted), full / 2);
  EXPECT_EQ(text.compare(0, fitted.size() - 3, fitted, 0, fitted.size() - 3), 0);
  EXPECT_EQ(FitWideText(dc, text, 1), L"...");

  // Single-byte text of code page 1251 is cut by bytes and measured as the screen shows it.
  const std::string cp1251 = "\xC2\xFB\xEF\xEE\xEB\xED\xE8\xF2\xFC";  // "Выполнить"
  EXPECT_EQ(TextToWide(cp1251), L"Выполнить");
  const std::string cut = FitText(dc, cp1251, WideTextWidth(dc, L"Вып..."));
  EXPECT_EQ(TextToWide(cut), L"Вып...");
}

TEST_F(SkinText, DrawsCentredAndClippedText) {
  HDC dc = Bitmap.DC();
  const RECT rect{10, 5, 60, 35};
  DrawTextInRect(dc, L"Длинный текст, который не помещается", rect);
  const RECT ink = Inked();
  EXPECT_GE(ink.left, rect.left + 2);
  EXPECT_LE(ink.right, rect.right);  // clipped
  EXPECT_EQ(ink.right, rect.right);  // and long enough to reach the edge
  const int textHeight = WideTextHeight(dc, L"Д");
  EXPECT_GE(ink.top, rect.top + 15 - textHeight / 2);
  EXPECT_LE(ink.bottom, rect.top + 15 - textHeight / 2 + textHeight);

  std::memset(Bitmap.Bits(), 0xFF, Bitmap.ByteSize());
  DrawTextInRectIndented(dc, L"Т", rect, 20);
  EXPECT_GE(Inked().left, rect.left + 22);

  std::memset(Bitmap.Bits(), 0xFF, Bitmap.ByteSize());
  DrawTextVCentered(dc, L"Т", {100, 0, 190, 40});
  const RECT centred = Inked();
  EXPECT_GE(centred.left, 100);
  EXPECT_LE(std::abs((centred.top + centred.bottom) - 40), 4);  // centred within a pixel or two

  std::memset(Bitmap.Bits(), 0xFF, Bitmap.ByteSize());
  DrawTextVCentered(dc, L"", {100, 0, 190, 40});
  DrawTextInRect(dc, L"", rect);
  EXPECT_EQ(Inked().right, -1);  // nothing drawn
}

// ---- Windows --------------------------------------------------------------------------------

TEST(SkinWindows, AlphaVersionAndWorkArea) {
  HWND window = CreateWindowExW(WS_EX_LAYERED, L"STATIC", L"", WS_POPUP, 10, 10, 50, 50, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(SetWindowAlphaValue(window, 128));
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_TRUE(flags & LWA_ALPHA);
  const RECT screen = WorkAreaOf(window, false);
  EXPECT_EQ(screen.right - screen.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(screen.bottom - screen.top, GetSystemMetrics(SM_CYSCREEN));
  const RECT work = WorkAreaOf(window, true);
  EXPECT_GE(work.left, screen.left);
  EXPECT_LE(work.right, screen.right);
  EXPECT_GT(work.bottom - work.top, 0);
  DestroyWindow(window);

  EXPECT_TRUE(IsWin2000OrLater());
  EXPECT_TRUE(IsWinXPOrLater());
}

// ---- A look at it all -----------------------------------------------------------------------

LRESULT CALLBACK ShowcaseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  // A bevelled 40 x 30 frame picture with a patterned client, laid out at the window's size.
  TImage skin(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool border = x < 6 || x >= 34 || y < 8 || y >= 24;
      const std::uint8_t shade = std::uint8_t(border ? 90 + 4 * std::min({x, y, 39 - x, 29 - y}) : ((x + y) % 4 ? 230 : 200));
      skin.At(x, y) = {std::uint8_t(shade), std::uint8_t(shade * 3 / 4), std::uint8_t(shade / 2)};
    }
  const TbsPieceGeometry g{{10, 10}, {30, 10}, {10, 20}, {30, 20}, {6, 8, 34, 24}};
  TbsFBitmap frame;
  NinePartImage(g, ResizedGeometry(g, {0, 0, 40, 30}, client.right, client.bottom), frame, skin, {0, 0, 40, 30},
                client.right, client.bottom, true, {true, false, true, false, false});
  void (*glyphs[])(HDC, int, int, COLORREF) = {DrawCloseGlyph,   DrawSysMenuGlyph, DrawMinimizeGlyph,
                                              DrawMaximizeGlyph, DrawRestoreGlyph, DrawRollDownGlyph,
                                              DrawRollUpGlyph,   DrawTrayGlyph,    DrawCheckTick};
  int x = 20;
  for (auto draw : glyphs) {
    draw(frame.DC(), x, 40, RGB(0, 0, 0));
    x += 18;
  }
  for (int d = 1; d <= 4; ++d) DrawArrowMark(frame.DC(), {20 + 18 * (d - 1), 60, 32 + 18 * (d - 1), 72}, RGB(0, 0, 128), TbsArrowDirection(d));
  FillMarkSquare(frame.DC(), 100, 63, RGB(160, 0, 0));
  DrawFrameLines(frame.DC(), {120, 58, 180, 76}, RGB(255, 255, 255), RGB(60, 60, 60));
  SetBkMode(frame.DC(), TRANSPARENT);
  DrawTextInRect(frame.DC(), L"Выполнить", {20, 85, 200, 105});
  DrawTextVCentered(frame.DC(), FitWideText(frame.DC(), L"Настройки проверки плейлиста", 120).c_str(), {20, 105, 140, 125});
  BitBlt(dc, 0, 0, frame.Width(), frame.Height(), frame.DC(), 0, 0, SRCCOPY);
  EndPaint(window, &ps);
  return 0;
}

TEST(SkinShowcase, DrawsAFrameGlyphsAndText) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ShowcaseProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SkinDrawShowcase";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 40, 40, 260, 150, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  // The window's region from a mask with cut corners.
  TImage mask(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const int cx = std::min(x, 39 - x), cy = std::min(y, 29 - y);
      mask.At(x, y) = cx + cy < 4 ? TPixel{255, 255, 255} : TPixel{};
    }
  const TbsPieceGeometry g{{10, 10}, {30, 10}, {10, 20}, {30, 20}, {6, 8, 34, 24}};
  TbsRegionHandle region = RegionFromMaskBorders(g, ResizedGeometry(g, {0, 0, 40, 30}, 260, 150), mask, 260);
  ASSERT_TRUE(region);
  ASSERT_TRUE(SetWindowRgn(window, region.release(), TRUE));
  spv::test::PumpMessages(100);
  spv::test::SaveWindowPng(window, "skin-draw-showcase");
  DestroyWindow(window);
}

}  // namespace
}  // namespace bs
