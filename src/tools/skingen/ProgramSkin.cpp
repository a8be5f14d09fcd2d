#include "ProgramSkin.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "SkinArt.h"

namespace skingen {
namespace {

using bs::TPoint;

// ---- colours ---------------------------------------------------------------------------

constexpr TRgb kFace(0xF0F2F5);        // window and control face
constexpr TRgb kCard(0xF7F8FA);        // group box body
constexpr TRgb kText(0x000000);
constexpr TRgb kTextGrey(0x808080);    // disabled and inactive text
constexpr TRgb kFrameLine(0x4A5563);   // the outer frame line
constexpr TRgb kBandTop(0xE6EAF0), kBandBottom(0xD3DAE3);
constexpr TRgb kFrameSide(0xD3DAE3);
constexpr TRgb kFrameInner(0xAFB8C4);
constexpr TRgb kField(0xFFFFFF), kFieldLine(0xA3ADBA);
constexpr TRgb kAccent(0x3C78C3), kAccentDark(0x2A5A96), kAccentLight(0x8DB2E0);
constexpr TRgb kBtnTop(0xFDFDFE), kBtnBottom(0xE3E7ED), kBtnLine(0x8E9AA8);
constexpr TRgb kHotTop(0xF3F8FE), kHotBottom(0xD8E6F7);
constexpr TRgb kDownTop(0xC2D5EE), kDownBottom(0xD5E2F3);
constexpr TRgb kDisTop(0xF4F5F7), kDisBottom(0xEEF0F3), kDisLine(0xC7CDD4);
constexpr TRgb kSelect(0xDCE8F7);
constexpr TRgb kGlyph(0x3B4450), kGlyphGrey(0x9AA3AE), kWhite(0xFFFFFF);
constexpr TRgb kCloseHot(0xD9453B), kCloseDown(0xA8332B);
constexpr TRgb kTrack(0xE9ECF0), kThumb(0xB7C0CC), kThumbHot(0x8E9AA8), kThumbDown(0x6D8FB8);
constexpr TRgb kGridLine(0xC0C0C0);
constexpr TRgb kMagenta(0xFF00FF);     // transparent parts of thumbs, bars and markers
constexpr TRgb kPanelLine(0xB4BCC7);

constexpr TRect R(int l, int t, int r, int b) { return {l, t, r, b}; }
constexpr TPoint P(int x, int y) { return {x, y}; }
// A rectangle of the same size placed at another spot.
constexpr TRect At(const TRect& r, int x, int y) { return {x, y, x + r.Width(), y + r.Height()}; }
constexpr TRect Offset(const TRect& inner, const TRect& piece) {
  return {piece.Left + inner.Left, piece.Top + inner.Top, piece.Left + inner.Right, piece.Top + inner.Bottom};
}

// ---- the pictures and where everything lies in them ----------------------------------

// The files, in the order of the active pictures.
constexpr const char* kFramePicture = "frame.bmp";
constexpr const char* kFrameMask = "framemask.bmp";
enum TActive { pwPopup = 0, pwMenuItems, pwCaptionButtons, pwControls, pwHint, pwPopupMask, pwHintMask, pwButtonMask };
constexpr const char* kActiveNames[] = {"pw.bmp",   "menuitems.bmp", "capbuttons.bmp", "controls.bmp",
                                        "hint.bmp", "pwmask.bmp",    "hintmask.bmp",   "buttonmask.bmp"};
constexpr int kActiveSizes[][2] = {{69, 55}, {101, 71}, {79, 43}, {398, 407}, {69, 27}, {69, 55}, {69, 27}, {69, 24}};

// The frame: 179 x 134 with a 4, 24, 4, 6 border.
constexpr int kFrameW = 179, kFrameH = 134;
namespace Frame {
constexpr TPoint LeftTop = P(52, 28), RightTop = P(74, 28), LeftBottom = P(5, 125), RightBottom = P(170, 123);
constexpr TRect Client = R(4, 24, 175, 128);
constexpr TRect MaskArea = R(4, 14, 176, 131);
constexpr TPoint HitLeftTop = P(19, 18), HitRightTop = P(158, 19), HitLeftBottom = P(7, 125), HitRightBottom = P(172, 125);
constexpr TRect Buttons = R(99, 7, 164, 15);
constexpr int BorderWidth = 3;
constexpr TRect SysMenu = R(20, 6, 35, 13);
constexpr TRect Caption = R(39, 4, 99, 18);
constexpr TRect CaptionText = R(0, 0, 60, 14);
constexpr int BandBottom = 23;  // last row of the caption band
}  // namespace Frame

// Caption buttons (active picture 2): columns are states, rows are buttons, 16 x 8 each.
namespace CapButtons {
constexpr int W = 16, H = 8;
enum TState { Normal, Active, Down, Inactive };
enum TRow { Close, Maximize, Minimize, RollUp, Restore };
constexpr TRect Cell(int row, int state) { return {state * W, row * H, state * W + W, row * H + H}; }
// The system-menu button's other looks stand in the last column, 15 x 7.
constexpr TRect SysMenuCell(int state) { return {64, state * 8, 79, state * 8 + 7}; }
}  // namespace CapButtons

// The popup window (active picture 0) and its menu items (active picture 1).
namespace Popup {
constexpr TPoint LeftTop = P(27, 12), RightTop = P(59, 15), LeftBottom = P(9, 41), RightBottom = P(41, 43);
constexpr TRect Items = R(6, 11, 64, 45);
constexpr TRect Item = R(7, 32, 63, 50), ItemActive = R(7, 12, 63, 30), Divider = R(5, 51, 65, 56);
constexpr TRect ItemText = R(4, 3, 52, 15);
constexpr int ItemCap = 5, DividerCap = 5;
constexpr TRect BarItem = R(66, 32, 96, 50), BarItemActive = R(66, 12, 96, 30), BarItemDown = R(66, 51, 96, 69);
}  // namespace Popup

// The hint window (active picture 4): 6 pixels of border around the text, 10 below.
namespace Hint {
constexpr TRect Client = R(6, 6, 64, 17);
constexpr TPoint LeftTop = P(6, 6), RightTop = P(64, 6), LeftBottom = P(6, 17), RightBottom = P(64, 17);
}  // namespace Hint

// The controls picture (active picture 3).
namespace Ctl {
// Push button, 69 x 24, cut in three at 17 and 51.
constexpr TRect Button = R(130, 5, 199, 29), ButtonActive = R(130, 31, 199, 55), ButtonDown = R(130, 57, 199, 81),
                ButtonDisabled = R(130, 83, 199, 107);
// Small square button of tool bars and the calendar.
constexpr TRect Resize = R(40, 228, 69, 253), ResizeActive = R(71, 228, 100, 253), ResizeDown = R(102, 228, 131, 253);
constexpr TRect Marker = R(135, 228, 142, 232), MarkerActive = R(135, 234, 142, 238), MarkerDown = R(135, 240, 142, 244);
// Page of the tab control and plain panel share one piece.
constexpr TRect Page = R(1, 146, 96, 225);
constexpr TRect Tab = R(1, 127, 46, 144), TabActive = R(121, 108, 166, 125), TabFocus = R(101, 127, 146, 144),
                TabHot = R(51, 127, 96, 144), TabsBand = R(9, 152, 87, 172);
constexpr TRect GroupBox = R(307, 5, 374, 70);
constexpr TRect Gauge = R(53, 26, 126, 40), GaugeBar = R(4, 26, 31, 38);
constexpr TRect VGauge = R(5, 325, 19, 398), VGaugeBar = R(22, 325, 34, 352);
// Text fields, 68 x 22.
constexpr TRect Edit = R(281, 150, 349, 172), EditFocus = R(281, 175, 349, 197);
constexpr TRect ButtonEdit = R(281, 201, 349, 223), EditButton = R(48, 2, 65, 20);
constexpr TRect EditButtonActive = R(259, 202, 276, 220), EditButtonDown = R(258, 226, 275, 244);
constexpr TRect Combo = R(281, 250, 349, 272), ComboFocus = R(281, 275, 349, 297);
constexpr TRect ComboButtonActive = R(259, 250, 276, 268), ComboButtonDown = R(259, 275, 276, 293);
constexpr TRect Spin = R(281, 300, 349, 322), SpinFocus = R(281, 325, 349, 347);
constexpr TRect SpinUp = R(52, 2, 65, 11), SpinDown = R(52, 11, 65, 20);
constexpr TRect SpinUpActive = R(352, 300, 365, 309), SpinUpDown = R(352, 311, 365, 320),
                SpinDownActive = R(367, 300, 380, 309), SpinDownDown = R(367, 311, 380, 320);
// Boxes of 40 x 40: memo, list box, captioned list box.
constexpr TRect Memo = R(100, 150, 140, 190), MemoFocus = R(142, 150, 182, 190);
constexpr TRect List = R(185, 150, 225, 190), CaptionList = R(230, 150, 270, 190);
constexpr TRect ListItem = R(100, 195, 140, 211), ListItemActive = R(142, 195, 182, 211),
                ListItemFocus = R(185, 195, 225, 211);
// Scroll bars.
constexpr TRect VScroll = R(205, 5, 218, 80);
constexpr TRect VDecrease = R(2, 2, 11, 10), VIncrease = R(2, 65, 11, 73);
constexpr TRect VIncreaseDown = R(241, 60, 250, 68), VDecreaseDown = R(241, 50, 250, 58);
constexpr TRect VIncreaseActive = R(222, 60, 231, 68), VDecreaseActive = R(222, 50, 231, 58);
constexpr TRect VThumb = R(241, 5, 254, 25), VThumbActive = R(241, 27, 254, 47), VThumbDown = R(222, 5, 235, 25);
constexpr TRect HScroll = R(260, 75, 335, 88), BothScroll = R(260, 92, 348, 105);
constexpr TRect HDecrease = R(2, 2, 10, 11), HIncrease = R(65, 2, 73, 11);
constexpr TRect HIncreaseActive = R(340, 75, 348, 84), HIncreaseDown = R(350, 75, 358, 84),
                HDecreaseActive = R(360, 75, 368, 84), HDecreaseDown = R(370, 75, 378, 84);
constexpr TRect HThumb = R(146, 221, 166, 235), HThumbActive = R(168, 221, 188, 235), HThumbDown = R(190, 221, 210, 235);
// Up-down pairs.
constexpr TRect VUpDown = R(378, 5, 393, 27);
constexpr TRect VUpDownActiveUp = R(378, 30, 393, 41), VUpDownDownUp = R(378, 43, 393, 54),
                VUpDownActiveDown = R(378, 56, 393, 67), VUpDownDownDown = R(378, 69, 393, 80);
constexpr TRect HUpDown = R(170, 110, 202, 126);
constexpr TRect HUpDownActiveUp = R(204, 110, 220, 126), HUpDownDownUp = R(222, 110, 238, 126),
                HUpDownActiveDown = R(240, 110, 256, 126), HUpDownDownDown = R(258, 110, 274, 126);
// Grid cells, 27 x 20: header and selected cells share a picture, the focused one below.
constexpr TRect Cell = R(350, 110, 377, 130), CellFocus = R(350, 130, 377, 150);
// Check boxes and radio buttons: a face strip and 13 x 13 marks.
constexpr TRect CheckStrip = R(5, 260, 85, 280), RadioStrip = R(5, 282, 85, 302);
constexpr int MarkRowCheck = 260, MarkRowRadio = 276;
constexpr TRect Mark(int row, int i) { return {100 + 15 * i, row, 113 + 15 * i, row + 13}; }
// Track bars.
constexpr TRect HTrack = R(5, 305, 105, 325), HTrackThumb = R(110, 303, 121, 321), HTrackThumbActive = R(123, 303, 134, 321);
constexpr TRect VTrack = R(376, 160, 396, 260), VTrackThumb = R(350, 160, 368, 171), VTrackThumbActive = R(350, 173, 368, 184);
// Panels and bars.
constexpr TRect StatusPanel = R(140, 300, 180, 320), LabelFace = R(185, 300, 225, 320);
constexpr TRect ToolPanel = R(230, 300, 270, 325), StatusBar = R(230, 330, 270, 352);
constexpr TRect MenuBar = R(40, 330, 100, 350), ControlBar = R(105, 330, 145, 360);
constexpr TRect VSplitter = R(150, 330, 156, 360), HSplitter = R(160, 330, 190, 336);
constexpr TRect VGripper = R(152, 340, 154, 350), HGripper = R(170, 332, 180, 334);
constexpr TRect HRuler = R(5, 365, 105, 371), HSliderThumb = R(110, 362, 121, 374);
constexpr TRect VRuler = R(140, 362, 146, 398), VSliderThumb = R(150, 362, 162, 373);
}  // namespace Ctl

// ---- drawing ---------------------------------------------------------------------------

TImage NewPicture(int w, int h, TRgb fill) {
  TImage img(w, h);
  Fill(img, {0, 0, w, h}, fill);
  return img;
}

TRgb BandAt(int y) { return Mix(kBandTop, kBandBottom, std::clamp(y - 1, 0, 22) * 100 / 22); }

void DrawFrame(TImage& img) {
  for (int y = 0; y <= Frame::BandBottom; ++y) HLine(img, 0, kFrameW, y, BandAt(y));
  Fill(img, {0, Frame::BandBottom + 1, kFrameW, kFrameH}, kFrameSide);
  Fill(img, Frame::Client, kFace);
  Outline(img, {Frame::Client.Left - 1, Frame::Client.Top - 1, Frame::Client.Right + 1, Frame::Client.Bottom + 1}, kFrameInner);
  HLine(img, 1, kFrameW - 1, 1, Mix(kBandTop, kWhite, 60));  // a light edge under the top line
  Outline(img, {0, 0, kFrameW, kFrameH}, kFrameLine);
  // The program's mark on the system-menu button: a small level meter.
  Box(img, Frame::SysMenu, kAccentDark, Mix(kAccent, kWhite, 25), kAccent, BandAt(Frame::SysMenu.Top), 1);
  const int bars[] = {2, 4, 3, 5};
  for (int i = 0; i < 4; ++i)
    VLine(img, Frame::SysMenu.Left + 3 + 3 * i, Frame::SysMenu.Bottom - 1 - bars[i], Frame::SysMenu.Bottom - 1, kWhite);
}

// The frame line follows the cut of the mask: every inside pixel next to an outside one
// takes the line's colour, so the rounded corners keep an unbroken edge.
void EdgeAlongMask(TImage& img, const TImage& mask, TRgb line) {
  const TPixel inside{0, 0, 0};
  auto in = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < mask.Width() && y < mask.Height() && mask.At(x, y) == inside;
  };
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x)
      if (in(x, y) && !(in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1))) Plot(img, x, y, line);
}

