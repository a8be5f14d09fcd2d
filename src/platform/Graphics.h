#pragma once
// Colours, fonts, pens, brushes, canvases and bitmaps over GDI. A canvas draws on a real device
// context; a bitmap is a DIB section whose pixels are also a spv::base::TImage, so that the skin's
// portable pixel code and GDI work on the same memory.

#include <windows.h>

#include "base/Image.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace spv::platform {

struct TStoredProperty;

// 0x00BBGGRR, or 0xFF0000nn for the system colour nn (GetSysColor index).
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                        clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;
inline constexpr TColor kSystemColorFlag = 0xFF000000;
inline constexpr TColor SystemColor(int index) { return kSystemColorFlag | TColor(index); }
inline constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR), clBackground = SystemColor(COLOR_BACKGROUND),
                        clActiveCaption = SystemColor(COLOR_ACTIVECAPTION),
                        clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION), clMenu = SystemColor(COLOR_MENU),
                        clWindow = SystemColor(COLOR_WINDOW), clWindowFrame = SystemColor(COLOR_WINDOWFRAME),
                        clMenuText = SystemColor(COLOR_MENUTEXT), clWindowText = SystemColor(COLOR_WINDOWTEXT),
                        clCaptionText = SystemColor(COLOR_CAPTIONTEXT), clHighlight = SystemColor(COLOR_HIGHLIGHT),
                        clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT), clBtnFace = SystemColor(COLOR_BTNFACE),
                        clBtnShadow = SystemColor(COLOR_BTNSHADOW), clGrayText = SystemColor(COLOR_GRAYTEXT),
                        clBtnText = SystemColor(COLOR_BTNTEXT), clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT),
                        cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW), cl3DLight = SystemColor(COLOR_3DLIGHT),
                        clInfoText = SystemColor(COLOR_INFOTEXT), clInfoBk = SystemColor(COLOR_INFOBK);

// The RGB value a colour shows as: a system colour is looked up now, clNone and clDefault
// count as black, other values lose their top byte.
COLORREF ColorToRGB(TColor color);
// Colour names as descriptions write them ("clRed", "clBtnFace"); nullopt for an unknown name.
std::optional<TColor> IdentToColor(std::string_view name);

// The parts of `area` that a context of `window` (origin at the client's top-left) can draw on:
// the rectangles of its visible region, cut to `area`; `area` itself for a context of another
// kind (a picture being printed into). Drawing through a clip with holes (a parent behind its
// child windows) costs as much as the whole bounding box under Wine; rectangle by rectangle it
// costs what shows.
std::vector<RECT> VisibleRects(HDC dc, HWND window, const RECT& area);
// Copies `source` to `dest` at the same coordinates, within `area`, one block per visible
// rectangle.
void CopyToVisible(HDC dest, HWND window, const RECT& area, HDC source);

// Owns one GDI object and deletes it when replaced or destroyed.
template <typename H>
class TGdiHandle {
 public:
  TGdiHandle() = default;
  explicit TGdiHandle(H handle) : Handle_(handle) {}
  TGdiHandle(const TGdiHandle&) = delete;
  TGdiHandle& operator=(const TGdiHandle&) = delete;
  TGdiHandle(TGdiHandle&& other) noexcept : Handle_(other.Release()) {}
  TGdiHandle& operator=(TGdiHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  ~TGdiHandle() { Reset(); }
  H Get() const { return Handle_; }
  explicit operator bool() const { return Handle_ != nullptr; }
  H Release() { return std::exchange(Handle_, nullptr); }
  void Reset(H handle = nullptr) {
    if (Handle_) DeleteObject(Handle_);
    Handle_ = handle;
  }

 private:
  H Handle_ = nullptr;
};

// Font styles: a set of flags.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TGraphicsObject {
 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  virtual ~TGraphicsObject() = default;
  // Fired after every change, for the control or canvas that uses the object.
  std::function<void()> OnChange;

 protected:
  void Changed();
};

class TFont : public TGraphicsObject {
 public:
  TFont();
  void Assign(const TFont& other);

  const std::wstring& Name() const { return Name_; }
  void SetName(std::wstring_view name);
  // The height as a font description gives it: negative = character height in pixels,
  // positive = cell height in pixels.
  int Height() const { return Height_; }
  void SetHeight(int height);
  // Points at the screen's resolution.
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return Style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  BYTE Charset() const { return Charset_; }
  void SetCharset(BYTE charset);

