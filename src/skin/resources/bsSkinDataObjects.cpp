#include "skin/resources/bsSkinDataObjects.h"

#include <functional>
#include <utility>

namespace bs {

void TbsDataSkinEntry::LoadFromIni(const TbsMemIniFile& ini) {
  TbsKeyIO io(ini, IDName);
  ExchangeKeys(io);
}

void TbsDataSkinEntry::SaveToIni(TbsMemIniFile& ini) {
  ini.EraseSection(IDName);
  TbsKeyIO io(ini, IDName, true);
  ExchangeKeys(io);
}

void TbsObjectKeys::Exchange(TbsKeyIO& io) {
  io.Text("hint", Hint);
  io.Int("activepictureindex", ActivePictureIndex);
  io.Flag("skinrectinapicture", SkinRectInAPicture);
  io.Rect("skinrect", SkinRect);
  io.Rect("activeskinrect", ActiveSkinRect);
  io.Rect("inactiveskinrect", InActiveSkinRect);
  io.Flag("morphing", Morphing);
  io.MorphKind("morphkind", MorphKind);
}

void TbsButtonKeys::Exchange(TbsKeyIO& io) {
  io.Rect("downrect", DownRect);
  // The key is spelled this way in every skin.
  io.Rect("disableskinrsect", DisableSkinRect);
}

void TbsRestoreKeys::Exchange(TbsKeyIO& io) {
  io.Rect("restorerect", RestoreRect);
  io.Rect("restoreactiverect", RestoreActiveRect);
  io.Rect("restoredownrect", RestoreDownRect);
  io.Rect("restoreinactiverect", RestoreInActiveRect);
}

void TbsAnimateKeys::Exchange(TbsKeyIO& io) {
  io.Int("countframes", CountFrames);
  io.Flag("cycle", Cycle);
  io.Flag("buttonstyle", ButtonStyle);
  io.Int("timerinterval", TimerInterval);
  io.Command("command", Command);
  io.Rect("downskinrect", DownSkinRect);
}

void TbsDataSkinObject::ExchangeKeys(TbsKeyIO& io) { TbsObjectKeys::Exchange(io); }

void TbsDataUserObject::ExchangeKeys(TbsKeyIO& io) { io.Rect("skinrect", SkinRect); }

void TbsDataSkinButton::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinObject::ExchangeKeys(io);
  TbsButtonKeys::Exchange(io);
}

void TbsDataSkinStdButton::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinButton::ExchangeKeys(io);
  io.Command("command", Command);
  TbsRestoreKeys::Exchange(io);
}

void TbsDataSkinAnimate::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinObject::ExchangeKeys(io);
  TbsAnimateKeys::Exchange(io);
  TbsRestoreKeys::Exchange(io);
}

void TbsDataSkinMenuItem::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinObject::ExchangeKeys(io);
  io.Geometry("itemleftoffset", ItemLeftOffset);
  io.Geometry("itemrightoffset", ItemRightOffset);
  io.Rect("dividerrect", DividerRect);
  io.Geometry("dividerleftoffset", DividerLeftOffset);
  io.Geometry("dividerrightoffset", DividerRightOffset);
  io.Rect("textrect", TextRect);
  io.Rect("imagerect", ImageRect);
  io.Font("", FontName, FontHeight, FontStyle, FontColor);
  io.Color("activefontcolor", ActiveFontColor);
  io.Color("unenabledfontcolor", UnEnabledFontColor);
  io.Flag("stretcheffect", StretchEffect);
  io.Flag("inactivestretcheffect", InActiveStretchEffect);
  io.Flag("dividerstretcheffect", DividerStretchEffect);
  io.Rect("animateskinrect", AnimateSkinRect);
  io.Int("framecount", FrameCount);
  io.Int("animateinterval", AnimateInterval);
  io.Flag("inactiveanimation", InActiveAnimation);
  io.Flag("useimagecolor", UseImageColor);
  io.Color("imagecolor", ImageColor);
  io.Color("activeimagecolor", ActiveImageColor);
}

void TbsDataSkinMainMenuItem::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinObject::ExchangeKeys(io);
  io.Geometry("itemleftoffset", ItemLeftOffset);
  io.Geometry("itemrightoffset", ItemRightOffset);
  io.Rect("downrect", DownRect);
  io.Rect("textrect", TextRect);
  io.Font("", FontName, FontHeight, FontStyle, FontColor);
  io.Color("activefontcolor", ActiveFontColor);
  io.Color("downfontcolor", DownFontColor);
  io.Color("unenabledfontColor", UnEnabledFontColor);
  io.Flag("stretcheffect", StretchEffect);
  io.Rect("animateskinrect", AnimateSkinRect);
  io.Int("framecount", FrameCount);
  io.Int("animateinterval", AnimateInterval);
  io.Flag("inactiveanimation", InActiveAnimation);
}