void DrawCaptionGlyph(TImage& img, const TRect& cell, int row, TRgb c) {
  const int cx = cell.Left + 8, top = cell.Top + 1;
  switch (row) {
    case CapButtons::Close: CrossGlyph(img, {cx - 3, top, cx + 3, top + 6}, c); break;
    case CapButtons::Maximize: Outline(img, {cx - 4, top, cx + 4, top + 6}, c); HLine(img, cx - 4, cx + 4, top + 1, c); break;
    case CapButtons::Restore:
      // The window behind shows only its top and right edges.
      HLine(img, cx - 2, cx + 4, top, c);
      VLine(img, cx - 2, top, top + 2, c);
      VLine(img, cx + 3, top, top + 4, c);
      HLine(img, cx + 2, cx + 4, top + 3, c);
      Outline(img, {cx - 4, top + 2, cx + 2, top + 6}, c);
      break;
    case CapButtons::Minimize: HLine(img, cx - 4, cx + 4, top + 4, c); HLine(img, cx - 4, cx + 4, top + 5, c); break;
    case CapButtons::RollUp: Arrow(img, {cx - 4, top, cx + 4, top + 6}, TArrow::Up, 4, c); break;
  }
}

void DrawCaptionButtons(TImage& img) {
  // Each cell repeats the caption band behind it, so the buttons sit on the frame seamlessly.
  for (int y = 0; y < img.Height(); ++y) HLine(img, 0, img.Width(), y, BandAt(Frame::Buttons.Top + y % CapButtons::H));
  for (int row = CapButtons::Close; row <= CapButtons::Restore; ++row) {
    const bool close = row == CapButtons::Close;
    for (int state = CapButtons::Normal; state <= CapButtons::Inactive; ++state) {
      const TRect cell = row == CapButtons::Restore ? CapButtons::Cell(CapButtons::Restore, state) : CapButtons::Cell(row, state);
      TRgb glyph = kGlyph;
      if (state == CapButtons::Active) {
        Box(img, cell, close ? kCloseHot : kAccentLight, close ? kCloseHot : kHotTop, close ? kCloseHot : kHotBottom, BandAt(Frame::Buttons.Top), 1);
        if (close) glyph = kWhite;
      } else if (state == CapButtons::Down) {
        Box(img, cell, close ? kCloseDown : kAccent, close ? kCloseDown : kDownTop, close ? kCloseDown : kDownBottom, BandAt(Frame::Buttons.Top), 1);
        glyph = close ? kWhite : kAccentDark;
      } else if (state == CapButtons::Inactive) {
        glyph = kGlyphGrey;
      }
      DrawCaptionGlyph(img, cell, row, glyph);
    }
  }
  const TRgb looks[3][2] = {{Mix(kAccent, kWhite, 45), Mix(kAccent, kWhite, 15)}, {kAccentDark, kAccentDark}, {kGlyphGrey, kGlyphGrey}};
  for (int state = 0; state < 3; ++state) {
    const TRect cell = CapButtons::SysMenuCell(state);
    Box(img, cell, state == 2 ? kGlyphGrey : kAccentDark, looks[state][0], looks[state][1], BandAt(Frame::SysMenu.Top), 1);
    const int bars[] = {2, 4, 3, 5};
    for (int i = 0; i < 4; ++i) VLine(img, cell.Left + 3 + 3 * i, cell.Bottom - 1 - bars[i], cell.Bottom - 1, kWhite);
  }
}

