#include <gtest/gtest.h>

#include <string>

#include "skin/resources/bsSkinData.h"
#include "skin/resources/bsUtils.h"

using namespace bs;

namespace {

// A skin whose description is `text`, read as the last step of a load reads it.
struct TDescribed {
  TbsSkinDataCore Skin;
  explicit TDescribed(const std::string& text) { Skin.LoadFromIni(TbsMemIniFile(text)); }
  template <class T>
  const T* Control(const char* name) const {
    const int i = Skin.FindSkinControl(name);
    return i < 0 ? nullptr : dynamic_cast<const T*>(Skin.SkinControls[std::size_t(i)].get());
  }
  template <class T>
  const T* Object(const char* name) const {
    const int i = Skin.FindSkinObject(name);
    return i < 0 ? nullptr : dynamic_cast<const T*>(Skin.SkinObjects[std::size_t(i)].get());
  }
};

}  // namespace

TEST(SkinDescription, ListEntriesMakeTheirKindsAndSkipTheRest) {
  const TDescribed d(
      "[SKINCONTROLS]\ncount=9\n"
      "0=button:button\n1=grid:grid\n2=grid:tab\n3=edit:Edit\n4=gauge\n5=meter:meter\n"
      "6=:label\n8=buttonedit:edit\n9=beyond:panel\n"
      "[SKINOBJECTS]\ncount=3\n0=close:stdbutton\n1=x:caption\n2=y:userobject\n");
  // "edit:Edit" has a kind in the wrong case; "gauge" has no colon; "meter" is no kind;
  // key 7 is absent; key 9 lies past the count.
  ASSERT_EQ(d.Skin.SkinControls.size(), 5u);
  const char* names[] = {"button", "grid", "grid", "", "buttonedit"};
  const char* kinds[] = {"button", "grid", "tab", "label", "edit"};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(d.Skin.SkinControls[i]->IDName, names[i]);
    EXPECT_EQ(d.Skin.SkinControls[i]->KindWord, kinds[i]);
  }
  EXPECT_NE(d.Control<TbsDataSkinGridControl>("grid"), nullptr) << "of two entries named grid the first is found";
  EXPECT_EQ(d.Skin.FindSkinControl("Button"), -1) << "names are case-sensitive";
  EXPECT_EQ(d.Skin.FindSkinControl(""), 3) << "an empty name finds the entry with an empty name";
  EXPECT_EQ(d.Skin.FindSkinControl("butto"), -1);
  ASSERT_EQ(d.Skin.SkinObjects.size(), 3u);
  EXPECT_NE(d.Object<TbsDataSkinStdButton>("close"), nullptr);
  EXPECT_NE(d.Object<TbsDataUserObject>("y"), nullptr);
}

