#pragma once
// The geometry of a skinned window frame, without a window: where the frame's pieces, client
// area, caption, buttons and mask go at any window size, where the frame objects are placed,
// which part of the frame a point hits, and the size limits a skin sets. The frame component
// feeds it the window's state and carries out what it computes.

#include "skin/resources/bsSkinData.h"
#include "skin/resources/bsSkinDataTypes.h"

#include <span>

namespace bs {

// Hit-test codes, numbered as the platform numbers them. hcObject (the platform's HTOBJECT)
// is the frame's own: a part of the frame that is neither caption, client nor sizing edge (a
// click there does nothing unless an object takes it).
enum TbsHitCode : int {
  hcClient = 1, hcCaption = 2, hcLeft = 10, hcRight = 11, hcTop = 12, hcTopLeft = 13, hcTopRight = 14,
  hcBottom = 15, hcBottomLeft = 16, hcBottomRight = 17, hcObject = 19
};

// ---- The frame layout -------------------------------------------------------------------------

// The frame's pieces at a frame size of Width x Height, in window coordinates (origin at the
// window's top-left corner, frame included). Primed values of the skin's [FORMINFO].
struct TbsFrameLayout {
  int Width = 0, Height = 0;        // the frame size the layout is for
  int PicWidth = 0, PicHeight = 0;  // the skin's main picture
  TPoint LT, RT, LB, RB;            // corner points
  TRect ClientRect;                 // where the client area goes
  TRect CaptionRect;                // empty when the skin has none
  TRect ButtonsRect;                // empty when the skin has none
  TPoint HTLT, HTRT, HTLB, HTRB;    // sizing-corner points
  TRect MaskRect;                   // the part of the window that is always inside its shape
  friend bool operator==(const TbsFrameLayout&, const TbsFrameLayout&) = default;
};

// The layout of a frame of W x H drawn from a main picture of picWidth x picHeight.
TbsFrameLayout ComputeFrameLayout(const TbsFormInfo& info, int picWidth, int picHeight, int W, int H);

// A rect of the main picture moved or stretched to the frame of `layout`, by the corner zone
// (or zones) it lies in.
TRect MapSkinRect(const TbsFormInfo& info, const TbsFrameLayout& layout, const TRect& r);

// The client rect of a window rect `window` under the skinned frame, and under the built-in
// one whose caption is `captionHeight` high. Never inverted.
TRect SkinnedClientFromWindow(const TbsFormInfo& info, int picWidth, int picHeight, const TRect& window);
TRect BuiltInClientFromWindow(int captionHeight, const TRect& window);

// ---- The built-in look ------------------------------------------------------------------------

inline constexpr int BuiltInFrameWidth = 3;
constexpr int BuiltInCaptionHeight(bool toolWindow) { return toolWindow ? 15 : 19; }
constexpr int BuiltInButtonSize(bool toolWindow) { return toolWindow ? 13 : 17; }

// ---- Size limits ------------------------------------------------------------------------------

struct TbsSizeLimitsInput {
  bool Skinned = false;
  int PicWidth = 0, PicHeight = 0;  // skinned: the main picture
  TRect SkinClientRect;             // skinned: [FORMINFO] clientrect
  int FormMinWidth = 0;             // skinned: [FORMINFO] formminwidth
  int BuiltInCaptionHeight = 19;    // not skinned
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;  // the component's
  bool Minimized = false, RolledUp = false;
};
int FrameMinWidth(const TbsSizeLimitsInput& in);
int FrameMinHeight(const TbsSizeLimitsInput& in);
// `areaWidth`/`areaHeight`: the size of the work area (or monitor) the window maximises into.
int FrameMaxWidth(const TbsSizeLimitsInput& in, int areaWidth);
int FrameMaxHeight(const TbsSizeLimitsInput& in, int areaHeight);

// ---- The window shape -------------------------------------------------------------------------

// The four mask strips of a frame size (MaskBorderStrips), which shape the window outside
// its mask rect. Empty strips when the skin has no mask picture.
struct TbsMaskStripImages {
  TImage Top, Bottom, Left, Right;
  bool Empty() const { return Top.Empty() && Bottom.Empty() && Left.Empty() && Right.Empty(); }
};
// Builds the strips for `layout` from the skin's mask picture (all empty without one).
void BuildMaskStrips(const TbsFormInfo& info, const TImage& mask, const TbsFrameLayout& layout,
                     TbsMaskStripImages& strips);

// Whether a window point lies inside the window's shape: inside the mask rect, or on a black
// pixel of the mask strip at that place.
bool PointInShape(const TbsFrameLayout& layout, const TbsMaskStripImages& strips, TPoint p);

// ---- Hit testing ------------------------------------------------------------------------------

struct TbsSkinnedHitInput {
  const TbsFrameLayout* Layout = nullptr;
  const TbsMaskStripImages* Mask = nullptr;  // null or empty: no mask picture
  int BorderWidth = 0;                       // [FORMINFO] borderwidth
  std::span<const TRect> CaptionRects;       // the ObjectRects of the caption objects
  bool ObjectHot = false;                    // a frame object is hot
  bool InSizeMove = false;                   // a size/move loop runs
  bool Maximized = false, Minimized = false, RolledUp = false;
  bool Sizeable = false;                     // border style bsSizeable or bsSizeToolWin
};
int SkinnedHitTest(const TbsSkinnedHitInput& in, TPoint p);

struct TbsBuiltInHitInput {
  int Width = 0, Height = 0;
  int CaptionHeight = 19;
  TRect CaptionBand;  // the caption text band between the button groups
  bool ObjectHot = false;
  bool Maximized = false, Minimized = false, RolledUp = false;
  bool Sizeable = false;
};
int BuiltInHitTest(const TbsBuiltInHitInput& in, TPoint p);

// ---- Placing the frame objects ----------------------------------------------------------------

enum class TbsPlaceRole { Other, Caption, StdButton };

// What the placement needs of one frame object, and the ObjectRect it computes.
struct TbsPlacedObject {
  TbsPlaceRole Role = TbsPlaceRole::Other;
  TbsStdCommand Command = TbsStdCommand::cmDefault;  // StdButton only
  bool InPicture = false;  // skinrectinapicture: its image lies in an active picture
  bool Visible = true;
  TRect SkinRect;
  // A system-menu button drawn as the form's icon takes this size in the button row; 0 x 0
  // means the size of its SkinRect.
  int IconWidth = 0, IconHeight = 0;
  TRect ObjectRect;
};

// Places every object for `layout`: those drawn on the main picture by MapSkinRect, the
// in-picture buttons in a row in the buttons rect (or the caption rect), the caption between
// the system-menu button and the row.
void ArrangeFrameObjects(const TbsFormInfo& info, const TbsFrameLayout& layout, std::span<TbsPlacedObject> objects);

// The built-in button set on a frame W wide: the row of close, maximise, minimise, roll up and
// tray from the right at Y = 4, each `buttonSize` wide, the system-menu button at X = 3.
// Returns the caption text band (between the groups, over the caption height).
TRect ArrangeBuiltInButtons(int W, bool toolWindow, std::span<TbsPlacedObject> objects);

// ---- Magnetic edges ---------------------------------------------------------------------------

// Snaps a window moving to `proposed` (its top-left) onto the edges of `workArea` within
// `distance` pixels; an edge stays snapped until the pointer has moved more than `distance`
// from where the snap happened.
struct TbsMagneticState {
  bool Left = false, Top = false, Right = false, Bottom = false;
  TPoint SnapPointer[4];  // where the pointer was when each edge snapped
  void Clear() { Left = Top = Right = Bottom = false; }
};
TPoint MagneticPosition(TbsMagneticState& state, TPoint proposed, int width, int height, const TRect& workArea,
                        TPoint pointer, int distance);

}  // namespace bs