  HFONT Handle() const;
  // Reads "Name", "Height", "Size", "Style", "Color" and "Charset" of a description.
  bool ReadProperty(std::string_view member, const TStoredProperty& property);
  friend bool operator==(const TFont& a, const TFont& b);

 private:
  std::wstring Name_ = L"Tahoma";
  int Height_ = -11;
  TFontStyles Style_ = 0;
  TColor Color_ = clWindowText;
  BYTE Charset_ = DEFAULT_CHARSET;
  mutable TGdiHandle<HFONT> Handle_;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
 public:
  void Assign(const TPen& other);
  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  int Width() const { return Width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return Style_; }
  void SetStyle(TPenStyle style);
  HPEN Handle() const;

 private:
  TColor Color_ = clBlack;
  int Width_ = 1;
  TPenStyle Style_ = TPenStyle::psSolid;
  mutable TGdiHandle<HPEN> Handle_;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
 public:
  void Assign(const TBrush& other);
  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return Style_; }
  void SetStyle(TBrushStyle style);
  // A hollow brush for bsClear.
  HBRUSH Handle() const;

 private:
  TColor Color_ = clWhite;
  TBrushStyle Style_ = TBrushStyle::bsSolid;
  mutable TGdiHandle<HBRUSH> Handle_;
};

class TBitmap;

// Drawing on a device context with the canvas's pen, brush and font. The objects are selected
// into the context for each operation and the context's own ones are put back when the canvas
// lets go of it, so our objects can always be deleted.
class TCanvas {
 public:
  TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas();

  // The device context; a canvas of a control gets one on demand.
  HDC Handle();
  bool HandleAllocated() const { return Dc_ != nullptr; }
  // Draws on `dc` from now on (null: none); the canvas does not own it.
  void SetHandle(HDC dc);

  TPen& Pen() { return Pen_; }
  TBrush& Brush() { return Brush_; }
  TFont& Font() { return Font_; }
  // The raster operation of CopyRect.
  DWORD CopyMode = SRCCOPY;

  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  POINT PenPos();
  void Polyline(std::span<const POINT> points);
  // Text in the font's colour; the background is the brush's colour, or left alone when the
  // brush is bsClear.
  void TextOut(int x, int y, std::wstring_view text);
  SIZE TextExtent(std::wstring_view text);
  int TextWidth(std::wstring_view text) { return TextExtent(text).cx; }
  int TextHeight(std::wstring_view text) { return TextExtent(text).cy; }
  // DrawTextW with the canvas's font; `r` may be changed by DT_CALCRECT. Returns the height.
  int DrawText(std::wstring_view text, RECT& r, UINT format);
  void Draw(int x, int y, TBitmap& bitmap);
  void StretchDraw(const RECT& r, TBitmap& bitmap);
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
  COLORREF Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  // The part of the canvas that drawing reaches.
  RECT ClipRect();
  // Narrows drawing to `r` (within the current clipping).
  void IntersectClipRect(const RECT& r);
  // Takes the clipping away again.
  void ResetClip();

 protected:
  // Descendants get a device context on demand here.
  virtual void CreateHandle() {}

 private:
  void Select(bool pen, bool brush, bool font);
  void Restore();

  HDC Dc_ = nullptr;
  HGDIOBJ OldPen_ = nullptr, OldBrush_ = nullptr, OldFont_ = nullptr;
  TPen Pen_;
  TBrush Brush_;
  TFont Font_;
};

// A 24-bit top-down DIB section with its own memory device context. Its pixels are the
// spv::base::TImage given by Image(), row for row.
class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap();

  int Width() const { return Image_.Width(); }
  int Height() const { return Image_.Height(); }
  bool Empty() const { return Image_.Empty(); }
  // A new size; the content becomes black.
  void SetSize(int width, int height);
  // Copies another picture, size and pixels.
  void Assign(const spv::base::TImage& image);

  // The pixels, with GDI's pending drawing finished first.
  spv::base::TImage& Image();
  HBITMAP Handle() const;
  TCanvas& Canvas() { return Canvas_; }

 private:
  class DibStorage;
  DibStorage* Storage_;  // owned by Image_
  spv::base::TImage Image_;
  TCanvas Canvas_;
};

}  // namespace spv::platform