TEST(SkinDescription, EveryKindWordCreatesItsClass) {
  struct Case { const char* Kind; bool (*Is)(const TbsDataSkinControl*); };
  auto is = [](auto* tag) {
    using T = std::remove_pointer_t<decltype(tag)>;
    return +[](const TbsDataSkinControl* c) { return dynamic_cast<const T*>(c) != nullptr; };
  };
  const Case cases[] = {
      {"panel", is((TbsDataSkinPanelControl*)nullptr)}, {"expanel", is((TbsDataSkinExPanelControl*)nullptr)},
      {"menubutton", is((TbsDataSkinMenuButtonControl*)nullptr)}, {"button", is((TbsDataSkinButtonControl*)nullptr)},
      {"checkradio", is((TbsDataSkinCheckRadioControl*)nullptr)}, {"gauge", is((TbsDataSkinGaugeControl*)nullptr)},
      {"splitter", is((TbsDataSkinSplitterControl*)nullptr)}, {"trackbar", is((TbsDataSkinTrackBarControl*)nullptr)},
      {"label", is((TbsDataSkinLabelControl*)nullptr)}, {"stdlabel", is((TbsDataSkinStdLabelControl*)nullptr)},
      {"updown", is((TbsDataSkinUpDownControl*)nullptr)}, {"grid", is((TbsDataSkinGridControl*)nullptr)},
      {"tab", is((TbsDataSkinTabControl*)nullptr)}, {"mainmenubar", is((TbsDataSkinMainMenuBar*)nullptr)},
      {"controlbar", is((TbsDataSkinControlBar*)nullptr)}, {"memo", is((TbsDataSkinMemoControl*)nullptr)},
      {"edit", is((TbsDataSkinEditControl*)nullptr)}, {"checklistbox", is((TbsDataSkinCheckListBox*)nullptr)},
      {"listbox", is((TbsDataSkinListBox*)nullptr)}, {"combobox", is((TbsDataSkinComboBox*)nullptr)},
      {"scrollbar", is((TbsDataSkinScrollBarControl*)nullptr)}, {"spinedit", is((TbsDataSkinSpinEditControl*)nullptr)},
      {"scrollbox", is((TbsDataSkinScrollBoxControl*)nullptr)}, {"treeview", is((TbsDataSkinTreeView*)nullptr)},
      {"bevel", is((TbsDataSkinBevel*)nullptr)}, {"slider", is((TbsDataSkinSlider*)nullptr)},
      {"listview", is((TbsDataSkinListView*)nullptr)}, {"richedit", is((TbsDataSkinRichEdit*)nullptr)},
  };
  for (const Case& c : cases) {
    const auto control = CreateSkinControl(c.Kind, "x");
    ASSERT_NE(control, nullptr) << c.Kind;
    EXPECT_TRUE(c.Is(control.get())) << c.Kind;
  }
  // A plain button is no menu button, and a memo is also an edit.
  EXPECT_EQ(dynamic_cast<TbsDataSkinMenuButtonControl*>(CreateSkinControl("button", "b").get()), nullptr);
  EXPECT_NE(dynamic_cast<TbsDataSkinEditControl*>(CreateSkinControl("memo", "m").get()), nullptr);
  for (const char* kind : {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton", "button", "caption",
                           "animate", "userobject"})
    EXPECT_NE(CreateSkinObject(kind, "o"), nullptr) << kind;
  EXPECT_NE(dynamic_cast<TbsDataSkinMainMenuItem*>(CreateSkinObject("mainmenubaritem", "o").get()), nullptr);
  EXPECT_EQ(CreateSkinObject("StdButton", "o"), nullptr);
  EXPECT_EQ(CreateSkinControl("", "o"), nullptr);
}

TEST(SkinDescription, DefaultsOfAbsentKeys) {
  const TDescribed d(
      "[SKINOBJECTS]\ncount=5\n0=plain:stdbutton\n1=wrongcase:stdbutton\n2=cap:caption\n3=item:menuitem\n4=bar:mainmenubaritem\n"
      "[wrongcase]\ncommand=cmRollUp\n"
      "[SKINCONTROLS]\ncount=7\n0=tree:treeview\n1=lbl:stdlabel\n2=btn:button\n3=pnl:panel\n4=ud:updown\n5=lst:listbox\n6=g:grid\n"
      "[ud]\nlefttoppoint=3,4\nrightbottompoint=9,9\nclientrect=1,1,5,5\nupbuttonrect=0,0,15,11\n");
  EXPECT_EQ(d.Object<TbsDataSkinStdButton>("plain")->Command, TbsStdCommand::cmDefault);
  EXPECT_EQ(d.Object<TbsDataSkinStdButton>("wrongcase")->Command, TbsStdCommand::cmMinimizeToTray);
  EXPECT_EQ(d.Object<TbsDataSkinStdButton>("plain")->ActivePictureIndex, -1);
  EXPECT_EQ(d.Control<TbsDataSkinTreeView>("tree")->BGColor, 0) << "black, not white";
  EXPECT_EQ(d.Control<TbsDataSkinStdLabelControl>("lbl")->ActiveFontColor, 0xFF0000);
  EXPECT_EQ(d.Control<TbsDataSkinButtonControl>("btn")->AnimateInterval, 25);
  EXPECT_EQ(d.Object<TbsDataSkinCaption>("cap")->AnimateInterval, 25);
  EXPECT_EQ(d.Object<TbsDataSkinMenuItem>("item")->AnimateInterval, 25);
  EXPECT_EQ(d.Object<TbsDataSkinMainMenuItem>("bar")->AnimateInterval, 25);
  EXPECT_EQ(d.Control<TbsDataSkinPanelControl>("pnl")->Alignment, TAlignment::taCenter);
  EXPECT_EQ(d.Control<TbsDataSkinPanelControl>("pnl")->BGPictureIndex, -1);
  EXPECT_EQ(d.Control<TbsDataSkinPanelControl>("pnl")->FontName, "Arial");
  EXPECT_EQ(d.Control<TbsDataSkinPanelControl>("pnl")->FontHeight, 14);
  EXPECT_EQ(d.Control<TbsDataSkinButtonControl>("btn")->PictureIndex, -1);
  EXPECT_EQ(d.Control<TbsDataSkinListBox>("lst")->VScrollBarName, "vscrollbar");
  EXPECT_EQ(d.Control<TbsDataSkinListBox>("lst")->BothScrollBarName, "bothhscrollbar");
  EXPECT_EQ(d.Control<TbsDataSkinGridControl>("g")->Fixed.FontHeight, 14);
  const auto* ud = d.Control<TbsDataSkinUpDownControl>("ud");
  EXPECT_EQ(ud->Corners.LeftTopPoint, TPoint{}) << "an up-down is always a fixed piece";
  EXPECT_EQ(ud->Corners.RightBottomPoint, TPoint{});
  EXPECT_EQ(ud->Corners.ClientRect, TRect{});
  EXPECT_EQ(ud->UpButtonRect, (TRect{0, 0, 15, 11}));
  EXPECT_TRUE(d.Skin.PopupWindow.WindowPictureIndex == -1 && d.Skin.HintWindow.FontName == "Arial");
  EXPECT_EQ(d.Skin.SkinColors.cBtnFace, SystemColor(15));
  EXPECT_EQ(d.Skin.SkinColors.cBtnShadow, SystemColor(16));
}

