#include "skin/resources/bsSkinDataControls.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace bs {

void TbsUpDownRects::Exchange(TbsKeyIO& io) {
  io.Rect("upbuttonrect", UpButtonRect);
  io.Rect("activeupbuttonrect", ActiveUpButtonRect);
  io.Rect("downupbuttonrect", DownUpButtonRect);
  io.Rect("downbuttonrect", DownButtonRect);
  io.Rect("activedownbuttonrect", ActiveDownButtonRect);
  io.Rect("downdownbuttonrect", DownDownButtonRect);
}

void TbsDataSkinControl::ExchangeKeys(TbsKeyIO& io) {
  io.Int("pictureindex", PictureIndex);
  io.Int("maskpictureindex", MaskPictureIndex);
  io.Rect("skinrect", SkinRect);
}

void TbsDataSkinCustomControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinControl::ExchangeKeys(io);
  Corners.Exchange(io);
  Stretch.Exchange(io);
  io.Flag("stretcheffect", StretchEffect);
}

void TbsDataSkinBevel::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinControl::ExchangeKeys(io);
  io.Color("lightcolor", LightColor);
  io.Color("darkcolor", DarkColor);
}

void TbsDataSkinFontBgControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinControl::ExchangeKeys(io);
  Exchange(io);
  io.Color("bgcolor", BGColor);
}

void TbsDataSkinSlider::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinControl::ExchangeKeys(io);
  io.Color("bgcolor", BGColor);
  io.Rect("hrulerrect", HRulerRect);
  io.Rect("hthumbrect", HThumbRect);
  io.Rect("vrulerrect", VRulerRect);
  io.Rect("vthumbrect", VThumbRect);
  io.Geometry("edgesize", EdgeSize);
  io.Color("pointscolor", PointsColor);
}

void TbsDataSkinMainMenuBar::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinControl::ExchangeKeys(io);
  io.Rect("itemsrect", ItemsRect);
  io.Text("menubaritem", MenuBarItem);
  io.Text("closebutton", CloseButton);
  io.Text("minbutton", MinButton);
  io.Text("maxbutton", MaxButton);
  io.Text("sysmenubutton", SysMenuButton);
  io.Color("trackmarkcolor", TrackMarkColor);
  io.Color("trackmarkactivecolor", TrackMarkActiveColor);
}

void TbsDataSkinTabControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinControl::ExchangeKeys(io);
  io.Rect("tabrect", TabRect);
  io.Rect("activetabrect", ActiveTabRect);
  io.Rect("focustabrect", FocusTabRect);
  io.Rect("mouseintabrect", MouseInTabRect);
  Corners.Exchange(io);
  io.Int("bgpictureindex", BGPictureIndex);
  io.Geometry("tableftoffset", TabLeftOffset);
  io.Geometry("tabrightoffset", TabRightOffset);
  io.Rect("tabsbgrect", TabsBGRect);
  io.Flag("tabstretcheffect", TabStretchEffect);
  Stretch.Exchange(io);
  Exchange(io);
  io.Color("activefontcolor", ActiveFontColor);
  io.Color("focusfontcolor", FocusFontColor);
  io.Color("mouseinfontcolor", MouseInFontColor);
  io.Text("updown", UpDown);
  io.Flag("showfocus", ShowFocus);
  io.Geometry("focusoffsetx", FocusOffsetX);
  io.Geometry("focusoffsety", FocusOffsetY);
}

void TbsDataSkinGridControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinControl::ExchangeKeys(io);
  io.Rect("fixedcellrect", FixedCellRect);
  io.Rect("selectcellrect", SelectCellRect);
  io.Rect("focuscellrect", FocusCellRect);
  io.Geometry("fixedcellleftoffset", FixedCellLeftOffset);
  io.Geometry("fixedcellrightoffset", FixedCellRightOffset);
  io.Rect("fixedcelltextrect", FixedCellTextRect);
  io.Geometry("cellleftoffset", CellLeftOffset);
  io.Geometry("cellrightoffset", CellRightOffset);
  io.Rect("celltextrect", CellTextRect);
  io.Color("linescolor", LinesColor);
  io.Color("bgcolor", BGColor);
  Exchange(io);
  io.Color("selectfontcolor", SelectFontColor);
  io.Color("focusfontcolor", FocusFontColor);
  Fixed.Exchange(io, "fixed");
  io.Flag("cellstretcheffect", CellStretchEffect);
  io.Flag("fixedcellstretcheffect", FixedCellStretchEffect);
  io.Flag("showfocus", ShowFocus);
}

void TbsDataSkinStdLabelControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinControl::ExchangeKeys(io);
  Exchange(io);
  io.Color("activefontcolor", ActiveFontColor);
}

void TbsDataSkinControlBar::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("itemrect", ItemRect);
  io.Int("bgpictureindex", BGPictureIndex);
  io.Rect("hgriprect", HGripRect);
  io.Rect("vgriprect", VGripRect);
  io.Geometry("gripoffset1", GripOffset1);
  io.Geometry("gripoffset2", GripOffset2);
}

void TbsDataSkinUpDownControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  TbsUpDownRects::Exchange(io);
}

void TbsDataSkinUpDownControl::LoadFromIni(const TbsMemIniFile& ini) {
  TbsDataSkinCustomControl::LoadFromIni(ini);
  Corners = {};
}

void TbsDataSkinComboBox::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("activeskinrect", ActiveSkinRect);
  io.Rect("itemrect", ItemRect);
  io.Rect("activeitemrect", ActiveItemRect);
  io.Rect("focusitemrect", FocusItemRect);
  io.Geometry("itemleftoffset", ItemLeftOffset);
  io.Geometry("itemrightoffset", ItemRightOffset);
  io.Rect("itemtextrect", ItemTextRect);
  Exchange(io);
  io.Color("focusfontcolor", FocusFontColor);
  io.Color("activefontcolor", ActiveFontColor);
  io.Text("listboxname", ListBoxName);
  io.Rect("buttonrect", ButtonRect);
  io.Rect("activebuttonrect", ActiveButtonRect);
  io.Rect("downbuttonrect", DownButtonRect);
  io.Rect("unenabledbuttonrect", UnEnabledButtonRect);
  io.Flag("itemstretcheffect", ItemStretchEffect);
  io.Flag("focusitemstretcheffect", FocusItemStretchEffect);
  io.Flag("showfocus", ShowFocus);
}

void TbsDataSkinListBox::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("itemrect", ItemRect);
  io.Rect("activeitemrect", ActiveItemRect);
  io.Rect("focusitemrect", FocusItemRect);
  io.Geometry("itemleftoffset", ItemLeftOffset);
  io.Geometry("itemrightoffset", ItemRightOffset);
  io.Rect("itemtextrect", ItemTextRect);
  TbsFontGroup::Exchange(io);
  io.Color("activefontcolor", ActiveFontColor);
  io.Color("focusfontcolor", FocusFontColor);
  io.Rect("captionrect", CaptionRect);
  Caption.Exchange(io, "caption");
  TbsUpDownRects::Exchange(io);
  io.Rect("checkbuttonrect", CheckButtonRect);
  io.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
  io.Rect("downcheckbuttonrect", DownCheckButtonRect);
  io.Text("vscrollbarname", VScrollBarName);
  io.Text("hscrollbarname", HScrollBarName);
  io.Text("bothhscrollbarname", BothScrollBarName);
  io.Flag("showfocus", ShowFocus);
}

void TbsDataSkinCheckListBox::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinListBox::ExchangeKeys(io);
  io.Rect("itemcheckrect", ItemCheckRect);
  io.Rect("checkimagerect", CheckImageRect);
  io.Rect("uncheckimagerect", UnCheckImageRect);
}

void TbsDataSkinScrollBarControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("trackarea", TrackArea);
  TbsUpDownRects::Exchange(io);
  io.Rect("thumbrect", ThumbRect);
  io.Rect("activethumbrect", ActiveThumbRect);
  io.Rect("downthumbrect", DownThumbRect);
  io.Geometry("thumboffset1", ThumbOffset1);
  io.Geometry("thumboffset2", ThumbOffset2);
  io.Flag("thumbtransparent", ThumbTransparent);
  io.Color("thumbtransparentcolor", ThumbTransparentColor);
  io.Rect("glyphrect", GlyphRect);
  io.Rect("activeglyphrect", ActiveGlyphRect);
  io.Rect("downglyphrect", DownGlyphRect);
}

void TbsDataSkinSpinEditControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("activeskinrect", ActiveSkinRect);
  TbsFontGroup::Exchange(io);
  io.Color("activefontcolor", ActiveFontColor);
  io.Color("disabledfontcolor", DisabledFontColor);
  TbsUpDownRects::Exchange(io);
}

void TbsDataSkinEditControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("activeskinrect", ActiveSkinRect);
  Exchange(io);
  io.Color("disabledfontcolor", DisabledFontColor);
  io.Color("activefontcolor", ActiveFontColor);
  io.Rect("buttonrect", ButtonRect);
  io.Rect("activebuttonrect", ActiveButtonRect);
  io.Rect("downbuttonrect", DownButtonRect);
  io.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TbsDataSkinMemoControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinEditControl::ExchangeKeys(io);
  io.Color("bgcolor", BGColor);
  io.Color("activebgcolor", ActiveBGColor);
}

void TbsDataSkinLabelControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  Exchange(io);
}

void TbsDataSkinSplitterControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("gripperrect", GripperRect);
  io.Flag("grippertransparent", GripperTransparent);
  io.Color("grippertransparentcolor", GripperTransparentColor);
}

void TbsDataSkinGaugeControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("progressarea", ProgressArea);
  io.Rect("progressrect", ProgressRect);
  io.Geometry("beginoffset", BeginOffset);
  io.Geometry("endoffset", EndOffset);
  io.Flag("vertical", Vertical);
  Exchange(io);
  io.Flag("progresstransparent", ProgressTransparent);
  io.Color("progresstransparentcolor", ProgressTransparentColor);
  io.Flag("progressstretch", ProgressStretch);
}

void TbsDataSkinTrackBarControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("trackarea", TrackArea);
  io.Rect("buttonrect", ButtonRect);
  io.Rect("activebuttonrect", ActiveButtonRect);
  io.Flag("vertical", Vertical);
  io.Flag("buttontransparent", ButtonTransparent);
  io.Color("buttontransparentcolor", ButtonTransparentColor);
}

void TbsDataSkinButtonControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  Exchange(io);
  io.Color("activefontcolor", ActiveFontColor);
  io.Color("downfontcolor", DownFontColor);
  io.Color("disabledfontcolor", DisabledFontColor);
  io.Rect("activeskinrect", ActiveSkinRect);
  io.Rect("downskinrect", DownSkinRect);
  io.Rect("disabledskinrect", DisabledSkinRect);
  io.Flag("morphing", Morphing);
  io.MorphKind("morphkind", MorphKind);
  io.Rect("animateskinrect", AnimateSkinRect);
  io.Int("framecount", FrameCount);
  io.Int("animateinterval", AnimateInterval);
  io.Flag("showfocus", ShowFocus);
  io.Rect("menumarkerflatrect", MenuMarkerFlatRect);
  io.Rect("menumarkerrect", MenuMarkerRect);
  io.Rect("menumarkeractiverect", MenuMarkerActiveRect);
  io.Rect("menumarkerdownrect", MenuMarkerDownRect);
  io.Color("menumarkertransparentcolor", MenuMarkerTransparentColor);
}

void TbsDataSkinMenuButtonControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinButtonControl::ExchangeKeys(io);
  io.Rect("trackbuttonrect", TrackButtonRect);
}

void TbsDataSkinCheckRadioControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  Exchange(io);
  io.Color("activefontcolor", ActiveFontColor);
  io.Color("unenabledfontcolor", UnEnabledFontColor);
  io.Color("framefontcolor", FrameFontColor);
  io.Rect("activeskinrect", ActiveSkinRect);
  io.Rect("checkimagearea", CheckImageArea);
  io.Rect("textarea", TextArea);
  io.Rect("checkimagerect", CheckImageRect);
  io.Rect("uncheckimagerect", UnCheckImageRect);
  io.Rect("activecheckimagerect", ActiveCheckImageRect);
  io.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
  io.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
  io.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
  io.Flag("morphing", Morphing);
  io.MorphKind("morphkind", MorphKind);
}

void TbsDataSkinScrollBoxControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Int("bgpictureindex", BGPictureIndex);
}

void TbsDataSkinPanelControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Int("bgpictureindex", BGPictureIndex);
  io.Rect("captionrect", CaptionRect);
  io.Alignment("alignment", Alignment);
  Exchange(io);
  io.Rect("checkimagerect", CheckImageRect);
  io.Rect("uncheckimagerect", UnCheckImageRect);
  io.Rect("markframerect", MarkFrameRect);
  io.Rect("framerect", FrameRect);
  io.Rect("frametextrect", FrameTextRect);
  io.Geometry("frameleftoffset", FrameLeftOffset);
  io.Geometry("framerightoffset", FrameRightOffset);
  io.Rect("gripperrect", GripperRect);
  io.Flag("grippertransparent", GripperTransparent);
  io.Color("grippertransparentcolor", GripperTransparentColor);
}

