#include "SkinSheet.h"

#include <algorithm>
#include <stdexcept>
#include <set>
#include <string>
#include <vector>

#include "SkinArt.h"
#include "base/Png.h"
#include "skin/resources/bsSkinData.h"

namespace skingen {
namespace {

// A 5 x 7 font for the labels: seven rows of five bits a glyph.
struct TGlyph { char C; std::uint8_t Rows[7]; };
constexpr TGlyph kFont[] = {
    {'a', {0, 0, 0x0E, 0x01, 0x0F, 0x11, 0x0F}}, {'b', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x1E}},
    {'c', {0, 0, 0x0E, 0x10, 0x10, 0x11, 0x0E}}, {'d', {0x01, 0x01, 0x0D, 0x13, 0x11, 0x11, 0x0F}},
    {'e', {0, 0, 0x0E, 0x11, 0x1F, 0x10, 0x0E}}, {'f', {0x06, 0x09, 0x08, 0x1C, 0x08, 0x08, 0x08}},
    {'g', {0, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E}}, {'h', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'i', {0x04, 0, 0x0C, 0x04, 0x04, 0x04, 0x0E}}, {'j', {0x02, 0, 0x06, 0x02, 0x02, 0x12, 0x0C}},
    {'k', {0x10, 0x10, 0x12, 0x14, 0x18, 0x14, 0x12}}, {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'m', {0, 0, 0x1A, 0x15, 0x15, 0x11, 0x11}}, {'n', {0, 0, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'o', {0, 0, 0x0E, 0x11, 0x11, 0x11, 0x0E}}, {'p', {0, 0, 0x1E, 0x11, 0x1E, 0x10, 0x10}},
    {'q', {0, 0, 0x0D, 0x13, 0x0F, 0x01, 0x01}}, {'r', {0, 0, 0x16, 0x19, 0x10, 0x10, 0x10}},
    {'s', {0, 0, 0x0E, 0x10, 0x0E, 0x01, 0x1E}}, {'t', {0x08, 0x08, 0x1C, 0x08, 0x08, 0x09, 0x06}},
    {'u', {0, 0, 0x11, 0x11, 0x11, 0x13, 0x0D}}, {'v', {0, 0, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'w', {0, 0, 0x11, 0x11, 0x15, 0x15, 0x0A}}, {'x', {0, 0, 0x11, 0x0A, 0x04, 0x0A, 0x11}},
    {'y', {0, 0, 0x11, 0x11, 0x0F, 0x01, 0x0E}}, {'z', {0, 0, 0x1F, 0x02, 0x04, 0x08, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0, 0, 0, 0, 0, 0x0C, 0x0C}}, {':', {0, 0x0C, 0x0C, 0, 0x0C, 0x0C, 0}},
    {'-', {0, 0, 0, 0x1F, 0, 0, 0}}, {'_', {0, 0, 0, 0, 0, 0, 0x1F}},
    {',', {0, 0, 0, 0, 0x0C, 0x04, 0x08}}, {'/', {0, 0x01, 0x02, 0x04, 0x08, 0x10, 0}},
    {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}}, {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}},
};

constexpr TRgb kInk(0x111827), kPaper(0xFFFFFF), kBack(0xE5E7EB);
constexpr TRgb kPieceLine(0x1F4FE0), kStateLine(0xD0206A), kPlaceLine(0x138A4B), kPointMark(0xF08C00);

int TextWidth(const std::string& s) { return int(s.size()) * 6; }

void DrawText(TImage& img, int x, int y, const std::string& s, TRgb c) {
  for (char ch : s) {
    const char lower = ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch;
    for (const TGlyph& g : kFont)
      if (g.C == lower)
        for (int row = 0; row < 7; ++row)
          for (int col = 0; col < 5; ++col)
            if (g.Rows[row] & (0x10 >> col)) Plot(img, x + col, y + row, c);
    x += 6;
  }
}

// A label on a white plate, so it reads over any picture.
void Label(TImage& img, int x, int y, const std::string& s, TRgb c) {
  Fill(img, {x - 1, y - 1, x + TextWidth(s), y + 8}, kPaper);
  DrawText(img, x, y, s, c);
}

// Rectangles that place something inside their piece; every other rectangle key names a
// picture of its own.
const std::set<std::string> kPlacingKeys = {
    "clientrect", "textrect", "captionrect", "trackarea", "progressarea", "upbuttonrect", "downbuttonrect",
    "buttonrect", "itemtextrect", "celltextrect", "fixedcelltextrect", "frametextrect", "checkimagearea",
    "textarea", "itemsrect", "trackbuttonrect", "itemcheckrect", "imagerect"};

struct TMark {
  bs::TRect Rect;
  TRgb Line;
  std::set<std::string> Names;
};

struct TPanel {
  TPanel(std::string title, const bs::TbsSkinBitmap* bitmap) : Title(std::move(title)), Bitmap(bitmap) {}
  std::string Title;
  const bs::TbsSkinBitmap* Bitmap = nullptr;
  std::vector<TMark> Marks;
  std::vector<bs::TPoint> Points;
  int X = 0, Y = 0;