TEST(SkinDescription, KeysWithOddSpellingsAreReadAsWritten) {
  const TDescribed d(
      "[SKINOBJECTS]\ncount=3\n0=b:button\n1=bar:mainmenubaritem\n2=item:menuitem\n"
      "[b]\ndisableskinrsect=1,2,3,4\n"
      "[bar]\nUNENABLEDFONTCOLOR=255\n"
      "[item]\nunenabledfontcolor=8421504\nmorphing=2\n");
  EXPECT_EQ(d.Object<TbsDataSkinButton>("b")->DisableSkinRect, (TRect{1, 2, 3, 4}));
  EXPECT_EQ(d.Object<TbsDataSkinMainMenuItem>("bar")->UnEnabledFontColor, 255) << "keys match without case";
  EXPECT_EQ(d.Object<TbsDataSkinMenuItem>("item")->UnEnabledFontColor, 8421504);
  EXPECT_FALSE(d.Object<TbsDataSkinMenuItem>("item")->Morphing) << "only 1 is true";
}

TEST(SkinDescription, FrameInfoIsAdjustedAfterReading) {
  struct Case {
    const char* Name;
    const char* Keys;
    TRect MaskArea;
    TPoint HitLeftTop, LeftTop, RightBottom;
  };
  const Case cases[] = {
      {"mask area taken from the client", "mask=m.bmp\nclientrect=4,24,175,128\nlefttoppoint=52,28\nrightbottompoint=170,123",
       {4, 24, 175, 128}, {52, 28}, {52, 28}, {170, 123}},
      {"mask area widened to the client", "mask=m.bmp\nclientrect=4,24,175,128\nmaskrectarea=10,14,176,100\nhittestlefttoppoint=19,0\nlefttoppoint=5,6\nrightbottompoint=9,9",
       {4, 14, 176, 128}, {5, 6}, {5, 24}, {9, 9}},
      {"no mask: nothing of the mask changes", "clientrect=4,24,175,128\nmaskrectarea=0,0,0,0\nlefttoppoint=1,1\nrightbottompoint=200,200",
       {0, 0, 0, 0}, {0, 0}, {4, 24}, {175, 128}},
      {"corner points on one line stay", "clientrect=4,24,175,128\nlefttoppoint=1,1\nrightbottompoint=1,200",
       {0, 0, 0, 0}, {0, 0}, {1, 1}, {1, 200}},
  };
  for (const Case& c : cases) {
    std::string keys = c.Keys;
    std::string pictures = keys.starts_with("mask=") ? "mask=m.bmp\n" : "";
    if (!pictures.empty()) keys = keys.substr(keys.find('\n') + 1);
    const TDescribed d("[PICTURES]\n" + pictures + "[FORMINFO]\n" + keys + "\n");
    const TbsFormInfo& f = d.Skin.FormInfo;
    EXPECT_EQ(f.MaskRectArea, c.MaskArea) << c.Name;
    EXPECT_EQ(f.HitTestLeftTopPoint, c.HitLeftTop) << c.Name;
    EXPECT_EQ(f.Corners.LeftTopPoint, c.LeftTop) << c.Name;
    EXPECT_EQ(f.Corners.RightBottomPoint, c.RightBottom) << c.Name;
  }
}