void TbsDataSkinExPanelControl::ExchangeKeys(TbsKeyIO& io) {
  TbsDataSkinCustomControl::ExchangeKeys(io);
  io.Rect("rollhskinrect", RollHSkinRect);
  io.Rect("rollvskinrect", RollVSkinRect);
  io.Geometry("rollleftoffset", RollLeftOffset);
  io.Geometry("rollrightoffset", RollRightOffset);
  io.Geometry("rolltopoffset", RollTopOffset);
  io.Geometry("rollbottomoffset", RollBottomOffset);
  io.Rect("rollvcaptionrect", RollVCaptionRect);
  io.Rect("rollhcaptionrect", RollHCaptionRect);
  io.Rect("closebuttonrect", CloseButtonRect);
  io.Rect("closebuttonactiverect", CloseButtonActiveRect);
  io.Rect("closebuttondownrect", CloseButtonDownRect);
  io.Rect("hrollbuttonrect", HRollButtonRect);
  io.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
  io.Rect("hrollbuttondownrect", HRollButtonDownRect);
  io.Rect("hrestorebuttonrect", HRestoreButtonRect);
  io.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
  io.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
  io.Rect("vrollbuttonrect", VRollButtonRect);
  io.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
  io.Rect("vrollbuttondownrect", VRollButtonDownRect);
  io.Rect("vrestorebuttonrect", VRestoreButtonRect);
  io.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
  io.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
  io.Rect("captionrect", CaptionRect);
  Exchange(io);
}

std::unique_ptr<TbsDataSkinControl> CreateSkinControl(std::string_view kind, std::string name) {
  using Make = std::function<std::unique_ptr<TbsDataSkinControl>(std::string)>;
  auto maker = [](auto tag) -> Make {
    using T = typename decltype(tag)::type;
    return [](std::string n) { return std::make_unique<T>(std::move(n)); };
  };
  static const std::pair<const char*, Make> kinds[] = {
      {"panel", maker(std::type_identity<TbsDataSkinPanelControl>())},
      {"expanel", maker(std::type_identity<TbsDataSkinExPanelControl>())},
      {"menubutton", maker(std::type_identity<TbsDataSkinMenuButtonControl>())},
      {"button", maker(std::type_identity<TbsDataSkinButtonControl>())},
      {"checkradio", maker(std::type_identity<TbsDataSkinCheckRadioControl>())},
      {"gauge", maker(std::type_identity<TbsDataSkinGaugeControl>())},
      {"splitter", maker(std::type_identity<TbsDataSkinSplitterControl>())},
      {"trackbar", maker(std::type_identity<TbsDataSkinTrackBarControl>())},
      {"label", maker(std::type_identity<TbsDataSkinLabelControl>())},
      {"stdlabel", maker(std::type_identity<TbsDataSkinStdLabelControl>())},
      {"updown", maker(std::type_identity<TbsDataSkinUpDownControl>())},
      {"grid", maker(std::type_identity<TbsDataSkinGridControl>())},
      {"tab", maker(std::type_identity<TbsDataSkinTabControl>())},
      {"mainmenubar", maker(std::type_identity<TbsDataSkinMainMenuBar>())},
      {"controlbar", maker(std::type_identity<TbsDataSkinControlBar>())},
      {"memo", maker(std::type_identity<TbsDataSkinMemoControl>())},
      {"edit", maker(std::type_identity<TbsDataSkinEditControl>())},
      {"checklistbox", maker(std::type_identity<TbsDataSkinCheckListBox>())},
      {"listbox", maker(std::type_identity<TbsDataSkinListBox>())},
      {"combobox", maker(std::type_identity<TbsDataSkinComboBox>())},
      {"scrollbar", maker(std::type_identity<TbsDataSkinScrollBarControl>())},
      {"spinedit", maker(std::type_identity<TbsDataSkinSpinEditControl>())},
      {"scrollbox", maker(std::type_identity<TbsDataSkinScrollBoxControl>())},
      {"treeview", maker(std::type_identity<TbsDataSkinTreeView>())},
      {"bevel", maker(std::type_identity<TbsDataSkinBevel>())},
      {"slider", maker(std::type_identity<TbsDataSkinSlider>())},
      {"listview", maker(std::type_identity<TbsDataSkinListView>())},
      {"richedit", maker(std::type_identity<TbsDataSkinRichEdit>())},
  };
  for (const auto& [word, make] : kinds)
    if (kind == word) {
      auto control = make(std::move(name));
      control->KindWord = word;
      return control;
    }
  return nullptr;
}

}  // namespace bs
