#pragma once
// The geometry of skinned controls that needs no window: the sizing kind of a skin piece, the
// piece's points and client rect moved for a control of another size, skin rects placed on the
// resized control, and where a button puts its glyph and caption.

#include "skin/resources/bsSkinDataKeys.h"
#include "skin/resources/bsUtils.h"

namespace bs {

enum class TbsButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The number of equal frames in a glyph strip: 1 to 4.
using TbsNumGlyphs = int;
inline constexpr TbsNumGlyphs kMinNumGlyphs = 1, kMaxNumGlyphs = 4;

// How a piece follows the control's size.
enum TbsSizingKind : int {
  skNoPiece = -1,    // the skin rect is empty
  skFixed = 0,       // the control takes the piece's size
  skBoth = 1,        // nine parts, resizable both ways
  skWidthOnly = 2,   // three parts along X
  skHeightOnly = 3,  // three parts along Y
};

// A piece as its description gives it: its corner keys (points and client rect relative to the
// piece's top-left) and the skin rect in picture coordinates.
struct TbsSkinPiece : TbsCornerKeys {
  TRect SkinRect;
};

// The same points and client rect for the control's current size.
using TbsSizedPiece = TbsCornerKeys;

TbsSizingKind SizingKindOf(const TbsSkinPiece& piece);

// Fits W x H to the piece of `kind` and moves the points and client rect into `sized`. Kinds
// that keep a direction fixed replace that size by the piece's; no piece leaves all alone.
void FitPieceToSize(TbsSizingKind kind, const TbsSkinPiece& piece, int& W, int& H, TbsSizedPiece& sized);

// A rect given in piece coordinates, placed on a control of W x H: parts that span a stretched
// middle grow with it, parts beyond it move with the far edge.
TRect PlaceSkinRect(TbsSizingKind kind, const TbsSkinPiece& piece, int W, int H, TRect r);

// One rect of a skin picture laid out on a control of W x H by the piece's sizing kind.
void PaintPiece(TImage& bitmap, const TImage& picture, const TRect& rect, TbsSizingKind kind, const TbsSkinPiece& piece,
                const TbsSizedPiece& sized, const TbsStretchFlags& stretch, int W, int H);

struct TbsGlyphTextPlace {
  TPoint Glyph, Text;
};

// Where a glyph of gw x gh and a caption of tw x th go in `R`. A margin of -1 centres the pair;
// the spacing counts even without a glyph. The pressed offset moves both by one pixel.
TbsGlyphTextPlace PlaceGlyphAndText(const TRect& R, TbsButtonLayout layout, int margin, int spacing, int gw, int gh,
                                    int tw, int th, bool pressed);

// The frame (from 1) of a strip of `numGlyphs` that a button in this state shows.
int GlyphFrameFor(bool down, bool active, bool enabled, TbsNumGlyphs numGlyphs);

}  // namespace bs