TEST(SkinDescription, ABadRectEndsTheRead) {
  TbsSkinDataCore skin;
  EXPECT_THROW(skin.LoadFromIni(TbsMemIniFile("[SKINCONTROLS]\ncount=1\n0=b:button\n[b]\nskinrect=1,2,3\n")),
               ESkinValueError);
}

TEST(SkinDescription, SavingWritesEveryKeyBackInItsSyntax) {
  // Every kind, with keys set away from their defaults, survives a save and a read.
  std::string text = "[SKINCONTROLS]\ncount=28\n";
  const char* kinds[] = {"panel", "expanel", "menubutton", "button", "checkradio", "gauge", "splitter",
                         "trackbar", "label", "stdlabel", "updown", "grid", "tab", "mainmenubar",
                         "controlbar", "memo", "edit", "checklistbox", "listbox", "combobox", "scrollbar",
                         "spinedit", "scrollbox", "treeview", "bevel", "slider", "listview", "richedit"};
  for (int i = 0; i < 28; ++i) text += std::to_string(i) + "=c" + std::to_string(i) + ":" + kinds[i] + "\n";
  text += "[SKINOBJECTS]\ncount=8\n0=o0:menuitem\n1=o1:mainmenubaritem\n2=o2:stdbutton\n3=o3:mainmenubarbutton\n"
          "4=o4:button\n5=o5:caption\n6=o6:animate\n7=o7:userobject\n";
  TbsSkinDataCore first;
  first.LoadFromIni(TbsMemIniFile(text));
  ASSERT_EQ(first.SkinControls.size(), 28u);
  ASSERT_EQ(first.SkinObjects.size(), 8u);
  auto* button = dynamic_cast<TbsDataSkinButtonControl*>(first.SkinControls[3].get());
  button->SkinRect = {130, 5, 199, 29};
  button->Corners.RightTopPoint = {51, 9};
  button->FontStyle.Bold = true;
  button->MorphKind = TbsMorphKind::mkRightSlide;
  button->Morphing = true;
  auto* caption = dynamic_cast<TbsDataSkinCaption*>(first.SkinObjects[5].get());
  caption->Alignment = TAlignment::taLeftJustify;
  caption->ActiveFontColor = 8421504;
  first.FormInfo.InActiveEffect = TbsInactiveEffect::Noise;

  TbsMemIniFile saved;
  first.SaveToIni(saved);
  TbsSkinDataCore second;
  second.LoadFromIni(TbsMemIniFile(saved.Text()));
  TbsMemIniFile again;
  second.SaveToIni(again);
  EXPECT_EQ(saved.Text(), again.Text());
  const auto* b2 = dynamic_cast<TbsDataSkinButtonControl*>(second.SkinControls[3].get());
  EXPECT_EQ(b2->SkinRect, (TRect{130, 5, 199, 29}));
  EXPECT_EQ(b2->Corners.RightTopPoint, (TPoint{51, 9}));
  EXPECT_TRUE(b2->FontStyle.Bold);
  EXPECT_TRUE(b2->Morphing);
  EXPECT_EQ(b2->MorphKind, TbsMorphKind::mkRightSlide);
  EXPECT_EQ(dynamic_cast<TbsDataSkinCaption*>(second.SkinObjects[5].get())->Alignment, TAlignment::taLeftJustify);
  EXPECT_EQ(second.FormInfo.InActiveEffect, TbsInactiveEffect::Noise);
  // A user object writes its place only.
  EXPECT_EQ(saved.Value("o7", "hint"), std::nullopt);
  EXPECT_TRUE(saved.Value("o7", "skinrect"));
  EXPECT_TRUE(saved.Value("o4", "disableskinrsect"));
}

