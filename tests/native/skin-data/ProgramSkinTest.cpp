// The program's own skin as the build embeds it: its structure, the values the windows rely
// on, and that the block holds exactly the committed folder.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resources/ProgramSkin.h"
#include "skin/resources/bsSkinData.h"

using namespace bs;

namespace {

const std::string kFolder = std::string(SPV_SOURCE_DIR) + "/resources/skin/";

class ProgramSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Skin = new TbsSkinDataCore;
    const auto block = spv::ProgramSkinBlock();
    Skin->LoadFromCompressedData(block.data(), block.size());
  }
  static void TearDownTestSuite() { delete Skin; }

  template <class T>
  static const T& Control(const char* name) {
    const int i = Skin->FindSkinControl(name);
    EXPECT_GE(i, 0) << name;
    const T* c = i < 0 ? nullptr : dynamic_cast<const T*>(Skin->SkinControls[std::size_t(i)].get());
    if (!c) throw std::runtime_error(std::string("no description ") + name + " of the kind needed");
    return *c;
  }
  template <class T>
  static const T& Object(const char* name) {
    const int i = Skin->FindSkinObject(name);
    const T* o = i < 0 ? nullptr : dynamic_cast<const T*>(Skin->SkinObjects[std::size_t(i)].get());
    if (!o) throw std::runtime_error(std::string("no frame object ") + name + " of the kind needed");
    return *o;
  }
  static TbsSkinDataCore* Skin;
};
TbsSkinDataCore* ProgramSkin::Skin = nullptr;

constexpr TRect R(int l, int t, int r, int b) { return {l, t, r, b}; }
constexpr TPoint P(int x, int y) { return {x, y}; }

}  // namespace

TEST_F(ProgramSkin, HasTheStructureTheProgramNeeds) {
  const auto block = spv::ProgramSkinBlock();
  ASSERT_GE(block.size(), 2u);
  EXPECT_EQ(block[0], 0x78);
  EXPECT_EQ(block[1], 0xDA);
  ASSERT_FALSE(Skin->IsEmpty);
  EXPECT_EQ(Skin->SkinObjects.size(), 12u);
  EXPECT_EQ(Skin->SkinControls.size(), 61u);
  ASSERT_EQ(Skin->ActivePictures.size(), 8u);
  EXPECT_EQ(Skin->Picture.Width(), 179);
  EXPECT_EQ(Skin->Picture.Height(), 134);
  EXPECT_TRUE(Skin->InactivePicture.Empty());
  EXPECT_EQ(Skin->MaskPicture.Width(), 179);
  EXPECT_EQ(Skin->MaskPicture.Height(), 134);
  EXPECT_EQ(Skin->MaskPicture.BitCount, 1);
  const int sizes[8][3] = {{69, 55, 24}, {101, 71, 24}, {79, 43, 24}, {398, 407, 24},
                           {69, 27, 24}, {69, 55, 1},   {69, 27, 1},  {69, 24, 1}};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Skin->ActivePictures[std::size_t(i)].Width(), sizes[i][0]) << i;
    EXPECT_EQ(Skin->ActivePictures[std::size_t(i)].Height(), sizes[i][1]) << i;
    EXPECT_EQ(Skin->ActivePictures[std::size_t(i)].BitCount, sizes[i][2]) << i;
  }
}

