// A skin's [FORMINFO], a window's size and the pointer may hold any values, sensible or not:
// the frame geometry must stay defined (no overflow, no read outside a strip) and keep its
// promises whatever they are.

#include "skin/frame/bsSkinFormLayout.h"
#include "skin/frame/bsSkinFormStateRules.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using namespace bs;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : Data_(data), Size_(size) {}
  std::uint8_t Byte() { return At_ < Size_ ? Data_[At_++] : 0; }
  bool Flag() { return Byte() & 1; }
  // Mostly the sizes of real frames, sometimes any int and often the ends of the range.
  int Value() {
    const std::uint8_t k = Byte();
    if (k < 200) return int(k) * 4 - 40;
    if (k < 240) {
      std::uint32_t v = 0;
      for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
      int out;
      std::memcpy(&out, &v, sizeof out);
      return out;
    }
    const int ends[] = {INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1, 32767, -32768, 32768, 0};
    return ends[k % 8];
  }
  // Around and past the edges of the small mask pictures used here.
  int Small() { return int(Byte() % 80) - 8; }
  TPoint Point() { return {Value(), Value()}; }
  TRect Rect() { return {Value(), Value(), Value(), Value()}; }
  TPoint SmallPoint() { return {Small(), Small()}; }
  TRect SmallRect() { return {Small(), Small(), Small(), Small()}; }

 private:
  const std::uint8_t* Data_;
  std::size_t Size_, At_ = 0;
};

void Check(bool promise) {
  if (!promise) __builtin_trap();
}
bool NotInverted(const TRect& r) { return r.Left <= r.Right && r.Top <= r.Bottom; }
bool Inside(const TRect& r, TPoint p) { return r.Left <= p.X && p.X < r.Right && r.Top <= p.Y && p.Y < r.Bottom; }
bool IsHitCode(int code) {
  switch (code) {
    case hcClient: case hcCaption: case hcLeft: case hcRight: case hcTop: case hcTopLeft: case hcTopRight:
    case hcBottom: case hcBottomLeft: case hcBottomRight: case hcObject:
      return true;
  }
  return false;
}

TbsFormInfo Info(Input& in, bool small) {
  auto point = [&] { return small ? in.SmallPoint() : in.Point(); };
  auto rect = [&] { return small ? in.SmallRect() : in.Rect(); };
  TbsFormInfo info;
  info.Corners.LeftTopPoint = point(), info.Corners.RightTopPoint = point(), info.Corners.LeftBottomPoint = point();
  info.Corners.RightBottomPoint = point();
  info.Corners.ClientRect = rect(), info.MaskRectArea = rect(), info.ButtonsRect = rect(), info.CaptionRect = rect();
  info.HitTestLeftTopPoint = point(), info.HitTestRightTopPoint = point();
  info.HitTestLeftBottomPoint = point(), info.HitTestRightBottomPoint = point();
  info.ButtonsOffset = in.Value();
  info.ButtonsInLeft = in.Flag();
  info.BorderWidth = in.Value();
  info.FormMinWidth = in.Value();
  return info;
}

std::vector<TbsPlacedObject> Objects(Input& in) {
  std::vector<TbsPlacedObject> objects(in.Byte() % 9);
  for (TbsPlacedObject& o : objects) {
    o.Role = TbsPlaceRole(in.Byte() % 3);
    o.Command = TbsStdCommand(in.Byte() % 7);
    o.InPicture = in.Flag(), o.Visible = in.Flag();
    o.SkinRect = o.ObjectRect = in.Rect();
    if (in.Flag()) o.IconWidth = in.Value(), o.IconHeight = in.Value();
  }
  return objects;
}