  void Mark(const bs::TRect& r, TRgb line, const std::string& name) {
    if (bs::RectIsEmpty(r)) return;
    for (TMark& m : Marks)
      if (m.Rect == r && m.Line.R == line.R && m.Line.G == line.G && m.Line.B == line.B) {
        if (!name.empty()) m.Names.insert(name);
        return;
      }
    Marks.push_back({r, line, {}});
    if (!name.empty()) Marks.back().Names.insert(name);
  }
};

std::vector<bs::TPoint> CornerPoints(const bs::TbsCornerKeys& k) {
  return {k.LeftTopPoint, k.RightTopPoint, k.LeftBottomPoint, k.RightBottomPoint};
}

bool IsRectValue(const std::string& v) { return std::count(v.begin(), v.end(), ',') == 3; }

// Marks every rectangle of one description: its piece, the pictures of its states (in
// `states`) and the places inside the piece.
void MarkDescription(const bs::TbsMemIniFile& ini, const std::string& name, TPanel* piecePanel, TPanel* states) {
  const bs::TRect piece = bs::ParseRectText(ini.ReadString(name, "skinrect", "0,0,0,0"));
  if (piecePanel) piecePanel->Mark(piece, kPieceLine, name);
  for (const auto& [key, value] : ini.SectionValues(name)) {
    if (key == "skinrect" || !IsRectValue(value)) continue;
    const bs::TRect r = bs::ParseRectText(value);
    if (kPlacingKeys.count(key)) {
      if (piecePanel && !bs::RectIsEmpty(piece))
        piecePanel->Mark({piece.Left + r.Left, piece.Top + r.Top, piece.Left + r.Right, piece.Top + r.Bottom}, kPlaceLine, "");
    } else if (states) {
      std::string tag = key;
      if (tag.size() > 4 && tag.ends_with("rect")) tag.resize(tag.size() - 4);
      states->Mark(r, kStateLine, name + "." + tag);
    }
  }
}

void Blit2x(TImage& sheet, const bs::TbsSkinBitmap& b, int x0, int y0) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TPixel p = b.Image.At(x, y);
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) sheet.At(x0 + 2 * x + dx, y0 + 2 * y + dy) = p;
    }
}

}  // namespace