TEST_F(ProgramSkin, ListsItsDescriptionsInOrderWithTheirKinds) {
  const char* objects[] = {"MENUITEM:menuitem", "caption1:caption", "closebutton:stdbutton", "maxbutton:stdbutton",
                           "minbutton:stdbutton", "rollupbutton:stdbutton", "sysmenubutton:stdbutton",
                           "mainmenubaritem:mainmenubaritem", "menubarsysmenubutton:mainmenubarbutton",
                           "menubarclosebutton:mainmenubarbutton", "menubarmaxbutton:mainmenubarbutton",
                           "menubarminbutton:mainmenubarbutton"};
  for (std::size_t i = 0; i < 12; ++i)
    EXPECT_EQ(Skin->SkinObjects[i]->IDName + ":" + Skin->SkinObjects[i]->KindWord, objects[i]);
  const char* controls[] = {
      "button:button", "toolbutton:button", "toolpanel:panel", "checkbox:checkradio", "radiobox:checkradio",
      "gauge:gauge", "panel:panel", "label:label", "trackbar:trackbar", "vgauge:gauge", "htrackbar:trackbar",
      "grid:grid", "tab:tab", "edit:edit", "memo:memo", "vscrollbar:scrollbar", "hscrollbar:scrollbar",
      "listbox:listbox", "combobox:combobox", "checklistbox:checklistbox", "spinedit:spinedit", "groupbox:panel",
      "stdlabel:stdlabel", "statusbar:panel", "statuspanel:label", "vupdown:updown", "hupdown:updown",
      "buttonedit:edit", "captionlistbox:listbox", "captionchecklistbox:checklistbox", "captioncombobox:combobox",
      "mainmenubar:mainmenubar", "controlbar:controlbar", "resizebutton:button", "vsplitter:splitter",
      "hsplitter:splitter", "bothhscrollbar:scrollbar", "bigtoolpanel:panel", "bigtoolbutton:button",
      "toolmenubutton:menubutton", "toolmenutrackbutton:menubutton", "bigtoolmenutrackbutton:menubutton",
      "bigtoolmenubutton:menubutton", "scrollbox:scrollbox", "listview:listview", "treeview:treeview",
      "statusgauge:gauge", "richedit:richedit", "expanel:expanel", "slider:slider", "bevel:bevel",
      "statusedit:edit", "statusbuttonedit:edit", "statusspinedit:spinedit", "statuscombobox:combobox",
      "tooledit:edit", "toolbuttonedit:edit", "toolspinedit:spinedit", "toolcombobox:combobox",
      "resizetoolbutton:button", "resizetoolpanel:panel"};
  for (std::size_t i = 0; i < 61; ++i)
    EXPECT_EQ(Skin->SkinControls[i]->IDName + ":" + Skin->SkinControls[i]->KindWord, controls[i]);
}