void DrawPopup(TImage& img) {
  Box(img, {0, 0, img.Width(), img.Height()}, kFieldLine, kField, kField, kField, 2);
}

void DrawMenuItems(TImage& img) {
  Box(img, Popup::ItemActive, kAccentLight, kSelect, kSelect, kField, 1);
  HLine(img, Popup::Divider.Left, Popup::Divider.Right, Popup::Divider.Top + 2, Mix(kFieldLine, kWhite, 45));
  Fill(img, Popup::BarItem, kFace);
  Box(img, Popup::BarItemActive, kAccentLight, kHotTop, kHotBottom, kFace, 1);
  Box(img, Popup::BarItemDown, kAccent, kDownTop, kDownBottom, kFace, 1);
}

void DrawHint(TImage& img) {
  Box(img, {0, 0, img.Width(), img.Height()}, kBtnLine, kField, Mix(kField, kFace, 60), kField, 2);
}

void DrawButton(TImage& img, const TRect& r, TRgb line, TRgb top, TRgb bottom, int radius = 2) {
  Box(img, r, line, top, bottom, kFace, radius);
}

void DrawField(TImage& img, const TRect& r, TRgb line) {
  Box(img, r, line, kField, kField, kFace, 1);
}

void DrawDots(TImage& img, const TRect& r, TRgb c) {
  const int cy = r.Top + r.Height() / 2, cx = r.Left + r.Width() / 2;
  for (int i = -1; i <= 1; ++i) Fill(img, {cx + 3 * i - 1, cy, cx + 3 * i + 1, cy + 2}, c);
}

void DrawRadio(TImage& img, const TRect& r, TRgb line, TRgb fill, bool dot, TRgb dotColor) {
  const double c = 6.0, radius = 6.0;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) {
      const double d = std::hypot(x - c, y - c);
      if (d <= radius - 1.0) Plot(img, r.Left + x, r.Top + y, fill);
      else if (d <= radius + 0.3) Plot(img, r.Left + x, r.Top + y, line);
      if (dot && d <= 2.6) Plot(img, r.Left + x, r.Top + y, dotColor);
    }
}

void DrawThumb(TImage& img, const TRect& r, bool vertical, TRgb fill) {
  Fill(img, r, kMagenta);
  const TRect body = vertical ? TRect{r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom - 1}
                              : TRect{r.Left + 1, r.Top + 2, r.Right - 1, r.Bottom - 3};
  Box(img, body, fill, fill, fill, kMagenta, 1);
}

