#pragma once
// One pass over the keys of a description section that either reads or writes them, so that
// every description names each of its keys once and its reader and writer cannot drift apart.
// Reading takes the member's current value as the default: descriptions are read right after
// construction, so the defaults are the member initialisers of the classes.

#include <string>
#include <string_view>

#include "skin/resources/bsSkinDataIni.h"

namespace bs {

class TbsKeyIO {
 public:
  // Reads `section` of `ini`.
  TbsKeyIO(const TbsMemIniFile& ini, std::string_view section) : In_(&ini), Section_(section) {}
  // Writes into `section` of `ini`.
  TbsKeyIO(TbsMemIniFile& ini, std::string_view section, bool) : In_(&ini), Out_(&ini), Section_(section) {}

  bool Writing() const { return Out_ != nullptr; }

  void Int(std::string_view key, int& v);
  // A distance in pixels (an offset, a width): like the rects and points, a value beyond
  // ±kMaxSkinCoordinate (bsUtils.h) is damage, not a place, and the key keeps its default.
  void Geometry(std::string_view key, int& v);
  void Color(std::string_view key, TColor& v) { Int(key, v); }
  void Flag(std::string_view key, bool& v);
  void Text(std::string_view key, std::string& v);
  void Rect(std::string_view key, TRect& v);
  void Point(std::string_view key, TPoint& v);
  void FontStyle(std::string_view key, TFontStyles& v);
  void Alignment(std::string_view key, TAlignment& v);
  void Effect(std::string_view key, TbsInactiveEffect& v);
  void MorphKind(std::string_view key, TbsMorphKind& v);
  void Command(std::string_view key, TbsStdCommand& v);
  // The font group: <prefix>fontname, <prefix>fontheight, <prefix>fontstyle, <prefix>fontcolor.
  void Font(std::string_view prefix, std::string& name, int& height, TFontStyles& style, TColor& color);
  // The corner points: <prefix>lefttoppoint, <prefix>righttoppoint, <prefix>leftbottompoint,
  // <prefix>rightbottompoint.
  void CornerPoints(std::string_view prefix, TPoint& leftTop, TPoint& rightTop, TPoint& leftBottom,
                    TPoint& rightBottom);

 private:
  const TbsMemIniFile* In_;
  TbsMemIniFile* Out_ = nullptr;
  std::string Section_;
};

// The sections that hold one description each ([FORMINFO], [POPUPWINDOW], [HINTWINDOW],
// [SKINCOLORS]): read over the description's defaults, written into an emptied section. `T`
// passes its keys in ExchangeKeys(TbsKeyIO&).
template <class T>
void LoadSectionKeys(T& keys, const TbsMemIniFile& ini, std::string_view section) {
  keys = T();
  TbsKeyIO io(ini, section);
  keys.ExchangeKeys(io);
}
// Takes a copy: the exchange passes the members as it would for reading.
template <class T>
void SaveSectionKeys(T keys, TbsMemIniFile& ini, std::string_view section) {
  ini.EraseSection(section);
  TbsKeyIO io(ini, section, true);
  keys.ExchangeKeys(io);
}

// ---- Key groups -------------------------------------------------------------------------------
// Keys that many descriptions share, each group read and written by its one Exchange, and held
// as a whole by the descriptions and by the runtime objects that copy them.

struct TbsPieceGeometry;
struct TbsStretchFlags;

// Where a piece of a skin picture is cut: the four corner points and the client rect, relative
// to the piece's top-left (lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint,
// clientrect).
struct TbsCornerKeys {
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect ClientRect;
  friend bool operator==(const TbsCornerKeys&, const TbsCornerKeys&) = default;

  // The popup window names its client rect itemsrect.
  void Exchange(TbsKeyIO& io, std::string_view clientRectKey = "clientrect");
  // The same cut for a piece dx wider and dy taller: the right points move right, the bottom
  // points down, and the client rect grows with them.
  TbsCornerKeys Grown(int dx, int dy) const;
  // The same cut as the image builders take it.
  TbsPieceGeometry Geometry() const;
};

// Whether the middle of each edge is stretched (true) or tiled (leftstretch, topstretch,
// rightstretch, bottomstretch).
struct TbsStretchKeys {
  bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
  friend bool operator==(const TbsStretchKeys&, const TbsStretchKeys&) = default;

  void Exchange(TbsKeyIO& io);
  // The image builders' flags; `client` stretches the client area too.
  TbsStretchFlags Flags(bool client = false) const;
};

}  // namespace bs