TEST_F(ProgramSkin, FrameValuesThatTheWindowsRelyOn) {
  const TbsFormInfo& f = Skin->FormInfo;
  EXPECT_EQ(f.Corners.LeftTopPoint, P(52, 28));
  EXPECT_EQ(f.Corners.RightTopPoint, P(74, 28));
  EXPECT_EQ(f.Corners.LeftBottomPoint, P(5, 125));
  EXPECT_EQ(f.Corners.RightBottomPoint, P(170, 123));
  EXPECT_EQ(f.Corners.ClientRect, R(4, 24, 175, 128));
  EXPECT_EQ(f.MaskRectArea, R(4, 14, 176, 131));
  EXPECT_EQ(f.HitTestLeftTopPoint, P(19, 18));
  EXPECT_EQ(f.HitTestRightTopPoint, P(158, 19));
  EXPECT_EQ(f.HitTestLeftBottomPoint, P(7, 125));
  EXPECT_EQ(f.HitTestRightBottomPoint, P(172, 125));
  EXPECT_EQ(f.ButtonsRect, R(99, 7, 164, 15));
  EXPECT_TRUE(RectIsEmpty(f.CaptionRect));
  EXPECT_EQ(f.ButtonsOffset, 0);
  EXPECT_FALSE(f.ButtonsInLeft);
  EXPECT_EQ(f.BorderWidth, 3);
  EXPECT_EQ(f.FormMinWidth, 0);
  EXPECT_FALSE(f.AutoRenderingInActiveImage);
  EXPECT_EQ(f.InActiveEffect, TbsInactiveEffect::Grayscale);
  EXPECT_EQ(f.BGPictureIndex, -1);
  EXPECT_FALSE(f.Stretch.LeftStretch || f.Stretch.RightStretch || f.Stretch.TopStretch || f.Stretch.BottomStretch);

  const auto& caption = Object<TbsDataSkinCaption>("caption1");
  EXPECT_EQ(caption.SkinRect, R(39, 4, 99, 18));
  EXPECT_FALSE(caption.SkinRectInAPicture);
  EXPECT_TRUE(RectIsEmpty(caption.ActiveSkinRect)) << "drawn straight onto the frame";
  EXPECT_EQ(caption.FontName, "Arial");
  EXPECT_EQ(caption.FontHeight, 14);
  EXPECT_TRUE(caption.FontStyle.Bold);
  EXPECT_EQ(caption.ActiveFontColor, 0);
  EXPECT_EQ(caption.FontColor, 8421504);
  EXPECT_EQ(caption.Alignment, TAlignment::taLeftJustify);

  struct Button { const char* Name; TbsStdCommand Command; const char* Hint; };
  for (const Button& b : {Button{"closebutton", TbsStdCommand::cmClose, "Close"},
                          Button{"maxbutton", TbsStdCommand::cmMaximize, "Maximize"},
                          Button{"minbutton", TbsStdCommand::cmMinimize, "Minimize"},
                          Button{"rollupbutton", TbsStdCommand::cmRollUp, "RollUp"}}) {
    const auto& o = Object<TbsDataSkinStdButton>(b.Name);
    EXPECT_EQ(o.Command, b.Command) << b.Name;
    EXPECT_EQ(o.Hint, b.Hint) << b.Name;
    EXPECT_TRUE(o.SkinRectInAPicture) << b.Name;
    EXPECT_EQ(o.ActivePictureIndex, 2) << b.Name;
    EXPECT_EQ(o.SkinRect.Width(), 16) << b.Name;
    EXPECT_EQ(o.SkinRect.Height(), 8) << b.Name;
    EXPECT_FALSE(o.Morphing) << b.Name;
    for (const TRect& r : {o.ActiveSkinRect, o.DownRect, o.InActiveSkinRect}) {
      EXPECT_EQ(r.Width(), 16) << b.Name;
      EXPECT_EQ(r.Height(), 8) << b.Name;
    }
  }
  EXPECT_FALSE(RectIsEmpty(Object<TbsDataSkinStdButton>("maxbutton").RestoreRect));
  const auto& sys = Object<TbsDataSkinStdButton>("sysmenubutton");
  EXPECT_EQ(sys.Command, TbsStdCommand::cmSysMenu);
  EXPECT_EQ(sys.Hint, "System menu");
  EXPECT_FALSE(sys.SkinRectInAPicture);
  EXPECT_EQ(sys.SkinRect, R(20, 6, 35, 13));
}

