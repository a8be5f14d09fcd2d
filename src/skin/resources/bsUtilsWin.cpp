#include "skin/resources/bsUtilsWin.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace bs {
namespace {

BITMAPINFO TopDown24(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

// A DIB section selected into a memory context for as long as the picture has this size.
class DibStorage final : public TImage::Storage {
 public:
  DibStorage() : Dc_(CreateCompatibleDC(nullptr)) {
    if (!Dc_) throw std::runtime_error("cannot create a memory device context");
  }
  DibStorage(const DibStorage&) = delete;
  DibStorage& operator=(const DibStorage&) = delete;
  ~DibStorage() override {
    Release();
    DeleteDC(Dc_);
  }

  std::uint8_t* Resize(int width, int height, std::size_t bytes) override {
    Release();
    if (bytes == 0) return nullptr;
    const BITMAPINFO bi = TopDown24(width, height);
    void* bits = nullptr;
    // The system hands out a DIB section's memory zero-filled.
    HBITMAP bitmap = CreateDIBSection(Dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits)
      throw std::runtime_error("cannot create a " + std::to_string(width) + " x " + std::to_string(height) +
                               " bitmap");
    Old_ = SelectObject(Dc_, bitmap);
    Bitmap_ = bitmap;
    return static_cast<std::uint8_t*>(bits);
  }

  HBITMAP Bitmap() const { return Bitmap_; }
  HDC Dc() const { return Dc_; }

 private:
  void Release() {
    if (!Bitmap_) return;
    SelectObject(Dc_, Old_);
    DeleteObject(Bitmap_);
    Bitmap_ = nullptr;
  }

  HDC Dc_;
  HBITMAP Bitmap_ = nullptr;
  HGDIOBJ Old_ = nullptr;
};

}  // namespace

// ---- Pictures -------------------------------------------------------------------------------

TbsFBitmap::TbsFBitmap() : TImage(std::make_unique<DibStorage>()) {}

TbsFBitmap::TbsFBitmap(int width, int height) : TbsFBitmap() { SetSize(width, height); }

TbsFBitmap::TbsFBitmap(HBITMAP source) : TbsFBitmap() { CopyBitmapInto(source, *this); }

TbsFBitmap::TbsFBitmap(const TImage& picture) : TbsFBitmap() { TImage::operator=(picture); }

TbsFBitmap::TbsFBitmap(const TbsFBitmap& other) : TbsFBitmap() { TImage::operator=(other); }

HBITMAP TbsFBitmap::Handle() const {
  auto* dib = dynamic_cast<DibStorage*>(ImageStorage());
  return dib ? dib->Bitmap() : nullptr;
}

HDC TbsFBitmap::DC() const {
  auto* dib = dynamic_cast<DibStorage*>(ImageStorage());
  return dib ? dib->Dc() : nullptr;
}

void CopyBitmapInto(HBITMAP source, TImage& dest) {
  BITMAP info{};
  if (!source || GetObjectW(source, sizeof(info), &info) != sizeof(info))
    throw std::runtime_error("not a bitmap handle");
  dest.SetSize(info.bmWidth, std::abs(info.bmHeight));
  if (dest.Empty()) return;
  BITMAPINFO bi = TopDown24(dest.Width(), dest.Height());
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, source, 0, UINT(dest.Height()), dest.Bits(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != dest.Height()) throw std::runtime_error("cannot read the bitmap's pixels");
}

void DrawToDC(const TImage& picture, HDC dc, int x, int y) {
  if (picture.Empty()) return;
  const BITMAPINFO bi = TopDown24(picture.Width(), picture.Height());
  SetDIBitsToDevice(dc, x, y, DWORD(picture.Width()), DWORD(picture.Height()), 0, 0, 0, UINT(picture.Height()),
                    picture.Bits(), &bi, DIB_RGB_COLORS);
}

// ---- Regions --------------------------------------------------------------------------------

TbsRegionHandle RegionFromRunData(const TbsRegionData& data) {
  if (data.Bytes.empty()) return nullptr;
  HRGN region = ExtCreateRegion(nullptr, DWORD(data.ByteSize()), reinterpret_cast<const RGNDATA*>(data.Bytes.data()));
  if (!region) throw std::runtime_error("cannot create a region of " + std::to_string(data.Count()) + " rects");
  return TbsRegionHandle(region);
}

TbsRegionHandle RegionFromMask(const TImage& mask) { return RegionFromRunData(MaskToRegionRuns(mask, 0, 0)); }

TbsRegionHandle RegionFromMaskBorders(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, const TImage& mask,
                                      int W) {
  const auto runs = MaskBorderRegionRuns(g, ng, mask, W);
  if (!runs) return nullptr;
  TbsRegionHandle region(CreateRectRgn(runs->Client.Left, runs->Client.Top, runs->Client.Right, runs->Client.Bottom));
  if (!region) throw std::runtime_error("cannot create a region");
  for (const TbsRegionData* strip : {&runs->Top, &runs->Bottom, &runs->Left, &runs->Right})
    if (TbsRegionHandle part = RegionFromRunData(*strip)) CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
  return region;
}

// ---- Text -----------------------------------------------------------------------------------

std::wstring TextToWide(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(std::size_t(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), n);
  return wide;
}

bool IsUnicodePlatform() { return (GetVersion() & 0x80000000u) == 0; }

int DrawWideText(HDC dc, std::wstring_view text, RECT& rect, UINT flags) {
  if (IsUnicodePlatform()) return DrawTextW(dc, text.data(), int(text.size()), &rect, flags);
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(std::size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), ansi.data(), n, nullptr, nullptr);
  return DrawTextA(dc, ansi.data(), n, &rect, flags);
}