void TbsDataSkinCaption::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinObject::ExchangeKeys(io);
  io.Rect("textrect", TextRect);
  io.Font("", FontName, FontHeight, FontStyle, FontColor);
  io.Color("activefontcolor", ActiveFontColor);
  io.Alignment("alignment", Alignment);
  io.Flag("light", Light);
  io.Color("lightcolor", LightColor);
  io.Color("activelightcolor", ActiveLightColor);
  io.Flag("shadow", Shadow);
  io.Color("shadowcolor", ShadowColor);
  io.Color("activeshadowcolor", ActiveShadowColor);
  io.Rect("framerect", FrameRect);
  io.Rect("activeframerect", ActiveFrameRect);
  io.Rect("frametextrect", FrameTextRect);
  io.Geometry("frameleftoffset", FrameLeftOffset);
  io.Geometry("framerightoffset", FrameRightOffset);
  io.Flag("stretcheffect", StretchEffect);
  io.Rect("animateskinrect", AnimateSkinRect);
  io.Int("framecount", FrameCount);
  io.Int("animateinterval", AnimateInterval);
  io.Flag("inactiveanimation", InActiveAnimation);
  io.Flag("fullframe", FullFrame);
}

namespace {

constexpr const char* PopupSection = "POPUPWINDOW";
constexpr const char* HintSection = "HINTWINDOW";
constexpr const char* ColorsSection = "SKINCOLORS";

}  // namespace

void TbsDataSkinPopupWindow::ExchangeKeys(TbsKeyIO& io) {
  io.Int("windowpictureindex", WindowPictureIndex);
  io.Int("maskpictureindex", MaskPictureIndex);
  Corners.Exchange(io, "itemsrect");
  io.Color("scrollmarkercolor", ScrollMarkerColor);
  io.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
  Stretch.Exchange(io);
}

void TbsDataSkinPopupWindow::LoadFromIni(const TbsMemIniFile& ini) { LoadSectionKeys(*this, ini, PopupSection); }

void TbsDataSkinPopupWindow::SaveToIni(TbsMemIniFile& ini) const { SaveSectionKeys(*this, ini, PopupSection); }

void TbsDataSkinHintWindow::ExchangeKeys(TbsKeyIO& io) {
  io.Int("windowpictureindex", WindowPictureIndex);
  io.Int("maskpictureindex", MaskPictureIndex);
  Corners.Exchange(io);
  io.Font("", FontName, FontHeight, FontStyle, FontColor);
  Stretch.Exchange(io);
}

void TbsDataSkinHintWindow::LoadFromIni(const TbsMemIniFile& ini) { LoadSectionKeys(*this, ini, HintSection); }

void TbsDataSkinHintWindow::SaveToIni(TbsMemIniFile& ini) const { SaveSectionKeys(*this, ini, HintSection); }

void TbsSkinColors::ExchangeKeys(TbsKeyIO& io) {
  io.Color("cbtnface", cBtnFace);
  io.Color("cbtntext", cBtnText);
  io.Color("cwindow", cWindow);
  io.Color("cwindowtext", cWindowText);
  io.Color("chighlight", cHighLight);
  io.Color("chighlighttext", cHighLightText);
  io.Color("cbtnhighlight", cBtnHighLight);
  io.Color("cbtnshadow", cBtnShadow);
}

void TbsSkinColors::LoadFromIni(const TbsMemIniFile& ini) { LoadSectionKeys(*this, ini, ColorsSection); }

void TbsSkinColors::SaveToIni(TbsMemIniFile& ini) const { SaveSectionKeys(*this, ini, ColorsSection); }

std::unique_ptr<TbsDataSkinObject> CreateSkinObject(std::string_view kind, std::string name) {
  using Make = std::function<std::unique_ptr<TbsDataSkinObject>(std::string)>;
  static const std::pair<const char*, Make> kinds[] = {
      {"menuitem", [](std::string n) { return std::make_unique<TbsDataSkinMenuItem>(std::move(n)); }},
      {"mainmenubaritem", [](std::string n) { return std::make_unique<TbsDataSkinMainMenuBarItem>(std::move(n)); }},
      {"stdbutton", [](std::string n) { return std::make_unique<TbsDataSkinStdButton>(std::move(n)); }},
      {"mainmenubarbutton", [](std::string n) { return std::make_unique<TbsDataSkinMainMenuBarButton>(std::move(n)); }},
      {"button", [](std::string n) { return std::make_unique<TbsDataSkinButton>(std::move(n)); }},
      {"caption", [](std::string n) { return std::make_unique<TbsDataSkinCaption>(std::move(n)); }},
      {"animate", [](std::string n) { return std::make_unique<TbsDataSkinAnimate>(std::move(n)); }},
      {"userobject", [](std::string n) { return std::make_unique<TbsDataUserObject>(std::move(n)); }},
  };
  for (const auto& [word, make] : kinds)
    if (kind == word) {
      auto object = make(std::move(name));
      object->KindWord = word;
      return object;
    }
  return nullptr;
}

}  // namespace bs