void DrawControls(TImage& img) {
  using namespace Ctl;
  // Push button: normal, hot, pressed, disabled.
  DrawButton(img, Button, kBtnLine, kBtnTop, kBtnBottom);
  DrawButton(img, ButtonActive, kAccent, kHotTop, kHotBottom);
  DrawButton(img, ButtonDown, kAccentDark, kDownTop, kDownBottom);
  DrawButton(img, ButtonDisabled, kDisLine, kDisTop, kDisBottom);
  DrawButton(img, Resize, kBtnLine, kBtnTop, kBtnBottom, 1);
  DrawButton(img, ResizeActive, kAccent, kHotTop, kHotBottom, 1);
  DrawButton(img, ResizeDown, kAccentDark, kDownTop, kDownBottom, 1);
  for (const auto& [r, c] : {std::pair{Marker, kGlyph}, std::pair{MarkerActive, kAccent}, std::pair{MarkerDown, kAccentDark}}) {
    Fill(img, r, kMagenta);
    Arrow(img, r, TArrow::Down, 4, c);
  }

  // Tab page and plain panel: a two-pixel edge, light inside the dark line.
  Fill(img, Page, kFace);
  Outline(img, Page, kPanelLine);
  Outline(img, {Page.Left + 1, Page.Top + 1, Page.Right - 1, Page.Bottom - 1}, kWhite);
  // Tabs: the selected one opens into the page, an accent line marks it.
  auto tab = [&](const TRect& r, TRgb top, TRgb bottom, TRgb line, TRgb accent) {
    Box(img, {r.Left, r.Top, r.Right, r.Bottom + 1}, line, top, bottom, kFace, 1);
    if (accent.R || accent.G || accent.B) {
      HLine(img, r.Left + 1, r.Right - 1, r.Top, accent);
      HLine(img, r.Left + 1, r.Right - 1, r.Top + 1, accent);
    }
  };
  tab(Tab, Mix(kBtnBottom, kWhite, 30), kBtnBottom, kPanelLine, TRgb());
  HLine(img, Tab.Left, Tab.Right, Tab.Bottom - 1, kPanelLine);
  tab(TabHot, kHotTop, kHotBottom, kAccentLight, TRgb());
  HLine(img, TabHot.Left, TabHot.Right, TabHot.Bottom - 1, kPanelLine);
  tab(TabActive, kFace, kFace, kPanelLine, kAccentLight);
  Fill(img, {TabActive.Left + 1, TabActive.Bottom - 1, TabActive.Right - 1, TabActive.Bottom}, kFace);
  tab(TabFocus, kWhite, kFace, kAccent, kAccent);
  Fill(img, {TabFocus.Left + 1, TabFocus.Bottom - 1, TabFocus.Right - 1, TabFocus.Bottom}, kFace);

  // Group box: a card with a header band for its caption.
  Box(img, GroupBox, kPanelLine, kCard, kCard, kFace, 1);
  VGradient(img, {GroupBox.Left + 1, GroupBox.Top + 1, GroupBox.Right - 1, GroupBox.Top + 19}, Mix(kBtnBottom, kWhite, 40), kBtnBottom);
  HLine(img, GroupBox.Left + 1, GroupBox.Right - 1, GroupBox.Top + 19, kPanelLine);

  // Gauges: a white trough and a blue bar whose rounded ends are transparent.
  Box(img, Gauge, kFieldLine, kField, Mix(kField, kFace, 70), kFace, 1);
  Box(img, VGauge, kFieldLine, kField, Mix(kField, kFace, 70), kFace, 1);
  Fill(img, GaugeBar, kMagenta);
  Box(img, GaugeBar, kAccentDark, Mix(kAccent, kWhite, 35), kAccent, kMagenta, 1);
  Fill(img, VGaugeBar, kMagenta);
  Box(img, VGaugeBar, kAccentDark, Mix(kAccent, kWhite, 35), kAccent, kMagenta, 1);

  // Text fields; the focused look takes the accent line.
  DrawField(img, Edit, kFieldLine);
  DrawField(img, EditFocus, kAccent);
  DrawField(img, ButtonEdit, kFieldLine);
  const TRect editButton = Offset(EditButton, ButtonEdit);
  DrawButton(img, editButton, kBtnLine, kBtnTop, kBtnBottom, 1);
  DrawDots(img, editButton, kGlyph);
  DrawButton(img, EditButtonActive, kAccent, kHotTop, kHotBottom, 1);
  DrawDots(img, EditButtonActive, kAccent);
  DrawButton(img, EditButtonDown, kAccentDark, kDownTop, kDownBottom, 1);
  DrawDots(img, EditButtonDown, kAccentDark);
  for (const TRect& field : {Combo, ComboFocus}) {
    DrawField(img, field, field == Combo ? kFieldLine : kAccent);
    const TRect b = Offset(EditButton, field);
    DrawButton(img, b, kBtnLine, kBtnTop, kBtnBottom, 1);
    Arrow(img, b, TArrow::Down, 4, kGlyph);
  }
  DrawButton(img, ComboButtonActive, kAccent, kHotTop, kHotBottom, 1);
  Arrow(img, ComboButtonActive, TArrow::Down, 4, kAccent);
  DrawButton(img, ComboButtonDown, kAccentDark, kDownTop, kDownBottom, 1);
  Arrow(img, ComboButtonDown, TArrow::Down, 4, kAccentDark);
  for (const TRect& field : {Spin, SpinFocus}) {
    DrawField(img, field, field == Spin ? kFieldLine : kAccent);
    for (const auto& [part, dir] : {std::pair{SpinUp, TArrow::Up}, std::pair{SpinDown, TArrow::Down}}) {
      const TRect b = Offset(part, field);
      DrawButton(img, b, kBtnLine, kBtnTop, kBtnBottom, 0);
      Arrow(img, b, dir, 3, kGlyph);
    }
  }
  for (const auto& [r, dir, hot] : {std::tuple{SpinUpActive, TArrow::Up, true}, std::tuple{SpinUpDown, TArrow::Up, false},
                                    std::tuple{SpinDownActive, TArrow::Down, true}, std::tuple{SpinDownDown, TArrow::Down, false}}) {
    if (hot) DrawButton(img, r, kAccent, kHotTop, kHotBottom, 0);
    else DrawButton(img, r, kAccentDark, kDownTop, kDownBottom, 0);
    Arrow(img, r, dir, 3, hot ? kAccent : kAccentDark);
  }

  // Memo and list boxes.
  DrawField(img, Memo, kFieldLine);
  DrawField(img, MemoFocus, kAccent);
  DrawField(img, List, kFieldLine);
  DrawField(img, CaptionList, kFieldLine);
  VGradient(img, {CaptionList.Left + 1, CaptionList.Top + 1, CaptionList.Right - 1, CaptionList.Top + 18}, Mix(kBtnBottom, kWhite, 40), kBtnBottom);
  HLine(img, CaptionList.Left + 1, CaptionList.Right - 1, CaptionList.Top + 18, kPanelLine);
  Fill(img, ListItem, kField);
  Fill(img, ListItemActive, kSelect);
  Box(img, ListItemFocus, kAccent, kSelect, kSelect, kField, 0);

  // Scroll bars: a quiet track, arrows drawn flat, thumbs on transparent edges.
  auto track = [&](const TRect& r, bool vertical) {
    Fill(img, r, kTrack);
    if (vertical) VLine(img, r.Left, r.Top, r.Bottom, Mix(kTrack, kPanelLine, 50));
    else HLine(img, r.Left, r.Right, r.Top, Mix(kTrack, kPanelLine, 50));
  };
  track(VScroll, true);
  Arrow(img, Offset(VDecrease, VScroll), TArrow::Up, 3, kGlyph);
  Arrow(img, Offset(VIncrease, VScroll), TArrow::Down, 3, kGlyph);
  for (const auto& [r, dir, hot] : {std::tuple{VIncreaseActive, TArrow::Down, true}, std::tuple{VIncreaseDown, TArrow::Down, false},
                                    std::tuple{VDecreaseActive, TArrow::Up, true}, std::tuple{VDecreaseDown, TArrow::Up, false},
                                    std::tuple{HIncreaseActive, TArrow::Right, true}, std::tuple{HIncreaseDown, TArrow::Right, false},
                                    std::tuple{HDecreaseActive, TArrow::Left, true}, std::tuple{HDecreaseDown, TArrow::Left, false}}) {
    Box(img, r, hot ? kAccentLight : kAccent, hot ? kHotTop : kDownTop, hot ? kHotBottom : kDownBottom, kTrack, 1);
    Arrow(img, r, dir, 3, hot ? kAccent : kAccentDark);
  }
  DrawThumb(img, VThumb, true, kThumb);
  DrawThumb(img, VThumbActive, true, kThumbHot);
  DrawThumb(img, VThumbDown, true, kThumbDown);
  for (const TRect& bar : {HScroll, BothScroll}) {
    track(bar, false);
    Arrow(img, Offset(HDecrease, bar), TArrow::Left, 3, kGlyph);
    Arrow(img, Offset(HIncrease, bar), TArrow::Right, 3, kGlyph);
  }
  // The corner where both bars meet carries a size grip.
  Fill(img, {BothScroll.Left + 75, BothScroll.Top, BothScroll.Right, BothScroll.Bottom}, kFace);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j <= i; ++j)
      Fill(img, {BothScroll.Right - 3 - 3 * j, BothScroll.Bottom - 3 - 3 * (2 - i), BothScroll.Right - 1 - 3 * j,
                 BothScroll.Bottom - 1 - 3 * (2 - i)}, kThumbHot);
  DrawThumb(img, HThumb, false, kThumb);
  DrawThumb(img, HThumbActive, false, kThumbHot);
  DrawThumb(img, HThumbDown, false, kThumbDown);

  // Up-down pairs.
  auto pair = [&](const TRect& piece, const TRect& up, TArrow upDir, const TRect& down, TArrow downDir) {
    for (const auto& [part, dir] : {std::pair{up, upDir}, std::pair{down, downDir}}) {
      const TRect b = Offset(part, piece);
      DrawButton(img, b, kBtnLine, kBtnTop, kBtnBottom, 1);
      Arrow(img, b, dir, 3, kGlyph);
    }
  };
  pair(VUpDown, R(0, 0, 15, 11), TArrow::Up, R(0, 11, 15, 22), TArrow::Down);
  pair(HUpDown, R(16, 0, 32, 16), TArrow::Right, R(0, 0, 16, 16), TArrow::Left);
  for (const auto& [r, dir, hot] : {std::tuple{VUpDownActiveUp, TArrow::Up, true}, std::tuple{VUpDownDownUp, TArrow::Up, false},
                                    std::tuple{VUpDownActiveDown, TArrow::Down, true}, std::tuple{VUpDownDownDown, TArrow::Down, false},
                                    std::tuple{HUpDownActiveUp, TArrow::Right, true}, std::tuple{HUpDownDownUp, TArrow::Right, false},
                                    std::tuple{HUpDownActiveDown, TArrow::Left, true}, std::tuple{HUpDownDownDown, TArrow::Left, false}}) {
    if (hot) DrawButton(img, r, kAccent, kHotTop, kHotBottom, 1);
    else DrawButton(img, r, kAccentDark, kDownTop, kDownBottom, 1);
    Arrow(img, r, dir, 3, hot ? kAccent : kAccentDark);
  }

  // Grid cells: the header look with a line right and below, the focused cell in the accent.
  VGradient(img, Cell, Mix(kBtnBottom, kWhite, 50), kBtnBottom);
  VLine(img, Cell.Right - 1, Cell.Top, Cell.Bottom, kGridLine);
  HLine(img, Cell.Left, Cell.Right, Cell.Bottom - 1, kGridLine);
  Box(img, CellFocus, kAccent, kSelect, kSelect, kSelect, 0);

  // Check boxes and radio buttons: checked, unchecked, hot checked, hot unchecked, disabled.
  Fill(img, CheckStrip, kFace);
  Fill(img, RadioStrip, kFace);
  const struct { TRgb Line, Fill, Mark; bool On; } marks[6] = {
      {kFieldLine, kField, kAccent, true}, {kFieldLine, kField, kAccent, false}, {kAccent, kHotTop, kAccent, true},
      {kAccent, kHotTop, kAccent, false},  {kDisLine, kDisTop, kGlyphGrey, true}, {kDisLine, kDisTop, kGlyphGrey, false}};
  for (int i = 0; i < 6; ++i) {
    const TRect box = Mark(MarkRowCheck, i);
    Box(img, box, marks[i].Line, marks[i].Fill, marks[i].Fill, kFace, 1);
    if (marks[i].On) CheckMark(img, box, marks[i].Mark);
    DrawRadio(img, Mark(MarkRowRadio, i), marks[i].Line, marks[i].Fill, marks[i].On, marks[i].Mark);
  }

  // Track bars: a groove and a thumb on transparent corners.
  Fill(img, HTrack, kFace);
  Box(img, {HTrack.Left + 4, HTrack.Top + 8, HTrack.Right - 4, HTrack.Top + 12}, kFieldLine, kTrack, kTrack, kFace, 1);
  Fill(img, VTrack, kFace);
  Box(img, {VTrack.Left + 8, VTrack.Top + 4, VTrack.Left + 12, VTrack.Bottom - 4}, kFieldLine, kTrack, kTrack, kFace, 1);
  for (const auto& [r, hot] : {std::pair{HTrackThumb, false}, std::pair{HTrackThumbActive, true},
                               std::pair{VTrackThumb, false}, std::pair{VTrackThumbActive, true}}) {
    Fill(img, r, kMagenta);
    Box(img, r, hot ? kAccent : kBtnLine, hot ? kHotTop : kBtnTop, hot ? kHotBottom : kBtnBottom, kMagenta, 1);
  }
  Fill(img, HRuler, kFace);
  HLine(img, HRuler.Left, HRuler.Right, HRuler.Top + 2, kFieldLine);
  Fill(img, VRuler, kFace);
  VLine(img, VRuler.Left + 2, VRuler.Top, VRuler.Bottom, kFieldLine);
  DrawButton(img, HSliderThumb, kBtnLine, kBtnTop, kBtnBottom, 1);
  DrawButton(img, VSliderThumb, kBtnLine, kBtnTop, kBtnBottom, 1);

  // Panels and bars.
  Fill(img, StatusPanel, kFace);
  Outline(img, StatusPanel, kPanelLine);
  Fill(img, LabelFace, kFace);
  Fill(img, ToolPanel, kFace);
  HLine(img, ToolPanel.Left, ToolPanel.Right, ToolPanel.Bottom - 1, kPanelLine);
  Fill(img, StatusBar, kFace);
  HLine(img, StatusBar.Left, StatusBar.Right, StatusBar.Top, kPanelLine);
  HLine(img, StatusBar.Left, StatusBar.Right, StatusBar.Top + 1, kWhite);
  Fill(img, MenuBar, kFace);
  HLine(img, MenuBar.Left, MenuBar.Right, MenuBar.Bottom - 1, kPanelLine);
  Fill(img, ControlBar, kFace);
  Outline(img, ControlBar, kPanelLine);
  Fill(img, VSplitter, kFace);
  Fill(img, HSplitter, kFace);
  for (int y = VGripper.Top; y < VGripper.Bottom; y += 2) Plot(img, VGripper.Left, y, kThumbHot);
  for (int x = HGripper.Left; x < HGripper.Right; x += 2) Plot(img, x, HGripper.Top, kThumbHot);
}

