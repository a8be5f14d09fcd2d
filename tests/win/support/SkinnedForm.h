#pragma once
// What the Windows tests of skinned controls share: a form that runs the skin-change walk itself,
// as the skinned frame does for its form, and small conversions for reading back pixels and
// posting mouse messages.

#include <windows.h>

#include "platform/Forms.h"
#include "skin/resources/bsSkinClientWin.h"
#include "skin/resources/bsSkinMessages.h"

namespace bs::test {

class TSkinnedForm : public spv::platform::TForm {
 public:
  std::string_view ClassName() const override { return "TSkinnedForm"; }

 protected:
  void WndProc(spv::platform::TMessage& m) override {
    if (m.Msg == WM_SKIN_BEFORE_CHANGE || m.Msg == WM_SKIN_CHANGED)
      WalkSkinChange(*this, TbsSkinData::FromMessage(m.WParam, m.LParam), m.Msg);
    TForm::WndProc(m);
  }
};

inline TPixel PixelOf(COLORREF c) { return {GetBValue(c), GetGValue(c), GetRValue(c)}; }

// The lParam of a mouse message at a client point.
inline LPARAM At(int x, int y) { return MAKELPARAM(WORD(short(x)), WORD(short(y))); }

}  // namespace bs::test
