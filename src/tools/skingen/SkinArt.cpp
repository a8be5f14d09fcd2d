#include "SkinArt.h"

#include <algorithm>

namespace skingen {

TRgb Mix(TRgb a, TRgb b, int p) {
  TRgb m;
  m.R = std::uint8_t((a.R * (100 - p) + b.R * p + 50) / 100);
  m.G = std::uint8_t((a.G * (100 - p) + b.G * p + 50) / 100);
  m.B = std::uint8_t((a.B * (100 - p) + b.B * p + 50) / 100);
  return m;
}

void Plot(TImage& img, int x, int y, TRgb c) {
  if (x >= 0 && y >= 0 && x < img.Width() && y < img.Height()) img.At(x, y) = c.Pixel();
}

void Fill(TImage& img, const TRect& r, TRgb c) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) Plot(img, x, y, c);
}

void HLine(TImage& img, int x1, int x2, int y, TRgb c) {
  for (int x = x1; x < x2; ++x) Plot(img, x, y, c);
}

void VLine(TImage& img, int x, int y1, int y2, TRgb c) {
  for (int y = y1; y < y2; ++y) Plot(img, x, y, c);
}

void Outline(TImage& img, const TRect& r, TRgb c) {
  HLine(img, r.Left, r.Right, r.Top, c);
  HLine(img, r.Left, r.Right, r.Bottom - 1, c);
  VLine(img, r.Left, r.Top, r.Bottom, c);
  VLine(img, r.Right - 1, r.Top, r.Bottom, c);
}

void VGradient(TImage& img, const TRect& r, TRgb top, TRgb bottom) {
  const int h = std::max(1, r.Height() - 1);
  for (int y = r.Top; y < r.Bottom; ++y) HLine(img, r.Left, r.Right, y, Mix(top, bottom, (y - r.Top) * 100 / h));
}

void Box(TImage& img, const TRect& r, TRgb border, TRgb top, TRgb bottom, TRgb outside, int radius) {
  VGradient(img, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, top, bottom);
  Outline(img, r, border);
  if (radius <= 0) return;
  const int l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
  // The corner pixel goes; at radius 2 its neighbours too, and the pixel inside the corner
  // takes the border so the curve stays one pixel wide.
  const int corners[4][4] = {{l, t, 1, 1}, {rr, t, -1, 1}, {l, b, 1, -1}, {rr, b, -1, -1}};
  for (const auto& c : corners) {
    const int x = c[0], y = c[1], dx = c[2], dy = c[3];
    Plot(img, x, y, outside);
    if (radius >= 2) {
      Plot(img, x + dx, y, outside);
      Plot(img, x, y + dy, outside);
      Plot(img, x + dx, y + dy, border);
    } else {
      Plot(img, x + dx, y + dy, border);
    }
  }
}

void Arrow(TImage& img, const TRect& r, TArrow dir, int size, TRgb c) {
  const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
  for (int i = 0; i < size; ++i) {
    const int half = i;  // row i is 2i+1 pixels wide
    switch (dir) {
      case TArrow::Up: HLine(img, cx - half, cx + half + 1, cy - size / 2 + i, c); break;
      case TArrow::Down: HLine(img, cx - half, cx + half + 1, cy + (size - 1) / 2 - i, c); break;
      case TArrow::Left: VLine(img, cx - size / 2 + i, cy - half, cy + half + 1, c); break;
      case TArrow::Right: VLine(img, cx + (size - 1) / 2 - i, cy - half, cy + half + 1, c); break;
    }
  }
}

void CheckMark(TImage& img, const TRect& r, TRgb c) {
  // A tick of two strokes, two pixels thick: down-right for three, then up-right.
  const int x = r.Left + (r.Width() - 7) / 2, y = r.Top + (r.Height() - 5) / 2;
  const int pts[7][2] = {{0, 2}, {1, 3}, {2, 4}, {3, 3}, {4, 2}, {5, 1}, {6, 0}};
  for (const auto& p : pts) {
    Plot(img, x + p[0], y + p[1], c);
    Plot(img, x + p[0], y + p[1] + 1, c);
  }
}

void CrossGlyph(TImage& img, const TRect& r, TRgb c) {
  const int n = std::min(r.Width(), r.Height());
  const int x = r.Left + (r.Width() - n) / 2, y = r.Top + (r.Height() - n) / 2;
  for (int i = 0; i < n; ++i) {
    Plot(img, x + i, y + i, c);
    Plot(img, x + n - 1 - i, y + i, c);
  }
}

void MaskBox(TImage& img, const TRect& r, int radiusTop, int radiusBottom) {
  const TRgb black(0x000000), white(0xFFFFFF);
  Fill(img, {0, 0, img.Width(), img.Height()}, white);
  Fill(img, r, black);
  auto cut = [&](int x, int y, int dx, int dy, int radius) {
    // Cuts of a circle of that radius: 0 keeps the corner, 1 takes 1 pixel, 2 takes 3,
    // 3 and more take a staircase.
    for (int j = 0; j < radius; ++j)
      for (int i = 0; i < radius - j; ++i) {
        if (radius >= 3 && i + j == radius - 1 && i != 0 && j != 0) continue;
        Plot(img, x + i * dx, y + j * dy, white);
      }
  };
  cut(r.Left, r.Top, 1, 1, radiusTop);
  cut(r.Right - 1, r.Top, -1, 1, radiusTop);
  cut(r.Left, r.Bottom - 1, 1, -1, radiusBottom);
  cut(r.Right - 1, r.Bottom - 1, -1, -1, radiusBottom);
}

}  // namespace skingen