// ---- the description -------------------------------------------------------------------

template <class D, class List>
D& AddObject(List& list, const char* name, const char* kind) {
  auto d = std::make_unique<D>(name);
  d->KindWord = kind;
  D& ref = *d;
  list.push_back(std::move(d));
  return ref;
}

void SetFont(bs::TbsFontGroup& f, int height, bool bold, TRgb color) {
  f.FontName = "Arial";
  f.FontHeight = height;
  f.FontStyle = {};
  f.FontStyle.Bold = bold;
  f.FontColor = color.Color();
}

void Points(bs::TbsDataSkinCustomControl& c, TPoint lt, TPoint rt, TPoint lb, TPoint rb, TRect client) {
  c.Corners = {lt, rt, lb, rb, client};
}

void DescribeFrame(bs::TbsSkinDataCore& d) {
  d.SkinName = "Spinvolt";
  d.SkinAuthor = "Spinvolt";
  d.SkinComments = "The program's own skin: calm light slate with a blue accent.";
  d.PictureName = kFramePicture;
  d.InactivePictureName.clear();
  d.MaskPictureName = kFrameMask;
  d.ActivePictureNames.assign(std::begin(kActiveNames), std::end(kActiveNames));

  bs::TbsFormInfo& f = d.FormInfo;
  f.Corners = {Frame::LeftTop, Frame::RightTop, Frame::LeftBottom, Frame::RightBottom, Frame::Client};
  f.MaskRectArea = Frame::MaskArea;
  f.HitTestLeftTopPoint = Frame::HitLeftTop, f.HitTestRightTopPoint = Frame::HitRightTop;
  f.HitTestLeftBottomPoint = Frame::HitLeftBottom, f.HitTestRightBottomPoint = Frame::HitRightBottom;
  f.ButtonsRect = Frame::Buttons;
  f.CaptionRect = {};
  f.BorderWidth = Frame::BorderWidth;
  f.InActiveEffect = bs::TbsInactiveEffect::Grayscale;

  bs::TbsDataSkinPopupWindow& p = d.PopupWindow;
  p.WindowPictureIndex = pwPopup, p.MaskPictureIndex = pwPopupMask;
  p.Corners = {Popup::LeftTop, Popup::RightTop, Popup::LeftBottom, Popup::RightBottom, Popup::Items};
  p.ScrollMarkerColor = kTextGrey.Color(), p.ScrollMarkerActiveColor = kText.Color();

  bs::TbsDataSkinHintWindow& h = d.HintWindow;
  h.WindowPictureIndex = pwHint, h.MaskPictureIndex = pwHintMask;
  h.Corners = {Hint::LeftTop, Hint::RightTop, Hint::LeftBottom, Hint::RightBottom, Hint::Client};
  h.FontColor = kText.Color();

  bs::TbsSkinColors& c = d.SkinColors;
  c.cBtnFace = kFace.Color(), c.cBtnText = kText.Color(), c.cWindow = kField.Color(), c.cWindowText = kText.Color();
  c.cHighLight = kAccent.Color(), c.cHighLightText = kWhite.Color(), c.cBtnHighLight = kWhite.Color();
  c.cBtnShadow = kTextGrey.Color();
}

void DescribeObjects(bs::TbsSkinDataCore& d) {
  auto& list = d.SkinObjects;
  auto& item = AddObject<bs::TbsDataSkinMenuItem>(list, "MENUITEM", "menuitem");
  item.ActivePictureIndex = pwMenuItems;
  item.SkinRectInAPicture = true;
  item.SkinRect = Popup::Item, item.ActiveSkinRect = Popup::ItemActive;
  item.ItemLeftOffset = item.ItemRightOffset = Popup::ItemCap;
  item.DividerRect = Popup::Divider;
  item.DividerLeftOffset = item.DividerRightOffset = Popup::DividerCap;
  item.TextRect = Popup::ItemText;
  item.FontColor = kText.Color(), item.ActiveFontColor = kText.Color(), item.UnEnabledFontColor = kTextGrey.Color();

  auto& caption = AddObject<bs::TbsDataSkinCaption>(list, "caption1", "caption");
  caption.SkinRect = Frame::Caption;
  caption.TextRect = Frame::CaptionText;
  caption.FontStyle.Bold = true;
  caption.FontColor = kTextGrey.Color(), caption.ActiveFontColor = kText.Color();
  caption.Alignment = bs::TAlignment::taLeftJustify;

  struct TButton { const char* Name; const char* Hint; bs::TbsStdCommand Command; int Row; };
  const TButton buttons[] = {{"closebutton", "Close", bs::TbsStdCommand::cmClose, CapButtons::Close},
                             {"maxbutton", "Maximize", bs::TbsStdCommand::cmMaximize, CapButtons::Maximize},
                             {"minbutton", "Minimize", bs::TbsStdCommand::cmMinimize, CapButtons::Minimize},
                             {"rollupbutton", "RollUp", bs::TbsStdCommand::cmRollUp, CapButtons::RollUp}};
  for (const TButton& b : buttons) {
    auto& o = AddObject<bs::TbsDataSkinStdButton>(list, b.Name, "stdbutton");
    o.Hint = b.Hint;
    o.ActivePictureIndex = pwCaptionButtons;
    o.SkinRectInAPicture = true;
    o.SkinRect = CapButtons::Cell(b.Row, CapButtons::Normal);
    o.ActiveSkinRect = CapButtons::Cell(b.Row, CapButtons::Active);
    o.DownRect = CapButtons::Cell(b.Row, CapButtons::Down);
    o.InActiveSkinRect = CapButtons::Cell(b.Row, CapButtons::Inactive);
    o.Command = b.Command;
    if (b.Command == bs::TbsStdCommand::cmMaximize) {
      o.RestoreRect = CapButtons::Cell(CapButtons::Restore, CapButtons::Normal);
      o.RestoreActiveRect = CapButtons::Cell(CapButtons::Restore, CapButtons::Active);
      o.RestoreDownRect = CapButtons::Cell(CapButtons::Restore, CapButtons::Down);
      o.RestoreInActiveRect = CapButtons::Cell(CapButtons::Restore, CapButtons::Inactive);
    }
  }
  auto& sys = AddObject<bs::TbsDataSkinStdButton>(list, "sysmenubutton", "stdbutton");
  sys.Hint = "System menu";
  sys.ActivePictureIndex = pwCaptionButtons;
  sys.SkinRect = Frame::SysMenu;
  sys.ActiveSkinRect = CapButtons::SysMenuCell(0);
  sys.DownRect = CapButtons::SysMenuCell(1);
  sys.InActiveSkinRect = CapButtons::SysMenuCell(2);
  sys.Command = bs::TbsStdCommand::cmSysMenu;

  auto& barItem = AddObject<bs::TbsDataSkinMainMenuBarItem>(list, "mainmenubaritem", "mainmenubaritem");
  barItem.ActivePictureIndex = pwMenuItems;
  barItem.SkinRectInAPicture = true;
  barItem.SkinRect = Popup::BarItem, barItem.ActiveSkinRect = Popup::BarItemActive, barItem.DownRect = Popup::BarItemDown;
  barItem.ItemLeftOffset = barItem.ItemRightOffset = Popup::ItemCap;
  barItem.TextRect = R(4, 2, 26, 16);
  barItem.FontColor = barItem.ActiveFontColor = barItem.DownFontColor = kText.Color();
  barItem.UnEnabledFontColor = kTextGrey.Color();

  const TButton barButtons[] = {{"menubarsysmenubutton", "System menu", bs::TbsStdCommand::cmSysMenu, -1},
                                {"menubarclosebutton", "Close", bs::TbsStdCommand::cmClose, CapButtons::Close},
                                {"menubarmaxbutton", "Maximize", bs::TbsStdCommand::cmMaximize, CapButtons::Maximize},
                                {"menubarminbutton", "Minimize", bs::TbsStdCommand::cmMinimize, CapButtons::Minimize}};
  for (const TButton& b : barButtons) {
    auto& o = AddObject<bs::TbsDataSkinMainMenuBarButton>(list, b.Name, "mainmenubarbutton");
    o.Hint = b.Hint;
    o.ActivePictureIndex = pwCaptionButtons;
    o.SkinRectInAPicture = true;
    o.Command = b.Command;
    if (b.Row < 0) {
      o.SkinRect = CapButtons::SysMenuCell(0), o.ActiveSkinRect = CapButtons::SysMenuCell(0);
      o.DownRect = CapButtons::SysMenuCell(1), o.InActiveSkinRect = CapButtons::SysMenuCell(2);
    } else {
      o.SkinRect = CapButtons::Cell(b.Row, CapButtons::Normal), o.ActiveSkinRect = CapButtons::Cell(b.Row, CapButtons::Active);
      o.DownRect = CapButtons::Cell(b.Row, CapButtons::Down), o.InActiveSkinRect = CapButtons::Cell(b.Row, CapButtons::Inactive);
    }
    if (b.Command == bs::TbsStdCommand::cmMaximize) {
      o.RestoreRect = CapButtons::Cell(CapButtons::Restore, CapButtons::Normal);
      o.RestoreActiveRect = CapButtons::Cell(CapButtons::Restore, CapButtons::Active);
      o.RestoreDownRect = CapButtons::Cell(CapButtons::Restore, CapButtons::Down);
      o.RestoreInActiveRect = CapButtons::Cell(CapButtons::Restore, CapButtons::Inactive);
    }
  }
}