TEST_F(ProgramSkin, MenuAndHintGeometry) {
  const TbsDataSkinPopupWindow& p = Skin->PopupWindow;
  EXPECT_EQ(p.WindowPictureIndex, 0);
  EXPECT_EQ(p.MaskPictureIndex, 5);
  EXPECT_EQ(p.Corners.LeftTopPoint, P(27, 12));
  EXPECT_EQ(p.Corners.RightTopPoint, P(59, 15));
  EXPECT_EQ(p.Corners.LeftBottomPoint, P(9, 41));
  EXPECT_EQ(p.Corners.RightBottomPoint, P(41, 43));
  EXPECT_EQ(p.Corners.ClientRect, R(6, 11, 64, 45));
  EXPECT_EQ(p.ScrollMarkerColor, 8421504);
  EXPECT_EQ(p.ScrollMarkerActiveColor, 0);
  EXPECT_FALSE(p.Stretch.LeftStretch || p.Stretch.RightStretch || p.Stretch.TopStretch || p.Stretch.BottomStretch);

  ASSERT_FALSE(Skin->SkinObjects.empty());
  const auto* item = dynamic_cast<const TbsDataSkinMenuItem*>(Skin->SkinObjects.front().get());
  ASSERT_NE(item, nullptr) << "the first menu item description is MENUITEM";
  EXPECT_EQ(item->IDName, "MENUITEM");
  EXPECT_EQ(item->ActivePictureIndex, 1);
  EXPECT_EQ(item->SkinRect, R(7, 32, 63, 50));
  EXPECT_EQ(item->ActiveSkinRect, R(7, 12, 63, 30));
  EXPECT_FALSE(item->Morphing);
  EXPECT_EQ(item->ItemLeftOffset, 5);
  EXPECT_EQ(item->ItemRightOffset, 5);
  EXPECT_EQ(item->DividerRect, R(5, 51, 65, 56));
  EXPECT_EQ(item->DividerLeftOffset, 5);
  EXPECT_EQ(item->DividerRightOffset, 5);
  EXPECT_EQ(item->TextRect, R(4, 3, 52, 15));
  EXPECT_TRUE(RectIsEmpty(item->ImageRect));
  EXPECT_EQ(item->FontName, "Arial");
  EXPECT_EQ(item->FontHeight, 14);
  EXPECT_EQ(item->FontStyle, TFontStyles{});
  EXPECT_EQ(item->FontColor, 0);
  EXPECT_EQ(item->ActiveFontColor, 0);
  EXPECT_EQ(item->UnEnabledFontColor, 8421504);
  EXPECT_FALSE(item->StretchEffect || item->InActiveStretchEffect || item->DividerStretchEffect);
  EXPECT_EQ(item->FrameCount, 0);

  // A 100 x 16 text gives a 111 x 32 hint: the client rect leaves 6 + 5 across and 6 + 10 down.
  const TbsDataSkinHintWindow& h = Skin->HintWindow;
  EXPECT_EQ(h.WindowPictureIndex, 4);
  EXPECT_EQ(h.MaskPictureIndex, 6);
  const TbsSkinBitmap& hint = Skin->ActivePictures[4];
  EXPECT_EQ(100 + h.Corners.ClientRect.Left + (hint.Width() - h.Corners.ClientRect.Right), 111);
  EXPECT_EQ(16 + h.Corners.ClientRect.Top + (hint.Height() - h.Corners.ClientRect.Bottom), 32);
}

