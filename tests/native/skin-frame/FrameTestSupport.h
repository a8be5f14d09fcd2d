#pragma once
// Readable failure messages for the frame geometry's values.

#include "skin/frame/bsSkinFormLayout.h"

#include <ostream>

namespace bs {

inline void PrintTo(const TPoint& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }
inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}
inline void PrintTo(const TbsFrameLayout& l, std::ostream* os) {
  auto p = [os](const char* name, const TPoint& v) { *os << " " << name << " ", PrintTo(v, os); };
  auto r = [os](const char* name, const TRect& v) { *os << " " << name << " ", PrintTo(v, os); };
  *os << l.Width << " x " << l.Height << " of " << l.PicWidth << " x " << l.PicHeight;
  p("LT", l.LT), p("RT", l.RT), p("LB", l.LB), p("RB", l.RB);
  r("client", l.ClientRect), r("caption", l.CaptionRect), r("buttons", l.ButtonsRect);
  p("HTLT", l.HTLT), p("HTRT", l.HTRT), p("HTLB", l.HTLB), p("HTRB", l.HTRB);
  r("mask", l.MaskRect);
}

}  // namespace bs
