#include "platform/Graphics.h"

#include "platform/FormReader.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <vector>

namespace spv::platform {

COLORREF ColorToRGB(TColor color) {
  if (color == clNone || color == clDefault) return RGB(0, 0, 0);
  if ((color & 0xFF000000) == kSystemColorFlag) return GetSysColor(int(color & 0xFF));
  return COLORREF(color & 0x00FFFFFF);
}

std::optional<TColor> IdentToColor(std::string_view name) {
  static constexpr std::pair<std::string_view, TColor> kNames[] = {
      {"clBlack", clBlack},
      {"clMaroon", clMaroon},
      {"clGreen", clGreen},
      {"clOlive", clOlive},
      {"clNavy", clNavy},
      {"clPurple", clPurple},
      {"clTeal", clTeal},
      {"clGray", clGray},
      {"clSilver", clSilver},
      {"clRed", clRed},
      {"clLime", clLime},
      {"clYellow", clYellow},
      {"clBlue", clBlue},
      {"clFuchsia", clFuchsia},
      {"clAqua", clAqua},
      {"clWhite", clWhite},
      {"clNone", clNone},
      {"clDefault", clDefault},
      {"clScrollBar", clScrollBar},
      {"clBackground", clBackground},
      {"clActiveCaption", clActiveCaption},
      {"clInactiveCaption", clInactiveCaption},
      {"clMenu", clMenu},
      {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame},
      {"clMenuText", clMenuText},
      {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText},
      {"clHighlight", clHighlight},
      {"clHighlightText", clHighlightText},
      {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow},
      {"clGrayText", clGrayText},
      {"clBtnText", clBtnText},
      {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", cl3DDkShadow},
      {"cl3DLight", cl3DLight},
      {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk},
  };
  for (const auto& [n, c] : kNames)
    if (SameIdent(n, name)) return c;
  return std::nullopt;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange();
}

std::vector<RECT> VisibleRects(HDC dc, HWND window, const RECT& area) {
  std::vector<RECT> rects;
  const auto add = [&](const RECT& r) {
    RECT part;
    if (IntersectRect(&part, &r, &area)) rects.push_back(part);
  };
  TGdiHandle<HRGN> visible(CreateRectRgn(0, 0, 0, 0));
  const DWORD size = WindowFromDC(dc) == window && GetRandomRgn(dc, visible.Get(), SYSRGN) == 1
                         ? GetRegionData(visible.Get(), 0, nullptr)
                         : 0;
  std::vector<std::byte> bytes(size);
  auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
  if (size == 0 || GetRegionData(visible.Get(), size, data) != size) {
    add(area);
    return rects;
  }
  // The visible region comes in screen coordinates.
  POINT origin{0, 0};
  MapWindowPoints(window, nullptr, &origin, 1);
  const auto* region = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) {
    RECT r = region[i];
    OffsetRect(&r, -origin.x, -origin.y);
    add(r);
  }
  return rects;
}

void CopyToVisible(HDC dest, HWND window, const RECT& area, HDC source) {
  for (const RECT& r : VisibleRects(dest, window, area))
    BitBlt(dest, r.left, r.top, r.right - r.left, r.bottom - r.top, source, r.left, r.top, SRCCOPY);
}

// ---- TFont ----

namespace {

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

constexpr TEnumName<unsigned> kFontStyleNames[] = {
    {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};

}  // namespace

TFont::TFont() = default;

void TFont::Assign(const TFont& other) {
  if (this == &other) return;
  Name_ = other.Name_;
  Height_ = other.Height_;
  Style_ = other.Style_;
  Color_ = other.Color_;
  Charset_ = other.Charset_;
  Handle_.Reset();
  Changed();
}

void TFont::SetName(std::wstring_view name) {
  if (name.size() >= LF_FACESIZE) throw Exception("The font name \"" + WideToUtf8(name) + "\" is too long");
  if (name == Name_) return;
  Name_ = name;
  Handle_.Reset();
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == Height_) return;
  Height_ = height;
  Handle_.Reset();
  Changed();
}

int TFont::Size() const { return -MulDiv(Height_, 72, ScreenPixelsPerInch()); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetStyle(TFontStyles style) {
  if (style == Style_) return;
  Style_ = style;
  Handle_.Reset();
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == Color_) return;
  Color_ = color;
  Changed();
}

void TFont::SetCharset(BYTE charset) {
  if (charset == Charset_) return;
  Charset_ = charset;
  Handle_.Reset();
  Changed();
}

HFONT TFont::Handle() const {
  if (!Handle_) {
    LOGFONTW lf{};
    lf.lfHeight = Height_;
    lf.lfWeight = (Style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Style_ & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (Style_ & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (Style_ & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = Charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::copy(Name_.begin(), Name_.end(), lf.lfFaceName);
    Handle_.Reset(CreateFontIndirectW(&lf));
    if (!Handle_) RaiseLastOSError("Creating the font " + WideToUtf8(Name_));
  }
  return Handle_.Get();
}

bool TFont::ReadProperty(std::string_view member, const TStoredProperty& property) {
  if (SameIdent(member, "Name")) SetName(property.String());
  else if (SameIdent(member, "Height")) SetHeight(property.Int());
  else if (SameIdent(member, "Size")) SetSize(property.Int());
  else if (SameIdent(member, "Style")) SetStyle(property.Flags(kFontStyleNames));
  else if (SameIdent(member, "Color")) SetColor(property.Color());
  else if (SameIdent(member, "Charset")) {
    const int charset = property.Int();
    if (charset < 0 || charset > 255) property.Fail("Font.Charset must be 0 to 255");
    SetCharset(BYTE(charset));
  } else return false;
  return true;
}

bool operator==(const TFont& a, const TFont& b) {
  return a.Name_ == b.Name_ && a.Height_ == b.Height_ && a.Style_ == b.Style_ && a.Color_ == b.Color_ &&
         a.Charset_ == b.Charset_;
}

// ---- TPen, TBrush ----

void TPen::Assign(const TPen& other) {
  Color_ = other.Color_;
  Width_ = other.Width_;
  Style_ = other.Style_;
  Handle_.Reset();
  Changed();
}

void TPen::SetColor(TColor color) {
  if (color == Color_) return;
  Color_ = color;
  Handle_.Reset();
  Changed();
}

void TPen::SetWidth(int width) {
  width = std::max(width, 0);
  if (width == Width_) return;
  Width_ = width;
  Handle_.Reset();
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == Style_) return;
  Style_ = style;
  Handle_.Reset();
  Changed();
}

HPEN TPen::Handle() const {
  if (!Handle_) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    Handle_.Reset(CreatePen(kStyles[int(Style_)], Width_, ColorToRGB(Color_)));
    if (!Handle_) RaiseLastOSError("Creating a pen");
  }
  return Handle_.Get();
}

void TBrush::Assign(const TBrush& other) {
  Color_ = other.Color_;
  Style_ = other.Style_;
  Handle_.Reset();
  Changed();
}

void TBrush::SetColor(TColor color) {
  if (color == Color_ && Style_ == TBrushStyle::bsSolid) return;
  Color_ = color;
  // Giving a clear brush a colour makes it solid again, as users of a canvas expect.
  Style_ = TBrushStyle::bsSolid;
  Handle_.Reset();
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == Style_) return;
  Style_ = style;
  Handle_.Reset();
  Changed();
}

HBRUSH TBrush::Handle() const {
  if (!Handle_) {
    if (Style_ == TBrushStyle::bsClear) {
      LOGBRUSH lb{BS_HOLLOW, 0, 0};
      Handle_.Reset(CreateBrushIndirect(&lb));
    } else {
      Handle_.Reset(CreateSolidBrush(ColorToRGB(Color_)));
    }
    if (!Handle_) RaiseLastOSError("Creating a brush");
  }
  return Handle_.Get();
}

// ---- TCanvas ----

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() { Restore(); }

HDC TCanvas::Handle() {
  if (!Dc_) CreateHandle();
  if (!Dc_) throw Exception(std::string("The canvas has no device context to draw on"));
  return Dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == Dc_) return;
  Restore();
  Dc_ = dc;
}