void RenderSheet(const std::string& iniPath, const std::string& pngPath) {
  bs::TbsCompressedStoredSkinCore stored;
  stored.LoadFromSkinFile(iniPath);
  if (stored.IsEmpty()) throw std::runtime_error(iniPath + " is no skin description");
  bs::TbsSkinDataCore skin;
  skin.LoadFromStoredSkin(stored);
  const auto raw = bs::ReadFileBytes(iniPath);
  const bs::TbsMemIniFile ini(std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));

  std::vector<TPanel> panels;
  auto describe = [](const std::string& name, const bs::TbsSkinBitmap& b) {
    return name + "  " + std::to_string(b.Width()) + "x" + std::to_string(b.Height()) + "  " +
           std::to_string(b.BitCount) + " bit";
  };
  panels.emplace_back(describe("picture " + skin.PictureName, skin.Picture), &skin.Picture);
  panels.emplace_back(describe("mask " + skin.MaskPictureName, skin.MaskPicture), &skin.MaskPicture);
  for (std::size_t i = 0; i < skin.ActivePictures.size(); ++i)
    panels.emplace_back(describe(std::to_string(i) + " " + skin.ActivePictureNames[i], skin.ActivePictures[i]),
                        &skin.ActivePictures[i]);
  auto active = [&](int index) -> TPanel* { return skin.ActivePicture(index) ? &panels[std::size_t(index) + 2] : nullptr; };

  // The frame: its areas, its corner points and the objects drawn on it.
  const bs::TbsFormInfo& f = skin.FormInfo;
  for (const bs::TRect& r : {f.Corners.ClientRect, f.ButtonsRect, f.CaptionRect}) panels[0].Mark(r, kPlaceLine, "");
  panels[1].Mark(f.MaskRectArea, kPlaceLine, "maskrectarea");
  panels[0].Points = CornerPoints(f.Corners);
  for (const auto& o : skin.SkinObjects)
    MarkDescription(ini, o->IDName, o->SkinRectInAPicture ? active(o->ActivePictureIndex) : &panels[0],
                    active(o->ActivePictureIndex));
  for (const auto& c : skin.SkinControls) MarkDescription(ini, c->IDName, active(c->PictureIndex), active(c->PictureIndex));
  if (TPanel* p = active(skin.PopupWindow.WindowPictureIndex)) {
    p->Mark(skin.PopupWindow.Corners.ClientRect, kPlaceLine, "items");
    p->Points = CornerPoints(skin.PopupWindow.Corners);
  }
  if (TPanel* p = active(skin.HintWindow.WindowPictureIndex)) {
    p->Mark(skin.HintWindow.Corners.ClientRect, kPlaceLine, "client");
    p->Points = CornerPoints(skin.HintWindow.Corners);
  }

  // Flow the panels into rows no wider than the widest picture allows.
  const int margin = 16, title = 14;
  int widest = 0;
  for (const TPanel& p : panels) widest = std::max(widest, 2 * p.Bitmap->Width());
  const int sheetW = std::max(widest + 2 * margin, 900);
  int x = margin, y = margin + 14, rowH = 0;
  for (TPanel& p : panels) {
    const int w = std::max(2 * p.Bitmap->Width(), TextWidth(p.Title)), h = 2 * p.Bitmap->Height() + title;
    if (x + w + margin > sheetW) x = margin, y += rowH + margin, rowH = 0;
    p.X = x, p.Y = y;
    x += w + margin;
    rowH = std::max(rowH, h);
  }
  const int sheetH = y + rowH + margin + 12;

  TImage sheet(sheetW, sheetH);
  Fill(sheet, {0, 0, sheetW, sheetH}, kBack);
  DrawText(sheet, margin, 6, skin.SkinName + " skin: pieces in blue, state pictures in red, places inside a piece in green, corner points in orange", kInk);
  for (const TPanel& p : panels) {
    DrawText(sheet, p.X, p.Y, p.Title, kInk);
    const int ox = p.X, oy = p.Y + title;
    Blit2x(sheet, *p.Bitmap, ox, oy);
    for (const TMark& m : p.Marks)
      Outline(sheet, {ox + 2 * m.Rect.Left, oy + 2 * m.Rect.Top, ox + 2 * m.Rect.Right, oy + 2 * m.Rect.Bottom}, m.Line);
    for (const bs::TPoint& pt : p.Points) {
      HLine(sheet, ox + 2 * pt.X - 3, ox + 2 * pt.X + 4, oy + 2 * pt.Y, kPointMark);
      VLine(sheet, ox + 2 * pt.X, oy + 2 * pt.Y - 3, oy + 2 * pt.Y + 4, kPointMark);
    }
    // Labels last, each cut to its rectangle's width so that neighbours stay readable.
    for (const TMark& m : p.Marks) {
      if (m.Names.empty()) continue;
      std::string text;
      for (const std::string& n : m.Names) text += (text.empty() ? "" : " ") + n;
      const int room = std::max(3, (2 * m.Rect.Width() - 2) / 6);
      if (int(text.size()) > room) text = text.substr(0, std::size_t(room));
      Label(sheet, ox + 2 * m.Rect.Left + 2, oy + 2 * m.Rect.Top + 2, text, m.Line);
    }
  }
  spv::base::WritePng(pngPath, sheetW, sheetH, sheet.Stride(), {sheet.Bits(), sheet.ByteSize()});
}

}  // namespace skingen