template <class D>
D& Control(bs::TbsSkinDataCore& d, const char* name, const char* kind, const TRect& skinRect, int picture = pwControls) {
  D& c = AddObject<D>(d.SkinControls, name, kind);
  c.PictureIndex = picture;
  c.SkinRect = skinRect;
  return c;
}

void DescribeButton(bs::TbsDataSkinButtonControl& b, bool large) {
  using namespace Ctl;
  if (large) {
    Points(b, P(17, 9), P(51, 9), P(0, 0), P(0, 0), R(6, 5, 63, 19));
    b.ActiveSkinRect = ButtonActive, b.DownSkinRect = ButtonDown, b.DisabledSkinRect = ButtonDisabled;
    b.ShowFocus = true;
    // The push button is the one control shaped by a mask.
    b.MaskPictureIndex = pwButtonMask;
  } else {
    Points(b, P(8, 10), P(22, 5), P(5, 19), P(21, 17), R(4, 3, 25, 22));
    b.ActiveSkinRect = ResizeActive, b.DownSkinRect = ResizeDown, b.DisabledSkinRect = {};
  }
  SetFont(b, 14, false, kText);
  b.ActiveFontColor = b.DownFontColor = kText.Color();
  b.DisabledFontColor = kTextGrey.Color();
  b.MenuMarkerFlatRect = Marker, b.MenuMarkerRect = Marker, b.MenuMarkerActiveRect = MarkerActive,
  b.MenuMarkerDownRect = MarkerDown;
  b.MenuMarkerTransparentColor = kMagenta.Color();
}

void DescribeEdit(bs::TbsDataSkinEditControl& e, bool withButton) {
  using namespace Ctl;
  Points(e, P(15, 8), P(45, 11), P(0, 0), P(0, 0), withButton ? R(7, 4, 47, 18) : R(5, 4, 63, 18));
  SetFont(e, 14, false, kText);
  e.ActiveFontColor = kText.Color(), e.DisabledFontColor = kTextGrey.Color();
  if (withButton) {
    e.ButtonRect = EditButton, e.ActiveButtonRect = EditButtonActive, e.DownButtonRect = EditButtonDown;
  } else {
    e.ActiveSkinRect = EditFocus;
  }
}

void DescribeCombo(bs::TbsDataSkinComboBox& c) {
  using namespace Ctl;
  Points(c, P(15, 8), P(45, 11), P(0, 0), P(0, 0), R(5, 4, 47, 18));
  SetFont(c, 14, false, kText);
  c.ActiveSkinRect = ComboFocus;
  c.ItemRect = ListItem, c.ActiveItemRect = ListItemActive, c.FocusItemRect = ListItemFocus;
  c.ItemLeftOffset = c.ItemRightOffset = 5;
  c.ItemTextRect = R(4, 1, 36, 15);
  c.FocusFontColor = c.ActiveFontColor = kText.Color();
  c.ListBoxName = "listbox";
  c.ButtonRect = EditButton, c.ActiveButtonRect = ComboButtonActive, c.DownButtonRect = ComboButtonDown;
}

void DescribeSpin(bs::TbsDataSkinSpinEditControl& s) {
  using namespace Ctl;
  Points(s, P(15, 8), P(45, 11), P(0, 0), P(0, 0), R(5, 4, 50, 18));
  SetFont(s, 14, false, kText);
  s.ActiveSkinRect = SpinFocus;
  s.ActiveFontColor = kText.Color(), s.DisabledFontColor = kTextGrey.Color();
  s.UpButtonRect = SpinUp, s.ActiveUpButtonRect = SpinUpActive, s.DownUpButtonRect = SpinUpDown;
  s.DownButtonRect = SpinDown, s.ActiveDownButtonRect = SpinDownActive, s.DownDownButtonRect = SpinDownDown;
}

void DescribeList(bs::TbsDataSkinListBox& l, bool caption) {
  using namespace Ctl;
  if (caption) Points(l, P(5, 22), P(35, 22), P(5, 35), P(35, 35), R(2, 19, 38, 38));
  else Points(l, P(5, 5), P(35, 5), P(5, 35), P(35, 35), R(2, 2, 38, 38));
  l.ItemRect = ListItem, l.ActiveItemRect = ListItemActive, l.FocusItemRect = ListItemFocus;
  l.ItemLeftOffset = l.ItemRightOffset = 5;
  l.ItemTextRect = R(4, 1, 36, 15);
  SetFont(l, 14, false, kText);
  l.ActiveFontColor = l.FocusFontColor = kText.Color();
  if (caption) {
    l.CaptionRect = R(4, 2, 36, 17);
    SetFont(l.Caption, 14, true, kText);
  }
}

void DescribeGauge(bs::TbsDataSkinGaugeControl& g, bool vertical) {
  using namespace Ctl;
  if (vertical) {
    Points(g, P(4, 10), P(0, 0), P(4, 63), P(0, 0), R(1, 1, 13, 72));
    g.ProgressArea = R(1, 1, 13, 72), g.ProgressRect = VGaugeBar, g.Vertical = true;
  } else {
    Points(g, P(6, 4), P(67, 4), P(0, 0), P(0, 0), R(1, 1, 72, 13));
    g.ProgressArea = R(1, 1, 72, 13), g.ProgressRect = GaugeBar;
  }
  g.BeginOffset = g.EndOffset = 10;
  SetFont(g, 14, false, kText);
  g.ProgressTransparent = true;
  g.ProgressTransparentColor = kMagenta.Color();
}

void DescribePanel(bs::TbsDataSkinPanelControl& p, const TRect& piece) {
  using namespace Ctl;
  SetFont(p, 14, false, kText);
  if (piece == GroupBox) {
    Points(p, P(15, 20), P(52, 20), P(6, 62), P(62, 62), R(2, 20, 65, 63));
    p.CaptionRect = R(12, 3, 55, 13);
  } else if (piece == Page) {
    Points(p, P(4, 4), P(89, 3), P(2, 76), P(90, 75), R(2, 2, 93, 77));
    p.FontHeight = 12;
  } else if (piece == StatusBar) {
    Points(p, P(5, 5), P(35, 5), P(5, 17), P(35, 17), R(2, 3, 38, 20));
  } else {
    Points(p, P(5, 5), P(35, 5), P(5, 20), P(35, 20), R(2, 2, 38, 23));
  }
}