TEST_F(ProgramSkin, ControlValuesThatTheWindowsRelyOn) {
  const auto& button = Control<TbsDataSkinButtonControl>("button");
  EXPECT_EQ(button.SkinRect.Width(), 69);
  EXPECT_EQ(button.SkinRect.Height(), 24);
  EXPECT_EQ(button.Corners.LeftTopPoint.X, 17);
  EXPECT_EQ(button.Corners.RightTopPoint, P(51, 9));
  EXPECT_EQ(button.Corners.RightBottomPoint, P(0, 0));
  EXPECT_EQ(button.Corners.ClientRect, R(6, 5, 63, 19));
  EXPECT_EQ(button.MaskPictureIndex, 7);
  EXPECT_EQ(button.DisabledFontColor, 8421504);
  for (const TRect& r : {button.ActiveSkinRect, button.DownSkinRect, button.DisabledSkinRect})
    EXPECT_EQ(r.Width() * 100 + r.Height(), 69 * 100 + 24) << "every state of the button is a whole picture";

  const auto& edit = Control<TbsDataSkinEditControl>("buttonedit");
  EXPECT_EQ(edit.SkinRect, R(281, 201, 349, 223));
  EXPECT_EQ(edit.Corners.LeftTopPoint, P(15, 8));
  EXPECT_EQ(edit.Corners.RightTopPoint, P(45, 11));
  EXPECT_EQ(edit.Corners.ClientRect, R(7, 4, 47, 18));
  EXPECT_EQ(edit.ButtonRect, R(48, 2, 65, 20));
  EXPECT_EQ(edit.ActiveButtonRect, R(259, 202, 276, 220));
  EXPECT_EQ(edit.DownButtonRect, R(258, 226, 275, 244));
  EXPECT_TRUE(RectIsEmpty(edit.UnEnabledButtonRect) && RectIsEmpty(edit.ActiveSkinRect));
  EXPECT_EQ(edit.DisabledFontColor, 8421504);
  EXPECT_EQ(edit.MaskPictureIndex, -1);

  const auto& tab = Control<TbsDataSkinTabControl>("tab");
  EXPECT_EQ(tab.SkinRect, R(1, 146, 96, 225));
  EXPECT_EQ(tab.Corners.ClientRect, R(2, 2, 93, 77));
  EXPECT_EQ(tab.TabRect, R(1, 127, 46, 144));
  EXPECT_EQ(tab.ActiveTabRect, R(121, 108, 166, 125));
  EXPECT_EQ(tab.FocusTabRect, R(101, 127, 146, 144));
  EXPECT_EQ(tab.MouseInTabRect, R(51, 127, 96, 144));
  EXPECT_EQ(tab.TabsBGRect, R(9, 152, 87, 172));
  EXPECT_EQ(tab.Corners.LeftTopPoint, P(5, 6));
  EXPECT_EQ(tab.Corners.RightTopPoint, P(93, 4));
  EXPECT_EQ(tab.Corners.LeftBottomPoint, P(4, 73));
  EXPECT_EQ(tab.Corners.RightBottomPoint, P(90, 75));
  EXPECT_EQ(tab.TabLeftOffset, 10);
  EXPECT_EQ(tab.TabRightOffset, 10);
  EXPECT_EQ(tab.BGPictureIndex, -1);
  EXPECT_EQ(tab.UpDown, "hupdown");
  EXPECT_FALSE(tab.ShowFocus);

  const auto& grid = Control<TbsDataSkinGridControl>("grid");
  EXPECT_EQ(grid.FixedCellRect, grid.SelectCellRect);
  EXPECT_EQ(grid.FocusCellRect.Top, grid.FixedCellRect.Bottom) << "the focused cell lies below";
  for (const TRect& r : {grid.FixedCellRect, grid.FocusCellRect}) EXPECT_EQ(r.Width() * 100 + r.Height(), 2720);
  EXPECT_EQ(grid.FixedCellTextRect, R(2, 2, 24, 17));
  EXPECT_EQ(grid.CellTextRect, R(2, 2, 24, 17));
  EXPECT_EQ(grid.CellLeftOffset + grid.CellRightOffset + grid.FixedCellLeftOffset + grid.FixedCellRightOffset, 40);
  EXPECT_EQ(grid.LinesColor, 0xC0C0C0);
  EXPECT_EQ(grid.BGColor, 0xFFFFFF);
  EXPECT_TRUE(grid.Fixed.FontStyle.Bold);
  EXPECT_FALSE(grid.FontStyle.Bold);
  EXPECT_FALSE(grid.ShowFocus || grid.CellStretchEffect || grid.FixedCellStretchEffect);

  const auto& gauge = Control<TbsDataSkinGaugeControl>("gauge");
  EXPECT_EQ(gauge.SkinRect, R(53, 26, 126, 40));
  EXPECT_EQ(gauge.Corners.RightTopPoint, P(67, 4));
  EXPECT_EQ(gauge.ProgressArea, R(1, 1, 72, 13));
  EXPECT_EQ(gauge.ProgressRect, R(4, 26, 31, 38));
  EXPECT_EQ(gauge.BeginOffset, 10);
  EXPECT_EQ(gauge.EndOffset, 10);
  EXPECT_TRUE(gauge.ProgressTransparent);
  EXPECT_EQ(gauge.ProgressTransparentColor, 16711935);
  EXPECT_FALSE(gauge.ProgressStretch);

  const auto& group = Control<TbsDataSkinPanelControl>("groupbox");
  EXPECT_EQ(group.SkinRect, R(307, 5, 374, 70));
  EXPECT_EQ(group.Corners.LeftTopPoint, P(15, 20));
  EXPECT_EQ(group.Corners.RightTopPoint, P(52, 20));
  EXPECT_EQ(group.Corners.LeftBottomPoint, P(6, 62));
  EXPECT_EQ(group.Corners.RightBottomPoint, P(62, 62));
  EXPECT_EQ(group.Corners.ClientRect, R(2, 20, 65, 63));
  EXPECT_EQ(group.CaptionRect, R(12, 3, 55, 13));
  EXPECT_EQ(group.Alignment, TAlignment::taCenter);
  EXPECT_EQ(group.MaskPictureIndex, -1);

  const auto& panel = Control<TbsDataSkinPanelControl>("panel");
  EXPECT_EQ(panel.SkinRect, R(1, 146, 96, 225));
  EXPECT_EQ(panel.Corners.LeftTopPoint, P(4, 4));
  EXPECT_EQ(panel.Corners.RightTopPoint, P(89, 3));
  EXPECT_EQ(panel.Corners.LeftBottomPoint, P(2, 76));
  EXPECT_EQ(panel.Corners.RightBottomPoint, P(90, 75));
  EXPECT_EQ(panel.Corners.ClientRect, R(2, 2, 93, 77));
  EXPECT_FALSE(panel.StretchEffect);
  EXPECT_TRUE(RectIsEmpty(panel.CaptionRect));
  EXPECT_EQ(panel.FontHeight, 12);

  const auto& resize = Control<TbsDataSkinButtonControl>("resizebutton");
  EXPECT_EQ(resize.SkinRect, R(40, 228, 69, 253));
  EXPECT_EQ(resize.ActiveSkinRect, R(71, 228, 100, 253));
  EXPECT_EQ(resize.DownSkinRect, R(102, 228, 131, 253));
  EXPECT_TRUE(RectIsEmpty(resize.DisabledSkinRect));
  EXPECT_EQ(resize.Corners.LeftTopPoint, P(8, 10));
  EXPECT_EQ(resize.Corners.RightTopPoint, P(22, 5));
  EXPECT_EQ(resize.Corners.LeftBottomPoint, P(5, 19));
  EXPECT_EQ(resize.Corners.RightBottomPoint, P(21, 17));
  EXPECT_EQ(resize.Corners.ClientRect, R(4, 3, 25, 22));
  EXPECT_EQ(resize.DisabledFontColor, 8421504);

  const auto& label = Control<TbsDataSkinStdLabelControl>("stdlabel");
  EXPECT_EQ(label.FontColor, 0);
  EXPECT_EQ(label.ActiveFontColor, TColor(0x965A2A)) << "the calendar's title, dark on the light panel";
  EXPECT_EQ(label.FontStyle, TFontStyles{});
  const auto& bevel = Control<TbsDataSkinBevel>("bevel");
  EXPECT_EQ(bevel.LightColor, 16777215);
  EXPECT_EQ(bevel.DarkColor, 8421504);

  const auto& v = Control<TbsDataSkinScrollBarControl>("vscrollbar");
  EXPECT_EQ(v.SkinRect.Width() * 100 + v.SkinRect.Height(), 13 * 100 + 75);
  EXPECT_EQ(v.Corners.LeftTopPoint, P(6, 22));
  EXPECT_EQ(v.Corners.LeftBottomPoint, P(5, 54));
  EXPECT_EQ(v.TrackArea, R(0, 12, 13, 63));
  EXPECT_EQ(v.UpButtonRect, R(2, 65, 11, 73));
  EXPECT_EQ(v.DownButtonRect, R(2, 2, 11, 10));
  EXPECT_EQ(v.DownUpButtonRect, R(241, 60, 250, 68));
  EXPECT_EQ(v.DownDownButtonRect, R(241, 50, 250, 58));
  EXPECT_EQ(v.ThumbRect, R(241, 5, 254, 25));
  EXPECT_EQ(v.ActiveThumbRect, R(241, 27, 254, 47));
  EXPECT_EQ(v.ThumbOffset1, 8);
  EXPECT_EQ(v.ThumbOffset2, 8);
  EXPECT_TRUE(v.ThumbTransparent);
  EXPECT_EQ(v.ThumbTransparentColor, 16711935);
  const auto& h = Control<TbsDataSkinScrollBarControl>("hscrollbar");
  EXPECT_EQ(h.SkinRect.Width() * 100 + h.SkinRect.Height(), 75 * 100 + 13);
  EXPECT_EQ(h.TrackArea, R(12, 0, 63, 13));
  EXPECT_EQ(h.UpButtonRect, R(65, 2, 73, 11));
  EXPECT_EQ(h.DownButtonRect, R(2, 2, 10, 11));
  EXPECT_EQ(h.ThumbRect, R(146, 221, 166, 235));
  EXPECT_EQ(h.ActiveThumbRect, R(168, 221, 188, 235));
  const auto& both = Control<TbsDataSkinScrollBarControl>("bothhscrollbar");
  EXPECT_EQ(both.SkinRect.Width() * 100 + both.SkinRect.Height(), 88 * 100 + 13);
  EXPECT_EQ(both.TrackArea, R(12, 0, 63, 13));

  const auto& tree = Control<TbsDataSkinTreeView>("treeview");
  EXPECT_EQ(tree.BGColor, 0xFFFFFF) << "a white tree, not the black default";
}

