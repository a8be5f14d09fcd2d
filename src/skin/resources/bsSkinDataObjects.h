#pragma once
// The descriptions of a skin: frame objects ([SKINOBJECTS]), controls ([SKINCONTROLS]) and
// the single descriptions of the popup window, the hint window and the skin colours. They
// are plain objects owned by the skin data. Members carry the names of their keys; a
// member's initial value is the key's default.

#include <memory>
#include <string>
#include <string_view>

#include "skin/resources/bsSkinDataKeys.h"

namespace bs {

// ---- common base -------------------------------------------------------------------

class TbsDataSkinEntry {
 public:
  explicit TbsDataSkinEntry(std::string idName) : IDName(std::move(idName)) {}
  virtual ~TbsDataSkinEntry() = default;
  TbsDataSkinEntry(const TbsDataSkinEntry&) = delete;
  TbsDataSkinEntry& operator=(const TbsDataSkinEntry&) = delete;

  // Reads the entry's own section, [IDName].
  virtual void LoadFromIni(const TbsMemIniFile& ini);
  // Writes the same keys back, after erasing the section.
  virtual void SaveToIni(TbsMemIniFile& ini);

  std::string IDName;
  // The kind word of the list entry that created the description.
  std::string KindWord;

 protected:
  // Each class passes its parent's keys first, then its own.
  virtual void ExchangeKeys(TbsKeyIO& io) = 0;
};

// ---- frame objects ----------------------------------------------------------------
// The key groups of the frame objects are shared with the frame's runtime objects, which copy
// each group as a whole.

// The keys of every frame object.
struct TbsObjectKeys {
  std::string Hint;
  int ActivePictureIndex = -1;
  bool SkinRectInAPicture = false;
  TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = TbsMorphKind::mkDefault;
  void Exchange(TbsKeyIO& io);
};

// A button's pressed and disabled pictures.
struct TbsButtonKeys {
  TRect DownRect, DisableSkinRect;
  void Exchange(TbsKeyIO& io);
};

// The looks of a caption button whose command is in its reversed state (maximised, minimised,
// rolled up).
struct TbsRestoreKeys {
  TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
  void Exchange(TbsKeyIO& io);
};

// An animated button's strip and its command.
struct TbsAnimateKeys {
  int CountFrames = 1;
  bool Cycle = false;
  bool ButtonStyle = false;
  int TimerInterval = 50;
  TbsStdCommand Command = TbsStdCommand::cmDefault;
  TRect DownSkinRect;
  void Exchange(TbsKeyIO& io);
};

class TbsDataSkinObject : public TbsDataSkinEntry, public TbsObjectKeys {
 public:
  using TbsDataSkinEntry::TbsDataSkinEntry;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataUserObject : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;

 protected:
  // A user object reads its place only.
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinButton : public TbsDataSkinObject, public TbsButtonKeys {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinStdButton : public TbsDataSkinButton, public TbsRestoreKeys {
 public:
  using TbsDataSkinButton::TbsDataSkinButton;
  TbsStdCommand Command = TbsStdCommand::cmDefault;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
 public:
  using TbsDataSkinStdButton::TbsDataSkinStdButton;
};

class TbsDataSkinAnimate : public TbsDataSkinObject, public TbsAnimateKeys, public TbsRestoreKeys {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  TRect DividerRect;
  int DividerLeftOffset = 0, DividerRightOffset = 0;
  TRect TextRect, ImageRect;
  std::string FontName = "Arial";
  int FontHeight = 14;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0;
  bool StretchEffect = false, InActiveStretchEffect = false, DividerStretchEffect = false;
  TRect AnimateSkinRect;
  int FrameCount = 0, AnimateInterval = 25;
  bool InActiveAnimation = false;
  bool UseImageColor = false;
  TColor ImageColor = 0, ActiveImageColor = 0;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  TRect DownRect, TextRect;
  std::string FontName = "Arial";
  int FontHeight = 14;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
  bool StretchEffect = false;
  TRect AnimateSkinRect;
  int FrameCount = 0, AnimateInterval = 25;
  bool InActiveAnimation = false;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
 public:
  using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
};

// The keys of a caption text area, which the frame's caption object keeps a copy of.
struct TbsDataCaptionKeys {
  TRect TextRect;
  std::string FontName = "Arial";
  int FontHeight = 14;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0;
  TAlignment Alignment = TAlignment::taCenter;
  bool Light = false;
  TColor LightColor = 0, ActiveLightColor = 0;
  bool Shadow = false;
  TColor ShadowColor = 0, ActiveShadowColor = 0;
  TRect FrameRect, ActiveFrameRect, FrameTextRect;
  int FrameLeftOffset = 0, FrameRightOffset = 0;
  bool StretchEffect = false;
  TRect AnimateSkinRect;
  int FrameCount = 0, AnimateInterval = 25;
  bool InActiveAnimation = false;
  bool FullFrame = false;
};

class TbsDataSkinCaption : public TbsDataSkinObject, public TbsDataCaptionKeys {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;

 protected:
  void ExchangeKeys(TbsKeyIO& io) override;
};

// ---- single descriptions ------------------------------------------------------------

// [POPUPWINDOW]: the picture of the popup menus.
class TbsDataSkinPopupWindow {
 public:
  int WindowPictureIndex = -1, MaskPictureIndex = -1;
  // Its client rect is where the items go (key itemsrect).
  TbsCornerKeys Corners;
  TColor ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;
  TbsStretchKeys Stretch;

  void LoadFromIni(const TbsMemIniFile& ini);
  void SaveToIni(TbsMemIniFile& ini) const;
  void ExchangeKeys(TbsKeyIO& io);
};

// [HINTWINDOW]: the picture of the hint window.
class TbsDataSkinHintWindow {
 public:
  int WindowPictureIndex = -1, MaskPictureIndex = -1;
  TbsCornerKeys Corners;
  std::string FontName = "Arial";
  int FontHeight = 14;
  TFontStyles FontStyle;
  TColor FontColor = 0;
  TbsStretchKeys Stretch;

  void LoadFromIni(const TbsMemIniFile& ini);
  void SaveToIni(TbsMemIniFile& ini) const;
  void ExchangeKeys(TbsKeyIO& io);
};

// [SKINCOLORS]: the eight colours; absent ones are the system colours they stand for.
class TbsSkinColors {
 public:
  TColor cBtnFace = SystemColor(15), cBtnText = SystemColor(18), cWindow = SystemColor(5),
         cWindowText = SystemColor(8), cHighLight = SystemColor(13), cHighLightText = SystemColor(14),
         cBtnHighLight = SystemColor(20), cBtnShadow = SystemColor(16);

  void SetColorsToDefault() { *this = TbsSkinColors(); }
  void LoadFromIni(const TbsMemIniFile& ini);
  void SaveToIni(TbsMemIniFile& ini) const;
  void ExchangeKeys(TbsKeyIO& io);
};

// Creates the frame-object description of a kind word (compared case-sensitively), or
// nothing for a word that is no kind.
std::unique_ptr<TbsDataSkinObject> CreateSkinObject(std::string_view kind, std::string name);

}  // namespace bs