void DescribeScroll(bs::TbsDataSkinScrollBarControl& s, int kind) {
  using namespace Ctl;
  if (kind == 0) {
    Points(s, P(6, 22), P(0, 0), P(5, 54), P(0, 0), R(0, 12, 13, 63));
    s.TrackArea = R(0, 12, 13, 63);
    s.UpButtonRect = VIncrease, s.ActiveUpButtonRect = VIncreaseActive, s.DownUpButtonRect = VIncreaseDown;
    s.DownButtonRect = VDecrease, s.ActiveDownButtonRect = VDecreaseActive, s.DownDownButtonRect = VDecreaseDown;
    s.ThumbRect = VThumb, s.ActiveThumbRect = VThumbActive, s.DownThumbRect = VThumbDown;
  } else {
    Points(s, P(22, 6), P(54, 5), P(0, 0), P(0, 0), R(12, 0, 63, 13));
    s.TrackArea = R(12, 0, 63, 13);
    s.UpButtonRect = HIncrease, s.ActiveUpButtonRect = HIncreaseActive, s.DownUpButtonRect = HIncreaseDown;
    s.DownButtonRect = HDecrease, s.ActiveDownButtonRect = HDecreaseActive, s.DownDownButtonRect = HDecreaseDown;
    s.ThumbRect = HThumb, s.ActiveThumbRect = HThumbActive, s.DownThumbRect = HThumbDown;
  }
  s.ThumbOffset1 = s.ThumbOffset2 = 8;
  s.ThumbTransparent = true;
  s.ThumbTransparentColor = kMagenta.Color();
}

void DescribeUpDown(bs::TbsDataSkinUpDownControl& u, bool vertical) {
  using namespace Ctl;
  if (vertical) {
    u.UpButtonRect = R(0, 0, 15, 11), u.ActiveUpButtonRect = VUpDownActiveUp, u.DownUpButtonRect = VUpDownDownUp;
    u.DownButtonRect = R(0, 11, 15, 22), u.ActiveDownButtonRect = VUpDownActiveDown, u.DownDownButtonRect = VUpDownDownDown;
  } else {
    u.UpButtonRect = R(16, 0, 32, 16), u.ActiveUpButtonRect = HUpDownActiveUp, u.DownUpButtonRect = HUpDownDownUp;
    u.DownButtonRect = R(0, 0, 16, 16), u.ActiveDownButtonRect = HUpDownActiveDown, u.DownDownButtonRect = HUpDownDownDown;
  }
}

void DescribeCheckRadio(bs::TbsDataSkinCheckRadioControl& c, int row) {
  using namespace Ctl;
  Points(c, P(18, 10), P(70, 10), P(0, 0), P(0, 0), R(0, 0, 80, 20));
  SetFont(c, 14, false, kText);
  c.ActiveFontColor = kText.Color(), c.UnEnabledFontColor = kTextGrey.Color(), c.FrameFontColor = kText.Color();
  c.CheckImageArea = R(2, 4, 15, 17);
  c.TextArea = R(18, 2, 78, 18);
  c.CheckImageRect = Mark(row, 0), c.UnCheckImageRect = Mark(row, 1);
  c.ActiveCheckImageRect = Mark(row, 2), c.ActiveUnCheckImageRect = Mark(row, 3);
  c.UnEnabledCheckImageRect = Mark(row, 4), c.UnEnabledUnCheckImageRect = Mark(row, 5);
}

