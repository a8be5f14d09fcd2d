#pragma once
// A form with the program's skin, and reading back what a window shows.

#include <windows.h>

#include "SkinnedForm.h"
#include "resources/ProgramSkin.h"
#include "skin/resources/bsUtilsWin.h"

#include <gtest/gtest.h>

#include <memory>

namespace bs::test {

class SkinnedFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TSkinnedForm>();
    form->SetClientSize(604, 420);
    skin = new TbsSkinData(form.get());
    const auto block = spv::ProgramSkinBlock();
    skin->LoadFromCompressedData(block.data(), block.size());
    ASSERT_FALSE(skin->IsEmpty);
  }

  std::unique_ptr<TSkinnedForm> form;
  TbsSkinData* skin = nullptr;
};

// What the client area of `window` shows now.
inline TbsFBitmap Grab(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  TbsFBitmap shot(r.right, r.bottom);
  const HDC dc = GetDC(window);
  BitBlt(shot.DC(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  GdiFlush();
  return shot;
}

// Two pictures of one size with the same pixels.
inline bool SamePixels(const TImage& a, const TImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!(a.At(x, y) == b.At(x, y))) return false;
  return true;
}

inline bool Dark(const TPixel& p) { return p.R + p.G + p.B < 200; }

// A left click at a client point of `window`, through its messages.
inline void Click(HWND window, int x, int y) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  SendMessageW(window, WM_LBUTTONUP, 0, At(x, y));
}

}  // namespace bs::test