int WideTextWidth(HDC dc, std::wstring_view text) {
  RECT r{0, 0, 0, 0};
  DrawWideText(dc, text, r, DT_CALCRECT);
  return r.right - r.left;
}

int WideTextHeight(HDC dc, std::wstring_view text) {
  RECT r{0, 0, 0, 0};
  DrawWideText(dc, text, r, DT_CALCRECT);
  return r.bottom - r.top;
}

namespace {

SIZE TextExtent(HDC dc, std::wstring_view text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.data(), int(text.size()), &size);
  return size;
}

}  // namespace

std::wstring FitWideText(HDC dc, std::wstring_view text, int maxWidth) {
  return FitWideText(text, maxWidth, [dc](std::wstring_view t) { return WideTextWidth(dc, t); });
}

std::string FitText(HDC dc, std::string_view text, int maxWidth, UINT codePage) {
  return FitText(text, maxWidth, [dc, codePage](std::string_view t) { return int(TextExtent(dc, TextToWide(t, codePage)).cx); });
}

void DrawTextVCentered(HDC dc, std::wstring_view text, const RECT& rect) {
  if (text.empty()) return;
  RECT r = rect;
  DrawWideText(dc, text, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void DrawTextInRectIndented(HDC dc, std::wstring_view text, const RECT& rect, int indent) {
  if (text.empty()) return;
  const int y = rect.top + (rect.bottom - rect.top) / 2 - TextExtent(dc, text).cy / 2;
  ExtTextOutW(dc, rect.left + indent + 2, y, ETO_CLIPPED, &rect, text.data(), UINT(text.size()), nullptr);
}

void DrawTextInRect(HDC dc, std::wstring_view text, const RECT& rect) { DrawTextInRectIndented(dc, text, rect, 0); }

// ---- Marks and glyphs -----------------------------------------------------------------------

namespace {

// A pen (and optionally a brush) of one colour selected into a context for one drawing.
class Tools {
 public:
  Tools(HDC dc, COLORREF colour, bool fill)
      : Dc_(dc),
        Pen_(CreatePen(PS_SOLID, 1, colour)),
        Brush_(fill ? CreateSolidBrush(colour) : nullptr),
        OldPen_(SelectObject(dc, Pen_)),
        OldBrush_(SelectObject(dc, fill ? static_cast<HGDIOBJ>(Brush_) : GetStockObject(NULL_BRUSH))) {}
  Tools(const Tools&) = delete;
  Tools& operator=(const Tools&) = delete;
  ~Tools() {
    SelectObject(Dc_, OldBrush_);
    SelectObject(Dc_, OldPen_);
    DeleteObject(Pen_);
    if (Brush_) DeleteObject(Brush_);
  }

  void Line(int x0, int y0, int x1, int y1) const {
    MoveToEx(Dc_, x0, y0, nullptr);
    LineTo(Dc_, x1, y1);
  }
  void LineOn(int x, int y) const { LineTo(Dc_, x, y); }
  void Rect(int l, int t, int r, int b) const { Rectangle(Dc_, l, t, r, b); }

 private:
  HDC Dc_;
  HPEN Pen_;
  HBRUSH Brush_;
  HGDIOBJ OldPen_, OldBrush_;
};

}  // namespace

void DrawArrowMark(HDC dc, const RECT& rect, COLORREF colour, TbsArrowDirection direction) {
  const Tools t(dc, colour, false);
  const int cx = rect.left + (rect.right - rect.left) / 2, cy = rect.top + (rect.bottom - rect.top) / 2;
  for (int i = 0; i < 4; ++i) switch (direction) {
      case TbsArrowDirection::Left: t.Line(cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1); break;
      case TbsArrowDirection::Right: t.Line(cx + 2 - i, cy + i, cx + 2 - i, cy - i - 1); break;
      case TbsArrowDirection::Up: t.Line(cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i); break;
      case TbsArrowDirection::Down: t.Line(cx - i, cy + 2 - i, cx + i + 1, cy + 2 - i); break;
    }
}

void DrawCheckTick(HDC dc, int x, int y, COLORREF colour) {
  const Tools t(dc, colour, false);
  for (int i = 0; i < 3; ++i) {
    t.Line(x, y + 5 - i, x + 2, y + 7 - i);
    t.LineOn(x + 7, y + 2 - i);
  }
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const COLORREF before = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, before);
}

void FillMarkSquare(HDC dc, int x, int y, COLORREF colour) {
  const Tools t(dc, colour, true);
  t.Rect(x, y, x + 6, y + 6);
}

void DrawFrameLines(HDC dc, const RECT& rect, COLORREF light, COLORREF dark) {
  const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1;
  {
    const Tools pen(dc, light, false);
    pen.Line(l, b, l, t);
    pen.LineOn(r, t);
  }
  const Tools pen(dc, dark, false);
  pen.Line(r, t, r, b);
  pen.LineOn(l - 1, b);
}

void DrawCloseGlyph(HDC dc, int x, int y, COLORREF colour) {
  const Tools t(dc, colour, false);
  t.Line(x + 1, y + 1, x + 9, y + 9);
  t.Line(x + 9, y + 1, x + 1, y + 9);
  t.Line(x + 2, y + 1, x + 10, y + 9);
  t.Line(x + 8, y + 1, x, y + 9);
}

void DrawSysMenuGlyph(HDC dc, int x, int y, COLORREF colour) {
  const Tools t(dc, colour, false);
  t.Rect(x + 1, y + 3, x + 9, y + 6);
}

void DrawMinimizeGlyph(HDC dc, int x, int y, COLORREF colour) {
  const Tools t(dc, colour, false);
  t.Line(x + 1, y + 8, x + 9, y + 8);
  t.Line(x + 1, y + 9, x + 9, y + 9);
}

void DrawMaximizeGlyph(HDC dc, int x, int y, COLORREF colour) {
  const Tools t(dc, colour, false);
  t.Rect(x, y, x + 11, y + 10);
  t.Rect(x, y, x + 11, y + 2);
}

void DrawRestoreGlyph(HDC dc, int x, int y, COLORREF colour) {
  const Tools t(dc, colour, false);
  t.Rect(x + 2, y, x + 10, y + 6);
  t.Rect(x + 2, y, x + 10, y + 2);
  t.Rect(x, y + 4, x + 7, y + 10);
  t.Rect(x, y + 4, x + 7, y + 6);
}

namespace {

// The roll glyphs' triangle: its tip the one pixel at x + 5 (on row y + 6 pointing down, y + 2
// pointing up), then four rows each a line from x + 5 - r to x + 5 + r.
void Triangle(HDC dc, int x, int y, COLORREF colour, bool down) {
  const Tools t(dc, colour, false);
  for (int r = 0; r < 5; ++r) {
    const int row = down ? y + 6 - r : y + 2 + r;
    if (r == 0)
      t.Line(x + 5, row, x + 6, row);
    else
      t.Line(x + 5 - r, row, x + 5 + r, row);
  }
}

}  // namespace

void DrawRollDownGlyph(HDC dc, int x, int y, COLORREF colour) { Triangle(dc, x, y, colour, true); }
void DrawRollUpGlyph(HDC dc, int x, int y, COLORREF colour) { Triangle(dc, x, y, colour, false); }

void DrawTrayGlyph(HDC dc, int x, int y, COLORREF colour) {
  const Tools t(dc, colour, true);
  t.Rect(x + 2, y + 2, x + 7, y + 7);
}

void DrawGlyphFrame(HDC dc, int x, int y, int k, int n, const TImage& glyph) {
  const TRect cut = GlyphFrameRect(glyph.Width(), glyph.Height(), k, n);
  if (RectIsEmpty(cut)) return;
  const int w = WidthOfRect(cut), h = HeightOfRect(cut);
  TbsFBitmap frame(w, h);
  CopyImageRect(frame, {0, 0, w, h}, glyph, cut);
  const TPixel key = frame.At(0, h - 1);
  TransparentBlt(dc, x, y, w, h, frame.DC(), 0, 0, w, h, RGB(key.R, key.G, key.B));
}

// ---- Windows --------------------------------------------------------------------------------

bool SetWindowAlphaValue(HWND window, BYTE alpha) {
  using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  HMODULE user = GetModuleHandleW(L"user32.dll");
  if (!user) return false;
  const auto set = reinterpret_cast<SetLayered>(
      reinterpret_cast<void*>(GetProcAddress(user, "SetLayeredWindowAttributes")));
  return set && set(window, 0, alpha, LWA_ALPHA);
}

bool LayeredWindowsAvailable() {
  HMODULE user = GetModuleHandleW(L"user32.dll");
  return user && GetProcAddress(user, "SetLayeredWindowAttributes");
}

void SetLayeredStyle(HWND window, bool on) {
  const LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
  const LONG_PTR next = on ? (ex | WS_EX_LAYERED) : (ex & ~LONG_PTR(WS_EX_LAYERED));
  if (next != ex) SetWindowLongPtrW(window, GWL_EXSTYLE, next);
}

namespace {

void PlatformVersion(unsigned& major, unsigned& minor) {
  const DWORD v = GetVersion();
  major = LOBYTE(LOWORD(v));
  minor = HIBYTE(LOWORD(v));
}

}  // namespace

bool IsWin2000OrLater() {
  unsigned major, minor;
  PlatformVersion(major, minor);
  return IsWin2000OrLater(major, minor);
}

bool IsWinXPOrLater() {
  unsigned major, minor;
  PlatformVersion(major, minor);
  return IsWinXPOrLater(major, minor);
}

RECT WorkAreaOf(HWND window, bool workArea) {
  // The monitor's own record holds both rectangles: one question to the system (under Wine,
  // each screen metric or system parameter asked is a round to the server).
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi))
    return workArea ? mi.rcWork : mi.rcMonitor;
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (workArea) SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

}  // namespace bs