void TCanvas::Select(bool pen, bool brush, bool font) {
  HDC dc = Handle();
  if (pen) {
    HGDIOBJ old = SelectObject(dc, Pen_.Handle());
    if (!OldPen_) OldPen_ = old;
  }
  if (brush) {
    HGDIOBJ old = SelectObject(dc, Brush_.Handle());
    if (!OldBrush_) OldBrush_ = old;
    SetBkColor(dc, ColorToRGB(Brush_.Color()));
    SetBkMode(dc, Brush_.Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
  }
  if (font) {
    HGDIOBJ old = SelectObject(dc, Font_.Handle());
    if (!OldFont_) OldFont_ = old;
    SetTextColor(dc, ColorToRGB(Font_.Color()));
  }
}

void TCanvas::Restore() {
  if (!Dc_) return;
  if (OldPen_) SelectObject(Dc_, OldPen_);
  if (OldBrush_) SelectObject(Dc_, OldBrush_);
  if (OldFont_) SelectObject(Dc_, OldFont_);
  OldPen_ = OldBrush_ = OldFont_ = nullptr;
  Dc_ = nullptr;
}

void TCanvas::FillRect(const RECT& r) {
  Select(false, true, false);
  ::FillRect(Dc_, &r, Brush_.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  Select(false, true, false);
  ::FrameRect(Dc_, &r, Brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  Select(true, true, false);
  ::Rectangle(Dc_, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  Select(true, false, false);
  ::LineTo(Dc_, x, y);
}

POINT TCanvas::PenPos() {
  POINT p{};
  GetCurrentPositionEx(Handle(), &p);
  return p;
}

void TCanvas::Polyline(std::span<const POINT> points) {
  if (points.size() > std::size_t(INT_MAX)) throw Exception(std::string("Too many points for a line"));
  Select(true, false, false);
  ::Polyline(Dc_, points.data(), int(points.size()));
}

void TCanvas::TextOut(int x, int y, std::wstring_view text) {
  Select(false, true, true);
  ::ExtTextOutW(Dc_, x, y, 0, nullptr, text.data(), UINT(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(std::wstring_view text) {
  Select(false, false, true);
  SIZE size{};
  GetTextExtentPoint32W(Dc_, text.data(), int(text.size()), &size);
  if (text.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(Dc_, &tm);
    size.cy = tm.tmHeight;
  }
  return size;
}

int TCanvas::DrawText(std::wstring_view text, RECT& r, UINT format) {
  Select(false, true, true);
  return ::DrawTextW(Dc_, text.data(), int(text.size()), &r, format);
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  BitBlt(Handle(), x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  HDC dc = Handle();
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, bitmap.Canvas().Handle(), 0, 0, bitmap.Width(),
             bitmap.Height(), SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  HDC dc = Handle();
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(), sourceRect.left,
             sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top, CopyMode);
  SetStretchBltMode(dc, oldMode);
}

COLORREF TCanvas::Pixel(int x, int y) { return GetPixel(Handle(), x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(Handle(), x, y, ColorToRGB(color)); }

RECT TCanvas::ClipRect() {
  RECT r{};
  GetClipBox(Handle(), &r);
  return r;
}

void TCanvas::IntersectClipRect(const RECT& r) { ::IntersectClipRect(Handle(), r.left, r.top, r.right, r.bottom); }

void TCanvas::ResetClip() { SelectClipRgn(Handle(), nullptr); }

// ---- TBitmap ----

class TBitmap::DibStorage final : public spv::base::TImage::Storage {
 public:
  DibStorage() : Dc_(CreateCompatibleDC(nullptr)) {
    if (!Dc_) RaiseLastOSError("Creating a memory device context");
  }
  ~DibStorage() override {
    if (Old_) SelectObject(Dc_, Old_);
    Dib_.Reset();
    DeleteDC(Dc_);
  }

  std::uint8_t* Resize(int width, int height, std::size_t) override {
    // An empty picture keeps a 1 x 1 section selected, so the context always has a surface.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = std::max(width, 1);
    bi.bmiHeader.biHeight = -std::max(height, 1);  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TGdiHandle<HBITMAP> dib(CreateDIBSection(Dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits)
      RaiseLastOSError("Creating a " + std::to_string(width) + " x " + std::to_string(height) + " bitmap");
    HGDIOBJ old = SelectObject(Dc_, dib.Get());
    if (!Old_) Old_ = old;
    Dib_ = std::move(dib);
    std::memset(bits, 0, std::size_t(spv::base::TImage::StrideFor(std::max(width, 1))) * std::size_t(std::max(height, 1)));
    return width > 0 && height > 0 ? static_cast<std::uint8_t*>(bits) : nullptr;
  }

  HDC Dc() const { return Dc_; }
  HBITMAP Dib() const { return Dib_.Get(); }

 private:
  HDC Dc_;
  HGDIOBJ Old_ = nullptr;
  TGdiHandle<HBITMAP> Dib_;
};

namespace {
// Hands the storage to the picture and keeps a pointer to it.
std::unique_ptr<spv::base::TImage::Storage> Keep(auto* storage, auto*& keep) {
  keep = storage;
  return std::unique_ptr<spv::base::TImage::Storage>(storage);
}
}  // namespace

TBitmap::TBitmap() : Storage_(nullptr), Image_(Keep(new DibStorage, Storage_)) {
  Image_.SetSize(0, 0);
  Canvas_.SetHandle(Storage_->Dc());
}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() { Canvas_.SetHandle(nullptr); }

void TBitmap::SetSize(int width, int height) {
  GdiFlush();
  Image_.SetSize(width, height);
}

void TBitmap::Assign(const spv::base::TImage& image) {
  GdiFlush();
  Image_ = image;
}

spv::base::TImage& TBitmap::Image() {
  GdiFlush();
  return Image_;
}

HBITMAP TBitmap::Handle() const { return Storage_->Dib(); }

}  // namespace spv::platform