TEST(SkinDescription, EachKeyOfTheCornerAndStretchGroupsLandsInItsMember) {
  // One key set at a time, in every section that holds the groups: only its member changes,
  // and the image builders get it at the same edge.
  struct Case {
    const char* Key;
    TbsCornerKeys Corners;
    TbsStretchKeys Stretch;
    TbsStretchFlags Flags;
  } cases[] = {
      {"lefttoppoint=3,4", {{3, 4}, {}, {}, {}, {}}, {}, {}},
      {"righttoppoint=3,4", {{}, {3, 4}, {}, {}, {}}, {}, {}},
      {"leftbottompoint=3,4", {{}, {}, {3, 4}, {}, {}}, {}, {}},
      {"rightbottompoint=3,4", {{}, {}, {}, {3, 4}, {}}, {}, {}},
      {"clientrect=1,2,3,4", {{}, {}, {}, {}, {1, 2, 3, 4}}, {}, {}},
      {"leftstretch=1", {}, {true, false, false, false}, {true, false, false, false, false}},
      {"topstretch=1", {}, {false, true, false, false}, {false, true, false, false, false}},
      {"rightstretch=1", {}, {false, false, true, false}, {false, false, true, false, false}},
      {"bottomstretch=1", {}, {false, false, false, true}, {false, false, false, true, false}},
  };
  auto same = [](const TbsStretchFlags& a, const TbsStretchFlags& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom && a.Client == b.Client;
  };
  for (const Case& c : cases) {
    const std::string key = std::string(c.Key) + "\n";
    // The popup window calls its client rect itemsrect.
    const std::string popupKey = key.starts_with("clientrect") ? "items" + key.substr(6) : key;
    // The frame holds its corner points inside its client rect: one wide enough keeps them.
    const bool clientCase = key.starts_with("clientrect");
    const TRect frameClient = clientCase ? c.Corners.ClientRect : TRect{0, 0, 100, 100};
    const std::string frameKeys = clientCase ? key : "clientrect=0,0,100,100\n" + key;
    const TDescribed d("[FORMINFO]\n" + frameKeys + "[HINTWINDOW]\n" + key + "[POPUPWINDOW]\n" + popupKey +
                       "[SKINCONTROLS]\ncount=2\n0=c:panel\n1=t:tab\n[c]\n" + key + "[t]\n" + key);
    TbsCornerKeys frame = c.Corners;
    frame.ClientRect = frameClient;
    EXPECT_EQ(d.Skin.FormInfo.Corners, frame) << c.Key << " in the frame";
    const auto* panel = d.Control<TbsDataSkinCustomControl>("c");
    const auto* tab = d.Control<TbsDataSkinTabControl>("t");
    ASSERT_TRUE(panel && tab);
    const std::pair<const char*, const TbsCornerKeys*> corners[] = {{"hint", &d.Skin.HintWindow.Corners},
                                                                    {"popup", &d.Skin.PopupWindow.Corners},
                                                                    {"control", &panel->Corners},
                                                                    {"tab", &tab->Corners}};
    for (auto [where, k] : corners) EXPECT_EQ(*k, c.Corners) << c.Key << " in the " << where;
    const std::pair<const char*, const TbsStretchKeys*> stretch[] = {{"frame", &d.Skin.FormInfo.Stretch},
                                                                     {"hint", &d.Skin.HintWindow.Stretch},
                                                                     {"popup", &d.Skin.PopupWindow.Stretch},
                                                                     {"control", &panel->Stretch},
                                                                     {"tab", &tab->Stretch}};
    for (auto [where, s] : stretch) {
      EXPECT_EQ(*s, c.Stretch) << c.Key << " in the " << where;
      EXPECT_TRUE(same(s->Flags(), c.Flags)) << c.Key << " in the " << where;
    }
    const TbsPieceGeometry g = d.Skin.HintWindow.Corners.Geometry();
    EXPECT_EQ(g, (TbsPieceGeometry{c.Corners.LeftTopPoint, c.Corners.RightTopPoint, c.Corners.LeftBottomPoint,
                                   c.Corners.RightBottomPoint, c.Corners.ClientRect}))
        << c.Key;
  }
  TbsStretchKeys none;
  EXPECT_TRUE(none.Flags(true).Client) << "the client's stretch is the control's own key";
}

