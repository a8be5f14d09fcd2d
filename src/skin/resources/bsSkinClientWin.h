#pragma once
// What the skin library asks of everything that takes its look from a skin, windowed or not:
// the frame's skin-change walk reaches every such control of a form through this interface,
// so the frame needs to know nothing of the controls themselves.

#include <windows.h>

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "skin/resources/bsSkinDataWin.h"

namespace bs {

class TbsSkinClient {
 public:
  virtual TbsSkinData* SkinData() const = 0;
  // The skin is about to change: drop what was taken from the old one.
  virtual void ForgetSkinObject() = 0;
  // The skin changed: take the look from the new one.
  virtual void ApplySkin() = 0;

 protected:
  ~TbsSkinClient() = default;
};

// The skin-change walk over every control below `root`, windowed or not, whose SkinData is
// `data` (every control when `data` is null): ForgetSkinObject on WM_SKIN_BEFORE_CHANGE,
// ApplySkin on WM_SKIN_CHANGED; other messages change nothing.
void WalkSkinChange(spv::platform::TWinControl& root, const TbsSkinData* data, UINT msg);

// Gives `f` the name, pixel height and style of a skin font group and `charset`; the colour is
// left to the caller, which picks it by state.
void AssignSkinFont(spv::platform::TFont& f, const TbsFontGroup& group, BYTE charset);

}  // namespace bs
