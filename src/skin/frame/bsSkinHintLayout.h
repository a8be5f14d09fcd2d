#pragma once
// The geometry of a skinned hint that needs no window: its size for a text, the skin's points
// moved for that size, and where it goes so that it stays on the screen.

#include "skin/resources/bsSkinDataKeys.h"

namespace bs {

// The hint picture's corner keys, as the description gives them, and its size.
struct TbsHintPiece : TbsCornerKeys {
  int PictureWidth = 0, PictureHeight = 0;
};

// The corner keys for the hint's size (the built-in look has only a client rect), and the size.
struct TbsHintGeometry : TbsCornerKeys {
  int Width = 0, Height = 0;
};

// A hint for a text of tw x th: the client rect's borders around it, never smaller than the
// picture; without a piece (null) two pixels of border on each side.
TbsHintGeometry HintGeometry(int tw, int th, const TbsHintPiece* piece);

// Where a hint of w x h asked for at `at` goes on a screen of sw x sh: past the right or
// bottom edge it goes to the other side of the point, two pixels clear of it.
TPoint PlaceHint(TPoint at, int w, int h, int sw, int sh);

// Where the centred text of tw x th starts in the client rect.
TPoint HintTextOrigin(const TRect& client, int tw, int th);

}  // namespace bs
