#pragma once
// The control descriptions of [SKINCONTROLS]. Members carry the names of their keys; a
// member's initial value is the key's default.

#include <memory>
#include <string>
#include <string_view>

#include "skin/resources/bsSkinDataObjects.h"

namespace bs {

// The font group of a description: fontname, fontheight, fontstyle, fontcolor.
struct TbsFontGroup {
  std::string FontName = "Arial";
  int FontHeight = 14;
  TFontStyles FontStyle;
  TColor FontColor = 0;
  void Exchange(TbsKeyIO& io, std::string_view prefix = "") { io.Font(prefix, FontName, FontHeight, FontStyle, FontColor); }
};

// The six arrow-button pictures shared by scroll bars, up-downs, spin edits and list boxes.
struct TbsUpDownRects {
  TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
  void Exchange(TbsKeyIO& io);
};

class TbsDataSkinControl : public TbsDataSkinEntry {
 public:
  using TbsDataSkinEntry::TbsDataSkinEntry;
  int PictureIndex = -1;
  int MaskPictureIndex = -1;
  TRect SkinRect;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

// Kinds cut from one resizable piece: corner points, client rect and stretch flags.
class TbsDataSkinCustomControl : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  TbsCornerKeys Corners;
  TbsStretchKeys Stretch;
  // The client area stretched rather than tiled.
  bool StretchEffect = false;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinBevel : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  TColor LightColor = 0, DarkColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

// Tree view, list view and rich edit read the same keys.
class TbsDataSkinFontBgControl : public TbsDataSkinControl, public TbsFontGroup {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  TColor BGColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};
class TbsDataSkinTreeView : public TbsDataSkinFontBgControl { public: using TbsDataSkinFontBgControl::TbsDataSkinFontBgControl; };
class TbsDataSkinListView : public TbsDataSkinFontBgControl { public: using TbsDataSkinFontBgControl::TbsDataSkinFontBgControl; };
class TbsDataSkinRichEdit : public TbsDataSkinFontBgControl { public: using TbsDataSkinFontBgControl::TbsDataSkinFontBgControl; };

class TbsDataSkinSlider : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  TColor BGColor = 0;
  TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
  int EdgeSize = 0;
  TColor PointsColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  TRect ItemsRect;
  std::string MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
  TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinTabControl : public TbsDataSkinControl, public TbsFontGroup {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  TRect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect;
  TbsCornerKeys Corners;
  int BGPictureIndex = -1;
  int TabLeftOffset = 0, TabRightOffset = 0;
  TRect TabsBGRect;
  bool TabStretchEffect = false;
  TbsStretchKeys Stretch;
  TColor ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
  std::string UpDown;
  bool ShowFocus = false;
  int FocusOffsetX = 0, FocusOffsetY = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinGridControl : public TbsDataSkinControl, public TbsFontGroup {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  TRect FixedCellRect, SelectCellRect, FocusCellRect;
  int FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
  TRect FixedCellTextRect;
  int CellLeftOffset = 0, CellRightOffset = 0;
  TRect CellTextRect;
  TColor LinesColor = 0, BGColor = 0;
  TColor SelectFontColor = 0, FocusFontColor = 0;
  TbsFontGroup Fixed;
  bool CellStretchEffect = false, FixedCellStretchEffect = false;
  bool ShowFocus = false;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl, public TbsFontGroup {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  TColor ActiveFontColor = 0xFF0000;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect ItemRect;
  int BGPictureIndex = -1;
  TRect HGripRect, VGripRect;
  int GripOffset1 = 0, GripOffset2 = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl, public TbsUpDownRects {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  // An up-down is always cut as a fixed piece, whatever its section says.
  void LoadFromIni(const TbsMemIniFile& ini) override;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl, public TbsFontGroup {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect ActiveSkinRect, ItemRect, ActiveItemRect, FocusItemRect;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  TRect ItemTextRect;
  TColor FocusFontColor = 0, ActiveFontColor = 0;
  std::string ListBoxName;
  TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
  bool ItemStretchEffect = false, FocusItemStretchEffect = false;
  bool ShowFocus = false;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl, public TbsFontGroup, public TbsUpDownRects {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect ItemRect, ActiveItemRect, FocusItemRect;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  TRect ItemTextRect;
  TColor ActiveFontColor = 0, FocusFontColor = 0;
  TRect CaptionRect;
  TbsFontGroup Caption;
  TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
  std::string VScrollBarName = "vscrollbar", HScrollBarName = "hscrollbar", BothScrollBarName = "bothhscrollbar";
  bool ShowFocus = false;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
 public:
  using TbsDataSkinListBox::TbsDataSkinListBox;
  TRect ItemCheckRect, CheckImageRect, UnCheckImageRect;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl, public TbsUpDownRects {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect TrackArea;
  TRect ThumbRect, ActiveThumbRect, DownThumbRect;
  int ThumbOffset1 = 0, ThumbOffset2 = 0;
  bool ThumbTransparent = false;
  TColor ThumbTransparentColor = 0;
  TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl, public TbsFontGroup, public TbsUpDownRects {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect ActiveSkinRect;
  TColor ActiveFontColor = 0, DisabledFontColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl, public TbsFontGroup {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect ActiveSkinRect;
  TColor DisabledFontColor = 0, ActiveFontColor = 0;
  TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
 public:
  using TbsDataSkinEditControl::TbsDataSkinEditControl;
  TColor BGColor = 0, ActiveBGColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl, public TbsFontGroup {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect GripperRect;
  bool GripperTransparent = false;
  TColor GripperTransparentColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl, public TbsFontGroup {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect ProgressArea, ProgressRect;
  int BeginOffset = 0, EndOffset = 0;
  bool Vertical = false;
  bool ProgressTransparent = false;
  TColor ProgressTransparentColor = 0;
  bool ProgressStretch = false;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect TrackArea, ButtonRect, ActiveButtonRect;
  bool Vertical = false;
  bool ButtonTransparent = false;
  TColor ButtonTransparentColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl, public TbsFontGroup {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
  TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = TbsMorphKind::mkDefault;
  TRect AnimateSkinRect;
  int FrameCount = 0, AnimateInterval = 25;
  bool ShowFocus = false;
  TRect MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
  TColor MenuMarkerTransparentColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
 public:
  using TbsDataSkinButtonControl::TbsDataSkinButtonControl;
  TRect TrackButtonRect;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl, public TbsFontGroup {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TColor ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
  TRect ActiveSkinRect, CheckImageArea, TextArea;
  TRect CheckImageRect, UnCheckImageRect, ActiveCheckImageRect, ActiveUnCheckImageRect;
  TRect UnEnabledCheckImageRect, UnEnabledUnCheckImageRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = TbsMorphKind::mkDefault;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  int BGPictureIndex = -1;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl, public TbsFontGroup {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  int BGPictureIndex = -1;
  TRect CaptionRect;
  TAlignment Alignment = TAlignment::taCenter;
  TRect CheckImageRect, UnCheckImageRect, MarkFrameRect;
  TRect FrameRect, FrameTextRect;
  int FrameLeftOffset = 0, FrameRightOffset = 0;
  TRect GripperRect;
  bool GripperTransparent = false;
  TColor GripperTransparentColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl, public TbsFontGroup {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  TRect RollHSkinRect, RollVSkinRect;
  int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
  TRect RollVCaptionRect, RollHCaptionRect;
  TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
  TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
  TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
  TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
  TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
  TRect CaptionRect;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

// Creates the control description of a kind word (compared case-sensitively), or nothing
// for a word that is no kind.
std::unique_ptr<TbsDataSkinControl> CreateSkinControl(std::string_view kind, std::string name);

}  // namespace bs
