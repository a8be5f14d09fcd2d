#include "skin/resources/bsSkinDataKeys.h"

#include "skin/resources/bsUtils.h"

namespace bs {

void TbsKeyIO::Int(std::string_view key, int& v) {
  if (Out_) Out_->WriteInteger(Section_, key, v);
  else v = In_->ReadInteger(Section_, key, v);
}

void TbsKeyIO::Geometry(std::string_view key, int& v) {
  if (Out_) Out_->WriteInteger(Section_, key, v);
  else if (const int read = In_->ReadInteger(Section_, key, v); InSkinRange(read)) v = read;
}

void TbsKeyIO::Flag(std::string_view key, bool& v) {
  if (Out_) WriteFlagKey(*Out_, Section_, key, v);
  else if (In_->Value(Section_, key)) v = ReadFlagKey(*In_, Section_, key);
}

void TbsKeyIO::Text(std::string_view key, std::string& v) {
  if (Out_) Out_->WriteString(Section_, key, v);
  else v = In_->ReadString(Section_, key, v);
}

void TbsKeyIO::Rect(std::string_view key, TRect& v) {
  if (Out_) WriteRectKey(*Out_, Section_, key, v);
  else if (In_->Value(Section_, key))
    if (const TRect read = ReadRectKey(*In_, Section_, key); InSkinRange(read)) v = read;
}

void TbsKeyIO::Point(std::string_view key, TPoint& v) {
  if (Out_) WritePointKey(*Out_, Section_, key, v);
  else if (In_->Value(Section_, key))
    if (const TPoint read = ReadPointKey(*In_, Section_, key); InSkinRange(read)) v = read;
}

void TbsKeyIO::FontStyle(std::string_view key, TFontStyles& v) {
  if (Out_) WriteFontStyleKey(*Out_, Section_, key, v);
  else if (In_->Value(Section_, key)) v = ReadFontStyleKey(*In_, Section_, key);
}

void TbsKeyIO::Alignment(std::string_view key, TAlignment& v) {
  if (Out_) WriteAlignmentKey(*Out_, Section_, key, v);
  else if (In_->Value(Section_, key)) v = ReadAlignmentKey(*In_, Section_, key);
}

void TbsKeyIO::Effect(std::string_view key, TbsInactiveEffect& v) {
  if (Out_) WriteEffectKey(*Out_, Section_, key, v);
  else if (In_->Value(Section_, key)) v = ReadEffectKey(*In_, Section_, key);
}

void TbsKeyIO::MorphKind(std::string_view key, TbsMorphKind& v) {
  if (Out_) WriteMorphKindKey(*Out_, Section_, key, v);
  else if (In_->Value(Section_, key)) v = ReadMorphKindKey(*In_, Section_, key);
}

void TbsKeyIO::Command(std::string_view key, TbsStdCommand& v) {
  if (Out_) WriteCommandKey(*Out_, Section_, key, v);
  else if (In_->Value(Section_, key)) v = ReadCommandKey(*In_, Section_, key);
}

void TbsKeyIO::Font(std::string_view prefix, std::string& name, int& height, TFontStyles& style, TColor& color) {
  const std::string p(prefix);
  Text(p + "fontname", name);
  Int(p + "fontheight", height);
  FontStyle(p + "fontstyle", style);
  Color(p + "fontcolor", color);
}

void TbsKeyIO::CornerPoints(std::string_view prefix, TPoint& leftTop, TPoint& rightTop, TPoint& leftBottom,
                            TPoint& rightBottom) {
  const std::string p(prefix);
  Point(p + "lefttoppoint", leftTop);
  Point(p + "righttoppoint", rightTop);
  Point(p + "leftbottompoint", leftBottom);
  Point(p + "rightbottompoint", rightBottom);
}

// ---- Key groups -------------------------------------------------------------------------------

void TbsCornerKeys::Exchange(TbsKeyIO& io, std::string_view clientRectKey) {
  io.CornerPoints("", LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
  io.Rect(clientRectKey, ClientRect);
}

TbsCornerKeys TbsCornerKeys::Grown(int dx, int dy) const {
  const TRect& c = ClientRect;
  const auto x = [dx](int v) { return SaturatedInt((long long)v + dx); };
  const auto y = [dy](int v) { return SaturatedInt((long long)v + dy); };
  return {LeftTopPoint,
          {x(RightTopPoint.X), RightTopPoint.Y},
          {LeftBottomPoint.X, y(LeftBottomPoint.Y)},
          {x(RightBottomPoint.X), y(RightBottomPoint.Y)},
          {c.Left, c.Top, x(c.Right), y(c.Bottom)}};
}

TbsPieceGeometry TbsCornerKeys::Geometry() const {
  return {LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint, ClientRect};
}

void TbsStretchKeys::Exchange(TbsKeyIO& io) {
  io.Flag("leftstretch", LeftStretch);
  io.Flag("topstretch", TopStretch);
  io.Flag("rightstretch", RightStretch);
  io.Flag("bottomstretch", BottomStretch);
}

TbsStretchFlags TbsStretchKeys::Flags(bool client) const {
  return {LeftStretch, TopStretch, RightStretch, BottomStretch, client};
}

}  // namespace bs
