#include "platform/Bevel.h"

#include "platform/FormReader.h"

#include <array>

namespace spv::platform {

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape value) {
  Shape_ = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  Style_ = value;
  Invalidate();
}

void TBevel::FrameLines(int l, int t, int r, int b, TColor first, TColor second) {
  TCanvas& c = Canvas();
  c.Pen().SetWidth(1);
  c.Pen().SetColor(first);
  const std::array<POINT, 3> one{{{l, b}, {l, t}, {r, t}}};
  c.Polyline(one);
  c.Pen().SetColor(second);
  const std::array<POINT, 3> two{{{r, t}, {r, b}, {l, b}}};
  c.Polyline(two);
}

void TBevel::Paint() {
  TCanvas& c = Canvas();
  const TColor a = Style_ == TBevelStyle::bsLowered ? DarkColor() : LightColor();
  const TColor b = Style_ == TBevelStyle::bsLowered ? LightColor() : DarkColor();
  const int W = Width(), H = Height();
  c.Pen().SetWidth(1);
  auto line = [&c](TColor colour, int x0, int y0, int x1, int y1) {
    c.Pen().SetColor(colour);
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
  };
  auto frame = [this](int l, int t, int r, int btm, TColor first, TColor second) {
    FrameLines(l, t, r, btm, first, second);
  };
  switch (Shape_) {
    case TBevelShape::bsBox: frame(0, 0, W - 1, H - 1, a, b); break;
    case TBevelShape::bsFrame:
      frame(1, 1, W - 1, H - 1, b, b);
      frame(0, 0, W - 2, H - 2, a, a);
      break;
    case TBevelShape::bsTopLine:
      line(a, 0, 0, W, 0);
      line(b, 0, 1, W, 1);
      break;
    case TBevelShape::bsBottomLine:
      line(a, 0, H - 2, W, H - 2);
      line(b, 0, H - 1, W, H - 1);
      break;
    case TBevelShape::bsLeftLine:
      line(a, 0, 0, 0, H);
      line(b, 1, 0, 1, H);
      break;
    case TBevelShape::bsRightLine:
      line(a, W - 2, 0, W - 2, H);
      line(b, W - 1, 0, W - 1, H);
      break;
    case TBevelShape::bsSpacer: break;
  }
}

bool TBevel::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  static constexpr TEnumName<TBevelShape> shapes[] = {
      {"bsBox", TBevelShape::bsBox},           {"bsFrame", TBevelShape::bsFrame},
      {"bsTopLine", TBevelShape::bsTopLine},   {"bsBottomLine", TBevelShape::bsBottomLine},
      {"bsLeftLine", TBevelShape::bsLeftLine}, {"bsRightLine", TBevelShape::bsRightLine},
      {"bsSpacer", TBevelShape::bsSpacer}};
  static constexpr TEnumName<TBevelStyle> styles[] = {{"bsLowered", TBevelStyle::bsLowered},
                                                       {"bsRaised", TBevelStyle::bsRaised}};
  if (SameIdent(p.Name, "Shape")) SetShape(p.Enum<TBevelShape>(shapes));
  else if (SameIdent(p.Name, "Style")) SetStyle(p.Enum<TBevelStyle>(styles));
  else return TGraphicControl::ReadProperty(p, reader);
  return true;
}

}  // namespace spv::platform
