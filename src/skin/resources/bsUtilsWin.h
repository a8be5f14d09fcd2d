#pragma once
// The skin library's drawing primitives that need the platform: pictures backed by DIB
// sections, window regions from masks, text through DrawText, the line-drawn glyphs, window
// transparency, the platform version and the work area.

#include <windows.h>

#include "skin/resources/bsUtils.h"

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace bs {

constexpr RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
constexpr TRect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Owning handles of GDI objects; release() hands one over (SetWindowRgn takes its region).
struct TbsGdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using TbsRegionHandle = std::unique_ptr<std::remove_pointer_t<HRGN>, TbsGdiObjectDeleter>;

// A TImage whose pixels are a 24-bit top-down DIB section selected into a memory device
// context of its own, so GDI draws text and lines into the same rows portable code reads.
// After drawing with GDI and before reading the rows, call GdiFlush.
class TbsFBitmap : public TImage {
 public:
  TbsFBitmap();
  TbsFBitmap(int width, int height);
  // A copy of any bitmap's pixels, converted to 24 bits by the platform.
  explicit TbsFBitmap(HBITMAP source);
  explicit TbsFBitmap(const TImage& picture);
  TbsFBitmap(const TbsFBitmap& other);
  TbsFBitmap& operator=(const TbsFBitmap& other) = default;  // copies the pixels
  TbsFBitmap& operator=(const TImage& other) {
    TImage::operator=(other);
    return *this;
  }

  // The DIB section (nullptr while the picture is empty) and the context it is selected in.
  HBITMAP Handle() const;
  HDC DC() const;
};

// Copies a bitmap's pixels into `dest` at the bitmap's size, converted to 24 bits by the
// platform. Throws std::runtime_error for a handle that is not a bitmap.
void CopyBitmapInto(HBITMAP source, TImage& dest);
// Puts the whole picture on a device context with its top-left at (x, y).
void DrawToDC(const TImage& picture, HDC dc, int x, int y);

// ---- Regions --------------------------------------------------------------------------------

// A region from region data (ExtCreateRegion); null for no data.
TbsRegionHandle RegionFromRunData(const TbsRegionData& data);
// The region of a mask's black pixels at 0, 0; null for an empty mask.
TbsRegionHandle RegionFromMask(const TImage& mask);
// The region of a W-wide window from its frame mask: the new client rect joined with the runs
// of the four mask strips. Null for inverted new points or an empty new client rect.
TbsRegionHandle RegionFromMaskBorders(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, const TImage& mask,
                                      int W);

// ---- Text -----------------------------------------------------------------------------------

// Single-byte text of a code page (the program's is 1251) as the wide text the screen takes.
std::wstring TextToWide(std::string_view text, UINT codePage = 1251);

// True on Windows NT, where the wide DrawText is there.
bool IsUnicodePlatform();
// DrawText of a wide text: the wide call on NT, else the text in the system code page through
// the ANSI call. Returns the call's result (the text height, 0 on failure).
int DrawWideText(HDC dc, std::wstring_view text, RECT& rect, UINT flags);
// Width and height of DrawWideText's DT_CALCRECT rect from 0, 0, 0, 0.
int WideTextWidth(HDC dc, std::wstring_view text);
int WideTextHeight(HDC dc, std::wstring_view text);
// FitWideText measured with WideTextWidth; FitText with the context's text extent.
std::wstring FitWideText(HDC dc, std::wstring_view text, int maxWidth);
std::string FitText(HDC dc, std::string_view text, int maxWidth, UINT codePage = 1251);

// One line, left-aligned and vertically centred in `rect`; nothing for an empty text.
void DrawTextVCentered(HDC dc, std::wstring_view text, const RECT& rect);
// Clipped to `rect`, at x = Left + 2 (+ indent), y = Top + height div 2 - text height div 2.
void DrawTextInRect(HDC dc, std::wstring_view text, const RECT& rect);
void DrawTextInRectIndented(HDC dc, std::wstring_view text, const RECT& rect, int indent);

// Fills `rect` with one colour; an empty rect draws nothing. The opaque fill of ExtTextOut needs
// no brush to be made and freed, which counts where a paint fills hundreds of cells.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// ---- Line-drawn marks and glyphs ------------------------------------------------------------
// Lines leave out their end points, as the platform draws them.

enum class TbsArrowDirection { Left = 1, Right = 2, Up = 3, Down = 4 };
// Four lines centred in `rect`: a one-pixel tip and a seven-pixel base.
void DrawArrowMark(HDC dc, const RECT& rect, COLORREF colour, TbsArrowDirection direction);
// Three strokes of a tick, its corner at (x + 2, y + 7).
void DrawCheckTick(HDC dc, int x, int y, COLORREF colour);
// A 6 x 6 square at (x, y), filled and outlined in `colour`.
void FillMarkSquare(HDC dc, int x, int y, COLORREF colour);
// A one-pixel frame inside `rect`: left and top in `light`, right and bottom in `dark`.
void DrawFrameLines(HDC dc, const RECT& rect, COLORREF light, COLORREF dark);

// The built-in caption button glyphs, about 11 x 10 pixels from (x, y).
void DrawCloseGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawSysMenuGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawMinimizeGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawMaximizeGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawRestoreGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawRollDownGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawRollUpGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawTrayGlyph(HDC dc, int x, int y, COLORREF colour);

// Frame k (from 1) of a strip of n frames at (x, y); the colour of the frame's bottom-left pixel
// is transparent. Nothing for an empty strip or a frame that is not there.
void DrawGlyphFrame(HDC dc, int x, int y, int k, int n, const TImage& glyph);

// ---- Windows --------------------------------------------------------------------------------

// Sets a layered window's alpha through SetLayeredWindowAttributes, looked up when called.
// False where the system has no such function or the call fails.
bool SetWindowAlphaValue(HWND window, BYTE alpha);
// Whether the system can make a window translucent (has SetLayeredWindowAttributes).
bool LayeredWindowsAvailable();
// Turns a window's WS_EX_LAYERED style on or off (no call when it already is so).
void SetLayeredStyle(HWND window, bool on);
bool IsWin2000OrLater();
bool IsWinXPOrLater();
// The work area (or the whole area) of the monitor nearest the window; of the main monitor for
// no window yet.
RECT WorkAreaOf(HWND window, bool workArea);

}  // namespace bs
