#include "skin/resources/bsSkinClientWin.h"

#include "skin/resources/bsUtilsWin.h"

namespace bs {

using namespace spv::platform;

void WalkSkinChange(TWinControl& root, const TbsSkinData* data, UINT msg) {
  if (msg != WM_SKIN_BEFORE_CHANGE && msg != WM_SKIN_CHANGED) return;
  for (int i = 0; i < root.ControlCount(); ++i) {
    TControl* control = root.Controls(i);
    if (auto* c = dynamic_cast<TbsSkinClient*>(control); c && (!data || c->SkinData() == data)) {
      if (msg == WM_SKIN_BEFORE_CHANGE) c->ForgetSkinObject();
      else c->ApplySkin();
    }
    if (auto* w = dynamic_cast<TWinControl*>(control)) WalkSkinChange(*w, data, msg);
  }
}

void AssignSkinFont(TFont& f, const TbsFontGroup& group, BYTE charset) {
  spv::platform::TFontStyles style = 0;
  if (group.FontStyle.Bold) style |= fsBold;
  if (group.FontStyle.Italic) style |= fsItalic;
  if (group.FontStyle.Underline) style |= fsUnderline;
  if (group.FontStyle.StrikeOut) style |= fsStrikeOut;
  f.SetName(TextToWide(group.FontName));
  f.SetHeight(group.FontHeight);
  f.SetStyle(style);
  f.SetCharset(charset);
}

}  // namespace bs