// A damaged description may give any number: a distance beyond ±32,767 is no place in any skin
// picture, so its key is read as absent and keeps its default (the built-in look, for a rect).
TEST(SkinDescription, GeometryBeyondTheSkinsRangeIsReadAsAbsent) {
  const std::string head =
      "[SKINOBJECTS]\ncount=1\n0=item:menuitem\n[SKINCONTROLS]\ncount=2\n0=g:grid\n1=b:button\n";
  // With the keys absent: the defaults.
  const TDescribed plain(head);
  const auto* item0 = plain.Object<TbsDataSkinMenuItem>("item");
  const auto* grid0 = plain.Control<TbsDataSkinGridControl>("g");
  const auto* button0 = plain.Control<TbsDataSkinButtonControl>("b");
  ASSERT_TRUE(item0 && grid0 && button0);

  struct Case {
    const char* Value;
    bool Kept;
  } offsets[] = {
      {"32767", true},        {"-32767", true},       {"0", true},           {"32768", false},
      {"-32768", false},      {"2147483647", false},  {"-2147483648", false}, {"0x80000000", false},
  };
  for (const Case& c : offsets) {
    const std::string v = c.Value;
    const TDescribed d(head + "[item]\nitemrightoffset=" + v + "\ndividerleftoffset=" + v + "\n[g]\ncellleftoffset=" +
                       v + "\nfixedcellrightoffset=" + v + "\n[FORMINFO]\nbuttonsoffset=" + v + "\nborderwidth=" + v +
                       "\n");
    const int value = c.Kept ? ParseSkinInteger(v).value() : 0;
    const auto* item = d.Object<TbsDataSkinMenuItem>("item");
    const auto* grid = d.Control<TbsDataSkinGridControl>("g");
    ASSERT_TRUE(item && grid);
    EXPECT_EQ(item->ItemRightOffset, c.Kept ? value : item0->ItemRightOffset) << v;
    EXPECT_EQ(item->DividerLeftOffset, c.Kept ? value : item0->DividerLeftOffset) << v;
    EXPECT_EQ(grid->CellLeftOffset, c.Kept ? value : grid0->CellLeftOffset) << v;
    EXPECT_EQ(grid->FixedCellRightOffset, c.Kept ? value : grid0->FixedCellRightOffset) << v;
    EXPECT_EQ(d.Skin.FormInfo.ButtonsOffset, c.Kept ? value : plain.Skin.FormInfo.ButtonsOffset) << v;
    EXPECT_EQ(d.Skin.FormInfo.BorderWidth, c.Kept ? value : plain.Skin.FormInfo.BorderWidth) << v;
  }

  // Rects and points read their fields without signs: one field too large loses the whole key.
  struct RectCase {
    const char* Rect;
    const char* Point;
    bool Kept;
  } rects[] = {
      {"0,0,32767,20", "32767,4", true},
      {"0,0,32768,20", "32768,4", false},
      {"2147483647,0,10,20", "4,2147483647", false},
  };
  for (const RectCase& c : rects) {
    const TDescribed d(head + "[b]\nskinrect=" + c.Rect + "\nlefttoppoint=" + c.Point + "\n");
    const auto* button = d.Control<TbsDataSkinButtonControl>("b");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->SkinRect, c.Kept ? ParseRectText(c.Rect) : button0->SkinRect) << c.Rect;
    EXPECT_EQ(button->Corners.LeftTopPoint, c.Kept ? ParsePointText(c.Point) : button0->Corners.LeftTopPoint)
        << c.Point;
  }

  // A colour is no distance: every 32-bit value is one.
  const TDescribed colours(head + "[item]\nunenabledfontcolor=0xFF00000F\n");
  EXPECT_EQ(colours.Object<TbsDataSkinMenuItem>("item")->UnEnabledFontColor, int(0xFF00000F));
}