TImage Mask(Input& in) {
  TImage mask(in.Byte() % 48, in.Byte() % 48);
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      if (in.Byte() & 0x80) mask.At(x, y) = {255, 255, 255};
  return mask;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);

  // The frame of any skin at any size, and what is placed on it.
  const TbsFormInfo info = Info(in, false);
  const int picW = in.Value(), picH = in.Value(), W = in.Value(), H = in.Value();
  const TbsFrameLayout layout = ComputeFrameLayout(info, picW, picH, W, H);
  MapSkinRect(info, layout, in.Rect());
  Check(NotInverted(SkinnedClientFromWindow(info, picW, picH, in.Rect())));
  Check(NotInverted(BuiltInClientFromWindow(in.Value(), in.Rect())));
  std::vector<TbsPlacedObject> objects = Objects(in);
  ArrangeFrameObjects(info, layout, objects);
  const TRect band = ArrangeBuiltInButtons(W, in.Flag(), objects);
  Check(NotInverted(band));

  // The shape of a small mask laid out at a small size; any point may be asked about.
  const TbsFormInfo maskInfo = Info(in, true);
  const TImage mask = Mask(in);
  const TbsFrameLayout shapeLayout =
      ComputeFrameLayout(maskInfo, mask.Width(), mask.Height(), in.Byte() % 128, in.Byte() % 128);
  TbsMaskStripImages strips;
  BuildMaskStrips(maskInfo, mask, shapeLayout, strips);
  const TPoint p = in.Point();
  Check(PointInShape(shapeLayout, strips, p) || !Inside(shapeLayout.MaskRect, p));
  PointInShape(layout, strips, p);

  // Hit testing of either frame with the strips, and of the built-in frame.
  std::vector<TRect> captions;
  for (const TbsPlacedObject& o : objects) captions.push_back(o.ObjectRect);
  TbsSkinnedHitInput hit;
  hit.Layout = in.Flag() ? &layout : &shapeLayout;
  hit.Mask = in.Flag() ? &strips : nullptr;
  hit.BorderWidth = in.Value();
  hit.CaptionRects = captions;
  hit.ObjectHot = in.Flag(), hit.InSizeMove = in.Flag(), hit.Maximized = in.Flag();
  hit.Minimized = in.Flag(), hit.RolledUp = in.Flag(), hit.Sizeable = in.Flag();
  Check(IsHitCode(SkinnedHitTest(hit, p)));
  TbsBuiltInHitInput builtIn;
  builtIn.Width = W, builtIn.Height = H, builtIn.CaptionHeight = in.Value(), builtIn.CaptionBand = band;
  builtIn.ObjectHot = in.Flag(), builtIn.Maximized = in.Flag(), builtIn.Minimized = in.Flag();
  builtIn.RolledUp = in.Flag(), builtIn.Sizeable = in.Flag();
  Check(IsHitCode(BuiltInHitTest(builtIn, p)));

  // Size limits and magnetic edges with any values.
  TbsSizeLimitsInput limits;
  limits.Skinned = in.Flag();
  limits.PicWidth = picW, limits.PicHeight = picH, limits.SkinClientRect = info.Corners.ClientRect;
  limits.FormMinWidth = info.FormMinWidth, limits.BuiltInCaptionHeight = in.Value();
  limits.MinWidth = in.Value(), limits.MinHeight = in.Value(), limits.MaxWidth = in.Value();
  limits.MaxHeight = in.Value(), limits.Minimized = in.Flag(), limits.RolledUp = in.Flag();
  Check(limits.Skinned || FrameMinWidth(limits) > 0);
  FrameMinHeight(limits);
  const int areaW = in.Value(), areaH = in.Value();
  Check(FrameMaxWidth(limits, areaW) <= areaW && FrameMaxHeight(limits, areaH) <= areaH);
  TbsMagneticState snap;
  const TRect area = in.Rect();
  for (int i = 0; i < 3; ++i) MagneticPosition(snap, in.Point(), W, H, area, in.Point(), in.Value());

  // Window states: any sequence of commands keeps the bookkeeping consistent.
  TbsWindowStates states;
  for (int i = 0; i < 12; ++i) {
    TbsStateRequest r;
    switch (in.Byte() % 4) {
      case 0: r = CommandRequest(TbsStdCommand(in.Byte() % 7), states, in.Flag()); break;
      case 1: r = CaptionDoubleClickRequest(states, in.Flag(), in.Flag()); break;
      case 2: r = {TbsStateAction::ChangeState, in.Byte() % 3}; break;
      default: r = {in.Flag() ? TbsStateAction::RollUp : TbsStateAction::RollDown}; break;
    }
    const bool rollUpAllowed = in.Flag();
    if (r.Action == TbsStateAction::RollUp || r.Action == TbsStateAction::RollDown)
      RollUp(states, r.Action == TbsStateAction::RollUp, rollUpAllowed);
    if (r.Action == TbsStateAction::ChangeState && ChangeState(states, r.State, in.Flag()).RollDownFirst)
      RollUp(states, false, rollUpAllowed);
    Check(states.WindowState >= wsNormal && states.WindowState <= wsMaximized);
    Check(!states.RolledUpWhileMaximized || (states.RolledUp && states.WindowState != wsNormal));
    Check(!states.RolledUpBeforeMaximize || states.RolledUp);
  }

  // Places and bounds with any work area, size and bars already there.
  const TRect workArea = in.Rect();
  const int barW = in.Value(), barH = in.Value();
  std::vector<TPoint> taken;
  for (int i = in.Byte() % 16; i > 0; --i) taken.push_back(in.Flag() ? in.Point() : TPoint{workArea.Left, in.Value()});
  const TPoint bar = MinimizedBarPlace(workArea, barW, barH, taken);
  const TPoint corner = MinimizedBarPlace(workArea, barW, barH, {});
  Check(bar == corner || std::find(taken.begin(), taken.end(), bar) == taken.end());
  MaximizedBounds(workArea, in.Flag() ? workArea : in.Rect(), in.Flag() ? workArea : in.Rect(), in.Flag());
  CentredIn(workArea, in.Value(), in.Value());
  return 0;
}