void DescribeControls(bs::TbsSkinDataCore& d) {
  using namespace Ctl;
  using namespace bs;
  auto button = [&](const char* name, bool large) {
    DescribeButton(Control<TbsDataSkinButtonControl>(d, name, "button", large ? Button : Resize), large);
  };
  auto menuButton = [&](const char* name, bool track) {
    auto& b = Control<TbsDataSkinMenuButtonControl>(d, name, "menubutton", Resize);
    DescribeButton(b, false);
    if (track) b.TrackButtonRect = R(18, 0, 29, 25);
  };
  auto panel = [&](const char* name, const TRect& piece) {
    DescribePanel(Control<TbsDataSkinPanelControl>(d, name, "panel", piece), piece);
  };
  auto edit = [&](const char* name, bool withButton) {
    DescribeEdit(Control<TbsDataSkinEditControl>(d, name, "edit", withButton ? ButtonEdit : Edit), withButton);
  };
  auto gauge = [&](const char* name, bool vertical) {
    DescribeGauge(Control<TbsDataSkinGaugeControl>(d, name, "gauge", vertical ? VGauge : Gauge), vertical);
  };
  auto trackbar = [&](const char* name, bool vertical) {
    auto& t = Control<TbsDataSkinTrackBarControl>(d, name, "trackbar", vertical ? VTrack : HTrack);
    if (vertical) {
      Points(t, P(10, 10), P(0, 0), P(10, 90), P(0, 0), R(0, 6, 20, 94));
      t.TrackArea = R(0, 6, 20, 94), t.ButtonRect = VTrackThumb, t.ButtonTransparent = true;
      t.ActiveButtonRect = VTrackThumbActive, t.Vertical = true;
    } else {
      Points(t, P(10, 10), P(90, 10), P(0, 0), P(0, 0), R(6, 0, 94, 20));
      t.TrackArea = R(6, 0, 94, 20), t.ButtonRect = HTrackThumb, t.ActiveButtonRect = HTrackThumbActive;
      t.ButtonTransparent = true;
    }
    t.ButtonTransparentColor = kMagenta.Color();
  };
  auto scroll = [&](const char* name, int kind) {
    DescribeScroll(Control<TbsDataSkinScrollBarControl>(d, name, "scrollbar", kind == 0 ? VScroll : kind == 1 ? HScroll : BothScroll), kind);
  };
  auto list = [&](const char* name, bool caption) {
    DescribeList(Control<TbsDataSkinListBox>(d, name, "listbox", caption ? CaptionList : List), caption);
  };
  auto checkList = [&](const char* name, bool caption) {
    auto& l = Control<TbsDataSkinCheckListBox>(d, name, "checklistbox", caption ? CaptionList : List);
    DescribeList(l, caption);
    l.ItemCheckRect = R(2, 1, 15, 14), l.CheckImageRect = Mark(MarkRowCheck, 0), l.UnCheckImageRect = Mark(MarkRowCheck, 1);
  };
  auto combo = [&](const char* name) { DescribeCombo(Control<TbsDataSkinComboBox>(d, name, "combobox", Combo)); };
  auto spin = [&](const char* name) { DescribeSpin(Control<TbsDataSkinSpinEditControl>(d, name, "spinedit", Spin)); };
  auto splitter = [&](const char* name, bool vertical) {
    auto& s = Control<TbsDataSkinSplitterControl>(d, name, "splitter", vertical ? VSplitter : HSplitter);
    if (vertical) Points(s, P(0, 5), P(0, 0), P(0, 25), P(0, 0), R(0, 0, 6, 30));
    else Points(s, P(5, 0), P(25, 0), P(0, 0), P(0, 0), R(0, 0, 30, 6));
    s.GripperRect = vertical ? VGripper : HGripper;
  };
  auto fontBg = [&](auto& c) {
    SetFont(c, 14, false, kText);
    c.BGColor = kField.Color();
  };

  button("button", true);
  button("toolbutton", false);
  panel("toolpanel", ToolPanel);
  DescribeCheckRadio(Control<TbsDataSkinCheckRadioControl>(d, "checkbox", "checkradio", CheckStrip), MarkRowCheck);
  DescribeCheckRadio(Control<TbsDataSkinCheckRadioControl>(d, "radiobox", "checkradio", RadioStrip), MarkRowRadio);
  gauge("gauge", false);
  panel("panel", Page);
  {
    auto& l = Control<TbsDataSkinLabelControl>(d, "label", "label", LabelFace);
    Points(l, P(5, 10), P(35, 10), P(0, 0), P(0, 0), R(2, 2, 38, 18));
    SetFont(l, 14, false, kText);
  }
  trackbar("trackbar", true);
  gauge("vgauge", true);
  trackbar("htrackbar", false);
  {
    auto& g = Control<TbsDataSkinGridControl>(d, "grid", "grid", {});
    g.FixedCellRect = Cell, g.SelectCellRect = Cell, g.FocusCellRect = CellFocus;
    g.FixedCellLeftOffset = g.FixedCellRightOffset = 10;
    g.CellLeftOffset = g.CellRightOffset = 10;
    g.FixedCellTextRect = R(2, 2, 24, 17), g.CellTextRect = R(2, 2, 24, 17);
    g.LinesColor = kGridLine.Color(), g.BGColor = kField.Color();
    SetFont(g, 14, false, kText);
    SetFont(g.Fixed, 14, true, kText);
    g.SelectFontColor = g.FocusFontColor = kText.Color();
  }
  {
    auto& t = Control<TbsDataSkinTabControl>(d, "tab", "tab", Page);
    t.Corners = {P(5, 6), P(93, 4), P(4, 73), P(90, 75), R(2, 2, 93, 77)};
    t.TabRect = Tab, t.ActiveTabRect = TabActive, t.FocusTabRect = TabFocus, t.MouseInTabRect = TabHot;
    t.TabsBGRect = TabsBand;
    t.TabLeftOffset = t.TabRightOffset = 10;
    SetFont(t, 14, false, kText);
    t.ActiveFontColor = t.FocusFontColor = t.MouseInFontColor = kText.Color();
    t.UpDown = "hupdown";
  }
  edit("edit", false);
  {
    auto& m = Control<TbsDataSkinMemoControl>(d, "memo", "memo", Memo);
    Points(m, P(5, 5), P(35, 5), P(5, 35), P(35, 35), R(3, 3, 37, 37));
    SetFont(m, 14, false, kText);
    m.ActiveSkinRect = MemoFocus;
    m.ActiveFontColor = kText.Color(), m.DisabledFontColor = kTextGrey.Color();
    m.BGColor = m.ActiveBGColor = kField.Color();
  }
  scroll("vscrollbar", 0);
  scroll("hscrollbar", 1);
  list("listbox", false);
  combo("combobox");
  checkList("checklistbox", false);
  spin("spinedit");
  panel("groupbox", GroupBox);
  {
    auto& l = Control<TbsDataSkinStdLabelControl>(d, "stdlabel", "stdlabel", {}, -1);
    SetFont(l, 14, false, kText);
    // The labels show only the font colour; the month calendar writes its title and weekday
    // header in this one, over the light "panel" picture, so it must be dark enough to read.
    l.ActiveFontColor = kAccentDark.Color();
  }
  panel("statusbar", StatusBar);
  {
    auto& l = Control<TbsDataSkinLabelControl>(d, "statuspanel", "label", StatusPanel);
    Points(l, P(6, 10), P(34, 10), P(0, 0), P(0, 0), R(4, 3, 36, 17));
    SetFont(l, 14, false, kText);
  }
  DescribeUpDown(Control<TbsDataSkinUpDownControl>(d, "vupdown", "updown", VUpDown), true);
  DescribeUpDown(Control<TbsDataSkinUpDownControl>(d, "hupdown", "updown", HUpDown), false);
  edit("buttonedit", true);
  list("captionlistbox", true);
  checkList("captionchecklistbox", true);
  combo("captioncombobox");
  {
    auto& m = Control<TbsDataSkinMainMenuBar>(d, "mainmenubar", "mainmenubar", MenuBar);
    m.ItemsRect = R(2, 1, 58, 19);
    m.MenuBarItem = "mainmenubaritem", m.CloseButton = "menubarclosebutton", m.MinButton = "menubarminbutton";
    m.MaxButton = "menubarmaxbutton", m.SysMenuButton = "menubarsysmenubutton";
    m.TrackMarkColor = kTextGrey.Color(), m.TrackMarkActiveColor = kText.Color();
  }
  {
    auto& c = Control<TbsDataSkinControlBar>(d, "controlbar", "controlbar", ControlBar);
    Points(c, P(5, 5), P(35, 5), P(5, 25), P(35, 25), R(2, 2, 38, 28));
  }
  button("resizebutton", false);
  splitter("vsplitter", true);
  splitter("hsplitter", false);
  scroll("bothhscrollbar", 2);
  panel("bigtoolpanel", ToolPanel);
  button("bigtoolbutton", false);
  menuButton("toolmenubutton", false);
  menuButton("toolmenutrackbutton", true);
  menuButton("bigtoolmenutrackbutton", true);
  menuButton("bigtoolmenubutton", false);
  {
    auto& s = Control<TbsDataSkinScrollBoxControl>(d, "scrollbox", "scrollbox", List);
    Points(s, P(5, 5), P(35, 5), P(5, 35), P(35, 35), R(2, 2, 38, 38));
  }
  fontBg(Control<TbsDataSkinListView>(d, "listview", "listview", {}, -1));
  fontBg(Control<TbsDataSkinTreeView>(d, "treeview", "treeview", {}, -1));
  gauge("statusgauge", false);
  fontBg(Control<TbsDataSkinRichEdit>(d, "richedit", "richedit", {}, -1));
  {
    auto& e = Control<TbsDataSkinExPanelControl>(d, "expanel", "expanel", GroupBox);
    Points(e, P(15, 20), P(52, 20), P(6, 62), P(62, 62), R(2, 20, 65, 63));
    e.CaptionRect = R(12, 3, 55, 13);
    SetFont(e, 14, true, kText);
  }
  {
    auto& s = Control<TbsDataSkinSlider>(d, "slider", "slider", {});
    s.BGColor = kFace.Color();
    s.HRulerRect = HRuler, s.HThumbRect = HSliderThumb, s.VRulerRect = VRuler, s.VThumbRect = VSliderThumb;
    s.EdgeSize = 2;
    s.PointsColor = kTextGrey.Color();
  }
  {
    auto& b = Control<TbsDataSkinBevel>(d, "bevel", "bevel", {}, -1);
    b.LightColor = kWhite.Color(), b.DarkColor = kTextGrey.Color();
  }
  edit("statusedit", false);
  edit("statusbuttonedit", true);
  spin("statusspinedit");
  combo("statuscombobox");
  edit("tooledit", false);
  edit("toolbuttonedit", true);
  spin("toolspinedit");
  combo("toolcombobox");
  button("resizetoolbutton", false);
  panel("resizetoolpanel", ToolPanel);
}

bs::TbsSkinBitmap Picture(TImage image, int bits) {
  bs::TbsSkinBitmap b;
  b.Image = std::move(image);
  b.BitCount = bits;
  return b;
}

TImage Mask(int w, int h, int radiusTop, int radiusBottom) {
  TImage img(w, h);
  MaskBox(img, {0, 0, w, h}, radiusTop, radiusBottom);
  return img;
}

}  // namespace

void BuildProgramSkin(TProgramSkin& skin) {
  DescribeFrame(skin.Description);
  DescribeObjects(skin.Description);
  DescribeControls(skin.Description);

  TImage frame = NewPicture(kFrameW, kFrameH, kFace);
  DrawFrame(frame);
  TImage frameMask = Mask(kFrameW, kFrameH, 3, 2);
  EdgeAlongMask(frame, frameMask, kFrameLine);
  skin.Files.push_back({kFramePicture, Picture(std::move(frame), 24)});
  skin.Files.push_back({kFrameMask, Picture(std::move(frameMask), 1)});

  TImage pics[8];
  for (int i = 0; i < 8; ++i) pics[i] = NewPicture(kActiveSizes[i][0], kActiveSizes[i][1], kFace);
  DrawPopup(pics[pwPopup]);
  Fill(pics[pwMenuItems], {0, 0, kActiveSizes[pwMenuItems][0], kActiveSizes[pwMenuItems][1]}, kField);
  DrawMenuItems(pics[pwMenuItems]);
  DrawCaptionButtons(pics[pwCaptionButtons]);
  DrawControls(pics[pwControls]);
  DrawHint(pics[pwHint]);
  pics[pwPopupMask] = Mask(69, 55, 2, 2);
  pics[pwHintMask] = Mask(69, 27, 2, 2);
  pics[pwButtonMask] = Mask(69, 24, 2, 2);
  for (int i = 0; i < 8; ++i) skin.Files.push_back({kActiveNames[i], Picture(std::move(pics[i]), i >= pwPopupMask ? 1 : 24)});
}

void WriteSkinFolder(const TProgramSkin& skin, const std::string& folder) {
  bs::TbsMemIniFile ini;
  skin.Description.SaveToIni(ini);
  const std::string text = ini.Text();
  bs::WriteFileBytes(folder + "/skin.ini", std::vector<std::uint8_t>(text.begin(), text.end()));
  for (const TSkinFile& f : skin.Files) bs::SaveBitmapToFile(folder + "/" + f.Name, f.Bitmap);
}

}  // namespace skingen
