#pragma once
// The skinned status line: a control one text line high that shows one text, drawn from the
// skin's "statuspanel" picture with the text in its client rect, in the skin's font and colour.
// Without a usable description it draws a plain sunken line.

#include <windows.h>

#include "skin/controls/bsSkinCtrls.h"

#include <string>

namespace bs {

class TbsSkinStatusPanel : public TbsSkinCustomControl {
 public:
  explicit TbsSkinStatusPanel(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinStatusPanel"; }

  // The text is the control's Caption (SetCaption): one line, cut with an ellipsis where it is
  // longer than the line; setting the same text again paints nothing.

  // The height of one text line in the skin's piece (the piece's own height when the skin fixes
  // it), or in the plain look; the control keeps to it whatever height it is given.
  int LineHeight();

  void ReadSkinObject() override;
  void ApplySkin() override;
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override;
  void DefaultFontChanged() override;

 private:
  // The font the text is drawn in now: the skin's or the default one.
  void SelectTextFont(spv::platform::TFont& font);
  void DrawText(HDC dc, const RECT& r, COLORREF colour);

  TbsFontGroup Font_;
  TRect TextRect_;
};

}  // namespace bs