TEST_F(ProgramSkin, EveryPictureIndexAndRectangleLiesInItsPicture) {
  auto inside = [](const TRect& r, const TbsSkinBitmap* pic) {
    return RectIsEmpty(r) || (pic && r.Left >= 0 && r.Top >= 0 && r.Right <= pic->Width() && r.Bottom <= pic->Height());
  };
  for (const auto& c : Skin->SkinControls) {
    if (RectIsEmpty(c->SkinRect)) continue;
    EXPECT_NE(Skin->ActivePicture(c->PictureIndex), nullptr) << c->IDName;
    EXPECT_TRUE(inside(c->SkinRect, Skin->ActivePicture(c->PictureIndex))) << c->IDName;
  }
  for (const auto& o : Skin->SkinObjects) {
    const TbsSkinBitmap* pic = o->SkinRectInAPicture ? Skin->ActivePicture(o->ActivePictureIndex) : &Skin->Picture;
    EXPECT_TRUE(inside(o->SkinRect, pic)) << o->IDName;
    EXPECT_TRUE(inside(o->ActiveSkinRect, Skin->ActivePicture(o->ActivePictureIndex))) << o->IDName;
  }
}

TEST_F(ProgramSkin, TheBlockHoldsTheCommittedFolderExactly) {
  TbsCompressedStoredSkinCore fromFolder;
  fromFolder.LoadFromSkinFile(kFolder + "skin.ini");
  TMemoryStream expected;
  fromFolder.DecompressTo(expected);

  const auto block = spv::ProgramSkinBlock();
  TbsCompressedStoredSkinCore embedded;
  embedded.CompressedData.WriteBuffer(block.data(), block.size());
  TMemoryStream actual;
  embedded.DecompressTo(actual);
  EXPECT_EQ(actual.Bytes(), expected.Bytes()) << "resources/skin changed without a rebuild of the block";

  // And the folder's pictures come back pixel for pixel, its description line for line.
  const char* frame[] = {"frame.bmp", "framemask.bmp"};
  const TbsSkinBitmap* loaded[] = {&Skin->Picture, &Skin->MaskPicture};
  for (int i = 0; i < 2; ++i) {
    const TbsSkinBitmap file = LoadBitmapFromFile(kFolder + frame[i]);
    ASSERT_EQ(file.Image.ByteSize(), loaded[i]->Image.ByteSize()) << frame[i];
    EXPECT_EQ(std::memcmp(file.Image.Bits(), loaded[i]->Image.Bits(), file.Image.ByteSize()), 0) << frame[i];
  }
  ASSERT_EQ(Skin->ActivePictureNames.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    const TbsSkinBitmap file = LoadBitmapFromFile(kFolder + Skin->ActivePictureNames[i]);
    EXPECT_EQ(file.BitCount, Skin->ActivePictures[i].BitCount);
    ASSERT_EQ(file.Image.ByteSize(), Skin->ActivePictures[i].Image.ByteSize()) << i;
    EXPECT_EQ(std::memcmp(file.Image.Bits(), Skin->ActivePictures[i].Image.Bits(), file.Image.ByteSize()), 0) << i;
  }
  const auto raw = ReadFileBytes(kFolder + "skin.ini");
  const auto lines = SplitSkinLines(std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  const auto& bytes = actual.Bytes();
  ASSERT_GE(bytes.size(), text.size());
  EXPECT_EQ(std::string(bytes.end() - std::ptrdiff_t(text.size()), bytes.end()), text);
  EXPECT_EQ(lines.front(), "[VERSION]");
}
